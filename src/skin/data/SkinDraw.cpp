#include "skin/data/SkinDraw.h"

#include <algorithm>
#include <vector>

#include "skin/data/GdiPicture.h"
#include "ui/DrawingScopes.h"

namespace skin {

namespace {

int WidthOf(const RECT& r) { return r.right - r.left; }
int HeightOf(const RECT& r) { return r.bottom - r.top; }

// Copies a piece of the source, scaled to the destination piece. Pieces without area are
// skipped: a negative size would mirror the picture.
void CopyPiece(HDC dest, int dx, int dy, int dw, int dh, HDC src, int sx, int sy, int sw, int sh) {
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  if (dw == sw && dh == sh) {
    BitBlt(dest, dx, dy, dw, dh, src, sx, sy, SRCCOPY);
  } else {
    StretchBlt(dest, dx, dy, dw, dh, src, sx, sy, sw, sh, SRCCOPY);
  }
}

// Draws w x h pixels of the bitmap from (sx, sy) at (x, y), leaving out the key colour. The
// pixels are read from the bitmap, a skin bitmap or a GDI one.
template <class Bitmap>
void DrawTransparentPart(HDC dc, int x, int y, int w, int h, const Bitmap& bitmap, int sx, int sy,
                         ui::TColor key) {
  if (sx < 0 || sy < 0) return;
  TKeyedPicture(bitmap, sx, sy, w, h, key).Draw(dc, x, y);
}

// Repeats the source over `dest` in whole tiles from its top-left corner, cut at its far
// edges; `stretchDown` stretches each copy to the destination's height (one row of tiles).
// A block of tiles is built first by doubling, so that small tiles cost a few copies.
void TileOver(HDC dest, const TPieceRect& area, HDC src, const TPieceRect& source, bool stretchDown) {
  const int w = source.Width(), h = stretchDown ? area.Height() : source.Height();
  const TTiling tiling = TilingOf(area.Width(), area.Height(), w, h);
  if (tiling.Across == 0 || tiling.Down == 0) return;
  const int bw = tiling.BlockAcross * w, bh = tiling.BlockDown * h;
  ui::TBitmap block(bw, bh);
  HDC b = block.Canvas()->Handle();
  {
    ui::TStretchModeScope mode(b);
    CopyPiece(b, 0, 0, w, h, src, source.Left, source.Top, w, source.Height());
  }
  for (int filled = w; filled < bw; filled *= 2) BitBlt(b, filled, 0, std::min(filled, bw - filled), h, b, 0, 0, SRCCOPY);
  for (int filled = h; filled < bh; filled *= 2) BitBlt(b, 0, filled, bw, std::min(filled, bh - filled), b, 0, 0, SRCCOPY);
  for (int y = area.Top; y < area.Bottom; y += bh) {
    for (int x = area.Left; x < area.Right; x += bw) {
      BitBlt(dest, x, y, std::min(bw, area.Right - x), std::min(bh, area.Bottom - y), b, 0, 0, SRCCOPY);
    }
  }
}

// Carries out a plan of pieces, the picture's origin at (ox, oy) of the destination.
void DrawPieces(HDC dest, int ox, int oy, HDC src, const std::vector<TPiece>& pieces) {
  for (const TPiece& p : pieces) {
    const TPieceRect d{p.Dest.Left + ox, p.Dest.Top + oy, p.Dest.Right + ox, p.Dest.Bottom + oy};
    if (p.Fill == TFill::Stretch) {
      CopyPiece(dest, d.Left, d.Top, d.Width(), d.Height(), src, p.Source.Left, p.Source.Top,
                p.Source.Width(), p.Source.Height());
    } else {
      TileOver(dest, d, src, p.Source, p.Fill == TFill::TileAcross);
    }
  }
}

void DrawOpaqueOrTransparent(HDC dc, const RECT& rect, ui::TBitmap& bitmap, bool transparent) {
  if (transparent) {
    DrawTransparent(dc, rect, bitmap, kKeyColour);
  } else {
    BitBlt(dc, rect.left, rect.top, WidthOf(rect), HeightOf(rect), bitmap.Canvas()->Handle(), 0, 0,
           SRCCOPY);
  }
}

}  // namespace

template <class Bitmap>
void TKeyedPicture::Build(const Bitmap& source, int sx, int sy, int width, int height,
                          ui::TColor key) {
  const int w = std::max(0, std::min(width, source.Width() - sx));
  const int h = std::max(0, std::min(height, source.Height() - sy));
  if (w <= 0 || h <= 0 || sx < 0 || sy < 0) return;
  const COLORREF k = ui::ColorToRGB(key);
  const std::uint32_t keyPixel =
      std::uint32_t(GetRValue(k)) << 16 | GetGValue(k) << 8 | GetBValue(k);
  const int maskStride = (w + 15) / 16 * 2;
  std::vector<std::uint8_t> maskBits(static_cast<std::size_t>(maskStride) * h, 0);
  picture_.SetSize(w, h);
  for (int row = 0; row < h; ++row) {
    const std::uint32_t* in = source.ScanLine(sy + row) + sx;
    std::uint32_t* out = picture_.ScanLine(row);
    for (int col = 0; col < w; ++col) {
      const bool isKey = (in[col] & 0xFFFFFF) == keyPixel;
      out[col] = isKey ? 0 : in[col];
      if (isKey)
        maskBits[static_cast<std::size_t>(row * maskStride + col / 8)] |=
            std::uint8_t(0x80 >> (col % 8));
    }
  }
  mask_.Reset(CreateBitmap(w, h, 1, 1, maskBits.data()));
}

TKeyedPicture::TKeyedPicture(const ui::TBitmap& source, int sx, int sy, int width, int height,
                             ui::TColor key) {
  Build(source, sx, sy, width, height, key);
}

TKeyedPicture::TKeyedPicture(const TSkinBitmap& source, int sx, int sy, int width, int height,
                             ui::TColor key) {
  Build(source, sx, sy, width, height, key);
}

void TKeyedPicture::DrawPart(HDC dc, int x, int y, int sx, int width) const {
  if (picture_.Empty() || !mask_.Get()) return;
  sx = std::clamp(sx, 0, picture_.Width());
  const int w = std::min(width, picture_.Width() - sx), h = picture_.Height();
  if (w <= 0) return;
  // Both are selected for the draw only, so that a kept picture holds no device context.
  ui::TMemoryDC maskDC(mask_.Get());
  ui::TMemoryDC pictureDC(picture_.Handle());
  const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  BitBlt(dc, x, y, w, h, maskDC.Get(), sx, 0, SRCAND);
  BitBlt(dc, x, y, w, h, pictureDC.Get(), sx, 0, SRCPAINT);
  SetBkColor(dc, oldBack);
  SetTextColor(dc, oldText);
}

RECT FrameRect(const TSkinBitmap& strip, TFrameLayout layout, int count, int index) {
  const TPieceRect f = FrameOfStrip(strip.Width(), strip.Height(), layout, count, index);
  return {f.Left, f.Top, f.Right, f.Bottom};
}

std::unique_ptr<ui::TBitmap> ComposeNineRegion(int width, int height, const TSkinBitmap& strip,
                                               const TMargins& margins, TFrameLayout layout,
                                               TCentreMode centre, int count, int index) {
  auto result = std::make_unique<ui::TBitmap>(width, height);
  const TPieceRect frame = FrameOfStrip(strip.Width(), strip.Height(), layout, count, index);
  HDC d = result->Canvas()->Handle();
  ui::TStretchModeScope mode(d);
  DrawPieces(d, 0, 0, GdiPicture(strip).Source(),
             NineRegionPieces(width, height, frame, margins, centre));
  return result;
}

void DrawNineRegion(HDC dc, const RECT& rect, const TSkinBitmap& strip, TFrameLayout layout,
                    TCentreMode centre, bool transparent, int count, int index,
                    const TMargins& margins) {
  if (rect.right < rect.left || rect.bottom < rect.top) return;
  if (WidthOf(rect) == 0 || HeightOf(rect) == 0 || strip.Empty()) return;
  const auto composed = ComposeNineRegion(WidthOf(rect), HeightOf(rect), strip, margins, layout,
                                          centre, count, index);
  DrawOpaqueOrTransparent(dc, rect, *composed, transparent);
}

void DrawThreePartTiled(ui::TCanvas& canvas, const RECT& rect, const TSkinBitmap& strip,
                        TFrameLayout layout, bool transparent, int count, int index,
                        const TMargins& margins) {
  if (rect.right < rect.left || rect.bottom < rect.top) return;
  const int dw = WidthOf(rect), dh = HeightOf(rect);
  if (dw == 0 || dh == 0 || strip.Empty()) return;
  const TPieceRect frame = FrameOfStrip(strip.Width(), strip.Height(), layout, count, index);

  ui::TBitmap result(dw, dh);
  HDC d = result.Canvas()->Handle();
  ui::TStretchModeScope mode(d);
  DrawPieces(d, 0, 0, GdiPicture(strip).Source(), ThreePartTiledPieces(dw, dh, frame, margins));
  if (transparent) {
    result.SetTransparent(true);
    result.SetTransparentColor(kKeyColour);
  }
  canvas.Draw(rect.left, rect.top, result);
}

void DrawThreePartStretched(HDC dc, const RECT& rect, const TSkinBitmap& strip,
                            TFrameLayout layout, int count, int index, const TMargins& margins) {
  if (rect.right < rect.left || rect.bottom < rect.top || strip.Empty()) return;
  const TPieceRect frame = FrameOfStrip(strip.Width(), strip.Height(), layout, count, index);
  ui::TStretchModeScope mode(dc);
  DrawPieces(dc, rect.left, rect.top, GdiPicture(strip).Source(),
             ThreePartStretchedPieces(WidthOf(rect), HeightOf(rect), frame, margins));
}

void DrawFrameStretched(HDC dc, const RECT& rect, const TSkinBitmap& strip, bool transparent,
                        int count, int index) {
  if (rect.right < rect.left || rect.bottom < rect.top || strip.Empty()) return;
  const int dw = WidthOf(rect), dh = HeightOf(rect);
  if (dw == 0 || dh == 0) return;
  DrawOpaqueOrTransparent(dc, rect, *StretchFrame(dw, dh, strip, count, index), transparent);
}

// Frame `index` of a side-by-side strip stretched to width x height at (x, 0) of `dest`.
static void StretchFrameTo(HDC dest, int x, int width, int height, const TSkinBitmap& strip,
                           int count, int index) {
  const RECT frame = FrameRect(strip, TFrameLayout::SideBySide, count, index);
  CopyPiece(dest, x, 0, width, height, GdiPicture(strip).Source(), frame.left, frame.top,
            WidthOf(frame), HeightOf(frame));
}

std::unique_ptr<ui::TBitmap> StretchFrame(int width, int height, const TSkinBitmap& strip,
                                          int count, int index) {
  auto stretched = std::make_unique<ui::TBitmap>(width, height);
  HDC d = stretched->Canvas()->Handle();
  ui::TStretchModeScope mode(d);
  StretchFrameTo(d, 0, width, height, strip, count, index);
  return stretched;
}

std::unique_ptr<ui::TBitmap> StretchFrames(int width, int height, const TSkinBitmap& strip,
                                           int count) {
  count = std::max(count, 1);
  auto stretched = std::make_unique<ui::TBitmap>(width * count, height);
  HDC d = stretched->Canvas()->Handle();
  ui::TStretchModeScope mode(d);
  for (int index = 1; index <= count; ++index) {
    StretchFrameTo(d, (index - 1) * width, width, height, strip, count, index);
  }
  return stretched;
}

void DrawFrameCentred(HDC dc, const RECT& rect, const TSkinBitmap& strip, bool transparent,
                      int count, int index) {
  if (rect.right < rect.left || rect.bottom < rect.top || strip.Empty()) return;
  const RECT frame = FrameRect(strip, TFrameLayout::SideBySide, count, index);
  const int fw = WidthOf(frame), fh = HeightOf(frame);
  const TPieceRect at = CentredFrame({rect.left, rect.top, rect.right, rect.bottom}, fw, fh);
  const int x = at.Left, y = at.Top;
  if (transparent) {
    DrawTransparentPart(dc, x, y, fw, fh, strip, frame.left, frame.top, kKeyColour);
  } else {
    BitBlt(dc, x, y, fw, fh, GdiPicture(strip).Source(), frame.left, frame.top, SRCCOPY);
  }
}

void DrawTransparent(HDC dc, const RECT& rect, ui::TBitmap& bitmap, ui::TColor key) {
  DrawTransparentPart(dc, rect.left, rect.top, WidthOf(rect), HeightOf(rect), bitmap, 0, 0, key);
}

void TileBitmap(ui::TCanvas& canvas, const RECT& dest, ui::TBitmap& source,
                const RECT& sourceRect) {
  const int w = WidthOf(sourceRect), h = HeightOf(sourceRect);
  if (w <= 0 || h <= 0) return;
  // Whole tiles: the last ones run over the right and bottom edges.
  const TTiling tiling = TilingOf(WidthOf(dest), HeightOf(dest), w, h);
  const TPieceRect covered{dest.left, dest.top, dest.left + tiling.Across * w,
                           dest.top + tiling.Down * h};
  TileOver(canvas.Handle(), covered, source.Canvas()->Handle(),
           {sourceRect.left, sourceRect.top, sourceRect.right, sourceRect.bottom}, false);
}

void PaintParentImage(ui::TControl& control, HDC dc) {
  ui::TWinControl* parent = control.Parent();
  if (!parent) return;
  RECT r = control.ClientRect();
  ui::TSavedDC saved(dc);
  OffsetViewportOrgEx(dc, -control.Left(), -control.Top(), nullptr);
  OffsetRect(&r, control.Left(), control.Top());
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
  parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc));
}

}  // namespace skin
