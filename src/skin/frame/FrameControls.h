// TFrameControls: the control skinners of one frame skinner's window. It chooses a skinner for
// every control (the class-library controls of a form by the rules of ControlChoice.h, the
// child windows of a window without form object by their window class), attaches it, keeps it
// in its list (which owns it) and lends the skinners its scratch canvas. It is what the control
// skinners ask of their frame (TSkinnerHost) and reaches the frame only through
// TFrameControlsHost.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "skin/controls/SkinControl.h"
#include "skin/data/WinSkinData.h"
#include "ui/Controls.h"
#include "ui/Forms.h"

namespace skin {

struct TControlChoice;

// What the set of control skinners asks of the frame skinner that keeps it.
class TFrameControlsHost {
 public:
  // The skin the controls are drawn with; none while the frame has no skin.
  virtual TSkinData* ControlsSkin() const = 0;
  // The frame's window: notices about the skinned controls go there.
  virtual HWND ControlsWindow() const = 0;
  // Who asks the application's OnSkinControl handler (the frame skinner).
  virtual ui::TComponent* ControlsSender() = 0;

 protected:
  ~TFrameControlsHost() = default;
};

class TFrameControls final : public TSkinnerHost {
 public:
  explicit TFrameControls(TFrameControlsHost& host) : host_(host) {}
  TFrameControls(const TFrameControls&) = delete;
  TFrameControls& operator=(const TFrameControls&) = delete;

  // What the control skinners ask of their frame.
  TControlSkinners& Skinners() override { return skinners_; }
  HWND HostWindow() const override { return host_.ControlsWindow(); }
  // Asks the frame's window to free the window's skinners (SKM_PURGESKINNERS): after the
  // window's destruction, and after a replacement asked for before it (SKM_CONTROLRECREATED).
  void SkinnerWindowGone(HWND window) override;
  // Frees the skinners of the window that is gone.
  void PurgeWindow(HWND window) { skinners_.Purge(window); }

  const TControlSkinners& List() const { return skinners_; }
  // The scratch canvas that control skinners draw with.
  ui::TCanvas* ScratchCanvas() const { return canvas_.get(); }

  // Gives every control of the form a skinner: the form's components, then its tab order.
  void AttachControls(ui::TCustomForm* form);
  // The choice of a skinner for one class-library control on `parent`.
  void AttachControl(ui::TControl* control, ui::TControl* parent);
  // Every child window with WS_CHILD, in z-order from the top, gets AttachChildWindow.
  void AttachChildWindows(HWND window);
  // The choice of a skinner for a bare child window.
  void AttachChildWindow(HWND window);
  // The control whose skinned scroll bars had the window `oldWindow` got a new window: its
  // scroll-bar skinner is replaced by a fresh one of the same family.
  void ReplaceScrollSkinner(HWND oldWindow);
  // Every skinner reads the changed skin again.
  void SkinChanged();
  // Every skinner lets go of its control (undoing its changes where the window is still there)
  // and is freed.
  void DetachAll() { skinners_.DetachAll(); }
  // Every skinner is freed as it is.
  void FreeAll() { skinners_.FreeAll(); }

 private:
  // Carrying out a choice of ControlChoice.h.
  void ApplyControlChoice(ui::TControl* control, ui::TControl* parent, const TControlChoice& choice);
  void ServeChildren(ui::TControl* control, ui::TControl* parent, const TControlChoice& choice);
  // Makes, sets up and attaches a skinner of the chosen class for the control.
  TSkinControl* AttachSkinner(ui::TControl* control, const TControlChoice& choice);
  bool OfferToApplication(ui::TControl* control, ui::TControl* parent, const std::wstring& upperClass);
  TSkinData* Skin() const;

  TFrameControlsHost& host_;
  TControlSkinners skinners_;  // owned
  std::unique_ptr<ui::TCanvas> canvas_ = std::make_unique<ui::TCanvas>();
};

}  // namespace skin
