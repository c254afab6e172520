// The paint copy a drawing layer keeps with a skin bitmap lives exactly as long as the pixels
// it was made from: every change of the pixels drops it, reading them keeps it.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "skin/model/SkinBitmap.h"

using namespace skin;

namespace {

// Counts the copies alive.
class TCountedCopy : public TPaintCopy {
 public:
  explicit TCountedCopy(int& alive) : alive_(alive) { ++alive_; }
  ~TCountedCopy() override { --alive_; }

 private:
  int& alive_;
};

TEST(SkinBitmap, ThePaintCopyIsDroppedWheneverThePixelsMayChange) {
  int alive = 0;
  TSkinBitmap bitmap(3, 2);
  TSkinBitmap other(2, 2);
  const std::uint32_t rows[4] = {1, 2, 3, 4};
  const std::function<void(TSkinBitmap&)> changes[] = {
      [](TSkinBitmap& b) { b.SetSize(4, 2); },
      [&](TSkinBitmap& b) { b.SetPixels(2, 2, rows); },
      [&](TSkinBitmap& b) { b.Assign(other); },
      [](TSkinBitmap& b) { b.ScanLine(1)[0] = 7; },
  };
  for (const auto& change : changes) {
    bitmap.SetPaintCopy(std::make_unique<TCountedCopy>(alive));
    ASSERT_EQ(alive, 1);
    change(bitmap);
    EXPECT_EQ(bitmap.PaintCopy(), nullptr);
    EXPECT_EQ(alive, 0);
  }

  bitmap.SetPaintCopy(std::make_unique<TCountedCopy>(alive));
  const TSkinBitmap& reading = bitmap;
  EXPECT_EQ(reading.ScanLine(1)[0], 7u);
  EXPECT_EQ(PixelAt(bitmap, 0, 0), 0u);
  bitmap.SetSize(bitmap.Width(), bitmap.Height());  // the same size: nothing changes
  EXPECT_NE(bitmap.PaintCopy(), nullptr);
  bitmap.Assign(bitmap);  // itself: nothing changes
  EXPECT_NE(bitmap.PaintCopy(), nullptr);
  EXPECT_EQ(alive, 1);
}

}  // namespace
