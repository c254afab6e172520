// Decoding speed of a large skin package, side by side with copying the same bytes and with
// compressing them, measured in one run so that the ratios hold on any machine.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "LzhEncoder.h"
#include "SkinPackage.h"
#include "skin/data/SkinReader.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

void PutLE(Bytes& out, std::uint32_t v, int width) {
  for (int i = 0; i < width; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A 24-bit bitmap file with the kind of content skins hold: gradients, edges, key colour.
Bytes SkinLikeBitmap(int width, int height, int seed) {
  const int stride = (width * 3 + 3) / 4 * 4;
  Bytes f = {'B', 'M'};
  PutLE(f, static_cast<std::uint32_t>(54 + stride * height), 4);
  PutLE(f, 0, 4);
  PutLE(f, 54, 4);
  for (std::uint32_t v : {40u, std::uint32_t(width), std::uint32_t(height)}) PutLE(f, v, 4);
  PutLE(f, 1, 2);
  PutLE(f, 24, 2);
  for (int i = 0; i < 6; ++i) PutLE(f, 0, 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      // Corners in the key colour, a dark border, a vertical gradient in the middle.
      const bool key = (x < 3 || x >= width - 3) && (y < 3 || y >= height - 3);
      const bool edge = x < 4 || y < 4 || x >= width - 4 || y >= height - 4;
      f.push_back(key ? 255 : static_cast<std::uint8_t>(edge ? 40 : 120 + y * 100 / height));
      f.push_back(key ? 0 : static_cast<std::uint8_t>(edge ? 40 : 90 + seed % 60));
      f.push_back(key ? 255 : static_cast<std::uint8_t>(edge ? 60 : 200 - y * 50 / height));
    }
    for (int p = width * 3; p < stride; ++p) f.push_back(0);
  }
  return f;
}

std::vector<skinpack::TEntry> LargeSkin() {
  std::vector<skinpack::TEntry> entries;
  std::string ini = "[Skin]\r\nVersion=1\r\n";
  for (int i = 0; i < 40; ++i) {
    const std::string name = "part" + std::to_string(i) + ".bmp";
    entries.push_back({name, SkinLikeBitmap(60 + (i * 13) % 90, 30 + (i * 7) % 50, i)});
    ini += "[Part" + std::to_string(i) + "]\r\nBitmap=" + name + "\r\nFrameCount=4\r\n";
    if (i == 29) entries.push_back({"skin.ini", {}});
  }
  for (auto& e : entries) {
    if (e.Name == "skin.ini") e.Bytes.assign(ini.begin(), ini.end());
  }
  return entries;
}

template <typename F>
double SecondsPerRun(F&& run, int repeats) {
  const auto start = Clock::now();
  for (int i = 0; i < repeats; ++i) run();
  return std::chrono::duration<double>(Clock::now() - start).count() / repeats;
}

}  // namespace

int main() {
  const Bytes container = skinpack::BuildContainer(LargeSkin());
  const Bytes block = skinpack::CompressBlock(container);
  const double mb = static_cast<double>(container.size()) / 1e6;
  std::printf("package: %zu bytes compressed, %zu bytes uncompressed\n", block.size(),
              container.size());

  volatile std::size_t sink = 0;
  const int repeats = 20;
  const double decode =
      SecondsPerRun([&] { sink = sink + skin::DecompressBlock(block).size(); }, repeats);
  const double load = SecondsPerRun(
      [&] {
        skin::TSkinReader reader;
        sink = sink + static_cast<std::size_t>(reader.Load(block));
      },
      repeats);
  Bytes copy(container.size());
  const double memcpyTime = SecondsPerRun(
      [&] {
        std::memcpy(copy.data(), container.data(), container.size());
        sink = sink + copy[copy.size() / 2];
      },
      repeats * 50);
  const double encode =
      SecondsPerRun([&] { sink = sink + skinpack::CompressBlock(container).size(); }, 3);

  std::printf("decode       %8.2f ms  %8.1f MB/s\n", decode * 1e3, mb / decode);
  std::printf("reader load  %8.2f ms  %8.1f MB/s\n", load * 1e3, mb / load);
  std::printf("memcpy       %8.3f ms  %8.1f MB/s\n", memcpyTime * 1e3, mb / memcpyTime);
  std::printf("encode       %8.2f ms  %8.1f MB/s\n", encode * 1e3, mb / encode);
  std::printf(
      "ratios: decode takes %.0fx memcpy; encode takes %.2fx decode; load takes %.2fx decode\n",
      decode / memcpyTime, encode / decode, load / decode);
  return sink == 0;
}
