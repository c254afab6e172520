// The skinners of scroll bars: TSkinScrollbar for controls with window scroll bars (memos,
// list boxes, grids…), TSkinListView for list views (with TSkinHeader on the column header),
// TSkinScrollbarH for bare windows with window scroll bars and TSkinScControl for scroll-bar
// controls. Each lays TWScrollbar panels over the native bars and keeps them in place; the
// controls with window scroll bars tell the frame skinner when they got a new window, so that
// it gives them a fresh skinner.
#pragma once

#include <memory>
#include <vector>

#include "skin/controls/ScrollOverlay.h"
#include "skin/controls/SkinClassMacros.h"
#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinScrollbar : public TSkinControl {
  UI_CLASS_INFO
 public:
  using TSkinControl::TSkinControl;
  ~TSkinScrollbar() override;
  // Attaches to a class-library control with window scroll bars (AttachBars), then decides
  // as Attach does.
  void AttachScrollBars(ui::TControl* control, TSkinData* skinData, TSkinnerHost* form,
                        ui::TCanvas* canvas);
  // Only the vertical bar is skinned.
  bool SingleBar() const { return singleBar_; }
  void SetSingleBar(bool value) { singleBar_ = value; }

  void Detach() override;
  bool BeforeMessage(ui::TMessage& message) override;
  void AfterMessage(ui::TMessage& message) override;
  void Draw(HDC dc, const RECT& rect) override;

  TWScrollbar* HorzBar() const { return horzBar_.get(); }
  TWScrollbar* VertBar() const { return vertBar_.get(); }
  bool DrawBorder() const { return drawBorder_; }

 protected:
  virtual void AttachBars(ui::TControl* control, TSkinData* skinData, TSkinnerHost* form,
                          ui::TCanvas* canvas);
  bool HasSkinParts(const TResolvedSkin& skin) const override;
  // Draws the one-pixel shadow line and the face line inside it around the window.
  void PaintBorder(HDC dc) const;
  void RepositionBars();

 private:
  std::unique_ptr<TWScrollbar> horzBar_;
  std::unique_ptr<TWScrollbar> vertBar_;
  bool drawBorder_ = true;
  bool singleBar_ = false;
  bool fixedColourChanged_ = false;
  int savedFixedColour_ = 0;
};

// The skinner of a header control (column headers): every item from the skin's header strip.
class TSkinHeader : public TSkinControl {
  UI_CLASS_INFO
 public:
  using TSkinControl::TSkinControl;
  void AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas, bool changeColor) override;
  void AttachSkinHandle(HWND handle, TSkinData* skinData, TSkinnerHost* form, ui::TCanvas* canvas) override;
  bool BeforeMessage(ui::TMessage& message) override;
  void AfterMessage(ui::TMessage& message) override;
  void Draw(HDC dc, const RECT& rect) override;

  int HotIndex() const { return hotIndex_; }
  const std::vector<RECT>& ItemRects() const { return itemRects_; }

 private:
  void DrawHeaderItem(HIMAGELIST images, HDC dc, int index, const RECT& rect);
  std::vector<RECT> itemRects_;
  int hotIndex_ = -1;

 protected:
  bool HasSkinParts(const TResolvedSkin& skin) const override;
};

// The frame of the header strip an item shows.
int HeaderItemFrame(bool hot);

class TSkinListView : public TSkinScrollbar {
  UI_CLASS_INFO
 public:
  using TSkinScrollbar::TSkinScrollbar;
  ~TSkinListView() override;
  TSkinHeader* Header() const { return header_.get(); }

 protected:
  void AttachBars(ui::TControl* control, TSkinData* skinData, TSkinnerHost* form,
                  ui::TCanvas* canvas) override;
  std::vector<TSkinControl*> NestedSkinners() const override;

 private:
  std::unique_ptr<TSkinHeader> header_;
};

// A bare window with window scroll bars.
class TSkinScrollbarH : public TSkinControl {
  UI_CLASS_INFO
 public:
  using TSkinControl::TSkinControl;
  ~TSkinScrollbarH() override;
  void AttachSkinHandle(HWND handle, TSkinData* skinData, TSkinnerHost* form, ui::TCanvas* canvas) override;
  void Detach() override;
  bool BeforeMessage(ui::TMessage& message) override;
  void AfterMessage(ui::TMessage& message) override;
  void Draw(HDC dc, const RECT& rect) override;
  TWScrollbar* HorzBar() const { return horzBar_.get(); }
  TWScrollbar* VertBar() const { return vertBar_.get(); }

 private:
  std::unique_ptr<TWScrollbar> horzBar_;
  std::unique_ptr<TWScrollbar> vertBar_;

 protected:
  bool HasSkinParts(const TResolvedSkin& skin) const override;
};

// A scroll-bar control: one panel covers the whole control.
class TSkinScControl : public TSkinControl {
  UI_CLASS_INFO
 public:
  using TSkinControl::TSkinControl;
  ~TSkinScControl() override;
  void AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas, bool changeColor) override;
  void Detach() override;
  void AfterMessage(ui::TMessage& message) override;
  void Draw(HDC dc, const RECT& rect) override;
  TWScrollbar* Bar() const { return bar_.get(); }

 private:
  std::unique_ptr<TWScrollbar> bar_;

 protected:
  bool HasSkinParts(const TResolvedSkin& skin) const override;
};

// Fills the square between a vertical and a horizontal panel (both shown) with the face colour,
// on a DC of `window`'s whole window.
void FillBarCorner(HDC dc, HWND window, const TWScrollbar* horz, const TWScrollbar* vert,
                   ui::TColor face);

}  // namespace skin
