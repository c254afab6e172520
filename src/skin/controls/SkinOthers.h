// The remaining skinners: progress bars, track bars, size grips, foreign check boxes and
// radio buttons that take glyph bitmaps through properties, and media-player button bars.
// Their own drawing is not written yet; until it is they draw as TSkinControl does.
#pragma once

#include "skin/controls/SkinClassMacros.h"
#include "skin/controls/WinSubClass.h"

namespace skin {

SKIN_CONTROL_CLASS(TSkinProgress, TSkinControl);
SKIN_CONTROL_CLASS(TSkinTrackBar, TSkinControl);
SKIN_CONTROL_CLASS(TSkinSizer, TSkinControl);
SKIN_CONTROL_CLASS(TSkinMP, TSkinControl);

// Variants of TSkinObjImage.
constexpr int kObjImageCheckBox = 1;    // a check box with "CustomGlyphs"
constexpr int kObjImageRadio = 2;       // a radio button with "CustomGlyphs"
constexpr int kObjImageProperties = 3;  // a check box with "Properties"."Glyph"

class TSkinObjImage : public TSkinControl {
  UI_CLASS_INFO
 public:
  using TSkinControl::TSkinControl;
  int Variant() const { return variant_; }
  void SetVariant(int value) { variant_ = value; }

 private:
  int variant_ = 0;
};

}  // namespace skin
