// The skinned look of a menu item: the skin's MenuItem picture over the menu window's
// background, the menu colours, the glyph column (pictures, check marks and radio bullets),
// the caption with its accelerator mark and the shortcut text. Drop-downs of the menu bar,
// context menus and the skinned system menu are all drawn here.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "skin/data/WinSkinData.h"
#include "skin/frame/WinSkinPopMenu.h"
#include "ui/Canvas.h"
#include "ui/Menus.h"

namespace skin {

// What the painter needs to know of an item, whoever holds it.
struct TMenuItemLook {
  std::wstring Caption;   // "-" for a separator
  std::wstring ShortCut;
  bool Checked = false;
  bool Radio = false;
  bool Enabled = true;
  bool Default = false;
  bool Selected = false;
  bool RightToLeft = false;
  bool HasSubMenu = false;      // the painter draws the arrow; the system must not
  HIMAGELIST Images = nullptr;  // the menu's picture list
  int ImageIndex = -1;          // the item's picture in it
  ui::TBitmap* Glyph = nullptr; // the item's own picture (lower-left pixel transparent)
  bool IsLine() const { return Caption == L"-"; }
};

// The look of a menu component's item, selected or not.
TMenuItemLook LookOf(const ui::TMenuItem& item, bool selected);

// The frame of the MenuItem picture an item is drawn with: 2 for a separator, 4 for a
// selected item, 1 for every other.
int MenuItemFrame(bool separator, bool selected);

// Width added to an item's own measure for the glyph column: the MenuItem definition's left
// margin (when the skin has one) and 12, or 35 when the menu has no picture list; for the
// drop-down items of a main menu the margin and 10, 25 more without picture list.
int GlyphColumnWidth(const TSkinData& data, bool hasImageList, bool mainMenu);

// Draws the item into the rectangle of `dc`. `background` is the composed picture of the menu
// window (or none) and `offset` where the rectangle's origin lies in it.
void DrawMenuItem(const TSkinData& data, HDC dc, const RECT& rect, const TMenuItemLook& look,
                  ui::TBitmap* background, POINT offset);

// Draws the item as one of `menu`'s, over the picture of the popup window showing that menu
// (found in `popups`).
void DrawMenuItemOf(TSkinData& data, const TPopupSkinners& popups, HMENU menu, HDC dc,
                    const RECT& rect, const TMenuItemLook& look);

// Gives the menu component's items the skinned look (unless `off`): the menu is owner-drawn,
// each item (below the top level of a main menu) gets the skinned draw handler and, unless it
// measures itself, the skinned measure handler; the items are drawn over the pictures of the
// popup windows found in `popups`. `off` takes the handlers away again.
void SkinMenuItems(TSkinData* data, const TPopupSkinners& popups, ui::TMenu& menu, bool off);

}  // namespace skin
