// The real program, vexlo.exe, started as a process of its own and driven through its
// windows from here: step one through its open dialog, then the step buttons, as a user
// would press them. Closing its window in the middle of a run of slow downloads ends the
// process within seconds, leaves no temporary file, and leaves the sheet as it was.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <set>
#include <string>

#include "BuiltProgram.h"
#include "GuiTestSupport.h"
#include "HttpServer.h"
#include "app/Texts.h"
#include "app/Workflow.h"
#include "ui/Classes.h"
#include "ui/SysUtils.h"

using testsupport::HttpServer;
using testsupport::PumpUntil;

namespace {

std::wstring ProgramPath() { return testsupport::BuiltProgram(VEXLO_EXE); }

struct Search {
  DWORD process;
  std::wstring text;
  std::wstring className;
  HWND found = nullptr;
};

bool Matches(HWND h, const Search& s) {
  wchar_t buf[512];
  if (!s.className.empty() && (!GetClassNameW(h, buf, 512) || s.className != buf)) return false;
  if (!s.text.empty() && (!GetWindowTextW(h, buf, 512) || s.text != buf)) return false;
  return true;
}

BOOL CALLBACK TopWindowOf(HWND h, LPARAM p) {
  auto* s = reinterpret_cast<Search*>(p);
  DWORD owner = 0;
  GetWindowThreadProcessId(h, &owner);
  if (owner != s->process || !IsWindowVisible(h) || !Matches(h, *s)) return TRUE;
  s->found = h;
  return FALSE;
}

BOOL CALLBACK ChildOf(HWND h, LPARAM p) {
  auto* s = reinterpret_cast<Search*>(p);
  if (!Matches(h, *s)) return TRUE;
  s->found = h;
  return FALSE;
}

// A visible top-level window of the process with the given text or class.
HWND TopWindow(DWORD process, const std::wstring& text, const std::wstring& className = L"") {
  Search s{process, text, className};
  EnumWindows(&TopWindowOf, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND Child(HWND parent, const std::wstring& text) {
  Search s{0, text, L""};
  EnumChildWindows(parent, &ChildOf, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

// A button's click as its parent hears it, whether or not its page is showing.
void Click(HWND button) {
  PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

std::set<std::wstring> Names(const std::wstring& dir) { return testsupport::NamesIn(dir); }

std::string ReadAll(const std::wstring& path) {
  ui::TFileStream f(path, ui::TFileStream::fmOpenRead);
  return f.ReadAll();
}

struct ProgramTest : testing::Test {
  HttpServer server;
  std::wstring folder;
  PROCESS_INFORMATION process{};

  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder = std::wstring(temp) + L"vexlo-program-" + std::to_wstring(GetTickCount()) + L"\\";
    CreateDirectoryW(folder.c_str(), nullptr);
  }

  void TearDown() override {
    if (process.hProcess) {
      if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 1);
      CloseHandle(process.hProcess);
      CloseHandle(process.hThread);
    }
    for (const std::wstring& name : Names(folder)) DeleteFileW((folder + name).c_str());
    RemoveDirectoryW(folder.c_str());
  }

  void Start() {
    std::wstring program = ProgramPath();
    std::wstring command = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    ASSERT_TRUE(CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                               &startup, &process))
        << ui::Utf8(program);
  }
};

}  // namespace

TEST_F(ProgramTest, ClosingTheWindowDuringARunEndsTheProcessAndLeavesNoFile) {
  std::string quick(800, 'q');
  server.Serve("/quick.gif", {200, quick});
  for (const char* name : {"/slow1.gif", "/slow2.gif", "/slow3.gif"}) {
    HttpServer::Response slow{200, std::string(200000, 's')};
    slow.pieceBytes = 100;
    slow.pieceDelayMs = 100;  // far longer than the test
    server.Serve(name, slow);
  }
  std::string css = "a{background:url(" + server.Url("/quick.gif") + ")}\r\n";
  for (const char* name : {"/slow1.gif", "/slow2.gif", "/slow3.gif"})
    css += "b{background:url(" + server.Url(name) + ")}\r\n";
  std::wstring sheet = folder + L"style.css";
  {
    ui::TFileStream f(sheet, ui::TFileStream::fmCreate);
    f.WriteBuffer(css);
  }

  Start();
  HWND main = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (main = TopWindow(process.dwProcessId, kAppTitle)) != nullptr; }));
  HWND open = Child(main, L"打开CSS文件"), analyse = Child(main, L"分析图片网址"),
       convert = Child(main, L"转换图片地址"), start = Child(main, L"开始下载图片");
  ASSERT_TRUE(open && analyse && convert && start);

  Click(open);
  HWND dialog = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (dialog = TopWindow(process.dwProcessId, L"", L"#32770")) != nullptr; }));
  testsupport::ChooseInOpenDialog(dialog, sheet);
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }));
  Click(analyse);
  Click(convert);
  Click(start);
  // The quick image is in place and the slow ones are on their way into temporary files.
  auto temporaries = [&] {
    int n = 0;
    for (const std::wstring& name : Names(folder)) n += name.size() > 4 && name.substr(name.size() - 4) == L".tmp";
    return n;
  };
  ASSERT_TRUE(PumpUntil([&] { return Names(folder).count(L"quick.gif") && temporaries() >= 1; }, 20000))
      << "no download started";
  testsupport::PumpFor(500);

  DWORD closing = GetTickCount();
  PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0) << "the process did not end";
  DWORD took = GetTickCount() - closing;
  std::printf("the process ended %lu ms after the close\n", static_cast<unsigned long>(took));
  EXPECT_LT(took, 5000u) << "the process took " << took << " ms to end";
  EXPECT_EQ(temporaries(), 0);
  EXPECT_EQ(ReadAll(sheet), css);
  EXPECT_EQ(Names(folder), (std::set<std::wstring>{L"style.css", L"quick.gif"}));
  EXPECT_EQ(ReadAll(folder + L"quick.gif"), quick);
}
