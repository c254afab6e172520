// Start-up and the main window's frame: title, client size, border, icons, placement, font
// and colour.
#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "app/Startup.h"
#include "skin/frame/WinSkinForm.h"

using namespace ui;

TEST(Startup, MainWindowFrameAndTitle) {
  TForm1* form = StartUp();
  ASSERT_EQ(form, Form1);
  EXPECT_EQ(Application->Title(), L"Vexlo 1.0 免费版");
  EXPECT_EQ(Application->MainForm(), form);
  EXPECT_EQ(form->Name(), L"Form1");
  EXPECT_EQ(form->ClassName(), L"TForm1");
  form->Show();
  HWND h = form->Handle();

  wchar_t caption[64];
  GetWindowTextW(h, caption, 64);
  EXPECT_STREQ(caption, L"Vexlo 1.0 免费版");
  RECT client;
  GetClientRect(h, &client);
  EXPECT_EQ(client.right, 918);
  EXPECT_EQ(client.bottom, 644);
  EXPECT_EQ(form->ClientWidth(), 918);
  EXPECT_EQ(form->ClientHeight(), 644);

  // Made with a caption and a thin border; while the skin's frame runs it draws the caption
  // itself, and the caption style is taken away until the skin is switched off.
  LONG style = GetWindowLongW(h, GWL_STYLE);
  skin::TWinSkinForm* frame = skin::TSkinManage::Instance()->FindSkinForm(h);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->BorderKind(), skin::bkSingle);
  EXPECT_TRUE(frame->BorderIcons() & skin::kBiCaptionToggled);
  EXPECT_FALSE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);  // single fixed border: not resizable
  EXPECT_EQ(GetEnumPropText(form, L"BorderStyle"), L"bsSingle");
  EXPECT_EQ(GetEnumPropText(form, L"BorderIcons"), L"biSystemMenu,biMinimize");

  // Centred on the desktop's work area.
  RECT window, desk;
  GetWindowRect(h, &window);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &desk, 0);
  EXPECT_LE(std::abs((window.left + window.right) - (desk.left + desk.right)), 1);
  EXPECT_LE(std::abs((window.top + window.bottom) - (desk.top + desk.bottom)), 1);

  EXPECT_EQ(form->Font()->Name(), L"宋体");
  EXPECT_EQ(form->Font()->Height(), -12);
  EXPECT_EQ(form->Font()->Charset(), GB2312_CHARSET);
  // The skin's button face is the window's colour.
  EXPECT_EQ(ColorToRGB(form->Color()), RGB(236, 239, 245));

  // The background really is that colour.
  TBitmap target(918, 644);
  HDC dc = target.Canvas()->Handle();
  SendMessageW(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  EXPECT_EQ(testsupport::PixelRGB(dc, 917, 643), testsupport::ColourRGB(form->Color()));

  // Closing the main window ends the message loop.
  PostMessageW(h, WM_CLOSE, 0, 0);
  EXPECT_TRUE(testsupport::PumpUntil([] { return Application->Terminated(); }));
}
