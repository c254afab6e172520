// Page controls and list views over the system's common controls.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "ui/ComCtrls.h"
#include "ui/SysUtils.h"

using namespace ui;

namespace {

struct PagesForm : testing::Test {
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  TPageControl* pages = nullptr;
  std::vector<TTabSheet*> sheets;
  std::vector<std::wstring> events;

  void SetUp() override {
    form->SetClientSize(600, 400);
    pages = new TPageControl(form.get());
    pages->SetParent(form.get());
    pages->SetBounds(8, 8, 500, 300);
    for (const wchar_t* caption : {L"第一步", L"第二步", L"用户留言"}) {
      auto* sheet = new TTabSheet(form.get());
      sheet->OnShow = [this, caption](TObject*) { events.push_back(std::wstring(L"show ") + caption); };
      sheet->OnHide = [this, caption](TObject*) { events.push_back(std::wstring(L"hide ") + caption); };
      sheet->SetCaption(caption);
      sheet->SetPageControl(pages);
      sheets.push_back(sheet);
    }
  }

  // The form goes first: its pages still report to `events` while they leave.
  void TearDown() override { form.reset(); }

  HWND Tabs() { return pages->Handle(); }
  std::wstring TabText(int index) {
    wchar_t buffer[80] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = 80;
    SendMessageW(Tabs(), TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return buffer;
  }
  void ClickTab(int index) {
    RECT r{};
    SendMessageW(Tabs(), TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(Tabs(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(Tabs(), WM_LBUTTONUP, 0, at);
  }
  bool OnlyVisible(TTabSheet* shown) {
    for (TTabSheet* s : sheets)
      if (s->HandleAllocated() && (IsWindowVisible(s->Handle()) != 0) != (s == shown && form->Showing())) return false;
    return true;
  }
};

std::wstring ItemText(HWND list, int item, int column) {
  wchar_t buffer[256] = {};
  LVITEMW it{};
  it.iSubItem = column;
  it.pszText = buffer;
  it.cchTextMax = 256;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
  return buffer;
}

}  // namespace

TEST_F(PagesForm, PagesInOrderWithTheFirstActiveAndFillingTheDisplayArea) {
  form->Show();
  EXPECT_EQ(pages->PageCount(), 3);
  EXPECT_EQ(pages->ActivePage(), sheets[0]);
  EXPECT_EQ(GetIntProp(pages, L"ActivePageIndex"), 0);
  EXPECT_EQ(SendMessageW(Tabs(), TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(TabText(0), L"第一步");
  EXPECT_EQ(TabText(2), L"用户留言");
  EXPECT_EQ(SendMessageW(Tabs(), TCM_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(OnlyVisible(sheets[0]));
  EXPECT_EQ(events, std::vector<std::wstring>{L"show 第一步"});  // it became active when added

  RECT display{};
  GetClientRect(Tabs(), &display);
  SendMessageW(Tabs(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  RECT page{};
  GetWindowRect(sheets[1]->Handle(), &page);
  MapWindowPoints(nullptr, Tabs(), reinterpret_cast<POINT*>(&page), 2);
  EXPECT_TRUE(EqualRect(&page, &display));
  EXPECT_EQ(sheets[2]->PageIndex(), 2);
  EXPECT_EQ(GetTextProp(sheets[2], L"Caption"), L"用户留言");
  sheets[2]->SetCaption(L"反馈");
  EXPECT_EQ(TabText(2), L"反馈");
}

TEST_F(PagesForm, ActivatingHidesTheOldPageThenShowsTheNewOne) {
  form->Show();
  events.clear();
  pages->SetActivePageIndex(2);
  EXPECT_EQ(events, (std::vector<std::wstring>{L"hide 第一步", L"show 用户留言"}));
  EXPECT_TRUE(OnlyVisible(sheets[2]));
  EXPECT_EQ(SendMessageW(Tabs(), TCM_GETCURSEL, 0, 0), 2);

  // The user's click on a tab does the same, and tells OnChange.
  events.clear();
  int changes = 0;
  pages->OnChange = [&](TObject*) { ++changes; };
  ClickTab(1);
  EXPECT_EQ(pages->ActivePage(), sheets[1]);
  EXPECT_EQ(events, (std::vector<std::wstring>{L"hide 用户留言", L"show 第二步"}));
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(OnlyVisible(sheets[1]));

  // Choosing the same page again fires nothing; choosing the other one twice shows it twice.
  events.clear();
  pages->SetActivePage(sheets[1]);
  EXPECT_TRUE(events.empty());
  ClickTab(2);
  ClickTab(1);
  ClickTab(2);
  EXPECT_EQ(std::count(events.begin(), events.end(), L"show 用户留言"), 2);

  // The skin engine's update notice shares CN_NOTIFY's number; it is not a notification.
  events.clear();
  SendMessageW(Tabs(), CN_NOTIFY, 0, SkinUpdateParam);
  pages->Perform(CN_NOTIFY, 0, SkinUpdateParam);
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(pages->ActivePage(), sheets[2]);
}

TEST_F(PagesForm, HiddenTabsStyleChangesAndLeavingPages) {
  sheets[1]->SetTabVisible(false);
  form->Show();
  EXPECT_EQ(SendMessageW(Tabs(), TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(TabText(1), L"用户留言");
  ClickTab(1);  // the second tab belongs to the third page
  EXPECT_EQ(pages->ActivePage(), sheets[2]);
  EXPECT_EQ(sheets[2]->TabIndex(), 1);

  EXPECT_EQ(GetEnumPropText(pages, L"Style"), L"tsTabs");
  EXPECT_TRUE(SetPropText(pages, L"Style", L"tsFlatButtons"));
  DWORD style = static_cast<DWORD>(GetWindowLongW(Tabs(), GWL_STYLE));
  EXPECT_TRUE((style & TCS_BUTTONS) && (style & TCS_FLATBUTTONS));
  EXPECT_EQ(SendMessageW(Tabs(), TCM_GETITEMCOUNT, 0, 0), 2);  // the new window has the tabs
  EXPECT_EQ(SendMessageW(Tabs(), TCM_GETCURSEL, 0, 0), 1);
  EXPECT_TRUE(OnlyVisible(sheets[2]));

  // The active page leaves: the one in its place, or the new last one, takes over.
  events.clear();
  delete sheets[2];
  sheets.pop_back();
  EXPECT_EQ(pages->PageCount(), 2);
  EXPECT_EQ(pages->ActivePage(), sheets[1]);
  EXPECT_EQ(events, std::vector<std::wstring>{L"show 第二步"});
  sheets[1]->SetPageIndex(0);
  EXPECT_EQ(pages->Pages(0), sheets[1]);
  EXPECT_EQ(pages->Pages(5), nullptr);
  EXPECT_EQ(GetObjectProp<TTabSheet>(pages, L"ActivePage"), sheets[1]);
}

TEST(ListView, ReportRowsAreWrittenToTheWindowAndReadBack) {
  TForm form(nullptr);
  form.SetClientSize(900, 500);
  auto* list = new TListView(&form);
  list->SetParent(&form);
  list->SetBounds(16, 78, 863, 415);
  list->SetViewStyle(vsReport);
  list->SetReadOnly(true);
  list->SetRowSelect(true);
  const wchar_t* captions[] = {L"编号", L"进度", L"文件名", L"CSS中文件地址"};
  const int widths[] = {45, 90, 139, 334};
  for (int i = 0; i < 4; ++i) {
    TListColumn* column = list->Columns()->Add();
    column->SetCaption(captions[i]);
    column->SetWidth(widths[i]);
  }
  TListItem* first = list->Items()->Add();  // before the window exists
  first->SetCaption(L"0");
  first->SubItems().SetStrings(2, L"/image/top.gif");  // later columns first: earlier ones stay empty
  HWND h = list->Handle();
  EXPECT_EQ(ItemText(h, 0, 3), L"/image/top.gif");
  EXPECT_EQ(ItemText(h, 0, 1), L"");
  first->SubItems().SetStrings(0, L"100%");
  first->SubItems().SetStrings(1, L"top.gif");
  EXPECT_EQ(ItemText(h, 0, 0), L"0");
  EXPECT_EQ(ItemText(h, 0, 1), L"100%");
  EXPECT_EQ(ItemText(h, 0, 2), L"top.gif");
  EXPECT_EQ(first->SubItems().Strings(7), L"");

  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(SendMessageW(h, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i), 0), widths[i]);
    wchar_t text[64] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = 64;
    SendMessageW(h, LVM_GETCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    EXPECT_STREQ(text, captions[i]);
  }
  EXPECT_EQ(GetWindowLongW(h, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_FALSE(GetWindowLongW(h, GWL_STYLE) & LVS_EDITLABELS);
  EXPECT_TRUE(SendMessageW(h, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
  EXPECT_EQ(GetEnumPropText(list, L"ViewStyle"), L"vsReport");
  EXPECT_EQ(GetEnumPropText(list, L"RowSelect"), L"True");
  EXPECT_EQ(GetEnumPropText(list, L"ReadOnly"), L"True");
  EXPECT_EQ(GetEnumPropText(list, L"BorderStyle"), L"bsSingle");

  // Many rows: the last one can be scrolled into view.
  for (int i = 1; i < 100; ++i) {
    TListItem* item = list->Items()->Add();
    item->SetCaption(std::to_wstring(i));
    item->SubItems().Add(L"0%");
  }
  EXPECT_EQ(SendMessageW(h, LVM_GETITEMCOUNT, 0, 0), 100);
  EXPECT_EQ(list->TopIndex(), 0);
  list->Items()->Item(99)->MakeVisible(false);
  int top = list->TopIndex();
  int perPage = static_cast<int>(SendMessageW(h, LVM_GETCOUNTPERPAGE, 0, 0));
  EXPECT_GT(top, 0);
  EXPECT_GE(top + perPage, 100);
  EXPECT_EQ(list->Items()->Item(42)->Index(), 42);

  // Deleting and clearing reach the window; rows survive a new window.
  list->Items()->Delete(1);
  EXPECT_EQ(ItemText(h, 1, 0), L"2");
  list->SetReadOnly(false);
  h = list->Handle();
  EXPECT_TRUE(GetWindowLongW(h, GWL_STYLE) & LVS_EDITLABELS);
  EXPECT_EQ(SendMessageW(h, LVM_GETITEMCOUNT, 0, 0), 99);
  EXPECT_EQ(ItemText(h, 0, 2), L"top.gif");
  EXPECT_EQ(SendMessageW(h, LVM_GETCOLUMNWIDTH, 3, 0), 334);
  EXPECT_THROW(list->Items()->Delete(99), Exception);
  list->Perform(CN_NOTIFY, 0, SkinUpdateParam);  // not a notification: ignored
  list->Items()->Clear();
  EXPECT_EQ(SendMessageW(h, LVM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_EQ(list->Items()->Count(), 0);
}

// Rows changed during an update reach the window at once, but the window does not repaint
// until the outer update ends, and then is visible and repainted.
TEST(ListView, AnUpdateWritesRowsAndRepaintsOnceWhenTheOuterUpdateEnds) {
  TForm form(nullptr);
  form.SetClientSize(400, 300);
  auto* list = new TListView(&form);
  list->SetParent(&form);
  list->SetBounds(0, 0, 400, 300);
  list->SetViewStyle(vsReport);
  list->Columns()->Add()->SetWidth(100);
  form.Show();
  HWND h = list->Handle();
  UpdateWindow(h);
  list->Items()->BeginUpdate();
  list->Items()->BeginUpdate();
  list->Items()->Add()->SetCaption(L"0");
  list->Items()->EndUpdate();
  list->Items()->Add()->SetCaption(L"1");
  list->Items()->Item(0)->SubItems().Add(L"50%");
  EXPECT_FALSE(GetUpdateRect(h, nullptr, FALSE));
  EXPECT_EQ(ItemText(h, 1, 0), L"1");
  list->Items()->EndUpdate();
  EXPECT_TRUE(IsWindowVisible(h));
  EXPECT_TRUE(GetUpdateRect(h, nullptr, FALSE));
  list->Items()->EndUpdate();  // one too many changes nothing
  EXPECT_TRUE(IsWindowVisible(h));
  // A later update holds the repaint again, and so does a window made during it.
  list->Items()->BeginUpdate();
  UpdateWindow(h);
  list->Items()->Add()->SetCaption(L"2");
  EXPECT_FALSE(GetUpdateRect(h, nullptr, FALSE));
  list->SetReadOnly(true);  // a new window
  h = list->Handle();
  UpdateWindow(h);
  list->Items()->Add()->SetCaption(L"3");
  EXPECT_FALSE(GetUpdateRect(h, nullptr, FALSE));
  list->Items()->EndUpdate();
}
