#include "SkinObjects.h"

#include <utility>

namespace skin {

namespace {
// Releases one owned bitmap; a failure is swallowed so that the other bitmaps and the object
// itself are still released.
void ReleaseBitmap(std::unique_ptr<TSkinBitmap>& bitmap) noexcept {
  try {
    bitmap.reset();
  } catch (...) {
  }
}
}  // namespace

TDataSkinObject::TDataSkinObject(std::string name)
    : Bitmap(std::make_unique<TSkinBitmap>()), Name(std::move(name)) {}

TDataSkinObject::~TDataSkinObject() { ReleaseBitmap(Bitmap); }

TDataSkinBorder::TDataSkinBorder(std::string name)
    : TDataSkinObject(std::move(name)), ExtraBitmap(std::make_unique<TSkinBitmap>()) {}

TDataSkinBorder::~TDataSkinBorder() { ReleaseBitmap(ExtraBitmap); }

TDataSkinButton::TDataSkinButton(std::string name)
    : TDataSkinObject(std::move(name)),
      CheckBitmap(std::make_unique<TSkinBitmap>()),
      RadioBitmap(std::make_unique<TSkinBitmap>()) {}

TDataSkinButton::~TDataSkinButton() {
  ReleaseBitmap(CheckBitmap);
  ReleaseBitmap(RadioBitmap);
}

}  // namespace skin
