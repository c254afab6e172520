#include "skin/controls/SkinEdits.h"

#include <windowsx.h>

#include <algorithm>
#include <cwctype>
#include <string>

#include "skin/controls/SkinScrollbars.h"
#include "skin/data/SkinDerivedImages.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/SkinMessages.h"
#include "skin/model/SkinObjects.h"

namespace skin {

namespace {

constexpr LPARAM kPaintKey = 0x41A2;
constexpr int kUpDownFrames = 8;
constexpr int kComboFrames = 4;
constexpr ui::TColor kWhite = 0xFFFFFF;

int WidthOf(const RECT& r) { return r.right - r.left; }
int HeightOf(const RECT& r) { return r.bottom - r.top; }

std::wstring Lower(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
  return text;
}

void FrameColour(HDC dc, const RECT& r, ui::TColor colour) {
  ui::TBrushHandle brush(CreateSolidBrush(ui::ColorToRGB(colour)));
  FrameRect(dc, &r, brush.Get());
}

// The client rectangle has the window's full width or height: the control has no border.
bool Borderless(HWND window, int slack) {
  RECT client{}, outer{};
  GetClientRect(window, &client);
  GetWindowRect(window, &outer);
  return WidthOf(client) + slack >= WidthOf(outer) || HeightOf(client) + slack >= HeightOf(outer);
}

bool IsUpDownClass(HWND window) {
  wchar_t name[101] = {};
  GetClassNameW(window, name, 100);
  const std::wstring lower = Lower(name);
  return lower == L"msctls_updown32" || lower.find(L"spin") != std::wstring::npos ||
         lower.find(L"updown") != std::wstring::npos;
}

using TGetComboBoxInfo = BOOL(WINAPI*)(HWND, PCOMBOBOXINFO);

TGetComboBoxInfo ComboBoxInfoFunction() {
  static const TGetComboBoxInfo function = [] {
    HMODULE user = GetModuleHandleW(L"user32.dll");
    return user ? reinterpret_cast<TGetComboBoxInfo>(
                      reinterpret_cast<void*>(GetProcAddress(user, "GetComboBoxInfo")))
                : nullptr;
  }();
  return function;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TSkinEdit

TSkinEdit::~TSkinEdit() = default;

void TSkinEdit::AfterMessage(ui::TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
    case WM_NCPAINT:
      // The edit's own border painting is covered at once.
      PaintWindow(m.Msg == WM_PAINT ? reinterpret_cast<HDC>(m.WParam) : nullptr);
      return;
    case WM_PRINT:
      if (m.WParam) {
        PrintBorder(reinterpret_cast<HDC>(m.WParam));
      } else if (HDC dc = GetWindowDC(handle_)) {
        PrintBorder(dc);
        ReleaseDC(handle_, dc);
      }
      return;
    case SKM_PAINTCONTENT:
      if (m.LParam == kPaintKey) {
        if (m.WParam) {
          // The edit renders its text into the given device context.
          ui::TMessage paint{WM_PAINT, m.WParam, 0, 0};
          CallPrevious(paint);
        }
        m.Result = kPaintKey;
        return;
      }
      break;
    default:
      break;
  }
  TSkinControl::AfterMessage(m);
}

void TSkinEdit::FindUpDown() {
  if (upDown_ || !skinData_ || !InSet(skinData_->SkinControls(), xcSpin)) return;
  for (HWND child = GetWindow(handle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsUpDownClass(child)) continue;
    auto* upDown = new TSkinUpDown(control_);
    if (!control_ && !form_) ownedUpDown_.reset(upDown);
    upDown->AttachHandle(child, skinData_, form_, canvas_);
    upDown->SetEmbedded(true);
    upDown_ = upDown;
    return;
  }
}

// An up-down made for a bare edit outside any frame's list is the edit's own to tell.
std::vector<TSkinControl*> TSkinEdit::NestedSkinners() const {
  if (!ownedUpDown_) return {};
  return {ownedUpDown_.get()};
}

void TSkinEdit::Draw(HDC dc, const RECT& rect) {
  FindUpDown();
  if (Borderless(handle_, 0)) return;
  FrameColour(dc, rect, ShadowColour());
  RECT inner = rect;
  InflateRect(&inner, -1, -1);
  FrameColour(dc, inner, kWhite);
  InflateRect(&inner, -1, -1);
  FrameColour(dc, inner, kWhite);
}

void TSkinEdit::PrintBorder(HDC dc) {
  if (Borderless(handle_, 2)) return;
  RECT r{};
  GetWindowRect(handle_, &r);
  OffsetRect(&r, -r.left, -r.top);
  RECT inner = r;
  InflateRect(&inner, -1, -1);
  FrameRect(dc, &inner, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
  FrameColour(dc, r, ShadowColour());
}

// ---------------------------------------------------------------------------------------------
// TSkinComBox

TSkinFrame ComboFrame(const TSkinState& state) {
  if (!state.Enabled) return sfDisabled;
  if (state.Pressed) return sfPressed;
  if (state.Focused || state.Hot) return sfHot;
  return sfNormal;
}

TSkinComBox::~TSkinComBox() {
  editSubclass_.Restore();
  listSkinner_.reset();
}

void TSkinComBox::AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas,
                         bool changeColor) {
  if (hooked_) return;
  TSkinControl::AttachSkin(form, skinData, canvas, changeColor);
  SetUp(true);
}

void TSkinComBox::AttachSkinHandle(HWND handle, TSkinData* skinData, TSkinnerHost* form,
                               ui::TCanvas* canvas) {
  if (hooked_) return;
  TSkinControl::AttachSkinHandle(handle, skinData, form, canvas);
  SetUp(false);
}

bool TSkinComBox::HasSkinParts(const TResolvedSkin& skin) const {
  if (!HasImage(skin.ComboButton)) return false;
  const bool leftButton = handle_ && (GetLong(GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR);
  return skin.ComboLook != TComboLook::Whole || !leftButton || HasImage(skin.SunkEdge);
}

void TSkinComBox::SetUp(bool makeListSkinner) {
  if (!handle_) return;
  comboStyle_ = static_cast<DWORD>(GetLong(GWL_STYLE));
  if ((comboStyle_ & 3) != CBS_SIMPLE) {
    listWindow_ = nullptr;
    editWindow_ = GetWindow(handle_, GW_CHILD);
    if (editWindow_) {
      editSubclass_.Install(editWindow_, [this](UINT msg, WPARAM wParam, LPARAM lParam) {
        const LRESULT result = editSubclass_.CallPrevious(msg, wParam, lParam);
        switch (msg) {
          case WM_PAINT:
            PaintWindow(nullptr);
            break;
          case WM_LBUTTONDOWN:
          case WM_LBUTTONDBLCLK:
            state_ |= kStatePressed;
            Repaint();
            break;
          case WM_LBUTTONUP:
            state_ &= ~kStatePressed;
            Repaint();
            break;
          default:
            break;
        }
        return result;
      });
    }
    return;
  }
  const TGetComboBoxInfo getInfo = ComboBoxInfoFunction();
  if (!getInfo) return;
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (!getInfo(handle_, &info)) return;
  listWindow_ = info.hwndList;
  const LONG listStyle = listWindow_ ? GetWindowLongW(listWindow_, GWL_STYLE) : 0;
  const bool child = (listStyle & WS_CHILD) && !(listStyle & WS_POPUP) &&
                     GetParent(listWindow_) != GetDesktopWindow();
  if (makeListSkinner && child) {
    listSkinner_ = std::make_unique<TSkinScrollbarH>(nullptr);
    listSkinner_->AttachHandle(listWindow_, skinData_, nullptr, canvas_);
  }
}

std::vector<TSkinControl*> TSkinComBox::NestedSkinners() const {
  if (!listSkinner_) return {};
  return {listSkinner_.get()};
}

void TSkinComBox::Detach() {
  TSkinControl::Detach();
  editSubclass_.Restore();
  if (listSkinner_) {
    if (listSkinner_->Status() != kSkinnerWindowGone) listSkinner_->Detach();
    listSkinner_.reset();
  }
}

TSkinState TSkinComBox::CurrentState() const {
  const HWND focus = GetFocus();
  TSkinState s;
  s.Enabled = !(GetLong(GWL_STYLE) & WS_DISABLED);
  s.Pressed = Pressed();
  s.Hot = Hot();
  s.Focused = focus && (focus == handle_ || focus == editWindow_);
  return s;
}

void TSkinComBox::AfterMessage(ui::TMessage& m) {
  switch (m.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      return;
    case WM_MOUSEMOVE: {
      const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      const bool over = PtInRect(&buttonRect_, p) != FALSE;
      const bool enabled = IsWindowEnabled(handle_) != FALSE;
      if (Hot() && !over && enabled) {
        state_ &= ~kStateHot;
        Repaint();
      } else if (!Hot() && over && enabled) {
        state_ |= kStateHot;
        TRACKMOUSEEVENT leave{sizeof(leave), TME_LEAVE, handle_, 0};
        TrackMouseEvent(&leave);
        Repaint();
      }
      return;
    }
    case WM_DRAWITEM:
    case WM_NCPAINT:
      Repaint();
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      state_ |= kStatePressed;
      Repaint();
      return;
    case WM_LBUTTONUP:
      state_ &= ~kStatePressed;
      Repaint();
      return;
    case WM_MOUSELEAVE:
    case ui::CM_MOUSELEAVE:
      if (Hot()) {
        state_ &= ~kStateHot;
        Repaint();
      }
      return;
    case ui::CN_COMMAND:
      if (HIWORD(m.WParam) == CBN_DROPDOWN) droppedDown_ = true;
      if (HIWORD(m.WParam) == CBN_CLOSEUP) droppedDown_ = false;
      break;
    default:
      break;
  }
  TSkinControl::AfterMessage(m);
}

void TSkinComBox::Draw(HDC dc, const RECT& rect) {
  const TResolvedSkin* skin = skinData_ ? &skinData_->Resolved() : nullptr;
  if (!skin || !HasImage(skin->ComboButton)) return;
  comboStyle_ = static_cast<DWORD>(GetLong(GWL_STYLE));
  comboExStyle_ = static_cast<DWORD>(GetLong(GWL_EXSTYLE));
  // A right-to-left combo has its button at the left, where the system puts it there; a
  // system that keeps it at the right gets the skinned button there too, over its own.
  leftButton_ = (comboExStyle_ & WS_EX_LEFTSCROLLBAR) != 0;
  if (const TGetComboBoxInfo getInfo = ComboBoxInfoFunction()) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (getInfo(handle_, &info)) {
      buttonRect_ = info.rcButton;
      if (info.stateButton & STATE_SYSTEM_INVISIBLE) return;
      RECT client{};
      GetClientRect(handle_, &client);
      if (!IsRectEmpty(&info.rcButton)) leftButton_ = info.rcButton.left < client.right / 2;
    }
  }
  const TSkinFrame frame = ComboFrame(CurrentState());
  RECT r = rect;
  OffsetRect(&r, -r.left, -r.top);
  switch (skin->ComboLook) {
    case TComboLook::Flat:
      DrawFlat(dc, r, frame, *skin->ComboButton);
      return;
    case TComboLook::Whole:
      DrawWhole(dc, r, frame, *skin);
      return;
    case TComboLook::EdgeAndButton:
      DrawEdgeAndButton(dc, r, frame, *skin);
      return;
  }
}

void TSkinComBox::DrawWhole(HDC dc, const RECT& r, int frame, const TResolvedSkin& skin) {
  const bool leftButton = leftButton_;
  const TDataSkinObject* whole = leftButton ? skin.SunkEdge : skin.ComboButton;
  if (!HasImage(whole)) return;
  DrawNineRegion(dc, r, *whole->Bitmap, TFrameLayout::SideBySide, TCentreMode::Stretch, true,
                 whole->Frame > 0 ? whole->Frame : kComboFrames, frame,
                 {whole->LeftWidth, whole->TopHeight, whole->RightWidth, whole->BottomHeight});
}

void TSkinComBox::DrawEdgeAndButton(HDC dc, const RECT& r, int frame, const TResolvedSkin& skin) {
  const TDataSkinObject* button = skin.ComboButton;
  const bool leftButton = leftButton_;
  const int b = GetSystemMetrics(SM_CXHSCROLL);
  const RECT text = leftButton ? RECT{b + 4, 2, r.right - 2, r.bottom - 2}
                               : RECT{2, 2, r.right - b - 4, r.bottom - 2};
  const RECT buttonArea = leftButton ? RECT{r.left, r.top, r.left + b + 2, r.bottom}
                                     : RECT{r.right - b - 2, r.top, r.right, r.bottom};
  const RECT glyphArea = leftButton ? RECT{2, r.top, b + 2, r.bottom}
                                    : RECT{r.right - b - 2, r.top, r.right - 2, r.bottom};
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, text.left, text.top, text.right, text.bottom);
  const TDataSkinObject* edge = skin.SunkEdge;
  if (HasImage(edge)) DrawSkinElement(dc, r, edge->Frame > 0 ? edge->Frame : kComboFrames, frame, edge);
  const TSkinBitmap& strip =
      leftButton && skin.ComboButtonMirrored ? *skin.ComboButtonMirrored : *button->Bitmap;
  DrawStripFrame(dc, buttonArea, button->Frame > 0 ? button->Frame : kComboFrames, frame, strip);
  buttonRect_ = buttonArea;
  if (const TDataSkinObject* extra = skin.ExtraImages; HasImage(extra)) {
    const int count = extra->Frame > 0 ? extra->Frame : 1;
    DrawFrameCentred(dc, glyphArea, *extra->Bitmap, true, count, frame);
  }
  RestoreDC(dc, saved);
}

void TSkinComBox::DrawFlat(HDC dc, const RECT& r, int frame, const TDataSkinObject& button) {
  const int count = button.Frame > 0 ? button.Frame : kComboFrames;
  const int w = button.Bitmap->Width() / count;
  const int h = button.Bitmap->Height();
  const int t = GetSystemMetrics(SM_CYVTHUMB);
  const bool left = leftButton_;
  const auto brush = static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
  RECT inner = r;
  InflateRect(&inner, -1, -1);
  FrameRect(dc, &inner, brush);
  InflateRect(&inner, -1, -1);
  RECT band = left ? RECT{inner.left, inner.top, inner.left + t, inner.bottom}
                   : RECT{inner.right - t, inner.top, inner.right, inner.bottom};
  FillRect(dc, &band, brush);
  RECT arrow = left ? RECT{inner.left, inner.top, inner.left + w, inner.bottom}
                    : RECT{inner.right - w, inner.top, inner.right, inner.bottom};
  if (h < t) arrow.bottom = arrow.top + h;
  FrameColour(dc, r, ShadowColour());
  buttonRect_ = arrow;
  DrawStripFrame(dc, arrow, count, frame, *button.Bitmap);
}

// ---------------------------------------------------------------------------------------------
// TSkinUpDown

TSkinFrame UpDownHalfFrame(bool enabled, bool underCursor, bool pressed, bool hot) {
  if (!enabled) return sfDisabled;
  if (!underCursor) return sfNormal;
  if (pressed) return sfPressed;
  if (hot) return sfHot;
  return sfNormal;
}

bool TSkinUpDown::HasSkinParts(const TResolvedSkin& skin) const {
  const bool horizontal = horizontal_ == 1 || (handle_ && (GetLong(GWL_STYLE) & UDS_HORZ));
  return HasImage(horizontal ? skin.UpDownHorz : skin.UpDownVert);
}

bool TSkinUpDown::BeforeMessage(ui::TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      HandlePaint(m);
      return false;
    case WM_ERASEBKGND:
      if (!control_) {
        RECT client{};
        GetClientRect(handle_, &client);
        FillColour(reinterpret_cast<HDC>(m.WParam), client, kWhite);
      }
      m.Result = 1;
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      CallPrevious(m);
      state_ |= kStatePressed;
      PaintWindow(nullptr);
      return false;
    case WM_LBUTTONUP:
      state_ &= ~kStatePressed;
      CallPrevious(m);
      PaintWindow(nullptr);
      return false;
    default:
      return TSkinControl::BeforeMessage(m);
  }
}

void TSkinUpDown::AfterMessage(ui::TMessage& m) {
  switch (m.Msg) {
    case WM_MOUSEMOVE:
      if (!TrackMouseState(m, false) && Hot()) PaintWindow(nullptr);  // the hot half may change
      return;
    case WM_MOUSELEAVE:
      TrackMouseState(m, false);
      return;
    default:
      TSkinControl::AfterMessage(m);
  }
}

namespace {

// The small arrow of a button without skin element, at (x, y), with the DC's pen.
void SmallArrow(HDC dc, int x, int y, int direction) {
  auto line = [dc](int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
  };
  if (direction == 0 || direction == 1) {  // up, down
    const int s = direction == 0 ? 1 : -1;
    const int base = direction == 0 ? y : y + 3;
    line(x, base, x, base - s);
    line(x + 1, base + s, x + 4, base + 4 * s);
    line(x, base + s, x + 3, base + 4 * s);
    line(x, base + 2 * s, x + 2, base + 4 * s);
    line(x - 1, base + s, x - 4, base + 4 * s);
    line(x, base + 2 * s, x - 3, base + 4 * s);
    line(x, base + s, x - 2, base + 4 * s);
    return;
  }
  const int s = direction == 2 ? 1 : -1;  // left, right
  const POINT path[] = {{x, y}, {x + s, y + 2}, {x + s, y - 2}, {x - s, y}, {x + s, y + 2}};
  Polyline(dc, path, 5);
}

}  // namespace

void TSkinUpDown::Draw(HDC dc, const RECT&) {
  RECT client{};
  GetClientRect(handle_, &client);
  RECT area = client;
  if (embedded_) {
    FillColour(dc, client, kWhite);
    RECT own{}, parent{};
    GetWindowRect(handle_, &own);
    GetWindowRect(GetParent(handle_), &parent);
    if (own.top - parent.top < 3) area.top += 3 - (own.top - parent.top);
    if (parent.bottom - own.bottom < 3) area.bottom -= 3 - (parent.bottom - own.bottom);
    if (parent.right - own.right < 3) area.right -= 3 - (parent.right - own.right);
  }
  const int w = WidthOf(area), h = HeightOf(area);
  if (w <= 0 || h <= 0) return;
  ui::TBitmap picture(w, h);
  HDC pdc = picture.Canvas()->Handle();
  FillColour(pdc, {0, 0, w, h}, FaceColour());
  POINT cursor{};
  GetCursorPos(&cursor);
  ScreenToClient(handle_, &cursor);
  cursor.x -= area.left;
  cursor.y -= area.top;
  const bool enabled = !(GetLong(GWL_STYLE) & WS_DISABLED);
  const bool horizontal = horizontal_ == 1 || (GetLong(GWL_STYLE) & UDS_HORZ);
  const RECT halves[2] = {horizontal ? RECT{0, 0, w / 2, h} : RECT{0, 0, w, h / 2},
                          horizontal ? RECT{w / 2, 0, w, h} : RECT{0, h / 2, w, h}};
  const TDataSkinBorder* element = nullptr;
  if (skinData_) element = horizontal ? skinData_->Resolved().UpDownHorz : skinData_->Resolved().UpDownVert;
  for (int i = 0; i < 2; ++i) {
    const RECT& half = halves[i];
    const TSkinFrame state = UpDownHalfFrame(enabled, PtInRect(&half, cursor) != FALSE, Pressed(), Hot());
    if (HasImage(element)) {
      const int frame = state + 4 * i;
      DrawFrameStretched(pdc, half, *element->Bitmap, true, kUpDownFrames, frame);
      if (element->ExtraBitmap && !element->ExtraBitmap->Empty()) {
        const int gw = element->ExtraBitmap->Width() / kUpDownFrames, gh = element->ExtraBitmap->Height();
        const int x = half.left + (WidthOf(half) - gw) / 2, y = half.top + (HeightOf(half) - gh) / 2;
        DrawFrameStretched(pdc, {x, y, x + gw, y + gh}, *element->ExtraBitmap, true, kUpDownFrames, frame);
      }
      continue;
    }
    const bool dark = state == sfPressed || state == sfHot;
    ui::TBrushHandle brush(CreateSolidBrush(ui::ColorToRGB(dark ? ShadowColour() : FaceColour())));
    const TColour dkShadow = skinData_ ? skinData_->Colours().ButtonDkShadow : 0;
    const ui::TPenHandle pen(CreatePen(PS_SOLID, 1, ui::ColorToRGB(ResolveColour(dkShadow))));
    HGDIOBJ oldPen = SelectObject(pdc, pen.Get());
    HGDIOBJ oldBrush = SelectObject(pdc, brush.Get());
    Rectangle(pdc, half.left, half.top, half.right, half.bottom);
    const int cx = (half.left + half.right) / 2, cy = (half.top + half.bottom) / 2;
    const int direction = horizontal ? 2 + i : i;
    SmallArrow(pdc, cx, horizontal ? cy : cy - 2, direction);
    SelectObject(pdc, oldBrush);
    SelectObject(pdc, oldPen);
  }
  BitBlt(dc, area.left, area.top, w, h, pdc, 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------------------------------------
// TSkinDateTime and its arrow

TSkinDateTime::~TSkinDateTime() = default;

void TSkinDateTime::AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas,
                           bool changeColor) {
  if (hooked_) return;
  TSkinControl::AttachSkin(form, skinData, canvas, changeColor);
  if (!handle_) return;
  arrow_ = std::make_unique<TArrowButton>(*this);
  arrow_->Place(handle_);
}

bool TSkinDateTime::HasSkinParts(const TResolvedSkin& skin) const { return HasImage(skin.ComboArrow); }

void TSkinDateTime::Detach() {
  TSkinControl::Detach();
  if (status_ != kSkinnerWindowGone) arrow_.reset();
}

void TSkinDateTime::AfterMessage(ui::TMessage& m) {
  if ((m.Msg == WM_SIZE || m.Msg == WM_WINDOWPOSCHANGED) && arrow_) arrow_->Place(handle_);
  TSkinControl::AfterMessage(m);
}

void TSkinDateTime::Draw(HDC dc, const RECT& rect) {
  if (Borderless(handle_, 0)) return;
  FrameColour(dc, rect, ShadowColour());
  RECT inner = rect;
  InflateRect(&inner, -1, -1);
  FrameColour(dc, inner, kWhite);
}

TArrowButton::TArrowButton(TSkinDateTime& owner)
    : owner_(owner), arrowSize_(GetSystemMetrics(SM_CXHSCROLL)) {}

TArrowButton::~TArrowButton() {
  if (window_ && IsWindow(window_)) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

void TArrowButton::Place(HWND picker) {
  picker_ = picker;
  if (!picker) return;
  if (!window_ || !IsWindow(window_)) {
    static const ATOM atom = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = StaticProc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
      wc.lpszClassName = L"VexloArrowButton";
      return RegisterClassW(&wc);
    }();
    if (!atom) return;
    window_ = CreateWindowExW(0, L"VexloArrowButton", L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                              picker, nullptr, GetModuleHandleW(nullptr), this);
    if (!window_) return;
  }
  // The picker never paints over its arrow.
  SetWindowLongW(picker, GWL_STYLE, GetWindowLongW(picker, GWL_STYLE) | WS_CLIPCHILDREN);
  RECT outer{};
  GetWindowRect(picker, &outer);
  const int left = (GetWindowLongW(picker, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR)
                       ? 2
                       : WidthOf(outer) - arrowSize_ - 4;
  SetWindowPos(window_, HWND_TOP, left, 0, arrowSize_, arrowSize_ + 1, SWP_NOACTIVATE);
  InvalidateRect(window_, nullptr, FALSE);
}

LRESULT CALLBACK TArrowButton::StaticProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<TArrowButton*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (msg == WM_NCCREATE && self) self->window_ = window;
  if (msg == WM_NCDESTROY && self) {
    self->window_ = nullptr;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return DefWindowProcW(window, msg, wParam, lParam);
  }
  return self ? self->WindowProc(msg, wParam, lParam) : DefWindowProcW(window, msg, wParam, lParam);
}

void TArrowButton::SetHot(bool hot) {
  if (hot_ == hot) return;
  hot_ = hot;
  InvalidateRect(window_, nullptr, FALSE);
}

LRESULT TArrowButton::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps{};
      HDC dc = BeginPaint(window_, &ps);
      if (dc) PaintTo(dc);
      EndPaint(window_, &ps);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (!hot_ && IsWindowEnabled(picker_)) {
        TRACKMOUSEEVENT leave{sizeof(leave), TME_LEAVE, window_, 0};
        TrackMouseEvent(&leave);
        SetHot(true);
      }
      return 0;
    case WM_MOUSELEAVE:
      SetHot(false);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      RECT own{};
      GetWindowRect(window_, &own);
      MapWindowPoints(nullptr, picker_, reinterpret_cast<POINT*>(&own), 2);
      const LPARAM at = MAKELPARAM(GET_X_LPARAM(lParam) + own.left, GET_Y_LPARAM(lParam) + own.top);
      PostMessageW(picker_, WM_LBUTTONDOWN, MK_LBUTTON, at);
      PostMessageW(picker_, WM_LBUTTONUP, 0, at);
      InvalidateRect(window_, nullptr, FALSE);
      return 0;
    }
    case WM_LBUTTONUP:
      SetFocus(picker_);
      return 0;
    default:
      return DefWindowProcW(window_, msg, wParam, lParam);
  }
}

void TArrowButton::PaintTo(HDC dc) {
  RECT client{};
  GetClientRect(window_, &client);
  FillColour(dc, client, owner_.FaceColour());
  TSkinData* data = owner_.SkinData();
  const TDataSkinObject* arrow = data ? data->Resolved().ComboArrow : nullptr;
  if (!HasImage(arrow)) return;
  DrawFrameStretched(dc, client, *arrow->Bitmap, true, arrow->Frame > 0 ? arrow->Frame : 1,
                     hot_ ? sfHot : sfNormal);
}

}  // namespace skin
