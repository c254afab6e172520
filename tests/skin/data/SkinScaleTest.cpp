// A skin scaled for a display DPI: the rounding of distances, pictures scaled frame by frame with
// sharp margins and an exact key colour, and the program's own skin copied at 96, doubled at 192
// and scaled cleanly at 120 and 144.
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

// Every number of an element: the pixel distances, and the counts, flags and colours.
struct TFields {
  std::vector<long long> Distances, Kept;
};

TFields FieldsOf(const TDataSkinObject& o) {
  TFields f{{o.LeftWidth, o.TopHeight, o.RightWidth, o.BottomHeight},
            {o.Trans, o.Tile, o.Frame, o.Style, o.NormalColour, o.MouseOverColour,
             o.PressedColour, o.NormalColour2, o.MouseOverColour2, o.PressedColour2}};
  if (const auto* b = dynamic_cast<const TDataSkinBoxLabel*>(&o)) {
    f.Distances.insert(f.Distances.end(), {b->BackgroundLeftShift, b->BackgroundRightShift});
    f.Kept.push_back(b->BackgroundAlignment);
  }
  if (const auto* b = dynamic_cast<const TDataSkinButton*>(&o)) {
    f.Kept.insert(f.Kept.end(), {b->RadioButtonFrame, b->CheckButtonFrame, b->HasNormalColour2,
                                 b->HasMouseOverColour2, b->HasPressedColour2});
  }
  if (const auto* b = dynamic_cast<const TDataSkinSysButton*>(&o)) {
    f.Distances.insert(f.Distances.end(), {b->Xcoord, b->Ycoord});
    f.Kept.insert(f.Kept.end(),
                  {b->Action, b->Align, b->CombineOp, b->Visibility, b->Visibility1});
  }
  if (const auto* t = dynamic_cast<const TDataSkinTitle*>(&o)) {
    f.Distances.insert(f.Distances.end(), {t->FontHeight, t->TXTBackleft, t->TXTBackRight});
    f.Kept.insert(f.Kept.end(), {t->TextAlignment, t->Textbackground, t->ActiveText,
                                 t->InActiveText});
  }
  return f;
}

// A picture of an element with the frames it is cut into.
struct TCutPicture {
  const TSkinBitmap* Picture;
  int Frames;
  bool Stacked;
};

std::vector<TCutPicture> PicturesOf(const TDataSkinObject& o) {
  const bool stacked = o.Name == "Top" || o.Name == "Bottom";
  std::vector<TCutPicture> list{{o.Bitmap.get(), o.Frame, stacked}};
  if (const auto* b = dynamic_cast<const TDataSkinBorder*>(&o)) {
    const bool glyphs = o.Name == "UpDown.Horz" || o.Name == "UpDown.Vert";
    list.push_back({b->ExtraBitmap.get(), o.Name == "ComboButton" ? 4 : glyphs ? 8 : 1, false});
  }
  if (const auto* b = dynamic_cast<const TDataSkinButton*>(&o)) {
    list.push_back({b->CheckBitmap.get(), b->CheckButtonFrame, false});
    list.push_back({b->RadioBitmap.get(), b->RadioButtonFrame, false});
  }
  return list;
}

// Every element and caption button of the definitions, in order.
std::vector<const TDataSkinObject*> Elements(const TSkinDefinitions& defs) {
  std::vector<const TDataSkinObject*> list;
  for (const auto& o : defs.Objects()) list.push_back(o.get());
  for (const auto& b : defs.CaptionButtons()) list.push_back(b.get());
  return list;
}

// Checks each element of `scaled` against the same one of `base`: name, type, numbers (the
// distances through `distance`) and each picture through `picture`.
template <class Distance, class Picture>
void ForEachPair(const TSkinDefinitions& base, const TSkinDefinitions& scaled,
                 Distance distance, Picture picture) {
  const auto from = Elements(base), to = Elements(scaled);
  ASSERT_EQ(from.size(), to.size());
  ASSERT_GT(from.size(), 30u);
  for (std::size_t i = 0; i < from.size(); ++i) {
    SCOPED_TRACE(from[i]->Name);
    ASSERT_EQ(to[i]->Name, from[i]->Name);
    ASSERT_EQ(typeid(*to[i]), typeid(*from[i]));
    const TFields a = FieldsOf(*from[i]), b = FieldsOf(*to[i]);
    EXPECT_EQ(b.Kept, a.Kept);
    for (std::size_t k = 0; k < a.Distances.size(); ++k) {
      EXPECT_EQ(b.Distances[k], distance(a.Distances[k])) << "distance " << k;
    }
    const auto p = PicturesOf(*from[i]), q = PicturesOf(*to[i]);
    for (std::size_t k = 0; k < p.size(); ++k) picture(p[k], *q[k].Picture);
  }
}

#ifdef VEXLO_DEFAULT_SKIN_PACKAGE
void LoadProgramSkin(TSkinDefinitions& defs) {
  skintest::LoadInto(skintest::ReadFile(VEXLO_DEFAULT_SKIN_PACKAGE), defs);
}
#endif

// A non-key pixel must lie, channel by channel, within the non-key pixels of the source around
// the same place of the same frame: a pixel mixed with the key colour does not.
void ExpectNoKeyCast(const TCutPicture& cut, const TSkinBitmap& out, const TSkinScale& scale) {
  const TSkinBitmap& src = *cut.Picture;
  const int across = cut.Stacked ? src.Width() : src.Width() / cut.Frames;
  const int down = cut.Stacked ? src.Height() / cut.Frames : src.Height();
  const int outAcross = std::max(scale.Of(across), 1), outDown = std::max(scale.Of(down), 1);
  for (int y = 0; y < out.Height(); ++y) {
    for (int x = 0; x < out.Width(); ++x) {
      const std::uint32_t p = PixelAt(out, x, y);
      if (p == kKey) continue;
      const int fx = x / outAcross * across, fy = y / outDown * down;  // the source frame
      const int cx = fx + (x % outAcross) * scale.Div / scale.Mul;
      const int cy = fy + (y % outDown) * scale.Div / scale.Mul;
      int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
      for (int sy = std::max(cy - 2, fy); sy <= std::min(cy + 2, fy + down - 1); ++sy) {
        for (int sx = std::max(cx - 2, fx); sx <= std::min(cx + 2, fx + across - 1); ++sx) {
          const std::uint32_t s = PixelAt(src, sx, sy);
          for (int c = 0; c < 3 && s != kKey; ++c) {
            lo[c] = std::min<int>(lo[c], (s >> (16 - 8 * c)) & 0xFF);
            hi[c] = std::max<int>(hi[c], (s >> (16 - 8 * c)) & 0xFF);
          }
        }
      }
      for (int c = 0; c < 3; ++c) {
        const int v = (p >> (16 - 8 * c)) & 0xFF;
        ASSERT_TRUE(v >= lo[c] && v <= hi[c]) << "pixel " << x << "," << y << " " << std::hex << p;
      }
    }
  }
}

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

TEST(SkinScaleNumbers, DistancesRoundHalvesAwayFromZero) {
  const TSkinScale at120 = ScaleForDpi(120), at144 = ScaleForDpi(144);
  EXPECT_EQ(at120.Of(2), 3);    // 2.5
  EXPECT_EQ(at120.Of(-2), -3);
  EXPECT_EQ(at120.Of(3), 4);    // 3.75
  EXPECT_EQ(at120.Of(13), 16);  // 16.25
  EXPECT_EQ(at144.Of(1), 2);    // 1.5
  EXPECT_EQ(at144.Of(-3), -5);  // -4.5
  EXPECT_EQ(ScaleForDpi(192).Of(INT_MAX), INT_MAX);
  EXPECT_EQ(ScaleForDpi(192).Of(INT_MIN), INT_MIN);
  EXPECT_TRUE(ScaleForDpi(0).Identity());
  EXPECT_TRUE(ScaleForDpi(192).Whole());
  EXPECT_FALSE(at144.Whole());
}

TEST(SkinScalePicture, FramesScaleAloneWithSharpCornersAndAnExactKey) {
  TSkinBitmap strip;
  MakeSyntheticStrip(strip);
  const TMargins margins{3, 2, 4, 3};
  for (const int dpi : {120, 144}) {
    SCOPED_TRACE(dpi);
    const TSkinScale scale = ScaleForDpi(dpi);
    TSkinBitmap out;
    ScalePicture(strip, 3, margins, scale, out);
    const int ow = scale.Of(17), oh = scale.Of(13);
    ASSERT_EQ(out.Width(), 3 * ow);
    ASSERT_EQ(out.Height(), oh);
    bool blended = false;
    for (int k = 0; k < 3; ++k) {
      TSkinBitmap frame, alone, part;
      CopyBitmapPart(strip, 17 * k, 0, 17, 13, frame);
      ScalePicture(frame, 1, margins, scale, alone);
      CopyBitmapPart(out, ow * k, 0, ow, oh, part);
      EXPECT_TRUE(SamePixels(part, alone)) << "frame " << k;
      // The corner blocks are made of the source corner blocks' own pixels.
      const int cw[2] = {scale.Of(3), scale.Of(4)}, ch[2] = {scale.Of(2), scale.Of(3)};
      for (int cx = 0; cx < 2; ++cx) {
        for (int cy = 0; cy < 2; ++cy) {
          std::set<std::uint32_t> source;
          const int sx = cx ? 17 - 4 : 0, sy = cy ? 13 - 3 : 0;
          for (int y = 0; y < (cy ? 3 : 2); ++y) {
            for (int x = 0; x < (cx ? 4 : 3); ++x) source.insert(PixelAt(frame, sx + x, sy + y));
          }
          for (int y = 0; y < ch[cy]; ++y) {
            for (int x = 0; x < cw[cx]; ++x) {
              const int px = cx ? ow - cw[1] + x : x, py = cy ? oh - ch[1] + y : y;
              EXPECT_TRUE(source.count(PixelAt(part, px, py))) << px << "," << py;
            }
          }
        }
      }
      EXPECT_EQ(PixelAt(part, 0, 0), PixelAt(frame, 0, 0));
      EXPECT_EQ(PixelAt(part, ow - 1, 0), PixelAt(frame, 16, 0));
      EXPECT_EQ(PixelAt(part, 0, oh - 1), PixelAt(frame, 0, 12));
      EXPECT_EQ(PixelAt(part, ow - 1, oh - 1), PixelAt(frame, 16, 12));
    }
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
  // Filtered output pixels whose nearest source pixel is the key stay the key; the others
  // take their colour from the one green pixel alone.
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
  TSkinBitmap strip;
  MakeSyntheticStrip(strip);
  TSkinBitmap out;
  // 51 pixels do not divide into 4 frames: one frame of 51 -> 64, not 4 x 16.
  ScalePicture(strip, 4, {}, ScaleForDpi(120), out);
  EXPECT_EQ(out.Width(), 64);
  for (const TMargins m : {TMargins{INT_MAX, -5, INT_MIN, INT_MAX}, TMargins{40, 40, 40, 40}}) {
    ScalePicture(strip, INT_MAX, m, ScaleForDpi(144), out);
    EXPECT_EQ(out.Width(), 77);
    EXPECT_EQ(out.Height(), 20);
  }
  // A picture that would pass the largest side stays as it is.
  TSkinBitmap wide(9000, 2);
  wide.ScanLine(1)[8999] = 0x123456;
  ScalePicture(wide, 1, {}, ScaleForDpi(192), out);
  EXPECT_TRUE(SamePixels(out, wide));
  // Elements with absurd numbers are copied with them clamped, never wrapped.
  TSkinDefinitions base, scaled;
  skintest::LoadInto(skintest::TCraftedSkin("[Track]\nImage=t.bmp\nFrame=2147483647\n"
                                            "LeftWidth=2147483647\nRightWidth=-2147483648\n")
                         .Bitmap("t.bmp", 7, 3)
                         .Package(),
                     base);
  ScaleDefinitions(base, ScaleForDpi(144), scaled);
  const TDataSkinObject* track = scaled.Find("Track");
  ASSERT_TRUE(track);
  EXPECT_EQ(track->LeftWidth, INT_MAX);
  EXPECT_EQ(track->RightWidth, INT_MIN);
  EXPECT_EQ(track->Bitmap->Width(), 11);  // 10.5, one frame
  EXPECT_EQ(track->Bitmap->Height(), 5);  // 4.5
}

#ifdef VEXLO_DEFAULT_SKIN_PACKAGE
TEST(SkinScaleDefinitions, TheProgramSkinIsCopiedAt96AndDoubledAt192) {
  TSkinDefinitions base, same, doubled;
  LoadProgramSkin(base);
  ScaleDefinitions(base, ScaleForDpi(96), same);
  ScaleDefinitions(base, ScaleForDpi(192), doubled);
  for (const TSkinDefinitions* copy : {&same, &doubled}) {
    EXPECT_EQ(copy->SkinName, base.SkinName);
    EXPECT_EQ(copy->ColourList, base.ColourList);
    EXPECT_EQ(copy->CustomColours, base.CustomColours);
    EXPECT_EQ(copy->Colours.Menubar, base.Colours.Menubar);
    EXPECT_EQ(copy->Colours.TitleTextNoActive, base.Colours.TitleTextNoActive);
  }
  ForEachPair(
      base, same, [](long long v) { return v; },
      [](const TCutPicture& from, const TSkinBitmap& to) {
        EXPECT_TRUE(SamePixels(*from.Picture, to));
      });
  int pictures = 0;
  ForEachPair(
      base, doubled, [](long long v) { return 2 * v; },
      [&](const TCutPicture& from, const TSkinBitmap& to) {
        const TSkinBitmap& src = *from.Picture;
        ASSERT_EQ(to.Width(), 2 * src.Width());
        ASSERT_EQ(to.Height(), 2 * src.Height());
        pictures += !src.Empty();
        for (int y = 0; y < to.Height(); ++y) {
          for (int x = 0; x < to.Width(); ++x) {
            ASSERT_EQ(PixelAt(to, x, y), PixelAt(src, x / 2, y / 2)) << x << "," << y;
          }
        }
      });
  EXPECT_GT(pictures, 30);
}

TEST(SkinScaleDefinitions, TheProgramSkinScalesFrameByFrameWithoutKeyCast) {
  TSkinDefinitions base;
  LoadProgramSkin(base);
  for (const int dpi : {120, 144, 192}) {
    SCOPED_TRACE(dpi);
    const TSkinScale scale = ScaleForDpi(dpi);
    TSkinDefinitions scaled;
    ScaleDefinitions(base, scale, scaled);
    ForEachPair(
        base, scaled, [&](long long v) { return scale.Of(static_cast<int>(v)); },
        [&](const TCutPicture& from, const TSkinBitmap& to) {
          const TSkinBitmap& src = *from.Picture;
          if (src.Empty()) {
            EXPECT_TRUE(to.Empty());
            return;
          }
          const int length = from.Stacked ? src.Height() : src.Width();
          const int frames = from.Frames >= 1 && length % from.Frames == 0 ? from.Frames : 1;
          const int w = from.Stacked ? src.Width() : src.Width() / frames;
          const int h = from.Stacked ? src.Height() / frames : src.Height();
          EXPECT_EQ(to.Width(), (from.Stacked ? 1 : frames) * scale.Of(w));
          EXPECT_EQ(to.Height(), (from.Stacked ? frames : 1) * scale.Of(h));
          ExpectNoKeyCast({&src, frames, from.Stacked}, to, scale);
        });
  }
}
#endif

}  // namespace
