// MDI: the frame of an MDI frame window subclasses its MDI client, and the frames of MDI
// children follow the maximized state of the children.
#include <vector>

#include "skin/data/SkinMessages.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/frame/WinSkinMenu.h"

namespace skin {

void TWinSkinForm::SubclassMDIClient() {
  if (!mdiClient_ || mdiSubclass_.Installed()) return;
  mdiSubclass_.Install(mdiClient_, [this](UINT msg, WPARAM wParam, LPARAM lParam) {
    return MDIClientMessage(msg, wParam, lParam);
  });
}

void TWinSkinForm::UnsubclassMDIClient() { mdiSubclass_.Restore(); }

LRESULT TWinSkinForm::MDIClientMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  const HWND client = mdiClient_;
  const WNDPROC proc = mdiSubclass_.Previous();
  const bool unicode = mdiSubclass_.Unicode();
  const auto pass = [&] {
    return unicode ? CallWindowProcW(proc, client, msg, wParam, lParam)
                   : CallWindowProcA(proc, client, msg, wParam, lParam);
  };
  switch (msg) {
    case WM_NCCALCSIZE:
      if (skinned_ && !InSet(skinData_->Options(), xoMDIScrollbar)) {
        const LONG style = GetWindowLongW(client, GWL_STYLE);
        if (style & (WS_HSCROLL | WS_VSCROLL)) {
          SetWindowLongW(client, GWL_STYLE, style & ~(WS_HSCROLL | WS_VSCROLL));
        }
      }
      return pass();
    case WM_MDICREATE:
      skinData_->SetMenuUpdate(false);
      return pass();
    case WM_MDISETMENU: {
      // The client puts the merged menu on the frame window; the bar takes its items and the
      // window loses the menu again.
      const LRESULT result = pass();
      const auto menu = reinterpret_cast<HMENU>(wParam);
      if (menu && skinned_ && menus_.TakeMergedMenu(menu)) PaintFrame();
      return result;
    }
    case WM_MDIDESTROY: {
      const LRESULT result = pass();
      BOOL maximized = FALSE;
      const HWND active = reinterpret_cast<HWND>(
          SendMessageW(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
      manager_.SetMDIChildMaximized(active && maximized);
      if (!active) skinData_->SetMenuUpdate(true);
      return result;
    }
    case WM_MDITILE:
    case WM_MDICASCADE:
      manager_.SetMDIChildMaximized(false);
      return pass();
    case SKM_MDIMAXIMIZED:
      FollowChildMaximized();
      return 0;
    case SKM_MDIREDRAW:
      RedrawWindow(reinterpret_cast<HWND>(wParam), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
      return 0;
    default:
      return pass();
  }
}

bool TWinSkinForm::ActiveMDIChildMaximized() const {
  if (formKind_ != fkMDIFrame || !mdiClient_) return false;
  BOOL maximized = FALSE;
  const HWND active = reinterpret_cast<HWND>(
      SendMessageW(mdiClient_, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
  return active && maximized;
}

// A child of the client was maximized. A frame that shows the child's buttons on its menu bar
// tells the manager (which has the other children follow) and lays its buttons out for it.
void TWinSkinForm::FollowChildMaximized() {
  const bool barShown = menus_.Bar() && geometry_.MenuBarHeight() > 0 &&
                        windowState_ != wsMinimized && FramePaintable();
  if (!barShown || !ActiveMDIChildMaximized() || manager_.MDIChildMaximized()) return;
  manager_.SetMDIChildMaximized(true);
  LayoutCaptionButtons();
}

// On an MDI frame whose active child is maximized the child's buttons sit on the bar, laid out
// when the frame learnt of the child (FollowChildMaximized) or painted last.
const TCaptionButtonStrip::TButtons* TWinSkinForm::MDIChildButtons() const {
  return ActiveMDIChildMaximized() ? &Buttons() : nullptr;
}

void TWinSkinForm::FollowMDIMaximized(bool maximized) {
  if (formKind_ != fkMDIChild || !skinned_) return;
  if (maximized) {
    DropRegion();
    SetCaptionStyle(true);
    return;
  }
  ReadWindowState();
  if (windowState_ == wsMinimized) {
    SetCaptionStyle(true);
    return;
  }
  windowState_ = wsNormal;
  const bool hadRegion = geometry_.Region() != nullptr;
  BuildRegion();
  if (borderIcons_ & kBiCaptionToggled) SetCaptionStyle(false);
  if (!hadRegion) RecomputeFrame();
}

}  // namespace skin
