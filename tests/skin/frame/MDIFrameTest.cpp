// MDI: the frame window's MDI client is subclassed, MDI children get their frames as they are
// made, and the children follow the maximized state.
#include "FrameTestSupport.h"

#include <algorithm>

#include "MessageSequence.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/SkinMessages.h"
#include "skin/frame/WinSkinMenu.h"

using namespace skin;
using namespace frametest;
using testsupport::PumpFor;

namespace {

HWND g_client = nullptr;

LRESULT CALLBACK FrameProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefFrameProcW(window, g_client, msg, wParam, lParam);
}

LRESULT CALLBACK ChildProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefMDIChildProcW(window, msg, wParam, lParam);
}

void RegisterClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  WNDCLASSW wc{};
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpfnWndProc = FrameProc;
  wc.lpszClassName = L"VexloMDIFrameTest";
  RegisterClassW(&wc);
  wc.lpfnWndProc = ChildProc;
  wc.lpszClassName = L"VexloMDIChildTest";
  RegisterClassW(&wc);
}

// A shown MDI frame window with `menu` and its client (kept in g_client).
HWND ShowMDIFrame(HMENU menu) {
  RegisterClasses();
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const HWND frameWindow = CreateWindowExW(0, L"VexloMDIFrameTest", L"MDI", WS_OVERLAPPEDWINDOW,
                                           20, 20, 500, 400, nullptr, menu, instance, nullptr);
  CLIENTCREATESTRUCT ccs{nullptr, 1000};
  g_client = CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0,
                             0, 400, 300, frameWindow, nullptr, instance, &ccs);
  ShowWindow(frameWindow, SW_SHOW);
  SetForegroundWindow(frameWindow);
  return frameWindow;
}

// Each case once with each skin of ours.
using MDIFrameTest = OwnSkinFrameTest;
INSTANTIATE_FOR_OWN_SKINS(MDIFrameTest);

TEST_P(MDIFrameTest, ChildrenGetFramesAndFollowTheMaximizedState) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const HWND frameWindow = ShowMDIFrame(nullptr);
  ASSERT_NE(frameWindow, nullptr);
  ASSERT_NE(g_client, nullptr);
  TWinSkinForm* frame = RunningFrame(frameWindow);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->FormKind(), fkMDIFrame);
  EXPECT_EQ(frame->MDIClient(), g_client);

  // A child is skinned as it is made.
  MDICREATESTRUCTW create{L"VexloMDIChildTest", L"Child", instance, 10, 10, 200, 150,
                          WS_VISIBLE, 0};
  const auto child = reinterpret_cast<HWND>(
      SendMessageW(g_client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
  ASSERT_NE(child, nullptr);
  EXPECT_FALSE(data_->MenuUpdate());  // cleared while children are made
  TWinSkinForm* childFrame = RunningFrame(child);
  ASSERT_NE(childFrame, nullptr);
  EXPECT_EQ(childFrame->FormKind(), fkMDIChild);
  const int menuBand = childFrame->MenuBarHeight();
  RECT window{}, client{};
  GetWindowRect(child, &window);
  GetClientRect(child, &client);
  EXPECT_EQ(Width(window), FramedWidth(client.right));
  EXPECT_EQ(Height(window), FramedHeight(client.bottom) + menuBand);
  EXPECT_TRUE(WindowRegion(child));
  // Its close button is one frame of the skin's picture, inside the title bar, and answers
  // as the close button there.
  const TWinSysButton* close = nullptr;
  for (const auto& b : childFrame->Buttons()) {
    if (b->Action() == caClose && b->Enabled) close = b.get();
  }
  ASSERT_NE(close, nullptr);
  const TDataSkinSysButton& closeDef = close->Definition();
  ASSERT_TRUE(closeDef.Bitmap && !closeDef.Bitmap->Empty());
  const RECT place = close->Bounds;
  EXPECT_EQ(Width(place), closeDef.Bitmap->Width() / std::max(closeDef.Frame, 1));
  EXPECT_EQ(Height(place), closeDef.Bitmap->Height());
  EXPECT_GE(place.left, 0);
  EXPECT_LE(place.right, Width(window));
  EXPECT_GE(place.top, 0);
  EXPECT_LE(place.bottom, childFrame->TitleHeight());
  EXPECT_EQ(HitTest(child, (place.left + place.right) / 2, (place.top + place.bottom) / 2), HTCLOSE);

  // A maximized child drops its region; tiling restores the children's frames.
  M()->SetMDIChildMaximized(true);
  EXPECT_FALSE(WindowRegion(child));
  SendMessageW(g_client, WM_MDITILE, 0, 0);
  EXPECT_FALSE(M()->MDIChildMaximized());
  EXPECT_TRUE(WindowRegion(child));

  // The client redraws a child's frame on request.
  {
    testsupport::MessageRecorder recorder;
    recorder.Watch(child);
    recorder.Filter([](UINT m) { return m == WM_NCPAINT; });
    EXPECT_EQ(SendMessageW(g_client, SKM_MDIREDRAW, reinterpret_cast<WPARAM>(child), 0), 0);
    EXPECT_GE(recorder.Count(WM_NCPAINT, testsupport::msgSent), 1);
  }

  // The client keeps no scroll bars of its own under a skinned frame.
  SetWindowLongW(g_client, GWL_STYLE, GetWindowLongW(g_client, GWL_STYLE) | WS_VSCROLL);
  SetWindowPos(g_client, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  EXPECT_EQ(GetWindowLongW(g_client, GWL_STYLE) & WS_VSCROLL, 0);

  // The last child goes: the menu is updated again, and its frame on the next purge.
  SendMessageW(g_client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
  EXPECT_TRUE(data_->MenuUpdate());
  M()->PurgeClosedSkinners();
  EXPECT_EQ(M()->FindSkinForm(child), nullptr);

  // Switching off gives the client its own procedure back.
  M()->SetManagerState(kManagerRunning);
  data_->SetActive(false);
  ASSERT_TRUE(testsupport::PumpUntil([&] { return M()->FormSkinners().empty(); }));
  SetWindowLongW(g_client, GWL_STYLE, GetWindowLongW(g_client, GWL_STYLE) | WS_VSCROLL);
  SetWindowPos(g_client, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  EXPECT_NE(GetWindowLongW(g_client, GWL_STYLE) & WS_VSCROLL, 0);
  DestroyWindow(frameWindow);
  g_client = nullptr;
}

}  // namespace

namespace {

TEST_P(MDIFrameTest, TheMaximizedChildsButtonsOnTheMenuBarActOnTheActiveChild) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  HMENU menu = CreateMenu();
  AppendMenuW(menu, MF_STRING, 1, L"File");
  const HWND frameWindow = ShowMDIFrame(menu);
  ASSERT_NE(frameWindow, nullptr);
  TWinSkinForm* frame = RunningFrame(frameWindow);
  ASSERT_NE(frame, nullptr);
  ASSERT_GT(frame->MenuBarHeight(), 0);
  MDICREATESTRUCTW create{L"VexloMDIChildTest", L"Child", instance, 10, 10, 200, 150,
                          WS_VISIBLE, 0};
  const auto child = reinterpret_cast<HWND>(
      SendMessageW(g_client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
  ASSERT_NE(RunningFrame(child), nullptr);

  // Not maximized: the three buttons are hidden.
  frame->LayoutCaptionButtons();
  const auto mdiButton = [&](int action) -> TWinSysButton* {
    for (const auto& b : frame->Buttons()) {
      if (b->Action() == action) return b.get();
    }
    return nullptr;
  };
  ASSERT_NE(mdiButton(caMDIClose), nullptr);
  EXPECT_FALSE(mdiButton(caMDIClose)->Enabled);

  M()->SetMDIChildMaximized(true);
  frame->LayoutCaptionButtons();
  TWinSysButton* close = mdiButton(caMDIClose);
  ASSERT_TRUE(close->Enabled);
  EXPECT_TRUE(mdiButton(caMDIMinimize)->Enabled);
  EXPECT_TRUE(mdiButton(caMDIRestore)->Enabled);
  // Each is one of the four frames of its part of the skin's MDI picture.
  for (const int action : {caMDIClose, caMDIMinimize, caMDIRestore}) {
    const TWinSysButton& b = *mdiButton(action);
    ASSERT_TRUE(b.Definition().Bitmap && !b.Definition().Bitmap->Empty()) << action;
    EXPECT_EQ(Width(b.Bounds), b.Definition().Bitmap->Width() / 4) << action;
    EXPECT_EQ(Height(b.Bounds), b.Definition().Bitmap->Height()) << action;
  }
  // Centred in the menu bar, from its right end.
  const RECT r = WindowRect(frameWindow);
  const int height = close->Bounds.bottom - close->Bounds.top;
  EXPECT_EQ(close->Bounds.top, frame->TitleHeight() + (frame->MenuBarHeight() - height) / 2);
  EXPECT_LT(close->Bounds.right, Width(r) - frame->RightWidth());
  EXPECT_GT(close->Bounds.left, mdiButton(caMDIRestore)->Bounds.left);
  const POINT centre{(close->Bounds.left + close->Bounds.right) / 2,
                     (close->Bounds.top + close->Bounds.bottom) / 2};
  EXPECT_EQ(HitTest(frameWindow, centre.x, centre.y), HTCLOSE);

  // A click on it closes the active child.
  const LPARAM at = MAKELPARAM(r.left + centre.x, r.top + centre.y);
  SendMessageW(frameWindow, WM_NCLBUTTONDOWN, HTCLOSE, at);
  SendMessageW(frameWindow, WM_NCLBUTTONUP, HTCLOSE, at);
  EXPECT_FALSE(IsWindow(child));
  DestroyWindow(frameWindow);
  g_client = nullptr;
}

}  // namespace

namespace {

// The client puts a merged menu on the frame: the bar takes its items, pictures take no room,
// and the window keeps no menu. A maximized child's buttons are drawn on the bar from the
// skin's pictures.
TEST_P(MDIFrameTest, AMergedMenuBecomesTheBarAndAMaximizedChildsButtonsAreDrawnOnIt) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  HMENU first = CreateMenu();
  AppendMenuW(first, MF_STRING, 1, L"&File");
  const HWND frameWindow = ShowMDIFrame(first);
  TWinSkinForm* frame = RunningFrame(frameWindow);
  ASSERT_NE(frame, nullptr);
  ASSERT_NE(frame->MenuBar(), nullptr);

  HMENU window = CreatePopupMenu();
  AppendMenuW(window, MF_STRING, 2, L"&Tile");
  HMENU merged = CreateMenu();
  AppendMenuW(merged, MF_STRING, 1, L"&File");
  ui::TBitmapHandle picture(CreateBitmap(8, 8, 1, 1, nullptr));
  AppendMenuW(merged, MF_BITMAP, 3, reinterpret_cast<LPCWSTR>(picture.Get()));
  AppendMenuW(merged, MF_STRING, 4, L"&Edit");
  AppendMenuW(merged, MF_POPUP, reinterpret_cast<UINT_PTR>(window), L"&Window");
  SendMessageW(g_client, WM_MDISETMENU, reinterpret_cast<WPARAM>(merged),
               reinterpret_cast<LPARAM>(window));
  TWinSkinMenu* bar = frame->MenuBar();
  EXPECT_EQ(GetMenu(frameWindow), nullptr);
  EXPECT_EQ(bar->MenuHandle(), merged);
  ASSERT_EQ(bar->Items().size(), 4u);
  EXPECT_EQ(bar->Items()[0]->Caption, L"&File");
  EXPECT_TRUE(bar->Items()[1]->Caption.empty());
  EXPECT_EQ(frametest::Width(bar->Items()[1]->Bounds), 0);
  EXPECT_EQ(bar->Items()[2]->Caption, L"&Edit");
  EXPECT_EQ(bar->Items()[2]->Bounds.left, bar->Items()[0]->Bounds.right);
  EXPECT_EQ(bar->Items()[3]->SubMenu, window);

  // A maximized child: the bar shows its buttons, the manager learns of the state as the
  // child is maximized.
  MDICREATESTRUCTW create{L"VexloMDIChildTest", L"Child", instance, 10, 10, 200, 150,
                          WS_VISIBLE, 0};
  const auto child = reinterpret_cast<HWND>(
      SendMessageW(g_client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
  ASSERT_NE(RunningFrame(child), nullptr);
  SendMessageW(g_client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
  const RECT r = WindowRect(frameWindow);
  ui::TBitmap shot(Width(r), Height(r));
  ASSERT_EQ(SendMessageW(frameWindow, SKM_PAINTFRAME,
                         reinterpret_cast<WPARAM>(shot.Canvas()->Handle()), kSkinMagic),
            kSkinMagic);
  EXPECT_TRUE(M()->MDIChildMaximized());
  int compared = 0, shown = 0;
  for (const auto& button : frame->Buttons()) {
    const TDataSkinSysButton& def = button->Definition();
    if (def.Visibility != kMDIButtonVisibility || !def.Bitmap || def.Bitmap->Empty()) continue;
    ASSERT_TRUE(button->Enabled);
    ++shown;
    // The skin's first frame, stretched to the button, over a ground that is not magenta:
    // wherever the picture is not transparent the shot holds it.
    const RECT b = button->Bounds;
    ui::TBitmap expected(Width(b), Height(b));
    constexpr std::uint32_t kGround = 0x123456;
    for (int y = 0; y < Height(b); ++y) std::fill_n(expected.ScanLine(y), Width(b), kGround);
    DrawFrameStretched(expected.Canvas()->Handle(), {0, 0, Width(b), Height(b)}, *def.Bitmap,
                       true, std::max(def.Frame, 1), 1);
    for (int y = 0; y < Height(b); ++y) {
      for (int x = 0; x < Width(b); ++x) {
        const std::uint32_t want = expected.ScanLine(y)[x] & 0xFFFFFF;
        if (want == kGround) continue;
        ASSERT_EQ(shot.ScanLine(b.top + y)[b.left + x] & 0xFFFFFF, want) << x << "," << y;
        ++compared;
      }
    }
  }
  EXPECT_EQ(shown, 3);
  EXPECT_GT(compared, 50);
  DestroyWindow(frameWindow);
  g_client = nullptr;
}

}  // namespace

namespace {

// The MDI frame's first paint while its child is being maximized, and whether the child's
// three buttons were laid out on the bar by then.
struct TFirstFramePaint {
  HWND Window = nullptr;
  TWinSkinForm* Frame = nullptr;
  bool Seen = false;
  int ButtonsShown = 0;
};
TFirstFramePaint g_firstPaint;

int ShownMDIButtons(const TWinSkinForm& frame) {
  int shown = 0;
  for (const auto& button : frame.Buttons()) {
    if (button->Definition().Visibility == kMDIButtonVisibility && button->Enabled) ++shown;
  }
  return shown;
}

LRESULT CALLBACK SeeFirstFramePaint(int code, WPARAM wParam, LPARAM lParam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && sent && sent->hwnd == g_firstPaint.Window &&
      sent->message == WM_NCPAINT && !g_firstPaint.Seen) {
    g_firstPaint.Seen = true;
    g_firstPaint.ButtonsShown = ShownMDIButtons(*g_firstPaint.Frame);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A child maximized through its own system command (not through the client): the MDI frame
// learns it as the child is maximized, before the frame is painted again, and lays the
// child's buttons out on its bar. Painting the frame afterwards only reads that state.
TEST_P(MDIFrameTest, TheFrameLearnsOfAMaximizedChildFromTheChildAndPaintingChangesNoManagerState) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  HMENU menu = CreateMenu();
  AppendMenuW(menu, MF_STRING, 1, L"&File");
  const HWND frameWindow = ShowMDIFrame(menu);
  TWinSkinForm* frame = RunningFrame(frameWindow);
  ASSERT_NE(frame, nullptr);
  ASSERT_NE(frame->MenuBar(), nullptr);
  MDICREATESTRUCTW create{L"VexloMDIChildTest", L"Child", instance, 10, 10, 200, 150,
                          WS_VISIBLE | WS_OVERLAPPEDWINDOW, 0};
  const auto child = reinterpret_cast<HWND>(
      SendMessageW(g_client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
  ASSERT_NE(RunningFrame(child), nullptr);
  ASSERT_FALSE(M()->MDIChildMaximized());

  g_firstPaint = {frameWindow, frame};
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, SeeFirstFramePaint, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  SendMessageW(child, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  UnhookWindowsHookEx(hook);
  ASSERT_TRUE(IsZoomed(child));
  EXPECT_TRUE(M()->MDIChildMaximized());
  EXPECT_EQ(ShownMDIButtons(*frame), 3);
  // The frame painted while the child was maximized showed the buttons.
  ASSERT_TRUE(g_firstPaint.Seen);
  EXPECT_EQ(g_firstPaint.ButtonsShown, 3);

  // The manager is told otherwise while the child stays maximized (with the children's
  // borders left to the system, so that the child does not follow and is not resized): a paint
  // of the frame, which still shows the bar, leaves the manager's state as it is.
  data_->SetOptions(data_->Options() | SetOf({xoMDIChildBorder}));
  M()->SetMDIChildMaximized(false);
  ASSERT_TRUE(IsZoomed(child));
  const RECT r = WindowRect(frameWindow);
  ui::TBitmap shot(Width(r), Height(r));
  ASSERT_EQ(SendMessageW(frameWindow, SKM_PAINTFRAME,
                         reinterpret_cast<WPARAM>(shot.Canvas()->Handle()), kSkinMagic),
            kSkinMagic);
  EXPECT_FALSE(M()->MDIChildMaximized());
  DestroyWindow(frameWindow);
  g_client = nullptr;
}

}  // namespace
