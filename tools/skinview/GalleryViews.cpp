// A list view in report style, page controls with their sheets, tab controls on every side, a
// tab set, and the web browser.
#include <string>

#include "Gallery.h"
#include "ui/ComCtrls.h"
#include "ui/OleCtrls.h"
#include "ui/TabSet.h"

namespace skinview {

namespace {

void AddListView(TGallery& gallery) {
  TGalleryGroup group = gallery.AddGroup(L"列表视图 List view", 3, 150);
  auto* list = group.Add<ui::TListView>(0, 0, group.BodyWidth(), 150);
  list->SetViewStyle(ui::vsReport);
  list->SetReadOnly(true);
  list->SetRowSelect(true);
  list->SetGridLines(true);
  const std::pair<const wchar_t*, int> columns[] = {
      {L"No.", 44}, {L"Name", 150}, {L"Progress", 90}, {L"Address", 720}};
  for (auto [caption, width] : columns) {
    ui::TListColumn* column = list->Columns()->Add();
    column->SetCaption(caption);
    column->SetWidth(width);
  }
  // More rows than the list shows, and columns wider than it is, so that it scrolls.
  for (int i = 1; i <= 30; ++i) {
    ui::TListItem* item = list->Items()->Add();
    item->SetCaption(std::to_wstring(i));
    item->SubItems().Add(L"image-" + std::to_wstring(i) + L".png");
    item->SubItems().Add(std::to_wstring(i * 37 % 101) + L"%");
    item->SubItems().Add(L"http://example.com/images/image-" + std::to_wstring(i) + L".png");
  }
  list->Items()->Item(1)->SetSelected(true);
}

// A page control of three sheets in the style, each sheet holding a text, the first an edit too.
ui::TPageControl* AddPages(TGalleryGroup& group, int top, ui::TTabStyle style, const wchar_t* name) {
  auto* pages = group.Add<ui::TPageControl>(0, top, group.BodyWidth(), 96);
  pages->SetStyle(style);
  for (int page = 1; page <= 3; ++page) {
    const std::wstring caption = L"Page " + std::to_wstring(page);
    auto* sheet = new ui::TTabSheet(&group.Form());
    sheet->SetCaption(caption);
    sheet->SetPageControl(pages);
    auto* text = new ui::TLabel(&group.Form());
    text->SetParent(sheet);
    text->SetTransparent(true);
    text->SetBounds(8, 8, 0, 0);  // sized to fit by the caption
    text->SetCaption(std::wstring(name) + L": page " + std::to_wstring(page));
  }
  auto* edit = new ui::TEdit(&group.Form());
  edit->SetParent(pages->Pages(0));
  edit->SetBounds(8, 30, 160, 21);
  edit->SetText(L"An edit on a page");
  pages->SetActivePageIndex(0);
  return pages;
}

void AddPageControls(TGallery& gallery) {
  TGalleryGroup group = gallery.AddGroup(L"多页控件 Page controls", 1, 200);
  // Tag 7777: a close button on every tab.
  AddPages(group, 0, ui::tsTabs, L"Closable tabs")->SetTag(7777);
  AddPages(group, 104, ui::tsFlatButtons, L"Flat buttons");
}

// System tab controls with their tabs on each side and in several rows, and a tab set. The
// side ones take the group's height, so that their tabs stand in one column.
void AddTabControls(TGallery& gallery) {
  TGalleryGroup group = gallery.AddGroup(L"选项卡 Tab controls and tab sets", 2, 178);
  const int quarter = (group.BodyWidth() - 3 * kGap) / 4;
  const ui::TTabPosition sides[] = {ui::tpTop, ui::tpBottom, ui::tpLeft, ui::tpRight};
  for (int i = 0; i < 4; ++i) {
    const bool side = i >= 2;
    auto* tabs = group.Add<ui::TTabControl>(i * (quarter + kGap), 0, quarter, side ? 178 : 90);
    tabs->SetTabPosition(sides[i]);
    for (const char* name : {"One", "Two", "Three"}) tabs->Tabs()->Add(name);
    tabs->SetTabIndex(i % 3);
  }
  const int half = 2 * quarter + kGap;
  auto* rows = group.Add<ui::TTabControl>(0, 98, half, 50);
  rows->SetMultiLine(true);
  for (const char* name : {"Several", "rows", "of tabs", "when they", "do not fit", "in one"}) {
    rows->Tabs()->Add(name);
  }
  rows->SetTabIndex(0);
  auto* set = group.Add<ui::TTabSet>(0, 156, half, 22);
  for (const char* name : {"Sheet 1", "Sheet 2", "Sheet 3"}) set->Tabs()->Add(name);
  set->SetTabIndex(1);
}

void AddWebBrowser(TGallery& gallery) {
  TGalleryGroup group = gallery.AddGroup(L"浏览器 Web browser", 1, 120);
  // Not sent anywhere: the gallery never goes on line.
  group.Add<ui::TWebBrowser>(0, 0, group.BodyWidth(), 120);
}

}  // namespace

void AddViewGroups(TGallery& gallery) {
  AddPageControls(gallery);
  AddTabControls(gallery);
  AddWebBrowser(gallery);
  AddListView(gallery);
}

}  // namespace skinview
