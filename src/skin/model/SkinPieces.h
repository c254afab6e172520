// Where the pieces of a skin element go: which part of a frame strip is copied (and scaled)
// to which part of the picture being composed. Portable, so that the same plans that the
// drawing routines carry out with GDI are checked natively, under the sanitizers, against
// hostile skins: whatever a skin says about frame counts and margins, a piece never reads
// outside its frame and never writes outside the picture.
#pragma once

#include <cstdint>
#include <vector>

namespace skin {

enum class TFrameLayout { SideBySide, Stacked };
enum class TCentreMode { Tile, Stretch };

// The fixed borders of a frame, never scaled.
struct TMargins {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool operator==(const TMargins&) const = default;
};

struct TPieceRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool Empty() const { return Right <= Left || Bottom <= Top; }
  bool operator==(const TPieceRect&) const = default;
};

// How a piece fills its destination.
enum class TFill {
  Stretch,     // the source scaled to the destination
  Tile,        // the source repeated unscaled from the top-left corner, cut at the far edges
  TileAcross,  // repeated unscaled across from the left, each copy stretched to the height
};

// Copy `Source` (strip coordinates) to `Dest` (picture coordinates) as `Fill` says.
struct TPiece {
  TPieceRect Dest;
  TPieceRect Source;
  TFill Fill = TFill::Stretch;
};

// Frame `index` (1-based, held to 1..count; a count below 1 counts as 1) of a strip of
// `count` equal frames.
TPieceRect FrameOfStrip(int stripWidth, int stripHeight, TFrameLayout layout, int count, int index);

// The margins as they can be used for a frame of the size: none below 0; left and right
// dropped when together they are wider than the frame, top and bottom when higher (as margins
// that do not fit the picture are), so that no margin reaches into a neighbouring frame.
TMargins MarginsWithin(const TMargins& margins, int frameWidth, int frameHeight);

// A frame composed to width x height by nine regions, in painting order: corners, left and top
// edges, the centre, then the bottom-right corner, right and bottom edges (painted after the
// centre, whose tiles may run over them). Margins wider (higher) than the picture are dropped.
std::vector<TPiece> NineRegionPieces(int width, int height, const TPieceRect& frame,
                                     const TMargins& margins, TCentreMode centre);

// Left cap, the middle repeated unscaled in width from x = left while x < width - right, and
// the right cap; every piece stretched to the picture's height.
std::vector<TPiece> ThreePartTiledPieces(int width, int height, const TPieceRect& frame,
                                         const TMargins& margins);

// Left cap, middle stretched, right cap; the whole frame stretched when the picture is
// narrower than the frame.
std::vector<TPiece> ThreePartStretchedPieces(int width, int height, const TPieceRect& frame,
                                             const TMargins& margins);

// Where a frame of the size goes unscaled, centred in the rectangle (division truncating
// toward zero, so a larger frame overhangs equally on both sides).
TPieceRect CentredFrame(const TPieceRect& rect, int frameWidth, int frameHeight);

// Tiling an area: the number of whole tiles across and down that cover it, and the tiles of a
// block that is repeated instead of single tiles, so that a tiny tile (a one-pixel skin
// picture) over a large area costs a few copies, not one per pixel.
struct TTiling {
  int Across = 0, Down = 0;             // tiles of the source size
  int BlockAcross = 1, BlockDown = 1;   // tiles per block
};
TTiling TilingOf(int areaWidth, int areaHeight, int tileWidth, int tileHeight);

}  // namespace skin
