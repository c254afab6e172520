// TCustomLabel and TLabel: windowless text.
#include <cwctype>

#include "ui/DrawingScopes.h"
#include "ui/StdCtrls.h"

namespace ui {

namespace {

// The character that "&x" marks in a caption ("&&" is a plain "&"), or 0.
wchar_t AccelChar(const std::wstring& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] != L'&') return caption[i + 1];
    ++i;
  }
  return 0;
}

}  // namespace

const TClassInfo& TCustomLabel::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TCustomLabel", &TGraphicControl::StaticClass());
    c.Enum(L"Alignment", AlignmentInfo(), &TCustomLabel::Alignment, &TCustomLabel::SetAlignment);
    c.Bool(L"AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize);
    c.Str(L"Caption", &TControl::Caption, &TControl::SetCaption);
    c.Obj(L"FocusControl", &TCustomLabel::FocusControl);
    c.Enum(L"Layout", TextLayoutInfo(), &TCustomLabel::Layout, &TCustomLabel::SetLayout);
    c.Bool(L"ShowAccelChar", &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar);
    c.Bool(L"Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent);
    c.Bool(L"WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap);
    return c;
  }();
  return info;
}

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
  SetParentColor(true);
  SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  AdjustBounds();
}

void TCustomLabel::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Invalidate();
}

void TCustomLabel::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout value) {
  if (value == layout_) return;
  layout_ = value;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool value) {
  if (value == wordWrap_) return;
  wordWrap_ = value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value) {
  if (value == showAccelChar_) return;
  showAccelChar_ = value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* control) {
  if (focusControl_) RemoveFreeNotification(focusControl_);
  focusControl_ = control;
  if (control) FreeNotification(control);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == focusControl_) focusControl_ = nullptr;
}

UINT TCustomLabel::DrawTextFlags() const {
  UINT flags = DT_EXPANDTABS;
  if (alignment_ == taRightJustify) flags |= DT_RIGHT;
  else if (alignment_ == taCenter) flags |= DT_CENTER;
  if (wordWrap_) flags |= DT_WORDBREAK;
  if (!showAccelChar_) flags |= DT_NOPREFIX;
  return flags;
}

void TCustomLabel::AdjustBounds() {
  if (!autoSize_ || Destroying()) return;
  std::wstring text = Caption();
  if (text.empty()) text = L" ";  // an empty label keeps the height of one line
  RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
  {
    TClientDC screen(nullptr);
    TSelectObject font(screen.Get(), Font()->Handle());
    DrawTextW(screen.Get(), text.c_str(), static_cast<int>(text.size()), &r, DrawTextFlags() | DT_CALCRECT);
  }
  int width = wordWrap_ ? Width() : static_cast<int>(r.right);
  int left = Left();
  if (alignment_ == taRightJustify) left += Width() - width;  // the right edge stays
  SetBounds(left, Top(), width, static_cast<int>(r.bottom));
}

void TCustomLabel::Paint() {
  TCanvas* canvas = Canvas();
  RECT r{0, 0, Width(), Height()};
  if (!transparent_) {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
  }
  canvas->Brush()->SetStyle(bsClear);  // the text draws without a background
  std::wstring text = Caption();
  UINT flags = DrawTextFlags();
  if (layout_ != tlTop) {
    RECT calc = r;
    canvas->DrawText(text, calc, flags | DT_CALCRECT);
    int spare = Height() - (calc.bottom - calc.top);
    r.top += layout_ == tlCenter ? spare / 2 : spare;
  }
  if (Enabled()) {
    canvas->DrawText(text, r, flags);
    return;
  }
  // Disabled: an etched text, a highlight one pixel down and right under the shadow.
  RECT lit = r;
  OffsetRect(&lit, 1, 1);
  canvas->Font()->SetColor(clBtnHighlight);
  canvas->DrawText(text, lit, flags);
  canvas->Font()->SetColor(clBtnShadow);
  canvas->DrawText(text, r, flags);
}

void TCustomLabel::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      AdjustBounds();
      Invalidate();
      return;
    case CM_DIALOGCHAR: {
      wchar_t accel = showAccelChar_ ? AccelChar(Caption()) : 0;
      if (accel && focusControl_ && std::towupper(accel) == std::towupper(static_cast<wint_t>(m.WParam)) &&
          Enabled() && focusControl_->CanFocus()) {
        focusControl_->SetFocus();
        m.Result = 1;
        return;
      }
      break;
    }
    default:
      break;
  }
  TGraphicControl::WndProc(m);
}

const TClassInfo& TLabel::StaticClass() {
  static const TClassInfo info(L"TLabel", &TCustomLabel::StaticClass());
  return info;
}

TLabel::TLabel(TComponent* owner) : TCustomLabel(owner) {}

}  // namespace ui
