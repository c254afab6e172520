// The main window's controls under the skin: once the frame runs, every windowed control that
// the class table gives a skinner answers that it is skinned, and the others do not.
#include "FormFixture.h"

#include <set>
#include <vector>

#include "skin/data/SkinMessages.h"
#include "skin/frame/ControlChoice.h"
#include "skin/frame/WinSkinForm.h"

using namespace skin;
using testsupport::PumpUntil;

namespace {

TWinSkinForm* RunningFrameOf(HWND window) {
  TWinSkinForm* frame = nullptr;
  PumpUntil(
      [&] {
        frame = TSkinManage::Instance() ? TSkinManage::Instance()->FindSkinForm(window) : nullptr;
        return frame && frame->FrameState() == fsRunning;
      });
  return frame;
}

LRESULT AskSkinned(ui::TWinControl* control) {
  return SendMessageW(control->Handle(), SKM_QUERYSKINNED, 0, 0);
}

// Runs once with each skin of ours.
using MainWindowControlsTest = testsupport::OwnSkinsOf<MainWindowTest>;
INSTANTIATE_FOR_OWN_SKINS(MainWindowControlsTest);

TEST_P(MainWindowControlsTest, TheControlsTheTableChoosesAreSkinnedAndTheOthersAreNot) {
  TWinSkinForm* frame = RunningFrameOf(form->Handle());
  ASSERT_NE(frame, nullptr);
  TForm1& f = *form;
  const std::vector<ui::TWinControl*> skinned = {
      f.btn1, f.btn2, f.btn3, f.btn4, f.btn5, f.btn6,   // buttons (btn6 hidden)
      f.chk1,                                           // the check box
      f.edt1, f.lbledt1, f.lbledt2,                     // edits and labelled edits
      f.mmo1, f.mmo2, f.mmo4,                           // memos
      f.ListView1,                                      // the download list
      f.pgc1, f.ts1, f.ts2, f.ts3, f.ts4, f.ts5};      // the page control and its sheets
  // Panels are not skinned with the program's switches (no panel switch); the browsers have
  // no rule.
  const std::vector<ui::TWinControl*> unskinned = {f.pnl1, f.pnl2, f.pnl3, f.pnl4, f.pnl5, f.wb1, f.wb2};
  for (ui::TWinControl* c : skinned) EXPECT_EQ(AskSkinned(c), 1) << ui::Utf8(c->Name());
  for (ui::TWinControl* c : unskinned) EXPECT_EQ(AskSkinned(c), 0) << ui::Utf8(c->Name());

  const auto classOf = [&](ui::TControl* c) {
    const TSkinControl* s = frame->ControlSkinners().FindControl(c);
    return s ? s->ClassName() : std::wstring();
  };
  EXPECT_EQ(classOf(f.btn1), L"TSkinButton");
  EXPECT_EQ(classOf(f.chk1), L"TSkinCheckBox");
  EXPECT_EQ(classOf(f.lbledt1), L"TSkinEdit");
  EXPECT_EQ(classOf(f.mmo1), L"TSkinScrollbar");
  EXPECT_EQ(classOf(f.ListView1), L"TSkinListView");
  EXPECT_EQ(classOf(f.pgc1), L"TSkinTabBtn");  // flat-button tabs
  EXPECT_EQ(classOf(f.ts3), L"TSkinTabSheet");

  // Every windowed control of the form answers as the table decides, and has one skinner
  // at most.
  std::set<ui::TControl*> served;
  for (int i = 0; i < frame->ControlSkinners().Count(); ++i) {
    ui::TControl* c = frame->ControlSkinners().Items(i)->Control();
    EXPECT_TRUE(served.insert(c).second) << "two skinners for " << ui::Utf8(c->Name());
  }
  for (int i = 0; i < f.ComponentCount(); ++i) {
    auto* c = dynamic_cast<ui::TWinControl*>(f.Components(i));
    if (!c || c == frame->FormObject()) continue;
    const bool chosen = ChooseControlSkinner(*c, *f.SkinData1).Skinner != scNone;
    EXPECT_EQ(AskSkinned(c), chosen ? 1 : 0) << ui::Utf8(c->Name());
  }
}

}  // namespace
