// Non-client mouse input of a skinned frame: hot tracking of the caption buttons (with the
// hover timer ending a hot look the cursor left), pressing a button with the mouse captured,
// and the button's action, which runs only when the press is released over the same button.
#include <windowsx.h>

#include "skin/data/SkinMessages.h"
#include "skin/frame/CaptionButtons.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/frame/SkinManage.h"
#include "ui/Menus.h"

namespace skin {

namespace {

constexpr int kHoverInterval = 250;

POINT ScreenPoint(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

}  // namespace

void TWinSkinForm::SetHoverTimer(bool on) {
  if (!hoverTimer_) {
    if (!on) return;
    hoverTimer_ = std::make_unique<ui::TTimer>(nullptr);
    hoverTimer_->SetEnabled(false);
    hoverTimer_->SetInterval(kHoverInterval);
    hoverTimer_->OnTimer = [this](ui::TObject*) { CheckHover(); };
  }
  hoverTimer_->SetEnabled(on);
}

void TWinSkinForm::CheckHover() {
  if (frameState_ != fsRunning || !hotObject_ || pressed_) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  const bool overWindow = WindowFromPoint(cursor) == handle_;
  const POINT p = WindowPoint(cursor);
  if (!overWindow || !PtInRect(&hotObject_->Bounds, p)) hotObject_->MouseLeave();
}

// The non-client mouse messages, and the mouse messages that come while a pressed button
// holds the capture. Answers true when the message was consumed.
bool TWinSkinForm::NCMouseMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (pressed_ || (msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK)) KeepButtonsCurrent();
  if (pressed_ && TrackPressed(msg, lParam, result)) return true;
  result = 0;
  switch (msg) {
    case WM_NCMOUSEMOVE: {
      if (!active_) return true;  // an inactive window shows no hot buttons
      if (TWinSysButton* button = ButtonAt(WindowPoint(ScreenPoint(lParam)))) {
        button->MouseEnter();
        return true;
      }
      if (hotObject_) hotObject_->MouseLeave();
      return false;
    }
    case WM_NCLBUTTONDOWN: {
      if (TWinSysButton* button = ButtonAt(WindowPoint(ScreenPoint(lParam)))) {
        if (GetForegroundWindow() != handle_) SetForegroundWindow(handle_);
        PressButton(*button);
        return true;
      }
      // The title of a maximized window is no handle to drag it by.
      if (windowState_ == wsMaximized && active_ && wParam == HTCAPTION) {
        result = CallWindow(msg, HTMENU, lParam);
        return true;
      }
      return false;
    }
    case WM_NCLBUTTONUP:
      // A release without a press of this button (the press began elsewhere) runs nothing.
      return ButtonAt(WindowPoint(ScreenPoint(lParam))) != nullptr;
    case WM_NCLBUTTONDBLCLK: {
      TWinSysButton* button = ButtonAt(WindowPoint(ScreenPoint(lParam)));
      if (button && IsIconAction(button->Action())) {
        SetHoverTimer(false);
        PostMessageW(handle_, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
      }
      if (button) {
        // The second click of a quick double click is a press like the first.
        PressButton(*button);
        return true;
      }
      if (windowState_ != wsNormal) {
        PostMessageW(handle_, WM_SYSCOMMAND, SC_RESTORE, 0);
        return true;
      }
      if (borderIcons_ & kBiMaximize) {
        PostMessageW(handle_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        return true;
      }
      return false;
    }
    case WM_NCRBUTTONDOWN:
      if (wParam == HTCAPTION && formKind_ != fkMDIChild) {
        ShowSystemMenu(ScreenPoint(lParam));
        return true;
      }
      return false;
    default:
      return false;
  }
}

void TWinSkinForm::PressButton(TWinSysButton& button) {
  button.MouseDown();
  if (!button.Enabled) return;
  pressed_ = &button;
  // The release may come anywhere on the screen; with the capture it comes here.
  SetCapture(handle_);
}

// While a button is held pressed: it shows pressed only while the cursor is over it; the
// release runs its action over it and nothing elsewhere; losing the capture ends the press.
bool TWinSkinForm::TrackPressed(UINT msg, LPARAM lParam, LRESULT& result) {
  result = 0;
  switch (msg) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE: {
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (msg == WM_MOUSEMOVE) ClientToScreen(handle_, &p);
      const bool over = PtInRect(&pressed_->Bounds, WindowPoint(p)) != FALSE;
      const int state = over ? ncsPressed : ncsNormal;
      if (pressed_->State != state) pressed_->SetState(state);
      return true;
    }
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP: {
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (msg == WM_LBUTTONUP) ClientToScreen(handle_, &p);
      ReleasePressed(WindowPoint(p));
      return true;
    }
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) == handle_) return false;
      {
        TWinSysButton* button = pressed_;
        pressed_ = nullptr;
        button->MouseLeave();
      }
      return true;
    default:
      return false;
  }
}

void TWinSkinForm::ReleasePressed(POINT windowPoint) {
  TWinSysButton* button = pressed_;
  pressed_ = nullptr;
  if (GetCapture() == handle_) ReleaseCapture();
  if (ButtonAt(windowPoint) != button) {
    button->MouseLeave();
    return;
  }
  button->MouseUp();
  RunCaptionAction(button->Action());
}

void TWinSkinForm::RunCaptionAction(int action) {
  switch (action) {
    case caClose: {
      const HMENU menu = GetSystemMenu(handle_, FALSE);
      if (menu && GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) == static_cast<UINT>(-1)) return;
      SetHoverTimer(false);
      PostMessageW(handle_, WM_SYSCOMMAND, SC_CLOSE, 0);
      return;
    }
    case caMaximize:
    case caMaximize2:
      if (windowState_ == wsMaximized) {
        windowState_ = wsNormal;
        PostMessageW(handle_, WM_SYSCOMMAND, SC_RESTORE, 0);
        return;
      }
      if (formKind_ == fkMDIChild) {
        if (TSkinManage* manager = TSkinManage::Instance()) manager->SetMDIChildMaximized(true);
      }
      windowState_ = wsMaximized;
      hotObject_ = nullptr;
      PostMessageW(handle_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
      return;
    case caMinimize:
    case caMinimize2:
      if (windowState_ == wsMinimized) {
        windowState_ = wsNormal;
        PostMessageW(handle_, WM_SYSCOMMAND, SC_RESTORE, 0);
        return;
      }
      windowState_ = wsMinimized;
      RestoreSystemMenuStyle();
      PostMessageW(handle_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
      return;
    case caSystemMenu:
    case caIcon:
    case caSystemMenu2: {
      POINT cursor{};
      GetCursorPos(&cursor);
      ShowSystemMenu({cursor.x + 1, cursor.y + 1});
      return;
    }
    default:
      break;
  }
  UINT mdiCommand = 0;
  switch (action) {
    case caMDIMinimize: case caMDIMinimize2: mdiCommand = SC_MINIMIZE; break;
    case caMDIRestore: case caMDIRestore2: mdiCommand = SC_RESTORE; break;
    case caMDIClose: case caMDIClose2: mdiCommand = SC_CLOSE; break;
    default: break;
  }
  if (mdiCommand == 0) {
    PostMessageW(handle_, SKM_CAPTIONACTION, static_cast<WPARAM>(action), 0);
    return;
  }
  const HWND child =
      mdiClient_ ? reinterpret_cast<HWND>(SendMessageW(mdiClient_, WM_MDIGETACTIVE, 0, 0)) : nullptr;
  if (child) SendMessageW(child, WM_SYSCOMMAND, mdiCommand, 0);
}

// Opens the window's system menu at the point and carries out the chosen command. A second
// opening within the double-click time while a button is hot closes the window instead.
void TWinSkinForm::ShowSystemMenu(POINT screen) {
  const DWORD now = GetTickCount();
  if (lastSysMenuTick_ != 0 && now - lastSysMenuTick_ < GetDoubleClickTime() && hotObject_) {
    SetHoverTimer(false);
    PostMessageW(handle_, WM_CLOSE, 0, 0);
    return;
  }
  lastSysMenuTick_ = now;
  const HMENU menu = GetSystemMenu(handle_, FALSE);
  if (!menu) return;
  if (TSkinManage* manager = TSkinManage::Instance()) manager->SetPopupKind(2);
  const HWND window = handle_;
  if (HasSkin() && InSet(skinData_->SkinControls(), xcSystemMenu)) {
    // The skinned copy; its items post their commands when chosen.
    if (std::unique_ptr<ui::TPopupMenu> popup = BuildSystemMenu()) popup->Popup(screen.x, screen.y);
    return;
  }
  const UINT command = static_cast<UINT>(TrackPopupMenu(
      menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0,
      window, nullptr));
  if (command != 0 && IsWindow(window)) PostMessageW(window, WM_SYSCOMMAND, command, 0);
}

}  // namespace skin
