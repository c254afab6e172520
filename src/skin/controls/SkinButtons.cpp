#include "skin/controls/SkinButtons.h"

#include <windowsx.h>

#include <algorithm>
#include <cwctype>

#include "skin/data/ImgUtil.h"
#include "skin/data/SkinDerivedImages.h"
#include "ui/Messages.h"
#include "ui/SysUtils.h"

namespace skin {

namespace {

constexpr int kTransparentTag = 5555;

bool IsTrue(const ui::TObject* object, const wchar_t* name) {
  return ui::LowerCase(ui::GetEnumPropText(object, name)) == L"true";
}

int WidthOf(const RECT& r) { return r.right - r.left; }
int HeightOf(const RECT& r) { return r.bottom - r.top; }

ui::TButtonLayout LayoutOf(const ui::TObject* control) {
  const std::wstring layout = ui::LowerCase(ui::GetEnumPropText(control, L"Layout"));
  if (layout == L"blglyphright") return ui::blGlyphRight;
  if (layout == L"blglyphtop") return ui::blGlyphTop;
  if (layout == L"blglyphbottom") return ui::blGlyphBottom;
  return ui::blGlyphLeft;
}

// What a glyph button's face is laid out from.
struct TGlyphButtonLook {
  const ui::TBitmap* Strip = nullptr;
  int NumGlyphs = 1;
  ui::TButtonLayout Layout = ui::blGlyphLeft;
  int Margin = 0;
  int Spacing = 0;
  bool Centred = false;
  // Without a glyph: the image list's pictures for the enabled and the disabled state.
  const ui::TCustomImageList* Images = nullptr;
  int ImageIndex = -1;
  int DisabledIndex = -1;

  // The size of the picture beside the caption: a glyph of the strip, else one of the list
  // when an image is chosen, else none.
  SIZE GlyphSize() const {
    if (Strip && !Strip->Empty()) return {Strip->Width() / std::max(NumGlyphs, 1), Strip->Height()};
    if (Images && ImageIndex != -1) return {Images->Width(), Images->Height()};
    return {0, 0};
  }
  // The list's picture for the state; -1 for none.
  int ListIndex(bool enabled) const {
    return !enabled && DisabledIndex != -1 ? DisabledIndex : ImageIndex;
  }
};

template <class TGlyphButton>
TGlyphButtonLook OwnLook(const TGlyphButton& button) {
  return {button.Glyph(), button.NumGlyphs(), button.Layout(), button.Margin(), button.Spacing(),
          false};
}

TGlyphButtonLook OwnLook(const ui::TBitBtn& button) {
  TGlyphButtonLook look{button.Glyph(), button.NumGlyphs(), button.Layout(), button.Margin(),
                        button.Spacing(), false};
  look.Images = button.Images();
  look.ImageIndex = button.ImageIndex();
  look.DisabledIndex = button.DisabledIndex();
  return look;
}

// The class library's glyph buttons answer through their accessors; another class's
// properties are read by name, its picture from `glyphProperty` (one glyph as wide as the
// picture) when that is given.
TGlyphButtonLook ReadGlyphButtonLook(const ui::TObject* c, const std::wstring& glyphProperty) {
  const bool foreign = !glyphProperty.empty();
  if (!foreign) {
    if (const auto* b = dynamic_cast<const ui::TBitBtn*>(c)) return OwnLook(*b);
    if (const auto* b = dynamic_cast<const ui::TSpeedButton*>(c)) return OwnLook(*b);
  }
  TGlyphButtonLook look;
  look.Strip = ui::GetObjectProp<ui::TBitmap>(c, foreign ? glyphProperty : L"Glyph");
  look.NumGlyphs = foreign ? 1 : ui::GetIntProp(c, L"NumGlyphs");
  look.Layout = LayoutOf(c);
  look.Margin = ui::GetIntProp(c, L"Margin");
  look.Spacing = ui::GetIntProp(c, L"Spacing");
  look.Centred = ui::LowerCase(ui::GetEnumPropText(c, L"Alignment")) == L"tacenter";
  if (!foreign) {
    look.Images = ui::GetObjectProp<ui::TCustomImageList>(c, L"Images");
    look.ImageIndex = ui::GetIntProp(c, L"ImageIndex");
    look.DisabledIndex = ui::GetIntProp(c, L"DisabledIndex");
  }
  return look;
}

// What a speed button's face depends on besides the mouse.
struct TSpeedButtonState {
  bool Down = false;
  bool Enabled = true;
  bool Flat = false;
  const ui::TBitmap* Glyph = nullptr;
};

// The class library's speed button answers through its accessors; another class's
// properties are read by name.
TSpeedButtonState ReadSpeedButtonState(const ui::TControl& c) {
  if (const auto* own = dynamic_cast<const ui::TSpeedButton*>(&c)) {
    return {own->Down(), own->Enabled(), own->Flat(), own->Glyph()};
  }
  return {IsTrue(&c, L"Down"), IsTrue(&c, L"Enabled"), IsTrue(&c, L"Flat"),
          ui::GetObjectProp<ui::TBitmap>(&c, L"Glyph")};
}

// Transparent text in the rectangle; the background mode is put back afterwards.
void DrawTextTransparent(HDC dc, const std::wstring& text, RECT r, UINT flags) {
  const int mode = SetBkMode(dc, TRANSPARENT);
  DrawTextWide(dc, text, r, flags);
  SetBkMode(dc, mode);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// State to frame

TSkinFrame ButtonFrame(const TSkinState& s) {
  TSkinFrame frame = sfNormal;
  if (s.Focused) frame = sfFocused;
  if (s.Pressed) frame = sfPressed;
  else if (s.Hot) frame = sfHot;
  if (!s.Enabled) frame = sfDisabled;
  return frame;
}

TSkinFrame BitButtonFrame(const TSkinState& s) {
  if (!s.Enabled) return sfDisabled;
  if (s.Pressed) return sfPressed;
  if (s.Hot) return sfHot;
  if (s.Focused) return sfFocused;
  return sfNormal;
}

TSkinFrame MenuButtonFrame(const TSkinState& s) {
  if (!s.Enabled) return sfDisabled;
  if (s.Pressed) return sfPressed;
  if (s.Focused || s.Hot) return sfHot;
  return sfNormal;
}

TSkinFrame SpeedButtonFrame(const TSkinState& s, bool down) {
  if (down) return sfPressed;
  if (!s.Enabled) return sfDisabled;
  if (s.Pressed) return sfPressed;
  if (s.Hot) return sfHot;
  return sfNormal;
}

int GlyphForFrame(TSkinFrame frame, bool down) {
  if (down) return 4;
  if (frame == sfPressed) return 3;
  if (frame == sfDisabled) return 2;
  return 1;
}

std::wstring BreakCaption(const std::wstring& caption) {
  std::wstring text = caption;
  const std::size_t at = text.find(L"||");
  if (at != std::wstring::npos) text.replace(at, 2, L"\r\n");
  return text;
}

// ---------------------------------------------------------------------------------------------
// TSkinButton

TSkinButton::TSkinButton(ui::TComponent* owner)
    : TSkinControl(owner), face_(std::make_unique<ui::TBitmap>()) {}

TSkinButton::~TSkinButton() = default;

void TSkinButton::AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas,
                         bool changeColor) {
  if (hooked_) return;
  TSkinControl::AttachSkin(form, skinData, canvas, changeColor);
  if (!control_) return;
  const std::wstring name = ui::LowerCase(control_->ClassName());
  kind_ = name.rfind(L"trz", 0) == 0 || name.rfind(L"tel", 0) == 0 ? 1 : 0;
  transparent_ = control_->Tag() == kTransparentTag ||
                 (skinData_ && InSet(skinData_->Options(), xoTransparent));
}

bool TSkinButton::BeforeMessage(ui::TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      HandlePaint(m);
      return false;
    case WM_ERASEBKGND:
      m.Result = 1;  // the face is always painted whole
      return false;
    case WM_TIMER:
      if (handle_) KillTimer(handle_, 1);
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // The native button never sees the press: it neither captures the mouse nor paints
      // itself pressed, and so never clicks on its own.
      if (handle_ && GetFocus() != handle_) SetFocus(handle_);
      state_ |= kStatePressed;
      PaintWindow(nullptr);
      if (!ForeignClass() && control_) ForwardMouseDown(m);
      return false;
    default:
      return TSkinControl::BeforeMessage(m);
  }
}

void TSkinButton::AfterMessage(ui::TMessage& m) {
  switch (m.Msg) {
    case WM_SETTEXT:
      PaintWindow(nullptr);
      break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
      TrackMouseState(m, true);
      break;
    case WM_LBUTTONUP: {
      if (!Pressed()) break;
      state_ &= ~kStatePressed;
      Repaint();
      // Only a release over the button clicks it.
      RECT client{};
      if (handle_) GetClientRect(handle_, &client);
      const POINT at{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      if (handle_ && !PtInRect(&client, at)) break;
      ClickControl();  // may free the control and this skinner: nothing follows
      break;
    }
    case ui::CM_DIALOGKEY:
    case ui::CM_FOCUSCHANGED:
      Repaint();
      break;
    default:
      TSkinControl::AfterMessage(m);
      break;
  }
}

void TSkinButton::ClickControl() {
  if (control_) {
    control_->Click();
    return;
  }
  if (!handle_) return;
  char name[101] = {};
  GetClassNameA(handle_, name, 100);
  const std::wstring cls = ui::LowerCase(AnsiToWide(name));
  const WPARAM id = cls == L"tbutton" ? 0 : MAKEWPARAM(GetDlgCtrlID(handle_), BN_CLICKED);
  PostMessageW(GetParent(handle_), WM_COMMAND, id, reinterpret_cast<LPARAM>(handle_));
}

TSkinState TSkinButton::ReadState() {
  if (handle_) {
    focused_ = GetFocus() == handle_;
    enabled_ = (GetLong(GWL_STYLE) & WS_DISABLED) == 0;
  } else if (const ui::TControl* c = control_ ? control_ : graphicControl_) {
    focused_ = false;
    enabled_ = c->Enabled();
  }
  return {enabled_, Hot(), Pressed(), focused_};
}

std::wstring TSkinButton::ReadCaption() const {
  if (control_) return ui::GetTextProp(control_, L"Caption");
  return ReadWindowText(handle_);
}

bool TSkinButton::HasSkinParts(const TResolvedSkin& skin) const {
  return HasFrames(skin.Button, skin.Button ? skin.Button->Frame : 1);
}

const TDataSkinButton* TSkinButton::ButtonsElement() const {
  if (!skinData_) return nullptr;
  const TDataSkinButton* element = skinData_->Resolved().Button;
  if (!element || !element->Bitmap || element->Bitmap->Empty()) return nullptr;
  return element;
}

HDC TSkinButton::BeginFace(const RECT& rect, int frame) {
  const RECT r{0, 0, WidthOf(rect), HeightOf(rect)};
  face_->SetSize(r.right, r.bottom);
  HDC dc = face_->Canvas()->Handle();
  if (transparent_ && control_) PaintParentImage(*control_, dc);
  else FillFace(dc, r);
  if (frame > 0) {
    const TDataSkinButton* element = ButtonsElement();
    DrawSkinElement(dc, r, std::max(1, element->Frame), frame, element);
  }
  return dc;
}

HGDIOBJ TSkinButton::SelectCaptionFont(HDC dc) {
  if (const auto* font = control_ ? ui::GetObjectProp<ui::TFont>(control_, L"Font") : nullptr) {
    SetTextColor(dc, ui::ColorToRGB(font->Color()));
    return SelectObject(dc, font->Handle());
  }
  HGDIOBJ font = handle_ ? reinterpret_cast<HGDIOBJ>(SendMessageW(handle_, WM_GETFONT, 0, 0)) : nullptr;
  SetTextColor(dc, ui::ColorToRGB(ResolveColour(skinData_->Colours().ButtonText)));
  return SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
}

COLORREF TSkinButton::CaptionColour(int frame) const {
  const TDataSkinButton* e = ButtonsElement();
  if (!enabled_) return GetSysColor(COLOR_BTNSHADOW);
  if (e && frame == sfNormal && e->HasNormalColour2) return ui::ColorToRGB(ResolveColour(e->NormalColour2));
  if (e && frame == sfHot && e->HasMouseOverColour2) return ui::ColorToRGB(ResolveColour(e->MouseOverColour2));
  if (e && frame == sfPressed && e->HasPressedColour2) return ui::ColorToRGB(ResolveColour(e->PressedColour2));
  return CLR_INVALID;  // the font's own colour stays
}

void TSkinButton::DrawButtonCaption(HDC dc, const RECT& rect, UINT alignment,
                                    const std::wstring& text) {
  text_ = BreakCaption(text);
  const UINT flags = alignment | DT_EXPANDTABS | DT_WORDBREAK;
  RECT r = rect;
  InflateRect(&r, -2, -2);
  DrawTextWide(dc, text_, r, flags | DT_CALCRECT | DT_NOCLIP);
  OffsetRect(&r, -r.left, -r.top);
  const int w = WidthOf(r), h = HeightOf(r);
  const int W = WidthOf(rect), H = HeightOf(rect);
  if (alignment == DT_CENTER) {
    OffsetRect(&r, rect.left + (W - w) / 2, rect.top + (H - h) / 2 - 1);
  } else {
    OffsetRect(&r, 0, rect.top + (H - h) / 2 - 1);
    r.left = rect.left;
    r.right = rect.right;
  }
  DrawTextTransparent(dc, text_, r, BiDiFlags(flags));
  if (focused_ && !(skinData_ && InSet(skinData_->Options(), xoNoFocusRect))) {
    InflateRect(&r, 2, 2);
    DrawFocusRect(dc, &r);
  }
}

void TSkinButton::DrawPlacedCaption(HDC dc, const RECT& textRect, UINT flags,
                                    const std::wstring& text) {
  if (!text.empty()) DrawTextTransparent(dc, text, textRect, BiDiFlags(flags));
  if (focused_ && !(skinData_ && InSet(skinData_->Options(), xoNoFocusRect))) {
    RECT r = textRect;
    InflateRect(&r, 2, 2);
    DrawFocusRect(dc, &r);
  }
}

void TSkinButton::Draw(HDC dc, const RECT& rect) {
  if (!ButtonsElement() || rect.right <= rect.left || rect.bottom <= rect.top) return;
  const TSkinFrame frame = ButtonFrame(ReadState());
  HDC face = BeginFace(rect, frame);
  HGDIOBJ oldFont = SelectCaptionFont(face);
  if (const COLORREF colour = CaptionColour(frame); colour != CLR_INVALID) SetTextColor(face, colour);
  DrawButtonCaption(face, {0, 0, WidthOf(rect), HeightOf(rect)}, DT_CENTER, ReadCaption());
  BitBlt(dc, rect.left, rect.top, WidthOf(rect), HeightOf(rect), face, 0, 0, SRCCOPY);
  SelectObject(face, oldFont);
}

// ---------------------------------------------------------------------------------------------
// TSkinBitButton

void TSkinBitButton::DrawGlyphFace(HDC dc, const RECT& client, int frame, int glyph,
                                   ui::TGlyphLayoutRule rule) {
  const ui::TObject* c = control_ ? static_cast<ui::TObject*>(control_) : graphicControl_;
  const bool foreign = !glyphProperty_.empty();
  const TGlyphButtonLook look = ReadGlyphButtonLook(c, glyphProperty_);
  const ui::TBitmap* strip = look.Strip;
  const int numGlyphs = std::max(look.NumGlyphs, 1);
  const SIZE g = look.GlyphSize();
  const SIZE size{WidthOf(client), HeightOf(client)};
  const std::wstring text = BreakCaption(ReadCaption());
  const SIZE t = ui::MeasureGlyphButtonCaption(dc, text, size, g, look.Layout);
  const ui::TGlyphButtonLayout place = ui::LayoutGlyphButton(
      size, g, t, look.Layout, look.Margin, look.Spacing, look.Centred, rule);
  if (g.cx > 0 && g.cy > 0) {
    const POINT at{client.left + place.Glyph.x, client.top + place.Glyph.y};
    if (!strip || strip->Empty()) look.Images->Draw(dc, at.x, at.y, look.ListIndex(enabled_));
    else if (foreign) ui::DrawButtonGlyph(dc, at, *strip, 1, 0);
    else ui::DrawButtonGlyph(dc, at, *strip, numGlyphs, glyph - 1);
  }
  if (const COLORREF colour = CaptionColour(frame); colour != CLR_INVALID) SetTextColor(dc, colour);
  RECT textRect = place.Text;
  OffsetRect(&textRect, client.left, client.top);
  text_ = text;
  DrawPlacedCaption(dc, textRect, place.TextFlags, text);
}

void TSkinBitButton::Draw(HDC dc, const RECT& rect) {
  if (!ButtonsElement() || rect.right <= rect.left || rect.bottom <= rect.top) return;
  const TSkinFrame frame = BitButtonFrame(ReadState());
  HDC face = BeginFace(rect, frame);
  HGDIOBJ oldFont = SelectCaptionFont(face);
  DrawGlyphFace(face, {0, 0, WidthOf(rect), HeightOf(rect)}, frame, GlyphForFrame(frame, false),
                ui::glPushButton);
  BitBlt(dc, rect.left, rect.top, WidthOf(rect), HeightOf(rect), face, 0, 0, SRCCOPY);
  SelectObject(face, oldFont);
}

// ---------------------------------------------------------------------------------------------
// TSkinSpeedButton

TSkinSpeedButton::~TSkinSpeedButton() { Unhook(); }

void TSkinSpeedButton::AttachGraphic(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas) {
  if (hooked_) return;
  auto* control = dynamic_cast<ui::TControl*>(Owner());
  if (!control) return;
  skinData_ = skinData;
  form_ = form;
  canvas_ = canvas;
  control_ = control;         // its properties are read by name
  graphicControl_ = control;  // painted on its parent, repainted through it
  HookControl(*control);
  Register(form);
  transparent_ = control->Tag() == kTransparentTag ||
                 (skinData_ && InSet(skinData_->Options(), xoTransparent));
  hooked_ = true;
  status_ = kSkinnerAttached;
  control->Invalidate();
  Attached([=, this] { AttachGraphic(form, skinData, canvas); });
}

bool TSkinSpeedButton::BeforeMessage(ui::TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      if (m.WParam && graphicControl_) {
        Draw(reinterpret_cast<HDC>(m.WParam), {0, 0, graphicControl_->Width(), graphicControl_->Height()});
      }
      m.Result = 1;
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      // The speed button keeps its own press (and later its own click).
      const std::shared_ptr<bool> alive = AliveFlag();
      CallPrevious(m);
      if (!*alive) return false;
      state_ |= kStatePressed;
      PaintWindow(nullptr);
      return false;
    }
    case WM_LBUTTONUP:
      return true;
    default:
      return TSkinButton::BeforeMessage(m);
  }
}

void TSkinSpeedButton::AfterMessage(ui::TMessage& m) {
  switch (m.Msg) {
    case WM_ENABLE:
    case ui::CM_FOCUSCHANGED:
    case ui::CM_ENABLEDCHANGED:
      break;
    case WM_NCDESTROY:
    case ui::CM_RELEASE:
      Unhook();
      break;
    case WM_KEYDOWN:
    case WM_KEYUP:
      TrackMouseState(m, true);
      break;
    case WM_LBUTTONUP:
      // The control clicked itself; the skinner only shows the button up again.
      state_ &= ~kStatePressed;
      Repaint();
      break;
    case ui::CM_MOUSEENTER:
      if (graphicControl_ && graphicControl_->Enabled()) state_ |= kStateHot;
      Repaint();
      break;
    case ui::CM_MOUSELEAVE:
      state_ &= ~(kStateHot | kStatePressed);
      if (graphicControl_ && graphicControl_->Visible()) Repaint();
      break;
    default:
      TSkinButton::AfterMessage(m);
      break;
  }
}

void TSkinSpeedButton::PaintWindow(HDC dc) {
  if (!graphicControl_) return;
  if (dc) {
    Draw(dc, {0, 0, graphicControl_->Width(), graphicControl_->Height()});
    return;
  }
  graphicControl_->Invalidate();
  graphicControl_->Update();
}

void TSkinSpeedButton::Draw(HDC dc, const RECT& rect) {
  if (!ButtonsElement() || painting_ || !graphicControl_) return;
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  painting_ = true;
  struct TClear {
    bool& flag;
    ~TClear() { flag = false; }
  } clear{painting_};
  const TSpeedButtonState button = ReadSpeedButtonState(*graphicControl_);
  const bool down = button.Down;
  TSkinState state{button.Enabled, Hot(), Pressed(), false};
  enabled_ = state.Enabled;
  focused_ = false;
  const TSkinFrame frame = SpeedButtonFrame(state, down);
  // A flat button shows only its background until it is hot, pressed or down.
  const bool framed = frame == sfPressed || frame == sfHot || !button.Flat;
  HDC face = BeginFace(rect, framed ? frame : 0);
  HGDIOBJ oldFont = SelectCaptionFont(face);
  const RECT client{0, 0, WidthOf(rect), HeightOf(rect)};
  if (button.Glyph && !button.Glyph->Empty()) {
    DrawGlyphFace(face, client, frame, GlyphForFrame(frame, down), ui::glSpeedButton);
  } else {
    if (const COLORREF colour = CaptionColour(frame); colour != CLR_INVALID) SetTextColor(face, colour);
    DrawButtonCaption(face, client, DT_CENTER, ReadCaption());
  }
  BitBlt(dc, rect.left, rect.top, client.right, client.bottom, face, 0, 0, SRCCOPY);
  SelectObject(face, oldFont);
}

// ---------------------------------------------------------------------------------------------
// TSkinMenuButton

void TSkinMenuButton::Draw(HDC dc, const RECT& rect) {
  if (!ButtonsElement() || rect.right <= rect.left || rect.bottom <= rect.top) return;
  constexpr int kArrowWidth = ui::kDropDownArrowWidth;
  const TSkinFrame frame = MenuButtonFrame(ReadState());
  HDC face = BeginFace(rect, frame);
  HGDIOBJ oldFont = SelectCaptionFont(face);
  const int W = WidthOf(rect), H = HeightOf(rect);
  const std::wstring text = BreakCaption(ReadCaption());
  RECT measured{2, 2, W - kArrowWidth - 2, H - 2};
  SIZE t{0, 0};
  if (!text.empty()) {
    DrawTextWide(face, text, measured, DT_CALCRECT | DT_WORDBREAK);
    t = {WidthOf(measured), HeightOf(measured)};
  }
  const int x = (W - kArrowWidth - t.cx) / 2 + 2, y = (H - t.cy + 1) / 2;
  if (const COLORREF colour = CaptionColour(frame); colour != CLR_INVALID) SetTextColor(face, colour);
  text_ = text;
  DrawPlacedCaption(face, {x, y, x + t.cx, y + t.cy}, DT_WORDBREAK, text);
  ui::DrawDropDownArrow(face, W, H, GetSysColor(enabled_ ? COLOR_WINDOWTEXT : COLOR_BTNSHADOW));
  BitBlt(dc, rect.left, rect.top, W, H, face, 0, 0, SRCCOPY);
  SelectObject(face, oldFont);
}

}  // namespace skin
