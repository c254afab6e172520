// The built package has the shape of the program's embedded skin: marker 20000, 41 entries,
// the description 30th, and 40 valid Windows bitmaps cut into whole frames.
#include <gtest/gtest.h>

#include "DefaultSkin.h"
#include "skin/model/SkinContainer.h"

namespace skintest {
namespace {

TEST(DefaultSkinPackage, HasTheMarkerAnd41Entries) {
  const skin::TSkinReader& reader = TDefaultSkin::Get().Reader();
  EXPECT_EQ(reader.Header()[0], 20000);
  EXPECT_EQ(reader.Count(), 41);
}

TEST(DefaultSkinPackage, DescriptionIsThe30thEntryAndTheOnlyOne) {
  const std::vector<std::string>& names = TDefaultSkin::Get().Reader().Names();
  ASSERT_EQ(names.size(), 41u);
  int descriptions = 0;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i].find(".ini") == std::string::npos) continue;
    ++descriptions;
    EXPECT_EQ(i + 1, 30u) << names[i];
  }
  EXPECT_EQ(descriptions, 1);
  EXPECT_EQ(TDefaultSkin::Get().DescriptionName(), names[29]);
}

TEST(DefaultSkinPackage, EveryOtherEntryIsAValidWindowsBitmap) {
  const skin::TSkinReader& reader = TDefaultSkin::Get().Reader();
  int bitmaps = 0;
  for (const std::string& name : reader.Names()) {
    if (name.find(".ini") != std::string::npos) continue;
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(reader.ExtractEntry(name, bytes)) << name;
    ASSERT_GE(bytes.size(), 2u) << name;
    EXPECT_EQ(bytes[0], 'B') << name;
    EXPECT_EQ(bytes[1], 'M') << name;
    skin::TPixelImage image;
    std::string error;
    EXPECT_TRUE(skin::DecodeBitmapFile(bytes, image, &error)) << name << ": " << error;
    EXPECT_EQ(name.substr(name.size() - 4), ".bmp");
    ++bitmaps;
  }
  EXPECT_EQ(bitmaps, 40);
}

// With each of our skins.
class OwnSkinPackage : public testing::TestWithParam<std::string> {};
INSTANTIATE_TEST_SUITE_P(OwnSkins, OwnSkinPackage, testing::ValuesIn(kOwnSkins),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

TEST_P(OwnSkinPackage, EveryStripDividesIntoItsFrames) {
  const TDefaultSkin& skin = TDefaultSkin::Get(GetParam());
  for (const TStripRule& rule : StripRules(skin.Ini())) {
    SCOPED_TRACE("[" + rule.Section + "] " + rule.ImageKey);
    const int frames = FrameCount(rule, skin.Ini());
    ASSERT_GE(frames, 1);
    const skin::TPixelImage& image = skin.Image(rule.Section, rule.ImageKey);
    const int length = rule.Stacked ? image.Height : image.Width;
    ASSERT_GT(length, 0);
    EXPECT_EQ(length % frames, 0) << length << " pixels do not hold " << frames << " frames";
  }
}

TEST(DefaultSkinPackage, CheckAndRadioCountsAgreeWithTheEnginesOwnRule) {
  // Without CheckButtonFrame or RadioButtonFrame the engine counts 13-pixel frames in a strip
  // lower than 16 pixels; the skin's counts must say the same.
  const TDefaultSkin& skin = TDefaultSkin::Get();
  for (const char* key : {"CheckButton", "RadioButton"}) {
    const skin::TPixelImage& image = skin.Image("Buttons", key);
    ASSERT_LT(image.Height, 16) << key;
    EXPECT_EQ(image.Width / 13, skin.Int("Buttons", std::string(key) + "Frame")) << key;
  }
  EXPECT_EQ(skin.Int("Buttons", "CheckButtonFrame"), 12);
  EXPECT_EQ(skin.Int("Buttons", "RadioButtonFrame"), 8);
}

TEST(DefaultSkinPackage, CaptionButtonsHaveFourFramesAndTheEngineKeepsThem) {
  const TDefaultSkin& skin = TDefaultSkin::Get();
  std::set<int> actions;
  for (const std::string& section : CaptionButtonSections(skin.Ini())) {
    actions.insert(skin.Int(section, "Action"));
    if (skin.Value(section, "ButtonImage").empty()) {
      EXPECT_EQ(skin.Int(section, "Action"), 3) << section << ": only the icon button has no strip";
      continue;
    }
    EXPECT_EQ(skin.Int(section, "frame"), 4) << section;
    const skin::TPixelImage& image = skin.Image(section, "ButtonImage");
    EXPECT_EQ(image.Width % 4, 0) << section;
  }
  for (int action : {0, 1, 2, 3}) EXPECT_EQ(actions.count(action), 1u) << "action " << action;
}

}  // namespace
}  // namespace skintest
