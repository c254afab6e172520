#include "SkinObjects.h"

#include <algorithm>
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

// ---------------------------------------------------------------------------------------------
// Scaled copies

namespace skin {

namespace {

// Scales an owned picture into the copy's; a picture the element no longer has stays none.
void ScaleOwned(const std::unique_ptr<TSkinBitmap>& from, const TPictureCut& cut,
                const TSkinScale& scale, std::unique_ptr<TSkinBitmap>& to) {
  if (!from) {
    to.reset();
    return;
  }
  if (!to) to = std::make_unique<TSkinBitmap>();
  ScalePicture(*from, cut.Layout, cut.Frames, cut.Margins, scale, *to);
}

// A glyph strip of side-by-side frames drawn whole: no margins.
TPictureCut GlyphCut(int frames) { return {TFrameLayout::SideBySide, std::max(frames, 1), {}}; }

}  // namespace

std::unique_ptr<TDataSkinObject> TDataSkinObject::Scaled(const TSkinScale& scale) const {
  auto copy = std::make_unique<TDataSkinObject>(Name);
  CopyScaled(scale, *copy);
  return copy;
}

void TDataSkinObject::CopyScaled(const TSkinScale& scale, TDataSkinObject& copy) const {
  // The margins are pixel distances (for the title they place the text, for the menu bar they
  // are its caps): scaled.
  copy.LeftWidth = scale.Of(LeftWidth);
  copy.TopHeight = scale.Of(TopHeight);
  copy.RightWidth = scale.Of(RightWidth);
  copy.BottomHeight = scale.Of(BottomHeight);
  ScaleOwned(Bitmap, MainCut(), scale, copy.Bitmap);
  copy.Trans = Trans;
  copy.Tile = Tile;
  copy.Name = Name;
  copy.Frame = Frame;
  copy.Style = Style;
  copy.NormalColour = NormalColour;
  copy.MouseOverColour = MouseOverColour;
  copy.PressedColour = PressedColour;
  copy.NormalColour2 = NormalColour2;
  copy.MouseOverColour2 = MouseOverColour2;
  copy.PressedColour2 = PressedColour2;
}

TPictureCut TDataSkinObject::MainCut() const {
  return {TFrameLayout::SideBySide, std::max(Frame, 1),
          TMargins{LeftWidth, TopHeight, RightWidth, BottomHeight}};
}

std::unique_ptr<TDataSkinObject> TDataSkinBorder::Scaled(const TSkinScale& scale) const {
  auto copy = std::make_unique<TDataSkinBorder>(Name);
  CopyScaled(scale, *copy);
  ScaleOwned(ExtraBitmap, ExtraCut(), scale, copy->ExtraBitmap);
  return copy;
}

// The top and bottom window borders stack their frames (active above inactive); every other
// element lays them side by side.
TPictureCut TDataSkinBorder::MainCut() const {
  TPictureCut cut = TDataSkinObject::MainCut();
  if (Name == "Top" || Name == "Bottom") cut.Layout = TFrameLayout::Stacked;
  return cut;
}

TPictureCut TDataSkinBorder::ExtraCut() const {
  // The tab element's pane: one frame drawn in nine regions with fixed margins of 4, 5, 4, 4.
  if (Name == "Tabs") return {TFrameLayout::SideBySide, 1, TMargins{4, 5, 4, 4}};
  // The spin buttons' glyphs: eight frames, each drawn whole at its own size.
  if (Name == "UpDown.Horz" || Name == "UpDown.Vert") return GlyphCut(8);
  // The combo button mirrored frame by frame: its four frames, the left and right margins
  // trading places.
  if (Name == "ComboButton") {
    return {TFrameLayout::SideBySide, 4, TMargins{RightWidth, TopHeight, LeftWidth, BottomHeight}};
  }
  // No other element draws a second image: kept as one frame.
  return GlyphCut(1);
}

std::unique_ptr<TDataSkinObject> TDataSkinBoxLabel::Scaled(const TSkinScale& scale) const {
  auto copy = std::make_unique<TDataSkinBoxLabel>(Name);
  CopyScaled(scale, *copy);
  copy->BackgroundLeftShift = scale.Of(BackgroundLeftShift);
  copy->BackgroundRightShift = scale.Of(BackgroundRightShift);
  copy->BackgroundAlignment = BackgroundAlignment;
  return copy;
}

std::unique_ptr<TDataSkinObject> TDataSkinButton::Scaled(const TSkinScale& scale) const {
  auto copy = std::make_unique<TDataSkinButton>(Name);
  CopyScaled(scale, *copy);
  // The check box and radio strips are cut into their own counts of glyphs, drawn whole.
  ScaleOwned(CheckBitmap, GlyphCut(CheckButtonFrame), scale, copy->CheckBitmap);
  ScaleOwned(RadioBitmap, GlyphCut(RadioButtonFrame), scale, copy->RadioBitmap);
  copy->RadioButtonFrame = RadioButtonFrame;
  copy->CheckButtonFrame = CheckButtonFrame;
  copy->HasNormalColour2 = HasNormalColour2;
  copy->HasMouseOverColour2 = HasMouseOverColour2;
  copy->HasPressedColour2 = HasPressedColour2;
  return copy;
}

std::unique_ptr<TDataSkinObject> TDataSkinSysButton::Scaled(const TSkinScale& scale) const {
  return ScaledButton(scale);
}

std::unique_ptr<TDataSkinSysButton> TDataSkinSysButton::ScaledButton(
    const TSkinScale& scale) const {
  auto copy = std::make_unique<TDataSkinSysButton>(Name);
  CopyScaled(scale, *copy);
  copy->Action = Action;
  copy->Align = Align;
  copy->Xcoord = scale.Of(Xcoord);
  copy->Ycoord = scale.Of(Ycoord);
  copy->CombineOp = CombineOp;
  copy->Visibility = Visibility;
  copy->Visibility1 = Visibility1;
  return copy;
}

// A caption button's frames are stretched whole to the button: no margins.
TPictureCut TDataSkinSysButton::MainCut() const { return GlyphCut(Frame); }

std::unique_ptr<TDataSkinObject> TDataSkinTitle::Scaled(const TSkinScale& scale) const {
  auto copy = std::make_unique<TDataSkinTitle>(Name);
  CopyScaled(scale, *copy);
  copy->TextAlignment = TextAlignment;
  copy->Textbackground = Textbackground;
  copy->FontHeight = scale.Of(FontHeight);
  copy->TXTBackleft = scale.Of(TXTBackleft);
  copy->TXTBackRight = scale.Of(TXTBackRight);
  copy->ActiveText = ActiveText;
  copy->InActiveText = InActiveText;
  return copy;
}

// The caption plate: its frames (active, inactive) side by side, drawn in nine regions whose
// left and right margins are TXTBackleft and TXTBackRight; the element's own margins place the
// text and are no part of the picture.
TPictureCut TDataSkinTitle::MainCut() const {
  return {TFrameLayout::SideBySide, std::max(Frame, 1), TMargins{TXTBackleft, 0, TXTBackRight, 0}};
}

}  // namespace skin
