// The skinned main window leaves no drawing or window-manager objects behind: repainted,
// resized, activated and deactivated, its system menu opened and closed, and its skin
// switched back and forth, hundreds and thousands of times; and controls and bare child
// windows made and destroyed under it leave no skinner behind in its frame.
#include "FormFixture.h"
#include "SkinnedFormLeaks.h"
#include "skin/data/SkinMessages.h"
#include "ui/StdCtrls.h"

namespace {

struct MainWindowLeakBase : MainWindowTest {
  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_NE(testsupport::RunningFrameOf(*form), nullptr);
  }
  // The leak line's name, with the skin the window runs with (and the DPI, when not 96).
  std::string Named(const std::string& what) const {
    const int dpi = ui::SystemDpi();
    const std::string at = dpi == ui::kDesignDpi ? "" : " at " + std::to_string(dpi) + " DPI";
    return testsupport::WithSkinName(what + at, SkinName());
  }
};

// The cases below run once with each skin of ours; the longest loops run half their rounds
// per skin (every kind of resize and each skin switch still comes round many times).
using MainWindowLeakTest = testsupport::OwnSkinsOf<MainWindowLeakBase>;
INSTANTIATE_FOR_OWN_SKINS(MainWindowLeakTest);

TEST_P(MainWindowLeakTest, Repaints) {
  testsupport::CheckRepaints(Named("main window repaint"), *form, 5000);
}

TEST_P(MainWindowLeakTest, FullRepaintsWithEveryControl) {
  testsupport::CheckFullRepaints(Named("main window repaint with controls"), *form, 500);
}

TEST_P(MainWindowLeakTest, Resizes) {
  testsupport::CheckResizes(Named("main window resize"), *form, 500);
}

TEST_P(MainWindowLeakTest, ActivationsAndDeactivations) {
  testsupport::CheckActivations(Named("main window activation"), *form, 500);
}

TEST_P(MainWindowLeakTest, SystemMenuOpenings) {
  testsupport::CheckMenuOpenings(Named("main window system menu"), *form, L' ', 200);
}

TEST_P(MainWindowLeakTest, SkinSwitches) {
  testsupport::CheckSkinSwitches(Named("main window skin switch"), *form->SkinData1,
                                 testsupport::OwnSkinPackage(SkinName()), folder, 50);
}

// Each round: a class-library edit whose window is destroyed while the object stays, and a
// bare push-button window, each skinned by the running frame and then gone. The frame's list
// takes each skinner out once its window is gone, not only when the frame starts again.
TEST_P(MainWindowLeakTest, SkinnersOfGoneWindowsLeaveTheFrame) {
  skin::TWinSkinForm* frame = testsupport::RunningFrameOf(*form);
  ASSERT_NE(frame, nullptr);
  const int listed = frame->ControlSkinners().Count();
  int skinned = 0, purged = 0;
  testsupport::ExpectNoLeaks(Named("main window controls made and destroyed"), 1000, [&](int) {
    auto edit = std::make_unique<ui::TEdit>(form.get());
    edit->SetParent(form.get());
    frame->Controls().AttachControl(edit.get(), form.get());
    const HWND bare = CreateWindowExW(0, L"Button", L"bare", WS_CHILD | WS_VISIBLE, 0, 0, 60, 20,
                                      form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    frame->Controls().AttachChildWindow(bare);
    if (SendMessageW(edit->Handle(), skin::SKM_QUERYSKINNED, 0, 0) == 1 &&
        SendMessageW(bare, skin::SKM_QUERYSKINNED, 0, 0) == 1 &&
        frame->ControlSkinners().Count() == listed + 2) {
      ++skinned;
    }
    DestroyWindow(bare);
    edit->DestroyHandle();
    ui::Application->ProcessMessages();
    if (frame->ControlSkinners().Count() == listed) ++purged;
  });
  EXPECT_EQ(skinned, 1000 + testsupport::kLeakWarmUp);
  EXPECT_EQ(purged, 1000 + testsupport::kLeakWarmUp);
}

}  // namespace
