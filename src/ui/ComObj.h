// COM helpers: an owning interface pointer, an owning BSTR, and error checks that raise the
// library's exception with the system's text.
#pragma once

#include <windows.h>

#include <oleauto.h>
#include <unknwn.h>

#include <string>
#include <utility>

namespace ui {

template <class T>
class TComPtr {
 public:
  TComPtr() = default;
  TComPtr(std::nullptr_t) {}
  // Takes over a reference the caller already owns.
  static TComPtr Attach(T* p) {
    TComPtr r;
    r.p_ = p;
    return r;
  }
  TComPtr(const TComPtr& o) : p_(o.p_) {
    if (p_) p_->AddRef();
  }
  TComPtr(TComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  TComPtr& operator=(TComPtr o) noexcept {
    std::swap(p_, o.p_);
    return *this;
  }
  ~TComPtr() { Reset(); }

  void Reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }
  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For out-parameters: releases what is held and hands out the slot.
  T** Put() {
    Reset();
    return &p_;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }
  template <class U>
  TComPtr<U> As(REFIID iid) const {
    TComPtr<U> r;
    if (p_) p_->QueryInterface(iid, r.PutVoid());
    return r;
  }

 private:
  T* p_ = nullptr;
};

class TBStr {
 public:
  TBStr() = default;
  explicit TBStr(const std::wstring& s) : s_(SysAllocStringLen(s.data(), static_cast<UINT>(s.size()))) {}
  ~TBStr() { SysFreeString(s_); }
  TBStr(const TBStr&) = delete;
  TBStr& operator=(const TBStr&) = delete;
  BSTR Get() const { return s_; }
  BSTR* Put() {
    SysFreeString(s_);
    s_ = nullptr;
    return &s_;
  }
  std::wstring Str() const { return s_ ? std::wstring(s_, SysStringLen(s_)) : std::wstring(); }

 private:
  BSTR s_ = nullptr;
};

// The text of a failed result: the error description the object left for this thread when it
// gave one, otherwise the system's text for the result.
std::wstring OleErrorText(HRESULT hr);
// Raises the library's exception for a failed result, with OleErrorText.
void OleCheck(HRESULT hr);

}  // namespace ui
