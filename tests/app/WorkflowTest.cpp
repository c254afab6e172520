// The workflow's text rules on bytes of code page 936.
#include <gtest/gtest.h>

#include <array>

#include "app/SheetAddress.h"

using namespace workflow;

namespace {
// Lead bytes of code page 936.
bool Gbk(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
// A single-byte code page such as 1252.
bool SingleByte(unsigned char) { return false; }

std::string Times(std::string_view piece, size_t n) {
  std::string out;
  for (size_t i = 0; i < n; ++i) out += piece;
  return out;
}
}  // namespace

TEST(Addresses, QuotesSchemesAndPrefixes) {
  const std::string abs = "http://site.vexlo.example", rel = "http://site.vexlo.example/kk/";
  const std::pair<std::string, std::string> cases[] = {
      {"'/image/top.gif'", "http://site.vexlo.example/image/top.gif"},      // quotes: the inner address
      {" \" img/a.gif \" ", "http://site.vexlo.example/kk/img/a.gif"},  // blanks around and inside
      {"'a.gif\"", "http://site.vexlo.example/kk/'a.gif\""},             // quotes that do not match
      {"HTTPS://CDN.vexlo.example/A.PNG", "HTTPS://CDN.vexlo.example/A.PNG"},
      {"'http://x/a.gif'", "http://x/a.gif"},
      {"//cdn.vexlo.example/a.png", "http://cdn.vexlo.example/a.png"},
      {"/p?u=http://x", "/p?u=http://x"},                                   // carries "http://" later on
      {"DATA:image/png;base64,AAAA", "DATA:image/png;base64,AAAA"},
      {"\"\"", rel},
      {"", rel},
  };
  for (const auto& [found, full] : cases) EXPECT_EQ(FullAddress(found, abs, rel), full) << found;
  // A protocol-relative address takes the site prefix's scheme, or http: when it has none.
  EXPECT_EQ(FullAddress("'//cdn/a.png'", "https://site", rel), "https://cdn/a.png");
  EXPECT_EQ(FullAddress("//cdn/a.png", "", ""), "http://cdn/a.png");
  EXPECT_EQ(FullAddress("//cdn/a.png", "site.example", ""), "http://cdn/a.png");
  EXPECT_TRUE(IsEmbedded(InnerAddress(" 'Data:image/gif;base64,R0lG' ")));
  EXPECT_FALSE(IsEmbedded("img/data:x.png"));
  EXPECT_EQ(InnerAddress(" ' /image/top.gif ' "), "/image/top.gif");
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

TEST(Rewrite, WholeAddressesOnlyInOnePass) {
  auto rewrite = [](std::string_view text, std::vector<AddressReplacement> pairs) {
    return ReplaceWholeAddresses(text, pairs, Gbk);
  };
  // img/a.gif downloaded as a.gif, a.gif (another image) as 7_a.gif: neither touches the other,
  // nor the longer big/img/a.gif, nor a different letter case; quotes and blanks stay.
  EXPECT_EQ(rewrite("url(img/a.gif) url(a.gif) url( \"img/a.gif\" ),url(big/img/a.gif);url(IMG/A.GIF)\r\nimg/a.gif",
                    {{"img/a.gif", "a.gif"}, {"a.gif", "7_a.gif"}}),
            "url(a.gif) url(7_a.gif) url( \"a.gif\" ),url(big/img/a.gif);url(IMG/A.GIF)\r\na.gif");
  EXPECT_EQ(rewrite("url('/image/top.gif')", {{"/image/top.gif", "top.gif"}}), "url('top.gif')");
  EXPECT_EQ(rewrite("url(a.png?v=3) url(a.png)", {{"a.png?v=3", "a.png"}}), "url(a.png) url(a.png)");
  EXPECT_EQ(rewrite("url(a) url(a.gif)", {{"a", "a.gif"}, {"a.gif", "b.gif"}}), "url(a.gif) url(b.gif)");
  // "a" stands whole inside "a b.gif" too (a blank follows it): the longer address wins there.
  EXPECT_EQ(rewrite("url('a b.gif') url(a)", {{"a", "y.gif"}, {"a b.gif", "x.gif"}}), "url('x.gif') url(y.gif)");
  EXPECT_EQ(rewrite("url(a.gifx)", {{"a.gif", "b"}}), "url(a.gifx)");  // not followed by a delimiter
  EXPECT_EQ(rewrite("abc", {{"", "x"}}), "abc");                         // empty: nothing
  EXPECT_EQ(rewrite("", {{"a", "x"}}), "");
}

TEST(Rewrite, NoMatchStartsInsideADoubleByteCharacter) {
  auto rewrite = [](std::string_view text, std::string search, std::string by) {
    return ReplaceWholeAddresses(text, {{search, by}}, Gbk);
  };
  // "\x81\x28" is one character whose trail byte looks like "(": no address starts after it.
  EXPECT_EQ(rewrite("\x81(a.gif)", "a.gif", "b"), "\x81(a.gif)");
  // A whole double-byte name is found between delimiters; a lead byte at the end stands alone.
  EXPECT_EQ(rewrite("url(\xCD\xBC.gif) \xCD\xBC", "\xCD\xBC.gif", "t.gif"), "url(t.gif) \xCD\xBC");
  EXPECT_EQ(rewrite("(ab\xCD", "\xCD", "!"), "(ab\xCD");
  EXPECT_EQ(rewrite("(\xCD", "\xCD", "!"), "(!");
  // Nor does one end inside one: "\x81)" is a character, so "a\x81" stands whole only at the end.
  EXPECT_EQ(rewrite("url(a\x81) a\x81", "a\x81", "x"), "url(a\x81) x");
  // "\x81(" ends in a character, not in a parenthesis: ";b" right after it does not stand whole.
  EXPECT_EQ(ReplaceWholeAddresses("a\x81(;b", {{"a\x81(", "x"}, {";b", "y"}}, Gbk), "x;b");
}

TEST(Rewrite, ReportsWhereItReplaces) {
  std::vector<AddressReplacement> pairs = {{"b.gif", "x"}, {"a", "y"}, {"b.gif", "z"}};
  std::vector<ReplacedAddress> replaced = WholeAddresses("url(a) url('b.gif') a", pairs, Gbk);
  std::vector<std::array<size_t, 3>> places;
  for (const ReplacedAddress& r : replaced) places.push_back({r.offset, r.length, r.replacement});
  EXPECT_EQ(places, (std::vector<std::array<size_t, 3>>{{4, 1, 1}, {12, 5, 0}, {20, 1, 1}}));
}

TEST(Paths, FolderKeepsItsSeparator) {
  EXPECT_EQ(FolderOf(L"C:\\site\\css\\样式.css"), L"C:\\site\\css\\");
  EXPECT_EQ(FolderOf(L"C:style.css"), L"C:");
  EXPECT_EQ(FolderOf(L"style.css"), L"");
  EXPECT_EQ(FolderOf(L"/home/u/s.css"), L"/home/u/");
  EXPECT_EQ(FolderOf(L"\\\\server\\share\\a.css"), L"\\\\server\\share\\");
}

TEST(FileNames, TheLastPartOfThePathWithoutQueryAndFragment) {
  EXPECT_EQ(UrlFileName("http://x/img/top.gif?v=2"), "top.gif");
  EXPECT_EQ(UrlFileName("http://x/a/b/"), "");
  EXPECT_EQ(UrlFileName("top.gif"), "top.gif");
  EXPECT_EQ(UrlFileName("http://x/a%20b.svg#icon"), "a%20b.svg");
  EXPECT_EQ(UrlFileName("http://x/img.php?f=b/c.gif"), "img.php");  // a slash in the query names no folder
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

// Names Windows would not take, in families: a lead byte without the second byte of its
// character, a name longer than a file name may be, and a device named with a superscript digit.
TEST(FileNames, SafeNamesAreNamesWindowsTakes) {
  struct Case {
    std::string name;
    bool (*isLeadByte)(unsigned char);
    std::string safe;
  };
  const Case cases[] = {
      {"a.gif\x81", Gbk, "a.gif_"},                      // the last character cut in half
      {"\x81\x05.gif", Gbk, "__.gif"},                  // a control byte is no second byte
      {"\x81\x40.gif", Gbk, "\x81\x40.gif"},
      {"a\x81", SingleByte, "a\x81"},                   // a character of its own in 1252
      {Times("a", 300) + ".gif", Gbk, Times("a", 236) + ".gif"},
      {"a" + Times("\xCD\xBC", 150) + ".png", Gbk, "a" + Times("\xCD\xBC", 117) + ".png"},
      {"a." + Times("b", 300), Gbk, "a." + Times("b", 238)},  // no extension that long is kept
      {Times("a", 239) + "." + Times("b", 100), Gbk, Times("a", 239) + "_"},
      {"CON." + Times("x", 300), Gbk, "_CON." + Times("x", 235)},
      {"COM\xB9.png", SingleByte, "_COM\xB9.png"},
      {"lpt\xB2", SingleByte, "_lpt\xB2"},
      {"COM\xB9\xA4.png", Gbk, "COM\xB9\xA4.png"},      // a Chinese character, not a digit
  };
  for (const Case& c : cases) {
    std::string safe = SafeFileName(c.name, c.isLeadByte);
    EXPECT_EQ(safe, c.safe) << c.name;
    EXPECT_LE(safe.size(), kMaxFileNameBytes) << c.name;
  }
}
