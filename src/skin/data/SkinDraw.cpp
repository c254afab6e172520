#include "skin/data/SkinDraw.h"

#include <algorithm>
#include <vector>

#include "skin/data/GdiScope.h"

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

// Draws w x h pixels of the bitmap from (sx, sy) at (x, y), leaving out the key colour: the
// destination is first cleared where the picture is opaque, then the picture (its key pixels
// made black) is ORed in.
void DrawTransparentPart(HDC dc, int x, int y, int w, int h, ui::TBitmap& bitmap, int sx, int sy,
                         ui::TColor key) {
  w = std::min(w, bitmap.Width() - sx);
  h = std::min(h, bitmap.Height() - sy);
  if (w <= 0 || h <= 0 || sx < 0 || sy < 0) return;
  const COLORREF k = ui::ColorToRGB(key);
  const std::uint32_t keyPixel =
      std::uint32_t(GetRValue(k)) << 16 | GetGValue(k) << 8 | GetBValue(k);
  const int maskStride = (w + 15) / 16 * 2;
  std::vector<std::uint8_t> maskBits(static_cast<std::size_t>(maskStride) * h, 0);
  ui::TBitmap picture(w, h);
  for (int row = 0; row < h; ++row) {
    const std::uint32_t* in = bitmap.ScanLine(sy + row) + sx;
    std::uint32_t* out = picture.ScanLine(row);
    for (int col = 0; col < w; ++col) {
      const bool isKey = (in[col] & 0xFFFFFF) == keyPixel;
      out[col] = isKey ? 0 : in[col];
      if (isKey)
        maskBits[static_cast<std::size_t>(row * maskStride + col / 8)] |=
            std::uint8_t(0x80 >> (col % 8));
    }
  }
  ui::TBitmapHandle mask(CreateBitmap(w, h, 1, 1, maskBits.data()));
  TMemoryDC maskDC(mask.Get());
  const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  BitBlt(dc, x, y, w, h, maskDC.Get(), 0, 0, SRCAND);
  BitBlt(dc, x, y, w, h, picture.Canvas()->Handle(), 0, 0, SRCPAINT);
  SetBkColor(dc, oldBack);
  SetTextColor(dc, oldText);
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

RECT FrameRect(const ui::TBitmap& strip, TFrameLayout layout, int count, int index) {
  count = std::max(count, 1);
  index = std::clamp(index, 1, count);
  if (layout == TFrameLayout::SideBySide) {
    const int w = strip.Width() / count;
    return {(index - 1) * w, 0, index * w, strip.Height()};
  }
  const int h = strip.Height() / count;
  return {0, (index - 1) * h, strip.Width(), index * h};
}

std::unique_ptr<ui::TBitmap> ComposeNineRegion(int width, int height, ui::TBitmap& strip,
                                               const TMargins& margins, TFrameLayout layout,
                                               TCentreMode centre, int count, int index) {
  auto result = std::make_unique<ui::TBitmap>(width, height);
  const RECT frame = FrameRect(strip, layout, count, index);
  const int fx = frame.left, fy = frame.top, fw = WidthOf(frame), fh = HeightOf(frame);
  int l = margins.Left, t = margins.Top, r = margins.Right, b = margins.Bottom;
  if (width < l + r) l = r = 0;
  if (height < t + b) t = b = 0;

  HDC d = result->Canvas()->Handle();
  HDC s = strip.Canvas()->Handle();
  TStretchModeScope mode(d);
  const int cw = width - l - r, ch = height - t - b;  // centre of the result
  const int scw = fw - l - r, sch = fh - t - b;       // centre of the frame
  if (l > 0 && t > 0) CopyPiece(d, 0, 0, l, t, s, fx, fy, l, t);
  if (l > 0 && b > 0) CopyPiece(d, 0, height - b, l, b, s, fx, fy + fh - b, l, b);
  if (r > 0 && t > 0) CopyPiece(d, width - r, 0, r, t, s, fx + fw - r, fy, r, t);
  if (l > 0) CopyPiece(d, 0, t, l, ch, s, fx, fy + t, l, sch);
  if (t > 0) CopyPiece(d, l, 0, cw, t, s, fx + l, fy, scw, t);
  if (centre == TCentreMode::Tile) {
    // Whole tiles: the last ones may run over the right and bottom borders, painted next.
    TileBitmap(*result->Canvas(), {l, t, width - r, height - b}, strip,
               {fx + l, fy + t, fx + fw - r, fy + fh - b});
  } else {
    CopyPiece(d, l, t, cw, ch, s, fx + l, fy + t, scw, sch);
  }
  if (r > 0 && b > 0) CopyPiece(d, width - r, height - b, r, b, s, fx + fw - r, fy + fh - b, r, b);
  if (r > 0) CopyPiece(d, width - r, t, r, ch, s, fx + fw - r, fy + t, r, sch);
  if (b > 0) CopyPiece(d, l, height - b, cw, b, s, fx + l, fy + fh - b, scw, b);
  return result;
}

void DrawNineRegion(HDC dc, const RECT& rect, ui::TBitmap& strip, TFrameLayout layout,
                    TCentreMode centre, bool transparent, int count, int index,
                    const TMargins& margins) {
  if (rect.right < rect.left || rect.bottom < rect.top) return;
  if (WidthOf(rect) == 0 || HeightOf(rect) == 0 || strip.Empty()) return;
  const auto composed = ComposeNineRegion(WidthOf(rect), HeightOf(rect), strip, margins, layout,
                                          centre, count, index);
  DrawOpaqueOrTransparent(dc, rect, *composed, transparent);
}

void DrawThreePartTiled(ui::TCanvas& canvas, const RECT& rect, ui::TBitmap& strip,
                        TFrameLayout layout, bool transparent, int count, int index,
                        const TMargins& margins) {
  if (rect.right < rect.left || rect.bottom < rect.top) return;
  const int dw = WidthOf(rect), dh = HeightOf(rect);
  if (dw == 0 || dh == 0 || strip.Empty()) return;
  const RECT frame = FrameRect(strip, layout, count, index);
  const int fx = frame.left, fy = frame.top, fw = WidthOf(frame), fh = HeightOf(frame);
  const int l = margins.Left, r = margins.Right, middle = fw - l - r;

  ui::TBitmap result(dw, dh);
  HDC d = result.Canvas()->Handle();
  HDC s = strip.Canvas()->Handle();
  TStretchModeScope mode(d);
  CopyPiece(d, 0, 0, l, dh, s, fx, fy, l, fh);
  if (middle > 0) {
    for (int x = l; x < dw - r; x += middle)
      CopyPiece(d, x, 0, middle, dh, s, fx + l, fy, middle, fh);
  }
  CopyPiece(d, dw - r, 0, r, dh, s, fx + fw - r, fy, r, fh);
  if (transparent) {
    result.SetTransparent(true);
    result.SetTransparentColor(kKeyColour);
  }
  canvas.Draw(rect.left, rect.top, result);
}

void DrawThreePartStretched(HDC dc, const RECT& rect, ui::TBitmap& strip, TFrameLayout layout,
                            int count, int index, const TMargins& margins) {
  if (rect.right < rect.left || rect.bottom < rect.top || strip.Empty()) return;
  const RECT frame = FrameRect(strip, layout, count, index);
  const int fx = frame.left, fy = frame.top, fw = WidthOf(frame), fh = HeightOf(frame);
  const int dw = WidthOf(rect), dh = HeightOf(rect), l = margins.Left, r = margins.Right;
  HDC src = strip.Canvas()->Handle();
  TStretchModeScope mode(dc);
  if (dw < fw) {
    CopyPiece(dc, rect.left, rect.top, dw, dh, src, fx, fy, fw, fh);
    return;
  }
  CopyPiece(dc, rect.left, rect.top, l, dh, src, fx, fy, l, fh);
  CopyPiece(dc, rect.left + l, rect.top, dw - l - r, dh, src, fx + l, fy, fw - l - r, fh);
  CopyPiece(dc, rect.right - r, rect.top, r, dh, src, fx + fw - r, fy, r, fh);
}

void DrawFrameStretched(HDC dc, const RECT& rect, ui::TBitmap& strip, bool transparent, int count,
                        int index) {
  if (rect.right < rect.left || rect.bottom < rect.top || strip.Empty()) return;
  const int dw = WidthOf(rect), dh = HeightOf(rect);
  if (dw == 0 || dh == 0) return;
  const RECT frame = FrameRect(strip, TFrameLayout::SideBySide, count, index);
  ui::TBitmap stretched(dw, dh);
  {
    HDC d = stretched.Canvas()->Handle();
    TStretchModeScope mode(d);
    CopyPiece(d, 0, 0, dw, dh, strip.Canvas()->Handle(), frame.left, frame.top, WidthOf(frame),
              HeightOf(frame));
  }
  DrawOpaqueOrTransparent(dc, rect, stretched, transparent);
}

void DrawFrameCentred(HDC dc, const RECT& rect, ui::TBitmap& strip, bool transparent, int count,
                      int index) {
  if (rect.right < rect.left || rect.bottom < rect.top || strip.Empty()) return;
  const RECT frame = FrameRect(strip, TFrameLayout::SideBySide, count, index);
  const int fw = WidthOf(frame), fh = HeightOf(frame);
  const int x = rect.left + (WidthOf(rect) - fw) / 2, y = rect.top + (HeightOf(rect) - fh) / 2;
  if (transparent) {
    DrawTransparentPart(dc, x, y, fw, fh, strip, frame.left, frame.top, kKeyColour);
  } else {
    BitBlt(dc, x, y, fw, fh, strip.Canvas()->Handle(), frame.left, frame.top, SRCCOPY);
  }
}

void DrawTransparent(HDC dc, const RECT& rect, ui::TBitmap& bitmap, ui::TColor key) {
  DrawTransparentPart(dc, rect.left, rect.top, WidthOf(rect), HeightOf(rect), bitmap, 0, 0, key);
}

void TileBitmap(ui::TCanvas& canvas, const RECT& dest, ui::TBitmap& source,
                const RECT& sourceRect) {
  const int w = WidthOf(sourceRect), h = HeightOf(sourceRect);
  if (w <= 0 || h <= 0) return;
  ui::TBitmap tile(w, h);
  BitBlt(tile.Canvas()->Handle(), 0, 0, w, h, source.Canvas()->Handle(), sourceRect.left,
         sourceRect.top, SRCCOPY);
  for (int x = dest.left; x < dest.right; x += w) {
    for (int y = dest.top; y < dest.bottom; y += h) canvas.Draw(x, y, tile);
  }
}

void PaintParentImage(ui::TControl& control, HDC dc) {
  ui::TWinControl* parent = control.Parent();
  if (!parent) return;
  RECT r = control.ClientRect();
  TSavedDC saved(dc);
  OffsetViewportOrgEx(dc, -control.Left(), -control.Top(), nullptr);
  OffsetRect(&r, control.Left(), control.Top());
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
  parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc));
}

}  // namespace skin
