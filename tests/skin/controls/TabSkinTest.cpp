// The tab skinners on real windows with the program's own skin: on every side each tab shows
// the skin's frame for its state (normal, hot, current, current and focused, disabled), turned
// for the side, pixel for pixel wherever the frame is not magenta; close buttons ask the form
// and free the page only on a 0 answer; button-style tabs, sheets and the tab set.
#include <algorithm>
#include <set>
#include <tuple>

#include "ForeignControls.h"
#include "SkinTestCapture.h"
#include "skin/controls/SkinTabs.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/SkinDerivedImages.h"
#include "skin/data/SkinMessages.h"
#include "ui/ComCtrls.h"
#include "ui/StdCtrls.h"
#include "skin/controls/SkinEdits.h"
#include "ui/TabSet.h"

using namespace ctltest;
using namespace skin;
using skintest::At;

namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

TEST(TabRules, EachStateMapsToAFrameOfTheTabStrip) {
  const TSkinState plain{}, focused{true, false, false, true}, disabled{false};
  EXPECT_EQ(TabFrame(plain, false, false, 5), 1);
  EXPECT_EQ(TabFrame(plain, true, false, 5), 2);
  EXPECT_EQ(TabFrame(disabled, true, true, 5), 3);
  EXPECT_EQ(TabFrame(plain, false, true, 5), 4);
  EXPECT_EQ(TabFrame(plain, true, true, 5), 2);  // the current tab stays current under the mouse
  EXPECT_EQ(TabFrame(focused, true, false, 5), 5);
  EXPECT_EQ(TabFrame(focused, false, false, 5), 1);
  // Strips of two frames: current or not, whatever else.
  EXPECT_EQ(TabFrame(focused, true, false, 2), 2);
  EXPECT_EQ(TabFrame(plain, false, true, 2), 1);
  EXPECT_EQ(TabFrame(disabled, true, false, 2), 2);
  EXPECT_EQ(TabFrame(disabled, false, false, 1), 1);
  EXPECT_EQ(TabButtonFrame(plain, true, true), 2);
  EXPECT_EQ(TabButtonFrame(plain, false, true), 4);
  EXPECT_EQ(TabButtonFrame(disabled, true, false), 3);
  EXPECT_EQ(TabButtonFrame(plain, false, false), 1);
}

TEST(TabRules, TheStyleNamesTheSide) {
  EXPECT_EQ(TabSideOfStyle(0), tsdTop);
  EXPECT_EQ(TabSideOfStyle(TCS_BOTTOM), tsdBottom);
  EXPECT_EQ(TabSideOfStyle(TCS_VERTICAL | TCS_MULTILINE), tsdLeft);
  EXPECT_EQ(TabSideOfStyle(TCS_VERTICAL | TCS_RIGHT), tsdRight);
}

TEST(TabRules, SideRowsLieDownAndTurnBackOntoTheirTabs) {
  const RECT window{0, 0, 100, 200}, display{30, 4, 96, 196};
  const RECT row = TabRowRect(window, display, tsdLeft);
  EXPECT_EQ(row.right, 30);
  EXPECT_EQ(TabRowRect(window, display, tsdRight).left, 96);
  EXPECT_EQ(TabRowRect(window, display, tsdTop).bottom, 4);
  EXPECT_EQ(TabRowRect(window, display, tsdBottom).top, 196);
  // A left tab at rows 10..50 lies at 150..190 of the 200-long row; turned back it is at 10..50.
  const RECT lying = TabInRow({2, 10, 28, 50}, tsdLeft, 200, 100, 196);
  EXPECT_EQ(lying.left, 150);
  EXPECT_EQ(lying.right, 190);
  EXPECT_EQ(lying.top, 2);
  EXPECT_EQ(lying.bottom, 28);
  const RECT right = TabInRow({98, 10, 100, 50}, tsdRight, 200, 100, 196);
  EXPECT_EQ(right.top, 0);
  EXPECT_EQ(right.bottom, 2);
  // Margins made for the top go round with the picture.
  const TMargins m{1, 2, 3, 4};
  EXPECT_EQ(TurnMargins(m, tsdBottom).Top, 4);
  EXPECT_EQ(TurnMargins(m, tsdLeft).Left, 2);
  EXPECT_EQ(TurnMargins(m, tsdLeft).Bottom, 1);
  EXPECT_EQ(TurnMargins(m, tsdRight).Right, 2);
  EXPECT_EQ(TurnMargins(m, tsdRight).Top, 1);
}

// The frame f of the Tabs strip as it shows on a side: turned and with its margins.
struct TurnedFrame {
  std::unique_ptr<ui::TBitmap> picture;
  int left, top, right, bottom;
};

class TabSkinTest : public SkinnedFormTest {
 protected:
  void SetUp() override {
    SkinnedFormTest::SetUp();
    tabs_ = data_->SkinObject("Tabs");
    ASSERT_TRUE(tabs_ && tabs_->Bitmap && !tabs_->Bitmap->Empty());
    ASSERT_EQ(tabs_->Frame, 5);
    form_->SetBounds(40, 40, 520, 420);
  }

  ui::TTabControl* MakeTabs(TTabSide side) {
    auto* tabs = new ui::TTabControl(form_.get());
    tabs->SetParent(form_.get());
    const ui::TTabPosition positions[] = {ui::tpTop, ui::tpBottom, ui::tpLeft, ui::tpRight};
    tabs->SetTabPosition(positions[side]);
    const bool lying = side == tsdLeft || side == tsdRight;
    tabs->SetBounds(10, 10, lying ? 160 : 380, lying ? 330 : 160);
    for (const char* name : {"One", "Two", "Three"}) tabs->Tabs()->Add(name);
    tabs->SetTabIndex(1);
    form_->Show();
    auto* skinner = new TSkinTab(tabs);
    skinner->SetKind(kTabKindPlain);
    skinner->Attach(&host_, data_, nullptr, false);
    return tabs;
  }

  TurnedFrame Turned(int frame, TTabSide side) const {
    const skin::TSkinBitmap& strip = *tabs_->Bitmap;
    const int fw = strip.Width() / tabs_->Frame, fh = strip.Height();
    auto picture = std::make_unique<ui::TBitmap>(fw, fh);
    for (int y = 0; y < fh; ++y) {
      for (int x = 0; x < fw; ++x) picture->ScanLine(y)[x] = At(strip, fw * (frame - 1) + x, y);
    }
    const int L = tabs_->LeftWidth, T = tabs_->TopHeight, R = tabs_->RightWidth, B = tabs_->BottomHeight;
    switch (side) {
      case tsdBottom:
        FlipBitmap(*picture);
        return {std::move(picture), L, B, R, T};
      case tsdLeft:  // counter-clockwise: the top goes left
        RotateLeft(*picture);
        return {std::move(picture), T, R, B, L};
      case tsdRight:  // clockwise: the top goes right
        RotateRight(*picture);
        return {std::move(picture), B, L, T, R};
      case tsdTop:
        break;
    }
    return {std::move(picture), L, T, R, B};
  }

  // Mismatching pixels of the two outer corners of the face at `face` (those away from the
  // pane, which the pane's edge does not cover) against the turned frame.
  static int CornerMismatches(const ui::TBitmap& drawn, const RECT& face, const TurnedFrame& t,
                              TTabSide side, int* compared) {
    const ui::TBitmap& p = *t.picture;
    const int W = p.Width(), H = p.Height();
    const struct {
      int x, y, w, h, sx, sy;
    } corners[] = {
        {face.left, face.top, t.left, t.top, 0, 0},
        {face.right - t.right, face.top, t.right, t.top, W - t.right, 0},
        {face.left, face.bottom - t.bottom, t.left, t.bottom, 0, H - t.bottom},
        {face.right - t.right, face.bottom - t.bottom, t.right, t.bottom, W - t.right, H - t.bottom},
    };
    // Top-left, top-right, bottom-left, bottom-right: the outer pair of each side.
    const int outer[4][2] = {{0, 1}, {2, 3}, {0, 2}, {1, 3}};
    int bad = 0;
    for (const int k : outer[side]) {
      const auto& c = corners[k];
      for (int dy = 0; dy < c.h; ++dy) {
        for (int dx = 0; dx < c.w; ++dx) {
          const std::uint32_t s = At(p, c.sx + dx, c.sy + dy);
          if (s == skintest::kMagenta) continue;
          ++*compared;
          const int x = c.x + dx, y = c.y + dy;
          if (x < 0 || y < 0 || x >= drawn.Width() || y >= drawn.Height() || At(drawn, x, y) != s) ++bad;
        }
      }
    }
    return bad;
  }

  // The frames whose turned corners the drawing shows exactly around the tab's item rectangle
  // (moved by at most one pixel, as the row is laid against the pane).
  std::set<int> FramesAt(const ui::TBitmap& drawn, const RECT& item, TTabSide side) const {
    std::set<int> frames;
    for (int f = 1; f <= tabs_->Frame; ++f) {
      const TurnedFrame t = Turned(f, side);
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          RECT face = item;
          OffsetRect(&face, dx, dy);
          int compared = 0;
          if (CornerMismatches(drawn, face, t, side, &compared) == 0 && compared > 12) frames.insert(f);
        }
      }
    }
    return frames;
  }

  static RECT ItemRect(HWND tabs, int index) {
    RECT r{};
    SendMessageW(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    return r;
  }
  static POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

  TDataSkinObject* tabs_ = nullptr;
};

// Every side, with each skin of ours, shows the normal, current, hot, focused and disabled
// frames where they belong.
class TabSideTest : public TabSkinTest,
                    public testing::WithParamInterface<std::tuple<TTabSide, std::string>> {
 protected:
  std::string SkinName() const override { return std::get<1>(GetParam()); }
  TTabSide Side() const { return std::get<0>(GetParam()); }
};

TEST_P(TabSideTest, EachTabShowsTheSkinFrameOfItsState) {
  const TTabSide side = Side();
  ui::TTabControl* tabs = MakeTabs(side);
  const HWND h = tabs->Handle();
  SetFocus(nullptr);
  ASSERT_EQ(SendMessageW(h, TCM_GETITEMCOUNT, 0, 0), 3);
  const auto shown = Capture(h);
  EXPECT_EQ(FramesAt(*shown, ItemRect(h, 0), side), std::set<int>{sfNormal});
  EXPECT_EQ(FramesAt(*shown, ItemRect(h, 1), side), std::set<int>{sfPressed});
  EXPECT_EQ(FramesAt(*shown, ItemRect(h, 2), side), std::set<int>{sfNormal});

  // The mouse over the third tab: it alone turns hot.
  const POINT over = Centre(ItemRect(h, 2));
  SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(over.x, over.y));
  const auto hot = Capture(h);
  EXPECT_EQ(FramesAt(*hot, ItemRect(h, 2), side), std::set<int>{sfHot});
  EXPECT_EQ(FramesAt(*hot, ItemRect(h, 0), side), std::set<int>{sfNormal});
  SendMessageW(h, WM_MOUSELEAVE, 0, 0);
  const auto left = Capture(h);
  EXPECT_EQ(FramesAt(*left, ItemRect(h, 2), side), std::set<int>{sfNormal});

  // The focus on the control: the current tab shows the focused frame.
  SetFocus(h);
  const auto focused = Capture(h);
  EXPECT_EQ(FramesAt(*focused, ItemRect(h, 1), side), std::set<int>{sfFocused});
  EXPECT_EQ(FramesAt(*focused, ItemRect(h, 0), side), std::set<int>{sfNormal});
  SetFocus(nullptr);

  // Disabled: every tab shows the disabled frame.
  tabs->SetEnabled(false);
  const auto disabled = Capture(h);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(FramesAt(*disabled, ItemRect(h, i), side), std::set<int>{sfDisabled}) << i;
}

std::string SideName(const testing::TestParamInfo<std::tuple<TTabSide, std::string>>& info) {
  static const char* const names[] = {"Top", "Bottom", "Left", "Right"};
  return std::string(names[std::get<0>(info.param)]) + "_" + std::get<1>(info.param);
}

INSTANTIATE_TEST_SUITE_P(EverySide, TabSideTest,
                         testing::Combine(testing::Values(tsdTop, tsdBottom, tsdLeft, tsdRight),
                                          testing::ValuesIn(testsupport::OwnSkinNames())),
                         SideName);

// The pane's edge runs along the tab side but not under the current tab, which opens into
// the pane as the skin's picture of it does.
TEST_P(TabSideTest, TheCurrentTabOpensIntoThePane) {
  const TTabSide side = Side();
  ui::TTabControl* tabs = MakeTabs(side);
  const HWND h = tabs->Handle();
  const auto* border = dynamic_cast<const TDataSkinBorder*>(tabs_);
  ASSERT_TRUE(border && border->ExtraBitmap && !border->ExtraBitmap->Empty());
  const std::uint32_t edge = At(*border->ExtraBitmap, border->ExtraBitmap->Width() / 2, 0);
  const std::uint32_t inner = At(*border->ExtraBitmap, border->ExtraBitmap->Width() / 2, 1);
  const auto drawn = Capture(h);
  const bool lying = side == tsdLeft || side == tsdRight;
  const int across = lying ? drawn->Width() : drawn->Height();
  // The pixel `d` steps in from the outer side at position `along` (x for rows on top or
  // below, y for rows at the sides).
  const auto inward = [&](int along, int d) {
    switch (side) {
      case tsdTop: return At(*drawn, along, d);
      case tsdBottom: return At(*drawn, along, across - 1 - d);
      case tsdLeft: return At(*drawn, d, along);
      case tsdRight: return At(*drawn, across - 1 - d, along);
    }
    return 0u;
  };
  const int free = (lying ? drawn->Height() : drawn->Width()) - 12;  // past the last tab
  int d = 0;
  while (d < across / 2 && inward(free, d) != edge) ++d;
  ASSERT_LT(d, across / 2) << "no pane edge beside the tabs";
  EXPECT_EQ(inward(free, d + 1), inner);
  const RECT current = ItemRect(h, 1);
  const int centre = lying ? (current.top + current.bottom) / 2 : (current.left + current.right) / 2;
  EXPECT_NE(inward(centre, d), edge);
  EXPECT_NE(inward(centre, d + 1), inner);
  const RECT other = ItemRect(h, 0);
  // Beside the current tab, under the next one, the edge is there.
  const int beside = lying ? (other.top + other.bottom) / 2 : (other.left + other.right) / 2;
  EXPECT_TRUE(inward(beside, d) != inward(centre, d) || inward(beside, d + 1) != inward(centre, d + 1));
}

// A tab chosen with the mouse or the keyboard moves the opening in the pane's edge: the whole
// control is to be drawn again, not only the two tabs the tab control itself invalidates.
TEST_P(TabSideTest, ChoosingATabRedrawsThePaneEdgeToo) {
  ui::TTabControl* tabs = MakeTabs(Side());
  const HWND h = tabs->Handle();
  RECT client{};
  GetClientRect(h, &client);
  const auto invalidAfter = [&](auto act) {
    UpdateWindow(h);
    ValidateRect(h, nullptr);
    act();
    RECT update{};
    GetUpdateRect(h, &update, FALSE);
    return update;
  };
  const POINT p = Centre(ItemRect(h, 0));
  const RECT clicked = invalidAfter([&] {
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  });
  EXPECT_EQ(tabs->TabIndex(), 0);
  EXPECT_TRUE(EqualRect(&clicked, &client));
  const RECT keyed = invalidAfter([&] { SendMessageW(h, WM_KEYDOWN, VK_RIGHT, 0); });
  EXPECT_TRUE(EqualRect(&keyed, &client));
}

TEST_F(TabSkinTest, SideCaptionsAreTurnedWithTheRow) {
  // The caption of a left tab is drawn lying and turned: its ink is taller than wide.
  ui::TTabControl* tabs = MakeTabs(tsdLeft);
  const HWND h = tabs->Handle();
  const auto drawn = Capture(h);
  const RECT item = ItemRect(h, 0);
  const COLORREF text = ui::ColorToRGB(ResolveColour(tabs_->NormalColour2));
  const std::uint32_t textPixel = std::uint32_t(GetRValue(text)) << 16 | GetGValue(text) << 8 | GetBValue(text);
  RECT box{10000, 10000, -1, -1};
  for (int y = item.top; y < item.bottom; ++y) {
    for (int x = item.left; x < item.right; ++x) {
      if (At(*drawn, x, y) != textPixel) continue;
      box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
             std::max<LONG>(box.bottom, y + 1)};
    }
  }
  ASSERT_GT(box.right, box.left) << "no caption ink in the first tab";
  EXPECT_GT(Height(box), Width(box));
}

// The form window that close buttons ask: records each question and gives a set answer.
struct CloseAsker {
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == SKM_TABCLOSE) {
      asked.push_back({wParam, lParam});
      return answer;
    }
    return DefWindowProcW(w, msg, wParam, lParam);
  }
  static inline std::vector<std::pair<WPARAM, LPARAM>> asked;
  static inline LRESULT answer = 0;
};

class ClosableTabsTest : public TabSkinTest {
 protected:
  void SetUp() override {
    TabSkinTest::SetUp();
    WNDCLASSW wc{};
    wc.lpfnWndProc = CloseAsker::Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VexloTabCloseAsker";
    RegisterClassW(&wc);
    asker_ = CreateWindowW(L"VexloTabCloseAsker", L"", 0, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    host_.window = asker_;
    CloseAsker::asked.clear();
    pages_ = new ui::TPageControl(form_.get());
    pages_->SetParent(form_.get());
    pages_->SetBounds(10, 10, 400, 200);
    pages_->SetTag(kClosableTabsTag);
    for (const wchar_t* caption : {L"Page one", L"Page two", L"Page three"}) {
      auto* sheet = new ui::TTabSheet(form_.get());
      sheet->SetCaption(caption);
      sheet->SetPageControl(pages_);
    }
    pages_->SetActivePageIndex(0);
    form_->Show();
    skinner_ = new TSkinTab(pages_);
    skinner_->Attach(&host_, data_, nullptr, false);
  }
  void TearDown() override {
    TabSkinTest::TearDown();
    DestroyWindow(asker_);
  }
  void Press(const RECT& r) {
    const POINT p = Centre(r);
    SendMessageW(pages_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageW(pages_->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  }
  std::vector<std::wstring> Captions() const {
    std::vector<std::wstring> out;
    for (int i = 0; i < pages_->PageCount(); ++i) out.push_back(pages_->Pages(i)->Caption());
    return out;
  }
  HWND asker_ = nullptr;
  ui::TPageControl* pages_ = nullptr;
  TSkinTab* skinner_ = nullptr;
};

// The cases below run once with each skin of ours.
using ClosableTabsTestOnOwnSkins = testsupport::OwnSkinsOf<ClosableTabsTest>;
INSTANTIATE_FOR_OWN_SKINS(ClosableTabsTestOnOwnSkins);

TEST_P(ClosableTabsTestOnOwnSkins, EveryTabShowsACloseButtonInItsTopRightCorner) {
  ASSERT_TRUE(skinner_->Closable());
  const auto drawn = Capture(pages_->Handle());
  ASSERT_EQ(skinner_->CloseRects().size(), 3u);
  for (int i = 0; i < 3; ++i) {
    const RECT close = skinner_->CloseRects()[static_cast<std::size_t>(i)];
    RECT item{};
    SendMessageW(pages_->Handle(), TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(Width(close), 7) << i;
    EXPECT_EQ(Height(close), 7) << i;
    EXPECT_TRUE(close.right <= item.right && close.left >= item.right - 10) << i;
    // The square's corners and its centre, where the diagonals cross, are drawn black.
    for (const POINT p : {POINT{close.left, close.top}, POINT{close.right - 1, close.top},
                          POINT{close.left, close.bottom - 1}, POINT{close.right - 1, close.bottom - 1},
                          POINT{close.left + 3, close.top + 3}}) {
      EXPECT_EQ(At(*drawn, p.x, p.y), 0u) << i << " at " << p.x << "," << p.y;
    }
    // Inside the square between the lines the tab's face shows through.
    EXPECT_NE(At(*drawn, close.left + 1, close.top + 3), 0u) << i;
  }
}

TEST_F(ClosableTabsTest, TheCloseButtonFreesThePageOnlyWhenTheFormAnswersZero) {
  Capture(pages_->Handle());
  CloseAsker::answer = 1;
  Press(skinner_->CloseRects()[1]);
  ASSERT_EQ(CloseAsker::asked.size(), 1u);
  EXPECT_EQ(CloseAsker::asked[0].first, reinterpret_cast<WPARAM>(pages_->Handle()));
  EXPECT_EQ(CloseAsker::asked[0].second, 1);
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"Page one", L"Page two", L"Page three"}));

  CloseAsker::answer = 0;
  Press(skinner_->CloseRects()[1]);
  ASSERT_EQ(CloseAsker::asked.size(), 2u);
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"Page one", L"Page three"}));
  EXPECT_EQ(SendMessageW(pages_->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(pages_->ActivePage(), pages_->Pages(0));

  // Drawn again, the close buttons follow the remaining tabs; the last one closes too.
  Capture(pages_->Handle());
  ASSERT_EQ(skinner_->CloseRects().size(), 2u);
  Press(skinner_->CloseRects()[1]);
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"Page one"}));
}

TEST_F(ClosableTabsTest, APressOnTheTabBesideTheCloseButtonChoosesTheTabWithoutAsking) {
  Capture(pages_->Handle());
  RECT item{};
  SendMessageW(pages_->Handle(), TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
  item.right = skinner_->CloseRects()[2].left - 2;
  Press(item);
  EXPECT_TRUE(CloseAsker::asked.empty());
  EXPECT_EQ(pages_->PageCount(), 3);
  EXPECT_EQ(pages_->ActivePageIndex(), 2);
}

TEST_F(ClosableTabsTest, WithoutAFormWindowNothingCloses) {
  host_.window = nullptr;
  Capture(pages_->Handle());
  CloseAsker::answer = 0;
  Press(skinner_->CloseRects()[0]);
  EXPECT_EQ(pages_->PageCount(), 3);
}

TEST_F(TabSkinTest, TabsBelowThePaneOrNotOnTopHaveNoCloseButtons) {
  auto* pages = new ui::TPageControl(form_.get());
  pages->SetParent(form_.get());
  pages->SetBounds(10, 10, 300, 150);
  pages->SetTag(kClosableTabsTag);
  pages->SetTabPosition(ui::tpBottom);
  auto* sheet = new ui::TTabSheet(form_.get());
  sheet->SetCaption(L"Only");
  sheet->SetPageControl(pages);
  form_->Show();
  auto* skinner = new TSkinTab(pages);
  skinner->Attach(&host_, data_, nullptr, false);
  EXPECT_FALSE(skinner->Closable());
  EXPECT_EQ(skinner->TabPosition(), tsdBottom);
}

// Button-style tabs: each button is the Buttons strip's frame of its state.
class TabButtonsTest : public TabSkinTest {
 protected:
  void SetUp() override {
    TabSkinTest::SetUp();
    pages_ = new ui::TPageControl(form_.get());
    pages_->SetParent(form_.get());
    pages_->SetStyle(ui::tsFlatButtons);
    pages_->SetBounds(10, 10, 400, 200);
    for (const wchar_t* caption : {L"First", L"Second", L"Third"}) {
      auto* sheet = new ui::TTabSheet(form_.get());
      sheet->SetCaption(caption);
      sheet->SetPageControl(pages_);
    }
    pages_->SetActivePageIndex(1);
    form_->Show();
    for (int i = 0; i < pages_->PageCount(); ++i) {
      (new TSkinTabSheet(pages_->Pages(i)))->Attach(&host_, data_, nullptr, false);
    }
    skinner_ = new TSkinTabBtn(pages_);
    skinner_->Attach(&host_, data_, nullptr, false);
  }
  // The Buttons frames whose corners show at the button (its item rectangle moved down 1).
  std::vector<int> ButtonFramesAt(const ui::TBitmap& drawn, int index) const {
    RECT r{};
    SendMessageW(pages_->Handle(), TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    OffsetRect(&r, 0, 1);
    auto part = std::make_unique<ui::TBitmap>(Width(r), Height(r));
    for (int y = 0; y < Height(r); ++y) {
      for (int x = 0; x < Width(r); ++x) part->ScanLine(y)[x] = At(drawn, r.left + x, r.top + y);
    }
    return FramesShown(*part);
  }
  ui::TPageControl* pages_ = nullptr;
  TSkinTabBtn* skinner_ = nullptr;
};

// The cases below run once with each skin of ours.
using TabButtonsTestOnOwnSkins = testsupport::OwnSkinsOf<TabButtonsTest>;
INSTANTIATE_FOR_OWN_SKINS(TabButtonsTestOnOwnSkins);

TEST_P(TabButtonsTestOnOwnSkins, TheCurrentButtonIsPressedTheOthersNormalHotUnderTheMouse) {
  const HWND h = pages_->Handle();
  SetFocus(nullptr);
  const auto drawn = Capture(h);
  EXPECT_EQ(ButtonFramesAt(*drawn, 0), std::vector<int>{sfNormal});
  EXPECT_EQ(ButtonFramesAt(*drawn, 1), std::vector<int>{sfPressed});
  EXPECT_EQ(ButtonFramesAt(*drawn, 2), std::vector<int>{sfNormal});
  RECT r{};
  SendMessageW(h, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
  SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
  const auto hot = Capture(h);
  EXPECT_EQ(ButtonFramesAt(*hot, 2), std::vector<int>{sfHot});
  SendMessageW(h, WM_MOUSELEAVE, 0, 0);
  pages_->SetEnabled(false);
  const auto disabled = Capture(h);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(ButtonFramesAt(*disabled, i), std::vector<int>{sfDisabled}) << i;
}

TEST_P(TabButtonsTestOnOwnSkins, AChosenTabRepaintsTheRowAndShowsItsSheetOnTheSkinFace) {
  const HWND h = pages_->Handle();
  pages_->SetActivePageIndex(2);
  const auto drawn = Capture(h);
  EXPECT_EQ(ButtonFramesAt(*drawn, 2), std::vector<int>{sfPressed});
  EXPECT_EQ(ButtonFramesAt(*drawn, 1), std::vector<int>{sfNormal});
  // The sheet is painted in the skin's face colour.
  const auto sheet = Capture(pages_->Pages(2)->Handle());
  const COLORREF face = ui::ColorToRGB(ResolveColour(data_->Colours().ButtonFace));
  const std::uint32_t facePixel = std::uint32_t(GetRValue(face)) << 16 | GetGValue(face) << 8 | GetBValue(face);
  EXPECT_EQ(At(*sheet, 5, 5), facePixel);
  EXPECT_EQ(At(*sheet, sheet->Width() - 3, sheet->Height() - 3), facePixel);
}

// The cases below run once with each skin of ours.
using TabSkinTestOnOwnSkins = testsupport::OwnSkinsOf<TabSkinTest>;
INSTANTIATE_FOR_OWN_SKINS(TabSkinTestOnOwnSkins);

TEST_P(TabSkinTestOnOwnSkins, TheTabSetShowsItsTabsUpsideDownAndLeavesOutThoseThatDoNotFit) {
  auto* set = new ui::TTabSet(form_.get());
  set->SetParent(form_.get());
  set->SetBounds(10, 10, 150, 22);
  for (const char* name : {"Alpha", "Beta", "Gamma", "Delta", "Epsilon"}) set->Tabs()->Add(name);
  set->SetTabIndex(1);
  int changes = 0;
  set->OnChange = [&](ui::TObject*) { ++changes; };
  form_->Show();
  auto* skinner = new TSkinTab31(set);
  skinner->Attach(&host_, data_, nullptr, false);
  const auto drawn = Capture(set->Handle());
  const std::vector<RECT>& rects = skinner->TabRects();
  ASSERT_EQ(rects.size(), 5u);
  int shownTabs = 0;
  for (const RECT& r : rects) {
    if (Width(r) == 0) continue;
    ++shownTabs;
    EXPECT_LE(r.right, 150 - 5);  // whole, inside the end margin
  }
  EXPECT_GE(shownTabs, 2);
  EXPECT_LT(shownTabs, 5);
  // The chosen tab is frame 2 upside down, the others frame 1.
  const auto frames = [&](int i) {
    return FramesAt(*drawn, rects[static_cast<std::size_t>(i)], tsdBottom);
  };
  EXPECT_EQ(frames(1), std::set<int>{sfPressed});
  EXPECT_EQ(frames(0), std::set<int>{sfNormal});
  // A press on a drawn tab chooses it.
  const POINT p = Centre(rects[0]);
  SendMessageW(set->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  SendMessageW(set->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  EXPECT_EQ(set->TabIndex(), 0);
  EXPECT_EQ(changes, 1);
}

// A tab control window without class-library object: its tabs are read from the window and
// drawn the same way; it has no close buttons.
TEST_P(TabSkinTestOnOwnSkins, ABareTabWindowIsDrawnFromItsOwnItems) {
  form_->Show();
  HWND bare = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | TCS_BOTTOM, 10, 10, 300,
                              120, form_->Handle(), nullptr, nullptr, nullptr);
  ASSERT_NE(bare, nullptr);
  for (const wchar_t* name : {L"Left", L"Middle", L"Right"}) {
    std::wstring text = name;
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    const auto at = SendMessageW(bare, TCM_GETITEMCOUNT, 0, 0);
    SendMessageW(bare, TCM_INSERTITEMW, at, reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(bare, TCM_SETCURSEL, 2, 0);
  auto* skinner = new TSkinTab(nullptr);
  skinner->AttachHandle(bare, data_, &host_, nullptr);
  EXPECT_FALSE(skinner->Closable());
  EXPECT_EQ(skinner->TabPosition(), tsdBottom);
  const auto drawn = Capture(bare);
  EXPECT_EQ(FramesAt(*drawn, ItemRect(bare, 0), tsdBottom), std::set<int>{sfNormal});
  EXPECT_EQ(FramesAt(*drawn, ItemRect(bare, 2), tsdBottom), std::set<int>{sfPressed});
  // The current tab's caption is in the current-tab colour of the skin.
  const COLORREF text = ui::ColorToRGB(ResolveColour(tabs_->MouseOverColour2));
  const std::uint32_t ink = std::uint32_t(GetRValue(text)) << 16 | GetGValue(text) << 8 | GetBValue(text);
  const RECT item = ItemRect(bare, 2);
  int inked = 0;
  for (int y = item.top; y < item.bottom; ++y) {
    for (int x = item.left; x < item.right; ++x) inked += At(*drawn, x, y) == ink ? 1 : 0;
  }
  EXPECT_GT(inked, 10);
  DestroyWindow(bare);
}

// More tabs than fit: the row's arrow buttons get a skinner of their own, once.
TEST_P(TabSkinTestOnOwnSkins, TheArrowsOfATooLongRowAreSkinned) {
  auto* tabs = new ui::TTabControl(form_.get());
  tabs->SetParent(form_.get());
  tabs->SetBounds(10, 10, 130, 80);
  for (const char* name : {"First", "Second", "Third", "Fourth", "Fifth", "Sixth"}) tabs->Tabs()->Add(name);
  form_->Show();
  auto* skinner = new TSkinTab(tabs);
  skinner->SetKind(kTabKindPlain);
  skinner->Attach(&host_, data_, nullptr, false);
  Capture(tabs->Handle());
  const HWND arrows = FindWindowExW(tabs->Handle(), nullptr, UPDOWN_CLASSW, nullptr);
  ASSERT_NE(arrows, nullptr) << "the tab control made no arrows";
  ASSERT_NE(skinner->RowUpDown(), nullptr);
  EXPECT_EQ(skinner->RowUpDown()->Handle(), arrows);
  Capture(tabs->Handle());
  EXPECT_EQ(host_.list.Find(arrows), host_.list.FindLast(arrows));
}

// The foreign page control gets frames 1 and 2 of the tab strip as its two tab pictures, and
// loses them when the skin goes; the arrows of its tab row are skinned once they exist.
TEST_F(TabSkinTest, AForeignPageControlTakesTheTabPicturesThroughItsProperties) {
  auto* pages = new TVxPageControl(form_.get());
  pages->SetParent(form_.get());
  pages->SetBounds(10, 10, 300, 120);
  form_->Show();
  auto* skinner = new TSkinAdvPage(pages);
  skinner->SetPageMode(4);
  skinner->Attach(&host_, data_, nullptr, true);
  const ui::TBitmap& normal = *pages->TabBackGround();
  const ui::TBitmap& active = *pages->TabBackGroundActive();
  ASSERT_EQ(normal.Width(), 100);
  ASSERT_EQ(normal.Height(), 21);
  ASSERT_EQ(active.Width(), 100);
  // The top-left corners (the strip's unscaled margins) are those of frames 1 and 2.
  const auto cornerMismatches = [&](const ui::TBitmap& picture, int frame, int* compared) {
    return Mismatches(picture, 0, 0, tabs_->LeftWidth, tabs_->TopHeight, *tabs_->Bitmap,
                      tabs_->Frame, frame, 0, 0, compared);
  };
  int compared = 0;
  EXPECT_EQ(cornerMismatches(normal, 1, &compared), 0);
  EXPECT_GT(compared, 0);
  EXPECT_EQ(cornerMismatches(active, 2, &compared), 0);
  EXPECT_GT(cornerMismatches(active, 1, &compared), 0);

  HWND arrows = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE | UDS_HORZ, 250, 2, 40, 18,
                                pages->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(arrows, nullptr);
  Capture(pages->Handle());
  ASSERT_NE(skinner->RowUpDown(), nullptr);
  EXPECT_EQ(skinner->RowUpDown()->Handle(), arrows);
  EXPECT_EQ(host_.list.Find(arrows), skinner->RowUpDown());
  Capture(pages->Handle());
  EXPECT_EQ(host_.list.Find(arrows), host_.list.FindLast(arrows));  // attached once

  skinner->Detach();
  EXPECT_TRUE(pages->TabBackGround()->Empty());
  EXPECT_TRUE(pages->TabBackGroundActive()->Empty());
}

TEST_F(TabSkinTest, AForeignPageControlOfAnotherModeKeepsItsPictures) {
  auto* pages = new TVxPageControl(form_.get());
  pages->SetParent(form_.get());
  form_->Show();
  auto* skinner = new TSkinAdvPage(pages);
  skinner->Attach(&host_, data_, nullptr, true);
  EXPECT_TRUE(pages->TabBackGround()->Empty());
}

}  // namespace
