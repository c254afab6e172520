// The gallery, every kind of skinned control on its pages, leaves no drawing or
// window-manager objects behind: repainted, resized (made sizeable for it), activated and
// deactivated, its system menu and a drop-down of its menu bar opened and closed, and its
// skin switched back and forth, hundreds and thousands of times. Each case runs once with each
// skin of ours; the longest loops run half their rounds per skin.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "GalleryForm.h"
#include "OwnSkins.h"
#include "SkinnedFormLeaks.h"
#include "SkinviewTestSupport.h"
#include "skin/data/SkinManagerLink.h"
#include "ui/SysUtils.h"

using namespace skinview;

namespace {

struct GalleryLeakTest : testing::TestWithParam<std::string> {
  testsupport::MessageBoxWatcher boxes;
  std::unique_ptr<TGalleryForm> form;

  void SetUp() override {
    const TSkinChoice choice = skinviewtest::OwnSkinChoice(GetParam());
    ASSERT_EQ(choice.problem, L"");
    form = std::make_unique<TGalleryForm>(nullptr, choice);
    form->SetBorderStyle(ui::bsSizeable);
    form->Show();
    ASSERT_NE(testsupport::RunningFrameOf(*form), nullptr);
  }
  void TearDown() override {
    for (const auto& box : boxes.Boxes()) ADD_FAILURE() << "message box: " << ui::Utf8(box.text);
    form.reset();
    skin::DestroySkinManager();
  }
  // The leak line's name, with the skin the gallery runs with.
  std::string Named(const std::string& what) const { return testsupport::WithSkinName(what, GetParam()); }
};

INSTANTIATE_FOR_OWN_SKINS(GalleryLeakTest);

TEST_P(GalleryLeakTest, Repaints) {
  testsupport::CheckRepaints(Named("gallery repaint"), *form, 5000);
}

// Each round shows the next page, so that every kind of control is painted.
TEST_P(GalleryLeakTest, FullRepaintsWithEveryControl) {
  ui::TPageControl& pages = *form->Pages();
  ASSERT_GE(pages.PageCount(), 2);
  testsupport::CheckFullRepaints(Named("gallery repaint with controls"), *form, 75, [&](int round) {
    pages.SetActivePageIndex(round % pages.PageCount());
  });
}

TEST_P(GalleryLeakTest, ResizesOfTheSizeableWindow) {
  skin::TWinSkinForm* frame = testsupport::RunningFrameOf(*form);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->BorderKind(), skin::bkSizeable);
  testsupport::CheckResizes(Named("gallery resize"), *form, 500);
}

TEST_P(GalleryLeakTest, ActivationsAndDeactivations) {
  testsupport::CheckActivations(Named("gallery activation"), *form, 1000);
}

TEST_P(GalleryLeakTest, SystemMenuOpenings) {
  testsupport::CheckMenuOpenings(Named("gallery system menu"), *form, L' ', 200);
}

TEST_P(GalleryLeakTest, DropDownMenuOpenings) {
  // Alt+F: the menu bar's "&File".
  testsupport::CheckMenuOpenings(Named("gallery drop-down menu"), *form, L'f', 200);
}

TEST_P(GalleryLeakTest, SkinSwitches) {
  skinviewtest::TTempFolder folder;
  ASSERT_NE(form->SkinData(), nullptr);
  testsupport::CheckSkinSwitches(Named("gallery skin switch"), *form->SkinData(),
                                 testsupport::OwnSkinPackage(GetParam()), folder.Path(), 50);
}

}  // namespace
