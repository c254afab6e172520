// Places and looks of the caption buttons drawn in the system's own look.
#include "skin/frame/CaptionButtonFallback.h"

#include <algorithm>

namespace skin {

namespace {

// The space the system leaves between two caption buttons.
constexpr int kButtonGap = 2;

bool Overlaps(const RECT& a, const std::vector<RECT>& rects) {
  RECT common{};
  return std::any_of(rects.begin(), rects.end(),
                     [&](const RECT& r) { return IntersectRect(&common, &a, &r) != FALSE; });
}

}  // namespace

SIZE NativeCaptionButtonSize(const std::vector<RECT>& shown) {
  for (const RECT& r : shown) {
    if (r.right > r.left && r.bottom > r.top) return SIZE{r.right - r.left, r.bottom - r.top};
  }
  return SIZE{std::max(GetSystemMetrics(SM_CXSIZE) - kButtonGap, 8),
              std::max(GetSystemMetrics(SM_CYSIZE) - 2 * kButtonGap, 8)};
}

RECT FreeCaptionButtonPlace(const std::vector<RECT>& taken, bool fromRight, SIZE size,
                            int frameWidth, const TMenuBarPlace& place) {
  // A place lies within the window, the gap away from its edges.
  const int leftmost = kButtonGap, rightmost = frameWidth - kButtonGap - size.cx;
  int anchor = fromRight ? frameWidth - place.RightWidth - kButtonGap - size.cx
                         : place.LeftWidth + kButtonGap;
  int top = std::max<int>((place.TitleHeight - size.cy) / 2, 0);
  // The step between two places: the skin's own spacing where two of its buttons sit closer
  // than two widths, else the system's.
  int skinStep = 0;
  std::vector<int> lefts;
  for (const RECT& r : taken) lefts.push_back(r.left);
  std::sort(lefts.begin(), lefts.end());
  for (std::size_t i = 1; i < lefts.size(); ++i) {
    const int distance = lefts[i] - lefts[i - 1];
    if (distance >= size.cx && distance < 2 * size.cx && (skinStep == 0 || distance < skinStep)) {
      skinStep = distance;
    }
  }
  const int step = skinStep > 0 ? skinStep : size.cx + kButtonGap;
  // With buttons shown, the places lie on the grid of the outermost one, from the outermost
  // place that fits.
  if (!taken.empty()) {
    anchor = fromRight ? lefts.back() : lefts.front();
    top = taken.front().top;
    const int outward = fromRight ? (rightmost - anchor) / step : (anchor - leftmost) / step;
    anchor += (fromRight ? step : -step) * std::max(outward, 0);
  }
  const int inward = fromRight ? -step : step;
  for (int left = anchor; left >= leftmost && left <= rightmost; left += inward) {
    const RECT candidate{left, top, left + size.cx, top + size.cy};
    if (!Overlaps(candidate, taken)) return candidate;
  }
  return RECT{0, 0, 0, 0};
}

RECT FallbackIconPlace(bool buttonsOnLeft, int frameWidth, SIZE iconSize,
                       const TMenuBarPlace& place) {
  const int left = buttonsOnLeft ? frameWidth - place.RightWidth - kButtonGap - iconSize.cx
                                 : place.LeftWidth + kButtonGap;
  const int top = std::max<int>((place.TitleHeight - iconSize.cy) / 2, 0);
  return RECT{left, top, left + iconSize.cx, top + iconSize.cy};
}

bool HasNativeCaptionLook(int action) {
  const LRESULT code = CaptionButtonHitCode(action);
  return code == HTCLOSE || code == HTMAXBUTTON || code == HTMINBUTTON;
}

UINT NativeCaptionLook(int action, bool maximized) {
  switch (CaptionButtonHitCode(action)) {
    case HTMAXBUTTON: return maximized ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX;
    case HTMINBUTTON: return DFCS_CAPTIONMIN;
    default: return DFCS_CAPTIONCLOSE;
  }
}

UINT NativeCaptionState(int state, bool available) {
  UINT flags = 0;
  if (state == ncsPressed) flags |= DFCS_PUSHED;
  if (!available) flags |= DFCS_INACTIVE;
  return flags;
}

}  // namespace skin
