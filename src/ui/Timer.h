// A timer component: calls OnTimer every Interval milliseconds while Enabled, on the thread
// that made it (through a hidden window of its own).
#pragma once

#include <windows.h>

#include "ui/Controls.h"

namespace ui {

class TTimer : public TComponent {
  UI_CLASS_INFO
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  int Interval() const { return interval_; }
  void SetInterval(int ms);
  TNotifyEvent OnTimer;

 private:
  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
  void Update();

  HWND window_ = nullptr;
  bool enabled_ = true;
  int interval_ = 1000;
};

}  // namespace ui
