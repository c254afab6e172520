#include "SkinBitmap.h"

#include <algorithm>
#include <cstring>

#include "BitmapFile.h"

namespace skin {

TPaintCopy::~TPaintCopy() = default;

void TSkinBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) *
                                    static_cast<std::size_t>(height));
  const int w = std::min(width, width_), h = std::min(height, height_);
  for (int y = 0; y < h; ++y) {
    std::copy_n(pixels_.data() + Offset(y), w,
                pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width));
  }
  pixels_ = std::move(pixels);
  paintCopy_.reset();
  width_ = width;
  height_ = height;
}

void TSkinBitmap::SetPixels(int width, int height, const std::uint32_t* rows) {
  paintCopy_.reset();
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0);
  if (rows && !pixels_.empty()) std::memcpy(pixels_.data(), rows, pixels_.size() * 4);
}

bool LoadSkinBitmap(std::span<const std::uint8_t> file, TSkinBitmap& bitmap) {
  TPixelImage image;
  if (file.empty() || !DecodeBitmapFile(file, image)) {
    bitmap.SetSize(0, 0);
    return false;
  }
  bitmap.SetPixels(image.Width, image.Height, image.Pixels.data());
  return true;
}

void CopyBitmapPart(const TSkinBitmap& source, int x, int y, int width, int height,
                    TSkinBitmap& target) {
  const int left = std::clamp(x, 0, source.Width());
  const int top = std::clamp(y, 0, source.Height());
  const int right = std::clamp(x + std::max(width, 0), left, source.Width());
  const int bottom = std::clamp(y + std::max(height, 0), top, source.Height());
  const int w = right - left, h = bottom - top;
  std::vector<std::uint32_t> rows(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  for (int row = 0; row < h; ++row) {
    std::copy_n(source.ScanLine(top + row) + left, w,
                rows.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(w));
  }
  target.SetPixels(w, h, rows.data());
}

void CopyMirrored(const TSkinBitmap& source, TSkinBitmap& target, int frames) {
  const int w = source.Width(), h = source.Height();
  // Each frame is mirrored in its own place (frame k stays frame k); columns left over after
  // the last whole frame stay as they are.
  const int fw = w / std::max(frames, 1), whole = fw * std::max(frames, 1);
  std::vector<std::uint32_t> rows(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  for (int y = 0; y < h; ++y) {
    const std::uint32_t* line = source.ScanLine(y);
    std::uint32_t* out = rows.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w);
    for (int left = 0; fw > 0 && left < whole; left += fw) {
      std::reverse_copy(line + left, line + left + fw, out + left);
    }
    std::copy(line + whole, line + w, out + whole);
  }
  target.SetPixels(w, h, rows.data());
}

std::uint32_t PixelAt(const TSkinBitmap& bitmap, int x, int y) {
  if (x < 0 || y < 0 || x >= bitmap.Width() || y >= bitmap.Height()) return 0;
  return bitmap.ScanLine(y)[x];
}

}  // namespace skin
