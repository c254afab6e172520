#include "app/download/Downloads.h"

#include <algorithm>

#include "app/download/Fetch.h"

namespace download {

TDownloadSet::~TDownloadSet() { StopAll(kStopWaitMs); }

bool TDownloadSet::Start(TDownloadJob job) {
  auto transfer = std::make_shared<TTransfer>();
  job.Transfer = transfer;
  int run = job.Run, row = job.Row;
  auto owned = std::make_shared<const TDownloadJob>(std::move(job));
  if (!workers_.Run([owned] { RunDownload(*owned); })) return false;
  entries_.push_back(Entry{run, row, std::move(transfer)});
  return true;
}

std::optional<TOutcome> TDownloadSet::Finish(int run, int row) {
  auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.run == run && e.row == row; });
  if (it == entries_.end() || !it->transfer->Ended()) return std::nullopt;
  TOutcome outcome = it->transfer->Outcome();
  entries_.erase(it);
  return outcome;
}

std::vector<std::pair<int, int>> TDownloadSet::Ended() const {
  std::vector<std::pair<int, int>> ended;
  for (const Entry& e : entries_)
    if (e.transfer->Ended()) ended.emplace_back(e.run, e.row);
  return ended;
}

int TDownloadSet::Running(int run) const {
  return static_cast<int>(std::count_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.run == run; }));
}

void TDownloadSet::AbortAll() {
  for (Entry& e : entries_) e.transfer->Abort();
}

void TDownloadSet::AbortStalled(DWORD stallMs, DWORD totalMs) {
  for (Entry& e : entries_) {
    if (e.transfer->IdleMs() >= stallMs) e.transfer->Abort(TOutcome::Stalled());
    else if (e.transfer->AgeMs() >= totalMs) e.transfer->Abort(TOutcome::TooLong());
  }
}

void TDownloadSet::StopAll(DWORD timeoutMs) {
  AbortAll();
  const DWORD start = GetTickCount();
  auto running = [this] {
    return std::any_of(entries_.begin(), entries_.end(), [](const Entry& e) { return !e.transfer->Ended(); });
  };
  while (running() && GetTickCount() - start < timeoutMs) Sleep(10);
  entries_.clear();
}

}  // namespace download
