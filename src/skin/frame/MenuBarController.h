// TMenuBarController: the menu-bar part of a frame skinner. It makes the skinned menu bar
// (TWinSkinMenu) when the frame attaches to a window with a menu, opens an item's drop-down (by
// mouse, accelerator, F10 or Alt, or SKM_OPENMENUITEM) and runs the menu loop, whose
// message-filter hook moves between drop-downs with the arrow keys and the mouse as a native
// menu bar does. It gives the form's menus the skinned item painter, follows menu changes and
// answers the dialog characters that are menu accelerators. The frame forwards the messages
// to it; it reaches the frame only through TMenuBarFrame.
#pragma once

#include <windows.h>

#include <memory>

#include "skin/data/WinSkinData.h"
#include "skin/frame/NCObject.h"
#include "skin/frame/WinSkinMenu.h"
#include "skin/frame/WinSkinPopMenu.h"
#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/Messages.h"

namespace skin {

// What the menu-bar controller needs of the frame that owns it, beyond what the bar draws
// with (TMenuBarHost).
class TMenuBarFrame : public TMenuBarHost {
 public:
  // The skin data the frame is bound to.
  virtual TSkinData* BarSkin() const = 0;
  // The window's form object, or none for a bare window.
  virtual ui::TCustomForm* BarForm() const = 0;
  // The popup-menu skinners whose look menu items are painted with.
  virtual const TPopupSkinners& BarPopups() const = 0;
  // Screen point to window coordinates (origin at the window's top-left corner).
  virtual POINT BarPoint(POINT screen) const = 0;
  // A drop-down of the bar is about to open: the popup it makes is skinned as one.
  virtual void DropDownOpening() = 0;
  // Paints the whole frame again: the bar's items changed.
  virtual void RepaintFrame() = 0;

 protected:
  ~TMenuBarFrame() = default;
};

class TMenuBarController {
 public:
  // `hot` is the frame's hot item, shared by the bar's items and the caption buttons.
  TMenuBarController(TMenuBarFrame& frame, TNCHotItem& hot) : frame_(frame), hot_(hot) {}
  ~TMenuBarController();
  TMenuBarController(const TMenuBarController&) = delete;
  TMenuBarController& operator=(const TMenuBarController&) = delete;

  // The form's menus get the skinned look; a window with a menu gets the bar when `withBar`.
  void Attach(bool withBar);
  // Takes the bar away (giving the window its menu back when `restore`) and the skinned look
  // from the form's menus.
  void Detach(bool restore);

  // The menu bar, or none for a window without menu.
  TWinSkinMenu* Bar() const { return bar_.get(); }
  // Opens the bar item's drop-down and returns when it closed.
  void OpenItem(TMenuBtn& item);
  // A drop-down of the bar is open.
  bool InMenuLoop() const { return inMenuLoop_; }
  // The Alt key ends the menu loop: keyboard menu commands reach the window again.
  void LeaveMenuLoop() { inMenuLoop_ = false; }
  // Screen point to the window coordinates the bar's items are laid out in.
  POINT WindowPoint(POINT screen) const { return frame_.BarPoint(screen); }

  // The menu-bar part of the window's messages; true when consumed.
  bool Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // The class library reports a changed menu (`next` is the form's own handling).
  void MenuChanged(ui::TMessage& m, const ui::TWndMethod& next);
  // A dialog character: the form first (`next`), then the bar's accelerators, then the
  // application's main form.
  void DialogChar(ui::TMessage& m, const ui::TWndMethod& next);
  // The MDI client put a merged menu on the window: the bar takes its items and the window
  // loses the menu again. False when there is no bar.
  bool TakeMergedMenu(HMENU menu);

 private:
  void SkinFormMenus(bool off);
  bool OpenByAccelerator(WPARAM character);
  LRESULT OfferDialogCharToMainForm(WPARAM character, LPARAM keyData);
  bool MouseMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  bool KeyMenuCommand(WPARAM wParam, LPARAM lParam);
  bool MeasureDropDownItem(LPARAM lParam, LRESULT& result);
  bool DrawDropDownItem(LPARAM lParam, LRESULT& result);
  // Runs the drop-down of the item at `index`: the command chosen, and the bar item to open
  // next (returned; -1 for none). `gone` is set when the controller let go of its bar while
  // the drop-down was open.
  int TrackDropDown(int index, UINT& command, bool& gone);

  TMenuBarFrame& frame_;
  TNCHotItem& hot_;
  std::unique_ptr<TWinSkinMenu> bar_;
  bool inMenuLoop_ = false;
};

}  // namespace skin
