// The client background of a skinned window that has no form object of the program (a
// standard dialog, a message box): its own procedure runs first, then the background and the
// static and button controls take the skin's background colour. Forms of the program take the
// skin's colour as their own colour instead.
#include "skin/frame/WinSkinForm.h"

namespace skin {

bool TWinSkinForm::ForeignClientMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (form_ || !HasSkin()) return false;
  switch (msg) {
    case WM_ERASEBKGND: {
      CallWindow(msg, wParam, lParam);
      RECT client{};
      GetClientRect(handle_, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, skinData_->ButtonFaceBrush());
      result = 1;
      return true;
    }
    case WM_CTLCOLORSTATIC:
      CallWindow(msg, wParam, lParam);
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      result = reinterpret_cast<LRESULT>(skinData_->ButtonFaceBrush());
      return true;
    case WM_CTLCOLORBTN:
      result = CallWindow(msg, wParam, lParam);
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return true;
    default:
      return false;
  }
}

}  // namespace skin
