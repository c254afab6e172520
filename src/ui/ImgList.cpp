#include "ui/ImgList.h"

#include <algorithm>

namespace ui {

const TClassInfo& TCustomImageList::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TCustomImageList", &TComponent::StaticClass());
    c.Int(L"Width", &TCustomImageList::Width);
    c.Int(L"Height", &TCustomImageList::Height);
    c.Int(L"Count", &TCustomImageList::Count);
    return c;
  }();
  return info;
}

TCustomImageList::TCustomImageList(TComponent* owner, int width, int height)
    : TComponent(owner), width_(std::max(width, 1)), height_(std::max(height, 1)) {
  Create();
}

TCustomImageList::~TCustomImageList() = default;

void TCustomImageList::Create() {
  // 24-bit pictures with a mask: what is left out comes from the mask, never from an alpha
  // channel the pixels do not have.
  list_.reset(ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, 4, 4));
}

void TCustomImageList::SetSize(int width, int height) {
  width_ = std::max(width, 1);
  height_ = std::max(height, 1);
  Create();
}

int TCustomImageList::Count() const { return list_ ? ImageList_GetImageCount(list_.get()) : 0; }

void TCustomImageList::Clear() {
  if (list_) ImageList_RemoveAll(list_.get());
}

int TCustomImageList::AddMasked(const TBitmap& image, TColor transparent) {
  const int pictures = image.Width() / width_;
  if (!list_ || pictures <= 0 || image.Height() < height_) return -1;
  GdiFlush();  // the picture's pixels are read directly: drawing into it must be done
  // A copy of the pictures' row that no device context holds, as the list needs it.
  TBitmap copy(pictures * width_, height_);
  for (int y = 0; y < height_; ++y) {
    std::copy_n(image.ScanLine(y), copy.Width(), copy.ScanLine(y));
  }
  return ImageList_AddMasked(list_.get(), copy.Handle(), ColorToRGB(transparent));
}

void TCustomImageList::Draw(HDC dc, int x, int y, int index) const {
  if (!list_ || index < 0 || index >= Count()) return;
  ImageList_Draw(list_.get(), index, dc, x, y, ILD_TRANSPARENT);
}

}  // namespace ui
