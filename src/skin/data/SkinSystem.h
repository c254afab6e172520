// System functions that older systems lack, looked up by name in the user-interface library
// when the engine starts and used only when present.
#pragma once

#include <windows.h>

namespace skin {

using TGetScrollBarInfo = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
using TTrackMouseEvent = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);
using TGetComboBoxInfo = BOOL(WINAPI*)(HWND, PCOMBOBOXINFO);
using TDisableProcessWindowsGhosting = void(WINAPI*)();

struct TSystemFunctions {
  TGetScrollBarInfo GetScrollBarInfo = nullptr;
  TTrackMouseEvent TrackMouseEvent = nullptr;
  TGetComboBoxInfo GetComboBoxInfo = nullptr;
  TDisableProcessWindowsGhosting DisableProcessWindowsGhosting = nullptr;
};

// The functions found. The library stays loaded until the process ends.
const TSystemFunctions& SystemFunctions();

// Scroll-bar information of a window's bar (OBJID_HSCROLL, OBJID_VSCROLL or OBJID_CLIENT);
// false when the system lacks the function or it fails.
bool SkinGetScrollBarInfo(HWND window, LONG bar, SCROLLBARINFO& info);
// Asks for a WM_MOUSELEAVE when the mouse leaves the window; nothing without the function.
void SkinTrackMouseLeave(HWND window);

// Replaces the functions found, for tests that play an older system; the returned guard puts
// the real ones back.
class TSystemFunctionsOverride {
 public:
  explicit TSystemFunctionsOverride(const TSystemFunctions& replacement);
  ~TSystemFunctionsOverride();
  TSystemFunctionsOverride(const TSystemFunctionsOverride&) = delete;
  TSystemFunctionsOverride& operator=(const TSystemFunctionsOverride&) = delete;

 private:
  TSystemFunctions saved_;
};

}  // namespace skin
