#include "app/ConsoleText.h"

#include <string>

#include "ui/SysUtils.h"

namespace app {
namespace {

bool Usable(HANDLE h) { return h && h != INVALID_HANDLE_VALUE && GetFileType(h) != FILE_TYPE_UNKNOWN; }

bool IsConsole(HANDLE h) {
  DWORD mode = 0;
  return GetConsoleMode(h, &mode) != 0;
}

}  // namespace

TConsoleText::TConsoleText() {
  Resolve(out_, STD_OUTPUT_HANDLE);
  Resolve(err_, STD_ERROR_HANDLE);
}

// The handle the caller gave, else the console of the process that started this one.
void TConsoleText::Resolve(Target& target, DWORD which) {
  HANDLE given = GetStdHandle(which);
  if (Usable(given)) {
    target.handle = given;
    target.console = IsConsole(given);
    return;
  }
  if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED) return;  // denied: attached already
  HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
  if (console == INVALID_HANDLE_VALUE) return;
  target.opened = download::TUniqueHandle(console);
  target.handle = console;
  target.console = true;
}

bool TConsoleText::Write(const Target& target, std::wstring_view text) {
  if (!target.handle) return false;
  if (target.console) {
    DWORD written = 0;
    return WriteConsoleW(target.handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) != 0;
  }
  std::string bytes = ui::Utf8(text);
  DWORD written = 0;
  return WriteFile(target.handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != 0;
}

}  // namespace app
