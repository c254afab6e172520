#include "skin/frame/WinSkinPopMenu.h"

#include <algorithm>

#include "skin/data/SkinDraw.h"
#include "skin/data/SkinMessages.h"

namespace skin {

namespace {

// The width of the menu window's border bands, drawn from the skin's menu background.
constexpr int kBorder = 3;

const TDataSkinObject* MenuBackground(const TSkinData* data) {
  const TDataSkinObject* def =
      data && data->SkinLoaded() ? data->Resolved().MenuBackground : nullptr;
  return def && def->Bitmap && !def->Bitmap->Empty() ? def : nullptr;
}

}  // namespace

TWinSkinPopMenu::TWinSkinPopMenu(const TPopupSkinnerOwner& owner, HWND window, TSkinData* data)
    : owner_(owner), handle_(window), skinData_(data) {
  subclass_.Install(window, [this](UINT msg, WPARAM wParam, LPARAM lParam) {
    return PopupMessage(msg, wParam, lParam);
  });
}

TWinSkinPopMenu::~TWinSkinPopMenu() { ReleaseWindow(); }

void TWinSkinPopMenu::ReadMenu() {
  if (menu_) return;
  menu_ = reinterpret_cast<HMENU>(CallOwn(MN_GETHMENU, 0, 0));
}

void TWinSkinPopMenu::ReleaseWindow() {
  subclass_.Restore();
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
    // An item may take its place out of the clipping (so that the system draws no arrow over
    // it); the border bands are drawn with the clipping as it was.
    const int saved = SaveDC(target);
    CallOwn(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target), PRF_CLIENT);
    RestoreDC(target, saved);
    PaintBorderBands(target, offset);
    BitBlt(dc, 0, 0, client.right, client.bottom, target, 0, 0, SRCCOPY);
  }
  EndPaint(handle_, &ps);
  return 0;
}

// WM_PRINT draws the whole window, WM_PRINTCLIENT the client area: the skin's picture, the
// items printed by the menu's own procedure over it, then the border bands.
LRESULT TWinSkinPopMenu::Print(UINT msg, HDC dc) {
  const POINT offset = ClientOffset();
  const POINT origin = msg == WM_PRINT ? POINT{0, 0} : offset;
  BitBlt(dc, 0, 0, picture_->Width(), picture_->Height(), picture_->Canvas()->Handle(), origin.x,
         origin.y, SRCCOPY);
  const int saved = SaveDC(dc);
  if (msg == WM_PRINT) SetViewportOrgEx(dc, offset.x, offset.y, nullptr);
  SetBkMode(dc, TRANSPARENT);
  CallOwn(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  RestoreDC(dc, saved);
  PaintBorderBands(dc, origin);
  return 0;
}

LRESULT TWinSkinPopMenu::PopupMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == SKM_QUERYSKINNED) return 1;
  if (msg == WM_DESTROY || msg == WM_NCDESTROY) {
    // The window gets its own procedure back first; the manager frees this object when it
    // hears of the destruction.
    const WNDPROC own = subclass_.Previous();
    const bool unicode = subclass_.Unicode();
    const HWND window = handle_;
    ReleaseWindow();
    return unicode ? CallWindowProcW(own, window, msg, wParam, lParam)
                   : CallWindowProcA(own, window, msg, wParam, lParam);
  }
  if (msg == WM_CREATE || (msg == WM_SHOWWINDOW && wParam)) {
    // The menu window knows its menu once it is made; the items it draws find it by it.
    const LRESULT result = CallOwn(msg, wParam, lParam);
    ReadMenu();
    return result;
  }
  if (!owner_.Active()) return CallOwn(msg, wParam, lParam);
  switch (msg) {
    case WM_ERASEBKGND:
      if (!InSet(skinData_->Options(), xoMenuBG)) CallOwn(msg, wParam, lParam);
      return 1;
    case WM_NCPAINT: {
      const POINT offset = ClientOffset();
      if (!ComposePicture()) break;
      if (offset.x > 0 || offset.y > 0) PaintNonClient();
      return 0;
    }
    case WM_PAINT:
      if (!ComposePicture()) break;
      return Paint();
    case WM_PRINT:
    case WM_PRINTCLIENT:
      if (!ComposePicture()) break;
      return Print(msg, reinterpret_cast<HDC>(wParam));
    default:
      break;
  }
  return CallOwn(msg, wParam, lParam);
}

}  // namespace skin
