// Non-client mouse input of a skinned frame: hot tracking of the caption buttons (with the
// hover timer ending a hot look the cursor left), pressing a button with the mouse captured,
// and the button's action, which runs only when the press is released over the same button.
#include <windowsx.h>

#include "skin/data/SkinMessages.h"
#include "skin/frame/WinSkinForm.h"
#include "ui/Menus.h"

namespace skin {

namespace {

POINT ScreenPoint(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

}  // namespace

// The non-client mouse messages, and the mouse messages that come while a pressed button
// holds the capture. Answers true when the message was consumed.
bool TWinSkinForm::NCMouseMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const bool pressed = captionButtons_.Pressed() != nullptr;
  if (pressed || (msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK)) KeepButtonsCurrent();
  result = 0;
  std::optional<int> action;
  if (captionButtons_.Pressed() && captionButtons_.TrackPressed(msg, lParam, action)) {
    if (action) RunCaptionAction(*action);
    return true;
  }
  switch (msg) {
    case WM_NCMOUSEMOVE: {
      if (!active_) return true;  // an inactive window shows no hot buttons
      if (TWinSysButton* button = ButtonAt(WindowPoint(ScreenPoint(lParam)))) {
        button->MouseEnter();
        return true;
      }
      if (TNCObject* hot = hot_.Get()) hot->MouseLeave();
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
        captionButtons_.SetHoverTimer(false);
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

void TWinSkinForm::PressButton(TWinSysButton& button) { captionButtons_.Press(button); }

void TWinSkinForm::RunCaptionAction(int action) {
  switch (action) {
    case caClose: {
      const HMENU menu = GetSystemMenu(handle_, FALSE);
      if (menu && GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) == static_cast<UINT>(-1)) return;
      captionButtons_.SetHoverTimer(false);
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
        manager_.SetMDIChildMaximized(true);
      }
      windowState_ = wsMaximized;
      hot_.Clear();
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
  if (lastSysMenuTick_ != 0 && now - lastSysMenuTick_ < GetDoubleClickTime() && hot_.Get()) {
    captionButtons_.SetHoverTimer(false);
    PostMessageW(handle_, WM_CLOSE, 0, 0);
    return;
  }
  lastSysMenuTick_ = now;
  const HMENU menu = GetSystemMenu(handle_, FALSE);
  if (!menu) return;
  manager_.SetPopupKind(2);
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
