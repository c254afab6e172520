// The progress cell reads its decimal separator from the locale in use: the user's locale
// (code page 936's Chinese one here, with "."), or another one given to the thread.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/download/Progress.h"
#include "ui/SysUtils.h"

namespace {

// Gives this thread another locale while it lives.
class ThreadLocale {
 public:
  explicit ThreadLocale(LCID locale) : before_(GetThreadLocale()) { ok_ = SetThreadLocale(locale) != FALSE; }
  ~ThreadLocale() { SetThreadLocale(before_); }
  bool ok() const { return ok_; }

 private:
  LCID before_;
  bool ok_ = false;
};

}  // namespace

TEST(ProgressLocale, TheUsersLocaleGivesItsSeparator) {
  EXPECT_EQ(ui::DecimalSeparator(), L".");
  EXPECT_EQ(download::ProgressCell(500, 1000), L"50.00%");
}

TEST(ProgressLocale, ALocaleWithADecimalCommaGivesAComma) {
  {
    ThreadLocale german(MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT));
    ASSERT_TRUE(german.ok());
    EXPECT_EQ(ui::DecimalSeparator(), L",");
    EXPECT_EQ(download::ProgressCell(500, 1000), L"50,00%");
    EXPECT_EQ(download::ProgressCell(101, 1000), L"10,10%");
    EXPECT_EQ(download::ProgressCell(0, 0), L"100%");
  }
  EXPECT_EQ(download::ProgressCell(500, 1000), L"50.00%");  // back to the user's locale
}
