// LZHUF compression for skin packages: writes the compressed block that the skin decoder
// reads (4-byte little-endian size, then the bit stream). Matches are found with a binary
// search tree over the window, the longest match winning and the nearest among equals.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace skinpack {

std::vector<std::uint8_t> CompressBlock(std::span<const std::uint8_t> data);

}  // namespace skinpack
