// The items of a menu-bar drop-down that no menu component draws: the items of a window
// without form object, and items the program put into its menu by handle (system and MDI
// window-list entries, for example). While the drop-down is open they are owner-drawn, so
// that the skinned item painter draws them like every other item; when it closes they get
// their own types back.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "skin/data/WinSkinData.h"
#include "skin/frame/MenuItemPainter.h"
#include "ui/Menus.h"

namespace skin {

class TOwnerDrawnDropDown {
 public:
  struct TItem {
    HMENU Menu;
    UINT Position;
    UINT Type;     // the type it had before
    UINT Id;       // its identifier; the sub-menu's handle for an item with children
    std::wstring Text;
    ui::TMenuItem* Source;  // the menu component's item with that identifier, if any
  };

  // Switches every item of `menu` and of its sub-menus that is neither owner-drawn already nor
  // a picture to owner-drawn. `component` is the window's menu component (none without form).
  TOwnerDrawnDropDown(HMENU menu, ui::TMenu* component);
  ~TOwnerDrawnDropDown();
  TOwnerDrawnDropDown(const TOwnerDrawnDropDown&) = delete;
  TOwnerDrawnDropDown& operator=(const TOwnerDrawnDropDown&) = delete;

  // The switched item a draw request names (its menu handle and identifier), or none.
  const TItem* Find(HMENU menu, UINT id) const;
  // The switched item a measure request names (its identifier only), or none.
  const TItem* FindById(UINT id) const;
  std::size_t Count() const { return items_.size(); }

 private:
  void Switch(HMENU menu, ui::TMenu* component, int depth);

  std::vector<TItem> items_;
};

// The look of a switched item as the menu holds it now, selected or not: its text ("-" for an
// empty one or a separator; a tab parts caption and shortcut), enabled unless greyed or
// disabled, checked, radio, default and sub-menu as the menu says.
TMenuItemLook LookOfHandleItem(const TOwnerDrawnDropDown::TItem& item, bool selected);

// Room for a switched item: the text's width in the menu font plus 26 and the glyph column's
// margin; its height plus 4, or 8 for an empty text.
SIZE MeasureHandleItem(const TSkinData& data, const std::wstring& text);

}  // namespace skin
