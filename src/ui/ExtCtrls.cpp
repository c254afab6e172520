#include "ui/ExtCtrls.h"

#include <algorithm>

namespace ui {

const TEnumInfo& BevelCutInfo() {
  static const TEnumInfo info(L"TBevelCut", {L"bvNone", L"bvLowered", L"bvRaised", L"bvSpace"});
  return info;
}

const TEnumInfo& ShapeTypeInfo() {
  static const TEnumInfo info(L"TShapeType", {L"stRectangle", L"stSquare", L"stRoundRect", L"stRoundSquare",
                                              L"stEllipse", L"stCircle"});
  return info;
}

const TEnumInfo& LabelPositionInfo() {
  static const TEnumInfo info(L"TLabelPosition", {L"lpAbove", L"lpBelow", L"lpLeft", L"lpRight"});
  return info;
}

// ---------------------------------------------------------------------------------------------
// TCustomPanel, TPanel

const TClassInfo& TCustomPanel::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TCustomPanel", &TCustomControl::StaticClass());
    c.Enum(L"Alignment", AlignmentInfo(), &TCustomPanel::Alignment, &TCustomPanel::SetAlignment);
    c.Enum(L"BevelInner", BevelCutInfo(), &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner);
    c.Enum(L"BevelOuter", BevelCutInfo(), &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter);
    c.Int(L"BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth);
    c.Enum(L"BorderStyle", BorderStyleInfo(), &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle);
    c.Int(L"BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth);
    c.Str(L"Caption", &TControl::Caption, &TControl::SetCaption);
    c.Bool(L"ParentBackground", &TCustomPanel::ParentBackground, &TCustomPanel::SetParentBackground);
    return c;
  }();
  return info;
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  SetColor(clBtnFace);
  SetBounds(0, 0, 185, 41);
}

void TCustomPanel::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  if (borderStyle_ == bsSingle) p.Style |= WS_BORDER;
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
  if (value == bevelOuter_) return;
  bevelOuter_ = value;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
  if (value == bevelInner_) return;
  bevelInner_ = value;
  Invalidate();
}

void TCustomPanel::SetBevelWidth(int value) {
  value = std::max(value, 1);
  if (value == bevelWidth_) return;
  bevelWidth_ = value;
  Invalidate();
}

void TCustomPanel::SetBorderWidth(int value) {
  value = std::max(value, 0);
  if (value == borderWidth_) return;
  borderWidth_ = value;
  Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle value) {
  if (value != bsNone) value = bsSingle;
  if (value == borderStyle_) return;
  borderStyle_ = value;
  RecreateWnd();
}

void TCustomPanel::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Invalidate();
}

void TCustomPanel::SetParentBackground(bool value) {
  if (value == parentBackground_) return;
  parentBackground_ = value;
  Invalidate();
}

TColor TCustomPanel::BackgroundColor() const {
  return parentBackground_ && Parent() ? Parent()->Color() : Color();
}

void TCustomPanel::DrawBevel(RECT& r, TBevelCut cut) {
  if (cut == bvNone) return;
  TCanvas* canvas = Canvas();
  TColor topLeft = cut == bvLowered ? clBtnShadow : clBtnHighlight;
  TColor bottomRight = cut == bvLowered ? clBtnHighlight : clBtnShadow;
  for (int i = 0; i < bevelWidth_; ++i) {
    if (cut != bvSpace) {
      canvas->Brush()->SetColor(topLeft);
      canvas->FillRect({r.left, r.top, r.right - 1, r.top + 1});
      canvas->FillRect({r.left, r.top, r.left + 1, r.bottom - 1});
      canvas->Brush()->SetColor(bottomRight);
      canvas->FillRect({r.right - 1, r.top, r.right, r.bottom});
      canvas->FillRect({r.left, r.bottom - 1, r.right, r.bottom});
    }
    InflateRect(&r, -1, -1);
  }
}

void TCustomPanel::Paint() {
  TCanvas* canvas = Canvas();
  RECT r = ClientRect();
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(BackgroundColor());
  canvas->FillRect(r);
  DrawBevel(r, bevelOuter_);
  InflateRect(&r, -borderWidth_, -borderWidth_);
  DrawBevel(r, bevelInner_);
  std::wstring text = Caption();
  if (text.empty()) return;
  UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS |
               (alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT);
  canvas->Brush()->SetStyle(bsClear);
  if (!Enabled()) canvas->Font()->SetColor(clGrayText);
  canvas->DrawText(text, r, flags);
}

void TCustomPanel::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND:
      m.Result = 1;  // Paint covers the whole client area
      return;
    case CM_PARENTCOLORCHANGED:
      if (parentBackground_) Invalidate();
      break;
    default:
      break;
  }
  TCustomControl::WndProc(m);
}

const TClassInfo& TPanel::StaticClass() {
  static const TClassInfo info(L"TPanel", &TCustomPanel::StaticClass());
  return info;
}

TPanel::TPanel(TComponent* owner) : TCustomPanel(owner) {}

// ---------------------------------------------------------------------------------------------
// TShape

const TClassInfo& TShape::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TShape", &TGraphicControl::StaticClass());
    c.Obj(L"Brush", &TShape::Brush);
    c.Obj(L"Pen", &TShape::Pen);
    c.Enum(L"Shape", ShapeTypeInfo(), &TShape::Shape, &TShape::SetShape);
    return c;
  }();
  return info;
}

TShape::TShape(TComponent* owner)
    : TGraphicControl(owner), brush_(std::make_unique<TBrush>()), pen_(std::make_unique<TPen>()) {
  brush_->OnChange = [this](TGraphicsObject*) { Invalidate(); };
  pen_->OnChange = [this](TGraphicsObject*) { Invalidate(); };
  SetBounds(0, 0, 65, 65);
}

TShape::~TShape() {
  brush_->OnChange = nullptr;
  pen_->OnChange = nullptr;
}

void TShape::SetShape(TShapeType value) {
  if (value == shape_) return;
  shape_ = value;
  Invalidate();
}

void TShape::Paint() {
  TCanvas* canvas = Canvas();
  canvas->Pen()->Assign(*pen_);
  canvas->Brush()->Assign(*brush_);
  // The outline lies inside the bounds: a pen of width p is centred p / 2 inside them. Without
  // a pen the system fills one pixel less, so the figure grows by one.
  int penWidth = pen_->Style() == psClear ? 0 : std::max(pen_->Width(), 1);
  int x = penWidth / 2, y = penWidth / 2;
  int w = Width() - penWidth + 1, h = Height() - penWidth + 1;
  if (shape_ == stSquare || shape_ == stRoundSquare || shape_ == stCircle) {
    int side = std::min(w, h);
    x += (w - side) / 2;
    y += (h - side) / 2;
    w = h = side;
  }
  switch (shape_) {
    case stRectangle:
    case stSquare:
      canvas->Rectangle(x, y, x + w, y + h);
      break;
    case stRoundRect:
    case stRoundSquare: {
      int corner = std::min(w, h) / 4;
      canvas->RoundRect(x, y, x + w, y + h, corner, corner);
      break;
    }
    case stEllipse:
    case stCircle:
      canvas->Ellipse(x, y, x + w, y + h);
      break;
  }
}

// ---------------------------------------------------------------------------------------------
// TBoundLabel, TCustomLabeledEdit, TLabeledEdit

const TClassInfo& TBoundLabel::StaticClass() {
  static const TClassInfo info(L"TBoundLabel", &TCustomLabel::StaticClass());
  return info;
}

TBoundLabel::TBoundLabel(TCustomLabeledEdit* edit) : TCustomLabel(edit), edit_(edit) {
  SetName(L"SubLabel");
}

void TBoundLabel::AdjustBounds() {
  TCustomLabel::AdjustBounds();
  // A label that grew or shrank keeps its distance from the edit.
  if (edit_ && edit_->EditLabel() == this) edit_->PlaceLabel();
}

const TClassInfo& TCustomLabeledEdit::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TCustomLabeledEdit", &TCustomEdit::StaticClass());
    c.Obj(L"EditLabel", &TCustomLabeledEdit::EditLabel);
    c.Enum(L"LabelPosition", LabelPositionInfo(), &TCustomLabeledEdit::LabelPosition,
           &TCustomLabeledEdit::SetLabelPosition);
    c.Int(L"LabelSpacing", &TCustomLabeledEdit::LabelSpacing, &TCustomLabeledEdit::SetLabelSpacing);
    return c;
  }();
  return info;
}

TCustomLabeledEdit::TCustomLabeledEdit(TComponent* owner) : TCustomEdit(owner) {
  label_ = new TBoundLabel(this);
}

void TCustomLabeledEdit::Notification(TComponent* component, TOperation operation) {
  TCustomEdit::Notification(component, operation);
  if (operation == TOperation::opRemove && component == label_) label_ = nullptr;
}

void TCustomLabeledEdit::SetLabelPosition(TLabelPosition value) {
  if (value == labelPosition_) return;
  labelPosition_ = value;
  PlaceLabel();
}

void TCustomLabeledEdit::SetLabelSpacing(int value) {
  if (value == labelSpacing_) return;
  labelSpacing_ = value;
  PlaceLabel();
}

void TCustomLabeledEdit::PlaceLabel() {
  if (!label_ || Destroying()) return;
  int lw = label_->Width(), lh = label_->Height();
  int x = Left(), y = Top();
  switch (labelPosition_) {
    case lpAbove: y = Top() - lh - labelSpacing_; break;
    case lpBelow: y = Top() + Height() + labelSpacing_; break;
    case lpLeft:
      x = Left() - lw - labelSpacing_;
      y = Top() + (Height() - lh) / 2;
      break;
    case lpRight:
      x = Left() + Width() + labelSpacing_;
      y = Top() + (Height() - lh) / 2;
      break;
  }
  label_->SetBounds(x, y, lw, lh);
}

void TCustomLabeledEdit::SetParent(TWinControl* parent) {
  TCustomEdit::SetParent(parent);
  if (label_) label_->SetParent(parent);
  PlaceLabel();
}

void TCustomLabeledEdit::SetBounds(int left, int top, int width, int height) {
  TCustomEdit::SetBounds(left, top, width, height);
  PlaceLabel();
}

void TCustomLabeledEdit::SetVisible(bool visible) {
  TCustomEdit::SetVisible(visible);
  if (label_) label_->SetVisible(visible);
}

void TCustomLabeledEdit::SetEnabled(bool enabled) {
  TCustomEdit::SetEnabled(enabled);
  if (label_) label_->SetEnabled(enabled);
}

const TClassInfo& TLabeledEdit::StaticClass() {
  static const TClassInfo info(L"TLabeledEdit", &TCustomLabeledEdit::StaticClass());
  return info;
}

TLabeledEdit::TLabeledEdit(TComponent* owner) : TCustomLabeledEdit(owner) {}

}  // namespace ui
