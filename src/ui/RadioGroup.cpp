#include <algorithm>

#include "ui/ExtCtrls.h"
#include "ui/SysUtils.h"

namespace ui {

const TClassInfo& TCustomRadioGroup::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TCustomRadioGroup", &TCustomGroupBox::StaticClass());
    c.Int(L"Columns", &TCustomRadioGroup::Columns, &TCustomRadioGroup::SetColumns);
    c.Int(L"ItemIndex", &TCustomRadioGroup::ItemIndex, &TCustomRadioGroup::SetItemIndex);
    c.Obj(L"Items", &TCustomRadioGroup::Items);
    return c;
  }();
  return info;
}

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner)
    : TCustomGroupBox(owner), items_(std::make_unique<TStringList>()) {
  items_->OnChange = [this](TStringList*) { RebuildButtons(); };
}

TCustomRadioGroup::~TCustomRadioGroup() { items_->OnChange = nullptr; }

int TCustomRadioGroup::ItemIndex() const {
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    if (buttons_[i]->Checked()) return static_cast<int>(i);
  }
  return -1;
}

void TCustomRadioGroup::SetItemIndex(int value) {
  if (value < -1 || value >= ButtonCount()) value = -1;
  itemIndex_ = value;
  if (value >= 0) {
    buttons_[static_cast<std::size_t>(value)]->SetChecked(true);
  } else {
    for (TRadioButton* b : buttons_) b->SetChecked(false);
  }
}

void TCustomRadioGroup::SetColumns(int value) {
  columns_ = std::clamp(value, 1, 16);
  ArrangeButtons();
}

TRadioButton* TCustomRadioGroup::Button(int index) const {
  if (index < 0 || index >= ButtonCount()) return nullptr;
  return buttons_[static_cast<std::size_t>(index)];
}

void TCustomRadioGroup::SetBounds(int left, int top, int width, int height) {
  TCustomGroupBox::SetBounds(left, top, width, height);
  ArrangeButtons();
}

// One button per line; the choice stays on the same line when there still is one.
void TCustomRadioGroup::RebuildButtons() {
  const int chosen = buttons_.empty() ? itemIndex_ : ItemIndex();
  for (TRadioButton* b : buttons_) delete b;
  buttons_.clear();
  for (int i = 0; i < items_->Count(); ++i) {
    auto* b = new TRadioButton(this);
    b->SetCaption(FromAnsi(items_->Strings(i)));
    b->SetEnabled(Enabled());
    b->OnClick = [this](TObject*) { Click(); };
    b->SetParent(this);
    buttons_.push_back(b);
  }
  ArrangeButtons();
  SetItemIndex(chosen);
}

// Columns of equal width, filled top to bottom, left to right; the rows share the height.
void TCustomRadioGroup::ArrangeButtons() {
  if (buttons_.empty()) return;
  const RECT inner = ClientRect();
  const int count = ButtonCount();
  const int rows = (count + columns_ - 1) / columns_;
  const int width = static_cast<int>(inner.right - inner.left);
  const int heightAll = static_cast<int>(inner.bottom - inner.top);
  // The insets and the buttons' height are given at 96 DPI: at the form's DPI they grow
  // with the buttons' font.
  const int inset = ScaleValue(8), gap = ScaleValue(4), tallest = ScaleValue(20);
  const int columnWidth = std::max((width - inset) / columns_, 1);
  const int rowHeight = std::max(heightAll / std::max(rows, 1), 1);
  for (int i = 0; i < count; ++i) {
    const int column = i / rows, row = i % rows;
    const int height = std::min(rowHeight, tallest);
    buttons_[static_cast<std::size_t>(i)]->SetBounds(
        static_cast<int>(inner.left) + inset + column * columnWidth,
        static_cast<int>(inner.top) + row * rowHeight + (rowHeight - height) / 2,
        columnWidth - gap, height);
  }
}

const TClassInfo& TRadioGroup::StaticClass() {
  static const TClassInfo info(L"TRadioGroup", &TCustomRadioGroup::StaticClass());
  return info;
}

TRadioGroup::TRadioGroup(TComponent* owner) : TCustomRadioGroup(owner) {}

}  // namespace ui
