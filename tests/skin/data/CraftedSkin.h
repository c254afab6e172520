// Small skin packages written by the tests: a description and solid-colour bitmaps, packed
// with the skin tool's encoder.
#pragma once

#include <string>
#include <vector>

#include "SkinPackage.h"
#include "TestFiles.h"
#include "skin/model/SkinReport.h"

namespace skintest {

// A bitmap file of the size, its pixel (x, y) given by rgb (0x00RRGGBB).
inline Bytes SolidBmp(int width, int height, std::uint32_t rgb = 0x336699) {
  return MakeBmp24(width, height, [rgb](int, int) { return rgb; });
}

class TCraftedSkin {
 public:
  explicit TCraftedSkin(std::string ini) : ini_(std::move(ini)) {}
  TCraftedSkin& Bitmap(const std::string& name, Bytes bytes) {
    entries_.push_back({name, std::move(bytes)});
    return *this;
  }
  TCraftedSkin& Bitmap(const std::string& name, int width, int height,
                       std::uint32_t rgb = 0x336699) {
    return Bitmap(name, SolidBmp(width, height, rgb));
  }
  // The compressed package: the bitmaps, then the description "skin.ini".
  Bytes Package() const {
    std::vector<skinpack::TEntry> entries = entries_;
    entries.push_back({"skin.ini", Bytes(ini_.begin(), ini_.end())});
    return skinpack::BuildPackage(entries);
  }

 private:
  std::string ini_;
  std::vector<skinpack::TEntry> entries_;
};

// Reads a package into definitions; fails the test when the engine refuses it.
inline void LoadInto(const Bytes& package, skin::TSkinDefinitions& defs) {
  ASSERT_EQ(skin::LoadSkinDefinitions(package, defs), skin::TSkinLoadStatus::Ok);
}

}  // namespace skintest
