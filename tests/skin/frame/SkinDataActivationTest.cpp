// How the skin data component registers with the skin manager and asks it to switch
// skinning on and off, to apply a new skin, and whether to skin a window.
#include <gtest/gtest.h>


#include "CraftedSkin.h"
#include "LzhEncoder.h"
#include "GuiTestSupport.h"
#include "skin/data/SkinSystem.h"
#include "skin/frame/SkinManage.h"
#include "ui/Classes.h"
#include "ui/Forms.h"

using namespace skin;

namespace {

std::string SkinStreamOf(const skintest::Bytes& block) {
  const auto n = static_cast<std::uint32_t>(block.size());
  std::string s = {char(n), char(n >> 8), char(n >> 16), char(n >> 24)};
  return s + std::string(block.begin(), block.end());
}

class SkinDataActivationTest : public testing::Test {
 protected:
  void TearDown() override { DestroySkinManager(); }
  static TSkinManage* M() { return TSkinManage::Instance(); }
  // A component read like a form's: properties, then the stored skin, then Loaded.
  static std::unique_ptr<TSkinData> Read(TSkinFormType type, bool active, bool withSkin,
                                         ui::TComponent* owner = nullptr) {
    auto data = std::make_unique<TSkinData>(owner);
    data->BeginReading();
    data->SetSkinFormtype(type);
    data->SetActive(active);
    if (withSkin) {
      ui::TMemoryStream stream(SkinStreamOf(skintest::TCraftedSkin("").Package()));
      data->ReadSkinStream(stream);
    }
    data->Loaded();
    return data;
  }
};

TEST_F(SkinDataActivationTest, TheDefaultSkinDataIsReadyAndSwitchesSkinningOn) {
  ui::TForm form(nullptr);
  TSkinData* data = CreateDefaultSkinData(&form);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->Owner(), &form);
  EXPECT_TRUE(data->SkinLoaded());
  EXPECT_EQ(data->SkinName(), "Vexlo Midnight");
  EXPECT_TRUE(data->Active());
  EXPECT_EQ(data->DisableTag(), 99);
  EXPECT_EQ(data->SkinControls(), kMainWindowSkinControls);
  EXPECT_EQ(data->Options(), SetOf({xoPreview, xoToolbarBK}));
  EXPECT_EQ(data->Skin3rd()->Count(), 117);
  EXPECT_TRUE(data->MenuUpdate());
  EXPECT_FALSE(data->MenuMerge());
  ASSERT_NE(M(), nullptr);
  EXPECT_EQ(M()->MainSkinData(), data);
  EXPECT_NE(M()->Hook(), nullptr);
  // The manager had not started, so switching on was not deferred.
  EXPECT_TRUE(M()->Active());
  EXPECT_EQ(M()->PendingAction(), saActivate);
}

TEST_F(SkinDataActivationTest, ActiveWithoutALoadedSkinFallsBackAtLoaded) {
  auto data = Read(sfMainform, true, false);
  EXPECT_FALSE(data->Active());
  EXPECT_FALSE(M()->Active());
  EXPECT_NE(M()->Hook(), nullptr);
  EXPECT_EQ(M()->MainSkinData(), data.get());
  // After Loaded, turning on is still refused without a skin: only the value is kept.
  data->SetActive(true);
  EXPECT_TRUE(data->Active());
  EXPECT_EQ(M()->PendingSkinData(), nullptr);
  EXPECT_FALSE(M()->Active());
}

TEST_F(SkinDataActivationTest, AnOldStoredPackageShowsItsMessageAndActiveFallsBack) {
  skintest::Bytes container = skinpack::BuildContainer({{"skin.ini", skintest::AsBytes("x")}});
  skintest::PokeLE32(container, 0, 1);
  testsupport::MessageBoxWatcher watcher;
  TSkinData data(nullptr);
  data.BeginReading();
  data.SetActive(true);
  ui::TMemoryStream stream(SkinStreamOf(skinpack::CompressBlock(container)));
  data.ReadSkinStream(stream);
  data.Loaded();
  ASSERT_EQ(watcher.Boxes().size(), 1u);
  EXPECT_EQ(watcher.Boxes()[0].text, L"This is Older Skin File\rPlease update to new version !");
  EXPECT_FALSE(data.SkinLoaded());
  EXPECT_FALSE(data.Active());
  EXPECT_FALSE(M()->Active());
}

TEST_F(SkinDataActivationTest, LoadedAdjustsTheKindsOfControl) {
  auto withMenu = Read(sfMainform, false, true);
  EXPECT_FALSE(InSet(withMenu->SkinControls(), xcMenuItem));
  EXPECT_TRUE(InSet(withMenu->SkinControls(), xcSystemMenu));

  auto data = std::make_unique<TSkinData>(nullptr);
  data->BeginReading();
  data->SetSkinControls(SetOf({xcMenuItem, xcSystemMenu, xcButton, xcScrollbar}));
  data->Loaded();
  EXPECT_EQ(data->SkinControls(), SetOf({xcMenuItem, xcButton, xcScrollbar}));

  // A system without scroll-bar information gets no scroll-bar skins.
  TSystemFunctions old = SystemFunctions();
  old.GetScrollBarInfo = nullptr;
  TSystemFunctionsOverride olderSystem(old);
  auto onOld = Read(sfMainform, false, true);
  EXPECT_FALSE(InSet(onOld->SkinControls(), xcScrollbar));
  EXPECT_FALSE(SkinGetScrollBarInfo(nullptr, OBJID_VSCROLL, *std::make_unique<SCROLLBARINFO>()));
}

TEST_F(SkinDataActivationTest, MainFormComponentsSwitchThroughTheManager) {
  int changed = 0;
  auto data = Read(sfMainform, true, true);
  data->OnSkinChanged = [&](ui::TObject*) { ++changed; };
  EXPECT_TRUE(M()->Active());
  M()->SetManagerState(kManagerRunning);

  data->SetActive(false);
  EXPECT_EQ(M()->PendingSkinData(), data.get());
  EXPECT_EQ(M()->PendingAction(), saDeactivate);
  EXPECT_TRUE(M()->ActionTimer().Enabled());
  EXPECT_EQ(M()->ActionTimer().Interval(), 250);
  ASSERT_TRUE(testsupport::PumpUntil([&] { return changed == 1; }));
  EXPECT_FALSE(M()->Active());
  EXPECT_EQ(M()->PendingSkinData(), nullptr);

  M()->SetManagerState(kManagerCreated);
  data->SetActive(true);  // turning on also marks the manager as running
  EXPECT_EQ(M()->ManagerState(), kManagerRunning);
  EXPECT_EQ(M()->PendingAction(), saActivate);
  EXPECT_TRUE(M()->Active());  // not started when scheduled: switched at once
  data->SetActive(true);       // no change, nothing happens
  EXPECT_FALSE(M()->ActionTimer().Enabled());
}

TEST_F(SkinDataActivationTest, OtherFormTypes) {
  auto main = Read(sfMainform, false, true);
  const HHOOK hook = M()->Hook();
  M()->SetManagerState(kManagerRunning);

  // A dialog component only stores the value.
  auto dialog = Read(sfDialog, false, true);
  EXPECT_EQ(M()->ManagerState(), 2);  // loading it counted up
  dialog->SetActive(true);
  EXPECT_TRUE(dialog->Active());
  EXPECT_EQ(M()->PendingSkinData(), nullptr);
  EXPECT_FALSE(M()->ActionTimer().Enabled());
  dialog->SetActive(false);
  EXPECT_EQ(M()->PendingSkinData(), nullptr);

  // A component for one form becomes pending even when it cannot switch on yet.
  ui::TForm form(nullptr);
  auto only = Read(sfOnlyThisForm, false, false, &form);
  only->SetActive(true);
  EXPECT_EQ(M()->PendingSkinData(), only.get());
  EXPECT_FALSE(M()->ActionTimer().Enabled());
  M()->SetPendingSkinData(nullptr);
  auto loaded = Read(sfOnlyThisForm, false, true, &form);
  loaded->SetActive(true);
  EXPECT_EQ(M()->PendingSkinData(), loaded.get());
  EXPECT_EQ(M()->PendingAction(), saActivate);
  EXPECT_TRUE(M()->ActionTimer().Enabled());
  // Only main-form components install the hook, and the first one stays the main one.
  EXPECT_EQ(M()->Hook(), hook);
  EXPECT_EQ(M()->MainSkinData(), main.get());

  // At Loaded a component of another type hands its Active to the manager.
  auto active = Read(sfDLL, true, true);
  EXPECT_TRUE(M()->Active());
}

TEST_F(SkinDataActivationTest, SkinFileLoadsAndAppliesANewSkin) {
  auto data = Read(sfMainform, true, true);
  M()->SetManagerState(kManagerRunning);
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"vexlo-skinfile-test.skn";
  {
    const skintest::Bytes block =
        skintest::TCraftedSkin("[TitlebarSkin]\nSkinName=From file\n").Package();
    ui::SaveBytesSafely(path, std::string(block.begin(), block.end()));
  }
  data->SetSkinFile(path);
  EXPECT_EQ(data->SkinFile(), path);
  EXPECT_EQ(data->SkinName(), "From file");
  EXPECT_TRUE(data->SkinLoaded());
  EXPECT_EQ(M()->PendingSkinData(), data.get());
  EXPECT_EQ(M()->PendingAction(), saSkinChanged);
  EXPECT_TRUE(M()->ActionTimer().Enabled());
  DeleteFileW(path.c_str());

  // A file that is not there changes nothing but the name.
  M()->SetPendingSkinData(nullptr);
  M()->ActionTimer().SetEnabled(false);
  data->SetSkinFile(path);
  EXPECT_EQ(data->SkinName(), "From file");
  EXPECT_TRUE(data->SkinLoaded());
  EXPECT_EQ(M()->PendingSkinData(), nullptr);
  EXPECT_FALSE(M()->ActionTimer().Enabled());
}

TEST_F(SkinDataActivationTest, FormSkinQuery) {
  TSkinData data(nullptr);
  HWND window = reinterpret_cast<HWND>(0x1234);
  EXPECT_TRUE(data.QueryFormSkin(window, L"TForm1", true));
  EXPECT_EQ(data.DecidingWindow(), window);
  EXPECT_FALSE(data.QueryFormSkin(window, L"TForm1", false));
  EXPECT_FALSE(data.QueryFormSkin(window, L"SysMonthCal32", true));
  EXPECT_TRUE(data.QueryFormSkin(window, L"SysMonthCal321", true));
  EXPECT_TRUE(data.QueryFormSkin(window, L"TfrPreviewForm", true));
  data.SetSkinControls(data.SkinControls() | SetOf({xcFastReport}));
  EXPECT_FALSE(data.QueryFormSkin(window, L"TfrPreviewForm", true));
  EXPECT_TRUE(data.QueryFormSkin(window, L"TFrPreviewForm", true));
  // The application's event decides alone.
  std::wstring asked;
  data.OnFormSkin = [&](ui::TObject* sender, const std::wstring& name, bool& doSkin) {
    EXPECT_EQ(sender, &data);
    asked = name;
    doSkin = !doSkin;
  };
  EXPECT_TRUE(data.QueryFormSkin(window, L"SysMonthCal32", false));
  EXPECT_EQ(asked, L"SysMonthCal32");
}

}  // namespace
