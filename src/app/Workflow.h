// The style-sheet workflow's text rules, free of any window: finding addresses, choosing
// prefixes, writing the test page, and replacing addresses in the sheet. All texts are bytes
// in the system's narrow code page; `isLeadByte` tells which bytes start a double-byte
// character there.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>
#include <cstdint>

namespace workflow {

using LeadBytePredicate = std::function<bool(unsigned char)>;

// Whether a found candidate is already in the found list's text. The test is a
// case-sensitive substring test, not line equality; the empty candidate never occurs.
bool OccursInFoundList(std::string_view foundListText, std::string_view candidate);

// The found list's text, indexed so that the found-list test costs about the length of the
// candidate rather than the length of the list. Lines are added as the list grows; Contains
// answers exactly what OccursInFoundList answers on the list's text (every line followed by
// CR LF), for candidates without a line feed (a match never spans one).
class FoundListIndex {
 public:
  FoundListIndex();
  bool Contains(std::string_view candidate) const;
  void Add(std::string_view line);

 private:
  bool ShortContains(std::string_view candidate) const;
  std::vector<std::string> lines_;                          // each with its CR
  std::vector<uint64_t> shortGrams_;                        // bit set of every 1-, 2- and 3-byte string
  std::unordered_map<uint32_t, std::vector<int>> grams_;    // 4-byte string -> lines holding it
  std::string text_;                                        // fallback for candidates with a line feed
};

// The prefix for an address: none when it already contains "http://", the site-absolute
// prefix when it starts with "/", the relative prefix otherwise (the empty line included).
std::string_view PrefixFor(std::string_view address, std::string_view absolutePrefix,
                           std::string_view relativePrefix);

// `text` as an HTML attribute value: quoted, with & < > and " escaped, double-byte
// characters left whole.
std::string HtmlAttribute(std::string_view text, const LeadBytePredicate& isLeadByte);

// Line i + 1 of the test page for found line `index` whose full address is `address`.
std::string TestPageLine(int index, std::string_view address, const LeadBytePredicate& isLeadByte);

// Every occurrence of `search` in `text` replaced by `replacement` in one pass from left to
// right; the replacement is never searched again; no match starts on the second byte of a
// double-byte character; an empty search text replaces nothing.
std::string ReplaceAll(std::string_view text, std::string_view search, std::string_view replacement,
                       const LeadBytePredicate& isLeadByte);

// The folder part of a path, up to and including its last "\\", "/" or drive colon; empty
// when it has none.
std::wstring FolderOf(std::wstring_view path);

// The file name an address names: the part after its last "/", cut before its first "?".
// A backslash, a "#" fragment and percent escapes stay; an address ending in "/" gives "".
std::string UrlFileName(std::string_view address);

// A name that is safe to create inside the sheet's folder: everything up to the last "\"
// dropped, characters that Windows forbids in file names (< > : " | ? * and control
// characters) replaced by "_", trailing dots and spaces replaced too, and a reserved device
// name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an extension) prefixed with "_".
// "." and ".." become empty. Empty when nothing is left.
std::string SafeFileName(std::string_view name, const LeadBytePredicate& isLeadByte);

}  // namespace workflow
