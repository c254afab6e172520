// The leak checks every skinned form gets: repainted, resized, activated and deactivated, its
// menus opened and closed, its skin switched back and forth. Each runs real messages on the
// real window and checks that each round really did what it says.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

#include "GuiTestSupport.h"
#include "LeakCheck.h"
#include "SecondSkin.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/frame/SkinManage.h"
#include "ui/Classes.h"
#include "ui/Forms.h"

namespace testsupport {

// The running frame of the form's window, or none after ten seconds.
inline skin::TWinSkinForm* RunningFrameOf(ui::TForm& form) {
  skin::TWinSkinForm* frame = nullptr;
  PumpUntil([&] {
    frame = skin::TSkinManage::Instance() ? skin::TSkinManage::Instance()->FindSkinForm(form.Handle()) : nullptr;
    return frame && frame->FrameState() == skin::fsRunning;
  }, 10000);
  return frame && frame->FrameState() == skin::fsRunning ? frame : nullptr;
}

// Counts the WM_PAINT messages the form handles while it lives.
class TPaintCounter {
 public:
  explicit TPaintCounter(ui::TForm& form) : form_(form), own_(form.WindowProc) {
    form.WindowProc = [this](ui::TMessage& m) {
      if (m.Msg == WM_PAINT) ++paints_;
      own_(m);
    };
  }
  ~TPaintCounter() { form_.WindowProc = own_; }
  TPaintCounter(const TPaintCounter&) = delete;
  TPaintCounter& operator=(const TPaintCounter&) = delete;
  int Paints() const { return paints_; }

 private:
  ui::TForm& form_;
  ui::TWndMethod own_;
  int paints_ = 0;
};

// Frame (borders, title, caption buttons, menu bar) and client area painted at once, the
// controls left as they are.
inline void CheckRepaints(const std::string& name, ui::TForm& form, int times) {
  TPaintCounter counter(form);
  const HWND h = form.Handle();
  ExpectNoLeaks(name, times, [h](int) {
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  });
  EXPECT_EQ(counter.Paints(), times + kLeakWarmUp) << name;
}

// The whole window painted at once, every control in it included; `beforeRound` may change
// what shows first (another page, say).
inline void CheckFullRepaints(const std::string& name, ui::TForm& form, int times,
                              const std::function<void(int)>& beforeRound = {}) {
  TPaintCounter counter(form);
  const HWND h = form.Handle();
  ExpectNoLeaks(name, times, [&](int round) {
    if (beforeRound) beforeRound(round);
    RedrawWindow(h, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  });
  EXPECT_EQ(counter.Paints(), times + kLeakWarmUp) << name;
}

// The window's size changed by the program, the frame following at once (its region and
// borders); the controls repaint once at the end.
inline void CheckResizes(const std::string& name, ui::TForm& form, int times) {
  const HWND h = form.Handle();
  RECT start{};
  GetWindowRect(h, &start);
  const int width = start.right - start.left, height = start.bottom - start.top;
  int changed = 0;
  ExpectNoLeaks(name, times, [&](int round) {
    const int w = width + (round % 7) * 9 - 20, hgt = height + (round % 5) * 11 - 20;
    SetWindowPos(h, nullptr, 0, 0, w, hgt, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(h, nullptr, nullptr, RDW_UPDATENOW | RDW_NOCHILDREN);
    RECT now{};
    GetWindowRect(h, &now);
    changed += now.right - now.left == w && now.bottom - now.top == hgt;
  });
  EXPECT_EQ(changed, times + kLeakWarmUp) << name << ": sizes not taken";
  SetWindowPos(h, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Activation moving between the form and another window of the program, as a click on
// either would.
inline void CheckActivations(const std::string& name, ui::TForm& form, int times) {
  skin::TWinSkinForm* frame = RunningFrameOf(form);
  ASSERT_NE(frame, nullptr);
  ui::TForm other(nullptr);
  other.SetBounds(20, 20, 200, 120);
  other.Show();
  const HWND h = form.Handle();
  int active = 0, inactive = 0;
  ExpectNoLeaks(name, times, [&](int) {
    SetActiveWindow(h);
    active += GetActiveWindow() == h && frame->Active();
    SetActiveWindow(other.Handle());
    inactive += GetActiveWindow() == other.Handle() && !frame->Active();
  });
  EXPECT_EQ(active, times + kLeakWarmUp) << name;
  EXPECT_EQ(inactive, times + kLeakWarmUp) << name;
  SetActiveWindow(h);
}

// A menu opened as Alt with `key` does (' ' the system menu, a letter the menu bar's item of
// that accelerator) and closed.
inline void CheckMenuOpenings(const std::string& name, ui::TForm& form, wchar_t key, int times) {
  skin::TWinSkinForm* frame = RunningFrameOf(form);
  ASSERT_NE(frame, nullptr);
  SetActiveWindow(form.Handle());
  int shown = 0;
  ExpectNoLeaks(name, times, [&](int) { shown += OpenMenuAndClose(form.Handle(), key); });
  EXPECT_EQ(shown, times + kLeakWarmUp) << name;
  EXPECT_FALSE(frame->InMenuLoop()) << name;
}

// The form's skin switched to a second package and back to its own (`ownPackage`, the
// package it runs with), each switch applied to every skinned window (the manager does that a
// moment later from its timer; here at once). The packages are written into `folder` (with
// its trailing separator).
inline void CheckSkinSwitches(const std::string& name, skin::TSkinData& data,
                              const std::string& ownPackage, const std::wstring& folder, int times) {
  const std::wstring own = folder + L"own.skn", second = folder + L"second.skn";
  const std::string secondPackage = SecondSkinPackage();
  ASSERT_FALSE(secondPackage.empty());
  ASSERT_FALSE(ownPackage.empty());
  ui::SaveBytesSafely(own, ownPackage);
  ui::SaveBytesSafely(second, secondPackage);
  const std::string ownName = data.SkinName();
  ASSERT_NE(ownName, kSecondSkinName);
  int changes = 0, named = 0;
  data.OnSkinChanged = [&](ui::TObject*) { ++changes; };
  const auto apply = [&](const std::wstring& path, const std::string& skinName) {
    data.SetSkinFile(path);
    skin::TSkinManage::Instance()->RunPendingAction();
    named += data.SkinName() == skinName;
  };
  ExpectNoLeaks(name, times, [&](int) {
    apply(second, kSecondSkinName);
    apply(own, ownName);
  });
  data.OnSkinChanged = nullptr;
  DeleteFileW(own.c_str());
  DeleteFileW(second.c_str());
  EXPECT_EQ(named, 2 * (times + kLeakWarmUp)) << name;
  EXPECT_EQ(changes, 2 * (times + kLeakWarmUp)) << name;
}

}  // namespace testsupport
