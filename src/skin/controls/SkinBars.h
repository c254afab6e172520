// The skinners of the bar controls: progress bars (the skin's trough and fill, or chunks),
// track bars (channel and thumb from the skin through the control's custom-draw
// notifications, the ticks left to the control), status bars (panel edges, texts and the
// size grip, composed off screen) and bare size grips.
#pragma once

#include <windows.h>

#include <string>

#include "skin/controls/SkinControl.h"

namespace skin {

// The length of a progress bar's fill: none without a range or at the lower limit, else the
// share of `length` that the position has come of the way from the lower to the upper limit.
int ProgressFillLength(int length, int position, int lowerLimit, int upperLimit);

// What a track bar's custom-draw notification is answered and which part the skinner draws.
enum class TTrackPart { None, Channel, Thumb };
struct TTrackDrawStep {
  LRESULT Answer = CDRF_DODEFAULT;
  TTrackPart Draw = TTrackPart::None;
};
TTrackDrawStep TrackBarDrawStep(DWORD drawStage, DWORD_PTR item);

// The frame of the three-frame status-bar edge for a panel's bevel: 1 lowered, 2 raised,
// 3 none.
enum TStatusBevel { sbvLowered, sbvRaised, sbvNone };
int StatusEdgeFrame(TStatusBevel bevel);

// One status-bar part as the window holds it: its text with the leading tabs that align it
// taken off, the alignment they gave and the bevel of the part's drawing flags.
struct TStatusPart {
  std::wstring Text;
  UINT Alignment = DT_LEFT;
  TStatusBevel Bevel = sbvLowered;
  bool RightToLeft = false;
};
// `text` is the part's text as SB_GETTEXT gives it; `flags` the high word of its answer.
TStatusPart ReadStatusPart(const std::wstring& text, UINT flags);

class TSkinProgress : public TSkinControl {
  UI_CLASS_INFO
 public:
  using TSkinControl::TSkinControl;
  bool BeforeMessage(ui::TMessage& message) override;
  void Draw(HDC dc, const RECT& rect) override;

 private:
  // The bar lying (left to right) in a face-coloured bitmap of width x height.
  void DrawLying(HDC dc, int width, int height);
  void DrawChunks(HDC dc, int width, int height, int fill);

 protected:
  bool HasSkinParts(const TResolvedSkin& skin) const override;
};

class TSkinTrackBar : public TSkinControl {
  UI_CLASS_INFO
 public:
  using TSkinControl::TSkinControl;
  bool BeforeMessage(ui::TMessage& message) override;
  void SkinChanged() override;

 private:
  LRESULT CustomDraw(const NMCUSTOMDRAW& draw);
  bool Vertical() const;
  void DrawChannel(HDC dc);
  void DrawThumb(HDC dc);

 protected:
  bool HasSkinParts(const TResolvedSkin& skin) const override;
};

class TSkinStatusBar : public TSkinControl {
  UI_CLASS_INFO
 public:
  using TSkinControl::TSkinControl;
  bool BeforeMessage(ui::TMessage& message) override;
  void Draw(HDC dc, const RECT& rect) override;

 private:
  void DrawSimple(ui::TCanvas& canvas, const RECT& rect);
  void DrawPanels(ui::TCanvas& canvas, const RECT& rect);
  // The application draws its owner-drawn panels over the finished bar.
  void DrawOwnerPanels(HDC dc, const RECT& rect);
  void DrawEdge(HDC dc, const RECT& rect, TStatusBevel bevel) const;
  void DrawSizeGrip(HDC dc, const RECT& rect) const;
  // Where the size grip is drawn in a bar of `rect`; empty without one.
  RECT GripRect(const RECT& rect) const;
  void DrawPanelText(ui::TCanvas& canvas, const RECT& rect, UINT alignment,
                     const std::wstring& text) const;
  bool RightToLeft() const;
  void UseWindowFont(ui::TCanvas& canvas) const;

 protected:
  bool HasSkinParts(const TResolvedSkin& skin) const override;
};

class TSkinSizer : public TSkinControl {
  UI_CLASS_INFO
 public:
  using TSkinControl::TSkinControl;
  void Draw(HDC dc, const RECT& rect) override;
};

}  // namespace skin
