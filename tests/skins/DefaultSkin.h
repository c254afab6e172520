// The built default skin as the tests see it: the package read through the skin reader, its
// description parsed, its bitmaps decoded, and what the engine expects of each element.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "skin/model/BitmapFile.h"
#include "skin/model/QuickIni.h"
#include "skin/model/SkinReader.h"

namespace skintest {

std::vector<std::uint8_t> ReadFileBytes(const std::string& path);

// One strip of the skin: the description key that names it and how the engine cuts it.
struct TStripRule {
  std::string Section;
  std::string ImageKey;
  int Frames = 0;             // fixed by the engine; 0 when read from FrameKey
  std::string FrameKey;       // the key giving the count when Frames is 0
  int FrameKeyDefault = 0;
  bool Stacked = false;       // frames one above the other
};

// Every strip of the skin, the caption buttons included (their rules are made from the
// description's button sections).
std::vector<TStripRule> StripRules(const skin::TQuickIni& ini);

// The frame count the engine uses for a strip of the loaded description.
int FrameCount(const TStripRule& rule, const skin::TQuickIni& ini);

// The caption-button sections of a description, in file order.
std::vector<std::string> CaptionButtonSections(const skin::TQuickIni& ini);

// Keys that the description declares absent on purpose, with "; absent: Key, Key: reason"
// comment lines. Section "" holds the declarations before the first section (they apply to
// every section). A declaration without a reason is returned under the key "!".
std::map<std::string, std::set<std::string>> AbsentDeclarations(const std::string& text);

class TDefaultSkin {
 public:
  // Loads the package built by the skins target (the path is compiled in): the built-in skin,
  // or the named one of our skins ("BuiltIn" or "Daylight").
  static const TDefaultSkin& Get(const std::string& name = "BuiltIn");

  const skin::TSkinReader& Reader() const { return reader_; }
  const skin::TQuickIni& Ini() const { return ini_; }
  const std::string& DescriptionText() const { return text_; }
  std::string DescriptionName() const { return descriptionName_; }
  // The decoded bitmap an INI value names; fails the calling test when there is none.
  const skin::TPixelImage& Image(const std::string& section, const std::string& key) const;
  bool HasImage(const std::string& value) const;
  std::string Value(const std::string& section, const std::string& key) const;
  int Int(const std::string& section, const std::string& key, int def = -99999) const;

 private:
  explicit TDefaultSkin(const char* path);
  skin::TSkinReader reader_;
  skin::TQuickIni ini_;
  std::string text_;
  std::string descriptionName_;
  mutable std::map<std::string, skin::TPixelImage> images_;
};

inline constexpr std::uint32_t kKeyColour = 0xFF00FF;  // 0x00RRGGBB

// The names of our skins, for tests that run once with each.
inline const std::vector<std::string> kOwnSkins = {"BuiltIn", "Daylight"};

}  // namespace skintest
