#include "ui/ShellApi.h"

#include <shellapi.h>

namespace ui {

std::function<void(HWND, const std::wstring&)>& ShellOpenHook() {
  static std::function<void(HWND, const std::wstring&)> hook;
  return hook;
}

void ShellOpen(HWND parent, const std::wstring& target) {
  if (ShellOpenHook()) {
    ShellOpenHook()(parent, target);
    return;
  }
  ShellExecuteW(parent, nullptr, target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace ui
