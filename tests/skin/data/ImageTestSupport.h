// Bitmaps for the image-primitive tests: made from a pixel function, read back as 0x00RRGGBB.
#pragma once

#include <functional>
#include <memory>

#include "ui/Canvas.h"

namespace skintest {

inline std::unique_ptr<ui::TBitmap> MakeBitmap(
    int w, int h, const std::function<std::uint32_t(int, int)>& pixel) {
  auto b = std::make_unique<ui::TBitmap>(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) b->ScanLine(y)[x] = pixel(x, y);
  }
  return b;
}

inline std::unique_ptr<ui::TBitmap> Filled(int w, int h, std::uint32_t pixel) {
  return MakeBitmap(w, h, [pixel](int, int) { return pixel; });
}

inline std::uint32_t At(const ui::TBitmap& b, int x, int y) { return b.ScanLine(y)[x] & 0xFFFFFF; }

// A row of the bitmap as pixels.
inline std::vector<std::uint32_t> Row(const ui::TBitmap& b, int y) {
  std::vector<std::uint32_t> row;
  for (int x = 0; x < b.Width(); ++x) row.push_back(At(b, x, y));
  return row;
}

inline std::vector<std::uint32_t> Column(const ui::TBitmap& b, int x) {
  std::vector<std::uint32_t> column;
  for (int y = 0; y < b.Height(); ++y) column.push_back(At(b, x, y));
  return column;
}

// A colour value (red in the lowest byte) as a DIB pixel (blue in the lowest byte).
constexpr std::uint32_t Px(ui::TColor c) {
  return std::uint32_t(c & 0xFF) << 16 | (std::uint32_t(c) & 0xFF00) |
         ((std::uint32_t(c) >> 16) & 0xFF);
}

constexpr std::uint32_t kMagenta = 0xFF00FF;

}  // namespace skintest
