// Image addresses as style sheets write them: where the address proper stands inside what the
// pattern found (sheets mostly write url("…") or url('…')), what full web address it names,
// the local file name it is saved under, and how the sheet is rewritten to point at the
// local files. All texts are bytes in the system's narrow code page.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/Workflow.h"

namespace workflow {

// The address proper inside a found text: the text without the blanks around it and, when
// what is left is enclosed in one pair of matching quotes (' or "), without those quotes and
// the blanks inside them. `offset` and `length` say where it stands in the found text.
struct AddressSpan {
  size_t offset = 0;
  size_t length = 0;
};
AddressSpan AddressWithin(std::string_view found);
std::string_view InnerAddress(std::string_view found);

// An image embedded in the sheet ("data:", any letter case): nothing to download.
bool IsEmbedded(std::string_view address);

// The full web address for a found text: its inner address taken unchanged when it is
// embedded, names its server ("http://" or "https://", any letter case) or carries "http://"
// anywhere; given the scheme of the site-absolute prefix ("http:" when the prefix names none)
// when it is protocol-relative ("//host/…"); the site-absolute prefix in front when it starts
// with "/"; the relative prefix in front otherwise. Prefixes are used exactly as typed.
std::string FullAddress(std::string_view found, std::string_view absolutePrefix, std::string_view relativePrefix);

// An address and what it becomes in the sheet.
using AddressReplacement = std::pair<std::string, std::string>;

// The sheet's text with every address replaced where it stands whole: preceded by the
// start of the text or a delimiter, and followed by a delimiter or the end (delimiters:
// parentheses, quotes, blanks, line ends, commas and semicolons). One pass from left to
// right over the text as loaded, so that no replacement is searched again and none can
// change another address; where several addresses stand whole at one place, the longest
// wins, then the earliest. An address inside the sheet's quotes stands whole too, so the
// quotes stay. A match starts and ends on a character boundary: never on the second byte of
// a double-byte character, and an address that ends in a lead byte stands whole only at the
// end of the text. An empty address replaces nothing.
std::string ReplaceWholeAddresses(std::string_view text, const std::vector<AddressReplacement>& replacements,
                                  const LeadBytePredicate& isLeadByte);

// Where ReplaceWholeAddresses replaces: `length` bytes of the text from `offset`, which are
// the address of replacements[`replacement`].
struct ReplacedAddress {
  size_t offset = 0;
  size_t length = 0;
  size_t replacement = 0;
};
// The places ReplaceWholeAddresses replaces, from left to right, none overlapping another.
std::vector<ReplacedAddress> WholeAddresses(std::string_view text, const std::vector<AddressReplacement>& replacements,
                                            const LeadBytePredicate& isLeadByte);

}  // namespace workflow
