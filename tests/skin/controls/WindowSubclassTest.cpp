// The subclassing helpers: a window's procedure and a control's WindowProc are taken over and
// given back exactly once, also when another subclasser came later.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "ui/Forms.h"
#include "ui/StdCtrls.h"
#include "ui/WindowSubclass.h"

namespace {

std::vector<std::string>* g_log = nullptr;

LRESULT CALLBACK OwnProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_USER && g_log) g_log->push_back("own");
  if (msg == WM_USER) return 7;
  return DefWindowProcW(window, msg, wParam, lParam);
}

class WindowSubclassTest : public testing::Test {
 protected:
  void SetUp() override {
    g_log = &log_;
    WNDCLASSW wc{};
    wc.lpfnWndProc = OwnProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VexloSubclassTest";
    RegisterClassW(&wc);
    window_ = CreateWindowW(L"VexloSubclassTest", L"", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    if (IsWindow(window_)) DestroyWindow(window_);
    g_log = nullptr;
  }
  LONG_PTR Proc() const { return GetWindowLongPtrW(window_, GWLP_WNDPROC); }
  ui::TWindowSubclass::THandler Logging(ui::TWindowSubclass& s, const std::string& name) {
    return [this, &s, name](UINT msg, WPARAM w, LPARAM l) {
      if (msg == WM_USER) log_.push_back(name);
      return s.CallPrevious(msg, w, l);
    };
  }

  std::vector<std::string> log_;
  HWND window_ = nullptr;
};

TEST_F(WindowSubclassTest, InstallRoutesMessagesAndRestorePutsTheProcedureBack) {
  const LONG_PTR original = Proc();
  ui::TWindowSubclass s;
  ASSERT_TRUE(s.Install(window_, Logging(s, "first")));
  EXPECT_NE(Proc(), original);
  EXPECT_EQ(Proc(), reinterpret_cast<LONG_PTR>(s.Procedure()));
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(s.Previous()), original);
  EXPECT_TRUE(s.Unicode());
  EXPECT_EQ(SendMessageW(window_, WM_USER, 0, 0), 7);
  EXPECT_EQ(log_, (std::vector<std::string>{"first", "own"}));
  EXPECT_FALSE(s.Install(window_, Logging(s, "again")));  // once
  s.Restore();
  EXPECT_EQ(Proc(), original);
  s.Restore();  // a second time changes nothing
  EXPECT_EQ(Proc(), original);
  EXPECT_FALSE(s.Installed());
}

TEST_F(WindowSubclassTest, TheObjectsEndRestores) {
  const LONG_PTR original = Proc();
  {
    ui::TWindowSubclass s;
    s.Install(window_, Logging(s, "first"));
  }
  EXPECT_EQ(Proc(), original);
}

TEST_F(WindowSubclassTest, TwoSubclassersStayApart) {
  const LONG_PTR original = Proc();
  ui::TWindowSubclass lower, upper;
  lower.Install(window_, Logging(lower, "lower"));
  upper.Install(window_, Logging(upper, "upper"));
  SendMessageW(window_, WM_USER, 0, 0);
  EXPECT_EQ(log_, (std::vector<std::string>{"upper", "lower", "own"}));
  log_.clear();
  // The lower one lets go while the upper one still calls it: it only passes messages on.
  lower.Restore();
  EXPECT_EQ(Proc(), reinterpret_cast<LONG_PTR>(upper.Procedure()));
  EXPECT_EQ(SendMessageW(window_, WM_USER, 0, 0), 7);
  EXPECT_EQ(log_, (std::vector<std::string>{"upper", "own"}));
  upper.Restore();
  EXPECT_EQ(Proc(), original);  // the passing thunk below is gone too
  log_.clear();
  EXPECT_EQ(SendMessageW(window_, WM_USER, 0, 0), 7);
  EXPECT_EQ(log_, (std::vector<std::string>{"own"}));
}

TEST_F(WindowSubclassTest, RestoringFromInsideTheHandlerIsSafe) {
  const LONG_PTR original = Proc();
  ui::TWindowSubclass s;
  s.Install(window_, [&](UINT msg, WPARAM w, LPARAM l) {
    const LRESULT result = s.CallPrevious(msg, w, l);
    if (msg == WM_USER) s.Restore();
    return result;
  });
  EXPECT_EQ(SendMessageW(window_, WM_USER, 0, 0), 7);
  EXPECT_EQ(Proc(), original);
  EXPECT_EQ(SendMessageW(window_, WM_USER, 0, 0), 7);
}

TEST_F(WindowSubclassTest, AnEightBitWindowIsSubclassedEightBit) {
  HWND narrow = CreateWindowA("STATIC", "text", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(narrow, nullptr);
  ASSERT_FALSE(IsWindowUnicode(narrow));
  const LONG_PTR original = GetWindowLongPtrA(narrow, GWLP_WNDPROC);
  {
    ui::TWindowSubclass s;
    ASSERT_TRUE(s.Install(narrow, [&](UINT m, WPARAM w, LPARAM l) { return s.CallPrevious(m, w, l); }));
    EXPECT_FALSE(s.Unicode());
    SetWindowTextA(narrow, "abc");
    char text[16] = {};
    GetWindowTextA(narrow, text, 16);
    EXPECT_STREQ(text, "abc");
  }
  EXPECT_EQ(GetWindowLongPtrA(narrow, GWLP_WNDPROC), original);
  DestroyWindow(narrow);
}

TEST(WndMethodHookTest, InstallsInFrontAndRestoresExactlyOnce) {
  ui::TForm form(nullptr);
  auto* button = new ui::TButton(&form);
  std::vector<std::string> log;
  struct Own {
    std::vector<std::string>* log;
    void operator()(ui::TMessage& m) const {
      if (m.Msg == WM_USER) log->push_back("own");
    }
  };
  button->WindowProc = Own{&log};
  ui::TWndMethodHook lower, upper;
  lower.Install(*button, [&](ui::TMessage& m) {
    if (m.Msg == WM_USER) log.push_back("lower");
    lower.CallPrevious(m);
  });
  upper.Install(*button, [&](ui::TMessage& m) {
    if (m.Msg == WM_USER) log.push_back("upper");
    upper.CallPrevious(m);
  });
  button->Perform(WM_USER);
  EXPECT_EQ(log, (std::vector<std::string>{"upper", "lower", "own"}));
  log.clear();
  lower.Restore();  // out of the middle: only passes on
  button->Perform(WM_USER);
  EXPECT_EQ(log, (std::vector<std::string>{"upper", "own"}));
  log.clear();
  upper.Restore();  // on top: the control's WindowProc is the one before
  EXPECT_NE(button->WindowProc.target<Own>(), nullptr);
  button->Perform(WM_USER);
  EXPECT_EQ(log, (std::vector<std::string>{"own"}));
}

}  // namespace
