#include "ui/StdCtrls.h"

#include <algorithm>

#include "ui/DrawingScopes.h"

namespace ui {

const TEnumInfo& BorderStyleInfo() {
  static const TEnumInfo info(L"TBorderStyle", {L"bsNone", L"bsSingle"});
  return info;
}

const TEnumInfo& ScrollStyleInfo() {
  static const TEnumInfo info(L"TScrollStyle", {L"ssNone", L"ssHorizontal", L"ssVertical", L"ssBoth"});
  return info;
}

const TEnumInfo& CheckBoxStateInfo() {
  static const TEnumInfo info(L"TCheckBoxState", {L"cbUnchecked", L"cbChecked", L"cbGrayed"});
  return info;
}

const TEnumInfo& TextLayoutInfo() {
  static const TEnumInfo info(L"TTextLayout", {L"tlTop", L"tlCenter", L"tlBottom"});
  return info;
}

// ---------------------------------------------------------------------------------------------
// TButtonControl, TButton

const TClassInfo& TButtonControl::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TButtonControl", &TWinControl::StaticClass());
    c.Str(L"Caption", &TControl::Caption, &TControl::SetCaption);
    return c;
  }();
  return info;
}

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
  acceptsControls_ = false;
  clickEvents_ = false;  // the window reports clicks itself
  SetTabStop(true);
}

void TButtonControl::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SystemClass = L"BUTTON";
}

void TButtonControl::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    if (HIWORD(m.WParam) == BN_CLICKED) Clicked();
    return;
  }
  TWinControl::WndProc(m);
}

const TClassInfo& TButton::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TButton", &TButtonControl::StaticClass());
    c.Bool(L"Cancel", &TButton::Cancel, &TButton::SetCancel);
    c.Bool(L"Default", &TButton::Default, &TButton::SetDefault);
    return c;
  }();
  return info;
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
  SetColor(clBtnFace);
  SetBounds(0, 0, 75, 25);
}

void TButton::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  p.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool value) {
  if (value == default_) return;
  default_ = value;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

// ---------------------------------------------------------------------------------------------
// TCustomCheckBox, TCheckBox

const TClassInfo& TCustomCheckBox::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TCustomCheckBox", &TButtonControl::StaticClass());
    c.Enum(L"Alignment", AlignmentInfo(), &TCustomCheckBox::Alignment, &TCustomCheckBox::SetAlignment);
    c.Bool(L"AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed);
    c.Bool(L"Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked);
    c.Enum(L"State", CheckBoxStateInfo(), &TCustomCheckBox::State, &TCustomCheckBox::SetState);
    return c;
  }();
  return info;
}

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) {
  SetParentColor(true);
  SetBounds(0, 0, 97, 17);
}

void TCustomCheckBox::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  // A three-state box that does not change by itself: Clicked decides the next state, so
  // that cbGrayed can be shown even when clicks never lead to it.
  p.Style |= BS_3STATE;
  if (alignment_ == taLeftJustify) p.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::CreateHandleDone() {
  SendMessageW(HandleIfAllocated(), BM_SETCHECK, static_cast<WPARAM>(state_), 0);
}

void TCustomCheckBox::DestroyWnd() {
  state_ = State();  // the window goes; its check state stays for the next one
  TButtonControl::DestroyWnd();
}

TCheckBoxState TCustomCheckBox::State() const {
  HWND h = HandleIfAllocated();
  if (!h) return state_;
  switch (SendMessageW(h, BM_GETCHECK, 0, 0)) {
    case BST_CHECKED: return cbChecked;
    case BST_INDETERMINATE: return cbGrayed;
    default: return cbUnchecked;
  }
}

void TCustomCheckBox::SetState(TCheckBoxState state) {
  if (state < cbUnchecked || state > cbGrayed) return;
  state_ = state;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, BM_SETCHECK, static_cast<WPARAM>(state), 0);
  Invalidate();
}

void TCustomCheckBox::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  RecreateWnd();
}

void TCustomCheckBox::Clicked() {
  switch (State()) {
    case cbUnchecked: SetState(cbChecked); break;
    case cbChecked: SetState(allowGrayed_ ? cbGrayed : cbUnchecked); break;
    case cbGrayed: SetState(cbUnchecked); break;
  }
  Click();
}

const TClassInfo& TCheckBox::StaticClass() {
  static const TClassInfo info(L"TCheckBox", &TCustomCheckBox::StaticClass());
  return info;
}

TCheckBox::TCheckBox(TComponent* owner) : TCustomCheckBox(owner) {}

// ---------------------------------------------------------------------------------------------
// TRadioButton

const TClassInfo& TRadioButton::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TRadioButton", &TButtonControl::StaticClass());
    c.Enum(L"Alignment", AlignmentInfo(), &TRadioButton::Alignment, &TRadioButton::SetAlignment);
    c.Bool(L"Checked", &TRadioButton::Checked, &TRadioButton::SetChecked);
    return c;
  }();
  return info;
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
  SetParentColor(true);
  SetBounds(0, 0, 113, 17);
}

void TRadioButton::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  // Not the system's automatic kind: SetChecked keeps the siblings in step itself, also for
  // checks made by the program.
  p.Style |= BS_RADIOBUTTON;
  if (alignment_ == taLeftJustify) p.Style |= BS_LEFTTEXT;
}

void TRadioButton::CreateHandleDone() {
  SendMessageW(HandleIfAllocated(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::DestroyWnd() {
  checked_ = Checked();
  TButtonControl::DestroyWnd();
}

bool TRadioButton::Checked() const {
  HWND h = HandleIfAllocated();
  return h ? SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED : checked_;
}

void TRadioButton::SetChecked(bool value) {
  checked_ = value;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!value) return;
  if (TWinControl* parent = Parent()) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
      auto* other = dynamic_cast<TRadioButton*>(parent->Controls(i));
      if (other && other != this) other->SetChecked(false);
    }
  }
}

void TRadioButton::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  RecreateWnd();
}

void TRadioButton::Clicked() {
  const bool was = Checked();
  SetChecked(true);
  if (!was) Click();
}

// ---------------------------------------------------------------------------------------------
// TCustomGroupBox, TGroupBox

const TClassInfo& TCustomGroupBox::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TCustomGroupBox", &TCustomControl::StaticClass());
    c.Str(L"Caption", &TControl::Caption, &TControl::SetCaption);
    return c;
  }();
  return info;
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
  SetParentColor(true);
  SetBounds(0, 0, 185, 105);
}

namespace {

int CaptionHeight(const TFont& font) {
  TClientDC screen(nullptr);
  TSelectObject selected(screen.Get(), font.Handle());
  TEXTMETRICW metrics{};
  GetTextMetricsW(screen.Get(), &metrics);
  return metrics.tmHeight;
}

}  // namespace

RECT TCustomGroupBox::ClientRect() const {
  RECT r = TCustomControl::ClientRect();
  InflateRect(&r, -2, -2);
  r.top += std::max(CaptionHeight(*Font()) - 2, 0);
  return r;
}

void TCustomGroupBox::Paint() {
  TCanvas* canvas = Canvas();
  HDC dc = canvas->Handle();
  const RECT all{0, 0, Width(), Height()};
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(all);
  SelectObject(dc, Font()->Handle());
  const int h = CaptionHeight(*Font());
  RECT frame{0, h / 2, Width(), Height()};
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  const std::wstring caption = Caption();
  if (caption.empty()) return;
  RECT text{8, 0, Width() - 8, h};
  DrawTextW(dc, caption.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE);
  InflateRect(&text, 2, 0);  // the line breaks a little before and after the caption
  canvas->FillRect(text);
  InflateRect(&text, -2, 0);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Enabled() ? Font()->Color() : clGrayText));
  DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE);
}

const TClassInfo& TGroupBox::StaticClass() {
  static const TClassInfo info(L"TGroupBox", &TCustomGroupBox::StaticClass());
  return info;
}

TGroupBox::TGroupBox(TComponent* owner) : TCustomGroupBox(owner) {}

// ---------------------------------------------------------------------------------------------
// TCustomEdit, TEdit

const TClassInfo& TCustomEdit::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TCustomEdit", &TWinControl::StaticClass());
    c.Enum(L"BorderStyle", BorderStyleInfo(), &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle);
    c.Int(L"MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength);
    c.Bool(L"ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly);
    c.Str(L"Text", &TControl::Text, &TControl::SetText);
    return c;
  }();
  return info;
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  acceptsControls_ = false;
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 21);
}

void TCustomEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SystemClass = L"EDIT";
  p.Style |= ES_AUTOHSCROLL | ES_LEFT;
  if (readOnly_) p.Style |= ES_READONLY;
  if (borderStyle_ == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateHandleDone() {
  // 0 raises the limit to the largest the system allows, for typing and for EM_REPLACESEL.
  SendMessageW(HandleIfAllocated(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TCustomEdit::SetReadOnly(bool value) {
  if (value == readOnly_) return;
  readOnly_ = value;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, EM_SETREADONLY, value, 0);
}

void TCustomEdit::SetMaxLength(int value) {
  if (value < 0) value = 0;
  if (value == maxLength_) return;
  maxLength_ = value;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, EM_LIMITTEXT, static_cast<WPARAM>(value), 0);
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
  if (value != bsNone) value = bsSingle;
  if (value == borderStyle_) return;
  borderStyle_ = value;
  RecreateWnd();
}

void TCustomEdit::SelectAll() {
  if (HWND h = HandleIfAllocated()) SendMessageW(h, EM_SETSEL, 0, -1);
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      if (HIWORD(m.WParam) == EN_CHANGE) {
        changeReported_ = true;
        Change();
      }
      return;
    case WM_SETTEXT:
    case EM_REPLACESEL: {
      bool outer = changeReported_;
      changeReported_ = false;
      TWinControl::WndProc(m);
      if (!changeReported_) Change();
      changeReported_ = outer;
      return;
    }
    default:
      break;
  }
  TWinControl::WndProc(m);
}

const TClassInfo& TEdit::StaticClass() {
  static const TClassInfo info(L"TEdit", &TCustomEdit::StaticClass());
  return info;
}

TEdit::TEdit(TComponent* owner) : TCustomEdit(owner) {}

// ---------------------------------------------------------------------------------------------
// TCustomMemo, TMemo (the lines live in MemoStrings.cpp)

const TClassInfo& TCustomMemo::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TCustomMemo", &TCustomEdit::StaticClass());
    c.Obj(L"Lines", &TCustomMemo::Lines);
    c.Enum(L"ScrollBars", ScrollStyleInfo(), &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars);
    c.Bool(L"WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns);
    c.Bool(L"WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap);
    return c;
  }();
  return info;
}

TCustomMemo::TCustomMemo(TComponent* owner)
    : TCustomEdit(owner), lines_(std::make_unique<TMemoStrings>(*this)) {
  SetBounds(0, 0, 185, 89);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  bool horizontal = scrollBars_ == ssHorizontal || scrollBars_ == ssBoth;
  bool vertical = scrollBars_ == ssVertical || scrollBars_ == ssBoth;
  p.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
  // Without automatic horizontal scrolling the system wraps long lines.
  if (wordWrap_ && !horizontal) p.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
  if (wantReturns_) p.Style |= ES_WANTRETURN;
  if (horizontal) p.Style |= WS_HSCROLL;
  if (vertical) p.Style |= WS_VSCROLL;
}

void TCustomMemo::SetScrollBars(TScrollStyle value) {
  if (value < ssNone || value > ssBoth || value == scrollBars_) return;
  scrollBars_ = value;
  RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool value) {
  if (value == wordWrap_) return;
  wordWrap_ = value;
  RecreateWnd();
}

void TCustomMemo::SetWantReturns(bool value) {
  if (value == wantReturns_) return;
  wantReturns_ = value;
  RecreateWnd();
}

const TClassInfo& TMemo::StaticClass() {
  static const TClassInfo info(L"TMemo", &TCustomMemo::StaticClass());
  return info;
}

TMemo::TMemo(TComponent* owner) : TCustomMemo(owner) {}

}  // namespace ui
