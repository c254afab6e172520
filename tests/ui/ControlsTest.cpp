// Controls over real windows: the WindowProc chain, window re-creation, windowless children,
// layout, focus, and exceptions escaping handlers.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "GuiTestSupport.h"
#include "ui/Forms.h"
#include "ui/SysUtils.h"

using namespace ui;
using testsupport::PumpUntil;

namespace {

constexpr UINT kPing = WM_APP + 1;
constexpr UINT kBoom = WM_APP + 2;

class TPanelish : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int pings = 0;
  void WndProc(TMessage& m) override {
    if (m.Msg == kPing) {
      ++pings;
      m.Result = 42;
      return;
    }
    if (m.Msg == kBoom) throw Exception(L"处理失败: boom");
    TCustomControl::WndProc(m);
  }
};

class TSwatch : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  TColor fill = clRed;

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(fill);
    RECT r{0, 0, Width(), Height()};
    Canvas()->FillRect(r);
  }
};

struct FormFixture : testing::Test {
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  TPanelish* panel = nullptr;
  void SetUp() override {
    form->SetClientSize(300, 200);
    panel = new TPanelish(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(10, 20, 100, 50);
  }
};

}  // namespace

TEST_F(FormFixture, ReplacedWindowProcSeesEveryMessageInOrderAndChains) {
  std::vector<UINT> seen;
  TWndMethod previous = panel->WindowProc;
  panel->WindowProc = [&](TMessage& m) {
    seen.push_back(m.Msg);
    previous(m);
  };
  HWND h = panel->Handle();
  seen.clear();
  EXPECT_EQ(SendMessageW(h, kPing, 0, 0), 42);  // through the window
  EXPECT_EQ(panel->Perform(kPing), 42);          // straight to the control
  PostMessageW(h, kPing, 0, 0);
  PostMessageW(h, kPing + 10, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return seen.size() >= 4; }));
  EXPECT_EQ(std::vector<UINT>(seen.begin(), seen.begin() + 4),
            (std::vector<UINT>{kPing, kPing, kPing, kPing + 10}));
  EXPECT_EQ(panel->pings, 3);

  // Library notifications travel the same chain.
  seen.clear();
  panel->SetEnabled(false);
  panel->SetCaption(L"新标题");
  EXPECT_NE(std::find(seen.begin(), seen.end(), CM_ENABLEDCHANGED), seen.end());
  auto settext = std::find(seen.begin(), seen.end(), static_cast<UINT>(WM_SETTEXT));
  ASSERT_NE(settext, seen.end());
  EXPECT_NE(std::find(settext, seen.end(), CM_TEXTCHANGED), seen.end());
  EXPECT_FALSE(IsWindowEnabled(h));

  // Giving the previous procedure back ends the interception.
  panel->WindowProc = previous;
  seen.clear();
  SendMessageW(h, kPing, 0, 0);
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(panel->pings, 4);
}

TEST_F(FormFixture, RecreatedWindowKeepsTextAndReplacedWindowProc) {
  panel->SetCaption(L"保留");
  std::vector<UINT> seen;
  TWndMethod previous = panel->WindowProc;
  panel->WindowProc = [&](TMessage& m) {
    seen.push_back(m.Msg);
    previous(m);
  };
  HWND old = panel->Handle();
  panel->RecreateWnd();
  HWND now = panel->Handle();
  EXPECT_FALSE(IsWindow(old));
  EXPECT_TRUE(IsWindow(now));
  EXPECT_EQ(TWinControl::FromHandle(now), panel);
  EXPECT_EQ(panel->Caption(), L"保留");
  EXPECT_NE(std::find(seen.begin(), seen.end(), CM_RECREATEWND), seen.end());
  seen.clear();
  SendMessageW(now, kPing, 0, 0);
  EXPECT_EQ(seen, std::vector<UINT>{kPing});
  panel->WindowProc = previous;  // the interceptor's captures end with this test
}

TEST_F(FormFixture, WindowlessChildPaintsOnParentAtItsPlaceAndGetsMouse) {
  auto* swatch = new TSwatch(form.get());
  swatch->SetParent(form.get());
  swatch->SetBounds(150, 100, 30, 20);
  int clicks = 0;
  swatch->OnClick = [&](TObject*) { ++clicks; };
  HWND h = form->Handle();

  TBitmap target(300, 200);
  HDC dc = target.Canvas()->Handle();
  RECT all{0, 0, 300, 200};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SendMessageW(h, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  EXPECT_EQ(testsupport::PixelRGB(dc, 150, 100), 0xFF0000u);
  EXPECT_EQ(testsupport::PixelRGB(dc, 179, 119), 0xFF0000u);
  EXPECT_NE(testsupport::PixelRGB(dc, 180, 119), 0xFF0000u);
  EXPECT_NE(testsupport::PixelRGB(dc, 149, 100), 0xFF0000u);

  // A press and release inside the child is its click; the parent forwards both.
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(160, 110));
  SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(161, 111));
  EXPECT_EQ(clicks, 1);
  // Released outside: no click.
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(160, 110));
  SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(clicks, 1);

  // Moving over it enters it; moving off leaves it.
  std::vector<std::wstring> events;
  swatch->OnMouseEnter = [&](TObject*) { events.push_back(L"enter"); };
  swatch->OnMouseLeave = [&](TObject*) { events.push_back(L"leave"); };
  SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(155, 105));
  SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(events, (std::vector<std::wstring>{L"enter", L"leave"}));
}

TEST_F(FormFixture, AlignedAndAnchoredChildrenFollowTheParent) {
  auto* top = new TPanelish(form.get());
  top->SetParent(form.get());
  top->SetHeight(30);
  top->SetAlign(alTop);
  auto* anchored = new TPanelish(form.get());
  anchored->SetParent(form.get());
  anchored->SetBounds(20, 60, 200, 100);  // 80 from the right, 40 from the bottom
  anchored->SetAnchors(AnchorsAll);
  form->Handle();
  EXPECT_EQ(top->BoundsRect().right, 300);
  EXPECT_EQ(top->Top(), 0);
  form->SetClientSize(400, 300);
  EXPECT_EQ(top->Width(), 400);
  EXPECT_EQ(anchored->Left(), 20);
  EXPECT_EQ(anchored->Width(), 300);
  EXPECT_EQ(anchored->Height(), 200);
  RECT r;
  GetWindowRect(anchored->Handle(), &r);
  EXPECT_EQ(r.right - r.left, 300);
}

// Scaling the form scales an anchored child's margins, and a later resize keeps them.
TEST_F(FormFixture, AScaledFormKeepsItsAnchoredChildrensScaledMargins) {
  auto* anchored = new TPanelish(form.get());
  anchored->SetParent(form.get());
  anchored->SetBounds(20, 60, 200, 100);  // 80 from the right, 40 from the bottom
  anchored->SetAnchors(AnchorsAll);
  form->Handle();
  const int m = 2 * form->PixelsPerInch(), d = form->PixelsPerInch();
  form->ScaleToDpi(m);
  form->SetClientSize(form->ClientWidth() + 100, form->ClientHeight() + 100);
  EXPECT_EQ(std::make_pair(form->ClientWidth() - anchored->Left() - anchored->Width(),
                           form->ClientHeight() - anchored->Top() - anchored->Height()),
            std::make_pair(MulDiv(80, m, d), MulDiv(40, m, d)));
}

TEST(Forms, ExceptionInHandlerShowsErrorBoxAndLoopGoesOn) {
  TForm form(nullptr);
  auto* panel = new TPanelish(&form);
  panel->SetParent(&form);
  panel->SetBounds(0, 0, 50, 50);
  Application->SetTitle(L"测试程序");
  HWND h = panel->Handle();
  testsupport::MessageBoxWatcher watcher;
  PostMessageW(h, kBoom, 0, 0);
  PostMessageW(h, kPing, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return panel->pings == 1; }));
  ASSERT_EQ(watcher.Boxes().size(), 1u);
  EXPECT_EQ(watcher.Boxes()[0].text, L"处理失败: boom");
  EXPECT_EQ(watcher.Boxes()[0].caption, L"测试程序");

  // A click handler that throws: the same box, and the control still works afterwards.
  int clicks = 0;
  panel->OnClick = [&](TObject*) {
    if (++clicks == 1) throw Exception(L"Cannot open file \"x.css\". 系统找不到指定的文件。");
  };
  PostMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  PostMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_TRUE(PumpUntil([&] { return clicks == 2 && watcher.Boxes().size() == 2; }));
  EXPECT_EQ(watcher.Boxes()[1].text, L"Cannot open file \"x.css\". 系统找不到指定的文件。");
}

TEST(Forms, TabKeyWalksTheTabOrderOfFocusableControls) {
  TForm form(nullptr);
  form.SetClientSize(200, 200);
  std::vector<TPanelish*> p;
  for (int i = 0; i < 3; ++i) {
    p.push_back(new TPanelish(&form));
    p[i]->SetParent(&form);
    p[i]->SetBounds(0, i * 30, 50, 20);
    p[i]->SetTabStop(true);
  }
  p[2]->SetTabOrder(0);  // tab order: 2, 0, 1
  p[0]->SetEnabled(false);
  EXPECT_EQ(p[2]->TabOrder(), 0);
  EXPECT_EQ(p[1]->TabOrder(), 2);
  form.Show();
  p[2]->SetFocus();
  ASSERT_TRUE(p[2]->Focused());
  Application->ProcessMessages();
  PostMessageW(p[2]->Handle(), WM_KEYDOWN, VK_TAB, 0);
  PumpUntil([&] { return p[1]->Focused(); });
  EXPECT_TRUE(p[1]->Focused());  // the disabled one is skipped
  EXPECT_EQ(form.ActiveControl(), p[1]);
}

TEST_F(FormFixture, AWindowedChildThatIsFreedLeavesItsParentsListsAndTabOrder) {
  auto* first = new TPanelish(form.get());
  first->SetParent(panel);
  auto* second = new TPanelish(form.get());
  second->SetParent(panel);
  std::vector<TWinControl*> order;
  form->GetTabOrderList(order);
  ASSERT_EQ(order, (std::vector<TWinControl*>{panel, first, second}));
  delete first;
  EXPECT_EQ(panel->ControlCount(), 1);
  order.clear();
  form->GetTabOrderList(order);
  EXPECT_EQ(order, (std::vector<TWinControl*>{panel, second}));
  delete panel;
  order.clear();
  form->GetTabOrderList(order);
  EXPECT_TRUE(order.empty());
  EXPECT_EQ(form->ControlCount(), 0);
}
