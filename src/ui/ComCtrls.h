// Common controls: tab controls, page controls with their tab sheets, and list views.
//
// Both superclass the system's common-control classes (WC_TABCONTROL, WC_LISTVIEW); the
// system's notifications reach them reflected as CN_NOTIFY.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/StdCtrls.h"

namespace ui {

enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };
const TEnumInfo& TabStyleInfo();
enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
const TEnumInfo& TabPositionInfo();
enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
const TEnumInfo& ViewStyleInfo();

// A system tab control: a row of tabs above (or beside) a display area.
class TCustomTabControl : public TWinControl {
  UI_CLASS_INFO
 public:
  explicit TCustomTabControl(TComponent* owner);

  TTabStyle Style() const { return style_; }
  void SetStyle(TTabStyle value);
  TTabPosition TabPosition() const { return tabPosition_; }
  void SetTabPosition(TTabPosition value);
  // Tabs that do not fit go into more rows (always so for tabs on the left or right).
  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool value);
  // The part of the client area below the tabs, from the system (TCM_ADJUSTRECT).
  RECT DisplayRect();

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  TTabStyle style_ = tsTabs;
  TTabPosition tabPosition_ = tpTop;
  bool multiLine_ = false;
};

// A tab control without pages: a row of tabs named by Tabs, one of them chosen (TabIndex);
// the program shows what belongs to the chosen tab. OnChange follows the user's choice.
class TTabControl : public TCustomTabControl {
  UI_CLASS_INFO
 public:
  explicit TTabControl(TComponent* owner);
  ~TTabControl() override;

  TStringList* Tabs() const { return tabs_.get(); }
  int TabIndex() const;
  void SetTabIndex(int value);

  TNotifyEvent OnChange;
  void WndProc(TMessage& message) override;

 protected:
  void CreateHandleDone() override;
  void DestroyWnd() override;

 private:
  void LoadTabs();

  std::unique_ptr<TStringList> tabs_;
  int tabIndex_ = -1;  // kept while there is no window
};

class TPageControl;

// One page of a page control; its caption is the text of its tab.
class TTabSheet : public TWinControl {
  UI_CLASS_INFO
 public:
  explicit TTabSheet(TComponent* owner);
  ~TTabSheet() override;

  TPageControl* PageControl() const { return pageControl_; }
  // Makes this sheet the last page of `control` (and a child of it), or takes it out.
  void SetPageControl(TPageControl* control);
  // The position among the page control's pages; -1 without one.
  int PageIndex() const;
  void SetPageIndex(int index);
  // A page without a visible tab can still be made active from code.
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool value);
  // The index of this page's tab, or -1 when it has none.
  int TabIndex() const;

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  void WndProc(TMessage& message) override;

 protected:
  void PaintWindow(HDC dc) override;

 private:
  friend class TPageControl;
  TPageControl* pageControl_ = nullptr;
  bool tabVisible_ = true;
};

// Tab sheets shown one at a time in the display area of a tab control. The pages are the
// tab sheets placed on it, in order; clicking a tab activates its page.
class TPageControl : public TCustomTabControl {
  UI_CLASS_INFO
 public:
  explicit TPageControl(TComponent* owner);
  ~TPageControl() override;

  int PageCount() const { return static_cast<int>(pages_.size()); }
  // Nothing out of range.
  TTabSheet* Pages(int index) const;
  TTabSheet* ActivePage() const { return activePage_; }
  // Shows `page` and hides the others: the previous page's OnHide, then the new page's OnShow.
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);
  // The page after (or before) `current` whose tab is visible, wrapping around.
  TTabSheet* FindNextPage(TTabSheet* current, bool forward) const;
  void SelectNextPage(bool forward);

  // Fired after the user chose another tab.
  TNotifyEvent OnChange;
  void WndProc(TMessage& message) override;

 protected:
  void CreateHandleDone() override;

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void MovePage(TTabSheet* page, int index);
  // Makes the window's tabs match the pages, then places the pages.
  void UpdateTabs();
  void UpdateTabText(TTabSheet* page);
  // Gives every page the display rectangle.
  void PlacePages();
  TTabSheet* PageOfTab(int tabIndex) const;

  std::vector<TTabSheet*> pages_;
  TTabSheet* activePage_ = nullptr;
};

class TCustomListView;
class TListColumns;
class TListItems;

class TListColumn : public TObject {
  UI_CLASS_INFO
 public:
  TListColumn(TListColumns& owner) : owner_(owner) {}
  std::wstring Caption() const { return caption_; }
  void SetCaption(const std::wstring& caption);
  int Width() const;
  void SetWidth(int width);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  int Index() const;

 private:
  friend class TListColumns;
  friend class TCustomListView;
  void Apply(bool insert);
  TListColumns& owner_;
  std::wstring caption_;
  int width_ = 50;
  TAlignment alignment_ = taLeftJustify;
};

class TListColumns : public TObject {
  UI_CLASS_INFO
 public:
  explicit TListColumns(TCustomListView& view) : view_(view) {}
  ~TListColumns() override;
  TListColumn* Add();
  int Count() const { return static_cast<int>(columns_.size()); }
  // Nothing out of range.
  TListColumn* Items(int index) const;
  void Clear();
  TCustomListView& ListView() const { return view_; }

 private:
  friend class TListColumn;
  friend class TCustomListView;
  void ApplyAll();
  TCustomListView& view_;
  std::vector<std::unique_ptr<TListColumn>> columns_;
};

class TListItem;

// The texts of an item's further columns, each a wide string; setting one shows it at once.
class TListSubItems {
 public:
  explicit TListSubItems(TListItem& item) : item_(item) {}
  int Count() const { return static_cast<int>(texts_.size()); }
  // Empty out of range.
  std::wstring Strings(int index) const;
  // Sets sub-item `index`, adding empty ones before it when the list is shorter.
  void SetStrings(int index, const std::wstring& text);
  void Add(const std::wstring& text) { SetStrings(Count(), text); }
  void Delete(int index);
  void Clear();

 private:
  TListItem& item_;
  std::vector<std::wstring> texts_;
};

class TListItem : public TObject {
  UI_CLASS_INFO
 public:
  explicit TListItem(TListItems& owner) : owner_(owner), subItems_(*this) {}
  std::wstring Caption() const { return caption_; }
  void SetCaption(const std::wstring& caption);
  TListSubItems& SubItems() { return subItems_; }
  const TListSubItems& SubItems() const { return subItems_; }
  int Index() const;
  // Scrolls the list so that the item is in view (only partly when partialOK).
  void MakeVisible(bool partialOK);
  bool Selected() const;
  void SetSelected(bool value);

 private:
  friend class TListSubItems;
  friend class TListItems;
  // Writes column `column` (0 the caption) to the window, when there is one.
  void ShowText(int column, const std::wstring& text) const;
  TListItems& owner_;
  std::wstring caption_;
  TListSubItems subItems_;
};

class TListItems : public TObject {
  UI_CLASS_INFO
 public:
  explicit TListItems(TCustomListView& view) : view_(view) {}
  ~TListItems() override;
  TListItem* Add();
  TListItem* Insert(int index);
  int Count() const { return static_cast<int>(items_.size()); }
  // Nothing out of range.
  TListItem* Item(int index) const;
  void Delete(int index);
  void Clear();
  TCustomListView& ListView() const { return view_; }
  // Between BeginUpdate and the matching EndUpdate the window neither repaints nor lays itself
  // out again for each change; it does once at the end. Calls nest.
  void BeginUpdate();
  void EndUpdate();

 private:
  friend class TListItem;
  friend class TCustomListView;
  void InsertIntoWindow(int index);
  void ApplyAll();
  // Tells the window whether to redraw after each change.
  void ApplyRedraw() const;
  TCustomListView& view_;
  std::vector<std::unique_ptr<TListItem>> items_;
  int updating_ = 0;
};

// A system list view. Columns and items are kept here and written to the window, so that
// they survive a re-created window; the window shows and answers the same texts.
class TCustomListView : public TWinControl {
  UI_CLASS_INFO
 public:
  explicit TCustomListView(TComponent* owner);
  ~TCustomListView() override;

  TListColumns* Columns() const { return columns_.get(); }
  TListItems* Items() const { return items_.get(); }
  TViewStyle ViewStyle() const { return viewStyle_; }
  void SetViewStyle(TViewStyle value);
  // No editing of captions in place.
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  // A click selects and highlights the whole row.
  bool RowSelect() const { return rowSelect_; }
  void SetRowSelect(bool value);
  bool GridLines() const { return gridLines_; }
  void SetGridLines(bool value);
  bool ShowColumnHeaders() const { return showColumnHeaders_; }
  void SetShowColumnHeaders(bool value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  // Scrolls the contents by dx pixels and dy pixels (in report view dy is rounded to rows).
  void Scroll(int dx, int dy);
  int TopIndex();

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void DestroyWnd() override;
  // The columns' widths scale with the control.
  void ScaleSelf(int m, int d) override;

 private:
  void ApplyExtendedStyle();
  std::unique_ptr<TListColumns> columns_;
  std::unique_ptr<TListItems> items_;
  TViewStyle viewStyle_ = vsIcon;
  bool readOnly_ = false, rowSelect_ = false, gridLines_ = false, showColumnHeaders_ = true;
  TBorderStyle borderStyle_ = bsSingle;
};

class TListView : public TCustomListView {
  UI_CLASS_INFO
 public:
  explicit TListView(TComponent* owner);
};

}  // namespace ui
