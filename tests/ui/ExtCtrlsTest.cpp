// Panels, shapes and labelled edits: painted pixels, placement and published properties.
#include <gtest/gtest.h>

#include <memory>

#include "GuiTestSupport.h"
#include "ui/ExtCtrls.h"

using namespace ui;

namespace {

struct ExtForm : testing::Test {
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  TBitmap target{400, 300};
  void SetUp() override { form->SetClientSize(400, 300); }

  template <class T>
  T* Make(int left, int top, int width, int height) {
    auto* c = new T(form.get());
    c->SetParent(form.get());
    c->SetBounds(left, top, width, height);
    return c;
  }
  // Paints a window (and its windowless children) into the target, on white.
  void Paint(HWND h) {
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect({0, 0, 400, 300});
    SendMessageW(h, WM_PAINT, reinterpret_cast<WPARAM>(target.Canvas()->Handle()), 0);
  }
  uint32_t At(int x, int y) { return target.ScanLine(y)[x] & 0xFFFFFF; }
};

uint32_t Rgb(TColor c) { return testsupport::ColourRGB(c); }

}  // namespace

TEST_F(ExtForm, PanelPaintsColourBevelsAndCentredCaption) {
  auto* panel = Make<TPanel>(10, 10, 200, 40);
  panel->SetColor(RGB(255, 255, 206));
  panel->Font()->SetColor(clBlue);
  panel->SetCaption(L"Vexlo");
  Paint(panel->Handle());
  // Raised by default: light top-left, dark bottom-right, the colour inside.
  EXPECT_EQ(At(0, 0), Rgb(clBtnHighlight));
  EXPECT_EQ(At(0, 20), Rgb(clBtnHighlight));
  EXPECT_EQ(At(199, 39), Rgb(clBtnShadow));
  EXPECT_EQ(At(100, 39), Rgb(clBtnShadow));
  EXPECT_EQ(At(5, 5), 0xFFFFCEu);
  // The caption sits in the middle.
  int blueLeft = 400, blueRight = -1;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 200; ++x)
      if (At(x, y) == 0x0000FF) {
        blueLeft = std::min(blueLeft, x);
        blueRight = std::max(blueRight, x);
      }
  ASSERT_GE(blueRight, 0);
  EXPECT_NEAR((blueLeft + blueRight) / 2.0, 100, 3);

  EXPECT_EQ(GetEnumPropText(panel, L"BevelOuter"), L"bvRaised");
  EXPECT_TRUE(SetPropText(panel, L"BevelOuter", L"bvLowered"));
  EXPECT_TRUE(SetPropText(panel, L"BevelInner", L"bvRaised"));
  EXPECT_TRUE(SetPropText(panel, L"BevelWidth", L"2"));
  Paint(panel->Handle());
  EXPECT_EQ(At(1, 1), Rgb(clBtnShadow));      // outer, lowered, two pixels
  EXPECT_EQ(At(2, 2), Rgb(clBtnHighlight));   // inner, raised
  EXPECT_EQ(At(198, 38), Rgb(clBtnHighlight));
  EXPECT_EQ(At(196, 36), Rgb(clBtnShadow));
  EXPECT_EQ(At(4, 4), 0xFFFFCEu);

  // No bevel: the colour reaches the edge. ParentBackground shows the parent's colour instead.
  panel->SetBevelOuter(bvNone);
  panel->SetBevelInner(bvNone);
  panel->SetCaption(L"");
  Paint(panel->Handle());
  EXPECT_EQ(At(0, 0), 0xFFFFCEu);
  EXPECT_EQ(GetEnumPropText(panel, L"ParentBackground"), L"False");
  EXPECT_TRUE(SetPropText(panel, L"ParentBackground", L"True"));
  Paint(panel->Handle());
  EXPECT_EQ(At(0, 0), Rgb(clBtnFace));
  EXPECT_TRUE(SetPropText(panel, L"BorderStyle", L"bsSingle"));
  EXPECT_TRUE(GetWindowLongW(panel->Handle(), GWL_STYLE) & WS_BORDER);
  EXPECT_TRUE(panel->InheritsFrom(TCustomPanel::StaticClass()));
}

TEST_F(ExtForm, ShapesFillAndOutlineTheirFigure) {
  auto* shape = Make<TShape>(0, 0, 40, 20);
  shape->Brush()->SetColor(clRed);
  Paint(form->Handle());
  EXPECT_EQ(At(0, 0), 0x000000u);    // the pen
  EXPECT_EQ(At(39, 19), 0x000000u);
  EXPECT_EQ(At(20, 10), 0xFF0000u);  // the brush
  EXPECT_EQ(At(40, 10), 0xFFFFFFu);  // outside

  // Without a pen the brush covers every pixel of the bounds and no more.
  shape->Pen()->SetStyle(psClear);
  Paint(form->Handle());
  EXPECT_EQ(At(0, 0), 0xFF0000u);
  EXPECT_EQ(At(39, 19), 0xFF0000u);
  EXPECT_EQ(At(40, 19), 0xFFFFFFu);
  EXPECT_EQ(At(39, 20), 0xFFFFFFu);

  // A circle in a wide box: centred, corners untouched.
  shape->SetBounds(0, 0, 60, 20);
  EXPECT_TRUE(SetPropText(shape, L"Shape", L"stCircle"));
  Paint(form->Handle());
  EXPECT_EQ(At(30, 10), 0xFF0000u);
  EXPECT_EQ(At(21, 1), 0xFFFFFFu);
  EXPECT_EQ(At(5, 10), 0xFFFFFFu);
  EXPECT_EQ(At(55, 10), 0xFFFFFFu);

  shape->SetShape(stRoundRect);
  shape->Brush()->SetColor(RGB(128, 255, 0));
  Paint(form->Handle());
  EXPECT_EQ(At(30, 10), 0x80FF00u);
  EXPECT_EQ(At(0, 0), 0xFFFFFFu);  // rounded corner
  EXPECT_EQ(At(30, 0), 0x80FF00u);

  EXPECT_EQ(GetObjectProp<TBrush>(shape, L"Brush"), shape->Brush());
  EXPECT_EQ(GetObjectProp<TPen>(shape, L"Pen"), shape->Pen());
  EXPECT_EQ(GetEnumPropText(shape, L"Shape"), L"stRoundRect");
}

TEST_F(ExtForm, LabeledEditKeepsItsLabelBesideIt) {
  auto* edit = Make<TLabeledEdit>(141, 42, 734, 21);
  TBoundLabel* label = edit->EditLabel();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(GetObjectProp<TBoundLabel>(edit, L"EditLabel"), label);
  EXPECT_EQ(label->Parent(), form.get());
  EXPECT_EQ(label->Owner(), edit);
  label->SetCaption(L"绝对路径加网址前缀：");
  EXPECT_EQ(GetIntProp(edit, L"LabelSpacing"), 3);
  // Above by default: left edges line up, 3 pixels between.
  EXPECT_EQ(label->Left(), 141);
  EXPECT_EQ(label->Top() + label->Height() + 3, 42);

  EXPECT_TRUE(SetPropText(edit, L"LabelPosition", L"lpLeft"));
  EXPECT_EQ(label->Left() + label->Width() + 3, 141);
  EXPECT_EQ(label->Top(), 42 + (21 - label->Height()) / 2);
  // A longer caption grows to the left; the edit's move takes the label along.
  label->SetCaption(L"相对路径加网址前缀（更长）：");
  EXPECT_EQ(label->Left() + label->Width() + 3, 141);
  edit->SetBounds(200, 100, 300, 21);
  EXPECT_EQ(label->Left() + label->Width() + 3, 200);
  EXPECT_EQ(label->Top(), 100 + (21 - label->Height()) / 2);
  edit->SetLabelPosition(lpBelow);
  EXPECT_EQ(label->Top(), 124);
  edit->SetLabelPosition(lpRight);
  EXPECT_EQ(label->Left(), 503);

  edit->Hide();
  EXPECT_FALSE(label->Visible());
  edit->Show();
  edit->SetEnabled(false);
  EXPECT_FALSE(label->Enabled());

  int before = form->ControlCount();
  delete edit;  // the label goes with it
  EXPECT_EQ(form->ControlCount(), before - 2);
}

TEST_F(ExtForm, LabeledEditSurvivesItsParentGoingFirst) {
  auto* panel = Make<TPanel>(0, 0, 300, 100);
  auto* edit = new TLabeledEdit(form.get());  // owned by the form, placed on the panel
  edit->SetParent(panel);
  EXPECT_EQ(edit->EditLabel()->Parent(), panel);
  // The panel frees its children, the label (placed last) before the edit; the edit hears
  // that its label went and does not free it a second time.
  delete panel;
  EXPECT_EQ(form->ComponentCount(), 0);
  EXPECT_EQ(form->ControlCount(), 0);
}
