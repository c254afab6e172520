#include "skin/controls/SkinBoxes.h"

#include <algorithm>
#include <cwctype>

#include "skin/data/ImgUtil.h"
#include "skin/data/SkinDerivedImages.h"
#include "ui/Messages.h"
#include "ui/StdCtrls.h"
#include "ui/SysUtils.h"

namespace skin {

namespace {

constexpr int kTransparentTag = 5555;
// A data-aware check box's notice that its field changed.
constexpr UINT kDataCheckChanged = 0xB0D0;

bool Contains(const std::wstring& text, const wchar_t* part) {
  return text.find(part) != std::wstring::npos;
}

int HeightOf(const RECT& r) { return r.bottom - r.top; }

const TDataSkinButton* ButtonsOf(const TSkinData* data) {
  return data ? data->Resolved().Button : nullptr;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// State to frame

int CheckBoxFrame(TCheckMark mark, bool enabled, int frameCount) {
  if (mark == cmGrayed) return frameCount == 12 ? (enabled ? 9 : 12) : 4;
  int frame = mark == cmChecked ? 2 : 1;
  if (!enabled) frame += 2;
  if (frameCount == 12) {
    static const int remap[] = {0, 1, 5, 4, 8};
    frame = remap[frame];
  }
  return frame;
}

int RadioButtonFrame(bool checked, bool enabled, int frameCount) {
  int frame = checked ? 2 : 1;
  if (!enabled) frame += 2;
  if (frameCount == 8) {
    static const int remap[] = {0, 1, 5, 4, 8};
    frame = remap[frame];
  }
  return frame;
}

// ---------------------------------------------------------------------------------------------
// TSkinMarkButton

void TSkinMarkButton::AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas,
                             bool changeColor) {
  if (hooked_) return;
  TSkinControl::AttachSkin(form, skinData, canvas, changeColor);
  DecideKind();
  transparent_ = (control_ && control_->Tag() == kTransparentTag) ||
                 (skinData_ && InSet(skinData_->Options(), xoTransparent));
}

// The skinner draws the whole class-library control (1); of a bare window it draws the mark
// over the window's own drawing (0).
void TSkinMarkButton::DecideKind() { kind_ = control_ ? 1 : 0; }

bool TSkinMarkButton::HasSkinParts(const TResolvedSkin&) const {
  const TSkinBitmap* strip = Strip();
  return strip && strip->Width() >= std::max(1, StripFrames()) && strip->Height() > 0;
}

bool TSkinMarkButton::BeforeMessage(ui::TMessage& m) {
  const bool passOn = TSkinControl::BeforeMessage(m);
  if ((m.Msg == WM_PAINT || m.Msg == WM_PRINT) && kind_ == 1) {
    HandlePaint(m);
    return false;
  }
  if (m.Msg == WM_ERASEBKGND && transparent_) {
    HandleErase(m);
    return false;
  }
  return passOn;
}

void TSkinMarkButton::AfterMessage(ui::TMessage& m) {
  switch (m.Msg) {
    case BM_SETCHECK:
    case BM_SETSTATE:  // the native button paints its pushed look at once
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_KEYUP:
    case ui::CM_EXIT:
    case kDataCheckChanged:
      Repaint();
      break;
    default:
      TSkinControl::AfterMessage(m);
      break;
  }
}

void TSkinMarkButton::Draw(HDC dc, const RECT& rect) {
  const TSkinBitmap* strip = Strip();
  const int count = std::max(1, StripFrames());
  if (!strip || strip->Empty()) return;
  const int w = strip->Width() / count, h = strip->Height();
  const int frame = CurrentFrame();
  const int top = rect.top + (HeightOf(rect) - h) / 2;
  RECT mark{rect.left, top, rect.left + w, top + h};
  RECT text{rect.left + w + 2, rect.top, rect.right, rect.bottom};
  UINT flags = 0;
  if (handle_ && (GetLong(GWL_STYLE) & BS_LEFTTEXT)) {
    mark.right = rect.right - RightInset();
    mark.left = mark.right - w;
    text = {rect.left, rect.top, rect.right - w - 2 - RightInset(), rect.bottom};
    if (BiDiFlags(0) & DT_RTLREADING) flags |= DT_RIGHT | DT_RTLREADING;
  }
  if (kind_ == 1 && !transparent_) FillFace(dc, rect);
  DrawStripFrame(dc, mark, count, frame, *strip);
  if (kind_ == 0) return;

  text_ = control_ ? ui::GetTextProp(control_, L"Caption") : ReadWindowText(handle_);
  const int saved = SaveDC(dc);
  const ui::TFont* font = control_ ? ui::GetObjectProp<ui::TFont>(control_, L"Font") : nullptr;
  HGDIOBJ fontHandle = font ? static_cast<HGDIOBJ>(font->Handle())
                            : reinterpret_cast<HGDIOBJ>(SendMessageW(handle_, WM_GETFONT, 0, 0));
  if (fontHandle) SelectObject(dc, fontHandle);
  const bool enabled = control_ ? control_->Enabled() : IsWindowEnabled(handle_) != FALSE;
  SetTextColor(dc, enabled && font ? ui::ColorToRGB(font->Color()) : GetSysColor(COLOR_BTNSHADOW));
  SetBkColor(dc, ui::ColorToRGB(FaceColour()));
  SetBkMode(dc, TRANSPARENT);
  flags |= DT_EXPANDTABS | DT_WORDBREAK;
  RECT measured = text;
  DrawTextWide(dc, text_, measured, flags | DT_CALCRECT | DT_NOCLIP);
  OffsetRect(&text, 0, (HeightOf(text) - HeightOf(measured)) / 2);
  if (handle_ && GetFocus() == handle_ && !text_.empty()) DrawTextFocus(dc, flags, text);
  DrawTextWide(dc, text_, text, flags);
  RestoreDC(dc, saved);
}

// ---------------------------------------------------------------------------------------------
// TSkinCheckBox

void TSkinCheckBox::AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas,
                           bool changeColor) {
  if (hooked_) return;
  TSkinMarkButton::AttachSkin(form, skinData, canvas, changeColor);
  lastSetCheck_ = 0;
}

void TSkinCheckBox::AfterMessage(ui::TMessage& m) {
  if (m.Msg == BM_SETCHECK) lastSetCheck_ = static_cast<int>(m.WParam) + 1;
  TSkinMarkButton::AfterMessage(m);
}

const TSkinBitmap* TSkinCheckBox::Strip() const {
  const TDataSkinButton* buttons = ButtonsOf(skinData_);
  return buttons ? buttons->CheckBitmap.get() : nullptr;
}

int TSkinCheckBox::StripFrames() const {
  const TDataSkinButton* buttons = ButtonsOf(skinData_);
  return buttons ? buttons->CheckButtonFrame : 0;
}

int TSkinCheckBox::CurrentFrame() {
  const LRESULT state = handle_ ? SendMessageW(handle_, BM_GETSTATE, 0, 0) : 0;
  TCheckMark mark = (state & BST_CHECKED) ? cmChecked : cmUnchecked;
  if (const auto* own = dynamic_cast<const ui::TCustomCheckBox*>(control_)) {
    // Our own check box answers its state directly.
    static constexpr TCheckMark marks[] = {cmUnchecked, cmChecked, cmGrayed};
    mark = marks[own->State()];
  } else if (control_) {
    if (ui::IsPublishedProp(control_, L"State")) {
      const std::wstring text = ui::LowerCase(ui::GetEnumPropText(control_, L"State"));
      if (Contains(text, L"uncheck")) mark = cmUnchecked;
      else if (Contains(text, L"check")) mark = cmChecked;
      else if (Contains(text, L"gray")) mark = cmGrayed;
    } else if (ui::IsPublishedProp(control_, L"Checked")) {
      const bool checked = ui::LowerCase(ui::GetEnumPropText(control_, L"Checked")) == L"true";
      mark = checked ? cmChecked : cmUnchecked;
    }
    // A data-aware box shows what its field last set.
    if (ui::IsPublishedProp(control_, L"DataField") && lastSetCheck_ != 0) {
      mark = lastSetCheck_ == 2 ? cmChecked : lastSetCheck_ == 1 ? cmUnchecked : cmGrayed;
    }
    if (ui::IsPublishedProp(control_, L"DataBinding")) mark = cmUnchecked;
  }
  if (state & BST_INDETERMINATE) mark = cmGrayed;
  const bool enabled = !handle_ || (GetLong(GWL_STYLE) & WS_DISABLED) == 0;
  return CheckBoxFrame(mark, enabled, StripFrames());
}

// ---------------------------------------------------------------------------------------------
// TSkinRadioButton

const TSkinBitmap* TSkinRadioButton::Strip() const {
  const TDataSkinButton* buttons = ButtonsOf(skinData_);
  return buttons ? buttons->RadioBitmap.get() : nullptr;
}

int TSkinRadioButton::StripFrames() const {
  const TDataSkinButton* buttons = ButtonsOf(skinData_);
  return buttons ? buttons->RadioButtonFrame : 0;
}

int TSkinRadioButton::CurrentFrame() {
  bool checked = handle_ && (SendMessageW(handle_, BM_GETCHECK, 0, 0) & 1);
  if (const auto* own = dynamic_cast<const ui::TRadioButton*>(control_)) {
    checked = own->Checked();
  } else if (control_ && ui::IsPublishedProp(control_, L"Checked")) {
    checked = ui::LowerCase(ui::GetEnumPropText(control_, L"Checked")) == L"true";
  }
  const bool enabled = !handle_ || (GetLong(GWL_STYLE) & WS_DISABLED) == 0;
  return RadioButtonFrame(checked, enabled, StripFrames());
}

// ---------------------------------------------------------------------------------------------
// TSkinGroupBox

void TSkinGroupBox::AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas,
                           bool changeColor) {
  if (hooked_) return;
  TSkinControl::AttachSkin(form, skinData, canvas, changeColor);
  kind_ = control_ ? 1 : 0;
}

bool TSkinGroupBox::BeforeMessage(ui::TMessage& m) {
  const bool passOn = TSkinControl::BeforeMessage(m);
  if (m.Msg == WM_PAINT && kind_ == 1) {
    HandlePaint(m);
    return false;
  }
  return passOn;
}

void TSkinGroupBox::Draw(HDC dc, const RECT& rect) {
  text_ = ReadWindowText(handle_);
  if (text_.empty() && control_) text_ = ui::GetTextProp(control_, L"Caption");
  const int saved = SaveDC(dc);
  if (control_) FillFace(dc, rect);
  const ui::TFont* font = control_ ? ui::GetObjectProp<ui::TFont>(control_, L"Font") : nullptr;
  HGDIOBJ fontHandle = font ? static_cast<HGDIOBJ>(font->Handle())
                            : reinterpret_cast<HGDIOBJ>(SendMessageW(handle_, WM_GETFONT, 0, 0));
  if (fontHandle) SelectObject(dc, fontHandle);
  if (font) SetTextColor(dc, ui::ColorToRGB(font->Color()));
  // Half the line: where the frame runs, with or without a caption.
  SIZE zero{};
  GetTextExtentPoint32W(dc, L"0", 1, &zero);
  const int t = zero.cy / 2 - 1;
  if (kind_ == 0) {
    // Hide the native edge under the skinned one.
    const ui::TBrushHandle face(CreateSolidBrush(ui::ColorToRGB(FaceColour())));
    RECT edge{0, t, rect.right, rect.bottom};
    FrameRect(dc, &edge, face.Get());
    InflateRect(&edge, -1, -1);
    FrameRect(dc, &edge, face.Get());
  }
  ui::TPenHandle pen(CreatePen(PS_SOLID, 1, ui::ColorToRGB(ShadowColour())));
  SelectObject(dc, pen.Get());
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  RoundRect(dc, 1, t, rect.right - 1, rect.bottom - 1, 5, 5);
  // The caption on the face colour interrupts the frame line.
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, ui::ColorToRGB(FaceColour()));
  const bool right = handle_ && (GetWindowLongW(handle_, GWL_EXSTYLE) & WS_EX_RIGHT);
  RECT text = right ? RECT{rect.left, rect.top, rect.right - 8, rect.bottom}
                    : RECT{rect.left + 8, rect.top, rect.right, rect.bottom};
  if (!text_.empty()) {
    DrawTextWide(dc, text_, text, right ? BiDiFlags(DT_RIGHT | DT_EXPANDTABS) : DT_EXPANDTABS);
  }
  RestoreDC(dc, saved);
  if (kind_ == 1) PaintGraphicChildren(control_, dc);
}

// ---------------------------------------------------------------------------------------------
// TSkinBox

void TSkinBox::AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas,
                      bool changeColor) {
  if (hooked_) return;
  auto* control = dynamic_cast<ui::TControl*>(Owner());
  if (!control) return;
  changeColor_ = changeColor;
  skinData_ = skinData;
  canvas_ = canvas;
  control_ = control;
  if (auto* windowed = dynamic_cast<ui::TWinControl*>(control)) handle_ = windowed->HandleIfAllocated();
  form_ = form;
  Register(form);
  if (changeColor_) {
    ParentBackgroundOn();
    savedColor_ = control->Color();
    control->SetColor(FaceColour());
  }
  if (parentBackgroundChanged_) kind_ = 1;
  hooked_ = true;
  status_ = kSkinnerAttached;
}

void TSkinBox::Detach() {
  constexpr int kDetached = 2, kLeftAlone = 4;
  if (status_ != kLeftAlone && changeColor_ && control_) {
    ParentBackgroundOff();
    control_->SetColor(savedColor_);
  }
  status_ = kDetached;
}

// ---------------------------------------------------------------------------------------------
// TSkinBoxH

bool TSkinBoxH::BeforeMessage(ui::TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND: {
      RECT r{};
      GetWindowRect(handle_, &r);
      OffsetRect(&r, -r.left, -r.top);
      FillFace(reinterpret_cast<HDC>(m.WParam), r);
      m.Result = 0;
      return false;
    }
    case WM_CTLCOLORSTATIC:
      CallPrevious(m);
      if (skinData_) m.Result = reinterpret_cast<LRESULT>(skinData_->ButtonFaceBrush());
      return false;
    default:
      return TSkinControl::BeforeMessage(m);
  }
}

}  // namespace skin
