// The skinners of controls with window scroll bars: TSkinScrollbar and the list-view skinner
// built on it. They attach with AttachScrollBars and tell the frame skinner when their control
// got a new window, so that it gives the control a fresh skinner. Their own drawing (the
// skinned bars laid over the native ones) is not written yet; until it is they draw as
// TSkinControl does.
#pragma once

#include "skin/controls/SkinClassMacros.h"
#include "skin/controls/WinSubClass.h"

namespace skin {

class TSkinScrollbar : public TSkinControl {
  UI_CLASS_INFO
 public:
  using TSkinControl::TSkinControl;
  // Attaches to a class-library control with window scroll bars.
  virtual void AttachScrollBars(ui::TControl* control, TSkinData* skinData, TSkinnerHost* form,
                                ui::TCanvas* canvas);
  // Only the vertical bar is skinned.
  bool SingleBar() const { return singleBar_; }
  void SetSingleBar(bool value) { singleBar_ = value; }

  void AfterMessage(ui::TMessage& message) override;

 private:
  bool singleBar_ = false;
};

SKIN_CONTROL_CLASS(TSkinListView, TSkinScrollbar);

}  // namespace skin
