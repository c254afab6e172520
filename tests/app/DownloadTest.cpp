// Step four against a real HTTP server on 127.0.0.1: rows, captions, files, failures,
// collisions and restarts, all through the real window.
#include "FormFixture.h"
#include "HttpServer.h"
#include "app/download/BindStatusCallback.h"

using testsupport::HttpServer;
using testsupport::PumpUntil;
using namespace ui;

namespace {

std::string Image(char seed, size_t size) {
  std::string bytes = "GIF89a";
  for (size_t i = 0; bytes.size() < size; ++i) bytes += static_cast<char>(seed + i * 7);
  return bytes;
}

struct DownloadTest : MainWindowTest {
  HttpServer server;
  int rewrites = 0;

  void SetUp() override {
    MainWindowTest::SetUp();
    form->SetHint(folder);
    form->btn6->OnClick = [this](TObject*) { ++rewrites; };
  }

  void Lists(const std::vector<std::string>& found, const std::vector<std::string>& converted) {
    TStringList f, c;
    for (auto& s : found) f.Add(s);
    for (auto& s : converted) c.Add(s);
    form->mmo1->Lines()->Assign(f);
    form->mmo2->Lines()->Assign(c);
  }

  bool RunEnds(int timeoutMs = 15000) {
    return PumpUntil([&] { return rewrites > 0; }, timeoutMs);
  }

  std::wstring Cell(int row, int column) {
    TListItem* item = form->ListView1->Items()->Item(row);
    return column == 0 ? item->Caption() : item->SubItems().Strings(column - 1);
  }
};

}  // namespace

TEST_F(DownloadTest, ImagesArriveWithTheirNamesAndBytesAndRowsComplete) {
  std::string a = Image('a', 3000), b = Image('b', 70000), c = Image('c', 10);
  server.Serve("/img/a.gif", {200, a});
  server.Serve("/img/b.png", {200, b, true, 0, 1});  // chunked, slowly
  server.Serve("/c.jpg", {200, c});
  Lists({"/img/a.gif", "img/b.png?v=2", "'/c.jpg'"},
        {server.Url("/img/a.gif"), server.Url("/img/b.png?v=2"), server.Url("/c.jpg")});
  form->btn5->Click();
  EXPECT_EQ(form->ListView1->Items()->Count(), 1);  // row 0 at once, the rest by ticks
  ASSERT_TRUE(RunEnds());
  EXPECT_EQ(rewrites, 1);
  EXPECT_EQ(form->Tag(), 3);  // the fourth tick found the cursor past the end
  ASSERT_EQ(form->ListView1->Items()->Count(), 3);
  EXPECT_EQ(ReadFile(folder + L"a.gif"), a);
  EXPECT_EQ(ReadFile(folder + L"b.png"), b);
  EXPECT_EQ(ReadFile(folder + L"c.jpg"), c);
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(Cell(row, 0), L"完成" + std::to_wstring(row));
    EXPECT_EQ(Cell(row, 1), L"100%");
    EXPECT_TRUE(form->DownloadRun().Completed(row));
  }
  EXPECT_EQ(Cell(1, 2), L"b.png");
  EXPECT_EQ(Cell(2, 3), L"'/c.jpg'");
  EXPECT_FALSE(form->tmr1->Enabled());
  EXPECT_TRUE(form->pnl3->Visible());
  EXPECT_EQ(form->wb1->Left(), -3);
  EXPECT_EQ(form->wb1->Width(), 300);
  EXPECT_EQ(form->wb1->NavigationCount(), 1);
}

TEST_F(DownloadTest, ReportsSetCaptionsAndCellsOnTheWindowThread) {
  server.Serve("/slow.gif", {200, Image('s', 100), false, 3000});
  Lists({"slow.gif"}, {server.Url("/slow.gif")});
  form->btn5->Click();
  HWND h = form->Handle();
  int run = form->DownloadRun().Id();
  auto report = [&](ULONG progress, ULONG maximum) {
    SendMessageW(h, download::WM_DOWNLOADPROGRESS, 0,
                 reinterpret_cast<LPARAM>(new download::TProgressReport{run, 0, progress, maximum}));
  };
  report(50, 1000);
  EXPECT_EQ(Cell(0, 1), L"%");
  EXPECT_EQ(Cell(0, 0), L"0下载中...");
  report(101, 1000);
  EXPECT_EQ(Cell(0, 1), L"10.10%");
  EXPECT_FALSE(form->tmr1->Enabled());
  report(1000, 1000);
  EXPECT_EQ(Cell(0, 0), L"完成0");
  EXPECT_EQ(Cell(0, 1), L"100%");
  EXPECT_TRUE(form->tmr1->Enabled());  // armed by the completion
  form->tmr1->SetEnabled(false);
  report(200, 1000);  // after a completion: the row only
  EXPECT_EQ(Cell(0, 0), L"0下载中...");
  EXPECT_EQ(Cell(0, 1), L"20.00%");
  EXPECT_FALSE(form->tmr1->Enabled());
  report(0, 0);
  EXPECT_EQ(Cell(0, 0), L"完成0");
  // A report for a row of an earlier run changes nothing.
  SendMessageW(h, download::WM_DOWNLOADPROGRESS, 0,
               reinterpret_cast<LPARAM>(new download::TProgressReport{run - 1, 0, 5, 1000}));
  EXPECT_EQ(Cell(0, 0), L"完成0");
}

TEST_F(DownloadTest, FailuresInTheMiddleDoNotStopTheRun) {
  server.Serve("/a.gif", {200, "A"});
  server.Serve("/d.gif", {200, "D"});
  std::string refused = "http://127.0.0.1:" + std::to_string(HttpServer::RefusedPort()) + "/c.gif";
  Lists({"a.gif", "missing.gif", "c.gif", "dir/", "d.gif"},
        {server.Url("/a.gif"), server.Url("/missing.gif"), refused, server.Url("/dir/"), server.Url("/d.gif")});
  form->btn5->Click();
  ASSERT_TRUE(RunEnds(30000));
  ASSERT_EQ(form->ListView1->Items()->Count(), 5);
  EXPECT_EQ(Cell(0, 0), L"完成0");
  EXPECT_EQ(Cell(1, 0), L"失败1");
  EXPECT_EQ(Cell(1, 1), L"");
  EXPECT_EQ(Cell(2, 0), L"失败2");
  EXPECT_EQ(Cell(3, 0), L"失败3");  // an address ending in "/" names no file
  EXPECT_EQ(Cell(3, 2), L"");
  EXPECT_EQ(Cell(4, 0), L"完成4");
  EXPECT_EQ(ReadFile(folder + L"d.gif"), "D");
  EXPECT_FALSE(Exists(folder + L"missing.gif"));
  EXPECT_FALSE(form->DownloadRun().Completed(1));
}

TEST_F(DownloadTest, CollisionsGetAPrefixAndNothingIsOverwritten) {
  WriteFile(folder + L"top.gif", "mine");
  server.Serve("/1/top.gif", {200, "one"});
  server.Serve("/2/top.gif", {200, "two"});
  Lists({"1/top.gif", "2/top.gif"}, {server.Url("/1/top.gif"), server.Url("/2/top.gif")});
  form->btn5->Click();
  ASSERT_TRUE(RunEnds());
  EXPECT_EQ(ReadFile(folder + L"top.gif"), "mine");
  std::wstring first = Cell(0, 2), second = Cell(1, 2);
  EXPECT_NE(first, L"top.gif");
  EXPECT_NE(first, second);
  for (const std::wstring& name : {first, second}) {
    size_t underscore = name.find(L'_');
    ASSERT_NE(underscore, std::wstring::npos) << Utf8(name);
    EXPECT_EQ(name.substr(underscore), L"_top.gif");
    int n = std::stoi(name.substr(0, underscore));
    EXPECT_GE(n, 0);
    EXPECT_LE(n, 9998);
  }
  EXPECT_EQ(ReadFile(folder + first), "one");
  EXPECT_EQ(ReadFile(folder + second), "two");
}

TEST_F(DownloadTest, HostileNamesStayInsideTheFolderAndShortFoundListsLeaveCellsEmpty) {
  server.Serve("/x.gif", {200, "X"});
  server.Serve("/y.gif", {200, "Y"});
  std::wstring inner = folder + L"inner\\";
  CreateDirectoryW(inner.c_str(), nullptr);
  form->SetHint(inner);
  Lists({"only-one"}, {server.Url("/") + "..\\..\\x.gif", server.Url("/y.gif")});
  form->btn5->Click();
  ASSERT_TRUE(RunEnds());
  EXPECT_EQ(Cell(0, 2), L"x.gif");
  EXPECT_EQ(ReadFile(inner + L"x.gif"), "X");
  EXPECT_FALSE(Exists(folder + L"x.gif"));
  EXPECT_EQ(Cell(0, 3), L"only-one");
  EXPECT_EQ(Cell(1, 3), L"");  // mmo1 is shorter than mmo2
}

TEST_F(DownloadTest, StartingAgainDuringARunRestartsCleanly) {
  server.Serve("/slow.gif", {200, "S", false, 1500});
  server.Serve("/fast.gif", {200, "F"});
  Lists({"slow.gif", "fast.gif"}, {server.Url("/slow.gif"), server.Url("/fast.gif")});
  form->btn5->Click();
  testsupport::PumpFor(200);
  server.Serve("/slow.gif", {200, "S2"});
  form->btn5->Click();  // the first worker is still running
  ASSERT_TRUE(RunEnds());
  testsupport::PumpFor(2000);  // the first run's late reports arrive and are ignored
  EXPECT_EQ(rewrites, 1);
  ASSERT_EQ(form->ListView1->Items()->Count(), 2);
  EXPECT_EQ(Cell(0, 0), L"完成0");
  EXPECT_EQ(Cell(1, 0), L"完成1");
}
