// The plans of pieces by which elements are composed, for skins that say absurd things: no
// piece reads outside its frame or writes outside the picture, whatever the margins and frame
// counts, and tiling a tiny picture over a large area takes few copies.
#include <gtest/gtest.h>

#include <climits>

#include "skin/model/SkinPieces.h"

using namespace skin;

namespace {

// Every piece has area, lies in the picture and reads only the frame.
void ExpectSound(const std::vector<TPiece>& pieces, int width, int height, const TPieceRect& frame) {
  EXPECT_LE(pieces.size(), 9u);
  for (const TPiece& p : pieces) {
    EXPECT_FALSE(p.Dest.Empty());
    EXPECT_FALSE(p.Source.Empty());
    EXPECT_TRUE(p.Dest.Left >= 0 && p.Dest.Top >= 0 && p.Dest.Right <= width && p.Dest.Bottom <= height)
        << p.Dest.Left << "," << p.Dest.Top << "," << p.Dest.Right << "," << p.Dest.Bottom;
    EXPECT_TRUE(p.Source.Left >= frame.Left && p.Source.Top >= frame.Top &&
                p.Source.Right <= frame.Right && p.Source.Bottom <= frame.Bottom)
        << p.Source.Left << "," << p.Source.Top << "," << p.Source.Right << "," << p.Source.Bottom;
  }
}

void ExpectSoundEverywhere(const TMargins& margins, const TPieceRect& frame) {
  for (auto [w, h] : {std::pair{1, 1}, std::pair{3, 40}, std::pair{200, 30}, std::pair{1920, 1080}}) {
    for (TCentreMode c : {TCentreMode::Tile, TCentreMode::Stretch}) {
      ExpectSound(NineRegionPieces(w, h, frame, margins, c), w, h, frame);
    }
    ExpectSound(ThreePartTiledPieces(w, h, frame, margins), w, h, frame);
    ExpectSound(ThreePartStretchedPieces(w, h, frame, margins), w, h, frame);
  }
}

TEST(SkinPieces, FrameCountsOfZeroNegativeOrHugeGiveAFrameInsideTheStrip) {
  EXPECT_EQ(FrameOfStrip(20, 5, TFrameLayout::SideBySide, 0, 3), (TPieceRect{0, 0, 20, 5}));
  EXPECT_EQ(FrameOfStrip(20, 5, TFrameLayout::SideBySide, -4, -9), (TPieceRect{0, 0, 20, 5}));
  EXPECT_EQ(FrameOfStrip(20, 5, TFrameLayout::SideBySide, 4, 9), (TPieceRect{15, 0, 20, 5}));
  // More frames than pixels: frames of no width, which nothing draws from.
  EXPECT_TRUE(FrameOfStrip(20, 5, TFrameLayout::SideBySide, INT_MAX, INT_MAX).Empty());
  EXPECT_TRUE(FrameOfStrip(5, 1, TFrameLayout::Stacked, 23, 23).Empty());
  EXPECT_TRUE(NineRegionPieces(30, 30, TPieceRect{}, {1, 1, 1, 1}, TCentreMode::Tile).empty());
}

TEST(SkinPieces, MarginsLargerThanTheFrameNeverReachIntoTheNextFrame) {
  // Frame 1 of a strip of two 4-pixel frames, with margins of 10: nothing of frame 2 is read.
  const TPieceRect frame = FrameOfStrip(8, 6, TFrameLayout::SideBySide, 2, 1);
  EXPECT_EQ(MarginsWithin({10, 10, 10, 10}, 4, 6), (TMargins{0, 0, 0, 0}));
  EXPECT_EQ(MarginsWithin({1, 10, 3, 10}, 4, 6), (TMargins{1, 0, 3, 0}));  // they fit across
  EXPECT_EQ(MarginsWithin({-2, 3, 5, -1}, 4, 6), (TMargins{0, 3, 0, 0}));
  ExpectSoundEverywhere({10, 10, 10, 10}, frame);
  ExpectSoundEverywhere({0, 0, 10, 10}, FrameOfStrip(8, 6, TFrameLayout::SideBySide, 2, 2));
}

TEST(SkinPieces, AbsurdMarginsAreHeldWithoutOverflow) {
  const TPieceRect frame = FrameOfStrip(30, 12, TFrameLayout::SideBySide, 3, 2);
  ExpectSoundEverywhere({INT_MAX, INT_MAX, INT_MAX, INT_MAX}, frame);
  ExpectSoundEverywhere({INT_MIN, INT_MIN, INT_MIN, INT_MIN}, frame);
  ExpectSoundEverywhere({INT_MAX, -5, INT_MIN, 3}, frame);
  // Negative margins count as none: the whole frame is stretched over the picture.
  const auto pieces = NineRegionPieces(50, 20, frame, {-3, -3, -3, -3}, TCentreMode::Stretch);
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_EQ(pieces[0].Dest, (TPieceRect{0, 0, 50, 20}));
  EXPECT_EQ(pieces[0].Source, frame);
}

TEST(SkinPieces, ATinyTileOverALargeAreaTakesFewBlocks) {
  const TTiling one = TilingOf(1920, 1080, 1, 1);
  EXPECT_EQ(one.Across, 1920);
  EXPECT_EQ(one.Down, 1080);
  EXPECT_EQ(one.BlockAcross, 64);
  EXPECT_EQ(one.BlockDown, 64);
  const TTiling big = TilingOf(100, 10, 300, 40);  // one tile, larger than the area
  EXPECT_EQ(big.Across, 1);
  EXPECT_EQ(big.BlockAcross, 1);
  EXPECT_EQ(TilingOf(0, 10, 1, 1).Across, 0);
  EXPECT_EQ(TilingOf(10, 10, 0, 1).Across, 0);
  // A one-pixel middle over a wide bar: one piece, tiled across.
  const TPieceRect frame{0, 0, 3, 8};
  const auto pieces = ThreePartTiledPieces(1000, 8, frame, {1, 0, 1, 0});
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[1].Fill, TFill::TileAcross);
  EXPECT_EQ(pieces[1].Dest, (TPieceRect{1, 0, 999, 8}));
  EXPECT_EQ(pieces[1].Source, (TPieceRect{1, 0, 2, 8}));
}

}  // namespace
