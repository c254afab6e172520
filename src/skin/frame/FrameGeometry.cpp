// The frame's geometry: border sizes, the client area, the menu bar's place and the window
// region in the shape of the skin's borders.
#include "skin/frame/FrameGeometry.h"

#include <algorithm>

#include "skin/data/SkinDraw.h"

namespace skin {

namespace {

// The size of one frame of a border image: frames of the side borders lie side by side,
// those of the top and bottom borders one above the other.
int FrameExtent(const TDataSkinObject* border, bool sideBySide) {
  if (!border || !border->Bitmap || border->Bitmap->Empty()) return 0;
  const int count = std::max(border->Frame, 1);
  return (sideBySide ? border->Bitmap->Width() : border->Bitmap->Height()) / count;
}

ui::TRegionHandle RectRegion(const RECT& r) {
  return ui::TRegionHandle(CreateRectRgn(r.left, r.top, r.right, r.bottom));
}

void Unite(ui::TRegionHandle& into, const ui::TRegionHandle& part) {
  if (part) CombineRgn(into.Get(), into.Get(), part.Get(), RGN_OR);
}

}  // namespace

void TFrameGeometry::MeasureBorders() {
  left_ = FrameExtent(borders_.Border(bpLeft), true);
  right_ = FrameExtent(borders_.Border(bpRight), true);
  title_ = FrameExtent(borders_.Border(bpTop), false);
  bottom_ = FrameExtent(borders_.Border(bpBottom), false);
}

void TFrameGeometry::ClearBorders() {
  left_ = title_ = right_ = bottom_ = 0;
  menuBar_ = 0;
}

RECT TFrameGeometry::ClientArea(const WINDOWPOS& pos) const {
  RECT client{pos.x + left_, pos.y + title_ + menuBar_, pos.x + pos.cx - right_,
              pos.y + pos.cy - bottom_};
  client.right = std::max(client.right, client.left);
  client.bottom = std::max(client.bottom, client.top);
  return client;
}

bool TFrameGeometry::OnMenuBar(POINT p) const {
  return p.y >= 3 && p.y >= title_ && menuBar_ > 0 && p.y < title_ + menuBar_;
}

HRGN TFrameGeometry::RegionFor(int width, int height, bool mayReuse, bool hasCaption) {
  const bool reuse = region_ && regionSize_.cx == width && regionSize_.cy == height && mayReuse;
  if (!reuse) {
    region_ = MakeRegion(width, height, hasCaption);  // the previous copy is deleted here
    regionSize_ = {width, height};
    ++regionBuilds_;
  }
  return region_.Get();
}

void TFrameGeometry::DropRegion() {
  region_.Reset();
  regionSize_ = {0, 0};
}

ui::TRegionHandle TFrameGeometry::MakeRegion(int width, int height, bool hasCaption) const {
  int trans = 0;
  for (TBorderPart part : {bpLeft, bpRight, bpTop, bpBottom}) {
    if (const TDataSkinObject* border = borders_.Border(part)) trans += border->Trans;
  }
  if (trans == 0) return RectRegion({0, 0, width, height});
  ui::TRegionHandle region = RectRegion({left_, title_, width - right_, height - bottom_});
  if (!hasCaption) return region;
  const struct {
    TBorderPart part;
    RECT rect;
    bool drawn;  // a transparent border is shaped only where it is really drawn
  } parts[] = {
      {bpLeft, {0, 0, left_, height}, height > 1},
      {bpRight, {width - right_, 0, width, height}, height > 1},
      {bpTop, {left_, 0, width - right_, title_}, title_ > 1 && width - right_ > left_},
      {bpBottom, {left_, height - bottom_, width - right_, height}, bottom_ >= 2},
  };
  for (const auto& p : parts) {
    const TDataSkinObject* border = borders_.Border(p.part);
    if (border && border->Trans == 1) {
      if (!p.drawn) continue;
      const auto strip =
          borders_.ComposeBorder(p.part, p.rect.right - p.rect.left, p.rect.bottom - p.rect.top);
      if (strip) Unite(region, RegionFromBitmap(*strip, p.rect.left, p.rect.top, 0, 0, 0, kKeyColour));
    } else if (p.rect.right > p.rect.left && p.rect.bottom > p.rect.top) {
      Unite(region, RectRegion(p.rect));
    }
  }
  return region;
}

}  // namespace skin
