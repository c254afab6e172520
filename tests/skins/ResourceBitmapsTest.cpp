// The program's own bitmap resources that the skin engine loads by name: the track bar
// channels TRACK and TRACKVERT and the menu glyph strip ZELMARMENU.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DefaultSkin.h"

namespace skintest {
namespace {

constexpr std::uint32_t S = 0xC0C0C0, G = 0x808080, W = 0xFFFFFF, B = 0x000000;

struct TResource {
  std::vector<std::uint8_t> Bytes;
  skin::TPixelImage Image;
};

TResource Load(const std::string& name) {
  TResource r;
  r.Bytes = ReadFileBytes(std::string(VEXLO_SKIN_RESOURCE_DIR) + "/resource-" + name + ".bmp");
  std::string error;
  EXPECT_TRUE(skin::DecodeBitmapFile(r.Bytes, r.Image, &error)) << name << ": " << error;
  return r;
}

int BitsPerPixel(const std::vector<std::uint8_t>& bmp) { return bmp.at(28) | bmp.at(29) << 8; }

std::vector<std::uint32_t> Row(const skin::TPixelImage& image, int y) {
  std::vector<std::uint32_t> row;
  for (int x = 0; x < image.Width; ++x) row.push_back(image.At(x, y));
  return row;
}

TEST(ResourceBitmaps, TrackIs16By4InTheSixteenColourPalette) {
  const TResource r = Load("track");
  EXPECT_EQ(BitsPerPixel(r.Bytes), 4);
  ASSERT_EQ(r.Image.Width, 16);
  ASSERT_EQ(r.Image.Height, 4);
  std::vector<std::uint32_t> top = {S, S};
  top.insert(top.end(), 12, G);
  top.insert(top.end(), 2, W);
  std::vector<std::uint32_t> rest(14, W);
  EXPECT_EQ(Row(r.Image, 0), top);
  auto expect = [&](int y, std::uint32_t a, std::uint32_t b) {
    std::vector<std::uint32_t> row = {a, b};
    row.insert(row.end(), rest.begin(), rest.end());
    EXPECT_EQ(Row(r.Image, y), row) << "row " << y;
  };
  expect(1, S, S);
  expect(2, G, S);
  expect(3, S, S);
}

TEST(ResourceBitmaps, TrackVertIs4By16InTheSixteenColourPalette) {
  const TResource r = Load("trackvert");
  EXPECT_EQ(BitsPerPixel(r.Bytes), 4);
  ASSERT_EQ(r.Image.Width, 4);
  ASSERT_EQ(r.Image.Height, 16);
  EXPECT_EQ(Row(r.Image, 0), (std::vector<std::uint32_t>{S, S, G, S}));
  EXPECT_EQ(Row(r.Image, 1), (std::vector<std::uint32_t>{S, S, S, S}));
  for (int y = 2; y < 14; ++y) EXPECT_EQ(Row(r.Image, y), (std::vector<std::uint32_t>{G, W, W, W})) << y;
  for (int y = 14; y < 16; ++y) EXPECT_EQ(Row(r.Image, y), (std::vector<std::uint32_t>{W, W, W, W})) << y;
}

// The black pixels of glyph i (0 restore, 1 maximise, 2 minimise, 3 close).
std::vector<std::pair<int, int>> GlyphPixels(const skin::TPixelImage& image, int glyph) {
  std::vector<std::pair<int, int>> black;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const std::uint32_t p = image.At(glyph * 16 + x, y);
      EXPECT_TRUE(p == B || p == W) << "glyph " << glyph << " is not black on white";
      if (p == B) black.emplace_back(x, y);
    }
  }
  return black;
}

// Rows in which the glyph has a horizontal run of at least `length` black pixels.
std::vector<int> RowsWithRun(const skin::TPixelImage& image, int glyph, int length) {
  std::vector<int> rows;
  for (int y = 0; y < 16; ++y) {
    int run = 0, best = 0;
    for (int x = 0; x < 16; ++x) {
      run = image.At(glyph * 16 + x, y) == B ? run + 1 : 0;
      best = std::max(best, run);
    }
    if (best >= length) rows.push_back(y);
  }
  return rows;
}

TEST(ResourceBitmaps, MenuGlyphsAreFourMonochromeGlyphs) {
  const TResource r = Load("zelmarmenu");
  EXPECT_EQ(BitsPerPixel(r.Bytes), 1);
  ASSERT_EQ(r.Image.Width, 64);
  ASSERT_EQ(r.Image.Height, 16);
  for (int g = 0; g < 4; ++g) EXPECT_FALSE(GlyphPixels(r.Image, g).empty()) << "glyph " << g;
}

TEST(ResourceBitmaps, MinimiseIsAShortBarTwoPixelsThickAtMidHeight) {
  const TResource r = Load("zelmarmenu");
  std::set<int> rows;
  for (const auto& [x, y] : GlyphPixels(r.Image, 2)) rows.insert(y);
  EXPECT_EQ(rows, (std::set<int>{7, 8}));
  EXPECT_LT(RowsWithRun(r.Image, 2, 4).size(), 3u);
}

TEST(ResourceBitmaps, MaximiseIsOneWindowAndRestoreTwo) {
  const TResource r = Load("zelmarmenu");
  // A window outline has a thick top edge: two rows of a long run, one above the other.
  EXPECT_EQ(RowsWithRun(r.Image, 1, 8).size(), 3u) << "top edge (two rows) and bottom edge";
  const std::vector<int> restore = RowsWithRun(r.Image, 0, 6);
  EXPECT_GE(restore.size(), 5u) << "two title edges and a bottom edge";
  EXPECT_GT(GlyphPixels(r.Image, 0).size(), GlyphPixels(r.Image, 1).size() * 5 / 4);
}

TEST(ResourceBitmaps, CloseIsASymmetricCross) {
  const TResource r = Load("zelmarmenu");
  const auto black = GlyphPixels(r.Image, 3);
  ASSERT_GE(black.size(), 16u);
  std::set<std::pair<int, int>> set(black.begin(), black.end());
  int minX = 16, maxX = -1;
  for (const auto& [x, y] : black) minX = std::min(minX, x), maxX = std::max(maxX, x);
  for (const auto& [x, y] : black) {
    EXPECT_TRUE(set.count({minX + maxX - x, y})) << "not mirrored at " << x << "," << y;
  }
  EXPECT_TRUE(RowsWithRun(r.Image, 3, 6).empty()) << "a cross has no long horizontal runs";
}

}  // namespace
}  // namespace skintest
