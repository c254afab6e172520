// The caption layout of a skinned title bar on its own: text shift, vertical shift, right
// clip, alignment, the cut before the caption buttons and the caption plate.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <vector>

#include "skin/frame/FrameCaption.h"

using namespace skin;

namespace {

std::unique_ptr<TDataSkinTitle> Title(int shift, int shiftVert, int rightClip, int alignment) {
  auto title = std::make_unique<TDataSkinTitle>("Title");
  title->LeftWidth = shift;
  title->TopHeight = shiftVert;
  title->RightWidth = rightClip;
  title->TextAlignment = alignment;
  return title;
}

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

TEST(CaptionLayout, TheTextStartsAtTheShiftAndEndsAtTheRightClip) {
  const auto title = Title(28, 3, 80, caLeft);
  const TCaptionLayout layout = LayoutCaption(title.get(), 500, 26, 100, {});
  EXPECT_TRUE(Same(layout.Clip, RECT{28, 3, 420, 26}));
  EXPECT_TRUE(Same(layout.Text, RECT{28, 3, 128, 26}));
  EXPECT_EQ(layout.Format, static_cast<UINT>(DT_LEFT));
  EXPECT_TRUE(IsRectEmpty(&layout.Plate));  // no plate asked for
}

TEST(CaptionLayout, RightAndCentredAlignment) {
  const auto right = Title(20, 0, 30, caRight);
  TCaptionLayout layout = LayoutCaption(right.get(), 300, 26, 50, {});
  EXPECT_TRUE(Same(layout.Text, RECT{220, 0, 270, 26}));
  EXPECT_EQ(layout.Format, static_cast<UINT>(DT_RIGHT));
  const auto centre = Title(20, 0, 30, caCentre);
  layout = LayoutCaption(centre.get(), 300, 26, 50, {});
  EXPECT_TRUE(Same(layout.Text, RECT{120, 0, 170, 26}));
  EXPECT_EQ(layout.Format, static_cast<UINT>(DT_CENTER));
}

TEST(CaptionLayout, TheTextEndsBeforeTheFirstButtonRightOfItsStart) {
  const auto title = Title(28, 0, 10, caLeft);
  // An icon button left of the text does not cut it; the minimize and close buttons do.
  const std::vector<RECT> buttons = {{5, 5, 21, 21}, {874, 5, 896, 21}, {898, 5, 920, 21}};
  const TCaptionLayout layout = LayoutCaption(title.get(), 926, 26, 2000, buttons);
  EXPECT_EQ(layout.Clip.left, 28);
  EXPECT_EQ(layout.Clip.right, 874);
  EXPECT_EQ(layout.Text.right, 874);  // a caption too long takes the whole clip and is cut
  // No room at all: no text.
  const TCaptionLayout none = LayoutCaption(title.get(), 926, 26, 50, {{20, 0, 28, 26}, {29, 0, 40, 26}});
  EXPECT_TRUE(Same(none.Clip, RECT{28, 0, 29, 26}));
  const TCaptionLayout squeezed = LayoutCaption(title.get(), 30, 26, 50, {});
  EXPECT_TRUE(IsRectEmpty(&squeezed.Clip));
}

TEST(CaptionLayout, ThePlateReachesItsFixedEndsBeyondTheText) {
  const auto title = Title(28, 0, 80, caLeft);
  title->Textbackground = 1;
  title->TXTBackleft = 8;
  title->TXTBackRight = 6;
  // Without its picture there is no plate.
  EXPECT_FALSE(HasCaptionPlate(title.get()));
  title->Bitmap->SetSize(40, 26);
  EXPECT_TRUE(HasCaptionPlate(title.get()));
  TCaptionLayout layout = LayoutCaption(title.get(), 500, 26, 100, {});
  EXPECT_TRUE(Same(layout.Plate, RECT{20, 0, 134, 26}));
  // Buttons just before and just after the text cut the plate's ends: it never runs under a
  // caption button.
  layout = LayoutCaption(title.get(), 500, 26, 100, {{130, 4, 150, 22}, {2, 4, 22, 22}});
  EXPECT_TRUE(Same(layout.Plate, RECT{22, 0, 130, 26}));
  layout = LayoutCaption(title.get(), 500, 26, 100, {{140, 4, 150, 22}, {2, 4, 12, 22}});
  EXPECT_TRUE(Same(layout.Plate, RECT{20, 0, 134, 26}));
  // Empty text: no plate.
  layout = LayoutCaption(title.get(), 500, 26, 0, {});
  EXPECT_TRUE(IsRectEmpty(&layout.Plate));
  title->Textbackground = 0;
  EXPECT_FALSE(HasCaptionPlate(title.get()));
}

}  // namespace
