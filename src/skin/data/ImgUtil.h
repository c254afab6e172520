// Image primitives of the skin engine: the bitmap and colour routines, and (through
// SkinDraw.h) the routines that compose skin frames. Bitmaps are top-down, pixel (x, y) being
// 0x00RRGGBB: 32-bit DIB sections (ui::TBitmap) and skin bitmaps.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "skin/data/SkinDraw.h"
#include "ui/Canvas.h"

namespace skin {

// The pixel routines take a GDI bitmap (a composed picture) or a skin bitmap alike.
// Turns the bitmap's pixels to grey (R + G + B) div 3.
void GrayBitmap(ui::TBitmap& bitmap);
void GrayBitmap(TSkinBitmap& bitmap);
// Every pixel exactly (255, 0, 255) becomes `colour`.
void ReplaceKeyColour(ui::TBitmap& bitmap, ui::TColor colour);
void ReplaceKeyColour(TSkinBitmap& bitmap, ui::TColor colour);
void MirrorBitmap(ui::TBitmap& bitmap);  // left and right exchanged
void MirrorBitmap(TSkinBitmap& bitmap);
void FlipBitmap(ui::TBitmap& bitmap);    // top and bottom exchanged
void FlipBitmap(TSkinBitmap& bitmap);
void RotateLeft(ui::TBitmap& bitmap);    // 90 degrees counter-clockwise
void RotateLeft(TSkinBitmap& bitmap);
void RotateRight(ui::TBitmap& bitmap);   // 90 degrees clockwise
void RotateRight(TSkinBitmap& bitmap);

// The mix of a and b: weights below 100 are per cent of a, weights of 100 and more per mille.
ui::TColor BlendColours(ui::TColor a, ui::TColor b, int weight);

// The number (1..16) of a cache slot holding n >= 1 colours from start to end. A slot stays
// valid until 16 further tables have been built.
int GradientTable(int n, ui::TColor start, ui::TColor end);
// The colours of a slot that GradientTable returned.
const std::vector<ui::TColor>& GradientColours(int slot);
// Fills the rectangle with a gradient, one band per row (vertical) or column, touching only
// the bands inside the clip box.
void FillGradient(HDC dc, const RECT& rect, ui::TColor start, bool vertical, ui::TColor end);

// 0..255: the saturation of bright colours; 200 for colours without a channel of 160 or more.
int ColourSaturation(ui::TColor colour);

// Loads a Windows bitmap file held in memory; a malformed file leaves the bitmap empty.
bool LoadBitmapFromBytes(std::span<const std::uint8_t> file, ui::TBitmap& bitmap);

// Text in the system's ANSI code page as wide characters.
std::wstring AnsiToWide(std::string_view text);
// Draws wide text (through the ANSI code page on systems without wide text drawing); answers
// what the system's text drawing answers.
int DrawTextWide(HDC dc, const std::wstring& text, RECT& rect, UINT format);

}  // namespace skin
