#include "ui/WindowSubclass.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <vector>
#include <algorithm>

#if !defined(__i386__) && !defined(_M_IX86)
#error "The window thunk is written for 32-bit x86."
#endif

namespace ui {

namespace {

// A heap whose blocks may be executed: the thunks live there.
HANDLE ThunkHeap() {
  static const HANDLE heap = HeapCreate(HEAP_CREATE_ENABLE_EXECUTE, 0, 0);
  return heap;
}

}  // namespace

// Thunks left in place because a later subclasser called them; freed when that one lets go.
std::vector<TWindowSubclass::TRecord*>& TWindowSubclass::Orphans() {
  static std::vector<TRecord*> orphans;
  return orphans;
}

// The thunk puts the record's address in place of the window handle and jumps to ThunkProc:
//   mov dword ptr [esp+4], record
//   jmp ThunkProc
#pragma pack(push, 1)
struct TWindowSubclass::TRecord {
  std::uint8_t movOpcode[4];
  TRecord* self;
  std::uint8_t jmpOpcode;
  std::int32_t jmpOffset;
  // Not code: read by ThunkProc.
  TWindowSubclass* owner;  // none once the owner let go while another subclasser was above
  WNDPROC previous;
  HWND window;
  bool unicode;
};
#pragma pack(pop)

TWindowSubclass::~TWindowSubclass() { Restore(); }

WNDPROC TWindowSubclass::Procedure() const { return reinterpret_cast<WNDPROC>(record_); }

bool TWindowSubclass::Install(HWND window, THandler handler) {
  if (record_ || !window || !IsWindow(window) || !ThunkHeap()) return false;
  void* block = HeapAlloc(ThunkHeap(), 0, sizeof(TRecord));
  if (!block) return false;
  auto* record = new (block) TRecord{};
  const std::uint8_t mov[4] = {0xC7, 0x44, 0x24, 0x04};
  std::memcpy(record->movOpcode, mov, sizeof mov);
  record->self = record;
  record->jmpOpcode = 0xE9;
  const auto target = reinterpret_cast<std::intptr_t>(&TWindowSubclass::ThunkProc);
  const auto next = reinterpret_cast<std::intptr_t>(&record->owner);  // after the jump
  record->jmpOffset = static_cast<std::int32_t>(target - next);
  record->owner = this;
  record->window = window;
  record->unicode = IsWindowUnicode(window) != FALSE;
  FlushInstructionCache(GetCurrentProcess(), record, sizeof(TRecord));

  handler_ = std::move(handler);
  record_ = record;
  window_ = window;
  unicode_ = record->unicode;
  const auto proc = reinterpret_cast<LONG_PTR>(record);
  previous_ = reinterpret_cast<WNDPROC>(unicode_ ? SetWindowLongPtrW(window, GWLP_WNDPROC, proc)
                                                 : SetWindowLongPtrA(window, GWLP_WNDPROC, proc));
  record->previous = previous_;
  return true;
}

void TWindowSubclass::Restore() {
  TRecord* record = record_;
  if (!record) return;
  record_ = nullptr;
  const auto ours = reinterpret_cast<LONG_PTR>(record);
  bool release = true;
  if (IsWindow(window_)) {
    const LONG_PTR current = unicode_ ? GetWindowLongPtrW(window_, GWLP_WNDPROC)
                                      : GetWindowLongPtrA(window_, GWLP_WNDPROC);
    if (current == ours) {
      // A thunk below that only passes messages on is skipped and freed.
      WNDPROC previous = previous_;
      auto& orphans = Orphans();
      for (auto it = std::find(orphans.begin(), orphans.end(), reinterpret_cast<TRecord*>(previous));
           it != orphans.end();
           it = std::find(orphans.begin(), orphans.end(), reinterpret_cast<TRecord*>(previous))) {
        TRecord* orphan = *it;
        orphans.erase(it);
        previous = orphan->previous;
        HeapFree(ThunkHeap(), 0, orphan);
      }
      const auto saved = reinterpret_cast<LONG_PTR>(previous);
      if (unicode_) SetWindowLongPtrW(window_, GWLP_WNDPROC, saved);
      else SetWindowLongPtrA(window_, GWLP_WNDPROC, saved);
    } else {
      // Someone subclassed over us and calls our thunk as its previous procedure: the thunk
      // stays and passes every message on.
      record->owner = nullptr;
      Orphans().push_back(record);
      release = false;
    }
  }
  if (release) HeapFree(ThunkHeap(), 0, record);
  previous_ = nullptr;
  window_ = nullptr;
  // The handler may be running right now (Restore called from inside it): it is dropped
  // when the object goes or is installed again, not here.
}

LRESULT TWindowSubclass::CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam) const {
  if (!previous_) return 0;
  return unicode_ ? CallWindowProcW(previous_, window_, msg, wParam, lParam)
                  : CallWindowProcA(previous_, window_, msg, wParam, lParam);
}

LRESULT CALLBACK TWindowSubclass::ThunkProc(HWND recordAsWindow, UINT msg, WPARAM wParam,
                                            LPARAM lParam) {
  auto* record = reinterpret_cast<TRecord*>(recordAsWindow);
  if (TWindowSubclass* owner = record->owner) {
    // A copy: nothing of the record or the owner is touched after the handler, as either may
    // be gone by then.
    const THandler handler = owner->handler_;
    return handler(msg, wParam, lParam);
  }
  return record->unicode ? CallWindowProcW(record->previous, record->window, msg, wParam, lParam)
                         : CallWindowProcA(record->previous, record->window, msg, wParam, lParam);
}

// ---------------------------------------------------------------------------------------------
// TWndMethodHook

struct TWndMethodHook::TLink {
  TWndMethod handler;
  TWndMethod previous;
  bool live = true;
};

// What the control's WindowProc holds while hooked.
struct TWndMethodHook::TEntry {
  std::shared_ptr<TLink> link;
  void operator()(TMessage& m) const {
    // The entry itself may be replaced while the message runs: keep the link.
    const std::shared_ptr<TLink> keep = link;
    if (keep->live) keep->handler(m);
    else if (keep->previous) keep->previous(m);
  }
};

bool TWndMethodHook::Install(TControl& control, TWndMethod handler) {
  if (link_) return false;
  link_ = std::make_shared<TLink>();
  link_->handler = std::move(handler);
  link_->previous = control.WindowProc;
  control_ = &control;
  control.WindowProc = TEntry{link_};
  return true;
}

void TWndMethodHook::Restore() {
  if (!link_) return;
  const std::shared_ptr<TLink> link = std::move(link_);
  link_.reset();
  const TEntry* entry = control_->WindowProc.target<TEntry>();
  if (entry && entry->link == link) {
    // Hooks below that only pass messages on are skipped.
    TWndMethod previous = link->previous;
    for (const TEntry* below = previous.target<TEntry>(); below && !below->link->live;
         below = previous.target<TEntry>()) {
      previous = TWndMethod(below->link->previous);
    }
    control_->WindowProc = previous;
  } else {
    link->live = false;
  }
  control_ = nullptr;
}

void TWndMethodHook::CallPrevious(TMessage& message) const {
  if (link_ && link_->previous) link_->previous(message);
}

}  // namespace ui
