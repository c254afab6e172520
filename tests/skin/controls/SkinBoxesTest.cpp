// The check-box, radio-button, group-box and panel skinners on real windows with the
// program's own skin: the mark of each state equals its frame of the skin's strip pixel for
// pixel, the caption's side, and the group box's frame line.
#include "SkinTestCapture.h"
#include "skin/controls/SkinBoxes.h"
#include "skin/data/SkinDerivedImages.h"
#include "skin/data/SkinManagerLink.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

using namespace ctltest;
using namespace skin;
using skintest::At;

namespace {

TEST(MarkFrames, CheckBoxesAndRadioButtonsMapTheirStateToFrames) {
  EXPECT_EQ(CheckBoxFrame(cmUnchecked, true, 4), 1);
  EXPECT_EQ(CheckBoxFrame(cmChecked, true, 4), 2);
  EXPECT_EQ(CheckBoxFrame(cmUnchecked, false, 4), 3);
  EXPECT_EQ(CheckBoxFrame(cmChecked, false, 4), 4);
  EXPECT_EQ(CheckBoxFrame(cmGrayed, true, 4), 4);
  EXPECT_EQ(CheckBoxFrame(cmUnchecked, true, 12), 1);
  EXPECT_EQ(CheckBoxFrame(cmChecked, true, 12), 5);
  EXPECT_EQ(CheckBoxFrame(cmUnchecked, false, 12), 4);
  EXPECT_EQ(CheckBoxFrame(cmChecked, false, 12), 8);
  EXPECT_EQ(CheckBoxFrame(cmGrayed, true, 12), 9);
  EXPECT_EQ(CheckBoxFrame(cmGrayed, false, 12), 12);
  EXPECT_EQ(RadioButtonFrame(false, true, 4), 1);
  EXPECT_EQ(RadioButtonFrame(true, false, 4), 4);
  EXPECT_EQ(RadioButtonFrame(true, true, 8), 5);
  EXPECT_EQ(RadioButtonFrame(false, false, 8), 4);
  EXPECT_EQ(RadioButtonFrame(true, false, 8), 8);
}

class SkinMarkTest : public SkinnedFormTest {
 protected:
  template <class Control, class Skinner>
  Control* Make(int top, const wchar_t* caption) {
    auto* c = new Control(form_.get());
    c->SetParent(form_.get());
    c->SetBounds(10, top, 160, 20);
    c->SetCaption(caption);
    form_->Show();
    auto* s = new Skinner(c);
    s->Attach(&host_, data_, nullptr, false);
    return c;
  }
  // Mismatches of the mark drawn at (x, (height - h) / 2) against frame `frame` of the strip.
  static int MarkMismatches(const ui::TBitmap& drawn, int x, const TSkinBitmap& strip, int count,
                            int frame, int* compared) {
    const int w = strip.Width() / count, h = strip.Height();
    return Mismatches(drawn, x, (drawn.Height() - h) / 2, w, h, strip, count, frame, 0, 0, compared);
  }
  // The frames of the strip that the mark at `x` shows exactly.
  static std::vector<int> MarksShown(const ui::TBitmap& drawn, int x, const TSkinBitmap& strip, int count) {
    std::vector<int> frames;
    for (int f = 1; f <= count; ++f) {
      int compared = 0;
      if (MarkMismatches(drawn, x, strip, count, f, &compared) == 0 && compared > 0) frames.push_back(f);
    }
    return frames;
  }
};

// The cases below run once with each skin of ours.
using SkinMarkTestOnOwnSkins = testsupport::OwnSkinsOf<SkinMarkTest>;
INSTANTIATE_FOR_OWN_SKINS(SkinMarkTestOnOwnSkins);

TEST_P(SkinMarkTestOnOwnSkins, TheCheckBoxMarkIsTheSkinsFrameForEachState) {
  const skin::TSkinBitmap& strip = *buttons_->CheckBitmap;
  const int count = buttons_->CheckButtonFrame;
  ASSERT_EQ(count, 12);
  auto* box = Make<ui::TCheckBox, TSkinCheckBox>(10, L"Check me");
  SetFocus(nullptr);
  EXPECT_EQ(MarksShown(*Capture(box->Handle()), 0, strip, count), std::vector<int>{1});
  box->SetChecked(true);
  EXPECT_EQ(MarksShown(*Capture(box->Handle()), 0, strip, count), std::vector<int>{5});
  box->SetEnabled(false);
  EXPECT_EQ(MarksShown(*Capture(box->Handle()), 0, strip, count), std::vector<int>{8});
  box->SetChecked(false);
  EXPECT_EQ(MarksShown(*Capture(box->Handle()), 0, strip, count), std::vector<int>{4});
  box->SetAllowGrayed(true);
  box->SetState(ui::cbGrayed);
  EXPECT_EQ(MarksShown(*Capture(box->Handle()), 0, strip, count), std::vector<int>{12});
  box->SetEnabled(true);
  EXPECT_EQ(MarksShown(*Capture(box->Handle()), 0, strip, count), std::vector<int>{9});
}

// Tag 5555: a check box and a radio button erase with their parent's picture and paint
// their mark and caption over it; untagged ones paint the face colour.
TEST_F(SkinMarkTest, TaggedMarksShowTheirParentsPictureBehindThem) {
  form_->SetColor(ui::clYellow);
  ui::TCheckBox* plain = Make<ui::TCheckBox, TSkinCheckBox>(10, L"Plain");
  form_->SetColor(ui::clYellow);  // the skin engine may have given the shown form its face colour
  ui::TControl* tagged[2] = {};
  const auto make = [&](auto* control, auto* skinner, int top) {
    control->SetParent(form_.get());
    control->SetBounds(10, top, 160, 20);
    control->SetCaption(L"On the parent");
    control->SetTag(5555);
    skinner->Attach(&host_, data_, nullptr, false);
    return control;
  };
  auto* box = new ui::TCheckBox(form_.get());
  tagged[0] = make(box, new TSkinCheckBox(box), 40);
  auto* radio = new ui::TRadioButton(form_.get());
  tagged[1] = make(radio, new TSkinRadioButton(radio), 70);
  // Erase and paint into one picture, as the window does.
  const auto draw = [](HWND window) {
    auto picture = skintest::Filled(160, 20, 0x123456);
    HDC dc = picture->Canvas()->Handle();
    SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    return picture;
  };
  const std::uint32_t face = skintest::Px(ResolveColour(data_->Colours().ButtonFace));
  EXPECT_EQ(At(*draw(plain->Handle()), 150, 10), face);
  for (ui::TControl* control : tagged) {
    auto* window = static_cast<ui::TWinControl*>(control);
    auto drawn = draw(window->Handle());
    EXPECT_EQ(At(*drawn, 150, 10), skintest::Px(ui::clYellow)) << control->ClassName();
    EXPECT_EQ(At(*drawn, 150, 0), skintest::Px(ui::clYellow)) << control->ClassName();
    int caption = 0;  // the caption is drawn over the parent's picture
    for (int x = 20; x < 120; ++x) caption += At(*drawn, x, 10) != skintest::Px(ui::clYellow);
    EXPECT_GT(caption, 3) << control->ClassName();
  }
}

TEST_F(SkinMarkTest, AClickChecksTheBoxAndTheMarkFollows) {
  const skin::TSkinBitmap& strip = *buttons_->CheckBitmap;
  auto* box = Make<ui::TCheckBox, TSkinCheckBox>(10, L"Click");
  int clicks = 0;
  box->OnClick = [&](ui::TObject*) { ++clicks; };
  SendMessageW(box->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 8));
  SendMessageW(box->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(4, 8));
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(MarksShown(*Capture(box->Handle()), 0, strip, buttons_->CheckButtonFrame), std::vector<int>{5});
}

TEST_P(SkinMarkTestOnOwnSkins, ACaptionOnTheLeftPutsTheMarkAtTheRightEdge) {
  const skin::TSkinBitmap& check = *buttons_->CheckBitmap;
  const skin::TSkinBitmap& radio = *buttons_->RadioBitmap;
  auto* box = new ui::TCheckBox(form_.get());
  box->SetAlignment(ui::taLeftJustify);
  box->SetParent(form_.get());
  box->SetBounds(10, 10, 160, 20);
  box->SetCaption(L"Left");
  auto* button = new ui::TRadioButton(form_.get());
  button->SetAlignment(ui::taLeftJustify);
  button->SetParent(form_.get());
  button->SetBounds(10, 40, 160, 20);
  button->SetCaption(L"Left");
  form_->Show();
  (new TSkinCheckBox(box))->Attach(&host_, data_, nullptr, false);
  (new TSkinRadioButton(button))->Attach(&host_, data_, nullptr, false);
  SetFocus(nullptr);
  const int cw = check.Width() / buttons_->CheckButtonFrame;
  const int rw = radio.Width() / buttons_->RadioButtonFrame;
  EXPECT_EQ(MarksShown(*Capture(box->Handle()), 160 - cw, check, buttons_->CheckButtonFrame), std::vector<int>{1});
  EXPECT_EQ(MarksShown(*Capture(button->Handle()), 160 - 1 - rw, radio, buttons_->RadioButtonFrame),
            std::vector<int>{1});
}

TEST_P(SkinMarkTestOnOwnSkins, TheRadioMarkIsTheSkinsFrameForEachState) {
  const skin::TSkinBitmap& strip = *buttons_->RadioBitmap;
  const int count = buttons_->RadioButtonFrame;
  ASSERT_EQ(count, 8);
  auto* button = Make<ui::TRadioButton, TSkinRadioButton>(10, L"Radio");
  SetFocus(nullptr);
  EXPECT_EQ(MarksShown(*Capture(button->Handle()), 0, strip, count), std::vector<int>{1});
  button->SetChecked(true);
  EXPECT_EQ(MarksShown(*Capture(button->Handle()), 0, strip, count), std::vector<int>{5});
  button->SetEnabled(false);
  EXPECT_EQ(MarksShown(*Capture(button->Handle()), 0, strip, count), std::vector<int>{8});
  button->SetChecked(false);
  EXPECT_EQ(MarksShown(*Capture(button->Handle()), 0, strip, count), std::vector<int>{4});
}

TEST_P(SkinMarkTestOnOwnSkins, TheCaptionIsDrawnInTheFontColourOrTheShadowColourWhenDisabled) {
  auto* box = Make<ui::TCheckBox, TSkinCheckBox>(10, L"WWWW");
  box->Font()->SetColor(ui::clRed);
  SetFocus(nullptr);
  const auto count = [](const ui::TBitmap& b, std::uint32_t colour) {
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x) n += At(b, x, y) == colour;
    return n;
  };
  const std::uint32_t shadow = skintest::Px(static_cast<ui::TColor>(GetSysColor(COLOR_BTNSHADOW)));
  const auto enabled = Capture(box->Handle());
  EXPECT_GT(count(*enabled, 0xFF0000), 10);
  box->SetEnabled(false);
  const auto disabled = Capture(box->Handle());
  EXPECT_EQ(count(*disabled, 0xFF0000), 0);
  EXPECT_GT(count(*disabled, shadow), count(*enabled, shadow) + 10);
  // The face under the caption is the skin's.
  EXPECT_EQ(At(*enabled, 159, 0), skintest::Px(ResolveColour(data_->Colours().ButtonFace)));
}

TEST_P(SkinMarkTestOnOwnSkins, TheGroupBoxFrameRunsHalfALineDownInTheShadowColour) {
  auto* box = new ui::TGroupBox(form_.get());
  box->SetParent(form_.get());
  box->SetBounds(10, 10, 200, 100);
  box->SetCaption(L"Group");
  form_->Show();
  auto* skinner = new TSkinGroupBox(box);
  skinner->Attach(&host_, data_, nullptr, true);
  EXPECT_EQ(skinner->Kind(), 1);
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, box->Font()->Handle());
  SIZE zero{};
  GetTextExtentPoint32W(dc, L"0", 1, &zero);
  DeleteDC(dc);
  const int t = zero.cy / 2 - 1;
  const auto drawn = Capture(box->Handle());
  const std::uint32_t shadow = skintest::Px(ResolveColour(data_->Colours().ButtonShadow));
  const std::uint32_t face = skintest::Px(ResolveColour(data_->Colours().ButtonFace));
  EXPECT_EQ(At(*drawn, 150, t), shadow);       // the top line, right of the caption
  EXPECT_EQ(At(*drawn, 150, t + 1), face);
  EXPECT_EQ(At(*drawn, 1, 50), shadow);        // the left line
  EXPECT_EQ(At(*drawn, 100, 98), shadow);      // the bottom line
  EXPECT_EQ(At(*drawn, 0, 50), face);
}

// A container without class-library object: its background and its static children on the
// skin's face colour.
TEST_P(SkinMarkTestOnOwnSkins, ABareContainerErasesInTheFaceColourAndGivesStaticsTheFaceBrush) {
  auto* panel = new ui::TPanel(form_.get());
  panel->SetParent(form_.get());
  panel->SetBounds(10, 10, 120, 60);
  panel->SetColor(ui::clRed);
  form_->Show();
  HWND label = CreateWindowExW(0, L"STATIC", L"Text", WS_CHILD | WS_VISIBLE, 5, 5, 60, 16,
                               panel->Handle(), nullptr, nullptr, nullptr);
  auto* skinner = new TSkinBoxH(nullptr);
  skinner->AttachHandle(panel->Handle(), data_, &host_, nullptr);
  auto target = skintest::Filled(120, 60, 0x123456);
  HDC dc = target->Canvas()->Handle();
  SendMessageW(panel->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  const std::uint32_t face = skintest::Px(ResolveColour(data_->Colours().ButtonFace));
  EXPECT_EQ(At(*target, 0, 0), face);
  EXPECT_EQ(At(*target, 119, 59), face);
  const LRESULT brush = SendMessageW(panel->Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(label));
  EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), data_->ButtonFaceBrush());
  DestroyWindow(label);
}

}  // namespace
