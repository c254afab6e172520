// Where the caption text of a skinned title bar goes: the title definition's text shift,
// vertical shift, right clip and alignment, cut before the caption buttons, and the caption
// plate behind the text when the skin has one.
#pragma once

#include <windows.h>

#include <vector>

#include "skin/model/SkinObjects.h"

namespace skin {

// TextAlignment values of the title definition.
enum TCaptionAlignment { caLeft = 0, caRight = 1, caCentre = 2 };

struct TCaptionLayout {
  RECT Clip{0, 0, 0, 0};   // the text is drawn within it, cut with an ellipsis; empty: no text
  RECT Text{0, 0, 0, 0};   // the part of Clip the text takes
  RECT Plate{0, 0, 0, 0};  // the caption plate behind the text; empty when there is none
  UINT Format = DT_LEFT;   // DrawText's horizontal alignment
};

// Lays the caption out in a title bar `width` x `titleHeight` for text `textWidth` wide.
// `buttons` are the shown caption buttons; the text ends before the first one right of its
// start. The plate reaches the plate picture's fixed ends beyond the text on either side.
TCaptionLayout LayoutCaption(const TDataSkinTitle* title, int width, int titleHeight,
                             int textWidth, const std::vector<RECT>& buttons);

// Whether the title definition asks for the caption plate and has its picture.
bool HasCaptionPlate(const TDataSkinTitle* title);

}  // namespace skin
