// The skinners of tab controls and their pages. TSkinTab serves tab controls and page
// controls with ordinary tabs on any side (Kind 2: a plain tab control, whose windowless
// children it paints), TSkinTabBtn page controls whose tabs are buttons, TSkinTabSheet one
// page, TSkinTab31 the older tab set and TSkinAdvPage a foreign page control that takes tab
// images through properties.
//
// Tabs on the left or right are composed lying down, as if they were on top, in an off-screen
// row that is turned into place at the end: the skin's tab picture needs no turning and the
// captions read along the side.
#pragma once

#include <memory>
#include <vector>

#include "skin/controls/SkinClassMacros.h"
#include "skin/data/SkinDraw.h"
#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinUpDown;

// Kind of a TSkinTab on a tab control that is not a page control.
constexpr int kTabKindPlain = 2;
// A page control with this Tag and its tabs on top shows a close button on every tab.
constexpr int kClosableTabsTag = 7777;

// The side of a tab control that its tabs are on.
enum TTabSide { tsdTop = 0, tsdBottom = 1, tsdLeft = 2, tsdRight = 3 };

// The side named by a tab control's window style.
TTabSide TabSideOfStyle(DWORD style);

// The frame of the Tabs strip a tab shows: a disabled control's tabs are disabled (3); the
// current tab shows 2, or 5 while its control has the focus; a tab under the mouse shows
// hot (4); others normal (1). A strip with fewer frames falls back to current (2) or normal (1).
TSkinFrame TabFrame(const TSkinState& control, bool current, bool hot, int frameCount);
// The frame of the Buttons strip a button-style tab shows: disabled (3), current (2), under
// the mouse (4), otherwise normal (1).
TSkinFrame TabButtonFrame(const TSkinState& control, bool current, bool hot);

// The part of the window rectangle outside the display rectangle on the tab side.
RECT TabRowRect(const RECT& window, const RECT& display, TTabSide side);
// Where a tab (client coordinates) lies in the row as composed: top and bottom rows as they
// are, left and right rows lying down (see the top of the file). `rowLength` is the row's
// length, `windowRight` the window rectangle's right edge and `bottomRowTop` where a row of
// bottom tabs begins.
RECT TabInRow(const RECT& item, TTabSide side, int rowLength, int windowRight, int bottomRowTop);
// The margins of a picture made for top tabs, once it is turned for the side.
TMargins TurnMargins(const TMargins& margins, TTabSide side);

// Ordinary tabs on any side, optionally with close buttons; the pane under them.
class TSkinTab : public TSkinControl {
  UI_CLASS_INFO
 public:
  explicit TSkinTab(ui::TComponent* owner);
  ~TSkinTab() override;

  void AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas, bool changeColor) override;
  void AttachSkinHandle(HWND handle, TSkinData* skinData, TSkinnerHost* form, ui::TCanvas* canvas) override;
  bool BeforeMessage(ui::TMessage& message) override;
  void AfterMessage(ui::TMessage& message) override;
  void Draw(HDC dc, const RECT& rect) override;
  void SkinChanged() override;

  TTabSide TabPosition() const { return side_; }
  bool Closable() const { return closable_; }
  // Where each tab's close button lies (client coordinates), as last drawn.
  const std::vector<RECT>& CloseRects() const { return closeRects_; }
  // The tab under the mouse, or -1.
  int HotTab() const { return hotTab_; }
  TSkinUpDown* RowUpDown() const { return rowUpDown_; }

 private:
  const TDataSkinObject* TabsElement() const;
  // The tab and pane pictures, turned for the side.
  void LoadImages();
  // The skinner of the row's arrow buttons, once the control has them.
  void FindRowUpDown();
  void DrawRow(HDC dc, const RECT& rect, const RECT& display);
  // The tab's frame over `open` (its face, grown over the pane's edge when it is current) and
  // its caption and close button on `face`.
  void DrawTab(ui::TCanvas& canvas, int index, const RECT& face, const RECT& open, int current,
               HIMAGELIST images);
  void DrawPane(HDC dc, const RECT& display);
  // Asks the form whether the tab may close and frees its page when the answer is 0.
  void CloseTab(int index);
  void SetHotTab(int index);

  std::vector<RECT> closeRects_;
  TTabSide side_ = tsdTop;
  std::unique_ptr<TSkinBitmap> tabImage_;
  std::unique_ptr<TSkinBitmap> paneImage_;
  std::unique_ptr<ui::TBitmap> rowBitmap_;
  std::unique_ptr<ui::TBitmap> face_;  // the whole control, composed off screen
  TSkinUpDown* rowUpDown_ = nullptr;
  bool closable_ = false;
  bool plain_ = false;  // a plain tab control: its windowless children are painted too
  int hotTab_ = -1;

 protected:
  std::vector<TSkinControl*> NestedSkinners() const override;
  bool HasSkinParts(const TResolvedSkin& skin) const override;
};

// A page control whose tabs are buttons: only the button row is drawn; the pages draw the rest.
class TSkinTabBtn : public TSkinControl {
  UI_CLASS_INFO
 public:
  explicit TSkinTabBtn(ui::TComponent* owner);
  ~TSkinTabBtn() override;
  bool BeforeMessage(ui::TMessage& message) override;
  void AfterMessage(ui::TMessage& message) override;
  void Draw(HDC dc, const RECT& rect) override;
  int HotTab() const { return hotTab_; }

 private:
  std::unique_ptr<ui::TBitmap> row_;
  int hotTab_ = -1;

 protected:
  bool HasSkinParts(const TResolvedSkin& skin) const override;
};

// One page of a page control: the skin's face colour and its windowless children.
class TSkinTabSheet : public TSkinControl {
  UI_CLASS_INFO
 public:
  using TSkinControl::TSkinControl;
  bool BeforeMessage(ui::TMessage& message) override;
  void Draw(HDC dc, const RECT& rect) override;
};

// The tab set: tabs hanging from a strip, drawn from the skin's tab picture upside down.
// Tabs that do not fit are left out rather than cut.
class TSkinTab31 : public TSkinControl {
  UI_CLASS_INFO
 public:
  explicit TSkinTab31(ui::TComponent* owner);
  ~TSkinTab31() override;
  void AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas, bool changeColor) override;
  bool BeforeMessage(ui::TMessage& message) override;
  void Draw(HDC dc, const RECT& rect) override;
  void SkinChanged() override;
  // Where each drawn tab lies, by tab index (empty rectangles for tabs not drawn).
  const std::vector<RECT>& TabRects() const { return tabRects_; }

 private:
  void LoadImage();
  // The tab set's tabs laid out in the width, measured in the DC's font.
  void LayOut(HDC dc, int width, int height);
  // Chooses the drawn tab at the point; answers whether one was there.
  bool ChooseAt(POINT p);

  std::unique_ptr<TSkinBitmap> tabImage_;
  std::unique_ptr<ui::TBitmap> face_;
  std::unique_ptr<TSkinUpDown> scrollerUpDown_;
  std::vector<RECT> tabRects_;

 protected:
  std::vector<TSkinControl*> NestedSkinners() const override;
  bool HasSkinParts(const TResolvedSkin& skin) const override;
};

class TSkinAdvPage : public TSkinControl {
  UI_CLASS_INFO
 public:
  using TSkinControl::TSkinControl;
  ~TSkinAdvPage() override;
  // 4: the tab images go to the control's tab-image properties.
  int PageMode() const { return pageMode_; }
  void SetPageMode(int value) { pageMode_ = value; }

  void AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas, bool changeColor) override;
  void Detach() override;
  void Draw(HDC dc, const RECT& rect) override;
  void SkinChanged() override;
  TSkinUpDown* RowUpDown() const { return rowUpDown_; }

 private:
  // Frames 1 and 2 of the Tabs strip, composed to the tab size, into the control's properties.
  void AssignTabImages();
  int pageMode_ = 0;
  TSkinUpDown* rowUpDown_ = nullptr;

 protected:
  std::vector<TSkinControl*> NestedSkinners() const override;
  bool HasSkinParts(const TResolvedSkin& skin) const override;
};

}  // namespace skin
