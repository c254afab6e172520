// The bitmap that skin definition objects hold. On Windows it is the class library's DIB
// section, ready for GDI drawing; on other hosts (the skin tool, sanitizer runs) a plain pixel
// buffer with the same interface, so that the description readers build everywhere.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#ifdef _WIN32
#include "ui/Canvas.h"
#endif

namespace skin {

#ifdef _WIN32
using TSkinBitmap = ui::TBitmap;
#else
// Top-down rows of 0x00RRGGBB pixels.
class TSkinBitmap {
 public:
  TSkinBitmap() = default;
  TSkinBitmap(int width, int height) { SetSize(width, height); }
  TSkinBitmap(const TSkinBitmap&) = delete;
  TSkinBitmap& operator=(const TSkinBitmap&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }
  // Keeps the overlapping part of the old picture; new pixels are black.
  void SetSize(int width, int height);
  std::uint32_t* ScanLine(int y) { return pixels_.data() + Offset(y); }
  const std::uint32_t* ScanLine(int y) const { return pixels_.data() + Offset(y); }
  void SetPixels(int width, int height, const std::uint32_t* rows);
  void Assign(const TSkinBitmap& other) { SetPixels(other.width_, other.height_, other.pixels_.data()); }

 private:
  std::size_t Offset(int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
  }
  int width_ = 0, height_ = 0;
  std::vector<std::uint32_t> pixels_;
};
#endif

// Fills the bitmap from a Windows bitmap file held in memory; a missing or malformed file
// leaves it empty (0 x 0). Answers whether a picture was loaded.
bool LoadSkinBitmap(std::span<const std::uint8_t> file, TSkinBitmap& bitmap);

// Makes `target` a copy of the part (x, y, width, height) of `source`; the part is first cut
// to the source, so nothing outside it is ever read.
void CopyBitmapPart(const TSkinBitmap& source, int x, int y, int width, int height,
                    TSkinBitmap& target);

// Makes `target` a left-right mirror image of `source`.
void CopyMirrored(const TSkinBitmap& source, TSkinBitmap& target);

// The 0x00RRGGBB pixel at (x, y); 0 outside the bitmap.
std::uint32_t PixelAt(const TSkinBitmap& bitmap, int x, int y);

}  // namespace skin
