// The typed fields a loaded skin is resolved into: the elements found by name once, wrong
// types and missing elements giving none, style numbers turned into looks.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

#include "CraftedSkin.h"
#include "skin/model/ResolvedSkin.h"

using namespace skin;
using skintest::TCraftedSkin;

namespace {

TEST(ResolvedSkin, EveryFieldIsTheElementOfItsName) {
  TSkinDefinitions defs;
  skintest::LoadInto(TCraftedSkin("[Buttons]\nBitmap=x.bmp\n[Personality]\nmenuBar=x.bmp\n"
                                  "[Tabs]\nImage=x.bmp\nBorder=p.bmp\nStyle=0\n"
                                  "[Tab.Pane]\nImage=x.bmp\n[ComboButton]\nImage=x.bmp\n"
                                  "[SunkEdge]\nImage=x.bmp\n[Progress]\nBitmap=x.bmp\n"
                                  "[UpDown.Vert]\nImage=x.bmp\n[VertScrollThumb]\nImage=x.bmp\n")
                         .Bitmap("x.bmp", 40, 10)
                         .Bitmap("p.bmp", 12, 12)
                         .Package(),
                     defs);
  const TResolvedSkin r = ResolveSkin(defs);
  ASSERT_NE(r.Button, nullptr);
  ASSERT_NE(r.Title, nullptr);
  ASSERT_NE(r.MenuBar, nullptr);
  EXPECT_EQ(r.Button, defs.Buttons());
  EXPECT_EQ(r.Title, defs.Title());
  EXPECT_EQ(r.MenuBar, defs.MenuBar());
  EXPECT_EQ(r.Tabs, defs.Find("Tabs"));
  EXPECT_EQ(r.TabPane, defs.Find("Tab.Pane"));
  EXPECT_EQ(r.ComboButton, defs.Find("ComboButton"));
  EXPECT_EQ(r.SunkEdge, defs.Find("SunkEdge"));
  EXPECT_EQ(r.Progress, defs.Find("Progress"));
  EXPECT_EQ(r.UpDownVert, defs.Find("UpDown.Vert"));
  EXPECT_EQ(r.VertScrollThumb, defs.Find("VertScrollThumb"));
  EXPECT_EQ(r.Track, defs.Find("Track"));  // the built-in channel counts as the skin's
  EXPECT_EQ(r.MenuItem, nullptr);
  EXPECT_EQ(r.UpDownHorz, nullptr);
  // Style 0: the pane is the tab element's second image; the combo button's mirror is made.
  EXPECT_EQ(r.TabPaneSource, TTabPaneSource::TabsBorder);
  ASSERT_NE(r.TabPanePicture, nullptr);
  EXPECT_EQ(r.TabPanePicture->Width(), 12);
  ASSERT_NE(r.ComboButtonMirrored, nullptr);
  EXPECT_EQ(r.ComboButtonMirrored->Width(), 40);
  EXPECT_EQ(r.ComboLook, TComboLook::EdgeAndButton);
  EXPECT_EQ(r.ProgressLook, TProgressLook::Stretched);
}

TEST(ResolvedSkin, StyleNumbersBecomeLooks) {
  const auto resolve = [](const std::string& ini) {
    TSkinDefinitions defs;
    skintest::LoadInto(TCraftedSkin(ini).Bitmap("x.bmp", 40, 10).Package(), defs);
    const TResolvedSkin r = ResolveSkin(defs);
    return std::tuple(r.ComboLook, r.ProgressLook, r.TabPaneSource, r.TabPanePicture != nullptr);
  };
  const std::string pane = "[Tab.Pane]\nImage=x.bmp\n";
  EXPECT_EQ(resolve("[ComboButton]\nImage=x.bmp\nStyle=1\n[Progress]\nBitmap=x.bmp\nStyle=1\n"
                    "[Tabs]\nImage=x.bmp\nStyle=1\n" + pane),
            std::tuple(TComboLook::Flat, TProgressLook::Chunks, TTabPaneSource::PaneElement, true));
  EXPECT_EQ(resolve("[ComboButton]\nImage=x.bmp\nStyle=2\n[Progress]\nBitmap=x.bmp\nStyle=2\n"
                    "[Tabs]\nImage=x.bmp\nStyle=2\n" + pane),
            std::tuple(TComboLook::Whole, TProgressLook::Stretched, TTabPaneSource::None, false));
  // The pane element's style without the pane element: no pane picture.
  EXPECT_EQ(resolve("[ComboButton]\nImage=x.bmp\nStyle=7\n[Tabs]\nImage=x.bmp\nStyle=1\n"),
            std::tuple(TComboLook::EdgeAndButton, TProgressLook::Stretched,
                       TTabPaneSource::PaneElement, false));
}

TEST(ResolvedSkin, AWrongTypedOrMissingElementIsNone) {
  TSkinDefinitions defs;
  EXPECT_EQ(ResolveSkin(defs).Button, nullptr);
  EXPECT_EQ(ResolveSkin(defs).TabPanePicture, nullptr);
  // Elements of the right names but the general type: the typed fields stay none, the
  // general ones are found.
  for (const char* name : {"Buttons", "Title", "UpDown.Horz", "ComboButton", "Tabs"}) {
    defs.Put(std::make_unique<TDataSkinObject>(name));
  }
  const TResolvedSkin r = ResolveSkin(defs);
  EXPECT_EQ(r.Button, nullptr);
  EXPECT_EQ(r.Title, nullptr);
  EXPECT_EQ(r.UpDownHorz, nullptr);
  EXPECT_EQ(r.ComboButton, defs.Find("ComboButton"));
  EXPECT_EQ(r.ComboButtonMirrored, nullptr);
  EXPECT_EQ(r.TabPaneSource, TTabPaneSource::TabsBorder);
  EXPECT_EQ(r.TabPanePicture, nullptr);  // a tab element without a second image
}

}  // namespace
