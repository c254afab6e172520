// The main window's menus: it has no menu bar, and its system menu opens as the skin's popup
// menu (its window answers that it is skinned and is painted from the skin's menu background).
#include "FormFixture.h"
#include "skin/data/SkinDerivedImages.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/SkinMessages.h"
#include "skin/frame/WinSkinForm.h"

using namespace skin;
using testsupport::PumpUntil;

namespace {

struct TPrintedMenu {
  bool seen = false;
  LRESULT skinned = 0;
  std::unique_ptr<ui::TBitmap> picture;
} g_printed;

BOOL CALLBACK PrintVisibleMenu(HWND window, LPARAM) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wstring(name) != L"#32768" || !IsWindowVisible(window)) return TRUE;
  g_printed.seen = true;
  g_printed.skinned = SendMessageW(window, SKM_QUERYSKINNED, 0, 0);
  RECT r{};
  GetWindowRect(window, &r);
  g_printed.picture = std::make_unique<ui::TBitmap>(r.right - r.left, r.bottom - r.top);
  SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(g_printed.picture->Canvas()->Handle()),
               PRF_NONCLIENT | PRF_CLIENT);
  return FALSE;
}

void CALLBACK PrintAndClose(HWND, UINT, UINT_PTR id, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), PrintVisibleMenu, 0);
  if (g_printed.seen) {
    KillTimer(nullptr, id);
    EndMenu();
  }
}

// The case below runs once with each skin of ours.
using MainWindowMenuTest = testsupport::OwnSkinsOf<MainWindowTest>;
INSTANTIATE_FOR_OWN_SKINS(MainWindowMenuTest);

TEST_P(MainWindowMenuTest, TheMainWindowHasNoMenuBarAndItsSystemMenuOpensSkinned) {
  const HWND h = form->Handle();
  TWinSkinForm* frame = nullptr;
  ASSERT_TRUE(PumpUntil([&] {
    frame = TSkinManage::Instance() ? TSkinManage::Instance()->FindSkinForm(h) : nullptr;
    return frame && frame->FrameState() == fsRunning;
  }, 3000));
  EXPECT_EQ(frame->MenuBar(), nullptr);
  EXPECT_EQ(frame->MenuBarHeight(), 0);
  EXPECT_EQ(GetMenu(h), nullptr);

  g_printed = {};
  const UINT_PTR timer = SetTimer(nullptr, 0, 60, PrintAndClose);
  SendMessageW(h, WM_SYSCOMMAND, SC_KEYMENU, ' ');  // Alt+Space
  KillTimer(nullptr, timer);
  ASSERT_TRUE(g_printed.seen);
  EXPECT_EQ(g_printed.skinned, 1);
  ASSERT_NE(g_printed.picture, nullptr);

  // The menu window's three-pixel border (the system's, whatever the skin) is the skin's menu
  // background composed to the window's size.
  const ui::TBitmap& shot = *g_printed.picture;
  const TDataSkinObject* def = form->SkinData1->SkinObject("MenuBackground");
  ASSERT_NE(def, nullptr);
  constexpr int edge = 3;
  auto expected = ComposeNineRegion(shot.Width(), shot.Height(), *def->Bitmap,
                                    TMargins{def->LeftWidth, def->TopHeight, def->RightWidth, def->BottomHeight},
                                    TFrameLayout::SideBySide, TCentreMode::Stretch, 1, 1);
  int compared = 0;
  for (int y = 0; y < shot.Height(); ++y) {
    for (int x = 0; x < shot.Width(); ++x) {
      const bool border = x < edge || y < edge || x >= shot.Width() - edge || y >= shot.Height() - edge;
      if (!border) continue;
      ASSERT_EQ(shot.ScanLine(y)[x] & 0xFFFFFF, expected->ScanLine(y)[x] & 0xFFFFFF) << x << "," << y;
      ++compared;
    }
  }
  EXPECT_GT(compared, 100);
  // The items are drawn by the skin's painter: their captions in the skin's menu text colour.
  const std::uint32_t text = testsupport::ColourRGB(ResolveColour(form->SkinData1->Colours().MenuText));
  int textPixels = 0;
  for (int y = edge; y < shot.Height() - edge; ++y)
    for (int x = edge; x < shot.Width() - edge; ++x) textPixels += (shot.ScanLine(y)[x] & 0xFFFFFF) == text;
  EXPECT_GT(textPixels, 20);
}

}  // namespace
