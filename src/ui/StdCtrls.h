// The standard controls: push buttons, check boxes, radio buttons, group boxes, edits, memos
// and labels.
//
// Buttons, check boxes, edits and memos superclass the system's BUTTON and EDIT classes; the
// system reports clicks and changes to the parent window, which reflects them back to the
// control as CN_COMMAND. Labels are windowless and painted by their parent.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/Classes.h"
#include "ui/Controls.h"
#include "ui/Forms.h"

namespace ui {

// The border of a control: none, or the sunken edge of the system (bsNone and bsSingle of
// the form border styles, the only two a control takes).
using TBorderStyle = TFormBorderStyle;
const TEnumInfo& BorderStyleInfo();

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
const TEnumInfo& ScrollStyleInfo();
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
const TEnumInfo& CheckBoxStateInfo();
enum TTextLayout { tlTop, tlCenter, tlBottom };
const TEnumInfo& TextLayoutInfo();

// Controls built on the system's BUTTON class: the window reports a click (mouse or key) with
// BN_CLICKED, which calls Click and so OnClick.
class TButtonControl : public TWinControl {
  UI_CLASS_INFO
 public:
  explicit TButtonControl(TComponent* owner);
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  // A BN_CLICKED arrived; the default calls Click.
  virtual void Clicked() { Click(); }
};

class TButton : public TButtonControl {
  UI_CLASS_INFO
 public:
  explicit TButton(TComponent* owner);
  // The default button is drawn with the heavier frame of the system's default push button.
  bool Default() const { return default_; }
  void SetDefault(bool value);
  // The button that Escape would press in a dialog; kept for the skinners and dialogs.
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  bool default_ = false, cancel_ = false;
};

class TCustomCheckBox : public TButtonControl {
  UI_CLASS_INFO
 public:
  explicit TCustomCheckBox(TComponent* owner);

  // Read from the window while there is one, so that the user's clicks are seen at once.
  TCheckBoxState State() const;
  void SetState(TCheckBoxState state);
  bool Checked() const { return State() == cbChecked; }
  void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
  // Clicking cycles through the grayed state as well.
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool value) { allowGrayed_ = value; }
  // taRightJustify (the default): the caption right of the box; taLeftJustify: left of it.
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void DestroyWnd() override;
  void Clicked() override;

 private:
  TCheckBoxState state_ = cbUnchecked;
  bool allowGrayed_ = false;
  TAlignment alignment_ = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
  UI_CLASS_INFO
 public:
  explicit TCheckBox(TComponent* owner);
};

// A radio button. Checking it (by a click or by the program) unchecks the other radio
// buttons of the same parent, so that one of them is checked at a time.
class TRadioButton : public TButtonControl {
  UI_CLASS_INFO
 public:
  explicit TRadioButton(TComponent* owner);

  // Read from the window while there is one.
  bool Checked() const;
  void SetChecked(bool value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void DestroyWnd() override;
  void Clicked() override;

 private:
  bool checked_ = false;
  TAlignment alignment_ = taRightJustify;
};

// A container framed by an etched line with its caption set into the top edge.
class TCustomGroupBox : public TCustomControl {
  UI_CLASS_INFO
 public:
  explicit TCustomGroupBox(TComponent* owner);
  // Inside the frame, below the caption.
  RECT ClientRect() const override;

 protected:
  void Paint() override;
};

class TGroupBox : public TCustomGroupBox {
  UI_CLASS_INFO
 public:
  explicit TGroupBox(TComponent* owner);
};

// Controls built on the system's EDIT class. Every change of the text calls Change and so
// OnChange once: the user's through EN_CHANGE, the program's (WM_SETTEXT, EM_REPLACESEL) also
// where the system stays silent (a multi-line edit reports no WM_SETTEXT).
class TCustomEdit : public TWinControl {
  UI_CLASS_INFO
 public:
  explicit TCustomEdit(TComponent* owner);

  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  // The most characters the user may enter; 0 lifts the system's default limit.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);

  void SelectAll();
  TNotifyEvent OnChange;
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  virtual void Change();

 private:
  bool readOnly_ = false;
  bool changeReported_ = false;  // EN_CHANGE arrived while a program change was made
  int maxLength_ = 0;
  TBorderStyle borderStyle_ = bsSingle;
};

class TEdit : public TCustomEdit {
  UI_CLASS_INFO
 public:
  explicit TEdit(TComponent* owner);
};

class TCustomMemo;

// The lines of a memo. The window holds them: a line is a line of the window's text (a wrapped
// memo counts its visual lines); an empty last line after a final line break is not counted;
// reading a line yields at most its first MaxLineLength characters, and reading past the last
// line yields nothing. Lines are in the system's narrow code page. Until the memo has a window
// the same rules apply to its stored text.
class TMemoStrings : public TStrings {
  UI_CLASS_INFO
 public:
  static constexpr int MaxLineLength = 4096;
  explicit TMemoStrings(TCustomMemo& memo) : memo_(memo) {}
  int Count() const override;
  std::string Strings(int index) const override;
  void SetStrings(int index, const std::string& line) override;
  void Insert(int index, const std::string& line) override;
  void Delete(int index) override;
  void Clear() override;
  // The memo's whole text as it stands, lines of any length.
  std::string Text() const override;
  // One replacement of the whole text; every line is followed by CR LF.
  void SetText(std::string_view text) override;

 private:
  HWND Window() const;
  // Without a window: the lines of the stored text, split again only after it has changed
  // (a run reads a long list line by line).
  const std::vector<std::string>& StoredLines() const;
  // Replaces the characters start to end of the window's text by `text`.
  void Replace(int start, int end, const std::wstring& text);
  TCustomMemo& memo_;
  mutable std::wstring splitText_;
  mutable std::vector<std::string> splitLines_;
};

class TCustomMemo : public TCustomEdit {
  UI_CLASS_INFO
 public:
  explicit TCustomMemo(TComponent* owner);
  ~TCustomMemo() override;

  TStrings* Lines() const { return lines_.get(); }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle value);
  // Long lines wrap at the right edge; a horizontal scroll bar turns wrapping off.
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool value);

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  std::unique_ptr<TMemoStrings> lines_;
  TScrollStyle scrollBars_ = ssNone;
  bool wordWrap_ = true, wantReturns_ = true;
};

class TMemo : public TCustomMemo {
  UI_CLASS_INFO
 public:
  explicit TMemo(TComponent* owner);
};

// A windowless text: painted with DrawText in its font on its colour (or on whatever lies
// behind it when transparent); greyed when disabled. AutoSize fits the bounds to the text.
class TCustomLabel : public TGraphicControl {
  UI_CLASS_INFO
 public:
  explicit TCustomLabel(TComponent* owner);

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  // "&x" in the caption underlines x, and Alt+x focuses FocusControl.
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool value);
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* control);

  void WndProc(TMessage& message) override;

 protected:
  void Paint() override;
  void Notification(TComponent* component, TOperation operation) override;
  // Fits the bounds to the caption when AutoSize is on.
  virtual void AdjustBounds();
  UINT DrawTextFlags() const;

 private:
  bool autoSize_ = true, transparent_ = false, wordWrap_ = false, showAccelChar_ = true;
  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
  TWinControl* focusControl_ = nullptr;
};

class TLabel : public TCustomLabel {
  UI_CLASS_INFO
 public:
  explicit TLabel(TComponent* owner);
};

}  // namespace ui
