// The skinners of controls that mainly show a caption on the face colour: check boxes, radio
// buttons, group boxes, panels and the containers of bare windows. Their own drawing is not
// written yet; until it is they draw as TSkinControl does (the control's own look, with the
// skin's face colour where they were attached with ChangeColor).
#pragma once

#include "skin/controls/SkinClassMacros.h"
#include "skin/controls/WinSubClass.h"

namespace skin {

SKIN_CONTROL_CLASS(TSkinCheckBox, TSkinControl);
SKIN_CONTROL_CLASS(TSkinRadioButton, TSkinControl);
SKIN_CONTROL_CLASS(TSkinGroupBox, TSkinControl);
SKIN_CONTROL_CLASS(TSkinBox, TSkinControl);
SKIN_CONTROL_CLASS(TSkinBoxH, TSkinControl);

}  // namespace skin
