#include "skin/frame/WinSkinPopMenu.h"

#include "skin/data/SkinMessages.h"

namespace skin {

namespace {

const wchar_t kPopupProp[] = L"VexloPopupSkinner";

}  // namespace

TWinSkinPopMenu::TWinSkinPopMenu(HWND window, TSkinData* data) : handle_(window), skinData_(data) {
  unicode_ = IsWindowUnicode(window) != FALSE;
  SetPropW(window, kPopupProp, this);
  const auto proc = reinterpret_cast<LONG_PTR>(&TWinSkinPopMenu::PopupWndProc);
  savedProc_ = reinterpret_cast<WNDPROC>(unicode_ ? SetWindowLongPtrW(window, GWLP_WNDPROC, proc)
                                                  : SetWindowLongPtrA(window, GWLP_WNDPROC, proc));
}

TWinSkinPopMenu::~TWinSkinPopMenu() { ReleaseWindow(); }

void TWinSkinPopMenu::ReleaseWindow() {
  if (!savedProc_) return;
  if (IsWindow(handle_)) {
    const auto saved = reinterpret_cast<LONG_PTR>(savedProc_);
    if (unicode_) SetWindowLongPtrW(handle_, GWLP_WNDPROC, saved);
    else SetWindowLongPtrA(handle_, GWLP_WNDPROC, saved);
    if (GetPropW(handle_, kPopupProp) == this) RemovePropW(handle_, kPopupProp);
  }
  savedProc_ = nullptr;
}

LRESULT CALLBACK TWinSkinPopMenu::PopupWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<TWinSkinPopMenu*>(GetPropW(window, kPopupProp));
  if (!self || !self->savedProc_) {
    return IsWindowUnicode(window) ? DefWindowProcW(window, msg, wParam, lParam)
                                   : DefWindowProcA(window, msg, wParam, lParam);
  }
  if (msg == SKM_QUERYSKINNED) return 1;
  const WNDPROC proc = self->savedProc_;
  if (msg == WM_NCDESTROY) self->ReleaseWindow();  // the manager frees it when it hears
  return self->unicode_ ? CallWindowProcW(proc, window, msg, wParam, lParam)
                        : CallWindowProcA(proc, window, msg, wParam, lParam);
}

}  // namespace skin
