// The handle census sees each object a leak would leave behind, of each kind, and nothing
// once the objects are freed.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "HandleCensus.h"
#include "ui/Canvas.h"
#include "ui/Graphics.h"

using testsupport::CountHandles;
using testsupport::THandleCounts;
using testsupport::THandleKind;

namespace {

// `before` with `n` more of the kind.
THandleCounts Plus(THandleCounts before, THandleKind kind, int n = 1) {
  before.Of[static_cast<int>(kind)] += n;
  return before;
}

LRESULT CALLBACK PassOn(int code, WPARAM w, LPARAM l) { return CallNextHookEx(nullptr, code, w, l); }

struct HandleCensusTest : testing::Test {
  void SetUp() override { testsupport::StartHandleCensus(); }

  static HWND PlainWindow() {
    static const wchar_t* const name = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = DefWindowProcW;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"VexloCensusWindow";
      RegisterClassW(&wc);
      return L"VexloCensusWindow";
    }();
    return CreateWindowExW(0, name, L"census", WS_OVERLAPPEDWINDOW, 10, 10, 200, 120, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
  }
};

TEST_F(HandleCensusTest, ALeakedBitmapRegionAndDCAreEachSeenAndNothingOnceFreed) {
  const THandleCounts before = CountHandles();

  HDC screen = GetDC(nullptr);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(CountHandles(), Plus(before, THandleKind::WindowDC)) << CountHandles().ChangesSince(before);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
  ReleaseDC(nullptr, screen);
  ASSERT_NE(bitmap, nullptr);
  const THandleCounts withBitmap = Plus(before, THandleKind::Bitmap);
  EXPECT_EQ(CountHandles(), withBitmap) << CountHandles().ChangesSince(before);

  HRGN region = CreateRectRgn(0, 0, 10, 10);
  ASSERT_NE(region, nullptr);
  const THandleCounts withRegion = Plus(withBitmap, THandleKind::Region);
  EXPECT_EQ(CountHandles(), withRegion) << CountHandles().ChangesSince(before);

  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  const THandleCounts withDC = Plus(withRegion, THandleKind::CreatedDC);
  EXPECT_EQ(CountHandles(), withDC) << CountHandles().ChangesSince(before);
  EXPECT_EQ(CountHandles().ChangesSince(before), "bitmaps " +
            std::to_string(before[THandleKind::Bitmap]) + " -> " +
            std::to_string(before[THandleKind::Bitmap] + 1) + ", created DCs " +
            std::to_string(before[THandleKind::CreatedDC]) + " -> " +
            std::to_string(before[THandleKind::CreatedDC] + 1) + ", regions " +
            std::to_string(before[THandleKind::Region]) + " -> " +
            std::to_string(before[THandleKind::Region] + 1));

  // A bitmap selected into the DC is still one bitmap; freed in the right order, all go.
  HGDIOBJ old = SelectObject(dc, bitmap);
  EXPECT_EQ(CountHandles(), withDC);
  SelectObject(dc, old);
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_EQ(CountHandles(), withRegion);
  EXPECT_TRUE(DeleteObject(region));
  EXPECT_EQ(CountHandles(), withBitmap);
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_EQ(CountHandles(), before) << CountHandles().ChangesSince(before);
}

TEST_F(HandleCensusTest, FontsBrushesAndPensMadeByTheClassLibraryAreCountedToo) {
  const THandleCounts before = CountHandles();
  {
    LOGFONTW logFont{};
    logFont.lfHeight = -12;
    ui::TFontHandle font(CreateFontIndirectW(&logFont));
    ui::TBrushHandle brush(CreateSolidBrush(RGB(1, 2, 3)));
    ui::TPenHandle pen(CreatePen(PS_SOLID, 1, RGB(4, 5, 6)));
    THandleCounts expected = Plus(Plus(Plus(before, THandleKind::Font), THandleKind::Brush), THandleKind::Pen);
    EXPECT_EQ(CountHandles(), expected) << CountHandles().ChangesSince(before);

    // A bitmap of the class library: a DIB section held by it (and its canvas's DC once drawn on).
    auto picture = std::make_unique<ui::TBitmap>(8, 8);
    picture->Canvas()->Handle();
    const THandleCounts withPicture = CountHandles();
    EXPECT_GE(withPicture[THandleKind::Bitmap], before[THandleKind::Bitmap] + 1);
    picture.reset();
    EXPECT_EQ(CountHandles(), expected) << CountHandles().ChangesSince(expected);
  }
  EXPECT_EQ(CountHandles(), before) << CountHandles().ChangesSince(before);
}

TEST_F(HandleCensusTest, WindowsMenusHooksAndTakenDCsAreCountedAndARegionGivenToAWindowIsNotOurs) {
  const THandleCounts before = CountHandles();
  const HWND window = PlainWindow();
  ASSERT_NE(window, nullptr);
  const THandleCounts withWindow = Plus(before, THandleKind::Window);
  EXPECT_EQ(CountHandles(), withWindow) << CountHandles().ChangesSince(before);

  HDC taken = GetWindowDC(window);
  EXPECT_EQ(CountHandles(), Plus(withWindow, THandleKind::WindowDC));
  ReleaseDC(window, taken);
  EXPECT_EQ(CountHandles(), withWindow);

  // The window owns the region it took: it is off the books at once.
  HRGN region = CreateRectRgn(0, 0, 50, 50);
  EXPECT_EQ(CountHandles(), Plus(withWindow, THandleKind::Region));
  ASSERT_TRUE(SetWindowRgn(window, region, FALSE));
  EXPECT_EQ(CountHandles(), withWindow);

  HMENU loose = CreatePopupMenu();
  HMENU bar = CreateMenu();
  EXPECT_EQ(CountHandles(), Plus(withWindow, THandleKind::Menu, 2));
  EXPECT_TRUE(DestroyMenu(loose));
  // A menu bar given to a window goes with the window.
  ASSERT_TRUE(SetMenu(window, bar));
  EXPECT_EQ(CountHandles(), Plus(withWindow, THandleKind::Menu));

  HHOOK hook = SetWindowsHookExW(WH_CBT, PassOn, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  EXPECT_EQ(CountHandles(), Plus(Plus(withWindow, THandleKind::Menu), THandleKind::Hook));
  EXPECT_TRUE(UnhookWindowsHookEx(hook));

  // Painting: a BeginPaint without its EndPaint is a held DC.
  InvalidateRect(window, nullptr, FALSE);
  PAINTSTRUCT paint{};
  BeginPaint(window, &paint);
  EXPECT_EQ(CountHandles()[THandleKind::PaintDC], before[THandleKind::PaintDC] + 1);
  EndPaint(window, &paint);

  EXPECT_TRUE(DestroyWindow(window));
  EXPECT_EQ(CountHandles(), before) << CountHandles().ChangesSince(before);
}

}  // namespace
