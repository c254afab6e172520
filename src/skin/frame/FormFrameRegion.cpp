// The window region in the shape of the skin's borders. The frame keeps its own copy of the
// region for the size it was built for; the window is given a fresh copy each time, because a
// region handed to the system belongs to the system from then on.
#include <algorithm>

#include "skin/data/SkinDraw.h"
#include "skin/frame/WinSkinForm.h"

namespace skin {

namespace {

ui::TRegionHandle RectRegion(const RECT& r) {
  return ui::TRegionHandle(CreateRectRgn(r.left, r.top, r.right, r.bottom));
}

void Unite(ui::TRegionHandle& into, const ui::TRegionHandle& part) {
  if (part) CombineRgn(into.Get(), into.Get(), part.Get(), RGN_OR);
}

}  // namespace

int BorderFrameIndex(bool active, int frameCount) { return (active || frameCount <= 1) ? 1 : 2; }

std::unique_ptr<ui::TBitmap> TWinSkinForm::ComposeBorder(TBorderPart part, int width,
                                                         int height) const {
  TDataSkinObject* border = Border(part);
  if (!border || !border->Bitmap || border->Bitmap->Empty() || width <= 0 || height <= 0) {
    return nullptr;
  }
  const bool side = part == bpLeft || part == bpRight;
  const TMargins margins{border->LeftWidth, border->TopHeight, border->RightWidth,
                         border->BottomHeight};
  const int index = BorderFrameIndex(active_ != 0, border->Frame);
  return ComposeNineRegion(width, height, *border->Bitmap, margins,
                           side ? TFrameLayout::SideBySide : TFrameLayout::Stacked,
                           border->Tile == 1 ? TCentreMode::Stretch : TCentreMode::Tile,
                           std::max(border->Frame, 1), index);
}

ui::TRegionHandle TWinSkinForm::MakeRegion(int width, int height) const {
  int trans = 0;
  for (TBorderPart part : {bpLeft, bpRight, bpTop, bpBottom}) {
    if (const TDataSkinObject* border = Border(part)) trans += border->Trans;
  }
  if (trans == 0) return RectRegion({0, 0, width, height});
  ui::TRegionHandle region =
      RectRegion({leftWidth_, titleHeight_, width - rightWidth_, height - bottomHeight_});
  if (borderKind_ == bkNoCaption) return region;
  const struct {
    TBorderPart part;
    RECT rect;
    bool drawn;  // a transparent border is shaped only where it is really drawn
  } parts[] = {
      {bpLeft, {0, 0, leftWidth_, height}, height > 1},
      {bpRight, {width - rightWidth_, 0, width, height}, height > 1},
      {bpTop, {leftWidth_, 0, width - rightWidth_, titleHeight_},
       titleHeight_ > 1 && width - rightWidth_ > leftWidth_},
      {bpBottom, {leftWidth_, height - bottomHeight_, width - rightWidth_, height}, bottomHeight_ >= 2},
  };
  for (const auto& p : parts) {
    const TDataSkinObject* border = Border(p.part);
    if (border && border->Trans == 1) {
      if (!p.drawn) continue;
      const auto strip =
          ComposeBorder(p.part, p.rect.right - p.rect.left, p.rect.bottom - p.rect.top);
      if (strip) Unite(region, RegionFromBitmap(*strip, p.rect.left, p.rect.top, 0, 0, 0, kKeyColour));
    } else if (p.rect.right > p.rect.left && p.rect.bottom > p.rect.top) {
      Unite(region, RectRegion(p.rect));
    }
  }
  return region;
}

void TWinSkinForm::BuildRegion() {
  if (frameState_ == fsDestroyed || !skinned_ || !HasSkin() || borderKind_ == bkNoCaption) return;
  if (formKind_ == fkMDIChild && windowState_ != wsNormal) return;
  RECT r{};
  GetWindowRect(handle_, &r);
  windowRect_ = r;
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return;
  const bool reuse = region_ && regionSize_.cx == width && regionSize_.cy == height &&
                     formKind_ != fkMDIChild && frameState_ != fsReapplying;
  if (!reuse) {
    region_ = MakeRegion(width, height);  // the previous copy is deleted here
    regionSize_ = {width, height};
    ++regionBuilds_;
  }
  if (!region_) return;
  ui::TRegionHandle handed(CreateRectRgn(0, 0, 0, 0));
  CombineRgn(handed.Get(), region_.Get(), nullptr, RGN_COPY);
  if (SetWindowRgn(handle_, handed.Get(), TRUE)) handed.Release();  // the system's now
}

}  // namespace skin
