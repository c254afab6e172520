// Canvases and bitmaps, checked pixel by pixel.
#include <gtest/gtest.h>

#include "ui/Canvas.h"

using namespace ui;

TEST(Bitmap, FillFrameAndResizeArePixelExact) {
  TBitmap b(8, 6);
  TCanvas* c = b.Canvas();
  c->Brush()->SetColor(RGB(10, 20, 30));
  c->FillRect({0, 0, 8, 6});
  c->Brush()->SetColor(clFuchsia);
  c->FrameRect({1, 1, 7, 5});
  EXPECT_EQ(b.ScanLine(0)[0], 0x0A141Eu);
  EXPECT_EQ(b.ScanLine(1)[1], 0xFF00FFu);
  EXPECT_EQ(b.ScanLine(4)[6], 0xFF00FFu);
  EXPECT_EQ(b.ScanLine(2)[2], 0x0A141Eu);
  EXPECT_EQ(b.ScanLine(5)[7], 0x0A141Eu);
  b.SetSize(10, 3);  // the overlapping part stays, the rest is black
  EXPECT_EQ(b.ScanLine(1)[1], 0xFF00FFu);
  EXPECT_EQ(b.ScanLine(2)[7], 0x0A141Eu);
  EXPECT_EQ(b.ScanLine(0)[9], 0u);
  EXPECT_EQ(c->Pixel(1, 1), static_cast<TColor>(RGB(255, 0, 255)));
}

TEST(Bitmap, TransparentDrawLeavesKeyColourPixelsAlone) {
  TBitmap src(2, 1);
  src.ScanLine(0)[0] = 0xFF00FF;
  src.ScanLine(0)[1] = 0x123456;
  src.SetTransparent(true);
  TBitmap dst(2, 1);
  dst.Canvas()->Brush()->SetColor(clWhite);
  dst.Canvas()->FillRect({0, 0, 2, 1});
  dst.Canvas()->Draw(0, 0, src);
  EXPECT_EQ(dst.ScanLine(0)[0], 0xFFFFFFu);
  EXPECT_EQ(dst.ScanLine(0)[1], 0x123456u);
}

TEST(Canvas, ToolsFollowChangesAndSystemColoursResolve) {
  TBitmap b(4, 4);
  b.Canvas()->Brush()->SetColor(clBtnFace);
  b.Canvas()->FillRect({0, 0, 4, 4});
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(b.ScanLine(3)[3], static_cast<uint32_t>((GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face)));
  b.Canvas()->Brush()->SetColor(clLime);
  b.Canvas()->FillRect({0, 0, 1, 1});
  EXPECT_EQ(b.ScanLine(0)[0], 0x00FF00u);
  b.Canvas()->Brush()->SetStyle(bsClear);  // a clear brush fills nothing
  b.Canvas()->FillRect({0, 0, 4, 4});
  EXPECT_EQ(b.ScanLine(0)[0], 0x00FF00u);
}
