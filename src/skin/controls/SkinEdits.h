// The skinners of text-entry controls: edits, combo boxes, up-down buttons and date-time
// pickers. Their own drawing (flat skinned borders and drop-down buttons) is not written yet;
// until it is they draw as TSkinControl does.
#pragma once

#include "skin/controls/SkinClassMacros.h"
#include "skin/controls/WinSubClass.h"

namespace skin {

SKIN_CONTROL_CLASS(TSkinEdit, TSkinControl);
SKIN_CONTROL_CLASS(TSkinComBox, TSkinControl);
SKIN_CONTROL_CLASS(TSkinUpDown, TSkinControl);
SKIN_CONTROL_CLASS(TSkinDateTime, TSkinControl);

}  // namespace skin
