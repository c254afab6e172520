// TWinSkinForm: the frame skinner of one top-level window (a form of the program, a standard
// dialog or an MDI child). It subclasses the window, answers the non-client messages from the
// skin's border sizes (size of the client area, hit-testing, activation), keeps the window's
// region in the shape of the skin's borders and fits the window so that its client area keeps
// its size. Its caption buttons (CaptionButtonStrip.h) are drawn from the skin and take the
// non-client mouse input; its menu bar, the menu loop and the form's menus belong to its
// menu-bar controller (MenuBarController.h), to which it forwards their messages. On starting
// it has its set of control skinners (FrameControls.h) give every control of its window a
// skinner. The skin manager makes one per window and is its only owner; the frame asks it what
// it needs through TFrameManager.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/controls/SkinControl.h"
#include "skin/data/WinSkinData.h"
#include "skin/frame/CaptionButtonStrip.h"
#include "skin/frame/FrameControls.h"
#include "skin/frame/FrameGeometry.h"
#include "skin/frame/FramePainter.h"
#include "skin/frame/MenuBarController.h"
#include "skin/frame/NCObject.h"
#include "skin/frame/WinSkinMenu.h"
#include "skin/frame/WinSkinPopMenu.h"
#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/Timer.h"
#include "ui/WindowSubclass.h"

namespace skin {

// States of a frame skinner.
enum TFrameState {
  fsAttached = 0,   // attached, waiting for SKM_STARTFRAME
  fsRunning = 1,
  fsReapplying = 3,
  fsDetaching = 4,
  fsResizing = 5,   // fitting the window at start
  fsDestroyed = 6,  // the window is gone; the manager frees the skinner on its next purge
};

enum TFormKind { fkOrdinary = 0, fkMDIFrame = 1, fkMDIChild = 2 };
enum TBorderKind { bkSizeable = 0, bkSingle = 1, bkNoCaption = 2, bkDialog = 3 };
enum TFrameWindowState { wsNormal = 0, wsMaximized = 1, wsMinimized = 2 };

// BorderIcons bits.
constexpr int kBiMaximize = 1;
constexpr int kBiMinimize = 2;
constexpr int kBiSystemMenu = 8;
constexpr int kBiCaptionToggled = 0x10;  // the frame takes WS_CAPTION away while it runs

// The tag of the skinned system menu.
constexpr int kSystemMenuTag = 33333;

class TFormWatch;
class TWinSkinForm;

// What a frame skinner asks of the manager that keeps it.
class TFrameManager : public TPopupSkinners {
 public:
  // An MDI child of the program is maximized: MDI frames show its buttons on their menu bar.
  virtual bool MDIChildMaximized() const = 0;
  virtual void SetMDIChildMaximized(bool value) = 0;
  // The kind of popup menu about to open: 0 a context menu, 1 a drop-down of a menu bar, 2 the
  // system menu.
  virtual void SetPopupKind(int kind) = 0;
  // A frame skinner attached to its window: the manager runs.
  virtual void FrameAttached() = 0;
  // The frame's form object is freeing its components: the manager frees the frame now (it
  // lets go of the window as it is).
  virtual void FormObjectGone(TWinSkinForm& frame) = 0;

 protected:
  ~TFrameManager() = default;
};

class TWinSkinForm final : public ui::TComponent,
                           private TBorderSource,
                           private TCaptionStripHost,
                           private TFramePaintHost,
                           private TMenuBarFrame,
                           private TFrameControlsHost {
  UI_CLASS_INFO
 public:
  // `formObject` is the window's form (or control) object, or none for a bare window. The
  // frame leaves a TFormWatch with it to hear of it going.
  TWinSkinForm(TFrameManager& manager, ui::TComponent* formObject, HWND window);
  ~TWinSkinForm() override;

  // Binds the frame to a form object of the program, or to a bare window.
  void AttachToForm(TSkinData* data, ui::TCustomForm* form);
  void AttachToWindow(TSkinData* data);
  // Restores the window as it was (system frame, same client area, no region).
  void DetachFrame();
  // Lets go of the window without changing its styles, colour, size or region.
  void DetachFrameQuiet();
  // Border sizes from the skin.
  void RebuildGeometry();
  // Applies a changed skin: colour, sizes, region, and tells the window.
  void ReapplySkin();

  HWND Handle() const { return handle_; }
  TSkinData* SkinData() const { return skinData_; }
  ui::TCustomForm* FormObject() const { return form_; }
  bool Skinned() const { return skinned_; }
  // Whether the frame draws its window's frame with `data`: the menu switch is on, the skin
  // has the border pictures, and an MDI child is not told to keep its own border.
  bool DrawsFrameWith(const TSkinData& data) const;
  int FrameState() const { return frameState_; }
  const TFrameGeometry& Geometry() const { return geometry_; }
  int LeftWidth() const { return geometry_.LeftWidth(); }
  int TitleHeight() const { return geometry_.TitleHeight(); }
  int RightWidth() const { return geometry_.RightWidth(); }
  int BottomHeight() const { return geometry_.BottomHeight(); }
  int MenuBarHeight() const { return geometry_.MenuBarHeight(); }
  SIZE SysFrameSize() const { return sysFrameSize_; }
  int BorderKind() const { return borderKind_; }
  int FormKind() const { return formKind_; }
  int BorderIcons() const { return borderIcons_; }
  int WindowState() const { return windowState_; }
  bool IsDialog() const { return isDialog_; }
  bool Active() const { return active_ != 0; }
  // How often a window region was built (a region of the same size is reused).
  int RegionBuilds() const { return geometry_.RegionBuilds(); }
  // The region last built, kept by the frame (the window holds its own copy); none when the
  // window has no skinned region.
  HRGN RegionCopy() const { return geometry_.Region(); }

  // The strip of a border composed to `width` x `height` as it is painted.
  std::unique_ptr<ui::TBitmap> ComposeBorder(TBorderPart part, int width,
                                             int height) const override {
    return painter_.ComposeBorder(part, width, height);
  }
  // Paints the frame into `dc` (the window DC when none).
  void PaintFrame(HDC dc = nullptr);
  // How often the whole frame was painted.
  int FramePaints() const { return framePaints_; }

  // Caption buttons, one per caption-button definition of the skin, in the skin's order.
  const TCaptionButtonStrip::TButtons& Buttons() const { return captionButtons_.Buttons(); }
  // Lays the caption buttons out for the window's present size, state and styles: which are
  // shown (Enabled) and their Bounds. Painting and hit-testing both use what it stored.
  void LayoutCaptionButtons();
  // The first shown caption button with an action that is not negative whose Bounds contain
  // the point (window coordinates), or none.
  TWinSysButton* ButtonAt(POINT windowPoint) const { return captionButtons_.ButtonAt(windowPoint); }
  // The item under the mouse or pressed, or none.
  TNCObject* HotObject() const { return hot_.Get(); }
  // The icon the icon buttons show when the window has none: the window's icon at the small
  // size as it was when the frame started or its buttons were made, else the program's icon,
  // on the key colour. Prepared again when the window is given another icon.
  ui::TBitmap* IconBitmap() const { return painter_.IconBitmap(); }
  // Repaints the title bar with the button in its present state (the window DC).
  void PaintCaptionButton(TWinSysButton& button);
  // The button held pressed with the mouse captured, or none.
  TWinSysButton* PressedButton() const { return captionButtons_.Pressed(); }
  // The hover check runs while the frame runs and the window is active.
  bool HoverTimerEnabled() const { return captionButtons_.HoverTimerEnabled(); }
  // Screen point to window coordinates (origin at the window's top-left corner).
  POINT WindowPoint(POINT screen) const;

  // The skinned copy of the window's system menu (none without one): its items, enabled as the
  // window's state and buttons allow, post their commands as WM_SYSCOMMAND when chosen.
  std::unique_ptr<ui::TPopupMenu> BuildSystemMenu();
  // The menu bar, or none for a window without menu.
  TWinSkinMenu* MenuBar() const { return menus_.Bar(); }
  // Opens the bar item's drop-down and returns when it closed.
  void OpenMenuItem(TMenuBtn& item) { menus_.OpenItem(item); }
  // A drop-down of the menu bar is open.
  bool InMenuLoop() const { return menus_.InMenuLoop(); }

  // The frame skinner subclassing `window`, or none.
  static TWinSkinForm* FromWindow(HWND window);

  // The control skinners of the window.
  TFrameControls& Controls() { return controls_; }
  const TControlSkinners& ControlSkinners() const { return controls_.List(); }
  HWND MDIClient() const { return mdiClient_; }
  // For an MDI child frame: an MDI child was maximized (true) or restored.
  void FollowMDIMaximized(bool maximized);

 private:
  LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
  bool DispatchTopLevel(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool DispatchNonClient(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // The background and control colours of a window without form object.
  bool ForeignClientMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  LRESULT CallWindow(UINT msg, WPARAM wParam, LPARAM lParam);
  void FormHook(ui::TMessage& message);

  void AttachFrame(TSkinData* data);
  void ReadStyles();
  void ReadWindowState();
  void FindMDIClient();
  void ReadBorderKind();
  void DecideCaptionToggle();
  void Subclass();
  void Unsubclass();
  void Start();
  void SetCaptionStyle(bool on);
  void RestoreForm();

  void SubclassMDIClient();
  void UnsubclassMDIClient();
  LRESULT MDIClientMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  // For an MDI frame: the client's active child is maximized.
  bool ActiveMDIChildMaximized() const;
  void FollowChildMaximized();
  LRESULT NCCalcSize(WPARAM wParam, LPARAM lParam);
  LRESULT NCHitTest(LPARAM lParam);
  LRESULT NCActivate(WPARAM wParam, LPARAM lParam);
  void OnSize();
  TCaptionContext CaptionContext() const;
  bool FramePaintable() const;
  void PrepareIcon() { painter_.PrepareIcon(); }
  // Takes WS_SYSMENU away while the frame paints (so that the system draws no caption buttons
  // of its own) or gives it back (before minimizing and when the frame lets go).
  void HideSystemMenuStyle();
  void RestoreSystemMenuStyle();
  void MakeButtons();
  bool ButtonsCurrent() const;
  void KeepButtonsCurrent();
  bool NCMouseMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void PressButton(TWinSysButton& button);
  void RunCaptionAction(int action);
  // What the caption-button strip asks of the frame.
  HWND StripWindow() const override { return handle_; }
  POINT StripPoint(POINT screen) const override { return WindowPoint(screen); }
  bool StripRunning() const override { return frameState_ == fsRunning; }
  void ShowButton(TWinSysButton& button) override { PaintCaptionButton(button); }
  // What the frame painter asks of the frame.
  HWND PaintWindow() const override { return handle_; }
  TSkinData* PaintSkin() const override { return skinData_; }
  const TDataSkinObject* PaintBorder(TBorderPart part) const override { return Border(part); }
  bool PaintActive() const override { return active_ != 0; }
  const TCaptionButtonStrip::TButtons& PaintButtons() const override { return Buttons(); }
  // What the menu bar and its controller ask of the frame.
  HWND BarWindow() const override { return handle_; }
  RECT BarStrip() const override;
  bool BarActive() const override { return active_ != 0; }
  const TCaptionButtonStrip::TButtons* MDIChildButtons() const override;
  TSkinData* BarSkin() const override { return skinData_; }
  ui::TCustomForm* BarForm() const override { return form_; }
  const TPopupSkinners& BarPopups() const override { return manager_; }
  POINT BarPoint(POINT screen) const override { return WindowPoint(screen); }
  void DropDownOpening() override { manager_.SetPopupKind(1); }
  void RepaintFrame() override { PaintFrame(); }
  void ShowSystemMenu(POINT screen);
  void FitWindow(bool atStart);
  int FitDialogCaption(int width);
  void FitRestoredPlace(const RECT& borders);
  SIZE FittedClientSize() const;  // the window's size less the borders it was fitted around
  // The window was sized around its client area inside the present borders (a form scaling
  // itself to a new DPI does): the fit a later re-application of the skin keeps.
  void KeepPresentFit();
  void RecomputeFrame();
  void BuildRegion();
  void DropRegion();
  const TDataSkinObject* Border(TBorderPart part) const override;
  bool HasSkin() const { return skinData_ && skinData_->SkinLoaded(); }

  // What the control skinners' set asks of the frame.
  TSkinData* ControlsSkin() const override { return skinData_; }
  HWND ControlsWindow() const override { return handle_; }
  ui::TComponent* ControlsSender() override { return this; }

  TFrameManager& manager_;
  HWND handle_;
  TFormWatch* formWatch_ = nullptr;  // owned by the form object; freed here if the frame goes first
  ui::TWindowSubclass subclass_;
  bool unicode_ = true;
  ui::TCustomForm* form_ = nullptr;
  ui::TWndMethod savedFormProc_;
  bool formHooked_ = false;
  TSkinData* skinData_ = nullptr;
  bool skinned_ = false;

  std::wstring className_;
  HWND ownerWindow_ = nullptr;
  LONG savedStyle_ = 0;
  bool leftScrollBar_ = false;
  bool isDialog_ = false;
  bool isChildWindow_ = false;
  HWND mdiClient_ = nullptr;
  ui::TWindowSubclass mdiSubclass_;
  HMENU menuHandle_ = nullptr;
  HMENU systemMenu_ = nullptr;
  ui::TColor savedColor_ = ui::clBtnFace;

  TFrameGeometry geometry_{*this};
  SIZE sysFrameSize_{0, 0};
  bool fitted_ = false;  // the window was fitted to the skin's borders at start
  // The borders (left, top with the menu bar, right, bottom) the window's size was last
  // fitted around: a new skin's borders take effect at once, so the client area the window
  // is to keep is its size less these, not what the frame answers in between.
  RECT fittedBorders_{0, 0, 0, 0};
  RECT windowRect_{0, 0, 0, 0};
  int framePaints_ = 0;
  int active_ = 1;
  int formKind_ = fkOrdinary;
  int borderKind_ = bkSizeable;
  int borderIcons_ = 0;
  int windowState_ = wsNormal;
  int frameState_ = fsAttached;

  TNCHotItem hot_;  // shared by the caption buttons and the menu bar's items
  TCaptionButtonStrip captionButtons_{*this, hot_};
  DWORD lastSysMenuTick_ = 0;  // when the system menu was last opened
  TFramePainter painter_{*this, geometry_};
  TFrameControls controls_{*this};
  TMenuBarController menus_{*this, hot_};
};

}  // namespace skin
