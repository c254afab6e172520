// The real skinview.exe, started as a process of its own and looked at through its windows:
// its window appears with the skin's frame around it and a window of every windowed kind of
// control; a package file named on its command line gives the frame that package's sizes; a
// file it cannot use is named in a message, after which the built-in skin shows; closing the
// window ends the process with exit code 0.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "BuiltProgram.h"
#include "Gallery.h"
#include "GalleryForm.h"
#include "GallerySkin.h"
#include "GuiTestSupport.h"
#include "SkinviewTestSupport.h"
#include "skin/data/SkinMessages.h"
#include "skin/model/SkinReport.h"
#include "skin/frame/SkinManage.h"
#include "ui/SysUtils.h"

using testsupport::PumpUntil;

namespace {

std::wstring ProgramPath() { return testsupport::BuiltProgram(VEXLO_SKINVIEW_EXE); }

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return text;
}

struct TopSearch {
  DWORD process;
  std::wstring className;
  HWND found = nullptr;
};

BOOL CALLBACK FindTop(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TopSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process || !IsWindowVisible(window) || ClassOf(window) != search->className) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

BOOL CALLBACK CollectClass(HWND window, LPARAM param) {
  reinterpret_cast<std::set<std::wstring>*>(param)->insert(ClassOf(window));
  return TRUE;
}

// The sizes of the frame around the client area.
struct TFrameSizes {
  int left, top, right, bottom;
  bool operator==(const TFrameSizes&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TFrameSizes& s) {
  return out << "left " << s.left << ", top " << s.top << ", right " << s.right << ", bottom " << s.bottom;
}

TFrameSizes FrameSizesOf(HWND window) {
  RECT outer{}, client{};
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  return {origin.x - outer.left, origin.y - outer.top, outer.right - (origin.x + client.right),
          outer.bottom - (origin.y + client.bottom)};
}

// The frame sizes the program's own skin gives: one frame of each border picture.
TFrameSizes BuiltInFrameSizes() {
  const std::string package = skin::DefaultSkinPackage();
  skin::TSkinDefinitions defs;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(package.data());
  EXPECT_EQ(skin::LoadSkinDefinitions(std::span(bytes, package.size()), defs), skin::TSkinLoadStatus::Ok);
  const auto extent = [&](const char* name, bool sideBySide) {
    const skin::TDataSkinObject* border = defs.Find(name);
    if (!border || !border->Bitmap) return -1;
    const int frames = std::max(border->Frame, 1);
    return (sideBySide ? border->Bitmap->Width() : border->Bitmap->Height()) / frames;
  };
  return {extent("Left", true), extent("Top", false), extent("Right", true), extent("Bottom", false)};
}

class SkinviewProgramTest : public testing::Test {
 protected:
  void TearDown() override {
    if (!process_.hProcess) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }

  void Start(const std::wstring& arguments = L"") {
    const std::wstring program = ProgramPath();
    std::wstring command = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    ASSERT_TRUE(CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               folder_.Path().c_str(), &startup, &process_))
        << ui::Utf8(program);
  }

  // A visible top-level window of the process of the class, waited for.
  HWND WaitForTop(const std::wstring& className, int timeoutMs = testsupport::kEventDeadlineMs) {
    TopSearch search{process_.dwProcessId, className};
    PumpUntil(
        [&] {
          search.found = nullptr;
          EnumWindows(&FindTop, reinterpret_cast<LPARAM>(&search));
          return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
  }

  // The gallery's window once its skinned frame runs.
  HWND WaitForSkinnedGallery() {
    const HWND gallery = WaitForTop(L"TGalleryForm");
    if (!gallery) return nullptr;
    const bool skinned = PumpUntil(
        [&] { return SendMessageW(gallery, skin::SKM_PROBEFRAME, 0, skin::kSkinMagic) == skin::kSkinMagic; });
    return skinned ? gallery : nullptr;
  }

  // Closes the window as its close button would; the process must end with exit code 0.
  void CloseAndExpectExitCodeZero(HWND gallery) {
    PostMessageW(gallery, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(process_.hProcess, 20000), WAIT_OBJECT_0) << "the process did not end";
    DWORD code = 1;
    ASSERT_TRUE(GetExitCodeProcess(process_.hProcess, &code));
    EXPECT_EQ(code, 0u);
  }

  // The gallery's message box: its text, answered with OK. The gallery's window is not there
  // while the box waits.
  std::wstring AnswerMessageBox() {
    const HWND box = WaitForTop(L"#32770");
    EXPECT_NE(box, nullptr) << "no message box";
    if (!box) return {};
    EXPECT_EQ(TextOf(box), skinview::kGalleryTitle);
    wchar_t text[2048] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 2048);  // the static text of a message box
    EXPECT_EQ(WaitForTop(L"TGalleryForm", 300), nullptr) << "the window came before the message was answered";
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return text;
  }

  // The frame takes the sizes once it runs, around the client area the gallery laid out; the
  // gallery's menu bar (the system's menu-bar height) lies between the title and the client.
  static void ExpectFrameSizes(HWND gallery, TFrameSizes sizes) {
    sizes.top += GetSystemMetrics(SM_CYMENU);
    PumpUntil([&] { return FrameSizesOf(gallery) == sizes; });
    EXPECT_EQ(FrameSizesOf(gallery), sizes);
    RECT client{};
    GetClientRect(gallery, &client);
    // The grid of groups and the edges of the page control around it, whatever the skin.
    const int grid = skinview::kColumns * (skinview::kColumnWidth + skinview::kGap) + skinview::kGap;
    EXPECT_GE(client.right, grid);
    EXPECT_LE(client.right, grid + 16);
    EXPECT_GT(client.bottom, 400);
  }

  static void ExpectBuiltInSkin(HWND gallery) {
    EXPECT_EQ(TextOf(gallery), std::wstring(skinview::kGalleryTitle) + L" - " + skinview::kBuiltInSkin);
    ExpectFrameSizes(gallery, BuiltInFrameSizes());
  }

  skinviewtest::TTempFolder folder_;
  PROCESS_INFORMATION process_{};
};

TEST_F(SkinviewProgramTest, StartsSkinnedWithEveryWindowedKindOfControlAndEndsWithExitCodeZero) {
  Start();
  const HWND gallery = WaitForSkinnedGallery();
  ASSERT_NE(gallery, nullptr) << "no skinned gallery window";
  EXPECT_EQ(SendMessageW(gallery, skin::SKM_QUERYSKINNED, 0, 0), 1);
  EXPECT_EQ(SendMessageW(gallery, skin::SKM_PROBEFRAME, 0, 0), 1);
  ExpectBuiltInSkin(gallery);

  std::set<std::wstring> classes;
  EnumChildWindows(gallery, &CollectClass, reinterpret_cast<LPARAM>(&classes));
  for (const wchar_t* kind :
       {L"TPanel", L"TButton", L"TCheckBox", L"TEdit", L"TLabeledEdit", L"TMemo", L"TListView",
        L"TPageControl", L"TTabSheet", L"TWebBrowser", L"TBitBtn", L"TRadioButton", L"TGroupBox",
        L"TRadioGroup", L"TComboBox", L"TListBox", L"TScrollBar", L"TUpDown", L"TDateTimePicker",
        L"TProgressBar", L"TTrackBar", L"TStatusBar", L"TTabControl", L"TTabSet", L"TMediaPlayer"}) {
    EXPECT_TRUE(classes.count(kind)) << "no window of class " << ui::Utf8(kind);
  }
  CloseAndExpectExitCodeZero(gallery);
}

TEST_F(SkinviewProgramTest, APackageFileOnTheCommandLineGivesTheFrameItsBorders) {
  const std::wstring path = folder_.Write(L"crafted frame.skn", skinviewtest::CraftedFramePackage());
  const TFrameSizes crafted{skinviewtest::kCraftedLeft, skinviewtest::kCraftedTitle,
                            skinviewtest::kCraftedRight, skinviewtest::kCraftedBottom};
  ASSERT_NE(crafted, BuiltInFrameSizes());  // the sizes tell the two skins apart
  Start(L"\"" + path + L"\"");
  const HWND gallery = WaitForSkinnedGallery();
  ASSERT_NE(gallery, nullptr) << "no skinned gallery window";
  EXPECT_EQ(TextOf(gallery), std::wstring(skinview::kGalleryTitle) + L" - crafted frame.skn");
  ExpectFrameSizes(gallery, crafted);
  CloseAndExpectExitCodeZero(gallery);
}

TEST_F(SkinviewProgramTest, AFileThatCannotBeReadIsNamedInAMessageAndTheBuiltInSkinShows) {
  const std::wstring missing = folder_.Path() + L"no such skin.skn";
  Start(L"\"" + missing + L"\"");
  const std::wstring message = AnswerMessageBox();
  EXPECT_NE(message.find(L"Cannot open file \"" + missing + L"\""), std::wstring::npos) << ui::Utf8(message);
  EXPECT_NE(message.find(L"built-in skin instead"), std::wstring::npos) << ui::Utf8(message);
  const HWND gallery = WaitForSkinnedGallery();
  ASSERT_NE(gallery, nullptr) << "no skinned gallery window";
  ExpectBuiltInSkin(gallery);
  CloseAndExpectExitCodeZero(gallery);
}

TEST_F(SkinviewProgramTest, AFileThatIsNoSkinPackageIsNamedInAMessageAndTheBuiltInSkinShows) {
  const std::wstring path = folder_.Write(L"notes.txt", std::string("These are notes, not a skin.\r\n"));
  Start(L"\"" + path + L"\"");
  const std::wstring message = AnswerMessageBox();
  EXPECT_NE(message.find(L"The file \"" + path + L"\" is not a skin package"), std::wstring::npos)
      << ui::Utf8(message);
  const HWND gallery = WaitForSkinnedGallery();
  ASSERT_NE(gallery, nullptr) << "no skinned gallery window";
  ExpectBuiltInSkin(gallery);
  CloseAndExpectExitCodeZero(gallery);
}

}  // namespace
