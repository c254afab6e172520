// A second skin package for tests that switch skins: the program's own skin with its colour
// table turned (red, green, blue become green, blue, red) and a name of its own, packed again
// by the skin tool's writer.
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "SkinPackage.h"
#include "skin/model/LZH.h"
#include "skin/model/SkinContainer.h"
#include "skin/frame/SkinManage.h"

namespace testsupport {

inline constexpr const char kSecondSkinName[] = "Vexlo Midnight turned";

// "R G B" lines of the [Colours] section become "G B R"; the skin's name is replaced.
inline std::string TurnColours(const std::string& ini) {
  std::istringstream in(ini);
  std::string line, out, section;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with("[")) section = line;
    const auto equals = line.find('=');
    int r = 0, g = 0, b = 0;
    if (line.starts_with("SkinName=")) {
      line = std::string("SkinName=") + kSecondSkinName;
    } else if (section == "[Colours]" && equals != std::string::npos &&
               std::sscanf(line.c_str() + equals + 1, "%d %d %d", &r, &g, &b) == 3) {
      line = line.substr(0, equals + 1) + std::to_string(g) + " " + std::to_string(b) + " " +
             std::to_string(r);
    }
    out += line + "\r\n";
  }
  return out;
}

// The second package; empty when the program's own package cannot be read.
inline std::string SecondSkinPackage() {
  const std::string own = skin::DefaultSkinPackage();
  const std::vector<std::uint8_t> container = skin::DecompressBlock(
      std::span(reinterpret_cast<const std::uint8_t*>(own.data()), own.size()));
  skin::TSkinContainer parsed;
  if (skin::ParseContainer(container, parsed) != skin::TContainerStatus::Ok) return {};
  std::vector<skinpack::TEntry> entries;
  std::size_t offset = parsed.BodyOffset;
  for (std::size_t i = 0; i < parsed.Names.size(); ++i) {
    const auto size = static_cast<std::size_t>(parsed.Sizes[i]);
    skinpack::TEntry entry{parsed.Names[i], {container.begin() + offset, container.begin() + offset + size}};
    offset += size;
    if (skin::AsciiLower(entry.Name).find(".ini") != std::string::npos) {
      const std::string turned = TurnColours(std::string(entry.Bytes.begin(), entry.Bytes.end()));
      entry.Bytes.assign(turned.begin(), turned.end());
    }
    entries.push_back(std::move(entry));
  }
  const std::vector<std::uint8_t> package = skinpack::BuildPackage(entries);
  return std::string(package.begin(), package.end());
}

}  // namespace testsupport
