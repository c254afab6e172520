// libFuzzer target over the style-sheet path, walked as the program walks it: a sheet's text
// (any bytes, read in a single-byte or a double-byte code page) searched with one of the
// patterns users type, every second capture listed once, made a full address with a site and
// a relative prefix (plausible, empty or hostile), given the local file name it is saved
// under, and the sheet rewritten for the addresses whose download completed.
// std::regex stands in for the system's scripting engine. Findings: a local name that would
// leave the folder or that Windows does not take, a rewrite that changes a byte outside the
// addresses it replaced, or that replaces what does not stand whole or leaves a whole address
// behind.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "app/CssReader.h"
#include "app/SheetAddress.h"
#include "app/Workflow.h"

namespace {

using workflow::AddressReplacement;
using workflow::LeadBytePredicate;

[[noreturn]] void Finding(const char* what, std::string_view subject) {
  std::fprintf(stderr, "sheet_fuzzer: %s: \"", what);
  for (unsigned char c : subject) {
    if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') std::fputc(c, stderr);
    else std::fprintf(stderr, "\\x%02X", c);
  }
  std::fprintf(stderr, "\"\n");
  std::abort();
}

// At most this much of the input is the sheet: std::regex recurses once per character it
// matches, and a few kilobytes keep it far from the end of the stack and fast.
constexpr size_t kMaxSheetBytes = 2048;

bool SingleByte(unsigned char) { return false; }
bool Gbk(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// Patterns as users type them; the second group names the image.
const char* const kPatterns[] = {
    R"(background(.*?)url\((.*?)\))",            // the program's default
    R"(()url\((.*?)\))",
    R"((url)\(\s*(.*?)\s*\))",
    R"(url\((['"]?)(.*?)\1\))",
    R"((@import\s+)["']([^"']*)["'])",
    R"((src|background-image)\s*[:=]\s*url\(([^)]*)\))",
};
constexpr size_t kPatternCount = sizeof kPatterns / sizeof kPatterns[0];

const char* const kSitePrefixes[] = {
    "", "http://site.vexlo.example", "https://cdn.vexlo.example:8080/", "HTTP://Site.vexlo.example",
    "file:///C:/Windows/System32", "file://", "//host", "C:\\sheets\\", "\\\\server\\share",
    "http://site/\x81\x40\xCD\xBC/", "javascript:",
};
const char* const kRelativePrefixes[] = {
    "", "http://site.vexlo.example/css/", "https://site/kk/", "file:///C:/", "..\\..\\",
    "http://x/?q=", "http://x/#", "/", "C:", "http://site/CON/", "http://site/com1.",
};

std::string Prefix(FuzzedDataProvider& in, const char* const* table, size_t count) {
  size_t k = in.ConsumeIntegralInRange<size_t>(0, count);
  return k < count ? table[k] : in.ConsumeRandomLengthString(80);
}

// ---------------------------------------------------------------------------------------------
// Local names: inside the folder and taken by Windows.

// Room the download's names may add in front of a name ("4294967295_" at most) within the
// 255 UTF-16 units of a Windows file name; a byte of the code page never gives more than one
// unit.
constexpr size_t kNameBytesLimit = 255 - 11;

bool ReservedDeviceName(std::string_view name) {
  std::string base(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (char& c : base)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
    if (base == device) return true;
  if (base.size() != 4 || (base.compare(0, 3, "COM") != 0 && base.compare(0, 3, "LPT") != 0)) return false;
  // Digits, and the superscript digits of Latin-1 that Windows takes as digits there.
  unsigned char digit = static_cast<unsigned char>(base[3]);
  return (digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
}

void CheckLocalName(std::string_view name, const LeadBytePredicate& isLeadByte) {
  if (name.empty()) return;  // nothing is downloaded for it
  if (name.size() > kNameBytesLimit) Finding("a local name too long for a file name", name);
  if (name == "." || name == "..") Finding("a local name that names a folder", name);
  for (size_t i = 0; i < name.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(name[i]);
    if (isLeadByte(c)) {
      // Every double-byte code page of Windows has its second bytes at 0x40 and above.
      if (i + 1 == name.size()) Finding("a local name ending in half a character", name);
      if (static_cast<unsigned char>(name[i + 1]) < 0x40) Finding("a local name with a broken character", name);
      ++i;
      continue;
    }
    if (c < 0x20) Finding("a local name with a control character", name);
    for (char forbidden : std::string_view("\\/:*?\"<>|"))
      if (c == static_cast<unsigned char>(forbidden)) Finding("a local name with a forbidden character", name);
  }
  if (name.back() == '.' || name.back() == ' ') Finding("a local name ending in a dot or a blank", name);
  if (ReservedDeviceName(name)) Finding("a local name that is a device", name);
}

// ---------------------------------------------------------------------------------------------
// The rewrite: checked against the text by characters, as the sheet's code page reads it.

bool Delimiter(unsigned char c) {
  return std::string_view(" \t\r\n\f()'\",;").find(static_cast<char>(c)) != std::string_view::npos;
}

class RewriteCheck {
 public:
  RewriteCheck(std::string_view text, const std::vector<AddressReplacement>& replacements,
               const LeadBytePredicate& isLeadByte)
      : text_(text), replacements_(replacements), starts_(text.size() + 1, false) {
    for (size_t i = 0; i < text.size();) {
      starts_[i] = true;
      i += isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
    }
    starts_[text.size()] = true;
  }

  // `address` stands whole at `at`: it starts and ends on character boundaries, after the
  // start of the text or a delimiter and before one or the end.
  bool WholeAt(size_t at, std::string_view address) const {
    size_t end = at + address.size();
    if (address.empty() || end > text_.size() || !starts_[at] || !starts_[end]) return false;
    if (text_.compare(at, address.size(), address) != 0) return false;
    return (at == 0 || (starts_[at - 1] && Delimiter(text_[at - 1]))) &&
           (end == text_.size() || (starts_[end + 1] && Delimiter(text_[end])));
  }

  // No address stands whole anywhere in [from, to) and yet was left as it was.
  void NoneLeft(size_t from, size_t to) const {
    for (size_t at = from; at < to; ++at)
      for (const AddressReplacement& r : replacements_)
        if (WholeAt(at, r.first)) Finding("a whole address left in the sheet", r.first);
  }

  void Check(const std::vector<workflow::ReplacedAddress>& replaced, std::string_view out) const {
    size_t kept = 0, written = 0;  // the text before `kept` corresponds to `out` before `written`
    for (const workflow::ReplacedAddress& r : replaced) {
      if (r.replacement >= replacements_.size() || r.offset < kept) Finding("replacements out of order", text_);
      const AddressReplacement& pair = replacements_[r.replacement];
      if (r.length != pair.first.size() || !WholeAt(r.offset, pair.first))
        Finding("a replaced address that does not stand whole", pair.first);
      // Where several stand whole, the longest and then the earliest was taken.
      for (size_t k = 0; k < replacements_.size(); ++k) {
        const std::string& other = replacements_[k].first;
        if ((other.size() > r.length || (k < r.replacement && other == pair.first)) && WholeAt(r.offset, other))
          Finding("a shorter or later address taken over another", other);
      }
      NoneLeft(kept, r.offset);
      Kept(kept, r.offset, out, written);
      if (out.compare(written, pair.second.size(), pair.second) != 0) Finding("a replacement not written", pair.second);
      written += pair.second.size();
      kept = r.offset + r.length;
    }
    NoneLeft(kept, text_.size());
    Kept(kept, text_.size(), out, written);
    if (written != out.size()) Finding("the rewritten sheet goes on past its text", out.substr(written));
  }

 private:
  // The text in [from, to) is in `out` at `written`, byte for byte.
  void Kept(size_t from, size_t to, std::string_view out, size_t& written) const {
    if (out.compare(written, to - from, text_.substr(from, to - from)) != 0)
      Finding("the sheet changed outside the replaced addresses", text_.substr(from, to - from));
    written += to - from;
  }

  std::string_view text_;
  const std::vector<AddressReplacement>& replacements_;
  std::vector<bool> starts_;  // starts_[i]: a character starts at byte i (and at the end)
};

// The CSS reader on the same sheet: every reference stands on bytes of the sheet, in order and
// apart; one written without escapes is those bytes; and a reference written inside a comment
// appended after the sheet (its strings, even one whose last line ends in a backslash, url() and
// blocks closed first) is never found.
void CheckCssReader(const std::string& sheet, const LeadBytePredicate& isLeadByte) {
  static constexpr std::string_view kMarker = "QxzCommented";
  const std::string withComment =
      sheet + "\n\n);}/* url(" + std::string(kMarker) + ".png) @import '" + std::string(kMarker) + ".css'; */";
  size_t end = 0;
  for (const workflow::TCssReference& r : workflow::CssReferences(withComment, isLeadByte)) {
    if (r.offset < end || r.offset + r.length > withComment.size()) Finding("a reference out of order or bounds", r.address);
    end = r.offset + r.length;
    std::string_view written = std::string_view(withComment).substr(r.offset, r.length);
    if (written.find('\\') == std::string_view::npos && written != r.address)
      Finding("a reference whose address is not the bytes it stands on", r.address);
    if (r.address.find(kMarker) != std::string::npos && sheet.find(kMarker) == std::string::npos)
      Finding("a reference found inside a comment", r.address);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::vector<std::regex> patterns = [] {
    std::vector<std::regex> compiled;
    for (const char* p : kPatterns) compiled.emplace_back(p, std::regex::ECMAScript | std::regex::icase);
    return compiled;
  }();

  FuzzedDataProvider in(data, size);
  const std::regex& pattern = patterns[in.ConsumeIntegralInRange<size_t>(0, kPatternCount - 1)];
  const LeadBytePredicate isLeadByte = in.ConsumeBool() ? LeadBytePredicate(Gbk) : LeadBytePredicate(SingleByte);
  const uint64_t completed = in.ConsumeIntegral<uint64_t>();  // which downloads completed
  const std::string absolutePrefix = Prefix(in, kSitePrefixes, std::size(kSitePrefixes));
  const std::string relativePrefix = Prefix(in, kRelativePrefixes, std::size(kRelativePrefixes));
  std::string sheet = in.ConsumeRemainingBytesAsString();
  if (sheet.size() > kMaxSheetBytes) sheet.resize(kMaxSheetBytes);

  // Analysis: each image once, as the sheet first writes it; empty captures all kept.
  std::vector<std::string> found;
  std::unordered_set<std::string> listed;
  try {
    for (std::sregex_iterator m(sheet.begin(), sheet.end(), pattern), end; m != end; ++m) {
      std::string candidate = (*m)[2].str();
      std::string address(workflow::InnerAddress(candidate));
      if (!address.empty() && !listed.insert(address).second) continue;
      found.push_back(std::move(candidate));
    }
  } catch (const std::regex_error&) {
    // The engine gave up part way: the list as far as it got, as the program shows it.
  }

  std::vector<AddressReplacement> replacements;
  for (size_t i = 0; i < found.size(); ++i) {
    // Conversion: the address itself always ends the full address.
    std::string_view inner = workflow::InnerAddress(found[i]);
    std::string full = workflow::FullAddress(found[i], absolutePrefix, relativePrefix);
    if (full.size() < inner.size() || full.compare(full.size() - inner.size(), inner.size(), inner) != 0)
      Finding("a full address that lost its address", full);
    // Download: the file's name in the sheet's folder.
    std::string name = workflow::SafeFileName(workflow::UrlFileName(workflow::InnerAddress(full)), isLeadByte);
    CheckLocalName(name, isLeadByte);
    if (!name.empty() && (completed >> (i % 64) & 1)) replacements.emplace_back(std::string(inner), name);
  }

  // Rewrite.
  std::vector<workflow::ReplacedAddress> replaced = workflow::WholeAddresses(sheet, replacements, isLeadByte);
  std::string rewritten = workflow::ReplaceWholeAddresses(sheet, replacements, isLeadByte);
  RewriteCheck(sheet, replacements, isLeadByte).Check(replaced, rewritten);
  CheckCssReader(sheet, isLeadByte);
  return 0;
}
