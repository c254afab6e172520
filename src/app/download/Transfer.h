// One download as both its worker and the window see it: the download service's binding
// (so that the window can abort the download from its own thread), whether and why the
// download was aborted, when it last made progress, and how it ended. Shared by the worker and
// the window; every operation is safe from either thread.
//
// The binding is aborted from the window's thread, which watches every download for stalls;
// IBinding::Abort from another thread ends the binding at once, and its end reaches the
// worker through the worker's messages.
#pragma once

#include <windows.h>

#include <urlmon.h>

#include <atomic>
#include <mutex>
#include <optional>
#include <string>

#include "app/download/Outcome.h"

namespace download {

class TTransfer {
 public:
  TTransfer();
  ~TTransfer();
  TTransfer(const TTransfer&) = delete;
  TTransfer& operator=(const TTransfer&) = delete;

  // The service's binding, kept from the start of the binding until the call returned.
  // Answers false when the transfer was aborted before: the binding must not start.
  bool Attach(IBinding* binding);
  void Detach();
  // Aborts the download: at once when its binding is known, else as soon as it starts. `why`
  // is the outcome it then ends with (the first abort's).
  void Abort(TOutcome why = TOutcome::Aborted());
  // Why the download was aborted; nothing when it was not.
  std::optional<TOutcome> AbortedAs() const;

  // The download made progress (a connection step or bytes).
  void Touch();
  // Milliseconds since the download last made progress (or started).
  DWORD IdleMs() const;
  // Milliseconds since the download started.
  DWORD AgeMs() const { return GetTickCount() - started_; }

  // Moves the finished temporary file to its final name, unless the transfer was aborted;
  // answers Completed when the file is now in place, else why not. An abort either comes
  // before (no file is moved) or after (the moved file is whole); never in between.
  TOutcome Commit(const std::wstring& temporary, const std::wstring& final);

  // Set by the worker once its call has returned and the files are settled; the download has
  // then ended.
  void SetOutcome(TOutcome outcome);
  TOutcome Outcome() const;
  bool Ended() const { return ended_; }

 private:
  mutable std::mutex mutex_;
  IBinding* binding_ = nullptr;
  std::optional<TOutcome> aborted_;
  const DWORD started_;
  std::atomic<DWORD> lastProgress_;
  TOutcome outcome_ = TOutcome::Aborted();
  std::atomic<bool> ended_{false};
};

}  // namespace download
