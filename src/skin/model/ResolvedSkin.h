// A loaded skin resolved once into typed fields: every element the skinners draw from, found
// by name and checked for its type when the skin is loaded, and the elements' style numbers
// turned into named looks. Painting reads these fields; it never looks an element up by name.
// The fields point into the definitions they were resolved from and are valid until those
// definitions read another skin; a field is none when the skin has no such element, or has
// one of another type.
#pragma once

#include "SkinDefinitions.h"

namespace skin {

// How the progress bar draws its fill.
enum class TProgressLook {
  Stretched,  // the bar's second frame, stretched over the filled length
  Chunks,     // the chunk element, repeated or stretched over the filled length
};

// How the combo box draws its edge and button.
enum class TComboLook {
  EdgeAndButton,  // the sunken edge around the box, the button picture beside the text
  Flat,           // a flat box with the button picture's frame drawn beside the text
  Whole,          // one picture over the whole box
};

// Where the page control's pane picture comes from.
enum class TTabPaneSource {
  TabsBorder,   // the tab element's second image, with fixed margins
  PaneElement,  // the pane element, with its own margins and tiling
  None,         // the skin gives no pane
};

struct TResolvedSkin {
  // Push buttons, with the check box and radio button strips.
  const TDataSkinButton* Button = nullptr;
  const TDataSkinTitle* Title = nullptr;
  // The window frame's borders.
  const TDataSkinObject* LeftBorder = nullptr;
  const TDataSkinObject* RightBorder = nullptr;
  const TDataSkinObject* TopBorder = nullptr;
  const TDataSkinObject* BottomBorder = nullptr;
  const TDataSkinObject* MenuBar = nullptr;
  const TDataSkinObject* MenuItem = nullptr;
  const TDataSkinObject* MenuBackground = nullptr;

  const TDataSkinObject* ComboButton = nullptr;
  TComboLook ComboLook = TComboLook::EdgeAndButton;
  // The combo button's picture mirrored for a button on the left; none when not made.
  const TSkinBitmap* ComboButtonMirrored = nullptr;
  const TDataSkinObject* ComboArrow = nullptr;  // the drop-down arrow made from the skin
  const TDataSkinObject* SunkEdge = nullptr;
  const TDataSkinObject* ExtraImages = nullptr;  // the drop-down glyphs and the size grip

  const TDataSkinObject* Progress = nullptr;
  TProgressLook ProgressLook = TProgressLook::Stretched;
  const TDataSkinObject* ProgressChunk = nullptr;

  const TDataSkinObject* Track = nullptr;      // the channel of a lying track bar
  const TDataSkinObject* TrackVert = nullptr;  // the channel of a standing one
  const TDataSkinObject* ThumbHorz = nullptr;
  const TDataSkinObject* ThumbVert = nullptr;

  const TDataSkinObject* Scrollbar = nullptr;  // the 23-frame strip of every scroll-bar part
  const TDataSkinObject* HorzScroll = nullptr;       // the tracks
  const TDataSkinObject* VertScroll = nullptr;
  const TDataSkinObject* HorzScrollThumb = nullptr;  // the thumbs
  const TDataSkinObject* VertScrollThumb = nullptr;
  // The spin buttons, each with its glyphs as the second image.
  const TDataSkinBorder* UpDownHorz = nullptr;
  const TDataSkinBorder* UpDownVert = nullptr;
  const TDataSkinObject* Headerbar = nullptr;
  const TDataSkinObject* StatusBarEdges = nullptr;

  const TDataSkinObject* Tabs = nullptr;
  TTabPaneSource TabPaneSource = TTabPaneSource::None;
  const TDataSkinObject* TabPane = nullptr;       // the pane element, whatever the source
  const TSkinBitmap* TabPanePicture = nullptr;         // the pane picture of the chosen source
};

// The typed fields of the skin the definitions hold.
TResolvedSkin ResolveSkin(const TSkinDefinitions& defs);

}  // namespace skin
