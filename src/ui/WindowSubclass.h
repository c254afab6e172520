// Taking over a window's message stream and giving it back.
//
// TWindowSubclass replaces a window's procedure (GWLP_WNDPROC) by a small thunk of its own
// that calls a handler, and puts the previous procedure back exactly once. Each installation
// has its own thunk, so several subclassers of one window stay apart. When another subclasser
// installed itself over ours, restoring ours would cut it off: the thunk then stays in place
// and only passes every message on to the procedure it replaced.
//
// TWndMethodHook does the same for a class-library control's replaceable WindowProc.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "ui/Controls.h"

namespace ui {

class TWindowSubclass {
 public:
  using THandler = std::function<LRESULT(UINT msg, WPARAM wParam, LPARAM lParam)>;

  TWindowSubclass() = default;
  ~TWindowSubclass();
  TWindowSubclass(const TWindowSubclass&) = delete;
  TWindowSubclass& operator=(const TWindowSubclass&) = delete;

  // Replaces the window's procedure (wide or 8-bit by IsWindowUnicode) by one that calls
  // `handler`; false when this object is installed already or there is no such window.
  bool Install(HWND window, THandler handler);
  // Gives the window its previous procedure back; later calls do nothing. May be called from
  // inside the handler.
  void Restore();

  bool Installed() const { return record_ != nullptr; }
  HWND Window() const { return window_; }
  bool Unicode() const { return unicode_; }
  // The procedure that was replaced; none when not installed.
  WNDPROC Previous() const { return previous_; }
  // The procedure that was installed; none when not installed.
  WNDPROC Procedure() const;
  // Hands the message to the previous procedure, wide or 8-bit as it was installed.
  LRESULT CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam) const;

 private:
  struct TRecord;
  static std::vector<TRecord*>& Orphans();
  static LRESULT CALLBACK ThunkProc(HWND record, UINT msg, WPARAM wParam, LPARAM lParam);

  TRecord* record_ = nullptr;
  HWND window_ = nullptr;
  WNDPROC previous_ = nullptr;
  bool unicode_ = false;
  THandler handler_;
};

class TWndMethodHook {
 public:
  TWndMethodHook() = default;
  ~TWndMethodHook() { Restore(); }
  TWndMethodHook(const TWndMethodHook&) = delete;
  TWndMethodHook& operator=(const TWndMethodHook&) = delete;

  // Puts `handler` in front of the control's WindowProc; false when installed already.
  bool Install(TControl& control, TWndMethod handler);
  // Gives the control its previous WindowProc back (once). When another hook was put in front
  // of ours meanwhile, ours stays in the chain and only passes messages on.
  void Restore();

  bool Installed() const { return link_ != nullptr; }
  TControl* Control() const { return control_; }
  // Hands the message to the WindowProc that was replaced.
  void CallPrevious(TMessage& message) const;

 private:
  struct TLink;
  struct TEntry;

  std::shared_ptr<TLink> link_;
  TControl* control_ = nullptr;
};

}  // namespace ui
