// The frame painted from the skin: the border strips (kept composed between paints), the title
// bar with the caption text, the icon and the caption buttons.
#include "skin/frame/FramePainter.h"

#include <algorithm>
#include <string>
#include <vector>

#include "skin/data/SkinDerivedImages.h"
#include "skin/data/SkinDraw.h"
#include "skin/frame/CaptionButtonFallback.h"
#include "skin/frame/CaptionButtons.h"
#include "skin/frame/FrameCaption.h"

namespace skin {

namespace {

constexpr int kCaptionPlateFrames = 2;

void Blit(HDC dc, const RECT& r, ui::TBitmap* strip) {
  if (!strip) return;
  BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, strip->Canvas()->Handle(), 0, 0,
         SRCCOPY);
}

// The icon the window shows: its own small or big one, else its class's; none without.
HICON WindowIcon(HWND window) {
  auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICON));
  return icon;
}

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

}  // namespace

int BorderFrameIndex(bool active, int frameCount) { return (active || frameCount <= 1) ? 1 : 2; }

std::unique_ptr<ui::TBitmap> TFramePainter::ComposeBorder(TBorderPart part, int width,
                                                          int height) const {
  const TDataSkinObject* border = host_.PaintBorder(part);
  if (!border || !border->Bitmap || border->Bitmap->Empty() || width <= 0 || height <= 0) {
    return nullptr;
  }
  const bool side = part == bpLeft || part == bpRight;
  const TMargins margins{border->LeftWidth, border->TopHeight, border->RightWidth,
                         border->BottomHeight};
  const int index = BorderFrameIndex(host_.PaintActive(), border->Frame);
  return ComposeNineRegion(width, height, *border->Bitmap, margins,
                           side ? TFrameLayout::SideBySide : TFrameLayout::Stacked,
                           border->Tile == 1 ? TCentreMode::Stretch : TCentreMode::Tile,
                           std::max(border->Frame, 1), index);
}

ui::TBitmap* TFramePainter::BorderStrip(TBorderPart part, int width, int height) {
  const TDataSkinObject* border = host_.PaintBorder(part);
  const int frame = border ? BorderFrameIndex(host_.PaintActive(), border->Frame) : 0;
  TStrip& strip = strips_[part - bpLeft];
  if (!strip.bitmap || strip.border != border || strip.width != width ||
      strip.height != height || strip.frame != frame) {
    strip.bitmap = ComposeBorder(part, width, height);
    strip.border = border;
    strip.width = width;
    strip.height = height;
    strip.frame = frame;
  }
  return strip.bitmap.get();
}

void TFramePainter::DropStrips() {
  for (TStrip& strip : strips_) strip = TStrip{};
  buttonPictures_.clear();
}

const TKeyedPicture& TFramePainter::ButtonPicture(const TDataSkinSysButton& def, int width,
                                                  int height) {
  for (const TButtonPicture& kept : buttonPictures_) {
    if (kept.definition == &def && kept.width == width && kept.height == height) {
      return *kept.picture;
    }
  }
  // A handful per skin and size; a window whose buttons took many sizes starts afresh.
  constexpr std::size_t kMostKept = 32;
  if (buttonPictures_.size() >= kMostKept) buttonPictures_.clear();
  const int count = std::max(def.Frame, 1);
  const auto frames = StretchFrames(width, height, *def.Bitmap, count);
  buttonPictures_.push_back({&def, width, height,
                             std::make_unique<TKeyedPicture>(*frames, 0, 0, frames->Width(),
                                                             height, kKeyColour)});
  return *buttonPictures_.back().picture;
}

void TFramePainter::PaintBorders(HDC dc, int w, int h) {
  const int left = geometry_.LeftWidth(), right = geometry_.RightWidth();
  const int bottom = geometry_.BottomHeight();
  Blit(dc, {0, 0, left, h}, BorderStrip(bpLeft, left, h));
  Blit(dc, {w - right, 0, w, h}, BorderStrip(bpRight, right, h));
  Blit(dc, {left, h - bottom, w - right, h}, BorderStrip(bpBottom, w - right - left, bottom));
}

// The ends of the title bar come from the side borders' strips. Whatever no strip covers is
// black, as in a freshly made bitmap, however the kept buffer was used before.
void TFramePainter::PaintTitle(HDC dc, int w, int h, bool minimized) {
  const int titleHeight = geometry_.TitleHeight();
  if (w <= 0 || titleHeight <= 0) return;
  HDC target = titleBuffer_.Begin(w, titleHeight);
  RECT title{0, 0, w, titleHeight};
  if (minimized) {
    FillRect(target, &title, host_.PaintSkin()->ButtonFaceBrush());
    Blit(target, title, BorderStrip(bpTop, w, titleHeight));
  } else {
    const int left = geometry_.LeftWidth(), right = geometry_.RightWidth();
    ui::TBitmap* leftSide = BorderStrip(bpLeft, left, h);
    ui::TBitmap* rightSide = BorderStrip(bpRight, right, h);
    title = {left, 0, w - right, titleHeight};
    ui::TBitmap* top = BorderStrip(bpTop, title.right - title.left, titleHeight);
    if (!leftSide || !rightSide || !top) PatBlt(target, 0, 0, w, titleHeight, BLACKNESS);
    Blit(target, {0, 0, left, titleHeight}, leftSide);
    Blit(target, {w - right, 0, w, titleHeight}, rightSide);
    Blit(target, title, top);
  }
  DrawCaptionText(target, w);
  DrawCaptionButtons(target);
  titleBuffer_.CopyTo(dc);
}

// The caption text in the system's caption font and the title's text colour of the present
// look, on the caption plate when the skin has one, laid out by LayoutCaption.
void TFramePainter::DrawCaptionText(HDC dc, int w) {
  const TSkinData& skin = *host_.PaintSkin();
  const bool active = host_.PaintActive();
  const TDataSkinTitle* def = skin.Resolved().Title;
  const TColour given = def ? (active ? def->ActiveText : def->InActiveText) : kColourNotGiven;
  const TColour colour = given != kColourNotGiven
                             ? given
                             : (active ? skin.Colours().TitleTextActive
                                       : skin.Colours().TitleTextNoActive);
  const std::wstring caption = WindowText(host_.PaintWindow());
  const int savedState = SaveDC(dc);
  SelectObject(dc, skin.CaptionFont());
  SIZE extent{0, 0};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
  std::vector<RECT> shown;
  for (const auto& button : host_.PaintButtons()) {
    if (button->Enabled && button->Definition().Visibility != kMDIButtonVisibility) {
      shown.push_back(button->Bounds);
    }
  }
  const TCaptionLayout layout = LayoutCaption(def, w, geometry_.TitleHeight(), extent.cx, shown);
  if (!IsRectEmpty(&layout.Plate)) {
    // The plate picture holds the active and the inactive look side by side.
    DrawNineRegion(dc, layout.Plate, *def->Bitmap, TFrameLayout::SideBySide, TCentreMode::Stretch,
                   true, kCaptionPlateFrames, active ? 1 : 2,
                   TMargins{def->TXTBackleft, 0, def->TXTBackRight, 0});
  }
  RECT clip = layout.Clip;
  if (!IsRectEmpty(&clip) && !caption.empty()) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ui::ColorToRGB(ResolveColour(colour)));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &clip,
              layout.Format | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
  }
  RestoreDC(dc, savedState);
}

// Each shown button in the frame of its state, or in the system's look where the skin cannot
// draw it; the buttons of a maximized MDI child belong to the menu bar.
void TFramePainter::DrawCaptionButtons(HDC dc) {
  const bool active = host_.PaintActive();
  for (const auto& button : host_.PaintButtons()) {
    const TDataSkinSysButton& def = button->Definition();
    if (!button->Enabled || def.Visibility == kMDIButtonVisibility) continue;
    if (button->Native) {
      RECT r = button->Bounds;
      DrawFrameControl(dc, &r, DFC_CAPTION,
                       button->NativeLook | NativeCaptionState(button->State, button->NativeAvailable));
      continue;
    }
    if (IsIconAction(def.Action) && (!def.Bitmap || def.Bitmap->Empty())) {
      DrawIcon(dc, button->Bounds);
      continue;
    }
    if (!def.Bitmap || def.Bitmap->Empty()) continue;
    const RECT& r = button->Bounds;
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) continue;
    const int count = std::max(def.Frame, 1);
    const int frame =
        std::clamp(CaptionButtonFrame(button->State, active, count, def.Visibility), 1, count);
    ButtonPicture(def, width, height).DrawPart(dc, r.left, r.top, (frame - 1) * width, width);
  }
}

void TFramePainter::PrepareIcon() {
  const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
  auto bitmap = std::make_unique<ui::TBitmap>(cx, cy);
  ui::TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetColor(kKeyColour);
  canvas->FillRect(RECT{0, 0, cx, cy});
  const TSkinData* skin = host_.PaintSkin();
  if (const HICON icon = WindowIcon(host_.PaintWindow())) {
    DrawIconEx(canvas->Handle(), 0, 0, icon, cx, cy, 0, nullptr, DI_NORMAL);
  } else if (ui::TBitmap* program = skin && skin->SkinLoaded() ? skin->AppIconBitmap() : nullptr) {
    StretchBlt(canvas->Handle(), 0, 0, cx, cy, program->Canvas()->Handle(), 0, 0,
               program->Width(), program->Height(), SRCCOPY);
  }
  iconBitmap_ = std::move(bitmap);
}

// The window's icon at the button's corner in the small size; a window without one shows the
// prepared icon (the program's), so that the button that opens its system menu can be seen.
void TFramePainter::DrawIcon(HDC dc, const RECT& bounds) {
  const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
  if (const HICON icon = WindowIcon(host_.PaintWindow())) {
    DrawIconEx(dc, bounds.left, bounds.top, icon, cx, cy, 0, nullptr, DI_NORMAL);
    return;
  }
  if (!iconBitmap_) PrepareIcon();
  DrawTransparent(dc, RECT{bounds.left, bounds.top, bounds.left + cx, bounds.top + cy},
                  *iconBitmap_, kKeyColour);
}

}  // namespace skin
