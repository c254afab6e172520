// Message sequences in the style of Wine's conformance tests: a recorder notes the messages
// that chosen windows of this thread see (sent ones as they enter the window, posted ones as
// they leave the queue, and any a test adds itself), and a comparison checks them against an
// expected list in which entries may be optional or check their parameters.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testsupport {

// Flags of a message entry.
enum : unsigned {
  msgSent = 1,       // recorded: came through SendMessage; expected: must have
  msgPosted = 2,     // recorded: taken from the queue; expected: must have
  msgOptional = 4,   // expected: may be missing
  msgWParam = 8,     // expected: wParam must match
  msgLParam = 16,    // expected: lParam must match
  msgHandler = 32,   // recorded by the test itself (e.g. from a window's own handler)
};

struct MessageEntry {
  UINT message = 0;
  unsigned flags = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  HWND window = nullptr;
};

// Records while it lives; one recorder at a time per thread.
class MessageRecorder {
 public:
  MessageRecorder();
  ~MessageRecorder();
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  // Messages of this window are recorded (any number of windows).
  void Watch(HWND window);
  // Only messages for which `keep` answers true are recorded (all by default).
  void Filter(std::function<bool(UINT)> keep) { keep_ = std::move(keep); }
  void Add(HWND window, UINT message, WPARAM wParam, LPARAM lParam, unsigned flags);
  void Clear() { seen_.clear(); }
  const std::vector<MessageEntry>& Messages() const { return seen_; }
  // How often the message was recorded with all of `flags`.
  int Count(UINT message, unsigned flags = 0) const;

 private:
  static LRESULT CALLBACK CallWndProc(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK GetMsgProc(int code, WPARAM wParam, LPARAM lParam);
  bool Watched(HWND window) const;

  HHOOK sentHook_ = nullptr;
  HHOOK postedHook_ = nullptr;
  std::vector<HWND> windows_;
  std::function<bool(UINT)> keep_;
  std::vector<MessageEntry> seen_;
};

// Empty when `seen` matches `expected`; otherwise a description of the first difference and
// both lists. Expected entries are matched in order; an optional one may be skipped, and a
// seen message matches only the next expected one (or a later one past optional entries).
std::string CompareSequence(const std::vector<MessageEntry>& seen,
                            const std::vector<MessageEntry>& expected);

// The seen messages, one per line, with their flags and parameters.
std::string DescribeSequence(const std::vector<MessageEntry>& seen);

}  // namespace testsupport
