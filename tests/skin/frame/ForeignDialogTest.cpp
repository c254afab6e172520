// A skinned window without form object of the program (a dialog made from a template): its
// background and its static and button controls take the skin's background colour.
#include "FrameTestSupport.h"

#include <cstring>
#include <vector>

using namespace skin;
using namespace frametest;

namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

// A modeless dialog with a caption, a system menu and one static text, from a template in
// memory.
HWND CreatePlainDialog() {
  std::vector<WORD> t(256, 0);
  auto* dlg = reinterpret_cast<DLGTEMPLATE*>(t.data());
  dlg->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME;
  dlg->cdit = 1;
  dlg->x = 10;
  dlg->y = 10;
  dlg->cx = 160;
  dlg->cy = 80;
  WORD* p = reinterpret_cast<WORD*>(dlg + 1);
  *p++ = 0;  // no menu
  *p++ = 0;  // the dialog class
  for (const wchar_t* c = L"Foreign dialog"; ; ++c) {
    *p++ = static_cast<WORD>(*c);
    if (!*c) break;
  }
  if (reinterpret_cast<ULONG_PTR>(p) % 4) ++p;  // items are DWORD-aligned
  auto* item = reinterpret_cast<DLGITEMTEMPLATE*>(p);
  item->style = WS_CHILD | WS_VISIBLE | SS_LEFT;
  item->x = 10;
  item->y = 10;
  item->cx = 100;
  item->cy = 12;
  item->id = 100;
  p = reinterpret_cast<WORD*>(item + 1);
  *p++ = 0xFFFF;
  *p++ = 0x0082;  // static
  for (const wchar_t* c = L"Text"; ; ++c) {
    *p++ = static_cast<WORD>(*c);
    if (!*c) break;
  }
  *p++ = 0;  // no creation data
  return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), dlg, nullptr, PlainDialogProc, 0);
}

COLORREF BrushColour(HBRUSH brush) {
  LOGBRUSH lb{};
  GetObjectW(brush, sizeof lb, &lb);
  return lb.lbColor;
}

using ForeignDialogTest = FrameTest;

TEST_F(ForeignDialogTest, TheBackgroundAndStaticTextsTakeTheSkinsBackgroundColour) {
  const HWND h = CreatePlainDialog();
  ASSERT_NE(h, nullptr);
  // Skinned when it is activated; attached here in case it was not.
  if (!M()->FindSkinForm(h)) M()->AttachWindow(h);
  TWinSkinForm* frame = RunningFrame(h);
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(frame->FormObject(), nullptr);
  const HBRUSH face = data_->ButtonFaceBrush();
  ASSERT_NE(face, nullptr);
  const COLORREF colour = BrushColour(face);
  // The skin's colour is not the system's, so that the check below means something.
  ASSERT_NE(colour, GetSysColor(COLOR_BTNFACE));

  const RECT client = ClientRect(h);
  ui::TBitmap target(Width(client), Height(client));
  HDC dc = target.Canvas()->Handle();
  EXPECT_EQ(SendMessageW(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
  const auto rgb = [](COLORREF c) {
    return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  };
  EXPECT_EQ(testsupport::PixelRGB(dc, 1, 1), rgb(colour));
  EXPECT_EQ(testsupport::PixelRGB(dc, Width(client) - 2, Height(client) - 2), rgb(colour));

  const HWND label = GetDlgItem(h, 100);
  ASSERT_NE(label, nullptr);
  SetBkMode(dc, OPAQUE);
  EXPECT_EQ(SendMessageW(h, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(label)),
            reinterpret_cast<LRESULT>(face));
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  SetBkMode(dc, OPAQUE);
  SendMessageW(h, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  DestroyWindow(h);
}

TEST_F(ForeignDialogTest, AFormOfTheProgramKeepsItsOwnBackgroundHandling) {
  ui::TForm& form = ShowForm();
  ASSERT_NE(RunningFrame(form.Handle()), nullptr);
  ui::TBitmap target(50, 50);
  HDC dc = target.Canvas()->Handle();
  SetBkMode(dc, OPAQUE);
  EXPECT_NE(SendMessageW(form.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), 0),
            reinterpret_cast<LRESULT>(data_->ButtonFaceBrush()));
}

}  // namespace
