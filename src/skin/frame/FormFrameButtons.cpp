// The frame's caption buttons kept current with the skin and laid out for the window's present
// size, state and styles (the strip stores what painting and hit-testing read).
#include "skin/frame/WinSkinForm.h"

namespace skin {

// One button per caption-button definition of the skin, in the skin's order.
void TWinSkinForm::MakeButtons() {
  captionButtons_.Clear();
  if (!HasSkin() || borderKind_ == bkNoCaption) return;
  captionButtons_.Make(skinData_->CaptionButtons());
  PrepareIcon();
}

// Whether the buttons are those of the skin the frame holds now.
bool TWinSkinForm::ButtonsCurrent() const {
  if (!HasSkin() || borderKind_ == bkNoCaption) return captionButtons_.Buttons().empty();
  return captionButtons_.MadeFrom(skinData_->CaptionButtons());
}

void TWinSkinForm::KeepButtonsCurrent() {
  if (ButtonsCurrent()) return;
  MakeButtons();
  LayoutCaptionButtons();
}

TCaptionContext TWinSkinForm::CaptionContext() const {
  TCaptionContext c;
  c.Maximized = windowState_ == wsMaximized;
  c.Active = active_ != 0;
  c.HasSystemMenu = (borderIcons_ & kBiSystemMenu) != 0;
  c.HasMaximizeBox = (borderIcons_ & kBiMaximize) != 0;
  c.HasMinimizeBox = (borderIcons_ & kBiMinimize) != 0;
  c.DialogBorder = borderKind_ == bkDialog;
  c.ProgramDialog = borderKind_ == bkDialog && !isDialog_;
  c.MDIChildMaximizedWithMenu =
      formKind_ == fkMDIFrame && manager_.MDIChildMaximized() && geometry_.MenuBarHeight() > 0;
  c.Window = handle_;
  return c;
}

void TWinSkinForm::LayoutCaptionButtons() {
  if (!ButtonsCurrent()) MakeButtons();
  RECT window{};
  GetWindowRect(handle_, &window);
  TMenuBarPlace menuBar{geometry_.TitleHeight(), geometry_.MenuBarHeight(), geometry_.LeftWidth(), geometry_.RightWidth(), 0, leftScrollBar_};
  if (const TDataSkinObject* bar = HasSkin() ? skinData_->Resolved().MenuBar : nullptr) {
    menuBar.RightMargin = bar->LeftWidth;
  }
  captionButtons_.Layout(window.right - window.left, borderKind_ != bkNoCaption, CaptionContext(),
                         menuBar);
}

}  // namespace skin
