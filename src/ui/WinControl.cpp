#include <windowsx.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <unordered_map>

#include "ui/Controls.h"
#include "ui/DrawingScopes.h"
#include "ui/Forms.h"
#include "ui/SysUtils.h"

namespace ui {
namespace {

thread_local TWinControl* g_creating = nullptr;

// The control of each window that one of ours owns. Every message of every control looks its
// control up here; a window property would do as well, but reading one asks the window server
// each time, which made busy windows (a list filling with rows) slow.
class TControlsByHandle {
 public:
  TWinControl* Find(HWND handle) {
    std::lock_guard lock(mutex_);
    auto it = controls_.find(handle);
    return it != controls_.end() ? it->second : nullptr;
  }
  void Set(HWND handle, TWinControl* control) {
    std::lock_guard lock(mutex_);
    controls_[handle] = control;
  }
  // Forgets the window's control (only `control`'s entry, when one is named).
  void Remove(HWND handle, TWinControl* control = nullptr) {
    std::lock_guard lock(mutex_);
    auto it = controls_.find(handle);
    if (it != controls_.end() && (!control || it->second == control)) controls_.erase(it);
  }

 private:
  std::mutex mutex_;
  std::unordered_map<HWND, TWinControl*> controls_;
};

// Never destroyed: controls that outlive the static objects still leave it at exit.
TControlsByHandle& WindowControls() {
  static auto* controls = new TControlsByHandle;
  return *controls;
}

// The procedure that each registered class builds on, by class name.
std::map<std::wstring, WNDPROC>& DefaultProcs() {
  static std::map<std::wstring, WNDPROC> procs;
  return procs;
}

bool IsMouseMessage(UINT msg) { return msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK; }

bool IsDialogKey(WPARAM key) {
  switch (key) {
    case VK_TAB: case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
    case VK_RETURN: case VK_ESCAPE: case VK_EXECUTE: case VK_CANCEL:
      return true;
    default:
      return false;
  }
}

bool IsLibraryMessage(UINT msg) {
  return (msg >= CM_BASE && msg < CM_BASE + 0x100) || (msg >= CN_BASE && msg < CN_BASE + 0x400);
}

}  // namespace

LRESULT CALLBACK StdWndProc(HWND handle, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = WindowControls().Find(handle);
  if (!control) {
    control = g_creating;
    if (!control) return DefWindowProcW(handle, msg, wParam, lParam);
    g_creating = nullptr;
    control->AttachWindow(handle);
  }
  TMessage m{msg, wParam, lParam, 0};
  try {
    control->WindowProc(m);
  } catch (...) {
    HandleException(control);
  }
  if (msg == WM_NCDESTROY) {
    WindowControls().Remove(handle);
    if (control->handle_ == handle) control->handle_ = nullptr;
  }
  return m.Result;
}

const TClassInfo& TWinControl::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TWinControl", &TControl::StaticClass());
    c.Obj(L"Brush", &TWinControl::Brush);
    c.Int(L"TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder);
    c.Bool(L"TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop);
    return c;
  }();
  return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner), brush_(std::make_unique<TBrush>()) {
  brush_->SetColor(Color());
}

TWinControl::~TWinControl() {
  BeginDestruction();
  // Owned components go first, last one first; then children that belong to other owners;
  // then the window.
  DestroyComponents();
  while (!controls_.empty()) delete controls_.back();
  DestroyHandle();
}

TWinControl* TWinControl::FromHandle(HWND handle) {
  return handle ? WindowControls().Find(handle) : nullptr;
}

HWND TWinControl::Handle() {
  if (!handle_) {
    if (parent_) parent_->HandleNeeded();  // making the parent's window makes ours too
    if (!handle_) CreateWnd();
  }
  return handle_;
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.Caption = TControl::Text();
  p.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (acceptsControls_) p.Style |= WS_CLIPCHILDREN;
  if (Visible()) p.Style |= WS_VISIBLE;
  if (!Enabled()) p.Style |= WS_DISABLED;
  if (tabStop_) p.Style |= WS_TABSTOP;
  p.X = Left();
  p.Y = Top();
  p.Width = Width();
  p.Height = Height();
  p.WndParent = parent_ ? parent_->Handle() : nullptr;
  p.WinClassName = ClassName();
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  if (!p.WndParent && (p.Style & WS_CHILD)) throw Exception(L"Control '" + Name() + L"' has no parent window");
  HINSTANCE instance = GetModuleHandleW(nullptr);
  auto& procs = DefaultProcs();
  if (!procs.count(p.WinClassName)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    WNDPROC def = DefWindowProcW;
    if (p.SystemClass) {
      if (!GetClassInfoExW(nullptr, p.SystemClass, &wc)) RaiseLastOSError();
      def = wc.lpfnWndProc;
      wc.cbSize = sizeof(wc);
      wc.style &= ~CS_GLOBALCLASS;
    } else {
      wc.style = p.ClassStyle;
      wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
      // Top-level windows show the program's icon (none when the program carries none).
      if (!(p.Style & WS_CHILD)) {
        wc.hIcon = LoadIconW(instance, L"MAINICON");
        wc.hIconSm = static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), 0));
      }
    }
    wc.lpfnWndProc = StdWndProc;
    wc.hInstance = instance;
    wc.lpszClassName = p.WinClassName.c_str();
    if (!RegisterClassExW(&wc)) RaiseLastOSError();
    procs[p.WinClassName] = def;
  }
  g_creating = this;
  HWND h = CreateWindowExW(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y,
                           p.Width, p.Height, p.WndParent, nullptr, instance, nullptr);
  g_creating = nullptr;
  if (!h) RaiseLastOSError();
  SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
  CreateChildHandles();
  CreateHandleDone();
  Realign();
}

void TWinControl::AttachWindow(HWND handle) {
  handle_ = handle;
  WindowControls().Set(handle, this);
  wchar_t name[256];
  GetClassNameW(handle, name, 256);
  auto it = DefaultProcs().find(name);
  defWndProc_ = it != DefaultProcs().end() ? it->second : DefWindowProcW;
}

void TWinControl::CreateChildHandles() {
  for (TControl* c : controls_) {
    if (auto* w = dynamic_cast<TWinControl*>(c); w && !w->handle_) {
      w->CreateWnd();
      // Later children lie above earlier ones, as they are painted.
      SetWindowPos(w->handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
}

void TWinControl::DestroyWnd() {
  // The text lives in the window while there is one; keep it for the next window.
  std::wstring text = Text();
  HWND h = handle_;
  DestroyWindow(h);
  // Normally gone with the window's last message; not when a subclass kept that message away.
  WindowControls().Remove(h, this);
  handle_ = nullptr;
  TMessage keep{WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), 0};
  TControl::DefaultHandler(keep);
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
  DestroyWnd();
}

void TWinControl::RecreateWnd() {
  if (handle_) Perform(CM_RECREATEWND);
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  control->parent_ = this;
  if (auto* w = dynamic_cast<TWinControl*>(control)) tabList_.push_back(w);
  if (control->ParentFont()) control->Perform(CM_PARENTFONTCHANGED);
  if (control->ParentColor()) control->Perform(CM_PARENTCOLORCHANGED);
  if (control->ParentShowHint()) control->Perform(CM_PARENTSHOWHINTCHANGED);
  control->UpdateAnchorRules();
  if (handle_) {
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
      if (w->handle_) ::SetParent(w->handle_, handle_);
      else w->CreateWnd();
    }
    control->Invalidate();
  }
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), TRUE);
  if (control->Align() != alNone) Realign();
}

void TWinControl::RemoveControl(TControl* control) {
  auto it = std::find(controls_.begin(), controls_.end(), control);
  if (it == controls_.end()) return;
  if (!Destroying()) Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), FALSE);
  // A windowed control being destroyed is no longer one by its dynamic type (its own
  // destructor has run): it leaves the tab order by address.
  std::erase_if(tabList_, [control](TWinControl* w) { return static_cast<TControl*>(w) == control; });
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    w->DestroyHandle();
  } else if (handle_) {
    RECT r = control->BoundsRect();
    InvalidateRect(handle_, &r, TRUE);
  }
  if (mouseCaptureControl_ == control) mouseCaptureControl_ = nullptr;
  controls_.erase(std::find(controls_.begin(), controls_.end(), control));
  control->parent_ = nullptr;
  if (!Destroying() && control->Align() != alNone) Realign();
}

TControl* TWinControl::ControlAtPos(POINT p) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
    RECT r = c->BoundsRect();
    if (PtInRect(&r, p)) return c;
  }
  return nullptr;
}

void TWinControl::SetTabStop(bool value) {
  if (value == tabStop_) return;
  tabStop_ = value;
  if (handle_) {
    LONG style = GetWindowLongW(handle_, GWL_STYLE);
    SetWindowLongW(handle_, GWL_STYLE, value ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
  Perform(CM_TABSTOPCHANGED);
}

int TWinControl::TabOrder() const {
  if (!parent_) return -1;
  auto& list = parent_->tabList_;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (!parent_) return;
  auto& list = parent_->tabList_;
  std::erase(list, this);
  order = std::clamp(order, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + order, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* c : tabList_) {
    list.push_back(c);
    c->GetTabOrderList(list);
  }
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

void TWinControl::SetFocus() {
  if (TCustomForm* form = ParentForm()) form->FocusControl(this);
  else if (CanFocus()) ::SetFocus(Handle());
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  if (handle_ && !(left == Left() && top == Top() && width == Width() && height == Height())) {
    SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  bool resized = width != Width() || height != Height();
  TControl::SetBounds(left, top, width, height);
  if (resized && !handle_) Realign();
}

RECT TWinControl::ClientRect() const {
  RECT r{0, 0, Width(), Height()};
  if (handle_) GetClientRect(handle_, &r);
  return r;
}

void TWinControl::SetVisible(bool visible) {
  if (visible == Visible()) return;
  TControl::SetVisible(visible);
  if (handle_) ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::SetEnabled(bool enabled) {
  if (enabled == Enabled()) return;
  if (handle_) EnableWindow(handle_, enabled);
  TControl::SetEnabled(enabled);
}

bool TWinControl::Showing() const {
  if (!Visible()) return false;
  if (parent_) return parent_->Showing();
  return handle_ && IsWindowVisible(handle_);
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

void TWinControl::Realign() {
  if (realigning_ || Destroying()) return;
  realigning_ = true;
  try {
    AlignControls();
  } catch (...) {
    realigning_ = false;
    throw;
  }
  realigning_ = false;
}

void TWinControl::ChangeScale(int m, int d) {
  // No layout runs until every child has its new place: aligned and anchored children are
  // laid out once, from the scaled places. The children come first, so that those that take
  // this control's font and fit themselves to their text do so at their scaled places.
  const bool wasRealigning = realigning_;
  realigning_ = true;
  try {
    for (TControl* c : std::vector<TControl*>(controls_)) c->ChangeScale(m, d);
    ScaleSelf(m, d);
  } catch (...) {
    realigning_ = wasRealigning;
    throw;
  }
  realigning_ = wasRealigning;
  for (TControl* c : controls_) c->UpdateAnchorRules();
  Realign();
}

void TWinControl::AlignControls() {
  RECT r = ClientRect();
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (TControl* c : controls_) {
      if (c->Align() != align || !c->Visible()) continue;
      switch (align) {
        case alTop:
          c->SetBounds(r.left, r.top, r.right - r.left, c->Height());
          r.top += c->Height();
          break;
        case alBottom:
          c->SetBounds(r.left, r.bottom - c->Height(), r.right - r.left, c->Height());
          r.bottom -= c->Height();
          break;
        case alLeft:
          c->SetBounds(r.left, r.top, c->Width(), r.bottom - r.top);
          r.left += c->Width();
          break;
        case alRight:
          c->SetBounds(r.right - c->Width(), r.top, c->Width(), r.bottom - r.top);
          r.right -= c->Width();
          break;
        default:
          c->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
          break;
      }
    }
  }
  RECT client = ClientRect();
  for (TControl* c : controls_)
    if (c->Align() == alNone && c->Anchors() != AnchorsDefault) c->AnchorTo(client.right, client.bottom);
}

void TWinControl::Broadcast(TMessage& m) {
  for (TControl* c : std::vector<TControl*>(controls_)) {
    c->WindowProc(m);
    if (m.Result != 0) return;
  }
}

void TWinControl::FontChanged() {
  if (handle_) {
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
  }
  TControl::FontChanged();
  TMessage m{CM_PARENTFONTCHANGED, 0, 0, 0};
  Broadcast(m);
}

void TWinControl::PaintWindow(HDC dc) {
  TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
  DefaultHandler(m);
}

void TWinControl::PaintControls(HDC dc) {
  RECT clip{};
  GetClipBox(dc, &clip);
  for (TControl* c : std::vector<TControl*>(controls_)) {
    if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
    RECT r = c->BoundsRect(), overlap{};
    if (!IntersectRect(&overlap, &r, &clip)) continue;
    TSavedDC saved(dc);
    OffsetViewportOrgEx(dc, r.left, r.top, nullptr);
    IntersectClipRect(dc, 0, 0, r.right - r.left, r.bottom - r.top);
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc));
  }
}

void TWinControl::WMPaint(TMessage& m) {
  bool hasGraphicChildren = std::any_of(controls_.begin(), controls_.end(), [](TControl* c) {
    return !dynamic_cast<TWinControl*>(c) && c->Visible();
  });
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  if (dc) {
    PaintWindow(dc);
    PaintControls(dc);
    return;
  }
  if (!hasGraphicChildren && defWndProc_ != DefWindowProcW) {
    DefaultHandler(m);
    return;
  }
  PAINTSTRUCT ps;
  dc = BeginPaint(handle_, &ps);
  try {
    PaintWindow(dc);
    PaintControls(dc);
  } catch (...) {
    EndPaint(handle_, &ps);
    throw;
  }
  EndPaint(handle_, &ps);
}

void TWinControl::ForwardMouse(TMessage& m, TControl* target) {
  POINT p{GET_X_LPARAM(m.LParam) - target->Left(), GET_Y_LPARAM(m.LParam) - target->Top()};
  m.Result = target->Perform(m.Msg, m.WParam, MAKELPARAM(p.x, p.y));
}

void TWinControl::TrackMouse(TMessage& m) {
  POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  TControl* target = mouseCaptureControl_ ? mouseCaptureControl_ : ControlAtPos(p);
  SetMouseControl(target ? target : this);
  TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, handle_, 0};
  TrackMouseEvent(&tme);
}

bool TWinControl::ReflectNotification(TMessage& m) {
  HWND child = nullptr;
  if (m.Msg == WM_NOTIFY) child = m.LParam ? reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom : nullptr;
  else if (m.Msg == WM_DRAWITEM) child = m.LParam ? reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam)->hwndItem : nullptr;
  else child = reinterpret_cast<HWND>(m.LParam);
  TWinControl* target = FromHandle(child);
  if (!target || target == this) return false;
  m.Result = target->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
  return true;
}

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      WMPaint(m);
      return;
    case WM_ERASEBKGND:
      if (defWndProc_ == DefWindowProcW) {
        RECT r = ClientRect();
        FillRect(reinterpret_cast<HDC>(m.WParam), &r, brush_->Handle());
        m.Result = 1;
        return;
      }
      break;
    case WM_COMMAND: case WM_NOTIFY: case WM_DRAWITEM: case WM_HSCROLL: case WM_VSCROLL:
    case WM_CTLCOLORBTN: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORDLG: case WM_CTLCOLORMSGBOX:
      if (ReflectNotification(m)) return;
      break;
    case CN_CTLCOLORBTN: case CN_CTLCOLOREDIT: case CN_CTLCOLORLISTBOX: case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORSCROLLBAR: case CN_CTLCOLORDLG: case CN_CTLCOLORMSGBOX: {
      HDC dc = reinterpret_cast<HDC>(m.WParam);
      SetTextColor(dc, ColorToRGB(Font()->Color()));
      SetBkColor(dc, ColorToRGB(Color()));
      m.Result = reinterpret_cast<LRESULT>(brush_->Handle());
      return;
    }
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(m.WParam) == handle_ && LOWORD(m.LParam) == HTCLIENT) {
        POINT p;
        GetCursorPos(&p);
        ::ScreenToClient(handle_, &p);
        TControl* c = ControlAtPos(p);
        TCursor cursor = c && c->Cursor() != crDefault ? c->Cursor() : Cursor();
        if (cursor != crDefault) {
          ::SetCursor(CursorHandle(cursor));
          m.Result = TRUE;
          return;
        }
      }
      break;
    case WM_SETFOCUS:
      if (TCustomForm* form = ParentForm(); form && form != this) form->SetFocusedControl(this);
      break;
    case WM_MOUSELEAVE:
      if (TControl* mc = MouseControl(); mc == this || (mc && mc->Parent() == this)) SetMouseControl(nullptr);
      break;
    case WM_SIZE:
    case WM_MOVE:
    case WM_WINDOWPOSCHANGED: {
      DefaultHandler(m);
      RECT r;
      GetWindowRect(handle_, &r);
      if (HWND p = GetParent(handle_); p && (GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD))
        MapWindowPoints(nullptr, p, reinterpret_cast<POINT*>(&r), 2);
      bool resized = r.right - r.left != Width() || r.bottom - r.top != Height();
      TControl::SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
      if (resized || m.Msg == WM_SIZE) Realign();
      return;
    }
    case CM_RECREATEWND: {
      DestroyHandle();
      if (parent_ ? parent_->HandleAllocated() : Visible()) {
        HandleNeeded();
        if (!parent_ && Visible()) ShowWindow(handle_, SW_SHOWNA);
      }
      return;
    }
    case CM_COLORCHANGED:
      brush_->SetColor(Color());
      {
        TMessage pm{CM_PARENTCOLORCHANGED, 0, 0, 0};
        Broadcast(pm);
      }
      break;
    case CM_SHOWHINTCHANGED: {
      TMessage pm{CM_PARENTSHOWHINTCHANGED, 0, 0, 0};
      Broadcast(pm);
      return;
    }
    case CM_DIALOGKEY:
      // Keys the focused control does not want are offered to every control in turn.
      Broadcast(m);
      return;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
      // Only the dialog keys are offered to the form; every other key is the control's own.
      if (TCustomForm* form = ParentForm(); form && IsDialogKey(m.WParam)) {
        UINT code = static_cast<UINT>(SendMessageW(handle_, WM_GETDLGCODE, m.WParam, 0));
        bool wanted = (code & DLGC_WANTALLKEYS) || (m.WParam == VK_TAB && (code & DLGC_WANTTAB)) ||
                      ((m.WParam >= VK_LEFT && m.WParam <= VK_DOWN) && (code & DLGC_WANTARROWS));
        if (!wanted && form->Perform(CM_DIALOGKEY, m.WParam, m.LParam)) m.Result = 1;
      }
      return;
    default:
      if (IsMouseMessage(m.Msg)) {
        if (m.Msg == WM_MOUSEMOVE) TrackMouse(m);
        POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        TControl* target = mouseCaptureControl_ ? mouseCaptureControl_ : ControlAtPos(p);
        if (target && target->Enabled() && m.Msg != WM_MOUSEWHEEL) {
          if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) {
            mouseCaptureControl_ = target;
            SetCapture(handle_);
          }
          ForwardMouse(m, target);
          if (m.Msg == WM_LBUTTONUP && mouseCaptureControl_) {
            mouseCaptureControl_ = nullptr;
            ReleaseCapture();
          }
          return;
        }
      }
      break;
  }
  TControl::WndProc(m);
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (!handle_) {
    TControl::DefaultHandler(m);
  } else if (!IsLibraryMessage(m.Msg)) {
    m.Result = CallWindowProcW(defWndProc_, handle_, m.Msg, m.WParam, m.LParam);
  }
}

// ---------------------------------------------------------------------------------------------
// TCustomControl

const TClassInfo& TCustomControl::StaticClass() {
  static const TClassInfo info(L"TCustomControl", &TWinControl::StaticClass());
  return info;
}

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TCanvas>()) {}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC dc) {
  canvas_->SetHandle(dc);
  canvas_->Font()->Assign(*Font());
  canvas_->Brush()->SetColor(Color());
  try {
    Paint();
  } catch (...) {
    canvas_->SetHandle(nullptr);
    throw;
  }
  canvas_->SetHandle(nullptr);
}

}  // namespace ui
