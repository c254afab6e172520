// Steps one to three on real windows and real files, in code page 936.
#include "FormFixture.h"

using namespace ui;
using testsupport::PumpUntil;

namespace {

struct StepsTest : MainWindowTest {
  std::wstring sheet;
  void SetUp() override {
    MainWindowTest::SetUp();
    sheet = folder + L"样式.css";
  }
  void Open(const std::string& bytes) {
    WriteFile(sheet, bytes);
    OpenSheet(sheet);
  }
  void OpenSheet(const std::wstring& path) { OpenThroughDialog(path); }
  std::vector<std::string> Found() {
    std::vector<std::string> lines;
    for (int i = 0; i < form->mmo1->Lines()->Count(); ++i) lines.push_back(form->mmo1->Lines()->Strings(i));
    return lines;
  }
  std::vector<std::string> Analyse(const std::string& css, const std::wstring& pattern = L"") {
    Open(css);
    if (!pattern.empty()) form->edt1->SetText(pattern);
    form->btn2->Click();
    return Found();
  }
};

}  // namespace

TEST_F(StepsTest, OpeningASheetFillsTheHolderAndTheLabels) {
  std::string bytes = Bytes("a{x}\r\nb\nc\r\xD6\xD0\x00\xFF\x81\x20z");
  Open(bytes);
  EXPECT_EQ(form->lbl1->Caption(), L"CSS样式文件：" + sheet);
  EXPECT_EQ(form->Hint(), folder);
  EXPECT_EQ(form->lbl2->Caption(), L"CSS文件路径：" + folder);
  EXPECT_FALSE(form->lbl2->Visible());
  // Every byte is kept; only the line breaks became CR LF, and none was added at the end.
  EXPECT_EQ(form->Memo1->Lines()->Text(), Bytes("a{x}\r\nb\r\nc\r\n\xD6\xD0\x00\xFF\x81\x20z"));
  EXPECT_EQ(form->Memo1->FileName(), sheet);
  std::wstring copy = folder + L"copy.css";
  form->Memo1->Lines()->SaveToFile(copy);
  EXPECT_EQ(ReadFile(copy), form->Memo1->Lines()->Text());
}

TEST_F(StepsTest, ASheetThatCannotBeOpenedKeepsTheHolderAndShowsTheError) {
  WriteFile(sheet, "x");
  HANDLE lock = CreateFileW(sheet.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  boxesExpected = true;
  std::wstring hint = form->Hint(), caption = form->lbl1->Caption();
  OpenSheet(sheet);
  CloseHandle(lock);
  ASSERT_TRUE(PumpUntil([&] { return !boxes.Boxes().empty(); }));
  EXPECT_EQ(boxes.Boxes()[0].text, L"Cannot open file \"" + sheet + L"\". " + SysErrorMessage(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(form->Memo1->Lines()->Text(), "Memo1\r\n");
  EXPECT_EQ(form->Memo1->FileName(), L"");
  // The labels and the download folder still describe the text held.
  EXPECT_EQ(form->Hint(), hint);
  EXPECT_EQ(form->lbl1->Caption(), caption);
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
  // Nor is a sheet read that is not narrow text: a pattern would find nothing in it, and a
  // rewrite would corrupt it.
  std::wstring utf16 = folder + L"utf16.css";
  WriteFile(utf16, std::string("\xff\xfe" "a\0{\0}\0", 8));
  OpenSheet(utf16);
  ASSERT_TRUE(PumpUntil([&] { return boxes.Boxes().size() == 2; }));
  EXPECT_EQ(boxes.Boxes()[1].text.rfind(L"无法把 \"" + utf16 + L"\" 作为文本读取", 0), 0u) << Utf8(boxes.Boxes()[1].text);
  EXPECT_EQ(form->Memo1->FileName(), L"");
  EXPECT_EQ(form->Hint(), hint);
}

TEST_F(StepsTest, SheetsOpenedOneAfterTheOtherLoadWhateverTheirPathLengths) {
  struct Sheet {
    std::wstring path;
    std::string bytes;
  };
  std::wstring deep = folder + L"jquery-ui-1.13.2\\themes\\smoothness\\";
  std::wstring shallow = folder + L"s\\";
  std::wstring deeper = folder + L"leaflet-1.9.4-distribution\\dist\\images-and-styles\\";
  for (const std::wstring& dir : {folder + L"jquery-ui-1.13.2\\", folder + L"jquery-ui-1.13.2\\themes\\", deep,
                                  shallow, folder + L"leaflet-1.9.4-distribution\\",
                                  folder + L"leaflet-1.9.4-distribution\\dist\\", deeper})
    CreateDirectoryW(dir.c_str(), nullptr);
  const Sheet sheets[] = {{deep + L"style.css", "a{background:url(jq.png)}\r\n"},
                          {shallow + L"a.css", "b{background:url(s.png)}\r\n"},
                          {deeper + L"style.css", "c{background:url(leaf.png)}\r\n"},
                          {shallow + L"a.css", "b{background:url(s.png)}\r\n"}};
  for (const Sheet& s : sheets) WriteFile(s.path, s.bytes);
  for (const Sheet& s : sheets) {
    OpenSheet(s.path);
    EXPECT_EQ(form->Memo1->Lines()->Text(), s.bytes) << Utf8(s.path);
    EXPECT_EQ(form->lbl1->Caption(), L"CSS样式文件：" + s.path);
    EXPECT_EQ(form->Hint(), s.path.substr(0, s.path.rfind(L'\\') + 1));
  }
}

TEST_F(StepsTest, AnalysisKeepsQuotesIgnoresCaseAndTheFirstGroup) {
  auto found = Analyse(
      "a{background:url('/image/top.gif')}\r\n"
      "b{background-image: url(a.gif) no-repeat}\r\n"
      "c{BACKGROUND:URL(b.gif)}\r\n"
      "d{background:url(split\r\n.gif)}\r\n");
  EXPECT_EQ(found, (std::vector<std::string>{"'/image/top.gif'", "a.gif", "b.gif"}));
  EXPECT_EQ(form->lbl3->Caption(), L"共 3 个图片");
}

TEST_F(StepsTest, DeduplicationComparesWholeAddresses) {
  EXPECT_EQ(Analyse("x{background:url(img/a.gif)} y{background:url(a.gif)} z{background:url(A.GIF)} "
                    "w{background:url(a.gif)}"),
            (std::vector<std::string>{"img/a.gif", "a.gif", "A.GIF"}));
  EXPECT_EQ(Analyse("x{background:url(a.gif)} y{background:url(img/a.gif)}"),
            (std::vector<std::string>{"a.gif", "img/a.gif"}));
  EXPECT_EQ(Analyse("x{background:url()} y{background:url()}"), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(form->lbl3->Caption(), L"共 2 个图片");
}

// The image is the second capture however the groups are written. A pattern without a second
// group, or one the engine refuses, is named in the window's error box and lists nothing.
TEST_F(StepsTest, PatternsAreReadByTheirCapturingGroups) {
  const std::string css = "x{background:url(a.gif)} (y){background:url(b.gif)}";
  const std::pair<std::wstring, std::vector<std::string>> listed[] = {
      {L"(back)(ground).*?url\\((.*?)\\)", {"ground"}},
      {L"(?:back)(ground)(?=:)\\:url\\(([^)]*)\\)", {"a.gif", "b.gif"}},
      {L"[(]?(\\w*)[)]?\\{background:url\\((.*?)\\)", {"a.gif", "b.gif"}},
  };
  for (const auto& [pattern, images] : listed) EXPECT_EQ(Analyse(css, pattern), images) << Utf8(pattern);
  const std::pair<std::wstring, std::wstring> refused[] = {
      {L"url\\((.*?)\\)", L"正则表达式只有 1 个捕获分组，图片地址取自第 2 个分组。表达式：url\\((.*?)\\)"},
      {L"\\((y)\\)(?:\\{)background[(]", L"正则表达式只有 1 个捕获分组，图片地址取自第 2 个分组。表达式：\\((y)\\)(?:\\{)background[(]"},
      {L"background(?!x)url", L"正则表达式只有 0 个捕获分组，图片地址取自第 2 个分组。表达式：background(?!x)url"},
      {L"url\\((", L"正则表达式无效：缺少 )。表达式：url\\(("},
      {L"(a)(b)[", L"正则表达式无效：缺少 ]。表达式：(a)(b)["},
  };
  boxesExpected = true;
  for (const auto& [pattern, message] : refused) {
    form->mmo1->Lines()->SetText("left over\r\n");
    size_t shown = boxes.Boxes().size();
    form->edt1->SetText(pattern);
    PostMessageW(form->btn2->Handle(), BM_CLICK, 0, 0);  // a click: the error goes to the box
    ASSERT_TRUE(PumpUntil([&] { return boxes.Boxes().size() > shown; })) << Utf8(pattern);
    EXPECT_EQ(boxes.Boxes().back().text, message);
    EXPECT_TRUE(Found().empty()) << Utf8(pattern);
    EXPECT_EQ(form->lbl3->Caption(), L"共 0 个图片");
  }
}

TEST_F(StepsTest, StepTwoWithoutStepOneAndAnInvalidPattern) {
  form->btn2->Click();
  EXPECT_TRUE(Found().empty());
  EXPECT_EQ(form->lbl3->Caption(), L"共 0 个图片");
  form->mmo1->Lines()->SetText("left over\r\n");
  form->edt1->SetText(L"url\\((.*)(");
  EXPECT_THROW(form->btn2Click(form->btn2), app::ERegExpError);
  EXPECT_TRUE(Found().empty());  // cleared before the engine failed
}

TEST_F(StepsTest, SecondSheetKeepsTheFirstFoundListUntilStepTwo) {
  Analyse("x{background:url(a.gif)}");
  Open("y{background:url(b.gif)}");
  EXPECT_EQ(Found(), std::vector<std::string>{"a.gif"});
}

TEST_F(StepsTest, ConversionChoosesPrefixesAndWritesTheTestPage) {
  form->mmo1->Lines()->SetText(
      "http://x/a.gif\r\n/image/top.gif\r\nimage/top.gif\r\nhttps://x/b.gif\r\nHTTP://X/C.GIF\r\n"
      "//cdn/d.gif\r\n'/image/top.gif'\r\n\r\n/p?u=http://x\r\n \"a.png?v=3\" \r\nDATA:image/gif;base64,R0lG\r\n");
  form->lbledt1->SetText(L"http://www.vexlo.example");
  form->lbledt2->SetText(L"http://www.vexlo.example/kk/");
  form->btn3->Click();
  const std::string A = "http://www.vexlo.example", R = "http://www.vexlo.example/kk/";
  // Quotes and blanks around an address are the sheet's, not the address's; addresses that name
  // their server stay, protocol-relative ones take the site's scheme, embedded images stay.
  std::vector<std::string> expected = {"http://x/a.gif",   A + "/image/top.gif", R + "image/top.gif",
                                       "https://x/b.gif",  "HTTP://X/C.GIF",     "http://cdn/d.gif",
                                       A + "/image/top.gif", R,                  "/p?u=http://x",
                                       R + "a.png?v=3",    "DATA:image/gif;base64,R0lG"};
  ASSERT_EQ(form->mmo2->Lines()->Count(), 11);
  for (int i = 0; i < 11; ++i) EXPECT_EQ(form->mmo2->Lines()->Strings(i), expected[static_cast<size_t>(i)]);
  std::string page = ReadFile(TForm1::TestPagePath());
  std::string header = ToAnsi(
      L"<body style=\"background-color:#B5D7D2;\">以下是测试代码，如果图片能正常显示则说明路径正确，可以下载，否则请返回修改路径！<br><br>");
  std::string lines = header + "\r\n";
  for (int i = 0; i < 11; ++i) {
    std::string q = "\"" + expected[static_cast<size_t>(i)] + "\"";
    lines += std::to_string(i) + " <img src=" + q + " alt=" + q + "><br><br><hr>\r\n";
  }
  EXPECT_EQ(page, lines);
  EXPECT_EQ(form->mmo3->Lines()->Text(), lines);
  ASSERT_EQ(shellOpened.size(), 1u);
  EXPECT_EQ(shellOpened[0], TForm1::TestPagePath());
}

TEST_F(StepsTest, EmptyListAndHostileAddresses) {
  form->btn3->Click();
  EXPECT_EQ(form->mmo2->Lines()->Count(), 0);
  EXPECT_EQ(form->mmo3->Lines()->Count(), 1);
  EXPECT_EQ(shellOpened.size(), 1u);  // still saved and opened
  form->mmo1->Lines()->SetText("x\"><script>alert(1)</script>\r\n");
  form->btn3->Click();
  std::string page = ReadFile(TForm1::TestPagePath());
  EXPECT_EQ(page.find("<script"), std::string::npos);
  EXPECT_NE(page.find("&lt;script&gt;"), std::string::npos);
  // With both prefixes empty the converted list equals the found list; so does step three's
  // shortcut, which leaves the test page alone.
  form->mmo1->Lines()->SetText("a.gif\r\n/b.gif\r\n");
  form->btn4->Click();
  EXPECT_EQ(form->mmo2->Lines()->Text(), "a.gif\r\n/b.gif\r\n");
  EXPECT_EQ(ReadFile(TForm1::TestPagePath()), page);
  EXPECT_EQ(shellOpened.size(), 2u);
}

TEST_F(StepsTest, AnUnwritableTestPageIsReportedAndNothingIsOpened) {
  std::wstring page = TForm1::TestPagePath();
  DeleteFileW(page.c_str());
  ASSERT_TRUE(CreateDirectoryW(page.c_str(), nullptr));  // a folder in the way
  form->mmo1->Lines()->SetText("a.gif\r\n");
  try {
    form->btn3Click(form->btn3);
    ADD_FAILURE() << "no error";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message().rfind(L"Cannot create file \"" + page + L"\". ", 0), 0u);
  }
  RemoveDirectoryW(page.c_str());
  EXPECT_EQ(form->mmo2->Lines()->Text(), "a.gif\r\n");  // already filled
  EXPECT_TRUE(shellOpened.empty());
}
