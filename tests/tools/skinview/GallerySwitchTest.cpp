// The gallery switched to another skin while it runs: through File > Load skin... and its open
// dialog, and by a package file dropped on the window. The frame and every skinned control
// are painted again with the new skin's pictures, pixel for pixel, and switching back gives
// the first pictures again; a file that cannot be used is named in a message with its reason
// and the skin shown stays.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <map>
#include <memory>
#include <string>

#include "GalleryForm.h"
#include "GuiTestSupport.h"
#include "OwnSkins.h"
#include "SkinSwitchSupport.h"
#include "SkinviewTestSupport.h"
#include "skin/data/SkinManagerLink.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/frame/SkinManage.h"
#include "ui/Menus.h"
#include "ui/SysUtils.h"

using namespace skinswitch;
using testsupport::PumpFor;
using testsupport::PumpUntil;

namespace {

// A drop of files as the shell hands it to a window: a DROPFILES header, then the wide paths,
// each ended by a NUL, and one more NUL.
HGLOBAL MakeDrop(const std::vector<std::wstring>& paths) {
  std::wstring list;
  for (const std::wstring& p : paths) list += p + L'\0';
  list += L'\0';
  const SIZE_T size = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GHND, size);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return memory;
}

struct GallerySwitchTest : testing::Test {
  testsupport::MessageBoxWatcher boxes;
  skinviewtest::TTempFolder folder;
  std::unique_ptr<skinview::TGalleryForm> form;
  int changed = 0;

  void SetUp() override {
    form = std::make_unique<skinview::TGalleryForm>(nullptr, skinview::BuiltInSkin());
    form->Show();
    // Running: the frame skinner started and attached the control skinners.
    ASSERT_TRUE(PumpUntil([&] { return Running() && SkinnedChildren(H()).size() > 10; }))
        << "the gallery was not skinned";
    PumpFor(100);
    ASSERT_NE(form->SkinData(), nullptr);
    form->SkinData()->OnSkinChanged = [this](ui::TObject*) { ++changed; };
  }
  void TearDown() override {
    form.reset();
    skin::DestroySkinManager();
  }

  HWND H() const { return form->Handle(); }
  bool Skinned() const {
    return SendMessageW(form->Handle(), skin::SKM_PROBEFRAME, 0, skin::kSkinMagic) == skin::kSkinMagic;
  }

  // The caption names the skin's file: it is set to one text first, so that two shots of the
  // same skin are alike to the pixel.
  TShot Shoot() const {
    form->SetCaption(L"Gallery");
    return skinswitch::Shoot(H());
  }

  // Waits for the skin change to be carried out, with every visible skinned window (and the
  // frame) painted on the way.
  void ExpectSwitched(const TPaintRecorder& painted, int changesBefore) {
    ASSERT_TRUE(PumpUntil([&] { return changed == changesBefore + 1; })) << "no skin change";
    PumpFor(100);
    EXPECT_TRUE(Skinned());
    EXPECT_TRUE(painted.Painted(H())) << "the frame was not painted again";
    for (HWND control : SkinnedChildren(H())) {
      EXPECT_TRUE(painted.Painted(control)) << ui::Utf8(ClassOf(control)) << " was not painted again";
    }
  }

  void LoadAndExpectSwitched(const std::wstring& path) {
    const int before = changed;
    TPaintRecorder painted;
    ASSERT_TRUE(form->LoadSkinFile(path));
    ExpectSwitched(painted, before);
  }

  std::wstring Caption() const { return form->Caption(); }
  bool Running() const {
    skin::TSkinManage* manager = skin::TSkinManage::Instance();
    skin::TWinSkinForm* frame = manager ? manager->FindSkinForm(H()) : nullptr;
    return frame && frame->FrameState() == skin::fsRunning;
  }
};

// Every visible skinned control took the second skin's colours where it shows skin pictures,
// and nothing else changed.
void ExpectRecoloured(HWND window, const TShot& first, const TShot& second) {
  const TChange border = CompareLeftBorder(window, *first.frame, *second.frame);
  EXPECT_EQ(border.other, 0);
  EXPECT_EQ(border.same, 0) << "left border pixels kept the first skin's colours";
  EXPECT_GT(border.recoloured, 0);
  ASSERT_EQ(first.controls.size(), second.controls.size());
  int changedControls = 0;
  for (const auto& [window, before] : first.controls) {
    // The media player's skinner does not draw from the skin yet: it is only required to be
    // painted again and restored.
    const std::wstring kind = ClassOf(window);
    if (kind == L"TMediaPlayer") continue;
    const ui::TBitmap& after = *second.controls.at(window);
    const TChange c = Compare(*before, after, 0, 0, before->Width(), before->Height());
    EXPECT_GT(c.recoloured, 0) << ui::Utf8(kind) << " still shows the first skin";
    // Kept pixels are those not drawn from the skin (text); a first-skin picture kept outnumbers
    // the recoloured ones.
    EXPECT_GT(c.recoloured, c.same) << ui::Utf8(kind) << " kept pictures of the first skin";
    changedControls += c.recoloured > 0 ? 1 : 0;
  }
  EXPECT_GT(changedControls, 10);
}

TEST_F(GallerySwitchTest, AnotherSkinRepaintsFrameAndControlsAndSwitchingBackRestoresThem) {
  const TShot builtIn = Shoot();
  ASSERT_GT(builtIn.controls.size(), 10u);
  const std::wstring recoloured =
      folder.Write(L"recoloured.skn", RecolouredPackage(skin::DefaultSkinPackage()));
  const std::wstring original = folder.Write(L"原来的.skn", skin::DefaultSkinPackage());

  LoadAndExpectSwitched(recoloured);
  EXPECT_EQ(Caption(), std::wstring(skinview::kGalleryTitle) + L" - recoloured.skn");
  const TShot second = Shoot();
  ExpectRecoloured(H(), builtIn, second);

  LoadAndExpectSwitched(original);
  EXPECT_EQ(Caption(), std::wstring(skinview::kGalleryTitle) + L" - 原来的.skn");
  skinswitch::ExpectSamePictures(builtIn, Shoot());

  // A second switch in the same run gives the same pictures as the first.
  LoadAndExpectSwitched(recoloured);
  skinswitch::ExpectSamePictures(second, Shoot());
  EXPECT_TRUE(boxes.Boxes().empty());
}

// Daylight's frame is of other sizes: the gallery keeps its client area and takes the new
// borders and title around it, every control is painted again, and switching back gives the
// built-in skin's pictures again, pixel for pixel.
TEST_F(GallerySwitchTest, TheDaylightSkinGivesItsOwnFrameAroundTheSameClientAreaAndBack) {
  const TShot builtIn = Shoot();
  RECT client{}, window{};
  GetClientRect(H(), &client);
  const std::string daylight = testsupport::DaylightSkinFile();
  const std::wstring original = folder.Write(L"built-in.skn", skin::DefaultSkinPackage());

  LoadAndExpectSwitched(std::wstring(daylight.begin(), daylight.end()));
  EXPECT_EQ(Caption(), std::wstring(skinview::kGalleryTitle) + L" - vexlo-daylight.skn");
  skin::TWinSkinForm* frame = skin::TSkinManage::Instance()->FindSkinForm(H());
  ASSERT_NE(frame, nullptr);
  const testsupport::TOwnSkinFrame sizes = testsupport::OwnSkinFrame(testsupport::kDaylightSkin);
  EXPECT_EQ(frame->LeftWidth(), sizes.Left);
  EXPECT_EQ(frame->RightWidth(), sizes.Right);
  EXPECT_EQ(frame->TitleHeight(), sizes.Title);
  EXPECT_EQ(frame->BottomHeight(), sizes.Bottom);
  RECT now{};
  GetClientRect(H(), &now);
  EXPECT_EQ(now.right, client.right);
  EXPECT_EQ(now.bottom, client.bottom);
  GetWindowRect(H(), &window);
  EXPECT_EQ(window.right - window.left, client.right + sizes.Left + sizes.Right);
  EXPECT_EQ(window.bottom - window.top,
            client.bottom + sizes.Title + frame->MenuBarHeight() + sizes.Bottom);
  // The client's origin lies where the new borders say.
  POINT origin{0, 0};
  ClientToScreen(H(), &origin);
  EXPECT_EQ(origin.x - window.left, sizes.Left);
  EXPECT_EQ(origin.y - window.top, sizes.Title + frame->MenuBarHeight());

  LoadAndExpectSwitched(original);
  skinswitch::ExpectSamePictures(builtIn, Shoot());
  EXPECT_TRUE(boxes.Boxes().empty());
}

// A window that is maximized while the skin changes is restored around the client area it
// had, inside the borders of the skin it shows then, whichever way the sizes change.
TEST_F(GallerySwitchTest, AWindowMaximizedWhileTheSkinChangesIsRestoredAroundTheSameClientArea) {
  RECT client{};
  GetClientRect(H(), &client);
  const std::string daylight = testsupport::DaylightSkinFile();
  const std::wstring original = folder.Write(L"built-in.skn", skin::DefaultSkinPackage());
  for (const std::wstring& file : {std::wstring(daylight.begin(), daylight.end()), original}) {
    ShowWindow(H(), SW_MAXIMIZE);
    PumpFor(100);
    LoadAndExpectSwitched(file);
    EXPECT_TRUE(IsZoomed(H()));
    ShowWindow(H(), SW_RESTORE);
    PumpFor(100);
    skin::TWinSkinForm* frame = skin::TSkinManage::Instance()->FindSkinForm(H());
    ASSERT_NE(frame, nullptr);
    RECT now{}, window{};
    GetClientRect(H(), &now);
    GetWindowRect(H(), &window);
    EXPECT_EQ(now.right, client.right);
    EXPECT_EQ(now.bottom, client.bottom);
    EXPECT_EQ(window.right - window.left, client.right + frame->LeftWidth() + frame->RightWidth());
  }
}

TEST_F(GallerySwitchTest, FileLoadSkinOpensTheOpenDialogForSkinPackages) {
  const std::wstring recoloured =
      folder.Write(L"from the menu.skn", RecolouredPackage(skin::DefaultSkinPackage()));
  auto* item = dynamic_cast<ui::TMenuItem*>(form->FindComponent(L"miLoadSkin"));
  ASSERT_NE(item, nullptr);
  ui::TOpenDialog* dialog = form->SkinDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_NE(dialog->Filter().find(L"*.skn"), std::wstring::npos);
  const TShot builtIn = Shoot();

  int shown = 0;
  dialog->OnShow = [&](ui::TObject*) {
    ++shown;
    testsupport::ChooseInOpenDialog(dialog->Handle(), recoloured);
  };
  const int before = changed;
  {
    TPaintRecorder painted;
    // The menu command as the menu bar sends it.
    PostMessageW(H(), WM_COMMAND, item->Command(), 0);
    ASSERT_TRUE(PumpUntil([&] { return shown == 1; })) << "no open dialog";
    ExpectSwitched(painted, before);
  }
  EXPECT_EQ(Caption(), std::wstring(skinview::kGalleryTitle) + L" - from the menu.skn");
  ExpectRecoloured(H(), builtIn, Shoot());
  dialog->OnShow = nullptr;
}

TEST_F(GallerySwitchTest, APackageFileDroppedOnTheWindowSwitchesToIt) {
  EXPECT_TRUE(GetWindowLongW(H(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  const std::wstring recoloured =
      folder.Write(L"dropped.skn", RecolouredPackage(skin::DefaultSkinPackage()));
  const std::wstring original = folder.Write(L"dropped back.skn", skin::DefaultSkinPackage());
  const TShot builtIn = Shoot();
  for (int round = 0; round < 2; ++round) {
    {
      const int before = changed;
      TPaintRecorder painted;
      PostMessageW(H(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({recoloured, original})), 0);
      ExpectSwitched(painted, before);
    }
    EXPECT_EQ(Caption(), std::wstring(skinview::kGalleryTitle) + L" - dropped.skn");
    ExpectRecoloured(H(), builtIn, Shoot());
    {
      const int before = changed;
      TPaintRecorder painted;
      PostMessageW(H(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({original})), 0);
      ExpectSwitched(painted, before);
    }
    skinswitch::ExpectSamePictures(builtIn, Shoot());
  }
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(GallerySwitchTest, AFileThatCannotBeUsedIsNamedWithItsReasonAndTheSkinStays) {
  const skintest::Bytes package = RecolouredPackage(skin::DefaultSkinPackage());
  const std::wstring good = folder.Write(L"good.skn", package);
  LoadAndExpectSwitched(good);
  const TShot shown = Shoot();
  const int changes = changed;

  const skintest::Bytes cut(package.begin(), package.begin() + static_cast<long>(package.size() * 2 / 3));
  struct TCase {
    std::wstring path, reason;
  };
  const TCase cases[] = {
      {folder.Write(L"cut.skn", cut), L"cut short"},
      {folder.Write(L"notes.txt", std::string("Notes, not a skin.\r\n")), L"is not a skin package"},
      {folder.Path() + L"missing.skn", ui::SysErrorMessage(ERROR_FILE_NOT_FOUND)},
  };
  std::size_t boxesBefore = boxes.Boxes().size();
  for (const TCase& c : cases) {
    EXPECT_FALSE(form->LoadSkinFile(c.path));
    ASSERT_EQ(boxes.Boxes().size(), boxesBefore + 1) << "no message for " << ui::Utf8(c.path);
    const std::wstring& text = boxes.Boxes().back().text;
    EXPECT_NE(text.find(L"\"" + c.path + L"\""), std::wstring::npos) << ui::Utf8(text);
    EXPECT_NE(text.find(c.reason), std::wstring::npos) << ui::Utf8(text);
    EXPECT_NE(text.find(L"keeps the skin it shows (good.skn)"), std::wstring::npos) << ui::Utf8(text);
    boxesBefore = boxes.Boxes().size();
    PumpFor(400);  // longer than the manager's action delay: nothing is pending
    EXPECT_EQ(changed, changes);
    EXPECT_TRUE(form->SkinData()->SkinLoaded());
    EXPECT_EQ(form->SkinSource(), L"good.skn");
    skinswitch::ExpectSamePictures(shown, Shoot());
  }
  // The gallery still switches afterwards.
  LoadAndExpectSwitched(folder.Write(L"built-in.skn", skin::DefaultSkinPackage()));
}

}  // namespace
