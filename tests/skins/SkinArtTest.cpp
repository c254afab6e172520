// Rules of the art itself: key colour only where it is transparent, a shaped window with
// rounded top corners, borders that join, margins that leave every strip a middle, and
// caption buttons inside the title bar.
#include <gtest/gtest.h>

#include "DefaultSkin.h"

namespace skintest {
namespace {

struct TFrameBox {
  int X, Y, W, H;
};

TFrameBox FrameOf(const skin::TPixelImage& image, int frames, int index, bool stacked) {
  if (stacked) return {0, image.Height / frames * index, image.Width, image.Height / frames};
  return {image.Width / frames * index, 0, image.Width / frames, image.Height};
}

bool HasKeyColour(const skin::TPixelImage& image) {
  for (std::uint32_t p : image.Pixels) {
    if (p == kKeyColour) return true;
  }
  return false;
}

// Whether the engine draws the strip with the key colour transparent.
bool DrawnTransparent(const TDefaultSkin& skin, const TStripRule& rule) {
  if (rule.Section == "Personality") {
    if (rule.ImageKey == "menuBar" || rule.ImageKey == "TextBack") return false;
    return skin.Int("Personality", rule.ImageKey + "Trans", 1) != 0;
  }
  if (rule.Section == "Progress.Chunk" || rule.Section == "Headerbar" || rule.Section == "Tab.Pane" ||
      rule.Section == "HorzScroll" || rule.Section == "VertScroll" || rule.Section == "StatusBarEdges" ||
      rule.Section == "MenuBackground" || rule.Section == "Track" || rule.Section == "TRACKVERT" ||
      rule.ImageKey == "Border") {
    return skin.Int(rule.Section, "Trans", 0) != 0;
  }
  return true;  // strips the engine always draws with the key colour transparent
}

// Every case runs with each of our skins.
class OwnSkinArt : public testing::TestWithParam<std::string> {};
INSTANTIATE_TEST_SUITE_P(OwnSkins, OwnSkinArt, testing::ValuesIn(kOwnSkins),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

TEST_P(OwnSkinArt, OpaqueStripsHoldNoKeyColour) {
  const TDefaultSkin& skin = TDefaultSkin::Get(GetParam());
  int opaque = 0;
  for (const TStripRule& rule : StripRules(skin.Ini())) {
    if (DrawnTransparent(skin, rule)) continue;
    ++opaque;
    EXPECT_FALSE(HasKeyColour(skin.Image(rule.Section, rule.ImageKey)))
        << "[" << rule.Section << "] " << rule.ImageKey << " is drawn opaque but holds magenta";
  }
  EXPECT_GE(opaque, 8);
}

// Length of the key-coloured run at the start of a row, reading the left border's frame and
// then the title strip's frame as the window shows them side by side.
int CornerRun(const skin::TPixelImage& side, TFrameBox s, const skin::TPixelImage& top, TFrameBox t,
              int y, bool fromRight) {
  int run = 0;
  for (int i = 0; i < s.W + t.W; ++i) {
    const int sx = fromRight ? s.X + s.W - 1 - i : s.X + i;
    const int tx = fromRight ? t.W - 1 - (i - s.W) : i - s.W;
    const std::uint32_t p = i < s.W ? side.At(sx, s.Y + y) : top.At(tx, t.Y + y);
    if (p != kKeyColour) break;
    ++run;
  }
  return run;
}

// The key-coloured runs of a rounded corner shrink row by row, in more than two steps
// (a curve, not a bevel), and end inside the title bar.
void ExpectRoundCorner(const std::vector<int>& runs, const std::string& what) {
  ASSERT_FALSE(runs.empty());
  EXPECT_GE(runs.front(), 3) << what;
  std::set<int> steps(runs.begin(), runs.end());
  EXPECT_GE(steps.size(), 4u) << what;
  EXPECT_EQ(runs.back(), 0) << what;
  for (std::size_t y = 1; y < runs.size(); ++y) EXPECT_LE(runs[y], runs[y - 1]) << what << " row " << y;
}

TEST_P(OwnSkinArt, TopCornersAreRoundedThroughTheKeyColour) {
  const TDefaultSkin& skin = TDefaultSkin::Get(GetParam());
  ASSERT_EQ(skin.Int("Personality", "LeftTrans"), 1);
  ASSERT_EQ(skin.Int("Personality", "RightTrans"), 1);
  ASSERT_EQ(skin.Int("Personality", "TopTrans"), 1);
  const skin::TPixelImage& left = skin.Image("Personality", "Left");
  const skin::TPixelImage& right = skin.Image("Personality", "Right");
  const skin::TPixelImage& top = skin.Image("Personality", "Top");
  const int frames = skin.Int("Personality", "LeftFrame");
  for (int f = 0; f < frames; ++f) {
    const TFrameBox l = FrameOf(left, frames, f, false), r = FrameOf(right, frames, f, false);
    const TFrameBox t = FrameOf(top, skin.Int("Personality", "TopFrame"), f, true);
    std::vector<int> leftRuns, rightRuns;
    for (int y = 0; y < t.H; ++y) {
      leftRuns.push_back(CornerRun(left, l, top, t, y, false));
      rightRuns.push_back(CornerRun(right, r, top, t, y, true));
    }
    ExpectRoundCorner(leftRuns, "top left corner, frame " + std::to_string(f + 1));
    ExpectRoundCorner(rightRuns, "top right corner, frame " + std::to_string(f + 1));
    EXPECT_EQ(leftRuns, rightRuns) << "the corners mirror each other";
    EXPECT_NE(top.At(t.W / 2, t.Y), kKeyColour) << "the title's top edge is solid";
    // Below the title the window is a plain rectangle.
    for (int y = skin.Int("Personality", "LeftTopHeight"); y < l.H; ++y) {
      EXPECT_NE(left.At(l.X, y), kKeyColour) << "left border row " << y;
      EXPECT_NE(right.At(r.X + r.W - 1, y), kKeyColour) << "right border row " << y;
    }
  }
}

TEST_P(OwnSkinArt, BordersJoinTheTitleAndTheBottom) {
  const TDefaultSkin& skin = TDefaultSkin::Get(GetParam());
  const int titleHeight = skin.Image("Personality", "Top").Height / skin.Int("Personality", "TopFrame");
  const int bottomHeight = skin.Image("Personality", "Bottom").Height / skin.Int("Personality", "BottomFrame");
  for (const char* side : {"Left", "Right"}) {
    const std::string s(side);
    EXPECT_EQ(skin.Int("Personality", s + "TopHeight"), titleHeight) << s << ": title part must not stretch";
    EXPECT_EQ(skin.Int("Personality", s + "BotHeight"), bottomHeight) << s << ": corner meets the bottom";
    EXPECT_GT(skin.Image("Personality", s).Height, titleHeight + bottomHeight) << s << ": needs a middle";
  }
  EXPECT_EQ(skin.Int("Personality", "TopFrame"), 2);
  EXPECT_EQ(skin.Int("Personality", "BottomFrame"), 2);
}

void ExpectMarginsLeaveAMiddle(const TDefaultSkin& skin, const std::string& section,
                               const std::string& key, int frames, int left, int top, int right,
                               int bottom, bool stacked = false) {
  const TFrameBox f = FrameOf(skin.Image(section, key), frames, 0, stacked);
  EXPECT_LT(left + right, f.W) << "[" << section << "] " << key << " is " << f.W << " wide";
  EXPECT_LT(top + bottom, f.H) << "[" << section << "] " << key << " is " << f.H << " high";
}

TEST_P(OwnSkinArt, MarginsLeaveEveryStripAMiddle) {
  const TDefaultSkin& skin = TDefaultSkin::Get(GetParam());
  int checked = 0;
  for (const TStripRule& rule : StripRules(skin.Ini())) {
    if (rule.Section == "Personality" || rule.ImageKey != "Image") continue;
    ExpectMarginsLeaveAMiddle(skin, rule.Section, rule.ImageKey, FrameCount(rule, skin.Ini()),
                              skin.Int(rule.Section, "LeftWidth", 0), skin.Int(rule.Section, "TopHeight", 0),
                              skin.Int(rule.Section, "RightWidth", 0), skin.Int(rule.Section, "BottomHeight", 0));
    ++checked;
  }
  EXPECT_GE(checked, 25);
  ExpectMarginsLeaveAMiddle(skin, "Buttons", "Bitmap", 5, skin.Int("Buttons", "LeftWidth"),
                            skin.Int("Buttons", "TopHeight"), skin.Int("Buttons", "RightWidth"),
                            skin.Int("Buttons", "BottomHeight"));
  ExpectMarginsLeaveAMiddle(skin, "Progress", "Bitmap", 2, skin.Int("Progress", "LeftWidth"),
                            skin.Int("Progress", "TopHeight"), skin.Int("Progress", "RightWidth"),
                            skin.Int("Progress", "BottomHeight"));
  ExpectMarginsLeaveAMiddle(skin, "Personality", "Top", 2, skin.Int("Personality", "TopTopHeight"), 0,
                            skin.Int("Personality", "TopBotHeight"), 0, true);
  ExpectMarginsLeaveAMiddle(skin, "Personality", "menuBar", 2, skin.Int("Personality", "TileLeftMenu"), 0,
                            skin.Int("Personality", "TileRightMenu"), 0);
}

TEST_P(OwnSkinArt, PaneMarginsStayWithinWhatTheEngineKeeps) {
  const TDefaultSkin& skin = TDefaultSkin::Get(GetParam());
  for (const char* key : {"LeftWidth", "TopHeight", "RightWidth", "BottomHeight"}) {
    EXPECT_LE(skin.Int("Tab.Pane", key), 4) << key;
  }
}

TEST_P(OwnSkinArt, CaptionButtonsSitInTheTitleBarBesideTheText) {
  const TDefaultSkin& skin = TDefaultSkin::Get(GetParam());
  const int titleHeight = skin.Image("Personality", "Top").Height / skin.Int("Personality", "TopFrame");
  for (const std::string& section : CaptionButtonSections(skin.Ini())) {
    if (skin.Value(section, "ButtonImage").empty()) continue;
    const skin::TPixelImage& image = skin.Image(section, "ButtonImage");
    EXPECT_LE(skin.Int(section, "Ycoord") + image.Height, titleHeight) << section;
    const int width = image.Width / skin.Int(section, "frame");
    if (skin.Int(section, "Align") == 1) {
      EXPECT_LE(skin.Int(section, "Xcoord"), skin.Int("Personality", "TextRightClip")) << section;
      EXPECT_GE(skin.Int(section, "Xcoord"),
                width + skin.Image("Personality", "Right").Width / skin.Int("Personality", "RightFrame"))
          << section << " would overlap the right border";
    } else if (skin.Int(section, "Align") == 0) {
      // Counted from the left: between the left border and the caption text.
      EXPECT_GE(skin.Int(section, "Xcoord"),
                skin.Image("Personality", "Left").Width / skin.Int("Personality", "LeftFrame"))
          << section << " would overlap the left border";
      EXPECT_LE(skin.Int(section, "Xcoord") + width, skin.Int("Personality", "TextShift")) << section;
    }
  }
}

TEST_P(OwnSkinArt, ComboPartsMatchTheComposedComboHeight) {
  // The engine composes combo boxes 21 pixels high from these two strips.
  const TDefaultSkin& skin = TDefaultSkin::Get(GetParam());
  EXPECT_EQ(skin.Image("ComboButton", "Image").Height, 21);
  EXPECT_EQ(skin.Image("SunkEdge", "Image").Height, 21);
}

}  // namespace
}  // namespace skintest
