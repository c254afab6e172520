#include <algorithm>
#include <vector>

#include "skin/data/SkinDraw.h"

namespace skin {

namespace {

constexpr std::size_t kRectsPerRegion = 2000;  // rectangles turned into one region at a time
constexpr std::size_t kRectGrowth = 500;       // the rectangle buffer grows by this many

// Builds regions from batches of rectangles and unites them into one.
class RegionBuilder {
 public:
  void Add(const RECT& r) {
    if (rects_.size() == rects_.capacity()) rects_.reserve(rects_.capacity() + kRectGrowth);
    rects_.push_back(r);
    if (rects_.size() == kRectsPerRegion) Flush();
  }
  ui::TRegionHandle Finish() {
    Flush();
    if (!result_) result_.Reset(CreateRectRgn(0, 0, 0, 0));
    return std::move(result_);
  }

 private:
  void Flush() {
    if (rects_.empty()) return;
    std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + rects_.size() * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(rects_.size());
    header->nRgnSize = static_cast<DWORD>(rects_.size() * sizeof(RECT));
    RECT box = rects_.front();
    for (const RECT& r : rects_) UnionRect(&box, &box, &r);
    header->rcBound = box;
    std::copy(rects_.begin(), rects_.end(),
              reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER)));
    ui::TRegionHandle part(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                           reinterpret_cast<const RGNDATA*>(data.data())));
    rects_.clear();
    if (!result_) {
      result_ = std::move(part);
    } else if (part) {
      CombineRgn(result_.Get(), result_.Get(), part.Get(), RGN_OR);
    }
  }

  std::vector<RECT> rects_;
  ui::TRegionHandle result_;
};

}  // namespace

ui::TRegionHandle RegionFromBitmap(const ui::TBitmap& bitmap, int dx, int dy, int redTolerance,
                                   int greenTolerance, int blueTolerance, ui::TColor key) {
  const COLORREF k = ui::ColorToRGB(key);
  // Transparent range per channel: [key, min(255, key + tolerance)].
  const int low[3] = {GetRValue(k), GetGValue(k), GetBValue(k)};
  const int high[3] = {std::min(255, low[0] + redTolerance), std::min(255, low[1] + greenTolerance),
                       std::min(255, low[2] + blueTolerance)};
  auto opaque = [&](std::uint32_t p) {
    const int c[3] = {int(p >> 16 & 0xFF), int(p >> 8 & 0xFF), int(p & 0xFF)};
    for (int i = 0; i < 3; ++i) {
      if (c[i] < low[i] || c[i] > high[i]) return true;
    }
    return false;
  };
  RegionBuilder builder;
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint32_t* row = bitmap.ScanLine(y);
    for (int x = 0; x < bitmap.Width();) {
      if (!opaque(row[x])) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < bitmap.Width() && opaque(row[x])) ++x;
      builder.Add({start + dx, y + dy, x + dx, y + dy + 1});
    }
  }
  return builder.Finish();
}

}  // namespace skin
