// One download as both its worker and the window see it: the download service's binding
// (so that the window can abort the download from its own thread), whether the download was
// aborted, when it last made progress, and whether it completed. Shared by the worker and
// the window; every operation is safe from either thread.
//
// The binding is aborted from the window's thread: the service's blocking call does not
// reliably handle messages on the worker's thread while it waits for a silent server, so the
// worker cannot watch itself; IBinding::Abort from another thread ends the call at once.
#pragma once

#include <windows.h>

#include <urlmon.h>

#include <atomic>
#include <mutex>
#include <string>

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
  // Aborts the download: at once when its binding is known, else as soon as it starts.
  void Abort();
  bool Aborted() const;

  // The download made progress (a connection step or bytes).
  void Touch();
  // Milliseconds since the download last made progress (or started).
  DWORD IdleMs() const;

  // Moves the finished temporary file to its final name, unless the transfer was aborted;
  // answers whether the file is now in place. An abort either comes before (no file is
  // moved) or after (the moved file is whole); never in between.
  bool Commit(const std::wstring& temporary, const std::wstring& final);

  // Set by the worker once its call has returned and the files are settled.
  void SetCompleted(bool completed) { completed_ = completed; }
  bool Completed() const { return completed_; }

 private:
  mutable std::mutex mutex_;
  IBinding* binding_ = nullptr;
  bool aborted_ = false;
  std::atomic<DWORD> lastProgress_;
  std::atomic<bool> completed_{false};
};

}  // namespace download
