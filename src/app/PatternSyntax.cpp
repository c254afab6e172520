#include "app/PatternSyntax.h"

namespace workflow {
namespace {

// Where the character class opening at `open` ends (the index of its "]"), or npos.
size_t ClassEnd(std::wstring_view pattern, size_t open) {
  size_t i = open + 1;
  if (i < pattern.size() && pattern[i] == L'^') ++i;
  for (; i < pattern.size(); ++i) {
    if (pattern[i] == L'\\') {
      ++i;
    } else if (pattern[i] == L']') {
      return i;
    }
  }
  return std::wstring_view::npos;
}

// Whether a class's inside (between "[" or "[^" and "]") holds a range that runs backwards,
// such as "z-a". Escaped characters end no range: "\d-a" is three members.
bool HasBackwardRange(std::wstring_view inside) {
  for (size_t i = 0; i + 2 < inside.size(); ++i) {
    if (inside[i] == L'\\') {
      ++i;
    } else if (inside[i + 1] == L'-' && inside[i + 2] != L'\\' && inside[i] > inside[i + 2]) {
      return true;
    }
  }
  return false;
}

// The "{n}", "{n,}" or "{n,m}" quantifier at a "{": its length (0 when the "{" is a literal
// one) and whether its counts run backwards.
struct Brace {
  size_t length = 0;
  bool backwards = false;
};

Brace BraceQuantifier(std::wstring_view pattern, size_t open) {
  size_t i = open + 1;
  auto number = [&](double& n) {
    size_t start = i;
    for (n = 0; i < pattern.size() && pattern[i] >= L'0' && pattern[i] <= L'9'; ++i) n = n * 10 + (pattern[i] - L'0');
    return i > start;
  };
  double low = 0, high = 0;
  if (!number(low)) return {};
  bool bounded = false;
  if (i < pattern.size() && pattern[i] == L',') {
    ++i;
    bounded = number(high);
  }
  if (i >= pattern.size() || pattern[i] != L'}') return {};
  return {i + 1 - open, bounded && high < low};
}

}  // namespace

int CapturingGroups(std::wstring_view pattern) {
  int groups = 0;
  for (size_t i = 0; i < pattern.size(); ++i) {
    wchar_t c = pattern[i];
    if (c == L'\\') {
      ++i;  // the escaped character, whatever it is
    } else if (c == L'[') {
      i = ClassEnd(pattern, i);
      if (i == std::wstring_view::npos) break;
    } else if (c == L'(' && (i + 1 >= pattern.size() || pattern[i + 1] != L'?')) {
      ++groups;
    }
  }
  return groups;
}

PatternFault FindPatternFault(std::wstring_view pattern) {
  int depth = 0;
  bool repeatable = false;      // what came last can take a quantifier
  bool afterQuantifier = false;  // what came last is a quantifier (a "?" may make it lazy)
  for (size_t i = 0; i < pattern.size(); ++i) {
    wchar_t c = pattern[i];
    bool atom = true;
    if (c == L'\\') {
      if (++i == pattern.size()) return PatternFault::TrailingEscape;
    } else if (c == L'[') {
      size_t end = ClassEnd(pattern, i);
      if (end == std::wstring_view::npos) return PatternFault::MissingBracket;
      size_t first = i + 1 + (pattern[i + 1] == L'^');
      if (HasBackwardRange(pattern.substr(first, end - first))) return PatternFault::InvalidRange;
      i = end;
    } else if (c == L'(') {
      ++depth;
      atom = false;
      // "(?:", "(?=", "(?!"; any other "?" after "(" repeats nothing.
      if (i + 2 < pattern.size() && pattern[i + 1] == L'?' && std::wstring_view(L":=!").find(pattern[i + 2]) != std::wstring_view::npos)
        i += 2;
    } else if (c == L')') {
      if (depth-- == 0) return PatternFault::StrayParen;
    } else if (c == L'|' || c == L'^' || c == L'$') {
      atom = false;
    } else if (Brace brace = c == L'{' ? BraceQuantifier(pattern, i) : Brace{};
               c == L'*' || c == L'+' || c == L'?' || brace.length) {
      bool lazy = c == L'?' && afterQuantifier;
      if (!lazy && !repeatable) return PatternFault::NothingToRepeat;
      if (brace.backwards) return PatternFault::BackwardCount;
      if (brace.length) i += brace.length - 1;
      repeatable = false;
      afterQuantifier = !lazy;
      continue;
    }
    repeatable = atom;
    afterQuantifier = false;
  }
  return depth > 0 ? PatternFault::MissingParen : PatternFault::None;
}

PatternFault EngineErrorFault(unsigned long code) {
  switch (code) {
    case 0x800A1399: return PatternFault::Syntax;           // Syntax error in regular expression
    case 0x800A139A: return PatternFault::NothingToRepeat;  // Unexpected quantifier
    case 0x800A139B: return PatternFault::MissingBracket;   // Expected ']' in regular expression
    case 0x800A139C: return PatternFault::MissingParen;     // Expected ')' in regular expression
    case 0x800A139D: return PatternFault::InvalidRange;     // Invalid range in character set
  }
  return PatternFault::None;
}

std::wstring PatternFaultText(PatternFault fault) {
  switch (fault) {
    case PatternFault::None: break;
    case PatternFault::Syntax: return L"语法错误";
    case PatternFault::MissingParen: return L"缺少 )";
    case PatternFault::StrayParen: return L"多余的 )，没有与之对应的 (";
    case PatternFault::MissingBracket: return L"缺少 ]";
    case PatternFault::TrailingEscape: return L"末尾的 \\ 后缺少字符";
    case PatternFault::NothingToRepeat: return L"量词（*、+、? 或 {n}）前没有可重复的内容";
    case PatternFault::InvalidRange: return L"字符集中的范围无效（起点大于终点）";
    case PatternFault::BackwardCount: return L"量词 {n,m} 中 n 大于 m";
  }
  return {};
}

}  // namespace workflow
