#include "SkinReader.h"

#include <algorithm>

namespace skin {

void TSkinReader::Clear() {
  names_.clear();
  count_ = 0;
  sizes_.fill(0);
  bodies_.clear();
  std::fill(std::begin(header_), std::end(header_), 0);
  errorText_.clear();
}

bool TSkinReader::Load(std::span<const std::uint8_t> block, std::uint32_t maxSize) {
  std::vector<std::uint8_t> container;
  bool cutShort = false;
  try {
    container = DecompressBlock(block, maxSize, &cutShort);
  } catch (const ElzhException& e) {
    Clear();
    status_ = TSkinLoadStatus::BadBlock;
    errorText_ = e.what();
    return false;
  }
  // The decoder makes up the missing end of a cut stream from zero bits: the bodies at the
  // end would be garbage, so such a package is refused as a whole.
  if (cutShort) {
    Clear();
    status_ = TSkinLoadStatus::CutShort;
    errorText_ = "The compressed data ends early";
    return false;
  }
  return LoadContainer(container);
}

bool TSkinReader::LoadContainer(std::span<const std::uint8_t> container) {
  Clear();
  TSkinContainer parsed;
  switch (ParseContainer(container, parsed)) {
    case TContainerStatus::OldFormat:
      status_ = TSkinLoadStatus::OldFormat;
      errorText_ = kOlderSkinMessage;
      return false;
    case TContainerStatus::BadPackage:
      status_ = TSkinLoadStatus::BadPackage;
      errorText_ = "Bad skin package";
      return false;
    case TContainerStatus::Ok:
      break;
  }
  std::copy(std::begin(parsed.Header), std::end(parsed.Header), header_);
  for (std::string& name : parsed.Names) names_.push_back(AsciiLower(name));
  count_ = static_cast<int>(names_.size());
  std::copy(parsed.Sizes.begin(), parsed.Sizes.end(), sizes_.begin());
  bodies_.assign(container.begin() + static_cast<std::ptrdiff_t>(parsed.BodyOffset),
                 container.end());
  status_ = TSkinLoadStatus::Ok;
  return true;
}

// Entry sizes were checked against the body store on loading, so the slice always fits.
void TSkinReader::Extract(std::size_t index, std::vector<std::uint8_t>& target) const {
  std::size_t offset = 0;
  for (std::size_t i = 0; i < index; ++i) offset += static_cast<std::size_t>(sizes_[i]);
  const auto first = bodies_.begin() + static_cast<std::ptrdiff_t>(offset);
  target.assign(first, first + sizes_[index]);
}

bool TSkinReader::ExtractEntry(std::string_view name, std::vector<std::uint8_t>& target) const {
  target.clear();
  const std::string wanted = AsciiLower(name);
  const auto it = std::find(names_.begin(), names_.end(), wanted);
  if (it == names_.end()) return false;
  Extract(static_cast<std::size_t>(it - names_.begin()), target);
  return true;
}

bool TSkinReader::ExtractEntryContaining(std::string_view fragment,
                                         std::vector<std::uint8_t>& target,
                                         std::string& foundName) const {
  target.clear();
  foundName.clear();
  if (fragment.empty()) return false;
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if (names_[i].find(fragment) != std::string::npos) {
      Extract(i, target);
      foundName = names_[i];
      return true;
    }
  }
  return false;
}

std::string BitmapEntryName(std::string_view iniValue) {
  const std::size_t cut = iniValue.find_last_of("\\:");
  const std::string_view fileName =
      cut == std::string_view::npos ? iniValue : iniValue.substr(cut + 1);
  const std::size_t dot = fileName.rfind('.');
  if (fileName.empty() || dot == std::string_view::npos || fileName.substr(dot) != ".bmp") {
    return {};
  }
  return std::string(fileName);
}

std::vector<std::uint8_t> ExtractBitmapEntry(const TSkinReader& reader, std::string_view iniValue) {
  std::vector<std::uint8_t> bytes;
  const std::string name = BitmapEntryName(iniValue);
  if (!name.empty()) reader.ExtractEntry(name, bytes);
  return bytes;
}

}  // namespace skin
