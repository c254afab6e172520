#include "ForeignControls.h"

namespace ctltest {

#define CTLTEST_CLASS_INFO(Name, Base)                                       \
  const ui::TClassInfo& Name::StaticClass() {                                \
    static const ui::TClassInfo info(L## #Name, &Base::StaticClass());      \
    return info;                                                             \
  }

CTLTEST_CLASS_INFO(TRzCheckBox, ui::TCustomControl)
CTLTEST_CLASS_INFO(TRzRadioButton, ui::TCustomControl)
CTLTEST_CLASS_INFO(TcxCheckBox, ui::TCustomControl)
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

}  // namespace ctltest
