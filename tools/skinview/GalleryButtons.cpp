// Push buttons and check boxes in each of their states.
#include "Gallery.h"

namespace skinview {

namespace {

void AddPushButtons(TGallery& gallery) {
  TGalleryGroup group = gallery.AddGroup(L"按钮 Buttons", 1, 58);
  const int width = (group.BodyWidth() - kGap) / 2;
  group.Add<ui::TButton>(0, 0, width, 25, L"Normal");
  group.Add<ui::TButton>(width + kGap, 0, width, 25, L"Default")->SetDefault(true);
  group.Add<ui::TButton>(0, 33, width, 25, L"Disabled")->SetEnabled(false);
  // The control that has the keyboard focus when the gallery opens.
  auto* focused = group.Add<ui::TButton>(width + kGap, 33, width, 25, L"Focused");
  group.Form().FocusControl(focused);
}

void AddCheckBoxes(TGallery& gallery) {
  TGalleryGroup group = gallery.AddGroup(L"复选框 Check boxes", 1, 62);
  const int width = (group.BodyWidth() - kGap) / 2;
  const auto add = [&](int column, int row, const wchar_t* caption, ui::TCheckBoxState state,
                       bool enabled) {
    auto* box = group.Add<ui::TCheckBox>(column * (width + kGap), row * 22, width, 18, caption);
    box->SetAllowGrayed(state == ui::cbGrayed);
    box->SetState(state);
    box->SetEnabled(enabled);
  };
  add(0, 0, L"Checked", ui::cbChecked, true);
  add(0, 1, L"Unchecked", ui::cbUnchecked, true);
  add(0, 2, L"Grayed", ui::cbGrayed, true);
  add(1, 0, L"Disabled, checked", ui::cbChecked, false);
  add(1, 1, L"Disabled, unchecked", ui::cbUnchecked, false);
}

}  // namespace

void AddButtonGroups(TGallery& gallery) {
  AddPushButtons(gallery);
  AddCheckBoxes(gallery);
}

}  // namespace skinview
