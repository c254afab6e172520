// A loaded skin scaled for a display of another DPI: the pictures enlarged (or shrunk) frame by
// frame with their fixed margins kept sharp, the pixel distances scaled, everything else copied.
// The engine makes one such copy per DPI and draws from it as from the skin it was made from.
#pragma once

#include "SkinBitmap.h"
#include "SkinPieces.h"

namespace skin {

class TSkinDefinitions;

// A scale factor as a fraction Mul / Div (a display's DPI over 96).
struct TSkinScale {
  int Mul = 1, Div = 1;
  bool Identity() const;      // Mul == Div
  bool Whole() const;         // Mul % Div == 0
  int Of(int value) const;    // value * Mul / Div rounded to nearest, halves away from zero
};
inline TSkinScale ScaleForDpi(int dpi) { return {dpi > 0 ? dpi : 96, 96}; }

// The largest side, and the most pixels, of a scaled picture; a picture that would be larger
// stays unscaled (hostile skins give giant pictures and frame counts).
inline constexpr int kMostScaledSide = 16384;
inline constexpr long long kMostScaledPixels = 1LL << 26;

// Scales a picture of `frames` side-by-side frames: each frame (source width / frames; one frame
// when frames < 1 or the width does not divide) becomes Of(frameWidth) x Of(height), so frame k of
// the result is exactly frame k of the source scaled. Inside each frame the margins are kept sharp
// (nearest neighbour) and the middle is filtered (bilinear when enlarging, area average when
// shrinking); whole factors repeat every pixel. An output pixel whose nearest source pixel is the
// key colour is the key colour; otherwise only non-key source pixels contribute.
void ScalePicture(const TSkinBitmap& source, int frames, const TMargins& margins,
                  const TSkinScale& scale, TSkinBitmap& target);

// The same for frames laid out as `layout` says (the top and bottom window borders stack them).
void ScalePicture(const TSkinBitmap& source, TFrameLayout layout, int frames,
                  const TMargins& margins, const TSkinScale& scale, TSkinBitmap& target);

// Fills `target` (a freshly made TSkinDefinitions) with `base` scaled: name, colour table, colour
// list and custom colours copied; every object (in order, same names, same dynamic types) and every
// caption button copied with its pixel distances scaled and its pictures scaled with ScalePicture.
// At the identity scale the copy equals the base pixel for pixel and number for number.
void ScaleDefinitions(const TSkinDefinitions& base, const TSkinScale& scale,
                      TSkinDefinitions& target);

}  // namespace skin
