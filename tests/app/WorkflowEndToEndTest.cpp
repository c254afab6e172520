// The whole workflow as a user drives it: open a sheet, analyse, convert with prefixes that
// point at a loopback server, download, and compare the files, the backup and the rewritten
// sheet byte for byte.
#include "FormFixture.h"
#include "HttpServer.h"
#include "ui/Clipbrd.h"

#include <map>
#include <regex>
#include <set>

using testsupport::HttpServer;
using testsupport::PumpUntil;
using namespace ui;

namespace {

struct EndToEndTest : MainWindowTest {
  HttpServer server;
  int rewrites = 0;
  std::wstring sheet;

  void SetUp() override {
    MainWindowTest::SetUp();
    sheet = folder + L"style.css";
    auto rewrite = form->btn6->OnClick;
    form->btn6->OnClick = [this, rewrite](TObject* s) {
      rewrite(s);
      ++rewrites;
    };
  }

  static std::set<std::wstring> Names(const std::wstring& dir) { return testsupport::NamesIn(dir); }

  // Every url() of the sheet: the addresses as written.
  static std::vector<std::string> References(const std::string& css) {
    std::vector<std::string> refs;
    std::regex url(R"(url\(([^)]*)\))");
    for (auto it = std::sregex_iterator(css.begin(), css.end(), url); it != std::sregex_iterator(); ++it)
      refs.push_back((*it)[1]);
    return refs;
  }

  // Step one through the real handler and its dialog.
  void Open(const std::wstring& path) {
    OpenThroughDialog(path);
    ASSERT_EQ(CompareStringOrdinal(form->dlgOpen1->FileName().c_str(), -1, path.c_str(), -1, TRUE), CSTR_EQUAL);
  }

  // Steps one to four; answers when the run has ended.
  void Run(const std::string& sheetBytes, const std::string& absolutePrefix, const std::string& relativePrefix) {
    WriteFile(sheet, sheetBytes);
    Open(sheet);
    form->btn2->Click();
    form->lbledt1->SetText(FromAnsi(absolutePrefix));
    form->lbledt2->SetText(FromAnsi(relativePrefix));
    form->btn3->Click();
    int before = rewrites;
    form->btn5->Click();
    ASSERT_TRUE(PumpUntil([&] { return rewrites > before; }, testsupport::kRunDeadlineMs));
  }
};

}  // namespace

TEST_F(EndToEndTest, QuotesRepeatsCaseAndLineEndsStayByteExact) {
  server.Serve("/image/top.gif", {200, "TOP"});
  server.Serve("/site/css/img/a.gif", {200, "AAA"});
  std::string css =
      "a{background:url('/image/top.gif')}\r\n"
      "b{background:url(img/a.gif)}\n"
      "c{background:url(img/a.gif)} d{background:url( \"img/a.gif\" )}\r"
      "e{background:url(IMG/A.GIF)}\r\n"
      "f{background:url(/image/top.gif)}";  // no final line break
  Run(css, server.Url(""), server.Url("/site/css/"));
  // Quoted or not, an address is one image: listed once, as the sheet first writes it.
  EXPECT_EQ(form->mmo1->Lines()->Text(), "'/image/top.gif'\r\nimg/a.gif\r\nIMG/A.GIF\r\n");
  // The backup is the file's bytes; the rewrite keeps every byte but the addresses it
  // replaces, each line end as it was.
  EXPECT_EQ(ReadFile(sheet + L".bak"), css);
  EXPECT_EQ(ReadFile(folder + L"top.gif"), "TOP");
  EXPECT_EQ(ReadFile(folder + L"a.gif"), "AAA");
  EXPECT_EQ(ReadFile(sheet),
            "a{background:url('top.gif')}\r\n"
            "b{background:url(a.gif)}\n"
            "c{background:url(a.gif)} d{background:url( \"a.gif\" )}\r"
            "e{background:url(IMG/A.GIF)}\r\n"  // different case: its download failed, kept
            "f{background:url(top.gif)}");
  EXPECT_EQ(Names(folder), (std::set<std::wstring>{L"style.css", L"style.css.bak", L"top.gif", L"a.gif"}));
}

// The forms real sheets write addresses in, in one run: quotes of both kinds with blanks, an
// address naming its server in capitals, a protocol-relative one without a site prefix, an
// embedded image in capitals, a.gif after img/a.gif (two images) and big/img/a.gif (a third),
// a query, a fragment, and an image the site does not have. Each image gets one row and one
// file; the sheet is rewritten byte for byte where its addresses stand whole.
TEST_F(EndToEndTest, EveryFormOfAddressARealSheetWrites) {
  std::map<std::string, std::string> site = {{"/s/img/a.gif", "IMG-A"}, {"/s/b.png", "B"},    {"/cdn/c.png", "C"},
                                             {"/cdn/d.png", "D"},       {"/s/a.gif", "SHORT-A"}, {"/s/big/img/a.gif", "BIG-A"},
                                             {"/s/e.png", "E"},         {"/s/f.svg", "F"}};
  for (auto& [path, bytes] : site) server.Serve(path, {200, bytes});
  const std::string host = "127.0.0.1:" + std::to_string(server.Port());
  std::string css =
      ".q1{background:url( \"img/a.gif\" ) no-repeat}\r\n"
      ".q2{background-image:url( 'b.png' )}\r\n"
      ".abs{background:url(HTTP://" + host + "/cdn/c.png)}\r\n"
      ".pr{background:url(//" + host + "/cdn/d.png)}\r\n"
      ".data{background:url(\"DATA:image/gif;base64,R0lGODlhAQABAAAAACw=\")}\r\n"
      ".short{background:url(a.gif)}\r\n"
      ".long{background:url(big/img/a.gif),url(img/a.gif)}\r\n"
      ".query{background:url(e.png?v=3)}\r\n"
      ".frag{background:url('f.svg#icon')}\r\n"
      ".gone{background:url(gone.png)}\r\n";
  Run(css, "", server.Url("/s/"));
  ASSERT_EQ(form->ListView1->Items()->Count(), 10);
  auto name = [&](int row) { return ToAnsi(form->ListView1->Items()->Item(row)->SubItems().Strings(1)); };
  auto cell = [&](int row) { return form->ListView1->Items()->Item(row)->SubItems().Strings(0); };
  for (int row : {0, 1, 2, 3, 5, 6, 7, 8}) {
    EXPECT_EQ(form->ListView1->Items()->Item(row)->Caption(), L"完成" + std::to_wstring(row));
    EXPECT_EQ(cell(row), L"100%");
  }
  EXPECT_EQ(name(0), "a.gif");
  EXPECT_EQ(name(7), "e.png");
  EXPECT_EQ(name(8), "f.svg");
  EXPECT_EQ(ReadFile(folder + FromAnsi(name(5))), "SHORT-A");
  EXPECT_EQ(ReadFile(folder + FromAnsi(name(6))), "BIG-A");
  EXPECT_EQ(ReadFile(folder + L"d.png"), "D");
  // The embedded image is skipped at once, never failed; the missing one failed with its reason.
  EXPECT_EQ(form->ListView1->Items()->Item(4)->Caption(), L"跳过4");
  EXPECT_EQ(cell(4), download::kEmbeddedImage);
  EXPECT_FALSE(form->DownloadRun().Failed(4));
  EXPECT_EQ(form->ListView1->Items()->Item(9)->Caption(), L"失败9");
  EXPECT_EQ(cell(9), L"服务器返回 404");
  EXPECT_EQ(ReadFile(sheet),
            ".q1{background:url( \"a.gif\" ) no-repeat}\r\n"
            ".q2{background-image:url( 'b.png' )}\r\n"
            ".abs{background:url(c.png)}\r\n"
            ".pr{background:url(d.png)}\r\n"
            ".data{background:url(\"DATA:image/gif;base64,R0lGODlhAQABAAAAACw=\")}\r\n"
            ".short{background:url(" + name(5) + ")}\r\n"
            ".long{background:url(" + name(6) + "),url(a.gif)}\r\n"
            ".query{background:url(e.png)}\r\n"
            ".frag{background:url('f.svg')}\r\n"
            ".gone{background:url(gone.png)}\r\n");
  EXPECT_EQ(form->lbl9->Caption(), L"完成 8 个，失败 1 个，跳过 1 个。原CSS文件已备份为 " + sheet + L".bak");
  ASSERT_TRUE(form->btn7->Visible());
  form->btn7->Click();
  EXPECT_EQ(ClipboardText(form->Handle()),
            L"失败9\tgone.png\t" + FromAnsi(server.Url("/s/gone.png")) + L"\t服务器返回 404\r\n");
}

// A pattern of the user's own that finds addresses outside url(): the address is replaced
// where it stands whole, and not inside the longer address that ends with it.
TEST_F(EndToEndTest, AnAddressFoundByTheUsersOwnPatternIsRewrittenWhole) {
  server.Serve("/img/p.png", {200, "P"});
  form->edt1->SetText(L"(src)='(.*?)'");
  std::string css =
      ".ie{filter:progid:DXImageTransform.Microsoft.AlphaImageLoader(src='img/p.png',sizingMethod='scale')}\r\n"
      ".x{background:url(big/img/p.png)}";
  Run(css, "", server.Url("/"));
  EXPECT_EQ(ReadFile(sheet),
            ".ie{filter:progid:DXImageTransform.Microsoft.AlphaImageLoader(src='p.png',sizingMethod='scale')}\r\n"
            ".x{background:url(big/img/p.png)}");
  EXPECT_EQ(form->lbl9->Caption(), L"完成 1 个，失败 0 个，跳过 0 个。原CSS文件已备份为 " + sheet + L".bak");
  EXPECT_FALSE(form->btn7->Visible());
}

TEST_F(EndToEndTest, ClearedCheckBoxWritesNothing) {
  server.Serve("/a.gif", {200, "A"});
  form->chk1->SetChecked(false);
  std::string css = "x{background:url(a.gif)}";
  Run(css, "", server.Url("/"));
  EXPECT_EQ(ReadFile(folder + L"a.gif"), "A");
  EXPECT_EQ(ReadFile(sheet), css);
  EXPECT_FALSE(Exists(sheet + L".bak"));
  EXPECT_EQ(form->Memo1->Lines()->Text(), css);
  EXPECT_EQ(form->lbl9->Caption(), L"完成 1 个，失败 0 个，跳过 0 个。CSS文件未修改。");
}

TEST_F(EndToEndTest, FailedDownloadKeepsItsAddressAndASecondRunKeepsTheFirstBackup) {
  server.Serve("/a.gif", {200, "A"});
  server.Serve("/c.gif", {200, "C"});
  std::string css = "x{background:url(a.gif)} y{background:url(b.gif)} z{background:url(c.gif)}\r\n";
  Run(css, "", server.Url("/"));
  EXPECT_EQ(form->ListView1->Items()->Item(1)->Caption(), L"失败1");
  EXPECT_EQ(ReadFile(sheet), css);  // a.gif -> a.gif, c.gif -> c.gif, b.gif kept
  EXPECT_EQ(ReadFile(sheet + L".bak"), css);
  EXPECT_EQ(form->lbl9->Caption(), L"完成 2 个，失败 1 个，跳过 0 个。原CSS文件已备份为 " + sheet + L".bak");
  EXPECT_TRUE(form->btn7->Visible());

  // Second run on the same sheet, now with b.gif available.
  server.Serve("/b.gif", {200, "B"});
  std::string first = ReadFile(sheet + L".bak");
  Run(css, "", server.Url("/"));
  EXPECT_EQ(ReadFile(sheet + L".bak"), first);
  EXPECT_EQ(ReadFile(sheet + L".bak.1"), css);
  std::string b = ToAnsi(form->ListView1->Items()->Item(1)->SubItems().Strings(1));
  EXPECT_EQ(ReadFile(folder + FromAnsi(b)), "B");
  EXPECT_EQ(form->lbl9->Caption(), L"完成 3 个，失败 0 个，跳过 0 个。原CSS文件已备份为 " + sheet + L".bak.1");
  EXPECT_FALSE(form->btn7->Visible());
}

// Step three's shortcut copies the found list as it is, quotes included: the download takes
// the address inside them, and the sheet keeps its quotes.
TEST_F(EndToEndTest, CompleteAddressesInQuotesTakeTheShortcut) {
  server.Serve("/x/a.png", {200, "A"});
  std::string css = "p{background:url(\"" + server.Url("/x/a.png") + "\")}";
  WriteFile(sheet, css);
  Open(sheet);
  form->btn2->Click();
  form->btn4->Click();
  form->btn5->Click();
  ASSERT_TRUE(PumpUntil([&] { return rewrites > 0; }, testsupport::kRunDeadlineMs));
  EXPECT_EQ(ReadFile(folder + L"a.png"), "A");
  EXPECT_EQ(ReadFile(sheet), "p{background:url(\"a.png\")}");
}

TEST_F(EndToEndTest, ChineseCommentsSurviveInBothEncodings) {
  server.Serve("/i/bg.png", {200, "PNG"});
  // Code page 936: "/* 背景图片 */", with a trail byte 0x5C ("\\") inside a character.
  std::string gbk = "/* \xB1\xB3\xBE\xB0\xCD\xBC\xC6\xAC \x95\x5C */\r\nbody{background:url(i/bg.png)}\r\n";
  Run(gbk, "", server.Url("/"));
  EXPECT_EQ(ReadFile(sheet), "/* \xB1\xB3\xBE\xB0\xCD\xBC\xC6\xAC \x95\x5C */\r\nbody{background:url(bg.png)}\r\n");
  DeleteFileW((folder + L"bg.png").c_str());
  DeleteFileW((sheet + L".bak").c_str());
  // UTF-8: "/* 背景图片 */" with bytes that are not all valid in 936.
  std::string utf8 = "/* \xE8\x83\x8C\xE6\x99\xAF\xE5\x9B\xBE\xE7\x89\x87 */\nbody{background:url(i/bg.png)}";
  Run(utf8, "", server.Url("/"));
  EXPECT_EQ(ReadFile(sheet),
            "/* \xE8\x83\x8C\xE6\x99\xAF\xE5\x9B\xBE\xE7\x89\x87 */\nbody{background:url(bg.png)}");
}

namespace {

// One line of rules, each with an image from img/, as a minifier writes a sheet: no line break
// anywhere, none at the end. `local` writes each address as its downloaded file name instead.
std::string MinifiedSheet(int rules, bool local) {
  const char* images[] = {"a.png", "b.gif", "c.jpg"};
  std::string css;
  for (int i = 0; i < rules; ++i) {
    std::string image = images[i % 3];
    css += ".r" + std::to_string(i) + "{background:url(" + (local ? "" : "img/") + image +
           ") no-repeat 0 -" + std::to_string(i * 16) + "px;width:16px;height:16px}";
  }
  return css;
}

}  // namespace

TEST_F(EndToEndTest, MinifiedSheetWithoutLineBreakIsWrittenBackByteExact) {
  server.Serve("/s/img/a.png", {200, "PNG"});
  server.Serve("/s/img/b.gif", {200, "GIF"});
  server.Serve("/s/img/c.jpg", {200, "JPG"});
  std::string css = MinifiedSheet(140, false);
  ASSERT_GT(css.size(), 10000u);
  Run(css, "", server.Url("/s/"));
  EXPECT_EQ(form->mmo1->Lines()->Text(), "img/a.png\r\nimg/b.gif\r\nimg/c.jpg\r\n");
  EXPECT_EQ(ReadFile(sheet + L".bak"), css);
  EXPECT_EQ(ReadFile(sheet), MinifiedSheet(140, true));
  EXPECT_EQ(ReadFile(folder + L"b.gif"), "GIF");
  // A sheet that did end with a line break keeps exactly that one.
  for (const wchar_t* name : {L".bak", L"a.png", L"b.gif", L"c.jpg"})
    DeleteFileW((name[0] == L'.' ? sheet + name : folder + name).c_str());
  Run(css + "\n", "", server.Url("/s/"));
  EXPECT_EQ(ReadFile(sheet + L".bak"), css + "\n");
  EXPECT_EQ(ReadFile(sheet), MinifiedSheet(140, true) + "\n");
}

// A sheet that could not be opened leaves the sheet held before as the one the run works on:
// its backup and its rewrite, its folder for the images; the other sheet stays as it is.
TEST_F(EndToEndTest, AFailedOpenNeverRedirectsTheRewrite) {
  server.Serve("/img/a.gif", {200, "A"});
  std::wstring folderA = folder + L"a\\", folderB = folder + L"b\\";
  CreateDirectoryW(folderA.c_str(), nullptr);
  CreateDirectoryW(folderB.c_str(), nullptr);
  std::wstring sheetA = folderA + L"style.css", sheetB = folderB + L"theme.css";
  std::string cssA = "x{background:url(img/a.gif)}\r\n", cssB = "y{background:url(b.gif)}\r\n";
  WriteFile(sheetA, cssA);
  WriteFile(sheetB, cssB);
  Open(sheetA);

  // B is locked by another program while the user picks it.
  HANDLE lock = CreateFileW(sheetB.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  boxesExpected = true;
  OpenThroughDialog(sheetB);
  ASSERT_TRUE(PumpUntil([&] { return !boxes.Boxes().empty(); }));
  EXPECT_EQ(boxes.Boxes()[0].text, L"Cannot open file \"" + sheetB + L"\". " + SysErrorMessage(ERROR_SHARING_VIOLATION));
  CloseHandle(lock);  // free again: nothing would stop a wrong write now

  form->btn2->Click();
  form->lbledt2->SetText(FromAnsi(server.Url("/")));
  form->btn3->Click();
  form->btn5->Click();
  ASSERT_TRUE(PumpUntil([&] { return rewrites > 0; }, testsupport::kRunDeadlineMs));
  EXPECT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(ReadFile(sheetA + L".bak"), cssA);
  EXPECT_EQ(ReadFile(sheetA), "x{background:url(a.gif)}\r\n");
  EXPECT_EQ(ReadFile(folderA + L"a.gif"), "A");
  EXPECT_EQ(ReadFile(sheetB), cssB);
  EXPECT_FALSE(Exists(sheetB + L".bak"));
  EXPECT_FALSE(Exists(folderB + L"a.gif"));
}

// Images behind a server that never answers, one that stalls after half the image, one that
// closes in the middle of it, and one that trickles slowly, between good ones. The run ends
// only after the last download ended; the rewritten sheet names only files that are in the
// folder with their whole bytes, and the folder holds nothing else.
TEST_F(EndToEndTest, OnlyWholeImagesAreNamedByTheRewrittenSheet) {
  form->SetStallLimit(1500);
  std::map<std::string, std::string> served = {
      {"a.gif", std::string(3000, 'a')}, {"slow.gif", std::string(2000, 's')}, {"z.gif", std::string(500, 'z')}};
  for (auto& [name, bytes] : served) server.Serve("/img/" + name, {200, bytes});
  HttpServer::Response slow{200, served["slow.gif"]};
  slow.pieceBytes = 250;
  slow.pieceDelayMs = 400;
  server.Serve("/img/slow.gif", slow);
  HttpServer::Response hang{200, std::string(1000, 'h')};
  hang.neverAnswers = true;
  HttpServer::Response half{200, std::string(4000, 'f')};
  half.end = HttpServer::Response::End::Stall;
  half.endAfter = 2000;
  HttpServer::Response cut{200, std::string(3698, 'c')};
  cut.end = HttpServer::Response::End::Close;
  cut.endAfter = 1849;
  server.Serve("/img/hang.png", hang);
  server.Serve("/img/half.png", half);
  server.Serve("/img/cut.png", cut);
  bool runningAtRewrite = true;
  auto rewrite = form->btn6->OnClick;
  form->btn6->OnClick = [&](TObject* s) {
    runningAtRewrite = form->RunningDownloads() > 0;
    rewrite(s);
  };
  std::string css =
      "a{background:url(img/a.gif)}\r\n"
      "b{background:url(img/hang.png)}\r\n"
      "c{background:url(img/half.png)}\r\n"
      "d{background:url(img/cut.png)}\r\n"
      "e{background:url(img/slow.gif)}\r\n"
      "f{background:url(img/z.gif)}\r\n";
  Run(css, "", server.Url("/"));
  EXPECT_FALSE(runningAtRewrite);
  std::string after = ReadFile(sheet);
  EXPECT_EQ(after,
            "a{background:url(a.gif)}\r\n"
            "b{background:url(img/hang.png)}\r\n"
            "c{background:url(img/half.png)}\r\n"
            "d{background:url(img/cut.png)}\r\n"
            "e{background:url(slow.gif)}\r\n"
            "f{background:url(z.gif)}\r\n");
  // Every reference is either an address kept as written or a whole file in the folder.
  for (const std::string& ref : References(after)) {
    if (ref.find('/') != std::string::npos) continue;
    ASSERT_TRUE(served.count(ref)) << ref;
    EXPECT_EQ(ReadFile(folder + FromAnsi(ref)), served[ref]) << ref;
  }
  EXPECT_EQ(Names(folder), (std::set<std::wstring>{L"style.css", L"style.css.bak", L"a.gif", L"slow.gif", L"z.gif"}));
}

// The last image arrives slowly, over several seconds: the list says that the run waits for
// it, and the sheet is rewritten only once it is in the folder.
TEST_F(EndToEndTest, ALastSlowImageIsWaitedForBeforeTheRewrite) {
  std::string fast(700, 'F'), slow(3000, 'S');
  server.Serve("/fast.gif", {200, fast});
  HttpServer::Response trickle{200, slow};
  trickle.pieceBytes = 300;
  trickle.pieceDelayMs = 400;  // about 4 s
  server.Serve("/slow.gif", trickle);
  std::string slowAtRewrite;
  bool waitingShown = false;
  auto rewrite = form->btn6->OnClick;
  form->btn6->OnClick = [&](TObject* s) {
    if (Exists(folder + L"slow.gif")) slowAtRewrite = ReadFile(folder + L"slow.gif");
    rewrite(s);
  };
  // The row that says the run waits: the list's last row, after the images' rows.
  form->tmr1->OnTimer = [this, &waitingShown, tick = form->tmr1->OnTimer](TObject* s) {
    tick(s);
    int count = form->ListView1->Items()->Count();
    if (count == 3 && form->ListView1->Items()->Item(2)->SubItems().Strings(2) == download::WaitingForLastDownloads(1))
      waitingShown = true;
  };
  Run("x{background:url(fast.gif)} y{background:url(slow.gif)}", "", server.Url("/"));
  EXPECT_TRUE(waitingShown);
  EXPECT_EQ(slowAtRewrite, slow);
  EXPECT_EQ(ReadFile(sheet), "x{background:url(fast.gif)} y{background:url(slow.gif)}");
  EXPECT_EQ(form->ListView1->Items()->Count(), 2);  // the waiting row is gone
  EXPECT_EQ(form->ListView1->Items()->Item(1)->Caption(), L"完成1");
}

// A sheet in a folder whose name the system's narrow code page cannot spell (Korean on the
// Chinese system): the images arrive in that folder and the sheet points at them.
TEST_F(EndToEndTest, AFolderNamedOutsideTheCodePageGetsItsImages) {
  std::wstring korean = folder + L"한글폴더\\";
  ASSERT_TRUE(CreateDirectoryW(korean.c_str(), nullptr));
  sheet = korean + L"style.css";
  server.Serve("/i/a.gif", {200, "GIF89a-A"});
  server.Serve("/i/b.png", {200, "PNG-B"});
  Run("p{background:url(i/a.gif)}\r\nq{background:url(i/b.png)}\r\n", "", server.Url("/"));
  EXPECT_EQ(ReadFile(korean + L"a.gif"), "GIF89a-A");
  EXPECT_EQ(ReadFile(korean + L"b.png"), "PNG-B");
  EXPECT_EQ(ReadFile(sheet), "p{background:url(a.gif)}\r\nq{background:url(b.png)}\r\n");
  EXPECT_EQ(Names(korean), (std::set<std::wstring>{L"style.css", L"style.css.bak", L"a.gif", L"b.png"}));
}

// A sheet far from the root: a folder path longer than MAX_PATH, and an address longer than a
// memo hands out as one line. The images arrive, the backup is the sheet's bytes and the sheet
// points at the images. Then the sheet is edited while a second run downloads: the rewrite
// writes nothing (the edit stays, no second backup), the run's images are kept, and the
// summary says so.
TEST_F(EndToEndTest, LongPathsAndAddressesWorkAndAnEditDuringTheRunIsKept) {
  std::wstring deep = folder;
  for (wchar_t part = L'a'; part < L'g'; ++part) {
    deep += std::wstring(50, part) + L"\\";
    ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
  }
  sheet = deep + L"style.css";
  const std::string query = "?v=" + std::string(5000, 'q');
  server.Serve("/img/x.gif", {200, "GIF89a-X"});
  server.Serve("/long.gif", {200, "GIF89a-L"});
  const std::string css = "a{background:url(/img/x.gif)}\nb{background:url(/long.gif" + query + ")}\n";
  WriteFile(sheet, css);
  form->OpenSheet(sheet);
  form->btn2->Click();
  form->lbledt1->SetText(FromAnsi(server.Url("")));
  form->ConvertAddresses();
  form->btn5->Click();
  ASSERT_TRUE(PumpUntil([&] { return rewrites == 1; }, testsupport::kRunDeadlineMs));
  EXPECT_EQ(ReadFile(deep + L"x.gif"), "GIF89a-X");
  EXPECT_EQ(ReadFile(deep + L"long.gif"), "GIF89a-L");
  EXPECT_EQ(ReadFile(sheet + L".bak"), css);
  EXPECT_EQ(ReadFile(sheet), "a{background:url(x.gif)}\nb{background:url(long.gif)}\n");

  HttpServer::Response late{200, "GIF89a-2"};
  late.delayMs = 500;
  server.Serve("/img/x.gif", late);
  form->btn5->Click();
  ASSERT_TRUE(PumpUntil([&] { return form->ListView1->Items()->Count() > 0; }, testsupport::kEventDeadlineMs));
  const std::string edited = "a{background:url(x.gif); color: red}\n";
  WriteFile(sheet, edited);
  ASSERT_TRUE(PumpUntil([&] { return rewrites == 2; }, testsupport::kRunDeadlineMs));
  EXPECT_EQ(ReadFile(sheet), edited);
  EXPECT_EQ(Names(deep), (std::set<std::wstring>{L"style.css", L"style.css.bak", L"x.gif", L"long.gif",
                                                  form->ListView1->Items()->Item(0)->SubItems().Strings(1),
                                                  form->ListView1->Items()->Item(1)->SubItems().Strings(1)}));
  EXPECT_EQ(form->lbl9->Caption(), std::wstring(L"完成 2 个，失败 0 个，跳过 0 个。") + download::kSheetChanged);
}
