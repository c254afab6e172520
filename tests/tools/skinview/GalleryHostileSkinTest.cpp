// Hostile skins on the gallery: each of a set of absurd skins (zero and huge frame counts,
// huge, negative and oversized margins, one-pixel, sizeless and missing pictures, missing
// sections, absurd colours and fonts) is switched to while the gallery runs, every page shown
// and everything painted; no crash, no hang, every window answers, and afterwards the built-in
// skin paints exactly as before. The real skinview.exe started with a representative few of
// them answers and ends with exit code 0 when closed.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "BuiltProgram.h"
#include "GalleryForm.h"
#include "GuiTestSupport.h"
#include "HostileSkins.h"
#include "SkinSwitchSupport.h"
#include "SkinviewTestSupport.h"
#include "skin/data/SkinManagerLink.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/frame/SkinManage.h"
#include "ui/SysUtils.h"

using testsupport::PumpFor;
using testsupport::PumpUntil;

namespace {

struct GalleryHostileSkinTest : testing::Test {
  testsupport::MessageBoxWatcher boxes;
  skinviewtest::TTempFolder folder;

  void TearDown() override {
    for (const auto& box : boxes.Boxes()) ADD_FAILURE() << "message box: " << ui::Utf8(box.text);
    skin::DestroySkinManager();
  }
};

bool Running(HWND window) {
  skin::TSkinManage* manager = skin::TSkinManage::Instance();
  skin::TWinSkinForm* frame = manager ? manager->FindSkinForm(window) : nullptr;
  return frame && frame->FrameState() == skin::fsRunning;
}

TEST_F(GalleryHostileSkinTest, EveryHostileSkinIsSurvivedAndTheBuiltInSkinComesBackIntact) {
  auto form = std::make_unique<skinview::TGalleryForm>(nullptr, skinview::BuiltInSkin());
  form->Show();
  const HWND h = form->Handle();
  ASSERT_TRUE(PumpUntil([&] { return Running(h) && skinswitch::SkinnedChildren(h).size() > 10; }));
  PumpFor(100);
  int changed = 0;
  form->SkinData()->OnSkinChanged = [&](ui::TObject*) { ++changed; };
  form->SetCaption(L"Gallery");
  const skinswitch::TShot before = skinswitch::Shoot(h);

  const std::wstring builtIn = folder.Write(L"built-in.skn", skin::DefaultSkinPackage());
  const auto switchTo = [&](const std::wstring& path) {
    const int changes = changed;
    ASSERT_TRUE(form->LoadSkinFile(path));
    ASSERT_TRUE(PumpUntil([&] { return changed == changes + 1; })) << "no skin change";
  };
  for (const hostile::THostileSkin& s : hostile::HostileSkins(skin::DefaultSkinPackage())) {
    SCOPED_TRACE(s.name);
    ASSERT_FALSE(s.package.empty());
    switchTo(folder.Write(ui::Widen(s.name) + L".skn", s.package));
    for (int page = 0; page < form->Pages()->PageCount(); ++page) {
      form->Pages()->SetActivePageIndex(page);
      PumpFor(20);
      hostile::PaintEverything(h);
      EXPECT_EQ(hostile::Unanswered(hostile::WindowsOf(h)), 0);
    }
    form->Pages()->SetActivePageIndex(0);
    // The built-in skin again: the same pictures as before, nothing of the hostile skin left.
    switchTo(builtIn);
    PumpFor(100);
    form->SetCaption(L"Gallery");
    skinswitch::ExpectSamePictures(before, skinswitch::Shoot(h));
  }

  // Closed as its close button would close it.
  SendMessageW(h, WM_CLOSE, 0, 0);
  PumpFor(50);
  form.reset();
  EXPECT_FALSE(IsWindow(h));
}

// ---------------------------------------------------------------------------------------------
// The real program, one process per hostile skin of the start set

std::wstring ProgramPath() { return testsupport::BuiltProgram(VEXLO_SKINVIEW_EXE); }

struct TGallerySearch {
  DWORD process;
  HWND found = nullptr;
};

BOOL CALLBACK FindGallery(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TGallerySearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process || !IsWindowVisible(window) || skinswitch::ClassOf(window) != L"TGalleryForm") {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

TEST_F(GalleryHostileSkinTest, SkinviewStartedWithEachHostileSkinAnswersAndCloses) {
  for (const hostile::THostileSkin& s : hostile::HostileStartSkins(skin::DefaultSkinPackage())) {
    SCOPED_TRACE(s.name);
    const std::wstring file = folder.Write(ui::Widen(s.name) + L".skn", s.package);
    const std::wstring program = ProgramPath();
    std::wstring command = L"\"" + program + L"\" \"" + file + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               folder.Path().c_str(), &startup, &process));
    TGallerySearch search{process.dwProcessId};
    // Waited for until its frame answers the probe, or a few seconds after it appeared: a skin
    // whose frame stands aside leaves the window its own frame, which never answers.
    DWORD appeared = 0;
    PumpUntil(
        [&] {
          search.found = nullptr;
          EnumWindows(&FindGallery, reinterpret_cast<LPARAM>(&search));
          if (!search.found) return false;
          if (!appeared) appeared = GetTickCount();
          return SendMessageW(search.found, skin::SKM_PROBEFRAME, 0, skin::kSkinMagic) == skin::kSkinMagic ||
                 GetTickCount() - appeared > 3000;
        },
        30000);
    EXPECT_NE(search.found, nullptr) << "no gallery window";
    if (search.found) {
      // Painted again as a whole, then every window asked.
      RedrawWindow(search.found, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
      PumpFor(300);
      EXPECT_EQ(hostile::Unanswered(hostile::WindowsOf(search.found)), 0);
      PostMessageW(search.found, WM_CLOSE, 0, 0);
    }
    const bool ended = WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0;
    EXPECT_TRUE(ended) << "the process did not end";
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    if (!ended) TerminateProcess(process.hProcess, 1);
    EXPECT_EQ(code, 0u);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
}

}  // namespace
