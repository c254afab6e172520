// Unpacks a compressed skin package into memory and hands out its entries by name.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "LZH.h"
#include "SkinContainer.h"

namespace skin {

// Shown by the Win32 side when a package carries the marker of an older format.
inline constexpr const char* kOlderSkinMessage =
    "This is Older Skin File\rPlease update to new version !";

enum class TSkinLoadStatus {
  Ok,
  BadBlock,    // the compressed block is too short or declares an oversized content
  OldFormat,   // wrong marker: the caller shows kOlderSkinMessage
  BadPackage,  // the container's fields run outside its bytes
  CutShort,    // the compressed stream ends before its content does (a truncated file)
};

class TSkinReader {
 public:
  // Decompresses the block and accepts the container in it; false when refused (see Status).
  bool Load(std::span<const std::uint8_t> block, std::uint32_t maxSize = kMaxUncompressedSize);
  // As Load, for a container that is already uncompressed.
  bool LoadContainer(std::span<const std::uint8_t> container);

  TSkinLoadStatus Status() const { return status_; }
  const std::string& ErrorText() const { return errorText_; }

  // Fills target with the bytes of the first entry named `name` (compared in lower case);
  // target is left empty, and the result false, when no entry has that name.
  bool ExtractEntry(std::string_view name, std::vector<std::uint8_t>& target) const;
  // As ExtractEntry for the first entry whose name contains `fragment` as given (names are
  // held in lower case; an empty fragment matches nothing); foundName receives the name.
  bool ExtractEntryContaining(std::string_view fragment, std::vector<std::uint8_t>& target,
                              std::string& foundName) const;

  const std::vector<std::string>& Names() const { return names_; }
  int Count() const { return count_; }
  std::int32_t EntrySize(int index) const { return sizes_.at(static_cast<std::size_t>(index)); }
  const std::int32_t* Header() const { return header_; }

 private:
  void Clear();
  void Extract(std::size_t index, std::vector<std::uint8_t>& target) const;

  std::vector<std::string> names_;
  int count_ = 0;
  std::array<std::int32_t, kMaxSkinEntries> sizes_{};
  std::vector<std::uint8_t> bodies_;
  std::int32_t header_[4] = {};
  TSkinLoadStatus status_ = TSkinLoadStatus::BadPackage;
  std::string errorText_;
};

// The entry that an INI value names as a bitmap: the file-name part of the value (after the
// last backslash or drive colon) when its extension is exactly ".bmp"; otherwise empty.
std::string BitmapEntryName(std::string_view iniValue);

// The bytes of the bitmap entry named by an INI value; empty when the value names no bitmap
// or the package has no such entry.
std::vector<std::uint8_t> ExtractBitmapEntry(const TSkinReader& reader, std::string_view iniValue);

}  // namespace skin
