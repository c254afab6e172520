// The caption buttons of a skinned window whose skin lacks some of them: every command the
// whole skin shows a button for still answers at that button's place, a button the skin
// cannot draw shows the system's own look, pixel for pixel as DrawFrameControl draws it, and a
// click on the minimize or close button does what it does with the whole skin.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <map>

#include "GuiTestSupport.h"
#include "PartialSkins.h"
#include "SkinSwitchSupport.h"
#include "skin/frame/CaptionButtons.h"
#include "skin/frame/SkinManage.h"
#include "skin/frame/WinSkinForm.h"

namespace captionfallback {

// Where each caption button of the title bar lies (window coordinates), by its hit-test code.
using TPlaces = std::map<LRESULT, RECT>;

inline skin::TWinSkinForm* FrameOf(HWND window) {
  skin::TSkinManage* manager = skin::TSkinManage::Instance();
  return manager ? manager->FindSkinForm(window) : nullptr;
}

inline TPlaces PlacesOf(HWND window) {
  TPlaces places;
  const skin::TWinSkinForm* frame = FrameOf(window);
  if (!frame) return places;
  for (const auto& b : frame->Buttons()) {
    if (b->Enabled && b->Definition().Visibility != skin::kMDIButtonVisibility) {
      places.emplace(skin::CaptionButtonHitCode(b->Action()), b->Bounds);
    }
  }
  return places;
}

// The middle of a place, in screen coordinates as the non-client mouse messages carry it.
inline LPARAM ScreenMiddle(HWND window, const RECT& r) {
  RECT outer{};
  GetWindowRect(window, &outer);
  return MAKELPARAM(outer.left + (r.left + r.right) / 2, outer.top + (r.top + r.bottom) / 2);
}

// Each command of `whole` answers the hit test at the middle of its button's place.
inline void ExpectCommandsAnswered(HWND window, const TPlaces& whole) {
  for (const auto& [code, place] : whole) {
    EXPECT_EQ(SendMessageW(window, WM_NCHITTEST, 0, ScreenMiddle(window, place)), code)
        << "no button answers hit-test code " << code << " at its place";
  }
}

// The close glyph is a cross over the button's middle, with as much ink right of the middle as
// left of it. A system without the Marlett font draws the letter "r" there, all on the left.
inline bool CloseGlyphIsACross(const ui::TBitmap& button) {
  const COLORREF text = GetSysColor(COLOR_BTNTEXT);
  const std::uint32_t ink = GetRValue(text) << 16 | GetGValue(text) << 8 | GetBValue(text);
  int left = 0, right = 0;
  for (int y = 2; y < button.Height() - 2; ++y) {
    const std::uint32_t* row = button.ScanLine(y);
    for (int x = 2; x < button.Width() - 2; ++x)
      if ((row[x] & 0xFFFFFF) == ink) ++(2 * x < button.Width() ? left : right);
  }
  return left > 0 && right > 0 && 2 * std::min(left, right) >= std::max(left, right);
}

// Each button drawn in the system's look lies at the place the whole skin gives its command
// and shows, pixel for pixel, what DrawFrameControl draws into a picture of its size. Answers
// how many there are.
inline int ExpectSystemLookButtons(HWND window, const TPlaces& whole) {
  const skin::TWinSkinForm* frame = FrameOf(window);
  if (!frame) return 0;
  SendMessageW(window, WM_NCACTIVATE, TRUE, 0);
  const auto painted = skinswitch::CaptureFrame(window);
  int count = 0;
  for (const auto& b : frame->Buttons()) {
    if (!b->Enabled || !b->Native) continue;
    ++count;
    const LRESULT code = skin::CaptionButtonHitCode(b->Action());
    const RECT r = b->Bounds;
    if (whole.contains(code)) {
      EXPECT_TRUE(EqualRect(&r, &whole.at(code))) << "button " << code << " moved";
    }
    ui::TBitmap expected(r.right - r.left, r.bottom - r.top);
    RECT all{0, 0, expected.Width(), expected.Height()};
    DrawFrameControl(expected.Canvas()->Handle(), &all, DFC_CAPTION,
                     b->NativeLook | (b->NativeAvailable ? 0 : DFCS_INACTIVE));
    ui::TBitmap shown(expected.Width(), expected.Height());
    BitBlt(shown.Canvas()->Handle(), 0, 0, shown.Width(), shown.Height(), painted->Canvas()->Handle(),
           r.left, r.top, SRCCOPY);
    EXPECT_TRUE(skinswitch::Identical(expected, shown))
        << "button " << code << ": " << skinswitch::Differences(expected, shown);
    EXPECT_TRUE(partialskin::ShowsTwoColours(shown)) << "button " << code << " is one flat colour";
    if (code == HTCLOSE) EXPECT_TRUE(CloseGlyphIsACross(shown)) << "the close button shows no cross";
  }
  return count;
}

// A press and release of the left button on a caption button, as the mouse sends them.
inline void Click(HWND window, LRESULT code, const RECT& place) {
  const LPARAM at = ScreenMiddle(window, place);
  SendMessageW(window, WM_NCLBUTTONDOWN, static_cast<WPARAM>(code), at);
  POINT client{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  ScreenToClient(window, &client);
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
}

// A click on the minimize button minimizes the window (it is restored after); a click on the
// close button asks the window to close (the request is taken off the queue unanswered).
inline void ExpectMinimizeAndCloseWork(HWND window, const TPlaces& whole) {
  if (whole.contains(HTCLOSE)) {
    Click(window, HTCLOSE, whole.at(HTCLOSE));
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, window, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE))
        << "a click on the close button did not ask the window to close";
    EXPECT_EQ(msg.wParam & 0xFFF0, static_cast<WPARAM>(SC_CLOSE));
  }
  if (whole.contains(HTMINBUTTON)) {
    Click(window, HTMINBUTTON, whole.at(HTMINBUTTON));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return IsIconic(window) != FALSE; }))
        << "a click on the minimize button did not minimize the window";
    SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return !IsIconic(window); }));
    testsupport::PumpFor(50);
  }
}

}  // namespace captionfallback
