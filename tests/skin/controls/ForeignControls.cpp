#include "ForeignControls.h"

namespace ctltest {

#define CTLTEST_CLASS_INFO(Name, Base)                                       \
  const ui::TClassInfo& Name::StaticClass() {                                \
    static const ui::TClassInfo info(L## #Name, &Base::StaticClass());      \
    return info;                                                             \
  }

CTLTEST_CLASS_INFO(TRzCheckBox, TGlyphButtonDouble)
CTLTEST_CLASS_INFO(TRzRadioButton, TGlyphButtonDouble)
CTLTEST_CLASS_INFO(TMediaPlayer, ui::TCustomControl)
CTLTEST_CLASS_INFO(TTntComboBox, ui::TCustomControl)
CTLTEST_CLASS_INFO(TRichEdit, ui::TCustomControl)
CTLTEST_CLASS_INFO(TUpDown, ui::TCustomControl)
CTLTEST_CLASS_INFO(TTabSet, ui::TCustomControl)
CTLTEST_CLASS_INFO(TDBNavigator, ui::TCustomControl)
CTLTEST_CLASS_INFO(TMVCPanel, ui::TCustomControl)
CTLTEST_CLASS_INFO(TDBComboBoxEh, ui::TCustomControl)
CTLTEST_CLASS_INFO(TRzButton, ui::TCustomControl)
CTLTEST_CLASS_INFO(TVxRadioGroup, ui::TCustomControl)
CTLTEST_CLASS_INFO(TRzRadioGroup, ui::TCustomControl)
CTLTEST_CLASS_INFO(TVxButton, ui::TButton)
CTLTEST_CLASS_INFO(TVxGrid, ui::TCustomControl)

void TVxGrid::CreateParams(ui::TCreateParams& params) {
  ui::TCustomControl::CreateParams(params);
  params.Style |= WS_VSCROLL | WS_HSCROLL;
}

const ui::TClassInfo& TDCEdit::StaticClass() {
  static const ui::TClassInfo info = [] {
    ui::TClassInfo c(L"TDCEdit", &ui::TCustomControl::StaticClass());
    c.Int(L"NumButtons", &TDCEdit::NumButtons, &TDCEdit::SetNumButtons);
    return c;
  }();
  return info;
}

const ui::TClassInfo& TVxPageControl::StaticClass() {
  static const ui::TClassInfo info = [] {
    ui::TClassInfo c(L"TVxPageControl", &ui::TCustomControl::StaticClass());
    c.Obj(L"TabBackGround", &TVxPageControl::TabBackGround);
    c.Obj(L"TabBackGroundActive", &TVxPageControl::TabBackGroundActive);
    return c;
  }();
  return info;
}

const ui::TEnumInfo& CxButtonKindInfo() {
  static const ui::TEnumInfo info(L"TcxButtonKind", {L"cxbkStandard", L"cxbkDropDown", L"cxbkDropDownButton"});
  return info;
}

const ui::TClassInfo& TcxButton::StaticClass() {
  static const ui::TClassInfo info = [] {
    ui::TClassInfo c(L"TcxButton", &ui::TCustomControl::StaticClass());
    c.Enum(L"Kind", CxButtonKindInfo(), &TcxButton::Kind, &TcxButton::SetKind);
    return c;
  }();
  return info;
}

const ui::TClassInfo& TVxTrackBar::StaticClass() {
  static const ui::TClassInfo info = [] {
    ui::TClassInfo c(L"TVxTrackBar", &ui::TCustomControl::StaticClass());
    c.Bool(L"Transparent", &TVxTrackBar::Transparent, &TVxTrackBar::SetTransparent);
    return c;
  }();
  return info;
}

const ui::TClassInfo& TGlyphButtonDouble::StaticClass() {
  static const ui::TClassInfo info = [] {
    ui::TClassInfo c(L"TGlyphButtonDouble", &ui::TCustomControl::StaticClass());
    c.Obj(L"CustomGlyphs", &TGlyphButtonDouble::CustomGlyphs);
    c.Int(L"TransparentColor", &TGlyphButtonDouble::TransparentColor, &TGlyphButtonDouble::SetTransparentColor);
    c.Bool(L"UseCustomGlyphs", &TGlyphButtonDouble::UseCustomGlyphs, &TGlyphButtonDouble::SetUseCustomGlyphs);
    return c;
  }();
  return info;
}

TGlyphButtonDouble::TGlyphButtonDouble(ui::TComponent* owner)
    : TCustomControl(owner), glyphs_(std::make_unique<ui::TBitmap>()) {}
TGlyphButtonDouble::~TGlyphButtonDouble() = default;

void TGlyphButtonDouble::SetUseCustomGlyphs(bool value) {
  use_ = value;
  switches_.push_back(value);
}

const ui::TClassInfo& TcxCheckBoxProperties::StaticClass() {
  static const ui::TClassInfo info = [] {
    ui::TClassInfo c(L"TcxCheckBoxProperties", &ui::TObject::StaticClass());
    c.Obj(L"Glyph", &TcxCheckBoxProperties::Glyph);
    return c;
  }();
  return info;
}

TcxCheckBoxProperties::TcxCheckBoxProperties() : glyph_(std::make_unique<ui::TBitmap>()) {}
TcxCheckBoxProperties::~TcxCheckBoxProperties() = default;

const ui::TClassInfo& TcxCheckBox::StaticClass() {
  static const ui::TClassInfo info = [] {
    ui::TClassInfo c(L"TcxCheckBox", &ui::TCustomControl::StaticClass());
    c.Obj(L"Properties", &TcxCheckBox::Properties);
    return c;
  }();
  return info;
}

TcxCheckBox::TcxCheckBox(ui::TComponent* owner)
    : TCustomControl(owner), properties_(std::make_unique<TcxCheckBoxProperties>()) {}
TcxCheckBox::~TcxCheckBox() = default;

}  // namespace ctltest
