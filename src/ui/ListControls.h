// Controls that offer a list of lines to choose from: combo boxes (the system's COMBOBOX in
// its three kinds) and list boxes (LISTBOX). Their Items are a string list that the control
// mirrors into its window whenever it changes; the choice is read from the window.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/Classes.h"
#include "ui/StdCtrls.h"

namespace ui {

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };
const TEnumInfo& ComboBoxStyleInfo();
// The reading order: a right-to-left combo box reads and aligns its text from the right and
// has its drop-down button at the left.
enum TBiDiMode { bdLeftToRight, bdRightToLeft };
const TEnumInfo& BiDiModeInfo();

// What the two controls share: the items, the chosen line and the window messages that
// differ only by their prefix.
class TCustomListControl : public TWinControl {
  UI_CLASS_INFO
 public:
  explicit TCustomListControl(TComponent* owner);
  ~TCustomListControl() override;

  TStringList* Items() const { return items_.get(); }
  // The chosen line, -1 for none.
  int ItemIndex() const;
  void SetItemIndex(int value);

 protected:
  struct TListMessages {
    UINT ResetContent, AddString, GetCurSel, SetCurSel;
  };
  virtual TListMessages Messages() const = 0;
  void CreateHandleDone() override;
  void DestroyWnd() override;
  // Fills the window with the items, keeping the chosen line where it still exists.
  void LoadItems();

 private:
  std::unique_ptr<TStringList> items_;
  int itemIndex_ = -1;  // kept while there is no window
};

// A combo box. csDropDown: an edit with a drop-down list; csSimple: an edit above a list that
// is always shown; csDropDownList: a drop-down list without an edit. OnChange follows each
// change of the text, by typing or by a choice from the list.
class TCustomComboBox : public TCustomListControl {
  UI_CLASS_INFO
 public:
  explicit TCustomComboBox(TComponent* owner);

  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle value);
  // The most lines the drop-down list shows before it scrolls.
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int value);
  bool DroppedDown() const;
  void SetDroppedDown(bool value);
  TBiDiMode BiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode value);
  void SetBounds(int left, int top, int width, int height) override;

  TNotifyEvent OnChange;
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  TListMessages Messages() const override;

 private:
  int DroppedListHeight() const;

  TComboBoxStyle style_ = csDropDown;
  TBiDiMode biDiMode_ = bdLeftToRight;
  int dropDownCount_ = 8;
  bool addDroppedHeight_ = false;  // the library is setting the bounds
};

class TComboBox : public TCustomComboBox {
  UI_CLASS_INFO
 public:
  explicit TComboBox(TComponent* owner);
};

// A list box; OnClick follows each change of the chosen line by the user.
class TCustomListBox : public TCustomListControl {
  UI_CLASS_INFO
 public:
  explicit TCustomListBox(TComponent* owner);

  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  // The first line shown.
  int TopIndex() const;
  void SetTopIndex(int value);

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  TListMessages Messages() const override;

 private:
  TBorderStyle borderStyle_ = bsSingle;
};

class TListBox : public TCustomListBox {
  UI_CLASS_INFO
 public:
  explicit TListBox(TComponent* owner);
};

}  // namespace ui
