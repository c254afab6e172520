// TCaptionButtonStrip: the caption buttons of one frame. It makes one button per caption-button
// definition of the skin, and one in the system's look for each of the close, maximize,
// minimize and icon buttons, shown where the skin has none of that kind it can draw (see
// CaptionButtonFallback.h). It lays them out once per size, state or style change (painting and
// hit-testing both read the Enabled and Bounds stored then), holds the button pressed with the
// mouse captured, and runs the hover check that ends a hot look the cursor left.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "skin/model/SkinObjects.h"
#include "skin/frame/CaptionButtons.h"
#include "skin/frame/NCObject.h"
#include "ui/Timer.h"

namespace skin {

class TWinSysButton;

// What the strip needs of the frame that shows it.
class TCaptionStripHost {
 public:
  // The window whose title bar holds the buttons (and that takes the mouse capture).
  virtual HWND StripWindow() const = 0;
  // A screen point in window coordinates (origin at the window's top-left corner).
  virtual POINT StripPoint(POINT screen) const = 0;
  // Whether the frame runs (the hover check does nothing otherwise).
  virtual bool StripRunning() const = 0;
  // Shows a button's new state.
  virtual void ShowButton(TWinSysButton& button) = 0;

 protected:
  ~TCaptionStripHost() = default;
};

// A caption button made from the skin's definition.
class TWinSysButton final : public TNCObject {
 public:
  TWinSysButton(TNCHotItem& hot, TCaptionStripHost& host, const TDataSkinSysButton& definition)
      : TNCObject(hot), host_(host), definition_(definition) {}
  const TDataSkinSysButton& Definition() const { return definition_; }
  int Action() const { return definition_.Action; }
  void Paint() override { host_.ShowButton(*this); }

  // Whether the button is drawn in the system's look, with the DrawFrameControl kind
  // NativeLook; otherwise the skin's picture (or, for an icon button, the window's icon) shows
  // it. Set by the layout.
  bool Native = false;
  UINT NativeLook = 0;
  // Whether the command of a button in the system's look is available (else it shows greyed).
  bool NativeAvailable = true;

 private:
  TCaptionStripHost& host_;
  const TDataSkinSysButton& definition_;
};

class TCaptionButtonStrip {
 public:
  using TDefinitions = std::vector<std::unique_ptr<TDataSkinSysButton>>;
  using TButtons = std::vector<std::unique_ptr<TWinSysButton>>;

  TCaptionButtonStrip(TCaptionStripHost& host, TNCHotItem& hot) : host_(host), hot_(hot) {}
  TCaptionButtonStrip(const TCaptionButtonStrip&) = delete;
  TCaptionButtonStrip& operator=(const TCaptionButtonStrip&) = delete;

  const TButtons& Buttons() const { return buttons_; }
  // Frees the buttons; a pressed one gives the capture back, and no item stays hot.
  void Clear();
  // One button per definition, in the skin's order, then the buttons in the system's look.
  void Make(const TDefinitions& definitions);
  // Whether every button refers to the definition at its place. A skin that was loaded anew
  // (and freed the definitions the buttons were made from) fails the test.
  bool MadeFrom(const TDefinitions& definitions) const;
  // Which buttons are shown (Enabled) and their Bounds for a window `frameWidth` wide: the
  // skin's buttons it can draw; those it cannot, in the system's look at their place; and a
  // button in the system's look for each command the window has that no skin button shows. A
  // button that went away is neither hot nor pressed any more.
  void Layout(int frameWidth, bool hasCaption, const TCaptionContext& context,
              const TMenuBarPlace& menuBar);
  // The window width the buttons were last laid out for (0 before the first layout).
  int LayoutWidth() const { return layoutWidth_; }
  // The first shown button with an action that is not negative whose Bounds contain the point
  // (window coordinates), or none.
  TWinSysButton* ButtonAt(POINT windowPoint) const;

  // The button held pressed with the mouse captured, or none.
  TWinSysButton* Pressed() const { return pressed_; }
  // Presses the button and captures the mouse: the release may come anywhere on the screen.
  void Press(TWinSysButton& button);
  // While a button is held pressed: it shows pressed only while the cursor is over it; the
  // release over it answers its action, elsewhere nothing; losing the capture ends the press.
  // True when the message was consumed.
  bool TrackPressed(UINT msg, LPARAM lParam, std::optional<int>& action);
  // Ends a press without a release (the frame lets go of its window).
  void DropPress();

  // The hover check runs while the frame runs and the window is active.
  void SetHoverTimer(bool on);
  bool HoverTimerEnabled() const { return hoverTimer_ && hoverTimer_->Enabled(); }
  // Ends the hot look of an item the cursor has left (the hover timer's tick).
  void CheckHover();

 private:
  std::optional<int> Release(POINT windowPoint);
  void ReleaseCapture() const;
  void LayoutSkinButtons(int frameWidth, bool hasCaption, const TCaptionContext& context,
                         const TMenuBarPlace& menuBar);
  void LayoutFallbacks(int frameWidth, bool hasCaption, const TCaptionContext& context,
                       const TMenuBarPlace& menuBar);
  void Hide(TWinSysButton& button);

  TCaptionStripHost& host_;
  TNCHotItem& hot_;
  TButtons buttons_;
  std::size_t skinButtons_ = 0;  // the first ones of buttons_, made from the skin
  TDefinitions fallbacks_;       // the definitions of the buttons in the system's look
  TWinSysButton* pressed_ = nullptr;  // pressed, the mouse captured until it is released
  int layoutWidth_ = 0;
  std::unique_ptr<ui::TTimer> hoverTimer_;
};

}  // namespace skin
