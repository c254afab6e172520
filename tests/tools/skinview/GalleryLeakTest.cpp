// The gallery, every kind of skinned control on its pages, leaves no drawing or
// window-manager objects behind: repainted, resized (made sizeable for it), activated and
// deactivated, its system menu and a drop-down of its menu bar opened and closed, and its
// skin switched back and forth, hundreds and thousands of times.
#include <gtest/gtest.h>

#include <memory>

#include "GalleryForm.h"
#include "SkinnedFormLeaks.h"
#include "SkinviewTestSupport.h"
#include "skin/data/SkinManagerLink.h"
#include "ui/SysUtils.h"

using namespace skinview;

namespace {

struct GalleryLeakTest : testing::Test {
  testsupport::MessageBoxWatcher boxes;
  std::unique_ptr<TGalleryForm> form;

  void SetUp() override {
    form = std::make_unique<TGalleryForm>(nullptr, BuiltInSkin());
    form->SetBorderStyle(ui::bsSizeable);
    form->Show();
    ASSERT_NE(testsupport::RunningFrameOf(*form), nullptr);
  }
  void TearDown() override {
    for (const auto& box : boxes.Boxes()) ADD_FAILURE() << "message box: " << ui::Utf8(box.text);
    form.reset();
    skin::DestroySkinManager();
  }
};

TEST_F(GalleryLeakTest, Repaints) {
  testsupport::CheckRepaints("gallery repaint", *form, 10000);
}

// Each round shows the next page, so that every kind of control is painted.
TEST_F(GalleryLeakTest, FullRepaintsWithEveryControl) {
  ui::TPageControl& pages = *form->Pages();
  ASSERT_GE(pages.PageCount(), 2);
  testsupport::CheckFullRepaints("gallery repaint with controls", *form, 150, [&](int round) {
    pages.SetActivePageIndex(round % pages.PageCount());
  });
}

TEST_F(GalleryLeakTest, ResizesOfTheSizeableWindow) {
  skin::TWinSkinForm* frame = testsupport::RunningFrameOf(*form);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->BorderKind(), skin::bkSizeable);
  testsupport::CheckResizes("gallery resize", *form, 1000);
}

TEST_F(GalleryLeakTest, ActivationsAndDeactivations) {
  testsupport::CheckActivations("gallery activation", *form, 1000);
}

TEST_F(GalleryLeakTest, SystemMenuOpenings) {
  testsupport::CheckMenuOpenings("gallery system menu", *form, L' ', 200);
}

TEST_F(GalleryLeakTest, DropDownMenuOpenings) {
  // Alt+F: the menu bar's "&File".
  testsupport::CheckMenuOpenings("gallery drop-down menu", *form, L'f', 200);
}

TEST_F(GalleryLeakTest, SkinSwitches) {
  skinviewtest::TTempFolder folder;
  ASSERT_NE(form->SkinData(), nullptr);
  testsupport::CheckSkinSwitches("gallery skin switch", *form->SkinData(), folder.Path(), 100);
}

}  // namespace
