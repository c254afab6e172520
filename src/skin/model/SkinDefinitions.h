// All that a skin description defines: the skin definition objects (each reachable under the
// name of its section), the caption-button list, the colour table, the colour list and the
// custom colours. Reading is portable, so the skin tool reports exactly what the engine reads.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "QuickIni.h"
#include "SkinObjects.h"
#include "SkinReader.h"

namespace skin {

// A system colour: top byte 0xFF, index in the lowest byte.
inline constexpr TColour SystemColour(int index) { return 0xFF000000u | TColour(index & 0xFF); }

// The colour table of section [Colours]; system colours until a skin says otherwise.
struct TSkinColourTable {
  TColour WindowText = SystemColour(8);
  TColour ButtonFace = SystemColour(15);
  TColour Scrollbar = SystemColour(0);
  TColour HilightText = SystemColour(14);
  TColour Hilight = SystemColour(13);
  TColour Menubar = SystemColour(15);
  TColour Menu = SystemColour(4);
  TColour MenuText = SystemColour(7);
  TColour ButtonText = SystemColour(18);
  TColour ButtonHilight = SystemColour(20);
  TColour Buttonlight = SystemColour(20);
  TColour ButtonShadow = SystemColour(16);
  TColour ButtonDkShadow = SystemColour(21);
  TColour MenuBarText = SystemColour(7);
  TColour TitleTextActive = SystemColour(9);
  TColour TitleTextNoActive = SystemColour(19);
};

inline constexpr int kCustomColourCount = 10;

// Fills a bitmap from a bitmap resource of the program; false when there is none.
using TProgramBitmapLoader = std::function<bool(std::string_view name, TSkinBitmap& bitmap)>;

// The track channel pictures built into the engine, pixel for pixel the program's "TRACK"
// (16 x 4) and "TRACKVERT" (4 x 16) resources; false for any other name.
bool BuiltinTrackBitmap(std::string_view name, TSkinBitmap& bitmap);

class TSkinDefinitions {
 public:
  TSkinDefinitions() = default;
  TSkinDefinitions(const TSkinDefinitions&) = delete;
  TSkinDefinitions& operator=(const TSkinDefinitions&) = delete;

  // Reads a whole skin from its description and package (the borders, the colours, the
  // caption buttons, the push buttons, the title, every element, the track fallbacks and the
  // fixed frame counts), replacing what was held. `programBitmap` supplies the track channel
  // fallbacks; without it the built-in pictures are used.
  void Read(const TQuickIni& ini, const TSkinReader& reader,
            const TProgramBitmapLoader& programBitmap = {});

  // The object of that name (compared without regard to letter case), or none.
  TDataSkinObject* Find(std::string_view name) const;
  template <class T>
  T* FindAs(std::string_view name) const {
    return dynamic_cast<T*>(Find(name));
  }
  TDataSkinBorder* Border(std::string_view name) const { return FindAs<TDataSkinBorder>(name); }
  TDataSkinButton* Buttons() const { return FindAs<TDataSkinButton>("Buttons"); }
  TDataSkinTitle* Title() const { return FindAs<TDataSkinTitle>("Title"); }
  TDataSkinObject* MenuBar() const { return Find("Personality"); }

  // Adds an object, replacing one of the same name; answers the object.
  TDataSkinObject* Put(std::unique_ptr<TDataSkinObject> object);
  // Removes the object of that name and hands it over (none when there is none).
  std::unique_ptr<TDataSkinObject> Take(std::string_view name);
  // Every object, in the order it was made (caption buttons apart).
  const std::vector<std::unique_ptr<TDataSkinObject>>& Objects() const { return objects_; }

  std::vector<std::unique_ptr<TDataSkinSysButton>>& CaptionButtons() { return captionButtons_; }
  const std::vector<std::unique_ptr<TDataSkinSysButton>>& CaptionButtons() const {
    return captionButtons_;
  }

  std::string SkinName;
  TSkinColourTable Colours;
  std::vector<TColour> ColourList;  // the [ColourN] sections' colours, in file order
  std::array<TColour, kCustomColourCount> CustomColours{};

 private:
  std::vector<std::unique_ptr<TDataSkinObject>> objects_;
  std::vector<std::unique_ptr<TDataSkinSysButton>> captionButtons_;
};

}  // namespace skin
