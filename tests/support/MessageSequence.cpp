#include "MessageSequence.h"

#include <algorithm>
#include <cstdio>

namespace testsupport {

namespace {

thread_local MessageRecorder* g_recorder = nullptr;

std::string Hex(unsigned long long value) {
  char text[32];
  std::snprintf(text, sizeof(text), "%#llx", value);
  return text;
}

std::string Describe(const MessageEntry& e) {
  std::string kind = (e.flags & msgSent) ? "sent" : (e.flags & msgPosted) ? "posted"
                   : (e.flags & msgHandler) ? "handler" : "any";
  if (e.flags & msgOptional) kind += ",optional";
  std::string text = Hex(e.message) + " (" + kind + ")";
  if (e.flags & msgWParam || e.flags & (msgSent | msgPosted | msgHandler)) {
    text += " wParam " + Hex(static_cast<unsigned long long>(e.wParam));
  }
  if (e.flags & msgLParam || e.flags & (msgSent | msgPosted | msgHandler)) {
    text += " lParam " + Hex(static_cast<unsigned long long>(static_cast<ULONG_PTR>(e.lParam)));
  }
  return text;
}

bool Matches(const MessageEntry& expected, const MessageEntry& seen) {
  if (expected.message != seen.message) return false;
  const unsigned kinds = msgSent | msgPosted | msgHandler;
  if ((expected.flags & kinds) && !(expected.flags & seen.flags & kinds)) return false;
  if ((expected.flags & msgWParam) && expected.wParam != seen.wParam) return false;
  if ((expected.flags & msgLParam) && expected.lParam != seen.lParam) return false;
  return true;
}

}  // namespace

MessageRecorder::MessageRecorder() {
  g_recorder = this;
  const DWORD thread = GetCurrentThreadId();
  sentHook_ = SetWindowsHookExW(WH_CALLWNDPROC, &MessageRecorder::CallWndProc, nullptr, thread);
  postedHook_ = SetWindowsHookExW(WH_GETMESSAGE, &MessageRecorder::GetMsgProc, nullptr, thread);
}

MessageRecorder::~MessageRecorder() {
  if (sentHook_) UnhookWindowsHookEx(sentHook_);
  if (postedHook_) UnhookWindowsHookEx(postedHook_);
  if (g_recorder == this) g_recorder = nullptr;
}

void MessageRecorder::Watch(HWND window) { windows_.push_back(window); }

bool MessageRecorder::Watched(HWND window) const {
  return std::find(windows_.begin(), windows_.end(), window) != windows_.end();
}

void MessageRecorder::Add(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                          unsigned flags) {
  if (keep_ && !keep_(message)) return;
  seen_.push_back({message, flags, wParam, lParam, window});
}

int MessageRecorder::Count(UINT message, unsigned flags) const {
  return static_cast<int>(std::count_if(seen_.begin(), seen_.end(), [&](const MessageEntry& e) {
    return e.message == message && (e.flags & flags) == flags;
  }));
}

LRESULT CALLBACK MessageRecorder::CallWndProc(int code, WPARAM wParam, LPARAM lParam) {
  MessageRecorder* self = g_recorder;
  if (self && code == HC_ACTION) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (self->Watched(m->hwnd)) self->Add(m->hwnd, m->message, m->wParam, m->lParam, msgSent);
  }
  return CallNextHookEx(self ? self->sentHook_ : nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MessageRecorder::GetMsgProc(int code, WPARAM wParam, LPARAM lParam) {
  MessageRecorder* self = g_recorder;
  if (self && code == HC_ACTION && wParam == PM_REMOVE) {
    const auto* m = reinterpret_cast<const MSG*>(lParam);
    if (self->Watched(m->hwnd)) self->Add(m->hwnd, m->message, m->wParam, m->lParam, msgPosted);
  }
  return CallNextHookEx(self ? self->postedHook_ : nullptr, code, wParam, lParam);
}

std::string DescribeSequence(const std::vector<MessageEntry>& seen) {
  std::string text;
  for (const MessageEntry& e : seen) text += "  " + Describe(e) + "\n";
  return text;
}

std::string CompareSequence(const std::vector<MessageEntry>& seen,
                            const std::vector<MessageEntry>& expected) {
  std::size_t s = 0, e = 0;
  std::string problem;
  while (s < seen.size() && e < expected.size()) {
    if (Matches(expected[e], seen[s])) {
      ++s;
      ++e;
      continue;
    }
    if (expected[e].flags & msgOptional) {
      ++e;
      continue;
    }
    problem = "expected " + Describe(expected[e]) + ", seen " + Describe(seen[s]) +
              " (entry " + std::to_string(s) + ")";
    break;
  }
  if (problem.empty()) {
    while (e < expected.size() && (expected[e].flags & msgOptional)) ++e;
    if (e < expected.size()) {
      problem = "missing " + Describe(expected[e]);
    } else if (s < seen.size()) {
      problem = "unexpected " + Describe(seen[s]) + " (entry " + std::to_string(s) + ")";
    }
  }
  if (problem.empty()) return {};
  std::string expectedText;
  for (const MessageEntry& x : expected) expectedText += "  " + Describe(x) + "\n";
  return problem + "\nseen:\n" + DescribeSequence(seen) + "expected:\n" + expectedText;
}

}  // namespace testsupport
