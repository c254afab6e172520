#include "ui/Buttons.h"

#include <algorithm>

#include "ui/DrawingScopes.h"
#include "ui/Forms.h"
#include "ui/Menus.h"

namespace ui {

const TEnumInfo& ButtonLayoutInfo() {
  static const TEnumInfo info(L"TButtonLayout",
                              {L"blGlyphLeft", L"blGlyphRight", L"blGlyphTop", L"blGlyphBottom"});
  return info;
}

const TEnumInfo& BitBtnKindInfo() {
  static const TEnumInfo info(L"TBitBtnKind",
                              {L"bkCustom", L"bkOK", L"bkCancel", L"bkHelp", L"bkYes", L"bkNo",
                               L"bkClose", L"bkAbort", L"bkRetry", L"bkIgnore", L"bkAll"});
  return info;
}

TGlyphButtonLayout LayoutGlyphButton(SIZE client, SIZE glyph, SIZE text, TButtonLayout layout,
                                     int margin, int spacing, bool centred,
                                     TGlyphLayoutRule rule) {
  TGlyphButtonLayout out;
  const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
  // Across the axis each part is centred on its own.
  if (horizontal) {
    out.Glyph.y = (client.cy - glyph.cy + 1) / 2;
    out.Text.top = (client.cy - text.cy + 1) / 2;
  } else {
    out.Glyph.x = (client.cx - glyph.cx + 1) / 2;
    out.Text.left = (client.cx - text.cx + 1) / 2;
  }
  if (text.cx == 0 || glyph.cx == 0) spacing = 0;
  const int size = horizontal ? client.cx : client.cy;
  const int g = horizontal ? glyph.cx : glyph.cy;
  const int t = horizontal ? text.cx : text.cy;
  if (rule == glSpeedButton) centred = false;
  if (margin == -1 || centred) {
    if (spacing == -1) {
      margin = (size - (g + t)) / 3;
      spacing = margin;
    } else {
      margin = (size - (g + spacing + t)) / 2 + (rule == glSpeedButton ? 1 : 0);
    }
  } else if (spacing == -1) {
    spacing = ((size - (margin + g)) - t) / 2;
  }
  int glyphAt = margin, textAt = margin + g + spacing;
  if (layout == blGlyphRight || layout == blGlyphBottom) {
    glyphAt = size - margin - g;
    textAt = glyphAt - spacing - t;
  }
  if (layout == blGlyphRight) out.TextFlags |= DT_RIGHT;
  if (!horizontal) out.TextFlags |= DT_CENTER;
  if (horizontal) {
    out.Glyph.x = glyphAt;
    out.Text.left = textAt;
  } else {
    out.Glyph.y = glyphAt;
    out.Text.top = textAt;
  }
  out.Text.right = out.Text.left + text.cx;
  out.Text.bottom = out.Text.top + text.cy;
  return out;
}

// ---------------------------------------------------------------------------------------------
// TButtonGlyph

TButtonGlyph::TButtonGlyph() : bitmap_(std::make_unique<TBitmap>()) {}

void TButtonGlyph::SetNumGlyphs(int value) { numGlyphs_ = std::clamp(value, 1, 4); }

SIZE TButtonGlyph::Size() const {
  if (bitmap_->Empty()) return {0, 0};
  return {bitmap_->Width() / numGlyphs_, bitmap_->Height()};
}

void TButtonGlyph::Draw(HDC dc, POINT at, int index) const {
  DrawButtonGlyph(dc, at, *bitmap_, numGlyphs_, index);
}

void DrawButtonGlyph(HDC dc, POINT at, const TBitmap& strip, int numGlyphs, int index) {
  if (strip.Empty()) return;
  GdiFlush();  // the strip's pixels are read directly: drawing into it must be done
  numGlyphs = std::clamp(numGlyphs, 1, 4);
  const SIZE size{strip.Width() / numGlyphs, strip.Height()};
  if (size.cx <= 0 || size.cy <= 0) return;
  const bool greyed = index == 1 && numGlyphs < 2;
  if (index >= numGlyphs) index = 0;
  // One picture, transparent in the strip's bottom-left colour.
  TBitmap picture(size.cx, size.cy);
  for (int y = 0; y < size.cy; ++y) {
    std::copy_n(strip.ScanLine(y) + index * size.cx, size.cx, picture.ScanLine(y));
  }
  const std::uint32_t key = strip.ScanLine(strip.Height() - 1)[0] & 0xFFFFFF;
  if (greyed) {
    for (int y = 0; y < size.cy; ++y) {
      std::uint32_t* row = picture.ScanLine(y);
      for (int x = 0; x < size.cx; ++x) {
        const std::uint32_t p = row[x] & 0xFFFFFF;
        if (p == key) continue;
        const std::uint32_t grey = (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF)) / 3;
        row[x] = grey << 16 | grey << 8 | grey;
      }
    }
  }
  const COLORREF keyColour = RGB((key >> 16) & 0xFF, (key >> 8) & 0xFF, key & 0xFF);
  TransparentBlt(dc, at.x, at.y, size.cx, size.cy, picture.Canvas()->Handle(), 0, 0, size.cx,
                 size.cy, keyColour);
}

SIZE MeasureGlyphButtonCaption(HDC dc, const std::wstring& caption, SIZE client, SIZE glyph,
                               TButtonLayout layout) {
  if (caption.empty()) return {0, 0};
  RECT r{0, 0, client.cx - 4, client.cy - 4};
  if (layout == blGlyphLeft || layout == blGlyphRight) r.right -= glyph.cx + 2;
  else r.bottom -= glyph.cy + 2;
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_CALCRECT | DT_WORDBREAK);
  return {r.right - r.left, r.bottom - r.top};
}

namespace {

// Glyph and caption of a button face, in the button's font and the text colour given.
// The picture beside a caption: picture `Index` of a glyph strip, or of an image list when
// the strip is empty (Index -1: none from the list).
struct TFacePicture {
  const TButtonGlyph& Glyph;
  int Index;
  const TCustomImageList* Images = nullptr;

  SIZE Size() const {
    if (const SIZE g = Glyph.Size(); g.cx > 0) return g;
    if (Images && Index >= 0) return {Images->Width(), Images->Height()};
    return {0, 0};
  }
  void Draw(HDC dc, POINT at) const {
    if (Glyph.Size().cx > 0) Glyph.Draw(dc, at, Index);
    else if (Images) Images->Draw(dc, at.x, at.y, Index);
  }
};

void DrawGlyphAndCaption(HDC dc, const RECT& client, const TFacePicture& glyph,
                         const std::wstring& caption, TButtonLayout layout, int margin,
                         int spacing, bool enabled, POINT offset) {
  const SIZE size{client.right - client.left, client.bottom - client.top};
  const SIZE g = glyph.Size();
  const SIZE t = MeasureGlyphButtonCaption(dc, caption, size, g, layout);
  const TGlyphButtonLayout place = LayoutGlyphButton(size, g, t, layout, margin, spacing, false);
  glyph.Draw(dc, {client.left + place.Glyph.x + offset.x, client.top + place.Glyph.y + offset.y});
  if (caption.empty()) return;
  RECT text = place.Text;
  OffsetRect(&text, client.left + offset.x, client.top + offset.y);
  SetBkMode(dc, TRANSPARENT);
  if (!enabled) {
    // The system's disabled look: the text in the highlight colour, then shifted in grey.
    RECT light = text;
    OffsetRect(&light, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextW(dc, caption.c_str(), -1, &light, place.TextFlags);
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  }
  DrawTextW(dc, caption.c_str(), -1, &text, place.TextFlags);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TBitBtn

const TClassInfo& TBitBtn::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TBitBtn", &TButton::StaticClass());
    c.Obj(L"Glyph", &TBitBtn::Glyph);
    c.Enum(L"Kind", BitBtnKindInfo(), &TBitBtn::Kind, &TBitBtn::SetKind);
    c.Enum(L"Layout", ButtonLayoutInfo(), &TBitBtn::Layout, &TBitBtn::SetLayout);
    c.Int(L"DisabledIndex", &TBitBtn::DisabledIndex, &TBitBtn::SetDisabledIndex);
    c.Obj(L"Images", &TBitBtn::Images);
    c.Int(L"ImageIndex", &TBitBtn::ImageIndex, &TBitBtn::SetImageIndex);
    c.Int(L"Margin", &TBitBtn::Margin, &TBitBtn::SetMargin);
    c.Int(L"NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs);
    c.Int(L"Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing);
    return c;
  }();
  return info;
}

// ---------------------------------------------------------------------------------------------
// TOwnerDrawButton

void TOwnerDrawButton::CreateParams(TCreateParams& p) {
  TButton::CreateParams(p);
  p.Style = (p.Style & ~(BS_PUSHBUTTON | BS_DEFPUSHBUTTON)) | BS_OWNERDRAW;
}

void TOwnerDrawButton::WndProc(TMessage& m) {
  if (m.Msg == BM_SETSTYLE) {
    // The button stays owner-drawn; a default style only changes how it is drawn.
    m.WParam = BS_OWNERDRAW;
    TButton::WndProc(m);
    return;
  }
  if (m.Msg == CN_DRAWITEM && m.LParam) {
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
    m.Result = TRUE;
    return;
  }
  TButton::WndProc(m);
}

RECT TOwnerDrawButton::DrawPushFace(HDC dc, const DRAWITEMSTRUCT& item) const {
  RECT r = item.rcItem;
  if (Default() || (item.itemState & ODS_FOCUS)) {
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&r, -1, -1);
  }
  DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | ((item.itemState & ODS_SELECTED) ? DFCS_PUSHED : 0));
  return r;
}

// ---------------------------------------------------------------------------------------------
// TBitBtn

TBitBtn::TBitBtn(TComponent* owner) : TOwnerDrawButton(owner) {}
TBitBtn::~TBitBtn() = default;

void TBitBtn::SetNumGlyphs(int value) {
  glyph_.SetNumGlyphs(value);
  Invalidate();
}
void TBitBtn::SetLayout(TButtonLayout value) {
  layout_ = value;
  Invalidate();
}
void TBitBtn::SetMargin(int value) {
  margin_ = std::max(value, -1);
  Invalidate();
}
void TBitBtn::SetSpacing(int value) {
  spacing_ = std::max(value, -1);
  Invalidate();
}

void TBitBtn::SetImages(TCustomImageList* images) {
  if (images == images_) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = images;
  if (images_) images_->FreeNotification(this);
  Invalidate();
}
void TBitBtn::SetImageIndex(int value) {
  imageIndex_ = std::max(value, -1);
  Invalidate();
}
void TBitBtn::SetDisabledIndex(int value) {
  disabledIndex_ = std::max(value, -1);
  Invalidate();
}

int TBitBtn::ListIndex(bool enabled) const {
  if (!enabled && disabledIndex_ != -1) return disabledIndex_;
  return imageIndex_;
}

void TBitBtn::Notification(TComponent* component, TOperation operation) {
  TOwnerDrawButton::Notification(component, operation);
  if (operation == TOperation::opRemove && component == images_) images_ = nullptr;
}

// The kinds give the button its caption and the result a modal form closes with.
void TBitBtn::SetKind(TBitBtnKind value) {
  kind_ = value;
  static const wchar_t* const captions[] = {L"",      L"OK",    L"Cancel", L"&Help",
                                            L"&Yes",  L"&No",   L"&Close", L"Abort",
                                            L"&Retry", L"&Ignore", L"&All"};
  if (value != bkCustom) SetCaption(captions[value]);
  SetCancel(value == bkCancel || value == bkNo);
  SetDefault(value == bkOK || value == bkYes);
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool focused = (item.itemState & ODS_FOCUS) != 0;
  const bool enabled = (item.itemState & ODS_DISABLED) == 0;
  TSavedDC saved(dc);
  const RECT r = DrawPushFace(dc, item);
  SelectObject(dc, Font()->Handle());
  SetTextColor(dc, ColorToRGB(Font()->Color()));
  const POINT offset = pressed ? POINT{1, 1} : POINT{0, 0};
  // The glyph strip, or else the image list's picture for the state.
  const TFacePicture picture = glyph_.Size().cx > 0
                                   ? TFacePicture{glyph_, enabled ? (pressed ? 2 : 0) : 1}
                                   : TFacePicture{glyph_, ListIndex(enabled), images_};
  DrawGlyphAndCaption(dc, r, picture, Caption(), layout_, margin_,
                      spacing_, enabled, offset);
  if (focused) {
    RECT f = r;
    InflateRect(&f, -3, -3);
    DrawFocusRect(dc, &f);
  }
}

// ---------------------------------------------------------------------------------------------
// TMenuButton

void DrawDropDownArrow(HDC dc, int width, int height, COLORREF colour) {
  TBrushHandle brush(CreateSolidBrush(colour));
  TPenHandle pen(CreatePen(PS_SOLID, 1, colour));
  TSelectObject brushIn(dc, brush.Get());
  TSelectObject penIn(dc, pen.Get());
  const POINT corners[3] = {{width - 12, height / 2 + 2}, {width - 15, height / 2 - 1},
                            {width - 9, height / 2 - 1}};
  ::Polygon(dc, corners, 3);
}

const TClassInfo& TMenuButton::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TMenuButton", &TButton::StaticClass());
    c.Obj(L"DropDownMenu", &TMenuButton::DropDownMenu);
    return c;
  }();
  return info;
}

TMenuButton::TMenuButton(TComponent* owner) : TOwnerDrawButton(owner) {}

void TMenuButton::SetDropDownMenu(TPopupMenu* menu) {
  if (menu == dropDownMenu_) return;
  if (dropDownMenu_) dropDownMenu_->RemoveFreeNotification(this);
  dropDownMenu_ = menu;
  if (menu) menu->FreeNotification(this);
}

void TMenuButton::Notification(TComponent* component, TOperation operation) {
  TOwnerDrawButton::Notification(component, operation);
  if (operation == TOperation::opRemove && component == dropDownMenu_) dropDownMenu_ = nullptr;
}

void TMenuButton::Click() {
  TOwnerDrawButton::Click();
  if (!dropDownMenu_ || !HandleAllocated()) return;
  const POINT below = ClientToScreen({0, Height()});
  dropDownMenu_->SetPopupComponent(this);
  dropDownMenu_->Popup(below.x, below.y);
}

void TMenuButton::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const bool enabled = (item.itemState & ODS_DISABLED) == 0;
  TSavedDC saved(dc);
  DrawPushFace(dc, item);
  SelectObject(dc, Font()->Handle());
  SetTextColor(dc, enabled ? ColorToRGB(Font()->Color()) : GetSysColor(COLOR_GRAYTEXT));
  SetBkMode(dc, TRANSPARENT);
  const int w = item.rcItem.right - item.rcItem.left, h = item.rcItem.bottom - item.rcItem.top;
  RECT text{item.rcItem.left, item.rcItem.top, item.rcItem.left + w - kDropDownArrowWidth,
            item.rcItem.bottom};
  const std::wstring caption = Caption();
  DrawTextW(dc, caption.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SetViewportOrgEx(dc, item.rcItem.left, item.rcItem.top, nullptr);
  DrawDropDownArrow(dc, w, h, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
}

// ---------------------------------------------------------------------------------------------
// TSpeedButton

const TClassInfo& TSpeedButton::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TSpeedButton", &TGraphicControl::StaticClass());
    c.Bool(L"AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp);
    c.Str(L"Caption", &TControl::Caption, &TControl::SetCaption);
    c.Bool(L"Down", &TSpeedButton::Down, &TSpeedButton::SetDown);
    c.Bool(L"Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat);
    c.Obj(L"Glyph", &TSpeedButton::Glyph);
    c.Int(L"GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex);
    c.Enum(L"Layout", ButtonLayoutInfo(), &TSpeedButton::Layout, &TSpeedButton::SetLayout);
    c.Int(L"Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin);
    c.Int(L"NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs);
    c.Int(L"Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing);
    return c;
  }();
  return info;
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
  SetParentColor(true);
  SetBounds(0, 0, 23, 22);
}

void TSpeedButton::SetNumGlyphs(int value) {
  glyph_.SetNumGlyphs(value);
  Invalidate();
}
void TSpeedButton::SetLayout(TButtonLayout value) {
  layout_ = value;
  Invalidate();
}
void TSpeedButton::SetMargin(int value) {
  margin_ = std::max(value, -1);
  Invalidate();
}
void TSpeedButton::SetSpacing(int value) {
  spacing_ = std::max(value, -1);
  Invalidate();
}
void TSpeedButton::SetFlat(bool value) {
  flat_ = value;
  Invalidate();
}
void TSpeedButton::SetAllowAllUp(bool value) { allowAllUp_ = value; }

void TSpeedButton::SetGroupIndex(int value) {
  groupIndex_ = value;
  if (groupIndex_ == 0) SetDown(false);
}

void TSpeedButton::SetDown(bool value) {
  if (groupIndex_ == 0) value = false;
  if (value == down_) return;
  down_ = value;
  if (down_) RaiseGroup();
  Invalidate();
}

void TSpeedButton::RaiseGroup() {
  TWinControl* parent = Parent();
  if (!parent) return;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    auto* other = dynamic_cast<TSpeedButton*>(parent->Controls(i));
    if (other && other != this && other->groupIndex_ == groupIndex_ && other->down_) {
      other->down_ = false;
      other->Invalidate();
    }
  }
}

void TSpeedButton::Click() {
  if (groupIndex_ != 0) {
    if (!down_) SetDown(true);
    else if (allowAllUp_) {
      down_ = false;
      Invalidate();
    }
  }
  TGraphicControl::Click();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && Enabled()) {
    pressed_ = true;
    Invalidate();
  }
  TGraphicControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  if (pressed_) {
    // Dragged off the button it comes up; back on it goes down again.
    const bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
    if (inside != mouseIn_) {
      mouseIn_ = inside;
      Invalidate();
    }
  }
  TGraphicControl::MouseMove(shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && pressed_) {
    pressed_ = false;
    Invalidate();
  }
  TGraphicControl::MouseUp(button, shift, x, y);
}

void TSpeedButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_MOUSEENTER:
      mouseIn_ = true;
      if (flat_) Invalidate();
      break;
    case CM_MOUSELEAVE:
      mouseIn_ = false;
      if (flat_ || pressed_) Invalidate();
      break;
    case CM_ENABLEDCHANGED:
      Invalidate();
      break;
    default:
      break;
  }
  TGraphicControl::WndProc(m);
}

void TSpeedButton::Paint() {
  TCanvas* canvas = Canvas();
  HDC dc = canvas->Handle();
  RECT r{0, 0, Width(), Height()};
  const bool shownDown = down_ || (pressed_ && mouseIn_);
  if (!flat_) {
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (shownDown ? DFCS_PUSHED : 0));
  } else {
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
    if (shownDown || (mouseIn_ && Enabled())) {
      DrawEdge(dc, &r, shownDown ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
  }
  SelectObject(dc, Font()->Handle());
  SetTextColor(dc, ColorToRGB(Font()->Color()));
  const int index = !Enabled() ? 1 : down_ ? 3 : shownDown ? 2 : 0;
  const POINT offset = shownDown ? POINT{1, 1} : POINT{0, 0};
  InflateRect(&r, -1, -1);
  DrawGlyphAndCaption(dc, r, TFacePicture{glyph_, index}, Caption(), layout_, margin_, spacing_, Enabled(),
                      offset);
}

}  // namespace ui
