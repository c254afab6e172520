// The platform's regular-expression engine through the RegExp component.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/RegExp.h"
#include "ui/SysUtils.h"

using app::TRegExp;

namespace {
std::vector<std::wstring> SecondGroups(TRegExp& re, const std::wstring& pattern, const std::wstring& text) {
  re.SetGlobal(true);
  re.SetPattern(pattern);
  re.SetIgnoreCase(true);
  std::vector<std::wstring> out;
  for (auto& m : re.Execute(text))
    if (m.SubMatches.size() > 1) out.push_back(m.SubMatches[1]);
  return out;
}
const wchar_t kDefault[] = L"background(.*?)url\\((.*?)\\)";
}  // namespace

TEST(RegExp, DefaultPatternFindsEverySecondGroupLeftToRight) {
  TRegExp re(nullptr);
  EXPECT_FALSE(re.Connected());
  auto found = SecondGroups(re, kDefault,
                            L"a{background:url('/image/top.gif')}\r\n"
                            L"b{background-image: url(a.gif) no-repeat}\r\n"
                            L"C{BACKGROUND:URL(b.gif)} d{background:url()} e{background:url()}\r\n"
                            L"f{background:url(split\r\n.gif)}");
  EXPECT_TRUE(re.Connected());
  EXPECT_EQ(found, (std::vector<std::wstring>{L"'/image/top.gif'", L"a.gif", L"b.gif", L"", L""}));
}

TEST(RegExp, GroupCountsFollowThePattern) {
  TRegExp re(nullptr);
  re.SetGlobal(true);
  re.SetPattern(L"url\\((.*?)\\)");
  auto one = re.Execute(L"url(a) url(b)");
  ASSERT_EQ(one.size(), 2u);
  EXPECT_EQ(one[0].SubMatches.size(), 1u);
  re.SetPattern(L"(b)(a)(c)(k)?");
  auto four = re.Execute(L"bac");
  ASSERT_EQ(four.size(), 1u);
  EXPECT_EQ(four[0].SubMatches, (std::vector<std::wstring>{L"b", L"a", L"c", L""}));
}

TEST(RegExp, InvalidPatternRaisesWhatIsWrongWithIt) {
  TRegExp re(nullptr);
  re.SetGlobal(true);
  try {
    re.SetPattern(L"url\\((.*?");
    re.Execute(L"url(x)");
    FAIL() << "no error";
  } catch (const app::ERegExpError& e) {
    EXPECT_EQ(e.Reason(), L"缺少 )");
    EXPECT_EQ(e.Message(), L"正则表达式无效：缺少 )。表达式：url\\((.*?");
  }
}

TEST(RegExp, EngineSeesNulsAndBrokenBytesAndTheyComeBackExactly) {
  TRegExp re(nullptr);
  std::string sheet("x{background:url(\xCD\xBC\x00\xFF.gif)}", 26);
  auto found = SecondGroups(re, kDefault, ui::FromAnsi(sheet));
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(ui::ToAnsi(found[0]), std::string("\xCD\xBC\x00\xFF.gif", 8));
}
