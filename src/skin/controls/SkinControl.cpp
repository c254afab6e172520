#include "skin/controls/SkinControl.h"

#include <windowsx.h>

#include <algorithm>
#include <cwctype>

#include "skin/data/ImgUtil.h"
#include "skin/data/SkinDerivedImages.h"
#include "skin/data/SkinMessages.h"
#include "ui/SysUtils.h"

namespace skin {

namespace {

int WidthOf(const RECT& r) { return r.right - r.left; }
int HeightOf(const RECT& r) { return r.bottom - r.top; }

}  // namespace

TSkinFrame StateFrame(const TSkinState& state) {
  if (!state.Enabled) return sfDisabled;
  if (state.Pressed) return sfPressed;
  if (state.Hot) return sfHot;
  if (state.Focused) return sfFocused;
  return sfNormal;
}

const ui::TClassInfo& TSkinControl::StaticClass() {
  static const ui::TClassInfo info(L"TSkinControl", &ui::TComponent::StaticClass());
  return info;
}

TSkinControl::TSkinControl(ui::TComponent* owner) : ui::TComponent(owner) {}

TSkinControl::~TSkinControl() {
  BeginDestruction();
  *alive_ = false;
  Unhook();
  if (form_) form_->Skinners().Remove(this);
}

// ---------------------------------------------------------------------------------------------
// Attaching and detaching

void TSkinControl::Attach(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas,
                          bool changeColor) {
  if (hooked_) return;
  AttachSkin(form, skinData, canvas, changeColor);
  Attached([=, this] { AttachSkin(form, skinData, canvas, changeColor); });
}

void TSkinControl::AttachHandle(HWND handle, TSkinData* skinData, TSkinnerHost* form,
                                ui::TCanvas* canvas) {
  AttachSkinHandle(handle, skinData, form, canvas);
  Attached([=, this] { AttachSkinHandle(handle, skinData, form, canvas); });
}

void TSkinControl::Attached(std::function<void()> attachAgain) {
  if (!hooked_) return;
  attachAgain_ = std::move(attachAgain);
  usable_ = true;
  if (skinData_ && !HasSkinParts(skinData_->Resolved())) StandAside();
}

bool TSkinControl::HasSkinParts(const TResolvedSkin&) const { return true; }

void TSkinControl::StandAside() {
  usable_ = false;
  state_ = 0;
  Detach();
  if (graphicControl_) {
    graphicControl_->Invalidate();
  } else if (handle_ && IsWindow(handle_)) {
    RedrawWindow(handle_, nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
}

void TSkinControl::TakeChangedSkin() {
  if (status_ == kSkinnerWindowGone || !hooked_) return;
  const bool usable = !skinData_ || HasSkinParts(skinData_->Resolved());
  if (usable && usable_) {
    SkinChanged();
  } else if (!usable && usable_) {
    StandAside();
  } else if (usable && attachAgain_) {
    // Attached again from the start, as the first time: the hooks, colours and helper windows
    // that Detach took away come back.
    const std::function<void()> attachAgain = attachAgain_;
    Unhook();
    hooked_ = false;
    attachAgain();
    usable_ = hooked_;
    Repaint();
  }
  for (TSkinControl* nested : NestedSkinners()) nested->TakeChangedSkin();
}

void TSkinControl::AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas,
                              bool changeColor) {
  if (hooked_) return;
  auto* control = dynamic_cast<ui::TControl*>(Owner());
  if (!control) return;
  changeColor_ = changeColor;
  skinData_ = skinData;
  form_ = form;
  canvas_ = canvas;
  control_ = control;
  if (auto* windowed = dynamic_cast<ui::TWinControl*>(control)) {
    try {
      handle_ = windowed->Handle();
    } catch (...) {
      handle_ = nullptr;
    }
    unicode_ = handle_ && IsWindowUnicode(handle_);
  } else {
    graphicControl_ = control;  // painted on its parent, repainted through it
  }
  HookControl(*control);
  Register(form);
  TakeFaceColour();
  if (parentBackgroundChanged_) kind_ = 1;
  control->Invalidate();
  hooked_ = true;
  status_ = kSkinnerAttached;
}

void TSkinControl::AttachSkinHandle(HWND handle, TSkinData* skinData, TSkinnerHost* form,
                                    ui::TCanvas* canvas) {
  skinData_ = skinData;
  canvas_ = canvas;
  form_ = form;
  handle_ = handle;
  enabled_ = true;
  kind_ = 0;
  Register(form);
  unicode_ = IsWindowUnicode(handle) != FALSE;
  text_ = ReadWindowText(handle);
  subclass_.Install(handle, [this](UINT msg, WPARAM wParam, LPARAM lParam) {
    ui::TMessage m{msg, wParam, lParam, 0};
    SkinWndProc(m);
    return m.Result;
  });
  InvalidateRect(handle, nullptr, TRUE);
  hooked_ = true;
  status_ = kSkinnerAttached;
}

void TSkinControl::TakeFaceColour() {
  if (!changeColor_ || !control_) return;
  ParentBackgroundOn();
  savedColor_ = control_->Color();
  control_->SetColor(FaceColour());
}

void TSkinControl::Detach() {
  if (!changeColor_ || !control_) return;
  ParentBackgroundOff();
  control_->SetColor(savedColor_);
}

bool TSkinControl::Register(TSkinnerHost* form) { return form && form->Skinners().Add(this); }

void TSkinControl::HookControl(ui::TControl& control) {
  methodHook_.Install(control, [this](ui::TMessage& m) { SkinWndProc(m); });
}

void TSkinControl::Unhook() {
  methodHook_.Restore();
  subclass_.Restore();
}

// Controls that show their parent's background behind their own drawing would hide the skin's
// colour: while skinned they show their own colour, and get the parent's back on detaching.
void TSkinControl::ParentBackgroundOn() {
  if (!control_ || !skinData_ || InSet(skinData_->Options(), xoParentBackGround)) return;
  if (!ui::IsPublishedProp(control_, L"ParentBackground")) return;
  if (ui::LowerCase(ui::GetEnumPropText(control_, L"ParentBackground")) != L"true") return;
  parentBackgroundChanged_ = true;
  ui::SetPropText(control_, L"ParentBackground", L"False");
}

void TSkinControl::ParentBackgroundOff() {
  if (!control_ || !skinData_ || InSet(skinData_->Options(), xoParentBackGround)) return;
  if (!parentBackgroundChanged_ || !ui::IsPublishedProp(control_, L"ParentBackground")) return;
  ui::SetPropText(control_, L"ParentBackground", L"True");
  parentBackgroundChanged_ = false;
}

void TSkinControl::SkinChanged() {
  if (changeColor_ && control_) control_->SetColor(FaceColour());
  Repaint();
}

// ---------------------------------------------------------------------------------------------
// The message stream

void TSkinControl::SkinWndProc(ui::TMessage& m) {
  if (m.Msg == SKM_ENABLESKIN) {
    active_ = m.WParam > 0;
    if (active_) Repaint();
    return;
  }
  if (!active_) {
    CallPrevious(m);
    return;
  }
  if (!usable_) {
    PassThrough(m);
    return;
  }
  // The control's own handling may free the control and so this skinner (a click that
  // closes the window): nothing of the skinner is touched after that.
  const std::shared_ptr<bool> alive = alive_;
  if (!BeforeMessage(m) || !*alive) return;
  CallPrevious(m);
  if (*alive) AfterMessage(m);
}

void TSkinControl::PassThrough(ui::TMessage& m) {
  if (m.Msg == SKM_QUERYSKINNED) {
    m.Result = 1;  // kept by this skinner: no second one is attached
    return;
  }
  const std::shared_ptr<bool> alive = alive_;
  CallPrevious(m);
  if (m.Msg != WM_NCDESTROY || !*alive) return;
  // Detached already when it stood aside: only the hooks go.
  active_ = false;
  status_ = kSkinnerWindowGone;
  Unhook();
  if (form_) form_->SkinnerWindowGone(handle_);
}

void TSkinControl::CallPrevious(ui::TMessage& m) {
  if (methodHook_.Installed()) {
    methodHook_.CallPrevious(m);
  } else if (subclass_.Installed()) {
    // Wide windows are handed on wide: text messages must reach them as they were sent.
    m.Result = subclass_.CallPrevious(m.Msg, m.WParam, m.LParam);
  }
}

bool TSkinControl::BeforeMessage(ui::TMessage& m) {
  switch (m.Msg) {
    case WM_NCDESTROY: {
      const std::shared_ptr<bool> alive = alive_;
      CallPrevious(m);
      if (!*alive) return false;
      active_ = false;
      status_ = kSkinnerWindowGone;
      Detach();
      // The control (which may get a new window) and its procedure are as they were.
      Unhook();
      if (form_) form_->SkinnerWindowGone(handle_);
      return false;
    }
    case SKM_QUERYSKINNED:
      m.Result = 1;
      return false;
    default:
      return true;
  }
}

void TSkinControl::AfterMessage(ui::TMessage& m) {
  switch (m.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      focused_ = m.Msg == WM_SETFOCUS;
      Repaint();
      break;
    case WM_ENABLE:
      enabled_ = m.WParam != 0;
      Repaint();
      break;
    case WM_SETTEXT:
    case ui::CM_ENABLEDCHANGED:
      Repaint();
      break;
    case WM_PAINT:
      PaintWindow(reinterpret_cast<HDC>(m.WParam));
      break;
    case SKM_ENABLESKIN:
      active_ = m.WParam > 0;
      break;
    default:
      break;
  }
}

// ---------------------------------------------------------------------------------------------
// Painting

void TSkinControl::PaintWindow(HDC dc) {
  RECT r{};
  if (!handle_ || !GetWindowRect(handle_, &r)) return;
  windowRect_ = r;
  OffsetRect(&r, -r.left, -r.top);
  try {
    if (dc) {
      Draw(dc, r);
      return;
    }
    HDC windowDC = GetWindowDC(handle_);
    if (!windowDC) return;
    try {
      Draw(windowDC, r);
    } catch (...) {
      ReleaseDC(handle_, windowDC);
      throw;
    }
    ReleaseDC(handle_, windowDC);
  } catch (...) {
    // A broken skin element must not break the control's message loop.
  }
}

void TSkinControl::Draw(HDC, const RECT&) {}

void TSkinControl::Repaint() {
  if (graphicControl_) {
    graphicControl_->Invalidate();
  } else if (handle_) {
    InvalidateRect(handle_, nullptr, TRUE);
    UpdateWindow(handle_);
  }
}

void TSkinControl::HandlePaint(ui::TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  PAINTSTRUCT ps{};
  const bool began = !dc && handle_;
  if (began) dc = BeginPaint(handle_, &ps);
  if (handle_) {
    GetWindowRect(handle_, &windowRect_);
  } else if (graphicControl_) {
    windowRect_ = graphicControl_->BoundsRect();
  }
  RECT r = windowRect_;
  OffsetRect(&r, -r.left, -r.top);
  if (dc) Draw(dc, r);
  if (began) EndPaint(handle_, &ps);
  m.Result = 0;
}

void TSkinControl::HandleErase(ui::TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  if (control_) {
    PaintParentImage(*control_, dc);
  } else {
    RECT client{};
    GetClientRect(handle_, &client);
    FillParentFace(dc, client);
  }
  m.Result = 1;
}

ui::TColor TSkinControl::FaceColour() const {
  return skinData_ ? ResolveColour(skinData_->Colours().ButtonFace)
                   : static_cast<ui::TColor>(GetSysColor(COLOR_BTNFACE));
}

ui::TColor TSkinControl::ShadowColour() const {
  return skinData_ ? ResolveColour(skinData_->Colours().ButtonShadow)
                   : static_cast<ui::TColor>(GetSysColor(COLOR_BTNSHADOW));
}

void TSkinControl::FillFace(HDC dc, const RECT& rect) const { FillColour(dc, rect, FaceColour()); }

void TSkinControl::FillParentFace(HDC dc, const RECT& rect) const {
  const ui::TControl* parent = control_ ? control_->Parent() : nullptr;
  FillColour(dc, rect, parent ? parent->Color() : FaceColour());
}

LONG TSkinControl::GetLong(int index) const {
  return unicode_ ? GetWindowLongW(handle_, index) : GetWindowLongA(handle_, index);
}

void TSkinControl::DrawTextFocus(HDC dc, UINT flags, const RECT& rect) const {
  RECT r = rect;
  DrawTextWide(dc, text_, r, flags | DT_CALCRECT | DT_NOCLIP);
  const int w = WidthOf(r), h = HeightOf(r);
  const int W = WidthOf(rect), H = HeightOf(rect);
  if (flags & DT_CENTER) {
    OffsetRect(&r, (W - w) / 2, (H - h) / 2 - 1);
  } else if (flags & DT_RIGHT) {
    OffsetRect(&r, W - w, 0);
  }
  InflateRect(&r, 2, 1);
  IntersectRect(&r, &r, &rect);
  DrawFocusRect(dc, &r);
}

void TSkinControl::ForwardMouseDown(const ui::TMessage& m) {
  if (!control_) return;
  int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
  if (control_->Width() > 32768 || control_->Height() > 32768) {
    POINT p{};
    GetCursorPos(&p);
    p = control_->ScreenToClient(p);
    x = p.x;
    y = p.y;
  }
  control_->MouseDown(ui::mbLeft, ui::KeysToShiftState(m.WParam), x, y);
}

UINT TSkinControl::BiDiFlags(UINT flags) const {
  const ui::TControl* control = control_ ? control_ : graphicControl_;
  if (control) {
    const bool rightToLeft = ui::SameText(ui::GetEnumPropText(control, L"BiDiMode"), L"bdRightToLeft");
    if (rightToLeft) flags |= DT_RTLREADING;
  } else if (handle_ && (GetWindowLongW(handle_, GWL_EXSTYLE) & WS_EX_RTLREADING)) {
    flags |= DT_RTLREADING;
  }
  return flags;
}

void TSkinControl::DrawCaption(ui::TCanvas& canvas, const RECT& rect, UINT alignment, bool enabled,
                               const std::wstring& text) const {
  canvas.Brush()->SetStyle(ui::bsClear);
  canvas.Font()->SetStyle(0);
  HDC dc = canvas.Handle();
  SetBkMode(dc, TRANSPARENT);
  RECT r = rect;
  DrawTextWide(dc, text, r, alignment | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS);
  const int w = WidthOf(r), h = HeightOf(r);
  if (alignment & DT_CENTER) {
    OffsetRect(&r, (WidthOf(rect) - w) / 2, (HeightOf(rect) - h) / 2);
  } else {
    OffsetRect(&r, 0, (HeightOf(rect) - h) / 2);
    r.left = rect.left;
    r.right = rect.right;
  }
  if (!enabled) SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  DrawTextWide(dc, text, r, BiDiFlags(alignment | DT_EXPANDTABS));
}

void TSkinControl::DrawIconCaption(ui::TCanvas& canvas, const RECT& rect, UINT alignment,
                                   const std::wstring& text, int imageIndex,
                                   HIMAGELIST images) const {
  HDC dc = canvas.Handle();
  SetBkMode(dc, TRANSPARENT);
  int iconWidth = 0, iconHeight = 0;
  if (images && imageIndex >= 0) ImageList_GetIconSize(images, &iconWidth, &iconHeight);
  if (iconWidth > WidthOf(rect)) iconWidth = iconHeight = 0;  // no room: the text alone
  RECT measured = rect;
  const UINT single = DT_SINGLELINE | DT_VCENTER;
  DrawTextWide(dc, text, measured, single | DT_CALCRECT);
  const int total = iconWidth + WidthOf(measured);
  int x = rect.left + 3;
  if (alignment & DT_CENTER) {
    x = rect.left + std::max(1, (WidthOf(rect) - total) / 2);
  } else if (alignment & DT_RIGHT) {
    x = std::max(rect.left + 1, rect.right - total - 1);
  }
  if (iconWidth > 0) {
    ImageList_Draw(images, imageIndex, dc, x, rect.top + (HeightOf(rect) - iconHeight) / 2,
                   ILD_TRANSPARENT);
  }
  RECT textRect{x + iconWidth, rect.top, rect.right, rect.bottom};
  const bool enabled = control_ ? control_->Enabled()
                                : (graphicControl_ ? graphicControl_->Enabled()
                                                   : (!handle_ || IsWindowEnabled(handle_)));
  if (!enabled) SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  DrawTextWide(dc, text, textRect, BiDiFlags(single | DT_LEFT));
}

void PaintGraphicChildren(ui::TControl* control, HDC dc) {
  if (auto* parent = dynamic_cast<ui::TWinControl*>(control)) parent->PaintControls(dc);
}

// ---------------------------------------------------------------------------------------------
// Hot and pressed

bool TSkinControl::TrackMouseState(const ui::TMessage& m, bool spaceKey) {
  const int before = state_;
  const ui::TControl* control = control_ ? control_ : graphicControl_;
  const bool enabledNow = control ? control->Enabled() : (handle_ && IsWindowEnabled(handle_));
  switch (m.Msg) {
    case WM_MOUSEMOVE:
      if (enabledNow && !Hot()) {
        state_ |= kStateHot;
        if (handle_) {
          TRACKMOUSEEVENT leave{sizeof(leave), TME_LEAVE, handle_, 0};
          TrackMouseEvent(&leave);
        }
      }
      break;
    case ui::CM_MOUSEENTER:
      if (enabledNow) state_ |= kStateHot;
      break;
    case WM_MOUSELEAVE:
    case ui::CM_MOUSELEAVE:
      state_ &= ~(kStateHot | kStatePressed);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      state_ |= kStatePressed;
      break;
    case WM_LBUTTONUP:
      state_ &= ~kStatePressed;
      break;
    case WM_KEYDOWN:
      if (spaceKey && m.WParam == VK_SPACE) state_ |= kStatePressed;
      break;
    case WM_KEYUP:
      if (spaceKey && m.WParam == VK_SPACE) state_ &= ~kStatePressed;
      break;
    default:
      break;
  }
  if (state_ == before) return false;
  Repaint();
  return true;
}

// ---------------------------------------------------------------------------------------------
// The frame skinner's list

bool TControlSkinners::Add(TSkinControl* skinner) {
  if (!skinner) return false;
  if (std::find(items_.begin(), items_.end(), skinner) != items_.end()) return true;
  items_.push_back(skinner);
  return false;
}

void TControlSkinners::Remove(TSkinControl* skinner) { std::erase(items_, skinner); }

bool TControlSkinners::Contains(const TSkinControl* skinner) const {
  return std::find(items_.begin(), items_.end(), skinner) != items_.end();
}

void TControlSkinners::Release(TSkinControl* skinner) {
  skinner->form_ = nullptr;  // out of the list already
  delete skinner;
}

void TControlSkinners::Purge(HWND window) {
  std::vector<TSkinControl*> gone;
  std::erase_if(items_, [&](TSkinControl* s) {
    if (s->Status() != kSkinnerWindowGone || (window && s->Handle() != window)) return false;
    gone.push_back(s);
    return true;
  });
  for (TSkinControl* s : gone) Release(s);
}

TSkinControl* TControlSkinners::Find(HWND window) const {
  if (!window) return nullptr;
  for (TSkinControl* s : items_) {
    if (s->Handle() == window) return s;
  }
  return nullptr;
}

TSkinControl* TControlSkinners::FindLast(HWND window) const {
  if (!window) return nullptr;
  for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
    if ((*it)->Handle() == window) return *it;
  }
  return nullptr;
}

TSkinControl* TControlSkinners::FindControl(const ui::TControl* control) const {
  if (!control) return nullptr;
  for (TSkinControl* s : items_) {
    if (s->Control() == control || s->GraphicControl() == control) return s;
  }
  return nullptr;
}

void TControlSkinners::DetachAll() {
  while (!items_.empty()) {
    TSkinControl* s = items_.front();
    items_.erase(items_.begin());
    if (s->Status() != kSkinnerWindowGone && s->Usable()) s->Detach();
    Release(s);
  }
}

void TControlSkinners::FreeAll() {
  std::vector<TSkinControl*> all;
  all.swap(items_);
  for (TSkinControl* s : all) Release(s);
}

// ---------------------------------------------------------------------------------------------
// Free routines

std::wstring ReadWindowText(HWND window) {
  if (!window) return {};
  if (!(GetVersion() & 0x80000000u)) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::clamp(copied, 0, length)));
    return text;
  }
  char buffer[1000] = {};
  SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
  return AnsiToWide(buffer);
}

bool HasImage(const TDataSkinObject* element) {
  return element && element->Bitmap && !element->Bitmap->Empty();
}

bool HasFrames(const TDataSkinObject* element, int frames) {
  return HasImage(element) && element->Bitmap->Width() >= std::max(1, frames);
}

void FillColour(HDC dc, const RECT& rect, ui::TColor colour) {
  ui::TBrushHandle brush(CreateSolidBrush(ui::ColorToRGB(colour)));
  FillRect(dc, &rect, brush.Get());
}

void DrawSkinElement(HDC dc, const RECT& rect, int frameCount, int frameIndex,
                     const TDataSkinObject* element) {
  if (!element || !element->Bitmap || rect.right < rect.left || rect.bottom < rect.top) return;
  const TMargins margins{element->LeftWidth, element->TopHeight, element->RightWidth,
                         element->BottomHeight};
  DrawNineRegion(dc, rect, *element->Bitmap, TFrameLayout::SideBySide,
                 element->Tile == 1 ? TCentreMode::Tile : TCentreMode::Stretch,
                 element->Trans == 1, frameCount, frameIndex, margins);
}

void DrawStripFrame(HDC dc, const RECT& rect, int frameCount, int frameIndex,
                    const TSkinBitmap& strip) {
  DrawFrameStretched(dc, rect, strip, true, frameCount, frameIndex);
}

void DrawStripFrame(ui::TCanvas& canvas, const RECT& rect, int frameCount, int frameIndex,
                    const TSkinBitmap& strip) {
  DrawFrameStretched(canvas.Handle(), rect, strip, true, frameCount, frameIndex);
}

}  // namespace skin
