// TFrameGeometry: the geometry of one skinned frame. It measures the borders from the skin's
// border pictures, places the client area inside them, tells the menu bar from the title in
// hit-testing, and keeps the window region in the shape of the borders for the size it was
// built for (a region of the same size is reused).
#pragma once

#include <windows.h>

#include <memory>

#include "skin/model/SkinObjects.h"
#include "ui/Canvas.h"
#include "ui/Graphics.h"

namespace skin {

// The four border strips, numbered as the painter numbers them.
enum TBorderPart { bpLeft = 1, bpRight = 2, bpTop = 3, bpBottom = 4 };

// What the geometry needs of the frame: the skin's border pictures and their strips composed
// as they are painted.
class TBorderSource {
 public:
  // The border definition of the skin, or none.
  virtual const TDataSkinObject* Border(TBorderPart part) const = 0;
  // The strip of a border composed to `width` x `height`, or none.
  virtual std::unique_ptr<ui::TBitmap> ComposeBorder(TBorderPart part, int width,
                                                     int height) const = 0;

 protected:
  ~TBorderSource() = default;
};

class TFrameGeometry {
 public:
  explicit TFrameGeometry(const TBorderSource& borders) : borders_(borders) {}
  TFrameGeometry(const TFrameGeometry&) = delete;
  TFrameGeometry& operator=(const TFrameGeometry&) = delete;

  int LeftWidth() const { return left_; }
  int TitleHeight() const { return title_; }
  int RightWidth() const { return right_; }
  int BottomHeight() const { return bottom_; }
  int MenuBarHeight() const { return menuBar_; }

  // The border sizes from the skin's pictures (one frame of each picture).
  void MeasureBorders();
  // No borders and no menu bar: a window without caption keeps its client area whole.
  void ClearBorders();
  // The strip of the menu bar between the title and the client area.
  void SetMenuBarHeight(int height) { menuBar_ = height; }

  // The client area of a window placed at `pos`, never of negative size.
  RECT ClientArea(const WINDOWPOS& pos) const;
  // A point in client coordinates in window coordinates.
  POINT ClientToWindow(POINT client) const { return {client.x + left_, client.y + title_ + menuBar_}; }
  // Whether a point (window coordinates) outside the caption buttons lies on the menu bar
  // rather than the title.
  bool OnMenuBar(POINT windowPoint) const;

  // The region kept for the size it was built for, or none.
  HRGN Region() const { return region_.Get(); }
  // How often a region was built.
  int RegionBuilds() const { return regionBuilds_; }
  // The region of a window `width` x `height`, built anew unless the one kept has that size
  // and `mayReuse`. `hasCaption` is false for a window without caption (its borders are not
  // shaped).
  HRGN RegionFor(int width, int height, bool mayReuse, bool hasCaption);
  // Forgets the region kept.
  void DropRegion();

 private:
  // The client area, with each border shaped by its key colour where it is really drawn when
  // a border is transparent; the whole rectangle when none is.
  ui::TRegionHandle MakeRegion(int width, int height, bool hasCaption) const;

  const TBorderSource& borders_;
  int left_ = 0, title_ = 0, right_ = 0, bottom_ = 0;
  int menuBar_ = 0;
  ui::TRegionHandle region_;  // the copy of the region of regionSize_
  SIZE regionSize_{0, 0};
  int regionBuilds_ = 0;
};

}  // namespace skin
