// The style-sheet workflow's text rules, free of any window: the test page, the folder of a
// path and the local names of addresses (SheetAddress.h has the addresses themselves). All
// texts are bytes in the system's narrow code page; `isLeadByte` tells which bytes start a
// double-byte character there.
#pragma once

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

// A name that is safe to create inside the sheet's folder: everything up to the last "\"
// dropped, characters that Windows forbids in file names (< > : " | ? * and control
// characters) replaced by "_", trailing dots and spaces replaced too, and a reserved device
// name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an extension) prefixed with "_".
// "." and ".." become empty. Empty when nothing is left.
std::string SafeFileName(std::string_view name, const LeadBytePredicate& isLeadByte);

}  // namespace workflow
