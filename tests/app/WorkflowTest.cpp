// The workflow's text rules on bytes of code page 936.
#include <gtest/gtest.h>

#include "app/Workflow.h"

#include <random>

using namespace workflow;

namespace {
// Lead bytes of code page 936.
bool Gbk(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
}  // namespace

TEST(FoundList, SubstringNotLineEqualityDecides) {
  std::string list = "img/a.gif\r\n";
  EXPECT_TRUE(OccursInFoundList(list, "a.gif"));     // part of an earlier, longer address
  EXPECT_FALSE(OccursInFoundList("a.gif\r\n", "img/a.gif"));  // longer one still added
  EXPECT_FALSE(OccursInFoundList("a.gif\r\n", "A.GIF"));      // case-sensitive
  EXPECT_FALSE(OccursInFoundList("\r\n", ""));                // empty never occurs
  EXPECT_FALSE(OccursInFoundList("", "x"));
  EXPECT_TRUE(OccursInFoundList("a.gif\r\nb.gif\r\n", "gif\r\nb"));  // across lines, as a substring
}

TEST(Prefix, ThreeRulesInOrder) {
  const std::string abs = "http://site.vexlo.example", rel = "http://site.vexlo.example/kk/";
  EXPECT_EQ(PrefixFor("http://x/a.gif", abs, rel), "");
  EXPECT_EQ(PrefixFor("/p?u=http://x", abs, rel), "");     // contains it later on
  EXPECT_EQ(PrefixFor("https://x/a.gif", abs, rel), rel);  // not "http://"
  EXPECT_EQ(PrefixFor("HTTP://X/A.GIF", abs, rel), rel);   // case-sensitive
  EXPECT_EQ(PrefixFor("//cdn/a.gif", abs, rel), abs);
  EXPECT_EQ(PrefixFor("/image/top.gif", abs, rel), abs);
  EXPECT_EQ(PrefixFor("'/image/top.gif'", abs, rel), rel);  // quotes kept: relative
  EXPECT_EQ(PrefixFor("", abs, rel), rel);
  EXPECT_EQ(PrefixFor("img/a.gif", "", ""), "");
}

TEST(TestPage, LineShapeWithQuotedEscapedValues) {
  EXPECT_EQ(TestPageLine(3, "P/img/a.gif", Gbk),
            "3 <img src=\"P/img/a.gif\" alt=\"P/img/a.gif\"><br><br><hr>");
  EXPECT_EQ(TestPageLine(0, "", Gbk), "0 <img src=\"\" alt=\"\"><br><br><hr>");
  std::string hostile = TestPageLine(1, "x\"><script>alert(1)</script>&", Gbk);
  EXPECT_EQ(hostile,
            "1 <img src=\"x&quot;&gt;&lt;script&gt;alert(1)&lt;/script&gt;&amp;\" "
            "alt=\"x&quot;&gt;&lt;script&gt;alert(1)&lt;/script&gt;&amp;\"><br><br><hr>");
  EXPECT_EQ(hostile.find("<script"), std::string::npos);
  // Double-byte characters pass whole, even with a trail byte that looks like ASCII.
  EXPECT_EQ(HtmlAttribute("\xCD\xBC\x81\x40.gif", Gbk), "\"\xCD\xBC\x81\x40.gif\"");
}

TEST(ReplaceAll, OnePassLeftToRightCaseSensitive) {
  EXPECT_EQ(ReplaceAll("url(img/a.gif) url(img/a.gif) url(IMG/A.GIF) url(img/a.gif)", "img/a.gif", "a.gif", Gbk),
            "url(a.gif) url(a.gif) url(IMG/A.GIF) url(a.gif)");
  EXPECT_EQ(ReplaceAll("url('/image/top.gif')", "'/image/top.gif'", "top.gif'", Gbk), "url(top.gif')");
  EXPECT_EQ(ReplaceAll("aaa", "a", "aa", Gbk), "aaaaaa");  // the replacement is never searched again
  EXPECT_EQ(ReplaceAll("aaaa", "aa", "b", Gbk), "bb");     // occurrences do not overlap
  EXPECT_EQ(ReplaceAll("abc", "", "x", Gbk), "abc");       // empty search: nothing
  EXPECT_EQ(ReplaceAll("", "a", "x", Gbk), "");
  EXPECT_EQ(ReplaceAll(std::string("a\0b\0", 4), std::string("\0", 1), "_", Gbk), "a_b_");
}

TEST(ReplaceAll, NoMatchStartsOnATrailByte) {
  // 0xB0 0xA1 is one character; searching for "\xA1" must not split it, but finds a real
  // single 0xA1 byte only where a character starts... which in 936 it cannot: so nothing.
  EXPECT_EQ(ReplaceAll("\xB0\xA1x", "\xA1x", "Z", Gbk), "\xB0\xA1x");
  // "\x81\x40" is a character whose trail byte is "@": an "@" search skips it.
  EXPECT_EQ(ReplaceAll("\x81\x40@", "@", "#", Gbk), "\x81\x40#");
  // A whole double-byte character is found.
  EXPECT_EQ(ReplaceAll("\xCD\xBC.gif \xCD\xBC", "\xCD\xBC", "t", Gbk), "t.gif t");
  // A lead byte at the very end stands alone.
  EXPECT_EQ(ReplaceAll("ab\xCD", "\xCD", "!", Gbk), "ab!");
}

TEST(Paths, FolderKeepsItsSeparator) {
  EXPECT_EQ(FolderOf(L"C:\\site\\css\\样式.css"), L"C:\\site\\css\\");
  EXPECT_EQ(FolderOf(L"C:style.css"), L"C:");
  EXPECT_EQ(FolderOf(L"style.css"), L"");
  EXPECT_EQ(FolderOf(L"/home/u/s.css"), L"/home/u/");
  EXPECT_EQ(FolderOf(L"\\\\server\\share\\a.css"), L"\\\\server\\share\\");
}

TEST(FileNames, AfterTheLastSlashBeforeTheFirstQuestionMark) {
  EXPECT_EQ(UrlFileName("http://x/img/top.gif?v=2"), "top.gif");
  EXPECT_EQ(UrlFileName("http://x/a/b/"), "");
  EXPECT_EQ(UrlFileName("top.gif"), "top.gif");
  EXPECT_EQ(UrlFileName("'/image/top.gif'"), "top.gif'");
  EXPECT_EQ(UrlFileName("http://x/a%20b.gif#frag"), "a%20b.gif#frag");
  EXPECT_EQ(UrlFileName("http://x/a?b/c.gif"), "c.gif");  // only the last "/" counts
  EXPECT_EQ(UrlFileName("http://x/..\\..\\x.gif"), "..\\..\\x.gif");
}

TEST(FileNames, SafeNamesStayInsideTheFolder) {
  EXPECT_EQ(SafeFileName("..\\..\\x.gif", Gbk), "x.gif");
  EXPECT_EQ(SafeFileName("top.gif'", Gbk), "top.gif'");
  EXPECT_EQ(SafeFileName("a<b>c:d\"e|f*g\x01.gif", Gbk), "a_b_c_d_e_f_g_.gif");
  EXPECT_EQ(SafeFileName("", Gbk), "");
  EXPECT_EQ(SafeFileName("..", Gbk), "");
  EXPECT_EQ(SafeFileName("dir\\", Gbk), "");
  EXPECT_EQ(SafeFileName("name. ", Gbk), "name__");
  EXPECT_EQ(SafeFileName("CON", Gbk), "_CON");
  EXPECT_EQ(SafeFileName("nul.gif", Gbk), "_nul.gif");
  EXPECT_EQ(SafeFileName("com7.png", Gbk), "_com7.png");
  EXPECT_EQ(SafeFileName("com0.png", Gbk), "com0.png");
  EXPECT_EQ(SafeFileName("console.gif", Gbk), "console.gif");
  // A double-byte character whose trail byte is "\" is not a separator.
  EXPECT_EQ(SafeFileName("\x95\x5C.gif", Gbk), "\x95\x5C.gif");
}

TEST(FoundList, IndexAnswersAsTheTextDoes) {
  // Every candidate is checked against the plain text test on the same list.
  const std::vector<std::string> candidates = {
      "img/a.gif", "a.gif", "A.GIF", "", "", "gif", "x", "img", "/a.g", "a.gif\r", "gif\r\n", "b\r",
      "images/very/long/path/to/file.png", "file.png", "path/to", "\xCD\xBC.gif", "\xBC.g", "zz", "img/a.gif"};
  FoundListIndex index;
  std::string text;
  for (const std::string& c : candidates) {
    SCOPED_TRACE(c);
    bool expected = OccursInFoundList(text, c);
    EXPECT_EQ(index.Contains(c), expected);
    if (!expected) {
      index.Add(c);
      text += c + "\r\n";
    }
  }
  EXPECT_EQ(text, "img/a.gif\r\nA.GIF\r\n\r\n\r\nx\r\nb\r\r\nimages/very/long/path/to/file.png\r\n\xCD\xBC.gif\r\nzz\r\n");
}

TEST(FoundList, IndexAgreesWithTheTextOnRandomLists) {
  std::mt19937 random(7);
  const char alphabet[] = "ab/.\r";
  for (int round = 0; round < 20; ++round) {
    FoundListIndex index;
    std::string text;
    for (int i = 0; i < 300; ++i) {
      std::string c(random() % 9, ' ');
      for (char& ch : c) ch = alphabet[random() % 5];
      bool expected = OccursInFoundList(text, c);
      ASSERT_EQ(index.Contains(c), expected) << "round " << round << " candidate " << c;
      if (!expected) {
        index.Add(c);
        text += c + "\r\n";
      }
    }
  }
}
