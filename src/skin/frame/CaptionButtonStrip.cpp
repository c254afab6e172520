// The caption buttons of a frame: made, laid out, found under a point, pressed and hovered.
#include "skin/frame/CaptionButtonStrip.h"

#include <windowsx.h>

namespace skin {

namespace {

constexpr int kHoverInterval = 250;

}  // namespace

void TCaptionButtonStrip::ReleaseCapture() const {
  const HWND window = host_.StripWindow();
  if (IsWindow(window) && GetCapture() == window) ::ReleaseCapture();
}

void TCaptionButtonStrip::Clear() {
  if (pressed_) {
    pressed_ = nullptr;
    if (GetCapture() == host_.StripWindow()) ::ReleaseCapture();
  }
  hot_.Clear();
  buttons_.clear();
  layoutWidth_ = 0;
}

void TCaptionButtonStrip::Make(const TDefinitions& definitions) {
  Clear();
  for (const auto& def : definitions) {
    buttons_.push_back(std::make_unique<TWinSysButton>(hot_, host_, *def));
  }
}

bool TCaptionButtonStrip::MadeFrom(const TDefinitions& definitions) const {
  if (definitions.size() != buttons_.size()) return false;
  for (std::size_t i = 0; i < definitions.size(); ++i) {
    if (&buttons_[i]->Definition() != definitions[i].get()) return false;
  }
  return true;
}

void TCaptionButtonStrip::Layout(int frameWidth, bool hasCaption, const TCaptionContext& context,
                                 const TMenuBarPlace& menuBar) {
  layoutWidth_ = frameWidth;
  const SIZE icon{GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)};
  for (const auto& button : buttons_) {
    const TDataSkinSysButton& def = button->Definition();
    const bool shown = hasCaption && CaptionButtonShown(def, context);
    button->Bounds = shown ? CaptionButtonBounds(def, frameWidth, icon, menuBar) : RECT{0, 0, 0, 0};
    button->Enabled = shown && !IsRectEmpty(&button->Bounds);
    if (button->Enabled) continue;
    button->State = ncsNormal;
    if (hot_.Get() == button.get()) hot_.Clear();
    if (pressed_ == button.get()) {
      pressed_ = nullptr;
      if (GetCapture() == host_.StripWindow()) ::ReleaseCapture();
    }
  }
}

TWinSysButton* TCaptionButtonStrip::ButtonAt(POINT windowPoint) const {
  for (const auto& button : buttons_) {
    if (button->Enabled && button->Action() >= 0 && PtInRect(&button->Bounds, windowPoint)) {
      return button.get();
    }
  }
  return nullptr;
}

void TCaptionButtonStrip::Press(TWinSysButton& button) {
  button.MouseDown();
  if (!button.Enabled) return;
  pressed_ = &button;
  SetCapture(host_.StripWindow());
}

bool TCaptionButtonStrip::TrackPressed(UINT msg, LPARAM lParam, std::optional<int>& action) {
  const HWND window = host_.StripWindow();
  switch (msg) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE: {
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (msg == WM_MOUSEMOVE) ClientToScreen(window, &p);
      const bool over = PtInRect(&pressed_->Bounds, host_.StripPoint(p)) != FALSE;
      const int state = over ? ncsPressed : ncsNormal;
      if (pressed_->State != state) pressed_->SetState(state);
      return true;
    }
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP: {
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (msg == WM_LBUTTONUP) ClientToScreen(window, &p);
      action = Release(host_.StripPoint(p));
      return true;
    }
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) == window) return false;
      {
        TWinSysButton* button = pressed_;
        pressed_ = nullptr;
        button->MouseLeave();
      }
      return true;
    default:
      return false;
  }
}

std::optional<int> TCaptionButtonStrip::Release(POINT windowPoint) {
  TWinSysButton* button = pressed_;
  pressed_ = nullptr;
  if (GetCapture() == host_.StripWindow()) ::ReleaseCapture();
  if (ButtonAt(windowPoint) != button) {
    button->MouseLeave();
    return std::nullopt;
  }
  button->MouseUp();
  return button->Action();
}

void TCaptionButtonStrip::DropPress() {
  if (!pressed_) return;
  pressed_ = nullptr;
  ReleaseCapture();
}

void TCaptionButtonStrip::SetHoverTimer(bool on) {
  if (!hoverTimer_) {
    if (!on) return;
    hoverTimer_ = std::make_unique<ui::TTimer>(nullptr);
    hoverTimer_->SetEnabled(false);
    hoverTimer_->SetInterval(kHoverInterval);
    hoverTimer_->OnTimer = [this](ui::TObject*) { CheckHover(); };
  }
  hoverTimer_->SetEnabled(on);
}

void TCaptionButtonStrip::CheckHover() {
  TNCObject* hot = hot_.Get();
  if (!host_.StripRunning() || !hot || pressed_) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  const bool overWindow = WindowFromPoint(cursor) == host_.StripWindow();
  const POINT p = host_.StripPoint(cursor);
  if (!overWindow || !PtInRect(&hot->Bounds, p)) hot->MouseLeave();
}

}  // namespace skin
