// The frame painted from the skin: the four border strips, the title bar with the caption
// text, the icon and the caption buttons, and the menu-bar strip.
#include <algorithm>
#include <string>
#include <vector>

#include "skin/data/SkinDerivedImages.h"
#include "skin/data/SkinDraw.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/frame/FrameCaption.h"

namespace skin {

namespace {

constexpr int kCaptionPlateFrames = 2;

void Blit(HDC dc, const RECT& r, ui::TBitmap* strip) {
  if (!strip) return;
  BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, strip->Canvas()->Handle(), 0, 0,
         SRCCOPY);
}

// A window DC taken for the frame and given back at the end of the scope.
class TWindowDC {
 public:
  TWindowDC(HWND window, HDC given) : window_(window), dc_(given) {
    if (!dc_) {
      dc_ = GetWindowDC(window);
      owned_ = true;
    }
  }
  ~TWindowDC() {
    if (owned_ && dc_) ReleaseDC(window_, dc_);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
  bool owned_ = false;
};

}  // namespace

bool TWinSkinForm::FramePaintable() const {
  if (frameState_ != fsRunning && frameState_ != fsReapplying) return false;
  if (borderKind_ == bkNoCaption || !HasSkin()) return false;
  return !(formKind_ == fkMDIChild && windowState_ == wsMaximized);
}

void TWinSkinForm::PaintFrame(HDC given) {
  if (!FramePaintable()) return;
  GetWindowRect(handle_, &windowRect_);
  const int w = windowRect_.right - windowRect_.left, h = windowRect_.bottom - windowRect_.top;
  TWindowDC dc(handle_, given);
  if (!dc.Get()) return;
  ++framePaints_;
  // The side borders are composed once: their tops are the title bar's ends as well.
  std::unique_ptr<ui::TBitmap> leftSide, rightSide;
  if (windowState_ != wsMinimized) {
    leftSide = ComposeBorder(bpLeft, geometry_.LeftWidth(), h);
    rightSide = ComposeBorder(bpRight, geometry_.RightWidth(), h);
    const RECT left{0, 0, geometry_.LeftWidth(), h}, right{w - geometry_.RightWidth(), 0, w, h};
    const RECT bottom{geometry_.LeftWidth(), h - geometry_.BottomHeight(), w - geometry_.RightWidth(), h};
    Blit(dc.Get(), left, leftSide.get());
    Blit(dc.Get(), right, rightSide.get());
    Blit(dc.Get(), bottom, ComposeBorder(bpBottom, bottom.right - bottom.left, geometry_.BottomHeight()).get());
  }
  LayoutCaptionButtons();
  PaintTitle(dc.Get(), w, h, leftSide.get(), rightSide.get());
  if (geometry_.MenuBarHeight() > 0 && windowState_ != wsMinimized) {
    const RECT band{geometry_.LeftWidth(), geometry_.TitleHeight(), w - geometry_.RightWidth(), geometry_.TitleHeight() + geometry_.MenuBarHeight()};
    if (menuBar_) menuBar_->PaintBar(dc.Get(), band);
    else FillRect(dc.Get(), &band, skinData_->ButtonFaceBrush());
  }
}

// The title bar is composed off-screen (the ends of the side borders, the title strip, the
// caption text and the caption buttons) and copied to the window in one piece, so that a
// button changing its look never flickers.
void TWinSkinForm::PaintTitle(HDC dc, int w, int h, ui::TBitmap* leftSide, ui::TBitmap* rightSide) {
  if (w <= 0 || geometry_.TitleHeight() <= 0) return;
  ui::TBitmap buffer(w, geometry_.TitleHeight());
  HDC target = buffer.Canvas()->Handle();
  RECT title{0, 0, w, geometry_.TitleHeight()};
  if (windowState_ == wsMinimized) {
    FillRect(target, &title, skinData_->ButtonFaceBrush());
  } else {
    std::unique_ptr<ui::TBitmap> ownLeft, ownRight;
    if (!leftSide) leftSide = (ownLeft = ComposeBorder(bpLeft, geometry_.LeftWidth(), h)).get();
    if (!rightSide) rightSide = (ownRight = ComposeBorder(bpRight, geometry_.RightWidth(), h)).get();
    Blit(target, {0, 0, geometry_.LeftWidth(), geometry_.TitleHeight()}, leftSide);
    Blit(target, {w - geometry_.RightWidth(), 0, w, geometry_.TitleHeight()}, rightSide);
    title = {geometry_.LeftWidth(), 0, w - geometry_.RightWidth(), geometry_.TitleHeight()};
  }
  Blit(target, title, ComposeBorder(bpTop, title.right - title.left, geometry_.TitleHeight()).get());
  DrawCaptionText(target, w);
  DrawCaptionButtons(target);
  BitBlt(dc, 0, 0, w, geometry_.TitleHeight(), target, 0, 0, SRCCOPY);
}

// The caption text in the system's caption font and the title's text colour of the present
// look, on the caption plate when the skin has one, laid out by LayoutCaption.
void TWinSkinForm::DrawCaptionText(HDC dc, int w) {
  const TDataSkinTitle* def = skinData_->Resolved().Title;
  const TColour given = def ? (active_ ? def->ActiveText : def->InActiveText) : kColourNotGiven;
  const TColour colour = given != kColourNotGiven
                             ? given
                             : (active_ ? skinData_->Colours().TitleTextActive
                                        : skinData_->Colours().TitleTextNoActive);
  const int length = GetWindowTextLengthW(handle_);
  std::wstring caption(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
  caption.resize(static_cast<std::size_t>(GetWindowTextW(handle_, caption.data(), length + 1)));
  const int savedState = SaveDC(dc);
  SelectObject(dc, skinData_->CaptionFont());
  SIZE extent{0, 0};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
  std::vector<RECT> shown;
  for (const auto& button : Buttons()) {
    if (button->Enabled && button->Definition().Visibility != kMDIButtonVisibility) {
      shown.push_back(button->Bounds);
    }
  }
  const TCaptionLayout layout = LayoutCaption(def, w, geometry_.TitleHeight(), extent.cx, shown);
  if (!IsRectEmpty(&layout.Plate)) {
    // The plate picture holds the active and the inactive look side by side.
    DrawNineRegion(dc, layout.Plate, *def->Bitmap, TFrameLayout::SideBySide, TCentreMode::Stretch,
                   true, kCaptionPlateFrames, active_ ? 1 : 2,
                   TMargins{def->TXTBackleft, 0, def->TXTBackRight, 0});
  }
  RECT clip = layout.Clip;
  if (!IsRectEmpty(&clip) && !caption.empty()) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ui::ColorToRGB(ResolveColour(colour)));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &clip,
              layout.Format | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
  }
  RestoreDC(dc, savedState);
}

// Each shown button in the frame of its state; the buttons of a maximized MDI child belong
// to the menu bar.
void TWinSkinForm::DrawCaptionButtons(HDC dc) {
  for (const auto& button : Buttons()) {
    const TDataSkinSysButton& def = button->Definition();
    if (!button->Enabled || def.Visibility == kMDIButtonVisibility) continue;
    if (IsIconAction(def.Action) && (!def.Bitmap || def.Bitmap->Empty())) {
      DrawIcon(dc, button->Bounds);
      continue;
    }
    if (!def.Bitmap || def.Bitmap->Empty()) continue;
    const int count = std::max(def.Frame, 1);
    DrawFrameStretched(dc, button->Bounds, *def.Bitmap, true, count,
                       CaptionButtonFrame(button->State, active_ != 0, count, def.Visibility));
  }
}

namespace {

// The icon the window shows: its own small or big one, else its class's; none without.
HICON WindowIcon(HWND window) {
  auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICON));
  return icon;
}

}  // namespace

void TWinSkinForm::PrepareIcon() {
  const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
  auto bitmap = std::make_unique<ui::TBitmap>(cx, cy);
  ui::TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetColor(kKeyColour);
  canvas->FillRect(RECT{0, 0, cx, cy});
  if (const HICON icon = WindowIcon(handle_)) {
    DrawIconEx(canvas->Handle(), 0, 0, icon, cx, cy, 0, nullptr, DI_NORMAL);
  } else if (ui::TBitmap* program = HasSkin() ? skinData_->AppIconBitmap() : nullptr) {
    StretchBlt(canvas->Handle(), 0, 0, cx, cy, program->Canvas()->Handle(), 0, 0,
               program->Width(), program->Height(), SRCCOPY);
  }
  iconBitmap_ = std::move(bitmap);
}

// The window's icon at the button's corner in the small size; a window without one shows the
// prepared icon (the program's), so that the button that opens its system menu can be seen.
void TWinSkinForm::DrawIcon(HDC dc, const RECT& bounds) {
  const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
  if (const HICON icon = WindowIcon(handle_)) {
    DrawIconEx(dc, bounds.left, bounds.top, icon, cx, cy, 0, nullptr, DI_NORMAL);
    return;
  }
  if (!iconBitmap_) PrepareIcon();
  DrawTransparent(dc, RECT{bounds.left, bounds.top, bounds.left + cx, bounds.top + cy},
                  *iconBitmap_, kKeyColour);
}

// A button's new state is shown by painting the title bar again (off-screen, in one piece).
void TWinSkinForm::PaintCaptionButton(TWinSysButton& button) {
  if (!button.Enabled || button.Definition().Visibility == kMDIButtonVisibility) return;
  if (!FramePaintable()) return;
  RECT r{};
  GetWindowRect(handle_, &r);
  TWindowDC dc(handle_, nullptr);
  if (dc.Get()) PaintTitle(dc.Get(), r.right - r.left, r.bottom - r.top);
}

}  // namespace skin
