// A status bar (the common control): one simple text, or panels of given widths side by side,
// the last reaching the right edge; a size grip in the corner when asked for. And the date and
// time picker, the other common control that reports its changes through notifications.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/StdCtrls.h"

namespace ui {

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
const TEnumInfo& StatusPanelBevelInfo();
// A panel shows its text, or is drawn by the bar's OnDrawPanel.
enum TStatusPanelStyle { psText, psOwnerDraw };
const TEnumInfo& StatusPanelStyleInfo();
enum TDateTimeKind { dtkDate, dtkTime };
const TEnumInfo& DateTimeKindInfo();
enum TDTDateFormat { dfShort, dfLong };
const TEnumInfo& DTDateFormatInfo();

class TStatusBar;
class TStatusPanel;
class TCanvas;

// Draws an owner-drawn panel onto the bar's Canvas within `rect`.
using TDrawPanelEvent = std::function<void(TStatusBar* bar, TStatusPanel* panel, const RECT& rect)>;

class TStatusPanel : public TObject {
  UI_CLASS_INFO
 public:
  explicit TStatusPanel(TStatusBar& bar) : bar_(bar) {}

  std::wstring Text() const { return text_; }
  void SetText(const std::wstring& text);
  int Width() const { return width_; }
  void SetWidth(int value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TStatusPanelBevel Bevel() const { return bevel_; }
  void SetBevel(TStatusPanelBevel value);
  TStatusPanelStyle Style() const { return style_; }
  void SetStyle(TStatusPanelStyle value);

 private:
  TStatusBar& bar_;
  std::wstring text_;
  TStatusPanelStyle style_ = psText;
  int width_ = 50;
  TAlignment alignment_ = taLeftJustify;
  TStatusPanelBevel bevel_ = pbLowered;
};

class TStatusPanels : public TObject {
  UI_CLASS_INFO
 public:
  explicit TStatusPanels(TStatusBar& bar) : bar_(bar) {}
  TStatusPanel* Add();
  void Clear();
  int Count() const { return static_cast<int>(panels_.size()); }
  // Nothing out of range.
  TStatusPanel* Items(int index) const;

 private:
  TStatusBar& bar_;
  std::vector<std::unique_ptr<TStatusPanel>> panels_;
};

class TStatusBar : public TWinControl {
  UI_CLASS_INFO
 public:
  explicit TStatusBar(TComponent* owner);
  ~TStatusBar() override;

  TStatusPanels* Panels() const { return panels_.get(); }
  // One text across the whole bar instead of the panels.
  bool SimplePanel() const { return simplePanel_; }
  void SetSimplePanel(bool value);
  std::wstring SimpleText() const { return simpleText_; }
  void SetSimpleText(const std::wstring& text);
  bool SizeGrip() const { return sizeGrip_; }
  void SetSizeGrip(bool value);
  // Gives the window the panels as they are now.
  void UpdatePanels();

  // Called for each owner-drawn panel when the bar paints it; draws on Canvas().
  TDrawPanelEvent OnDrawPanel;
  // The canvas of the panel being drawn, bound to its device context for the event's call.
  TCanvas* Canvas() const { return canvas_.get(); }
  // Runs OnDrawPanel for the panel at `index` into `dc` within `rect`; nothing for a panel
  // that is not owner-drawn or without a handler.
  void DrawPanel(HDC dc, int index, const RECT& rect);

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  // The panels' widths scale with the bar.
  void ScaleSelf(int m, int d) override;

 private:
  std::unique_ptr<TStatusPanels> panels_;
  std::unique_ptr<TCanvas> canvas_;
  bool simplePanel_ = false, sizeGrip_ = true;
  std::wstring simpleText_;
};

// A date or a time in an edit with a drop-down calendar (dates) or up-down arrows (times).
class TDateTimePicker : public TWinControl {
  UI_CLASS_INFO
 public:
  explicit TDateTimePicker(TComponent* owner);

  SYSTEMTIME DateTime() const;
  void SetDateTime(const SYSTEMTIME& value);
  TDateTimeKind Kind() const { return kind_; }
  void SetKind(TDateTimeKind value);
  TDTDateFormat DateFormat() const { return dateFormat_; }
  void SetDateFormat(TDTDateFormat value);
  bool DroppedDown() const;

  TNotifyEvent OnChange;
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void DestroyWnd() override;

 private:
  SYSTEMTIME value_{};
  TDateTimeKind kind_ = dtkDate;
  TDTDateFormat dateFormat_ = dfShort;
};

}  // namespace ui
