#include "ui/SysUtils.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cwctype>
#include <memory>

namespace ui {
namespace {

std::wstring ToWide(UINT codePage, std::string_view bytes) {
  if (bytes.empty()) return {};
  int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
  return out;
}

std::string FromWide(UINT codePage, std::wstring_view wide) {
  if (wide.empty()) return {};
  int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

}  // namespace

std::wstring Widen(std::string_view utf8) { return ToWide(CP_UTF8, utf8); }
std::string Utf8(std::wstring_view wide) { return FromWide(CP_UTF8, wide); }
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

std::wstring FromAnsi(std::string_view bytes) {
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
    if (wchar_t w = DecodeOne(bytes.substr(i, len))) {
      out += w;
      i += len;
    } else {
      out += static_cast<wchar_t>(kEscapeBase + c);
      ++i;
    }
  }
  return out;
}

std::string ToAnsi(std::wstring_view wide) {
  std::string out;
  out.reserve(wide.size() * 2);
  for (wchar_t c : wide) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (IsEscape(c)) {
      out += static_cast<char>(c - kEscapeBase);
    } else {
      char buf[8];
      int n = WideCharToMultiByte(CP_ACP, 0, &c, 1, buf, sizeof buf, nullptr, nullptr);
      out.append(buf, static_cast<size_t>(n > 0 ? n : 0));
    }
  }
  return out;
}

std::wstring LowerCase(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
  return text;
}

std::wstring UpperCase(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); });
  return text;
}

bool SameText(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
}

std::wstring DecimalSeparator() {
  wchar_t separator[8] = {};  // the system allows at most four characters
  if (GetLocaleInfoW(GetThreadLocale(), LOCALE_SDECIMAL, separator, 8) <= 1) return L".";
  return separator;
}

std::wstring SysErrorMessage(unsigned long code) {
  wchar_t* buffer = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                           nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = n && buffer ? std::wstring(buffer, n) : std::wstring();
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
    text.pop_back();
  if (text.empty()) text = L"System error, code " + std::to_wstring(code);
  return text;
}

std::wstring Format(std::wstring_view pattern, std::initializer_list<std::wstring_view> args) {
  std::wstring out;
  auto arg = args.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == L'%' && i + 1 < pattern.size() && pattern[i + 1] == L's' && arg != args.end()) {
      out += *arg++;
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

Exception::Exception(std::wstring message) : message_(std::move(message)), utf8_(Utf8(message_)) {}

EFOpenError::EFOpenError(std::wstring_view fileName, unsigned long systemError)
    : Exception(Format(L"Cannot open file \"%s\". %s", {fileName, SysErrorMessage(systemError)})) {}

EFCreateError::EFCreateError(std::wstring_view fileName, unsigned long systemError)
    : Exception(Format(L"Cannot create file \"%s\". %s", {fileName, SysErrorMessage(systemError)})) {}

void RaiseLastOSError() {
  DWORD code = GetLastError();
  throw Exception(L"System Error.  Code: " + std::to_wstring(code) + L".\r\n" + SysErrorMessage(code));
}

std::wstring ExceptionMessage(const std::exception& e) {
  if (auto* ours = dynamic_cast<const Exception*>(&e)) return ours->Message();
  return Widen(e.what());
}

std::vector<std::wstring> ParamStrings() {
  struct TLocalFree {
    void operator()(wchar_t** words) const { LocalFree(words); }
  };
  int count = 0;
  const std::unique_ptr<wchar_t*, TLocalFree> words(CommandLineToArgvW(GetCommandLineW(), &count));
  std::vector<std::wstring> arguments;
  if (!words) return arguments;
  for (int i = 1; i < count; ++i) arguments.emplace_back(words.get()[i]);
  return arguments;
}

}  // namespace ui
