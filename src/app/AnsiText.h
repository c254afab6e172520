// Lossless conversion between the sheet's bytes (system narrow code page) and wide text.
//
// Every character of the code page becomes its wide character; bytes that do not form a
// character that converts back to themselves (a broken double-byte pair, an unmapped byte)
// become private-use characters U+F700 + byte, so converting back gives the bytes exactly.
// NUL bytes stay NUL characters.
#pragma once

#include <string>
#include <string_view>

namespace app {

std::wstring BytesToWide(std::string_view bytes);
std::string WideToBytes(std::wstring_view wide);

// Whether a byte starts a double-byte character in the system's narrow code page.
bool IsLeadByte(unsigned char c);

}  // namespace app
