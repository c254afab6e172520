// The uncompressed skin container: a 16-byte header (marker, name-text length, two reserved
// values), the entry names as CR LF separated text, one 32-bit size per name, then the entry
// bodies in name order. All integers are little-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

inline constexpr std::int32_t kSkinMarker = 20000;
// The size table of the reader holds this many entries; containers with more names are refused.
inline constexpr std::size_t kMaxSkinEntries = 1001;
inline constexpr std::size_t kContainerHeaderSize = 16;

enum class TContainerStatus {
  Ok,
  OldFormat,   // the marker is not 20000: a package of an older format
  BadPackage,  // the container's fields do not fit its bytes
};

struct TSkinContainer {
  std::int32_t Header[4] = {};      // marker, name-text length, two reserved values
  std::vector<std::string> Names;   // as stored, in container order
  std::vector<std::int32_t> Sizes;  // one per name
  std::size_t BodyOffset = 0;       // where the first body starts
  std::size_t BodyLength = 0;       // everything after the size table
};

// Checks every field against the container's length; nothing outside `data` is read. With
// status Ok, all sizes are non-negative and the bodies lie within the body area.
TContainerStatus ParseContainer(std::span<const std::uint8_t> data, TSkinContainer& out);

// Splits text into lines: a line ends at CR, LF or CR LF; a final line break adds no line.
std::vector<std::string> SplitNameLines(std::string_view text);

// ASCII lower case; other bytes are left as they are (names may be in a multi-byte code page).
std::string AsciiLower(std::string_view text);

}  // namespace skin
