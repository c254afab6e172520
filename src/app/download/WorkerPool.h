// The threads that run downloads. A piece of work goes to a worker that waits for one, or to
// a new worker when none waits, so that as many run at once as were handed over; a worker
// that found nothing to do for a while ends. Each worker initialises COM once for all the
// downloads it runs, and handles its thread's messages while it waits (the download service
// finishes a binding through them).
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "app/download/UniqueHandle.h"

namespace download {

// How long a pool that goes waits for its workers to end.
constexpr DWORD kPoolStopWaitMs = 5000;

// Dispatches the messages waiting for the calling thread.
void DispatchThreadMessages();
// Waits until `handle` is signalled, dispatching the thread's messages meanwhile; false when
// `timeoutMs` passed first.
bool WaitHandlingMessages(HANDLE handle, DWORD timeoutMs);

class TWorkerPool {
 public:
  using TWork = std::function<void()>;

  // Workers that waited this long for work end.
  explicit TWorkerPool(DWORD idleMs = 5000);
  // Closes the pool, waiting up to kPoolStopWaitMs.
  ~TWorkerPool();
  TWorkerPool(const TWorkerPool&) = delete;
  TWorkerPool& operator=(const TWorkerPool&) = delete;

  // Hands `work` to a worker; false when no worker could be started for it (the work is then
  // dropped without having run).
  bool Run(TWork work);
  // Workers that exist now (busy or waiting).
  int Workers() const;
  // Takes no more work and tells the workers to end once the work handed over is done; waits
  // up to `timeoutMs` for them.
  void Close(DWORD timeoutMs);

  // Shared with the workers, which may outlive the pool when a piece of work never ends.
  struct TShared;

 private:
  std::shared_ptr<TShared> shared_;
};

}  // namespace download
