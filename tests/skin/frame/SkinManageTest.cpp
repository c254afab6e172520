// The skin manager: registration, the pending actions on its timer, its state and the CBT
// hook of the GUI thread.
#include <gtest/gtest.h>

#include "CraftedSkin.h"
#include "GuiTestSupport.h"
#include "skin/frame/SkinManage.h"
#include "ui/Forms.h"

using namespace skin;

namespace {

class SkinManageTest : public testing::Test {
 protected:
  void SetUp() override { manager_ = dynamic_cast<TSkinManage*>(EnsureSkinManager()); }
  void TearDown() override { DestroySkinManager(); }
  TSkinManage& M() { return *manager_; }

 private:
  TSkinManage* manager_ = nullptr;
};

TEST_F(SkinManageTest, IsOnePerProcessAndStartsIdle) {
  ASSERT_NE(&M(), nullptr);
  EXPECT_EQ(TSkinManage::Instance(), &M());
  EXPECT_EQ(EnsureSkinManager(), &M());
  EXPECT_EQ(M().ManagerState(), kManagerCreated);
  EXPECT_FALSE(M().Active());
  EXPECT_FALSE(M().ActionTimer().Enabled());
  EXPECT_EQ(M().ActionTimer().Interval(), 100);
  EXPECT_EQ(M().Hook(), nullptr);
  EXPECT_EQ(M().PopupKind(), 0);
  EXPECT_TRUE(M().FormSkinners().empty());
  DestroySkinManager();
  EXPECT_EQ(SkinManager(), nullptr);
}

TEST_F(SkinManageTest, TheFirstMainFormComponentBecomesMainSkinData) {
  TSkinData dialog(nullptr), first(nullptr), second(nullptr);
  dialog.SetSkinFormtype(sfDialog);
  M().AddSkinData(&dialog);
  EXPECT_EQ(M().MainSkinData(), nullptr);
  M().AddSkinData(&first);
  M().AddSkinData(&second);
  M().AddSkinData(&first);  // once only
  EXPECT_EQ(M().MainSkinData(), &first);
  EXPECT_EQ(M().SkinDatas(), (std::vector<TSkinData*>{&dialog, &first, &second}));
  M().RemoveSkinData(&dialog);
  EXPECT_EQ(M().SkinDatas(), (std::vector<TSkinData*>{&first, &second}));
}

TEST_F(SkinManageTest, ADestroyedComponentLeavesNoReferenceBehind) {
  auto* data = new TSkinData(nullptr);
  M().AddSkinData(data);
  M().SetPendingSkinData(data);
  delete data;
  EXPECT_TRUE(M().SkinDatas().empty());
  EXPECT_EQ(M().MainSkinData(), nullptr);
  EXPECT_EQ(M().PendingSkinData(), nullptr);
}

TEST_F(SkinManageTest, BeforeStartingActionsAreNotDeferred) {
  M().ScheduleAction(saActivate, 250);
  EXPECT_TRUE(M().Active());
  EXPECT_FALSE(M().ActionTimer().Enabled());
  EXPECT_EQ(M().PendingAction(), saActivate);
  EXPECT_EQ(M().ActionTimer().Interval(), 250);
  M().ScheduleAction(saSkinChanged, 250);  // dropped
  EXPECT_TRUE(M().Active());
  M().ScheduleAction(saDeactivate, 250);
  EXPECT_FALSE(M().Active());
}

TEST_F(SkinManageTest, RunningActionsWaitForTheTimerFireTheEventAndClearThePending) {
  TSkinData data(nullptr);
  int changed = 0;
  data.OnSkinChanged = [&](ui::TObject* sender) {
    EXPECT_EQ(sender, &data);
    ++changed;
  };
  M().SetManagerState(kManagerRunning);
  M().SetPendingSkinData(&data);
  M().ScheduleAction(saActivate, 250);
  EXPECT_FALSE(M().Active());
  EXPECT_TRUE(M().ActionTimer().Enabled());
  ASSERT_TRUE(testsupport::PumpUntil([&] { return changed == 1; }));
  EXPECT_TRUE(M().Active());
  EXPECT_FALSE(M().ActionTimer().Enabled());
  EXPECT_EQ(M().PendingSkinData(), nullptr);

  // Without a pending component the tick does nothing at all.
  M().ScheduleAction(saDeactivate, 50);
  testsupport::PumpFor(300);
  EXPECT_TRUE(M().Active());
  EXPECT_EQ(changed, 1);

  M().SetPendingSkinData(&data);
  M().ScheduleAction(saDeactivate, 50);
  ASSERT_TRUE(testsupport::PumpUntil([&] { return changed == 2; }));
  EXPECT_FALSE(M().Active());
  M().SetPendingSkinData(&data);
  M().ScheduleAction(saSkinChanged, 50);
  ASSERT_TRUE(testsupport::PumpUntil([&] { return changed == 3; }));
  EXPECT_FALSE(M().Active());
}

// A hook installed before the manager's: it only sees what the manager passes on.
int g_creations = 0, g_activations = 0;
HHOOK g_earlierHook = nullptr;
LRESULT CALLBACK EarlierHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) ++g_creations;
  if (code == HCBT_ACTIVATE) ++g_activations;
  return CallNextHookEx(g_earlierHook, code, wParam, lParam);
}

TEST_F(SkinManageTest, TheHookIsInstalledOncePassesEveryCallOnAndActivationStartsTheManager) {
  g_earlierHook = SetWindowsHookExW(WH_CBT, EarlierHook, nullptr, GetCurrentThreadId());
  ASSERT_NE(g_earlierHook, nullptr);
  M().InstallHook();
  const HHOOK hook = M().Hook();
  ASSERT_NE(hook, nullptr);
  M().InstallHook();
  EXPECT_EQ(M().Hook(), hook);

  {
    ui::TForm form(nullptr);
    form.SetBounds(10, 10, 200, 120);
    form.Show();
    testsupport::PumpFor(50);
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
  }
  UnhookWindowsHookEx(g_earlierHook);
  EXPECT_GE(g_creations, 1);
  EXPECT_GE(g_activations, 1);
  EXPECT_EQ(M().ManagerState(), kManagerRunning);
  EXPECT_TRUE(M().FormSkinners().empty());
}

TEST_F(SkinManageTest, SelectSkinDataPrefersTheFormsOwnThenDialogThenLastMainForm) {
  ui::TForm form(nullptr);
  TSkinData main1(nullptr), main2(nullptr), dialog(nullptr);
  auto* own = new TSkinData(&form);
  dialog.SetSkinFormtype(sfDialog);
  own->SetSkinFormtype(sfOnlyThisForm);
  EXPECT_EQ(M().SelectSkinData(form.Handle()), nullptr);
  M().AddSkinData(&main1);
  M().AddSkinData(&dialog);
  M().AddSkinData(&main2);
  M().AddSkinData(own);
  EXPECT_EQ(M().SelectSkinData(form.Handle()), own);
  ui::TForm other(nullptr);
  EXPECT_EQ(M().SelectSkinData(other.Handle()), &main2);  // the last main-form one
  HWND box = CreateWindowExW(0, L"#32770", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  EXPECT_EQ(M().SelectSkinData(box), &dialog);
  DestroyWindow(box);
  M().RemoveSkinData(&main1);
  M().RemoveSkinData(&main2);
  M().RemoveSkinData(&dialog);
  EXPECT_EQ(M().SelectSkinData(other.Handle()), own);  // the first entry
}

}  // namespace
