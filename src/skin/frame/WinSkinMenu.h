// TWinSkinMenu: the skinned menu bar of a frame. It takes the items of the window's menu,
// removes the menu from the window (the system draws no bar any more) and draws its own bar in
// the strip the frame keeps between the title and the client area. Each top-level item is a
// TMenuBtn, a non-client item that shares the frame's hot item with the caption buttons; the
// frame's menu-bar controller opens its drop-down (MenuBarController.h).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/data/WinSkinData.h"
#include "skin/frame/CaptionButtonStrip.h"
#include "skin/frame/NCObject.h"
#include "ui/Canvas.h"
#include "ui/DrawingScopes.h"
#include "ui/Forms.h"
#include "ui/Menus.h"

namespace skin {

class TWinSkinMenu;

// What the menu bar needs of the frame that shows it.
class TMenuBarHost {
 public:
  // The window whose non-client area holds the bar.
  virtual HWND BarWindow() const = 0;
  // The bar's strip between the title and the client area for the window's present size
  // (window coordinates).
  virtual RECT BarStrip() const = 0;
  // The window is active: the bar shows its active look.
  virtual bool BarActive() const = 0;
  // The caption buttons a maximized MDI child shows on the bar, laid out for it; none unless
  // the window is an MDI frame whose active child is maximized.
  virtual const TCaptionButtonStrip::TButtons* MDIChildButtons() const = 0;

 protected:
  ~TMenuBarHost() = default;
};

class TMenuBtn final : public TNCObject {
 public:
  TMenuBtn(TNCHotItem& hot, TWinSkinMenu& bar, int index)
      : TNCObject(hot), Index(index), bar_(bar) {}
  // Restores the item's column of the bar and draws it in its state.
  void Paint() override;

  int Index;  // position in the bar
  ui::TMenuItem* SourceItem = nullptr;
  std::wstring Caption;  // accelerator mark included
  bool ItemEnabled = true;
  HMENU SubMenu = nullptr;
  UINT Command = 0;

 private:
  TWinSkinMenu& bar_;
};

class TWinSkinMenu {
 public:
  // `form` is the window's form object (none for a bare window); its Menu is the menu
  // component the items come from.
  TWinSkinMenu(TMenuBarHost& host, TNCHotItem& hot, TSkinData* data, ui::TCustomForm* form);
  TWinSkinMenu(const TWinSkinMenu&) = delete;
  TWinSkinMenu& operator=(const TWinSkinMenu&) = delete;

  // Builds the items from the menu and takes the menu away from the window.
  void RebuildItems(HMENU menu);
  // The same after an MDI menu merge: only positions without text are taken from the menu
  // component.
  void MergeItems(HMENU menu);
  // The item rectangles (window coordinates) for the frame's present size.
  void LayoutItems();
  // Paints the bar into the strip (window coordinates) of the window DC `dc`.
  void PaintBar(HDC dc, const RECT& strip);
  // The first item whose rectangle holds the point (window coordinates) and whose caption is
  // not empty, or none.
  TMenuBtn* ItemAt(POINT windowPoint) const;
  // The first visible, enabled item with that accelerator (letter case ignored), or none.
  TMenuBtn* ItemByAccelerator(wchar_t c) const;
  // Gives the window its menu back.
  void RestoreMenu();

  const std::vector<std::unique_ptr<TMenuBtn>>& Items() const { return items_; }
  HMENU MenuHandle() const { return menuHandle_; }
  ui::TMainMenu* MenuComponent() const { return form_ ? form_->Menu() : nullptr; }
  bool RightToLeft() const { return MenuComponent() && MenuComponent()->RightToLeft(); }
  const RECT& BarRect() const { return barRect_; }
  TSkinData* SkinData() const { return data_; }
  // Draws the item's feedback (Paint of TMenuBtn) into the window DC.
  void PaintItem(const TMenuBtn& item);

 private:
  void ReadItems(HMENU menu, bool merged);
  void DrawCaption(HDC dc, const TMenuBtn& item, const RECT& bounds) const;
  void DrawMDIChildButtons(HDC dc, const RECT& strip);
  void ComposeBackground(int width, int height, int frame);

  // What the bar's background was composed for.
  struct TBackgroundKey {
    int width = 0, height = 0, frame = 0;
    unsigned skinRevision = 0;
    bool skinLoaded = false;
    bool operator==(const TBackgroundKey&) const = default;
  };

  TMenuBarHost& host_;
  TNCHotItem& hot_;
  TSkinData* data_;
  ui::TCustomForm* form_;
  std::vector<std::unique_ptr<TMenuBtn>> items_;
  RECT barRect_{0, 0, 0, 0};
  std::unique_ptr<ui::TBitmap> barBackground_;
  TBackgroundKey backgroundKey_;
  ui::TOffscreenBuffer buffer_;  // the bar composed with its items before it is shown
  HMENU menuHandle_ = nullptr;
};

// The menu font of the system (the font of menu bars and menus).
ui::TFontHandle MenuFont();

}  // namespace skin
