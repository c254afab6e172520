#include "ui/ListControls.h"

#include <algorithm>

#include "ui/SysUtils.h"

namespace ui {

const TEnumInfo& ComboBoxStyleInfo() {
  static const TEnumInfo info(L"TComboBoxStyle", {L"csDropDown", L"csSimple", L"csDropDownList"});
  return info;
}

// ---------------------------------------------------------------------------------------------
// TCustomListControl

const TClassInfo& TCustomListControl::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TCustomListControl", &TWinControl::StaticClass());
    c.Int(L"ItemIndex", &TCustomListControl::ItemIndex, &TCustomListControl::SetItemIndex);
    c.Obj(L"Items", &TCustomListControl::Items);
    return c;
  }();
  return info;
}

TCustomListControl::TCustomListControl(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TStringList>()) {
  acceptsControls_ = false;
  clickEvents_ = false;  // the window reports a new choice itself
  SetTabStop(true);
  SetColor(clWindow);
  items_->OnChange = [this](TStringList*) {
    if (HandleIfAllocated()) LoadItems();
  };
}

TCustomListControl::~TCustomListControl() { items_->OnChange = nullptr; }

int TCustomListControl::ItemIndex() const {
  HWND h = HandleIfAllocated();
  if (!h) return itemIndex_;
  const LRESULT index = SendMessageW(h, Messages().GetCurSel, 0, 0);
  return index < 0 ? -1 : static_cast<int>(index);
}

void TCustomListControl::SetItemIndex(int value) {
  if (value < -1 || value >= items_->Count()) value = -1;
  itemIndex_ = value;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, Messages().SetCurSel, static_cast<WPARAM>(value), 0);
}

void TCustomListControl::CreateHandleDone() { LoadItems(); }

void TCustomListControl::DestroyWnd() {
  itemIndex_ = ItemIndex();
  TWinControl::DestroyWnd();
}

void TCustomListControl::LoadItems() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  const int chosen = std::min(ItemIndex() >= 0 ? ItemIndex() : itemIndex_, items_->Count() - 1);
  const TListMessages m = Messages();
  SendMessageW(h, WM_SETREDRAW, FALSE, 0);
  SendMessageW(h, m.ResetContent, 0, 0);
  for (int i = 0; i < items_->Count(); ++i) {
    const std::wstring line = FromAnsi(items_->Strings(i));
    SendMessageW(h, m.AddString, 0, reinterpret_cast<LPARAM>(line.c_str()));
  }
  SendMessageW(h, m.SetCurSel, static_cast<WPARAM>(chosen), 0);
  SendMessageW(h, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(h, nullptr, TRUE);
}

// ---------------------------------------------------------------------------------------------
// TCustomComboBox, TComboBox

const TEnumInfo& BiDiModeInfo() {
  static const TEnumInfo info(L"TBiDiMode", {L"bdLeftToRight", L"bdRightToLeft"});
  return info;
}

const TClassInfo& TCustomComboBox::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TCustomComboBox", &TCustomListControl::StaticClass());
    c.Enum(L"BiDiMode", BiDiModeInfo(), &TCustomComboBox::BiDiMode, &TCustomComboBox::SetBiDiMode);
    c.Int(L"DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount);
    c.Enum(L"Style", ComboBoxStyleInfo(), &TCustomComboBox::Style, &TCustomComboBox::SetStyle);
    c.Str(L"Text", &TControl::Text, &TControl::SetText);
    return c;
  }();
  return info;
}

TCustomComboBox::TCustomComboBox(TComponent* owner) : TCustomListControl(owner) {
  SetBounds(0, 0, 145, 21);
}

void TCustomComboBox::CreateParams(TCreateParams& p) {
  TCustomListControl::CreateParams(p);
  p.SystemClass = L"COMBOBOX";
  p.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
  switch (style_) {
    case csDropDown: p.Style |= CBS_DROPDOWN; break;
    case csSimple: p.Style |= CBS_SIMPLE; break;
    case csDropDownList: p.Style |= CBS_DROPDOWNLIST; break;
  }
  if (biDiMode_ == bdRightToLeft) p.ExStyle |= WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR;
  p.Height += DroppedListHeight();
}

void TCustomComboBox::SetBiDiMode(TBiDiMode value) {
  if (value == biDiMode_) return;
  biDiMode_ = value;
  if (HandleAllocated()) RecreateWnd();
}

// The system takes the height a drop-down combo box is given as its height with the list
// dropped down, and fits the closed box to its font itself.
int TCustomComboBox::DroppedListHeight() const {
  return style_ == csSimple ? 0 : 18 * dropDownCount_;
}

TCustomListControl::TListMessages TCustomComboBox::Messages() const {
  return {CB_RESETCONTENT, CB_ADDSTRING, CB_GETCURSEL, CB_SETCURSEL};
}

void TCustomComboBox::SetStyle(TComboBoxStyle value) {
  if (value == style_) return;
  style_ = value;
  RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(int value) {
  dropDownCount_ = std::max(value, 1);
  RecreateWnd();
}

void TCustomComboBox::SetBounds(int left, int top, int width, int height) {
  addDroppedHeight_ = true;
  TCustomListControl::SetBounds(left, top, width, height);
  addDroppedHeight_ = false;
}

bool TCustomComboBox::DroppedDown() const {
  HWND h = HandleIfAllocated();
  return h && SendMessageW(h, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool value) {
  SendMessageW(Handle(), CB_SHOWDROPDOWN, value, 0);
}

void TCustomComboBox::WndProc(TMessage& m) {
  // A size the library gives gets the list's room added once; the system then fits the
  // window to the closed box itself (a nested size change that must stay as it is).
  if (m.Msg == WM_WINDOWPOSCHANGING && m.LParam && addDroppedHeight_) {
    auto* pos = reinterpret_cast<WINDOWPOS*>(m.LParam);
    if (!(pos->flags & SWP_NOSIZE)) {
      pos->cy += DroppedListHeight();
      addDroppedHeight_ = false;
    }
  }
  if (m.Msg == CN_COMMAND) {
    switch (HIWORD(m.WParam)) {
      case CBN_EDITCHANGE:
        if (OnChange) OnChange(this);
        return;
      case CBN_SELCHANGE: {
        // The edit shows the chosen line only after this notification: set it now, so that
        // OnChange sees the new text.
        const int index = ItemIndex();
        if (index >= 0 && style_ != csDropDownList) {
          SetWindowTextW(Handle(), FromAnsi(Items()->Strings(index)).c_str());
        }
        if (OnChange) OnChange(this);
        Click();
        return;
      }
      default:
        return;
    }
  }
  TCustomListControl::WndProc(m);
}

const TClassInfo& TComboBox::StaticClass() {
  static const TClassInfo info(L"TComboBox", &TCustomComboBox::StaticClass());
  return info;
}

TComboBox::TComboBox(TComponent* owner) : TCustomComboBox(owner) {}

// ---------------------------------------------------------------------------------------------
// TCustomListBox, TListBox

const TClassInfo& TCustomListBox::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TCustomListBox", &TCustomListControl::StaticClass());
    c.Enum(L"BorderStyle", BorderStyleInfo(), &TCustomListBox::BorderStyle, &TCustomListBox::SetBorderStyle);
    return c;
  }();
  return info;
}

TCustomListBox::TCustomListBox(TComponent* owner) : TCustomListControl(owner) {
  SetBounds(0, 0, 121, 97);
}

void TCustomListBox::CreateParams(TCreateParams& p) {
  TCustomListControl::CreateParams(p);
  p.SystemClass = L"LISTBOX";
  p.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  if (borderStyle_ == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

TCustomListControl::TListMessages TCustomListBox::Messages() const {
  return {LB_RESETCONTENT, LB_ADDSTRING, LB_GETCURSEL, LB_SETCURSEL};
}

void TCustomListBox::SetBorderStyle(TBorderStyle value) {
  if (value == borderStyle_) return;
  borderStyle_ = value;
  RecreateWnd();
}

int TCustomListBox::TopIndex() const {
  HWND h = HandleIfAllocated();
  return h ? static_cast<int>(SendMessageW(h, LB_GETTOPINDEX, 0, 0)) : 0;
}

void TCustomListBox::SetTopIndex(int value) {
  SendMessageW(Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(std::max(value, 0)), 0);
}

void TCustomListBox::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    if (HIWORD(m.WParam) == LBN_SELCHANGE) Click();
    return;
  }
  TCustomListControl::WndProc(m);
}

const TClassInfo& TListBox::StaticClass() {
  static const TClassInfo info(L"TListBox", &TCustomListBox::StaticClass());
  return info;
}

TListBox::TListBox(TComponent* owner) : TCustomListBox(owner) {}

}  // namespace ui
