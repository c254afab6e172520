// The skinners of tab controls and their pages. TSkinTab serves tab controls and page
// controls with ordinary tabs (Kind 2: a plain tab control), TSkinTabBtn page controls whose
// tabs are buttons, TSkinTabSheet one page, TSkinTab31 the older tab set and TSkinAdvPage a
// foreign page control that takes tab images through properties. Their own drawing is not
// written yet; until it is they draw as TSkinControl does.
#pragma once

#include "skin/controls/SkinClassMacros.h"
#include "skin/controls/WinSubClass.h"

namespace skin {

// Kind of a TSkinTab on a tab control that is not a page control.
constexpr int kTabKindPlain = 2;

SKIN_CONTROL_CLASS(TSkinTab, TSkinControl);
SKIN_CONTROL_CLASS(TSkinTabBtn, TSkinControl);
SKIN_CONTROL_CLASS(TSkinTabSheet, TSkinControl);
SKIN_CONTROL_CLASS(TSkinTab31, TSkinControl);

class TSkinAdvPage : public TSkinControl {
  UI_CLASS_INFO
 public:
  using TSkinControl::TSkinControl;
  // 4: the tab images go to the control's tab-image properties.
  int PageMode() const { return pageMode_; }
  void SetPageMode(int value) { pageMode_ = value; }

 private:
  int pageMode_ = 0;
};

}  // namespace skin
