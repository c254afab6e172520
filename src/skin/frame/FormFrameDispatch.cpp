// The subclassed window's messages, in the order the frame takes them: what holds in every
// state, then (once skinned) the top-level window's size, activation and commands, then the
// non-client messages.
#include "skin/data/SkinMessages.h"
#include "skin/frame/WinSkinForm.h"

namespace skin {

namespace {

constexpr UINT kThemedCaptionDraw = 0xAE;  // drawn by the system's themes; the frame draws its own

bool IsSystemCommand(WPARAM id) {
  switch (id & 0xFFF0) {
    case SC_SIZE: case SC_MOVE: case SC_MINIMIZE: case SC_MAXIMIZE: case SC_NEXTWINDOW:
    case SC_PREVWINDOW: case SC_CLOSE: case SC_RESTORE:
      return true;
    default:
      return false;
  }
}

}  // namespace

LRESULT TWinSkinForm::CallWindow(UINT msg, WPARAM wParam, LPARAM lParam) {
  return subclass_.CallPrevious(msg, wParam, lParam);
}

LRESULT TWinSkinForm::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
  // Before the start nothing is painted. Activation goes on: an answer of 0 to a
  // deactivating WM_NCACTIVATE would keep the window active.
  if (frameState_ == fsAttached) {
    if (msg == WM_NCPAINT) return 0;
    if (msg == WM_NCACTIVATE && formKind_ != fkMDIChild) return 1;
  }
  switch (msg) {
    case WM_NCDESTROY: {
      // The window's own procedure sees the message once, after the frame let go.
      const HWND window = handle_;
      const WNDPROC proc = subclass_.Previous();
      const bool unicode = unicode_;
      frameState_ = fsDetaching;
      DetachFrameQuiet();
      frameState_ = fsDestroyed;
      return unicode ? CallWindowProcW(proc, window, msg, wParam, lParam)
                     : CallWindowProcA(proc, window, msg, wParam, lParam);
    }
    case kThemedCaptionDraw:
      return 0;
    case WM_INITMENUPOPUP:
      manager_.SetPopupKind(reinterpret_cast<HMENU>(wParam) == systemMenu_ ? 2 : 1);
      break;
    case SKM_STARTFRAME:
      if (frameState_ == fsAttached) Start();
      return 0;
    case SKM_QUERYSKINNED:
      return 1;
    case SKM_PAINTFRAME:
      // Paints the frame into the given device context (forms and bare windows alike).
      if (lParam != kSkinMagic) break;
      PaintFrame(reinterpret_cast<HDC>(wParam));
      return kSkinMagic;
    case SKM_CONTROLRECREATED:
      controls_.ReplaceScrollSkinner(reinterpret_cast<HWND>(wParam));
      return 0;
    case SKM_PURGESKINNERS:
      controls_.PurgeWindow(reinterpret_cast<HWND>(wParam));
      return 0;
    default:
      break;
  }
  if (!skinned_) return CallWindow(msg, wParam, lParam);
  LRESULT result = 0;
  if (frameState_ == fsRunning && menus_.Message(msg, wParam, lParam, result)) return result;
  if ((formKind_ == fkMDIChild || !isChildWindow_) && DispatchTopLevel(msg, wParam, lParam, result)) {
    return result;
  }
  if (frameState_ != fsAttached && ForeignClientMessage(msg, wParam, lParam, result)) return result;
  const bool maximizedChild = formKind_ == fkMDIChild && windowState_ == wsMaximized;
  if (!maximizedChild && frameState_ != fsAttached && DispatchNonClient(msg, wParam, lParam, result)) {
    return result;
  }
  return CallWindow(msg, wParam, lParam);
}

// Size, activation, min-max, position and commands of a top-level window or MDI child.
// Answers true when the message was consumed.
bool TWinSkinForm::DispatchTopLevel(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_SIZE: {
      // The MDI frame learns that this child was maximized (by its buttons, its system menu,
      // the client or the program) before the child's own handling, which repaints the
      // frame's menu bar with the child's buttons on it.
      if (wParam == SIZE_MAXIMIZED && formKind_ == fkMDIChild) {
        SendMessageW(GetParent(handle_), SKM_MDIMAXIMIZED, reinterpret_cast<WPARAM>(handle_), 0);
      }
      const HWND window = handle_;
      result = CallWindow(msg, wParam, lParam);
      if (FromWindow(window) != this) return true;
      if (wParam == SIZE_RESTORED) windowState_ = wsNormal;
      if (wParam == SIZE_MINIMIZED) windowState_ = wsMinimized;
      if (wParam == SIZE_MAXIMIZED) windowState_ = wsMaximized;
      OnSize();
      return true;
    }
    case WM_GETMINMAXINFO: {
      const HWND window = handle_;
      result = CallWindow(msg, wParam, lParam);
      if (FromWindow(window) != this) return true;
      ReadWindowState();
      if (borderIcons_ & kBiCaptionToggled) {
        const bool maximizedChild = formKind_ == fkMDIChild && windowState_ == wsMaximized;
        SetCaptionStyle(windowState_ == wsMinimized || maximizedChild);
      }
      return true;
    }
    case WM_WINDOWPOSCHANGED: {
      const HWND window = handle_;
      result = CallWindow(msg, wParam, lParam);
      if (FromWindow(window) == this) ReadWindowState();
      return true;
    }
    case WM_DPICHANGED: {
      // The skin follows the window to the new screen's DPI first, its borders measured anew
      // at once; the window then scales its client area inside them and goes to the place
      // the system suggests. The skin's re-application a moment later keeps that fit.
      if (skinData_) skinData_->SetDpi(LOWORD(wParam));
      const HWND window = handle_;
      result = CallWindow(msg, wParam, lParam);
      if (FromWindow(window) == this) KeepPresentFit();
      return true;
    }
    case WM_ACTIVATE:
    case WM_NCACTIVATE:
      active_ = static_cast<int>(msg == WM_ACTIVATE ? LOWORD(wParam) != WA_INACTIVE : wParam != 0);
      return false;  // recorded; the window (or the non-client step) handles it
    case WM_COMMAND:
      if (HIWORD(wParam) == 0 && lParam == 0 && IsSystemCommand(LOWORD(wParam))) {
        PostMessageW(handle_, WM_SYSCOMMAND, LOWORD(wParam), 0);
        result = 0;
        return true;
      }
      return false;
    case WM_SYSCOMMAND:
      // Alt+Space: the system menu opens at the client area's origin.
      if ((wParam & 0xFFF0) == SC_KEYMENU && lParam == ' ') {
        POINT origin{0, 0};
        ClientToScreen(handle_, &origin);
        ShowSystemMenu(origin);
        result = 0;
        return true;
      }
      switch (wParam & 0xFFF0) {
        case SC_MINIMIZE:
          windowState_ = wsMinimized;
          RestoreSystemMenuStyle();  // the minimized window's caption is the system's
          break;
        case SC_MAXIMIZE: windowState_ = wsMaximized; break;
        case SC_RESTORE:
          windowState_ = wsNormal;
          if (formKind_ == fkMDIChild) {
            manager_.SetMDIChildMaximized(false);
          }
          break;
        default: break;
      }
      return false;
    default:
      return false;
  }
}

// The non-client messages of a running skinned frame. Answers true when consumed.
bool TWinSkinForm::DispatchNonClient(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (NCMouseMessage(msg, wParam, lParam, result)) return true;
  switch (msg) {
    case WM_NCCALCSIZE:
      result = NCCalcSize(wParam, lParam);
      return true;
    case WM_NCHITTEST:
      result = NCHitTest(lParam);
      return true;
    case WM_NCPAINT:
      if (borderKind_ == bkNoCaption) return false;
      HideSystemMenuStyle();
      // While the class library rebuilds a menu the frame is not painted at all, so that no
      // half-built menu strip is shown; the change ends with a full repaint.
      if (skinData_->PaintingAllowed()) PaintFrame();
      result = 0;
      return true;
    case WM_SETICON: {
      const HWND window = handle_;
      result = CallWindow(msg, wParam, lParam);
      if (FromWindow(window) == this) {
        PrepareIcon();
        PaintFrame();
      }
      return true;
    }
    case WM_NCACTIVATE:
      result = NCActivate(wParam, lParam);
      return true;
    case SKM_REDRAWFRAME:
      PaintFrame();
      result = 0;
      return true;
    default:
      return false;
  }
}

}  // namespace skin
