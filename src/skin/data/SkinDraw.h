// Routines that paint skin elements from frame strips: pick a frame, compose it to size by
// nine regions or three parts, and draw it with the key colour left transparent. The strips
// are skin bitmaps, drawn through their GDI pictures; what is composed is a GDI bitmap.
#pragma once

#include <windows.h>

#include <memory>

#include "skin/model/SkinBitmap.h"
#include "skin/model/SkinPieces.h"
#include "ui/Canvas.h"
#include "ui/Controls.h"

namespace skin {

// Pure magenta: transparent wherever an element is drawn with its transparent flag.
inline constexpr ui::TColor kKeyColour = 0xFF00FF;

// A picture made ready to be drawn with its key colour left out, for pictures drawn again and
// again: its key pixels made black, and a one-bit mask of them. Drawing clears the
// destination where the picture is opaque and ORs the picture in: two blits.
class TKeyedPicture {
 public:
  // The part (sx, sy, width, height) of `source`, cut to the source.
  TKeyedPicture(const ui::TBitmap& source, int sx, int sy, int width, int height, ui::TColor key);
  TKeyedPicture(const TSkinBitmap& source, int sx, int sy, int width, int height, ui::TColor key);
  TKeyedPicture(const TKeyedPicture&) = delete;
  TKeyedPicture& operator=(const TKeyedPicture&) = delete;

  int Width() const { return picture_.Width(); }
  int Height() const { return picture_.Height(); }
  // Draws the whole picture with its top-left corner at (x, y).
  void Draw(HDC dc, int x, int y) const { DrawPart(dc, x, y, 0, Width()); }
  // Draws the columns sx .. sx + width of the picture, full height, at (x, y).
  void DrawPart(HDC dc, int x, int y, int sx, int width) const;

 private:
  template <class Bitmap>
  void Build(const Bitmap& source, int sx, int sy, int width, int height, ui::TColor key);

  ui::TBitmap picture_;
  ui::TBitmapHandle mask_;
};

// Frame `index` (1-based, held to 1..count) of a strip of `count` equal frames.
RECT FrameRect(const TSkinBitmap& strip, TFrameLayout layout, int count, int index);

// A new bitmap of width x height holding the frame composed by nine regions.
std::unique_ptr<ui::TBitmap> ComposeNineRegion(int width, int height, const TSkinBitmap& strip,
                                               const TMargins& margins, TFrameLayout layout,
                                               TCentreMode centre, int count, int index);
void DrawNineRegion(HDC dc, const RECT& rect, const TSkinBitmap& strip, TFrameLayout layout,
                    TCentreMode centre, bool transparent, int count, int index,
                    const TMargins& margins);
// Left cap, middle piece repeated, right cap; only the left and right margins count.
void DrawThreePartTiled(ui::TCanvas& canvas, const RECT& rect, const TSkinBitmap& strip,
                        TFrameLayout layout, bool transparent, int count, int index,
                        const TMargins& margins);
// Left cap, middle stretched, right cap; always opaque.
void DrawThreePartStretched(HDC dc, const RECT& rect, const TSkinBitmap& strip,
                            TFrameLayout layout, int count, int index, const TMargins& margins);
// A new bitmap of width x height holding frame `index` of a side-by-side strip stretched.
std::unique_ptr<ui::TBitmap> StretchFrame(int width, int height, const TSkinBitmap& strip,
                                          int count, int index);
// A new bitmap holding every frame of a side-by-side strip, each stretched to width x height,
// side by side in their order.
std::unique_ptr<ui::TBitmap> StretchFrames(int width, int height, const TSkinBitmap& strip,
                                           int count);
// A frame of a side-by-side strip stretched over the rectangle.
void DrawFrameStretched(HDC dc, const RECT& rect, const TSkinBitmap& strip, bool transparent,
                        int count, int index);
// A frame of a side-by-side strip unscaled, centred in the rectangle.
void DrawFrameCentred(HDC dc, const RECT& rect, const TSkinBitmap& strip, bool transparent,
                      int count, int index);
// The bitmap's top-left part of the rectangle's size; pixels of the key colour are left out.
void DrawTransparent(HDC dc, const RECT& rect, ui::TBitmap& bitmap, ui::TColor key);
// Repeats the source rectangle of `source` unscaled over the destination, whole tiles only.
void TileBitmap(ui::TCanvas& canvas, const RECT& dest, ui::TBitmap& source, const RECT& sourceRect);
// A region covering every pixel outside the key colour range [key, key + tolerance] per
// channel, moved by (dx, dy). The caller owns it.
ui::TRegionHandle RegionFromBitmap(const ui::TBitmap& bitmap, int dx, int dy, int redTolerance,
                                   int greenTolerance, int blueTolerance, ui::TColor key);
// The control's parent paints itself into the device context as it lies under the control.
void PaintParentImage(ui::TControl& control, HDC dc);

}  // namespace skin
