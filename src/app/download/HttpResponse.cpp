#include "app/download/HttpResponse.h"

#include <cwctype>

namespace download {
namespace {

bool SameLetters(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  return true;
}

std::wstring_view Trimmed(std::wstring_view s) {
  while (!s.empty() && (s.front() == L' ' || s.front() == L'\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == L' ' || s.back() == L'\t' || s.back() == L'\r')) s.remove_suffix(1);
  return s;
}

}  // namespace

std::optional<uint64_t> AnnouncedLength(std::wstring_view headers) {
  constexpr std::wstring_view kName = L"Content-Length";
  while (!headers.empty()) {
    size_t end = headers.find(L'\n');
    std::wstring_view line = headers.substr(0, end);
    headers.remove_prefix(end == std::wstring_view::npos ? headers.size() : end + 1);
    size_t colon = line.find(L':');
    if (colon == std::wstring_view::npos || !SameLetters(Trimmed(line.substr(0, colon)), kName)) continue;
    std::wstring_view value = Trimmed(line.substr(colon + 1));
    if (value.empty() || value.size() > 19) return std::nullopt;
    uint64_t length = 0;
    for (wchar_t c : value) {
      if (c < L'0' || c > L'9') return std::nullopt;
      length = length * 10 + static_cast<uint64_t>(c - L'0');
    }
    return length;
  }
  return std::nullopt;
}

}  // namespace download
