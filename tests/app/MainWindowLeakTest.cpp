// The skinned main window leaves no drawing or window-manager objects behind: repainted,
// resized, activated and deactivated, its system menu opened and closed, and its skin
// switched back and forth, hundreds and thousands of times; and controls and bare child
// windows made and destroyed under it leave no skinner behind in its frame.
#include "FormFixture.h"
#include "SkinnedFormLeaks.h"
#include "skin/data/SkinMessages.h"
#include "ui/StdCtrls.h"

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

// Each round: a class-library edit whose window is destroyed while the object stays, and a
// bare push-button window, each skinned by the running frame and then gone. The frame's list
// takes each skinner out once its window is gone, not only when the frame starts again.
TEST_F(MainWindowLeakTest, SkinnersOfGoneWindowsLeaveTheFrame) {
  skin::TWinSkinForm* frame = testsupport::RunningFrameOf(*form);
  ASSERT_NE(frame, nullptr);
  const int listed = frame->ControlSkinners().Count();
  int skinned = 0, purged = 0;
  testsupport::ExpectNoLeaks("main window controls made and destroyed", 1000, [&](int) {
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
