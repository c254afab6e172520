#include "Gallery.h"

#include <algorithm>

namespace skinview {

ui::TLabel* TGalleryGroup::Text(int left, int top, const std::wstring& text) {
  auto* label = Add<ui::TLabel>(left, top, 0, 0, text);
  label->SetTransparent(true);
  return label;
}

TGalleryGroup TGallery::AddGroup(const std::wstring& heading, int columns, int bodyHeight) {
  columns = std::clamp(columns, 1, kColumns);
  int column = 0, top = 0;
  for (int first = 0; first + columns <= kColumns; ++first) {
    const int start = *std::max_element(bottoms_.begin() + first, bottoms_.begin() + first + columns);
    if (first == 0 || start < top) {
      column = first;
      top = start;
    }
  }
  const int height = kBodyTop + bodyHeight + kPadding;
  std::fill(bottoms_.begin() + column, bottoms_.begin() + column + columns, top + height + kGap);

  auto* panel = new ui::TPanel(&form_);
  panel->SetParent(&parent_);
  panel->SetCaption(L"");
  panel->SetBounds(kGap + column * (kColumnWidth + kGap), top, GroupWidth(columns), height);
  groups_.push_back(panel);

  TGalleryGroup group(form_, *panel, BodyWidth(columns));
  // The heading: a body text moved up into the space above the body.
  ui::TLabel* title = group.Text(0, 0, heading);
  title->Font()->SetStyle(1 << ui::fsBold);
  title->SetTop(8);
  return group;
}

SIZE TGallery::Extent() const {
  return {kColumns * (kColumnWidth + kGap) + kGap, *std::max_element(bottoms_.begin(), bottoms_.end())};
}

void TGallery::FitForm() {
  const SIZE size = Extent();
  form_.SetClientSize(size.cx, size.cy);
}

}  // namespace skinview
