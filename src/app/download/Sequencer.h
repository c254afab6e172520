// Step four's download sequencer: one run over the lines of the converted list, one row and
// one worker per image, started one after the other.
//
// Starting makes row 0 and starts its worker; each tick of the window's one-shot pacing
// timer makes the next row (images embedded in the sheet get a row that says so and are
// passed over at once); the pacing is armed by a download's first report of progress equal
// to its maximum, or by its end. With a number of jobs set, the pacing is not used: rows are
// made and their downloads started, in line order, as long as fewer than that many of the
// run's downloads are running, and again whenever one of them has ended. Past the last line
// the run waits until every one of its downloads has ended, then raises OnRunEnded once. A download that makes no progress for
// the stall limit is aborted; starting again or stopping aborts the running downloads first.
// Workers report by message to the window; the window hands those messages on here. Rows
// and timers are touched only here, on the window's thread.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/download/Downloads.h"
#include "app/download/LocalNames.h"
#include "app/download/Progress.h"
#include "ui/Timer.h"

namespace download {

// One line of the run's job list.
struct TJobLine {
  std::string Converted;  // the full address, perhaps inside the quotes the sheet put around it
  std::string Found;      // the address as the sheet writes it (empty: the found list is shorter)
};

// The cells of one row of the download list.
struct TRowCells {
  std::wstring Caption;
  std::wstring Progress;
  std::wstring Name;
  std::wstring Address;
};

// The download list the sequencer writes its rows to; rows are counted from 0.
class TRowView {
 public:
  virtual ~TRowView() = default;
  virtual void AddRow(const TRowCells& cells) = 0;
  virtual void SetRow(int row, const std::wstring& caption, const std::wstring& progress) = 0;
  virtual void SetLastRow(const TRowCells& cells) = 0;
  virtual void DeleteLastRow() = 0;
  virtual void ScrollToEnd() = 0;
  virtual void Clear() = 0;
};

class TSequencer {
 public:
  // `pacing` is the window's one-shot timer (its ticks come back through Tick);
  // `reportWindow` answers the window the workers post to, `folder` the download folder
  // (with its trailing separator); both are asked whenever a download starts.
  TSequencer(TRowView& rows, ui::TTimer& pacing, std::function<HWND()> reportWindow,
             std::function<std::wstring()> folder);
  TSequencer(const TSequencer&) = delete;
  TSequencer& operator=(const TSequencer&) = delete;

  // Ends what the list showed: clears it, begins a new run and aborts the earlier run's
  // downloads (the new run names its files only once they ended, so no late worker can
  // touch a file of the new run).
  void Restart();
  // Starts the run over `lines`: at once, or once the earlier run's downloads have ended.
  void Start(std::vector<TJobLine> lines);
  // A tick of the pacing timer: the next row.
  void Tick();
  // Closing the window: the pacing and the watchdog stop, running downloads are aborted and
  // waited for, so that no worker writes after the window is gone; OnRunEnded is not raised.
  void Stop();
  // A message the window received: answers whether it was a worker's report, now handled.
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // Downloads that make no progress for this long are aborted (kStallLimitMs at first).
  void SetStallLimit(DWORD ms);
  // Downloads that run this long are aborted, progress or not (kTotalLimitMs at first).
  void SetTotalLimit(DWORD ms) { totalLimitMs_ = ms; }
  // Up to `jobs` downloads at once without the pacing; 0 (at first): the window's pacing.
  // Takes effect at the next start.
  void SetJobs(int jobs);
  // The run in progress (or the last one): which rows completed, failed or were skipped.
  const DownloadRun& Run() const { return run_; }
  // The line the run is at: the line count once it went past the last line.
  int Cursor() const { return cursor_; }
  // Downloads of any run that have not ended yet.
  int RunningDownloads() const { return downloads_.Running(); }

  // Raised once per run, when it went past its last line and all its downloads have ended.
  std::function<void()> OnRunEnded;

 private:
  void Begin();
  void NextRow();
  void FillSlots();
  void MakeRow();
  bool EmbeddedAtCursor() const;
  void SkipRow();
  void StartRow();
  void AddRow(const std::wstring& caption, const std::wstring& progress, const std::string& name);
  std::string LocalFileName(const std::string& address);
  void ProgressReported(std::unique_ptr<TProgressReport> report);
  void DownloadEnded(int run, int row);
  void RowEnded(int row, const TOutcome& outcome);
  void AfterDownloadEnded();
  void EndRun();
  void ShowWaiting(const std::wstring& text);
  void HideWaiting();
  void WatchdogTick();
  void StepOn();

  TRowView& rows_;
  ui::TTimer& pacing_;
  std::function<HWND()> reportWindow_;
  std::function<std::wstring()> folder_;
  std::vector<TJobLine> lines_;
  int cursor_ = 0;
  DownloadRun run_;
  LocalNames names_;
  TDownloadSet downloads_;
  std::unique_ptr<ui::TTimer> watchdog_;  // aborts stalled downloads while any runs
  DWORD stallLimitMs_ = kStallLimitMs;
  DWORD totalLimitMs_ = kTotalLimitMs;
  int jobs_ = 0;               // downloads at once without the pacing; 0: paced
  bool startPending_ = false;  // the start waits for the earlier run's downloads to end
  bool endPending_ = false;    // the run's last row is made; its end waits for its downloads
  bool waitingRow_ = false;    // the list's last row says what the run waits for
};

}  // namespace download
