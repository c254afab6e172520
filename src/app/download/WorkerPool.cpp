#include "app/download/WorkerPool.h"

#include <objbase.h>

#include <algorithm>

namespace download {

void DispatchThreadMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool WaitHandlingMessages(HANDLE handle, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    DWORD spent = GetTickCount() - start;
    if (spent >= timeoutMs) return false;
    DWORD r = MsgWaitForMultipleObjectsEx(1, &handle, timeoutMs - spent, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (r == WAIT_OBJECT_0) return true;
    if (r != WAIT_OBJECT_0 + 1) return false;
    DispatchThreadMessages();
  }
}

// `waiting` counts the workers that wait for work less the wake-ups already handed out; each
// wake-up is one count of the `wake` semaphore. A worker whose wait ran out takes a wake-up
// that came meanwhile, or else leaves (it is still counted as waiting then, so it takes
// itself off).
struct TWorkerPool::TShared {
  explicit TShared(DWORD idle) : idleMs(idle), wake(CreateSemaphoreW(nullptr, 0, 0x7fffffff, nullptr)) {}

  // The next piece of work, waiting for one; nothing when the worker is to end.
  TWork Next() {
    std::unique_lock lock(mutex);
    for (;;) {
      if (!queue.empty()) {
        TWork work = std::move(queue.front());
        queue.pop_front();
        return work;
      }
      if (closing) return {};
      ++waiting;
      lock.unlock();
      bool woken = WaitHandlingMessages(wake.Get(), idleMs);
      lock.lock();
      if (!woken && WaitForSingleObject(wake.Get(), 0) != WAIT_OBJECT_0) {
        --waiting;
        return {};
      }
    }
  }

  const DWORD idleMs;
  TUniqueHandle wake;
  std::mutex mutex;
  std::deque<TWork> queue;
  int waiting = 0;
  bool closing = false;
  std::vector<TUniqueHandle> threads;  // the workers started, less those seen to have ended
};

namespace {

bool HasEnded(const TUniqueHandle& thread) { return WaitForSingleObject(thread.Get(), 0) == WAIT_OBJECT_0; }

DWORD WINAPI WorkerProc(void* parameter) {
  std::unique_ptr<std::shared_ptr<TWorkerPool::TShared>> shared(
      static_cast<std::shared_ptr<TWorkerPool::TShared>*>(parameter));
  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  while (TWorkerPool::TWork work = (*shared)->Next()) work();
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}

}  // namespace

TWorkerPool::TWorkerPool(DWORD idleMs) : shared_(std::make_shared<TShared>(idleMs)) {}

TWorkerPool::~TWorkerPool() { Close(kPoolStopWaitMs); }

void TWorkerPool::Close(DWORD timeoutMs) {
  std::vector<HANDLE> threads;
  {
    std::lock_guard lock(shared_->mutex);
    shared_->closing = true;
    if (shared_->waiting > 0) ReleaseSemaphore(shared_->wake.Get(), shared_->waiting, nullptr);
    shared_->waiting = 0;
    for (const TUniqueHandle& thread : shared_->threads) threads.push_back(thread.Get());
  }
  // The handles stay open while shared_ lives, which is at least until this returns.
  const DWORD start = GetTickCount();
  for (HANDLE thread : threads) {
    DWORD spent = GetTickCount() - start;
    WaitForSingleObject(thread, spent < timeoutMs ? timeoutMs - spent : 0);
  }
}

bool TWorkerPool::Run(TWork work) {
  std::lock_guard lock(shared_->mutex);
  if (shared_->closing) return false;
  shared_->queue.push_back(std::move(work));
  if (shared_->waiting > 0) {
    --shared_->waiting;
    ReleaseSemaphore(shared_->wake.Get(), 1, nullptr);
    return true;
  }
  std::erase_if(shared_->threads, HasEnded);
  auto parameter = std::make_unique<std::shared_ptr<TShared>>(shared_);
  HANDLE thread = CreateThread(nullptr, 0, &WorkerProc, parameter.get(), 0, nullptr);
  if (!thread) {
    shared_->queue.pop_back();
    return false;
  }
  parameter.release();
  shared_->threads.emplace_back(thread);
  return true;
}

int TWorkerPool::Workers() const {
  std::lock_guard lock(shared_->mutex);
  return static_cast<int>(std::count_if(shared_->threads.begin(), shared_->threads.end(),
                                        [](const TUniqueHandle& t) { return !HasEnded(t); }));
}

}  // namespace download
