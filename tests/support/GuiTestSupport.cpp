#include "GuiTestSupport.h"

#include <commctrl.h>
#include <dlgs.h>

#include "ui/Forms.h"

namespace testsupport {

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  DWORD start = GetTickCount();
  while (!done()) {
    if (static_cast<int>(GetTickCount() - start) > timeoutMs) return done();
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      ui::Application->ProcessMessages();
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }
  return true;
}

void PumpFor(int ms) {
  DWORD start = GetTickCount();
  PumpUntil([&] { return static_cast<int>(GetTickCount() - start) >= ms; }, ms + 1000);
}

namespace {
MessageBoxWatcher* g_watcher = nullptr;

struct TMenuCloser {
  bool seen = false;
  int ticks = 0;
} g_menuCloser;

BOOL CALLBACK NoteShownMenu(HWND window, LPARAM) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (lstrcmpW(name, L"#32768") != 0 || !IsWindowVisible(window)) return TRUE;
  g_menuCloser.seen = true;
  return FALSE;
}

// Runs inside the menu's own message loop.
void CALLBACK CloseShownMenu(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), NoteShownMenu, 0);
  if (g_menuCloser.seen || ++g_menuCloser.ticks > 200) EndMenu();
}
}  // namespace

bool OpenMenuAndClose(HWND window, wchar_t key) {
  g_menuCloser = {};
  const UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, CloseShownMenu);
  SendMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, key);
  KillTimer(nullptr, timer);
  return g_menuCloser.seen;
}

MessageBoxWatcher::MessageBoxWatcher() {
  g_watcher = this;
  timer_ = SetTimer(nullptr, 0, 50, &MessageBoxWatcher::Tick);
}

MessageBoxWatcher::~MessageBoxWatcher() {
  KillTimer(nullptr, timer_);
  g_watcher = nullptr;
}

BOOL CALLBACK MessageBoxWatcher::CloseBox(HWND window, LPARAM self) {
  wchar_t cls[64];
  GetClassNameW(window, cls, 64);
  // Message boxes are dialogs with their text in the static control 0xFFFF.
  if (lstrcmpW(cls, L"#32770") != 0 || !IsWindowVisible(window) || !GetDlgItem(window, 0xFFFF)) return TRUE;
  auto* watcher = reinterpret_cast<MessageBoxWatcher*>(self);
  wchar_t caption[512], text[2048];
  GetWindowTextW(window, caption, 512);
  GetDlgItemTextW(window, 0xFFFF, text, 2048);
  watcher->boxes_.push_back({caption, text});
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  return TRUE;
}

void CALLBACK MessageBoxWatcher::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (g_watcher) EnumThreadWindows(GetCurrentThreadId(), &CloseBox, reinterpret_cast<LPARAM>(g_watcher));
}

HWND OpenDialogNameField(HWND dialog) {
  if (HWND combo = GetDlgItem(dialog, cmb13)) {
    // An extended combo box hands out its edit; a plain one has it as a child.
    if (auto edit = reinterpret_cast<HWND>(SendMessageW(combo, CBEM_GETEDITCONTROL, 0, 0))) return edit;
    if (HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr)) return edit;
  }
  return GetDlgItem(dialog, edt1);
}

void ChooseInOpenDialog(HWND dialog, const std::wstring& path) {
  HWND edit = OpenDialogNameField(dialog);
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
}

unsigned ColourRGB(int colour) {
  COLORREF c = ui::ColorToRGB(colour);
  return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

int AtScreenDpi(int length) { return MulDiv(length, ui::SystemDpi(), ui::kDesignDpi); }

unsigned PixelRGB(HDC dc, int x, int y) {
  COLORREF c = GetPixel(dc, x, y);
  return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

std::set<std::wstring> NamesIn(const std::wstring& folder) {
  std::set<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (wcscmp(found.cFileName, L".") && wcscmp(found.cFileName, L"..")) names.insert(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

}  // namespace testsupport
