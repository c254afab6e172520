// The caption buttons of a frame: made, laid out, found under a point, pressed and hovered.
#include "skin/frame/CaptionButtonStrip.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "skin/frame/CaptionButtonFallback.h"

namespace skin {

namespace {

constexpr int kHoverInterval = 250;

// The commands every window may have a caption button for, outermost first, with the names
// of their buttons in the system's look.
constexpr std::pair<int, const char*> kFallbackActions[] = {
    {caClose, "SYSTEM.CLOSE"}, {caMaximize, "SYSTEM.MAXIMIZE"}, {caMinimize, "SYSTEM.MINIMIZE"},
    {caSystemMenu, "SYSTEM.ICON"}};

// A button of the frame's title bar (the buttons of a maximized MDI child sit on the menu bar).
bool InTitle(const TWinSysButton& button) {
  return button.Definition().Visibility != kMDIButtonVisibility;
}

// Whether the window's system menu offers its close command (a greyed or removed one does not).
bool CloseAvailable(HWND window) {
  const HMENU menu = window ? GetSystemMenu(window, FALSE) : nullptr;
  if (!menu) return true;
  const UINT state = GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

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
  skinButtons_ = 0;
  layoutWidth_ = 0;
}

void TCaptionButtonStrip::Make(const TDefinitions& definitions) {
  Clear();
  for (const auto& def : definitions) {
    buttons_.push_back(std::make_unique<TWinSysButton>(hot_, host_, *def));
  }
  skinButtons_ = buttons_.size();
  if (fallbacks_.empty()) {
    for (const auto& [action, name] : kFallbackActions) {
      auto def = std::make_unique<TDataSkinSysButton>(name);
      def->Action = action;
      def->Bitmap->SetSize(0, 0);
      fallbacks_.push_back(std::move(def));
    }
  }
  for (const auto& def : fallbacks_) {
    buttons_.push_back(std::make_unique<TWinSysButton>(hot_, host_, *def));
  }
}

bool TCaptionButtonStrip::MadeFrom(const TDefinitions& definitions) const {
  if (definitions.size() != skinButtons_) return false;
  for (std::size_t i = 0; i < definitions.size(); ++i) {
    if (&buttons_[i]->Definition() != definitions[i].get()) return false;
  }
  return true;
}

void TCaptionButtonStrip::Layout(int frameWidth, bool hasCaption, const TCaptionContext& context,
                                 const TMenuBarPlace& menuBar) {
  layoutWidth_ = frameWidth;
  LayoutSkinButtons(frameWidth, hasCaption, context, menuBar);
  LayoutFallbacks(frameWidth, hasCaption, context, menuBar);
  for (const auto& button : buttons_) {
    if (!button->Enabled) Hide(*button);
  }
}

// The skin's buttons with a picture take their picture's size; a button without one (other
// than an icon button, which shows the window's icon) is drawn in the system's look at its
// place, the size of the others.
void TCaptionButtonStrip::LayoutSkinButtons(int frameWidth, bool hasCaption,
                                            const TCaptionContext& context,
                                            const TMenuBarPlace& menuBar) {
  const SIZE icon{GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)};
  std::vector<RECT> pictured;
  std::vector<TWinSysButton*> pictureless;
  for (std::size_t i = 0; i < skinButtons_; ++i) {
    TWinSysButton& button = *buttons_[i];
    const TDataSkinSysButton& def = button.Definition();
    const bool shown = hasCaption && CaptionButtonShown(def, context);
    button.Native = false;
    button.Bounds = shown ? CaptionButtonBounds(def, frameWidth, icon, menuBar) : RECT{0, 0, 0, 0};
    button.Enabled = shown && !IsRectEmpty(&button.Bounds);
    if (button.Enabled && InTitle(button) && !IsIconAction(def.Action)) {
      pictured.push_back(button.Bounds);
    }
    if (shown && !button.Enabled && InTitle(button) && HasNativeCaptionLook(def.Action)) {
      pictureless.push_back(&button);
    }
  }
  const SIZE size = NativeCaptionButtonSize(pictured);
  for (TWinSysButton* button : pictureless) {
    button->Bounds = CaptionButtonPlace(button->Definition(), frameWidth, size, menuBar);
    button->Enabled = !IsRectEmpty(&button->Bounds);
    button->Native = true;
    button->NativeLook = NativeCaptionLook(button->Action(), context.Maximized);
    button->NativeAvailable = button->Action() != caClose || CloseAvailable(context.Window);
  }
}

// A button in the system's look for each command the window has whose hit-test code no shown
// skin button answers, at the first free place of the skin's row.
void TCaptionButtonStrip::LayoutFallbacks(int frameWidth, bool hasCaption,
                                          const TCaptionContext& context,
                                          const TMenuBarPlace& menuBar) {
  std::vector<RECT> row;
  std::vector<LRESULT> answered;
  bool rowFromRight = true;
  for (std::size_t i = 0; i < skinButtons_; ++i) {
    const TWinSysButton& button = *buttons_[i];
    if (!button.Enabled || !InTitle(button)) continue;
    answered.push_back(CaptionButtonHitCode(button.Action()));
    if (IsIconAction(button.Action())) continue;
    if (row.empty()) rowFromRight = button.Definition().Align != 0;
    row.push_back(button.Bounds);
  }
  const SIZE size = NativeCaptionButtonSize(row);
  const SIZE icon{GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)};
  for (std::size_t i = skinButtons_; i < buttons_.size(); ++i) {
    TWinSysButton& button = *buttons_[i];
    const int action = button.Action();
    button.Bounds = RECT{0, 0, 0, 0};
    button.Enabled = false;
    button.Native = false;
    const LRESULT code = CaptionButtonHitCode(action);
    // Without a system menu a window shows no caption buttons of its own.
    if (!hasCaption || !context.HasSystemMenu || !CaptionButtonShown(button.Definition(), context) ||
        std::find(answered.begin(), answered.end(), code) != answered.end()) {
      continue;
    }
    if (IsIconAction(action)) {
      button.Bounds = FallbackIconPlace(!rowFromRight && !row.empty(), frameWidth, icon, menuBar);
    } else {
      button.Bounds = FreeCaptionButtonPlace(row, rowFromRight, size, frameWidth, menuBar);
      button.Native = true;
      button.NativeLook = NativeCaptionLook(action, context.Maximized);
      button.NativeAvailable = action != caClose || CloseAvailable(context.Window);
      row.push_back(button.Bounds);
    }
    button.Enabled = !IsRectEmpty(&button.Bounds);
  }
}

// A button that went away shows normal and is neither hot nor pressed.
void TCaptionButtonStrip::Hide(TWinSysButton& button) {
  button.State = ncsNormal;
  if (hot_.Get() == &button) hot_.Clear();
  if (pressed_ == &button) {
    pressed_ = nullptr;
    if (GetCapture() == host_.StripWindow()) ::ReleaseCapture();
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
