#include "skin/frame/WinSkinPopMenu.h"

#include <algorithm>

#include "skin/data/SkinDraw.h"
#include "skin/data/SkinMessages.h"
#include "skin/frame/WinSkinForm.h"

namespace skin {

namespace {

const wchar_t kPopupProp[] = L"VexloPopupSkinner";
// The width of the menu window's border bands, drawn from the skin's menu background.
constexpr int kBorder = 3;

const TDataSkinObject* MenuBackground(const TSkinData* data) {
  const TDataSkinObject* def =
      data && data->SkinLoaded() ? data->SkinObject("MenuBackground") : nullptr;
  return def && def->Bitmap && !def->Bitmap->Empty() ? def : nullptr;
}

bool ManagerActive() {
  TSkinManage* manager = TSkinManage::Instance();
  return manager && manager->Active();
}

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
  picture_.reset();
}

POINT TWinSkinPopMenu::ClientOffset() const {
  POINT origin{0, 0};
  ClientToScreen(handle_, &origin);
  RECT window{};
  GetWindowRect(handle_, &window);
  return {origin.x - window.left, origin.y - window.top};
}

bool TWinSkinPopMenu::ComposePicture() {
  const TDataSkinObject* def = MenuBackground(skinData_);
  RECT window{};
  if (!def || !GetWindowRect(handle_, &window)) {
    picture_.reset();
    return false;
  }
  const int w = window.right - window.left, h = window.bottom - window.top;
  if (picture_ && picture_->Width() == w && picture_->Height() == h) return true;
  picture_ = ComposeNineRegion(
      w, h, *def->Bitmap, TMargins{def->LeftWidth, def->TopHeight, def->RightWidth, def->BottomHeight},
      TFrameLayout::SideBySide, def->Tile == 1 ? TCentreMode::Tile : TCentreMode::Stretch, 1, 1);
  return picture_ != nullptr;
}

LRESULT TWinSkinPopMenu::CallOwn(UINT msg, WPARAM wParam, LPARAM lParam) {
  return unicode_ ? CallWindowProcW(savedProc_, handle_, msg, wParam, lParam)
                  : CallWindowProcA(savedProc_, handle_, msg, wParam, lParam);
}

// The bands of the window's outer three pixels that lie in `dc`, whose origin is `origin` in
// window coordinates, from the composed picture.
void TWinSkinPopMenu::PaintBorderBands(HDC dc, POINT origin) {
  const int w = picture_->Width(), h = picture_->Height();
  const RECT bands[] = {{0, 0, w, kBorder}, {0, h - kBorder, w, h}, {0, 0, kBorder, h},
                        {w - kBorder, 0, w, h}};
  HDC source = picture_->Canvas()->Handle();
  for (const RECT& b : bands) {
    BitBlt(dc, b.left - origin.x, b.top - origin.y, b.right - b.left, b.bottom - b.top, source,
           b.left, b.top, SRCCOPY);
  }
}

// A menu window whose border lies in its non-client area gets the border there.
void TWinSkinPopMenu::PaintNonClient() {
  HDC dc = GetWindowDC(handle_);
  if (!dc) return;
  const POINT offset = ClientOffset();
  RECT client{};
  GetClientRect(handle_, &client);
  ExcludeClipRect(dc, offset.x, offset.y, offset.x + client.right, offset.y + client.bottom);
  BitBlt(dc, 0, 0, picture_->Width(), picture_->Height(), picture_->Canvas()->Handle(), 0, 0,
         SRCCOPY);
  ReleaseDC(handle_, dc);
}

// The client area is printed by the menu's own procedure into an off-screen picture (the
// items draw themselves on the skin's background), the border bands that lie inside the client
// area come from the skin, and the whole is copied in one piece.
LRESULT TWinSkinPopMenu::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(handle_, &ps);
  RECT client{};
  GetClientRect(handle_, &client);
  if (dc && client.right > 0 && client.bottom > 0) {
    ui::TBitmap buffer(client.right, client.bottom);
    HDC target = buffer.Canvas()->Handle();
    const POINT offset = ClientOffset();
    BitBlt(target, 0, 0, client.right, client.bottom, picture_->Canvas()->Handle(), offset.x,
           offset.y, SRCCOPY);
    CallOwn(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target), PRF_CLIENT);
    PaintBorderBands(target, offset);
    BitBlt(dc, 0, 0, client.right, client.bottom, target, 0, 0, SRCCOPY);
  }
  EndPaint(handle_, &ps);
  return 0;
}

LRESULT CALLBACK TWinSkinPopMenu::PopupWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<TWinSkinPopMenu*>(GetPropW(window, kPopupProp));
  if (!self || !self->savedProc_) {
    return IsWindowUnicode(window) ? DefWindowProcW(window, msg, wParam, lParam)
                                   : DefWindowProcA(window, msg, wParam, lParam);
  }
  if (msg == SKM_QUERYSKINNED) return 1;
  if (!ManagerActive()) return self->CallOwn(msg, wParam, lParam);
  switch (msg) {
    case WM_DESTROY: {
      const WNDPROC proc = self->savedProc_;
      const bool unicode = self->unicode_;
      self->ReleaseWindow();  // the manager frees it when it hears of the destruction
      return unicode ? CallWindowProcW(proc, window, msg, wParam, lParam)
                     : CallWindowProcA(proc, window, msg, wParam, lParam);
    }
    case WM_ERASEBKGND:
      if (!InSet(self->skinData_->Options(), xoMenuBG)) self->CallOwn(msg, wParam, lParam);
      return 1;
    case WM_NCPAINT: {
      const POINT offset = self->ClientOffset();
      if (!self->ComposePicture()) break;
      if (offset.x > 0 || offset.y > 0) self->PaintNonClient();
      return 0;
    }
    case WM_PAINT:
      if (!self->ComposePicture()) break;
      return self->Paint();
    case WM_PRINT:
    case WM_PRINTCLIENT: {
      if (!self->ComposePicture()) break;
      HDC dc = reinterpret_cast<HDC>(wParam);
      const POINT offset = self->ClientOffset();
      // WM_PRINT draws the whole window, WM_PRINTCLIENT the client area.
      const POINT origin = msg == WM_PRINT ? POINT{0, 0} : offset;
      BitBlt(dc, 0, 0, self->picture_->Width(), self->picture_->Height(),
             self->picture_->Canvas()->Handle(), origin.x, origin.y, SRCCOPY);
      const int saved = SaveDC(dc);
      if (msg == WM_PRINT) SetViewportOrgEx(dc, offset.x, offset.y, nullptr);
      SetBkMode(dc, TRANSPARENT);
      self->CallOwn(WM_PRINTCLIENT, wParam, PRF_CLIENT);
      RestoreDC(dc, saved);
      self->PaintBorderBands(dc, origin);
      return 0;
    }
    default:
      break;
  }
  const WNDPROC proc = self->savedProc_;
  if (msg == WM_NCDESTROY) self->ReleaseWindow();
  return self->unicode_ ? CallWindowProcW(proc, window, msg, wParam, lParam)
                        : CallWindowProcA(proc, window, msg, wParam, lParam);
}

}  // namespace skin
