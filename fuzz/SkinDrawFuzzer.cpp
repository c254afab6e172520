// libFuzzer target over hostile skins: the input chooses a skin description and the bitmaps
// it names (zero and huge frame counts, margins larger than the image, zero-sized and one-pixel
// images, missing sections, absurd colours and fonts), which go through the definition readers
// as a package would; then every element is composed the ways the skinners compose it (nine
// regions tiled and stretched, three parts, a frame stretched or centred, tiling) by the same
// plans of pieces the drawing routines carry out with GDI, here carried out on plain pixels,
// and again for the skin scaled to another DPI.
// A piece that reads outside its frame or writes outside its picture is a finding, and so is
// a plan whose work grows with the picture's area beyond a few copies per block.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "SkinPackage.h"
#include "TestFiles.h"
#include "skin/model/QuickIni.h"
#include "skin/model/ResolvedSkin.h"
#include "skin/model/SkinDefinitions.h"
#include "skin/model/SkinPieces.h"
#include "skin/model/SkinReader.h"
#include "skin/model/SkinScale.h"

namespace {

using skin::TPiece;
using skin::TPieceRect;

[[noreturn]] void Finding(const char* what) {
  std::fprintf(stderr, "skin_draw_fuzzer: %s\n", what);
  std::abort();
}

void Require(bool ok, const char* what) {
  if (!ok) Finding(what);
}

// ---------------------------------------------------------------------------------------------
// The skin: sections and keys as the readers ask for them, values chosen to hurt.

const char* const kSections[] = {
    "Personality", "Buttons", "Title", "Progress", "Progress.Chunk", "GroupBox", "GroupBoxEdge",
    "Tabs", "StatusBarEdges", "Tab.Pane", "ToolBars", "ComboButton", "SunkEdge", "ExtraImages",
    "Headerbar", "MenuItem", "MenuBackground", "Scrollbar", "HorzScroll", "VertScroll",
    "HorzScrollThumb", "VertScrollThumb", "Trackbar.ThumbHorz", "Trackbar.ThumbVert",
    "Trackbar.ThumbLeft", "Trackbar.ThumbRight", "Trackbar.ThumbUp", "Trackbar.ThumbDown",
    "UpDown.Horz", "UpDown.Vert", "Track", "TRACKVERT", "Button1", "Button2", "BUTTON7",
    "MDICONTROLS", "Colours", "Colour1", "Customcolors", "Fonts", "TitlebarSkin", "buttons",
};

const char* const kKeys[] = {
    "Image", "Bitmap", "Border", "GlyphImage", "ButtonImage", "menuBar", "TextBack", "Top",
    "Left", "Right", "Bottom", "CheckButton", "RadioButton", "Frame", "frame", "FrameCount",
    "LeftWidth", "RightWidth", "TopHeight", "BottomHeight", "TopTopHeight", "TopBotHeight",
    "LeftTopHeight", "LeftBotHeight", "RightTopHeight", "RightBotHeight", "BottomTopHeight",
    "BottomBotHeight", "TopFrame", "LeftFrame", "RightFrame", "BottomFrame", "TopStretch",
    "LeftStretch", "TopTrans", "Trans", "Tile", "Style", "TileMenu", "TileLeftMenu",
    "TileRightMenu", "RadioButtonFrame", "CheckButtonFrame", "Action", "Align", "Xcoord",
    "Ycoord", "Visibility", "Visibility1", "CombineOp", "TextShift", "TextShiftVert",
    "TextRightClip", "TextAlignment", "FontHeight", "ActiveTextR", "ActiveTextG", "ActiveTextB",
    "NormalColour", "NormalColour2", "MouseOverColour2", "PressedColour2", "ButtonText",
    "ButtonFace", "WindowText", "color", "Color0", "Color9", "SkinName",
    "BackgroundAlignment", "BackgroundLeftShift", "BackgroundRightShift",
};

std::string Number(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 9)) {
    case 0: return "0";
    case 1: return "1";
    case 2: return "-1";
    case 3: return std::to_string(INT_MAX);
    case 4: return std::to_string(INT_MIN);
    case 5: return "99999999999999";
    case 6: return "0x7FFFFFFF";
    case 7: return std::to_string(in.ConsumeIntegralInRange(-5, 40));
    case 8: return std::to_string(in.ConsumeIntegral<int>());
    default: return std::to_string(in.ConsumeIntegralInRange(0, 100000));
  }
}

std::string Value(FuzzedDataProvider& in, int bitmaps) {
  switch (in.ConsumeIntegralInRange(0, 7)) {
    case 0:
    case 1:
      return Number(in);
    case 2:
      return "img" + std::to_string(in.ConsumeIntegralInRange(0, bitmaps)) + ".bmp";
    case 3:  // colours: too large, negative, too few, not numbers
      return Number(in) + " " + Number(in) + " " + Number(in);
    case 4:
      return in.PickValueInArray({"", "255 0 255", "1 2", "a b c", "c:\\skins\\img0.bmp",
                                  "img1.BMP", "picture.tga", "img0.bmp;note", "  ", "$7FFFFFFF"});
    case 5:
      return Number(in) + " " + Number(in);
    default:
      return in.ConsumeRandomLengthString(24);
  }
}

// The keys under which a section names its pictures.
std::vector<std::string> ImageKeys(const std::string& section) {
  if (section == "Personality") return {"Top", "Left", "Right", "Bottom", "menuBar", "TextBack"};
  if (section == "Buttons" || section == "buttons") return {"Bitmap", "CheckButton", "RadioButton"};
  if (section == "Progress") return {"Bitmap"};
  if (section.starts_with("Button") || section.starts_with("BUTTON")) return {"ButtonImage"};
  if (section == "Tabs") return {"Image", "Border"};
  if (section.starts_with("UpDown")) return {"Image", "GlyphImage"};
  return {"Image"};
}

std::string Description(FuzzedDataProvider& in, int bitmaps) {
  std::string ini;
  const int sections = in.ConsumeIntegralInRange(0, 24);
  for (int s = 0; s < sections && in.remaining_bytes() > 0; ++s) {
    const std::string section = in.PickValueInArray(kSections);
    ini += "[" + section + "]\r\n";
    // Mostly the section's pictures first, so that the numbers below meet a picture.
    for (const std::string& key : ImageKeys(section)) {
      if (in.ConsumeIntegralInRange(0, 3) == 0) continue;
      ini += key + "=img" + std::to_string(in.ConsumeIntegralInRange(0, bitmaps)) + ".bmp\r\n";
    }
    const int keys = in.ConsumeIntegralInRange(0, 14);
    for (int k = 0; k < keys && in.remaining_bytes() > 0; ++k) {
      ini += std::string(in.PickValueInArray(kKeys)) + "=" + Value(in, bitmaps) + "\r\n";
    }
  }
  return ini;
}

// Zero-sized, one-pixel, thin, and larger images; some of them with the key colour.
skintest::Bytes Image(FuzzedDataProvider& in) {
  static const int kSizes[] = {0, 1, 1, 2, 3, 5, 12, 13, 16, 23, 64, 140};
  int w = in.PickValueInArray(kSizes), h = in.PickValueInArray(kSizes);
  if (in.ConsumeBool()) w = in.ConsumeIntegralInRange(0, 300);
  if (in.ConsumeBool()) h = in.ConsumeIntegralInRange(0, 60);
  const std::uint32_t a = in.ConsumeIntegral<std::uint32_t>() & 0xFFFFFF;
  const bool key = in.ConsumeBool();
  return skintest::MakeBmp24(w, h, [&](int x, int y) {
    return key && (x + y) % 3 == 0 ? 0xFF00FFu : (a ^ std::uint32_t(x * 7 + y * 13)) & 0xFFFFFF;
  });
}

// ---------------------------------------------------------------------------------------------
// Plans carried out on plain pixels, with every bound checked.

struct TPixels {
  int Width = 0, Height = 0;
  std::vector<std::uint32_t> Data;
  TPixels(int w, int h) : Width(w), Height(h), Data(static_cast<std::size_t>(w) * h) {}
  std::uint32_t& At(int x, int y) { return Data[static_cast<std::size_t>(y) * Width + x]; }
};

bool Within(const TPieceRect& r, int left, int top, int right, int bottom) {
  return r.Left >= left && r.Top >= top && r.Right <= right && r.Bottom <= bottom;
}

std::uint32_t Source(const skin::TSkinBitmap& strip, int x, int y) {
  Require(x >= 0 && y >= 0 && x < strip.Width() && y < strip.Height(), "read outside the strip");
  return strip.ScanLine(y)[x];
}

// One copy of the source scaled to the destination rectangle (nearest pixel, as the
// colour-on-colour stretch mode does), cut at the picture's edges.
void Copy(TPixels& out, const skin::TSkinBitmap& strip, const TPieceRect& d, const TPieceRect& s) {
  for (int y = std::max(d.Top, 0); y < std::min(d.Bottom, out.Height); ++y) {
    const int sy = s.Top + static_cast<int>(std::int64_t(y - d.Top) * s.Height() / d.Height());
    for (int x = std::max(d.Left, 0); x < std::min(d.Right, out.Width); ++x) {
      const int sx = s.Left + static_cast<int>(std::int64_t(x - d.Left) * s.Width() / d.Width());
      out.At(x, y) = Source(strip, sx, sy);
    }
  }
}

// A plan for a picture of width x height: at most nine pieces, each with area, inside the
// picture, reading only its frame, and tiled in few blocks.
void Check(int width, int height, const TPieceRect& frame, const std::vector<TPiece>& pieces) {
  Require(pieces.size() <= 9, "more pieces than nine regions");
  for (const TPiece& p : pieces) {
    Require(!p.Dest.Empty() && !p.Source.Empty(), "a piece without area");
    Require(Within(p.Dest, 0, 0, width, height), "a piece outside the picture");
    Require(Within(p.Source, frame.Left, frame.Top, frame.Right, frame.Bottom),
            "a piece outside its frame");
    if (p.Fill == skin::TFill::Stretch) continue;
    const int w = p.Source.Width();
    const int h = p.Fill == skin::TFill::TileAcross ? p.Dest.Height() : p.Source.Height();
    const skin::TTiling t = skin::TilingOf(p.Dest.Width(), p.Dest.Height(), w, h);
    Require(t.BlockAcross >= 1 && t.BlockDown >= 1, "an empty block");
    // Blocks of at least 64 pixels (or the whole area): the copies stay few.
    const std::int64_t blocks = std::int64_t((t.Across + t.BlockAcross - 1) / t.BlockAcross) *
                                ((t.Down + t.BlockDown - 1) / t.BlockDown);
    // A block is at least 33 pixels wide (high) unless it spans the whole area.
    Require(blocks <= (std::int64_t(p.Dest.Width()) / 32 + 1) * (p.Dest.Height() / 32 + 1),
            "tiling costs more than a few copies per block");
  }
}

void Run(TPixels& out, const skin::TSkinBitmap& strip, const TPieceRect& frame,
         const std::vector<TPiece>& pieces) {
  Check(out.Width, out.Height, frame, pieces);
  for (const TPiece& p : pieces) {
    if (p.Fill == skin::TFill::Stretch) {
      Copy(out, strip, p.Dest, p.Source);
      continue;
    }
    const int w = p.Source.Width();
    const int h = p.Fill == skin::TFill::TileAcross ? p.Dest.Height() : p.Source.Height();
    // The tiles, pixel by pixel: the source repeated from the destination's top-left corner.
    for (int y = p.Dest.Top; y < p.Dest.Bottom; ++y) {
      const int sy = p.Fill == skin::TFill::TileAcross
                         ? p.Source.Top + static_cast<int>(std::int64_t(y - p.Dest.Top) *
                                                           p.Source.Height() / p.Dest.Height())
                         : p.Source.Top + (y - p.Dest.Top) % h;
      for (int x = p.Dest.Left; x < p.Dest.Right; ++x) {
        out.At(x, y) = Source(strip, p.Source.Left + (x - p.Dest.Left) % w, sy);
      }
    }
  }
}

// Every composition of one element's strip, as the skinners ask for them.
void Compose(FuzzedDataProvider& in, const skin::TSkinBitmap& strip, int frames,
             const skin::TMargins& margins) {
  if (strip.Empty()) return;
  // Frame indices from before the first to past the last.
  const int lastIndex = frames > INT_MAX - 2 ? INT_MAX : std::max(frames, 0) + 2;
  // Plans for pictures of up to screen size: their pieces and the cost of their tiling,
  // without carrying them out.
  for (const auto layout : {skin::TFrameLayout::SideBySide, skin::TFrameLayout::Stacked}) {
    const TPieceRect frame = skin::FrameOfStrip(strip.Width(), strip.Height(), layout, frames,
                                                in.ConsumeIntegralInRange(-1, lastIndex));
    const int width = in.ConsumeIntegralInRange(1, 4096), height = in.ConsumeIntegralInRange(1, 4096);
    for (const auto centre : {skin::TCentreMode::Tile, skin::TCentreMode::Stretch}) {
      Check(width, height, frame, skin::NineRegionPieces(width, height, frame, margins, centre));
    }
    Check(width, height, frame, skin::ThreePartTiledPieces(width, height, frame, margins));
    Check(width, height, frame, skin::ThreePartStretchedPieces(width, height, frame, margins));
  }
  // Small pictures, carried out pixel by pixel.
  for (int round = 0; round < 2; ++round) {
    const int width = in.ConsumeIntegralInRange(0, round == 0 ? 24 : 120);
    const int height = in.ConsumeIntegralInRange(0, round == 0 ? 24 : 60);
    const int index = in.ConsumeIntegralInRange(-1, lastIndex);
    for (const auto layout : {skin::TFrameLayout::SideBySide, skin::TFrameLayout::Stacked}) {
      const TPieceRect frame = skin::FrameOfStrip(strip.Width(), strip.Height(), layout, frames, index);
      Require(Within(frame, 0, 0, strip.Width(), strip.Height()), "a frame outside its strip");
      if (width <= 0 || height <= 0) continue;
      TPixels out(width, height);
      for (const auto centre : {skin::TCentreMode::Tile, skin::TCentreMode::Stretch}) {
        Run(out, strip, frame, skin::NineRegionPieces(width, height, frame, margins, centre));
      }
      Run(out, strip, frame, skin::ThreePartTiledPieces(width, height, frame, margins));
      Run(out, strip, frame, skin::ThreePartStretchedPieces(width, height, frame, margins));
      // A frame stretched over the picture, and centred in it (cut at its edges).
      if (!frame.Empty()) {
        Copy(out, strip, {0, 0, width, height}, frame);
        const TPieceRect at = skin::CentredFrame({0, 0, width, height}, frame.Width(), frame.Height());
        Require(at.Width() == frame.Width() && at.Height() == frame.Height(), "a centred frame resized");
        Copy(out, strip, at, frame);
      }
    }
  }
}

void ComposeElement(FuzzedDataProvider& in, const skin::TDataSkinObject& o) {
  const skin::TMargins margins{o.LeftWidth, o.TopHeight, o.RightWidth, o.BottomHeight};
  if (o.Bitmap) Compose(in, *o.Bitmap, o.Frame, margins);
  if (const auto* b = dynamic_cast<const skin::TDataSkinBorder*>(&o); b && b->ExtraBitmap) {
    Compose(in, *b->ExtraBitmap, o.Frame, margins);
  }
  if (const auto* b = dynamic_cast<const skin::TDataSkinButton*>(&o)) {
    if (b->CheckBitmap) Compose(in, *b->CheckBitmap, b->CheckButtonFrame, {});
    if (b->RadioBitmap) Compose(in, *b->RadioBitmap, b->RadioButtonFrame, {});
  }
}

bool Held(const skin::TSkinDefinitions& defs, const skin::TDataSkinObject* o) {
  if (!o) return true;
  for (const auto& object : defs.Objects()) {
    if (object.get() == o) return true;
  }
  return false;
}

// The skin resolved as the skin data component resolves it: every field one of the held
// elements (or none), and the pictures it picks composed like the elements' own.
void ResolveAndCompose(FuzzedDataProvider& in, const skin::TSkinDefinitions& defs) {
  const skin::TResolvedSkin r = skin::ResolveSkin(defs);
  for (const skin::TDataSkinObject* o :
       {static_cast<const skin::TDataSkinObject*>(r.Button), static_cast<const skin::TDataSkinObject*>(r.Title),
        r.MenuBar, r.MenuItem, r.MenuBackground, r.ComboButton, r.ComboArrow, r.SunkEdge,
        r.ExtraImages, r.Progress, r.ProgressChunk, r.Track, r.TrackVert, r.ThumbHorz,
        r.ThumbVert, r.Scrollbar, r.HorzScroll, r.VertScroll, r.HorzScrollThumb,
        r.VertScrollThumb, static_cast<const skin::TDataSkinObject*>(r.UpDownHorz),
        static_cast<const skin::TDataSkinObject*>(r.UpDownVert), r.Headerbar,
        r.StatusBarEdges, r.Tabs, r.TabPane}) {
    Require(Held(defs, o), "a resolved field outside the definitions");
  }
  if (r.TabPanePicture) Compose(in, *r.TabPanePicture, 1, {4, 5, 4, 4});
  if (r.ComboButtonMirrored && r.ComboButton) {
    Compose(in, *r.ComboButtonMirrored, r.ComboButton->Frame, {});
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const int bitmaps = in.ConsumeIntegralInRange(0, 6);
  std::vector<skinpack::TEntry> entries;
  for (int i = 0; i < bitmaps; ++i) entries.push_back({"img" + std::to_string(i) + ".bmp", Image(in)});
  const std::string ini = Description(in, bitmaps);
  entries.push_back({"skin.ini", skintest::AsBytes(ini)});

  skin::TSkinReader reader;
  if (!reader.LoadContainer(skinpack::BuildContainer(entries))) return 0;
  std::vector<std::uint8_t> text;
  std::string name;
  reader.ExtractEntryContaining(".ini", text, name);
  skin::TQuickIni description;
  description.Load(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
  skin::TSkinDefinitions defs;
  defs.Read(description, reader);

  for (const auto& object : defs.Objects()) ComposeElement(in, *object);
  for (const auto& button : defs.CaptionButtons()) ComposeElement(in, *button);
  ResolveAndCompose(in, defs);

  // The same skin scaled for a screen of another DPI (up to three times as large), composed
  // the same ways.
  skin::TSkinDefinitions scaled;
  skin::ScaleDefinitions(defs, skin::ScaleForDpi(in.ConsumeIntegralInRange(48, 288)), scaled);
  for (const auto& object : scaled.Objects()) ComposeElement(in, *object);
  for (const auto& button : scaled.CaptionButtons()) ComposeElement(in, *button);
  ResolveAndCompose(in, scaled);
  return 0;
}
