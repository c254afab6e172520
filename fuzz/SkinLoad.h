// The whole load of a skin package as the skin data component performs it, without the
// Windows side: decompress, take the container apart, parse the description, and decode
// every bitmap it names. Shared by the fuzz targets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace skinfuzz {

// Cap on the declared uncompressed size while fuzzing, so that each run stays fast; the
// loader's own cap (64 MiB) is tested elsewhere.
inline constexpr std::uint32_t kFuzzMaxSize = 64u * 1024;

// Returns the number of bitmaps decoded (to keep the work observable).
std::size_t LoadWholeSkin(std::span<const std::uint8_t> block);

}  // namespace skinfuzz
