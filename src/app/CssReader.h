// A reader of style sheets as CSS: every resource a sheet references, found the way a
// browser's tokenizer reads the sheet (comments, strings, escapes, any letter case), with where
// each address stands in the sheet's bytes so that a rewrite can replace exactly it.
//
// References: every url() of a declaration (quoted or not, several in one declaration),
// @import with a string or url() (a sheet), the sources of @font-face (fonts), the candidates of
// image-set() and -webkit-image-set() (strings or url()), and the src of the old
// AlphaImageLoader filter. Never a fragment of the sheet itself (url(#id)), never an embedded
// data: address, never an empty one.
//
// The sheet is bytes in its own encoding: single-byte, UTF-8 or a double-byte code page, which
// `isLeadByte` tells (a trail byte that looks like "\" or a quote is part of its character).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "app/Workflow.h"

namespace workflow {

struct TCssReference {
  enum class Kind { Image, Font, Sheet };
  Kind kind = Kind::Image;
  // Where the address stands as written: inside the quotes of a string, or the body of an
  // unquoted url() without the blanks around it. Escapes are part of it.
  size_t offset = 0;
  size_t length = 0;
  // The address with the sheet's escapes resolved (a code point above 0x7F as UTF-8).
  std::string address;
};

std::vector<TCssReference> CssReferences(std::string_view sheet, const LeadBytePredicate& isLeadByte);

}  // namespace workflow
