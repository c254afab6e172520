#include "app/AnsiText.h"

#include <windows.h>

namespace app {
namespace {

constexpr wchar_t kEscapeBase = 0xF700;

bool IsEscape(wchar_t c) { return c >= kEscapeBase && c <= kEscapeBase + 0xFF; }

// The wide character for one code-page character, or 0 when it does not round-trip.
wchar_t DecodeOne(std::string_view unit) {
  wchar_t w[2];
  int n = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, unit.data(), static_cast<int>(unit.size()), w, 2);
  if (n != 1 || IsEscape(w[0])) return 0;
  char back[4];
  BOOL lossy = FALSE;
  int m = WideCharToMultiByte(CP_ACP, 0, w, 1, back, sizeof back, nullptr, &lossy);
  if (lossy || m != static_cast<int>(unit.size()) || std::string_view(back, static_cast<size_t>(m)) != unit) return 0;
  return w[0];
}

}  // namespace

bool IsLeadByte(unsigned char c) { return IsDBCSLeadByte(c) != FALSE; }

std::wstring BytesToWide(std::string_view bytes) {
  std::wstring out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x80) {  // ASCII and NUL are themselves in every narrow code page we run on
      out += static_cast<wchar_t>(c);
      ++i;
      continue;
    }
    size_t len = IsLeadByte(c) && i + 1 < bytes.size() ? 2 : 1;
    wchar_t w = DecodeOne(bytes.substr(i, len));
    if (w) {
      out += w;
      i += len;
    } else {
      out += static_cast<wchar_t>(kEscapeBase + c);
      ++i;
    }
  }
  return out;
}

std::string WideToBytes(std::wstring_view wide) {
  std::string out;
  out.reserve(wide.size() * 2);
  for (wchar_t c : wide) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (IsEscape(c)) {
      out += static_cast<char>(c - kEscapeBase);
    } else {
      char buf[4];
      int n = WideCharToMultiByte(CP_ACP, 0, &c, 1, buf, sizeof buf, nullptr, nullptr);
      out.append(buf, static_cast<size_t>(n > 0 ? n : 0));
    }
  }
  return out;
}

}  // namespace app
