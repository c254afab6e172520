#include "SkinPackage.h"

#include <set>
#include <stdexcept>

#include "LzhEncoder.h"
#include "skin/model/SkinContainer.h"

namespace skinpack {

namespace {

void PutLE32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A name must survive the trip through the CR LF separated name text and be reachable by the
// reader, which compares names in lower case.
void CheckNames(const std::vector<TEntry>& entries) {
  if (entries.size() > skin::kMaxSkinEntries) {
    throw std::invalid_argument("too many entries: a package holds at most " +
                                std::to_string(skin::kMaxSkinEntries));
  }
  std::set<std::string> seen;
  for (const TEntry& e : entries) {
    if (e.Name.empty()) throw std::invalid_argument("an entry has an empty name");
    if (e.Name.find_first_of("\r\n") != std::string::npos) {
      throw std::invalid_argument("entry name contains a line break: " + e.Name);
    }
    if (!seen.insert(skin::AsciiLower(e.Name)).second) {
      throw std::invalid_argument("two entries share the name " + e.Name +
                                  " (names are compared without regard to case)");
    }
    if (e.Bytes.size() > 0x7FFFFFFF) throw std::invalid_argument("entry too large: " + e.Name);
  }
}

}  // namespace

std::vector<std::uint8_t> BuildContainer(const std::vector<TEntry>& entries) {
  CheckNames(entries);
  std::string text;
  for (const TEntry& e : entries) text += e.Name + "\r\n";
  std::vector<std::uint8_t> out;
  PutLE32(out, static_cast<std::uint32_t>(skin::kSkinMarker));
  PutLE32(out, static_cast<std::uint32_t>(text.size()));
  PutLE32(out, 0);
  PutLE32(out, 0);
  out.insert(out.end(), text.begin(), text.end());
  for (const TEntry& e : entries) PutLE32(out, static_cast<std::uint32_t>(e.Bytes.size()));
  for (const TEntry& e : entries) out.insert(out.end(), e.Bytes.begin(), e.Bytes.end());
  return out;
}

std::vector<std::uint8_t> BuildPackage(const std::vector<TEntry>& entries) {
  return CompressBlock(BuildContainer(entries));
}

int DescriptionPosition(const std::vector<std::string>& names) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (skin::AsciiLower(names[i]).find(".ini") != std::string::npos) {
      return static_cast<int>(i + 1);
    }
  }
  return 0;
}

}  // namespace skinpack
