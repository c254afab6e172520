// The skinner of foreign check boxes and radio buttons that take their pictures as a glyph
// bitmap through published properties: it builds that bitmap from the skin's check or radio
// strip and hands it over; the control draws it itself, so the skinner does not take over
// its messages.
#pragma once

#include <vector>

#include "skin/controls/SkinControl.h"

namespace skin {

// Variants of TSkinObjImage.
constexpr int kObjImageCheckBox = 1;    // a check box with "CustomGlyphs"
constexpr int kObjImageRadio = 2;       // a radio button with "CustomGlyphs"
constexpr int kObjImageProperties = 3;  // a check box with "Properties"."Glyph"

// Which strip frame (1-based) fills which glyph (1-based) of a variant's glyph bitmap, for a
// strip of `frames` frames; glyphs that no entry names stay empty.
struct TGlyphSource {
  int Glyph = 0;
  int Frame = 0;
};
struct TObjImageGlyphs {
  int Count = 0;  // glyphs side by side in the bitmap
  std::vector<TGlyphSource> Sources;
};
TObjImageGlyphs ObjImageGlyphs(int variant, int frames);

class TSkinObjImage : public TSkinControl {
  UI_CLASS_INFO
 public:
  using TSkinControl::TSkinControl;
  int Variant() const { return variant_; }
  void SetVariant(int value) { variant_ = value; }

  void AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas, bool changeColor) override;
  void Detach() override;
  void SkinChanged() override;

 private:
  // The glyph bitmap from the skin's strip, handed to the control.
  void BuildGlyphs();
  int variant_ = 0;

 protected:
  bool HasSkinParts(const TResolvedSkin& skin) const override;
};

}  // namespace skin
