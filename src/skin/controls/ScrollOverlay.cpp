#include "skin/controls/ScrollOverlay.h"

#include <windowsx.h>

#include <algorithm>
#include <memory>

#include "skin/controls/SkinControl.h"
#include "skin/data/SkinDerivedImages.h"
#include "skin/data/SkinDraw.h"

namespace skin {

namespace {

constexpr wchar_t kPanelClass[] = L"VexloScrollPanel";
constexpr int kStripFrames = 23;   // arrows and grips of the scroll-bar strip
constexpr int kTrackFrames = 4;
constexpr int kDefaultThumbFrames = 3;
constexpr int kFirstArrowVert = 9, kSecondArrowVert = 13;
constexpr int kFirstArrowHorz = 1, kSecondArrowHorz = 5;
constexpr int kGripVert = 20, kGripHorz = 17;

using TGetScrollBarInfo = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);

// Looked up at run time: platforms without it keep their native bars.
TGetScrollBarInfo ScrollBarInfoFunction() {
  static const TGetScrollBarInfo function = [] {
    HMODULE user = GetModuleHandleW(L"user32.dll");
    return user ? reinterpret_cast<TGetScrollBarInfo>(
                      reinterpret_cast<void*>(GetProcAddress(user, "GetScrollBarInfo")))
                : nullptr;
  }();
  return function;
}

int WidthOf(const RECT& r) { return r.right - r.left; }
int HeightOf(const RECT& r) { return r.bottom - r.top; }

TMargins MarginsOf(const TDataSkinObject& e) {
  return {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight};
}


}  // namespace

// ---------------------------------------------------------------------------------------------
// The bar's arithmetic

int ScrollPartOfCode(int code) {
  switch (code) {
    case spFirstArrow:
    case spSecondArrow:
    case spPageBefore:
    case spPageAfter:
    case spThumb:
      return code;
    default:
      return spNone;
  }
}

int HitTestBar(const TBarGeometry& bar, int along) {
  if (along < bar.Arrow) return spFirstArrow;
  if (along < bar.ThumbStart) return spPageBefore;
  if (along < bar.ThumbEnd) return spThumb;
  if (along < bar.Length - bar.Arrow) return spPageAfter;
  return spSecondArrow;
}

TBarGeometry ControlBarGeometry(int length, int arrow, int min, int max, int page, int position) {
  TBarGeometry g{length, arrow, arrow, arrow};
  const int range = max - min;
  int thumbLength = arrow;
  int start = arrow;
  if (range > 0) {
    if (page != 0) {
      thumbLength = MulDiv(length - 2 * arrow, page - 1, range);
      if (position != min) start = MulDiv(length - 2 * arrow, position - min, range) + arrow;
    } else if (position != min) {
      start = MulDiv(length - 3 * arrow, position - min, range) + arrow;
    }
  }
  g.ThumbStart = start;
  g.ThumbEnd = start + thumbLength;
  return g;
}

TBarGeometry DraggedThumb(const TBarGeometry& bar, int savedThumbStart, int delta) {
  TBarGeometry g = bar;
  const int thumbLength = bar.ThumbEnd - bar.ThumbStart;
  const int last = std::max(bar.Arrow, bar.Length - bar.Arrow - thumbLength);
  g.ThumbStart = std::clamp(savedThumbStart + delta, bar.Arrow, last);
  g.ThumbEnd = g.ThumbStart + thumbLength;
  return g;
}

TBarFrames ScrollBarFrames(bool vertical, bool enabled, int hotPart, bool tracking) {
  TBarFrames f;
  f.FirstArrow = vertical ? kFirstArrowVert : kFirstArrowHorz;
  f.SecondArrow = vertical ? kSecondArrowVert : kSecondArrowHorz;
  const int arrowStep = tracking ? 1 : 3;  // pressed while the loop runs, else hot
  if (hotPart == spFirstArrow) f.FirstArrow += arrowStep;
  if (hotPart == spSecondArrow) f.SecondArrow += arrowStep;
  f.Track = enabled ? 1 : 3;
  f.Thumb = hotPart == spThumb ? (tracking ? 2 : 3) : 1;
  f.Grip = vertical ? kGripVert : kGripHorz;
  if (hotPart == spThumb) f.Grip += tracking ? 1 : 2;
  return f;
}

// ---------------------------------------------------------------------------------------------
// The panel

TWScrollbar::TWScrollbar(TSkinControl& owner, TScrollPanelKind kind)
    : owner_(owner), kind_(kind), orientation_(kind), arrowSize_(GetSystemMetrics(SM_CXHSCROLL)) {}

TWScrollbar::~TWScrollbar() {
  *alive_ = false;
  if (window_ && IsWindow(window_)) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

void TWScrollbar::Attach(HWND target, ui::TControl* control) {
  target_ = target;
  targetControl_ = control;
  const ui::TControl* parent = control ? control->Parent() : nullptr;
  colour_ = parent ? parent->Color() : owner_.FaceColour();
  if (kind_ == spkControl) {
    if (control) {
      std::wstring text = ui::GetEnumPropText(control, L"Kind");
      std::transform(text.begin(), text.end(), text.begin(), ::towlower);
      orientation_ = text == L"sbhorizontal" ? spkHorizontal : spkVertical;
    } else {
      orientation_ = (GetWindowLongW(target, GWL_STYLE) & SBS_VERT) ? spkVertical : spkHorizontal;
    }
  }
  Reposition();
}

void TWScrollbar::EnsureWindow() {
  const HWND parent = target_ ? GetParent(target_) : nullptr;
  if (window_ && IsWindow(window_) && GetParent(window_) == parent) return;
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
  window_ = nullptr;
  if (!parent) return;
  static const ATOM atom = [] {
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = StaticProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kPanelClass;
    return RegisterClassW(&wc);
  }();
  if (!atom) return;
  window_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOPARENTNOTIFY, kPanelClass, L"",
                            WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent, nullptr,
                            GetModuleHandleW(nullptr), this);
}

void TWScrollbar::Hide() {
  if (window_ && IsWindow(window_)) ShowWindow(window_, SW_HIDE);
  shown_ = false;
}

bool TWScrollbar::ReadNative(TNativeBar& bar) {
  if (!target_ || !IsWindow(target_)) return false;
  if (kind_ == spkControl) {
    if (!GetWindowRect(target_, &bar.Screen)) return false;
    SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(target_, SB_CTL, &si)) return false;
    const int length = orientation_ == spkHorizontal ? WidthOf(bar.Screen) : HeightOf(bar.Screen);
    const int position = tracking_ ? si.nTrackPos : si.nPos;
    bar.Bar = ControlBarGeometry(length, arrowSize_, si.nMin, si.nMax, static_cast<int>(si.nPage),
                                 position);
    // Where the platform reports the control's own thumb, the panel shows it there: its
    // thumb has a least length that the arithmetic above does not know (a page of 1).
    if (const TGetScrollBarInfo getInfo = ScrollBarInfoFunction(); getInfo && !tracking_) {
      SCROLLBARINFO info{};
      info.cbSize = sizeof(info);
      if (getInfo(target_, OBJID_CLIENT, &info) && info.xyThumbBottom > info.xyThumbTop &&
          info.xyThumbBottom <= length) {
        bar.Bar.ThumbStart = info.xyThumbTop;
        bar.Bar.ThumbEnd = info.xyThumbBottom;
      }
    }
    bar.Visible = IsWindowVisible(target_) != FALSE;
    bar.Enabled = IsWindowEnabled(target_) != FALSE;
    return true;
  }
  const TGetScrollBarInfo getInfo = ScrollBarInfoFunction();
  if (!getInfo) return false;
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  if (!getInfo(target_, kind_ == spkVertical ? OBJID_VSCROLL : OBJID_HSCROLL, &info)) return false;
  bar.Screen = info.rcScrollBar;
  bar.Bar.Length = kind_ == spkVertical ? HeightOf(info.rcScrollBar) : WidthOf(info.rcScrollBar);
  bar.Bar.Arrow = arrowSize_;
  bar.Bar.ThumbStart = info.xyThumbTop;
  bar.Bar.ThumbEnd = info.xyThumbBottom;
  bar.Visible = !(info.rgstate[0] & STATE_SYSTEM_INVISIBLE) && !IsRectEmpty(&info.rcScrollBar);
  // A bar disabled as a whole, or with both arrows disabled (some platforms report the latter
  // only), shows no thumb.
  const bool bothArrowsOff =
      (info.rgstate[1] & STATE_SYSTEM_UNAVAILABLE) && (info.rgstate[5] & STATE_SYSTEM_UNAVAILABLE);
  bar.Enabled = !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) && !bothArrowsOff;
  return true;
}

void TWScrollbar::Reposition() {
  TNativeBar bar;
  if (!ReadNative(bar)) {
    Hide();
    return;
  }
  if (!(GetWindowLongW(target_, GWL_STYLE) & WS_VISIBLE) || !bar.Visible) {
    Hide();
    return;
  }
  EnsureWindow();
  if (!window_) return;
  barRect_ = bar.Screen;
  MapWindowPoints(nullptr, target_, reinterpret_cast<POINT*>(&barRect_), 2);
  length_ = bar.Bar.Length;
  screenOrigin_ = {bar.Screen.left, bar.Screen.top};
  RECT inParent = bar.Screen;
  MapWindowPoints(nullptr, GetParent(target_), reinterpret_cast<POINT*>(&inParent), 2);
  // Directly above the target in Z order: after the target's previous sibling.
  const HWND previous = GetWindow(target_, GW_HWNDPREV);
  UINT flags = SWP_NOACTIVATE | SWP_SHOWWINDOW;
  HWND after = previous ? previous : HWND_TOP;
  if (previous == window_) flags |= SWP_NOZORDER;
  SetWindowPos(window_, after, inParent.left, inParent.top, WidthOf(inParent), HeightOf(inParent),
               flags);
  shown_ = true;
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void TWScrollbar::Refresh() {
  if (!shown_ || !window_) return;
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void TWScrollbar::SetHotPart(int part) {
  hotPart_ = ScrollPartOfCode(part);
  Refresh();
}

TBarGeometry TWScrollbar::Geometry() {
  TNativeBar bar;
  if (!ReadNative(bar)) return {};
  if (tracking_ && hotPart_ == spThumb && kind_ != spkControl) {
    POINT cursor{};
    GetCursorPos(&cursor);
    const int delta = Vertical() ? cursor.y - dragOrigin_.y : cursor.x - dragOrigin_.x;
    return DraggedThumb(bar.Bar, savedThumbStart_, delta);
  }
  return bar.Bar;
}

int TWScrollbar::HitTest(POINT p) {
  const TBarGeometry bar = Geometry();
  return HitTestBar(bar, Vertical() ? p.y : p.x);
}

// ---------------------------------------------------------------------------------------------
// Input

LRESULT CALLBACK TWScrollbar::StaticProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<TWScrollbar*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (msg == WM_NCCREATE && self) self->window_ = window;
  if (msg == WM_NCDESTROY && self) {
    self->window_ = nullptr;
    self->shown_ = false;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  }
  if (!self || msg == WM_NCDESTROY) return DefWindowProcW(window, msg, wParam, lParam);
  return self->WindowProc(msg, wParam, lParam);
}

LRESULT TWScrollbar::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_MOUSEMOVE:
      MouseMove(lParam);
      return 0;
    case WM_MOUSELEAVE:
      leaveRequested_ = false;
      if (!tracking_) SetHotPart(spNone);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Press(lParam);
      return 0;
    case WM_LBUTTONUP:
      Release(lParam);
      return 0;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
      // The wheel over the panel scrolls the control under it.
      if (target_) return SendMessageW(target_, msg, wParam, lParam);
      return 0;
    default:
      return DefWindowProcW(window_, msg, wParam, lParam);
  }
}

void TWScrollbar::MouseMove(LPARAM lParam) {
  const int part = HitTest({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  if (part != hotPart_) SetHotPart(part);
  if (!leaveRequested_ && window_) {
    TRACKMOUSEEVENT leave{sizeof(leave), TME_LEAVE, window_, 0};
    leaveRequested_ = TrackMouseEvent(&leave) != FALSE;
  }
}

void TWScrollbar::Press(LPARAM lParam) {
  if (!target_) return;
  GetCursorPos(&dragOrigin_);
  TNativeBar bar;
  if (ReadNative(bar)) savedThumbStart_ = bar.Bar.ThumbStart;
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  hotPart_ = HitTest(p);
  if (kind_ != spkControl) {
    p.x += screenOrigin_.x;
    p.y += screenOrigin_.y;
  }
  tracking_ = true;
  Refresh();
  ReleaseCapture();
  // The send returns when the platform's modal scroll loop ends; the loop repeats and drags
  // with the platform's own timing. The panel or its skinner may be gone by then.
  const std::shared_ptr<bool> alive = alive_;
  const HWND target = target_;
  if (kind_ == spkControl) {
    SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  } else {
    SendMessageW(target, WM_NCLBUTTONDOWN, kind_ == spkVertical ? HTVSCROLL : HTHSCROLL,
                 MAKELPARAM(p.x, p.y));
  }
  if (!*alive) return;
  tracking_ = false;
  ReleaseCapture();
  Refresh();
}

void TWScrollbar::Release(LPARAM lParam) {
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (kind_ != spkControl) {
    p.x += screenOrigin_.x;
    p.y += screenOrigin_.y;
  }
  tracking_ = false;
  ReleaseCapture();
  if (!target_) return;
  if (kind_ == spkControl) {
    PostMessageW(target_, WM_LBUTTONUP, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    Refresh();
  } else {
    PostMessageW(target_, WM_NCLBUTTONUP, kind_ == spkVertical ? HTVSCROLL : HTHSCROLL,
                 MAKELPARAM(p.x, p.y));
  }
}

// ---------------------------------------------------------------------------------------------
// Painting

void TWScrollbar::Paint() {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(window_, &ps);
  if (dc) PaintTo(dc);
  EndPaint(window_, &ps);
}

void TWScrollbar::PaintTo(HDC dc) {
  TSkinData* data = owner_.SkinData();
  const TDataSkinObject* strip = data ? data->Resolved().Scrollbar : nullptr;
  if (!HasImage(strip)) return;
  TNativeBar native;
  if (!ReadNative(native) || !native.Visible) return;
  const bool vertical = Vertical();
  RECT client{0, 0, WidthOf(native.Screen), HeightOf(native.Screen)};
  if (window_) GetClientRect(window_, &client);
  const int barWidth = WidthOf(native.Screen), barHeight = HeightOf(native.Screen);
  if (barWidth <= 0 || barHeight <= 0) return;
  if (kind_ != spkControl && (barWidth > WidthOf(client) || barHeight > HeightOf(client))) return;

  const int imageHeight = strip->Bitmap->Height();
  const int thickness = std::abs(imageHeight - arrowSize_) > 2 ? arrowSize_ : imageHeight;
  const TBarGeometry bar = Geometry();
  const int length = bar.Length;
  const int bitmapWidth = kind_ == spkControl ? (vertical ? thickness : length) : barWidth;
  const int bitmapHeight = kind_ == spkControl ? (vertical ? length : thickness) : barHeight;
  ui::TBitmap picture(bitmapWidth, bitmapHeight);
  HDC pdc = picture.Canvas()->Handle();
  SetStretchBltMode(pdc, COLORONCOLOR);
  FillColour(pdc, {0, 0, bitmapWidth, bitmapHeight}, owner_.FaceColour());

  const TBarFrames frames = ScrollBarFrames(vertical, native.Enabled, hotPart_, tracking_);
  const int arrow = length < 2 * bar.Arrow ? length / 2 : bar.Arrow;
  auto along = [&](int from, int to) {
    return vertical ? RECT{0, from, thickness, to} : RECT{from, 0, to, thickness};
  };
  // Track.
  if (const TDataSkinObject* track = vertical ? data->Resolved().VertScroll : data->Resolved().HorzScroll;
      HasImage(track) && length - 2 * arrow > 0) {
    const RECT r = along(arrow, length - arrow);
    DrawNineRegion(pdc, r, *track->Bitmap, TFrameLayout::SideBySide,
                   track->Tile == 1 ? TCentreMode::Tile : TCentreMode::Stretch, track->Trans == 1,
                   kTrackFrames, frames.Track, MarginsOf(*track));
  }
  // Arrows.
  DrawStripFrame(pdc, along(0, arrow), kStripFrames, frames.FirstArrow, *strip->Bitmap);
  DrawStripFrame(pdc, along(length - arrow, length), kStripFrames, frames.SecondArrow,
                 *strip->Bitmap);
  // Thumb and grip.
  const int thumbLength = bar.ThumbEnd - bar.ThumbStart;
  if (native.Enabled && thumbLength > 0 && bar.ThumbStart >= 0 && bar.ThumbEnd <= length) {
    if (const TDataSkinObject* thumb =
            vertical ? data->Resolved().VertScrollThumb : data->Resolved().HorzScrollThumb;
        HasImage(thumb)) {
      DrawNineRegion(pdc, along(bar.ThumbStart, bar.ThumbEnd), *thumb->Bitmap,
                     TFrameLayout::SideBySide, TCentreMode::Stretch, thumb->Trans == 1,
                     thumb->Frame > 0 ? thumb->Frame : kDefaultThumbFrames, frames.Thumb,
                     MarginsOf(*thumb));
    }
    if (imageHeight < thumbLength + 2) {
      const int start = bar.ThumbStart + (thumbLength - imageHeight) / 2;
      DrawStripFrame(pdc, along(start, start + imageHeight), kStripFrames, frames.Grip,
                     *strip->Bitmap);
    }
  }
  if (kind_ == spkControl) {
    StretchBlt(dc, 0, 0, WidthOf(client), HeightOf(client), pdc, 0, 0, bitmapWidth, bitmapHeight,
               SRCCOPY);
  } else {
    BitBlt(dc, 0, 0, bitmapWidth, bitmapHeight, pdc, 0, 0, SRCCOPY);
  }
}

}  // namespace skin
