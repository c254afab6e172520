// Read-only INI text held in memory: the skin's description. First section and first key win.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace skin {

class TQuickIni {
 public:
  // Replaces the content by the text's lines; an absent text changes nothing.
  void Load(std::optional<std::string_view> text);

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  // Decimal, "$" hexadecimal or "0x" hexadecimal; the default when empty or not a number.
  std::int32_t ReadInteger(std::string_view section, std::string_view key,
                           std::int32_t defaultValue) const;
  // The section names in file order, brackets removed, duplicates kept.
  void ReadSections(std::vector<std::string>& list) const;

  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  std::vector<std::string> lines_;
  // Header text with brackets and the index of its line in lines_.
  std::vector<std::pair<std::string, std::size_t>> sections_;
};

// Leading and trailing blanks and control characters removed.
std::string_view TrimText(std::string_view text);

// The standard text-to-integer conversion: optional sign, then decimal digits or "$" and
// hexadecimal digits (up to 32 bits). Empty when the text is not such a number.
std::optional<std::int32_t> TextToInt(std::string_view text);

}  // namespace skin
