#include "app/download/Downloads.h"

#include <algorithm>

namespace download {

TDownloadSet::~TDownloadSet() { StopAll(kStopWaitMs); }

bool TDownloadSet::Start(TDownloadJob job) {
  auto transfer = std::make_shared<TTransfer>();
  job.Transfer = transfer;
  int run = job.Run, row = job.Row;
  auto owned = std::make_unique<TDownloadJob>(std::move(job));
  HANDLE thread = CreateThread(nullptr, 1024, &DownloadProc, owned.get(), 0, nullptr);
  if (!thread) return false;
  owned.release();
  entries_.push_back(Entry{run, row, std::move(transfer), TUniqueHandle(thread)});
  return true;
}

std::optional<TOutcome> TDownloadSet::Finish(int run, int row) {
  auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.run == run && e.row == row; });
  if (it == entries_.end()) return std::nullopt;
  // The worker posts its message as its last act; its thread ends right after.
  WaitForSingleObject(it->thread.Get(), kStopWaitMs);
  TOutcome outcome = it->transfer->Outcome();
  entries_.erase(it);
  return outcome;
}

std::vector<std::pair<int, int>> TDownloadSet::Ended() const {
  std::vector<std::pair<int, int>> ended;
  for (const Entry& e : entries_)
    if (WaitForSingleObject(e.thread.Get(), 0) == WAIT_OBJECT_0) ended.emplace_back(e.run, e.row);
  return ended;
}

int TDownloadSet::Running(int run) const {
  return static_cast<int>(std::count_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.run == run; }));
}

void TDownloadSet::AbortAll() {
  for (Entry& e : entries_) e.transfer->Abort();
}

void TDownloadSet::AbortStalled(DWORD limitMs) {
  for (Entry& e : entries_)
    if (e.transfer->IdleMs() >= limitMs) e.transfer->Abort(TOutcome::Stalled());
}

void TDownloadSet::StopAll(DWORD timeoutMs) {
  AbortAll();
  DWORD start = GetTickCount();
  for (Entry& e : entries_) {
    DWORD spent = GetTickCount() - start;
    WaitForSingleObject(e.thread.Get(), spent < timeoutMs ? timeoutMs - spent : 0);
  }
  entries_.clear();
}

}  // namespace download
