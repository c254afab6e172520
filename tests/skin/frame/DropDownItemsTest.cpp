// The drop-downs of a window without form object: their items are owner-drawn by the skinned
// painter while open and get their own types back afterwards; the Alt key ends the menu loop.
#include <algorithm>
#include <string>
#include <vector>

#include "FrameTestSupport.h"
#include "skin/frame/DropDownItems.h"
#include "skin/frame/WinSkinMenu.h"
#include "skin/frame/WinSkinPopMenu.h"

namespace {

using namespace skin;
using frametest::FrameTest;
using frametest::M;

constexpr UINT kOpen = 101, kChecked = 102, kDeep = 103, kGone = 104;

int g_ownDrawItems = 0;  // draw requests that reached the window's own procedure

LRESULT CALLBACK BareMenuProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DRAWITEM || msg == WM_MEASUREITEM) ++g_ownDrawItems;
  return DefWindowProcW(window, msg, wParam, lParam);
}

struct TBareMenuWindow {
  HWND window = nullptr;
  HMENU bar = nullptr, file = nullptr, more = nullptr;

  TBareMenuWindow() {
    static const bool registered = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = BareMenuProc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"VexloBareMenuWindow";
      return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    more = CreatePopupMenu();
    AppendMenuW(more, MF_STRING, kDeep, L"Deep");
    file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kOpen, L"&Open\tCtrl+O");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING | MF_CHECKED, kChecked, L"Checked");
    AppendMenuW(file, MF_POPUP, reinterpret_cast<UINT_PTR>(more), L"More");
    AppendMenuW(file, MF_STRING | MF_GRAYED, kGone, L"Gone");
    bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    window = CreateWindowExW(0, L"VexloBareMenuWindow", L"bare menu", WS_OVERLAPPEDWINDOW, 40, 40,
                             360, 260, nullptr, bar, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
  }
  ~TBareMenuWindow() {
    if (IsWindow(window)) DestroyWindow(window);
  }
};

BOOL CALLBACK FindVisibleMenu(HWND window, LPARAM out) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wstring(name) != L"#32768" || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(out) = window;
  return FALSE;
}

HWND OpenMenuWindow() {
  HWND menu = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindVisibleMenu, reinterpret_cast<LPARAM>(&menu));
  return menu;
}

// What a timer saw inside the open drop-down (the menu's own loop runs the timer).
struct TSeen {
  TBareMenuWindow* owner = nullptr;
  TWinSkinForm* frame = nullptr;
  int ticks = 0;
  bool done = false;
  std::vector<UINT> types;           // the drop-down's item types while open
  int seenAt = 0;                    // the tick that first saw the open drop-down
  ui::TBitmap* printed = nullptr;    // the open menu window printed
  ui::TBitmap* background = nullptr; // the popup skinner's picture of the menu window
  std::vector<RECT> itemRects;       // the items' rectangles in the menu window
  std::vector<RECT> drawnRects;      // the rectangles of the last draw requests, by position
  HHOOK drawHook = nullptr;
  std::vector<bool> loopAfterKey;    // InMenuLoop right after our hook saw each key
  HHOOK hook = nullptr;
} g_seen;

// Where each item of the drop-down is drawn (client coordinates of the menu window), as the
// draw requests to the window say.
LRESULT CALLBACK WatchDrawRequests(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && call && call->message == WM_DRAWITEM) {
    const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(call->lParam);
    const auto menu = reinterpret_cast<HMENU>(draw->hwndItem);
    for (int i = 0; draw->CtlType == ODT_MENU && menu == g_seen.owner->file &&
                    i < GetMenuItemCount(menu); ++i) {
      const UINT id = GetMenuItemID(menu, i);
      const HMENU sub = GetSubMenu(menu, i);
      if (draw->itemID == (sub ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(sub)) : id)) {
        g_seen.drawnRects[static_cast<std::size_t>(i)] = draw->rcItem;
      }
    }
  }
  return CallNextHookEx(g_seen.drawHook, code, wParam, lParam);
}

void RecordOpenDropDown(HWND menuWindow) {
  const HMENU file = g_seen.owner->file;
  RECT window{};
  GetWindowRect(menuWindow, &window);
  POINT client{0, 0};
  ClientToScreen(menuWindow, &client);
  for (int i = 0; i < GetMenuItemCount(file); ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(file, static_cast<UINT>(i), TRUE, &info);
    g_seen.types.push_back(info.fType);
  }
  TWinSkinPopMenu* popup = M()->PopupSkinnerFor(file);
  if (popup && popup->Picture()) {
    ui::TBitmap* picture = popup->Picture();
    g_seen.background->SetSize(picture->Width(), picture->Height());
    BitBlt(g_seen.background->Canvas()->Handle(), 0, 0, picture->Width(), picture->Height(),
           picture->Canvas()->Handle(), 0, 0, SRCCOPY);
  }
  g_seen.printed->SetSize(window.right - window.left, window.bottom - window.top);
  g_seen.drawnRects.assign(static_cast<std::size_t>(GetMenuItemCount(file)), RECT{0, 0, 0, 0});
  g_seen.drawHook =
      SetWindowsHookExW(WH_CALLWNDPROC, WatchDrawRequests, nullptr, GetCurrentThreadId());
  SendMessageW(menuWindow, WM_PRINT, reinterpret_cast<WPARAM>(g_seen.printed->Canvas()->Handle()),
               PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
  UnhookWindowsHookEx(g_seen.drawHook);
  for (RECT r : g_seen.drawnRects) {
    OffsetRect(&r, client.x - window.left, client.y - window.top);
    g_seen.itemRects.push_back(r);
  }
}

void CALLBACK PrintTick(HWND, UINT, UINT_PTR, DWORD) {
  if (++g_seen.ticks > 100) EndMenu();  // a script gone wrong leaves no menu open
  const HWND menu = OpenMenuWindow();
  if (!menu || g_seen.done) return;
  // The first item is selected as the drop-down opens: recorded a tick later.
  if (!g_seen.seenAt) {
    g_seen.seenAt = g_seen.ticks;
    return;
  }
  RecordOpenDropDown(menu);
  g_seen.done = true;
  EndMenu();
}

// The menu window's own erasing runs unless the skin's options ask for the menu background
// alone (xoMenuBG); the erase is answered as done either way.
int g_ownErases = 0;
LRESULT CALLBACK CountingMenuProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ERASEBKGND) {
    ++g_ownErases;
    return 0;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

struct AlwaysActive : TPopupSkinnerOwner {
  bool Active() const override { return true; }
};

TEST_F(FrameTest, AMenuWindowErasesItselfUnlessTheSkinAsksForItsBackgroundAlone) {
  WNDCLASSW cls{};
  cls.lpfnWndProc = CountingMenuProc;
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.lpszClassName = L"VexloCountingMenu";
  RegisterClassW(&cls);
  const HWND window = CreateWindowExW(0, cls.lpszClassName, L"", WS_POPUP, 0, 0, 80, 60, nullptr,
                                      nullptr, cls.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  AlwaysActive owner;
  ui::TBitmap target(80, 60);
  const auto erase = [&] {
    return SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.Canvas()->Handle()), 0);
  };
  {
    TWinSkinPopMenu popup(owner, window, data_);
    g_ownErases = 0;
    data_->SetOptions(data_->Options() & ~SetOf({xoMenuBG}));
    EXPECT_EQ(erase(), 1);
    EXPECT_EQ(g_ownErases, 1);
    data_->SetOptions(data_->Options() | SetOf({xoMenuBG}));
    EXPECT_EQ(erase(), 1);
    EXPECT_EQ(g_ownErases, 1);
  }
  // Released: the window's own procedure answers again.
  EXPECT_EQ(erase(), 0);
  EXPECT_EQ(g_ownErases, 2);
  DestroyWindow(window);
}

// The drop-down's pixels, once with each skin of ours.
using DropDownSkinTest = frametest::OwnSkinFrameTest;
INSTANTIATE_FOR_OWN_SKINS(DropDownSkinTest);

TEST_P(DropDownSkinTest, ADropDownOfAWindowWithoutFormObjectIsDrawnByTheSkinnedPainter) {
  TBareMenuWindow bare;
  TWinSkinForm* frame = frametest::RunningFrame(bare.window);
  ASSERT_NE(frame, nullptr);
  ASSERT_NE(frame->MenuBar(), nullptr);
  ASSERT_EQ(frame->MenuBar()->Items().size(), 1u);
  ui::TBitmap printed(1, 1), background(1, 1);
  g_seen = {};
  g_seen.owner = &bare;
  g_seen.printed = &printed;
  g_seen.background = &background;
  g_ownDrawItems = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 40, PrintTick);
  SendMessageW(bare.window, WM_SYSCOMMAND, SC_KEYMENU, 'f');
  KillTimer(nullptr, timer);
  ASSERT_TRUE(g_seen.done);

  // While open every item is owner-drawn, and no request reaches the window's own procedure.
  ASSERT_EQ(g_seen.types.size(), 5u);
  for (const UINT type : g_seen.types) EXPECT_NE(type & MFT_OWNERDRAW, 0u);
  EXPECT_EQ(g_ownDrawItems, 0);
  // Each item is measured for its text, the separator 8 pixels high.
  const SIZE open = MeasureHandleItem(*data_, L"&Open\tCtrl+O");
  EXPECT_EQ(frametest::Height(g_seen.itemRects[0]), open.cy);
  EXPECT_GE(frametest::Width(g_seen.itemRects[0]), open.cx);
  EXPECT_EQ(frametest::Height(g_seen.itemRects[1]), 8);

  // The printed menu window shows each item exactly as the painter draws it over the menu's
  // background: "Open" selected, its shortcut apart, "Checked" with its mark, "More" with the
  // painter's arrow and no system arrow, "Gone" disabled.
  TOwnerDrawnDropDown::TItem items[] = {
      {bare.file, 0, MFT_STRING, kOpen, L"&Open\tCtrl+O", nullptr},
      {bare.file, 2, MFT_STRING, kChecked, L"Checked", nullptr},
      {bare.file, 3, MFT_STRING, 0, L"More", nullptr},
      {bare.file, 4, MFT_STRING, kGone, L"Gone", nullptr}};
  const bool selected[] = {true, false, false, false};
  ASSERT_GT(background.Width(), 1);
  for (std::size_t k = 0; k < std::size(items); ++k) {
    const TOwnerDrawnDropDown::TItem& item = items[k];
    const TMenuItemLook look = LookOfHandleItem(item, selected[k]);
    const RECT r = g_seen.itemRects[item.Position];
    const int w = frametest::Width(r), h = frametest::Height(r);
    ASSERT_GT(w, 40) << "item " << item.Position << " was not drawn";
    ASSERT_GT(h, 8);
    ui::TBitmap expected(w, h);
    DrawMenuItem(*data_, expected.Canvas()->Handle(), {0, 0, w, h}, look, &background,
                 {r.left, r.top});
    int differ = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        differ += (printed.ScanLine(r.top + y)[r.left + x] & 0xFFFFFF) !=
                  (expected.ScanLine(y)[x] & 0xFFFFFF);
      }
    }
    EXPECT_EQ(differ, 0) << "item " << item.Position;
  }
  EXPECT_TRUE(LookOfHandleItem(items[1], false).Checked);
  EXPECT_FALSE(LookOfHandleItem(items[3], false).Enabled);
  EXPECT_EQ(LookOfHandleItem(items[0], false).ShortCut, L"Ctrl+O");
  EXPECT_TRUE(LookOfHandleItem(items[2], false).HasSubMenu);

  // Closed, the items have their own types and texts back.
  wchar_t text[32] = {};
  EXPECT_GT(GetMenuStringW(bare.file, 0, text, 32, MF_BYPOSITION), 0);
  EXPECT_EQ(std::wstring(text), L"&Open\tCtrl+O");
  const auto ownerDrawn = [](HMENU menu, int position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
    return (info.fType & MFT_OWNERDRAW) != 0;
  };
  for (int i = 0; i < GetMenuItemCount(bare.file); ++i) EXPECT_FALSE(ownerDrawn(bare.file, i)) << i;
  EXPECT_FALSE(ownerDrawn(bare.more, 0));
  EXPECT_NE(GetMenuState(bare.file, kChecked, MF_BYCOMMAND) & MF_CHECKED, 0u);
}

// ---------------------------------------------------------------------------------------------
// The Alt key ends the menu loop.

LRESULT CALLBACK WatchKeys(int code, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallNextHookEx(g_seen.hook, code, wParam, lParam);
  const auto* msg = reinterpret_cast<const MSG*>(lParam);
  if (code == MSGF_MENU && msg && (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN)) {
    g_seen.loopAfterKey.push_back(g_seen.frame->InMenuLoop());
  }
  return result;
}

void CALLBACK KeyTick(HWND, UINT, UINT_PTR, DWORD) {
  if (++g_seen.ticks > 100) EndMenu();
  const HWND menu = OpenMenuWindow();
  if (!menu || g_seen.done) return;
  g_seen.done = true;
  // Installed last, this hook is asked first and sees the frame's hook's work after it.
  g_seen.hook = SetWindowsHookExW(WH_MSGFILTER, WatchKeys, nullptr, GetCurrentThreadId());
  PostMessageW(g_seen.owner->window, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(g_seen.owner->window, WM_SYSKEYDOWN, VK_MENU, 0x20000000);
  PostMessageW(g_seen.owner->window, WM_KEYDOWN, VK_ESCAPE, 0);
}

TEST_F(FrameTest, TheAltKeyEndsTheMenuLoopWhileOtherKeysKeepIt) {
  TBareMenuWindow bare;
  TWinSkinForm* frame = frametest::RunningFrame(bare.window);
  ASSERT_NE(frame, nullptr);
  g_seen = {};
  g_seen.owner = &bare;
  g_seen.frame = frame;
  const UINT_PTR timer = SetTimer(nullptr, 0, 40, KeyTick);
  SendMessageW(bare.window, WM_SYSCOMMAND, SC_KEYMENU, 0);
  KillTimer(nullptr, timer);
  if (g_seen.hook) UnhookWindowsHookEx(g_seen.hook);
  ASSERT_TRUE(g_seen.done);
  // The first key seen may be the Down the frame posts to select the first item.
  ASSERT_GE(g_seen.loopAfterKey.size(), 2u);
  EXPECT_TRUE(g_seen.loopAfterKey.front());
  EXPECT_FALSE(g_seen.loopAfterKey.back());
  EXPECT_FALSE(frame->InMenuLoop());
}

}  // namespace
