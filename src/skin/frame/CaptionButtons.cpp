// Caption buttons: the visibility codes, placement and the state's picture frame.
#include "skin/frame/CaptionButtons.h"

#include <algorithm>

#include "skin/data/SkinMessages.h"

namespace skin {

namespace {

// The conditions the codes 0 to 4 share between the two visibility fields.
bool BasicCondition(int code, const TCaptionContext& c) {
  switch (code) {
    case 0: return true;
    case 1: return c.Maximized;
    case 2: return !c.Maximized;
    case 3: return c.Active;
    case 4: return !c.Active;
    default: return false;
  }
}

bool FirstCondition(const TDataSkinSysButton& def, const TCaptionContext& c) {
  const int code = def.Visibility;
  if (code >= 0 && code <= 4) return BasicCondition(code, c);
  switch (code) {
    case 6: return c.HasMaximizeBox && c.HasSystemMenu;
    case 7: return !c.HasMaximizeBox;
    case 8: return c.HasMinimizeBox && c.HasSystemMenu;
    case 9: return !c.HasMinimizeBox;
    case 100: return c.MDIChildMaximizedWithMenu;
    case 200: return c.ProgramDialog;
    default: break;
  }
  if (code > 200 && code <= 999) return true;
  if (code >= 1000 && code <= 2000) {
    // The window decides; a window that does not know the message answers 0.
    return c.Window &&
           static_cast<LONG_PTR>(SendMessageW(c.Window, SKM_CAPTIONVISIBLE,
                                              static_cast<WPARAM>(code), def.Action)) > 0;
  }
  return false;
}

bool SecondCondition(const TDataSkinSysButton& def, const TCaptionContext& c, bool first) {
  const int code = def.Visibility1;
  if (code >= 0 && code <= 4) return BasicCondition(code, c);
  switch (code) {
    case 6: return c.HasMaximizeBox;
    case 7: return !c.HasMaximizeBox;
    case 8: return c.HasMinimizeBox;
    case 9: return !c.HasMinimizeBox;
    case 100: return first;
    case 200: return c.ProgramDialog;
    default: break;
  }
  return code > 200 && code <= 2000;
}

bool ActionFits(int action, const TCaptionContext& c) {
  switch (action) {
    case caClose: return c.HasSystemMenu;
    case caMaximize: return c.HasMaximizeBox;
    case caMinimize: return c.HasMinimizeBox;
    case caSystemMenu: case caIcon: case caSystemMenu2: return !c.DialogBorder;
    default: return true;
  }
}

}  // namespace

bool CaptionButtonShown(const TDataSkinSysButton& def, const TCaptionContext& context) {
  if (!ActionFits(def.Action, context)) return false;
  const bool first = FirstCondition(def, context);
  return first && SecondCondition(def, context, first);
}

RECT CaptionButtonBounds(const TDataSkinSysButton& def, int frameWidth, SIZE iconSize,
                         const TMenuBarPlace& menuBar) {
  int width = 0, height = 0;
  if (def.Bitmap && !def.Bitmap->Empty()) {
    width = def.Bitmap->Width() / std::max(def.Frame, 1);
    height = def.Bitmap->Height();
  } else if (IsIconAction(def.Action)) {
    width = iconSize.cx;
    height = iconSize.cy;
  }
  return CaptionButtonPlace(def, frameWidth, SIZE{width, height}, menuBar);
}

RECT CaptionButtonPlace(const TDataSkinSysButton& def, int frameWidth, SIZE size,
                        const TMenuBarPlace& menuBar) {
  const int width = size.cx, height = size.cy;
  if (width <= 0 || height <= 0) return RECT{0, 0, 0, 0};
  int left = def.Xcoord, top = def.Ycoord;
  switch (def.Align) {
    case 1:
      left = frameWidth - def.Xcoord;
      break;
    case 2: case 8:
      left = -(width + def.Xcoord);
      break;
    case 100:
      top = menuBar.TitleHeight + (menuBar.MenuBarHeight - height) / 2;
      left = menuBar.LeftScrollBar
                 ? def.Xcoord + menuBar.RightMargin + menuBar.LeftWidth
                 : frameWidth - def.Xcoord - menuBar.RightWidth - menuBar.RightMargin;
      break;
    default:  // 0, 3 and 9: from the left edge
      break;
  }
  return RECT{left, top, left + width, top + height};
}

int CaptionButtonFrame(int state, bool active, int frameCount, int visibility) {
  int frame = ncsNormal;
  if (state == ncsPressed) {
    frame = ncsPressed;
  } else if (state == ncsHot) {
    frame = visibility == kMDIButtonVisibility ? kInactiveFrame : ncsHot;
  } else if (!active && frameCount >= kInactiveFrame) {
    frame = kInactiveFrame;
  }
  return std::clamp(frame, 1, std::max(frameCount, 1));
}

LRESULT CaptionButtonHitCode(int action) {
  switch (action) {
    case caClose: case caMDIClose: case caMDIClose2: return HTCLOSE;
    case caMaximize: case caMaximize2: case caMDIRestore: case caMDIRestore2: return HTMAXBUTTON;
    case caMinimize: case caMinimize2: case caMDIMinimize: case caMDIMinimize2: return HTMINBUTTON;
    case caSystemMenu: case caIcon: case caSystemMenu2: return HTSYSMENU;
    default: return HTCAPTION;
  }
}

}  // namespace skin
