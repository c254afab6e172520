// A kernel handle, closed when it goes.
#pragma once

#include <windows.h>

#include <utility>

namespace download {

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

}  // namespace download
