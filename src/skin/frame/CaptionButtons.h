// The pure rules behind a skinned frame's caption buttons: which buttons a window shows, where
// they lie, which frame of a button's picture belongs to its state and what the system's
// hit-test code for a button is.
#pragma once

#include <windows.h>

#include "skin/model/SkinObjects.h"
#include "skin/frame/NCObject.h"

namespace skin {

// The inactive look's frame of a caption-button picture (after the frames of TNCState).
constexpr int kInactiveFrame = 4;

// Caption-button actions the frame carries out itself; any other code reaches the window as
// SKM_CAPTIONACTION.
enum TCaptionAction {
  caClose = 0,
  caMaximize = 1,
  caMinimize = 2,
  caSystemMenu = 3,
  caMDIMinimize = 7,
  caMDIRestore = 8,
  caMDIClose = 9,
  caIcon = 11,
  caSystemMenu2 = 12,
  caMaximize2 = 22,
  caMinimize2 = 23,
  caMDIMinimize2 = 60,
  caMDIRestore2 = 61,
  caMDIClose2 = 62,
};

// A visibility code of the buttons of a maximized MDI child; the menu bar draws them.
constexpr int kMDIButtonVisibility = 100;

// An icon button shows the window's icon (and opens the system menu).
inline bool IsIconAction(int action) { return action == caSystemMenu || action == caIcon; }

// What the visibility codes of a caption button are checked against.
struct TCaptionContext {
  bool Maximized = false;
  bool Active = true;
  bool HasSystemMenu = false;
  bool HasMaximizeBox = false;
  bool HasMinimizeBox = false;
  bool DialogBorder = false;       // BorderKind 3
  bool ProgramDialog = false;      // BorderKind 3 and not a standard dialog
  bool MDIChildMaximizedWithMenu = false;
  HWND Window = nullptr;           // asked with SKM_CAPTIONVISIBLE for codes 1000-2000
};

// Whether the button definition shows in a window of that context: both visibility codes
// hold, and the button's action fits the window (close needs a system menu, maximize a
// maximize box, minimize a minimize box; icon buttons are hidden on dialog borders).
bool CaptionButtonShown(const TDataSkinSysButton& def, const TCaptionContext& context);

// The rectangle of a shown button in window coordinates for a window `frameWidth` wide (the
// button is one frame of its picture, or `iconSize` for an icon button without picture), or an
// empty rectangle when it has no picture. `menuBar` gives the title height, menu-bar height,
// right and left border widths and the menu bar's right margin for the MDI buttons (Align 100).
struct TMenuBarPlace {
  int TitleHeight = 0, MenuBarHeight = 0, LeftWidth = 0, RightWidth = 0, RightMargin = 0;
  bool LeftScrollBar = false;
};
RECT CaptionButtonBounds(const TDataSkinSysButton& def, int frameWidth, SIZE iconSize,
                         const TMenuBarPlace& menuBar);

// The rectangle of a button `size` big at the place the definition gives it.
RECT CaptionButtonPlace(const TDataSkinSysButton& def, int frameWidth, SIZE size,
                        const TMenuBarPlace& menuBar);

// The frame of the button's picture drawn for a state: a normal button shows frame 1 in an
// active window (or a picture of fewer than 4 frames) and the inactive frame 4 otherwise; a
// pressed one frame 2; a hot one frame 3, or 4 for the MDI buttons, whose frame 4 is the hot
// look. Held to the picture's frame count.
int CaptionButtonFrame(int state, bool active, int frameCount, int visibility);

// The system's hit-test code for a button with that action (HTCLOSE, HTMAXBUTTON,
// HTMINBUTTON, HTSYSMENU), HTCAPTION for other actions.
LRESULT CaptionButtonHitCode(int action);

}  // namespace skin
