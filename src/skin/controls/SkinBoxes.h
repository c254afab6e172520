// The skinners of controls that mainly show a caption on the face colour: check boxes and
// radio buttons (the mark from the skin's strips, the caption drawn by the skinner), group
// boxes (a rounded frame and the caption), panels (recoloured) and the containers of bare
// windows (their background and static children on the face colour).
#pragma once

#include "skin/controls/SkinClassMacros.h"
#include "skin/controls/SkinControl.h"

namespace skin {

// The state of a check box's mark.
enum TCheckMark { cmUnchecked, cmChecked, cmGrayed };

// The frame of the check strip: 1 unchecked, 2 checked, 3 unchecked and disabled, 4 checked
// and disabled or grayed; a strip of 12 frames (groups of four for unchecked, checked and
// grayed) re-maps these to 1, 5, 4, 8 and a grayed box to 9 (12 when disabled).
int CheckBoxFrame(TCheckMark mark, bool enabled, int frameCount);
// The frame of the radio strip: 1 unchecked, 2 checked, 2 more when disabled; a strip of 8
// frames re-maps 2 to 5, 3 to 4 and 4 to 8.
int RadioButtonFrame(bool checked, bool enabled, int frameCount);

// Check boxes and radio buttons share everything but the strip and the state they read (the
// class information names them as skinned controls directly).
class TSkinMarkButton : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  void AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas, bool changeColor) override;
  bool BeforeMessage(ui::TMessage& message) override;
  void AfterMessage(ui::TMessage& message) override;
  void Draw(HDC dc, const RECT& rect) override;

  // The parent's image is painted behind the control (Tag 5555 or the skin's option).
  bool Transparent() const { return transparent_; }

 protected:
  virtual const TSkinBitmap* Strip() const = 0;
  virtual int StripFrames() const = 0;
  // The frame of the strip for the control's state now.
  virtual int CurrentFrame() = 0;
  // Where the mark sits relative to the right edge when the caption is on the left.
  virtual int RightInset() const = 0;
  void DecideKind();
  bool transparent_ = false;

 protected:
  bool HasSkinParts(const TResolvedSkin& skin) const override;
};

class TSkinCheckBox : public TSkinMarkButton {
  UI_CLASS_INFO
 public:
  using TSkinMarkButton::TSkinMarkButton;
  void AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas, bool changeColor) override;
  void AfterMessage(ui::TMessage& message) override;
  int LastSetCheck() const { return lastSetCheck_; }

 protected:
  const TSkinBitmap* Strip() const override;
  int StripFrames() const override;
  int CurrentFrame() override;
  int RightInset() const override { return 0; }

 private:
  int lastSetCheck_ = 0;
};

class TSkinRadioButton : public TSkinMarkButton {
  UI_CLASS_INFO
 public:
  using TSkinMarkButton::TSkinMarkButton;

 protected:
  const TSkinBitmap* Strip() const override;
  int StripFrames() const override;
  int CurrentFrame() override;
  int RightInset() const override { return 1; }
};

class TSkinGroupBox : public TSkinControl {
  UI_CLASS_INFO
 public:
  using TSkinControl::TSkinControl;
  void AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas, bool changeColor) override;
  bool BeforeMessage(ui::TMessage& message) override;
  void Draw(HDC dc, const RECT& rect) override;
};

// Panels: the skin's face colour instead of the panel's own; the panel's messages are not
// taken over.
class TSkinBox : public TSkinControl {
  UI_CLASS_INFO
 public:
  using TSkinControl::TSkinControl;
  void AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas, bool changeColor) override;
  void Detach() override;
  void AfterMessage(ui::TMessage&) override {}
};

class TSkinBoxH : public TSkinControl {
  UI_CLASS_INFO
 public:
  using TSkinControl::TSkinControl;
  bool BeforeMessage(ui::TMessage& message) override;
};

}  // namespace skin
