#include "app/download/Transfer.h"

namespace download {

TTransfer::TTransfer() : started_(GetTickCount()), lastProgress_(started_) {}

TTransfer::~TTransfer() { Detach(); }

bool TTransfer::Attach(IBinding* binding) {
  std::lock_guard lock(mutex_);
  if (aborted_) return false;
  if (binding) binding->AddRef();
  if (binding_) binding_->Release();
  binding_ = binding;
  return true;
}

void TTransfer::Detach() {
  IBinding* binding = nullptr;
  {
    std::lock_guard lock(mutex_);
    std::swap(binding, binding_);
  }
  if (binding) binding->Release();
}

void TTransfer::Abort(TOutcome why) {
  IBinding* binding = nullptr;
  {
    std::lock_guard lock(mutex_);
    if (!aborted_) aborted_ = why;
    binding = binding_;
    if (binding) binding->AddRef();
  }
  // Outside the lock: the service may call back into the sink while it aborts.
  if (binding) {
    binding->Abort();
    binding->Release();
  }
}

std::optional<TOutcome> TTransfer::AbortedAs() const {
  std::lock_guard lock(mutex_);
  return aborted_;
}

void TTransfer::Touch() { lastProgress_ = GetTickCount(); }

DWORD TTransfer::IdleMs() const { return GetTickCount() - lastProgress_; }

TOutcome TTransfer::Commit(const std::wstring& temporary, const std::wstring& final) {
  std::lock_guard lock(mutex_);
  if (aborted_) return *aborted_;
  if (!MoveFileExW(temporary.c_str(), final.c_str(), MOVEFILE_WRITE_THROUGH) ||
      GetFileAttributesW(final.c_str()) == INVALID_FILE_ATTRIBUTES)
    return TOutcome::Unwritable(GetLastError());
  return TOutcome::Completed();
}

void TTransfer::SetOutcome(TOutcome outcome) {
  std::lock_guard lock(mutex_);
  outcome_ = outcome;
  ended_ = true;
}

TOutcome TTransfer::Outcome() const {
  std::lock_guard lock(mutex_);
  return outcome_;
}

}  // namespace download
