#include <gtest/gtest.h>

#include <climits>

#include "ImageTestSupport.h"
#include "skin/data/GdiPicture.h"
#include "skin/data/ImgUtil.h"

using namespace skin;
using skintest::At;
using skintest::Filled;
using skintest::kMagenta;
using skintest::MakeBitmap;
using skintest::MakeSkinBitmap;
using Pixels = std::vector<std::uint32_t>;

namespace {

constexpr std::uint32_t kGrey = 0x808080;

// Zone of a coordinate against two margins: 0 in the first, 1 between, 2 in the second.
int Zone(int v, int first, int size, int second) {
  return v < first ? 0 : v >= size - second ? 2 : 1;
}
std::uint32_t ZoneColour(int zx, int zy, int frame) {
  return std::uint32_t(0x400000 * (zx + 1) + 0x004000 * (zy + 1) + frame);
}

// Two frames of 6 x 6, each cut by margins of 2 into nine single-coloured zones.
std::unique_ptr<TSkinBitmap> NineZoneStrip(TFrameLayout layout) {
  const bool side = layout == TFrameLayout::SideBySide;
  return MakeSkinBitmap(side ? 12 : 6, side ? 6 : 12, [side](int x, int y) {
    const int frame = side ? x / 6 + 1 : y / 6 + 1;
    return ZoneColour(Zone(x % 6, 2, 6, 2), Zone(y % 6, 2, 6, 2), frame);
  });
}

TEST(SkinDraw, NineRegionKeepsMarginsAndStretchesTheRest) {
  for (TFrameLayout layout : {TFrameLayout::SideBySide, TFrameLayout::Stacked}) {
    auto strip = NineZoneStrip(layout);
    const auto out =
        ComposeNineRegion(10, 8, *strip, {2, 2, 2, 2}, layout, TCentreMode::Stretch, 2, 2);
    ASSERT_EQ(out->Width(), 10);
    ASSERT_EQ(out->Height(), 8);
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(At(*out, x, y), ZoneColour(Zone(x, 2, 10, 2), Zone(y, 2, 8, 2), 2))
            << x << "," << y;
      }
    }
  }
}

// Narrower than both side margins: they are dropped and the frame is stretched across, while
// the top and bottom margins, which fit, stay.
TEST(SkinDraw, NineRegionDropsMarginsThatDoNotFit) {
  auto strip = MakeSkinBitmap(6, 6, [](int x, int y) {
    return std::uint32_t(0x300000 * (x / 2 + 1) + 0x30 * (Zone(y, 1, 6, 1) + 1));
  });
  const auto out = ComposeNineRegion(3, 8, *strip, {2, 1, 2, 1}, TFrameLayout::SideBySide,
                                     TCentreMode::Stretch, 1, 1);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(At(*out, x, y), std::uint32_t(0x300000 * (x + 1) + 0x30 * (Zone(y, 1, 8, 1) + 1)))
          << x << "," << y;
    }
  }
}

// A centre of 7 pixels tiled over a centre area of 20: three whole copies, the third running
// one pixel over, where the right edge covers it.
TEST(SkinDraw, NineRegionTilesTheCentreWholeAndPaintsTheRightEdgeOverIt) {
  constexpr std::uint32_t L = 0x0000AA, R = 0x0000BB, T = 0x333333, X = 0xFF0000, Y = 0x00FF00;
  auto strip = MakeSkinBitmap(13, 5, [&](int x, int y) {
    if (y == 0 || y == 4) return T;
    if (x < 3) return L;
    if (x >= 10) return R;
    return x == 3 ? X : Y;
  });
  const auto out = ComposeNineRegion(26, 5, *strip, {3, 1, 3, 1}, TFrameLayout::SideBySide,
                                     TCentreMode::Tile, 1, 1);
  Pixels expected;
  for (int x = 0; x < 26; ++x) {
    expected.push_back(x < 3 ? L : x >= 23 ? R : (x - 3) % 7 == 0 ? X : Y);
  }
  for (int y = 1; y <= 3; ++y) EXPECT_EQ(skintest::Row(*out, y), expected) << "row " << y;
  EXPECT_EQ(skintest::Row(*out, 0), Pixels(26, T));
  EXPECT_EQ(skintest::Row(*out, 4), Pixels(26, T));
}

TEST(SkinDraw, DrawNineRegionOpaqueOrWithTheKeyColourLeftOut) {
  auto strip =
      MakeSkinBitmap(4, 4, [](int x, int y) { return x == 0 && y == 0 ? kMagenta : 0x102030u; });
  for (bool transparent : {false, true}) {
    ui::TBitmap target(8, 8);
    for (int y = 0; y < 8; ++y) std::fill(target.ScanLine(y), target.ScanLine(y) + 8, kGrey);
    DrawNineRegion(target.Canvas()->Handle(), {2, 3, 8, 8}, *strip, TFrameLayout::SideBySide,
                   TCentreMode::Tile, transparent, 1, 1, {1, 1, 1, 1});
    EXPECT_EQ(At(target, 2, 3), transparent ? kGrey : kMagenta);
    EXPECT_EQ(At(target, 3, 3), 0x102030u);
    EXPECT_EQ(At(target, 7, 7), 0x102030u);
    EXPECT_EQ(At(target, 1, 3), kGrey);
    EXPECT_EQ(At(target, 2, 2), kGrey);
  }
  ui::TBitmap untouched(4, 4);
  DrawNineRegion(untouched.Canvas()->Handle(), {3, 0, 1, 4}, *strip, TFrameLayout::SideBySide,
                 TCentreMode::Tile, false, 1, 1, {});
  EXPECT_EQ(skintest::Row(untouched, 0), Pixels(4, 0));
}

TEST(SkinDraw, ThreePartTiledRepeatsTheMiddleBetweenTheCaps) {
  constexpr std::uint32_t A = 0x0A0A0A, B = 0x0B0B0B, M[3] = {0x100000, 0x200000, 0x300000};
  // Two frames of 7 x 2; the second is drawn. Its middle pixel M[1] is the key colour.
  auto strip = MakeSkinBitmap(14, 2, [&](int x, int) {
    const int fx = x % 7;
    if (x < 7) return 0x999999u;
    if (fx < 2) return A;
    if (fx >= 5) return B;
    return fx == 3 ? kMagenta : M[fx - 2];
  });
  for (bool transparent : {false, true}) {
    ui::TBitmap target(14, 4);
    for (int y = 0; y < 4; ++y) std::fill(target.ScanLine(y), target.ScanLine(y) + 14, kGrey);
    DrawThreePartTiled(*target.Canvas(), {1, 1, 13, 3}, *strip, TFrameLayout::SideBySide,
                       transparent, 2, 2, {2, 0, 2, 0});
    const std::uint32_t key = transparent ? kGrey : kMagenta;
    const Pixels expected = {kGrey, A, A, M[0], key, M[2], M[0], key, M[2], M[0], key, B, B, kGrey};
    EXPECT_EQ(skintest::Row(target, 1), expected) << "transparent " << transparent;
    EXPECT_EQ(skintest::Row(target, 2), expected) << "transparent " << transparent;
    EXPECT_EQ(skintest::Row(target, 0), Pixels(14, kGrey));
  }
}

TEST(SkinDraw, ThreePartStretchedKeepsCapsUnlessNarrowerThanTheFrame) {
  const std::uint32_t P[4] = {0x010000, 0x020000, 0x030000, 0x040000};
  auto strip = MakeSkinBitmap(8, 3, [&](int x, int) { return P[x / 2]; });
  ui::TBitmap narrow(4, 3);
  DrawThreePartStretched(narrow.Canvas()->Handle(), {0, 0, 4, 3}, *strip, TFrameLayout::SideBySide,
                         1, 1, {2, 0, 2, 0});
  EXPECT_EQ(skintest::Row(narrow, 1), (Pixels{P[0], P[1], P[2], P[3]}));

  ui::TBitmap wide(12, 6);
  DrawThreePartStretched(wide.Canvas()->Handle(), {0, 0, 12, 6}, *strip, TFrameLayout::SideBySide,
                         1, 1, {2, 0, 2, 0});
  const Pixels expected = {P[0], P[0], P[1], P[1], P[1], P[1], P[2], P[2], P[2], P[2], P[3], P[3]};
  EXPECT_EQ(skintest::Row(wide, 0), expected);
  EXPECT_EQ(skintest::Row(wide, 5), expected);
}

TEST(SkinDraw, FrameStretchedFillsTheRectangleWithTheChosenFrame) {
  auto strip = MakeSkinBitmap(12, 4, [](int x, int) {
    const int frame = x / 4;
    return frame == 1 && x % 4 < 2 ? kMagenta : std::uint32_t(0x111111 * (frame + 1));
  });
  ui::TBitmap opaque(12, 8);
  DrawFrameStretched(opaque.Canvas()->Handle(), {1, 1, 11, 7}, *strip, false, 3, 3);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 12; ++x) {
      const bool inside = x >= 1 && x < 11 && y >= 1 && y < 7;
      EXPECT_EQ(At(opaque, x, y), inside ? 0x333333u : 0u) << x << "," << y;
    }
  }
  ui::TBitmap keyed(12, 8);
  for (int y = 0; y < 8; ++y) std::fill(keyed.ScanLine(y), keyed.ScanLine(y) + 12, kGrey);
  DrawFrameStretched(keyed.Canvas()->Handle(), {1, 1, 11, 7}, *strip, true, 3, 2);
  for (int y = 1; y < 7; ++y) {
    for (int x = 1; x < 5; ++x) EXPECT_EQ(At(keyed, x, y), kGrey) << x << "," << y;
    for (int x = 7; x < 11; ++x) EXPECT_EQ(At(keyed, x, y), 0x222222u) << x << "," << y;
  }
}

// A skin bitmap is drawn through one GDI picture, made at its first drawing and kept while its
// pixels stay; pixels changed by any means show at the next drawing.
TEST(SkinDraw, ASkinBitmapIsConvertedOnceAndAgainWhenItsPixelsChange) {
  auto strip = MakeSkinBitmap(4, 2, [](int, int) { return 0x102030u; });
  ui::TBitmap target(4, 2);
  const auto drawnColour = [&] {
    DrawFrameStretched(target.Canvas()->Handle(), {0, 0, 4, 2}, *strip, false, 1, 1);
    return At(target, 3, 1);
  };
  EXPECT_EQ(drawnColour(), 0x102030u);
  const TGdiPicture* picture = &GdiPicture(*strip);
  EXPECT_EQ(drawnColour(), 0x102030u);
  EXPECT_EQ(&GdiPicture(*strip), picture);
  EXPECT_EQ(PixelAt(*strip, 3, 1), 0x102030u);  // reading leaves the picture
  EXPECT_EQ(&GdiPicture(*strip), picture);

  strip->ScanLine(1)[3] = 0x405060;
  EXPECT_EQ(drawnColour(), 0x405060u);
  const std::uint32_t rows[8] = {0, 0, 0, 0, 0, 0, 0, 0x708090};
  strip->SetPixels(4, 2, rows);
  EXPECT_EQ(drawnColour(), 0x708090u);
  auto other = MakeSkinBitmap(4, 2, [](int, int) { return 0xA0B0C0u; });
  strip->Assign(*other);
  EXPECT_EQ(drawnColour(), 0xA0B0C0u);
  strip->SetSize(2, 2);  // the picture is cut: the stretched frame is its left half
  DrawFrameStretched(target.Canvas()->Handle(), {0, 0, 4, 2}, *strip, false, 1, 1);
  EXPECT_EQ(At(target, 3, 1), 0xA0B0C0u);
  strip->SetSize(4, 2);  // widened again: the new pixels are black
  EXPECT_EQ(drawnColour(), 0u);
}

// A 16-pixel frame centred in a 10-pixel rectangle starts 3 pixels before it.
TEST(SkinDraw, FrameCentredOverhangsEquallyOnBothSides) {
  auto strip = MakeSkinBitmap(32, 16, [](int x, int y) {
    if (x < 16) return 0x999999u;
    const int fx = x - 16;
    if (fx == 5 && y == 5) return kMagenta;
    return fx == 0 || y == 0 ? 0xAA0000u : 0x00BB00u;
  });
  for (bool transparent : {false, true}) {
    ui::TBitmap target(30, 30);
    for (int y = 0; y < 30; ++y) std::fill(target.ScanLine(y), target.ScanLine(y) + 30, kGrey);
    DrawFrameCentred(target.Canvas()->Handle(), {10, 10, 20, 20}, *strip, transparent, 2, 2);
    EXPECT_EQ(At(target, 7, 7), 0xAA0000u);
    EXPECT_EQ(At(target, 7, 22), 0xAA0000u);
    EXPECT_EQ(At(target, 8, 8), 0x00BB00u);
    EXPECT_EQ(At(target, 22, 22), 0x00BB00u);
    EXPECT_EQ(At(target, 6, 7), kGrey);
    EXPECT_EQ(At(target, 7, 6), kGrey);
    EXPECT_EQ(At(target, 23, 22), kGrey);
    EXPECT_EQ(At(target, 22, 23), kGrey);
    EXPECT_EQ(At(target, 12, 12), transparent ? kGrey : kMagenta);
  }
  // Smaller than the rectangle: centred inside it, the odd pixel going right.
  ui::TBitmap target(40, 20);
  DrawFrameCentred(target.Canvas()->Handle(), {0, 0, 21, 20}, *strip, false, 2, 2);
  EXPECT_EQ(At(target, 2, 2), 0xAA0000u);
  EXPECT_EQ(At(target, 1, 2), 0u);
  EXPECT_EQ(At(target, 17, 2), 0xAA0000u);  // the top row
  EXPECT_EQ(At(target, 18, 2), 0u);
}

TEST(SkinDraw, DrawTransparentTakesTheTopLeftPartAndLeavesKeyPixels) {
  auto bitmap = MakeBitmap(4, 3, [](int x, int y) {
    return (x + y) % 2 ? kMagenta : std::uint32_t(0x100 * (y * 4 + x + 1));
  });
  ui::TBitmap target(6, 5);
  for (int y = 0; y < 5; ++y) std::fill(target.ScanLine(y), target.ScanLine(y) + 6, 0x123456u);
  DrawTransparent(target.Canvas()->Handle(), {1, 1, 4, 3}, *bitmap, ui::clFuchsia);
  EXPECT_EQ(skintest::Row(target, 0), Pixels(6, 0x123456u));
  EXPECT_EQ(skintest::Row(target, 1),
            (Pixels{0x123456, 0x100, 0x123456, 0x300, 0x123456, 0x123456}));
  EXPECT_EQ(skintest::Row(target, 2),
            (Pixels{0x123456, 0x123456, 0x600, 0x123456, 0x123456, 0x123456}));
  EXPECT_EQ(skintest::Row(target, 3), Pixels(6, 0x123456u));
}

TEST(SkinDraw, TileBitmapDrawsWholeTilesFromTheSourceRectangle) {
  auto source = MakeBitmap(5, 5, [](int x, int y) { return std::uint32_t(0x10 * x + y + 1); });
  ui::TBitmap target(8, 6);
  TileBitmap(*target.Canvas(), {1, 1, 6, 4}, *source, {2, 1, 4, 3});  // a 2 x 2 piece
  EXPECT_EQ(skintest::Row(target, 0), Pixels(8, 0));
  EXPECT_EQ(skintest::Row(target, 1), (Pixels{0, 0x22, 0x32, 0x22, 0x32, 0x22, 0x32, 0}));
  EXPECT_EQ(skintest::Row(target, 2), (Pixels{0, 0x23, 0x33, 0x23, 0x33, 0x23, 0x33, 0}));
  EXPECT_EQ(skintest::Row(target, 4), (Pixels{0, 0x23, 0x33, 0x23, 0x33, 0x23, 0x33, 0}));
  EXPECT_EQ(skintest::Row(target, 5), Pixels(8, 0));
  TileBitmap(*target.Canvas(), {0, 0, 8, 6}, *source, {2, 2, 2, 4});  // no area: nothing
  EXPECT_EQ(At(target, 0, 0), 0u);
}

// A tile of one pixel (or a few) over a large area: every whole tile is there, drawn in
// blocks; tiles keep their phase from the area's corner and end where whole tiles end.
TEST(SkinDraw, TileBitmapOfATinyTileCoversALargeAreaInPhase) {
  auto source = MakeBitmap(4, 4, [](int x, int y) { return std::uint32_t(0x100 * x + y + 1); });
  ui::TBitmap target(700, 300);
  TileBitmap(*target.Canvas(), {0, 0, 700, 300}, *source, {1, 1, 2, 2});  // one pixel
  int wrong = 0;
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 700; ++x) wrong += At(target, x, y) != 0x102u;
  EXPECT_EQ(wrong, 0);
  // Three pixels wide, two high, from (5, 7) to (651, 290): whole tiles run to 653 and 291.
  ui::TBitmap framed(700, 300);
  TileBitmap(*framed.Canvas(), {5, 7, 651, 290}, *source, {1, 1, 4, 3});
  wrong = 0;
  for (int y = 0; y < 300; ++y) {
    for (int x = 0; x < 700; ++x) {
      const bool inside = x >= 5 && x < 653 && y >= 7 && y < 291;
      const std::uint32_t expected =
          inside ? std::uint32_t(0x100 * (1 + (x - 5) % 3) + 1 + (y - 7) % 2 + 1) : 0u;
      wrong += At(framed, x, y) != expected;
    }
  }
  EXPECT_EQ(wrong, 0);
}

// Margins wider than the frame (a hostile skin) are held within the frame: nothing of the
// neighbouring frame shows, and nothing outside the strip is read.
TEST(SkinDraw, MarginsWiderThanTheFrameNeverShowTheNextFrame) {
  constexpr std::uint32_t kRed = 0xC00000, kBlue = 0x0000C0;
  auto strip = MakeSkinBitmap(8, 6, [](int x, int) { return x < 4 ? kRed : kBlue; });
  for (TCentreMode centre : {TCentreMode::Tile, TCentreMode::Stretch}) {
    for (const TMargins& m : {TMargins{10, 10, 10, 10}, TMargins{INT_MAX, INT_MAX, 0, 0},
                              TMargins{-7, 2, INT_MIN, 9}}) {
      const auto out = ComposeNineRegion(30, 20, *strip, m, TFrameLayout::SideBySide, centre, 2, 1);
      int other = 0;
      for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x) other += At(*out, x, y) != kRed;
      EXPECT_EQ(other, 0) << m.Left << " " << m.Top << " " << m.Right << " " << m.Bottom;
    }
  }
  // The three-part routines likewise.
  ui::TBitmap target(40, 10);
  DrawThreePartStretched(target.Canvas()->Handle(), {0, 0, 40, 10}, *strip,
                         TFrameLayout::SideBySide, 2, 1, {9, 0, 9, 0});
  DrawThreePartTiled(*target.Canvas(), {0, 0, 40, 10}, *strip, TFrameLayout::SideBySide, false, 2,
                     1, {9, 0, 9, 0});
  int other = 0;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 40; ++x) other += At(target, x, y) != kRed;
  EXPECT_EQ(other, 0);
}

// Every point of the region, in bitmap coordinates moved by the offset.
std::vector<std::vector<bool>> Covered(HRGN region, int w, int h, int dx, int dy) {
  std::vector<std::vector<bool>> inside(static_cast<std::size_t>(h),
                                        std::vector<bool>(static_cast<std::size_t>(w)));
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x)
      inside[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] =
          PtInRegion(region, x + dx, y + dy) != 0;
  }
  return inside;
}

TEST(SkinDraw, RegionFromBitmapCoversEverythingOutsideTheKeyRange) {
  auto allKey = Filled(7, 5, kMagenta);
  ui::TRegionHandle empty = RegionFromBitmap(*allKey, 0, 0, 0, 0, 0, ui::clFuchsia);
  ASSERT_TRUE(empty);
  RECT box{};
  EXPECT_EQ(GetRgnBox(empty.Get(), &box), NULLREGION);

  // Key (250, 0, 250) with a tolerance of 5 per channel: (255, 5, 255) is still transparent,
  // (255, 6, 255) is not.
  const std::uint32_t key = 0xFA00FA, edge = 0xFF05FF, outside = 0xFF06FF;
  auto shaped = MakeBitmap(5, 3, [&](int x, int y) {
    const std::uint32_t rows[3][5] = {
        {key, outside, outside, key, 0}, {edge, key, 0x123456, 0x123456, edge}, {0, 0, 0, 0, 0}};
    return rows[y][x];
  });
  ui::TRegionHandle region = RegionFromBitmap(*shaped, 10, 20, 5, 5, 5, RGB(250, 0, 250));
  const std::vector<std::vector<bool>> expected = {{false, true, true, false, true},
                                                   {false, false, true, true, false},
                                                   {true, true, true, true, true}};
  EXPECT_EQ(Covered(region.Get(), 5, 3, 10, 20), expected);
  EXPECT_FALSE(PtInRegion(region.Get(), 1, 2));
}

// More rectangles than one batch: the regions of all batches are united.
TEST(SkinDraw, RegionFromBitmapUnitesItsBatches) {
  auto bitmap =
      MakeBitmap(3, 4500, [](int x, int y) { return x == 1 || y % 1000 == 7 ? 0u : kMagenta; });
  ui::TRegionHandle region = RegionFromBitmap(*bitmap, 0, 0, 0, 0, 0, ui::clFuchsia);
  for (int y : {0, 1999, 2000, 2001, 4007, 4499}) {
    EXPECT_TRUE(PtInRegion(region.Get(), 1, y)) << y;
    EXPECT_EQ(PtInRegion(region.Get(), 0, y) != 0, y % 1000 == 7) << y;
  }
  RECT box{};
  GetRgnBox(region.Get(), &box);
  EXPECT_EQ(box.bottom, 4500);
}

TEST(SkinDraw, PaintParentImageHasTheParentPaintUnderTheControl) {
  ui::TWinControl parent(nullptr);
  std::vector<UINT> messages;
  parent.WindowProc = [&](ui::TMessage& m) {
    messages.push_back(m.Msg);
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    if (m.Msg == WM_PAINT) {
      for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 30; ++x) SetPixelV(dc, x, y, RGB(x * 5, y * 5, 0));
      }
    }
  };
  ui::TWinControl child(nullptr);
  child.SetBounds(5, 7, 10, 6);

  ui::TBitmap target(12, 8);
  HDC dc = target.Canvas()->Handle();
  PaintParentImage(child, dc);  // no parent: nothing happens
  EXPECT_TRUE(messages.empty());

  child.SetParent(&parent);
  messages.clear();
  PaintParentImage(child, dc);
  EXPECT_EQ(messages, (std::vector<UINT>{WM_ERASEBKGND, WM_PAINT}));
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 12; ++x) {
      const bool inside = x < 10 && y < 6;
      EXPECT_EQ(At(target, x, y), inside ? skintest::Px(RGB((x + 5) * 5, (y + 7) * 5, 0)) : 0u)
          << x << "," << y;
    }
  }
  POINT origin{-1, -1};
  GetViewportOrgEx(dc, &origin);
  EXPECT_EQ(origin.x, 0);
  EXPECT_EQ(origin.y, 0);
  child.SetParent(nullptr);
}

}  // namespace
