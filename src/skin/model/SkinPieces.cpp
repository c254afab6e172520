#include "skin/model/SkinPieces.h"

#include <algorithm>

namespace skin {

namespace {

// Blocks of tiles are made at least this wide and high (in pixels), when the area is.
constexpr int kBlockExtent = 64;

void Add(std::vector<TPiece>& pieces, TPieceRect dest, TPieceRect source,
         TFill fill = TFill::Stretch) {
  if (dest.Empty() || source.Empty()) return;  // a negative size would mirror the picture
  pieces.push_back({dest, source, fill});
}

// Tiles of `tile` pixels needed to cover `extent`, rounded up.
int TilesOver(int extent, int tile) { return extent <= 0 ? 0 : (extent - 1) / tile + 1; }

}  // namespace

TPieceRect FrameOfStrip(int stripWidth, int stripHeight, TFrameLayout layout, int count, int index) {
  stripWidth = std::max(stripWidth, 0);
  stripHeight = std::max(stripHeight, 0);
  count = std::max(count, 1);
  index = std::clamp(index, 1, count);
  if (layout == TFrameLayout::SideBySide) {
    const int w = stripWidth / count;
    return {(index - 1) * w, 0, index * w, stripHeight};
  }
  const int h = stripHeight / count;
  return {0, (index - 1) * h, stripWidth, index * h};
}

TMargins MarginsWithin(const TMargins& m, int frameWidth, int frameHeight) {
  TMargins r{std::max(m.Left, 0), std::max(m.Top, 0), std::max(m.Right, 0), std::max(m.Bottom, 0)};
  if (std::int64_t(r.Left) + r.Right > frameWidth) r.Left = r.Right = 0;
  if (std::int64_t(r.Top) + r.Bottom > frameHeight) r.Top = r.Bottom = 0;
  return r;
}

std::vector<TPiece> NineRegionPieces(int width, int height, const TPieceRect& frame,
                                     const TMargins& margins, TCentreMode centre) {
  std::vector<TPiece> pieces;
  if (width <= 0 || height <= 0 || frame.Empty()) return pieces;
  const int fx = frame.Left, fy = frame.Top, fw = frame.Width(), fh = frame.Height();
  TMargins m = MarginsWithin(margins, fw, fh);
  int l = m.Left, t = m.Top, r = m.Right, b = m.Bottom;
  if (width < l + r) l = r = 0;
  if (height < t + b) t = b = 0;
  const int cw = width - l - r, ch = height - t - b;  // centre of the picture
  const int scw = fw - l - r, sch = fh - t - b;       // centre of the frame
  if (l > 0 && t > 0) Add(pieces, {0, 0, l, t}, {fx, fy, fx + l, fy + t});
  if (l > 0 && b > 0) Add(pieces, {0, height - b, l, height}, {fx, fy + fh - b, fx + l, fy + fh});
  if (r > 0 && t > 0) Add(pieces, {width - r, 0, width, t}, {fx + fw - r, fy, fx + fw, fy + t});
  if (l > 0) Add(pieces, {0, t, l, t + ch}, {fx, fy + t, fx + l, fy + t + sch});
  if (t > 0) Add(pieces, {l, 0, l + cw, t}, {fx + l, fy, fx + l + scw, fy + t});
  Add(pieces, {l, t, l + cw, t + ch}, {fx + l, fy + t, fx + l + scw, fy + t + sch},
      centre == TCentreMode::Tile ? TFill::Tile : TFill::Stretch);
  if (r > 0 && b > 0) {
    Add(pieces, {width - r, height - b, width, height}, {fx + fw - r, fy + fh - b, fx + fw, fy + fh});
  }
  if (r > 0) Add(pieces, {width - r, t, width, t + ch}, {fx + fw - r, fy + t, fx + fw, fy + t + sch});
  if (b > 0) Add(pieces, {l, height - b, l + cw, height}, {fx + l, fy + fh - b, fx + l + scw, fy + fh});
  return pieces;
}

std::vector<TPiece> ThreePartTiledPieces(int width, int height, const TPieceRect& frame,
                                         const TMargins& margins) {
  std::vector<TPiece> pieces;
  if (width <= 0 || height <= 0 || frame.Empty()) return pieces;
  const int fx = frame.Left, fy = frame.Top, fw = frame.Width(), fh = frame.Height();
  const TMargins m = MarginsWithin(margins, fw, fh);
  const int l = m.Left, r = m.Right, middle = fw - l - r;
  Add(pieces, {0, 0, std::min(l, width), height}, {fx, fy, fx + std::min(l, width), fy + fh});
  // The middle, repeated: one piece over the run its copies cover, the last copy cut where
  // the picture ends.
  if (middle > 0 && width - r > l) {
    const int run = std::min(TilesOver(width - r - l, middle) * middle, width - l);
    Add(pieces, {l, 0, l + run, height}, {fx + l, fy, fx + l + middle, fy + fh}, TFill::TileAcross);
  }
  const int capLeft = std::max(width - r, 0);
  Add(pieces, {capLeft, 0, width, height}, {fx + fw - (width - capLeft), fy, fx + fw, fy + fh});
  return pieces;
}

std::vector<TPiece> ThreePartStretchedPieces(int width, int height, const TPieceRect& frame,
                                             const TMargins& margins) {
  std::vector<TPiece> pieces;
  if (width <= 0 || height <= 0 || frame.Empty()) return pieces;
  const int fx = frame.Left, fy = frame.Top, fw = frame.Width(), fh = frame.Height();
  if (width < fw) {
    Add(pieces, {0, 0, width, height}, frame);
    return pieces;
  }
  const TMargins m = MarginsWithin(margins, fw, fh);
  const int l = m.Left, r = m.Right;
  Add(pieces, {0, 0, l, height}, {fx, fy, fx + l, fy + fh});
  Add(pieces, {l, 0, width - r, height}, {fx + l, fy, fx + fw - r, fy + fh});
  Add(pieces, {width - r, 0, width, height}, {fx + fw - r, fy, fx + fw, fy + fh});
  return pieces;
}

TPieceRect CentredFrame(const TPieceRect& rect, int frameWidth, int frameHeight) {
  const int x = rect.Left + (rect.Width() - frameWidth) / 2;
  const int y = rect.Top + (rect.Height() - frameHeight) / 2;
  return {x, y, x + frameWidth, y + frameHeight};
}

TTiling TilingOf(int areaWidth, int areaHeight, int tileWidth, int tileHeight) {
  TTiling t;
  if (tileWidth <= 0 || tileHeight <= 0 || areaWidth <= 0 || areaHeight <= 0) return t;
  t.Across = TilesOver(areaWidth, tileWidth);
  t.Down = TilesOver(areaHeight, tileHeight);
  t.BlockAcross = std::clamp(kBlockExtent / tileWidth, 1, t.Across);
  t.BlockDown = std::clamp(kBlockExtent / tileHeight, 1, t.Down);
  return t;
}

}  // namespace skin
