#include "SkinColour.h"

#include <string>

#include "QuickIni.h"

namespace skin {

TColour ReadColourValue(std::string_view value, TColour defaultColour) {
  if (value.empty()) return defaultColour;
  value = TrimText(value);
  int components[3] = {0, 0, 0};
  int stored = 0;
  std::string digits;
  auto store = [&]() {
    // A number that does not fit stays in the buffer and keeps collecting digits.
    const std::optional<std::int32_t> n = TextToInt(digits);
    if (!n) return;
    if (stored < 3) components[stored++] = *n & 0xFF;
    digits.clear();
  };
  for (const char c : value) {
    if (c >= '0' && c <= '9') {
      digits.push_back(c);
    } else if (!digits.empty()) {
      store();
    }
  }
  if (!digits.empty() && stored == 2) store();
  return RGBColour(components[0], components[1], components[2]);
}

}  // namespace skin
