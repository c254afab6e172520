// Step four against a real HTTP server on 127.0.0.1: rows, captions, files, failures,
// collisions and restarts, all through the real window.
#include "FormFixture.h"
#include "HttpServer.h"
#include "app/download/BindStatusCallback.h"

#include <algorithm>
#include <map>
#include <set>

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

  bool RunEnds(int timeoutMs = testsupport::kRunDeadlineMs) {
    return PumpUntil([&] { return rewrites > 0; }, timeoutMs);
  }

  // The names in the download folder.
  std::set<std::wstring> FolderNames() const { return testsupport::NamesIn(folder); }

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
  EXPECT_EQ(form->Sequencer().Cursor(), 3);  // the fourth tick found the cursor past the end
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

// A real worker against a body that arrives slowly: the row shows the percentages of the
// sink's reports while the download runs (the call's return only ever sets "100%" or an
// empty cell), stays "downloading" after the early report of 0 of 0 has let the next image
// start, and completes only when its file is in place.
TEST_F(DownloadTest, ReportsOfARealWorkerShowIntermediatePercentages) {
  std::string slow = Image('s', 10000), next = Image('n', 300);
  HttpServer::Response trickle{200, slow};
  trickle.pieceBytes = 1000;
  trickle.pieceDelayMs = 250;
  server.Serve("/slow.gif", trickle);
  server.Serve("/next.gif", {200, next});
  Lists({"slow.gif", "next.gif"}, {server.Url("/slow.gif"), server.Url("/next.gif")});
  form->btn5->Click();
  std::set<std::wstring> percentages;
  bool downloadingWhileNextRan = false;
  ASSERT_TRUE(PumpUntil([&] {
    if (form->ListView1->Items()->Count() == 0) return false;
    std::wstring cell = Cell(0, 1), caption = Cell(0, 0);
    if (caption == L"0下载中..." && cell.size() > 1 && cell != L"100%") percentages.insert(cell);
    if (form->ListView1->Items()->Count() >= 2 && caption == L"0下载中...") downloadingWhileNextRan = true;
    return rewrites > 0;
  }, testsupport::kRunDeadlineMs));
  EXPECT_GE(percentages.size(), 3u) << "intermediate percentages seen: " << percentages.size();
  for (const std::wstring& p : percentages) EXPECT_EQ(p.back(), L'%') << Utf8(p);
  EXPECT_TRUE(downloadingWhileNextRan);
  EXPECT_EQ(Cell(0, 0), L"完成0");
  EXPECT_EQ(Cell(0, 1), L"100%");
  EXPECT_EQ(ReadFile(folder + L"slow.gif"), slow);
  EXPECT_EQ(ReadFile(folder + L"next.gif"), next);
}

// Servers that never answer, stall after half the image, or close in the middle of it: each
// of those rows fails once the (shortened) stall limit has passed without progress, or when
// the cut is seen, and leaves no file; a slow trickle that keeps going is not a stall.
TEST_F(DownloadTest, StalledAndCutDownloadsFailAndLeaveNothing) {
  // Long enough that a busy machine still sees the cut well before it (Wine has taken 1.6 s).
  const DWORD limit = 3000;
  form->SetStallLimit(limit);
  std::string good = Image('g', 2000), cut = Image('c', 3698), half = Image('h', 4000), slow = Image('t', 3200);
  HttpServer::Response hang{200, "never"};
  hang.neverAnswers = true;
  HttpServer::Response halfRoute{200, half};
  halfRoute.end = HttpServer::Response::End::Stall;
  halfRoute.endAfter = half.size() / 2;
  HttpServer::Response cutRoute{200, cut};
  cutRoute.end = HttpServer::Response::End::Close;
  cutRoute.endAfter = 1849;
  HttpServer::Response slowRoute{200, slow};
  slowRoute.pieceBytes = 400;
  slowRoute.pieceDelayMs = 500;  // about 4 s in all, longer than the limit
  server.Serve("/good.gif", {200, good});
  server.Serve("/hang.png", hang);
  server.Serve("/half.png", halfRoute);
  server.Serve("/cut.png", cutRoute);
  server.Serve("/slow.gif", slowRoute);
  Lists({"good.gif", "hang.png", "half.png", "cut.png", "slow.gif"},
        {server.Url("/good.gif"), server.Url("/hang.png"), server.Url("/half.png"), server.Url("/cut.png"),
         server.Url("/slow.gif")});
  std::map<int, DWORD> made, failed;
  bool runningAtRewrite = true;
  form->btn6->OnClick = [&](TObject*) {
    ++rewrites;
    runningAtRewrite = form->RunningDownloads() > 0;
  };
  form->btn5->Click();
  ASSERT_TRUE(PumpUntil([&] {
    int rows = std::min(form->ListView1->Items()->Count(), 5);
    for (int row = 0; row < rows; ++row) {
      made.emplace(row, GetTickCount());
      const std::wstring caption = Cell(row, 0);
      if (caption.compare(0, 2, L"失败") == 0) failed.emplace(row, GetTickCount());
    }
    return rewrites > 0;
  }, testsupport::kRunDeadlineMs));
  EXPECT_FALSE(runningAtRewrite);
  ASSERT_EQ(form->ListView1->Items()->Count(), 5);
  EXPECT_EQ(Cell(0, 0), L"完成0");
  EXPECT_EQ(Cell(4, 0), L"完成4");
  for (int row : {1, 2, 3}) {
    EXPECT_EQ(Cell(row, 0), L"失败" + std::to_wstring(row));
    EXPECT_EQ(Utf8(Cell(row, 1)), Utf8(row == 3 ? L"不完整：1849/3698 字节" : L"超时无响应"));
    EXPECT_FALSE(form->DownloadRun().Completed(row));
    ASSERT_TRUE(failed.count(row)) << row;
  }
  // The silent ones end through the stall limit: not before it, and not long after.
  for (int row : {1, 2}) {
    DWORD took = failed[row] - made[row];
    EXPECT_GE(took + 100, limit) << "row " << row << " failed after " << took << " ms";
    EXPECT_LT(took, limit + 5000) << "row " << row << " failed after " << took << " ms";
  }
  EXPECT_LT(failed[3] - made[3], limit) << "a cut is seen at once";
  EXPECT_EQ(ReadFile(folder + L"good.gif"), good);
  EXPECT_EQ(ReadFile(folder + L"slow.gif"), slow);
  EXPECT_EQ(FolderNames(), (std::set<std::wstring>{L"good.gif", L"slow.gif"}));
}

// One run with a row for every kind of failure the window can meet, between good images: each
// failed row keeps its caption and shows why in its progress cell, the run keeps the same
// reason for a later list, and the good images arrive. The destination of one row is taken
// by a folder while its server waits before answering, so that its file cannot be moved
// to its name. Among the failures: every error status, redirects without end or away from
// the web, addresses that are not http or https, error pages and empty bodies sent with
// status 200, a server that trickles past the time limit. A
// progress report that comes after a row failed leaves it failed.
TEST_F(DownloadTest, EveryFailedRowSaysWhy) {
  form->SetStallLimit(1500);
  form->SetTotalLimit(15000);
  std::string first = Image('f', 2000), last = Image('l', 900);
  HttpServer::Response closes{200, "x"};
  closes.closesAtOnce = true;
  HttpServer::Response cut{200, Image('c', 3698)};
  cut.end = HttpServer::Response::End::Close;
  cut.endAfter = 1849;
  HttpServer::Response silent{200, "x"};
  silent.neverAnswers = true;
  HttpServer::Response late{200, Image('t', 500)};
  late.delayMs = 600;
  server.Serve("/first.gif", {200, first});
  server.Serve("/missing.gif", {404, "no"});
  server.Serve("/broken.gif", {500, "oops"});
  server.Serve("/closes.gif", closes);
  server.Serve("/cut.gif", cut);
  server.Serve("/silent.gif", silent);
  server.Serve("/taken.gif", late);
  server.Serve("/last.gif", {200, last});
  server.Serve("/bad-request.gif", {400, "bad"});
  server.Serve("/forbidden.gif", {403, "no"});
  HttpServer::Response loop{302, ""}, toFile{302, ""}, moved{301, "moved"};
  moved.headers = "Location: " + server.Url("/last.gif") + "\r\n";
  server.Serve("/moved.gif", moved);
  loop.headers = "Location: /loop.gif\r\n";
  toFile.headers = "Location: file:///C:/windows/win.ini\r\n";
  server.Serve("/loop.gif", loop);
  server.Serve("/to-file.gif", toFile);
  HttpServer::Response page{200, "\r\n<!DOCTYPE html><html><body>Not found</body></html>"};
  page.type = "image/gif";
  server.Serve("/page.gif", page);
  server.Serve("/empty.gif", {200, ""});
  HttpServer::Response endless{200, std::string(1 << 20, 'e')};
  endless.pieceBytes = 64;
  endless.pieceDelayMs = 100;
  server.Serve("/endless.gif", endless);
  std::string refused = "http://127.0.0.1:" + std::to_string(HttpServer::RefusedPort()) + "/refused.gif";
  const std::vector<std::pair<std::string, std::wstring>> rows = {
      {server.Url("/first.gif"), L""},
      {server.Url("/missing.gif"), L"服务器返回 404"},
      {server.Url("/broken.gif"), L"服务器返回 500"},
      {refused, L"连接被拒绝"},
      {server.Url("/closes.gif"), L"连接被关闭"},
      {server.Url("/cut.gif"), L"不完整：1849/3698 字节"},
      {server.Url("/silent.gif"), L"超时无响应"},
      {server.Url("/taken.gif"), L"无法写入：" + ui::SysErrorMessage(ERROR_ALREADY_EXISTS)},
      {"http://127.0.0.1:99999/port.gif", L"网址无效"},
      {"http://[::/host.gif", L"网址无效"},
      {"zzz:scheme.gif", L"不是 http/https 网址，未下载"},
      {"file:///C:/windows/win.ini?http://", L"不是 http/https 网址，未下载"},
      {server.Url("/bad-request.gif"), L"服务器返回 400"},
      {server.Url("/forbidden.gif"), L"服务器返回 403"},
      {server.Url("/loop.gif"), L"重定向次数过多"},
      {server.Url("/moved.gif"), L""},
      {server.Url("/to-file.gif"), L"重定向到了非 http/https 网址，未下载"},
      {server.Url("/page.gif"), L"服务器返回的是网页，不是图片"},
      {server.Url("/empty.gif"), L"服务器返回的内容为空"},
      {server.Url("/endless.gif"), L"下载时间过长"},
      {"http://no-such-host.invalid/x.gif", L"找不到服务器"},
      {server.Url("/last.gif"), L""},
  };
  const int taken = 7;
  std::vector<std::string> addresses;
  for (const auto& row : rows) addresses.push_back(row.first);
  Lists(addresses, addresses);
  form->btn5->Click();
  bool folderMade = false;
  ASSERT_TRUE(PumpUntil([&] {
    if (!folderMade && form->ListView1->Items()->Count() > taken)
      folderMade = CreateDirectoryW((folder + Cell(taken, 2)).c_str(), nullptr);
    return rewrites > 0;
  }, testsupport::kRunDeadlineMs));
  ASSERT_TRUE(folderMade);
  ASSERT_EQ(form->ListView1->Items()->Count(), static_cast<int>(rows.size()));
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
    const std::wstring& reason = rows[static_cast<size_t>(row)].second;
    SCOPED_TRACE(rows[static_cast<size_t>(row)].first);
    EXPECT_EQ(Cell(row, 0), (reason.empty() ? L"完成" : L"失败") + std::to_wstring(row));
    EXPECT_EQ(Utf8(Cell(row, 1)), Utf8(reason.empty() ? L"100%" : reason));
    EXPECT_EQ(Utf8(form->DownloadRun().Reason(row)), Utf8(reason));
  }
  EXPECT_EQ(ReadFile(folder + L"first.gif"), first);
  EXPECT_EQ(ReadFile(folder + L"last.gif"), last);
  EXPECT_EQ(ReadFile(folder + L"moved.gif"), last);
  EXPECT_EQ(FolderNames(), (std::set<std::wstring>{L"first.gif", L"last.gif", L"taken.gif", L"moved.gif"}));
  auto requests = server.Requests();
  EXPECT_LE(std::count(requests.begin(), requests.end(), "/loop.gif"), download::kMaxRedirects + 2);
  // A report that arrives late for a failed row is not shown.
  auto lateReport = std::make_unique<download::TProgressReport>(download::TProgressReport{form->DownloadRun().Id(), 1, 10, 100});
  SendMessageW(form->Handle(), download::WM_DOWNLOADPROGRESS, 0, reinterpret_cast<LPARAM>(lateReport.release()));
  EXPECT_EQ(Cell(1, 0), L"失败1");
  EXPECT_EQ(Utf8(Cell(1, 1)), Utf8(rows[1].second));
}

TEST_F(DownloadTest, FailuresInTheMiddleDoNotStopTheRun) {
  server.Serve("/a.gif", {200, "A"});
  server.Serve("/d.gif", {200, "D"});
  std::string refused = "http://127.0.0.1:" + std::to_string(HttpServer::RefusedPort()) + "/c.gif";
  Lists({"a.gif", "missing.gif", "c.gif", "dir/", "d.gif"},
        {server.Url("/a.gif"), server.Url("/missing.gif"), refused, server.Url("/dir/"), server.Url("/d.gif")});
  form->btn5->Click();
  ASSERT_TRUE(RunEnds());
  ASSERT_EQ(form->ListView1->Items()->Count(), 5);
  EXPECT_EQ(Cell(0, 0), L"完成0");
  EXPECT_EQ(Cell(1, 0), L"失败1");
  EXPECT_EQ(Utf8(Cell(1, 1)), "服务器返回 404");
  EXPECT_EQ(Cell(2, 0), L"失败2");
  EXPECT_EQ(Cell(3, 0), L"失败3");  // an address ending in "/" names no file
  EXPECT_EQ(Cell(3, 2), L"");
  EXPECT_EQ(Cell(4, 0), L"完成4");
  EXPECT_EQ(ReadFile(folder + L"d.gif"), "D");
  EXPECT_FALSE(Exists(folder + L"missing.gif"));
  EXPECT_FALSE(form->DownloadRun().Completed(1));
  EXPECT_EQ(FolderNames(), (std::set<std::wstring>{L"a.gif", L"d.gif"}));  // no error page, no temporary file
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

// Start pressed again while the first run's images still trickle in: the first run's
// downloads are aborted and have ended before the second run names its files, so the files
// hold exactly the second run's bytes and nothing of the first run is left.
TEST_F(DownloadTest, StartingAgainDuringARunRestartsCleanly) {
  std::string oldSlow = Image('o', 6000), newSlow = Image('N', 5000), oldFast = Image('p', 100),
              newFast = Image('F', 120);
  HttpServer::Response slow{200, oldSlow};
  slow.pieceBytes = 500;
  slow.pieceDelayMs = 200;
  server.Serve("/slow.gif", slow);
  server.Serve("/fast.gif", {200, oldFast});
  Lists({"slow.gif", "fast.gif"}, {server.Url("/slow.gif"), server.Url("/fast.gif")});
  form->btn5->Click();
  ASSERT_TRUE(PumpUntil([&] { return Cell(0, 1).size() > 1; }));  // bytes are arriving
  int firstRun = form->DownloadRun().Id();
  slow.body = newSlow;
  server.Serve("/slow.gif", slow);
  server.Serve("/fast.gif", {200, newFast});
  form->btn5->Click();  // the first worker is still running
  ASSERT_TRUE(RunEnds());
  testsupport::PumpFor(1000);  // any late report of the first run arrives and is ignored
  EXPECT_NE(form->DownloadRun().Id(), firstRun);
  EXPECT_EQ(rewrites, 1);
  ASSERT_EQ(form->ListView1->Items()->Count(), 2);
  EXPECT_EQ(Cell(0, 0), L"完成0");
  EXPECT_EQ(Cell(1, 0), L"完成1");
  EXPECT_EQ(Cell(0, 2), L"slow.gif");
  EXPECT_EQ(Cell(1, 2), L"fast.gif");
  EXPECT_EQ(ReadFile(folder + L"slow.gif"), newSlow);
  EXPECT_EQ(ReadFile(folder + L"fast.gif"), newFast);
  EXPECT_EQ(FolderNames(), (std::set<std::wstring>{L"slow.gif", L"fast.gif"}));
  EXPECT_EQ(form->RunningDownloads(), 0);
}

// What killed runs left beside the sheet goes when the next run starts: temporary files of
// our own names only, and none that a running download (here: of another program) holds open.
TEST_F(DownloadTest, ARunRemovesOnlyTheLeftoversOfKilledRuns) {
  for (const wchar_t* name : {L"vx1a2b.tmp", L"vx0123ABCD.tmp", L"vxnote.tmp", L"other.tmp", L"vx12.tmp.gif"})
    WriteFile(folder + name, "");
  HANDLE held = CreateFileW((folder + L"vxBEEF.tmp").c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  server.Serve("/a.gif", {200, Image('a', 100)});
  Lists({"a.gif"}, {server.Url("/a.gif")});
  form->btn5->Click();
  ASSERT_TRUE(RunEnds());
  CloseHandle(held);
  EXPECT_EQ(FolderNames(),
            (std::set<std::wstring>{L"a.gif", L"vxnote.tmp", L"other.tmp", L"vx12.tmp.gif", L"vxBEEF.tmp"}));
}
