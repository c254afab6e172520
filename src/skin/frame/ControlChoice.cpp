#include "skin/frame/ControlChoice.h"

#include <algorithm>
#include <cwctype>

#include "skin/data/ImgUtil.h"
#include "ui/Buttons.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/ListControls.h"
#include "ui/RangeControls.h"
#include "ui/StatusBar.h"
#include "ui/StdCtrls.h"
#include "ui/SysUtils.h"

namespace skin {

namespace {

bool IsOneOf(const std::wstring& name, std::initializer_list<const wchar_t*> names) {
  return std::any_of(names.begin(), names.end(), [&](const wchar_t* n) { return name == n; });
}

template <class T>
bool Is(const ui::TControl& control) {
  return control.InheritsFrom(T::StaticClass());
}

HWND WindowOf(const ui::TControl& control) {
  const auto* windowed = dynamic_cast<const ui::TWinControl*>(&control);
  return windowed ? windowed->HandleIfAllocated() : nullptr;
}

bool HasScrollBars(const ui::TControl& control) {
  const HWND window = WindowOf(control);
  return window && (GetWindowLongW(window, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL));
}

// The window is larger than its client area: the control has a border.
bool HasBorder(const ui::TControl& control) {
  const HWND window = WindowOf(control);
  if (!window) return false;
  RECT w{}, c{};
  GetWindowRect(window, &w);
  GetClientRect(window, &c);
  return w.right - w.left != c.right || w.bottom - w.top != c.bottom;
}

bool HasTabs(const TSkinData& data) { return data.Resolved().Tabs != nullptr; }

TControlChoice Skinner(TSkinnerClass cls, bool changeColor = false,
                       TAttachVia via = TAttachVia::Attach) {
  TControlChoice c;
  c.Skinner = cls;
  c.ChangeColor = changeColor;
  c.Via = via;
  return c;
}

// The kind of a Skin3rd line as the map decides it; `on` tells which switches are set.
TControlChoice ChooseByKind(const std::wstring& kind, const std::wstring& upperClass,
                            const ui::TControl& control, const TSkinData& data) {
  const auto on = [&](TSkinControlType t) { return InSet(data.SkinControls(), t); };
  TControlChoice none;
  if (kind == L"combobox") return on(xcCombo) ? Skinner(scComBox) : none;
  if (kind == L"edit") return on(xcEdit) && HasBorder(control) ? Skinner(scEdit) : none;
  if (kind == L"radiobutton") return on(xcRadioButton) ? Skinner(scRadioButton) : none;
  if (kind == L"panel") {
    if (!on(xcPanel)) return none;
    TControlChoice c = Skinner(scBox, true);
    c.SetTransparent = true;
    return c;
  }
  if (kind == L"trackbar") {
    if (!on(xcButton)) return none;
    TControlChoice c = Skinner(scTrackBar);
    c.SetTransparent = true;
    return c;
  }
  if (kind == L"button") return on(xcButton) ? Skinner(scButton) : none;
  if (kind == L"datetimepicker") return on(xcCombo) ? Skinner(scDateTime) : none;
  if (kind == L"mediaplayer") return on(xcButton) ? Skinner(scMP) : none;
  if (kind == L"bitbtn") {
    if (!on(xcButton)) return none;
    const std::wstring buttonKind = ui::GetEnumPropText(&control, L"Kind");
    const bool dropDown = upperClass == L"TCXBUTTON" && ui::SameText(buttonKind, L"cxbkDropDownButton");
    return Skinner(dropDown ? scMenuButton : scBitButton);
  }
  if (kind == L"pngbitbtn") {
    if (!on(xcButton)) return none;
    TControlChoice c = Skinner(scBitButton);
    c.GlyphProperty = L"PngImage";
    return c;
  }
  if (kind == L"menubtn") return on(xcButton) ? Skinner(scMenuButton) : none;
  if (kind == L"speedbutton") {
    return on(xcSpeedButton) ? Skinner(scSpeedButton, false, TAttachVia::AttachGraphic) : none;
  }
  if (kind == L"tab") return on(xcTab) && HasTabs(data) ? Skinner(scTab) : none;
  if (kind == L"progress") return on(xcProgress) ? Skinner(scProgress) : none;
  if (kind == L"scrollbar") {
    if (!on(xcScrollbar)) return none;
    TControlChoice c = Skinner(scScrollbar, false, TAttachVia::AttachScrollBars);
    c.Children = TChildRule::AttachControls;
    return c;
  }
  if (kind == L"singlescrollbar") {
    if (!on(xcScrollbar)) return none;
    TControlChoice c = Skinner(scScrollbar, false, TAttachVia::AttachScrollBars);
    c.SingleBar = true;
    return c;
  }
  if (kind == L"embedscrollbar") {
    if (!on(xcScrollbar)) return none;
    TControlChoice c;
    c.Children = TChildRule::EmbedScrollbars;
    return c;
  }
  if (kind == L"container") {
    TControlChoice c;
    c.Children = TChildRule::AttachControls;
    return c;
  }
  if (kind == L"groupbox") return on(xcGroupBox) ? Skinner(scGroupBox, true) : none;
  if (kind == L"advpagecontrol") {
    if (!on(xcTab)) return none;
    TControlChoice c = Skinner(scAdvPage, true);
    c.Variant = 4;
    return c;
  }
  if (kind == L"radiogroup") {
    if (!on(xcGroupBox)) return none;
    TControlChoice c = Skinner(scGroupBox, true);
    if (on(xcRadioButton)) {
      c.Children = TChildRule::RadioGroup;
      c.ChildrenFirst = true;
    }
    c.ForeignChildren = upperClass.find(L"TRZ") != std::wstring::npos;
    return c;
  }
  if (kind == L"checkgroup") {
    if (!on(xcPanel)) return none;
    TControlChoice c = Skinner(on(xcGroupBox) ? scGroupBox : scNone, true);
    if (on(xcRadioButton)) {
      c.Children = TChildRule::CheckGroup;
      c.ChildrenFirst = true;
    }
    c.ForeignChildren = upperClass.find(L"TRZ") != std::wstring::npos;
    return c;
  }
  if (kind == L"checkbox") return on(xcCheckBox) ? Skinner(scCheckBox) : none;
  return none;
}

// The class rules, in order; a rule whose switch is off passes the control on.
TControlChoice ChooseByClass(const std::wstring& upperClass, const ui::TControl& control,
                             const TSkinData& data) {
  const auto on = [&](TSkinControlType t) { return InSet(data.SkinControls(), t); };
  if (Is<ui::TCustomTabControl>(control) && HasTabs(data) && on(xcTab)) {
    if (Is<ui::TPageControl>(control)) {
      const bool tabs = static_cast<const ui::TPageControl&>(control).Style() == ui::tsTabs;
      return Skinner(tabs ? scTab : scTabBtn);
    }
    TControlChoice c = Skinner(scTab);
    c.Kind = 2;
    return c;
  }
  if (upperClass == L"TTABSET" && HasTabs(data) && on(xcTab)) return Skinner(scTab31);
  if (Is<ui::TTabSheet>(control) && HasTabs(data) && on(xcTab)) return Skinner(scTabSheet);
  if (upperClass == L"TTABBEDNOTEBOOK" && HasTabs(data) && on(xcTab)) return Skinner(scTab);
  if (upperClass == L"TMVCPANEL") {
    TControlChoice c;
    c.Children = TChildRule::AttachControls;
    return c;
  }
  if (Is<ui::TCustomCheckBox>(control) && on(xcCheckBox)) return Skinner(scCheckBox);
  // The class library's own kinds that the rules below do not name, each under its switch:
  // radio buttons, radio groups and group boxes, combo boxes, date pickers, progress, track
  // and status bars, glyph buttons and drop-down buttons.
  if (Is<ui::TRadioButton>(control) && on(xcRadioButton)) return Skinner(scRadioButton);
  if (Is<ui::TCustomRadioGroup>(control) && on(xcGroupBox)) {
    return ChooseByKind(L"radiogroup", upperClass, control, data);
  }
  if (Is<ui::TCustomGroupBox>(control) && on(xcGroupBox)) {
    TControlChoice c = Skinner(scGroupBox, true);
    c.Children = TChildRule::AttachControls;
    return c;
  }
  if (Is<ui::TCustomComboBox>(control) && on(xcCombo)) return Skinner(scComBox);
  if (Is<ui::TDateTimePicker>(control) && on(xcCombo)) return Skinner(scDateTime);
  if (Is<ui::TProgressBar>(control) && on(xcProgress)) return Skinner(scProgress);
  if (Is<ui::TTrackBar>(control) && on(xcTrackBar)) return Skinner(scTrackBar);
  if (Is<ui::TStatusBar>(control) && on(xcStatusBar)) return Skinner(scStatusBar);
  // A scroll-bar control: one skinned panel covers the whole control.
  if (Is<ui::TScrollBar>(control) && on(xcScrollbar)) return Skinner(scScControl);
  if (Is<ui::TBitBtn>(control) && on(xcBitBtn)) return Skinner(scBitButton);
  if (Is<ui::TMenuButton>(control) && on(xcButton)) return Skinner(scMenuButton);
  if (Is<ui::TSpeedButton>(control) && on(xcSpeedButton)) {
    return Skinner(scSpeedButton, false, TAttachVia::AttachGraphic);
  }
  if (IsOneOf(upperClass, {L"TUPDOWN", L"TSPINBUTTON"}) && on(xcSpin)) return Skinner(scUpDown);
  if (upperClass == L"TMEDIAPLAYER" && on(xcButton)) return Skinner(scMP);
  if (upperClass == L"TDBNAVIGATOR" && on(xcPanel)) {
    TControlChoice c = Skinner(scBox, true);
    c.Children = TChildRule::AttachControls;
    return c;
  }
  if (IsOneOf(upperClass, {L"TRZDBCHECKBOX", L"TRZCHECKBOX"}) && on(xcCheckBox)) {
    TControlChoice c = Skinner(scObjImage, true);
    c.Variant = 1;
    return c;
  }
  if (IsOneOf(upperClass, {L"TRZRADIOBUTTON", L"TRZDBRADIOBUTTON"}) && on(xcRadioButton)) {
    TControlChoice c = Skinner(scObjImage, true);
    c.Variant = 2;
    return c;
  }
  if (IsOneOf(upperClass, {L"TCXDBCHECKBOX", L"TCXCHECKBOX"}) && on(xcCheckBox)) {
    TControlChoice c = Skinner(scObjImage, true);
    c.Variant = 3;
    return c;
  }
  const TControlChoice scrollbars = Skinner(scScrollbar, false, TAttachVia::AttachScrollBars);
  if (upperClass == L"TTNTCOMBOBOX" && on(xcCombo)) return Skinner(scComBox);
  if (upperClass == L"TRICHEDIT" && on(xcScrollbar)) return scrollbars;
  if (IsOneOf(upperClass, {L"TWWDBRICHEDIT", L"TDXDBMEMO"}) && on(xcScrollbar)) return scrollbars;
  if (Is<ui::TCustomPanel>(control) && on(xcPanel)) {
    TControlChoice c = Skinner(scBox, true);
    c.Children = TChildRule::AttachControls;
    c.ChildrenFirst = true;
    return c;
  }
  if (IsOneOf(upperClass, {L"TDXTREELIST", L"TDXDBTREELIST", L"TDXDBGRID"}) && on(xcScrollbar)) {
    return scrollbars;
  }
  if (Is<ui::TCustomListView>(control) && on(xcScrollbar)) {
    return Skinner(scListView, false, TAttachVia::AttachScrollBars);
  }
  // A list box shows its scroll bar only once it holds more lines than fit: it is chosen by
  // its class, as a memo is, so that a list that starts empty is served too.
  if (Is<ui::TCustomListBox>(control) && on(xcScrollbar)) return scrollbars;
  const bool memo = Is<ui::TCustomMemo>(control);
  if (memo && on(xcScrollbar)) return scrollbars;
  if ((memo || HasScrollBars(control)) && on(xcScrollbar)) return scrollbars;
  if (Is<ui::TButton>(control) && on(xcButton)) return Skinner(scButton);
  if (Is<ui::TCustomEdit>(control) && on(xcEdit)) return Skinner(scEdit);
  const bool dcEdit = IsOneOf(upperClass, {L"TDCEDIT", L"TDCDBEDIT"});
  if (!dcEdit && Is<ui::TCustomForm>(control)) {
    TControlChoice c = Skinner(scBox, true);
    c.Children = TChildRule::FormControls;
    return c;
  }
  if (dcEdit) {
    const int buttons = ui::GetIntProp(&control, L"NumButtons");
    if (buttons == 1 && on(xcCombo)) return Skinner(scComBox);
    if (buttons == 0 && on(xcEdit)) return Skinner(scEdit, false, TAttachVia::AttachHandle);
  }
  return {};
}

}  // namespace

std::wstring UpperClassName(const ui::TControl& control) {
  return ui::UpperCase(control.ClassName());
}

bool LookupSkin3rd(const std::wstring& upperClass, const ui::TControl& control,
                   const TSkinData& data, TControlChoice& choice) {
  const std::wstring key = ui::LowerCase(upperClass) + L"=";
  const ui::TStringList* lines = data.Skin3rd();
  if (!lines) return false;
  for (int i = 0; i < lines->Count(); ++i) {
    const std::wstring line = ui::LowerCase(AnsiToWide(lines->Strings(i)));
    if (line.compare(0, key.size(), key) != 0) continue;
    const std::wstring kind = line.substr(key.size(), 50);
    if (kind.empty()) return false;
    choice = kind == L"nil" ? TControlChoice{} : ChooseByKind(kind, upperClass, control, data);
    return true;
  }
  return false;
}

TControlChoice ChooseControlSkinner(const ui::TControl& control, const TSkinData& data) {
  const std::wstring upperClass = UpperClassName(control);
  TControlChoice choice;
  if (LookupSkin3rd(upperClass, control, data, choice)) return choice;
  if (IsOneOf(upperClass, {L"TDBCOMBOBOXEH", L"TFRDESIGNERPAGE", L"TFRPBOX"})) return {};
  return ChooseByClass(upperClass, control, data);
}

TWindowChoice ChooseWindowSkinner(const std::wstring& className, LONG style) {
  const std::wstring name = ui::LowerCase(className);
  const auto s = static_cast<DWORD>(style);
  TWindowChoice c;
  if (name == L"button") {
    if ((s & 0xB) == 0xB || (s & 7) == 7 || (s & 0x80)) return c;  // owner-draw, group, bitmap
    if ((s & 3) == 3 || (s & 2) || (s & 5) == 5) c.Skinner = scCheckBox;
    else if ((s & 9) == 9 || (s & 4)) c.Skinner = scRadioButton;
    else c.Skinner = scButton;
  } else if (name == L"combobox") {
    if ((s & 3) != 1) c.Skinner = scComBox;  // not a simple combo box
  } else if (name == L"comboboxex32") {
    c.Skinner = scComBox;
    c.OnFirstChild = true;
  } else if (name == L"scrollbar") {
    if (!(s & WS_TABSTOP)) c.Skinner = scSizer;
  } else if (name == L"#32770") {
    if (!(s & WS_TABSTOP)) {
      c.ChildrenFirst = true;
      c.Skinner = scBoxH;
    }
  } else if (IsOneOf(name, {L"tpanel", L"ttntpanel.unicodeclass", L"ttntsilentpaintpanel.unicodeclass"})) {
    c.ChildrenFirst = true;
    c.BackgroundColour = true;
  } else if (name == L"tcheckbox") {
    c.Skinner = scCheckBox;
  } else if (name == L"tcombobox") {
    c.Skinner = scComBox;
  } else if (name == L"tbutton") {
    c.Skinner = scButton;
  } else if (name == L"tprogressbar") {
    c.Skinner = scProgress;
  } else if (name == L"tsilentpaintpanel") {
    c.BackgroundColour = true;
  } else if (name == L"systabcontrol32") {
    if (!(s & 0x2000)) c.Skinner = scTab;
  } else if (name == L"edit") {
    c.Skinner = scEdit;
  }
  return c;
}

}  // namespace skin
