// Controls: visual components with a parent, bounds, text, font and colour.
//
// Every message to a control goes through its WindowProc, which callers may replace (and
// chain to the previous one); by default it calls the control's own WndProc. Windowed
// controls (TWinControl) own a real window, made on demand and re-made when needed; windowless
// controls (TGraphicControl) are painted by their parent on the parent's device context, and
// their parent forwards mouse messages to them.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Canvas.h"
#include "ui/Component.h"
#include "ui/Messages.h"

namespace ui {

class TWinControl;
class TCustomForm;
class TPopupMenu;

using TNotifyEvent = std::function<void(TObject* sender)>;
using TWndMethod = std::function<void(TMessage& message)>;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = int;  // bit 1 << TAnchorKind
constexpr TAnchors AnchorsDefault = (1 << akLeft) | (1 << akTop);
constexpr TAnchors AnchorsAll = (1 << akLeft) | (1 << akTop) | (1 << akRight) | (1 << akBottom);
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftKind { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = int;  // bit 1 << TShiftKind

using TCursor = int;
constexpr TCursor crDefault = 0, crArrow = -2, crCross = -3, crIBeam = -4, crSizeWE = -9,
                  crHourGlass = -11, crNo = -18, crHelp = -20, crHandPoint = -21;
HCURSOR CursorHandle(TCursor cursor);

const TEnumInfo& AlignInfo();
const TEnumInfo& AnchorKindInfo();
const TEnumInfo& AlignmentInfo();

using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;

// The pixels per inch that places, sizes and fonts are given in before a form is scaled.
inline constexpr int kDesignDpi = 96;

class TControl : public TComponent {
  UI_CLASS_INFO
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  // The form this control sits on, or nothing.
  TCustomForm* ParentForm() const;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  virtual RECT ClientRect() const;
  int ClientWidth() const;
  int ClientHeight() const;
  virtual void SetClientSize(int width, int height);
  void SetClientWidth(int v) { SetClientSize(v, ClientHeight()); }
  void SetClientHeight(int v) { SetClientSize(ClientWidth(), v); }
  POINT ClientOrigin() const;
  POINT ClientToScreen(POINT p) const;
  POINT ScreenToClient(POINT p) const;

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so is every parent up to a shown top-level window.
  virtual bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);

  // Caption and Text are the same value; labels and buttons publish the one, edits the other.
  std::wstring Text() const;
  void SetText(const std::wstring& text);
  std::wstring Caption() const { return Text(); }
  void SetCaption(const std::wstring& text) { SetText(text); }

  TFont* Font() const { return font_.get(); }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors anchors);

  std::wstring Hint() const { return hint_; }
  void SetHint(const std::wstring& hint) { hint_ = hint; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool value);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);
  // The context menu that a right click or the context-menu key opens over the control.
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu);

  // Scales the control's place, size and own font by m / d: a form made for 96 pixels per
  // inch shown at another DPI, or moved to a screen of another DPI. Neighbours stay
  // neighbours, as the edges are scaled rather than the sizes.
  virtual void ChangeScale(int m, int d);
  // A length given at 96 pixels per inch, at the DPI of the form this control sits on.
  int ScaleValue(int value) const;

  // The replaceable entry for every message; by default it calls WndProc.
  TWndMethod WindowProc;
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

  virtual void Invalidate();
  virtual void Update();
  void Repaint();
  virtual void Click();
  void BringToFront();

  TNotifyEvent OnClick;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;

  // Mouse input as the library hands it on (public so that skinners can forward clicks).
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);

  // The library's own processing of a message; the end of every WindowProc chain.
  virtual void WndProc(TMessage& message);

 protected:
  // Messages that nobody handled.
  virtual void DefaultHandler(TMessage& message);
  virtual void FontChanged();
  void Notification(TComponent* component, TOperation operation) override;
  // Rules for the parent's layout when this control's parent resizes.
  void UpdateAnchorRules();
  void AnchorTo(int parentWidth, int parentHeight);
  bool clicking_ = false;
  // A left click (press and release inside) calls Click; controls whose window reports
  // clicks itself turn this off.
  bool clickEvents_ = true;

 private:
  friend class TWinControl;
  void HandleMouse(TMessage& message);
  bool ContextMenu(TMessage& message);

  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  int anchorRight_ = 0, anchorBottom_ = 0;  // distances to the parent's client edges
  bool anchorKnown_ = false;                  // the distances were taken from a sized parent
  bool visible_ = true, enabled_ = true;
  std::wstring text_;
  std::unique_ptr<TFont> font_;
  bool parentFont_ = true;
  TColor color_ = clWindow;
  bool parentColor_ = false;
  TAlign align_ = alNone;
  TAnchors anchors_ = AnchorsDefault;
  std::wstring hint_;
  bool showHint_ = false, parentShowHint_ = true;
  TCursor cursor_ = crDefault;
  TPopupMenu* popupMenu_ = nullptr;
};

// A windowless control: painted by its parent on the parent's device context.
class TGraphicControl : public TControl {
  UI_CLASS_INFO
 public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;
  TCanvas* Canvas() const { return canvas_.get(); }
  void Invalidate() override;
  void Update() override;

  void WndProc(TMessage& message) override;

 protected:
  // Draws the control on Canvas, whose origin is the control's top-left corner.
  virtual void Paint() {}

 private:
  std::unique_ptr<TCanvas> canvas_;
};

// What CreateParams decides about a control's window.
struct TCreateParams {
  std::wstring Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  std::wstring WinClassName;       // the class registered for this control
  const wchar_t* SystemClass = nullptr;  // the system class it builds on, or none
  UINT ClassStyle = CS_DBLCLKS;
};

class TWinControl : public TControl {
  UI_CLASS_INFO
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // The window, made on first use.
  HWND Handle();
  HWND HandleIfAllocated() const { return handle_; }
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  // Destroys the window (and its children's) so that it is made anew with the current
  // creation parameters; controls and skinners are told through CM_RECREATEWND.
  void RecreateWnd();
  void DestroyHandle();
  // The control that owns this window, if it is one of ours.
  static TWinControl* FromHandle(HWND handle);

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }
  // The visible windowless child at a client point (the topmost), or nothing.
  TControl* ControlAtPos(POINT p) const;
  // Paints the windowless children into the device context (client coordinates); skinners
  // that paint a control's face themselves call it after.
  void PaintControls(HDC dc);

  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value);
  int TabOrder() const;
  void SetTabOrder(int order);
  // This control's windowed children and theirs, in tab order.
  void GetTabOrderList(std::vector<TWinControl*>& list) const;
  bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();

  TBrush* Brush() const { return brush_.get(); }

  void SetBounds(int left, int top, int width, int height) override;
  RECT ClientRect() const override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  bool Showing() const override;
  void Invalidate() override;
  void Update() override;

  // Lays out the children that are aligned or anchored.
  void Realign();
  // Scales the control and every child, then lays the children out again.
  void ChangeScale(int m, int d) override;

  void WndProc(TMessage& message) override;
  // Sends the message to every child control.
  void Broadcast(TMessage& message);

 protected:
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  virtual void DestroyWnd();
  // Called right after the window exists (fonts, texts and child windows are in place).
  virtual void CreateHandleDone() {}
  void DefaultHandler(TMessage& message) override;
  void FontChanged() override;
  // Paints the control itself, then its windowless children.
  virtual void PaintWindow(HDC dc);
  // Scales the control itself for ChangeScale; the children are scaled apart.
  virtual void ScaleSelf(int m, int d) { TControl::ChangeScale(m, d); }
  // Children may be placed inside this control.
  bool acceptsControls_ = true;

 private:
  friend class TControl;
  friend LRESULT CALLBACK StdWndProc(HWND, UINT, WPARAM, LPARAM);
  void AttachWindow(HWND handle);
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void CreateChildHandles();
  void WMPaint(TMessage& message);
  void ForwardMouse(TMessage& message, TControl* target);
  bool ReflectNotification(TMessage& message);
  void AlignControls();
  void TrackMouse(TMessage& message);

  HWND handle_ = nullptr;
  WNDPROC defWndProc_ = nullptr;
  std::vector<TControl*> controls_;
  std::vector<TWinControl*> tabList_;
  bool tabStop_ = false;
  std::unique_ptr<TBrush> brush_;
  bool realigning_ = false;
  TControl* mouseCaptureControl_ = nullptr;
};

// A windowed control that paints itself on a canvas (panels and the like).
class TCustomControl : public TWinControl {
  UI_CLASS_INFO
 public:
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;
  TCanvas* Canvas() const { return canvas_.get(); }

 protected:
  void PaintWindow(HDC dc) override;
  virtual void Paint() {}

 private:
  std::unique_ptr<TCanvas> canvas_;
};

// The control under the mouse: the library sends CM_MOUSELEAVE to the one it leaves and
// CM_MOUSEENTER to the one it enters.
TControl* MouseControl();
void SetMouseControl(TControl* control);
// Told whenever the control under the mouse changes (the application's hints use it).
std::function<void(TControl* control)>& MouseControlChanged();

// An exception escaped a message handler of `sender`: the application shows it.
void HandleException(TObject* sender);

// Keys and mouse buttons held, as a shift state.
TShiftState KeysToShiftState(WPARAM keys);

}  // namespace ui
