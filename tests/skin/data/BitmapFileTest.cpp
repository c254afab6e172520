#include <gtest/gtest.h>

#include "TestFiles.h"
#include "skin/model/BitmapFile.h"

using namespace skin;
using skintest::BmpSpec;
using skintest::Bytes;
using skintest::MakeBmp;

namespace {

std::vector<std::uint32_t> Decode(const Bytes& file) {
  TPixelImage image;
  std::string error;
  EXPECT_TRUE(DecodeBitmapFile(file, image, &error)) << error;
  return image.Pixels;
}

using Pixels = std::vector<std::uint32_t>;

TEST(BitmapFile, Decodes24BitBottomUpWithRowPadding) {
  const Bytes file = skintest::MakeBmp24(
      3, 2, [](int x, int y) { return std::uint32_t(0x102030 * (x + 1) + 0x010101 * y); });
  TPixelImage image;
  ASSERT_TRUE(DecodeBitmapFile(file, image));
  EXPECT_EQ(image.Width, 3);
  EXPECT_EQ(image.Height, 2);
  EXPECT_EQ(image.Pixels, (Pixels{0x102030, 0x204060, 0x306090, 0x112131, 0x214161, 0x316191}));
}

TEST(BitmapFile, DecodesPalettedBitmaps) {
  BmpSpec s;
  s.width = 3, s.height = 2, s.bpp = 8, s.palette = {0x000000, 0xFF00FF, 0x123456};
  s.pixels = {2, 1, 0, 0, /* top row: */ 0, 1, 7, 0};  // index 7 lies beyond the palette
  EXPECT_EQ(Decode(MakeBmp(s)),
            (Pixels{0x000000, 0xFF00FF, 0x000000, 0x123456, 0xFF00FF, 0x000000}));

  s.bpp = 4, s.width = 3, s.height = -1, s.palette = {0x111111, 0x222222, 0x333333};
  s.pixels = {0x21, 0x00, 0, 0};
  EXPECT_EQ(Decode(MakeBmp(s)), (Pixels{0x333333, 0x222222, 0x111111}));

  s.bpp = 1, s.width = 10, s.height = 1, s.palette = {0x0000FF, 0xFFFFFF};
  s.pixels = {0b10110000, 0b01000000, 0, 0};
  EXPECT_EQ(Decode(MakeBmp(s)), (Pixels{0xFFFFFF, 0x0000FF, 0xFFFFFF, 0xFFFFFF, 0x0000FF, 0x0000FF,
                                        0x0000FF, 0x0000FF, 0x0000FF, 0xFFFFFF}));
}

TEST(BitmapFile, DecodesSixteenAndThirtyTwoBitsTopDown) {
  BmpSpec s;
  s.width = 2, s.height = -2, s.bpp = 32;
  s.pixels = {1, 2, 3, 0xFF, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 0};
  EXPECT_EQ(Decode(MakeBmp(s)), (Pixels{0x030201, 0x060504, 0x090807, 0x0C0B0A}));

  s.bpp = 16, s.width = 2, s.height = -1;
  s.pixels = {0x00, 0x7C, 0x1F, 0x00};  // 5-5-5: pure red, pure blue
  EXPECT_EQ(Decode(MakeBmp(s)), (Pixels{0xFF0000, 0x0000FF}));

  s.compression = 3, s.masks = {0xF800, 0x07E0, 0x001F};  // 5-6-5
  s.pixels = {0xE0, 0x07, 0x10, 0x84};                    // pure green, top bits only
  EXPECT_EQ(Decode(MakeBmp(s)), (Pixels{0x00FF00, 0x848284}));
}

TEST(BitmapFile, DecodesTheCoreHeader) {
  Bytes f = {
      'B',  'M',  0,    0,    0,    0,    0, 0, 0, 0, 14 + 12 + 6, 0, 0,
      0,    12,   0,    0,    0,    2,    0, 1, 0, 1, 0,           1, 0,  // 2 x 1, 1 plane, 1 bit
      0x10, 0x20, 0x30, 0xAA, 0xBB, 0xCC,  // two 3-byte palette entries
      0x40, 0,    0,    0};
  EXPECT_EQ(Decode(f), (Pixels{0x302010, 0xCCBBAA}));
}

TEST(BitmapFile, DecodesRunLengthData) {
  BmpSpec s;
  s.width = 6, s.height = 3, s.bpp = 8, s.compression = 1;
  s.palette = {0x000000, 0x111111, 0x222222, 0x333333};
  s.pixels = {3, 1, 0, 3, 2, 3, 2, 0,  // bottom row: run of three 1s, absolute 2 3 2 (padded)
              0, 0,                    // end of line
              0, 2, 2, 1,              // delta: two right, one up
              9, 3,                    // a run past the row edge is cut
              0, 1};                   // end of bitmap
  EXPECT_EQ(Decode(MakeBmp(s)),
            (Pixels{0, 0, 0x333333, 0x333333, 0x333333, 0x333333,  //
                    0, 0, 0, 0, 0, 0,                              //
                    0x111111, 0x111111, 0x111111, 0x222222, 0x333333, 0x222222}));

  s.width = 5, s.height = 1, s.bpp = 4, s.compression = 2;
  s.pixels = {3, 0x12, 0, 3, 0x30, 0x00, 0, 1};  // run 1 2 1, absolute 3 0
  EXPECT_EQ(Decode(MakeBmp(s)), (Pixels{0x111111, 0x222222, 0x111111, 0x333333, 0}));
}

// A 4-bit literal run holds two pixels a byte, the last byte half used when the run is odd,
// and the run is padded to a whole word: five pixels take three bytes and one of padding.
TEST(BitmapFile, DecodesFourBitLiteralRunsOfEveryParity) {
  BmpSpec s;
  s.width = 8, s.height = 3, s.bpp = 4, s.compression = 2;
  for (std::uint32_t i = 0; i < 16; ++i) s.palette.push_back(0x100000 + i);
  s.pixels = {0, 5, 0x12, 0x34, 0x50, 0,     // bottom row: literal 1 2 3 4 5, padded
              0, 3, 0x67, 0x80,              // literal 6 7 8, a whole word
              0, 0,                          // end of line
              0, 6, 0x9A, 0xBC, 0xDE, 0,     // literal 9 A B C D E, padded
              0, 2, 1, 1,                    // delta: one right, one up
              1, 0xF0,                       // run of one F
              0, 1};                         // end of bitmap
  const auto p = [](std::uint32_t i) { return 0x100000 + i; };
  EXPECT_EQ(Decode(MakeBmp(s)), (Pixels{0, 0, 0, 0, 0, 0, 0, p(15),                      //
                                        p(9), p(10), p(11), p(12), p(13), p(14), 0, 0,  //
                                        p(1), p(2), p(3), p(4), p(5), p(6), p(7), p(8)}));
}

// Each case breaks one rule; none may be read out of bounds (the sanitizer build checks).
TEST(BitmapFile, RejectsMalformedFiles) {
  BmpSpec good;
  good.width = 2, good.height = 2, good.bpp = 8, good.palette = {0, 0xFFFFFF};
  good.pixels = Bytes(8, 1);
  ASSERT_EQ(Decode(MakeBmp(good)).size(), 4u);

  std::vector<std::pair<std::string, Bytes>> bad;
  auto variant = [&](std::string what, auto change) {
    BmpSpec s = good;
    change(s);
    bad.emplace_back(std::move(what), MakeBmp(s));
  };
  auto poke = [&](std::string what, std::size_t at, std::uint32_t value) {
    Bytes f = MakeBmp(good);
    skintest::PokeLE32(f, at, value);
    bad.emplace_back(std::move(what), f);
  };
  variant("zero width", [](BmpSpec& s) { s.width = 0; });
  variant("negative width", [](BmpSpec& s) { s.width = -2; });
  variant("zero height", [](BmpSpec& s) { s.height = 0; });
  variant("lowest height", [](BmpSpec& s) { s.height = INT32_MIN; });
  variant("huge", [](BmpSpec& s) { s.width = 40000; });
  variant("too many pixels", [](BmpSpec& s) { s.width = 30000, s.height = 30000; });
  variant("bit count 7", [](BmpSpec& s) { s.bpp = 7; });
  variant("bit count 0", [](BmpSpec& s) { s.bpp = 0; });
  variant("compression 4", [](BmpSpec& s) { s.compression = 4; });
  variant("RLE8 at 4 bits", [](BmpSpec& s) { s.compression = 1, s.bpp = 4; });
  variant("top-down RLE", [](BmpSpec& s) { s.compression = 1, s.height = -2; });
  variant("palette above 2^bpp", [](BmpSpec& s) { s.bpp = 1, s.palette = {0, 1, 2}; });
  variant("pixels cut short", [](BmpSpec& s) { s.pixels.pop_back(); });
  variant("bit fields at 24 bits", [](BmpSpec& s) {
    s.bpp = 24, s.compression = 3, s.masks = {0xFF0000, 0xFF00, 0xFF};
  });
  variant("overlapping masks", [](BmpSpec& s) {
    s.bpp = 16, s.compression = 3, s.masks = {0xF800, 0x0FE0, 0x001F};
  });
  variant("gap in a mask", [](BmpSpec& s) {
    s.bpp = 16, s.compression = 3, s.masks = {0xF000, 0x05E0, 0x001F};
  });
  variant("mask wider than 16 bits", [](BmpSpec& s) {
    s.bpp = 16, s.compression = 3, s.masks = {0x1F800, 0x07E0, 0x001F};
  });
  variant("empty mask", [](BmpSpec& s) {
    s.bpp = 32, s.compression = 3, s.masks = {0xFF0000, 0, 0xFF};
  });
  poke("size field past the end", 2, 10000);
  poke("offset inside the palette", 10, 14 + 40 + 4);
  poke("offset past the end", 10, 10000);
  poke("header size 64", 14, 64);
  poke("header size past the end", 14, 124);
  poke("two planes", 14 + 12, 0x00080002);
  poke("RLE data size past the end", 14 + 20, 10000);
  bad.back().second[14 + 16] = 1;  // RLE8, so that the data size counts
  bad.emplace_back("not BM", Bytes{'B', 'X', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 40, 0, 0, 0});
  bad.emplace_back("file header only", Bytes{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  Bytes cut = MakeBmp(good);
  cut.resize(30);
  bad.emplace_back("info header cut", cut);

  for (const auto& [what, file] : bad) {
    TPixelImage image;
    std::string error;
    EXPECT_FALSE(DecodeBitmapFile(file, image, &error)) << what;
    EXPECT_FALSE(error.empty()) << what;
    EXPECT_TRUE(image.Pixels.empty() && image.Width == 0) << what;
  }
}

}  // namespace
