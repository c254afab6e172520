// The skin engine's private window messages, used between skinners and windows. Their values
// are fixed; they are defined here and nowhere else.
#pragma once

#include <windows.h>

namespace skin {

constexpr UINT SKM_REAPPLYSKIN = 0x3401;       // to a form: re-apply the skin
constexpr UINT SKM_REDRAWFRAME = 0x3502;       // a frame skinner repaints its whole frame
constexpr UINT SKM_STARTFRAME = 0x3503;        // posted after a frame skinner was made (0, 1000)
constexpr UINT SKM_ENABLESKIN = 0x3506;        // to a control: wParam > 0 on, otherwise off
constexpr UINT SKM_TABCLOSE = 0x3507;          // tab close button: wParam tab window, lParam index
constexpr UINT SKM_CAPTIONACTION = 0x3514;     // a caption-button action for the window
constexpr UINT SKM_CAPTIONVISIBLE = 0x3515;    // is a caption button of code 1000-2000 shown?
constexpr UINT SKM_MDIREDRAW = 0x3516;         // to an MDI client: redraw the child's frame
constexpr UINT SKM_CONTROLRECREATED = 0x3517;  // a control with skinned scroll bars was re-made
constexpr UINT SKM_OPENMENUITEM = 0x3518;      // open the menu-bar item at the point in lParam
constexpr UINT SKM_MDIMAXIMIZED = 0x3519;      // to an MDI client: its child wParam was maximized
constexpr UINT SKM_PURGESKINNERS = 0x351A;     // posted to a frame: free the skinners of gone window wParam
constexpr UINT SKM_QUERYSKINNED = 0x3523;      // answered with 1 by every skinned window
constexpr UINT SKM_PAINTCONTENT = 0xBC4A;      // an edit renders its content into wParam's DC
constexpr UINT SKM_PAINTFRAME = 0xBC4B;        // paint the skinned border into wParam's DC
constexpr UINT SKM_PROBEFRAME = 0xBC4D;        // a skinned form answers kSkinMagic
constexpr UINT SKM_SKINUPDATE = 0xBC4E;        // a frame skinner started or re-applied a skin

// The lParam that marks the engine's own paint and probe requests, and their answer.
constexpr LPARAM kSkinMagic = 0x41A2;

}  // namespace skin
