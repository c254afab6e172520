// What the skin engine makes of a package: the description it finds, the bitmaps its values
// name and whether each one loads.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <span>

namespace skinpack {

// Writes a report and answers the number of problems (bitmaps named but missing, empty or
// not loadable). Throws std::runtime_error when the engine would refuse the package.
int CheckPackage(std::span<const std::uint8_t> block, std::ostream& out);

}  // namespace skinpack
