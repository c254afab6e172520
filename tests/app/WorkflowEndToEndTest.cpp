// The whole workflow as a user drives it: open a sheet, analyse, convert with prefixes that
// point at a loopback server, download, and compare the files, the backup and the rewritten
// sheet byte for byte.
#include "FormFixture.h"
#include "HttpServer.h"

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
    ASSERT_TRUE(PumpUntil([&] { return rewrites > before; }, 30000));
  }
};

}  // namespace

TEST_F(EndToEndTest, QuotesRepeatsCaseAndLastLineWithoutBreak) {
  // The quoted address travels as written or escaped, depending on the download service.
  server.Serve("/site/css/'/image/top.gif'", {200, "QUOTED"});
  server.Serve("/site/css/%27/image/top.gif%27", {200, "QUOTED"});
  server.Serve("/site/css/img/a.gif", {200, "AAA"});
  std::string css =
      "a{background:url('/image/top.gif')}\r\n"
      "b{background:url(img/a.gif)}\n"
      "c{background:url(img/a.gif)} d{background:url(img/a.gif)}\r"
      "e{background:url(IMG/A.GIF)}\r\n"
      "f{background:url(/image/top.gif)}";  // no final line break
  Run(css, server.Url(""), server.Url("/site/css/"));
  // "/image/top.gif" is part of the first, quoted address, so it is not listed again.
  EXPECT_EQ(form->mmo1->Lines()->Text(), "'/image/top.gif'\r\nimg/a.gif\r\nIMG/A.GIF\r\n");
  // Line breaks became CR LF; the last line still ends without one.
  std::string loaded =
      "a{background:url('/image/top.gif')}\r\n"
      "b{background:url(img/a.gif)}\r\n"
      "c{background:url(img/a.gif)} d{background:url(img/a.gif)}\r\n"
      "e{background:url(IMG/A.GIF)}\r\n"
      "f{background:url(/image/top.gif)}";
  EXPECT_EQ(ReadFile(sheet + L".bak"), loaded);
  EXPECT_EQ(ReadFile(folder + L"top.gif'"), "QUOTED");
  EXPECT_EQ(ReadFile(folder + L"a.gif"), "AAA");
  EXPECT_EQ(ReadFile(sheet),
            "a{background:url(top.gif')}\r\n"
            "b{background:url(a.gif)}\r\n"
            "c{background:url(a.gif)} d{background:url(a.gif)}\r\n"
            "e{background:url(IMG/A.GIF)}\r\n"  // different case: its download failed, kept
            "f{background:url(/image/top.gif)}");
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
}

TEST_F(EndToEndTest, FailedDownloadKeepsItsAddressAndASecondRunKeepsTheFirstBackup) {
  server.Serve("/a.gif", {200, "A"});
  server.Serve("/c.gif", {200, "C"});
  std::string css = "x{background:url(a.gif)} y{background:url(b.gif)} z{background:url(c.gif)}\r\n";
  Run(css, "", server.Url("/"));
  EXPECT_EQ(form->ListView1->Items()->Item(1)->Caption(), L"失败1");
  EXPECT_EQ(ReadFile(sheet), css);  // a.gif -> a.gif, c.gif -> c.gif, b.gif kept
  EXPECT_EQ(ReadFile(sheet + L".bak"), css);

  // Second run on the same sheet, now with b.gif available.
  server.Serve("/b.gif", {200, "B"});
  std::string first = ReadFile(sheet + L".bak");
  Run(css, "", server.Url("/"));
  EXPECT_EQ(ReadFile(sheet + L".bak"), first);
  EXPECT_EQ(ReadFile(sheet + L".bak.1"), css);
  std::string b = ToAnsi(form->ListView1->Items()->Item(1)->SubItems().Strings(1));
  EXPECT_EQ(ReadFile(folder + FromAnsi(b)), "B");
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
            "/* \xE8\x83\x8C\xE6\x99\xAF\xE5\x9B\xBE\xE7\x89\x87 */\r\nbody{background:url(bg.png)}");
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
  // A sheet that did end with a line break keeps exactly one.
  DeleteFileW((sheet + L".bak").c_str());
  Run(css + "\n", "", server.Url("/s/"));
  EXPECT_EQ(ReadFile(sheet + L".bak"), css + "\r\n");
  std::string rewritten = ReadFile(sheet);
  EXPECT_EQ(rewritten.substr(rewritten.size() - 2), "\r\n");
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
  ASSERT_TRUE(PumpUntil([&] { return rewrites > 0; }, 30000));
  EXPECT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(ReadFile(sheetA + L".bak"), cssA);
  EXPECT_EQ(ReadFile(sheetA), "x{background:url(a.gif)}\r\n");
  EXPECT_EQ(ReadFile(folderA + L"a.gif"), "A");
  EXPECT_EQ(ReadFile(sheetB), cssB);
  EXPECT_FALSE(Exists(sheetB + L".bak"));
  EXPECT_FALSE(Exists(folderB + L"a.gif"));
}
