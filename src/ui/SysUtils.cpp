#include "ui/SysUtils.h"

#include <windows.h>

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
std::wstring FromAnsi(std::string_view bytes) { return ToWide(CP_ACP, bytes); }
std::string ToAnsi(std::wstring_view wide) { return FromWide(CP_ACP, wide); }

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

}  // namespace ui
