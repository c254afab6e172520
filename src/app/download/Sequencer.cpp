#include "app/download/Sequencer.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "app/SheetAddress.h"
#include "app/download/BindStatusCallback.h"
#include "app/download/Fetch.h"
#include "ui/SysUtils.h"

namespace download {

TSequencer::TSequencer(TRowView& rows, ui::TTimer& pacing, std::function<HWND()> reportWindow,
                       std::function<std::wstring()> folder)
    : rows_(rows),
      pacing_(pacing),
      reportWindow_(std::move(reportWindow)),
      folder_(std::move(folder)),
      watchdog_(std::make_unique<ui::TTimer>(nullptr)) {
  watchdog_->SetEnabled(false);
  watchdog_->OnTimer = [this](ui::TObject*) { WatchdogTick(); };
  SetStallLimit(kStallLimitMs);
}

void TSequencer::Restart() {
  cursor_ = 0;
  rows_.Clear();
  waitingRow_ = false;
  run_.Restart();
  pacing_.SetEnabled(false);
  endPending_ = false;
  downloads_.AbortAll();
}

void TSequencer::Start(std::vector<TJobLine> lines) {
  lines_ = std::move(lines);
  if (lines_.empty()) return;
  if (downloads_.Running() > 0) {
    startPending_ = true;
    ShowWaiting(WaitingForEarlierRun(downloads_.Running()));
    return;
  }
  Begin();
}

// The first row of a run, or as many as the jobs allow. What killed runs left in the folder
// goes first.
void TSequencer::Begin() {
  RemoveLeftovers(folder_());
  if (jobs_ > 0) {
    FillSlots();
  } else {
    NextRow();
  }
}

void TSequencer::Tick() {
  pacing_.SetEnabled(false);
  ++cursor_;
  NextRow();
}

// The row at the cursor. The line's address is the one inside the quotes the sheet may have
// put around it; an embedded image makes a row that says so and the cursor moves on at once;
// past the last line the run ends.
// The line at the cursor names an image embedded in the sheet (nothing to download).
bool TSequencer::EmbeddedAtCursor() const {
  return workflow::IsEmbedded(workflow::InnerAddress(lines_[static_cast<size_t>(cursor_)].Converted));
}

void TSequencer::NextRow() {
  const int lines = static_cast<int>(lines_.size());
  for (; cursor_ < lines; ++cursor_) {
    if (!EmbeddedAtCursor()) break;
    SkipRow();
  }
  if (cursor_ > lines - 1) {
    EndRun();
    return;
  }
  StartRow();
  if (cursor_ > 0) rows_.ScrollToEnd();  // the last row in view
}

// Without the pacing: rows for the lines from the cursor on while fewer than `jobs_` of the
// run's downloads are running; the cursor is then the next line to start. Past the last line
// the run ends.
void TSequencer::FillSlots() {
  const int lines = static_cast<int>(lines_.size());
  bool made = false;
  for (; cursor_ < lines && downloads_.Running(run_.Id()) < jobs_; ++cursor_, made = true) MakeRow();
  if (made) rows_.ScrollToEnd();
  if (cursor_ >= lines) EndRun();
}

// The row at the cursor: skipped when its image is embedded in the sheet, else downloaded.
void TSequencer::MakeRow() {
  if (EmbeddedAtCursor()) {
    SkipRow();
  } else {
    StartRow();
  }
}

// Past the last line: the run ends once every one of its downloads has ended.
void TSequencer::EndRun() {
  int running = downloads_.Running(run_.Id());
  if (running > 0) {
    endPending_ = true;
    ShowWaiting(WaitingForLastDownloads(running));
    return;
  }
  endPending_ = false;
  HideWaiting();
  if (!run_.TakeRewrite()) return;
  if (OnRunEnded) OnRunEnded();
}

void TSequencer::ShowWaiting(const std::wstring& text) {
  TRowCells cells{L"...", L"", L"", text};
  if (waitingRow_) {
    rows_.SetLastRow(cells);
  } else {
    rows_.AddRow(cells);
  }
  waitingRow_ = true;
  rows_.ScrollToEnd();
}

void TSequencer::HideWaiting() {
  if (!waitingRow_) return;
  waitingRow_ = false;
  rows_.DeleteLastRow();
}

void TSequencer::AddRow(const std::wstring& caption, const std::wstring& progress, const std::string& name) {
  rows_.AddRow({caption, progress, ui::FromAnsi(name), ui::FromAnsi(lines_[static_cast<size_t>(cursor_)].Found)});
}

void TSequencer::SkipRow() {
  AddRow(SkippedCaption(cursor_), kEmbeddedImage, "");
  run_.Skip(run_.AddRow());
}

// The name under which a line is saved: safe inside the download folder, and never the name
// of a file that exists or that an earlier row of this run was given (names_ keeps the run's).
std::string TSequencer::LocalFileName(const std::string& address) {
  names_.ForRun(run_.Id());
  return names_.Take(workflow::SafeFileName(workflow::UrlFileName(address), ui::IsLeadByte), folder_());
}

void TSequencer::StartRow() {
  std::string address(workflow::InnerAddress(lines_[static_cast<size_t>(cursor_)].Converted));
  std::string name = LocalFileName(address);
  AddRow(std::to_wstring(cursor_), L"", name);
  int row = run_.AddRow(ui::FromAnsi(address));
  TDownloadJob job{ui::FromAnsi(address), folder_(), ui::FromAnsi(name), row, run_.Id(), reportWindow_(), nullptr};
  if (name.empty() || !downloads_.Start(std::move(job))) {
    // Nothing to download into (or no worker): the row fails and the run goes on.
    RowEnded(row, name.empty() ? TOutcome::InvalidAddress() : TOutcome::Failed(HRESULT_FROM_WIN32(GetLastError())));
    return;
  }
  watchdog_->SetEnabled(true);
}

// The pacing's next tick; without the pacing the run moves on when downloads end instead.
void TSequencer::StepOn() {
  if (jobs_ == 0) pacing_.SetEnabled(true);
}

void TSequencer::SetStallLimit(DWORD ms) {
  stallLimitMs_ = ms;
  watchdog_->SetInterval(static_cast<int>(std::clamp<DWORD>(ms / 5, 50, 1000)));
}

void TSequencer::SetJobs(int jobs) {
  jobs_ = std::max(jobs, 0);
  if (jobs_ > 0) AllowConnectionsPerServer(jobs_);
}

bool TSequencer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DOWNLOADPROGRESS:
      ProgressReported(std::unique_ptr<TProgressReport>(reinterpret_cast<TProgressReport*>(lParam)));
      return true;
    case WM_DOWNLOADENDED:
      DownloadEnded(static_cast<int>(wParam), static_cast<int>(lParam));
      return true;
    default:
      return false;
  }
}

void TSequencer::ProgressReported(std::unique_ptr<TProgressReport> report) {
  if (!run_.Matches(report->Run, report->Row) || run_.Ended(report->Row)) return;  // late or of an earlier run
  rows_.SetRow(report->Row, ProgressCaption(report->Row, false), RunningCell(report->Progress, report->Maximum));
  // The first report of progress equal to its maximum (even the early 0 of 0) lets the next
  // image start; the row completes only when its download has ended with the file in place.
  if (IsCompletion(report->Progress, report->Maximum) && run_.Complete(report->Row)) StepOn();
}

void TSequencer::DownloadEnded(int run, int row) {
  std::optional<TOutcome> outcome = downloads_.Finish(run, row);
  if (!outcome) return;  // already handled
  if (run_.Matches(run, row)) RowEnded(row, *outcome);
  AfterDownloadEnded();
}

// A failed row keeps its "失败N" caption and shows why in its "进度" cell.
void TSequencer::RowEnded(int row, const TOutcome& outcome) {
  bool completed = outcome.IsCompleted();
  std::wstring reason = ReasonText(outcome);
  rows_.SetRow(row, completed ? ProgressCaption(row, true) : FailedCaption(row), completed ? L"100%" : reason);
  if (run_.Returned(row, completed, reason)) StepOn();
}

void TSequencer::AfterDownloadEnded() {
  if (downloads_.Running() == 0) watchdog_->SetEnabled(false);
  if (startPending_) {
    if (downloads_.Running() > 0) {
      ShowWaiting(WaitingForEarlierRun(downloads_.Running()));
      return;
    }
    startPending_ = false;
    HideWaiting();
    if (!lines_.empty()) Begin();
    return;
  }
  if (endPending_) {
    EndRun();
  } else if (jobs_ > 0 && cursor_ < static_cast<int>(lines_.size())) {
    FillSlots();
  }
}

// Stalled downloads are aborted; a worker whose message got lost is noticed here.
void TSequencer::WatchdogTick() {
  downloads_.AbortStalled(stallLimitMs_, totalLimitMs_);
  for (auto [run, row] : downloads_.Ended()) DownloadEnded(run, row);
}

void TSequencer::Stop() {
  pacing_.SetEnabled(false);
  watchdog_->SetEnabled(false);
  startPending_ = endPending_ = false;
  downloads_.StopAll(kStopWaitMs);
}

}  // namespace download
