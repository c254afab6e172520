// Decodes Windows bitmap files (".bmp") held in memory into 32-bit pixels. Every field is
// checked against the file's bytes before it is used, so a malformed file is rejected and
// never read out of bounds.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace skin {

// Top-down rows of 0x00RRGGBB pixels: the memory layout of a 32-bit top-down DIB section.
struct TPixelImage {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;

  std::uint32_t At(int x, int y) const {
    return Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) +
                  static_cast<std::size_t>(x)];
  }
};

inline constexpr int kMaxBitmapDimension = 32768;
inline constexpr std::int64_t kMaxBitmapPixels = std::int64_t(1) << 24;

// Accepts the core (12-byte) and the info (40, 52, 56, 108, 124-byte) headers; 1, 4, 8, 16,
// 24 and 32 bits per pixel; uncompressed, bit-field and run-length (RLE8, RLE4) data. On
// failure `image` is left empty and `error` says what is wrong.
bool DecodeBitmapFile(std::span<const std::uint8_t> file, TPixelImage& image,
                      std::string* error = nullptr);

}  // namespace skin
