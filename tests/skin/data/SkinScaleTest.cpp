// A skin scaled for a display DPI: distances rounded, pictures scaled frame by frame with sharp
// margins and an exact key colour, and the program's own skin at 96, 120, 144 and 192 DPI.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>
#include <typeinfo>

#include "CraftedSkin.h"
#include "skin/model/SkinScale.h"

using namespace skin;

namespace {

constexpr std::uint32_t kKey = 0xFF00FF;

bool SamePixels(const TSkinBitmap& a, const TSkinBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y) {
    if (!std::equal(a.ScanLine(y), a.ScanLine(y) + a.Width(), b.ScanLine(y))) return false;
  }
  return true;
}

int Channel(std::uint32_t p, int c) { return static_cast<int>(p >> (16 - 8 * c)) & 0xFF; }

// Three 17 x 13 frames, each its own pattern of pure green, black and key-colour blots.
void MakeSyntheticStrip(TSkinBitmap& strip) {
  strip.SetSize(51, 13);
  for (int y = 0; y < 13; ++y) {
    for (int x = 0; x < 51; ++x) {
      const int k = x / 17, u = x % 17;
      const bool key = (u + 2 * y + k) % 7 < 2 || (u > 12 && y < 3 + k);
      strip.ScanLine(y)[x] = key ? kKey : ((u * 3 + y + k) % 4 < 2 ? 0x00FF00 : 0x000000);
    }
  }
}

TEST(SkinScalePicture, DistancesRoundHalvesAwayFromZero) {
  const TSkinScale at120 = ScaleForDpi(120), at144 = ScaleForDpi(144);
  EXPECT_EQ(at120.Of(2), 3);    // 2.5
  EXPECT_EQ(at120.Of(13), 16);  // 16.25
  EXPECT_EQ(at144.Of(-3), -5);  // -4.5
  EXPECT_EQ(ScaleForDpi(192).Of(INT_MIN), INT_MIN);
  EXPECT_TRUE(ScaleForDpi(0).Identity());
  EXPECT_FALSE(at144.Whole());
}

TEST(SkinScalePicture, FramesScaleAloneWithSharpCornersAndAnExactKey) {
  TSkinBitmap strip;
  MakeSyntheticStrip(strip);
  for (const int dpi : {72, 120, 144}) {  // shrunk by area average, enlarged by triangle
    SCOPED_TRACE(dpi);
    const TSkinScale scale = ScaleForDpi(dpi);
    TSkinBitmap out;
    ScalePicture(strip, 3, {3, 2, 4, 3}, scale, out);
    const int ow = scale.Of(17), oh = scale.Of(13);
    ASSERT_EQ(out.Width(), 3 * ow);
    ASSERT_EQ(out.Height(), oh);
    for (int k = 0; k < 3; ++k) {
      TSkinBitmap frame, alone, part;
      CopyBitmapPart(strip, 17 * k, 0, 17, 13, frame);
      ScalePicture(frame, 1, {3, 2, 4, 3}, scale, alone);
      CopyBitmapPart(out, ow * k, 0, ow, oh, part);
      EXPECT_TRUE(SamePixels(part, alone)) << "frame " << k;
      // Each corner block is made of its source corner block's own pixels, and the outermost
      // pixel is the source's.
      for (const auto& [right, bottom] : {std::pair{0, 0}, {0, 1}, {1, 0}, {1, 1}}) {
        const int sw = right ? 4 : 3, sh = bottom ? 3 : 2, cw = scale.Of(sw), ch = scale.Of(sh);
        std::set<std::uint32_t> source;
        for (int y = 0; y < sh; ++y) {
          for (int x = 0; x < sw; ++x) {
            source.insert(PixelAt(frame, right ? 17 - sw + x : x, bottom ? 13 - sh + y : y));
          }
        }
        for (int y = 0; y < ch; ++y) {
          for (int x = 0; x < cw; ++x) {
            EXPECT_TRUE(source.count(
                PixelAt(part, right ? ow - cw + x : x, bottom ? oh - ch + y : y)));
          }
        }
        EXPECT_EQ(PixelAt(part, right * (ow - 1), bottom * (oh - 1)),
                  PixelAt(frame, right * 16, bottom * 12));
      }
    }
    bool blended = false;
    for (int y = 0; y < oh; ++y) {
      for (int x = 0; x < out.Width(); ++x) {
        const std::uint32_t p = PixelAt(out, x, y);
        ASSERT_TRUE(p == kKey || (p & 0xFF00FF) == 0) << x << "," << y << " " << std::hex << p;
        blended |= p != kKey && p != 0 && p != 0x00FF00;
      }
    }
    EXPECT_TRUE(blended) << "the middle is filtered, not repeated";
  }
}

TEST(SkinScalePicture, ALonePixelInTheKeyKeepsItsColourAndGrowsNoHalo) {
  TSkinBitmap field(9, 9);
  for (int y = 0; y < 9; ++y) std::fill_n(field.ScanLine(y), 9, kKey);
  field.ScanLine(4)[4] = 0x00FF00;
  for (const int dpi : {120, 144}) {
    TSkinBitmap out;
    ScalePicture(field, 1, {}, ScaleForDpi(dpi), out);
    int green = 0;
    for (int y = 0; y < out.Height(); ++y) {
      for (int x = 0; x < out.Width(); ++x) {
        const std::uint32_t p = PixelAt(out, x, y);
        ASSERT_TRUE(p == kKey || p == 0x00FF00) << dpi << ": " << x << "," << y;
        green += p != kKey;
      }
    }
    EXPECT_GE(green, 1) << dpi;
    EXPECT_LE(green, 4) << dpi;  // at most two output pixels per source pixel on each axis
  }
}

TEST(SkinScalePicture, HostileCountsMarginsAndSizesStayInside) {
  TSkinBitmap strip, out;
  MakeSyntheticStrip(strip);
  ScalePicture(strip, 4, {}, ScaleForDpi(120), out);  // 51 / 4 does not divide: 64, not 4 x 16
  EXPECT_EQ(out.Width(), 64);
  for (const TMargins m : {TMargins{INT_MAX, -5, INT_MIN, INT_MAX}, TMargins{40, 40, 40, 40}}) {
    ScalePicture(strip, INT_MAX, m, ScaleForDpi(144), out);
    EXPECT_EQ(out.Width(), 77);
    EXPECT_EQ(out.Height(), 20);
  }
  TSkinBitmap wide(9000, 2);  // twice as wide passes the largest side: kept as it is
  wide.ScanLine(1)[8999] = 0x123456;
  ScalePicture(wide, 1, {}, ScaleForDpi(192), out);
  EXPECT_TRUE(SamePixels(out, wide));
  TSkinDefinitions base, scaled;
  skintest::LoadInto(skintest::TCraftedSkin("[Track]\nImage=t.bmp\nFrame=2147483647\n"
                                            "LeftWidth=2147483647\nRightWidth=-2147483648\n")
                         .Bitmap("t.bmp", 7, 3)
                         .Package(),
                     base);
  ScaleDefinitions(base, ScaleForDpi(144), scaled);
  const TDataSkinObject* track = scaled.Find("Track");
  ASSERT_TRUE(track);
  EXPECT_EQ(track->LeftWidth, INT_MAX);  // clamped, never wrapped
  EXPECT_EQ(track->RightWidth, INT_MIN);
  EXPECT_EQ(track->Bitmap->Width(), 11);  // 10.5, one frame
  EXPECT_EQ(track->Bitmap->Height(), 5);  // 4.5
}

#ifdef VEXLO_DEFAULT_SKIN_PACKAGE
// The pixel distances of an element, and its counts, flags, styles and colours.
void Fields(const TDataSkinObject& o, std::vector<long long>& distances,
            std::vector<long long>& kept) {
  distances = {o.LeftWidth, o.TopHeight, o.RightWidth, o.BottomHeight};
  kept = {o.Trans, o.Tile, o.Frame, o.Style, o.NormalColour, o.MouseOverColour, o.PressedColour,
          o.NormalColour2, o.MouseOverColour2, o.PressedColour2};
  if (const auto* b = dynamic_cast<const TDataSkinBoxLabel*>(&o)) {
    distances.insert(distances.end(), {b->BackgroundLeftShift, b->BackgroundRightShift});
    kept.push_back(b->BackgroundAlignment);
  } else if (const auto* p = dynamic_cast<const TDataSkinButton*>(&o)) {
    kept.insert(kept.end(), {p->RadioButtonFrame, p->CheckButtonFrame, p->HasNormalColour2,
                             p->HasMouseOverColour2, p->HasPressedColour2});
  } else if (const auto* s = dynamic_cast<const TDataSkinSysButton*>(&o)) {
    distances.insert(distances.end(), {s->Xcoord, s->Ycoord});
    kept.insert(kept.end(), {s->Action, s->Align, s->CombineOp, s->Visibility, s->Visibility1});
  } else if (const auto* t = dynamic_cast<const TDataSkinTitle*>(&o)) {
    distances.insert(distances.end(), {t->FontHeight, t->TXTBackleft, t->TXTBackRight});
    kept.insert(kept.end(), {t->TextAlignment, t->Textbackground, t->ActiveText, t->InActiveText});
  }
}

// A picture of an element with the frames it is cut into where it is drawn.
struct TCutPicture {
  const TSkinBitmap* Picture;
  int Frames;
  bool Stacked;
};

std::vector<TCutPicture> PicturesOf(const TDataSkinObject& o) {
  std::vector<TCutPicture> list{{o.Bitmap.get(), o.Frame, o.Name == "Top" || o.Name == "Bottom"}};
  if (const auto* b = dynamic_cast<const TDataSkinBorder*>(&o)) {
    const bool glyphs = o.Name == "UpDown.Horz" || o.Name == "UpDown.Vert";
    list.push_back({b->ExtraBitmap.get(), o.Name == "ComboButton" ? 4 : glyphs ? 8 : 1, false});
  } else if (const auto* p = dynamic_cast<const TDataSkinButton*>(&o)) {
    list.push_back({p->CheckBitmap.get(), p->CheckButtonFrame, false});
    list.push_back({p->RadioBitmap.get(), p->RadioButtonFrame, false});
  }
  return list;
}

std::vector<const TDataSkinObject*> Elements(const TSkinDefinitions& defs) {
  std::vector<const TDataSkinObject*> list;
  for (const auto& o : defs.Objects()) list.push_back(o.get());
  for (const auto& b : defs.CaptionButtons()) list.push_back(b.get());
  return list;
}

// A non-key pixel lies, channel by channel, within the non-key source pixels around the same
// place of its frame: one mixed with the key colour does not.
void ExpectNoKeyCast(const TSkinBitmap& src, const TSkinBitmap& out, int across, int down,
                     const TSkinScale& scale) {
  const int outAcross = scale.Of(across), outDown = scale.Of(down);
  for (int y = 0; y < out.Height(); ++y) {
    for (int x = 0; x < out.Width(); ++x) {
      const std::uint32_t p = PixelAt(out, x, y);
      const int fx = x / outAcross * across, fy = y / outDown * down;
      const int cx = fx + x % outAcross * scale.Div / scale.Mul;
      const int cy = fy + y % outDown * scale.Div / scale.Mul;
      int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
      for (int sy = std::max(cy - 2, fy); sy <= std::min(cy + 2, fy + down - 1); ++sy) {
        for (int sx = std::max(cx - 2, fx); sx <= std::min(cx + 2, fx + across - 1); ++sx) {
          for (int c = 0; c < 3 && PixelAt(src, sx, sy) != kKey; ++c) {
            lo[c] = std::min(lo[c], Channel(PixelAt(src, sx, sy), c));
            hi[c] = std::max(hi[c], Channel(PixelAt(src, sx, sy), c));
          }
        }
      }
      for (int c = 0; c < 3 && p != kKey; ++c) {
        ASSERT_TRUE(Channel(p, c) >= lo[c] && Channel(p, c) <= hi[c]) << x << "," << y;
      }
    }
  }
}

TEST(SkinScaleDefinitions, TheProgramSkinAtEachDpi) {
  TSkinDefinitions base;
  skintest::LoadInto(skintest::ReadFile(VEXLO_DEFAULT_SKIN_PACKAGE), base);
  for (const int dpi : {96, 120, 144, 192}) {
    SCOPED_TRACE(dpi);
    const TSkinScale scale = ScaleForDpi(dpi);
    TSkinDefinitions scaled;
    ScaleDefinitions(base, scale, scaled);
    EXPECT_EQ(scaled.SkinName, base.SkinName);
    EXPECT_EQ(scaled.ColourList, base.ColourList);
    EXPECT_EQ(scaled.CustomColours, base.CustomColours);
    EXPECT_EQ(scaled.Colours.TitleTextNoActive, base.Colours.TitleTextNoActive);
    const auto from = Elements(base), to = Elements(scaled);
    ASSERT_EQ(to.size(), from.size());
    ASSERT_GT(from.size(), 30u);
    for (std::size_t i = 0; i < from.size(); ++i) {
      SCOPED_TRACE(from[i]->Name);
      ASSERT_EQ(to[i]->Name, from[i]->Name);
      ASSERT_EQ(typeid(*to[i]), typeid(*from[i]));
      std::vector<long long> distances, kept, scaledDistances, scaledKept;
      Fields(*from[i], distances, kept);
      Fields(*to[i], scaledDistances, scaledKept);
      EXPECT_EQ(scaledKept, kept);
      for (long long& d : distances) d = scale.Of(static_cast<int>(d));
      EXPECT_EQ(scaledDistances, distances);
      const auto pictures = PicturesOf(*from[i]), scaledPictures = PicturesOf(*to[i]);
      for (std::size_t k = 0; k < pictures.size(); ++k) {
        const TSkinBitmap &src = *pictures[k].Picture, &out = *scaledPictures[k].Picture;
        const bool stacked = pictures[k].Stacked;
        const int length = stacked ? src.Height() : src.Width(), count = pictures[k].Frames;
        const int frames = count >= 1 && length % count == 0 ? count : 1;
        const int across = stacked ? src.Width() : src.Width() / frames;
        const int down = stacked ? src.Height() / frames : src.Height();
        EXPECT_EQ(out.Width(), src.Empty() ? 0 : (stacked ? 1 : frames) * scale.Of(across));
        EXPECT_EQ(out.Height(), src.Empty() ? 0 : (stacked ? frames : 1) * scale.Of(down));
        if (src.Empty() || !scale.Whole()) {
          ExpectNoKeyCast(src, out, across, down, scale);
          continue;
        }
        // Whole factors repeat every source pixel as a block (at 96, the pixel itself).
        for (int y = 0; y < out.Height(); ++y) {
          for (int x = 0; x < out.Width(); ++x) {
            ASSERT_EQ(PixelAt(out, x, y), PixelAt(src, x * 96 / dpi, y * 96 / dpi)) << x << "," << y;
          }
        }
      }
    }
  }
}
#endif

}  // namespace
