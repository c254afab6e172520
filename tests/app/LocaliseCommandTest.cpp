// The command line's run, vexlo.exe --localise, started as a process of its own against a
// loopback site: three sheets in one call (one with images that fail in every way a server
// can fail them, one that cannot be opened), its report on the console and in its file, its
// exit status, and the files and rewritten sheets compared byte for byte with what the window
// gives when a user runs the same sheets through its steps. Each variant (the window shown,
// --quiet, --jobs) runs in this one test program.
#include "BuiltProgram.h"
#include "FormFixture.h"
#include "HttpServer.h"
#include "app/Workflow.h"

#include <algorithm>
#include <set>

using testsupport::HttpServer;
using testsupport::PumpUntil;
using namespace ui;

namespace {

std::wstring ProgramPath() { return testsupport::BuiltProgram(VEXLO_EXE); }

struct Finished {
  DWORD status = 0;
  std::string out;  // the console output, as the program wrote it
  std::string err;
};

// Reads a pipe to its end on a thread of its own, so that neither pipe can fill and block the
// program.
class PipeReader {
 public:
  explicit PipeReader(HANDLE pipe) : pipe_(pipe), thread_(CreateThread(nullptr, 0, &Read, this, 0, nullptr)) {}
  ~PipeReader() {
    if (thread_) CloseHandle(thread_);
    CloseHandle(pipe_);
  }
  std::string Take() {
    WaitForSingleObject(thread_, 60000);
    return text_;
  }

 private:
  static DWORD WINAPI Read(void* self) {
    auto* r = static_cast<PipeReader*>(self);
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(r->pipe_, buffer, sizeof buffer, &n, nullptr) && n > 0) r->text_.append(buffer, n);
    return 0;
  }
  HANDLE pipe_;
  std::string text_;
  HANDLE thread_;
};

// Runs vexlo.exe with `arguments` in `folder`, its output and error output read through pipes.
Finished RunProgram(const std::wstring& arguments, const std::wstring& folder) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE outRead, outWrite, errRead, errWrite;
  CreatePipe(&outRead, &outWrite, &inherit, 0);
  CreatePipe(&errRead, &errWrite, &inherit, 0);
  SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = outWrite;
  startup.hStdError = errWrite;
  std::wstring program = ProgramPath();
  std::wstring command = L"\"" + program + L"\" " + arguments;
  PROCESS_INFORMATION process{};
  Finished finished;
  BOOL started = CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(),
                                &startup, &process);
  CloseHandle(outWrite);
  CloseHandle(errWrite);
  PipeReader out(outRead), err(errRead);
  if (!started) {
    ADD_FAILURE() << "cannot start " << Utf8(program);
    return finished;
  }
  if (WaitForSingleObject(process.hProcess, 120000) != WAIT_OBJECT_0) {
    ADD_FAILURE() << "the program did not end";
    TerminateProcess(process.hProcess, 99);
  }
  GetExitCodeProcess(process.hProcess, &finished.status);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  finished.out = out.Take();
  finished.err = err.Take();
  return finished;
}

// A site whose theme sheet finds every image and whose other sheet meets a missing image, a
// server that stalls half way, one that closes the connection half way and one that trickles.
struct Site {
  HttpServer server;
  Site() {
    server.Serve("/css/theme/img/a.gif", {200, std::string(1500, 'a')});
    server.Serve("/img/top.gif", {200, "GIF89a-top"});
    server.Serve("/css/theme/img/b.png", {200, std::string(70000, 'b')});
    server.Serve("/css/img/ok.png", {200, "PNG-ok"});
    HttpServer::Response half{200, std::string(2000, 'h')};
    half.end = HttpServer::Response::End::Stall;
    half.endAfter = 1000;
    server.Serve("/css/img/half.png", half);
    HttpServer::Response cut{200, std::string(3698, 'c')};
    cut.end = HttpServer::Response::End::Close;
    cut.endAfter = 1849;
    server.Serve("/css/img/cut.png", cut);
    HttpServer::Response slow{200, std::string(1200, 's')};
    slow.pieceBytes = 300;
    slow.pieceDelayMs = 300;
    server.Serve("/css/img/slow.png", slow);
  }
  std::string Url() const { return server.Url(""); }
};

const std::string kThemeSheet =
    ".a{background:url(img/a.gif)}\r\n"
    ".t{background:url('/img/top.gif')}\r\n"
    ".d{background:url(data:image/gif;base64,R0lGOD==)}\n"
    ".b{background:url(\"img/b.png\") no-repeat}";
const std::string kOtherSheet =
    ".ok{background:url(img/ok.png)}\r\n"
    ".gone{background:url(img/gone.png)}\r\n"
    ".half{background:url(img/half.png)}\r\n"
    ".cut{background:url(img/cut.png)}\r\n"
    ".slow{background:url(img/slow.png)}\r\n";

struct LocaliseCommandTest : MainWindowTest {
  Site site;
  std::wstring windowRoot, commandRoot;

  void SetUp() override {
    MainWindowTest::SetUp();
    windowRoot = folder + L"window\\";
    commandRoot = folder + L"command\\";
    for (const std::wstring& root : {windowRoot, commandRoot}) {
      for (const wchar_t* dir : {L"", L"css\\", L"css\\theme\\"}) CreateDirectoryW((root + dir).c_str(), nullptr);
      WriteFile(root + L"css\\theme\\good.css", kThemeSheet);
      WriteFile(root + L"css\\bad.css", kOtherSheet);
    }
  }

  // A user's run of one sheet through the window's steps, with the prefixes the command line
  // derives for it.
  void RunInWindow(const std::wstring& sheet, const std::string& relativePrefix) {
    OpenThroughDialog(sheet);
    form->btn2->Click();
    form->lbledt1->SetText(Widen(site.Url()));
    form->lbledt2->SetText(Widen(relativePrefix));
    form->btn3->Click();
    bool ended = false;
    form->OnRunFinished = [&] { ended = true; };
    form->btn5->Click();
    ASSERT_TRUE(PumpUntil([&] { return ended; }, testsupport::kRunDeadlineMs));
    form->OnRunFinished = nullptr;
  }

  // Both folders hold the same files with the same bytes.
  void ExpectSameFolder(const std::wstring& relative, const std::set<std::wstring>& names) {
    EXPECT_EQ(testsupport::NamesIn(commandRoot + relative), names);
    EXPECT_EQ(testsupport::NamesIn(windowRoot + relative), names);
    for (const std::wstring& name : names) {
      if (GetFileAttributesW((commandRoot + relative + name).c_str()) & FILE_ATTRIBUTE_DIRECTORY) continue;
      EXPECT_EQ(ReadFile(commandRoot + relative + name), ReadFile(windowRoot + relative + name)) << Utf8(name);
    }
  }
};

struct LocaliseVariantTest : LocaliseCommandTest, testing::WithParamInterface<const wchar_t*> {};

}  // namespace

TEST_P(LocaliseVariantTest, ThreeSheetsGiveTheWindowsFilesAndAnExactReport) {
  // Long enough that a cut connection is noticed as cut on a busy machine, never as a stall.
  form->SetStallLimit(4000);
  RunInWindow(windowRoot + L"css\\theme\\good.css", site.Url() + "/css/theme/");
  RunInWindow(windowRoot + L"css\\bad.css", site.Url() + "/css/");

  // Every closing slash of the site is dropped.
  Finished run = RunProgram(L"--localise css/theme/good.css css\\bad.css missing.css --site " + Widen(site.Url()) +
                                L"// --timeout 4 --report report.txt " + GetParam(),
                            commandRoot);
  const std::string s = site.Url(), good = "css/theme/good.css", bad = "css\\bad.css";
  const std::string expected =
      good + "\t0\timg/a.gif\t" + s + "/css/theme/img/a.gif\t完成\ta.gif\r\n" +
      good + "\t1\t'/img/top.gif'\t" + s + "/img/top.gif\t完成\ttop.gif\r\n" +
      good + "\t2\tdata:image/gif;base64,R0lGOD==\tdata:image/gif;base64,R0lGOD==\t跳过：内嵌图片\t\r\n" +
      good + "\t3\t\"img/b.png\"\t" + s + "/css/theme/img/b.png\t完成\tb.png\r\n" +
      good + "\t完成 3 个，失败 0 个，跳过 1 个。原CSS文件已备份为 " + Utf8(commandRoot) + "css\\theme\\good.css.bak\r\n" +
      bad + "\t0\timg/ok.png\t" + s + "/css/img/ok.png\t完成\tok.png\r\n" +
      bad + "\t1\timg/gone.png\t" + s + "/css/img/gone.png\t失败：服务器返回 404\t\r\n" +
      bad + "\t2\timg/half.png\t" + s + "/css/img/half.png\t失败：超时无响应\t\r\n" +
      bad + "\t3\timg/cut.png\t" + s + "/css/img/cut.png\t失败：不完整：1849/3698 字节\t\r\n" +
      bad + "\t4\timg/slow.png\t" + s + "/css/img/slow.png\t完成\tslow.png\r\n" +
      bad + "\t完成 2 个，失败 3 个，跳过 0 个。原CSS文件已备份为 " + Utf8(commandRoot) + "css\\bad.css.bak\r\n" +
      "missing.css\t无法打开：Cannot open file \"" + Utf8(commandRoot) + "missing.css\". " +
      Utf8(SysErrorMessage(ERROR_FILE_NOT_FOUND)) + "\r\n" +
      "共 3 个CSS文件：完成 5 个，失败 3 个，跳过 1 个；无法处理的CSS文件 1 个。\r\n";
  EXPECT_EQ(run.out, expected);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.status, 2u);
  EXPECT_EQ(ReadFile(commandRoot + L"report.txt"), expected);
  EXPECT_EQ(testsupport::NamesIn(commandRoot), (std::set<std::wstring>{L"css", L"report.txt"}));
  ExpectSameFolder(L"css\\theme\\", {L"good.css", L"good.css.bak", L"a.gif", L"top.gif", L"b.png"});
  ExpectSameFolder(L"css\\", {L"theme", L"bad.css", L"bad.css.bak", L"ok.png", L"slow.png"});
  EXPECT_EQ(ReadFile(commandRoot + L"css\\theme\\good.css"),
            ".a{background:url(a.gif)}\r\n"
            ".t{background:url('top.gif')}\r\n"
            ".d{background:url(data:image/gif;base64,R0lGOD==)}\n"  // its own line end kept
            ".b{background:url(\"b.png\") no-repeat}");
}

std::string VariantName(const testing::TestParamInfo<const wchar_t*>& info) {
  static const char* const names[] = {"WindowShown", "Quiet", "QuietJobs8", "WindowShownJobs3"};
  return names[info.index];
}

INSTANTIATE_TEST_SUITE_P(Variants, LocaliseVariantTest,
                         testing::Values(L"", L"--quiet", L"--quiet --jobs 8", L"--jobs 3"), VariantName);

// --no-rewrite downloads and reports, and leaves every sheet as it was, with no backup.
TEST_F(LocaliseCommandTest, NoRewriteLeavesTheSheetsAndWritesNoBackup) {
  Finished run = RunProgram(L"--localise css/theme/good.css --site " + Widen(site.Url()) +
                                L" --root . --no-rewrite --quiet --jobs 2",
                            commandRoot);
  EXPECT_EQ(run.status, 0u) << run.err;
  const std::string summary = "css/theme/good.css\t完成 3 个，失败 0 个，跳过 1 个。CSS文件未修改。\r\n";
  ASSERT_NE(run.out.find(summary), std::string::npos) << run.out;
  EXPECT_EQ(ReadFile(commandRoot + L"css\\theme\\good.css"), kThemeSheet);
  EXPECT_EQ(testsupport::NamesIn(commandRoot + L"css\\theme\\"),
            (std::set<std::wstring>{L"good.css", L"a.gif", L"top.gif", L"b.png"}));
  EXPECT_EQ(ReadFile(commandRoot + L"css\\theme\\b.png"), std::string(70000, 'b'));
}

// A sheet that cannot be written keeps its bytes: the run says why, after the backup it made,
// and ends with status 2.
TEST_F(LocaliseCommandTest, ASheetThatCannotBeRewrittenStaysWholeAndGivesStatusTwo) {
  const std::wstring sheet = commandRoot + L"css\\theme\\good.css";
  ASSERT_TRUE(SetFileAttributesW(sheet.c_str(), FILE_ATTRIBUTE_READONLY));
  Finished run = RunProgram(L"--localise css/theme/good.css --site " + Widen(site.Url()) + L" --quiet --jobs 2",
                            commandRoot);
  SetFileAttributesW(sheet.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(run.status, 2u);
  const std::string summary = "css/theme/good.css\t完成 3 个，失败 0 个，跳过 1 个。原CSS文件已备份为 " + Utf8(sheet) +
                              ".bak Cannot create file \"" + Utf8(sheet) + "\". ";
  EXPECT_NE(run.out.find(summary), std::string::npos) << run.out;
  EXPECT_TRUE(run.out.ends_with("；无法处理的CSS文件 1 个。\r\n")) << run.out;  // counted in the run's line
  EXPECT_EQ(ReadFile(sheet), kThemeSheet);
  EXPECT_EQ(ReadFile(sheet + L".bak"), kThemeSheet);  // byte for byte, its one lone LF too
}

// Words the command cannot follow: a message naming them, status 2, and nothing touched.
TEST_F(LocaliseCommandTest, WrongWordsAreNamedAndNothingIsTouched) {
  const std::wstring sheet = L" css/theme/good.css --site " + Widen(site.Url()) + L" ";
  // Report files that exist beside the site's folder: one read-only, one a folder.
  const std::wstring beside = folder + L"beside\\";
  CreateDirectoryW(beside.c_str(), nullptr);
  CreateDirectoryW((beside + L"folder.txt").c_str(), nullptr);
  WriteFile(beside + L"readonly.txt", "kept");
  ASSERT_TRUE(SetFileAttributesW((beside + L"readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  const std::string theme = Utf8(commandRoot) + "css\\theme\\";
  const std::string cannot = "The pattern \"";
  const std::pair<std::wstring, std::string> cases[] = {
      {L"--localise" + sheet + L"--jobs 0", "The option --jobs needs a whole number from 1 to 64, not \"0\"."},
      {L"--localise css/theme/good.css --quiet --site", "The option --site needs a value after it."},
      {L"--localise css/theme/good.css --site=", "The option --site needs a value after it."},
      {L"--localise" + sheet + L"--colour red", "Unknown option \"--colour\"."},
      {L"--localise" + sheet + L"--quiet --quiet", "The option --quiet is given twice."},
      {L"--localise" + sheet + L"--root . --folder http://x/css", "Give either --root or --folder, not both."},
      {L"--localise --site " + Widen(site.Url()), "Name at least one style sheet after --localise."},
      {L"--localise css/theme/good.css --site www.example.com", "The site \"www.example.com\" must begin with http:// or https://."},
      {L"--localise" + sheet + L"--root css\\theme ..\\window\\css\\bad.css",
       "The sheet \"..\\window\\css\\bad.css\" is not inside the root folder \"" + Utf8(commandRoot) + "css\\theme\\\"."},
      {L"--localise" + sheet + L"-j 4", "Unknown option \"-j\"."},
      {L"--localise -x.css" + sheet, "Unknown option \"-x.css\"."},
      {L"--localise css/theme/good.css --site http://", "The site \"http://\" names no host after its scheme."},
      {L"--localise" + sheet + L"--folder https://:80/css", "The folder \"https://:80/css\" names no host after its scheme."},
      // Every output path is made whole and checked before any download.
      {L"--localise" + sheet + L"--report nowhere/report.txt",
       "The report's folder \"" + Utf8(commandRoot) + "nowhere\\\" does not exist."},
      {L"--localise" + sheet + L"--report ../beside/readonly.txt",
       "The report \"" + Utf8(beside) + "readonly.txt\" is read-only."},
      {L"--localise" + sheet + L"--report ..\\beside\\folder.txt", "The report \"" + Utf8(beside) + "folder.txt\" is a folder."},
      // A report in the place of a sheet or of its backup, in any spelling.
      {L"--localise" + sheet + L"--report .\\CSS/Theme/GOOD.css",
       "The report \"" + Utf8(commandRoot) + "CSS\\Theme\\GOOD.css\" is the sheet \"css/theme/good.css\" itself."},
      {L"--localise" + sheet + L"--report css/theme/good.CSS.bak",
       "The report \"" + theme + "good.CSS.bak\" would take the name of a backup of the sheet \"css/theme/good.css\"."},
      {L"--localise" + sheet + L"--report css\\theme\\..\\theme\\good.css.bak.12",
       "The report \"" + theme + "good.css.bak.12\" would take the name of a backup of the sheet \"css/theme/good.css\"."},
      // Patterns the engine refuses, and patterns without a second group.
      {L"--localise" + sheet + L"--quiet --pattern \"url\\((.*\"", cannot + "url\\((.*\" cannot be used: 缺少 )\r\n"},
      {L"--localise" + sheet + L"--pattern \"background)(.*?)url\"",
       cannot + "background)(.*?)url\" cannot be used: 多余的 )，没有与之对应的 (\r\n"},
      {L"--localise" + sheet + L"--pattern \"(url)\\(([^)]*)\\)x*+\"",
       cannot + "(url)\\(([^)]*)\\)x*+\" cannot be used: 量词（*、+、? 或 {n}）前没有可重复的内容\r\n"},
      {L"--localise" + sheet + L"--pattern \"url\\(([z-a]*)\\)\"", cannot + "url\\(([z-a]*)\\)\" cannot be used: 字符集中的范围无效（起点大于终点）\r\n"},
      {L"--localise" + sheet + L"--pattern \"url\\((.*?)\\)\"",
       cannot + "url\\((.*?)\\)\" cannot be used: it has 1 capturing group, and the image is the second group's capture."},
      {L"--localise" + sheet + L"--pattern \"[(]background\\((?:x)(?=u)url\\((.*?)\\)\"",
       cannot + "[(]background\\((?:x)(?=u)url\\((.*?)\\)\" cannot be used: it has 1 capturing group, and the image "
                "is the second group's capture."},
  };
  for (const auto& [arguments, message] : cases) {
    bool report = arguments.find(L"--report") != std::wstring::npos;
    Finished run = RunProgram(report ? arguments : arguments + L" --report report.txt", commandRoot);
    EXPECT_EQ(run.status, 2u) << Utf8(arguments);
    EXPECT_EQ(run.err.substr(0, message.size()), message) << Utf8(arguments);
    EXPECT_NE(run.err.find("Usage: vexlo.exe --localise SHEET"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "") << Utf8(arguments);
  }
  SetFileAttributesW((beside + L"readonly.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadFile(beside + L"readonly.txt"), "kept");
  EXPECT_EQ(site.server.Requests(), std::vector<std::string>{});
  EXPECT_EQ(testsupport::NamesIn(commandRoot), (std::set<std::wstring>{L"css"}));
  EXPECT_EQ(testsupport::NamesIn(commandRoot + L"css\\theme\\"), (std::set<std::wstring>{L"good.css"}));
  EXPECT_EQ(ReadFile(commandRoot + L"css\\theme\\good.css"), kThemeSheet);
}

// A sheet named again in another spelling is localised once, and a tab in an address stays
// inside its field. The report, named by a relative path with "/" and after an image, keeps
// its name: the image goes to another.
TEST_F(LocaliseCommandTest, ASheetNamedAgainIsLocalisedOnceAndEveryLineKeepsItsColumns) {
  WriteFile(commandRoot + L"css\\theme\\tab.css", ".a{background:url(img/a.gif)}\r\n.t{background:url(img/t\tb.png)}");
  Finished run = RunProgram(L"--localise css/theme/tab.css .\\CSS\\THEME\\Tab.css css\\theme\\..\\theme\\tab.css --site " +
                                Widen(site.Url()) + L" --quiet --report css/theme/a.gif",
                            commandRoot);
  EXPECT_NE(run.status, 2u) << run.err;
  EXPECT_EQ(run.err, "The sheet \".\\CSS\\THEME\\Tab.css\" is \"css/theme/tab.css\" again: it is localised once.\r\n"
                     "The sheet \"css\\theme\\..\\theme\\tab.css\" is \"css/theme/tab.css\" again: it is localised once.\r\n");
  std::vector<std::vector<std::string>> lines;
  for (size_t start = 0, end; (end = run.out.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.emplace_back();
    for (size_t from = start, tab;; from = tab + 1) {
      tab = std::min(run.out.find('\t', from), end);
      lines.back().push_back(run.out.substr(from, tab - from));
      if (tab == end) break;
    }
  }
  ASSERT_EQ(lines.size(), 4u) << run.out;  // two images, the sheet's line, the run's line
  for (int i : {0, 1}) {
    EXPECT_EQ(lines[i].size(), 6u) << run.out;
    EXPECT_EQ(lines[i][0], "css/theme/tab.css");
  }
  EXPECT_EQ(lines[1][2], "img/t\\tb.png");
  EXPECT_EQ(lines[1][3], site.Url() + "/css/theme/img/t\\tb.png");
  EXPECT_EQ(lines[2].size(), 2u);
  EXPECT_TRUE(lines[3][0].starts_with("共 1 个CSS文件：")) << lines[3][0];
  // Each image was asked for once, and never by the local name a second pass would read.
  std::vector<std::string> asked = site.server.Requests();
  EXPECT_EQ(std::count(asked.begin(), asked.end(), "/css/theme/img/a.gif"), 1) << run.out;
  EXPECT_EQ(std::count(asked.begin(), asked.end(), "/css/theme/a.gif"), 0) << run.out;
  EXPECT_EQ(ReadFile(commandRoot + L"css\\theme\\a.gif"), run.out);
  ASSERT_EQ(lines[0][4], "完成");
  EXPECT_EQ(ReadFile(commandRoot + L"css\\theme\\" + Widen(lines[0][5])), std::string(1500, 'a'));
}
