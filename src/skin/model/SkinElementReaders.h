// The readers that turn sections of a skin description into skin definition objects. Used by
// TSkinDefinitions::Read; each reader frees the element's previous object first.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "SkinDefinitions.h"

namespace skin {

class TElementReader {
 public:
  TElementReader(const TQuickIni& ini, const TSkinReader& reader, TSkinDefinitions& defs)
      : ini_(ini), reader_(reader), defs_(defs) {}

  // General reader: margins, frames, transparency, tiling (above 1 means stretched) and the
  // state colours. No object when the section names no image.
  TDataSkinObject* General(std::string_view section);
  // As General, with a second image under `extraKey`; the frame count is not read.
  TDataSkinBorder* WithExtraImage(std::string_view section, std::string_view extraKey);
  // The progress bar: the image under "Bitmap"; a tiling above 1 means tiled; no colours.
  TDataSkinBorder* Progress(std::string_view section);
  // The group box caption: as General without the frame count, plus the background shifts.
  TDataSkinBoxLabel* BoxLabel(std::string_view section);

  void Borders();          // "Left", "Right", "Top", "Bottom" from [Personality]
  void MenuBar();          // "Personality", only when [Personality] names a menuBar image
  void PushButtons();      // "Buttons"
  void Title();            // "Title"
  void CaptionButtons(const std::vector<std::string>& sections);

  // Fills the bitmap from the package entry that a description value names.
  void LoadBitmap(std::string_view value, TSkinBitmap& bitmap) const;

 private:
  int Int(std::string_view section, std::string_view key, int def) const {
    return ini_.ReadInteger(section, key, def);
  }
  TColour Colour(std::string_view section, std::string_view key, TColour def) const;
  void ReadMargins(std::string_view section, TDataSkinObject& object) const;
  void ReadColours(std::string_view section, TDataSkinObject& object) const;
  void ReadMdiButtons();

  const TQuickIni& ini_;
  const TSkinReader& reader_;
  TSkinDefinitions& defs_;
};

}  // namespace skin
