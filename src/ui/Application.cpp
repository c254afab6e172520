#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include <algorithm>

#include "ui/Forms.h"
#include "ui/SysUtils.h"

namespace ui {

namespace {
// The application and the screen live as long as the process.
std::unique_ptr<TScreen> g_screen;
std::unique_ptr<TApplication> g_application;
}  // namespace

TScreen* Screen = (g_screen = std::make_unique<TScreen>()).get();
TApplication* Application = (g_application = std::make_unique<TApplication>()).get();

void HandleException(TObject* sender) { Application->HandleException(sender); }

// ---------------------------------------------------------------------------------------------
// TScreen

const TClassInfo& TScreen::StaticClass() {
  static const TClassInfo info(L"TScreen", &TComponent::StaticClass());
  return info;
}

TScreen::TScreen() : TComponent(nullptr) {}

TCustomForm* TScreen::ActiveForm() const {
  HWND active = GetActiveWindow();
  for (TCustomForm* f : forms_)
    if (f->HandleIfAllocated() == active) return f;
  return nullptr;
}

RECT TScreen::DesktopRect() const {
  RECT r{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  if (r.right <= r.left || r.bottom <= r.top)
    r = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return r;
}

// ---------------------------------------------------------------------------------------------
// The hint window: a tracking tooltip shown after a pause over a control with a hint.

class TApplication::THintWindow {
 public:
  ~THintWindow() {
    Cancel();
    if (tip_) DestroyWindow(tip_);
  }

  void Start(TControl* control, int pause) {
    Cancel();
    pending_ = control;
    timer_ = SetTimer(nullptr, 0, static_cast<UINT>(pause), &THintWindow::TimerProc);
    active_ = this;
  }

  void Cancel() {
    if (timer_) KillTimer(nullptr, timer_);
    timer_ = 0;
    pending_ = nullptr;
    Hide();
  }

  void Forget(TControl* control) {
    if (pending_ == control) Cancel();
  }

  std::wstring Text() const { return shown_ ? text_ : std::wstring(); }

 private:
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    if (!active_ || active_->timer_ != id) {
      KillTimer(nullptr, id);
      return;
    }
    active_->ShowNow();
  }

  static std::wstring ShortHint(const std::wstring& hint) { return hint.substr(0, hint.find(L'|')); }

  void ShowNow() {
    KillTimer(nullptr, timer_);
    timer_ = 0;
    TControl* control = pending_;
    if (!control || control != MouseControl()) return;
    text_ = ShortHint(control->Hint());
    if (text_.empty()) return;
    if (!tip_) {
      tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                             0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
      if (!tip_) return;
      tool_ = TTTOOLINFOW{};
      tool_.cbSize = sizeof(tool_);
      tool_.uFlags = TTF_TRACK | TTF_ABSOLUTE;
      tool_.lpszText = const_cast<wchar_t*>(L"");
      SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool_));
    }
    tool_.lpszText = text_.data();
    SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool_));
    POINT p;
    GetCursorPos(&p);
    SendMessageW(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(p.x, p.y + 20));
    SendMessageW(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool_));
    shown_ = true;
  }

  void Hide() {
    if (shown_ && tip_) SendMessageW(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool_));
    shown_ = false;
  }

  static inline THintWindow* active_ = nullptr;
  HWND tip_ = nullptr;
  TTTOOLINFOW tool_{};
  UINT_PTR timer_ = 0;
  TControl* pending_ = nullptr;
  std::wstring text_;
  bool shown_ = false;
};

// ---------------------------------------------------------------------------------------------
// TApplication

const TClassInfo& TApplication::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TApplication", &TComponent::StaticClass());
    c.Bool(L"ShowHint", &TApplication::ShowHint, &TApplication::SetShowHint);
    c.Str(L"Title", &TApplication::Title, &TApplication::SetTitle);
    return c;
  }();
  return info;
}

TApplication::TApplication() : TComponent(nullptr), hint_(std::make_unique<THintWindow>()) {
  ui::MouseControlChanged() = [this](TControl* c) { MouseControlChanged(c); };
}

TApplication::~TApplication() {
  BeginDestruction();
  ui::MouseControlChanged() = nullptr;
  DestroyComponents();
  hint_.reset();
  if (initialized_) OleUninitialize();
}

void TApplication::Initialize() {
  if (initialized_) return;
  INITCOMMONCONTROLSEX icc{};
  icc.dwSize = sizeof(icc);
  icc.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES |
               ICC_DATE_CLASSES | ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS;
  InitCommonControlsEx(&icc);
  initialized_ = SUCCEEDED(OleInitialize(nullptr));
}

void TApplication::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == mainForm_) mainForm_ = nullptr;
  if (operation == TOperation::opRemove) {
    if (auto* c = dynamic_cast<TControl*>(component)) hint_->Forget(c);
  }
}

void TApplication::MouseControlChanged(TControl* control) {
  hint_->Cancel();
  if (!control || !showHint_ || !control->ShowHint() || control->Hint().empty()) return;
  hint_->Start(control, hintPause_);
}

std::wstring TApplication::CurrentHint() const { return hint_->Text(); }

void TApplication::Run() {
  if (mainForm_) mainForm_->Show();
  while (!terminated_ && HandleMessage()) {
  }
}

bool TApplication::HandleMessage() {
  MSG msg;
  BOOL got = GetMessageW(&msg, nullptr, 0, 0);
  if (got <= 0) {
    terminated_ = true;
    return false;
  }
  ProcessMessage(msg);
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      return;
    }
    ProcessMessage(msg);
  }
}

bool TApplication::IsKeyMsg(MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN && msg.message != WM_SYSCHAR) {
    return false;
  }
  HWND h = msg.hwnd;
  TWinControl* control = nullptr;
  while (h && !(control = TWinControl::FromHandle(h))) h = GetParent(h);
  if (!control) return false;
  if (msg.message == WM_SYSCHAR) {
    // A character typed with Alt is offered to the form first (its menu's accelerators).
    TCustomForm* form = dynamic_cast<TCustomForm*>(control);
    if (!form) form = control->ParentForm();
    return form && form->Perform(CM_DIALOGCHAR, msg.wParam, msg.lParam) != 0;
  }
  return control->Perform(CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
}

bool TApplication::ProcessMessage(MSG& msg) {
  try {
    if (IsKeyMsg(msg)) return true;
  } catch (...) {
    HandleException(this);
    return true;
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

void TApplication::Terminate() {
  if (!terminated_) PostQuitMessage(0);
  terminated_ = true;
}

void TApplication::HandleException(TObject* sender) {
  std::exception_ptr error = std::current_exception();
  if (!error) return;
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    if (OnException) OnException(sender, e);
    else ShowException(e);
  } catch (...) {
    Exception unknown(L"An unknown error occurred");
    if (OnException) OnException(sender, unknown);
    else ShowException(unknown);
  }
}

void TApplication::ShowException(const std::exception& error) {
  std::wstring text = ExceptionMessage(error);
  HWND owner = GetActiveWindow();
  MessageBoxW(owner, text.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
}

}  // namespace ui
