#include "ui/Forms.h"

#include <algorithm>
#include <climits>

#include "ui/Menus.h"
#include "ui/SysUtils.h"

namespace ui {

const TEnumInfo& FormBorderStyleInfo() {
  static const TEnumInfo info(L"TFormBorderStyle", {L"bsNone", L"bsSingle", L"bsSizeable", L"bsDialog",
                                                    L"bsToolWindow", L"bsSizeToolWin"});
  return info;
}

const TEnumInfo& BorderIconInfo() {
  static const TEnumInfo info(L"TBorderIcon", {L"biSystemMenu", L"biMinimize", L"biMaximize", L"biHelp"});
  return info;
}

const TEnumInfo& PositionInfo() {
  static const TEnumInfo info(L"TPosition", {L"poDesigned", L"poDefault", L"poDefaultPosOnly",
                                             L"poDefaultSizeOnly", L"poScreenCenter", L"poDesktopCenter",
                                             L"poMainFormCenter", L"poOwnerFormCenter"});
  return info;
}

const TClassInfo& TCustomForm::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TCustomForm", &TWinControl::StaticClass());
    c.Set(L"BorderIcons", BorderIconInfo(), &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons);
    c.Enum(L"BorderStyle", FormBorderStyleInfo(), &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle);
    c.Str(L"Caption", &TControl::Caption, &TControl::SetCaption);
    c.Int(L"ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight);
    c.Int(L"ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth);
    c.Obj(L"Menu", &TCustomForm::Menu);
    c.Enum(L"Position", PositionInfo(), &TCustomForm::Position, &TCustomForm::SetPosition);
    return c;
  }();
  return info;
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
  TControl::SetVisible(false);
  SetColor(clBtnFace);
  SetParentFont(false);
  SetBounds(0, 0, 320, 240);
  Screen->forms_.push_back(this);
}

TCustomForm::~TCustomForm() {
  BeginDestruction();
  if (OnDestroy) OnDestroy(this);
  std::erase(Screen->forms_, this);
  // The window goes before the members of derived forms' controls are touched by it.
  DestroyComponents();
  DestroyHandle();
}

DWORD TCustomForm::WindowStyle() const {
  DWORD style = WS_CLIPCHILDREN;
  switch (borderStyle_) {
    case bsNone: style |= WS_POPUP; break;
    case bsSingle: case bsToolWindow: style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable: case bsSizeToolWin: style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog: style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME; break;
  }
  if (borderStyle_ != bsNone && (borderIcons_ & (1 << biSystemMenu))) {
    style |= WS_SYSMENU;
    if (borderStyle_ != bsDialog && borderStyle_ != bsToolWindow && borderStyle_ != bsSizeToolWin) {
      if (borderIcons_ & (1 << biMinimize)) style |= WS_MINIMIZEBOX;
      if (borderIcons_ & (1 << biMaximize)) style |= WS_MAXIMIZEBOX;
    }
  }
  return style;
}

DWORD TCustomForm::WindowExStyle() const {
  DWORD ex = 0;
  if (borderStyle_ == bsDialog) ex |= WS_EX_DLGMODALFRAME;
  if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin) ex |= WS_EX_TOOLWINDOW;
  return ex;
}

void TCustomForm::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.Style = WindowStyle();
  p.ExStyle = WindowExStyle() | WS_EX_APPWINDOW;
  p.WndParent = nullptr;
}

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignDpi;
}

// A form is scaled to the screen before its first window is made, when every control built
// for it has its place: the window and its children are made at their final sizes.
void TCustomForm::CreateWnd() {
  if (scaled_) ScaleToDpi(SystemDpi());
  TWinControl::CreateWnd();
}

void TCustomForm::ScaleToDpi(int dpi) {
  if (dpi <= 0 || dpi == pixelsPerInch_) return;
  const int from = pixelsPerInch_;
  pixelsPerInch_ = dpi;
  ChangeScale(dpi, from);
}

// The form keeps its place on the screen; its client area is scaled, and the frame around it
// is the system's (or a skin's) at the new DPI.
void TCustomForm::ScaleSelf(int m, int d) {
  const int cw = clientWidth_ > 0 ? clientWidth_ : ClientWidth();
  const int ch = clientHeight_ > 0 ? clientHeight_ : ClientHeight();
  SetClientSize(MulDiv(cw, m, d), MulDiv(ch, m, d));
  if (!ParentFont()) Font()->SetHeight(MulDiv(Font()->Height(), m, d));
}

// The window went to a screen of another DPI: the form is scaled to it and goes where the
// system suggests, keeping the client size it was scaled to.
void TCustomForm::DpiChanged(int dpi, const RECT& suggested) {
  ScaleToDpi(dpi);
  SetBounds(suggested.left, suggested.top, Width(), Height());
}

// A form may be larger than its screen (one built for 96 DPI shown at 200 % on a small
// screen), and the system would cut its client area short at the screen's size. A form the
// user cannot size sets its size itself, so it is not limited at all; a sizeable one may
// grow to at least the size around the client size it was given.
void TCustomForm::AllowClientSize(MINMAXINFO& info) const {
  const bool sizeable = borderStyle_ == bsSizeable || borderStyle_ == bsSizeToolWin;
  if (!sizeable) {
    info.ptMaxTrackSize = {SHRT_MAX, SHRT_MAX};
    return;
  }
  HWND h = HandleIfAllocated();
  RECT window{}, client{};
  if (!h || clientWidth_ <= 0 || clientHeight_ <= 0 || !GetWindowRect(h, &window) ||
      !GetClientRect(h, &client)) {
    return;
  }
  const LONG width = (window.right - window.left) - client.right + clientWidth_;
  const LONG height = (window.bottom - window.top) - client.bottom + clientHeight_;
  info.ptMaxTrackSize.x = std::max(info.ptMaxTrackSize.x, width);
  info.ptMaxTrackSize.y = std::max(info.ptMaxTrackSize.y, height);
}

void TCustomForm::CreateHandleDone() {
  if (menu_) ::SetMenu(HandleIfAllocated(), menu_->Handle());
  if (onDropFiles_) DragAcceptFiles(HandleIfAllocated(), TRUE);
  if (clientWidth_ > 0 || clientHeight_ > 0) SetClientSize(clientWidth_, clientHeight_);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
  if (style == borderStyle_) return;
  int cw = ClientWidth(), ch = ClientHeight();
  borderStyle_ = style;
  clientWidth_ = cw;
  clientHeight_ = ch;
  RecreateWnd();
  SetClientSize(cw, ch);
}

// A window destroys its menu with itself: the menu is the menu component's, so it is taken
// away first (the next window of the form gets it again).
void TCustomForm::DestroyWnd() {
  if (HWND h = HandleIfAllocated(); h && menu_ && GetMenu(h) == menu_->HandleIfBuilt()) {
    ::SetMenu(h, nullptr);
  }
  TWinControl::DestroyWnd();
}

void TCustomForm::SetMenu(TMainMenu* menu) {
  if (menu == menu_) return;
  if (menu_) menu_->RemoveFreeNotification(this);
  menu_ = menu;
  if (menu_) menu_->FreeNotification(this);
  if (!HandleAllocated()) return;
  const int cw = ClientWidth(), ch = ClientHeight();
  ::SetMenu(HandleIfAllocated(), menu_ ? menu_->Handle() : nullptr);
  Perform(CM_MENUCHANGED);
  SetClientSize(cw, ch);
}

void TCustomForm::MenuChanged() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  ::SetMenu(h, menu_ ? menu_->Handle() : nullptr);
  Perform(CM_MENUCHANGED);
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
  if (icons == borderIcons_) return;
  borderIcons_ = icons;
  RecreateWnd();
}

RECT TCustomForm::ClientRect() const {
  if (HandleIfAllocated()) return TWinControl::ClientRect();
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, WindowStyle(), FALSE, WindowExStyle());
  LONG w = Width() - (frame.right - frame.left), h = Height() - (frame.bottom - frame.top);
  return {0, 0, std::max(0L, w), std::max(0L, h)};
}

void TCustomForm::SetClientSize(int width, int height) {
  clientWidth_ = width;
  clientHeight_ = height;
  RECT r{0, 0, width, height};
  AdjustWindowRectEx(&r, WindowStyle(), FALSE, WindowExStyle());
  SetBounds(Left(), Top(), r.right - r.left, r.bottom - r.top);
  // The frame the system really draws may differ from the estimate (menus, themes).
  if (HWND h = HandleIfAllocated()) {
    RECT c;
    GetClientRect(h, &c);
    int dw = width - c.right, dh = height - c.bottom;
    if (dw || dh) SetBounds(Left(), Top(), Width() + dw, Height() + dh);
  }
}

void TCustomForm::PlaceAtCentre() {
  RECT desk = Screen->DesktopRect();
  if (position_ == poScreenCenter) {
    desk = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  int x = desk.left + ((desk.right - desk.left) - Width()) / 2;
  int y = desk.top + ((desk.bottom - desk.top) - Height()) / 2;
  SetBounds(std::max(x, static_cast<int>(desk.left)), std::max(y, static_cast<int>(desk.top)), Width(), Height());
}

void TCustomForm::SetVisible(bool visible) {
  if (visible == Visible()) return;
  if (visible) {
    HandleNeeded();  // the form is scaled to the screen first, then centred at its size
    if (position_ == poScreenCenter || position_ == poDesktopCenter) PlaceAtCentre();
    TControl::SetVisible(true);
    ShowWindow(Handle(), SW_SHOW);
    if (activeControl_ && activeControl_->CanFocus()) ::SetFocus(activeControl_->Handle());
    DoShow();
  } else {
    TControl::SetVisible(false);
    if (HWND h = HandleIfAllocated()) ShowWindow(h, SW_HIDE);
    if (OnHide) OnHide(this);
  }
}

bool TCustomForm::Showing() const {
  HWND h = HandleIfAllocated();
  return Visible() && h && IsWindowVisible(h);
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::Show() {
  SetVisible(true);
  SetForegroundWindow(Handle());
}

void TCustomForm::Close() {
  if (OnClose) OnClose(this);
  if (Application->MainForm() == this) Application->Terminate();
  else Hide();
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  if (control == activeControl_) return;
  activeControl_ = control;
  if (control) control->FreeNotification(this);
  if (control && Showing() && control->CanFocus()) ::SetFocus(control->Handle());
}

void TCustomForm::FocusControl(TWinControl* control) {
  if (Showing() && control->CanFocus()) ::SetFocus(control->Handle());
  else SetActiveControl(control);
}

void TCustomForm::SetFocus() {
  if (activeControl_ && activeControl_->CanFocus()) ::SetFocus(activeControl_->Handle());
  else ::SetFocus(Handle());
}

void TCustomForm::SetFocusedControl(TWinControl* control) {
  TWinControl* old = activeControl_;
  if (old != control) {
    if (old) old->Perform(CM_EXIT);
    activeControl_ = control;
    if (control) control->FreeNotification(this);
    if (control) control->Perform(CM_ENTER);
  }
  TMessage m{CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control), 0};
  Broadcast(m);
}

void TCustomForm::SelectNext(TWinControl* current, bool forward) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return;
  auto it = std::find(list.begin(), list.end(), current);
  int n = static_cast<int>(list.size());
  int start = it == list.end() ? (forward ? -1 : n) : static_cast<int>(it - list.begin());
  for (int step = 1; step <= n; ++step) {
    int i = ((start + (forward ? step : -step)) % n + n) % n;
    TWinControl* c = list[static_cast<size_t>(i)];
    if (c->TabStop() && c->CanFocus()) {
      c->SetFocus();
      return;
    }
  }
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == activeControl_) activeControl_ = nullptr;
  if (operation == TOperation::opRemove && component == menu_) {
    menu_ = nullptr;
    if (HWND h = HandleIfAllocated()) ::SetMenu(h, nullptr);
  }
}

void TCustomForm::SetOnDropFiles(TDropFilesEvent handler) {
  onDropFiles_ = std::move(handler);
  if (HWND h = HandleIfAllocated()) DragAcceptFiles(h, onDropFiles_ ? TRUE : FALSE);
}

// The drop's paths are read, the drop is released, and only then is the handler called: a
// handler that shows a message box leaves the shell's data already freed.
void TCustomForm::DropFiles(HDROP drop) {
  struct TDropScope {
    HDROP drop;
    ~TDropScope() { DragFinish(drop); }
  };
  std::vector<std::wstring> files;
  {
    const TDropScope scope{drop};
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
      path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
      files.push_back(std::move(path));
    }
  }
  if (onDropFiles_ && !files.empty()) onDropFiles_(this, files);
}

void TCustomForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_DROPFILES:
      DropFiles(reinterpret_cast<HDROP>(m.WParam));
      return;
    case WM_CLOSE:
      Close();
      return;
    case WM_ACTIVATE:
      if (LOWORD(m.WParam) != WA_INACTIVE && activeControl_ && activeControl_->CanFocus()) {
        DefaultHandler(m);
        ::SetFocus(activeControl_->Handle());
        return;
      }
      break;
    case WM_COMMAND:
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
    case WM_MENUCHAR:
      if (DispatchMenuMessage(m, menu_)) return;
      break;
    case CM_MENUCHANGED:
      if (HWND h = HandleIfAllocated()) DrawMenuBar(h);
      return;
    case WM_GETMINMAXINFO:
      TWinControl::WndProc(m);
      AllowClientSize(*reinterpret_cast<MINMAXINFO*>(m.LParam));
      return;
    case WM_DPICHANGED:
      DpiChanged(LOWORD(m.WParam), *reinterpret_cast<const RECT*>(m.LParam));
      m.Result = 0;
      return;
    case CM_DIALOGKEY:
      if (m.WParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0) {
        SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0);
        m.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

const TClassInfo& TForm::StaticClass() {
  static const TClassInfo info(L"TForm", &TCustomForm::StaticClass());
  return info;
}

TForm::TForm(TComponent* owner) : TCustomForm(owner) {}

}  // namespace ui
