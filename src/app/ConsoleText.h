// Text for the console of the program's caller. The program is a windowed one, so it has a
// console only through handles its caller gave it (a pipe or a file: the text goes as UTF-8)
// or by attaching to the console of the process that started it (the text goes as the
// console's own wide characters).
#pragma once

#include <windows.h>

#include <string_view>

#include "app/download/Downloads.h"

namespace app {

class TConsoleText {
 public:
  TConsoleText();
  TConsoleText(const TConsoleText&) = delete;
  TConsoleText& operator=(const TConsoleText&) = delete;

  // Writes to the output, or to the error output; answers false when there is none.
  bool Out(std::wstring_view text) { return Write(out_, text); }
  bool Err(std::wstring_view text) { return Write(err_, text); }

 private:
  struct Target {
    HANDLE handle = nullptr;  // borrowed from the process, or owned by `opened`
    bool console = false;
    download::TUniqueHandle opened;
  };
  static bool Write(const Target& target, std::wstring_view text);
  void Resolve(Target& target, DWORD which);

  Target out_, err_;
};

}  // namespace app
