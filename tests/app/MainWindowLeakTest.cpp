// The skinned main window leaves no drawing or window-manager objects behind: repainted,
// resized, activated and deactivated, its system menu opened and closed, and its skin
// switched back and forth, hundreds and thousands of times.
#include "FormFixture.h"
#include "SkinnedFormLeaks.h"

namespace {

struct MainWindowLeakTest : MainWindowTest {
  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_NE(testsupport::RunningFrameOf(*form), nullptr);
  }
};

TEST_F(MainWindowLeakTest, Repaints) {
  testsupport::CheckRepaints("main window repaint", *form, 10000);
}

TEST_F(MainWindowLeakTest, FullRepaintsWithEveryControl) {
  testsupport::CheckFullRepaints("main window repaint with controls", *form, 1000);
}

TEST_F(MainWindowLeakTest, Resizes) {
  testsupport::CheckResizes("main window resize", *form, 1000);
}

TEST_F(MainWindowLeakTest, ActivationsAndDeactivations) {
  testsupport::CheckActivations("main window activation", *form, 1000);
}

TEST_F(MainWindowLeakTest, SystemMenuOpenings) {
  testsupport::CheckMenuOpenings("main window system menu", *form, L' ', 200);
}

TEST_F(MainWindowLeakTest, SkinSwitches) {
  testsupport::CheckSkinSwitches("main window skin switch", *form->SkinData1, folder, 100);
}

}  // namespace
