// Tab controls without pages on every side and in several rows, and the self-drawn tab set.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "GuiTestSupport.h"
#include "ui/ComCtrls.h"
#include "ui/TabSet.h"

using namespace ui;

namespace {

struct TabsForm : testing::Test {
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  void SetUp() override {
    form->SetClientSize(500, 400);
    form->Show();
  }
  template <class T>
  T* Make(int left, int top, int width, int height) {
    auto* c = new T(form.get());
    c->SetParent(form.get());
    c->SetBounds(left, top, width, height);
    return c;
  }
};

DWORD StyleOf(TWinControl* c) { return static_cast<DWORD>(GetWindowLongW(c->Handle(), GWL_STYLE)); }

// The client point in the middle of tab `index` of a system tab control.
LPARAM TabCentre(HWND h, int index) {
  RECT r{};
  SendMessageW(h, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

}  // namespace

TEST_F(TabsForm, TabControlNamesItsTabsOnEverySideAndReportsTheUsersChoice) {
  auto* tabs = Make<TTabControl>(10, 10, 300, 200);
  for (const char* name : {"First", "Second", "Third"}) tabs->Tabs()->Add(name);
  EXPECT_EQ(SendMessageW(tabs->Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(tabs->TabIndex(), -1);
  int changes = 0;
  tabs->OnChange = [&](TObject*) { ++changes; };
  const LPARAM second = TabCentre(tabs->Handle(), 1);
  SendMessageW(tabs->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, second);
  SendMessageW(tabs->Handle(), WM_LBUTTONUP, 0, second);
  EXPECT_EQ(tabs->TabIndex(), 1);
  EXPECT_EQ(changes, 1);

  tabs->SetTabPosition(tpBottom);
  EXPECT_NE(StyleOf(tabs) & TCS_BOTTOM, 0u);
  EXPECT_EQ(tabs->TabIndex(), 1) << "the choice survives a new window";
  tabs->SetTabPosition(tpLeft);
  EXPECT_NE(StyleOf(tabs) & TCS_VERTICAL, 0u);
  tabs->SetTabPosition(tpRight);
  EXPECT_EQ(StyleOf(tabs) & (TCS_VERTICAL | TCS_RIGHT), static_cast<DWORD>(TCS_VERTICAL | TCS_RIGHT));
  tabs->SetTabPosition(tpTop);
  tabs->SetMultiLine(true);
  for (int i = 0; i < 12; ++i) {
    std::string name = "More tabs ";
    name += std::to_string(i);
    tabs->Tabs()->Add(name);
  }
  EXPECT_NE(StyleOf(tabs) & TCS_MULTILINE, 0u);
  EXPECT_GT(SendMessageW(tabs->Handle(), TCM_GETROWCOUNT, 0, 0), 1);
  EXPECT_EQ(GetEnumPropText(tabs, L"MultiLine"), L"True");
  EXPECT_EQ(GetIntProp(tabs, L"TabIndex"), 1);
}

TEST_F(TabsForm, TabSetDrawsItsTabsAndChoosesByClick) {
  auto* set = Make<TTabSet>(10, 10, 400, 22);
  for (const char* name : {"Sheet1", "Sheet2", "Sheet3"}) set->Tabs()->Add(name);
  EXPECT_EQ(set->TabIndex(), 0);
  set->SetSelectedColor(clYellow);
  set->SetUnselectedColor(clAqua);
  const std::vector<RECT> rects = set->TabRects();
  ASSERT_EQ(rects.size(), 3u);
  EXPECT_LT(rects[0].right, rects[2].left + 20);

  TBitmap target(400, 22);
  SendMessageW(set->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(target.Canvas()->Handle()), 0);
  const auto middle = [](const RECT& r) { return POINT{(r.left + r.right) / 2, 4}; };
  EXPECT_EQ(testsupport::PixelRGB(target.Canvas()->Handle(), middle(rects[0]).x + 20, 4), 0xFFFF00u);
  EXPECT_EQ(testsupport::PixelRGB(target.Canvas()->Handle(), rects[1].right - 10, 4), 0x00FFFFu);

  int changes = 0;
  set->OnChange = [&](TObject*) { ++changes; };
  const POINT third = middle(rects[2]);
  SendMessageW(set->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(third.x, third.y));
  SendMessageW(set->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(third.x, third.y));
  EXPECT_EQ(set->TabIndex(), 2);
  EXPECT_EQ(changes, 1);
  set->Tabs()->Delete(2);
  EXPECT_EQ(set->TabIndex(), 1) << "the choice moves onto a tab that still exists";
}
