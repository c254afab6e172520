// TSkinControl: the base of every control skinner. One skinner sits beside one control, takes
// over its message stream (the control's WindowProc, or the window procedure of a bare
// window), lets the control do its own work and draws the skin over it. The frame skinner of
// the control's window chooses the skinner class, attaches it and keeps it in its list
// (TControlSkinners); the skinner is a component owned by the control, so the control's own
// destruction frees it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/data/WinSkinData.h"
#include "ui/Canvas.h"
#include "ui/Controls.h"
#include "ui/WindowSubclass.h"

namespace skin {

class TSkinControl;
class TControlSkinners;

// What a control skinner asks of the frame skinner that keeps it.
class TSkinnerHost {
 public:
  virtual ~TSkinnerHost() = default;
  virtual TControlSkinners& Skinners() = 0;
  // The frame's window: notices about the skinner's control go there.
  virtual HWND HostWindow() const = 0;
  // A skinner's window is gone: the host may take its skinners out of its list once the
  // window's destruction is over (the skinner is still on the stack when it tells).
  virtual void SkinnerWindowGone(HWND /*window*/) {}
};

// Status values of a skinner.
constexpr int kSkinnerCreated = 0;
constexpr int kSkinnerAttached = 1;
constexpr int kSkinnerWindowGone = 6;

// Bits of TSkinControl::State.
constexpr int kStateHot = 1;
constexpr int kStatePressed = 2;

// The frames of a multi-state element: 1 normal, 2 pressed, 3 disabled, 4 hot, 5 focused.
enum TSkinFrame { sfNormal = 1, sfPressed = 2, sfDisabled = 3, sfHot = 4, sfFocused = 5 };

// The state a skinner reads before drawing a multi-state element.
struct TSkinState {
  bool Enabled = true;
  bool Hot = false;
  bool Pressed = false;
  bool Focused = false;
};

// The frame that the base gives a state: disabled before pressed before hot before focused.
// Skinners with other rules state their own mapping as a function like this one.
TSkinFrame StateFrame(const TSkinState& state);

class TSkinControl : public ui::TComponent {
  UI_CLASS_INFO
 public:
  explicit TSkinControl(ui::TComponent* owner);
  ~TSkinControl() override;

  // Attaches to the class-library control that owns the skinner (AttachSkin), then decides
  // whether the skin has what the skinner draws from (see Usable).
  void Attach(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas, bool changeColor);
  // Attaches to a bare window (a control without class-library object) by AttachSkinHandle,
  // then decides as Attach does.
  void AttachHandle(HWND handle, TSkinData* skinData, TSkinnerHost* form, ui::TCanvas* canvas);
  // Undoes the colour and background changes.
  virtual void Detach();
  // Runs before the control's own procedure; false when the skinner handled the message.
  virtual bool BeforeMessage(ui::TMessage& message);
  // Runs after the control's own procedure.
  virtual void AfterMessage(ui::TMessage& message);
  // Paints the whole window into `dc` (the window DC when none).
  virtual void PaintWindow(HDC dc);
  // Draws the skin into `dc` over `rect` (the window rectangle moved to 0,0); nothing here.
  virtual void Draw(HDC dc, const RECT& rect);
  // Re-applies the skin colour and repaints after the skin was changed.
  virtual void SkinChanged();
  // Decides anew after the skin was changed: a skinner whose skin lost what it draws from gives
  // the control its own look back; one whose skin has it again attaches again as it was
  // attached first; one that stays usable takes the change (SkinChanged). The skinners it made
  // for windows of its own (NestedSkinners) then decide the same for theirs.
  void TakeChangedSkin();
  // Whether the skin has what the skinner draws from. While it has not (no element, an element
  // without picture, frames of no size), the skinner has undone its changes to the control and
  // hands every message straight to the control's own procedure: the control keeps its own
  // look and works as it would unskinned. Decided at attaching and at each skin change.
  bool Usable() const { return usable_; }
  virtual bool IsSkinnable() const { return true; }

  // The single entry of every message of the skinned control.
  void SkinWndProc(ui::TMessage& message);
  // The control's own procedure.
  void CallPrevious(ui::TMessage& message);
  void Repaint();

  // Hot and pressed tracking for the skinners that show them: mouse moves and leaves, left
  // button presses (and the space key when `spaceKey`); windowless controls use the class
  // library's mouse-enter and mouse-leave notices. Answers whether the state changed (it
  // has repainted then).
  bool TrackMouseState(const ui::TMessage& message, bool spaceKey);

  // The skin's colours resolved.
  ui::TColor FaceColour() const;
  ui::TColor ShadowColour() const;
  // Shared drawing of the skinners.
  void FillFace(HDC dc, const RECT& rect) const;
  void FillParentFace(HDC dc, const RECT& rect) const;
  LONG GetLong(int index) const;
  void DrawTextFocus(HDC dc, UINT flags, const RECT& rect) const;
  void ForwardMouseDown(const ui::TMessage& message);
  UINT BiDiFlags(UINT flags) const;
  void HandlePaint(ui::TMessage& message);
  void HandleErase(ui::TMessage& message);
  void DrawCaption(ui::TCanvas& canvas, const RECT& rect, UINT alignment, bool enabled,
                   const std::wstring& text) const;
  void DrawIconCaption(ui::TCanvas& canvas, const RECT& rect, UINT alignment,
                       const std::wstring& text, int imageIndex, HIMAGELIST images) const;

  int State() const { return state_; }
  bool Hot() const { return (state_ & kStateHot) != 0; }
  bool Pressed() const { return (state_ & kStatePressed) != 0; }
  ui::TCanvas* Canvas() const { return canvas_; }
  bool Enabled() const { return enabled_; }
  bool Focused() const { return focused_; }
  const std::wstring& Text() const { return text_; }
  bool Active() const { return active_; }
  bool Unicode() const { return unicode_; }
  TSkinData* SkinData() const { return skinData_; }
  // A length of the engine's own drawing (given at 96 DPI) at the DPI the skin is drawn at.
  int AtDpi(int length) const { return skinData_ ? skinData_->Scale().Of(length) : length; }
  HWND Handle() const { return handle_; }
  ui::TControl* Control() const { return control_; }
  ui::TControl* GraphicControl() const { return graphicControl_; }
  RECT WindowRect() const { return windowRect_; }
  bool ChangeColor() const { return changeColor_; }
  void SetChangeColor(bool value) { changeColor_ = value; }
  ui::TColor SavedColor() const { return savedColor_; }
  bool Hooked() const { return hooked_; }
  int Status() const { return status_; }
  TSkinnerHost* Form() const { return form_; }
  int Kind() const { return kind_; }
  void SetKind(int value) { kind_ = value; }
  bool ParentBackgroundChanged() const { return parentBackgroundChanged_; }
  // Attached through the window-procedure thunk (a bare window).
  bool ThunkAttached() const { return subclass_.Installed(); }

 protected:
  // The attaching itself, which each family extends.
  virtual void AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas, bool changeColor);
  virtual void AttachSkinHandle(HWND handle, TSkinData* skinData, TSkinnerHost* form, ui::TCanvas* canvas);
  // Whether the skin has what this family draws from; every family that draws from an element
  // states which. The base draws from colours alone.
  virtual bool HasSkinParts(const TResolvedSkin& skin) const;
  // The skinners this one made for windows of its control (a list view's header, a combo box's
  // list) that are not in the frame's list: the frame's skin changes reach them through it.
  virtual std::vector<TSkinControl*> NestedSkinners() const { return {}; }
  // Called by every way of attaching once it is done: keeps how the skinner was attached (to
  // attach again the same way) and decides whether it is usable.
  void Attached(std::function<void()> attachAgain);
  // Registers with the frame skinner; true when it was registered already.
  bool Register(TSkinnerHost* form);
  // Puts SkinWndProc in front of the control's WindowProc.
  void HookControl(ui::TControl& control);
  // With ChangeColor the control shows the skin's face colour (its own is kept for Detach).
  void TakeFaceColour();
  // The parent-background rule (see the source).
  void ParentBackgroundOn();
  void ParentBackgroundOff();
  // Takes the skinner out of the control's or window's message stream (once).
  void Unhook();
  // False once the skinner is destroyed: checked after calls that may free the control.
  std::shared_ptr<bool> AliveFlag() const { return alive_; }

  int state_ = 0;
  ui::TCanvas* canvas_ = nullptr;
  bool enabled_ = true;
  bool focused_ = false;
  std::wstring text_;
  bool active_ = true;
  bool unicode_ = false;
  TSkinData* skinData_ = nullptr;
  HWND handle_ = nullptr;
  ui::TControl* control_ = nullptr;
  RECT windowRect_{0, 0, 0, 0};
  ui::TControl* graphicControl_ = nullptr;
  bool changeColor_ = false;
  ui::TColor savedColor_ = ui::clBtnFace;
  bool hooked_ = false;
  int status_ = kSkinnerCreated;
  TSkinnerHost* form_ = nullptr;
  int kind_ = 0;
  bool parentBackgroundChanged_ = false;

 private:
  friend class TControlSkinners;
  // Gives the control its own look back (Detach) and repaints it whole.
  void StandAside();
  // Hands a message of a control kept in its own look to its procedure.
  void PassThrough(ui::TMessage& message);
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  bool usable_ = true;
  std::function<void()> attachAgain_;
  ui::TWndMethodHook methodHook_;    // the class-library control's WindowProc
  ui::TWindowSubclass subclass_;     // the bare window's procedure
};

// The frame skinner's list of its control skinners; owns them.
class TControlSkinners {
 public:
  TControlSkinners() = default;
  ~TControlSkinners() { FreeAll(); }
  TControlSkinners(const TControlSkinners&) = delete;
  TControlSkinners& operator=(const TControlSkinners&) = delete;

  // Adds the skinner unless it is there; answers whether it was there.
  bool Add(TSkinControl* skinner);
  void Remove(TSkinControl* skinner);
  bool Contains(const TSkinControl* skinner) const;
  // Frees every skinner whose window is gone; only those of `window` when one is given.
  void Purge(HWND window = nullptr);
  // The first skinner of the window, or none.
  TSkinControl* Find(HWND window) const;
  // The last skinner of the window, or none.
  TSkinControl* FindLast(HWND window) const;
  // The first skinner of the class-library control, or none.
  TSkinControl* FindControl(const ui::TControl* control) const;
  // Takes the skinners from the front one by one: each whose window is not gone is detached;
  // each is freed.
  void DetachAll();
  // Frees every skinner as it is.
  void FreeAll();
  int Count() const { return static_cast<int>(items_.size()); }
  TSkinControl* Items(int index) const { return items_.at(static_cast<std::size_t>(index)); }

 private:
  // Frees a skinner that is out of the list.
  static void Release(TSkinControl* skinner);
  std::vector<TSkinControl*> items_;
};

// The window's text: GetWindowTextW on NT-family systems, WM_GETTEXT otherwise.
std::wstring ReadWindowText(HWND window);

// Composes frame `frameIndex` (1-based) of `frameCount` of the element's strip to the
// rectangle by nine regions (the element's margins and Tile) and draws it, transparently
// when the element's Trans is set. Nothing for an inverted rectangle or an empty strip.
void DrawSkinElement(HDC dc, const RECT& rect, int frameCount, int frameIndex,
                     const TDataSkinObject* element);
// Frame `frameIndex` of `frameCount` side-by-side frames of the strip, stretched to the
// rectangle and drawn with magenta transparent.
void DrawStripFrame(HDC dc, const RECT& rect, int frameCount, int frameIndex,
                    const TSkinBitmap& strip);
void DrawStripFrame(ui::TCanvas& canvas, const RECT& rect, int frameCount, int frameIndex,
                    const TSkinBitmap& strip);
// The windowless children of a control, each painted into the DC at its place (the class
// library's own painting of them, for skinners that paint the control's face themselves).
void PaintGraphicChildren(ui::TControl* control, HDC dc);
// Whether the element is there with a picture.
bool HasImage(const TDataSkinObject* element);
// Whether the element is there with a picture of at least `frames` columns (each frame of
// its strip at least one pixel wide).
bool HasFrames(const TDataSkinObject* element, int frames);

// Fills the rectangle with a solid brush of the colour.
void FillColour(HDC dc, const RECT& rect, ui::TColor colour);

}  // namespace skin
