// The skinners of text-entry controls: edits (flat skinned borders, rendering their text into a
// given device context), combo boxes (the skin's frame and drop-down button in their three
// styles), up-down buttons (stand-alone or inside an edit) and date-time pickers (an arrow
// button laid over the picker's own).
#pragma once

#include <memory>

#include "skin/controls/SkinClassMacros.h"
#include "skin/controls/SkinControl.h"
#include "ui/WindowSubclass.h"

namespace skin {

class TSkinUpDown;
class TSkinScrollbarH;

class TSkinEdit : public TSkinControl {
  UI_CLASS_INFO
 public:
  using TSkinControl::TSkinControl;
  ~TSkinEdit() override;
  void AfterMessage(ui::TMessage& message) override;
  void Draw(HDC dc, const RECT& rect) override;
  TSkinUpDown* UpDown() const { return upDown_; }

 protected:
  std::vector<TSkinControl*> NestedSkinners() const override;

 private:
  void FindUpDown();
  void PrintBorder(HDC dc);
  TSkinUpDown* upDown_ = nullptr;  // owned by the edit's control (or by this skinner)
  std::unique_ptr<TSkinUpDown> ownedUpDown_;
};

// The frame of a combo box's face for a state: pressed, then focused or hot, then normal;
// disabled above all.
TSkinFrame ComboFrame(const TSkinState& state);

class TSkinComBox : public TSkinControl {
  UI_CLASS_INFO
 public:
  using TSkinControl::TSkinControl;
  ~TSkinComBox() override;
  void AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas, bool changeColor) override;
  void AttachSkinHandle(HWND handle, TSkinData* skinData, TSkinnerHost* form, ui::TCanvas* canvas) override;
  void Detach() override;
  void AfterMessage(ui::TMessage& message) override;
  void Draw(HDC dc, const RECT& rect) override;

  bool DroppedDown() const { return droppedDown_; }
  HWND ListWindow() const { return listWindow_; }
  HWND EditWindow() const { return editWindow_; }
  RECT ButtonRect() const { return buttonRect_; }
  TSkinScrollbarH* ListScrollSkinner() const { return listSkinner_.get(); }

 protected:
  std::vector<TSkinControl*> NestedSkinners() const override;

 private:
  void SetUp(bool makeListSkinner);
  void DrawFlat(HDC dc, const RECT& rect, int frame, const TDataSkinObject& button);
  void DrawWhole(HDC dc, const RECT& rect, int frame, const TResolvedSkin& skin);
  void DrawEdgeAndButton(HDC dc, const RECT& rect, int frame, const TResolvedSkin& skin);
  TSkinState CurrentState() const;
  DWORD comboStyle_ = 0;
  DWORD comboExStyle_ = 0;
  bool leftButton_ = false;  // the drop-down button is drawn at the left
  HWND listWindow_ = nullptr;
  HWND editWindow_ = nullptr;
  bool droppedDown_ = false;
  ui::TWindowSubclass editSubclass_;
  std::unique_ptr<TSkinScrollbarH> listSkinner_;
  RECT buttonRect_{};

 protected:
  bool HasSkinParts(const TResolvedSkin& skin) const override;
};

// The frame a half of an up-down shows: the half under the cursor pressed or hot, the other
// normal; disabled above all.
TSkinFrame UpDownHalfFrame(bool enabled, bool underCursor, bool pressed, bool hot);

class TSkinUpDown : public TSkinControl {
  UI_CLASS_INFO
 public:
  using TSkinControl::TSkinControl;
  bool BeforeMessage(ui::TMessage& message) override;
  void AfterMessage(ui::TMessage& message) override;
  void Draw(HDC dc, const RECT& rect) override;
  bool Embedded() const { return embedded_; }
  void SetEmbedded(bool value) { embedded_ = value; }
  int Horizontal() const { return horizontal_; }
  void SetHorizontal(int value) { horizontal_ = value; }

 private:
  bool embedded_ = false;
  int horizontal_ = 0;

 protected:
  bool HasSkinParts(const TResolvedSkin& skin) const override;
};

class TArrowButton;

class TSkinDateTime : public TSkinControl {
  UI_CLASS_INFO
 public:
  using TSkinControl::TSkinControl;
  ~TSkinDateTime() override;
  void AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas, bool changeColor) override;
  void AfterMessage(ui::TMessage& message) override;
  void Detach() override;
  void Draw(HDC dc, const RECT& rect) override;
  TArrowButton* Arrow() const { return arrow_.get(); }

 private:
  std::unique_ptr<TArrowButton> arrow_;

 protected:
  bool HasSkinParts(const TResolvedSkin& skin) const override;
};

// A small window laid over a date-time picker's drop-down button: it shows the skin's combo
// arrow and hands clicks to the picker, which opens its calendar as if its own button were
// clicked.
class TArrowButton {
 public:
  explicit TArrowButton(TSkinDateTime& owner);
  ~TArrowButton();
  TArrowButton(const TArrowButton&) = delete;
  TArrowButton& operator=(const TArrowButton&) = delete;
  // Places the button over the picker's drop-down button.
  void Place(HWND picker);
  void PaintTo(HDC dc);
  HWND Handle() const { return window_; }
  bool Hot() const { return hot_; }

 private:
  static LRESULT CALLBACK StaticProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
  void SetHot(bool hot);
  TSkinDateTime& owner_;
  HWND window_ = nullptr;
  HWND picker_ = nullptr;
  int arrowSize_ = 0;
  bool hot_ = false;
};

}  // namespace skin
