// The frame's geometry from the skin: border sizes, the client area, hit-testing and fitting
// the window around its client area.
#include <windowsx.h>

#include <algorithm>
#include <string>

#include "skin/frame/WinSkinForm.h"

namespace skin {

namespace {

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

// The system's answers over its own title and menu bars, which the skin's replace: the
// caption, the menu bar and the system's caption buttons, which are not drawn and lie
// elsewhere than the skin's.
bool IsCaptionAnswer(LRESULT code) {
  switch (code) {
    case HTNOWHERE: case HTCAPTION: case HTMENU: case HTSYSMENU: case HTMINBUTTON:
    case HTMAXBUTTON: case HTCLOSE: case HTHELP:
      return true;
    default:
      return false;
  }
}

}  // namespace

const TDataSkinObject* TWinSkinForm::Border(TBorderPart part) const {
  if (!HasSkin()) return nullptr;
  const TResolvedSkin& skin = skinData_->Resolved();
  switch (part) {
    case bpLeft: return skin.LeftBorder;
    case bpRight: return skin.RightBorder;
    case bpTop: return skin.TopBorder;
    case bpBottom: return skin.BottomBorder;
  }
  return nullptr;
}

// Sizes and caption buttons from the skin. The buttons are made anew: they refer to the
// skin's definitions, which a new skin replaces.
void TWinSkinForm::RebuildGeometry() {
  painter_.DropStrips();
  captionButtons_.Clear();
  if (!HasSkin()) return;
  if (borderKind_ == bkNoCaption) {
    geometry_.ClearBorders();
    return;
  }
  geometry_.MeasureBorders();
  MakeButtons();
  LayoutCaptionButtons();
}

LRESULT TWinSkinForm::NCCalcSize(WPARAM wParam, LPARAM lParam) {
  const HWND window = handle_;
  const LRESULT own = CallWindow(WM_NCCALCSIZE, wParam, lParam);
  if (FromWindow(window) != this || wParam == 0) return wParam == 0 ? 0 : own;
  auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
  const bool minMaxChild = formKind_ == fkMDIChild && windowState_ != wsNormal;
  if (minMaxChild || borderKind_ == bkNoCaption) {
    params->rgrc[1] = params->rgrc[0];
    return own;
  }
  const RECT client = geometry_.ClientArea(*params->lppos);
  params->rgrc[0] = client;
  params->rgrc[1] = client;
  return WVR_VALIDRECTS;
}

POINT TWinSkinForm::WindowPoint(POINT screen) const {
  ScreenToClient(handle_, &screen);
  const bool minimizedChild = formKind_ == fkMDIChild && windowState_ == wsMinimized;
  return minimizedChild ? screen : geometry_.ClientToWindow(screen);
}

// Borders, size grips and corners keep the system's answer; the rest of the non-client area
// is a caption button of the skin, the title bar, or the menu bar below it.
LRESULT TWinSkinForm::NCHitTest(LPARAM lParam) {
  const HWND window = handle_;
  const LRESULT own = CallWindow(WM_NCHITTEST, 0, lParam);
  if (FromWindow(window) != this || !IsCaptionAnswer(own)) return own;
  RECT bounds{};
  GetWindowRect(handle_, &bounds);
  if (!PtInRect(&bounds, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) return own;
  const POINT p = WindowPoint({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  KeepButtonsCurrent();
  if (captionButtons_.LayoutWidth() != bounds.right - bounds.left) LayoutCaptionButtons();
  if (const TWinSysButton* button = ButtonAt(p)) return CaptionButtonHitCode(button->Action());
  return geometry_.OnMenuBar(p) ? HTMENU : HTCAPTION;
}

LRESULT TWinSkinForm::NCActivate(WPARAM wParam, LPARAM lParam) {
  active_ = wParam != 0 ? 1 : 0;
  captionButtons_.SetHoverTimer(active_ != 0);
  if (!active_ && hot_.Get() && !captionButtons_.Pressed()) {
    hot_.Get()->State = ncsNormal;  // painted below with the inactive frame
    hot_.Clear();
  }
  if (formKind_ == fkMDIChild) return CallWindow(WM_NCACTIVATE, wParam, lParam);
  if (formKind_ == fkMDIFrame && mdiClient_) SendMessageW(mdiClient_, WM_NCACTIVATE, wParam, lParam);
  PaintFrame();
  return 1;
}

void TWinSkinForm::OnSize() {
  if (!Buttons().empty()) LayoutCaptionButtons();
  if (windowState_ == wsMinimized) return;
  if (formKind_ == fkMDIChild) {
    if (manager_.MDIChildMaximized() || windowState_ != wsNormal) return;
  }
  if (frameState_ == fsRunning || frameState_ == fsReapplying) BuildRegion();
}

void TWinSkinForm::FitWindow(bool atStart) {
  const RECT borders{geometry_.LeftWidth(), geometry_.TitleHeight() + geometry_.MenuBarHeight(),
                     geometry_.RightWidth(), geometry_.BottomHeight()};
  if (windowState_ == wsMaximized) {
    if (fitted_) FitRestoredPlace(borders);
    RecomputeFrame();
    return;
  }
  RECT client{};
  GetClientRect(handle_, &client);
  if (fitted_ && windowState_ == wsNormal) {
    // A caption change or any other frame change since the skin changed has already given
    // the window the new borders' client area: keep the one it was fitted around.
    const SIZE kept = FittedClientSize();
    client.right = kept.cx;
    client.bottom = kept.cy;
  }
  int width = client.right + borders.left + borders.right;
  const int height = client.bottom + borders.top + borders.bottom;
  if (isDialog_ && atStart) width = FitDialogCaption(width);
  SetWindowPos(handle_, nullptr, 0, 0, width, height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  fitted_ = true;
  fittedBorders_ = borders;
}

// A maximized window keeps the place it is restored to: that place is sized again so that,
// restored, the window has the client area it was fitted around inside the new borders.
void TWinSkinForm::FitRestoredPlace(const RECT& borders) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if (!GetWindowPlacement(handle_, &placement)) return;
  RECT& place = placement.rcNormalPosition;
  place.right += borders.left + borders.right - fittedBorders_.left - fittedBorders_.right;
  place.bottom += borders.top + borders.bottom - fittedBorders_.top - fittedBorders_.bottom;
  placement.showCmd = SW_SHOWNA;  // stays maximized, and is not activated
  if (SetWindowPlacement(handle_, &placement)) fittedBorders_ = borders;
}

void TWinSkinForm::KeepPresentFit() {
  if (windowState_ != wsNormal) return;
  fittedBorders_ = {geometry_.LeftWidth(), geometry_.TitleHeight() + geometry_.MenuBarHeight(),
                    geometry_.RightWidth(), geometry_.BottomHeight()};
  fitted_ = true;
}

SIZE TWinSkinForm::FittedClientSize() const {
  RECT r{};
  GetWindowRect(handle_, &r);
  return {std::max<LONG>(r.right - r.left - fittedBorders_.left - fittedBorders_.right, 0),
          std::max<LONG>(r.bottom - r.top - fittedBorders_.top - fittedBorders_.bottom, 0)};
}

// A dialog is made wide enough for its caption; its controls move right by half the growth.
int TWinSkinForm::FitDialogCaption(int width) {
  const TDataSkinObject* title = skinData_->Resolved().Title;
  if (!title) return width;
  const std::wstring caption = WindowText(handle_);
  HDC dc = GetDC(handle_);
  if (!dc) return width;
  const HGDIOBJ old = SelectObject(dc, skinData_->CaptionFont());
  SIZE extent{0, 0};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(handle_, dc);
  const int needed = title->LeftWidth + extent.cx + title->RightWidth;
  if (needed <= width) return width;
  const int shift = (needed - width) / 2;
  for (HWND child = GetWindow(handle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(child, nullptr, r.left + shift, r.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return needed;
}

}  // namespace skin
