#include "ui/RangeControls.h"

#include <algorithm>

namespace ui {

const TEnumInfo& ScrollBarKindInfo() {
  static const TEnumInfo info(L"TScrollBarKind", {L"sbHorizontal", L"sbVertical"});
  return info;
}
const TEnumInfo& ProgressBarOrientationInfo() {
  static const TEnumInfo info(L"TProgressBarOrientation", {L"pbHorizontal", L"pbVertical"});
  return info;
}
const TEnumInfo& TrackBarOrientationInfo() {
  static const TEnumInfo info(L"TTrackBarOrientation", {L"trHorizontal", L"trVertical"});
  return info;
}
const TEnumInfo& TickMarkInfo() {
  static const TEnumInfo info(L"TTickMark", {L"tmBottomRight", L"tmTopLeft", L"tmBoth"});
  return info;
}
const TEnumInfo& UDOrientationInfo() {
  static const TEnumInfo info(L"TUDOrientation", {L"udHorizontal", L"udVertical"});
  return info;
}

// ---------------------------------------------------------------------------------------------
// TRangeControl

const TClassInfo& TRangeControl::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TRangeControl", &TWinControl::StaticClass());
    c.Int(L"Max", &TRangeControl::Max, &TRangeControl::SetMax);
    c.Int(L"Min", &TRangeControl::Min, &TRangeControl::SetMin);
    c.Int(L"Position", &TRangeControl::Position, &TRangeControl::SetPosition);
    return c;
  }();
  return info;
}

TRangeControl::TRangeControl(TComponent* owner) : TWinControl(owner) {
  acceptsControls_ = false;
  clickEvents_ = false;
}

void TRangeControl::SetRange(int min, int max) {
  if (max < min) max = min;
  min_ = min;
  max_ = max;
  position_ = std::clamp(Position(), min_, max_);
  if (HWND h = HandleIfAllocated()) {
    SendRange(h);
    SendPosition(h, position_);
  }
}

int TRangeControl::Position() const {
  HWND h = HandleIfAllocated();
  return h ? ReadPosition(h) : position_;
}

void TRangeControl::SetPosition(int value) {
  position_ = std::clamp(value, min_, max_);
  if (HWND h = HandleIfAllocated()) SendPosition(h, position_);
}

void TRangeControl::CreateHandleDone() {
  HWND h = HandleIfAllocated();
  SendRange(h);
  SendPosition(h, position_);
}

void TRangeControl::DestroyWnd() {
  position_ = Position();
  TWinControl::DestroyWnd();
}

void TRangeControl::UserMoved(int position) {
  position = std::clamp(position, min_, max_);
  const bool changed = position != position_;
  position_ = position;
  if (changed && OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------------------------
// TScrollBar

const TClassInfo& TScrollBar::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TScrollBar", &TRangeControl::StaticClass());
    c.Enum(L"Kind", ScrollBarKindInfo(), &TScrollBar::Kind, &TScrollBar::SetKind);
    c.Int(L"LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange);
    c.Int(L"SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange);
    return c;
  }();
  return info;
}

TScrollBar::TScrollBar(TComponent* owner) : TRangeControl(owner) {
  SetTabStop(true);
  SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
}

void TScrollBar::CreateParams(TCreateParams& p) {
  TRangeControl::CreateParams(p);
  p.SystemClass = L"SCROLLBAR";
  p.Style |= kind_ == sbVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::SetKind(TScrollBarKind value) {
  if (value == kind_) return;
  kind_ = value;
  // A bar turned on its side keeps its length.
  SetBounds(Left(), Top(), Height(), Width());
  RecreateWnd();
}

void TScrollBar::SetLargeChange(int value) {
  largeChange_ = std::max(value, 1);
  if (HWND h = HandleIfAllocated()) SendRange(h);
}

// The thumb's size is the large change, as a page.
void TScrollBar::SendRange(HWND window) {
  SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_PAGE, Min(), Max() + largeChange_ - 1,
                  static_cast<UINT>(largeChange_), 0, 0};
  SetScrollInfo(window, SB_CTL, &info, TRUE);
}

void TScrollBar::SendPosition(HWND window, int position) { SetScrollPos(window, SB_CTL, position, TRUE); }

int TScrollBar::ReadPosition(HWND window) const { return GetScrollPos(window, SB_CTL); }

void TScrollBar::WndProc(TMessage& m) {
  if (m.Msg == CN_HSCROLL || m.Msg == CN_VSCROLL) {
    int position = Position();
    switch (LOWORD(m.WParam)) {
      case SB_LINEUP: position -= smallChange_; break;
      case SB_LINEDOWN: position += smallChange_; break;
      case SB_PAGEUP: position -= largeChange_; break;
      case SB_PAGEDOWN: position += largeChange_; break;
      case SB_THUMBTRACK: case SB_THUMBPOSITION: {
        SCROLLINFO info{sizeof(info), SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(Handle(), SB_CTL, &info);
        position = info.nTrackPos;
        break;
      }
      case SB_TOP: position = Min(); break;
      case SB_BOTTOM: position = Max(); break;
      default: return;
    }
    position = std::clamp(position, Min(), Max());
    SendPosition(Handle(), position);
    UserMoved(position);
    return;
  }
  TRangeControl::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// TProgressBar

const TClassInfo& TProgressBar::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TProgressBar", &TRangeControl::StaticClass());
    c.Enum(L"Orientation", ProgressBarOrientationInfo(), &TProgressBar::Orientation,
           &TProgressBar::SetOrientation);
    c.Bool(L"Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth);
    c.Int(L"Step", &TProgressBar::Step, &TProgressBar::SetStep);
    return c;
  }();
  return info;
}

TProgressBar::TProgressBar(TComponent* owner) : TRangeControl(owner) { SetBounds(0, 0, 150, 16); }

void TProgressBar::CreateParams(TCreateParams& p) {
  TRangeControl::CreateParams(p);
  p.SystemClass = PROGRESS_CLASSW;
  if (orientation_ == pbVertical) p.Style |= PBS_VERTICAL;
  if (smooth_) p.Style |= PBS_SMOOTH;
}

void TProgressBar::SetOrientation(TProgressBarOrientation value) {
  if (value == orientation_) return;
  orientation_ = value;
  RecreateWnd();
}

void TProgressBar::SetSmooth(bool value) {
  if (value == smooth_) return;
  smooth_ = value;
  RecreateWnd();
}

void TProgressBar::StepIt() {
  int next = Position() + step_;
  if (next > Max()) next = Min() + (next - Max() - 1);
  SetPosition(next);
}

void TProgressBar::SendRange(HWND window) { SendMessageW(window, PBM_SETRANGE32, Min(), Max()); }
void TProgressBar::SendPosition(HWND window, int position) {
  SendMessageW(window, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}
int TProgressBar::ReadPosition(HWND window) const {
  return static_cast<int>(SendMessageW(window, PBM_GETPOS, 0, 0));
}

// ---------------------------------------------------------------------------------------------
// TTrackBar

const TClassInfo& TTrackBar::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TTrackBar", &TRangeControl::StaticClass());
    c.Int(L"Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency);
    c.Enum(L"Orientation", TrackBarOrientationInfo(), &TTrackBar::Orientation, &TTrackBar::SetOrientation);
    c.Enum(L"TickMarks", TickMarkInfo(), &TTrackBar::TickMarks, &TTrackBar::SetTickMarks);
    return c;
  }();
  return info;
}

TTrackBar::TTrackBar(TComponent* owner) : TRangeControl(owner) {
  SetTabStop(true);
  SetRange(0, 10);
  SetBounds(0, 0, 150, 45);
}

void TTrackBar::CreateParams(TCreateParams& p) {
  TRangeControl::CreateParams(p);
  p.SystemClass = TRACKBAR_CLASSW;
  p.Style |= TBS_AUTOTICKS | (orientation_ == trVertical ? TBS_VERT : TBS_HORZ);
  if (tickMarks_ == tmTopLeft) p.Style |= TBS_TOP;
  if (tickMarks_ == tmBoth) p.Style |= TBS_BOTH;
}

void TTrackBar::SetOrientation(TTrackBarOrientation value) {
  if (value == orientation_) return;
  orientation_ = value;
  SetBounds(Left(), Top(), Height(), Width());
  RecreateWnd();
}

void TTrackBar::SetTickMarks(TTickMark value) {
  if (value == tickMarks_) return;
  tickMarks_ = value;
  RecreateWnd();
}

void TTrackBar::SetFrequency(int value) {
  frequency_ = std::max(value, 1);
  if (HWND h = HandleIfAllocated()) SendMessageW(h, TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
}

void TTrackBar::SendRange(HWND window) {
  SendMessageW(window, TBM_SETRANGEMIN, FALSE, Min());
  SendMessageW(window, TBM_SETRANGEMAX, TRUE, Max());
  SendMessageW(window, TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
}
void TTrackBar::SendPosition(HWND window, int position) {
  SendMessageW(window, TBM_SETPOS, TRUE, position);
}
int TTrackBar::ReadPosition(HWND window) const {
  return static_cast<int>(SendMessageW(window, TBM_GETPOS, 0, 0));
}

void TTrackBar::WndProc(TMessage& m) {
  if (m.Msg == CN_HSCROLL || m.Msg == CN_VSCROLL) {
    UserMoved(Position());
    return;
  }
  TRangeControl::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// TUpDown

const TClassInfo& TUpDown::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TUpDown", &TRangeControl::StaticClass());
    c.Obj(L"Associate", &TUpDown::Associate);
    c.Int(L"Increment", &TUpDown::Increment, &TUpDown::SetIncrement);
    c.Enum(L"Orientation", UDOrientationInfo(), &TUpDown::Orientation, &TUpDown::SetOrientation);
    c.Bool(L"Wrap", &TUpDown::Wrap, &TUpDown::SetWrap);
    return c;
  }();
  return info;
}

TUpDown::TUpDown(TComponent* owner) : TRangeControl(owner) { SetBounds(0, 0, 17, 21); }

void TUpDown::CreateParams(TCreateParams& p) {
  TRangeControl::CreateParams(p);
  p.SystemClass = UPDOWN_CLASSW;
  p.Style |= UDS_ARROWKEYS | UDS_NOTHOUSANDS;
  if (associate_) p.Style |= UDS_ALIGNRIGHT | UDS_SETBUDDYINT;
  if (orientation_ == udHorizontal) p.Style |= UDS_HORZ;
  if (wrap_) p.Style |= UDS_WRAP;
}

void TUpDown::CreateHandleDone() {
  HWND h = HandleIfAllocated();
  if (associate_) SendMessageW(h, UDM_SETBUDDY, reinterpret_cast<WPARAM>(associate_->Handle()), 0);
  UDACCEL accel{0, static_cast<UINT>(increment_)};
  SendMessageW(h, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
  TRangeControl::CreateHandleDone();
}

void TUpDown::SetAssociate(TWinControl* control) {
  if (control == associate_) return;
  if (associate_) associate_->RemoveFreeNotification(this);
  associate_ = control;
  if (associate_) associate_->FreeNotification(this);
  RecreateWnd();
}

void TUpDown::Notification(TComponent* component, TOperation operation) {
  TRangeControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == associate_) associate_ = nullptr;
}

void TUpDown::SetOrientation(TUDOrientation value) {
  if (value == orientation_) return;
  orientation_ = value;
  RecreateWnd();
}

void TUpDown::SetIncrement(int value) {
  increment_ = std::max(value, 1);
  RecreateWnd();
}

void TUpDown::SetWrap(bool value) {
  if (value == wrap_) return;
  wrap_ = value;
  RecreateWnd();
}

void TUpDown::SendRange(HWND window) { SendMessageW(window, UDM_SETRANGE32, Min(), Max()); }
void TUpDown::SendPosition(HWND window, int position) {
  SendMessageW(window, UDM_SETPOS32, 0, position);
}
int TUpDown::ReadPosition(HWND window) const {
  return static_cast<int>(SendMessageW(window, UDM_GETPOS32, 0, 0));
}

void TUpDown::WndProc(TMessage& m) {
  // The arrows report a new position to the parent as a scroll message.
  if (m.Msg == CN_HSCROLL || m.Msg == CN_VSCROLL) {
    UserMoved(Position());
    Click();
    return;
  }
  TRangeControl::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// TSpinEdit

const TClassInfo& TSpinEdit::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TSpinEdit", &TEdit::StaticClass());
    c.Int(L"Value", &TSpinEdit::Value, &TSpinEdit::SetValue);
    return c;
  }();
  return info;
}

TSpinEdit::TSpinEdit(TComponent* owner) : TEdit(owner) {}

void TSpinEdit::CreateParams(TCreateParams& p) {
  TEdit::CreateParams(p);
  p.Style |= WS_CLIPCHILDREN;  // the edit never paints over its arrows
}

void TSpinEdit::CreateHandleDone() {
  TEdit::CreateHandleDone();
  HWND edit = HandleIfAllocated();
  arrows_ = CreateWindowExW(0, UPDOWN_CLASSW, nullptr,
                            WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                            0, 0, 0, 0, edit, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!arrows_) return;
  SendMessageW(arrows_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
  SendMessageW(arrows_, UDM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
  SendMessageW(arrows_, UDM_SETPOS32, 0, static_cast<LPARAM>(value_));
  PlaceArrows();
}

void TSpinEdit::DestroyWnd() {
  value_ = Value();
  arrows_ = nullptr;
  TEdit::DestroyWnd();
}

void TSpinEdit::PlaceArrows() {
  HWND edit = HandleIfAllocated();
  if (!edit || !arrows_) return;
  RECT client{};
  GetClientRect(edit, &client);
  const int width = GetSystemMetrics(SM_CXVSCROLL);
  MoveWindow(arrows_, client.right - width, 0, width, client.bottom, TRUE);
  // The text stops short of the arrows.
  SendMessageW(edit, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width));
}

void TSpinEdit::WndProc(TMessage& m) {
  TEdit::WndProc(m);
  if (m.Msg == WM_SIZE) PlaceArrows();
}

void TSpinEdit::SetRange(int minValue, int maxValue) {
  min_ = minValue;
  max_ = std::max(minValue, maxValue);
  value_ = std::clamp(value_, min_, max_);
  if (arrows_) SendMessageW(arrows_, UDM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
}

int TSpinEdit::Value() const {
  if (!arrows_) return value_;
  BOOL failed = FALSE;
  const int position = static_cast<int>(SendMessageW(arrows_, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
  return failed ? value_ : position;
}

void TSpinEdit::SetValue(int value) {
  value_ = std::clamp(value, min_, max_);
  if (arrows_) SendMessageW(arrows_, UDM_SETPOS32, 0, static_cast<LPARAM>(value_));
}

}  // namespace ui
