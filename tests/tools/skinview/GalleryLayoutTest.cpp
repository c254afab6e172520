// The gallery's grid: where groups go, what a group holds, and the client area around them.
#include <gtest/gtest.h>

#include <windows.h>

#include "Gallery.h"

using namespace skinview;

namespace {

RECT Bounds(const ui::TControl& control) { return control.BoundsRect(); }

void ExpectBounds(const ui::TControl& control, int left, int top, int width, int height) {
  const RECT r = Bounds(control);
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right - r.left, width);
  EXPECT_EQ(r.bottom - r.top, height);
}

// Column k starts here.
constexpr int ColumnLeft(int k) { return kGap + k * (kColumnWidth + kGap); }

TEST(GalleryLayout, EachGroupGoesWhereTheColumnsItSpansEndHighest) {
  ui::TForm form(nullptr);
  TGallery gallery(form);
  // A group is as high as its heading, its body and the padding below the body.
  const int extra = kBodyTop + kPadding;
  ui::TPanel& a = gallery.AddGroup(L"A", 1, 100).Panel();
  ui::TPanel& b = gallery.AddGroup(L"B", 1, 50).Panel();
  ui::TPanel& c = gallery.AddGroup(L"C", 1, 20).Panel();
  ExpectBounds(a, ColumnLeft(0), kGap, kColumnWidth, 100 + extra);
  ExpectBounds(b, ColumnLeft(1), kGap, kColumnWidth, 50 + extra);
  ExpectBounds(c, ColumnLeft(2), kGap, kColumnWidth, 20 + extra);
  const int endA = kGap + 100 + extra + kGap, endB = kGap + 50 + extra + kGap;

  // Two columns wide: columns 1 and 2 end higher than columns 0 and 1.
  ui::TPanel& d = gallery.AddGroup(L"D", 2, 10).Panel();
  ExpectBounds(d, ColumnLeft(1), endB, 2 * kColumnWidth + kGap, 10 + extra);
  const int endD = endB + 10 + extra + kGap;
  ASSERT_LT(endA, endD);
  // Column 0 now ends highest.
  ui::TPanel& e = gallery.AddGroup(L"E", 1, 10).Panel();
  ExpectBounds(e, ColumnLeft(0), endA, kColumnWidth, 10 + extra);
  const int endE = endA + 10 + extra + kGap;
  ASSERT_LT(endD, endE);
  // The whole width, below everything; wider asks are held to the grid.
  ui::TPanel& f = gallery.AddGroup(L"F", 5, 10).Panel();
  ExpectBounds(f, ColumnLeft(0), endE, GroupWidth(kColumns), 10 + extra);

  EXPECT_EQ(gallery.Groups(), (std::vector<ui::TPanel*>{&a, &b, &c, &d, &e, &f}));
  gallery.FitForm();
  EXPECT_EQ(form.ClientWidth(), ColumnLeft(kColumns));
  EXPECT_EQ(form.ClientHeight(), endE + 10 + extra + kGap);
}

TEST(GalleryLayout, AGroupHasABoldHeadingAboveItsBody) {
  ui::TForm form(nullptr);
  form.Font()->SetHeight(-12);
  TGallery gallery(form);
  TGalleryGroup group = gallery.AddGroup(L"按钮 Buttons", 2, 60);
  ui::TPanel& panel = group.Panel();
  EXPECT_EQ(panel.Parent(), &form);
  EXPECT_EQ(panel.Owner(), &form);
  EXPECT_EQ(panel.Caption(), L"");
  EXPECT_EQ(group.BodyWidth(), GroupWidth(2) - 2 * kPadding);
  ASSERT_EQ(panel.ControlCount(), 1);
  auto* heading = dynamic_cast<ui::TLabel*>(panel.Controls(0));
  ASSERT_NE(heading, nullptr);
  EXPECT_EQ(heading->Caption(), L"按钮 Buttons");
  EXPECT_TRUE(heading->Font()->Style() & (1 << ui::fsBold));
  EXPECT_GT(heading->Width(), 0);
  EXPECT_GT(heading->Height(), 0);
  EXPECT_LE(heading->Top() + heading->Height(), kBodyTop);

  // Controls go into the body, owned by the form; texts are sized to fit.
  auto* button = group.Add<ui::TButton>(5, 7, 40, 20, L"OK");
  EXPECT_EQ(button->Parent(), &panel);
  EXPECT_EQ(button->Owner(), &form);
  EXPECT_EQ(button->Caption(), L"OK");
  ExpectBounds(*button, kPadding + 5, kBodyTop + 7, 40, 20);
  ui::TLabel* text = group.Text(0, 30, L"Some words");
  EXPECT_EQ(text->Left(), kPadding);
  EXPECT_EQ(text->Top(), kBodyTop + 30);
  EXPECT_GT(text->Width(), 0);
  EXPECT_GT(text->Height(), 0);
  EXPECT_TRUE(text->Transparent());
}

}  // namespace
