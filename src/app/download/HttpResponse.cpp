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

// The value of the first header called `name`; nothing when there is none.
std::optional<std::wstring_view> Header(std::wstring_view headers, std::wstring_view name) {
  while (!headers.empty()) {
    size_t end = headers.find(L'\n');
    std::wstring_view line = headers.substr(0, end);
    headers.remove_prefix(end == std::wstring_view::npos ? headers.size() : end + 1);
    size_t colon = line.find(L':');
    if (colon != std::wstring_view::npos && SameLetters(Trimmed(line.substr(0, colon)), name))
      return Trimmed(line.substr(colon + 1));
  }
  return std::nullopt;
}

}  // namespace

std::optional<uint64_t> AnnouncedLength(std::wstring_view headers) {
  std::optional<std::wstring_view> encoding = Header(headers, L"Content-Encoding");
  if (encoding && !encoding->empty() && !SameLetters(*encoding, L"identity")) return std::nullopt;
  std::optional<std::wstring_view> value = Header(headers, L"Content-Length");
  if (!value || value->empty() || value->size() > 19) return std::nullopt;
  uint64_t length = 0;
  for (wchar_t c : *value) {
    if (c < L'0' || c > L'9') return std::nullopt;
    length = length * 10 + static_cast<uint64_t>(c - L'0');
  }
  return length;
}

}  // namespace download
