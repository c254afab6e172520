// Combo boxes in their three styles, a list box, scroll bars, up-down arrows and date pickers,
// each with content enough to scroll.
#include <string>

#include "Gallery.h"
#include "ui/ListControls.h"
#include "ui/RangeControls.h"
#include "ui/StatusBar.h"

namespace skinview {

namespace {

void FillLines(ui::TStringList& items, const char* stem, int count) {
  for (int i = 1; i <= count; ++i) {
    std::string line = stem;
    line += ' ';
    line += std::to_string(i);
    items.Add(line);
  }
}

void AddComboBoxes(TGallery& gallery) {
  TGalleryGroup group = gallery.AddGroup(L"组合框 Combo and list boxes", 1, 188);
  const int width = (group.BodyWidth() - kGap) / 2;
  auto* dropDown = group.Add<ui::TComboBox>(0, 0, width, 21);
  FillLines(*dropDown->Items(), "Drop-down", 20);
  dropDown->SetItemIndex(0);
  auto* list = group.Add<ui::TComboBox>(0, 28, width, 21);
  list->SetStyle(ui::csDropDownList);
  FillLines(*list->Items(), "Drop-down list", 20);
  list->SetItemIndex(1);
  auto* disabled = group.Add<ui::TComboBox>(0, 56, width, 21);
  FillLines(*disabled->Items(), "Disabled", 3);
  disabled->SetItemIndex(0);
  disabled->SetEnabled(false);
  auto* simple = group.Add<ui::TComboBox>(0, 84, width, 76);
  simple->SetStyle(ui::csSimple);
  FillLines(*simple->Items(), "Simple", 20);
  simple->SetItemIndex(2);
  // Right to left: the button at the left.
  auto* rightToLeft = group.Add<ui::TComboBox>(0, 167, width, 21);
  rightToLeft->SetStyle(ui::csDropDownList);
  rightToLeft->SetBiDiMode(ui::bdRightToLeft);
  FillLines(*rightToLeft->Items(), "Right to left", 5);
  rightToLeft->SetItemIndex(0);
  auto* box = group.Add<ui::TListBox>(width + kGap, 0, width, 160);
  FillLines(*box->Items(), "List box line", 30);
  box->SetItemIndex(3);
}

void AddRanges(TGallery& gallery) {
  TGalleryGroup group = gallery.AddGroup(L"数值 Scroll bars, up-down and dates", 1, 150);
  const int body = group.BodyWidth();
  auto* horizontal = group.Add<ui::TScrollBar>(0, 0, body - 26, 17);
  horizontal->SetRange(0, 100);
  horizontal->SetPosition(30);
  auto* vertical = group.Add<ui::TScrollBar>(body - 17, 0, 17, 80);
  vertical->SetKind(ui::sbVertical);
  vertical->SetBounds(vertical->Left(), vertical->Top(), 17, 80);
  vertical->SetRange(0, 100);
  vertical->SetPosition(60);
  auto* number = group.Add<ui::TEdit>(0, 28, 60, 21);
  auto* updown = group.Add<ui::TUpDown>(60, 28, 17, 21);
  updown->SetRange(0, 99);
  updown->SetAssociate(number);
  updown->SetPosition(42);
  auto* across = group.Add<ui::TUpDown>(100, 28, 34, 21);
  across->SetOrientation(ui::udHorizontal);
  // Arrows inside the edit itself.
  auto* spin = group.Add<ui::TSpinEdit>(150, 28, 80, 21);
  spin->SetRange(0, 50);
  spin->SetValue(7);
  auto* date = group.Add<ui::TDateTimePicker>(0, 60, body - 26, 21);
  date->SetDateFormat(ui::dfLong);
  auto* time = group.Add<ui::TDateTimePicker>(0, 90, 120, 21);
  time->SetKind(ui::dtkTime);
  auto* off = group.Add<ui::TDateTimePicker>(130, 90, body - 156, 21);
  off->SetEnabled(false);
}

}  // namespace

void AddListGroups(TGallery& gallery) {
  AddComboBoxes(gallery);
  AddRanges(gallery);
}

}  // namespace skinview
