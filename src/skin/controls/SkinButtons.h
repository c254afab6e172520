// The push-button skinners: plain push buttons, buttons with a glyph, windowless tool buttons
// and buttons with a drop-down arrow. Each composes its face off screen (face colour or the
// parent's image, the frame of the skin's Buttons element for its state, glyph, caption and
// focus rectangle) and copies it to the control in one operation.
#pragma once

#include <memory>
#include <string>

#include "skin/controls/SkinControl.h"
#include "ui/Buttons.h"

namespace skin {

// The frames of the Buttons strip each kind of button shows for a state (1 normal,
// 2 pressed, 3 disabled, 4 hot, 5 focused).
// Push buttons: focused, then pressed or else hot, then disabled, each later rule winning.
TSkinFrame ButtonFrame(const TSkinState& state);
// Glyph buttons: pressed before hot before focused; disabled wins.
TSkinFrame BitButtonFrame(const TSkinState& state);
// Drop-down buttons: pressed, then focused or hot alike; disabled wins.
TSkinFrame MenuButtonFrame(const TSkinState& state);
// Speed buttons: pressed before hot; a button that is down shows pressed whatever else;
// otherwise disabled wins. Speed buttons take no focus.
TSkinFrame SpeedButtonFrame(const TSkinState& state, bool down);
// The picture of a glyph strip (1 up, 2 disabled, 3 pressed, 4 down) shown with a frame.
int GlyphForFrame(TSkinFrame frame, bool down);
// The caption as drawn: its first "||" becomes a line break.
std::wstring BreakCaption(const std::wstring& caption);

// A plain push button. The native button never sees a left-button press (so it never
// captures the mouse nor paints itself pressed); the skinner produces the click itself on a
// release inside the button after a press on it.
class TSkinButton : public TSkinControl {
  UI_CLASS_INFO
 public:
  explicit TSkinButton(ui::TComponent* owner);
  ~TSkinButton() override;

  void AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas, bool changeColor) override;
  bool BeforeMessage(ui::TMessage& message) override;
  void AfterMessage(ui::TMessage& message) override;
  void Draw(HDC dc, const RECT& rect) override;

  bool Transparent() const { return transparent_; }
  // The control's class is a foreign one whose own mouse-down handler is left alone.
  bool ForeignClass() const { return kind_ != 0; }
  ui::TBitmap& FaceBitmap() { return *face_; }

 protected:
  // The state read from the window (focus, enabled) and the skinner's own hot and pressed.
  TSkinState ReadState();
  // The Buttons element, or none when the skin has no usable one.
  const TDataSkinButton* ButtonsElement() const;
  // Sizes the face to the rectangle and paints the background and the skin frame on it.
  HDC BeginFace(const RECT& rect, int frame);
  // The caption's font selected into the face; answers the font it replaced.
  HGDIOBJ SelectCaptionFont(HDC dc);
  // The text colour of the caption for the frame shown.
  COLORREF CaptionColour(int frame) const;
  // Draws the caption centred (or aligned) in the rectangle with the focus rectangle when
  // focused; the first "||" breaks the line.
  void DrawButtonCaption(HDC dc, const RECT& rect, UINT alignment, const std::wstring& text);
  // Text and focus rectangle at a laid-out place (glyph and drop-down buttons).
  void DrawPlacedCaption(HDC dc, const RECT& textRect, UINT flags, const std::wstring& text);
  // The control's caption (the window text for a bare window).
  std::wstring ReadCaption() const;
  // The click of a press and release inside the button.
  void ClickControl();

  std::unique_ptr<ui::TBitmap> face_;
  bool transparent_ = false;

 protected:
  bool HasSkinParts(const TResolvedSkin& skin) const override;
};

class TSkinBitButton : public TSkinButton {
  UI_CLASS_INFO
 public:
  using TSkinButton::TSkinButton;
  // The published graphic property that holds a foreign button class's glyph; empty for
  // ordinary glyph buttons.
  const std::wstring& GlyphProperty() const { return glyphProperty_; }
  void SetGlyphProperty(const std::wstring& name) { glyphProperty_ = name; }

  void Draw(HDC dc, const RECT& rect) override;

 protected:
  // The glyph and caption of the face laid out by the control's Layout, Margin and Spacing.
  void DrawGlyphFace(HDC dc, const RECT& rect, int frame, int glyph, ui::TGlyphLayoutRule rule);

 private:
  std::wstring glyphProperty_;
};

// A windowless tool button: painted on its parent's canvas and fed mouse messages by its
// parent. Its click stays the control's own.
class TSkinSpeedButton : public TSkinBitButton {
  UI_CLASS_INFO
 public:
  using TSkinBitButton::TSkinBitButton;
  ~TSkinSpeedButton() override;

  // Attaches to the speed button that owns the skinner: there is no window.
  void AttachGraphic(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas);
  bool BeforeMessage(ui::TMessage& message) override;
  void AfterMessage(ui::TMessage& message) override;
  void PaintWindow(HDC dc) override;
  void Draw(HDC dc, const RECT& rect) override;

 private:
  bool painting_ = false;
};

// A button with a drop-down arrow at its right.
class TSkinMenuButton : public TSkinButton {
  UI_CLASS_INFO
 public:
  using TSkinButton::TSkinButton;
  void Draw(HDC dc, const RECT& rect) override;
};

}  // namespace skin
