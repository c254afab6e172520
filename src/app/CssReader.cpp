#include "app/CssReader.h"

#include <array>
#include <cctype>
#include <cstdint>

#include "app/SheetAddress.h"

namespace workflow {
namespace {

// What an ASCII byte can be in CSS; every byte above 0x7F is part of a name.
enum TClass : uint8_t { kOther = 0, kSpace = 1, kNameStart = 2, kName = 4, kHex = 8 };

constexpr std::array<uint8_t, 256> MakeClasses() {
  std::array<uint8_t, 256> c{};
  for (int b = 0; b < 256; ++b) {
    if (b == ' ' || b == '\t' || b == '\n' || b == '\r' || b == '\f') c[b] = kSpace;
    if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || b == '_' || b >= 0x80) c[b] = kNameStart | kName;
    if ((b >= '0' && b <= '9') || b == '-') c[b] = kName;
    if ((b >= '0' && b <= '9') || (b >= 'a' && b <= 'f') || (b >= 'A' && b <= 'F')) c[b] |= kHex;
  }
  return c;
}
constexpr std::array<uint8_t, 256> kClasses = MakeClasses();

enum class TTok { Space, String, BadString, Url, BadUrl, Function, AtKeyword, Ident, Open, Close, OpenBlock, CloseBlock,
                  Semicolon, Delim, End, Other };

struct TToken {
  TTok type = TTok::End;
  char delim = 0;
  size_t valueStart = 0, valueEnd = 0;  // a string's inside, an unquoted url()'s trimmed body
  std::string value;                    // resolved: a name (lower case for ASCII), a string, a url
};

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// The tokenizer of CSS Syntax Level 3, reduced to what finding references needs: numbers,
// hashes and the like come out as Other, and comments are passed over.
class TTokenizer {
 public:
  TTokenizer(std::string_view s, const LeadBytePredicate& isLeadByte) : s_(s), lead_(isLeadByte) {}

  TToken Next() {
    SkipComments();
    TToken t;
    if (i_ >= s_.size()) return t;
    const unsigned char c = Byte(i_);
    if (Is(c, kSpace)) {
      while (i_ < s_.size() && Is(Byte(i_), kSpace)) ++i_;
      t.type = TTok::Space;
    } else if (c == '"' || c == '\'') {
      String(t, static_cast<char>(c));
    } else if (StartsName(i_)) {
      IdentLike(t);
    } else if (c == '@' && StartsName(i_ + 1)) {
      ++i_;
      t.type = TTok::AtKeyword;
      t.value = Name();
    } else {
      Single(t, static_cast<char>(c));
    }
    return t;
  }

 private:
  unsigned char Byte(size_t at) const { return at < s_.size() ? static_cast<unsigned char>(s_[at]) : 0; }
  static bool Is(unsigned char c, uint8_t cls) { return (kClasses[c] & cls) != 0; }
  bool ValidEscape(size_t at) const {
    unsigned char next = Byte(at + 1);
    return Byte(at) == '\\' && at + 1 < s_.size() && next != '\n' && next != '\r' && next != '\f';
  }
  bool StartsName(size_t at) const {
    if (at >= s_.size()) return false;
    unsigned char c = Byte(at);
    if (Is(c, kNameStart)) return true;
    if (c == '\\') return ValidEscape(at);
    if (c != '-') return false;
    return Is(Byte(at + 1), kNameStart) || Byte(at + 1) == '-' || ValidEscape(at + 1);
  }
  // One character of the sheet's encoding: two bytes for a lead byte with its trail byte.
  size_t CharLength(size_t at) const { return lead_(Byte(at)) && at + 1 < s_.size() ? 2 : 1; }

  void SkipComments() {
    while (i_ + 1 < s_.size() && s_[i_] == '/' && s_[i_ + 1] == '*') {
      size_t end = s_.find("*/", i_ + 2);
      i_ = end == std::string_view::npos ? s_.size() : end + 2;
    }
  }

  // After a backslash that starts a valid escape: the character it stands for.
  void Escape(std::string& out) {
    ++i_;  // the backslash
    if (Is(Byte(i_), kHex)) {
      uint32_t cp = 0;
      for (int n = 0; n < 6 && i_ < s_.size() && Is(Byte(i_), kHex); ++n, ++i_) {
        unsigned char h = Byte(i_);
        cp = cp * 16 + static_cast<uint32_t>(h <= '9' ? h - '0' : (h | 0x20) - 'a' + 10);
      }
      if (Byte(i_) == '\r' && Byte(i_ + 1) == '\n') i_ += 2;
      else if (i_ < s_.size() && Is(Byte(i_), kSpace)) ++i_;
      AppendUtf8(out, cp);
      return;
    }
    size_t n = CharLength(i_);
    out.append(s_.substr(i_, n));
    i_ += n;
  }

  std::string Name() {
    std::string name;
    while (i_ < s_.size()) {
      unsigned char c = Byte(i_);
      if (ValidEscape(i_)) {
        Escape(name);
      } else if (Is(c, kName)) {
        size_t n = CharLength(i_);
        if (n == 1) name += static_cast<char>(std::tolower(c));  // names compare in any letter case
        else name.append(s_.substr(i_, n));
        i_ += n;
      } else {
        break;
      }
    }
    return name;
  }

  void String(TToken& t, char quote) {
    t.type = TTok::String;
    t.valueStart = ++i_;
    while (i_ < s_.size()) {
      unsigned char c = Byte(i_);
      if (c == static_cast<unsigned char>(quote)) {
        t.valueEnd = i_++;
        return;
      }
      if (c == '\n' || c == '\r' || c == '\f') {  // a line end ends it badly; the line end stays
        t.type = TTok::BadString;
        t.valueEnd = i_;
        return;
      }
      if (c == '\\') {
        if (i_ + 1 >= s_.size()) {
          ++i_;
        } else if (Byte(i_ + 1) == '\r' && Byte(i_ + 2) == '\n') {
          i_ += 3;  // an escaped line end continues the string
        } else if (Byte(i_ + 1) == '\n' || Byte(i_ + 1) == '\r' || Byte(i_ + 1) == '\f') {
          i_ += 2;
        } else {
          Escape(t.value);
        }
        continue;
      }
      size_t n = CharLength(i_);
      t.value.append(s_.substr(i_, n));
      i_ += n;
    }
    t.valueEnd = i_;  // the end of the sheet ends it
  }

  void IdentLike(TToken& t) {
    t.value = Name();
    if (Byte(i_) != '(') {
      t.type = TTok::Ident;
      return;
    }
    ++i_;
    if (t.value != "url") {
      t.type = TTok::Function;
      return;
    }
    size_t body = i_;
    while (Is(Byte(body), kSpace) && body < s_.size()) ++body;
    if (Byte(body) == '"' || Byte(body) == '\'') {
      t.type = TTok::Function;  // url("…"): the string comes as its own token
      return;
    }
    i_ = body;
    Url(t);
  }

  void Url(TToken& t) {
    t.type = TTok::Url;
    t.value.clear();
    t.valueStart = t.valueEnd = i_;
    while (i_ < s_.size()) {
      unsigned char c = Byte(i_);
      if (c == ')') {
        ++i_;
        return;
      }
      if (Is(c, kSpace)) {
        while (i_ < s_.size() && Is(Byte(i_), kSpace)) ++i_;
        if (i_ >= s_.size()) return;
        if (Byte(i_) == ')') {
          ++i_;
          return;
        }
        return BadUrl(t);
      }
      if (c == '"' || c == '\'' || c == '(' || c < 0x20 || c == 0x7F) return BadUrl(t);
      if (c == '\\') {
        if (!ValidEscape(i_)) return BadUrl(t);
        Escape(t.value);
      } else {
        size_t n = CharLength(i_);
        t.value.append(s_.substr(i_, n));
        i_ += n;
      }
      t.valueEnd = i_;
    }
  }

  // The rest of a url() that cannot be one, up to its closing parenthesis.
  void BadUrl(TToken& t) {
    t.type = TTok::BadUrl;
    while (i_ < s_.size() && Byte(i_) != ')') i_ += ValidEscape(i_) ? 2 : CharLength(i_);
    if (i_ < s_.size()) ++i_;
  }

  void Single(TToken& t, char c) {
    i_ += CharLength(i_);
    switch (c) {
      case '(': t.type = TTok::Open; break;
      case ')': t.type = TTok::Close; break;
      case '{': t.type = TTok::OpenBlock; break;
      case '}': t.type = TTok::CloseBlock; break;
      case ';': t.type = TTok::Semicolon; break;
      default:
        t.type = TTok::Delim;
        t.delim = c;
        break;
    }
  }

  std::string_view s_;
  const LeadBytePredicate& lead_;
  size_t i_ = 0;
};

// An address that names a resource to fetch: not empty, not a fragment of the sheet itself,
// not embedded.
bool Referenced(const std::string& address) { return !address.empty() && address[0] != '#' && !IsEmbedded(address); }

// Walks the tokens with what decides a reference's kind: the block it stands in (a
// @font-face's holds fonts), whether an @import's prelude is being read, and the functions it
// stands in (image-set and AlphaImageLoader take strings as addresses).
class TFinder {
 public:
  explicit TFinder(std::vector<TCssReference>& out) : out_(out) {}

  void Take(const TToken& t) {
    if (t.type == TTok::Space) return;
    const bool afterUrl = urlFunction_, afterSrc = srcEquals_;
    urlFunction_ = srcEquals_ = false;
    switch (t.type) {
      case TTok::Url: Add(t); break;
      case TTok::String:
        if (afterUrl || afterSrc || importing_ || InFunction("image-set") || InFunction("-webkit-image-set")) Add(t);
        break;
      case TTok::Function:
        functions_.push_back(t.value);
        urlFunction_ = t.value == "url";
        break;
      case TTok::Open: functions_.emplace_back(); break;
      case TTok::Close:
        if (!functions_.empty()) functions_.pop_back();
        break;
      case TTok::Ident:
        srcPending_ = InFunction("alphaimageloader") && t.value == "src";
        return;
      case TTok::Delim:
        srcEquals_ = srcPending_ && t.delim == '=';
        break;
      case TTok::AtKeyword:
        atRule_ = t.value;
        importing_ = t.value == "import";
        break;
      case TTok::OpenBlock:
        blocks_.push_back(atRule_ == "font-face");
        EndPrelude();
        break;
      case TTok::CloseBlock:
        if (!blocks_.empty()) blocks_.pop_back();
        EndPrelude();
        break;
      case TTok::Semicolon: EndPrelude(); break;
      default: break;
    }
    srcPending_ = false;
  }

 private:
  bool InFunction(std::string_view name) const { return !functions_.empty() && functions_.back() == name; }
  void EndPrelude() {
    atRule_.clear();
    importing_ = false;
    functions_.clear();
  }
  void Add(const TToken& t) {
    if (!Referenced(t.value)) return;
    TCssReference r;
    r.kind = importing_ ? TCssReference::Kind::Sheet
             : !blocks_.empty() && blocks_.back() ? TCssReference::Kind::Font
                                                  : TCssReference::Kind::Image;
    r.offset = t.valueStart;
    r.length = t.valueEnd - t.valueStart;
    r.address = t.value;
    out_.push_back(std::move(r));
    if (importing_) importing_ = false;  // one sheet per @import; its media list follows
  }

  std::vector<TCssReference>& out_;
  std::vector<bool> blocks_;              // per open block: whether it is a @font-face's
  std::vector<std::string> functions_;    // the functions (and plain parentheses) open now
  std::string atRule_;                    // the at-rule whose prelude is being read
  bool importing_ = false;                // in an @import's prelude, before its address
  bool urlFunction_ = false;              // the last token opened url( before a string
  bool srcPending_ = false, srcEquals_ = false;  // AlphaImageLoader(src=…
};

}  // namespace

std::vector<TCssReference> CssReferences(std::string_view sheet, const LeadBytePredicate& isLeadByte) {
  std::vector<TCssReference> references;
  TTokenizer tokens(sheet, isLeadByte);
  TFinder finder(references);
  for (TToken t = tokens.Next(); t.type != TTok::End; t = tokens.Next()) finder.Take(t);
  return references;
}

}  // namespace workflow
