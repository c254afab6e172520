#include "skin/controls/SkinBars.h"

#include <algorithm>

#include "skin/data/GdiPicture.h"
#include "skin/data/ImgUtil.h"
#include "skin/model/SkinPieces.h"
#include "skin/data/SkinDerivedImages.h"
#include "ui/Messages.h"
#include "ui/StatusBar.h"
#include "ui/SysUtils.h"

namespace skin {

namespace {

int WidthOf(const RECT& r) { return r.right - r.left; }
int HeightOf(const RECT& r) { return r.bottom - r.top; }

TMargins MarginsOf(const TDataSkinObject& e) {
  return {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight};
}

// The picture every status-bar skinner of the process composes its bar in; sized per paint.
ui::TBitmap& SharedStatusBitmap() {
  static ui::TBitmap bitmap;
  return bitmap;
}

// A bitmap's device context (the canvas makes it on demand).
HDC DcOf(ui::TBitmap& bitmap) { return bitmap.Canvas()->Handle(); }
HDC DcOf(const TSkinBitmap& bitmap) { return GdiPicture(bitmap).Source(); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// State to drawing

int ProgressFillLength(int length, int position, int lowerLimit, int upperLimit) {
  if (upperLimit <= lowerLimit || position <= lowerLimit) return 0;
  if (position >= upperLimit) return length;
  return MulDiv(length, position - lowerLimit, upperLimit - lowerLimit);
}

TTrackDrawStep TrackBarDrawStep(DWORD stage, DWORD_PTR item) {
  if (stage == CDDS_PREPAINT) return {CDRF_NOTIFYITEMDRAW, TTrackPart::None};
  if (stage != CDDS_ITEMPREPAINT) return {};
  switch (item) {
    case TBCD_TICS:
      return {CDRF_DODEFAULT, TTrackPart::None};  // the control draws its own ticks
    case TBCD_THUMB:
      return {CDRF_SKIPDEFAULT, TTrackPart::Thumb};
    case TBCD_CHANNEL:
      return {CDRF_SKIPDEFAULT, TTrackPart::Channel};
    default:
      return {};
  }
}

int StatusEdgeFrame(TStatusBevel bevel) {
  switch (bevel) {
    case sbvRaised: return 2;
    case sbvNone: return 3;
    default: return 1;
  }
}

TStatusPart ReadStatusPart(const std::wstring& text, UINT flags) {
  TStatusPart part;
  // The system aligns what follows one tab in the middle, what follows two at the right.
  std::size_t tabs = 0;
  while (tabs < 2 && tabs < text.size() && text[tabs] == L'\t') ++tabs;
  part.Text = text.substr(tabs);
  part.Alignment = tabs == 0 ? DT_LEFT : (tabs == 1 ? DT_CENTER : DT_RIGHT);
  if (flags & SBT_NOBORDERS) part.Bevel = sbvNone;
  else if (flags & SBT_POPOUT) part.Bevel = sbvRaised;
  part.RightToLeft = (flags & SBT_RTLREADING) != 0;
  return part;
}

// ---------------------------------------------------------------------------------------------
// TSkinProgress

bool TSkinProgress::HasSkinParts(const TResolvedSkin& skin) const {
  return HasFrames(skin.Progress, 2) &&
         (skin.ProgressLook != TProgressLook::Chunks || HasImage(skin.ProgressChunk));
}

bool TSkinProgress::BeforeMessage(ui::TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      if (!skinData_ || !HasImage(skinData_->Resolved().Progress)) return true;
      HandlePaint(m);
      return false;
    case WM_ERASEBKGND:
      m.Result = 1;
      return false;
    default:
      return TSkinControl::BeforeMessage(m);
  }
}

void TSkinProgress::Draw(HDC dc, const RECT& rect) {
  const TResolvedSkin* skin = skinData_ ? &skinData_->Resolved() : nullptr;
  if (!skin || !HasImage(skin->Progress) || !handle_) return;
  if (skin->ProgressLook == TProgressLook::Chunks && !HasImage(skin->ProgressChunk)) return;
  const int width = WidthOf(rect), height = HeightOf(rect);
  if (width <= 0 || height <= 0) return;
  // A vertical bar is drawn lying and turned counter-clockwise: its fill then grows upwards.
  const bool vertical = (GetLong(GWL_STYLE) & PBS_VERTICAL) != 0;
  ui::TBitmap picture(vertical ? height : width, vertical ? width : height);
  DrawLying(DcOf(picture), picture.Width(), picture.Height());
  if (vertical) RotateLeft(picture);
  BitBlt(dc, rect.left, rect.top, width, height, DcOf(picture), 0, 0, SRCCOPY);
}

void TSkinProgress::DrawLying(HDC dc, int width, int height) {
  const TResolvedSkin& skin = skinData_->Resolved();
  const TDataSkinObject& bar = *skin.Progress;
  const RECT whole{0, 0, width, height};
  FillFace(dc, whole);
  const int position = static_cast<int>(SendMessageW(handle_, PBM_GETPOS, 0, 0));
  const int lower = static_cast<int>(SendMessageW(handle_, PBM_GETRANGE, TRUE, 0));
  const int upper = static_cast<int>(SendMessageW(handle_, PBM_GETRANGE, FALSE, 0));
  const int fill = ProgressFillLength(width, position, lower, upper);
  switch (skin.ProgressLook) {
    case TProgressLook::Chunks:
      DrawChunks(dc, width, height, fill);
      return;
    case TProgressLook::Stretched:
      break;
  }
  const TCentreMode centre = bar.Tile == 1 ? TCentreMode::Tile : TCentreMode::Stretch;
  DrawNineRegion(dc, whole, *bar.Bitmap, TFrameLayout::SideBySide, centre, true, 2, 1, MarginsOf(bar));
  if (fill > 0) {
    DrawNineRegion(dc, {0, 0, fill, height}, *bar.Bitmap, TFrameLayout::SideBySide, centre, true, 2,
                   2, MarginsOf(bar));
  }
}

void TSkinProgress::DrawChunks(HDC dc, int width, int height, int fill) {
  const TDataSkinObject& bar = *skinData_->Resolved().Progress;
  const TDataSkinObject& chunk = *skinData_->Resolved().ProgressChunk;
  DrawNineRegion(dc, {0, 0, width, height}, *bar.Bitmap, TFrameLayout::SideBySide,
                 TCentreMode::Stretch, true, std::max(1, bar.Frame), 1, MarginsOf(bar));
  if (fill <= 0) return;
  const TSkinBitmap& image = *chunk.Bitmap;
  const int w = image.Width(), h = image.Height();
  if (chunk.Tile == 1) {
    // Copies of the chunk side by side up to the bar's end.
    ui::TBitmap strip(fill, h);
    for (int i = 0; i <= fill / w; ++i) BitBlt(DcOf(strip), i * w, 0, w, h, DcOf(image), 0, 0, SRCCOPY);
    BitBlt(dc, chunk.LeftWidth + 2, (height - h) / 2, fill, h, DcOf(strip), 0, 0, SRCCOPY);
    return;
  }
  if (height - 4 <= 0) return;
  ui::TBitmap stretched(fill, height - 4);
  DrawThreePartStretched(DcOf(stretched), {0, 0, fill, height - 4}, image, TFrameLayout::SideBySide, 1,
                         1, MarginsOf(chunk));
  BitBlt(dc, 2, 2, fill, height - 4, DcOf(stretched), 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------------------------------------
// TSkinTrackBar

bool TSkinTrackBar::BeforeMessage(ui::TMessage& m) {
  const NMHDR* header = nullptr;
  if (m.Msg == WM_NOTIFY && m.LParam) header = reinterpret_cast<const NMHDR*>(m.LParam);
  else header = ui::ReflectedNotifyHeader(m);
  if (header && header->code == static_cast<UINT>(NM_CUSTOMDRAW) && handle_ &&
      header->hwndFrom == handle_) {
    m.Result = CustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(header));
    return false;
  }
  if (m.Msg == ui::CN_CTLCOLORSTATIC && skinData_) {
    // The control's background (around channel, thumb and ticks) in the skin's face colour.
    SetBkColor(reinterpret_cast<HDC>(m.WParam), ui::ColorToRGB(FaceColour()));
    m.Result = reinterpret_cast<LRESULT>(skinData_->ButtonFaceBrush());
    return false;
  }
  return TSkinControl::BeforeMessage(m);
}

LRESULT TSkinTrackBar::CustomDraw(const NMCUSTOMDRAW& draw) {
  const TTrackDrawStep step = TrackBarDrawStep(draw.dwDrawStage, draw.dwItemSpec);
  try {
    if (step.Draw == TTrackPart::Channel) DrawChannel(draw.hdc);
    if (step.Draw == TTrackPart::Thumb) DrawThumb(draw.hdc);
  } catch (...) {
    // A broken skin element must not break the control's painting.
  }
  return step.Answer;
}

// The channel and the thumb of the bar's lie; a standing bar may use the lying pictures.
bool TSkinTrackBar::HasSkinParts(const TResolvedSkin& skin) const {
  const bool vertical = handle_ && Vertical();
  const bool channel = HasImage(skin.Track) || (vertical && HasImage(skin.TrackVert));
  const bool thumb = HasImage(skin.ThumbHorz) || (vertical && HasImage(skin.ThumbVert));
  return channel && thumb;
}

bool TSkinTrackBar::Vertical() const { return (GetLong(GWL_STYLE) & TBS_VERT) != 0; }

void TSkinTrackBar::DrawChannel(HDC dc) {
  if (!skinData_) return;
  RECT r{};
  SendMessageW(handle_, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&r));
  const TDataSkinObject* vert = skinData_->Resolved().TrackVert;
  const TDataSkinObject* horz = skinData_->Resolved().Track;
  // Colour pictures are stretched by picking pixels, never by merging them.
  const int mode = SetStretchBltMode(dc, COLORONCOLOR);
  struct TRestore {
    HDC dc;
    int mode;
    ~TRestore() { SetStretchBltMode(dc, mode); }
  } restore{dc, mode};
  // A piece whose source or destination has no size is left out (scaling from nothing is a
  // division by zero in some systems' drawing code).
  const auto piece = [dc](int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh) {
    if (w > 0 && h > 0 && sw > 0 && sh > 0) StretchBlt(dc, x, y, w, h, src, sx, sy, sw, sh, SRCCOPY);
  };
  if (Vertical() && HasImage(vert)) {
    // Some versions of the control give a vertical bar's channel as if the bar were lying.
    if (WidthOf(r) > HeightOf(r)) r = {r.top, r.left, r.bottom, r.right};
    const TSkinBitmap& image = *vert->Bitmap;
    const int w = image.Width(), h = image.Height();
    const TMargins m = MarginsWithin({0, vert->TopHeight, 0, vert->BottomHeight}, w, h);
    const int T = m.Top, B = m.Bottom;
    int x = r.left, width = WidthOf(r);
    if (w < width) {
      x += (width - w) / 2;
      width = w;
    }
    HDC src = DcOf(image);
    piece(x, r.top, width, T, src, 0, 0, w, T);
    piece(x, r.top + T, width, HeightOf(r) - T - B, src, 0, T, w, h - T - B);
    piece(x, r.bottom - B, width, B, src, 0, h - B, w, B);
  } else if (HasImage(horz)) {
    const TSkinBitmap& image = *horz->Bitmap;
    const int w = image.Width(), h = image.Height();
    const TMargins m = MarginsWithin({horz->LeftWidth, 0, horz->RightWidth, 0}, w, h);
    const int L = m.Left, R = m.Right;
    int y = r.top, height = HeightOf(r);
    if (h < height) {
      y += (height - h) / 2;
      height = h;
    }
    HDC src = DcOf(image);
    piece(r.left, y, L, height, src, 0, 0, L, h);
    piece(r.left + L, y, WidthOf(r) - L - R, height, src, L, 0, w - L - R, h);
    piece(r.right - R, y, R, height, src, w - R, 0, R, h);
  }
}

void TSkinTrackBar::DrawThumb(HDC dc) {
  if (!skinData_) return;
  RECT r{};
  SendMessageW(handle_, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
  const TDataSkinObject* strip = Vertical() ? skinData_->Resolved().ThumbVert : nullptr;
  if (!HasImage(strip)) strip = skinData_->Resolved().ThumbHorz;
  if (HasImage(strip)) {
    DrawStripFrame(dc, r, strip->Frame > 0 ? strip->Frame : 5, 2, *strip->Bitmap);
    return;
  }
  ui::TBrushHandle shadow(CreateSolidBrush(ui::ColorToRGB(ShadowColour())));
  FrameRect(dc, &r, shadow.Get());
}

void TSkinTrackBar::SkinChanged() {
  // Taking the focus and giving it back makes the control draw itself anew.
  if (!handle_) return;
  const HWND previous = GetFocus();
  SetFocus(handle_);
  if (previous && previous != handle_) SetFocus(previous);
}

// ---------------------------------------------------------------------------------------------
// TSkinStatusBar

bool TSkinStatusBar::BeforeMessage(ui::TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      HandlePaint(m);
      return false;
    case WM_ERASEBKGND:
      m.Result = 1;
      return false;
    default:
      return TSkinControl::BeforeMessage(m);
  }
}

void TSkinStatusBar::UseWindowFont(ui::TCanvas& canvas) const {
  // The font the window shows its text in; the control's Font when the window has none.
  LOGFONTW font{};
  const auto shown = reinterpret_cast<HFONT>(SendMessageW(handle_, WM_GETFONT, 0, 0));
  if (shown && GetObjectW(shown, sizeof font, &font) == sizeof font) {
    canvas.Font()->SetName(font.lfFaceName);
    canvas.Font()->SetHeight(font.lfHeight);
    canvas.Font()->SetCharset(font.lfCharSet);
  } else if (const auto* own = control_ ? ui::GetObjectProp<ui::TFont>(control_, L"Font") : nullptr) {
    canvas.Font()->Assign(*own);
  }
  if (const auto* own = control_ ? ui::GetObjectProp<ui::TFont>(control_, L"Font") : nullptr) {
    canvas.Font()->SetColor(own->Color());
  }
}

bool TSkinStatusBar::HasSkinParts(const TResolvedSkin& skin) const {
  return HasFrames(skin.StatusBarEdges, 3);
}

bool TSkinStatusBar::RightToLeft() const { return (BiDiFlags(0) & DT_RTLREADING) != 0; }

void TSkinStatusBar::Draw(HDC dc, const RECT& rect) {
  if (!handle_ || !skinData_) return;
  const int width = WidthOf(rect), height = HeightOf(rect);
  if (width <= 0 || height <= 0) return;
  ui::TBitmap& picture = SharedStatusBitmap();
  picture.SetSize(width, height);
  ui::TCanvas& canvas = *picture.Canvas();
  const RECT whole{0, 0, width, height};
  FillFace(canvas.Handle(), whole);
  UseWindowFont(canvas);
  canvas.Font()->SetStyle(0);
  if (const TDataSkinObject* edges = skinData_->Resolved().StatusBarEdges) {
    canvas.Font()->SetColor(ResolveColour(edges->NormalColour2));
  }
  const auto* bar = dynamic_cast<const ui::TStatusBar*>(control_);
  const bool simple = SendMessageW(handle_, SB_ISSIMPLE, 0, 0) != 0 ||
                      (bar ? bar->Panels()->Count() == 0 : SendMessageW(handle_, SB_GETPARTS, 0, 0) == 0);
  // The texts are drawn straight into the canvas's device context: its font goes in for them.
  const HGDIOBJ oldFont = SelectObject(canvas.Handle(), canvas.Font()->Handle());
  if (simple) DrawSimple(canvas, whole);
  else DrawPanels(canvas, whole);
  SelectObject(canvas.Handle(), oldFont);
  DrawSizeGrip(canvas.Handle(), whole);
  BitBlt(dc, rect.left, rect.top, width, height, canvas.Handle(), 0, 0, SRCCOPY);
  PaintGraphicChildren(control_, dc);
  if (!simple) DrawOwnerPanels(dc, rect);
}

void TSkinStatusBar::DrawOwnerPanels(HDC dc, const RECT& rect) {
  auto* bar = dynamic_cast<ui::TStatusBar*>(control_);
  if (!bar || !bar->OnDrawPanel) return;
  const int count = static_cast<int>(SendMessageW(handle_, SB_GETPARTS, 0, 0));
  for (int i = 0; i < count; ++i) {
    const ui::TStatusPanel* panel = bar->Panels()->Items(i);
    RECT r{};
    if (!panel || panel->Style() != ui::psOwnerDraw) continue;
    if (!SendMessageW(handle_, SB_GETRECT, i, reinterpret_cast<LPARAM>(&r))) continue;
    // Inside the skin's edge: the panel's rectangle less 2 pixels on every side, and short of
    // the size grip, which stays visible.
    InflateRect(&r, -2, -2);
    const RECT grip = GripRect({0, 0, WidthOf(rect), HeightOf(rect)});
    if (!IsRectEmpty(&grip)) r.right = std::min(r.right, grip.left);
    if (r.right <= r.left) continue;
    OffsetRect(&r, rect.left, rect.top);
    bar->DrawPanel(dc, i, r);
  }
}

void TSkinStatusBar::DrawSimple(ui::TCanvas& canvas, const RECT& rect) {
  DrawEdge(canvas.Handle(), rect, sbvLowered);
  std::wstring text;
  if (control_ && ui::IsPublishedProp(control_, L"SimpleText")) {
    text = ui::GetTextProp(control_, L"SimpleText");
  } else {
    const LRESULT length = SendMessageW(handle_, SB_GETTEXTLENGTHW, SB_SIMPLEID, 0);
    text.assign(LOWORD(length) + 1u, L'\0');
    SendMessageW(handle_, SB_GETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
  }
  RECT r = rect;
  InflateRect(&r, -2, 0);
  DrawPanelText(canvas, r, RightToLeft() ? DT_RIGHT : DT_LEFT, text);
}

void TSkinStatusBar::DrawPanels(ui::TCanvas& canvas, const RECT& rect) {
  const int count = static_cast<int>(SendMessageW(handle_, SB_GETPARTS, 0, 0));
  for (int i = 0; i < count; ++i) {
    RECT r{};
    if (!SendMessageW(handle_, SB_GETRECT, i, reinterpret_cast<LPARAM>(&r))) continue;
    r.right += 2;
    if (i == count - 1) r.right = rect.right;  // the last panel reaches the bar's right edge
    const LRESULT length = SendMessageW(handle_, SB_GETTEXTLENGTHW, i, 0);
    const UINT flags = HIWORD(length);
    std::wstring raw;
    if (!(flags & SBT_OWNERDRAW)) {
      raw.assign(LOWORD(length) + 1u, L'\0');
      SendMessageW(handle_, SB_GETTEXTW, i, reinterpret_cast<LPARAM>(raw.data()));
      raw.resize(wcslen(raw.c_str()));
    }
    const TStatusPart part = ReadStatusPart(raw, flags);
    DrawEdge(canvas.Handle(), r, part.Bevel);
    if (flags & SBT_OWNERDRAW) continue;
    UINT alignment = part.Alignment;
    if (part.RightToLeft && alignment != DT_CENTER) alignment = alignment == DT_LEFT ? DT_RIGHT : DT_LEFT;
    InflateRect(&r, -2, 0);
    DrawPanelText(canvas, r, alignment, part.Text);
  }
}

void TSkinStatusBar::DrawPanelText(ui::TCanvas& canvas, const RECT& rect, UINT alignment,
                                   const std::wstring& text) const {
  SetTextColor(canvas.Handle(), ui::ColorToRGB(canvas.Font()->Color()));
  DrawCaption(canvas, rect, alignment | DT_SINGLELINE, true, text.empty() ? L" " : text);
}

void TSkinStatusBar::DrawEdge(HDC dc, const RECT& rect, TStatusBevel bevel) const {
  const TDataSkinObject* edges = skinData_->Resolved().StatusBarEdges;
  if (HasImage(edges)) {
    const TCentreMode centre = edges->Tile == 1 ? TCentreMode::Tile : TCentreMode::Stretch;
    DrawNineRegion(dc, rect, *edges->Bitmap, TFrameLayout::SideBySide, centre, false, 3,
                   StatusEdgeFrame(bevel), MarginsOf(*edges));
    return;
  }
  if (bevel == sbvNone) return;
  const ui::TColor shadow = ShadowColour();
  const ui::TColor light = ResolveColour(skinData_->Colours().ButtonHilight);
  const ui::TColor topLeft = bevel == sbvLowered ? shadow : light;
  const ui::TColor bottomRight = bevel == sbvLowered ? light : shadow;
  FillColour(dc, {rect.left, rect.top, rect.right, rect.top + 1}, topLeft);
  FillColour(dc, {rect.left, rect.top, rect.left + 1, rect.bottom}, topLeft);
  FillColour(dc, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, bottomRight);
  FillColour(dc, {rect.right - 1, rect.top, rect.right, rect.bottom}, bottomRight);
}

RECT TSkinStatusBar::GripRect(const RECT& rect) const {
  const TDataSkinObject* extra = skinData_->Resolved().ExtraImages;
  if (!(GetLong(GWL_STYLE) & SBARS_SIZEGRIP) || !HasImage(extra)) return {};
  const int frames = std::max(1, extra->Frame);
  const int w = extra->Bitmap->Width() / frames, h = extra->Bitmap->Height();
  return {rect.right - 1 - w, rect.bottom - 1 - h, rect.right - 1, rect.bottom - 1};
}

void TSkinStatusBar::DrawSizeGrip(HDC dc, const RECT& rect) const {
  const RECT grip = GripRect(rect);
  if (IsRectEmpty(&grip)) return;
  const TDataSkinObject* extra = skinData_->Resolved().ExtraImages;
  DrawStripFrame(dc, grip, std::max(1, extra->Frame), 5, *extra->Bitmap);
}

// ---------------------------------------------------------------------------------------------
// TSkinSizer

void TSkinSizer::Draw(HDC dc, const RECT& rect) { FillFace(dc, rect); }

}  // namespace skin
