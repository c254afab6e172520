// Buttons with a glyph: TBitBtn (a windowed push button that draws its glyph and caption
// itself) and TSpeedButton (a windowless tool button, alone or in a group of which one is
// down). Both lay glyph and caption out with LayoutGlyphButton, which the skinners use too.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/Canvas.h"
#include "ui/ImgList.h"
#include "ui/StdCtrls.h"

namespace ui {

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
const TEnumInfo& ButtonLayoutInfo();
enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry,
                   bkIgnore, bkAll };
const TEnumInfo& BitBtnKindInfo();

// Where a glyph and a caption go in a button's client area of `client` size: the glyph's
// top-left corner, the caption's rectangle and the DrawText flags to draw it with.
struct TGlyphButtonLayout {
  POINT Glyph{0, 0};
  RECT Text{0, 0, 0, 0};
  UINT TextFlags = DT_WORDBREAK;
};

// How a margin of -1 with a given spacing centres the pair: push buttons put the pair in
// the middle; tool buttons (speed buttons) one pixel further on, and take no `centred`.
enum TGlyphLayoutRule { glPushButton, glSpeedButton };

// The arithmetic both the library and the skinners use. Along the layout's axis the glyph
// and caption are placed `margin` from the edge and `spacing` apart; a margin of -1 (or
// `centred`) centres the pair, a spacing of -1 spreads them out evenly. Across it each is
// centred. `text` is the caption's measured size ((0, 0) for no caption).
TGlyphButtonLayout LayoutGlyphButton(SIZE client, SIZE glyph, SIZE text, TButtonLayout layout,
                                     int margin, int spacing, bool centred,
                                     TGlyphLayoutRule rule = glPushButton);

// The size of the caption as a glyph button draws it: word-wrapped within the client area
// less 2 pixels on each side and less the glyph (and 2 pixels) along the layout's axis;
// (0, 0) for no caption. Measured with the font selected into `dc`.
SIZE MeasureGlyphButtonCaption(HDC dc, const std::wstring& caption, SIZE client, SIZE glyph,
                               TButtonLayout layout);

// Draws picture `index` (0 up, 1 disabled, 2 pressed, 3 down; the first when the strip of
// `numGlyphs` has fewer) of a glyph strip at `at`, transparent in the colour of the strip's
// bottom-left pixel. A disabled picture the strip does not have is the first one greyed.
void DrawButtonGlyph(HDC dc, POINT at, const TBitmap& strip, int numGlyphs, int index);

// The glyph picture of a button: a strip of NumGlyphs pictures of equal width (up, disabled,
// pressed, down), transparent in the colour of the strip's bottom-left pixel.
class TButtonGlyph {
 public:
  TButtonGlyph();
  TBitmap* Bitmap() const { return bitmap_.get(); }
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int value);
  // The size of one picture; (0, 0) when there is none.
  SIZE Size() const;
  // Draws picture `index` (0 up, 1 disabled, 2 pressed, 3 down; the first when the strip has
  // fewer) at `at`. A disabled button without a picture of its own shows the first greyed.
  void Draw(HDC dc, POINT at, int index) const;

 private:
  std::unique_ptr<TBitmap> bitmap_;
  int numGlyphs_ = 1;
};

// A push button that draws its own face (owner-drawn), as the default button too.
class TOwnerDrawButton : public TButton {
 public:
  using TButton::TButton;
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  virtual void DrawItem(const DRAWITEMSTRUCT& item) = 0;
  // The system's push-button face, pushed while selected, framed black when default or
  // focused; answers the area inside it.
  RECT DrawPushFace(HDC dc, const DRAWITEMSTRUCT& item) const;
};

// A push button with a glyph beside its caption, drawn by the button itself.
class TBitBtn : public TOwnerDrawButton {
  UI_CLASS_INFO
 public:
  explicit TBitBtn(TComponent* owner);
  ~TBitBtn() override;

  TBitmap* Glyph() const { return glyph_.Bitmap(); }
  int NumGlyphs() const { return glyph_.NumGlyphs(); }
  void SetNumGlyphs(int value);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout value);
  int Margin() const { return margin_; }
  void SetMargin(int value);
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);
  TBitBtnKind Kind() const { return kind_; }
  void SetKind(TBitBtnKind value);
  // Without a glyph the button shows picture ImageIndex of Images, and DisabledIndex (or
  // ImageIndex when that is -1) while disabled; -1 shows none.
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* images);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);
  int DisabledIndex() const { return disabledIndex_; }
  void SetDisabledIndex(int value);
  // The picture of Images shown in the enabled or disabled state.
  int ListIndex(bool enabled) const;

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  void DrawItem(const DRAWITEMSTRUCT& item) override;

 private:

  TButtonGlyph glyph_;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1, spacing_ = 4;
  TBitBtnKind kind_ = bkCustom;
  TCustomImageList* images_ = nullptr;
  int imageIndex_ = -1, disabledIndex_ = -1;
};

class TPopupMenu;

// A push button with a drop-down arrow at its right: a click opens its DropDownMenu below it
// (after OnClick). It draws itself: the caption centred in the part left of the arrow.
class TMenuButton : public TOwnerDrawButton {
  UI_CLASS_INFO
 public:
  explicit TMenuButton(TComponent* owner);
  TPopupMenu* DropDownMenu() const { return dropDownMenu_; }
  void SetDropDownMenu(TPopupMenu* menu);

  void Click() override;

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  void DrawItem(const DRAWITEMSTRUCT& item) override;

 private:

  TPopupMenu* dropDownMenu_ = nullptr;
};

// The arrow of a drop-down button of client size W x H: a small triangle pointing down,
// centred 12 pixels from the right edge, in `colour`.
void DrawDropDownArrow(HDC dc, int width, int height, COLORREF colour);
inline constexpr int kDropDownArrowWidth = 17;

// A windowless button. With a GroupIndex it stays down when clicked, and the other speed
// buttons of its parent with the same GroupIndex come up; AllowAllUp lets a click raise it.
class TSpeedButton : public TGraphicControl {
  UI_CLASS_INFO
 public:
  explicit TSpeedButton(TComponent* owner);

  TBitmap* Glyph() const { return glyph_.Bitmap(); }
  int NumGlyphs() const { return glyph_.NumGlyphs(); }
  void SetNumGlyphs(int value);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout value);
  int Margin() const { return margin_; }
  void SetMargin(int value);
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);
  // A flat button shows its edge only while the mouse is over it or it is down.
  bool Flat() const { return flat_; }
  void SetFlat(bool value);
  bool Down() const { return down_; }
  void SetDown(bool value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value);
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool value);

  void Click() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void WndProc(TMessage& message) override;

 protected:
  void Paint() override;

 private:
  // The others of its group come up when this one goes down.
  void RaiseGroup();

  TButtonGlyph glyph_;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1, spacing_ = 4;
  bool flat_ = false, down_ = false, allowAllUp_ = false;
  int groupIndex_ = 0;
  bool pressed_ = false;   // the left button is held down on it
  bool mouseIn_ = false;   // the mouse is over it
};

}  // namespace ui
