// Loading a skin package into definition objects without any window system, and a plain-text
// report of what was read: what the skin tool prints for a package.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <span>

#include "SkinDefinitions.h"

namespace skin {

// Unpacks the compressed block, finds its description (the first entry whose name contains
// ".ini") and reads the skin into `defs`. Anything but Ok leaves `defs` untouched.
TSkinLoadStatus LoadSkinDefinitions(std::span<const std::uint8_t> block, TSkinDefinitions& defs,
                                    const TProgramBitmapLoader& programBitmap = {});

// Writes every element with its frame count, margins, Trans, Tile, Style and image size, the
// colour table and colour lists, and the caption buttons with action, alignment and
// visibility; a "warning:" line for every element without a usable image. Answers the number
// of warnings.
int WriteSkinReport(const TSkinDefinitions& defs, std::ostream& out);

}  // namespace skin
