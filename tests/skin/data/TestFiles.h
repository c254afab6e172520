// Helpers shared by the skin tests: reading test data and writing bitmap files.
#pragma once

#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace skintest {

using Bytes = std::vector<std::uint8_t>;

inline Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

#ifdef VEXLO_TESTDATA_DIR
inline std::string TestDataPath(const std::string& relative) {
  return std::string(VEXLO_TESTDATA_DIR) + "/" + relative;
}
#endif

inline Bytes AsBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

inline void PutLE(Bytes& out, std::uint32_t v, int width) {
  for (int i = 0; i < width; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

inline void PokeLE32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// The fields of a bitmap file with an info header; the offsets and sizes are derived.
struct BmpSpec {
  int width = 1;
  int height = 1;  // negative: top-down
  int bpp = 24;
  std::uint32_t compression = 0;
  std::vector<std::uint32_t> palette;  // 0x00RRGGBB
  std::vector<std::uint32_t> masks;    // stored after a 40-byte header when given
  Bytes pixels;                        // the pixel data as stored
};

inline Bytes MakeBmp(const BmpSpec& s) {
  const std::uint32_t offset =
      14 + 40 + static_cast<std::uint32_t>(4 * (s.masks.size() + s.palette.size()));
  Bytes out = {'B', 'M'};
  PutLE(out, offset + static_cast<std::uint32_t>(s.pixels.size()), 4);
  PutLE(out, 0, 4);
  PutLE(out, offset, 4);
  PutLE(out, 40, 4);
  PutLE(out, static_cast<std::uint32_t>(s.width), 4);
  PutLE(out, static_cast<std::uint32_t>(s.height), 4);
  PutLE(out, 1, 2);
  PutLE(out, static_cast<std::uint32_t>(s.bpp), 2);
  PutLE(out, s.compression, 4);
  PutLE(out, static_cast<std::uint32_t>(s.pixels.size()), 4);
  PutLE(out, 2835, 4);
  PutLE(out, 2835, 4);
  PutLE(out, static_cast<std::uint32_t>(s.palette.size()), 4);
  PutLE(out, 0, 4);
  for (std::uint32_t m : s.masks) PutLE(out, m, 4);
  for (std::uint32_t c : s.palette) PutLE(out, c, 4);
  out.insert(out.end(), s.pixels.begin(), s.pixels.end());
  return out;
}

// A bottom-up 24-bit bitmap file whose pixel (x, y), counted from the top, is rgb(x, y).
inline Bytes MakeBmp24(int width, int height, const std::function<std::uint32_t(int, int)>& rgb) {
  BmpSpec s;
  s.width = width;
  s.height = height;
  const int stride = (width * 3 + 3) / 4 * 4;
  s.pixels.assign(static_cast<std::size_t>(stride * height), 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t c = rgb(x, y);
      std::uint8_t* p = &s.pixels[static_cast<std::size_t>((height - 1 - y) * stride + x * 3)];
      p[0] = static_cast<std::uint8_t>(c), p[1] = static_cast<std::uint8_t>(c >> 8);
      p[2] = static_cast<std::uint8_t>(c >> 16);
    }
  }
  return MakeBmp(s);
}

}  // namespace skintest
