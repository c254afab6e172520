// Where the build put a program that a test starts as a process of its own. CMake compiles the
// path in (forward slashes, a drive letter under Wine); the process functions want backslashes.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>

namespace testsupport {

inline std::wstring BuiltProgram(const char* utf8Path) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8Path, -1, nullptr, 0);
  std::wstring path(size > 0 ? size - 1 : 0, L'\0');
  if (size > 1) MultiByteToWideChar(CP_UTF8, 0, utf8Path, -1, path.data(), size);
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

}  // namespace testsupport
