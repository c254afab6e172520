// The element readers: which sections make objects, which keys fill which fields, and the
// defaults when keys are missing.
#include <gtest/gtest.h>

#include "CraftedSkin.h"

using namespace skin;
using skintest::TCraftedSkin;

namespace {

TEST(SkinElements, ProgressIsReadOnlyFromItsSectionAndTreatsTileAboveOneAsTiled) {
  TSkinDefinitions without;
  skintest::LoadInto(TCraftedSkin("[MenuItem]\nImage=m.bmp\n").Bitmap("m.bmp", 10, 4).Package(),
                     without);
  EXPECT_EQ(without.Find("Progress"), nullptr);

  TSkinDefinitions defs;
  skintest::LoadInto(TCraftedSkin("[Progress]\nBitmap=p.bmp\nTile=2\nStyle=1\nLeftWidth=3\n"
                                  "Trans=1\nNormalColour2=1 2 3\n"
                                  "[MenuItem]\nImage=m.bmp\nTile=2\n")
                         .Bitmap("p.bmp", 20, 8)
                         .Bitmap("m.bmp", 10, 4)
                         .Package(),
                     defs);
  auto* progress = defs.FindAs<TDataSkinBorder>("Progress");
  ASSERT_NE(progress, nullptr);
  EXPECT_EQ(progress->Tile, 1);  // the bar is tiled
  EXPECT_EQ(progress->Style, 1);
  EXPECT_EQ(progress->LeftWidth, 3);
  EXPECT_EQ(progress->Trans, 1);
  EXPECT_EQ(progress->Bitmap->Width(), 20);
  EXPECT_EQ(progress->NormalColour, -1);  // the bar reads no colours
  EXPECT_EQ(progress->NormalColour2, 0u);
  EXPECT_EQ(defs.Find("MenuItem")->Tile, 0);  // any other element: stretched
}

TEST(SkinElements, GeneralReaderFillsEveryFieldAndDefaultsTheRest) {
  TSkinDefinitions defs;
  skintest::LoadInto(
      TCraftedSkin("[Colours]\nButtonText=9 8 7\n"
                   "[Headerbar]\nImage=skins\\h.bmp\nStyle=3\nLeftWidth=1\nTopHeight=2\n"
                   "RightWidth=0x3\nBottomHeight=$4\nFrame=7\nTrans=1\nTile=1\n"
                   "NormalColour=11\nMouseOverColour=12\nPressedColour=13\n"
                   "NormalColour2=1 2 3\nMouseOverColour2=4 5 6\n"
                   "[StatusBarEdges]\nImage=s.bmp\n"
                   "[MenuBackground]\nImage=picture.tga\n"
                   "[MenuItem]\nFrame=5\n")
          .Bitmap("h.bmp", 50, 10)
          .Bitmap("s.bmp", 9, 3)
          .Package(),
      defs);
  const TDataSkinObject* h = defs.Find("headerbar");
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h->Name, "Headerbar");
  EXPECT_EQ(h->Bitmap->Width(), 50);  // the folder before the backslash is dropped
  EXPECT_EQ(h->Style, 3);
  EXPECT_EQ(h->LeftWidth, 1);
  EXPECT_EQ(h->TopHeight, 2);
  EXPECT_EQ(h->RightWidth, 3);
  EXPECT_EQ(h->BottomHeight, 4);
  EXPECT_EQ(h->Frame, 7);  // a list header keeps a count it was given
  EXPECT_EQ(h->Trans, 1);
  EXPECT_EQ(h->Tile, 1);
  EXPECT_EQ(h->NormalColour, 11);
  EXPECT_EQ(h->MouseOverColour, 12);
  EXPECT_EQ(h->PressedColour, 13);
  EXPECT_EQ(h->NormalColour2, RGBColour(1, 2, 3));
  EXPECT_EQ(h->MouseOverColour2, RGBColour(4, 5, 6));
  EXPECT_EQ(h->PressedColour2, RGBColour(9, 8, 7));  // the skin's ButtonText

  const TDataSkinObject* s = defs.Find("StatusBarEdges");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->LeftWidth, 0);
  EXPECT_EQ(s->NormalColour, -1);
  EXPECT_EQ(s->Frame, 3);

  // An image of another type still makes the object, with an empty strip.
  const TDataSkinObject* menu = defs.Find("MenuBackground");
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(menu->Bitmap->Empty());
  // No Image key: no object.
  EXPECT_EQ(defs.Find("MenuItem"), nullptr);
}

TEST(SkinElements, SectionNamesAreMatchedWithoutRegardToCase) {
  TSkinDefinitions defs;
  skintest::LoadInto(
      TCraftedSkin("[MENUITEM]\nIMAGE=m.bmp\n[trackbar.thumbhorz]\nimage=t.bmp\n")
          .Bitmap("m.bmp", 10, 4)
          .Bitmap("t.bmp", 25, 10)
          .Package(),
      defs);
  ASSERT_NE(defs.Find("MenuItem"), nullptr);
  EXPECT_EQ(defs.Find("MenuItem")->Name, "MenuItem");
  ASSERT_NE(defs.Find("Trackbar.ThumbHorz"), nullptr);
  EXPECT_EQ(defs.Find("Trackbar.ThumbHorz")->Frame, 5);
}

TEST(SkinElements, TabPaneMarginsAreCutToFour) {
  TSkinDefinitions defs;
  skintest::LoadInto(TCraftedSkin("[Tab.Pane]\nImage=p.bmp\nLeftWidth=9\nTopHeight=3\n"
                                  "RightWidth=5\nBottomHeight=4\nFrame=3\n")
                         .Bitmap("p.bmp", 30, 30)
                         .Package(),
                     defs);
  const TDataSkinObject* pane = defs.Find("Tab.Pane");
  ASSERT_NE(pane, nullptr);
  EXPECT_EQ(pane->LeftWidth, 4);
  EXPECT_EQ(pane->TopHeight, 3);
  EXPECT_EQ(pane->RightWidth, 4);
  EXPECT_EQ(pane->BottomHeight, 4);
  EXPECT_EQ(pane->Frame, 1);
}

TEST(SkinElements, ExtraImagesOfTabsAndSpinButtonsAndTheMirroredComboButton) {
  const auto rgb = [](int x, int) { return x == 0 ? 0xFF0000u : x == 1 ? 0x00FF00u : 0x0000FFu; };
  TSkinDefinitions defs;
  skintest::LoadInto(TCraftedSkin("[Tabs]\nImage=t.bmp\nBorder=b.bmp\nFrame=9\n"
                                  "[UpDown.Vert]\nImage=u.bmp\nGlyphImage=g.bmp\n"
                                  "[UpDown.Horz]\nImage=u.bmp\n"
                                  "[ComboButton]\nImage=c.bmp\n****=b.bmp\n")
                         .Bitmap("t.bmp", 50, 10)
                         .Bitmap("b.bmp", 12, 12)
                         .Bitmap("u.bmp", 64, 8)
                         .Bitmap("g.bmp", 64, 7)
                         .Bitmap("c.bmp", skintest::MakeBmp24(8, 3, rgb))
                         .Package(),
                     defs);
  const auto* tabs = defs.FindAs<TDataSkinBorder>("Tabs");
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->ExtraBitmap->Width(), 12);
  EXPECT_EQ(tabs->Frame, 5);
  EXPECT_EQ(defs.FindAs<TDataSkinBorder>("UpDown.Vert")->ExtraBitmap->Height(), 7);
  EXPECT_EQ(defs.FindAs<TDataSkinBorder>("UpDown.Vert")->Frame, 8);
  EXPECT_TRUE(defs.FindAs<TDataSkinBorder>("UpDown.Horz")->ExtraBitmap->Empty());
  // The combo button's second image is its own strip with each frame mirrored in its place
  // (frame 1 stays frame 1), never a key of the skin.
  const auto* combo = defs.FindAs<TDataSkinBorder>("ComboButton");
  ASSERT_NE(combo, nullptr);
  ASSERT_EQ(combo->ExtraBitmap->Width(), 8);
  EXPECT_EQ(PixelAt(*combo->ExtraBitmap, 0, 0), 0x00FF00u);
  EXPECT_EQ(PixelAt(*combo->ExtraBitmap, 1, 0), 0xFF0000u);
  EXPECT_EQ(PixelAt(*combo->ExtraBitmap, 7, 0), 0x0000FFu);
  EXPECT_EQ(combo->Frame, 4);
}

TEST(SkinElements, GroupBoxCaptionReadsItsBackgroundShifts) {
  TSkinDefinitions defs;
  skintest::LoadInto(TCraftedSkin("[GroupBox]\nImage=g.bmp\nFrame=4\nBackgroundAlignment=2\n"
                                  "BackgroundLeftShift=5\nBackgroundRightShift=-6\n")
                         .Bitmap("g.bmp", 20, 20)
                         .Package(),
                     defs);
  const auto* box = defs.FindAs<TDataSkinBoxLabel>("GroupBox");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->BackgroundAlignment, 2);
  EXPECT_EQ(box->BackgroundLeftShift, 5);
  EXPECT_EQ(box->BackgroundRightShift, -6);
  EXPECT_EQ(box->Frame, 1);
}

TEST(SkinElements, BordersComeFromPersonalityWithTheirOwnDefaults) {
  TSkinDefinitions defs;
  skintest::LoadInto(TCraftedSkin("[Personality]\nTop=t.bmp\nTopTopHeight=12\nTopBotHeight=14\n"
                                  "TopFrame=2\nTopTrans=0\nTopStretch=5\n"
                                  "Left=l.bmp\nLeftTopHeight=26\nLeftBotHeight=4\n")
                         .Bitmap("t.bmp", 100, 52)
                         .Bitmap("l.bmp", 8, 60)
                         .Package(),
                     defs);
  const TDataSkinBorder* top = defs.Border("Top");
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(top->LeftWidth, 12);
  EXPECT_EQ(top->RightWidth, 14);
  EXPECT_EQ(top->TopHeight, 0);
  EXPECT_EQ(top->Frame, 2);
  EXPECT_EQ(top->Trans, 0);
  EXPECT_EQ(top->Tile, 1);  // "stretch" above 1 is 1
  const TDataSkinBorder* left = defs.Border("Left");
  EXPECT_EQ(left->TopHeight, 26);
  EXPECT_EQ(left->BottomHeight, 4);
  EXPECT_EQ(left->LeftWidth, 0);
  EXPECT_EQ(left->Frame, 1);
  EXPECT_EQ(left->Trans, 1);
  EXPECT_EQ(left->Tile, 1);
  // Borders without a picture are still there, empty.
  ASSERT_NE(defs.Border("Bottom"), nullptr);
  EXPECT_TRUE(defs.Border("Right")->Bitmap->Empty());
  EXPECT_EQ(defs.MenuBar(), nullptr);  // no menuBar key: no menu bar
}

TEST(SkinElements, MenuBarAndTitle) {
  TSkinDefinitions defs;
  skintest::LoadInto(TCraftedSkin("[Personality]\nmenuBar=mb.bmp\nTileMenu=3\n"
                                  "TextBack=tb.bmp\nTextShift=28\nTextShiftVert=2\n"
                                  "TextRightClip=80\nTextAlignment=1\nTextbackground=1\n"
                                  "TXTBackleft=8\nTXTBackRight=9\n"
                                  "ActiveTextR=300\nActiveTextG=1\nActiveTextB=2\n"
                                  "InActiveTextR=10\nInActiveTextG=20\n")
                         .Bitmap("mb.bmp", 40, 20)
                         .Bitmap("tb.bmp", 40, 44)
                         .Package(),
                     defs);
  const TDataSkinObject* bar = defs.MenuBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->Tile, 1);
  EXPECT_EQ(bar->LeftWidth, 1);
  EXPECT_EQ(bar->RightWidth, 1);
  EXPECT_EQ(bar->Frame, 2);
  const TDataSkinTitle* title = defs.Title();
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->Bitmap->Height(), 44);
  EXPECT_EQ(title->LeftWidth, 28);
  EXPECT_EQ(title->TopHeight, 2);
  EXPECT_EQ(title->RightWidth, 80);
  EXPECT_EQ(title->BottomHeight, 0);
  EXPECT_EQ(title->TextAlignment, 1);
  EXPECT_EQ(title->Textbackground, 1);
  EXPECT_EQ(title->TXTBackleft, 8);
  EXPECT_EQ(title->TXTBackRight, 9);
  EXPECT_EQ(title->FontHeight, 14);
  EXPECT_EQ(title->Frame, 2);
  EXPECT_EQ(title->ActiveText, RGBColour(44, 1, 2));  // each part modulo 256
  // Red and green without blue: not given.
  EXPECT_EQ(title->InActiveText, kColourNotGiven);
}

TEST(SkinElements, PushButtonsAreAlwaysThereAndALowerCaseHeaderIsStillTheirs) {
  TSkinDefinitions defs;
  skintest::LoadInto(TCraftedSkin("[buttons]\nBitmap=b.bmp\nCheckButton=c.bmp\n"
                                  "RadioButton=r.bmp\nLeftWidth=4\nTile=3\nTrans=1\n"
                                  "NormalColour2=1 2 3\nPressedColour2=\nCheckButtonFrame=12\n")
                         .Bitmap("b.bmp", 100, 20)
                         .Bitmap("c.bmp", 156, 13)
                         .Bitmap("r.bmp", 65, 13)
                         .Package(),
                     defs);
  const TDataSkinButton* b = defs.Buttons();
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->Bitmap->Width(), 100);
  EXPECT_EQ(b->CheckBitmap->Width(), 156);
  EXPECT_EQ(b->LeftWidth, 4);
  EXPECT_EQ(b->Tile, 0);
  EXPECT_EQ(b->Trans, 1);
  EXPECT_EQ(b->Frame, 5);
  EXPECT_TRUE(b->HasNormalColour2);
  EXPECT_FALSE(b->HasMouseOverColour2);
  EXPECT_FALSE(b->HasPressedColour2);  // an empty value is not given
  EXPECT_EQ(b->NormalColour2, RGBColour(1, 2, 3));
  EXPECT_EQ(b->CheckButtonFrame, 12);
  EXPECT_EQ(b->RadioButtonFrame, 5);  // 65 wide, under 16 high: 13-pixel frames
  // Not a caption button: only the three MDI buttons are listed.
  ASSERT_EQ(defs.CaptionButtons().size(), 3u);
  EXPECT_EQ(defs.CaptionButtons()[0]->Action, 7);

  TSkinDefinitions empty;
  skintest::LoadInto(TCraftedSkin("").Package(), empty);
  ASSERT_NE(empty.Buttons(), nullptr);
  EXPECT_TRUE(empty.Buttons()->Bitmap->Empty());
  EXPECT_EQ(empty.Buttons()->RadioButtonFrame, 4);  // never fewer than 4
  EXPECT_EQ(empty.Buttons()->NormalColour2, SystemColour(18));
}

TEST(SkinElements, CheckAndRadioStripsCountSixteenPixelFramesWhenTall) {
  TSkinDefinitions defs;
  skintest::LoadInto(TCraftedSkin("[Buttons]\nCheckButton=c.bmp\nRadioButton=r.bmp\n")
                         .Bitmap("c.bmp", 96, 16)
                         .Bitmap("r.bmp", 26, 13)
                         .Package(),
                     defs);
  EXPECT_EQ(defs.Buttons()->CheckButtonFrame, 6);
  EXPECT_EQ(defs.Buttons()->RadioButtonFrame, 4);  // 2 frames counted, at least 4
}

}  // namespace
