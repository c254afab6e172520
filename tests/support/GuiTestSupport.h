// Helpers for tests that drive real windows on the GUI thread.
#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace testsupport {

// How long a test waits for an event the program raises by itself (a window shown, a skin
// applied, a message box): far above the program's own delays, so that a loaded machine
// never fails a case, and well below a case's time limit. Waiting costs nothing once the
// event has come.
constexpr int kEventDeadlineMs = 60000;
// How long a test waits for a whole download run or command-line run to end: each download
// may take up to the program's stall limit of 30 s before it fails.
constexpr int kRunDeadlineMs = 120000;
// Handles waiting messages until `done` answers true or `timeoutMs` passed; answers `done()`.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = kEventDeadlineMs);
// Handles waiting messages for a while.
void PumpFor(int ms);

// Watches for message boxes of this thread while it lives: records each one's caption and
// text and closes it with its default button.
class MessageBoxWatcher {
 public:
  MessageBoxWatcher();
  ~MessageBoxWatcher();
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

  struct Box {
    std::wstring caption;
    std::wstring text;
  };
  const std::vector<Box>& Boxes() const { return boxes_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  static BOOL CALLBACK CloseBox(HWND window, LPARAM self);
  UINT_PTR timer_ = 0;
  std::vector<Box> boxes_;
};

// The open dialog's file-name field: the edit inside its name combo box, or a plain edit.
HWND OpenDialogNameField(HWND dialog);
// Types `path` into an open dialog's file-name field and presses its Open button, by posting
// the keystrokes and the click to the dialog's own message loop.
void ChooseInOpenDialog(HWND dialog, const std::wstring& path);

// The names of the files and folders in `folder` (with its trailing separator), "." and ".."
// left out.
std::set<std::wstring> NamesIn(const std::wstring& folder);

// A colour (system colours resolved) as 0x00RRGGBB, the layout of a DIB pixel.
unsigned ColourRGB(int colour);

// Opens a menu of the window as the keyboard does (Alt with `key`: ' ' the system menu, a
// letter the menu-bar item of that accelerator) and closes it once its menu window shows;
// answers whether one showed. A menu that never shows is given up after about two seconds.
bool OpenMenuAndClose(HWND window, wchar_t key);

// The 0x00RRGGBB colour of a pixel of a device context.
unsigned PixelRGB(HDC dc, int x, int y);

// A length given at 96 DPI, at the DPI the test program runs at (rounded as the program
// rounds: halves away from zero).
int AtScreenDpi(int length);

}  // namespace testsupport
