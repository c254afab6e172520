// Pictures the skin data component derives from a loaded skin: the combo box images, the
// combo arrow, the tool bar background and the title colour.
#pragma once

#include "skin/model/SkinDefinitions.h"
#include "ui/Graphics.h"

namespace skin {

// A skin colour as an RGB value (system colours resolved).
ui::TColor ResolveColour(TColour colour);

// With both a sunken edge and a combo button: composes the combo box faces (sunken edge,
// button, arrow) into one strip; the button takes the strip, the sunken edge its mirror.
void MakeComboImages(TSkinDefinitions& defs);
// Fills "ComboxArrow" (made on first use and kept across loads) from the combo button; its
// picture is emptied when the skin gives nothing to make it from.
void MakeComboArrow(TSkinDefinitions& defs);
// The pixel a third of the way into the first frame of the "Top" border; the button face when
// that border has no picture.
ui::TColor ReadTitleColour(const TSkinDefinitions& defs);
// Fills "Toolbar" (made on first use): a 10 x 40 gradient from a light button face down to a
// colour taken from the title colour.
void MakeToolbarBackground(TSkinDefinitions& defs, ui::TColor titleColour);
// The lower colour of the tool bar background.
ui::TColor ToolbarGradientEnd(ui::TColor titleColour);

}  // namespace skin
