// Step four: the download sequencer. The start button makes row 0 and starts its worker;
// each tick of the one-shot timer makes the next row (images embedded in the sheet get a row
// that says so and are passed over at once); the timer is armed by a download's
// first report of progress equal to its maximum, or by its end, so images start one after
// the other. Past the last line the run waits until every one of its downloads has ended,
// then fires the rewrite. A download that makes no progress for the stall limit is aborted;
// starting again or closing the window aborts the running downloads first. Workers report by
// message; rows and timers are touched only here, on the window's thread.
#include <windows.h>

#include <algorithm>
#include <optional>

#include "app/SheetAddress.h"
#include "app/Texts.h"
#include "app/Unit1.h"
#include "app/download/BindStatusCallback.h"
#include "ui/SysUtils.h"

using namespace ui;

std::string TForm1::geturlfn(const std::string& address) const { return workflow::UrlFileName(address); }

// The name under which a line is saved: safe inside the sheet's folder, and never the name of
// a file that exists or that an earlier row of this run was given (names_ keeps the run's).
std::string TForm1::LocalFileName(int /*cursor*/, const std::string& address) {
  names_.ForRun(run_.Id());
  return names_.Take(workflow::SafeFileName(geturlfn(address), IsLeadByte), Hint());
}

void TForm1::btn5Click(TObject*) {
  SetTag(0);
  ListView1->Items()->Clear();
  HideRunSummary();
  backup_.clear();
  waitingRow_ = false;
  run_.Restart();
  tmr1->SetEnabled(false);
  endPending_ = false;
  // The earlier run's downloads stop; the new run names its files only once they ended, so
  // that no late worker can touch a file of the new run.
  downloads_.AbortAll();
  wb1->Navigate(kProductPage);
  wb1->SetAlign(alNone);
  wb1->SetBounds(-3, -3, 300, 350);
  pnl3->Show();
  if (mmo2->Lines()->Count() == 0) return;
  if (downloads_.Running() > 0) {
    startPending_ = true;
    ShowWaiting(download::WaitingForEarlierRun(downloads_.Running()));
    return;
  }
  NextRow();
}

void TForm1::tmr1Timer(TObject*) {
  tmr1->SetEnabled(false);
  SetTag(Tag() + 1);
  NextRow();
}

// The row at the cursor. The line's address is the one inside the quotes the sheet may have
// put around it; an embedded image makes a row that says so and the cursor moves on at once;
// past the last line the run ends.
void TForm1::NextRow() {
  const int lines = mmo2->Lines()->Count();
  for (; Tag() < lines; SetTag(Tag() + 1)) {
    std::string address(workflow::InnerAddress(mmo2->Lines()->Strings(Tag())));
    if (!workflow::IsEmbedded(address)) break;
    SkipRow(Tag());
  }
  if (Tag() > lines - 1) {
    EndRun();
    return;
  }
  StartRow(Tag());
  if (Tag() > 0) ListView1->Scroll(0, 100000);  // the last row in view
}

// Past the last line: the sheet is saved once every download of the run has ended.
void TForm1::EndRun() {
  int running = downloads_.Running(run_.Id());
  if (running > 0) {
    endPending_ = true;
    ShowWaiting(download::WaitingForLastDownloads(running));
    return;
  }
  endPending_ = false;
  HideWaiting();
  if (!run_.TakeRewrite()) return;
  // The summary shows whether or not the rewrite could write its files.
  try {
    btn6->Click();
  } catch (...) {
    ShowRunSummary();
    throw;
  }
  ShowRunSummary();
}

void TForm1::ShowWaiting(const std::wstring& text) {
  TListItem* item = waitingRow_ ? ListView1->Items()->Item(ListView1->Items()->Count() - 1) : ListView1->Items()->Add();
  waitingRow_ = true;
  item->SetCaption(L"...");
  item->SubItems().SetStrings(0, L"");
  item->SubItems().SetStrings(1, L"");
  item->SubItems().SetStrings(2, text);
  ListView1->Scroll(0, 100000);
}

void TForm1::HideWaiting() {
  if (!waitingRow_) return;
  waitingRow_ = false;
  ListView1->Items()->Delete(ListView1->Items()->Count() - 1);
}

TListItem* TForm1::AddRow(int cursor, const std::wstring& caption, const std::wstring& progress,
                          const std::string& name) {
  TListItem* item = ListView1->Items()->Add();
  item->SetCaption(caption);
  item->SubItems().SetStrings(0, progress);
  item->SubItems().SetStrings(1, FromAnsi(name));
  item->SubItems().SetStrings(2, FromAnsi(mmo1->Lines()->Strings(cursor)));
  return item;
}

void TForm1::SkipRow(int cursor) {
  AddRow(cursor, download::SkippedCaption(cursor), download::kEmbeddedImage, "");
  run_.Skip(run_.AddRow());
}

void TForm1::StartRow(int cursor) {
  std::string address(workflow::InnerAddress(mmo2->Lines()->Strings(cursor)));
  std::string name = LocalFileName(cursor, address);
  AddRow(cursor, std::to_wstring(cursor), L"", name);
  int row = run_.AddRow(FromAnsi(address));
  download::TDownloadJob job{FromAnsi(address), Hint(), FromAnsi(name), row, run_.Id(), Handle(), nullptr};
  if (name.empty() || !downloads_.Start(std::move(job))) {
    // Nothing to download into (or no worker): the row fails and the run goes on.
    RowEnded(row, name.empty() ? download::TOutcome::InvalidAddress()
                               : download::TOutcome::Failed(HRESULT_FROM_WIN32(GetLastError())));
    return;
  }
  watchdog_->SetEnabled(true);
}

void TForm1::StepOn() { tmr1->SetEnabled(true); }

void TForm1::SetStallLimit(DWORD ms) {
  stallLimitMs_ = ms;
  watchdog_->SetInterval(static_cast<int>(std::clamp<DWORD>(ms / 5, 50, 1000)));
}

void TForm1::ProgressReported(TMessage& m) {
  std::unique_ptr<download::TProgressReport> report(reinterpret_cast<download::TProgressReport*>(m.LParam));
  if (!run_.Matches(report->Run, report->Row) || run_.Ended(report->Row)) return;  // late or of an earlier run
  TListItem* item = ListView1->Items()->Item(report->Row);
  item->SubItems().SetStrings(0, download::RunningCell(report->Progress, report->Maximum));
  item->SetCaption(download::ProgressCaption(report->Row, false));
  // The first report of progress equal to its maximum (even the early 0 of 0) lets the next
  // image start; the row completes only when its download has ended with the file in place.
  if (download::IsCompletion(report->Progress, report->Maximum) && run_.Complete(report->Row)) StepOn();
}

void TForm1::DownloadEnded(int run, int row) {
  std::optional<download::TOutcome> outcome = downloads_.Finish(run, row);
  if (!outcome) return;  // already handled
  if (run_.Matches(run, row)) RowEnded(row, *outcome);
  AfterDownloadEnded();
}

// A failed row keeps its "失败N" caption and shows why in its "进度" cell.
void TForm1::RowEnded(int row, const download::TOutcome& outcome) {
  TListItem* item = ListView1->Items()->Item(row);
  bool completed = outcome.IsCompleted();
  std::wstring reason = download::ReasonText(outcome);
  item->SubItems().SetStrings(0, completed ? L"100%" : reason);
  item->SetCaption(completed ? download::ProgressCaption(row, true) : download::FailedCaption(row));
  if (run_.Returned(row, completed, reason)) StepOn();
}

void TForm1::AfterDownloadEnded() {
  if (downloads_.Running() == 0) watchdog_->SetEnabled(false);
  if (startPending_) {
    if (downloads_.Running() > 0) {
      ShowWaiting(download::WaitingForEarlierRun(downloads_.Running()));
      return;
    }
    startPending_ = false;
    HideWaiting();
    if (mmo2->Lines()->Count() > 0) NextRow();
    return;
  }
  if (endPending_) EndRun();
}

// Stalled downloads are aborted; a worker whose message got lost is noticed here.
void TForm1::WatchdogTick(TObject*) {
  downloads_.AbortStalled(stallLimitMs_);
  for (auto [run, row] : downloads_.Ended()) DownloadEnded(run, row);
}

// Closing the window: the run ends here. Running downloads are aborted and waited for, so
// that no worker writes after the window is gone and no temporary file stays; the sheet is
// not rewritten.
void TForm1::StopDownloads() {
  tmr1->SetEnabled(false);
  watchdog_->SetEnabled(false);
  startPending_ = endPending_ = false;
  downloads_.StopAll(download::kStopWaitMs);
}

void TForm1::FormClose(TObject*) { StopDownloads(); }

void TForm1::WndProc(TMessage& m) {
  switch (m.Msg) {
    case download::WM_DOWNLOADPROGRESS:
      ProgressReported(m);
      return;
    case download::WM_DOWNLOADENDED:
      DownloadEnded(static_cast<int>(m.WParam), static_cast<int>(m.LParam));
      return;
    default:
      TForm::WndProc(m);
  }
}
