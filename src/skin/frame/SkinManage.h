// The skin engine's window side. TSkinManage is the one object per process that watches the
// GUI thread's windows through a CBT hook, carries out the skin data components' requests
// (switch skinning on or off, apply a changed skin) and owns the frame and popup skinners.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "skin/data/SkinManagerLink.h"
#include "skin/data/WinSkinData.h"
#include "skin/frame/WinSkinForm.h"       // the frame skinners it keeps
#include "skin/frame/WinSkinPopMenu.h"  // the popup skinners it keeps
#include "ui/Forms.h"
#include "ui/Timer.h"

namespace skin {

class TWinSkinForm;     // frame skinner of a top-level window
class TWinSkinPopMenu;  // skinner of an open popup menu window

class TSkinManage final : public TSkinManagerLink,
                          public TFrameManager,
                          public TPopupSkinnerOwner {
 public:
  TSkinManage();
  ~TSkinManage() override;
  TSkinManage(const TSkinManage&) = delete;
  TSkinManage& operator=(const TSkinManage&) = delete;

  // The process's manager, or none when no skin data component has loaded yet. For the
  // program's edges only (start-up and the hook procedures); the frame and popup skinners are
  // handed the manager they need.
  static TSkinManage* Instance();

  void AddSkinData(TSkinData* data) override;
  void RemoveSkinData(TSkinData* data) override;
  void InstallHook() override;
  void SkinSwitched(TSkinData* data, bool on) override;
  void ComponentLoaded(TSkinData* data) override;
  void SkinChanged(TSkinData* data) override;

  TSkinData* MainSkinData() const { return mainSkinData_; }
  // Runs `action` after `interval` ms, or at once when the manager has not started yet.
  void ScheduleAction(int action, int interval);
  bool Active() const override { return active_; }
  void SetActive(bool value) { active_ = value; }
  int ManagerState() const { return managerState_; }
  void SetManagerState(int value) { managerState_ = value; }
  // The component the scheduled action is for.
  TSkinData* PendingSkinData() const { return pendingSkinData_; }
  void SetPendingSkinData(TSkinData* data) { pendingSkinData_ = data; }
  // Gives the window a frame skinner now; true when one was made.
  bool AttachWindow(HWND window);
  // Every frame skinner bound to `data` re-reads its skin.
  void ReloadSkin(TSkinData* data);

  // Carries out the pending action (the action timer's tick).
  void RunPendingAction();
  // A visible form that is not a child window goes to AttachWindow; true when it was given
  // a frame skinner.
  bool AttachForm(ui::TCustomForm* form);
  // The frame skinner of the window, or none.
  TWinSkinForm* FindSkinForm(HWND window) const;
  // The form object of a frame skinner is being freed: the frame is freed with it.
  void FormObjectGone(TWinSkinForm& frame) override;
  void FrameAttached() override { managerState_ = kManagerRunning; }
  // Frees the frame skinners whose window has been destroyed.
  void PurgeClosedSkinners();
  // The form of that window, else the class library's object that owns the window, or none.
  static ui::TWinControl* FindControlOfWindow(HWND window);

  // Popup menu windows: a skinner is made for a new menu window when skinning is on and the
  // skin data allows menus of the pending kind (PopupKind), and freed with the window.
  void AttachPopupMenu(HWND window);
  // Frees the skinner of the menu window; true when there was one. PopupKind returns to 0
  // (a context menu) once no menu window is open.
  bool DetachPopupMenu(HWND window);
  bool IsPopupSkinned(HWND window) const;
  // Binds the menu handle to the newest popup skinner that has none yet.
  void BindPopupMenu(HMENU menu);
  // The off-screen picture of the popup skinner bound to the menu, or none.
  ui::TBitmap* PopupBitmapFor(HMENU menu) const;
  // The popup skinner bound to the menu, or none.
  TWinSkinPopMenu* PopupSkinnerFor(HMENU menu) const override;
  // The component whose skin a window is drawn with: this form's own component, a dialog
  // component for dialogs, else the last main-form component, else the first registered.
  TSkinData* SelectSkinData(HWND window) const;

  ui::TTimer& ActionTimer() const { return *actionTimer_; }
  HHOOK Hook() const { return hook_; }
  const std::vector<TSkinData*>& SkinDatas() const { return skinDatas_; }
  const std::vector<std::unique_ptr<TWinSkinForm>>& FormSkinners() const { return formSkinners_; }
  const std::vector<std::unique_ptr<TWinSkinPopMenu>>& PopupSkinners() const {
    return popupSkinners_;
  }
  bool ScanningForms() const { return scanningForms_; }
  int PopupKind() const { return popupKind_; }
  void SetPopupKind(int kind) override { popupKind_ = kind; }
  bool MDIChildMaximized() const override { return mdiChildMaximized_; }
  // An MDI child was maximized or restored: every MDI child frame follows (a maximized one
  // shows the system's caption inside the frame's menu bar, the others their skinned frame).
  void SetMDIChildMaximized(bool value) override;
  int PendingAction() const { return pendingAction_; }

 private:
  static LRESULT CALLBACK CBTHookProc(int code, WPARAM wParam, LPARAM lParam);
  bool MaySkin(HWND window, ui::TWinControl*& object);
  void AttachForms(TSkinData* owner);
  void DetachAndFree(TWinSkinForm* frame, bool restore);
  // A frame that the changed skin would draw otherwise (its window's frame drawn where it was
  // its own, or the other way) gives its window back and a new frame is made; true then.
  bool RestartIfFrameChanged(TWinSkinForm* frame);
  // Takes the frame skinner out of the list and hands it over; none when it is not there.
  std::unique_ptr<TWinSkinForm> TakeSkinForm(const TWinSkinForm* frame);
  // The frame skinners as they are now (the list may change while they are called).
  std::vector<TWinSkinForm*> FrameList() const;
  bool Keeps(const TWinSkinForm* frame) const;
  void Activate(TSkinData* data);
  void Deactivate(TSkinData* data);
  void ApplyChangedSkin(TSkinData* data);

  std::unique_ptr<ui::TTimer> actionTimer_;
  HHOOK hook_ = nullptr;
  // The manager alone frees a frame skinner: when its window or form object goes, when
  // skinning stops, when its skin data component goes, and when the manager closes.
  std::vector<std::unique_ptr<TWinSkinForm>> formSkinners_;
  std::vector<std::unique_ptr<TWinSkinPopMenu>> popupSkinners_;
  std::vector<TSkinData*> skinDatas_;  // not owned; in order of loading
  bool active_ = false;
  bool scanningForms_ = false;
  int managerState_ = kManagerCreated;
  int popupKind_ = 0;
  bool mdiChildMaximized_ = false;
  int pendingAction_ = saNone;
  TSkinData* pendingSkinData_ = nullptr;
  TSkinData* mainSkinData_ = nullptr;
};

// Lets the skin data components create the skin manager on first use. The manager's unit
// also does this when the program starts; calling it makes sure the unit is linked in.
void UseSkinManager();

// The kinds of control the program's main window skins.
constexpr TSkinControlTypes kMainWindowSkinControls =
    SetOf({xcMainMenu, xcPopupMenu, xcToolbar, xcControlbar, xcCombo, xcCheckBox, xcRadioButton,
           xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcSpin,
           xcGroupBox, xcStatusBar, xcTab, xcTrackBar, xcSystemMenu});

// The compressed package of the program's "DEFAULTSKIN" resource; empty when there is none.
std::string DefaultSkinPackage();

// Makes a skin data component owned by `owner`, configured as the program's main window
// uses it (active, DisableTag 99, its options) but skinning the given kinds of control,
// holding `package` (a compressed skin package) as its stored skin, loaded and registered.
// Skinning is switched on 250 ms later when the engine accepted the package. Answers none for
// an empty package.
TSkinData* CreateSkinData(ui::TComponent* owner, std::string_view package,
                          TSkinControlTypes kinds);

// CreateSkinData with the program's "DEFAULTSKIN" resource and the main window's kinds of
// control. Answers none when the program has no such resource.
TSkinData* CreateDefaultSkinData(ui::TComponent* owner);

}  // namespace skin
