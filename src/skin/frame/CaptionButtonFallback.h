// Caption buttons a skin leaves out or cannot draw: the window keeps them, drawn in the
// system's own look. A button whose definition has no usable picture stays at the place the
// skin gives it; a button the skin does not define at all takes the first free place in the
// row of the skin's buttons, spaced as they are (or, with no skin button shown, the place the
// system gives it at the right end of the title bar).
#pragma once

#include <windows.h>

#include <vector>

#include "skin/frame/CaptionButtons.h"

namespace skin {

// The size a caption button drawn in the system's look takes: that of the skin's other shown
// buttons (`shown`, their rectangles), or the system's caption-button size without any.
SIZE NativeCaptionButtonSize(const std::vector<RECT>& shown);

// The first free place for one more button of `size` in the row of `taken` buttons (window
// coordinates), counted from the row's outer end: the row lies along the right end of the
// title bar when `fromRight`, else along the left end. An empty row starts where the system
// puts its close button.
RECT FreeCaptionButtonPlace(const std::vector<RECT>& taken, bool fromRight, SIZE size,
                            int frameWidth, const TMenuBarPlace& place);

// The place of the window's icon when the skin has no icon button: at the end of the title bar
// away from the other buttons, the small icon's size, centred in the title bar.
RECT FallbackIconPlace(bool buttonsOnLeft, int frameWidth, SIZE iconSize,
                       const TMenuBarPlace& place);

// Whether the system has a look for a button of the action (close, maximize, minimize).
bool HasNativeCaptionLook(int action);

// The DrawFrameControl kind of a button drawn in the system's look (DFCS_CAPTIONCLOSE, ...).
UINT NativeCaptionLook(int action, bool maximized);

// The DrawFrameControl state flags of such a button: pushed while pressed, greyed while its
// command is not available (`available` false).
UINT NativeCaptionState(int state, bool available);

}  // namespace skin
