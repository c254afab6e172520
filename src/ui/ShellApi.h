// Opening documents and web addresses with the system's default handler.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace ui {

// Asks the shell to open `target` with its default handler: no verb, no parameters, no
// working folder, a normal window, `parent` as the owner. The result is not examined.
void ShellOpen(HWND parent, const std::wstring& target);

// Replaces the shell for ShellOpen while set (tests record the calls instead of starting a
// browser).
std::function<void(HWND parent, const std::wstring& target)>& ShellOpenHook();

}  // namespace ui
