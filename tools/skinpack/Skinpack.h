// The skinpack command line: pack a skin folder into a package, take a package apart, list
// it, and compress or expand raw compressed blocks.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace skinpack {

// The file in a skin folder that lists the entries in package order, one name per line.
inline constexpr const char* kListFileName = "entries.lst";

// Runs one command (args without the program name). Returns the exit code: 0 on success,
// 1 when the input is bad or a file cannot be read or written, 2 for a usage error.
int RunSkinpack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace skinpack
