// Caption buttons, colours, fixed frame counts, the track fallbacks, the program's default
// skin and the report the skin tool prints.
#include <gtest/gtest.h>

#include <sstream>

#include "CraftedSkin.h"
#include "LzhEncoder.h"

using namespace skin;
using skintest::TCraftedSkin;

namespace {

std::vector<std::string> Names(const TSkinDefinitions& defs) {
  std::vector<std::string> names;
  for (const auto& b : defs.CaptionButtons()) names.push_back(b->Name);
  return names;
}

TEST(SkinCaptionButtons, SectionsAreChosenByNameAndAction) {
  TSkinDefinitions defs;
  skintest::LoadInto(TCraftedSkin("[Button.Close]\nAction=0\nXcoord=28\nYcoord=4\nAlign=1\n"
                                  "[BUTTON]\nAction=1\n[Button.Radio]\nAction=1\n"
                                  "[button.checkbox]\nAction=1\n"
                                  "[Button6]\nAction=-1\n"
                                  "[Button7]\nAction=-1\nVisibility=0\n"
                                  "[Buttonx]\nVisibility=5\nVisibility1=6\nCombineOp=2\n")
                         .Package(),
                     defs);
  // Kept in file order and named in upper case; the three MDI buttons follow.
  EXPECT_EQ(Names(defs), (std::vector<std::string>{"BUTTON.CLOSE", "BUTTON7", "BUTTONX",
                                                   "MDICONTROLS1", "MDICONTROLS2",
                                                   "MDICONTROLS3"}));
  const auto& list = defs.CaptionButtons();
  EXPECT_EQ(list[0]->Xcoord, 28);
  EXPECT_EQ(list[0]->Ycoord, 4);
  EXPECT_EQ(list[0]->Align, 1);
  EXPECT_EQ(list[0]->Visibility, 0);
  EXPECT_EQ(list[0]->Visibility1, 0);
  EXPECT_EQ(list[0]->CombineOp, -1);
  EXPECT_EQ(list[1]->Action, -1);
  EXPECT_EQ(list[1]->Visibility1, -1);  // an action of -1 makes the second visibility -1
  EXPECT_EQ(list[2]->Visibility, 5);
  EXPECT_EQ(list[2]->Visibility1, 6);
  EXPECT_EQ(list[2]->CombineOp, 2);
}

TEST(SkinCaptionButtons, FrameCountFollowsTheImageShapeWhenNotGiven) {
  TSkinDefinitions defs;
  skintest::LoadInto(TCraftedSkin("[Button1]\nButtonImage=narrow.bmp\n"
                                  "[Button2]\nButtonImage=wide.bmp\n"
                                  "[Button3]\nButtonImage=narrow.bmp\nAction=-1\nVisibility=0\n"
                                  "[Button4]\nButtonImage=narrow.bmp\nframe=4\n"
                                  "[Button5]\n"
                                  "[Button6]\nButtonImage=wide.bmp\nAction=3\n"
                                  "[Button7]\nButtonImage=wide.bmp\nAction=11\nframe=2\n")
                         .Bitmap("narrow.bmp", 60, 20)
                         .Bitmap("wide.bmp", 140, 20)
                         .Package(),
                     defs);
  const auto& list = defs.CaptionButtons();
  ASSERT_EQ(list.size(), 10u);
  EXPECT_EQ(list[0]->Frame, 3);  // 60 / 20 = 3 <= 3.8
  EXPECT_EQ(list[1]->Frame, 6);  // 140 / 20 = 7
  EXPECT_EQ(list[2]->Frame, 6);  // negative actions always 6
  EXPECT_EQ(list[3]->Frame, 4);  // given
  EXPECT_EQ(list[4]->Frame, 6);  // no image
  // An icon button without a count loses its image; with a count it keeps it.
  EXPECT_TRUE(list[5]->Bitmap->Empty());
  EXPECT_EQ(list[6]->Bitmap->Width(), 140);
}

TEST(SkinCaptionButtons, MdiButtonsAreCutFromOneTwelveFrameStrip) {
  // 12 frames of 4 pixels; each frame has its own colour so the cuts can be told apart.
  const auto rgb = [](int x, int) { return static_cast<std::uint32_t>(x / 4 * 16); };
  TSkinDefinitions defs;
  skintest::LoadInto(TCraftedSkin("[MDICONTROLS]\nImage=mdi.bmp\n")
                         .Bitmap("mdi.bmp", skintest::MakeBmp24(48, 14, rgb))
                         .Package(),
                     defs);
  const auto& list = defs.CaptionButtons();
  ASSERT_EQ(list.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    const TDataSkinSysButton& b = *list[static_cast<std::size_t>(i)];
    EXPECT_EQ(b.Action, 7 + i);
    EXPECT_EQ(b.Align, 100);
    EXPECT_EQ(b.Visibility, 100);
    EXPECT_EQ(b.Visibility1, 100);
    EXPECT_EQ(b.Frame, 4);
    EXPECT_EQ(b.Xcoord, 8 * (3 - i));
    ASSERT_EQ(b.Bitmap->Width(), 16);
    EXPECT_EQ(b.Bitmap->Height(), 14);
    EXPECT_EQ(PixelAt(*b.Bitmap, 0, 0), static_cast<std::uint32_t>(4 * i * 16));
    EXPECT_EQ(PixelAt(*b.Bitmap, 15, 13), static_cast<std::uint32_t>((4 * i + 3) * 16));
  }
}

TEST(SkinColours, TableListAndCustomColours) {
  TSkinDefinitions defs;
  skintest::LoadInto(TCraftedSkin("[Colours]\ncolor=1 1 1\nButtonFace=10 20 30\nMenu=1 2\n"
                                  "[Colours1]\ncolor=1 2 3\n[Colour2]\n[COLOUR]\ncolor=7 8 9\n"
                                  "[Colors3]\ncolor=4 4 4\n"
                                  "[Customcolors]\nColor0=5 6 7\nColor9=8 9 10\n")
                         .Package(),
                     defs);
  const TSkinColourTable& c = defs.Colours;
  EXPECT_EQ(c.ButtonFace, RGBColour(10, 20, 30));
  EXPECT_EQ(c.Menubar, RGBColour(10, 20, 30));  // the button face just read
  EXPECT_EQ(c.Menu, RGBColour(1, 0, 0));
  EXPECT_EQ(c.WindowText, SystemColour(8));
  EXPECT_EQ(c.Scrollbar, SystemColour(0));
  EXPECT_EQ(c.Buttonlight, SystemColour(20));
  EXPECT_EQ(c.ButtonDkShadow, SystemColour(21));
  EXPECT_EQ(c.TitleTextNoActive, SystemColour(19));
  // "Colours1", "Colour2" and "COLOUR" count; "Colours" and "Colors3" do not.
  EXPECT_EQ(defs.ColourList, (std::vector<TColour>{RGBColour(1, 2, 3), SystemColour(8),
                                                   RGBColour(7, 8, 9)}));
  EXPECT_EQ(defs.CustomColours[0], RGBColour(5, 6, 7));
  EXPECT_EQ(defs.CustomColours[9], RGBColour(8, 9, 10));
  EXPECT_EQ(defs.CustomColours[5], RGBColour(255, 255, 255));
}

TEST(SkinFrames, FixedCountsOverrideTheSkin) {
  std::string ini;
  TCraftedSkin skin("");
  const char* sections[] = {"ToolBars", "ExtraImages", "MenuItem", "MenuBackground",
                            "StatusBarEdges", "SunkEdge", "HorzScroll", "VertScroll",
                            "Scrollbar", "GroupBoxEdge", "HorzScrollThumb", "VertScrollThumb",
                            "Progress.Chunk", "Headerbar"};
  for (const char* s : sections) ini += std::string("[") + s + "]\nImage=x.bmp\nFrame=17\n";
  ini += "[VertScrollThumb]\nFrameCount=9\n";  // a second section is never read
  ini += "[Progress]\nBitmap=x.bmp\nStyle=0\n";
  TSkinDefinitions defs;
  skintest::LoadInto(TCraftedSkin(ini).Bitmap("x.bmp", 40, 10).Package(), defs);
  const std::pair<const char*, int> expected[] = {
      {"ToolBars", 5},   {"ExtraImages", 5},   {"MenuItem", 5},        {"MenuBackground", 1},
      {"StatusBarEdges", 3}, {"SunkEdge", 4},  {"HorzScroll", 4},      {"VertScroll", 4},
      {"Scrollbar", 23}, {"GroupBoxEdge", 2},  {"HorzScrollThumb", 3}, {"VertScrollThumb", 3},
      {"Progress.Chunk", 17}, {"Headerbar", 17}, {"Progress", 2},      {"Personality", -1}};
  for (const auto& [name, frames] : expected) {
    const TDataSkinObject* o = defs.Find(name);
    if (frames < 0) {
      EXPECT_EQ(o, nullptr) << name;
      continue;
    }
    ASSERT_NE(o, nullptr) << name;
    EXPECT_EQ(o->Frame, frames) << name;
  }

  TSkinDefinitions other;
  skintest::LoadInto(TCraftedSkin("[HorzScrollThumb]\nImage=x.bmp\nFrameCount=2\n"
                                  "[Headerbar]\nImage=x.bmp\n[Progress]\nBitmap=x.bmp\nStyle=1\n")
                         .Bitmap("x.bmp", 40, 10)
                         .Package(),
                     other);
  EXPECT_EQ(other.Find("HorzScrollThumb")->Frame, 2);
  EXPECT_EQ(other.Find("Headerbar")->Frame, 5);  // 0 given: 5
  EXPECT_EQ(other.Find("Progress")->Frame, 1);
}

TEST(SkinTrack, MissingChannelsAreBuiltFromTheProgramPictures) {
  TSkinDefinitions defs;
  skintest::LoadInto(TCraftedSkin("[TRACKVERT]\nImage=v.bmp\nFrame=2\nLeftWidth=1\n")
                         .Bitmap("v.bmp", 6, 30)
                         .Package(),
                     defs);
  const TDataSkinObject* track = defs.Find("Track");
  ASSERT_NE(track, nullptr);
  EXPECT_EQ(track->LeftWidth, 3);
  EXPECT_EQ(track->TopHeight, 3);
  EXPECT_EQ(track->RightWidth, 3);
  EXPECT_EQ(track->BottomHeight, 3);
  EXPECT_EQ(track->Tile, 0);
  EXPECT_EQ(track->Frame, 1);
  ASSERT_EQ(track->Bitmap->Width(), 16);
  ASSERT_EQ(track->Bitmap->Height(), 4);
  const std::uint32_t s = 0xC0C0C0, g = 0x808080, w = 0xFFFFFF;
  const std::uint32_t rows[4][16] = {{s, s, g, g, g, g, g, g, g, g, g, g, g, g, w, w},
                                     {s, s, w, w, w, w, w, w, w, w, w, w, w, w, w, w},
                                     {g, s, w, w, w, w, w, w, w, w, w, w, w, w, w, w},
                                     {s, s, w, w, w, w, w, w, w, w, w, w, w, w, w, w}};
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 16; ++x) EXPECT_EQ(PixelAt(*track->Bitmap, x, y), rows[y][x]) << x << "," << y;
  }
  // The skin's own vertical channel is kept as the skin gives it.
  const TDataSkinObject* vert = defs.Find("TRACKVERT");
  EXPECT_EQ(vert->Bitmap->Width(), 6);
  EXPECT_EQ(vert->Frame, 2);
  EXPECT_EQ(vert->LeftWidth, 1);

  TSkinBitmap v;
  ASSERT_TRUE(BuiltinTrackBitmap("TRACKVERT", v));
  ASSERT_EQ(v.Width(), 4);
  ASSERT_EQ(v.Height(), 16);
  EXPECT_EQ(PixelAt(v, 2, 0), g);
  EXPECT_EQ(PixelAt(v, 3, 0), s);
  EXPECT_EQ(PixelAt(v, 0, 1), s);
  for (int y = 2; y < 14; ++y) {
    EXPECT_EQ(PixelAt(v, 0, y), g);
    EXPECT_EQ(PixelAt(v, 1, y), w);
  }
  EXPECT_EQ(PixelAt(v, 0, 14), w);
  EXPECT_EQ(PixelAt(v, 3, 15), w);
  EXPECT_FALSE(BuiltinTrackBitmap("TRACKS", v));
}

TEST(SkinLoading, AnOldPackageIsRefusedAndTheHeldSkinStays) {
  TSkinDefinitions defs;
  skintest::LoadInto(TCraftedSkin("[TitlebarSkin]\nSkinName=First\n").Package(), defs);
  skintest::Bytes container = skinpack::BuildContainer({{"skin.ini", skintest::AsBytes("x")}});
  skintest::PokeLE32(container, 0, 19999);
  EXPECT_EQ(LoadSkinDefinitions(skinpack::CompressBlock(container), defs),
            TSkinLoadStatus::OldFormat);
  EXPECT_EQ(defs.SkinName, "First");
  EXPECT_EQ(LoadSkinDefinitions(skintest::Bytes{1, 2}, defs), TSkinLoadStatus::BadBlock);
  EXPECT_EQ(defs.SkinName, "First");
}

TEST(SkinLoading, ASecondSkinReplacesEveryElementOfTheFirst) {
  TSkinDefinitions defs;
  skintest::LoadInto(TCraftedSkin("[MenuItem]\nImage=m.bmp\n[Track]\nImage=m.bmp\n")
                         .Bitmap("m.bmp", 10, 4)
                         .Package(),
                     defs);
  skintest::LoadInto(TCraftedSkin("[Headerbar]\nImage=m.bmp\n").Bitmap("m.bmp", 10, 4).Package(),
                     defs);
  EXPECT_EQ(defs.Find("MenuItem"), nullptr);
  EXPECT_NE(defs.Find("Headerbar"), nullptr);
  EXPECT_EQ(defs.Find("Track")->Bitmap->Width(), 16);  // back to the built-in channel
}

TEST(SkinReport, ListsElementsButtonsColoursAndWarnings) {
  TSkinDefinitions defs;
  skintest::LoadInto(TCraftedSkin("[TitlebarSkin]\nSkinName=Tiny\n[MenuItem]\nImage=gone.bmp\n"
                                  "[Button.Close]\nButtonImage=c.bmp\nframe=4\n"
                                  "[Colours]\nButtonFace=1 2 3\n")
                         .Bitmap("c.bmp", 88, 18)
                         .Package(),
                     defs);
  std::ostringstream out;
  const int warnings = WriteSkinReport(defs, out);
  const std::string text = out.str();
  EXPECT_NE(text.find("skin: Tiny"), std::string::npos);
  EXPECT_NE(text.find("warning: MenuItem has no usable image"), std::string::npos);
  EXPECT_NE(text.find("warning: Progress is not defined"), std::string::npos);
  EXPECT_NE(text.find("BUTTON.CLOSE         action 0, align 0, at 0 0, visibility 0 0, frames 4, "
                      "image 88 x 18"),
            std::string::npos);
  EXPECT_NE(text.find("ButtonFace        1 2 3"), std::string::npos);
  EXPECT_NE(text.find("WindowText        system 8"), std::string::npos);
  EXPECT_EQ(text.find("warning: BUTTON.CLOSE"), std::string::npos);
  EXPECT_NE(text.find(std::to_string(warnings) + " warnings"), std::string::npos);
  EXPECT_GT(warnings, 30);  // most elements are missing in this skin
}

#ifdef VEXLO_DEFAULT_SKIN_PACKAGE
TEST(DefaultSkinDefinitions, EveryElementIsDefinedWithAUsableImage) {
  const skintest::Bytes package = skintest::ReadFile(VEXLO_DEFAULT_SKIN_PACKAGE);
  TSkinDefinitions defs;
  skintest::LoadInto(package, defs);
  EXPECT_EQ(defs.SkinName, "Vexlo Midnight");
  std::ostringstream report;
  EXPECT_EQ(WriteSkinReport(defs, report), 0) << report.str();
  EXPECT_EQ(defs.Buttons()->CheckButtonFrame, 12);
  EXPECT_EQ(defs.Buttons()->RadioButtonFrame, 8);
  EXPECT_EQ(defs.Border("Top")->Frame, 2);
  EXPECT_EQ(defs.Border("Top")->LeftWidth, 12);
  EXPECT_EQ(defs.Find("Scrollbar")->Frame, 23);
  EXPECT_EQ(defs.ColourList.size(), 4u);
  EXPECT_EQ(defs.Colours.Menubar, RGBColour(16, 28, 100));
  EXPECT_EQ(defs.Title()->FontHeight, 13);
  EXPECT_EQ(defs.Title()->ActiveText, RGBColour(255, 255, 255));
  // Six caption buttons of the skin, then the MDI buttons; frames as the skin counts them.
  ASSERT_EQ(defs.CaptionButtons().size(), 9u);
  EXPECT_EQ(defs.CaptionButtons()[0]->Name, "BUTTON.CLOSE");
  EXPECT_EQ(defs.CaptionButtons()[0]->Frame, 4);
  EXPECT_EQ(defs.CaptionButtons()[5]->Action, 3);
  EXPECT_EQ(defs.CaptionButtons()[6]->Bitmap->Width(), 64);
}
#endif

}  // namespace
