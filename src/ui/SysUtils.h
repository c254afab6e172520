// Exceptions, text conversion, system error texts and the command line.
#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

// UTF-8 source text to the UTF-16 that the W API takes, and back.
std::wstring Widen(std::string_view utf8);
std::string Utf8(std::wstring_view wide);
// The system's narrow code page (936 on our users' machines) to UTF-16 and back, without
// loss: every character of the code page becomes its wide character; bytes that do not form
// a character converting back to themselves (a broken double-byte pair, an unmapped byte)
// become private-use characters U+F700 + byte, so ToAnsi gives the bytes back exactly. NUL
// bytes stay NUL characters.
std::wstring FromAnsi(std::string_view bytes);
std::string ToAnsi(std::wstring_view wide);
// Whether a byte starts a double-byte character in the system's narrow code page.
bool IsLeadByte(unsigned char c);

// Letter case of UTF-16 text as the C library's wide functions see it, and comparison
// without regard to it.
std::wstring LowerCase(std::wstring text);
std::wstring UpperCase(std::wstring text);
bool SameText(std::wstring_view a, std::wstring_view b);

// The decimal separator of the locale this thread formats numbers in (the user's locale
// unless the thread was given another one); "." when the system has none.
std::wstring DecimalSeparator();

// The system's own text for an error code, without trailing line breaks.
std::wstring SysErrorMessage(unsigned long code);
// Replaces each "%s" in order by the arguments.
std::wstring Format(std::wstring_view pattern, std::initializer_list<std::wstring_view> args);

// The library's exception: a handler that throws it stops there and the application's
// standard error box shows Message.
class Exception : public std::exception {
 public:
  explicit Exception(std::wstring message);
  const std::wstring& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  std::wstring message_;
  std::string utf8_;
};

// File errors carry the library's standard texts.
class EFOpenError : public Exception {
 public:
  EFOpenError(std::wstring_view fileName, unsigned long systemError);
};
class EFCreateError : public Exception {
 public:
  EFCreateError(std::wstring_view fileName, unsigned long systemError);
};

// An operating-system call failed; the message is the system's text for GetLastError.
[[noreturn]] void RaiseLastOSError();

// The message of any exception as the error box shows it.
std::wstring ExceptionMessage(const std::exception& e);

// The program's command-line arguments after its own name, split as the system splits them.
std::vector<std::wstring> ParamStrings();

}  // namespace ui
