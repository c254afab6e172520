#include "ui/Controls.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/SysUtils.h"

namespace ui {

// ---------------------------------------------------------------------------------------------
// Enumerations, cursors, the control under the mouse

const TEnumInfo& AlignInfo() {
  static const TEnumInfo info(L"TAlign", {L"alNone", L"alTop", L"alBottom", L"alLeft", L"alRight", L"alClient"});
  return info;
}

const TEnumInfo& AnchorKindInfo() {
  static const TEnumInfo info(L"TAnchorKind", {L"akLeft", L"akTop", L"akRight", L"akBottom"});
  return info;
}

const TEnumInfo& AlignmentInfo() {
  static const TEnumInfo info(L"TAlignment", {L"taLeftJustify", L"taRightJustify", L"taCenter"});
  return info;
}

HCURSOR CursorHandle(TCursor cursor) {
  const wchar_t* id = IDC_ARROW;
  switch (cursor) {
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeWE: id = IDC_SIZEWE; break;
    case crHourGlass: id = IDC_WAIT; break;
    case crNo: id = IDC_NO; break;
    case crHelp: id = IDC_HELP; break;
    case crHandPoint: id = IDC_HAND; break;
    default: break;
  }
  return LoadCursorW(nullptr, id);
}

TShiftState KeysToShiftState(WPARAM keys) {
  TShiftState s = 0;
  if (keys & MK_SHIFT) s |= 1 << ssShift;
  if (keys & MK_CONTROL) s |= 1 << ssCtrl;
  if (keys & MK_LBUTTON) s |= 1 << ssLeft;
  if (keys & MK_RBUTTON) s |= 1 << ssRight;
  if (keys & MK_MBUTTON) s |= 1 << ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= 1 << ssAlt;
  return s;
}

namespace {
TControl* g_mouseControl = nullptr;
}  // namespace

std::function<void(TControl*)>& MouseControlChanged() {
  static std::function<void(TControl*)> hook;
  return hook;
}

TControl* MouseControl() { return g_mouseControl; }

void SetMouseControl(TControl* control) {
  if (control == g_mouseControl) return;
  TControl* old = g_mouseControl;
  g_mouseControl = control;
  if (old) old->Perform(CM_MOUSELEAVE);
  if (control) control->Perform(CM_MOUSEENTER);
  if (MouseControlChanged()) MouseControlChanged()(control);
}

// ---------------------------------------------------------------------------------------------
// TControl

const TClassInfo& TControl::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TControl", &TComponent::StaticClass());
    c.Enum(L"Align", AlignInfo(), &TControl::Align, &TControl::SetAlign);
    c.Set(L"Anchors", AnchorKindInfo(), &TControl::Anchors, &TControl::SetAnchors);
    c.Int(L"Color", &TControl::Color, &TControl::SetColor);
    c.Int(L"Cursor", &TControl::Cursor, &TControl::SetCursor);
    c.Bool(L"Enabled", &TControl::Enabled, &TControl::SetEnabled);
    c.Obj(L"Font", &TControl::Font);
    c.Int(L"Height", &TControl::Height, &TControl::SetHeight);
    c.Str(L"Hint", &TControl::Hint, &TControl::SetHint);
    c.Int(L"Left", &TControl::Left, &TControl::SetLeft);
    c.Bool(L"ParentColor", &TControl::ParentColor, &TControl::SetParentColor);
    c.Bool(L"ParentFont", &TControl::ParentFont, &TControl::SetParentFont);
    c.Bool(L"ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint);
    c.Bool(L"ShowHint", &TControl::ShowHint, &TControl::SetShowHint);
    c.Int(L"Top", &TControl::Top, &TControl::SetTop);
    c.Bool(L"Visible", &TControl::Visible, &TControl::SetVisible);
    c.Int(L"Width", &TControl::Width, &TControl::SetWidth);
    return c;
  }();
  return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
  WindowProc = [this](TMessage& m) { WndProc(m); };
  font_->OnChange = [this](TGraphicsObject*) {
    parentFont_ = false;
    FontChanged();
  };
}

TControl::~TControl() {
  BeginDestruction();
  // Owned components (a skinner among them) go while the control is still whole.
  DestroyComponents();
  if (g_mouseControl == this) g_mouseControl = nullptr;
  font_->OnChange = nullptr;
  if (parent_) parent_->RemoveControl(this);
}

TCustomForm* TControl::ParentForm() const {
  const TControl* c = this;
  while (c->parent_) c = c->parent_;
  return const_cast<TCustomForm*>(dynamic_cast<const TCustomForm*>(c));
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) throw Exception(L"A control cannot have itself as its parent");
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  if (parent_ && parent_->HandleAllocated()) {
    RECT old = BoundsRect();
    InvalidateRect(parent_->Handle(), &old, TRUE);
  }
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Invalidate();
  UpdateAnchorRules();
  if (parent_ && align_ != alNone) parent_->Realign();
}

RECT TControl::ClientRect() const { return {0, 0, width_, height_}; }
int TControl::ClientWidth() const { return ClientRect().right; }
int TControl::ClientHeight() const { return ClientRect().bottom; }

void TControl::SetClientSize(int width, int height) {
  RECT r = ClientRect();
  SetBounds(left_, top_, width_ + width - r.right, height_ + height - r.bottom);
}

POINT TControl::ClientOrigin() const {
  if (!parent_) return {left_, top_};
  POINT p = parent_->ClientOrigin();
  return {p.x + left_, p.y + top_};
}

POINT TControl::ClientToScreen(POINT p) const {
  POINT o = ClientOrigin();
  return {p.x + o.x, p.y + o.y};
}

POINT TControl::ScreenToClient(POINT p) const {
  POINT o = ClientOrigin();
  return {p.x - o.x, p.y - o.y};
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Perform(CM_VISIBLECHANGED, visible);
  if (parent_ && parent_->HandleAllocated()) {
    RECT r = BoundsRect();
    InvalidateRect(parent_->Handle(), &r, TRUE);
  }
  if (parent_ && align_ != alNone) parent_->Realign();
}

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Perform(CM_ENABLEDCHANGED);
}

std::wstring TControl::Text() const {
  auto* self = const_cast<TControl*>(this);
  int length = static_cast<int>(self->Perform(WM_GETTEXTLENGTH));
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  int copied = static_cast<int>(self->Perform(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  text.resize(static_cast<size_t>(std::clamp(copied, 0, length)));
  return text;
}

void TControl::SetText(const std::wstring& text) {
  if (text == Text()) return;
  Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  Perform(CM_TEXTCHANGED);
}

void TControl::SetParentFont(bool value) {
  if (value == parentFont_) return;
  parentFont_ = value;
  if (value && parent_) Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetColor(TColor color) {
  parentColor_ = false;
  if (color == color_) return;
  color_ = color;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
  if (value == parentColor_) return;
  parentColor_ = value;
  if (value && parent_) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  align_ = align;
  if (parent_) parent_->Realign();
}

void TControl::SetAnchors(TAnchors anchors) {
  anchors_ = anchors;
  UpdateAnchorRules();
}

void TControl::SetShowHint(bool value) {
  parentShowHint_ = false;
  showHint_ = value;
  Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool value) {
  if (value == parentShowHint_) return;
  parentShowHint_ = value;
  if (value && parent_) Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetCursor(TCursor cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  Perform(CM_CURSORCHANGED);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WindowProc(m);
  return m.Result;
}

void TControl::Invalidate() {
  if (parent_ && parent_->HandleAllocated() && visible_) {
    RECT r = BoundsRect();
    InvalidateRect(parent_->Handle(), &r, TRUE);
  }
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::BringToFront() {
  if (!parent_) return;
  auto& list = parent_->controls_;
  list.erase(std::find(list.begin(), list.end(), this));
  list.push_back(this);
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated())
    SetWindowPos(w->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

// The place first, then the font: a control that fits itself to its text (a label, say)
// takes its width from the new font, not the old width scaled twice.
void TControl::ChangeScale(int m, int d) {
  const int l = MulDiv(left_, m, d), t = MulDiv(top_, m, d);
  SetBounds(l, t, MulDiv(left_ + width_, m, d) - l, MulDiv(top_ + height_, m, d) - t);
  if (!parentFont_) font_->SetHeight(MulDiv(font_->Height(), m, d));
}

int TControl::ScaleValue(int value) const {
  const TCustomForm* form = ParentForm();
  return form ? MulDiv(value, form->PixelsPerInch(), kDesignDpi) : value;
}

void TControl::UpdateAnchorRules() {
  if (!parent_ || parent_->realigning_) return;
  RECT pr = parent_->ClientRect();
  anchorKnown_ = pr.right > 0 || pr.bottom > 0;
  anchorRight_ = pr.right - (left_ + width_);
  anchorBottom_ = pr.bottom - (top_ + height_);
}

void TControl::AnchorTo(int parentWidth, int parentHeight) {
  if (!anchorKnown_) {
    UpdateAnchorRules();
    return;
  }
  int l = left_, t = top_, w = width_, h = height_;
  if (anchors_ & (1 << akRight)) {
    if (anchors_ & (1 << akLeft)) w = parentWidth - anchorRight_ - l;
    else l = parentWidth - anchorRight_ - w;
  }
  if (anchors_ & (1 << akBottom)) {
    if (anchors_ & (1 << akTop)) h = parentHeight - anchorBottom_ - t;
    else t = parentHeight - anchorBottom_ - h;
  }
  SetBounds(l, t, std::max(w, 0), std::max(h, 0));
}

void TControl::FontChanged() { Perform(CM_FONTCHANGED); }

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (menu == popupMenu_) return;
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
  popupMenu_ = menu;
  if (menu) menu->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == popupMenu_) popupMenu_ = nullptr;
}

// WM_CONTEXTMENU: a right click (the point in screen coordinates) or the context-menu key or
// Shift+F10 (the point -1, -1: the menu opens at the control's top-left corner).
bool TControl::ContextMenu(TMessage& m) {
  if (!popupMenu_ || !enabled_) return false;
  POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  if (p.x == -1 && p.y == -1) p = ClientToScreen({0, 0});
  popupMenu_->SetPopupComponent(this);
  popupMenu_->Popup(p.x, p.y);
  m.Result = 1;
  return true;
}

void TControl::HandleMouse(TMessage& m) {
  int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
  TShiftState shift = KeysToShiftState(m.WParam);
  switch (m.Msg) {
    case WM_MOUSEMOVE:
      MouseMove(shift, x, y);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (clickEvents_) clicking_ = true;
      if (m.Msg == WM_LBUTTONDBLCLK) shift |= 1 << ssDouble;
      MouseDown(mbLeft, shift, x, y);
      break;
    case WM_LBUTTONUP: {
      bool click = clicking_;
      clicking_ = false;
      RECT r = ClientRect();
      POINT p{x, y};
      if (click && PtInRect(&r, p)) Click();
      MouseUp(mbLeft, shift, x, y);
      break;
    }
    case WM_RBUTTONDOWN: MouseDown(mbRight, shift, x, y); break;
    case WM_RBUTTONUP: MouseUp(mbRight, shift, x, y); break;
    case WM_MBUTTONDOWN: MouseDown(mbMiddle, shift, x, y); break;
    case WM_MBUTTONUP: MouseUp(mbMiddle, shift, x, y); break;
    default: break;
  }
}

void TControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_LBUTTONUP:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_MBUTTONDOWN: case WM_MBUTTONUP:
      if (!enabled_) break;
      HandleMouse(m);
      break;
    case WM_CONTEXTMENU:
      if (ContextMenu(m)) return;
      break;
    case CM_MOUSEENTER:
      if (OnMouseEnter) OnMouseEnter(this);
      return;
    case CM_MOUSELEAVE:
      if (OnMouseLeave) OnMouseLeave(this);
      return;
    case CM_PARENTFONTCHANGED:
      if (parentFont_ && parent_) {
        font_->Assign(*parent_->Font());
        parentFont_ = true;  // Assign reported a change; the font still follows the parent
      }
      return;
    case CM_PARENTCOLORCHANGED:
      if (parentColor_ && parent_) {
        color_ = parent_->Color();
        Perform(CM_COLORCHANGED);
      }
      return;
    case CM_PARENTSHOWHINTCHANGED:
      if (parentShowHint_ && parent_) showHint_ = parent_->ShowHint();
      return;
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
      Invalidate();
      return;
    default:
      break;
  }
  DefaultHandler(m);
}

void TControl::DefaultHandler(TMessage& m) {
  switch (m.Msg) {
    case WM_GETTEXTLENGTH:
      m.Result = static_cast<LRESULT>(text_.size());
      break;
    case WM_GETTEXT: {
      auto* buffer = reinterpret_cast<wchar_t*>(m.LParam);
      size_t n = m.WParam ? std::min(text_.size(), static_cast<size_t>(m.WParam) - 1) : 0;
      if (buffer && m.WParam) {
        std::copy_n(text_.data(), n, buffer);
        buffer[n] = L'\0';
      }
      m.Result = static_cast<LRESULT>(n);
      break;
    }
    case WM_SETTEXT:
      text_ = m.LParam ? reinterpret_cast<const wchar_t*>(m.LParam) : L"";
      m.Result = TRUE;
      break;
    default:
      break;
  }
}

// ---------------------------------------------------------------------------------------------
// TGraphicControl

const TClassInfo& TGraphicControl::StaticClass() {
  static const TClassInfo info(L"TGraphicControl", &TControl::StaticClass());
  return info;
}

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), canvas_(std::make_unique<TCanvas>()) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Invalidate() { TControl::Invalidate(); }
void TGraphicControl::Update() { TControl::Update(); }

void TGraphicControl::WndProc(TMessage& m) {
  if (m.Msg == WM_PAINT) {
    canvas_->SetHandle(reinterpret_cast<HDC>(m.WParam));
    canvas_->Font()->Assign(*Font());
    try {
      Paint();
    } catch (...) {
      canvas_->SetHandle(nullptr);
      throw;
    }
    canvas_->SetHandle(nullptr);
    return;
  }
  TControl::WndProc(m);
}

}  // namespace ui
