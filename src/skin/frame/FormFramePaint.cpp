// When and where the frame is painted: the borders and the title bar by the frame painter
// (FramePainter.h), then the menu-bar strip.
#include "skin/frame/WinSkinForm.h"
#include "ui/DrawingScopes.h"

namespace skin {

bool TWinSkinForm::FramePaintable() const {
  if (frameState_ != fsRunning && frameState_ != fsReapplying) return false;
  if (borderKind_ == bkNoCaption || !HasSkin()) return false;
  return !(formKind_ == fkMDIChild && windowState_ == wsMaximized);
}

void TWinSkinForm::PaintFrame(HDC given) {
  if (!FramePaintable()) return;
  GetWindowRect(handle_, &windowRect_);
  const int w = windowRect_.right - windowRect_.left, h = windowRect_.bottom - windowRect_.top;
  ui::TWindowDC dc(handle_, given);
  if (!dc.Get()) return;
  ++framePaints_;
  const bool minimized = windowState_ == wsMinimized;
  if (!minimized) painter_.PaintBorders(dc.Get(), w, h);
  LayoutCaptionButtons();
  painter_.PaintTitle(dc.Get(), w, h, minimized);
  if (geometry_.MenuBarHeight() > 0 && !minimized) {
    const RECT band{geometry_.LeftWidth(), geometry_.TitleHeight(), w - geometry_.RightWidth(),
                    geometry_.TitleHeight() + geometry_.MenuBarHeight()};
    if (TWinSkinMenu* bar = menus_.Bar()) bar->PaintBar(dc.Get(), band);
    else FillRect(dc.Get(), &band, skinData_->ButtonFaceBrush());
  }
}

// The menu bar's strip between the title and the client area (window coordinates).
RECT TWinSkinForm::BarStrip() const {
  RECT window{};
  GetWindowRect(handle_, &window);
  const int w = window.right - window.left;
  return {geometry_.LeftWidth(), geometry_.TitleHeight(), w - geometry_.RightWidth(),
          geometry_.TitleHeight() + geometry_.MenuBarHeight()};
}

// A button's new state is shown by painting the title bar again (off-screen, in one piece).
void TWinSkinForm::PaintCaptionButton(TWinSysButton& button) {
  if (!button.Enabled || button.Definition().Visibility == kMDIButtonVisibility) return;
  if (!FramePaintable()) return;
  RECT r{};
  GetWindowRect(handle_, &r);
  ui::TWindowDC dc(handle_, nullptr);
  if (!dc.Get()) return;
  painter_.PaintTitle(dc.Get(), r.right - r.left, r.bottom - r.top, windowState_ == wsMinimized);
}

}  // namespace skin
