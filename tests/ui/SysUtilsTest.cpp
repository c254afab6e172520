// Text conversions: code-page text without loss, UTF-8, and the library's error texts.
#include <gtest/gtest.h>

#include <windows.h>

#include "ui/SysUtils.h"

using namespace ui;

TEST(SysUtils, CodePageTextRoundTripsEveryByteExactly) {
  std::string bytes("\xD6\xD0\xCE\xC4 a\x00" "b \xFF\x80\x81 \xCD", 13);
  std::wstring wide = ui::FromAnsi(bytes);
  EXPECT_EQ(wide.substr(0, 2), L"中文");
  EXPECT_EQ(wide[3], L'a');
  EXPECT_EQ(wide[4], L'\0');
  EXPECT_EQ(ui::ToAnsi(wide), bytes);
  std::string all;
  for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
  EXPECT_EQ(ui::ToAnsi(ui::FromAnsi(all)), all);
}

TEST(SysUtils, FormatAndFileErrorTexts) {
  EXPECT_EQ(Format(L"Cannot open file \"%s\". %s", {L"a.css", L"原因"}), L"Cannot open file \"a.css\". 原因");
  EXPECT_EQ(Format(L"%s and %s", {L"one"}), L"one and %s");
  EXPECT_EQ(EFCreateError(L"x", ERROR_ACCESS_DENIED).Message(),
            L"Cannot create file \"x\". " + SysErrorMessage(ERROR_ACCESS_DENIED));
  EXPECT_EQ(Widen(Utf8(L"中文 ok")), L"中文 ok");
}
