// The style-sheet workflow's text rules, free of any window: the test page, the folder of a
// path and the local names of addresses (SheetAddress.h has the addresses themselves). All
// texts are bytes in the system's narrow code page; `isLeadByte` tells which bytes start a
// double-byte character there.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace workflow {

using LeadBytePredicate = std::function<bool(unsigned char)>;

// `text` as an HTML attribute value: quoted, with & < > and " escaped, double-byte
// characters left whole.
std::string HtmlAttribute(std::string_view text, const LeadBytePredicate& isLeadByte);

// Line i + 1 of the test page for found line `index` whose full address is `address`.
std::string TestPageLine(int index, std::string_view address, const LeadBytePredicate& isLeadByte);

// The folder part of a path, up to and including its last "\\", "/" or drive colon; empty
// when it has none.
std::wstring FolderOf(std::wstring_view path);

// The file name an address names: the last "/"-separated part of the address without its
// query ("?…") and fragment ("#…"). A backslash and percent escapes stay; an address whose
// path ends in "/" gives "".
std::string UrlFileName(std::string_view address);

// The longest name SafeFileName gives, in bytes: a Windows file name holds 255 UTF-16 units,
// a byte of the code page never gives more than one, and the download may put a number and
// "_" in front of the name (up to 11 bytes).
constexpr size_t kMaxFileNameBytes = 240;

// A name that is safe to create inside the sheet's folder: everything up to the last "\"
// dropped, characters that Windows forbids in file names (< > : " | ? * and control
// characters) replaced by "_", and so is a lead byte not followed by a second byte of its
// character (0x40 and above). A name longer than kMaxFileNameBytes is cut on a character
// boundary, keeping its extension when that is short. Trailing dots and spaces are replaced
// too, and a reserved device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, also with a Latin-1
// superscript digit, with or without an extension) is prefixed with "_". "." and ".." become
// empty. Empty when nothing is left.
std::string SafeFileName(std::string_view name, const LeadBytePredicate& isLeadByte);

}  // namespace workflow
