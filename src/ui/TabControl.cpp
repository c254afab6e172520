// TTabControl: the system's tab control with its tabs named by a string list.
#include "ui/ComCtrls.h"
#include "ui/SysUtils.h"

namespace ui {

const TClassInfo& TTabControl::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TTabControl", &TCustomTabControl::StaticClass());
    c.Int(L"TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex);
    c.Obj(L"Tabs", &TTabControl::Tabs);
    return c;
  }();
  return info;
}

TTabControl::TTabControl(TComponent* owner)
    : TCustomTabControl(owner), tabs_(std::make_unique<TStringList>()) {
  tabs_->OnChange = [this](TStringList*) {
    if (HandleIfAllocated()) LoadTabs();
  };
}

TTabControl::~TTabControl() { tabs_->OnChange = nullptr; }

int TTabControl::TabIndex() const {
  HWND h = HandleIfAllocated();
  return h ? static_cast<int>(SendMessageW(h, TCM_GETCURSEL, 0, 0)) : tabIndex_;
}

void TTabControl::SetTabIndex(int value) {
  if (value < -1 || value >= tabs_->Count()) value = -1;
  tabIndex_ = value;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, TCM_SETCURSEL, static_cast<WPARAM>(value), 0);
}

void TTabControl::CreateHandleDone() { LoadTabs(); }

void TTabControl::DestroyWnd() {
  tabIndex_ = TabIndex();
  TCustomTabControl::DestroyWnd();
}

// The window's tabs made anew from the list; the chosen tab stays where it still exists.
void TTabControl::LoadTabs() {
  HWND h = HandleIfAllocated();
  const int chosen = TabIndex() >= 0 ? TabIndex() : tabIndex_;
  SendMessageW(h, TCM_DELETEALLITEMS, 0, 0);
  for (int i = 0; i < tabs_->Count(); ++i) {
    std::wstring text = FromAnsi(tabs_->Strings(i));
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(h, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(h, TCM_SETCURSEL, static_cast<WPARAM>(chosen < tabs_->Count() ? chosen : -1), 0);
}

void TTabControl::WndProc(TMessage& m) {
  if (const NMHDR* header = ReflectedNotifyHeader(m)) {
    if (header->code == static_cast<UINT>(TCN_SELCHANGE) && OnChange) OnChange(this);
    return;
  }
  TCustomTabControl::WndProc(m);
}

}  // namespace ui
