#include "ui/Clipbrd.h"

#include <cstring>

namespace ui {
namespace {

// The clipboard, open while this lives. Another program may hold it for a moment, so
// opening is tried a few times.
class TOpenClipboard {
 public:
  explicit TOpenClipboard(HWND owner) {
    for (int attempt = 0; attempt < 5 && !open_; ++attempt) {
      open_ = OpenClipboard(owner);
      if (!open_) Sleep(20);
    }
  }
  ~TOpenClipboard() {
    if (open_) CloseClipboard();
  }
  TOpenClipboard(const TOpenClipboard&) = delete;
  TOpenClipboard& operator=(const TOpenClipboard&) = delete;
  explicit operator bool() const { return open_; }

 private:
  BOOL open_ = FALSE;
};

// Movable global memory, freed when it goes unless the clipboard took it.
class TGlobalMemory {
 public:
  explicit TGlobalMemory(size_t bytes) : h_(GlobalAlloc(GMEM_MOVEABLE, bytes)) {}
  ~TGlobalMemory() {
    if (h_) GlobalFree(h_);
  }
  TGlobalMemory(const TGlobalMemory&) = delete;
  TGlobalMemory& operator=(const TGlobalMemory&) = delete;
  HGLOBAL Get() const { return h_; }
  HGLOBAL Release() {
    HGLOBAL h = h_;
    h_ = nullptr;
    return h;
  }

 private:
  HGLOBAL h_;
};

}  // namespace

bool SetClipboardText(HWND owner, const std::wstring& text) {
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  TGlobalMemory memory(bytes);
  if (!memory.Get()) return false;
  void* data = GlobalLock(memory.Get());
  if (!data) return false;
  std::memcpy(data, text.c_str(), bytes);
  GlobalUnlock(memory.Get());
  TOpenClipboard clipboard(owner);
  if (!clipboard || !EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, memory.Get())) return false;
  memory.Release();  // the clipboard owns it now
  return true;
}

std::wstring ClipboardText(HWND owner) {
  TOpenClipboard clipboard(owner);
  if (!clipboard) return {};
  HANDLE h = GetClipboardData(CF_UNICODETEXT);
  const auto* data = h ? static_cast<const wchar_t*>(GlobalLock(h)) : nullptr;
  if (!data) return {};
  std::wstring text(data, wcsnlen(data, GlobalSize(h) / sizeof(wchar_t)));
  GlobalUnlock(h);
  return text;
}

}  // namespace ui
