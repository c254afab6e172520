// Skin definition objects: one per skinnable element of a loaded skin, holding the element's
// frame strip and the numbers that say how to cut and stretch it. The skin data component
// fills them from the skin's description and owns them; skinners only read them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "SkinBitmap.h"
#include "SkinColour.h"
#include "SkinScale.h"

namespace skin {

// A text colour of the caption that the skin did not give.
inline constexpr TColour kColourNotGiven = 0x1FFFFFFF;

// How a picture of an element is cut when it is scaled: its frames, how they are laid out and
// the margins kept sharp.
struct TPictureCut {
  TFrameLayout Layout = TFrameLayout::SideBySide;
  int Frames = 1;
  TMargins Margins;
};

// The general element.
class TDataSkinObject {
 public:
  explicit TDataSkinObject(std::string name);
  virtual ~TDataSkinObject();
  TDataSkinObject(const TDataSkinObject&) = delete;
  TDataSkinObject& operator=(const TDataSkinObject&) = delete;

  std::int32_t LeftWidth = 0;     // frame margins, never stretched when drawn
  std::int32_t TopHeight = 0;
  std::int32_t RightWidth = 0;
  std::int32_t BottomHeight = 0;
  std::unique_ptr<TSkinBitmap> Bitmap;  // the frame strip; empty without a usable image
  std::int32_t Trans = 0;         // non-zero: the key colour is transparent
  std::int32_t Tile = 0;          // 1: the centre is tiled; 0: stretched
  std::string Name;               // the section (or fixed name) the object was made for
  std::int32_t Frame = 0;         // frames in Bitmap
  std::int32_t Style = 0;         // element-specific variant
  std::int32_t NormalColour = -1;     // state colour indices, -1 when not given
  std::int32_t MouseOverColour = -1;
  std::int32_t PressedColour = -1;
  TColour NormalColour2 = 0;      // text colours of the states
  TColour MouseOverColour2 = 0;
  TColour PressedColour2 = 0;

  // A copy of the element for a display `scale` times as dense: the same type and name, the
  // pixel distances scaled, the pictures scaled frame by frame, counts, flags, styles and
  // colours copied.
  virtual std::unique_ptr<TDataSkinObject> Scaled(const TSkinScale& scale) const;

 protected:
  // Fills `copy` with the general element's fields, scaled.
  void CopyScaled(const TSkinScale& scale, TDataSkinObject& copy) const;
  // The main picture: `Frame` side-by-side frames (at least one) with the element's margins.
  virtual TPictureCut MainCut() const;
};

// An element with a second image: the tab border, the spin-button glyphs.
class TDataSkinBorder : public TDataSkinObject {
 public:
  explicit TDataSkinBorder(std::string name);
  ~TDataSkinBorder() override;
  std::unique_ptr<TSkinBitmap> ExtraBitmap;

  std::unique_ptr<TDataSkinObject> Scaled(const TSkinScale& scale) const override;

 protected:
  TPictureCut MainCut() const override;
  // How the second image is cut where it is drawn.
  TPictureCut ExtraCut() const;
};

// The group box caption.
class TDataSkinBoxLabel : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  std::int32_t BackgroundLeftShift = 0;
  std::int32_t BackgroundRightShift = 0;
  std::int32_t BackgroundAlignment = 0;

  std::unique_ptr<TDataSkinObject> Scaled(const TSkinScale& scale) const override;
};

// Push buttons, with the check box and radio button strips.
class TDataSkinButton : public TDataSkinObject {
 public:
  explicit TDataSkinButton(std::string name);
  ~TDataSkinButton() override;
  std::unique_ptr<TSkinBitmap> CheckBitmap;
  std::unique_ptr<TSkinBitmap> RadioBitmap;
  std::int32_t RadioButtonFrame = 0;
  std::int32_t CheckButtonFrame = 0;
  bool HasNormalColour2 = false;  // whether the skin gave the text colours
  bool HasMouseOverColour2 = false;
  bool HasPressedColour2 = false;

  std::unique_ptr<TDataSkinObject> Scaled(const TSkinScale& scale) const override;
};

// A caption button.
class TDataSkinSysButton : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  std::int32_t Action = 0;
  std::int32_t Align = 0;
  std::int32_t Xcoord = 0;
  std::int32_t Ycoord = 0;
  std::int32_t CombineOp = 0;
  std::int32_t Visibility = 0;
  std::int32_t Visibility1 = 0;

  std::unique_ptr<TDataSkinObject> Scaled(const TSkinScale& scale) const override;
  // The same copy, typed for the caption-button list.
  std::unique_ptr<TDataSkinSysButton> ScaledButton(const TSkinScale& scale) const;

 protected:
  TPictureCut MainCut() const override;
};

// The caption text. The margins of the base hold the text placement: LeftWidth is the text
// shift, TopHeight the vertical shift, RightWidth the right clip; Bitmap is the plate behind
// the text.
class TDataSkinTitle : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  std::int32_t TextAlignment = 0;
  std::int32_t Textbackground = 0;
  std::int32_t FontHeight = 0;
  std::int32_t TXTBackleft = 0;
  std::int32_t TXTBackRight = 0;
  TColour ActiveText = kColourNotGiven;
  TColour InActiveText = kColourNotGiven;

  std::unique_ptr<TDataSkinObject> Scaled(const TSkinScale& scale) const override;

 protected:
  TPictureCut MainCut() const override;
};

}  // namespace skin
