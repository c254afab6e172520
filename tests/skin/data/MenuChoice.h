// A menu opened as the keyboard opens it (Alt and a key), printed while it is shown, and an
// item of it chosen by the keyboard: the arrow keys move to the item, Enter chooses it. The
// menu's own message loop runs the steps on a timer.
#pragma once

#include <windows.h>

#include <memory>

#include "PartialSkins.h"
#include "skin/data/SkinMessages.h"
#include "ui/Canvas.h"

namespace menuchoice {

struct TChoice {
  HWND keys = nullptr;      // where the keys are posted
  int position = -1;        // the item to choose; -1 for the item selected when the menu opens
  bool seen = false;
  LRESULT skinned = 0;      // what the menu window answered SKM_QUERYSKINNED
  bool chose = false;       // Enter was pressed on the item
  int ticks = 0;
  std::unique_ptr<ui::TBitmap> picture;  // the menu window as it was first shown
};

inline TChoice g_choice;

inline BOOL CALLBACK FindShownMenu(HWND window, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (lstrcmpW(name, L"#32768") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// The position of the menu's highlighted item, or -1.
inline int HighlightedPosition(HWND menuWindow) {
  constexpr UINT kGetMenuHandle = 0x01E1;  // MN_GETHMENU
  const auto menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, kGetMenuHandle, 0, 0));
  const int count = menu ? GetMenuItemCount(menu) : 0;
  for (int i = 0; i < count; ++i) {
    if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) {
      return i;
    }
  }
  return -1;
}

inline void CALLBACK Step(HWND, UINT, UINT_PTR, DWORD) {
  TChoice& c = g_choice;
  // A step that went wrong leaves no menu open for ever.
  if (++c.ticks > 150) EndMenu();
  HWND menu = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindShownMenu, reinterpret_cast<LPARAM>(&menu));
  if (!menu || c.chose) return;
  if (!c.seen) {
    c.seen = true;
    c.skinned = SendMessageW(menu, skin::SKM_QUERYSKINNED, 0, 0);
    RECT r{};
    GetWindowRect(menu, &r);
    c.picture = std::make_unique<ui::TBitmap>(r.right - r.left, r.bottom - r.top);
    SendMessageW(menu, WM_PRINT, reinterpret_cast<WPARAM>(c.picture->Canvas()->Handle()),
                 PRF_NONCLIENT | PRF_CLIENT);
  }
  const bool there = c.position < 0 || HighlightedPosition(menu) == c.position;
  PostMessageW(c.keys, WM_KEYDOWN, there ? VK_RETURN : VK_DOWN, 0);
  c.chose = there;
}

// Opens the menu of `window` that Alt+`key` opens and chooses the item at `position`; answers
// what was seen.
inline TChoice OpenAndChoose(HWND window, wchar_t key, int position) {
  g_choice = {};
  g_choice.keys = window;
  g_choice.position = position;
  const UINT_PTR timer = SetTimer(nullptr, 0, 40, Step);
  SendMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, key);
  KillTimer(nullptr, timer);
  return std::move(g_choice);
}

// Whether the menu's inside (within its three-pixel border) shows more than one colour: its
// items are drawn, not left blank.
inline bool ShowsItems(const ui::TBitmap& picture) {
  constexpr int kBorder = 3;
  if (picture.Width() <= 2 * kBorder || picture.Height() <= 2 * kBorder) return false;
  ui::TBitmap inside(picture.Width() - 2 * kBorder, picture.Height() - 2 * kBorder);
  for (int y = 0; y < inside.Height(); ++y) {
    for (int x = 0; x < inside.Width(); ++x) inside.ScanLine(y)[x] = picture.ScanLine(y + kBorder)[x + kBorder];
  }
  return partialskin::ShowsTwoColours(inside);
}

}  // namespace menuchoice
