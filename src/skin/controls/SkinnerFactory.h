// Every skinner class by number, so that the choice of a skinner can be stated (and tested)
// apart from making one.
#pragma once

#include <string>

#include "skin/controls/SkinControl.h"

namespace skin {

enum TSkinnerClass {
  scNone, scButton, scBitButton, scSpeedButton, scMenuButton, scCheckBox, scRadioButton,
  scGroupBox, scBox, scBoxH, scScrollbar, scListView, scEdit, scComBox, scUpDown, scDateTime,
  scTab, scTabBtn, scTabSheet, scTab31, scAdvPage, scProgress, scTrackBar, scSizer, scObjImage,
  scMP, scScControl, scStatusBar
};

// A new skinner of the class owned by `owner` (the control it will skin, or none for a bare
// window); none for scNone.
TSkinControl* CreateSkinner(TSkinnerClass cls, ui::TComponent* owner);
// The class's name ("TSkinButton"); empty for scNone.
std::wstring SkinnerClassName(TSkinnerClass cls);

}  // namespace skin
