// The GDI picture of a skin bitmap: a DIB section holding the bitmap's pixels, selected into a
// memory device context of its own, for GDI to copy from. It is made on the bitmap's first
// drawing and kept with the bitmap as its paint copy, so each picture is converted once, not
// at every paint; the bitmap drops it when its pixels change, and it dies with the bitmap (a
// skin loaded anew brings new bitmaps and so new pictures).
#pragma once

#include <windows.h>

#include "skin/model/SkinBitmap.h"
#include "ui/Canvas.h"

namespace skin {

class TGdiPicture final : public TPaintCopy {
 public:
  explicit TGdiPicture(const TSkinBitmap& pixels);
  ~TGdiPicture() override;

  // A memory device context holding the picture: copy from it, never draw into it.
  HDC Source() const { return source_; }
  const ui::TBitmap& Bitmap() const { return bitmap_; }

 private:
  ui::TBitmap bitmap_;
  HDC source_ = nullptr;  // the bitmap's canvas, which the bitmap owns
};

// The bitmap's GDI picture, made now if it has none.
const TGdiPicture& GdiPicture(const TSkinBitmap& bitmap);

// Makes `target` hold the pixels of `source`, a picture composed with GDI.
void AssignPixels(TSkinBitmap& target, const ui::TBitmap& source);

}  // namespace skin
