// What step two needs to know of a pattern without the engine. Patterns are written in the
// scripting runtime's regular-expression syntax (JavaScript's): "\" takes the next character
// literally, "[...]" is a character class in which "(" is an ordinary character (its first
// unescaped "]" closes it), and "(?:", "(?=" and "(?!" open groups that capture nothing.
#pragma once

#include <string>
#include <string_view>

namespace workflow {

// Step two lists the second capture of each match: a pattern needs at least this many groups.
inline constexpr int kImageGroup = 2;

// How many groups of `pattern` capture.
int CapturingGroups(std::wstring_view pattern);

// What can be wrong with a pattern the engine refuses.
enum class PatternFault {
  None,
  Syntax,           // nothing more precise is known
  MissingParen,     // a "(" is never closed
  StrayParen,       // a ")" closes nothing
  MissingBracket,   // a "[" is never closed
  TrailingEscape,   // the pattern ends with a lone "\"
  NothingToRepeat,  // "*", "+", "?" or "{n}" after nothing that can repeat
  InvalidRange,     // a range in a class runs backwards
  BackwardCount,    // "{n,m}" with m below n
};

// The first fault found reading `pattern` left to right (an unclosed "(" last); None when this
// reading finds none (the engine may still know of one).
PatternFault FindPatternFault(std::wstring_view pattern);

// The fault the engine's error code names: the scripting runtime's regular-expression errors
// 0x800A1399 to 0x800A139D; None for any other code.
PatternFault EngineErrorFault(unsigned long code);

// The user's words for a fault, without a closing full stop ("缺少 )").
std::wstring PatternFaultText(PatternFault fault);

}  // namespace workflow
