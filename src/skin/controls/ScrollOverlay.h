// TWScrollbar: a small skinned window laid exactly over one native scroll bar. Native scroll
// bars cannot be repainted from outside, so the panel paints the skin's arrows, track and
// thumb in their place and keeps itself above the control. A press on the panel is handed to
// the native bar, so the platform's own tracking loop scrolls, repeats and drags; while that
// loop runs the panel paints the thumb where the cursor has dragged it.
#pragma once

#include <windows.h>

#include <memory>

#include "skin/data/WinSkinData.h"
#include "ui/Controls.h"

namespace skin {

// Parts of a scroll bar. The codes are the platform's scroll notification codes, so the code
// of a WM_VSCROLL/WM_HSCROLL can be stored as the part it concerns.
enum TScrollPart {
  spNone = -1,
  spFirstArrow = 0,   // up or left
  spSecondArrow = 1,  // down or right
  spPageBefore = 2,
  spPageAfter = 3,
  spThumb = 5,
};

// The part a scroll notification code concerns; none for every other code (the end of
// scrolling among them).
int ScrollPartOfCode(int code);

// Kinds of panel.
enum TScrollPanelKind { spkHorizontal = 0, spkVertical = 1, spkControl = 2 };

// A bar along its axis: its length, the arrow length and the thumb's extent, in pixels from the
// bar's start.
struct TBarGeometry {
  int Length = 0;
  int Arrow = 0;
  int ThumbStart = 0;
  int ThumbEnd = 0;
};

// The part under a point `along` pixels from the bar's start.
int HitTestBar(const TBarGeometry& bar, int along);

// The thumb of a scroll-bar control worked out from its range, page and position, for a bar of
// `length` pixels with arrows of `arrow` pixels.
TBarGeometry ControlBarGeometry(int length, int arrow, int min, int max, int page, int position);

// The thumb moved by `delta` pixels from where it was when the press began, kept between the
// two arrows; its length stays.
TBarGeometry DraggedThumb(const TBarGeometry& bar, int savedThumbStart, int delta);

// The frames the panel draws for a state: arrows and grip from the 23-frame scroll-bar strip,
// the track from its 4-frame strip, the thumb from its strip.
struct TBarFrames {
  int FirstArrow = 0;
  int SecondArrow = 0;
  int Track = 0;
  int Thumb = 0;
  int Grip = 0;
};
TBarFrames ScrollBarFrames(bool vertical, bool enabled, int hotPart, bool tracking);

class TSkinControl;

class TWScrollbar {
 public:
  // A panel of the kind for the skinner's control; no window until it is attached.
  TWScrollbar(TSkinControl& owner, TScrollPanelKind kind);
  ~TWScrollbar();
  TWScrollbar(const TWScrollbar&) = delete;
  TWScrollbar& operator=(const TWScrollbar&) = delete;

  // Covers the scroll bar of `target` (its window scroll bar of the panel's kind, or the
  // whole scroll-bar control); `control` is the target's class-library object when there is
  // one (it gives the panel's colour and, for a scroll-bar control, its orientation).
  void Attach(HWND target, ui::TControl* control);
  void Hide();
  // Places the panel over the native bar (or hides it when the bar is not shown).
  void Reposition();
  // Paints the panel at once (it may have been painted over).
  void Refresh();
  // Paints the panel's picture into a device context of the panel's size.
  void PaintTo(HDC dc);

  HWND Handle() const { return window_; }
  HWND Target() const { return target_; }
  bool Shown() const { return shown_; }
  TScrollPanelKind Kind() const { return kind_; }
  int Orientation() const { return orientation_; }
  int HotPart() const { return hotPart_; }
  void SetHotPart(int part);
  bool Tracking() const { return tracking_; }
  int ArrowSize() const { return arrowSize_; }
  // The native bar's rectangle in the target's client coordinates, as last placed.
  RECT BarRect() const { return barRect_; }
  // The bar as the panel would paint it now.
  TBarGeometry Geometry();
  int HitTest(POINT p);

 private:
  struct TNativeBar {
    RECT Screen{};     // the bar's rectangle on the screen (kind 2: the control's bounds)
    TBarGeometry Bar;
    bool Visible = false;
    bool Enabled = false;
  };
  bool ReadNative(TNativeBar& bar);
  bool Vertical() const { return orientation_ != spkHorizontal; }
  void EnsureWindow();
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
  void Press(LPARAM lParam);
  void Release(LPARAM lParam);
  void MouseMove(LPARAM lParam);
  void Paint();
  static LRESULT CALLBACK StaticProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

  TSkinControl& owner_;
  TScrollPanelKind kind_;
  int orientation_ = 0;
  HWND window_ = nullptr;
  HWND target_ = nullptr;
  ui::TControl* targetControl_ = nullptr;
  ui::TColor colour_ = ui::clBtnFace;
  int arrowSize_ = 0;
  int length_ = 0;
  int thumbStart_ = 0, thumbEnd_ = 0;
  POINT screenOrigin_{};
  POINT dragOrigin_{};
  int savedThumbStart_ = 0;
  bool tracking_ = false;
  int hotPart_ = spNone;
  RECT barRect_{};
  bool shown_ = false;
  bool leaveRequested_ = false;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace skin
