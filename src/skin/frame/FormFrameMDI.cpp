// MDI: the frame of an MDI frame window subclasses its MDI client, and the frames of MDI
// children follow the maximized state of the children.
#include <vector>

#include "skin/data/SkinMessages.h"
#include "skin/frame/FormFrame.h"
#include "skin/frame/WinSkinForm.h"

namespace skin {

namespace {

const wchar_t kClientProp[] = L"VexloMDIClientFrame";

}  // namespace

void TWinSkinForm::SubclassMDIClient() {
  if (!mdiClient_ || mdiClientProc_) return;
  mdiClientUnicode_ = IsWindowUnicode(mdiClient_) != FALSE;
  SetPropW(mdiClient_, kClientProp, this);
  const auto proc = reinterpret_cast<LONG_PTR>(&TWinSkinForm::MDIClientProc);
  mdiClientProc_ = reinterpret_cast<WNDPROC>(
      mdiClientUnicode_ ? SetWindowLongPtrW(mdiClient_, GWLP_WNDPROC, proc)
                        : SetWindowLongPtrA(mdiClient_, GWLP_WNDPROC, proc));
}

void TWinSkinForm::UnsubclassMDIClient() {
  if (!mdiClientProc_) return;
  if (IsWindow(mdiClient_)) {
    const auto saved = reinterpret_cast<LONG_PTR>(mdiClientProc_);
    if (mdiClientUnicode_) SetWindowLongPtrW(mdiClient_, GWLP_WNDPROC, saved);
    else SetWindowLongPtrA(mdiClient_, GWLP_WNDPROC, saved);
    if (GetPropW(mdiClient_, kClientProp) == this) RemovePropW(mdiClient_, kClientProp);
  }
  mdiClientProc_ = nullptr;
}

LRESULT CALLBACK TWinSkinForm::MDIClientProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* frame = static_cast<TWinSkinForm*>(GetPropW(window, kClientProp));
  if (frame && frame->mdiClientProc_) return frame->MDIClientMessage(msg, wParam, lParam);
  return IsWindowUnicode(window) ? DefWindowProcW(window, msg, wParam, lParam)
                                 : DefWindowProcA(window, msg, wParam, lParam);
}

LRESULT TWinSkinForm::MDIClientMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  const HWND client = mdiClient_;
  const WNDPROC proc = mdiClientProc_;
  const bool unicode = mdiClientUnicode_;
  const auto pass = [&] {
    return unicode ? CallWindowProcW(proc, client, msg, wParam, lParam)
                   : CallWindowProcA(proc, client, msg, wParam, lParam);
  };
  TSkinManage* manager = TSkinManage::Instance();
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
    case WM_MDIDESTROY: {
      const LRESULT result = pass();
      BOOL maximized = FALSE;
      const HWND active = reinterpret_cast<HWND>(
          SendMessageW(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
      if (manager) manager->SetMDIChildMaximized(active && maximized);
      if (!active) skinData_->SetMenuUpdate(true);
      return result;
    }
    case WM_MDITILE:
    case WM_MDICASCADE:
      if (manager) manager->SetMDIChildMaximized(false);
      return pass();
    case SKM_MDIREDRAW:
      RedrawWindow(reinterpret_cast<HWND>(wParam), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
      return 0;
    default:
      return pass();
  }
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
  const bool hadRegion = static_cast<bool>(region_);
  BuildRegion();
  if (borderIcons_ & kBiCaptionToggled) SetCaptionStyle(false);
  if (!hadRegion) RecomputeFrame();
}

void TSkinManage::SetMDIChildMaximized(bool value) {
  if (value == mdiChildMaximized_) return;
  mdiChildMaximized_ = value;
  if (mainSkinData_ && InSet(mainSkinData_->Options(), xoMDIChildBorder)) return;
  for (TWinSkinForm* frame : std::vector<TWinSkinForm*>(formSkinners_)) {
    if (frame->FormKind() == fkMDIChild) frame->FollowMDIMaximized(value);
  }
}

}  // namespace skin
