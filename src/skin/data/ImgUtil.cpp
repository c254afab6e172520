#include "skin/data/ImgUtil.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "skin/model/BitmapFile.h"

namespace skin {

namespace {

int Red(COLORREF c) { return GetRValue(c); }
int Green(COLORREF c) { return GetGValue(c); }
int Blue(COLORREF c) { return GetBValue(c); }
ui::TColor MakeColour(int r, int g, int b) { return ui::TColor(RGB(r & 0xFF, g & 0xFF, b & 0xFF)); }
// A colour as a DIB pixel (blue in the lowest byte).
std::uint32_t PixelOf(COLORREF c) { return std::uint32_t(Red(c)) << 16 | Green(c) << 8 | Blue(c); }

// Applies f to every pixel in place.
template <class Bitmap, typename F>
void ForEachPixel(Bitmap& bitmap, F f) {
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::uint32_t* row = bitmap.ScanLine(y);
    for (int x = 0; x < bitmap.Width(); ++x) row[x] = f(row[x]);
  }
}

// Rebuilds the bitmap as newWidth x newHeight with pixel (x, y) taken from source(x, y).
template <class Bitmap, typename F>
void Remap(Bitmap& bitmap, int newWidth, int newHeight, F source) {
  if (bitmap.Empty()) return;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(newWidth) * newHeight);
  for (int y = 0; y < newHeight; ++y) {
    for (int x = 0; x < newWidth; ++x) {
      const POINT from = source(x, y);
      pixels[static_cast<std::size_t>(y) * newWidth + x] = bitmap.ScanLine(from.y)[from.x];
    }
  }
  bitmap.SetPixels(newWidth, newHeight, pixels.data());
}

struct GradientSlot {
  int Length = 0;
  ui::TColor Start = 0, End = 0;
  std::vector<ui::TColor> Colours;
};
std::array<GradientSlot, 16> gradientSlots;
int gradientCounter = 0;  // the slot filled last, 0 before the first

// Per channel: start + (i * delta + d div 2) div d, truncating toward zero.
std::vector<ui::TColor> BuildGradient(int n, COLORREF start, COLORREF end) {
  const int dr = Red(end) - Red(start), dg = Green(end) - Green(start),
            db = Blue(end) - Blue(start);
  if (n == 1) return {MakeColour(Red(start) + dr / 2, Green(start) + dg / 2, Blue(start) + db / 2)};
  const int d = n - 1;
  std::vector<ui::TColor> colours(static_cast<std::size_t>(n));
  for (int i = 0; i <= d; ++i) {
    colours[static_cast<std::size_t>(i)] =
        MakeColour(Red(start) + (i * dr + d / 2) / d, Green(start) + (i * dg + d / 2) / d,
                   Blue(start) + (i * db + d / 2) / d);
  }
  return colours;
}

template <class Bitmap>
void GrayBitmapOf(Bitmap& bitmap) {
  ForEachPixel(bitmap, [](std::uint32_t p) {
    const std::uint32_t grey = (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF)) / 3;
    return grey << 16 | grey << 8 | grey;
  });
}

template <class Bitmap>
void ReplaceKeyColourOf(Bitmap& bitmap, ui::TColor colour) {
  const std::uint32_t replacement = PixelOf(ui::ColorToRGB(colour));
  ForEachPixel(bitmap, [replacement](std::uint32_t p) {
    return (p & 0xFFFFFF) == 0xFF00FF ? replacement : p;
  });
}

template <class Bitmap>
void MirrorBitmapOf(Bitmap& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::reverse(bitmap.ScanLine(y), bitmap.ScanLine(y) + bitmap.Width());
  }
}

template <class Bitmap>
void FlipBitmapOf(Bitmap& bitmap) {
  const int w = bitmap.Width();
  for (int top = 0, bottom = bitmap.Height() - 1; top < bottom; ++top, --bottom) {
    std::swap_ranges(bitmap.ScanLine(top), bitmap.ScanLine(top) + w, bitmap.ScanLine(bottom));
  }
}

template <class Bitmap>
void RotateLeftOf(Bitmap& bitmap) {
  const int w = bitmap.Width();
  Remap(bitmap, bitmap.Height(), w, [w](int x, int y) { return POINT{w - 1 - y, x}; });
}

template <class Bitmap>
void RotateRightOf(Bitmap& bitmap) {
  const int h = bitmap.Height();
  Remap(bitmap, h, bitmap.Width(), [h](int x, int y) { return POINT{y, h - 1 - x}; });
}

}  // namespace

void GrayBitmap(ui::TBitmap& bitmap) { GrayBitmapOf(bitmap); }
void GrayBitmap(TSkinBitmap& bitmap) { GrayBitmapOf(bitmap); }
void ReplaceKeyColour(ui::TBitmap& bitmap, ui::TColor colour) {
  ReplaceKeyColourOf(bitmap, colour);
}
void ReplaceKeyColour(TSkinBitmap& bitmap, ui::TColor colour) {
  ReplaceKeyColourOf(bitmap, colour);
}
void MirrorBitmap(ui::TBitmap& bitmap) { MirrorBitmapOf(bitmap); }
void MirrorBitmap(TSkinBitmap& bitmap) { MirrorBitmapOf(bitmap); }
void FlipBitmap(ui::TBitmap& bitmap) { FlipBitmapOf(bitmap); }
void FlipBitmap(TSkinBitmap& bitmap) { FlipBitmapOf(bitmap); }
void RotateLeft(ui::TBitmap& bitmap) { RotateLeftOf(bitmap); }
void RotateLeft(TSkinBitmap& bitmap) { RotateLeftOf(bitmap); }
void RotateRight(ui::TBitmap& bitmap) { RotateRightOf(bitmap); }
void RotateRight(TSkinBitmap& bitmap) { RotateRightOf(bitmap); }

ui::TColor BlendColours(ui::TColor a, ui::TColor b, int weight) {
  const COLORREF ca = ui::ColorToRGB(a), cb = ui::ColorToRGB(b);
  const int s = weight < 100 ? 100 : 1000;
  auto mix = [&](int x, int y) { return (x * weight + y * (s - weight) + s / 2) / s; };
  return MakeColour(mix(Red(ca), Red(cb)), mix(Green(ca), Green(cb)), mix(Blue(ca), Blue(cb)));
}

// Tables are looked up by the colours they were asked for, so a table is found again even
// when rounding kept its last entry short of the end colour.
int GradientTable(int n, ui::TColor start, ui::TColor end) {
  n = std::max(n, 1);
  for (int slot = 16; slot >= 1; --slot) {
    const GradientSlot& s = gradientSlots[static_cast<std::size_t>(slot - 1)];
    if (s.Length == n && s.Start == start && s.End == end) return slot;
  }
  gradientCounter = gradientCounter % 16 + 1;
  GradientSlot& s = gradientSlots[static_cast<std::size_t>(gradientCounter - 1)];
  s = {n, start, end, BuildGradient(n, ui::ColorToRGB(start), ui::ColorToRGB(end))};
  return gradientCounter;
}

const std::vector<ui::TColor>& GradientColours(int slot) {
  return gradientSlots.at(static_cast<std::size_t>(slot - 1)).Colours;
}

void FillGradient(HDC dc, const RECT& rect, ui::TColor start, bool vertical, ui::TColor end) {
  if (!RectVisible(dc, &rect)) return;
  const COLORREF from = ui::ColorToRGB(start), to = ui::ColorToRGB(end);
  const int n = vertical ? rect.bottom - rect.top : rect.right - rect.left;
  if (n <= 0) return;
  RECT clip{};
  GetClipBox(dc, &clip);
  const int rectStart = vertical ? rect.top : rect.left;
  const int clipStart = vertical ? clip.top : clip.left;
  const int clipEnd = vertical ? clip.bottom : clip.right;
  const int first = std::max(0, clipStart - rectStart);
  const int last = clipEnd < rectStart + n ? clipEnd - rectStart - 1 : n - 1;
  const std::vector<ui::TColor>& colours =
      GradientColours(GradientTable(n, ui::TColor(from), ui::TColor(to)));
  for (int step = first; step <= last; ++step) {
    ui::TBrushHandle brush(CreateSolidBrush(COLORREF(colours[static_cast<std::size_t>(step)])));
    const RECT band = vertical
                          ? RECT{rect.left, rect.top + step, rect.right, rect.top + step + 1}
                          : RECT{rect.left + step, rect.top, rect.left + step + 1, rect.bottom};
    FillRect(dc, &band, brush.Get());
  }
}

int ColourSaturation(ui::TColor colour) {
  const COLORREF c = ui::ColorToRGB(colour);
  const int high = std::max({Red(c), Green(c), Blue(c)});
  const int low = std::min({Red(c), Green(c), Blue(c)});
  if (high < 160) return 200;
  // (max - min) / max scaled to 255, rounded to the nearest integer, ties to even.
  return static_cast<int>(std::nearbyint(double(high - low) * 255.0 / high));
}

bool LoadBitmapFromBytes(std::span<const std::uint8_t> file, ui::TBitmap& bitmap) {
  TPixelImage image;
  if (!DecodeBitmapFile(file, image)) {
    bitmap.SetSize(0, 0);
    return false;
  }
  bitmap.SetPixels(image.Width, image.Height, image.Pixels.data());
  return true;
}

std::wstring AnsiToWide(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
  return wide;
}

int DrawTextWide(HDC dc, const std::wstring& text, RECT& rect, UINT format) {
  const bool windows9x = (GetVersion() & 0x80000000u) != 0;
  if (!windows9x) return DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), size, ansi.data(), length, nullptr, nullptr);
  return DrawTextA(dc, ansi.c_str(), length, &rect, format);
}

}  // namespace skin
