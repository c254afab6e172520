#include "BitmapFile.h"

#include <bit>
#include <cstdlib>
#include <stdexcept>

namespace skin {

namespace {

constexpr std::uint32_t BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3;
constexpr std::size_t kFileHeaderSize = 14;

struct BadBitmap : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::uint16_t U16(std::span<const std::uint8_t> f, std::size_t at) {
  return static_cast<std::uint16_t>(f[at] | f[at + 1] << 8);
}
std::uint32_t U32(std::span<const std::uint8_t> f, std::size_t at) {
  return std::uint32_t(U16(f, at)) | std::uint32_t(U16(f, at + 2)) << 16;
}

// A bit-field channel: where it sits and how many bits it has.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  std::uint32_t Expand(std::uint32_t pixel) const {
    std::uint32_t v = (pixel & mask) >> shift;
    if (bits >= 8) return v >> (bits - 8);
    std::uint32_t out = v << (8 - bits);
    for (int filled = bits; filled < 8; filled *= 2) out |= out >> filled;
    return out & 0xFF;
  }
};

Channel MakeChannel(std::uint32_t mask, int bpp) {
  if (mask == 0) throw BadBitmap("empty colour mask");
  if (bpp < 32 && (mask >> bpp) != 0) throw BadBitmap("colour mask wider than the pixel");
  Channel c{mask, std::countr_zero(mask), std::popcount(mask)};
  if (c.bits == 32 || (mask >> c.shift) != (std::uint32_t(1) << c.bits) - 1) {
    throw BadBitmap("colour mask not contiguous");
  }
  return c;
}

struct Info {
  std::size_t headerSize = 0;
  std::int64_t width = 0, height = 0;
  bool topDown = false;
  int bpp = 0;
  std::uint32_t compression = BI_RGB;
  std::uint32_t sizeImage = 0, colorsUsed = 0;
  Channel channels[3];  // red, green, blue
  std::size_t paletteOffset = 0, paletteEntrySize = 4, paletteCount = 0;
  std::size_t dataOffset = 0;
};

void ReadHeader(std::span<const std::uint8_t> f, Info& info) {
  if (f.size() < kFileHeaderSize + 4 || f[0] != 'B' || f[1] != 'M') {
    throw BadBitmap("not a bitmap file");
  }
  const std::uint32_t fileSize = U32(f, 2);
  if (fileSize > f.size()) throw BadBitmap("file shorter than its size field");
  info.dataOffset = U32(f, 10);
  info.headerSize = U32(f, 14);
  const std::size_t h = info.headerSize;
  if (h != 12 && h != 40 && h != 52 && h != 56 && h != 108 && h != 124) {
    throw BadBitmap("unknown header size");
  }
  if (kFileHeaderSize + h > f.size()) throw BadBitmap("header runs past the end");
  const std::size_t at = kFileHeaderSize;
  std::uint16_t planes;
  if (h == 12) {
    info.width = U16(f, at + 4);
    info.height = U16(f, at + 6);
    planes = U16(f, at + 8);
    info.bpp = U16(f, at + 10);
    info.paletteEntrySize = 3;
  } else {
    info.width = static_cast<std::int32_t>(U32(f, at + 4));
    info.height = static_cast<std::int32_t>(U32(f, at + 8));
    planes = U16(f, at + 12);
    info.bpp = U16(f, at + 14);
    info.compression = U32(f, at + 16);
    info.sizeImage = U32(f, at + 20);
    info.colorsUsed = U32(f, at + 32);
  }
  if (planes != 1) throw BadBitmap("plane count is not 1");
  info.topDown = info.height < 0;
  info.height = std::abs(info.height);
}

void CheckGeometry(const Info& info) {
  if (info.width <= 0 || info.height <= 0) throw BadBitmap("empty or negative dimensions");
  if (info.width > kMaxBitmapDimension || info.height > kMaxBitmapDimension ||
      info.width * info.height > kMaxBitmapPixels) {
    throw BadBitmap("dimensions too large");
  }
  const int b = info.bpp;
  switch (info.compression) {
    case BI_RGB:
      if (b != 1 && b != 4 && b != 8 && b != 16 && b != 24 && b != 32) {
        throw BadBitmap("unsupported bit count");
      }
      if (info.headerSize == 12 && (b == 16 || b == 32)) throw BadBitmap("unsupported bit count");
      break;
    case BI_RLE8:
    case BI_RLE4:
      if (b != (info.compression == BI_RLE8 ? 8 : 4)) throw BadBitmap("bit count does not fit RLE");
      if (info.topDown) throw BadBitmap("top-down RLE bitmap");
      break;
    case BI_BITFIELDS:
      if (b != 16 && b != 32) throw BadBitmap("bit count does not fit bit fields");
      break;
    default:
      throw BadBitmap("unsupported compression");
  }
}

// Colour masks and palette: both lie between the header and the pixel data.
void ReadTables(std::span<const std::uint8_t> f, Info& info) {
  std::size_t tableStart = kFileHeaderSize + info.headerSize;
  std::uint32_t masks[3] = {0xFF0000, 0x00FF00, 0x0000FF};
  if (info.bpp == 16) {
    masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
  }
  if (info.compression == BI_BITFIELDS) {
    std::size_t at = kFileHeaderSize + 40;
    if (info.headerSize == 40) {
      at = tableStart;
      tableStart += 12;
      if (tableStart > f.size()) throw BadBitmap("colour masks run past the end");
    }
    for (int i = 0; i < 3; ++i) masks[i] = U32(f, at + 4 * i);
    if ((masks[0] & masks[1]) || (masks[0] & masks[2]) || (masks[1] & masks[2])) {
      throw BadBitmap("colour masks overlap");
    }
  }
  if (info.bpp > 8) {
    for (int i = 0; i < 3; ++i) info.channels[i] = MakeChannel(masks[i], info.bpp);
  }

  if (info.bpp <= 8) {
    const std::size_t full = std::size_t(1) << info.bpp;
    if (info.colorsUsed > full) throw BadBitmap("palette larger than the bit count allows");
    info.paletteCount = info.colorsUsed ? info.colorsUsed : full;
  }
  info.paletteOffset = tableStart;
  const std::size_t paletteEnd = tableStart + info.paletteCount * info.paletteEntrySize;
  if (info.dataOffset < paletteEnd || info.dataOffset > f.size()) {
    throw BadBitmap("pixel data offset outside the file");
  }
}

class PixelWriter {
 public:
  PixelWriter(std::span<const std::uint8_t> f, const Info& info, TPixelImage& image)
      : info_(info), image_(image) {
    image_.Width = static_cast<int>(info.width);
    image_.Height = static_cast<int>(info.height);
    image_.Pixels.assign(static_cast<std::size_t>(info.width * info.height), 0);
    for (std::size_t i = 0; i < info.paletteCount; ++i) {
      const std::size_t at = info.paletteOffset + i * info.paletteEntrySize;
      palette_[i] =
          std::uint32_t(f[at]) | std::uint32_t(f[at + 1]) << 8 | std::uint32_t(f[at + 2]) << 16;
    }
  }

  // Row y counted in file order (bottom-up unless the bitmap is top-down).
  void SetIndex(std::int64_t x, std::int64_t y, std::uint32_t index) {
    // Indices beyond a short palette show as black, as the palette ends there.
    Set(x, y, index < info_.paletteCount ? palette_[index] : 0);
  }
  void Set(std::int64_t x, std::int64_t y, std::uint32_t rgb) {
    if (x < 0 || y < 0 || x >= info_.width || y >= info_.height) return;
    const std::int64_t row = info_.topDown ? y : info_.height - 1 - y;
    image_.Pixels[static_cast<std::size_t>(row * info_.width + x)] = rgb;
  }
  std::uint32_t FromMasks(std::uint32_t pixel) const {
    return info_.channels[0].Expand(pixel) << 16 | info_.channels[1].Expand(pixel) << 8 |
           info_.channels[2].Expand(pixel);
  }

 private:
  const Info& info_;
  TPixelImage& image_;
  std::uint32_t palette_[256] = {};
};

void DecodeUncompressed(std::span<const std::uint8_t> f, const Info& info, PixelWriter& out) {
  const std::size_t stride = static_cast<std::size_t>((info.width * info.bpp + 31) / 32 * 4);
  const std::size_t need = stride * static_cast<std::size_t>(info.height);
  if (need > f.size() - info.dataOffset) throw BadBitmap("pixel data runs past the end");
  for (std::int64_t y = 0; y < info.height; ++y) {
    const std::uint8_t* row = f.data() + info.dataOffset + static_cast<std::size_t>(y) * stride;
    for (std::int64_t x = 0; x < info.width; ++x) {
      const std::size_t bit = static_cast<std::size_t>(x * info.bpp);
      const std::uint8_t* p = row + bit / 8;
      switch (info.bpp) {
        case 1:
          out.SetIndex(x, y, (*p >> (7 - bit % 8)) & 1);
          break;
        case 4:
          out.SetIndex(x, y, (bit % 8) ? *p & 0x0F : *p >> 4);
          break;
        case 8:
          out.SetIndex(x, y, *p);
          break;
        case 16:
          out.Set(x, y, out.FromMasks(std::uint32_t(p[0] | p[1] << 8)));
          break;
        case 24:
          out.Set(x, y, std::uint32_t(p[0] | p[1] << 8 | p[2] << 16));
          break;
        default:
          out.Set(x, y,
                  out.FromMasks(std::uint32_t(p[0] | p[1] << 8 | p[2] << 16) | std::uint32_t(p[3])
                                                                                   << 24));
          break;
      }
    }
  }
}

// Run-length data: pixels the runs skip stay black; runs past the row edge are dropped; the
// end of the data ends the bitmap as an end marker would.
void DecodeRle(std::span<const std::uint8_t> f, const Info& info, PixelWriter& out) {
  std::size_t length = info.sizeImage ? info.sizeImage : f.size() - info.dataOffset;
  if (length > f.size() - info.dataOffset) throw BadBitmap("run-length data runs past the end");
  const std::uint8_t* d = f.data() + info.dataOffset;
  const bool four = info.compression == BI_RLE4;
  auto nibble = [four](std::uint8_t byte, std::int64_t k) -> std::uint32_t {
    return four ? ((k % 2) ? byte & 0x0F : byte >> 4) : byte;
  };
  std::size_t p = 0;
  std::int64_t x = 0, y = 0;
  while (p + 2 <= length && y < info.height) {
    const std::uint8_t count = d[p], value = d[p + 1];
    p += 2;
    if (count > 0) {
      for (std::int64_t k = 0; k < count; ++k) out.SetIndex(x++, y, nibble(value, k));
    } else if (value == 0) {
      x = 0, ++y;
    } else if (value == 1) {
      break;
    } else if (value == 2) {
      if (p + 2 > length) break;
      x += d[p], y += d[p + 1];
      p += 2;
    } else {
      const std::size_t bytes = four ? (value + 1u) / 2 : value;
      if (p + bytes > length) throw BadBitmap("run-length data runs past the end");
      for (std::int64_t k = 0; k < value; ++k) {
        out.SetIndex(x++, y, nibble(d[p + static_cast<std::size_t>(four ? k / 2 : k)], k));
      }
      p += (bytes + 1) & ~std::size_t(1);
    }
  }
}

}  // namespace

bool DecodeBitmapFile(std::span<const std::uint8_t> file, TPixelImage& image, std::string* error) {
  image = TPixelImage{};
  try {
    Info info;
    ReadHeader(file, info);
    CheckGeometry(info);
    ReadTables(file, info);
    PixelWriter out(file, info, image);
    if (info.compression == BI_RLE8 || info.compression == BI_RLE4) {
      DecodeRle(file, info, out);
    } else {
      DecodeUncompressed(file, info, out);
    }
    return true;
  } catch (const BadBitmap& e) {
    image = TPixelImage{};
    if (error) *error = e.what();
    return false;
  }
}

}  // namespace skin
