// Hostile skins on the main window: each of a set of absurd skins is put on the running
// window through --skin, every step page shown and everything painted; no crash, no hang,
// every window answers, and the built-in skin afterwards paints exactly as before. The real
// vexlo.exe started with a representative few of them answers and ends with exit code 0 when
// closed.
#include "BuiltProgram.h"
#include "FormFixture.h"

#include "HostileSkins.h"
#include "SkinSwitchSupport.h"
#include "app/SkinOption.h"
#include "app/Workflow.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/frame/SkinManage.h"

using testsupport::PumpFor;
using testsupport::PumpUntil;

namespace {

bool Running(HWND window) {
  skin::TSkinManage* manager = skin::TSkinManage::Instance();
  skin::TWinSkinForm* frame = manager ? manager->FindSkinForm(window) : nullptr;
  return frame && frame->FrameState() == skin::fsRunning;
}

struct MainWindowHostileSkinTest : MainWindowTest {
  void TearDown() override {
    MainWindowTest::TearDown();
    skin::DestroySkinManager();
  }
};

TEST_F(MainWindowHostileSkinTest, EveryHostileSkinIsSurvivedAndTheBuiltInSkinComesBackIntact) {
  const HWND h = form->Handle();
  ASSERT_TRUE(PumpUntil([&] { return Running(h) && !skinswitch::SkinnedChildren(h).empty(); }));
  PumpFor(100);
  int changed = 0;
  form->SkinData1->OnSkinChanged = [&](ui::TObject*) { ++changed; };
  const skinswitch::TShot before = skinswitch::Shoot(h);
  const std::wstring builtIn = folder + L"built-in.skn";
  WriteFile(builtIn, skin::DefaultSkinPackage());
  const auto switchTo = [&](const std::wstring& path) {
    const int changes = changed;
    ASSERT_EQ(ApplySkinOption(*form, ParseSkinOption({L"--skin", path})), L"");
    ASSERT_TRUE(PumpUntil([&] { return changed == changes + 1; })) << "no skin change";
  };
  for (const hostile::THostileSkin& s : hostile::HostileSkins(skin::DefaultSkinPackage())) {
    SCOPED_TRACE(s.name);
    const std::wstring path = folder + ui::Widen(s.name) + L".skn";
    WriteFile(path, std::string(s.package.begin(), s.package.end()));
    switchTo(path);
    for (int page = 0; page < form->pgc1->PageCount(); ++page) {
      form->pgc1->SetActivePageIndex(page);
      PumpFor(20);
      hostile::PaintEverything(h);
      EXPECT_EQ(hostile::Unanswered(hostile::WindowsOf(h)), 0);
    }
    // A sizeable window: made smaller than its frame and larger again.
    RECT r{};
    GetWindowRect(h, &r);
    SetWindowPos(h, nullptr, 0, 0, 3, 3, SWP_NOMOVE | SWP_NOZORDER);
    SetWindowPos(h, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
    form->pgc1->SetActivePageIndex(0);
    switchTo(builtIn);
    PumpFor(100);
    skinswitch::ExpectSamePictures(before, skinswitch::Shoot(h));
  }
  SendMessageW(h, WM_CLOSE, 0, 0);
  PumpFor(50);
}

std::wstring ProgramPath() { return testsupport::BuiltProgram(VEXLO_EXE); }

struct TMainSearch {
  DWORD process;
  HWND found = nullptr;
};

BOOL CALLBACK FindMain(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TMainSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process || !IsWindowVisible(window) || skinswitch::ClassOf(window) != L"TForm1") {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

TEST_F(MainWindowHostileSkinTest, VexloStartedWithEachHostileSkinAnswersAndCloses) {
  for (const hostile::THostileSkin& s : hostile::HostileStartSkins(skin::DefaultSkinPackage())) {
    SCOPED_TRACE(s.name);
    const std::wstring file = folder + ui::Widen(s.name) + L".skn";
    WriteFile(file, std::string(s.package.begin(), s.package.end()));
    const std::wstring program = ProgramPath();
    std::wstring command = L"\"" + program + L"\" --skin \"" + file + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               folder.c_str(), &startup, &process));
    TMainSearch search{process.dwProcessId};
    // Waited for until its frame answers the probe, or a few seconds after it appeared: a skin
    // whose frame stands aside leaves the window its own frame, which never answers.
    DWORD appeared = 0;
    PumpUntil(
        [&] {
          search.found = nullptr;
          EnumWindows(&FindMain, reinterpret_cast<LPARAM>(&search));
          if (!search.found) return false;
          if (!appeared) appeared = GetTickCount();
          return SendMessageW(search.found, skin::SKM_PROBEFRAME, 0, skin::kSkinMagic) == skin::kSkinMagic ||
                 GetTickCount() - appeared > 3000;
        },
        30000);
    EXPECT_NE(search.found, nullptr) << "no main window";
    if (search.found) {
      RedrawWindow(search.found, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
      PumpFor(300);
      EXPECT_EQ(hostile::Unanswered(hostile::WindowsOf(search.found)), 0);
      PostMessageW(search.found, WM_CLOSE, 0, 0);
    }
    const bool ended = WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0;
    EXPECT_TRUE(ended) << "the process did not end";
    if (!ended) TerminateProcess(process.hProcess, 1);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
}

}  // namespace
