// Skins that lack elements, as skins made by other people do: the program's own skin with one
// section of its description left out, every picture kept. Every control must stay drawn (by
// the skin or in its own look) and usable with each of them.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "CraftedSkin.h"
#include "skin/model/SkinReader.h"
#include "ui/Canvas.h"
#include "ui/Graphics.h"

namespace partialskin {

// Every line of the description but those of the section `name` (its bracketed line and the
// lines up to the next section).
inline std::string WithoutSection(const std::string& ini, const std::string& name) {
  std::istringstream in(ini);
  std::string out, line;
  bool dropping = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with("[")) dropping = line == "[" + name + "]";
    if (!dropping) out += line + "\r\n";
  }
  return out;
}

inline std::vector<std::string> SectionsOf(const std::string& ini) {
  std::istringstream in(ini);
  std::vector<std::string> names;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with("[") && line.ends_with("]")) names.push_back(line.substr(1, line.size() - 2));
  }
  return names;
}

// The package's description.
inline std::string DescriptionOf(const std::string& package) {
  skin::TSkinReader reader;
  EXPECT_TRUE(reader.Load(std::span(reinterpret_cast<const std::uint8_t*>(package.data()), package.size())));
  for (const std::string& name : reader.Names()) {
    if (name.find(".ini") == std::string::npos) continue;
    skintest::Bytes entry;
    reader.ExtractEntry(name, entry);
    return std::string(entry.begin(), entry.end());
  }
  return {};
}

// The package with the section left out of its description; every other entry as it was.
inline skintest::Bytes PackageWithout(const std::string& package, const std::string& section) {
  skin::TSkinReader reader;
  EXPECT_TRUE(reader.Load(std::span(reinterpret_cast<const std::uint8_t*>(package.data()), package.size())));
  std::vector<skinpack::TEntry> entries;
  for (const std::string& name : reader.Names()) {
    skintest::Bytes entry;
    reader.ExtractEntry(name, entry);
    if (name.find(".ini") != std::string::npos) {
      entry = skintest::AsBytes(WithoutSection(std::string(entry.begin(), entry.end()), section));
    }
    entries.push_back({name, std::move(entry)});
  }
  return skinpack::BuildPackage(entries);
}

// What nothing painted leaves in a capture.
inline constexpr std::uint32_t kUnpainted = 0x010203;

// The control as the screen shows it: its background erased, then its client painted, into a
// picture of its size first filled with kUnpainted.
inline std::unique_ptr<ui::TBitmap> CaptureAsShown(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  auto picture = std::make_unique<ui::TBitmap>(r.right - r.left, r.bottom - r.top);
  for (int y = 0; y < picture->Height(); ++y) {
    std::uint32_t* row = picture->ScanLine(y);
    for (int x = 0; x < picture->Width(); ++x) row[x] = kUnpainted;
  }
  HDC dc = picture->Canvas()->Handle();
  SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  return picture;
}

// Whether the capture shows two colours or more besides kUnpainted: neither blank nor one
// flat area.
inline bool ShowsTwoColours(const ui::TBitmap& capture) {
  std::uint32_t first = kUnpainted;
  for (int y = 0; y < capture.Height(); ++y) {
    const std::uint32_t* row = capture.ScanLine(y);
    for (int x = 0; x < capture.Width(); ++x) {
      const std::uint32_t c = row[x] & 0xFFFFFF;
      if (c == kUnpainted) continue;
      if (first == kUnpainted) first = c;
      else if (c != first) return true;
    }
  }
  return false;
}

// Where the window lies on the screen: the key of its captures (the helper windows a skinner
// makes come and go with the skin, and get new handles).
inline std::wstring Place(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," + std::to_wstring(r.right) + L"," +
         std::to_wstring(r.bottom);
}

}  // namespace partialskin
