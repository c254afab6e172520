#include "SkinScale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "SkinDefinitions.h"

namespace skin {

namespace {

constexpr std::uint32_t kKey = 0xFF00FF;  // the transparent colour of every skin picture

bool IsKey(std::uint32_t pixel) { return (pixel & 0xFFFFFF) == kKey; }

bool Usable(const TSkinScale& scale) { return scale.Mul > 0 && scale.Div > 0; }

// One source pixel that contributes to an output pixel, with its share.
struct TTap {
  int Index = 0;
  double Weight = 0;
};

// Where one output pixel of an axis comes from: the nearest source pixel and its taps.
struct TSample {
  int Nearest = 0;
  std::size_t First = 0, Count = 0;  // taps in the axis map's list
};

// The resampling of one axis of a frame, the same for every frame of a picture.
struct TAxisMap {
  std::vector<TSample> Samples;
  std::vector<TTap> Taps;
};

// The source pixel whose centre is nearest the centre of output pixel `i` of `outLength`
// pixels made from `length` (floor((i + 0.5) * length / outLength), exact in integers).
int NearestOf(int i, int length, int outLength) {
  const long long n = (2LL * i + 1) * length, d = 2LL * outLength;
  return static_cast<int>(std::min<long long>(n / d, length - 1));
}

void AddSingle(TAxisMap& map, int index) {
  map.Samples.push_back({index, map.Taps.size(), 1});
  map.Taps.push_back({index, 1.0});
}

// Nearest neighbour over a segment. A segment of no source pixels that still gets output
// pixels (margins rounded down, the middle rounded up) takes them from the whole axis.
void AddNearest(TAxisMap& map, int from, int length, int outFrom, int outLength, int axis,
                int outAxis) {
  for (int i = 0; i < outLength; ++i) {
    AddSingle(map, length > 0 ? from + NearestOf(i, length, outLength)
                              : NearestOf(outFrom + i, axis, outAxis));
  }
}

// Triangle filter: each output pixel from the two source pixels around its centre, held to
// the segment so that the middle never bleeds into the margins.
void AddBilinear(TAxisMap& map, int from, int length, int outLength) {
  for (int i = 0; i < outLength; ++i) {
    const double u =
        std::clamp((i + 0.5) * length / outLength - 0.5, 0.0, static_cast<double>(length - 1));
    const int i0 = static_cast<int>(std::floor(u));
    const double t = u - i0;
    TSample sample{from + NearestOf(i, length, outLength), map.Taps.size(), 0};
    map.Taps.push_back({from + i0, 1.0 - t});
    if (i0 + 1 < length && t > 0) map.Taps.push_back({from + i0 + 1, t});
    sample.Count = map.Taps.size() - sample.First;
    map.Samples.push_back(sample);
  }
}

// Area average: each output pixel from the source pixels its span covers, by the part covered.
void AddAreaAverage(TAxisMap& map, int from, int length, int outLength) {
  const double step = static_cast<double>(length) / outLength;
  for (int i = 0; i < outLength; ++i) {
    const double lo = i * step, hi = std::min((i + 1) * step, static_cast<double>(length));
    TSample sample{from + NearestOf(i, length, outLength), map.Taps.size(), 0};
    const int last = std::min(static_cast<int>(std::ceil(hi)), length);
    for (int s = static_cast<int>(std::floor(lo)); s < last; ++s) {
      const double part = std::min(hi, s + 1.0) - std::max(lo, static_cast<double>(s));
      if (part > 0) map.Taps.push_back({from + s, part});
    }
    sample.Count = map.Taps.size() - sample.First;
    map.Samples.push_back(sample);
  }
}

// One axis of a frame `length` long with fixed segments `start` and `end` at its ends: the
// margins (clamped so they never overlap) by nearest neighbour, the middle filtered, or by
// nearest neighbour too for whole factors, which thus repeat every pixel exactly.
TAxisMap MapAxis(int length, int start, int end, int outLength, const TSkinScale& scale) {
  const int a = std::clamp(start, 0, length), b = std::clamp(end, 0, length - a);
  const int outA = std::min(scale.Of(a), outLength);
  const int outB = std::min(scale.Of(b), outLength - outA);
  const int middle = length - a - b, outMiddle = outLength - outA - outB;
  TAxisMap map;
  map.Samples.reserve(static_cast<std::size_t>(outLength));
  AddNearest(map, 0, a, 0, outA, length, outLength);
  if (scale.Whole() || middle == 0) {
    AddNearest(map, a, middle, outA, outMiddle, length, outLength);
  } else if (outMiddle >= middle) {
    AddBilinear(map, a, middle, outMiddle);
  } else {
    AddAreaAverage(map, a, middle, outMiddle);
  }
  AddNearest(map, a + middle, b, outA + outMiddle, outB, length, outLength);
  return map;
}

// The weighted mean of the non-key taps, rounded; the nearest pixel when the mean would be the
// key colour itself or nothing contributes.
std::uint32_t Mix(const TSkinBitmap& source, int x0, int y0, const TAxisMap& xs,
                  const TSample& sx, const TAxisMap& ys, const TSample& sy,
                  std::uint32_t nearest) {
  double r = 0, g = 0, b = 0, total = 0;
  for (std::size_t j = sy.First; j < sy.First + sy.Count; ++j) {
    const TTap& ty = ys.Taps[j];
    const std::uint32_t* row = source.ScanLine(y0 + ty.Index) + x0;
    for (std::size_t i = sx.First; i < sx.First + sx.Count; ++i) {
      const TTap& tx = xs.Taps[i];
      const std::uint32_t p = row[tx.Index];
      if (IsKey(p)) continue;
      const double w = tx.Weight * ty.Weight;
      r += w * ((p >> 16) & 0xFF);
      g += w * ((p >> 8) & 0xFF);
      b += w * (p & 0xFF);
      total += w;
    }
  }
  if (total <= 0) return nearest;
  const auto channel = [total](double sum) {
    return static_cast<std::uint32_t>(std::clamp(std::floor(sum / total + 0.5), 0.0, 255.0));
  };
  const std::uint32_t mixed = channel(r) << 16 | channel(g) << 8 | channel(b);
  return IsKey(mixed) ? nearest : mixed;
}

// Writes one scaled frame: source frame at (x0, y0), output frame at (outX, outY).
void ScaleFrame(const TSkinBitmap& source, int x0, int y0, const TAxisMap& xs,
                const TAxisMap& ys, TSkinBitmap& target, int outX, int outY) {
  for (std::size_t oy = 0; oy < ys.Samples.size(); ++oy) {
    const TSample& sy = ys.Samples[oy];
    const std::uint32_t* nearestRow = source.ScanLine(y0 + sy.Nearest) + x0;
    std::uint32_t* out = target.ScanLine(outY + static_cast<int>(oy)) + outX;
    for (std::size_t ox = 0; ox < xs.Samples.size(); ++ox) {
      const TSample& sx = xs.Samples[ox];
      const std::uint32_t nearest = nearestRow[sx.Nearest];
      out[ox] = IsKey(nearest) || (sx.Count == 1 && sy.Count == 1)
                    ? nearest
                    : Mix(source, x0, y0, xs, sx, ys, sy, nearest);
    }
  }
}

// The size of a scaled frame side: at least one pixel.
int ScaledSide(int length, const TSkinScale& scale) { return std::max(scale.Of(length), 1); }

bool TooLarge(long long width, long long height) {
  return width > kMostScaledSide || height > kMostScaledSide ||
         width * height > kMostScaledPixels;
}

}  // namespace

bool TSkinScale::Identity() const { return Mul == Div; }

bool TSkinScale::Whole() const { return Div != 0 && Mul % Div == 0; }

int TSkinScale::Of(int value) const {
  if (!Usable(*this) || Mul == Div) return value;
  const long long n = static_cast<long long>(value) * Mul;
  const long long magnitude = ((n < 0 ? -n : n) * 2 + Div) / (2LL * Div);
  const long long scaled = n < 0 ? -magnitude : magnitude;
  return static_cast<int>(std::clamp<long long>(scaled, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

void ScalePicture(const TSkinBitmap& source, int frames, const TMargins& margins,
                  const TSkinScale& scale, TSkinBitmap& target) {
  ScalePicture(source, TFrameLayout::SideBySide, frames, margins, scale, target);
}

void ScalePicture(const TSkinBitmap& source, TFrameLayout layout, int frames,
                  const TMargins& margins, const TSkinScale& scale, TSkinBitmap& target) {
  const bool across = layout == TFrameLayout::SideBySide;
  const int cut = across ? source.Width() : source.Height();
  const int count = frames < 1 || cut % frames != 0 ? 1 : frames;
  const int fw = across ? source.Width() / count : source.Width();
  const int fh = across ? source.Height() : source.Height() / count;
  if (source.Empty() || scale.Identity() || !Usable(scale)) {
    target.Assign(source);
    return;
  }
  const int ow = ScaledSide(fw, scale), oh = ScaledSide(fh, scale);
  const long long width = across ? static_cast<long long>(ow) * count : ow;
  const long long height = across ? oh : static_cast<long long>(oh) * count;
  if (TooLarge(width, height)) {
    target.Assign(source);
    return;
  }
  const TAxisMap xs = MapAxis(fw, margins.Left, margins.Right, ow, scale);
  const TAxisMap ys = MapAxis(fh, margins.Top, margins.Bottom, oh, scale);
  TSkinBitmap scaled(static_cast<int>(width), static_cast<int>(height));
  for (int k = 0; k < count; ++k) {
    ScaleFrame(source, across ? k * fw : 0, across ? 0 : k * fh, xs, ys, scaled,
               across ? k * ow : 0, across ? 0 : k * oh);
  }
  target.Assign(scaled);
}

void ScaleDefinitions(const TSkinDefinitions& base, const TSkinScale& scale,
                      TSkinDefinitions& target) {
  while (!target.Objects().empty()) target.Take(target.Objects().front()->Name);
  target.CaptionButtons().clear();
  target.SkinName = base.SkinName;
  target.Colours = base.Colours;
  target.ColourList = base.ColourList;
  target.CustomColours = base.CustomColours;
  for (const auto& object : base.Objects()) target.Put(object->Scaled(scale));
  for (const auto& button : base.CaptionButtons()) {
    target.CaptionButtons().push_back(button->ScaledButton(scale));
  }
}

}  // namespace skin
