#include "SkinLoad.h"

#include <string>
#include <vector>

#include "skin/model/BitmapFile.h"
#include "skin/model/QuickIni.h"
#include "skin/model/SkinColour.h"
#include "skin/model/SkinReader.h"

namespace skinfuzz {

namespace {

std::size_t DecodeIfBitmap(const std::vector<std::uint8_t>& bytes) {
  if (bytes.empty()) return 0;
  skin::TPixelImage image;
  if (!skin::DecodeBitmapFile(bytes, image)) return 0;
  // Touch the corners: a wrong size would show under the sanitizers.
  volatile std::uint32_t corner = image.At(0, 0) ^ image.At(image.Width - 1, image.Height - 1);
  (void)corner;
  return 1;
}

// Every key of every section is read the ways the skin data component reads values.
std::size_t ReadDescription(const skin::TSkinReader& reader, const skin::TQuickIni& ini) {
  std::size_t bitmaps = 0;
  std::vector<std::string> sections;
  ini.ReadSections(sections);
  std::string section;
  for (const std::string& line : ini.Lines()) {
    if (line.front() == '[' && line.back() == ']') {
      section = std::string(skin::TrimText(line.substr(1, line.size() - 2)));
      continue;
    }
    const std::string key(skin::TrimText(line.substr(0, line.find('='))));
    const std::string value = ini.ReadString(section, key, "");
    ini.ReadInteger(section, key, -1);
    skin::ReadColourValue(value, 0);
    bitmaps += DecodeIfBitmap(skin::ExtractBitmapEntry(reader, value));
  }
  return bitmaps;
}

}  // namespace

std::size_t LoadWholeSkin(std::span<const std::uint8_t> block) {
  skin::TSkinReader reader;
  if (!reader.Load(block, kFuzzMaxSize)) return 0;
  std::vector<std::uint8_t> text;
  std::string name;
  std::size_t bitmaps = 0;
  if (reader.ExtractEntryContaining(".ini", text, name)) {
    skin::TQuickIni ini;
    ini.Load(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
    bitmaps += ReadDescription(reader, ini);
  }
  // Entries that the description does not name are decoded too.
  for (const std::string& entry : reader.Names()) {
    std::vector<std::uint8_t> bytes;
    reader.ExtractEntry(entry, bytes);
    bitmaps += DecodeIfBitmap(bytes);
  }
  return bitmaps;
}

}  // namespace skinfuzz
