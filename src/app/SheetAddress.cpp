#include "app/SheetAddress.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace workflow {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

bool IsDelimiter(char c) {
  return IsBlank(c) || c == '(' || c == ')' || c == '\'' || c == '"' || c == ',' || c == ';';
}

bool StartsWithNoCase(std::string_view text, std::string_view start) {
  return text.size() >= start.size() &&
         std::equal(start.begin(), start.end(), text.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
         });
}

AddressSpan Trimmed(std::string_view text, size_t offset, size_t length) {
  while (length > 0 && IsBlank(text[offset])) ++offset, --length;
  while (length > 0 && IsBlank(text[offset + length - 1])) --length;
  return {offset, length};
}

// The scheme of a prefix such as "https://site", with its colon; "http:" when it has none.
std::string_view SchemeOf(std::string_view prefix) {
  size_t colon = prefix.find("://");
  if (colon == std::string_view::npos || colon == 0) return "http:";
  std::string_view scheme = prefix.substr(0, colon);
  bool letters = std::all_of(scheme.begin(), scheme.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
  });
  return letters && std::isalpha(static_cast<unsigned char>(scheme[0])) ? prefix.substr(0, colon + 1) : "http:";
}

}  // namespace

AddressSpan AddressWithin(std::string_view found) {
  AddressSpan span = Trimmed(found, 0, found.size());
  if (span.length >= 2) {
    char open = found[span.offset], close = found[span.offset + span.length - 1];
    if ((open == '\'' || open == '"') && close == open) span = Trimmed(found, span.offset + 1, span.length - 2);
  }
  return span;
}

std::string_view InnerAddress(std::string_view found) {
  AddressSpan span = AddressWithin(found);
  return found.substr(span.offset, span.length);
}

bool IsEmbedded(std::string_view address) { return StartsWithNoCase(address, "data:"); }

std::string FullAddress(std::string_view found, std::string_view absolutePrefix, std::string_view relativePrefix) {
  std::string_view address = InnerAddress(found);
  if (IsEmbedded(address) || StartsWithNoCase(address, "http://") || StartsWithNoCase(address, "https://"))
    return std::string(address);
  if (address.substr(0, 2) == "//") return std::string(SchemeOf(absolutePrefix)) + std::string(address);
  if (address.find("http://") != std::string_view::npos) return std::string(address);
  std::string_view prefix = !address.empty() && address.front() == '/' ? absolutePrefix : relativePrefix;
  return std::string(prefix) + std::string(address);
}

std::vector<ReplacedAddress> WholeAddresses(std::string_view text, const std::vector<AddressReplacement>& replacements,
                                            const LeadBytePredicate& isLeadByte) {
  // How an address ends, walked by characters as the text is: in a lead byte without its
  // second byte (then the text would pair it with the byte after the match), or in a
  // delimiter of its own (then the next address may follow at once).
  struct Candidate {
    size_t index;
    bool endsInLeadByte = false;
    bool endsInDelimiter = false;
  };
  // The candidates for each first byte, longest first, earliest first among equals.
  std::array<std::vector<Candidate>, 256> byFirstByte;
  for (size_t k = 0; k < replacements.size(); ++k) {
    const std::string& address = replacements[k].first;
    if (address.empty()) continue;
    Candidate c{k};
    for (size_t i = 0; i < address.size();) {
      unsigned char b = static_cast<unsigned char>(address[i]);
      bool pair = isLeadByte(b) && i + 1 < address.size();
      c.endsInLeadByte = !pair && isLeadByte(b);
      c.endsInDelimiter = !pair && IsDelimiter(address[i]);
      i += pair ? 2 : 1;
    }
    byFirstByte[static_cast<unsigned char>(address[0])].push_back(c);
  }
  for (auto& candidates : byFirstByte)
    std::stable_sort(candidates.begin(), candidates.end(), [&](const Candidate& a, const Candidate& b) {
      return replacements[a.index].first.size() > replacements[b.index].first.size();
    });

  auto wholeAt = [&](size_t at) -> const Candidate* {
    for (const Candidate& c : byFirstByte[static_cast<unsigned char>(text[at])]) {
      const std::string& address = replacements[c.index].first;
      size_t end = at + address.size();
      if (text.compare(at, address.size(), address) != 0) continue;
      if (end == text.size() || (!c.endsInLeadByte && IsDelimiter(text[end]))) return &c;
    }
    return nullptr;
  };

  std::vector<ReplacedAddress> found;
  bool boundary = true;  // the position follows the start of the text or a delimiter
  size_t i = 0;
  while (i < text.size()) {
    if (const Candidate* c = boundary ? wholeAt(i) : nullptr) {
      size_t length = replacements[c->index].first.size();
      found.push_back({i, length, c->index});
      i += length;
      boundary = c->endsInDelimiter;
      continue;
    }
    // Step over a whole character: the next test starts on a character boundary.
    size_t step = isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
    boundary = step == 1 && IsDelimiter(text[i]);
    i += step;
  }
  return found;
}

std::string ReplaceWholeAddresses(std::string_view text, const std::vector<AddressReplacement>& replacements,
                                  const LeadBytePredicate& isLeadByte) {
  std::string out;
  out.reserve(text.size());
  size_t kept = 0;  // the text before this is in `out`
  for (const ReplacedAddress& r : WholeAddresses(text, replacements, isLeadByte)) {
    out.append(text.substr(kept, r.offset - kept));
    out += replacements[r.replacement].second;
    kept = r.offset + r.length;
  }
  out.append(text.substr(kept));
  return out;
}

}  // namespace workflow
