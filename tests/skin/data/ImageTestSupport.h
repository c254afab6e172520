// Bitmaps for the image-primitive tests: made from a pixel function, read back as 0x00RRGGBB.
// Pictures the program composes or draws into are GDI bitmaps; skin pictures are skin bitmaps
// (MakeSkinBitmap). Both are read alike.
#pragma once

#include <functional>
#include <memory>

#include "skin/model/SkinBitmap.h"
#include "ui/Canvas.h"

namespace skintest {

template <class Bitmap = ui::TBitmap>
std::unique_ptr<Bitmap> MakeBitmap(int w, int h,
                                   const std::function<std::uint32_t(int, int)>& pixel) {
  auto b = std::make_unique<Bitmap>(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) b->ScanLine(y)[x] = pixel(x, y);
  }
  return b;
}

template <class Bitmap = ui::TBitmap>
std::unique_ptr<Bitmap> Filled(int w, int h, std::uint32_t pixel) {
  return MakeBitmap<Bitmap>(w, h, [pixel](int, int) { return pixel; });
}

inline std::unique_ptr<skin::TSkinBitmap> MakeSkinBitmap(
    int w, int h, const std::function<std::uint32_t(int, int)>& pixel) {
  return MakeBitmap<skin::TSkinBitmap>(w, h, pixel);
}

template <class Bitmap>
std::uint32_t At(const Bitmap& b, int x, int y) { return b.ScanLine(y)[x] & 0xFFFFFF; }

// A row of the bitmap as pixels.
template <class Bitmap>
std::vector<std::uint32_t> Row(const Bitmap& b, int y) {
  std::vector<std::uint32_t> row;
  for (int x = 0; x < b.Width(); ++x) row.push_back(At(b, x, y));
  return row;
}

template <class Bitmap>
std::vector<std::uint32_t> Column(const Bitmap& b, int x) {
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
