// Colours of the skin description, written as three decimal numbers "red green blue".
#pragma once

#include <cstdint>
#include <string_view>

namespace skin {

// Red in the lowest byte, then green, then blue; a top byte of 0xFF marks a system colour.
using TColour = std::uint32_t;

inline constexpr TColour RGBColour(int r, int g, int b) {
  return TColour(r & 0xFF) | TColour(g & 0xFF) << 8 | TColour(b & 0xFF) << 16;
}

// Reads the colour text of a description value; an empty value yields defaultColour.
// Numbers are runs of digits; only the first three count, and the last one is taken only when
// it ends with the text if exactly two came before it. A number beyond 32 bits is not taken
// and swallows the digits after it.
TColour ReadColourValue(std::string_view value, TColour defaultColour);

}  // namespace skin
