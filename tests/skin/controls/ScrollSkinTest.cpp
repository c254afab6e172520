// The skinned scroll bars laid over native ones, the list view's header, and the arithmetic of
// the bar: on real memos, list views and scroll-bar controls skinned by a running frame with
// the program's own skin, pixel for pixel against the skin's strips.
#include <algorithm>
#include <functional>
#include <string>

#include "ControlTestSupport.h"
#include "FrameTestSupport.h"
#include "skin/controls/ScrollOverlay.h"
#include "skin/controls/SkinEdits.h"
#include "skin/controls/SkinScrollbars.h"
#include "skin/data/SkinDerivedImages.h"
#include "skin/data/SkinDraw.h"
#include "skin/model/SkinObjects.h"
#include "ui/ComCtrls.h"
#include "ui/ListControls.h"
#include "ui/RangeControls.h"
#include "ui/StdCtrls.h"

using namespace frametest;
using namespace skin;
using testsupport::PumpFor;
using testsupport::PumpUntil;

namespace {

// ---------------------------------------------------------------------------------------------
// The bar's arithmetic

TEST(ScrollBarGeometry, HitTestFindsEveryPart) {
  const TBarGeometry bar{200, 17, 60, 100};
  EXPECT_EQ(HitTestBar(bar, 0), spFirstArrow);
  EXPECT_EQ(HitTestBar(bar, 16), spFirstArrow);
  EXPECT_EQ(HitTestBar(bar, 17), spPageBefore);
  EXPECT_EQ(HitTestBar(bar, 59), spPageBefore);
  EXPECT_EQ(HitTestBar(bar, 60), spThumb);
  EXPECT_EQ(HitTestBar(bar, 99), spThumb);
  EXPECT_EQ(HitTestBar(bar, 100), spPageAfter);
  EXPECT_EQ(HitTestBar(bar, 182), spPageAfter);
  EXPECT_EQ(HitTestBar(bar, 183), spSecondArrow);
  EXPECT_EQ(HitTestBar(bar, 199), spSecondArrow);
}

TEST(ScrollBarGeometry, ScrollCodesBecomeParts) {
  EXPECT_EQ(ScrollPartOfCode(SB_LINEUP), spFirstArrow);
  EXPECT_EQ(ScrollPartOfCode(SB_LINEDOWN), spSecondArrow);
  EXPECT_EQ(ScrollPartOfCode(SB_PAGEUP), spPageBefore);
  EXPECT_EQ(ScrollPartOfCode(SB_PAGEDOWN), spPageAfter);
  EXPECT_EQ(ScrollPartOfCode(SB_THUMBTRACK), spThumb);
  EXPECT_EQ(ScrollPartOfCode(SB_THUMBPOSITION), spNone);
  EXPECT_EQ(ScrollPartOfCode(SB_ENDSCROLL), spNone);  // the end of scrolling shows no part
}

TEST(ScrollBarGeometry, ControlThumbFollowsRangePageAndPosition) {
  // 0..100, page 11, at the start: thumb (200 - 34) * 10 / 100 = 16.6 -> 17 long at the arrow.
  TBarGeometry g = ControlBarGeometry(200, 17, 0, 100, 11, 0);
  EXPECT_EQ(g.ThumbStart, 17);
  EXPECT_EQ(g.ThumbEnd, 17 + MulDiv(166, 10, 100));
  g = ControlBarGeometry(200, 17, 0, 100, 11, 50);
  EXPECT_EQ(g.ThumbStart, MulDiv(166, 50, 100) + 17);
  // Without a page the thumb is one arrow long and runs over length - 3 arrows.
  g = ControlBarGeometry(200, 17, 0, 100, 0, 100);
  EXPECT_EQ(g.ThumbStart, 200 - 3 * 17 + 17);
  EXPECT_EQ(g.ThumbEnd - g.ThumbStart, 17);
}

TEST(ScrollBarGeometry, DraggedThumbStopsOneArrowFromEachEnd) {
  const TBarGeometry bar{200, 17, 40, 70};
  TBarGeometry g = DraggedThumb(bar, 40, 25);
  EXPECT_EQ(g.ThumbStart, 65);
  EXPECT_EQ(g.ThumbEnd, 95);
  g = DraggedThumb(bar, 40, -500);
  EXPECT_EQ(g.ThumbStart, 17);
  EXPECT_EQ(g.ThumbEnd, 47);
  g = DraggedThumb(bar, 40, 500);
  EXPECT_EQ(g.ThumbEnd, 183);
  EXPECT_EQ(g.ThumbStart, 153);
}

TEST(ScrollBarFrames, EachStateHasItsFrames) {
  TBarFrames f = ScrollBarFrames(true, true, spNone, false);
  EXPECT_EQ(f.FirstArrow, 9);
  EXPECT_EQ(f.SecondArrow, 13);
  EXPECT_EQ(f.Track, 1);
  EXPECT_EQ(f.Thumb, 1);
  EXPECT_EQ(f.Grip, 20);
  f = ScrollBarFrames(false, true, spNone, false);
  EXPECT_EQ(f.FirstArrow, 1);
  EXPECT_EQ(f.SecondArrow, 5);
  EXPECT_EQ(f.Grip, 17);
  f = ScrollBarFrames(true, true, spFirstArrow, false);  // hot
  EXPECT_EQ(f.FirstArrow, 12);
  EXPECT_EQ(f.SecondArrow, 13);
  f = ScrollBarFrames(true, true, spSecondArrow, true);  // pressed
  EXPECT_EQ(f.SecondArrow, 14);
  f = ScrollBarFrames(true, true, spThumb, false);
  EXPECT_EQ(f.Thumb, 3);
  EXPECT_EQ(f.Grip, 22);
  f = ScrollBarFrames(false, true, spThumb, true);
  EXPECT_EQ(f.Thumb, 2);
  EXPECT_EQ(f.Grip, 18);
  f = ScrollBarFrames(true, false, spNone, false);
  EXPECT_EQ(f.Track, 3);
  EXPECT_EQ(HeaderItemFrame(false), 1);
  EXPECT_EQ(HeaderItemFrame(true), 2);
}

// ---------------------------------------------------------------------------------------------
// Real controls

template <class Bitmap>
std::uint32_t PixelOf(const Bitmap& b, int x, int y) { return b.ScanLine(y)[x] & 0xFFFFFF; }

// Pixel (x, y) of frame `index` of `count` side-by-side frames, stretched to w x h the way the
// colour-on-colour stretch picks pixels (nearest, sampled at the same place for centre pixels).
std::uint32_t StripPixel(const skin::TSkinBitmap& strip, int count, int index, int x, int y, int w, int h) {
  const int fw = strip.Width() / count, fh = strip.Height();
  return PixelOf(strip, fw * (index - 1) + x * fw / w, y * fh / h);
}

class ScrollSkinTest : public FrameTest {
 protected:
  TWinSkinForm* Start(const std::function<void(ui::TForm&)>& build) {
    auto form = std::make_unique<ui::TForm>(nullptr);
    form->SetBounds(40, 40, 420, 320);
    form->SetCaption(L"Scroll bars");
    build(*form);
    form->Show();
    form_ = form.get();
    forms_.push_back(std::move(form));
    return RunningFrame(form_->Handle());
  }
  // The panel's picture as it paints now.
  std::unique_ptr<ui::TBitmap> Picture(TWScrollbar& bar) {
    RECT r{};
    GetClientRect(bar.Handle(), &r);
    auto b = std::make_unique<ui::TBitmap>(r.right, r.bottom);
    bar.PaintTo(b->Canvas()->Handle());
    return b;
  }
  // Every non-key pixel of the arrow square at `along` equals the strip's frame.
  void ExpectArrow(ui::TBitmap& picture, int along, bool vertical, int frame, int arrow) {
    const skin::TSkinBitmap& strip = *data_->SkinObject("Scrollbar")->Bitmap;
    int checked = 0;
    for (int a = 1; a < arrow - 1; ++a) {
      for (int c = 1; c < arrow - 1; ++c) {
        const std::uint32_t want = StripPixel(strip, 23, frame, c, a, arrow, arrow);
        if (want == 0xFF00FF) continue;
        const int x = vertical ? c : along + a, y = vertical ? along + a : c;
        ASSERT_EQ(PixelOf(picture, x, y), want) << "frame " << frame << " at " << x << "," << y;
        ++checked;
      }
    }
    EXPECT_GT(checked, arrow * arrow / 2);
  }
  // The thumb's unscaled corners (its margins) equal the thumb strip's frame.
  void ExpectThumb(ui::TBitmap& picture, const TBarGeometry& g, int frame) {
    const TDataSkinObject* thumb = data_->SkinObject("VertScrollThumb");
    const skin::TSkinBitmap& strip = *thumb->Bitmap;
    const int fw = strip.Width() / thumb->Frame, fh = strip.Height();
    const POINT corners[] = {{2, 2}, {fw - 3, 2}, {2, fh - 3}, {fw - 3, fh - 3}};
    for (const POINT& c : corners) {
      const std::uint32_t want = PixelOf(strip, fw * (frame - 1) + c.x, c.y);
      const int y = c.y < fh / 2 ? g.ThumbStart + c.y : g.ThumbEnd - (fh - c.y);
      EXPECT_EQ(PixelOf(picture, c.x, y), want) << "thumb frame " << frame << " at " << c.x << "," << y;
    }
  }
  ui::TForm* form_ = nullptr;
};

ui::TMemo* LongMemo(ui::TForm& f, int lines) {
  auto* memo = new ui::TMemo(&f);
  memo->SetParent(&f);
  memo->SetBounds(10, 10, 200, 150);
  memo->SetScrollBars(ui::ssVertical);
  for (int i = 0; i < lines; ++i) memo->Lines()->Add("line " + std::to_string(i));
  return memo;
}

// The cases below run once with each skin of ours.
using ScrollSkinTestOnOwnSkins = testsupport::OwnSkinsOf<ScrollSkinTest>;
INSTANTIATE_FOR_OWN_SKINS(ScrollSkinTestOnOwnSkins);

TEST_P(ScrollSkinTestOnOwnSkins, AMemosBarIsCoveredByASkinnedPanel) {
  ui::TMemo* memo = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) { memo = LongMemo(f, 60); });
  ASSERT_NE(frame, nullptr);
  auto* skinner = dynamic_cast<TSkinScrollbar*>(frame->ControlSkinners().FindControl(memo));
  ASSERT_NE(skinner, nullptr);
  TWScrollbar* vert = skinner->VertBar();
  ASSERT_NE(vert, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return vert->Shown(); }));
  // Exactly over the native bar, a sibling of the memo right above it.
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetScrollBarInfo(memo->Handle(), OBJID_VSCROLL, &info));
  EXPECT_EQ(frametest::WindowRect(vert->Handle()).left, info.rcScrollBar.left);
  EXPECT_EQ(frametest::WindowRect(vert->Handle()).top, info.rcScrollBar.top);
  EXPECT_EQ(frametest::WindowRect(vert->Handle()).bottom, info.rcScrollBar.bottom);
  EXPECT_EQ(GetParent(vert->Handle()), GetParent(memo->Handle()));
  EXPECT_EQ(GetWindow(memo->Handle(), GW_HWNDPREV), vert->Handle());
  EXPECT_TRUE(IsWindowVisible(vert->Handle()));
  // The memo has no horizontal bar: its panel is not shown.
  ASSERT_NE(skinner->HorzBar(), nullptr);
  EXPECT_FALSE(skinner->HorzBar()->Shown());

  const int arrow = vert->ArrowSize();
  const int length = info.rcScrollBar.bottom - info.rcScrollBar.top;
  auto picture = Picture(*vert);
  ExpectArrow(*picture, 0, true, 9, arrow);
  ExpectArrow(*picture, length - arrow, true, 13, arrow);
  // The thumb: its middle from the thumb strip's first frame, the track below it from the
  // track strip's first frame.
  const TBarGeometry g = vert->Geometry();
  ASSERT_GT(g.ThumbEnd - g.ThumbStart, 8);
  ExpectThumb(*picture, g, 1);
  const skin::TSkinBitmap& track = *data_->SkinObject("VertScroll")->Bitmap;
  EXPECT_EQ(PixelOf(*picture, arrow / 2, length - arrow - 3), StripPixel(track, 4, 1, 8, 8, 17, 17));

  // Hot and pressed arrows.
  vert->SetHotPart(spSecondArrow);
  picture = Picture(*vert);
  ExpectArrow(*picture, length - arrow, true, 16, arrow);
  ExpectArrow(*picture, 0, true, 9, arrow);
  vert->SetHotPart(SB_ENDSCROLL);
  EXPECT_EQ(vert->HotPart(), spNone);
  picture = Picture(*vert);
  ExpectArrow(*picture, length - arrow, true, 13, arrow);
}

// A simple combo box's list, always shown, has its scroll bar covered by a skinned panel
// of the combo's skinner, drawn from the skin and following the list as it scrolls.
TEST_F(ScrollSkinTest, ASimpleCombosListHasASkinnedScrollBar) {
  ui::TComboBox* combo = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) {
    combo = new ui::TComboBox(&f);
    combo->SetParent(&f);
    combo->SetStyle(ui::csSimple);
    combo->SetBounds(10, 10, 180, 160);
    for (int i = 0; i < 40; ++i) combo->Items()->Add("line " + std::to_string(i));
  });
  ASSERT_NE(frame, nullptr);
  auto* skinner = dynamic_cast<TSkinComBox*>(frame->ControlSkinners().FindControl(combo));
  ASSERT_NE(skinner, nullptr);
  const HWND list = skinner->ListWindow();
  ASSERT_NE(list, nullptr);
  ASSERT_NE(skinner->ListScrollSkinner(), nullptr);
  TWScrollbar* vert = skinner->ListScrollSkinner()->VertBar();
  ASSERT_NE(vert, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return vert->Shown(); }));
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetScrollBarInfo(list, OBJID_VSCROLL, &info));
  const RECT panel = frametest::WindowRect(vert->Handle());
  EXPECT_EQ(panel.left, info.rcScrollBar.left);
  EXPECT_EQ(panel.top, info.rcScrollBar.top);
  EXPECT_EQ(panel.bottom, info.rcScrollBar.bottom);
  EXPECT_TRUE(IsWindowVisible(vert->Handle()));
  const int arrow = vert->ArrowSize();
  const int length = info.rcScrollBar.bottom - info.rcScrollBar.top;
  auto picture = Picture(*vert);
  ExpectArrow(*picture, 0, true, 9, arrow);
  ExpectArrow(*picture, length - arrow, true, 13, arrow);
  const TBarGeometry top = vert->Geometry();
  ExpectThumb(*picture, top, 1);
  // A page down in the list moves the panel's thumb with it.
  SendMessageW(list, WM_VSCROLL, SB_PAGEDOWN, 0);
  ASSERT_TRUE(PumpUntil([&] { return vert->Geometry().ThumbStart > top.ThumbStart; }));
  picture = Picture(*vert);
  ExpectThumb(*picture, vert->Geometry(), 1);
}

TEST_F(ScrollSkinTest, ADisabledBarShowsNoThumb) {
  ui::TMemo* memo = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) { memo = LongMemo(f, 60); });
  ASSERT_NE(frame, nullptr);
  auto* skinner = dynamic_cast<TSkinScrollbar*>(frame->ControlSkinners().FindControl(memo));
  ASSERT_NE(skinner, nullptr);
  TWScrollbar* vert = skinner->VertBar();
  ASSERT_TRUE(PumpUntil([&] { return vert->Shown(); }));
  const TBarGeometry before = vert->Geometry();
  EnableScrollBar(memo->Handle(), SB_VERT, ESB_DISABLE_BOTH);
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetScrollBarInfo(memo->Handle(), OBJID_VSCROLL, &info));
  ASSERT_TRUE((info.rgstate[0] | (info.rgstate[1] & info.rgstate[5])) & STATE_SYSTEM_UNAVAILABLE)
      << std::hex << info.rgstate[0] << " " << info.rgstate[1] << " " << info.rgstate[5];
  auto picture = Picture(*vert);
  const skin::TSkinBitmap& track = *data_->SkinObject("VertScroll")->Bitmap;
  const int middle = (before.ThumbStart + before.ThumbEnd) / 2;
  EXPECT_EQ(PixelOf(*picture, vert->ArrowSize() / 2, middle), StripPixel(track, 4, 3, 8, 8, 17, 17));
  EnableScrollBar(memo->Handle(), SB_VERT, ESB_ENABLE_BOTH);
}

TEST_F(ScrollSkinTest, APanelAppearsWhenTheListOutgrowsItsWindow) {
  ui::TMemo* memo = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) { memo = LongMemo(f, 2); });
  ASSERT_NE(frame, nullptr);
  auto* skinner = dynamic_cast<TSkinScrollbar*>(frame->ControlSkinners().FindControl(memo));
  ASSERT_NE(skinner, nullptr);
  PumpFor(100);
  // A memo with a vertical bar always shows it; a list view only once rows overflow.
  auto* list = new ui::TListView(form_);
  list->SetParent(form_);
  list->SetBounds(220, 10, 180, 120);
  list->SetViewStyle(ui::vsReport);
  list->Columns()->Add()->SetCaption(L"Name");
  auto* lv = new TSkinListView(list);
  lv->AttachScrollBars(list, data_, &frame->Controls(), nullptr);
  PumpFor(100);
  ASSERT_NE(lv->VertBar(), nullptr);
  EXPECT_FALSE(lv->VertBar()->Shown());
  for (int i = 0; i < 40; ++i) list->Items()->Add()->SetCaption(L"row " + std::to_wstring(i));
  SetWindowPos(list->Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  ASSERT_TRUE(PumpUntil([&] { return lv->VertBar()->Shown(); }));
  EXPECT_TRUE(IsWindowVisible(lv->VertBar()->Handle()));
}

TEST_P(ScrollSkinTestOnOwnSkins, ScrollingRepaintsThePanelWithTheNewThumb) {
  ui::TMemo* memo = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) { memo = LongMemo(f, 200); });
  ASSERT_NE(frame, nullptr);
  auto* skinner = dynamic_cast<TSkinScrollbar*>(frame->ControlSkinners().FindControl(memo));
  ASSERT_NE(skinner, nullptr);
  TWScrollbar* vert = skinner->VertBar();
  ASSERT_TRUE(PumpUntil([&] { return vert->Shown(); }));
  const TBarGeometry before = vert->Geometry();
  SendMessageW(memo->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(vert->HotPart(), spPageAfter);
  SendMessageW(memo->Handle(), WM_VSCROLL, SB_ENDSCROLL, 0);
  EXPECT_EQ(vert->HotPart(), spNone);
  const TBarGeometry after = vert->Geometry();
  EXPECT_GT(after.ThumbStart, before.ThumbStart);
  // The panel was painted at once: nothing of it waits for a paint.
  EXPECT_FALSE(GetUpdateRect(vert->Handle(), nullptr, FALSE));
  auto picture = Picture(*vert);
  ExpectThumb(*picture, after, 1);
}

TEST_P(ScrollSkinTestOnOwnSkins, TheListHeaderIsDrawnFromTheSkin) {
  ui::TListView* list = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) {
    list = new ui::TListView(&f);
    list->SetParent(&f);
    list->SetBounds(10, 10, 380, 200);
    list->SetViewStyle(ui::vsReport);
    auto* c = list->Columns()->Add();
    c->SetCaption(L"Name");
    c->SetWidth(100);
    c = list->Columns()->Add();
    c->SetCaption(L"Size");
    c->SetWidth(80);
  });
  ASSERT_NE(frame, nullptr);
  auto* lv = dynamic_cast<TSkinListView*>(frame->ControlSkinners().FindControl(list));
  ASSERT_NE(lv, nullptr);
  ASSERT_NE(lv->Header(), nullptr);
  const HWND header = lv->Header()->Handle();
  EXPECT_EQ(header, reinterpret_cast<HWND>(SendMessageW(list->Handle(), LVM_GETHEADER, 0, 0)));
  RECT r{};
  GetClientRect(header, &r);
  ASSERT_GT(r.bottom, 4);
  ui::TBitmap picture(r.right, r.bottom);
  lv->Header()->Draw(picture.Canvas()->Handle(), r);
  const TDataSkinObject* bar = data_->SkinObject("Headerbar");
  const skin::TSkinBitmap& strip = *bar->Bitmap;
  const int fw = strip.Width() / bar->Frame;
  // Past the last column: frame 1 (its flat middle); in the first item away from the text the
  // same; the bottom line from the bottom margin.
  EXPECT_EQ(PixelOf(picture, 300, r.bottom / 2), PixelOf(strip, fw / 2, strip.Height() / 2));
  EXPECT_EQ(PixelOf(picture, 90, r.bottom / 2), PixelOf(strip, fw / 2, strip.Height() / 2));
  EXPECT_EQ(PixelOf(picture, 300, r.bottom - 1), PixelOf(strip, fw / 2, strip.Height() - 1));
  EXPECT_EQ(lv->Header()->ItemRects().size(), 2u);
  // Hot: the item under the mouse shows frame 2.
  SendMessageW(header, WM_MOUSEMOVE, 0, MAKELPARAM(50, r.bottom / 2));
  EXPECT_EQ(lv->Header()->HotIndex(), 0);
  lv->Header()->Draw(picture.Canvas()->Handle(), r);
  EXPECT_EQ(PixelOf(picture, 90, r.bottom - 1), PixelOf(strip, fw + fw / 2, strip.Height() - 1));
  EXPECT_EQ(PixelOf(picture, 300, r.bottom - 1), PixelOf(strip, fw / 2, strip.Height() - 1));
  SendMessageW(header, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(lv->Header()->HotIndex(), -1);
}

TEST_P(ScrollSkinTestOnOwnSkins, AScrollBarControlIsCoveredWhole) {
  ui::TScrollBar* bar = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) {
    bar = new ui::TScrollBar(&f);
    bar->SetParent(&f);
    bar->SetKind(ui::sbVertical);
    bar->SetBounds(300, 10, 17, 200);
  });
  ASSERT_NE(frame, nullptr);
  auto* skinner = dynamic_cast<TSkinScControl*>(frame->ControlSkinners().FindControl(bar));
  ASSERT_NE(skinner, nullptr);
  ASSERT_NE(skinner->Bar(), nullptr);
  EXPECT_EQ(skinner->Bar()->Orientation(), spkVertical);
  ASSERT_TRUE(PumpUntil([&] { return skinner->Bar()->Shown(); }));
  const RECT over = frametest::WindowRect(skinner->Bar()->Handle());
  const RECT own = frametest::WindowRect(bar->Handle());
  EXPECT_TRUE(EqualRect(&over, &own));
  const int arrow = skinner->Bar()->ArrowSize();
  auto picture = Picture(*skinner->Bar());
  ExpectArrow(*picture, 0, true, 9, arrow);
  ExpectArrow(*picture, 200 - arrow, true, 13, arrow);
  // The thumb is where the control's own thumb is, at its least length for a page of one.
  SCROLLINFO si{sizeof(si), SIF_ALL, 0, 100, 1, 60, 0};
  SetScrollInfo(bar->Handle(), SB_CTL, &si, TRUE);
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetScrollBarInfo(bar->Handle(), OBJID_CLIENT, &info));
  const TBarGeometry g = skinner->Bar()->Geometry();
  EXPECT_EQ(g.ThumbStart, info.xyThumbTop);
  EXPECT_EQ(g.ThumbEnd, info.xyThumbBottom);
  EXPECT_GT(g.ThumbEnd - g.ThumbStart, 4);
  picture = Picture(*skinner->Bar());
  ExpectThumb(*picture, g, 1);
}

}  // namespace
