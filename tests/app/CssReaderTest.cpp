// The CSS reader: what it finds in the sheets real sites write, and where each address stands.
#include <gtest/gtest.h>

#include "app/CssReader.h"

using workflow::CssReferences;
using workflow::TCssReference;

namespace {

// A reference as the table writes it: its kind (I image, F font, S sheet), its address, and the
// bytes it stands on in the sheet.
std::string Shown(std::string_view sheet, const TCssReference& r) {
  const char kind = r.kind == TCssReference::Kind::Font ? 'F' : r.kind == TCssReference::Kind::Sheet ? 'S' : 'I';
  return std::string(1, kind) + " " + r.address + " @" + std::string(sheet.substr(r.offset, r.length));
}

std::vector<std::string> Found(std::string_view sheet, bool doubleByte = false) {
  std::vector<std::string> shown;
  auto lead = [doubleByte](unsigned char c) { return doubleByte && c >= 0x81 && c <= 0xFE; };
  for (const TCssReference& r : CssReferences(sheet, lead)) shown.push_back(Shown(sheet, r));
  return shown;
}

using List = std::vector<std::string>;

}  // namespace

// Every form of reference a sheet writes, and every place that only looks like one.
TEST(CssReader, FindsEveryReferenceAndOnlyReferences) {
  const struct {
    std::string_view sheet;
    List found;
  } cases[] = {
      {"a{background:url(a.png)}", {"I a.png @a.png"}},
      {"a{background: URL( 'b c.png' ) , Url(\"d.gif\") no-repeat}", {"I b c.png @b c.png", "I d.gif @d.gif"}},
      {"a{background:url(  e.png  )}", {"I e.png @e.png"}},
      {"/* url(no.png) */a{cursor:url(c.cur),auto;list-style:url(l.gif)}", {"I c.cur @c.cur", "I l.gif @l.gif"}},
      {"a{content:'url(no.png)';border-image:url(b.png) 30}", {"I b.png @b.png"}},
      {"@import \"x.css\" screen;@IMPORT url(y.css);@import url('z.css') print;",
       {"S x.css @x.css", "S y.css @y.css", "S z.css @z.css"}},
      {"@font-face{font-family:f;src:url(f.eot?#iefix) format('embedded-opentype'),url(\"f.woff2\") format(\"woff2\")}"
       "p{background:url(p.png)}",
       {"F f.eot?#iefix @f.eot?#iefix", "F f.woff2 @f.woff2", "I p.png @p.png"}},
      {"@media screen{@font-face{src:url(m.woff)}a{mask:url(m.svg#c)}}", {"F m.woff @m.woff", "I m.svg#c @m.svg#c"}},
      {"a{background-image:-webkit-image-set('a1.png' 1x,url(a2.png) 2x);b:image-set(\"b1.avif\" type('image/avif'))}",
       {"I a1.png @a1.png", "I a2.png @a2.png", "I b1.avif @b1.avif"}},
      {"a{filter:progid:DXImageTransform.Microsoft.AlphaImageLoader(src='ie.png',sizingMethod='crop')}",
       {"I ie.png @ie.png"}},
      {"a{fill:url(#grad);background:url(data:image/gif;base64,R0l=);b:url();c:url('')}", {}},
      {"a{background:url(p\\(1\\).png)}b{background:url(\"q\\\"\\41 .png\")}",
       {"I p(1).png @p\\(1\\).png", "I q\"A.png @q\\\"\\41 .png"}},
      {"a{background:url(bad url.png)}b{background:url(ok.png)}c{content:\"broken\n}d{background:url(e.png)}",
       {"I ok.png @ok.png", "I e.png @e.png"}},
      {"a{background:url(unterminated.png", {"I unterminated.png @unterminated.png"}},
      {"a{background:url(\"/* not a comment */x.png\")}", {"I /* not a comment */x.png @/* not a comment */x.png"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Found(c.sheet), c.found) << c.sheet;
}

// In a double-byte code page a trail byte may look like "\" or a quote: it stays part of its
// character, in names, strings and unquoted addresses alike.
TEST(CssReader, DoubleByteCharactersStayWhole) {
  const std::string sheet = "a{background:url('\xB1\x5C.png')}b{background:url(\xD6\x27x.png)}";
  EXPECT_EQ(Found(sheet, true), (List{"I \xB1\x5C.png @\xB1\x5C.png", "I \xD6\x27x.png @\xD6\x27x.png"}));
}
