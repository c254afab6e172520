#include "app/download/HttpResponse.h"

#include <array>
#include <cctype>
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

bool StartsWith(std::string_view bytes, std::string_view start) { return bytes.substr(0, start.size()) == start; }

// The first bytes of the binary image and font formats a sheet may name.
bool IsBinaryImageOrFont(std::string_view b) {
  using namespace std::literals;
  static constexpr std::array kMagic = {"GIF87a"sv, "GIF89a"sv, "\x89PNG\r\n\x1a\n"sv, "\xff\xd8\xff"sv, "BM"sv,
                                        "\0\0\1\0"sv, "\0\0\2\0"sv, "wOFF"sv, "wOF2"sv, "OTTO"sv,
                                        "\0\1\0\0"sv, "true"sv, "ttcf"sv};
  for (std::string_view magic : kMagic)
    if (StartsWith(b, magic)) return true;
  if (b.size() >= 12 && StartsWith(b, "RIFF") && b.substr(8, 4) == "WEBP") return true;
  if (b.size() >= 12 && b.substr(4, 4) == "ftyp") return true;   // AVIF and its kin
  return b.size() >= 36 && b.substr(34, 2) == "LP";              // EOT
}

// The bytes from the first that is not a byte-order mark or a blank, in lower case.
std::string OpeningText(std::string_view b) {
  if (StartsWith(b, "\xef\xbb\xbf")) b.remove_prefix(3);
  while (!b.empty() && std::isspace(static_cast<unsigned char>(b.front()))) b.remove_prefix(1);
  std::string text(b.substr(0, 16));
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::wstring ContentType(std::wstring_view headers) {
  std::optional<std::wstring_view> value = Header(headers, L"Content-Type");
  if (!value) return {};
  std::wstring type(Trimmed(value->substr(0, value->find(L';'))));
  for (wchar_t& c : type) c = static_cast<wchar_t>(std::towlower(c));
  return type;
}

bool IsWebAddress(std::wstring_view address) {
  for (std::wstring_view scheme : {L"http://", L"https://"})
    if (address.size() >= scheme.size() && SameLetters(address.substr(0, scheme.size()), scheme)) return true;
  return false;
}

bool IsWebPage(std::string_view start, std::wstring_view type) {
  if (IsBinaryImageOrFont(start)) return false;
  std::string text = OpeningText(start);
  if (StartsWith(text, "<svg") || StartsWith(text, "<?xml")) return false;
  for (std::string_view tag : {"<!doctype html", "<html", "<head", "<body", "<title", "<meta", "<script"})
    if (StartsWith(text, tag)) return true;
  return type == L"text/html" || type == L"application/xhtml+xml";
}

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
