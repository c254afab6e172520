// The downloads a window has started and that have not ended yet, each with its shared
// transfer, run by a pool of worker threads. Lives on the window's thread. It aborts
// downloads (all of them, or those that stalled), tells which have ended, and when it goes it
// aborts whatever still runs and waits for the workers, so that none outlives its window.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "app/download/BindStatusCallback.h"
#include "app/download/Transfer.h"
#include "app/download/WorkerPool.h"

namespace download {

// A download that makes no progress (no connection step, no bytes) for this long is aborted.
constexpr DWORD kStallLimitMs = 30000;
// A download still running after this long is aborted, however steadily it progresses (a
// server that trickles forever, or redirects without end).
constexpr DWORD kTotalLimitMs = 600000;
// How long closing waits for aborted downloads to end.
constexpr DWORD kStopWaitMs = 5000;

class TDownloadSet {
 public:
  TDownloadSet() = default;
  ~TDownloadSet();
  TDownloadSet(const TDownloadSet&) = delete;
  TDownloadSet& operator=(const TDownloadSet&) = delete;

  // Hands the job to a worker; answers false when no worker could take it.
  bool Start(TDownloadJob job);
  // A run's row has ended: answers how its download ended, and forgets it. Nothing when it
  // is not (or no longer) known, or has not ended.
  std::optional<TOutcome> Finish(int run, int row);
  // Downloads that have ended, as (run, row), whether or not their message came.
  std::vector<std::pair<int, int>> Ended() const;

  int Running() const { return static_cast<int>(entries_.size()); }
  int Running(int run) const;
  // Aborts every download; they end soon after and leave no file behind.
  void AbortAll();
  // Aborts the downloads that made no progress for `stallMs` (they end as Stalled) or that run
  // for `totalMs` (they end as TooLong).
  void AbortStalled(DWORD stallMs, DWORD totalMs);
  // Aborts every download and waits up to `timeoutMs` for them to end.
  void StopAll(DWORD timeoutMs);

 private:
  struct Entry {
    int run;
    int row;
    std::shared_ptr<TTransfer> transfer;
  };
  std::vector<Entry> entries_;
  TWorkerPool workers_;  // after entries_: goes first, once every download was stopped
};

}  // namespace download
