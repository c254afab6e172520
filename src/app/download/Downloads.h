// The downloads a window has started and that have not ended yet, each with its worker
// thread and its shared transfer. Lives on the window's thread. It aborts downloads (all of
// them, or those that stalled), tells which have ended, and when it goes it aborts whatever
// still runs and waits for those workers, so that none outlives its window.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "app/download/BindStatusCallback.h"
#include "app/download/Transfer.h"

namespace download {

// A download that makes no progress (no connection step, no bytes) for this long is aborted.
constexpr DWORD kStallLimitMs = 30000;
// How long closing waits for aborted workers to end.
constexpr DWORD kStopWaitMs = 5000;

// A kernel handle, closed when it goes.
class TUniqueHandle {
 public:
  explicit TUniqueHandle(HANDLE h = nullptr) : h_(h) {}
  ~TUniqueHandle() {
    if (h_) CloseHandle(h_);
  }
  TUniqueHandle(TUniqueHandle&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
  TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
    std::swap(h_, other.h_);
    return *this;
  }
  HANDLE Get() const { return h_; }

 private:
  HANDLE h_;
};

class TDownloadSet {
 public:
  TDownloadSet() = default;
  ~TDownloadSet();
  TDownloadSet(const TDownloadSet&) = delete;
  TDownloadSet& operator=(const TDownloadSet&) = delete;

  // Starts a worker for the job (requested stack of 1024 bytes); answers false when no
  // worker could be started.
  bool Start(TDownloadJob job);
  // The worker of a run's row has ended: answers how its download ended, and forgets it.
  // Nothing when it is not (or no longer) known.
  std::optional<TOutcome> Finish(int run, int row);
  // Downloads whose worker has ended, as (run, row), whether or not its message came.
  std::vector<std::pair<int, int>> Ended() const;

  int Running() const { return static_cast<int>(entries_.size()); }
  int Running(int run) const;
  // Aborts every download; their workers end soon after and leave no file behind.
  void AbortAll();
  // Aborts the downloads that made no progress for `limitMs`; they end as Stalled.
  void AbortStalled(DWORD limitMs);
  // Aborts every download and waits up to `timeoutMs` for the workers to end.
  void StopAll(DWORD timeoutMs);

 private:
  struct Entry {
    int run;
    int row;
    std::shared_ptr<TTransfer> transfer;
    TUniqueHandle thread;
  };
  std::vector<Entry> entries_;
};

}  // namespace download
