#include "SkinContainer.h"

#include "LZH.h"

namespace skin {

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::vector<std::string> SplitNameLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t p = 0;
  while (p < text.size()) {
    const std::size_t start = p;
    while (p < text.size() && text[p] != '\r' && text[p] != '\n') ++p;
    lines.emplace_back(text.substr(start, p - start));
    if (p < text.size() && text[p] == '\r') ++p;
    if (p < text.size() && text[p] == '\n') ++p;
  }
  return lines;
}

TContainerStatus ParseContainer(std::span<const std::uint8_t> data, TSkinContainer& out) {
  out = TSkinContainer{};
  if (data.size() < kContainerHeaderSize) return TContainerStatus::BadPackage;
  for (int i = 0; i < 4; ++i) {
    out.Header[i] = static_cast<std::int32_t>(ReadLE32(data.data() + 4 * i));
  }
  if (out.Header[0] != kSkinMarker) return TContainerStatus::OldFormat;

  const std::int32_t textLength = out.Header[1];
  std::size_t pos = kContainerHeaderSize;
  if (textLength < 0 || static_cast<std::size_t>(textLength) > data.size() - pos) {
    return TContainerStatus::BadPackage;
  }
  const auto* text = reinterpret_cast<const char*>(data.data() + pos);
  out.Names = SplitNameLines(std::string_view(text, static_cast<std::size_t>(textLength)));
  pos += static_cast<std::size_t>(textLength);

  const std::size_t count = out.Names.size();
  if (count > kMaxSkinEntries || count * 4 > data.size() - pos) {
    return TContainerStatus::BadPackage;
  }
  out.Sizes.reserve(count);
  for (std::size_t i = 0; i < count; ++i, pos += 4) {
    out.Sizes.push_back(static_cast<std::int32_t>(ReadLE32(data.data() + pos)));
  }
  out.BodyOffset = pos;
  out.BodyLength = data.size() - pos;

  std::size_t total = 0;
  for (const std::int32_t size : out.Sizes) {
    if (size < 0 || static_cast<std::size_t>(size) > out.BodyLength - total) {
      return TContainerStatus::BadPackage;
    }
    total += static_cast<std::size_t>(size);
  }
  return TContainerStatus::Ok;
}

}  // namespace skin
