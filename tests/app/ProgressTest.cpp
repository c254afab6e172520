// What a download row shows for each report, and how a run moves on.
#include <gtest/gtest.h>

#include "app/download/HttpResponse.h"
#include "app/download/Progress.h"

using namespace download;

TEST(ProgressCell, PercentOnlyAboveOneHundredAndCompletionShowsAll) {
  EXPECT_EQ(ProgressCell(50, 1000, L"."), L"%");
  EXPECT_EQ(ProgressCell(100, 1000, L"."), L"%");  // 100 is not more than 100
  EXPECT_EQ(ProgressCell(101, 1000, L"."), L"10.10%");
  EXPECT_EQ(ProgressCell(500, 1000, L"."), L"50.00%");
  EXPECT_EQ(ProgressCell(200, 1000, L"."), L"20.00%");
  EXPECT_EQ(ProgressCell(1000, 1000, L"."), L"100%");
  EXPECT_EQ(ProgressCell(0, 0, L"."), L"100%");
  EXPECT_EQ(ProgressCell(40, 40, L"."), L"100%");
  EXPECT_EQ(ProgressCell(4000000000u, 4294967295u, L"."), L"93.13%");  // unsigned, no overflow
  EXPECT_EQ(ProgressCell(500, 0, L"."), L"%");  // no maximum: no quotient
  EXPECT_TRUE(IsCompletion(0, 0));
  EXPECT_FALSE(IsCompletion(999, 1000));
}

TEST(ProgressCell, TheLocalesDecimalSeparatorStandsBeforeTheDecimals) {
  EXPECT_EQ(ProgressCell(500, 1000, L","), L"50,00%");
  EXPECT_EQ(ProgressCell(101, 1000, L","), L"10,10%");
  EXPECT_EQ(ProgressCell(2500, 1000, L","), L"250,00%");  // more than announced
  EXPECT_EQ(ProgressCell(333, 1000, L"·"), L"33·30%");
  EXPECT_EQ(ProgressCell(333, 1000, L"dec"), L"33dec30%");  // up to four characters
  EXPECT_EQ(ProgressCell(1000, 1000, L","), L"100%");
  EXPECT_EQ(ProgressCell(50, 1000, L","), L"%");
}

TEST(ProgressCaption, NumberAfterDoneBeforeDownloading) {
  EXPECT_EQ(ProgressCaption(3, true), L"完成3");
  EXPECT_EQ(ProgressCaption(3, false), L"3下载中...");
  EXPECT_EQ(FailedCaption(12), L"失败12");
}

TEST(DownloadRun, EachDownloadMovesTheRunOnOnce) {
  DownloadRun run;
  run.Restart();
  int first = run.Id();
  EXPECT_EQ(run.AddRow(), 0);
  EXPECT_EQ(run.AddRow(), 1);
  EXPECT_EQ(run.AddRow(), 2);
  EXPECT_TRUE(run.Complete(0));          // the first completion report moves on...
  EXPECT_FALSE(run.Completed(0));        // ...but the row completes only when it ended
  EXPECT_FALSE(run.Ended(0));
  EXPECT_FALSE(run.Complete(0));         // later ones change only the row
  EXPECT_FALSE(run.Returned(0, true));   // the call's return after a completion: no step
  EXPECT_TRUE(run.Completed(0));
  EXPECT_TRUE(run.Ended(0));
  EXPECT_TRUE(run.Returned(1, false, L"连接被拒绝"));  // failed without a completion: moves on
  EXPECT_TRUE(run.Failed(1));
  EXPECT_FALSE(run.Completed(1));
  EXPECT_EQ(run.Reason(1), L"连接被拒绝");  // kept for listing the failed addresses
  EXPECT_EQ(run.Reason(0), L"");
  EXPECT_TRUE(run.Complete(2));          // a report of 0 of 0 counted as completion...
  EXPECT_FALSE(run.Returned(2, false));  // ...but the download failed: no second step,
  EXPECT_FALSE(run.Completed(2));        // and the row is not complete for the rewrite
  EXPECT_TRUE(run.Failed(2));
  EXPECT_TRUE(run.TakeRewrite());
  EXPECT_FALSE(run.TakeRewrite());  // once per run
  EXPECT_TRUE(run.Matches(first, 1));
  run.Restart();
  EXPECT_EQ(run.Reason(1), L"");           // a new run has no reasons of the earlier one
  EXPECT_FALSE(run.Matches(first, 0));     // reports of the earlier run are ignored
  EXPECT_FALSE(run.Matches(run.Id(), 0));  // no such row yet
  EXPECT_TRUE(run.TakeRewrite());
}

TEST(RunningCell, NoPercentageBeforeTheServerAnswered) {
  EXPECT_EQ(RunningCell(0, 0, L"."), L"");  // the early report of 0 of 0 shows no completion
  EXPECT_EQ(RunningCell(500, 1000, L"."), L"50.00%");
  EXPECT_EQ(RunningCell(50, 1000, L","), L"5,00%");     // small shares too: never a bare "%"
  EXPECT_EQ(RunningCell(4096, 0, L"."), L"4096 字节");  // no length announced: the bytes so far
  EXPECT_EQ(RunningCell(1000, 1000, L"."), L"100%");  // every byte is there; the file is not yet
  EXPECT_EQ(WaitingForLastDownloads(2), L"等待最后 2 个图片下载结束...");
  EXPECT_EQ(WaitingForEarlierRun(1), L"等待上一次的 1 个下载停止...");
}

// What arrived for an image: error pages sent with status 200 are told from images, fonts
// and SVG by their first bytes, and by their announced type when the bytes do not say.
TEST(IsWebPage, ErrorPagesAreToldFromImagesAndFonts) {
  using namespace std::literals;
  const struct {
    std::string_view start;
    std::wstring_view type;
    bool page;
  } cases[] = {
      {"\xef\xbb\xbf \r\n<!DOCTYPE html><html>", L"image/gif", true},  // a page whatever its type says
      {"<HTML><body>Not found", L"", true},
      {"Not found", L"text/html", true},
      {"GIF89a<html>", L"text/html", false},  // an image sent with a wrong type
      {"\x89PNG\r\n\x1a\n", L"text/html", false},
      {"\0\1\0\0\0\x0e"sv, L"text/html", false},  // TrueType
      {"wOF2\0\1", L"text/html", false},
      {"<?xml version=\"1.0\"?><svg>", L"text/html", false},
      {"  <svg xmlns=", L"text/html", false},
      {"RIFF", L"image/webp", false},  // too short to be read as WebP: no page either
      {"body { color: red }", L"text/css", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsWebPage(c.start, c.type), c.page) << c.start;
  EXPECT_EQ(ContentType(L"HTTP/1.1 200 OK\r\nContent-Type:  Text/HTML ; charset=utf-8\r\n"), L"text/html");
}

TEST(AnnouncedLength, ReadFromTheResponseHeaders) {
  EXPECT_EQ(AnnouncedLength(L"HTTP/1.1 200 OK\r\nContent-Type: image/gif\r\nContent-Length: 3698\r\n\r\n"), 3698u);
  EXPECT_EQ(AnnouncedLength(L"HTTP/1.1 200 OK\r\ncontent-length:0\r\n"), 0u);
  EXPECT_EQ(AnnouncedLength(L"HTTP/1.1 200 OK\ncontent-LENGTH: \t 12 \n"), 12u);
  EXPECT_EQ(AnnouncedLength(L"Content-Length: 4294967296\r\n"), 4294967296ull);  // beyond 32 bits
  EXPECT_EQ(AnnouncedLength(L"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"), std::nullopt);
  EXPECT_EQ(AnnouncedLength(L"X-Content-Length: 5\r\n"), std::nullopt);  // another header
  EXPECT_EQ(AnnouncedLength(L"Content-Length: 12a\r\n"), std::nullopt);
  EXPECT_EQ(AnnouncedLength(L"Content-Length: -1\r\n"), std::nullopt);
  EXPECT_EQ(AnnouncedLength(L"Content-Length:\r\n"), std::nullopt);
  EXPECT_EQ(AnnouncedLength(L""), std::nullopt);
  // A body compressed for the transfer is written decoded: its length on disk is unknown.
  EXPECT_EQ(AnnouncedLength(L"Content-Encoding: gzip\r\nContent-Length: 300\r\n"), std::nullopt);
  EXPECT_EQ(AnnouncedLength(L"Content-Length: 300\r\ncontent-encoding: Identity\r\n"), 300u);
}
