// The description names every section and key that the engine reads (or says why one is
// left out), and every image it names is in the package.
#include <gtest/gtest.h>

#include "DefaultSkin.h"
#include "skin/model/SkinContainer.h"
#include "skin/model/SkinReader.h"

namespace skintest {
namespace {

using Keys = std::vector<std::string>;

const Keys kMarginKeys = {"LeftWidth", "RightWidth", "TopHeight", "BottomHeight", "Trans", "Tile"};
const Keys kColourKeys = {"NormalColour", "MouseOverColour", "PressedColour",
                          "NormalColour2", "MouseOverColour2", "PressedColour2"};

Keys Join(std::initializer_list<Keys> parts) {
  Keys all;
  for (const Keys& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// The keys each section is read with.
std::vector<std::pair<std::string, Keys>> RequiredKeys(const skin::TQuickIni& ini) {
  const Keys general = Join({{"Image", "Style", "Frame"}, kMarginKeys, kColourKeys});
  const Keys extra = Join({{"Image", "Style"}, kMarginKeys, kColourKeys});
  Keys personality = {"menuBar", "TileMenu", "TileLeftMenu", "TileRightMenu", "TextBack",
                      "TextShift", "TextShiftVert", "TextRightClip", "TextAlignment",
                      "Textbackground", "TXTBackleft", "TXTBackRight"};
  for (const char* side : {"Top", "Left", "Right", "Bottom"}) {
    for (const char* suffix : {"", "TopHeight", "BotHeight", "Frame", "Trans", "Stretch"}) {
      personality.push_back(std::string(side) + suffix);
    }
  }
  for (const char* text : {"ActiveText", "InActiveText"}) {
    for (const char* c : {"R", "G", "B"}) personality.push_back(std::string(text) + c);
  }
  Keys customs;
  for (int i = 0; i < 10; ++i) customs.push_back("Color" + std::to_string(i));
  std::vector<std::pair<std::string, Keys>> required = {
      {"TitlebarSkin", {"SkinName"}},
      {"Personality", personality},
      {"Fonts", {"FontHeight"}},
      {"Colours", {"WindowText", "ButtonFace", "Scrollbar", "HilightText", "Hilight", "Menubar",
                   "Menu", "MenuText", "ButtonText", "ButtonHilight", "Buttonlight",
                   "ButtonShadow", "ButtonDkShadow", "MenuBarText", "TitleTextActive",
                   "TitleTextNoActive"}},
      {"Customcolors", customs},
      {"MDICONTROLS", {"Image"}},
      {"Buttons", Join({{"Bitmap", "CheckButton", "RadioButton", "CheckButtonFrame",
                         "RadioButtonFrame"}, kMarginKeys, kColourKeys})},
      {"Progress", Join({{"Bitmap", "Style"}, kMarginKeys})},
      {"GroupBox", Join({{"Image", "Style", "BackgroundAlignment", "BackgroundLeftShift",
                          "BackgroundRightShift"}, kMarginKeys, kColourKeys})},
      {"Tabs", Join({extra, {"Border"}})},
      {"UpDown.Horz", Join({extra, {"GlyphImage"}})},
      {"UpDown.Vert", Join({extra, {"GlyphImage"}})},
      {"ComboButton", extra},
      {"HorzScrollThumb", Join({general, {"FrameCount"}})},
      {"VertScrollThumb", Join({general, {"FrameCount"}})},
  };
  for (const char* s : {"Progress.Chunk", "GroupBoxEdge", "StatusBarEdges", "Tab.Pane", "ToolBars",
                        "SunkEdge", "ExtraImages", "Headerbar", "MenuItem", "MenuBackground",
                        "Scrollbar", "HorzScroll", "VertScroll", "Trackbar.ThumbHorz",
                        "Trackbar.ThumbVert", "Trackbar.ThumbLeft", "Trackbar.ThumbRight",
                        "Trackbar.ThumbUp", "Trackbar.ThumbDown", "Track", "TRACKVERT"}) {
    required.push_back({s, general});
  }
  for (const std::string& s : CaptionButtonSections(ini)) {
    required.push_back({s, {"Action", "Align", "Xcoord", "Ycoord", "Visibility", "Visibility1",
                            "CombineOp", "frame", "ButtonImage"}});
  }
  return required;
}

bool SectionExists(const skin::TQuickIni& ini, const std::string& section) {
  std::vector<std::string> sections;
  ini.ReadSections(sections);
  for (const std::string& s : sections) {
    if (skin::AsciiLower(s) == skin::AsciiLower(section)) return true;
  }
  return false;
}

TEST(DefaultSkinDescription, EverySectionAndKeyIsGivenOrDeclaredAbsent) {
  const TDefaultSkin& skin = TDefaultSkin::Get();
  const auto absent = AbsentDeclarations(skin.DescriptionText());
  const std::set<std::string> none;
  const std::set<std::string>& everywhere = absent.count("") ? absent.at("") : none;
  for (const auto& [section, keys] : RequiredKeys(skin.Ini())) {
    ASSERT_TRUE(SectionExists(skin.Ini(), section)) << "[" << section << "] is missing";
    const auto here = absent.find(skin::AsciiLower(section));
    for (const std::string& key : keys) {
      const std::string lower = skin::AsciiLower(key);
      const bool declared = everywhere.count(lower) || (here != absent.end() && here->second.count(lower));
      EXPECT_TRUE(!skin.Value(section, key).empty() || declared)
          << "[" << section << "] " << key << " is neither given nor declared absent";
    }
  }
}

TEST(DefaultSkinDescription, AbsentDeclarationsGiveAReasonAndHold) {
  const TDefaultSkin& skin = TDefaultSkin::Get();
  for (const auto& [section, keys] : AbsentDeclarations(skin.DescriptionText())) {
    EXPECT_EQ(keys.count("!"), 0u) << "an absent: line without a reason in [" << section << "]";
    if (section.empty()) continue;
    for (const std::string& key : keys) {
      EXPECT_TRUE(skin.Value(section, key).empty()) << "[" << section << "] " << key
                                                    << " is declared absent but given";
    }
  }
}

TEST(DefaultSkinDescription, NamesASkinFontColoursAndAFewColourSections) {
  const TDefaultSkin& skin = TDefaultSkin::Get();
  EXPECT_FALSE(skin.Value("TitlebarSkin", "SkinName").empty());
  EXPECT_GT(skin.Int("Fonts", "FontHeight"), 0);
  std::vector<std::string> sections;
  skin.Ini().ReadSections(sections);
  int colourSections = 0;
  for (const std::string& s : sections) {
    std::string upper = s;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper.rfind("COLOUR", 0) == 0 && upper != "COLOURS") {
      ++colourSections;
      EXPECT_FALSE(skin.Value(s, "color").empty()) << s;
    }
  }
  EXPECT_GE(colourSections, 3);
}

TEST(DefaultSkinDescription, EveryImageItNamesIsInThePackage) {
  const TDefaultSkin& skin = TDefaultSkin::Get();
  int named = 0;
  for (const std::string& line : skin.Ini().Lines()) {
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string value(skin::TrimText(line.substr(eq + 1)));
    if (skin::AsciiLower(value).find(".bmp") == std::string::npos) continue;
    ++named;
    EXPECT_FALSE(skin::BitmapEntryName(value).empty()) << line << ": not a usable bitmap name";
    EXPECT_TRUE(skin.HasImage(value)) << line << ": no such entry";
  }
  EXPECT_GE(named, 40);
}

TEST(DefaultSkinDescription, EveryBitmapInThePackageIsNamedByTheDescription) {
  const TDefaultSkin& skin = TDefaultSkin::Get();
  std::set<std::string> used;
  for (const std::string& line : skin.Ini().Lines()) {
    const std::size_t eq = line.find('=');
    if (eq != std::string::npos) used.insert(skin::AsciiLower(skin::BitmapEntryName(skin::TrimText(line.substr(eq + 1)))));
  }
  for (const std::string& name : skin.Reader().Names()) {
    if (name.find(".bmp") == std::string::npos) continue;
    EXPECT_EQ(used.count(name), 1u) << name << " is never used";
  }
}

}  // namespace
}  // namespace skintest
