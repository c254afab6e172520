#include "ui/Timer.h"

#include "ui/SysUtils.h"

namespace ui {
namespace {
const wchar_t kTimerClass[] = L"VexloTimerWindow";
}

const TClassInfo& TTimer::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TTimer", &TComponent::StaticClass());
    c.Bool(L"Enabled", &TTimer::Enabled, &TTimer::SetEnabled);
    c.Int(L"Interval", &TTimer::Interval, &TTimer::SetInterval);
    return c;
  }();
  return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  static const ATOM atom = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &TTimer::WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kTimerClass;
    return RegisterClassExW(&wc);
  }();
  (void)atom;
  window_ = CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  if (!window_) RaiseLastOSError();
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  Update();
}

TTimer::~TTimer() {
  BeginDestruction();
  KillTimer(window_, 1);
  DestroyWindow(window_);
}

void TTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  Update();
}

void TTimer::SetInterval(int ms) {
  if (ms == interval_) return;
  interval_ = ms;
  Update();
}

void TTimer::Update() {
  KillTimer(window_, 1);
  if (enabled_ && interval_ > 0) SetTimer(window_, 1, static_cast<UINT>(interval_), nullptr);
}

LRESULT CALLBACK TTimer::WindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER) {
    auto* timer = reinterpret_cast<TTimer*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (timer && timer->enabled_ && timer->OnTimer) {
      try {
        timer->OnTimer(timer);
      } catch (...) {
        HandleException(timer);
      }
    }
    return 0;
  }
  return DefWindowProcW(h, msg, wp, lp);
}

}  // namespace ui
