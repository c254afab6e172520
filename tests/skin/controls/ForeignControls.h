// Test doubles for control classes of other libraries that the attachment rules name: small
// classes of our own that register those class names and the published properties the rules
// read, so that the skinners meet them exactly as they would meet the real classes.
#pragma once

#include <memory>
#include <vector>

#include "ui/Canvas.h"
#include "ui/Controls.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

namespace ctltest {

using ui::TButton;
using ui::TCustomControl;

// A windowed control of a foreign class: its class name is all the rules see.
#define CTLTEST_FOREIGN_CLASS(Name, Base) \
  class Name : public Base {              \
    UI_CLASS_INFO                         \
   public:                                \
    using Base::Base;                     \
  }

// A check box or radio button of a foreign library that draws glyphs it is given: the
// CustomGlyphs bitmap, its TransparentColor, and UseCustomGlyphs, which the control reads
// anew each time it is switched (the switches are recorded in order).
class TGlyphButtonDouble : public TCustomControl {
  UI_CLASS_INFO
 public:
  explicit TGlyphButtonDouble(ui::TComponent* owner);
  ~TGlyphButtonDouble() override;
  ui::TBitmap* CustomGlyphs() const { return glyphs_.get(); }
  int TransparentColor() const { return transparentColor_; }
  void SetTransparentColor(int value) { transparentColor_ = value; }
  bool UseCustomGlyphs() const { return use_; }
  void SetUseCustomGlyphs(bool value);
  const std::vector<bool>& Switches() const { return switches_; }

 private:
  std::unique_ptr<ui::TBitmap> glyphs_;
  int transparentColor_ = 0;
  bool use_ = false;
  std::vector<bool> switches_;
};
CTLTEST_FOREIGN_CLASS(TRzCheckBox, TGlyphButtonDouble);
CTLTEST_FOREIGN_CLASS(TRzRadioButton, TGlyphButtonDouble);

// The settings object of a foreign check box: its Glyph.
class TcxCheckBoxProperties : public ui::TObject {
  UI_CLASS_INFO
 public:
  TcxCheckBoxProperties();
  ~TcxCheckBoxProperties() override;
  ui::TBitmap* Glyph() const { return glyph_.get(); }

 private:
  std::unique_ptr<ui::TBitmap> glyph_;
};

// A foreign check box whose glyph lies in its Properties object.
class TcxCheckBox : public TCustomControl {
  UI_CLASS_INFO
 public:
  explicit TcxCheckBox(ui::TComponent* owner);
  ~TcxCheckBox() override;
  TcxCheckBoxProperties* Properties() const { return properties_.get(); }

 private:
  std::unique_ptr<TcxCheckBoxProperties> properties_;
};
CTLTEST_FOREIGN_CLASS(TMediaPlayer, TCustomControl);
CTLTEST_FOREIGN_CLASS(TTntComboBox, TCustomControl);
CTLTEST_FOREIGN_CLASS(TRichEdit, TCustomControl);
CTLTEST_FOREIGN_CLASS(TUpDown, TCustomControl);
CTLTEST_FOREIGN_CLASS(TTabSet, TCustomControl);
CTLTEST_FOREIGN_CLASS(TDBNavigator, TCustomControl);
CTLTEST_FOREIGN_CLASS(TMVCPanel, TCustomControl);
CTLTEST_FOREIGN_CLASS(TDBComboBoxEh, TCustomControl);
// A button of a foreign library that the default Skin3rd lines map to "button".
CTLTEST_FOREIGN_CLASS(TRzButton, TCustomControl);
// A container whose name says it is a group of radio buttons (no Skin3rd line).
CTLTEST_FOREIGN_CLASS(TVxRadioGroup, TCustomControl);
// A group of the foreign library the default Skin3rd lines map to "radiogroup".
CTLTEST_FOREIGN_CLASS(TRzRadioGroup, TCustomControl);
// A push button of the program's library under another name (class rules: a TButton).
CTLTEST_FOREIGN_CLASS(TVxButton, TButton);

// A grid with window scroll bars of its own.
class TVxGrid : public ui::TCustomControl {
  UI_CLASS_INFO
 public:
  using ui::TCustomControl::TCustomControl;

 protected:
  void CreateParams(ui::TCreateParams& params) override;
};

// An edit of a foreign library with a number of buttons beside it.
class TDCEdit : public ui::TCustomControl {
  UI_CLASS_INFO
 public:
  using ui::TCustomControl::TCustomControl;
  int NumButtons() const { return numButtons_; }
  void SetNumButtons(int value) { numButtons_ = value; }

 private:
  int numButtons_ = 0;
};

// A button of a foreign library whose Kind says whether it has a drop-down part.
enum TcxButtonKind { cxbkStandard, cxbkDropDown, cxbkDropDownButton };
class TcxButton : public ui::TCustomControl {
  UI_CLASS_INFO
 public:
  using ui::TCustomControl::TCustomControl;
  TcxButtonKind Kind() const { return kind_; }
  void SetKind(TcxButtonKind value) { kind_ = value; }

 private:
  TcxButtonKind kind_ = cxbkStandard;
};

// A track bar of a foreign library with a Transparent switch.
class TVxTrackBar : public ui::TCustomControl {
  UI_CLASS_INFO
 public:
  using ui::TCustomControl::TCustomControl;
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value) { transparent_ = value; }

 private:
  bool transparent_ = false;
};

// A page control of a foreign library that takes its tab pictures through two properties.
class TVxPageControl : public ui::TCustomControl {
  UI_CLASS_INFO
 public:
  using ui::TCustomControl::TCustomControl;
  ui::TBitmap* TabBackGround() const { return background_.get(); }
  ui::TBitmap* TabBackGroundActive() const { return active_.get(); }

 private:
  std::unique_ptr<ui::TBitmap> background_ = std::make_unique<ui::TBitmap>();
  std::unique_ptr<ui::TBitmap> active_ = std::make_unique<ui::TBitmap>();
};

}  // namespace ctltest
