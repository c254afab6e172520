#include "skin/data/GdiPicture.h"

#include <memory>

namespace skin {

TGdiPicture::TGdiPicture(const TSkinBitmap& pixels) {
  // The rows of both bitmaps lie one after the other, top row first.
  bitmap_.SetPixels(pixels.Width(), pixels.Height(), pixels.ScanLine(0));
  source_ = bitmap_.Canvas()->Handle();
}

TGdiPicture::~TGdiPicture() = default;

const TGdiPicture& GdiPicture(const TSkinBitmap& bitmap) {
  if (const auto* picture = dynamic_cast<const TGdiPicture*>(bitmap.PaintCopy())) return *picture;
  auto picture = std::make_unique<TGdiPicture>(bitmap);
  const TGdiPicture& made = *picture;
  bitmap.SetPaintCopy(std::move(picture));
  return made;
}

void AssignPixels(TSkinBitmap& target, const ui::TBitmap& source) {
  target.SetPixels(source.Width(), source.Height(), source.ScanLine(0));
}

}  // namespace skin
