#include <gtest/gtest.h>

#include "ImageTestSupport.h"
#include "TestFiles.h"
#include "skin/data/ImgUtil.h"

using namespace skin;
using skintest::At;
using skintest::MakeBitmap;
using Pixels = std::vector<std::uint32_t>;

namespace {

// 3 x 2 with every pixel distinct: 0xYX.
std::unique_ptr<ui::TBitmap> Numbered() {
  return MakeBitmap(3, 2, [](int x, int y) { return std::uint32_t(y << 4 | x); });
}

TEST(ImgUtil, MirrorFlipAndRotate) {
  auto b = Numbered();
  MirrorBitmap(*b);
  EXPECT_EQ(skintest::Row(*b, 0), (Pixels{0x02, 0x01, 0x00}));
  EXPECT_EQ(skintest::Row(*b, 1), (Pixels{0x12, 0x11, 0x10}));

  b = Numbered();
  FlipBitmap(*b);
  EXPECT_EQ(skintest::Row(*b, 0), (Pixels{0x10, 0x11, 0x12}));
  EXPECT_EQ(skintest::Row(*b, 1), (Pixels{0x00, 0x01, 0x02}));

  b = Numbered();
  RotateLeft(*b);  // the right column becomes the top row
  ASSERT_EQ(b->Width(), 2);
  ASSERT_EQ(b->Height(), 3);
  EXPECT_EQ(skintest::Row(*b, 0), (Pixels{0x02, 0x12}));
  EXPECT_EQ(skintest::Row(*b, 1), (Pixels{0x01, 0x11}));
  EXPECT_EQ(skintest::Row(*b, 2), (Pixels{0x00, 0x10}));

  b = Numbered();
  RotateRight(*b);  // the left column, bottom first, becomes the top row
  ASSERT_EQ(b->Width(), 2);
  EXPECT_EQ(skintest::Row(*b, 0), (Pixels{0x10, 0x00}));
  EXPECT_EQ(skintest::Row(*b, 2), (Pixels{0x12, 0x02}));
}

TEST(ImgUtil, GreyAndKeyColourReplacement) {
  auto b = MakeBitmap(3, 1, [](int x, int) {
    return Pixels{0x0A0B0C, 0xFF00FF, 0xFE00FF}[static_cast<std::size_t>(x)];
  });
  ReplaceKeyColour(*b, ui::TColor(0x332211));  // red 0x11, green 0x22, blue 0x33
  EXPECT_EQ(skintest::Row(*b, 0), (Pixels{0x0A0B0C, 0x112233, 0xFE00FF}));
  GrayBitmap(*b);
  EXPECT_EQ(skintest::Row(*b, 0), (Pixels{0x0B0B0B, 0x222222, 0xA9A9A9}));
}

TEST(ImgUtil, BlendColoursUsesPerCentBelowOneHundredAndPerMilleFrom) {
  const ui::TColor a = RGB(200, 100, 0), b = RGB(0, 100, 200);
  EXPECT_EQ(BlendColours(a, b, 99), ui::TColor(RGB(198, 100, 2)));
  EXPECT_EQ(BlendColours(a, b, 100), ui::TColor(RGB(20, 100, 180)));
  EXPECT_EQ(BlendColours(a, b, 150), ui::TColor(RGB(30, 100, 170)));
  EXPECT_EQ(BlendColours(a, b, 70), ui::TColor(RGB(140, 100, 60)));
  EXPECT_EQ(BlendColours(RGB(255, 255, 255), RGB(0, 0, 0), 50), ui::TColor(RGB(128, 128, 128)));
  // System colours are resolved before mixing.
  EXPECT_EQ(BlendColours(ui::clBtnFace, ui::clBtnFace, 30), ui::TColor(GetSysColor(COLOR_BTNFACE)));
}

TEST(ImgUtil, GradientTables) {
  const int two = GradientTable(2, RGB(10, 20, 30), RGB(200, 100, 0));
  EXPECT_EQ(GradientColours(two), (std::vector<ui::TColor>{RGB(10, 20, 30), RGB(200, 100, 0)}));

  const int five = GradientTable(5, RGB(0, 0, 100), RGB(10, 255, 97));
  // Per channel start + (i * delta + 2) div 4, truncating toward zero: a falling channel
  // stops one short of the end colour.
  EXPECT_EQ(GradientColours(five),
            (std::vector<ui::TColor>{RGB(0, 0, 100), RGB(3, 64, 100), RGB(5, 128, 99),
                                     RGB(8, 191, 99), RGB(10, 255, 98)}));
  const int one = GradientTable(1, RGB(0, 100, 50), RGB(11, 0, 50));
  EXPECT_EQ(GradientColours(one), (std::vector<ui::TColor>{RGB(5, 50, 50)}));

  // Asking again finds the same slot; sixteen further tables take every slot once, round robin.
  EXPECT_EQ(GradientTable(5, RGB(0, 0, 100), RGB(10, 255, 97)), five);
  std::vector<int> slots;
  for (int i = 0; i < 16; ++i) slots.push_back(GradientTable(3, RGB(i, 0, 0), RGB(0, 0, 0)));
  std::vector<int> sorted = slots;
  std::sort(sorted.begin(), sorted.end());
  for (int i = 0; i < 16; ++i) EXPECT_EQ(sorted[static_cast<std::size_t>(i)], i + 1);
  for (int i = 1; i < 16; ++i)
    EXPECT_EQ(slots[static_cast<std::size_t>(i)], slots[static_cast<std::size_t>(i - 1)] % 16 + 1);
  EXPECT_EQ(GradientColours(slots[5])[0], ui::TColor(RGB(5, 0, 0)));
}

TEST(ImgUtil, ColourSaturation) {
  EXPECT_EQ(ColourSaturation(RGB(255, 0, 0)), 255);
  EXPECT_EQ(ColourSaturation(RGB(128, 128, 128)), 200);
  EXPECT_EQ(ColourSaturation(RGB(159, 0, 0)), 200);  // no channel reaches 160
  EXPECT_EQ(ColourSaturation(RGB(255, 255, 255)), 0);
  EXPECT_EQ(ColourSaturation(RGB(200, 100, 100)), 128);  // 127.5: ties go to the even 128
  EXPECT_EQ(ColourSaturation(RGB(170, 167, 167)), 4);    // 4.5: ties go to the even 4
}

TEST(ImgUtil, FillGradientFillsOnlyTheBandsInsideTheClipBox) {
  ui::TBitmap target(4, 12);
  HDC dc = target.Canvas()->Handle();
  for (int y = 0; y < 12; ++y) std::fill(target.ScanLine(y), target.ScanLine(y) + 4, 0x777777u);
  IntersectClipRect(dc, 0, 4, 4, 8);  // rows 4..7 only
  const RECT rect{1, 2, 3, 12};       // ten rows from y = 2
  FillGradient(dc, rect, RGB(0, 0, 0), true, RGB(90, 180, 9));
  SelectClipRgn(dc, nullptr);
  // Band i of ten from black to (90, 180, 9) is (i * delta + 4) div 9 per channel: bands
  // 2 to 5 fall on rows 4 to 7.
  const Pixels bands = {0x142802, 0x1E3C03, 0x285004, 0x326405};
  for (int y = 0; y < 12; ++y) {
    const std::uint32_t expected =
        y >= 4 && y < 8 ? bands[static_cast<std::size_t>(y - 4)] : 0x777777u;
    EXPECT_EQ(At(target, 1, y), expected) << "row " << y;
    EXPECT_EQ(At(target, 2, y), expected) << "row " << y;
    EXPECT_EQ(At(target, 0, y), 0x777777u);
    EXPECT_EQ(At(target, 3, y), 0x777777u);
  }

  ui::TBitmap wide(6, 1);
  FillGradient(wide.Canvas()->Handle(), {0, 0, 6, 1}, RGB(0, 0, 0), false, RGB(250, 0, 0));
  EXPECT_EQ(skintest::Row(wide, 0),
            (Pixels{0x000000, 0x320000, 0x640000, 0x960000, 0xC80000, 0xFA0000}));
}

TEST(ImgUtil, LoadsBitmapFilesAndRejectsBrokenOnes) {
  ui::TBitmap bitmap;
  const skintest::Bytes file =
      skintest::MakeBmp24(2, 2, [](int x, int y) { return std::uint32_t(x * 0x10 + y); });
  ASSERT_TRUE(LoadBitmapFromBytes(file, bitmap));
  EXPECT_EQ(skintest::Row(bitmap, 0), (Pixels{0x00, 0x10}));
  EXPECT_EQ(skintest::Row(bitmap, 1), (Pixels{0x01, 0x11}));
  skintest::Bytes cut(file.begin(), file.end() - 1);
  EXPECT_FALSE(LoadBitmapFromBytes(cut, bitmap));
  EXPECT_TRUE(bitmap.Empty());
}

}  // namespace
