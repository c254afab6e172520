// The window region in the shape of the skin's borders. The geometry keeps its own copy of the
// region for the size it was built for; the window is given a fresh copy each time, because a
// region handed to the system belongs to the system from then on.
#include "skin/frame/WinSkinForm.h"

namespace skin {

void TWinSkinForm::BuildRegion() {
  if (frameState_ == fsDestroyed || !skinned_ || !HasSkin() || borderKind_ == bkNoCaption) return;
  if (formKind_ == fkMDIChild && windowState_ != wsNormal) return;
  RECT r{};
  GetWindowRect(handle_, &r);
  windowRect_ = r;
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return;
  const bool mayReuse = formKind_ != fkMDIChild && frameState_ != fsReapplying;
  const HRGN region = geometry_.RegionFor(width, height, mayReuse, borderKind_ != bkNoCaption);
  if (!region) return;
  ui::TRegionHandle handed(CreateRectRgn(0, 0, 0, 0));
  CombineRgn(handed.Get(), region, nullptr, RGN_COPY);
  if (SetWindowRgn(handle_, handed.Get(), TRUE)) handed.Release();  // the system's now
}

}  // namespace skin
