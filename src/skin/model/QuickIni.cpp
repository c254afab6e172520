#include "QuickIni.h"

#include <algorithm>

#include "SkinContainer.h"

namespace skin {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

bool IsSectionHeader(std::string_view line) {
  return !line.empty() && line.front() == '[' && line.back() == ']';
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && AsciiLower(a) == AsciiLower(b);
}

// The key of a line: the text before the first "=", trimmed, in lower case.
std::string KeyOf(std::string_view line) {
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return {};
  return AsciiLower(TrimText(line.substr(0, eq)));
}

std::string_view ValueOf(std::string_view line) {
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return {};
  return TrimText(line.substr(eq + 1));
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string_view TrimText(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<std::int32_t> TextToInt(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  const bool hex = !text.empty() && text[0] == '$';
  if (hex) text.remove_prefix(1);
  if (text.empty()) return std::nullopt;

  std::uint64_t value = 0;
  const std::uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  for (const char c : text) {
    const int digit = hex ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
    if (digit < 0) return std::nullopt;
    value = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
    if (value > limit) return std::nullopt;
  }
  // Hexadecimal values fill all 32 bits, so $FFFFFFFF is -1.
  std::uint32_t bits = static_cast<std::uint32_t>(value);
  if (negative) bits = 0u - bits;
  return static_cast<std::int32_t>(bits);
}

void TQuickIni::Load(std::optional<std::string_view> text) {
  if (!text) return;
  lines_.clear();
  sections_.clear();
  const std::string_view t = *text;
  std::size_t p = 0;
  while (p < t.size() && t[p] != '\0') {
    const std::size_t start = p;
    while (p < t.size() && t[p] != '\r' && t[p] != '\n' && t[p] != '\0') ++p;
    const std::string_view line = TrimText(t.substr(start, p - start));
    if (p < t.size() && t[p] == '\r') ++p;
    if (p < t.size() && t[p] == '\n') ++p;
    if (line.empty() || line.front() == ';') continue;
    if (IsSectionHeader(line)) sections_.emplace_back(std::string(line), lines_.size());
    lines_.emplace_back(line);
  }
}

std::string TQuickIni::ReadString(std::string_view section, std::string_view key,
                                  std::string_view defaultValue) const {
  std::string result(defaultValue);
  const std::string wanted = AsciiLower(key);
  if (lines_.empty()) return result;

  std::string header(1, '[');
  header.append(section).push_back(']');
  const auto it = std::find_if(sections_.begin(), sections_.end(),
                               [&](const auto& s) { return EqualNoCase(s.first, header); });
  if (it == sections_.end()) return result;

  for (std::size_t i = it->second + 1; i < lines_.size(); ++i) {
    const std::string_view line = lines_[i];
    if (IsSectionHeader(line)) break;
    if (KeyOf(line) != wanted) continue;
    const std::string_view value = wanted.empty() ? std::string_view() : ValueOf(line);
    if (!value.empty()) result = std::string(value);
    break;
  }
  return result;
}

std::int32_t TQuickIni::ReadInteger(std::string_view section, std::string_view key,
                                    std::int32_t defaultValue) const {
  std::string text = ReadString(section, key, "");
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.replace(0, 2, "$");
  }
  return TextToInt(text).value_or(defaultValue);
}

void TQuickIni::ReadSections(std::vector<std::string>& list) const {
  list.clear();
  for (const auto& [header, index] : sections_) {
    std::string_view name = TrimText(header);
    name = name.size() >= 2 ? name.substr(1, name.size() - 2) : std::string_view();
    list.emplace_back(TrimText(name));
  }
}

}  // namespace skin
