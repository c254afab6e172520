#include "app/Workflow.h"

#include <cctype>
#include <cstring>

namespace workflow {

bool OccursInFoundList(std::string_view foundListText, std::string_view candidate) {
  return !candidate.empty() && foundListText.find(candidate) != std::string_view::npos;
}

namespace {

// Slots of the short-string bit set: 1-byte strings, then 2-byte, then 3-byte ones.
size_t ShortSlot(std::string_view s) {
  const auto b = [&](size_t i) { return static_cast<size_t>(static_cast<unsigned char>(s[i])); };
  switch (s.size()) {
    case 1: return b(0);
    case 2: return 256 + (b(0) << 8 | b(1));
    default: return 256 + 65536 + (b(0) << 16 | b(1) << 8 | b(2));
  }
}

uint32_t Gram(std::string_view s, size_t at) {
  uint32_t g;
  std::memcpy(&g, s.data() + at, 4);
  return g;
}

}  // namespace

FoundListIndex::FoundListIndex() : shortGrams_((256 + 65536 + (1u << 24)) / 64 + 1) {}

void FoundListIndex::Add(std::string_view line) {
  std::string withBreak = std::string(line) + "\r";
  text_ += withBreak;
  text_ += '\n';
  int id = static_cast<int>(lines_.size());
  for (size_t len = 1; len <= 3; ++len)
    for (size_t i = 0; i + len <= withBreak.size(); ++i) {
      size_t slot = ShortSlot(std::string_view(withBreak).substr(i, len));
      shortGrams_[slot / 64] |= uint64_t{1} << (slot % 64);
    }
  for (size_t i = 0; i + 4 <= withBreak.size(); ++i) {
    std::vector<int>& posting = grams_[Gram(withBreak, i)];
    if (posting.empty() || posting.back() != id) posting.push_back(id);
  }
  lines_.push_back(std::move(withBreak));
}

bool FoundListIndex::ShortContains(std::string_view candidate) const {
  size_t slot = ShortSlot(candidate);
  return (shortGrams_[slot / 64] >> (slot % 64)) & 1;
}

bool FoundListIndex::Contains(std::string_view candidate) const {
  if (candidate.empty()) return false;
  if (candidate.find('\n') != std::string_view::npos) return text_.find(candidate) != std::string::npos;
  if (candidate.size() < 4) return ShortContains(candidate);
  // Only lines holding the candidate's rarest 4-byte string can hold the candidate.
  const std::vector<int>* rarest = nullptr;
  for (size_t i = 0; i + 4 <= candidate.size(); ++i) {
    auto it = grams_.find(Gram(candidate, i));
    if (it == grams_.end()) return false;
    if (!rarest || it->second.size() < rarest->size()) rarest = &it->second;
  }
  for (int id : *rarest)
    if (lines_[static_cast<size_t>(id)].find(candidate) != std::string::npos) return true;
  return false;
}

std::string_view PrefixFor(std::string_view address, std::string_view absolutePrefix,
                           std::string_view relativePrefix) {
  if (address.find("http://") != std::string_view::npos) return {};
  if (!address.empty() && address.front() == '/') return absolutePrefix;
  return relativePrefix;
}

std::string HtmlAttribute(std::string_view text, const LeadBytePredicate& isLeadByte) {
  std::string out = "\"";
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (isLeadByte(c) && i + 1 < text.size()) {
      out += text.substr(i, 2);
      ++i;
      continue;
    }
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += static_cast<char>(c); break;
    }
  }
  out += '"';
  return out;
}

std::string TestPageLine(int index, std::string_view address, const LeadBytePredicate& isLeadByte) {
  std::string value = HtmlAttribute(address, isLeadByte);
  return std::to_string(index) + " <img src=" + value + " alt=" + value + "><br><br><hr>";
}

std::string ReplaceAll(std::string_view text, std::string_view search, std::string_view replacement,
                       const LeadBytePredicate& isLeadByte) {
  if (search.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (text.compare(i, search.size(), search) == 0) {
      out += replacement;
      i += search.size();
      continue;
    }
    // Step over a whole character so that the next test starts on a character boundary.
    size_t step = isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
    out += text.substr(i, step);
    i += step;
  }
  return out;
}

std::wstring FolderOf(std::wstring_view path) {
  size_t end = path.find_last_of(L"\\/:");
  return end == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, end + 1));
}

std::string UrlFileName(std::string_view address) {
  size_t slash = address.rfind('/');
  if (slash != std::string_view::npos) address.remove_prefix(slash + 1);
  return std::string(address.substr(0, address.find('?')));
}

namespace {

bool IsForbidden(unsigned char c) {
  return c < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '?' || c == '*' ||
         c == '/' || c == '\\';
}

bool IsReservedDeviceName(std::string_view name) {
  std::string base(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (char& c : base) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" || base == "CONOUT$")
    return true;
  return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
         base[3] >= '1' && base[3] <= '9';
}

}  // namespace

std::string SafeFileName(std::string_view name, const LeadBytePredicate& isLeadByte) {
  // Only the part after the last real backslash (never the trail byte of a character).
  size_t start = 0;
  for (size_t i = 0; i < name.size(); ++i) {
    if (isLeadByte(static_cast<unsigned char>(name[i])) && i + 1 < name.size()) {
      ++i;
      continue;
    }
    if (name[i] == '\\') start = i + 1;
  }
  std::string out;
  for (size_t i = start; i < name.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(name[i]);
    if (isLeadByte(c) && i + 1 < name.size()) {
      out += name.substr(i, 2);
      ++i;
    } else {
      out += IsForbidden(c) ? '_' : static_cast<char>(c);
    }
  }
  if (out == "." || out == "..") return {};
  // Windows drops trailing dots and spaces, which would name another file.
  for (size_t i = out.size(); i > 0 && (out[i - 1] == '.' || out[i - 1] == ' '); --i) out[i - 1] = '_';
  if (IsReservedDeviceName(out)) out = "_" + out;
  return out;
}

}  // namespace workflow
