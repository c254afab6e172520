// The push-button skinners: plain push buttons, buttons with a glyph, windowless tool buttons
// and buttons with a drop-down arrow. Their own drawing is not written yet; until it is they
// draw as TSkinControl does (the control's own look, repainted by the base's rules).
#pragma once

#include <string>

#include "skin/controls/SkinClassMacros.h"
#include "skin/controls/WinSubClass.h"

namespace skin {

SKIN_CONTROL_CLASS(TSkinButton, TSkinControl);

class TSkinBitButton : public TSkinButton {
  UI_CLASS_INFO
 public:
  using TSkinButton::TSkinButton;
  // The published graphic property that holds a foreign button class's glyph; empty for
  // ordinary glyph buttons.
  const std::wstring& GlyphProperty() const { return glyphProperty_; }
  void SetGlyphProperty(const std::wstring& name) { glyphProperty_ = name; }

 private:
  std::wstring glyphProperty_;
};

SKIN_CONTROL_CLASS(TSkinSpeedButton, TSkinBitButton);
SKIN_CONTROL_CLASS(TSkinMenuButton, TSkinButton);

}  // namespace skin
