#include "DefaultSkin.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "skin/model/SkinContainer.h"

namespace skintest {

std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

namespace {

TStripRule Fixed(std::string section, std::string key, int frames, bool stacked = false) {
  return {std::move(section), std::move(key), frames, "", 0, stacked};
}

TStripRule Counted(std::string section, std::string key, std::string frameKey, int def,
                   bool stacked = false) {
  return {std::move(section), std::move(key), 0, std::move(frameKey), def, stacked};
}

const char* const kFiveFrameSections[] = {
    "ToolBars", "MenuItem", "ExtraImages", "Trackbar.ThumbHorz", "Trackbar.ThumbVert",
    "Trackbar.ThumbLeft", "Trackbar.ThumbRight", "Trackbar.ThumbUp", "Trackbar.ThumbDown"};

}  // namespace

std::vector<std::string> CaptionButtonSections(const skin::TQuickIni& ini) {
  std::vector<std::string> sections, result;
  ini.ReadSections(sections);
  for (const std::string& s : sections) {
    std::string upper = s;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper.rfind("BUTTON", 0) != 0 || upper == "BUTTON" || upper == "BUTTONS" ||
        upper == "BUTTON.RADIO" || upper == "BUTTON.CHECKBOX") {
      continue;
    }
    if (ini.ReadInteger(s, "Action", 0) == -1 && ini.ReadInteger(s, "Visibility", -1) != 0) continue;
    result.push_back(s);
  }
  return result;
}

std::vector<TStripRule> StripRules(const skin::TQuickIni& ini) {
  std::vector<TStripRule> rules = {
      Counted("Personality", "Top", "TopFrame", 1, true),
      Counted("Personality", "Bottom", "BottomFrame", 1, true),
      Counted("Personality", "Left", "LeftFrame", 1),
      Counted("Personality", "Right", "RightFrame", 1),
      Fixed("Personality", "menuBar", 2),
      Fixed("Personality", "TextBack", 2),
      Fixed("MDICONTROLS", "Image", 12),
      Fixed("Buttons", "Bitmap", 5),
      Counted("Buttons", "CheckButton", "CheckButtonFrame", 0),
      Counted("Buttons", "RadioButton", "RadioButtonFrame", 0),
      Fixed("Progress", "Bitmap", ini.ReadInteger("Progress", "Style", 0) != 0 ? 1 : 2),
      Counted("Progress.Chunk", "Image", "Frame", 0),
      Fixed("GroupBox", "Image", 1),
      Fixed("GroupBoxEdge", "Image", 2),
      Fixed("Tabs", "Image", 5),
      Fixed("Tabs", "Border", 1),
      Fixed("StatusBarEdges", "Image", 3),
      Fixed("Tab.Pane", "Image", 1),
      Fixed("ComboButton", "Image", 4),
      Fixed("SunkEdge", "Image", 4),
      Counted("Headerbar", "Image", "Frame", 0),
      Fixed("MenuBackground", "Image", 1),
      Fixed("Scrollbar", "Image", 23),
      Fixed("HorzScroll", "Image", 4),
      Fixed("VertScroll", "Image", 4),
      Counted("HorzScrollThumb", "Image", "FrameCount", 3),
      Counted("VertScrollThumb", "Image", "FrameCount", 3),
      Fixed("UpDown.Horz", "Image", 8),
      Fixed("UpDown.Horz", "GlyphImage", 8),
      Fixed("UpDown.Vert", "Image", 8),
      Fixed("UpDown.Vert", "GlyphImage", 8),
      Counted("Track", "Image", "Frame", 0),
      Counted("TRACKVERT", "Image", "Frame", 0),
  };
  for (const char* s : kFiveFrameSections) rules.push_back(Fixed(s, "Image", 5));
  for (const std::string& s : CaptionButtonSections(ini)) {
    if (!ini.ReadString(s, "ButtonImage", "").empty()) rules.push_back(Counted(s, "ButtonImage", "frame", 0));
  }
  return rules;
}

int FrameCount(const TStripRule& rule, const skin::TQuickIni& ini) {
  if (rule.Frames != 0) return rule.Frames;
  const int n = ini.ReadInteger(rule.Section, rule.FrameKey, rule.FrameKeyDefault);
  if (rule.Section == "Headerbar" && n == 0) return 5;
  return n;
}

std::map<std::string, std::set<std::string>> AbsentDeclarations(const std::string& text) {
  std::map<std::string, std::set<std::string>> result;
  std::string section;
  for (const std::string& raw : skin::SplitNameLines(text)) {
    const std::string line(skin::TrimText(raw));
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      section = skin::AsciiLower(line.substr(1, line.size() - 2));
      continue;
    }
    const std::string marker = "; absent:";
    if (line.rfind(marker, 0) != 0) continue;
    const std::string rest = line.substr(marker.size());
    const std::size_t colon = rest.find(':');
    if (colon == std::string::npos || skin::TrimText(rest.substr(colon + 1)).empty()) {
      result[section].insert("!");
      continue;
    }
    std::string keys = rest.substr(0, colon);
    std::size_t start = 0;
    while (start <= keys.size()) {
      const std::size_t comma = std::min(keys.find(',', start), keys.size());
      const std::string key(skin::TrimText(keys.substr(start, comma - start)));
      if (!key.empty()) result[section].insert(skin::AsciiLower(key));
      start = comma + 1;
    }
  }
  return result;
}

const TDefaultSkin& TDefaultSkin::Get(const std::string& name) {
  static const TDefaultSkin builtIn(VEXLO_DEFAULT_SKIN_PACKAGE);
  if (name != "Daylight") return builtIn;
  static const TDefaultSkin daylight(VEXLO_DAYLIGHT_SKIN_PACKAGE);
  return daylight;
}

TDefaultSkin::TDefaultSkin(const char* path) {
  if (!reader_.Load(ReadFileBytes(path))) {
    throw std::runtime_error(std::string("the skin package ") + path + " was refused: " + reader_.ErrorText());
  }
  std::vector<std::uint8_t> bytes;
  reader_.ExtractEntryContaining(".ini", bytes, descriptionName_);
  text_.assign(bytes.begin(), bytes.end());
  ini_.Load(text_);
}

bool TDefaultSkin::HasImage(const std::string& value) const {
  return !skin::ExtractBitmapEntry(reader_, value).empty();
}

std::string TDefaultSkin::Value(const std::string& section, const std::string& key) const {
  return ini_.ReadString(section, key, "");
}

int TDefaultSkin::Int(const std::string& section, const std::string& key, int def) const {
  return ini_.ReadInteger(section, key, def);
}

const skin::TPixelImage& TDefaultSkin::Image(const std::string& section, const std::string& key) const {
  const std::string value = Value(section, key);
  auto it = images_.find(value);
  if (it != images_.end()) return it->second;
  skin::TPixelImage image;
  std::string error;
  const std::vector<std::uint8_t> bytes = skin::ExtractBitmapEntry(reader_, value);
  EXPECT_TRUE(skin::DecodeBitmapFile(bytes, image, &error))
      << "[" << section << "] " << key << "=" << value << ": " << error;
  return images_.emplace(value, std::move(image)).first->second;
}

}  // namespace skintest
