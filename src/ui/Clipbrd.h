// The system clipboard, as text.
#pragma once

#include <windows.h>

#include <string>

namespace ui {

// Puts `text` on the clipboard as Unicode text, owned by `owner`; answers whether it is there.
bool SetClipboardText(HWND owner, const std::wstring& text);
// The clipboard's Unicode text; empty when it holds none.
std::wstring ClipboardText(HWND owner);

}  // namespace ui
