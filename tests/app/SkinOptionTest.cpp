// `--skin FILE`: the option read from the command line; the main window switched to the skin
// in the file, frame and controls painted again with its pictures and back, twice in one run;
// files that cannot be used named with their reason while the built-in skin stays; and the real
// vexlo.exe started with a good package, a cut-short one and a file that is no skin package.
#include "BuiltProgram.h"
#include "FormFixture.h"

#include <algorithm>
#include <map>
#include <memory>

#include "CraftedSkin.h"
#include "SkinSwitchSupport.h"
#include "app/SkinOption.h"
#include "app/Texts.h"
#include "app/Workflow.h"
#include "skin/model/SkinReport.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/frame/SkinManage.h"

using namespace skinswitch;
using testsupport::PumpFor;
using testsupport::PumpUntil;

namespace {

TEST(SkinOptionParse, FindsTheFileAfterTheOptionOrAfterAnEqualsSign) {
  EXPECT_FALSE(ParseSkinOption({}).given);
  EXPECT_FALSE(ParseSkinOption({L"style.css", L"--skins", L"x"}).given);
  TSkinOption o = ParseSkinOption({L"--skin", L"C:\\皮肤\\my skin.skn"});
  EXPECT_TRUE(o.given);
  EXPECT_EQ(o.file, L"C:\\皮肤\\my skin.skn");
  EXPECT_TRUE(o.problem.empty());
  o = ParseSkinOption({L"other", L"--skin=b.skn"});
  EXPECT_TRUE(o.given);
  EXPECT_EQ(o.file, L"b.skn");
  for (const std::vector<std::wstring>& words :
       {std::vector<std::wstring>{L"--skin"}, std::vector<std::wstring>{L"--skin="}}) {
    o = ParseSkinOption(words);
    EXPECT_TRUE(o.given);
    EXPECT_NE(o.problem.find(L"--skin needs the name of a skin package file"), std::wstring::npos);
  }
}

struct MainWindowSkinOptionTest : MainWindowTest {
  int changed = 0;

  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_TRUE(PumpUntil([&] { return Running() && !SkinnedChildren(H()).empty(); }))
        << "the main window was not skinned";
    PumpFor(100);
    form->SkinData1->OnSkinChanged = [this](ui::TObject*) { ++changed; };
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    skin::DestroySkinManager();
  }

  HWND H() const { return form->Handle(); }
  bool Running() const {
    skin::TSkinManage* manager = skin::TSkinManage::Instance();
    skin::TWinSkinForm* frame = manager ? manager->FindSkinForm(H()) : nullptr;
    return frame && frame->FrameState() == skin::fsRunning;
  }

  // The option applied; the switch is carried out with the frame and every visible skinned
  // control painted again.
  void SwitchTo(const std::wstring& path) {
    const int before = changed;
    TPaintRecorder painted;
    ASSERT_EQ(ApplySkinOption(*form, ParseSkinOption({L"--skin", path})), L"");
    ASSERT_TRUE(PumpUntil([&] { return changed == before + 1; })) << "no skin change";
    PumpFor(100);
    EXPECT_TRUE(painted.Painted(H())) << "the frame was not painted again";
    for (HWND control : SkinnedChildren(H())) {
      EXPECT_TRUE(painted.Painted(control)) << ui::Utf8(ClassOf(control)) << " was not painted again";
    }
  }
};

TEST_F(MainWindowSkinOptionTest, TheSkinFileRepaintsFrameAndControlsAndTheBuiltInSkinComesBack) {
  const TShot builtIn = Shoot(H());
  ASSERT_FALSE(builtIn.controls.empty());
  const std::wstring recoloured = folder + L"recoloured.skn";
  const skintest::Bytes package = RecolouredPackage(skin::DefaultSkinPackage());
  WriteFile(recoloured, std::string(package.begin(), package.end()));
  const std::wstring original = folder + L"built-in.skn";
  WriteFile(original, skin::DefaultSkinPackage());

  SwitchTo(recoloured);
  const TShot second = Shoot(H());
  const TChange border = CompareLeftBorder(H(), *builtIn.frame, *second.frame);
  EXPECT_GT(border.recoloured, 0);
  EXPECT_EQ(border.same, 0) << "left border pixels kept the built-in skin's colours";
  EXPECT_EQ(border.other, 0);
  ASSERT_EQ(second.controls.size(), builtIn.controls.size());
  for (const auto& [window, before] : builtIn.controls) {
    const TChange c = Compare(*before, *second.controls.at(window), 0, 0, before->Width(), before->Height());
    const std::wstring kind = ClassOf(window);
    // The memo's skinned scroll bars lie in its non-client area, which neither capture holds.
    if (kind == L"TMemo") continue;
    EXPECT_GT(c.recoloured, 0) << ui::Utf8(kind) << " still shows the built-in skin";
  }

  SwitchTo(original);
  ExpectSamePictures(builtIn, Shoot(H()));
  // A second switch in the same run.
  SwitchTo(recoloured);
  ExpectSamePictures(second, Shoot(H()));
  SwitchTo(original);
  ExpectSamePictures(builtIn, Shoot(H()));
}

TEST_F(MainWindowSkinOptionTest, AFileThatCannotBeUsedIsNamedAndTheBuiltInSkinStays) {
  boxesExpected = true;
  const TShot builtIn = Shoot(H());
  const skintest::Bytes package = RecolouredPackage(skin::DefaultSkinPackage());
  const std::wstring cut = folder + L"cut.skn";
  WriteFile(cut, std::string(package.begin(), package.begin() + static_cast<long>(package.size() / 2)));
  const std::wstring text = folder + L"readme.txt";
  WriteFile(text, "This is not a skin.\r\n");
  struct TCase {
    std::vector<std::wstring> words;
    std::wstring expected;
  };
  const TCase cases[] = {
      {{L"--skin", cut}, L"The file \"" + cut + L"\" is not a skin package this program can read: "
                         L"its compressed data ends before the package does (the file is cut short)."},
      {{L"--skin", text}, L"The file \"" + text + L"\" is not a skin package this program can read: "},
      {{L"--skin", folder + L"none.skn"}, L"Cannot open file \"" + folder + L"none.skn\""},
      {{L"--skin"}, L"The option --skin needs the name of a skin package file after it."},
  };
  for (const TCase& c : cases) {
    const std::size_t shown = boxes.Boxes().size();
    const std::wstring message = ApplySkinOption(*form, ParseSkinOption(c.words));
    EXPECT_EQ(message.find(c.expected), 0u) << ui::Utf8(message);
    EXPECT_TRUE(message.ends_with(L"\r\n\r\nVexlo keeps its built-in skin.")) << ui::Utf8(message);
    ASSERT_TRUE(PumpUntil([&] { return boxes.Boxes().size() == shown + 1; })) << "no message box";
    EXPECT_EQ(boxes.Boxes().back().text, message);
    EXPECT_EQ(boxes.Boxes().back().caption, ui::Application->Title());
    PumpFor(400);  // longer than the manager's action delay: nothing is pending
    EXPECT_EQ(changed, 0);
    EXPECT_TRUE(form->SkinData1->SkinLoaded());
    ExpectSamePictures(builtIn, Shoot(H()));
  }
  // A good file still switches afterwards.
  const std::wstring good = folder + L"good.skn";
  WriteFile(good, std::string(package.begin(), package.end()));
  SwitchTo(good);
}

// ---------------------------------------------------------------------------------------------
// The real program

std::wstring ProgramPath() { return testsupport::BuiltProgram(VEXLO_EXE); }

struct TTopSearch {
  DWORD process;
  std::wstring className;
  HWND found = nullptr;
};

BOOL CALLBACK FindTop(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TTopSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process || !IsWindowVisible(window) || ClassOf(window) != search->className) return TRUE;
  search->found = window;
  return FALSE;
}

struct TFrameSizes {
  int left, top, right, bottom;
  bool operator==(const TFrameSizes&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TFrameSizes& s) {
  return out << s.left << "," << s.top << "," << s.right << "," << s.bottom;
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

// The border sizes a package gives: one frame of each border picture.
TFrameSizes SizesOfPackage(const std::string& package) {
  skin::TSkinDefinitions defs;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(package.data());
  EXPECT_EQ(skin::LoadSkinDefinitions(std::span(bytes, package.size()), defs), skin::TSkinLoadStatus::Ok);
  const auto extent = [&](const char* name, bool sideBySide) {
    const skin::TDataSkinObject* border = defs.Find(name);
    if (!border || !border->Bitmap) return -1;
    return (sideBySide ? border->Bitmap->Width() : border->Bitmap->Height()) / std::max(border->Frame, 1);
  };
  return {extent("Left", true), extent("Top", false), extent("Right", true), extent("Bottom", false)};
}

// A package whose four opaque borders have sizes of their own.
std::string CraftedFramePackage() {
  const std::string ini =
      "[Personality]\nLeft=l.bmp\nLeftFrame=2\nLeftTrans=0\nRight=r.bmp\nRightFrame=2\n"
      "RightTrans=0\nTop=t.bmp\nTopFrame=2\nTopTrans=0\nBottom=b.bmp\nBottomFrame=2\nBottomTrans=0\n";
  const skintest::Bytes bytes = skintest::TCraftedSkin(ini)
                                    .Bitmap("l.bmp", 14, 40, 0x208040)
                                    .Bitmap("r.bmp", 10, 40, 0x208040)
                                    .Bitmap("t.bmp", 40, 48, 0x206020)
                                    .Bitmap("b.bmp", 40, 6, 0x208040)
                                    .Package();
  return std::string(bytes.begin(), bytes.end());
}

struct ProgramSkinOptionTest : testing::Test {
  std::wstring folder;
  PROCESS_INFORMATION process{};

  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder = std::wstring(temp) + L"vexlo-skinoption-" + std::to_wstring(GetTickCount()) + L"\\";
    CreateDirectoryW(folder.c_str(), nullptr);
  }
  void TearDown() override {
    if (process.hProcess) {
      if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 1);
      CloseHandle(process.hProcess);
      CloseHandle(process.hThread);
    }
    MainWindowTest::RemoveTree(folder);
  }

  std::wstring Write(const std::wstring& name, const std::string& bytes) {
    ui::TFileStream f(folder + name, ui::TFileStream::fmCreate);
    f.WriteBuffer(bytes);
    return folder + name;
  }

  void Start(const std::wstring& skinFile) {
    const std::wstring program = ProgramPath();
    std::wstring command = L"\"" + program + L"\" --skin \"" + skinFile + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    ASSERT_TRUE(CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               folder.c_str(), &startup, &process));
  }

  HWND WaitForTop(const std::wstring& className, int timeoutMs = testsupport::kEventDeadlineMs) {
    TTopSearch search{process.dwProcessId, className};
    PumpUntil(
        [&] {
          search.found = nullptr;
          EnumWindows(&FindTop, reinterpret_cast<LPARAM>(&search));
          return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
  }

  // The main window once its skinned frame has the sizes.
  HWND WaitForFrame(const TFrameSizes& sizes) {
    const HWND main = WaitForTop(L"TForm1");
    EXPECT_NE(main, nullptr) << "no main window";
    if (!main) return nullptr;
    PumpUntil([&] { return FrameSizesOf(main) == sizes; });
    EXPECT_EQ(FrameSizesOf(main), sizes);
    EXPECT_EQ(SendMessageW(main, skin::SKM_PROBEFRAME, 0, skin::kSkinMagic), skin::kSkinMagic);
    return main;
  }

  // The message box's text, answered with OK.
  std::wstring AnswerMessageBox() {
    const HWND box = WaitForTop(L"#32770");
    EXPECT_NE(box, nullptr) << "no message box";
    if (!box) return {};
    wchar_t title[256] = {};
    GetWindowTextW(box, title, 256);
    EXPECT_EQ(std::wstring(title), kAppTitle);
    wchar_t text[2048] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 2048);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return text;
  }

  // The program still answers its messages, and a close ends it with exit code 0.
  void ExpectWorkingThenClose(HWND main) {
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result), 0);
    wchar_t title[256] = {};
    EXPECT_NE(SendMessageTimeoutW(main, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(title),
                                  SMTO_ABORTIFHUNG, 5000, &result), 0);
    EXPECT_EQ(std::wstring(title), kAppTitle);
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0) << "the process did not end";
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    EXPECT_EQ(code, 0u);
  }
};

TEST_F(ProgramSkinOptionTest, AGoodPackageGivesTheFrameItsBorders) {
  const std::string package = CraftedFramePackage();
  const TFrameSizes crafted = SizesOfPackage(package);
  ASSERT_NE(crafted, SizesOfPackage(skin::DefaultSkinPackage()));
  Start(Write(L"crafted 皮肤.skn", package));
  ExpectWorkingThenClose(WaitForFrame(crafted));
}

TEST_F(ProgramSkinOptionTest, ACutShortPackageIsNamedAndTheBuiltInSkinShows) {
  const std::string package = CraftedFramePackage();
  const std::wstring path = Write(L"cut.skn", package.substr(0, package.size() * 3 / 4));
  Start(path);
  const std::wstring message = AnswerMessageBox();
  EXPECT_NE(message.find(L"The file \"" + path + L"\" is not a skin package"), std::wstring::npos)
      << ui::Utf8(message);
  EXPECT_NE(message.find(L"cut short"), std::wstring::npos) << ui::Utf8(message);
  EXPECT_NE(message.find(L"Vexlo keeps its built-in skin."), std::wstring::npos) << ui::Utf8(message);
  ExpectWorkingThenClose(WaitForFrame(SizesOfPackage(skin::DefaultSkinPackage())));
}

TEST_F(ProgramSkinOptionTest, AFileThatIsNoSkinPackageIsNamedAndTheBuiltInSkinShows) {
  const std::wstring path = Write(L"style.css", "a{background:url(x.png)}\r\n");
  Start(path);
  const std::wstring message = AnswerMessageBox();
  EXPECT_NE(message.find(L"The file \"" + path + L"\" is not a skin package this program can read: "),
            std::wstring::npos)
      << ui::Utf8(message);
  EXPECT_NE(message.find(L"Vexlo keeps its built-in skin."), std::wstring::npos) << ui::Utf8(message);
  ExpectWorkingThenClose(WaitForFrame(SizesOfPackage(skin::DefaultSkinPackage())));
}

}  // namespace
