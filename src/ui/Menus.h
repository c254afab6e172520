// Menus: a form's main menu, context menus and their items.
//
// A menu component owns a tree of items and builds the system menu handles from it: every
// change of an item rebuilds them, and a main menu then tells its form (CM_MENUCHANGED), which
// gives its window the new menu. Every item carries its own command identifier, unique in the
// process, and its object as the item data, so that the commands and the owner-draw requests
// of a menu find their item wherever they arrive.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Canvas.h"
#include "ui/Controls.h"

namespace ui {

class TMenu;
class TMenuItem;

// Owner-draw events: the item makes room for itself, then draws itself into the rectangle.
using TMenuMeasureItemEvent =
    std::function<void(TObject* sender, TCanvas* canvas, int& width, int& height)>;
using TMenuDrawItemEvent =
    std::function<void(TObject* sender, TCanvas* canvas, const RECT& rect, bool selected)>;

class TMenuItem : public TComponent {
  UI_CLASS_INFO
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  // The caption; "&" marks the accelerator, "-" makes a separator.
  std::wstring Caption() const { return caption_; }
  void SetCaption(const std::wstring& caption);
  // The shortcut as it is shown at the right of the item ("Ctrl+O").
  std::wstring ShortCut() const { return shortCut_; }
  void SetShortCut(const std::wstring& text);
  bool Checked() const { return checked_; }
  void SetChecked(bool value);
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  bool Default() const { return default_; }
  void SetDefault(bool value);
  // The index of the item's picture in its menu's image list, or -1.
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  // The item's own glyph (its lower-left pixel's colour is transparent); empty when none.
  TBitmap* Bitmap() const { return bitmap_.get(); }
  bool HasBitmap() const { return !bitmap_->Empty(); }

  bool IsLine() const { return caption_ == L"-"; }
  // The accelerator character (upper case), or 0.
  wchar_t Accelerator() const;
  // The command identifier of the item in its menu handle.
  UINT Command() const { return command_; }

  // Children.
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(static_cast<std::size_t>(index)); }
  TMenuItem* Parent() const { return parent_; }
  int MenuIndex() const;
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  void Clear();
  // The menu the item belongs to (through its parents), or none.
  TMenu* GetParentMenu() const;
  // The handle of the menu that shows the children, or none while the item has no children
  // or the menu has not been built.
  HMENU Handle() const { return handle_; }
  // The item or a descendant with that command or that children's handle, or none.
  TMenuItem* Find(UINT command) const;
  TMenuItem* FindByHandle(HMENU handle) const;

  virtual void Click();
  // Measures and draws the item (the events when set, else a plain look of its own).
  void MeasureItem(TCanvas& canvas, int& width, int& height);
  void DrawItem(TCanvas& canvas, const RECT& rect, bool selected);

  TNotifyEvent OnClick;
  TMenuMeasureItemEvent OnMeasureItem;
  TMenuDrawItemEvent OnDrawItem;

  // The live item behind a menu's item data, or none.
  static TMenuItem* FromItemData(ULONG_PTR data);

 private:
  friend class TMenu;
  void Changed();
  void BuildInto(HMENU menu, bool ownerDraw, bool topLevel);
  void DestroyHandles();
  void ForgetHandles();

  std::wstring caption_;
  std::wstring shortCut_;
  bool checked_ = false, radioItem_ = false, enabled_ = true, visible_ = true, default_ = false;
  int imageIndex_ = -1;
  std::unique_ptr<TBitmap> bitmap_;
  UINT command_;
  std::vector<TMenuItem*> items_;  // owned
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;  // set on the root item
  HMENU handle_ = nullptr;
};

class TMenu : public TComponent {
  UI_CLASS_INFO
 public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;

  TMenuItem* Items() const { return items_.get(); }
  // The menu's handle, built on first use.
  HMENU Handle();
  bool HandleAllocated() const { return items_->handle_ != nullptr; }
  HMENU HandleIfBuilt() const { return items_->handle_; }
  // Items below the top level of a main menu, every item of a popup menu, are drawn by the
  // items' owner-draw events.
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool value);
  HIMAGELIST Images() const { return images_; }
  void SetImages(HIMAGELIST images);
  bool RightToLeft() const { return rightToLeft_; }
  void SetRightToLeft(bool value) { rightToLeft_ = value; }

  // The item of that command; runs its Click. False when the menu has none.
  bool DispatchCommand(UINT command);
  TMenuItem* FindItem(UINT command) const { return items_->Find(command); }
  // Changes are gathered until the last EndUpdate, then applied in one rebuild.
  void BeginUpdate() { ++updating_; }
  void EndUpdate();

 protected:
  // The menu's handles were rebuilt.
  virtual void MenuChanged() {}
  virtual bool IsPopup() const = 0;

 private:
  friend class TMenuItem;
  void Rebuild();

  std::unique_ptr<TMenuItem> items_;
  bool ownerDraw_ = false;
  HIMAGELIST images_ = nullptr;
  bool rightToLeft_ = false;
  int updating_ = 0;
  bool pending_ = false;
};

// The menu bar of a form (its Menu property).
class TMainMenu : public TMenu {
  UI_CLASS_INFO
 public:
  explicit TMainMenu(TComponent* owner);
  ~TMainMenu() override;

 protected:
  void MenuChanged() override;
  bool IsPopup() const override { return false; }
};

// A context menu, opened by Popup or by a control whose PopupMenu it is.
class TPopupMenu : public TMenu {
  UI_CLASS_INFO
 public:
  explicit TPopupMenu(TComponent* owner);

  // Opens the menu at the screen point and waits until it closes; the chosen item's Click
  // runs after that.
  virtual void Popup(int x, int y);
  // The control the menu was last opened for.
  TComponent* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* component) { popupComponent_ = component; }

  TNotifyEvent OnPopup;

 protected:
  bool IsPopup() const override { return true; }

 private:
  TComponent* popupComponent_ = nullptr;
};

// The owner-draw and command messages of menus (WM_MEASUREITEM and WM_DRAWITEM of menu
// items, WM_MENUCHAR of an owner-drawn menu, WM_COMMAND of a menu): answers true when one of
// our items took the message.
bool DispatchMenuMessage(TMessage& message, TMenu* menu);

// The window that owns the context menus while they are open.
HWND PopupListWindow();

// The accelerator character of a caption (upper case): the one after a lone "&", or 0.
wchar_t AcceleratorOf(const std::wstring& caption);

// Strips the accelerator marks: "&&" becomes "&", a lone "&" goes.
std::wstring StripHotkey(const std::wstring& caption);

}  // namespace ui
