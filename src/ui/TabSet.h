// A tab set: a strip of tabs hanging from its top edge, as below a worksheet, drawn by the
// control itself. One tab is chosen; a click on another chooses it.
#pragma once

#include <memory>
#include <vector>

#include "ui/Classes.h"
#include "ui/Controls.h"

namespace ui {

class TTabSet : public TCustomControl {
  UI_CLASS_INFO
 public:
  explicit TTabSet(TComponent* owner);
  ~TTabSet() override;

  TStringList* Tabs() const { return tabs_.get(); }
  int TabIndex() const { return tabIndex_; }
  void SetTabIndex(int value);
  TColor SelectedColor() const { return selectedColor_; }
  void SetSelectedColor(TColor value);
  TColor UnselectedColor() const { return unselectedColor_; }
  void SetUnselectedColor(TColor value);
  // Where each tab lies (client coordinates), in order.
  std::vector<RECT> TabRects();
  // The tab at a client point, or -1.
  int TabAt(POINT p);

  TNotifyEvent OnChange;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

 protected:
  void Paint() override;

 private:
  std::unique_ptr<TStringList> tabs_;
  int tabIndex_ = -1;
  TColor selectedColor_ = clBtnFace, unselectedColor_ = clWindow;
};

}  // namespace ui
