// Windowless labels and shapes, and panels with each kind of bevel.
#include "Gallery.h"

namespace skinview {

namespace {

void AddLabels(TGallery& gallery) {
  TGalleryGroup group = gallery.AddGroup(L"标签 Labels", 1, 92);
  const int half = (group.BodyWidth() - kGap) / 2;
  // Labels of a fixed size: the size is set before the caption, which would fit it otherwise.
  const auto fixed = [&](int left, int top, int width, int height, const wchar_t* caption) {
    auto* label = group.Add<ui::TLabel>(left, top, width, height);
    label->SetAutoSize(false);
    label->SetCaption(caption);
    return label;
  };
  group.Text(0, 0, L"Normal label");
  auto* bold = group.Text(0, 20, L"Bold, coloured label");
  bold->Font()->SetStyle(1 << ui::fsBold);
  bold->Font()->SetColor(ui::clNavy);
  group.Text(0, 40, L"Disabled label")->SetEnabled(false);
  auto* right = fixed(half + kGap, 0, half, 16, L"Right-aligned label");
  right->SetAlignment(ui::taRightJustify);
  right->SetTransparent(true);
  // An opaque label paints its own colour behind the text.
  auto* opaque = fixed(0, 60, half, 32, L"Opaque label in its own colour, wrapped");
  opaque->SetWordWrap(true);
  opaque->SetColor(ui::clInfoBk);
}

void AddShapes(TGallery& gallery) {
  TGalleryGroup group = gallery.AddGroup(L"图形 Shapes", 1, 56);
  struct Figure {
    ui::TShapeType type;
    ui::TColor colour;
  };
  const Figure figures[] = {{ui::stRectangle, RGB(166, 202, 240)},
                            {ui::stRoundRect, RGB(192, 220, 192)},
                            {ui::stEllipse, RGB(255, 236, 139)},
                            {ui::stCircle, RGB(240, 170, 150)}};
  const int width = (group.BodyWidth() - 3 * kGap) / 4;
  for (int i = 0; i < 4; ++i) {
    auto* shape = group.Add<ui::TShape>(i * (width + kGap), 0, width, 56);
    shape->SetShape(figures[i].type);
    shape->Brush()->SetColor(figures[i].colour);
  }
}

void AddPanels(TGallery& gallery) {
  TGalleryGroup group = gallery.AddGroup(L"面板 Panels", 1, 92);
  const int width = (group.BodyWidth() - kGap) / 2;
  const auto add = [&](int column, int row, const wchar_t* caption) {
    return group.Add<ui::TPanel>(column * (width + kGap), row * 50, width, 42, caption);
  };
  add(0, 0, L"Raised");
  add(1, 0, L"Lowered")->SetBevelOuter(ui::bvLowered);
  auto* both = add(0, 1, L"Raised and lowered");
  both->SetBevelInner(ui::bvLowered);
  both->SetBorderWidth(2);
  auto* single = add(1, 1, L"Single border");
  single->SetBevelOuter(ui::bvNone);
  single->SetBorderStyle(ui::bsSingle);
}

}  // namespace

void AddStaticGroups(TGallery& gallery) {
  AddShapes(gallery);
  AddPanels(gallery);
  AddLabels(gallery);
}

}  // namespace skinview
