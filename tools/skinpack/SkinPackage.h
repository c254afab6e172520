// Building and reading skin package containers for the skin tool.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace skinpack {

struct TEntry {
  std::string Name;
  std::vector<std::uint8_t> Bytes;
};

// The uncompressed container: marker 20000, the names as CR LF text, the sizes, the bodies.
// Throws std::invalid_argument for names that the container cannot hold.
std::vector<std::uint8_t> BuildContainer(const std::vector<TEntry>& entries);

// The compressed package of the entries.
std::vector<std::uint8_t> BuildPackage(const std::vector<TEntry>& entries);

// The 1-based position of the description (the first entry whose name, in lower case,
// contains ".ini"), or 0 when there is none.
int DescriptionPosition(const std::vector<std::string>& names);

}  // namespace skinpack
