#include "skin/frame/FrameCaption.h"

#include <algorithm>

namespace skin {

bool HasCaptionPlate(const TDataSkinTitle* title) {
  return title && title->Textbackground != 0 && title->Bitmap && !title->Bitmap->Empty();
}

TCaptionLayout LayoutCaption(const TDataSkinTitle* title, int width, int titleHeight,
                             int textWidth, const std::vector<RECT>& buttons) {
  TCaptionLayout layout;
  // The title definition's margins hold the text shift, vertical shift and right clip.
  const int shift = title ? title->LeftWidth : 6;
  const int clip = title ? title->RightWidth : 0;
  RECT& r = layout.Clip;
  r = {shift, title ? title->TopHeight : 0, width - clip, titleHeight};
  // The first caption button right of the text's start and the end of the last one left of
  // it: neither the text nor its plate reaches under a button.
  LONG firstButton = width, lastButtonEnd = 0;
  for (const RECT& b : buttons) {
    if (b.left > r.left) firstButton = std::min(firstButton, b.left);
    else lastButtonEnd = std::max(lastButtonEnd, b.right);
  }
  r.right = std::min(r.right, firstButton);
  if (r.right <= r.left || r.bottom <= r.top) {
    layout.Clip = {0, 0, 0, 0};
    return layout;
  }
  const int used = std::clamp(textWidth, 0, static_cast<int>(r.right - r.left));
  const int alignment = title ? title->TextAlignment : caLeft;
  int left = r.left;
  if (alignment == caRight) {
    left = r.right - used;
    layout.Format = DT_RIGHT;
  } else if (alignment == caCentre) {
    left = r.left + (r.right - r.left - used) / 2;
    layout.Format = DT_CENTER;
  }
  layout.Text = {left, r.top, left + used, r.bottom};
  if (HasCaptionPlate(title) && used > 0) {
    layout.Plate = {std::max<LONG>(lastButtonEnd, left - title->TXTBackleft), 0,
                    std::min<LONG>(firstButton, left + used + title->TXTBackRight), titleHeight};
  }
  return layout;
}

}  // namespace skin
