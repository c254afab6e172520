// Writes the seed corpus of the skin package fuzzer: small packages whose description names
// bitmaps of every kind the decoder knows, and a few packages at the edges of the format.
//   skin_fuzz_seeds OUTDIR
#include <cstdio>
#include <filesystem>
#include <string>

#include "FileIo.h"
#include "LzhEncoder.h"
#include "SkinPackage.h"
#include "TestFiles.h"

namespace {

using skintest::AsBytes;
using skintest::BmpSpec;
using skintest::Bytes;
using skintest::MakeBmp;

Bytes Paletted(int bpp, std::uint32_t compression, Bytes pixels, int width, int height) {
  BmpSpec s;
  s.width = width, s.height = height, s.bpp = bpp, s.compression = compression;
  s.palette = {0xFF00FF, 0x3B6183, 0xFFFFFF, 0x000000};
  s.pixels = std::move(pixels);
  return MakeBmp(s);
}

Bytes Direct(int bpp, std::uint32_t compression, std::vector<std::uint32_t> masks, Bytes pixels) {
  BmpSpec s;
  s.width = 2, s.height = -2, s.bpp = bpp, s.compression = compression;
  s.masks = std::move(masks);
  s.pixels = std::move(pixels);
  return MakeBmp(s);
}

std::vector<skinpack::TEntry> FullSkin() {
  const std::string ini =
      "; a small skin\r\n[Form]\r\nFrameTop=Skin\\top.bmp\r\nTitleColor=59 97 131\r\n"
      "Trans=1\r\nLeftWidth=0x4\r\nTopHeight=$3\r\n[Button]\r\nBitmap=button.bmp\r\n"
      "FrameCount=5\r\nFont=255 255\r\n[Check]\r\nBitmap=check.bmp\r\nGlyph=glyph.bmp\r\n"
      "[Scroll]\r\nBitmap=scroll.bmp\r\nArrow=arrow.bmp\r\nThumb=thumb.bmp\r\n"
      "[Menu]\r\nBitmap=menu.bmp\r\nIcon=title.tga\r\n[Form]\r\nFrameTop=other.bmp\r\n";
  return {
      {"top.bmp",
       skintest::MakeBmp24(5, 3, [](int x, int y) { return x == y ? 0xFF00FFu : 0x3B6183u; })},
      {"button.bmp", Paletted(8, 0, {0, 1, 2, 3, 1, 1, 1, 1}, 3, 2)},
      {"check.bmp", Paletted(4, 0, {0x01, 0x23, 0, 0}, 4, 1)},
      {"glyph.bmp", Paletted(1, 0, {0xA5, 0, 0, 0, 0x5A, 0, 0, 0}, 8, 2)},
      {"Skin.ini", AsBytes(ini)},
      {"scroll.bmp", Paletted(8, 1, {3, 1, 0, 3, 2, 3, 2, 0, 0, 0, 0, 2, 1, 1, 2, 2, 0, 1}, 6, 3)},
      {"arrow.bmp", Paletted(4, 2, {3, 0x12, 0, 3, 0x30, 0x00, 0, 1}, 5, 1)},
      {"thumb.bmp",
       Direct(16, 3, {0xF800, 0x07E0, 0x001F}, {0xE0, 0x07, 0x10, 0x84, 0x1F, 0, 0, 0xF8})},
      {"menu.bmp", Direct(32, 0, {}, Bytes(16, 0x7F))},
      {"title.tga", AsBytes("not a bitmap")},
      {"empty.bmp", {}},
  };
}

// A bitmap with the 12-byte core header and a 3-byte palette.
Bytes CoreBitmap() {
  return {'B', 'M', 36, 0, 0, 0, 0, 0, 0,    0,    32,   0,    0,    0,    12,   0, 0, 0,
          2,   0,   1,  0, 1, 0, 1, 0, 0x10, 0x20, 0x30, 0xAA, 0xBB, 0xCC, 0x40, 0, 0, 0};
}

void Write(const std::filesystem::path& dir, const std::string& name, const Bytes& block) {
  skinpack::WriteWholeFile(dir / name, block);
  std::printf("%s: %zu bytes\n", name.c_str(), block.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: skin_fuzz_seeds OUTDIR\n");
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  std::filesystem::create_directories(dir);
  Write(dir, "full-skin.pkg", skinpack::BuildPackage(FullSkin()));
  Write(dir, "core-header.pkg",
        skinpack::BuildPackage(
            {{"a.ini", AsBytes("[A]\r\nB=core.bmp\r\n")}, {"core.bmp", CoreBitmap()}}));
  Write(dir, "no-description.pkg", skinpack::BuildPackage({{"x.bmp", CoreBitmap()}}));
  Write(dir, "empty-container.pkg", skinpack::BuildPackage({}));
  Bytes old = skinpack::BuildContainer({{"a.ini", AsBytes("[A]")}});
  skintest::PokeLE32(old, 0, 10000);
  Write(dir, "older-format.pkg", skinpack::CompressBlock(old));
  return 0;
}
