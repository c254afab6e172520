// Forms, the screen's list of forms, and the application object with its message loop.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/Controls.h"

namespace ui {

class TMainMenu;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = int;  // bit 1 << TBorderIcon
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
                 poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
const TEnumInfo& FormBorderStyleInfo();
const TEnumInfo& BorderIconInfo();
const TEnumInfo& PositionInfo();

// The DPI of the screen as the system reports it (96 at 100 %).
int SystemDpi();

// A top-level window holding controls.
class TCustomForm : public TWinControl {
  UI_CLASS_INFO
 public:
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  // The form's menu bar, or none.
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);
  // The menu's items changed: the window gets the new menu, then hears CM_MENUCHANGED.
  void MenuChanged();

  // The pixels per inch the form's places, sizes and fonts are in: 96 (as they are given)
  // until the form is scaled to its screen.
  int PixelsPerInch() const { return pixelsPerInch_; }
  // Whether the form is scaled to the screen's DPI when its window is made (the default).
  bool Scaled() const { return scaled_; }
  void SetScaled(bool value) { scaled_ = value; }
  // Scales the form and every control on it from PixelsPerInch to `dpi`.
  void ScaleToDpi(int dpi);

  RECT ClientRect() const override;
  void SetClientSize(int width, int height) override;
  void SetVisible(bool visible) override;
  bool Showing() const override;

  // Shows the window and makes it the active one.
  void Show();
  // Closes the form; closing the main form ends the application.
  void Close();

  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* control);
  // Gives the control the focus now, or as soon as the form is shown.
  void FocusControl(TWinControl* control);
  void SetFocus() override;
  // Records the control that received the focus and tells every control.
  void SetFocusedControl(TWinControl* control);
  // Moves the focus to the next (or previous) control of the tab order.
  void SelectNext(TWinControl* current, bool forward);

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnClose;
  TNotifyEvent OnDestroy;

  // Files dropped on the window from the shell: their full paths, in the order given.
  using TDropFilesEvent =
      std::function<void(TObject* sender, const std::vector<std::wstring>& files)>;
  // While a handler is set the window accepts dropped files (and says so to the shell).
  void SetOnDropFiles(TDropFilesEvent handler);
  bool AcceptsFiles() const { return static_cast<bool>(onDropFiles_); }

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void CreateHandleDone() override;
  void DestroyWnd() override;
  void ScaleSelf(int m, int d) override;
  virtual void DoShow();
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void PlaceAtCentre();
  void DropFiles(HDROP drop);
  void DpiChanged(int dpi, const RECT& suggested);
  void AllowClientSize(MINMAXINFO& info) const;
  DWORD WindowStyle() const;
  DWORD WindowExStyle() const;

  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_ = (1 << biSystemMenu) | (1 << biMinimize) | (1 << biMaximize);
  TPosition position_ = poDesigned;
  TWinControl* activeControl_ = nullptr;
  TMainMenu* menu_ = nullptr;
  int clientWidth_ = 0, clientHeight_ = 0;
  int pixelsPerInch_ = kDesignDpi;
  bool scaled_ = true;
  TDropFilesEvent onDropFiles_;
};

class TForm : public TCustomForm {
  UI_CLASS_INFO
 public:
  explicit TForm(TComponent* owner);
};

// The desktop and the forms that exist.
class TScreen : public TComponent {
  UI_CLASS_INFO
 public:
  TScreen();
  int FormCount() const { return static_cast<int>(forms_.size()); }
  TCustomForm* Forms(int index) const { return forms_.at(static_cast<size_t>(index)); }
  TCustomForm* ActiveForm() const;
  RECT DesktopRect() const;

 private:
  friend class TCustomForm;
  std::vector<TCustomForm*> forms_;
};

using TExceptionEvent = std::function<void(TObject* sender, const std::exception& error)>;

class TApplication : public TComponent {
  UI_CLASS_INFO
 public:
  TApplication();
  ~TApplication() override;

  // Common controls, COM and OLE for the thread that runs the message loop.
  void Initialize();
  std::wstring Title() const { return title_; }
  void SetTitle(const std::wstring& title) { title_ = title; }

  // Creates a form owned by the application (further arguments go to its constructor after
  // the owner); the first one becomes the main form.
  template <class T, class... Args>
  T* CreateForm(Args&&... args) {
    T* form = new T(this, std::forward<Args>(args)...);
    if (!mainForm_) mainForm_ = form;
    return form;
  }
  TCustomForm* MainForm() const { return mainForm_; }

  // Shows the main form and handles messages until the application terminates.
  void Run();
  // Handles one message, waiting for it; false once WM_QUIT arrived.
  bool HandleMessage();
  // Handles the messages that are waiting, without waiting for more.
  void ProcessMessages();
  void Terminate();
  bool Terminated() const { return terminated_; }

  // Shows the exception in flight (the standard error box), or hands it to OnException.
  void HandleException(TObject* sender);
  void ShowException(const std::exception& error);
  TExceptionEvent OnException;

  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value) { showHint_ = value; }
  // The text the hint window shows now (empty when hidden).
  std::wstring CurrentHint() const;
  int HintPause() const { return hintPause_; }
  void SetHintPause(int ms) { hintPause_ = ms; }

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  class THintWindow;
  bool ProcessMessage(MSG& msg);
  bool IsKeyMsg(MSG& msg);
  void MouseControlChanged(TControl* control);

  std::wstring title_;
  TCustomForm* mainForm_ = nullptr;
  bool terminated_ = false;
  bool initialized_ = false;
  bool showHint_ = true;
  int hintPause_ = 500;
  std::unique_ptr<THintWindow> hint_;
};

extern TApplication* Application;
extern TScreen* Screen;

}  // namespace ui
