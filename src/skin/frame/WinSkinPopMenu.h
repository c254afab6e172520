// TWinSkinPopMenu: the skinner of one open popup menu window (class "#32768"). The skin
// manager makes one when the menu window is created and frees it when the window is
// destroyed. It subclasses the window so that the window answers that it is skinned, and
// holds what the popup menu painter works with: the skin data, the menu shown (read from the
// window as it opens) and the off-screen picture of the menu.
#pragma once

#include <windows.h>

#include <memory>

#include "skin/data/WinSkinData.h"
#include "ui/Canvas.h"
#include "ui/WindowSubclass.h"

namespace skin {

class TWinSkinPopMenu;

// What a popup skinner asks of the manager that keeps it.
class TPopupSkinnerOwner {
 public:
  // Skinning is on: the menu window is painted from the skin.
  virtual bool Active() const = 0;

 protected:
  ~TPopupSkinnerOwner() = default;
};

// Finds the skinner of the open popup window that shows a menu.
class TPopupSkinners {
 public:
  // The popup skinner bound to the menu, or none.
  virtual TWinSkinPopMenu* PopupSkinnerFor(HMENU menu) const = 0;

 protected:
  ~TPopupSkinners() = default;
};

class TWinSkinPopMenu {
 public:
  TWinSkinPopMenu(const TPopupSkinnerOwner& owner, HWND window, TSkinData* data);
  ~TWinSkinPopMenu();
  TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
  TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

  HWND Handle() const { return handle_; }
  TSkinData* SkinData() const { return skinData_; }
  HMENU Menu() const { return menu_; }
  void SetMenu(HMENU menu) { menu_ = menu; }
  // The off-screen picture of the menu; none until the menu is painted from the skin.
  ui::TBitmap* Picture() const { return picture_.get(); }
  // Gives the window its own procedure back (done by the destructor too).
  void ReleaseWindow();
  // Where the client area's origin lies in the window (the menu's picture covers the window).
  POINT ClientOffset() const;
  // Composes the skin's menu background to the window's size into the picture; false (and no
  // picture) when the skin has no MenuBackground picture.
  bool ComposePicture();

 private:
  LRESULT PopupMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Print(UINT msg, HDC dc);
  LRESULT CallOwn(UINT msg, WPARAM wParam, LPARAM lParam) {
    return subclass_.CallPrevious(msg, wParam, lParam);
  }
  LRESULT Paint();
  void PaintNonClient();
  void PaintBorderBands(HDC dc, POINT origin);

  // The menu the window shows, once the window knows it.
  void ReadMenu();

  const TPopupSkinnerOwner& owner_;
  HWND handle_;
  TSkinData* skinData_;
  HMENU menu_ = nullptr;
  ui::TWindowSubclass subclass_;
  std::unique_ptr<ui::TBitmap> picture_;
};

}  // namespace skin
