// Glyph buttons, speed buttons, radio buttons, group boxes and radio groups over real windows
// and real messages, and the glyph layout arithmetic they share with the skinners.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "GuiTestSupport.h"
#include "ui/Buttons.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

using namespace ui;

namespace {

struct ButtonsForm : testing::Test {
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  void SetUp() override {
    form->SetClientSize(400, 300);
    form->SetColor(clWhite);
  }

  template <class T>
  T* Make(int left, int top, int width, int height, TWinControl* parent = nullptr) {
    auto* c = new T(form.get());
    c->SetParent(parent ? parent : form.get());
    c->SetBounds(left, top, width, height);
    return c;
  }
  // A left click at a client point of the form, as the mouse gives it.
  void ClickForm(int x, int y, int upX, int upY) {
    SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(form->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(upX, upY));
    SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(upX, upY));
  }
};

int CountPixels(TBitmap& b, const RECT& r, uint32_t rgb) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if ((b.ScanLine(y)[x] & 0xFFFFFF) == rgb) ++n;
  return n;
}

// A strip of `count` 16 x 16 glyphs: glyph i filled with colours[i], its bottom-left pixel in
// the key colour green.
void FillGlyphs(TBitmap& strip, std::initializer_list<TColor> colours) {
  const int count = static_cast<int>(colours.size());
  strip.SetSize(16 * count, 16);
  int i = 0;
  for (TColor c : colours) {
    strip.Canvas()->Brush()->SetColor(c);
    strip.Canvas()->FillRect({16 * i, 0, 16 * i + 16, 16});
    ++i;
  }
  strip.Canvas()->Brush()->SetColor(clLime);
  strip.Canvas()->FillRect({0, 15, 1, 16});
}

// The owner-drawn face of a glyph button painted into a fresh bitmap.
std::unique_ptr<TBitmap> PaintBitBtn(TBitBtn& button, UINT state) {
  auto target = std::make_unique<TBitmap>(button.Width(), button.Height());
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_BUTTON;
  item.itemAction = ODA_DRAWENTIRE;
  item.itemState = state;
  item.hwndItem = button.Handle();
  item.hDC = target->Canvas()->Handle();
  item.rcItem = {0, 0, button.Width(), button.Height()};
  EXPECT_EQ(button.Perform(CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item)), TRUE);
  return target;
}

}  // namespace

TEST(GlyphButtonLayout, PlacesGlyphAndCaptionAlongEachAxis) {
  // Centred pair: 100 wide, glyph 16, text 40, spacing 4 -> margin (100 - 60) / 2 = 20.
  auto l = LayoutGlyphButton({100, 30}, {16, 16}, {40, 13}, blGlyphLeft, -1, 4, false);
  EXPECT_EQ(l.Glyph.x, 20);
  EXPECT_EQ(l.Glyph.y, 7);   // (30 - 16 + 1) / 2
  EXPECT_EQ(l.Text.left, 40);
  EXPECT_EQ(l.Text.top, 9);  // (30 - 13 + 1) / 2
  EXPECT_EQ(l.TextFlags, static_cast<UINT>(DT_WORDBREAK));
  // Glyph right of the caption, margin 5: glyph at 100 - 5 - 16, text before it.
  l = LayoutGlyphButton({100, 30}, {16, 16}, {40, 13}, blGlyphRight, 5, 4, false);
  EXPECT_EQ(l.Glyph.x, 79);
  EXPECT_EQ(l.Text.left, 35);
  EXPECT_EQ(l.TextFlags, static_cast<UINT>(DT_WORDBREAK | DT_RIGHT));
  // Glyph on top without margin and spacing: the free height in three equal gaps.
  l = LayoutGlyphButton({60, 70}, {16, 16}, {30, 13}, blGlyphTop, -1, -1, false);
  EXPECT_EQ(l.Glyph.y, 13);  // (70 - 29) / 3
  EXPECT_EQ(l.Text.top, 42);
  EXPECT_EQ(l.Glyph.x, 22);
  EXPECT_EQ(l.TextFlags, static_cast<UINT>(DT_WORDBREAK | DT_CENTER));
  // Bottom with a margin and spread spacing.
  l = LayoutGlyphButton({60, 70}, {16, 16}, {30, 13}, blGlyphBottom, 4, -1, false);
  EXPECT_EQ(l.Glyph.y, 50);
  EXPECT_EQ(l.Text.top, 19);  // spacing ((70 - (4 + 16)) - 13) / 2 = 18 above the glyph
}

// An image list of 16 x 16 pictures serves a glyph button without a glyph: the picture of
// ImageIndex, DisabledIndex while disabled, the list's key colour left out.
TEST_F(ButtonsForm, BitBtnWithoutGlyphShowsItsImageListsPictures) {
  auto* list = new TCustomImageList(form.get());
  TBitmap pictures;
  FillGlyphs(pictures, {clRed, clBlue, clYellow});
  EXPECT_EQ(list->AddMasked(pictures, clLime), 0);
  EXPECT_EQ(list->Count(), 3);
  TBitmap narrow(10, 16);
  EXPECT_EQ(list->AddMasked(narrow, clLime), -1);  // narrower than one picture: nothing added
  auto* button = Make<TBitBtn>(10, 10, 100, 30);
  button->SetCaption(L"");
  button->SetImages(list);
  EXPECT_EQ(GetObjectProp<TCustomImageList>(button, L"Images"), list);
  EXPECT_EQ(GetIntProp(button, L"ImageIndex"), -1);
  const RECT glyph{42, 7, 58, 23};
  auto face = PaintBitBtn(*button, 0);  // no index: no picture
  EXPECT_EQ(CountPixels(*face, glyph, 0xFF0000) + CountPixels(*face, glyph, 0x0000FF), 0);
  button->SetImageIndex(0);
  face = PaintBitBtn(*button, 0);
  EXPECT_EQ(CountPixels(*face, glyph, 0xFF0000), 16 * 16 - 1);
  EXPECT_EQ(CountPixels(*face, {0, 0, 100, 30}, 0x00FF00), 0);
  // Disabled without a disabled index: the same picture; with one: that picture.
  face = PaintBitBtn(*button, ODS_DISABLED);
  EXPECT_EQ(CountPixels(*face, glyph, 0xFF0000), 16 * 16 - 1);
  button->SetDisabledIndex(2);
  face = PaintBitBtn(*button, ODS_DISABLED);
  EXPECT_EQ(CountPixels(*face, glyph, 0xFFFF00), 16 * 16);
  // The list freed first: the button forgets it and draws no picture.
  delete list;
  EXPECT_EQ(button->Images(), nullptr);
  face = PaintBitBtn(*button, 0);
  EXPECT_EQ(CountPixels(*face, glyph, 0xFF0000), 0);
}

TEST_F(ButtonsForm, BitBtnDrawsItsGlyphPicturesAndStaysOwnerDrawn) {
  auto* button = Make<TBitBtn>(10, 10, 100, 30);
  FillGlyphs(*button->Glyph(), {clRed, clBlue, clYellow});
  button->SetNumGlyphs(3);
  button->SetCaption(L"");
  EXPECT_EQ(GetWindowLongW(button->Handle(), GWL_STYLE) & 0xF, BS_OWNERDRAW);

  // Up: the first picture, centred, its key colour left out.
  auto face = PaintBitBtn(*button, 0);
  const RECT glyph{42, 7, 58, 23};
  EXPECT_EQ(CountPixels(*face, glyph, 0xFF0000), 16 * 16 - 1);
  EXPECT_EQ(CountPixels(*face, {0, 0, 100, 30}, 0x00FF00), 0);
  // Pressed: the third picture, moved by one pixel (the key colour is the strip's corner's).
  face = PaintBitBtn(*button, ODS_SELECTED);
  EXPECT_EQ(CountPixels(*face, {43, 8, 59, 24}, 0xFFFF00), 16 * 16);
  // Disabled: the second picture.
  face = PaintBitBtn(*button, ODS_DISABLED);
  EXPECT_EQ(CountPixels(*face, glyph, 0x0000FF), 16 * 16);
  // With a single picture the disabled look is the first one in grey.
  FillGlyphs(*button->Glyph(), {clRed});
  button->SetNumGlyphs(1);
  face = PaintBitBtn(*button, ODS_DISABLED);
  EXPECT_EQ(CountPixels(*face, glyph, 0xFF0000), 0);
  EXPECT_EQ(CountPixels(*face, glyph, 0x555555), 16 * 16 - 1);  // (255 + 0 + 0) / 3

  // A default kind keeps the button owner-drawn, and a click is one click.
  button->SetKind(bkOK);
  EXPECT_EQ(button->Caption(), L"OK");
  EXPECT_TRUE(button->Default());
  EXPECT_EQ(GetWindowLongW(button->Handle(), GWL_STYLE) & 0xF, BS_OWNERDRAW);
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);

  // The skinners read it through the property registry.
  EXPECT_EQ(GetEnumPropText(button, L"Layout"), L"blGlyphLeft");
  EXPECT_EQ(GetIntProp(button, L"Margin"), -1);
  EXPECT_EQ(GetIntProp(button, L"Spacing"), 4);
  EXPECT_EQ(GetIntProp(button, L"NumGlyphs"), 1);
  EXPECT_EQ(GetObjectProp<TBitmap>(button, L"Glyph"), button->Glyph());
}

TEST_F(ButtonsForm, SpeedButtonsClickOnceGoDownInGroupsAndIgnoreAReleaseOutside) {
  auto* a = Make<TSpeedButton>(10, 10, 40, 30);
  auto* b = Make<TSpeedButton>(60, 10, 40, 30);
  int clicksA = 0, clicksB = 0;
  a->OnClick = [&](TObject*) { ++clicksA; };
  b->OnClick = [&](TObject*) { ++clicksB; };
  form->Show();

  ClickForm(20, 20, 20, 20);
  EXPECT_EQ(clicksA, 1);
  EXPECT_FALSE(a->Down()) << "without a group a speed button springs back";
  ClickForm(20, 20, 200, 200);  // pressed on it, released elsewhere
  EXPECT_EQ(clicksA, 1);

  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  ClickForm(20, 20, 20, 20);
  EXPECT_TRUE(a->Down());
  ClickForm(70, 20, 70, 20);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  EXPECT_EQ(clicksB, 1);
  ClickForm(70, 20, 70, 20);
  EXPECT_TRUE(b->Down()) << "one of the group stays down";
  b->SetAllowAllUp(true);
  ClickForm(70, 20, 70, 20);
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(clicksB, 3);

  EXPECT_EQ(GetEnumPropText(a, L"Down"), L"False");
  a->SetFlat(true);
  EXPECT_EQ(GetEnumPropText(a, L"Flat"), L"True");
  EXPECT_EQ(GetEnumPropText(a, L"Enabled"), L"True");
  EXPECT_EQ(GetIntProp(a, L"GroupIndex"), 1);
}

TEST_F(ButtonsForm, SpeedButtonPaintsItsGlyphAndCaption) {
  auto* button = Make<TSpeedButton>(10, 10, 80, 30);
  FillGlyphs(*button->Glyph(), {clRed});
  button->Font()->SetColor(clBlue);
  button->SetCaption(L"Go");
  TBitmap target(400, 300);
  SendMessageW(form->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(target.Canvas()->Handle()), 0);
  EXPECT_EQ(CountPixels(target, {10, 10, 90, 40}, 0xFF0000), 16 * 16 - 1);
  EXPECT_GT(CountPixels(target, {10, 10, 90, 40}, 0x0000FF), 5);
}

TEST_F(ButtonsForm, RadioButtonsOfOneParentCheckOneAtATime) {
  auto* first = Make<TRadioButton>(10, 10, 100, 17);
  auto* second = Make<TRadioButton>(10, 30, 100, 17);
  auto* elsewhere = Make<TGroupBox>(150, 10, 200, 100);
  auto* inner = Make<TRadioButton>(10, 30, 100, 17, elsewhere);
  int clicks = 0;
  second->OnClick = [&](TObject*) { ++clicks; };
  first->SetChecked(true);
  inner->SetChecked(true);
  EXPECT_TRUE(first->Checked());

  SendMessageW(second->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(second->Checked());
  EXPECT_FALSE(first->Checked());
  EXPECT_TRUE(inner->Checked()) << "another parent is another group";
  EXPECT_EQ(clicks, 1);
  SendMessageW(second->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1) << "clicking the checked one changes nothing";

  // The check survives a new window.
  second->SetAlignment(taLeftJustify);
  EXPECT_TRUE(second->Checked());
  EXPECT_NE(GetWindowLongW(second->Handle(), GWL_STYLE) & BS_LEFTTEXT, 0);
  EXPECT_EQ(GetEnumPropText(second, L"Checked"), L"True");
}

TEST_F(ButtonsForm, GroupBoxPaintsItsCaptionInTheFrameAndKeepsChildrenBelowIt) {
  auto* box = Make<TGroupBox>(10, 10, 200, 120);
  box->SetCaption(L"分组 Group");
  box->Font()->SetColor(clRed);
  box->SetColor(clYellow);
  const RECT client = box->ClientRect();
  EXPECT_GT(client.top, 8);
  EXPECT_GT(client.left, 0);
  TBitmap target(200, 120);
  SendMessageW(box->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(target.Canvas()->Handle()), 0);
  EXPECT_GT(CountPixels(target, {8, 0, 120, client.top}, 0xFF0000), 10);
  EXPECT_EQ(CountPixels(target, {0, client.top, 200, 120}, 0xFF0000), 0);
  EXPECT_GT(CountPixels(target, {10, client.top + 5, 190, 110}, 0xFFFF00), 150 * 80);
}

TEST_F(ButtonsForm, RadioGroupMakesAButtonPerItemInColumnsAndReportsTheChoice) {
  auto* group = Make<TRadioGroup>(10, 10, 300, 120);
  group->SetCaption(L"Choice");
  int clicks = 0;
  group->OnClick = [&](TObject*) { ++clicks; };
  for (const char* item : {"one", "two", "three", "four"}) group->Items()->Add(item);
  ASSERT_EQ(group->ButtonCount(), 4);
  EXPECT_EQ(group->Button(2)->Caption(), L"three");
  EXPECT_EQ(group->ItemIndex(), -1);

  group->SetItemIndex(1);
  EXPECT_TRUE(group->Button(1)->Checked());
  EXPECT_EQ(clicks, 0) << "the program's choice is no click";
  SendMessageW(group->Button(3)->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(group->ItemIndex(), 3);
  EXPECT_FALSE(group->Button(1)->Checked());
  EXPECT_EQ(clicks, 1);

  group->SetColumns(2);
  EXPECT_EQ(group->Button(2)->Top(), group->Button(0)->Top());
  EXPECT_GT(group->Button(2)->Left(), group->Button(0)->Left() + 100);
  EXPECT_GT(group->Button(1)->Top(), group->Button(0)->Top());
  // A new item keeps the choice.
  group->Items()->Add("five");
  EXPECT_EQ(group->ItemIndex(), 3);
  EXPECT_EQ(GetIntProp(group, L"ItemIndex"), 3);
  EXPECT_EQ(GetIntProp(group, L"Columns"), 2);
  // At twice the form's DPI the buttons are twice as tall (their rows have room for it).
  const int dpi = 2 * form->PixelsPerInch();
  form->ScaleToDpi(dpi);
  EXPECT_EQ(group->Button(0)->Height(), MulDiv(20, dpi, 96));
}
