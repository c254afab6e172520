#include "GalleryEvents.h"

#include <windows.h>

#include <filesystem>
#include <fstream>

namespace skinview {

void RecordGalleryEvent(const std::wstring& line) {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(L"SKINVIEW_EVENTS", path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  std::ofstream out(std::filesystem::path(path), std::ios::app | std::ios::binary);
  // Event lines are plain ASCII identifiers and numbers.
  out << std::string(line.begin(), line.end()) << '\n';
}

}  // namespace skinview
