// The shared drawing routines of the control skinners, pixel for pixel on DIB sections.
#include <algorithm>

#include "ControlTestSupport.h"
#include "ImageTestSupport.h"
#include "skin/model/SkinObjects.h"
#include "skin/data/WinSkinData.h"
#include "ui/StdCtrls.h"

using namespace ctltest;
using skintest::At;
using skintest::Filled;
using skintest::MakeBitmap;
using skintest::Px;

namespace {

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;
constexpr std::uint32_t kMagenta = 0xFF00FF;

// Two 10 x 10 frames side by side: red, then green with one magenta pixel at (2, 5) and a
// white border row at the top.
std::unique_ptr<skin::TDataSkinObject> TwoFrameElement(int trans) {
  auto element = std::make_unique<skin::TDataSkinObject>("Test");
  element->Bitmap = skintest::MakeSkinBitmap(20, 10, [](int x, int y) -> std::uint32_t {
    if (x < 10) return kRed;
    if (x == 12 && y == 5) return kMagenta;
    return y == 0 ? 0xFFFFFF : kGreen;
  });
  element->Frame = 2;
  element->Trans = trans;
  return element;
}

TEST(SkinDrawElement, AFrameIsComposedToTheRectangle) {
  const auto element = TwoFrameElement(0);
  auto target = Filled(30, 30, kBlue);
  skin::DrawSkinElement(target->Canvas()->Handle(), {5, 5, 25, 25}, 2, 2, element.get());
  EXPECT_EQ(At(*target, 4, 4), kBlue);            // outside the rectangle
  EXPECT_EQ(At(*target, 25, 25), kBlue);
  EXPECT_EQ(At(*target, 5, 5), 0xFFFFFFu);         // the top row, stretched to two rows
  EXPECT_EQ(At(*target, 24, 6), 0xFFFFFFu);
  EXPECT_EQ(At(*target, 5, 7), kGreen);
  EXPECT_EQ(At(*target, 24, 24), kGreen);
  EXPECT_EQ(At(*target, 9, 15), kMagenta);         // opaque: the key colour is drawn
}

TEST(SkinDrawElement, TransparentElementsLeaveTheKeyColourOut) {
  const auto element = TwoFrameElement(1);
  auto target = Filled(10, 10, kBlue);
  skin::DrawSkinElement(target->Canvas()->Handle(), {0, 0, 10, 10}, 2, 2, element.get());
  EXPECT_EQ(At(*target, 2, 5), kBlue);
  EXPECT_EQ(At(*target, 3, 5), kGreen);
  EXPECT_EQ(At(*target, 0, 0), 0xFFFFFFu);
}

TEST(SkinDrawElement, MarginsAreNotScaled) {
  auto element = TwoFrameElement(0);
  element->TopHeight = 1;  // the white row stays one row high
  auto target = Filled(20, 20, kBlue);
  skin::DrawSkinElement(target->Canvas()->Handle(), {0, 0, 20, 20}, 2, 2, element.get());
  EXPECT_EQ(At(*target, 10, 0), 0xFFFFFFu);
  EXPECT_EQ(At(*target, 10, 1), kGreen);
}

TEST(SkinDrawElement, NothingForAnInvertedRectangleOrNoPicture) {
  const auto element = TwoFrameElement(0);
  auto target = Filled(10, 10, kBlue);
  skin::DrawSkinElement(target->Canvas()->Handle(), {8, 8, 2, 2}, 2, 1, element.get());
  skin::DrawSkinElement(target->Canvas()->Handle(), {0, 0, 10, 10}, 2, 1, nullptr);
  skin::TDataSkinObject empty("Empty");
  skin::DrawSkinElement(target->Canvas()->Handle(), {0, 0, 10, 10}, 2, 1, &empty);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) ASSERT_EQ(At(*target, x, y), kBlue);
  }
}

TEST(SkinDrawStrip, AFrameIsStretchedAndMagentaLeftOut) {
  const auto element = TwoFrameElement(0);
  auto target = Filled(20, 20, kBlue);
  skin::DrawStripFrame(target->Canvas()->Handle(), {0, 0, 20, 20}, 2, 2, *element->Bitmap);
  EXPECT_EQ(At(*target, 4, 10), kBlue);  // (2, 5) doubled
  EXPECT_EQ(At(*target, 5, 11), kBlue);
  EXPECT_EQ(At(*target, 6, 10), kGreen);
  auto other = Filled(10, 10, kBlue);
  skin::DrawStripFrame(*other->Canvas(), {0, 0, 10, 10}, 2, 1, *element->Bitmap);
  EXPECT_EQ(At(*other, 5, 5), kRed);
}

TEST(SkinDrawFill, FillColourFillsExactlyTheRectangle) {
  auto target = Filled(10, 10, kBlue);
  skin::FillColour(target->Canvas()->Handle(), {2, 2, 5, 5}, ui::clRed);
  EXPECT_EQ(At(*target, 2, 2), kRed);
  EXPECT_EQ(At(*target, 4, 4), kRed);
  EXPECT_EQ(At(*target, 5, 5), kBlue);
  EXPECT_EQ(At(*target, 1, 2), kBlue);
}

class SkinDrawControlTest : public testing::Test {
 protected:
  void SetUp() override {
    form_ = std::make_unique<ui::TForm>(nullptr);
    form_->SetBounds(30, 30, 200, 120);
    form_->SetColor(ui::clYellow);
    data_ = new skin::TSkinData(form_.get());
    edit_ = new ui::TEdit(form_.get());
    edit_->SetParent(form_.get());
    edit_->SetBounds(10, 10, 80, 24);
    form_->Show();
  }
  TestHost host_;
  std::unique_ptr<ui::TForm> form_;
  skin::TSkinData* data_ = nullptr;
  ui::TEdit* edit_ = nullptr;
};

TEST_F(SkinDrawControlTest, FaceAndParentFace) {
  auto* skinner = new skin::TSkinControl(edit_);
  skinner->Attach(&host_, data_, nullptr, false);
  auto target = Filled(10, 10, kBlue);
  skinner->FillParentFace(target->Canvas()->Handle(), {0, 0, 5, 10});
  skinner->FillFace(target->Canvas()->Handle(), {5, 0, 10, 10});
  EXPECT_EQ(At(*target, 0, 0), Px(ui::clYellow));
  EXPECT_EQ(At(*target, 9, 9), Px(static_cast<ui::TColor>(GetSysColor(COLOR_BTNFACE))));
}

TEST_F(SkinDrawControlTest, EraseOfABareWindowFillsItsParentsFace) {
  auto* skinner = new skin::TSkinControl(nullptr);
  host_.list.Add(skinner);
  skinner->AttachHandle(edit_->Handle(), data_, &host_, nullptr);
  RECT client{};
  GetClientRect(edit_->Handle(), &client);
  auto target = Filled(client.right, client.bottom, kBlue);
  ui::TMessage m{WM_ERASEBKGND, reinterpret_cast<WPARAM>(target->Canvas()->Handle()), 0, 0};
  skinner->HandleErase(m);
  EXPECT_EQ(m.Result, 1);
  // No class-library control: the skin's face colour.
  EXPECT_EQ(At(*target, 1, 1), Px(static_cast<ui::TColor>(GetSysColor(COLOR_BTNFACE))));
}

TEST_F(SkinDrawControlTest, EraseOfAControlPaintsItsParentBehindIt) {
  auto* skinner = new skin::TSkinControl(edit_);
  skinner->Attach(&host_, data_, nullptr, false);
  auto target = Filled(80, 24, kBlue);
  ui::TMessage m{WM_ERASEBKGND, reinterpret_cast<WPARAM>(target->Canvas()->Handle()), 0, 0};
  skinner->HandleErase(m);
  EXPECT_EQ(m.Result, 1);
  EXPECT_EQ(At(*target, 3, 3), Px(ui::clYellow));
}

TEST_F(SkinDrawControlTest, HandlePaintDrawsOverTheWindowRectangle) {
  MessageRecorder recorder;
  auto* skinner = new TRecordingSkinner(edit_, recorder);
  skinner->Attach(&host_, data_, nullptr, false);
  auto target = Filled(80, 24, kBlue);
  ui::TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(target->Canvas()->Handle()), 0, 0};
  skinner->HandlePaint(m);
  EXPECT_EQ(skinner->draws, 1);
  EXPECT_EQ(skinner->lastRect.right, 80);
  EXPECT_EQ(skinner->lastRect.bottom, 24);
  RECT w{};
  GetWindowRect(edit_->Handle(), &w);
  EXPECT_EQ(skinner->WindowRect().left, w.left);
}

TEST_F(SkinDrawControlTest, RightToLeftWindowsGetRightToLeftReading) {
  auto* plain = new skin::TSkinControl(nullptr);
  host_.list.Add(plain);
  plain->AttachHandle(edit_->Handle(), data_, &host_, nullptr);
  EXPECT_EQ(plain->BiDiFlags(DT_CENTER), static_cast<UINT>(DT_CENTER));
  SetWindowLongW(edit_->Handle(), GWL_EXSTYLE, GetWindowLongW(edit_->Handle(), GWL_EXSTYLE) | WS_EX_RTLREADING);
  EXPECT_EQ(plain->BiDiFlags(DT_CENTER), static_cast<UINT>(DT_CENTER | DT_RTLREADING));
}

TEST_F(SkinDrawControlTest, TheFocusRectangleSurroundsTheCentredText) {
  auto* skinner = new skin::TSkinControl(nullptr);
  host_.list.Add(skinner);
  SetWindowTextW(edit_->Handle(), L"WWWW");
  skinner->AttachHandle(edit_->Handle(), data_, &host_, nullptr);
  auto target = Filled(100, 40, 0xFFFFFF);
  HDC dc = target->Canvas()->Handle();
  RECT measured{0, 0, 100, 40};
  DrawTextW(dc, L"WWWW", -1, &measured, DT_CALCRECT | DT_NOCLIP);
  const int w = measured.right, h = measured.bottom;
  skinner->DrawTextFocus(dc, DT_CENTER, {0, 0, 100, 40});
  // The dotted frame: the text's rectangle, centred one pixel above the middle, 2 pixels
  // wider on each side and 1 pixel taller.
  const int left = (100 - w) / 2 - 2, top = (40 - h) / 2 - 1 - 1;
  const int right = left + w + 4, bottom = top + h + 2;
  RECT drawn{100, 40, -1, -1};
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 100; ++x) {
      if (At(*target, x, y) == 0xFFFFFFu) continue;
      drawn.left = std::min<LONG>(drawn.left, x);
      drawn.top = std::min<LONG>(drawn.top, y);
      drawn.right = std::max<LONG>(drawn.right, x + 1);
      drawn.bottom = std::max<LONG>(drawn.bottom, y + 1);
    }
  }
  EXPECT_EQ(drawn.left, left);
  EXPECT_EQ(drawn.top, top);
  EXPECT_EQ(drawn.right, right);
  EXPECT_EQ(drawn.bottom, bottom);
  EXPECT_EQ(At(*target, 50, 20), 0xFFFFFFu);  // the inside untouched
}

}  // namespace
