// A media player: a bar of up to nine buttons (play, pause, stop, next, previous, step, back,
// record, eject) over the system's media control interface (MCI). Each button shows a glyph
// from the program's bitmap resources (EN_, DI_ and CL_ followed by MPPLAY ... MPEJECT:
// enabled, disabled and coloured, olive being transparent). A press and release over the same
// button calls OnClick and then, unless OnClick said no, does what the button says.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "ui/Canvas.h"
#include "ui/Controls.h"

namespace ui {

enum TMPBtnType { btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject };
const TEnumInfo& MPBtnTypeInfo();
using TButtonSet = int;  // bit 1 << TMPBtnType
constexpr int kMPButtonCount = 9;
constexpr TButtonSet kAllMPButtons = (1 << kMPButtonCount) - 1;

enum TMPModes { mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen };
const TEnumInfo& MPModesInfo();

// The resource names of a button's glyphs: "MPPLAY" ... "MPEJECT".
const wchar_t* MPButtonResourceName(TMPBtnType button);
// The glyph of a button in one look (0 enabled, 1 disabled, 2 coloured) from the program's
// bitmap resource "EN_", "DI_" or "CL_" followed by the button's name; none when the program
// carries no such resource. Olive is the glyphs' transparent colour.
std::unique_ptr<TBitmap> LoadMPButtonGlyph(TMPBtnType button, int look);
constexpr COLORREF kMPGlyphKey = RGB(128, 128, 0);

using TMPBtnClickEvent = std::function<void(TObject* sender, TMPBtnType button, bool& doDefault)>;

class TMediaPlayer : public TCustomControl {
  UI_CLASS_INFO
 public:
  explicit TMediaPlayer(TComponent* owner);
  ~TMediaPlayer() override;

  TButtonSet VisibleButtons() const { return visible_; }
  void SetVisibleButtons(TButtonSet value);
  TButtonSet EnabledButtons() const { return enabled_; }
  void SetEnabledButtons(TButtonSet value);
  TButtonSet ColoredButtons() const { return colored_; }
  void SetColoredButtons(TButtonSet value);
  std::wstring FileName() const { return fileName_; }
  void SetFileName(const std::wstring& value) { fileName_ = value; }
  // Opens FileName when the player's window is made.
  bool AutoOpen() const { return autoOpen_; }
  void SetAutoOpen(bool value) { autoOpen_ = value; }

  // The media control commands; each answers false and sets Error when the system refused.
  bool Open();
  void Close();
  bool Play();
  bool Pause();
  bool Stop();
  bool Next();      // to the end
  bool Previous();  // to the start
  bool Step();
  bool Back();
  bool StartRecording();
  bool Eject();
  bool IsOpen() const { return device_ != 0; }
  TMPModes Mode() const;
  // The last command's error number (0: none) and the system's text for it.
  unsigned Error() const { return error_; }
  std::wstring ErrorMessage() const;

  // Where each visible button lies (client coordinates); an empty rectangle for the others.
  RECT ButtonRect(TMPBtnType button) const;
  // The visible button at a client point; -1 for none.
  int ButtonAt(POINT p) const;
  // The glyph of a button in one look (0 enabled, 1 disabled, 2 coloured); none when the
  // program carries no such resource.
  TBitmap* Glyph(TMPBtnType button, int look) const;

  TMPBtnClickEvent OnClick;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

 protected:
  void Paint() override;
  void CreateHandleDone() override;

 private:
  bool Command(UINT command, DWORD_PTR flags, void* params);
  void RunButton(TMPBtnType button);

  TButtonSet visible_ = kAllMPButtons, enabled_ = kAllMPButtons, colored_ = kAllMPButtons;
  std::wstring fileName_;
  bool autoOpen_ = false;
  UINT device_ = 0;  // MCI device id; 0 while closed
  unsigned error_ = 0;
  int pressed_ = -1;  // the button pressed with the mouse, until it is released
  std::array<std::array<std::unique_ptr<TBitmap>, 3>, kMPButtonCount> glyphs_;
};

}  // namespace ui
