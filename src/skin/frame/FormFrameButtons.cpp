// The frame's caption buttons: made from the skin's definitions, laid out once per size,
// state or style change, and found under a point. Painting and hit-testing both read the
// Enabled and Bounds stored here.
#include "skin/frame/CaptionButtons.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/frame/SkinManage.h"

namespace skin {

void TWinSkinForm::ClearButtons() {
  if (pressed_ && GetCapture() == handle_) {
    pressed_ = nullptr;
    ReleaseCapture();
  }
  pressed_ = nullptr;
  hotObject_ = nullptr;
  buttons_.clear();
  layoutWidth_ = 0;
}

// One button per caption-button definition of the skin, in the skin's order.
void TWinSkinForm::MakeButtons() {
  ClearButtons();
  if (!HasSkin() || borderKind_ == bkNoCaption) return;
  for (const auto& def : skinData_->CaptionButtons()) {
    buttons_.push_back(std::make_unique<TWinSysButton>(*this, *def));
  }
  PrepareIcon();
}

// Whether every button refers to the definition the skin holds now at its place. A skin that
// was loaded anew (and freed the definitions the buttons were made from) fails the test.
bool TWinSkinForm::ButtonsCurrent() const {
  if (!HasSkin() || borderKind_ == bkNoCaption) return buttons_.empty();
  const auto& defs = skinData_->CaptionButtons();
  if (defs.size() != buttons_.size()) return false;
  for (std::size_t i = 0; i < defs.size(); ++i) {
    if (&buttons_[i]->Definition() != defs[i].get()) return false;
  }
  return true;
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
  const TSkinManage* manager = TSkinManage::Instance();
  c.MDIChildMaximizedWithMenu =
      formKind_ == fkMDIFrame && manager && manager->MDIChildMaximized() && menuBarHeight_ > 0;
  c.Window = handle_;
  return c;
}

void TWinSkinForm::LayoutCaptionButtons() {
  if (!ButtonsCurrent()) MakeButtons();
  RECT window{};
  GetWindowRect(handle_, &window);
  layoutWidth_ = window.right - window.left;
  const TCaptionContext context = CaptionContext();
  const SIZE icon{GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)};
  TMenuBarPlace menuBar{titleHeight_, menuBarHeight_, leftWidth_, rightWidth_, 0, leftScrollBar_};
  if (const TDataSkinObject* bar = HasSkin() ? skinData_->Definitions().MenuBar() : nullptr) {
    menuBar.RightMargin = bar->LeftWidth;
  }
  for (const auto& button : buttons_) {
    const TDataSkinSysButton& def = button->Definition();
    const bool shown = borderKind_ != bkNoCaption && CaptionButtonShown(def, context);
    button->Bounds = shown ? CaptionButtonBounds(def, layoutWidth_, icon, menuBar) : RECT{0, 0, 0, 0};
    button->Enabled = shown && !IsRectEmpty(&button->Bounds);
    if (button->Enabled) continue;
    // A button that went away is neither hot nor pressed any more.
    button->State = ncsNormal;
    if (hotObject_ == button.get()) hotObject_ = nullptr;
    if (pressed_ == button.get()) {
      pressed_ = nullptr;
      if (GetCapture() == handle_) ReleaseCapture();
    }
  }
}

TWinSysButton* TWinSkinForm::ButtonAt(POINT windowPoint) const {
  for (const auto& button : buttons_) {
    if (button->Enabled && button->Action() >= 0 && PtInRect(&button->Bounds, windowPoint)) {
      return button.get();
    }
  }
  return nullptr;
}

}  // namespace skin
