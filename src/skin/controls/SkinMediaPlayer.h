// The media player's skinner: a panel laid over the player (TWMediaPlayer) that paints its
// buttons from the skin's Buttons element with the program's own glyphs, and hands the presses
// and releases on a button to the player underneath, so that the player's own click and
// command follow.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "skin/controls/SkinControl.h"
#include "ui/ExtCtrls.h"
#include "ui/MPlayer.h"

namespace skin {

// The buttons (bit 1 << TMPBtnType) whose identifiers occur in the text of a button-set
// property ("[btPlay,btStop]"), in any letter case.
ui::TButtonSet ButtonsInSetText(const std::wstring& text);
// The Buttons frame of a media-player button: 2 while it is the one pressed, 3 disabled,
// else 1.
TSkinFrame MPButtonFrame(bool pressedHere, bool enabled);
// The glyph look of a button: 1 disabled, 2 coloured, else 0 (enabled).
int MPGlyphLook(bool enabled, bool colored);

class TSkinMP;

class TWMediaPlayer : public ui::TCustomPanel {
  UI_CLASS_INFO
 public:
  // A panel for `player`; its glyphs are loaded now and freed with it.
  TWMediaPlayer(ui::TControl& player, TSkinData* skinData);
  ~TWMediaPlayer() override;

  // Reads the player's button sets and paints the picture into a device context of the
  // panel's size.
  void PaintTo(HDC dc);
  // The visible button whose slot holds x (client coordinates); -1 for none.
  int ButtonAt(int x) const;

  bool Pressed() const { return pressed_; }
  int PressedIndex() const { return pressedIndex_; }
  int HitIndex() const { return hitIndex_; }
  int ButtonWidth() const { return buttonWidth_; }
  int VisibleCount() const { return visibleCount_; }
  ui::TBitmap* Glyph(ui::TMPBtnType button, int look) const;
  void WndProc(ui::TMessage& message) override;

 protected:
  void Paint() override;

 private:
  struct TButton {
    bool Visible = false, Enabled = false, Colored = false;
    std::array<std::unique_ptr<ui::TBitmap>, 3> Glyphs;  // enabled, disabled, coloured
  };
  void ReadButtons();
  void DrawButton(HDC dc, int button, const RECT& slot);

  std::array<TButton, ui::kMPButtonCount> buttons_;
  TSkinData* skinData_;
  bool pressed_ = false;
  int pressedIndex_ = -1;  // the button (TMPBtnType) pressed, -1 for none
  int hitIndex_ = -1;
  int buttonWidth_ = 0;
  int visibleCount_ = 0;
  ui::TControl& player_;
};

class TSkinMP : public TSkinControl {
  UI_CLASS_INFO
 public:
  using TSkinControl::TSkinControl;
  ~TSkinMP() override;

  void AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas, bool changeColor) override;
  void AfterMessage(ui::TMessage& message) override;
  void Detach() override;
  void SkinChanged() override;

  TWMediaPlayer* Overlay() const { return overlay_; }

 protected:
  void Notification(ui::TComponent* component, ui::TOperation operation) override;

 private:
  void FreeOverlay();
  TWMediaPlayer* overlay_ = nullptr;

 protected:
  bool HasSkinParts(const TResolvedSkin& skin) const override;
};

}  // namespace skin
