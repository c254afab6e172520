// The bitmap that skin definition objects hold: top-down rows of 0x00RRGGBB pixels, the same
// plain pixel buffer on every host, so the skin tool, the sanitizer runs and the fuzzers test
// the type the program draws from.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace skin {

// A copy of a skin bitmap that a drawing layer makes for its own use (a device-dependent
// picture, say). The bitmap owns it and drops it whenever its pixels may change, so a copy
// never outlives the pixels it was made from.
class TPaintCopy {
 public:
  TPaintCopy() = default;
  virtual ~TPaintCopy();
  TPaintCopy(const TPaintCopy&) = delete;
  TPaintCopy& operator=(const TPaintCopy&) = delete;
};

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
  // Row y for writing. The paint copy is dropped; a row pointer kept past the next drawing
  // of the bitmap would change pixels the copy no longer shows, so write before drawing.
  std::uint32_t* ScanLine(int y) {
    paintCopy_.reset();
    return pixels_.data() + Offset(y);
  }
  const std::uint32_t* ScanLine(int y) const { return pixels_.data() + Offset(y); }
  // Copies pixels given as 0x00RRGGBB rows, top row first.
  void SetPixels(int width, int height, const std::uint32_t* rows);
  void Assign(const TSkinBitmap& other) {
    if (&other != this) SetPixels(other.width_, other.height_, other.pixels_.data());
  }

  // The copy a drawing layer made of these pixels, or none. It is kept with the bitmap (a
  // cache, not part of the picture, so a const bitmap may be given one) and is used from one
  // thread, the one that draws.
  TPaintCopy* PaintCopy() const { return paintCopy_.get(); }
  void SetPaintCopy(std::unique_ptr<TPaintCopy> copy) const { paintCopy_ = std::move(copy); }

 private:
  std::size_t Offset(int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
  }
  int width_ = 0, height_ = 0;
  std::vector<std::uint32_t> pixels_;
  mutable std::unique_ptr<TPaintCopy> paintCopy_;
};

// Fills the bitmap from a Windows bitmap file held in memory; a missing or malformed file
// leaves it empty (0 x 0). Answers whether a picture was loaded.
bool LoadSkinBitmap(std::span<const std::uint8_t> file, TSkinBitmap& bitmap);

// Makes `target` a copy of the part (x, y, width, height) of `source`; the part is first cut
// to the source, so nothing outside it is ever read.
void CopyBitmapPart(const TSkinBitmap& source, int x, int y, int width, int height,
                    TSkinBitmap& target);

// Makes `target` a left-right mirror image of `source`, each of its `frames` side-by-side
// frames mirrored in its own place (frame k stays frame k).
void CopyMirrored(const TSkinBitmap& source, TSkinBitmap& target, int frames = 1);

// The 0x00RRGGBB pixel at (x, y); 0 outside the bitmap.
std::uint32_t PixelAt(const TSkinBitmap& bitmap, int x, int y);

}  // namespace skin
