// The frame skinner on real windows: which windows get one, the client area and window size
// from the skin's borders, hit-testing, the window region, switching off and on, and windows
// that go before their frame started.
#include "FrameTestSupport.h"

#include "skin/model/BitmapFile.h"
#include "skin/data/SkinMessages.h"
#include "skin/model/SkinReader.h"

using namespace skin;
using namespace frametest;
using testsupport::PumpFor;
using testsupport::PumpUntil;

namespace {

// The system's window size around a client area, for the form's own styles.
SIZE SystemWindowSize(HWND window, int clientWidth, int clientHeight, LONG extraStyle = 0) {
  RECT r{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE) | extraStyle), FALSE,
                     static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)));
  return {Width(r), Height(r)};
}

using FormFrameTest = FrameTest;
// The tests whose every size and pixel comes from the skin run with each skin of our own.
using FormFrameSkinTest = OwnSkinFrameTest;
INSTANTIATE_FOR_OWN_SKINS(FormFrameSkinTest);

// The pixel of a composed picture at (x, y), as the skin bitmaps' PixelAt answers it.
std::uint32_t PixelAt(const ui::TBitmap& bitmap, int x, int y) {
  if (x < 0 || y < 0 || x >= bitmap.Width() || y >= bitmap.Height()) return 0;
  return bitmap.ScanLine(y)[x];
}

TEST_P(FormFrameSkinTest, AnActivatedFormGetsTheSkinsBordersAndKeepsItsClientArea) {
  ui::TForm& form = ShowForm();
  const HWND h = form.Handle();
  TWinSkinForm* frame = RunningFrame(h);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(M()->FormSkinners().size(), 1u);
  EXPECT_EQ(frame->FormObject(), &form);
  // The manager is the frame's only owner.
  EXPECT_EQ(frame->Owner(), nullptr);
  EXPECT_EQ(M()->FormSkinners().front().get(), frame);
  EXPECT_EQ(frame->SkinData(), data_);
  EXPECT_TRUE(frame->Skinned());
  EXPECT_EQ(frame->BorderKind(), bkSingle);
  EXPECT_EQ(frame->LeftWidth(), skin_.Left);
  EXPECT_EQ(frame->RightWidth(), skin_.Right);
  EXPECT_EQ(frame->TitleHeight(), skin_.Title);
  EXPECT_EQ(frame->BottomHeight(), skin_.Bottom);
  EXPECT_EQ(frame->MenuBarHeight(), 0);
  EXPECT_EQ(Width(ClientRect(h)), 300);
  EXPECT_EQ(Height(ClientRect(h)), 200);
  EXPECT_EQ(Width(WindowRect(h)), FramedWidth(300));
  EXPECT_EQ(Height(WindowRect(h)), FramedHeight(200));
  // The client area lies where the skin's borders say.
  POINT origin{0, 0};
  ClientToScreen(h, &origin);
  EXPECT_EQ(origin.x - WindowRect(h).left, skin_.Left);
  EXPECT_EQ(origin.y - WindowRect(h).top, skin_.Title);
  // The system frame it had, measured at start.
  // The system frame it had, measured at start; the caption style is away while it runs.
  EXPECT_TRUE(frame->BorderIcons() & kBiCaptionToggled);
  EXPECT_EQ(GetWindowLongW(h, GWL_STYLE) & WS_CAPTION, 0);
  const SIZE system = SystemWindowSize(h, 0, 0, WS_CAPTION);
  EXPECT_EQ(frame->SysFrameSize().cx, system.cx);
  EXPECT_EQ(frame->SysFrameSize().cy, system.cy);
  EXPECT_GT(frame->SysFrameSize().cy, 20);
  // The form's object knows its new size; its colour is the skin's.
  EXPECT_EQ(form.Width(), FramedWidth(300));
  EXPECT_EQ(form.ClientWidth(), 300);
  EXPECT_EQ(ui::ColorToRGB(form.Color()), skin_.Face);

  EXPECT_EQ(SendMessageW(h, SKM_QUERYSKINNED, 0, 0), 1);
  EXPECT_EQ(SendMessageW(h, SKM_PROBEFRAME, 0, kSkinMagic), kSkinMagic);
  EXPECT_EQ(SendMessageW(h, SKM_PROBEFRAME, 0, 0), 1);
  EXPECT_EQ(SendMessageW(h, SKM_PROBEFRAME, 0, 0x41A3), 1);
}

TEST_P(FormFrameSkinTest, HitTestingFollowsTheSkinsTitle) {
  ui::TForm& form = ShowForm();
  const HWND h = form.Handle();
  ASSERT_NE(RunningFrame(h), nullptr);
  const int w = Width(WindowRect(h));
  EXPECT_EQ(HitTest(h, w / 2, 1), HTCAPTION);                 // one pixel below the top edge
  EXPECT_EQ(HitTest(h, w / 2, skin_.Title / 2), HTCAPTION);   // the middle of the title bar
  EXPECT_EQ(HitTest(h, w / 2, skin_.Title - 1), HTCAPTION);   // its last row
  EXPECT_EQ(HitTest(h, skin_.Left, skin_.Title), HTCLIENT);   // the client area's first pixel
  EXPECT_EQ(HitTest(h, w / 2, 120), HTCLIENT);
  EXPECT_EQ(HitTest(h, w + 5, 120), HTNOWHERE);  // outside the window
}

TEST_P(FormFrameSkinTest, TheRegionLeavesTheMagentaCornersOutAndIsRebuiltOnlyOnSizeChanges) {
  ui::TForm& form = ShowForm();
  const HWND h = form.Handle();
  TWinSkinForm* frame = RunningFrame(h);
  ASSERT_NE(frame, nullptr);
  const int w = FramedWidth(300), ht = FramedHeight(200);
  ui::TRegionHandle region = WindowRegion(h);
  ASSERT_TRUE(region);
  // every client pixel
  EXPECT_TRUE(RegionContains(region.Get(), {skin_.Left, skin_.Title, w - skin_.Right, ht - skin_.Bottom}));
  EXPECT_FALSE(PtInRegion(region.Get(), 0, 0));                  // the rounded corners
  EXPECT_FALSE(PtInRegion(region.Get(), w - 1, 0));
  EXPECT_TRUE(PtInRegion(region.Get(), 0, ht - 1));              // square bottom corners
  EXPECT_TRUE(PtInRegion(region.Get(), w - 1, ht - 1));
  EXPECT_TRUE(PtInRegion(region.Get(), 150, 0));
  EXPECT_EQ(frame->RegionBuilds(), 1);

  // The frame keeps its own copy; the window holds another one, equal to it.
  const HRGN copy = frame->RegionCopy();
  ASSERT_NE(copy, nullptr);
  EXPECT_TRUE(EqualRgn(copy, region.Get()));

  // Moving, re-framing and showing again at the same size reuse the region.
  SetWindowPos(h, nullptr, 60, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(h, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  form.SetCaption(L"Another caption");
  PumpFor(50);
  EXPECT_EQ(frame->RegionBuilds(), 1);
  EXPECT_EQ(frame->RegionCopy(), copy);

  // A new size builds a new region; the old copy is deleted, nothing else is left behind.
  SetWindowPos(h, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(frame->RegionBuilds(), 2);
  EXPECT_EQ(GetObjectType(copy), 0u);
  EXPECT_EQ(Width(ClientRect(h)), 400 - skin_.Left - skin_.Right);
  EXPECT_EQ(Height(ClientRect(h)), 300 - skin_.Title - skin_.Bottom);
  region = WindowRegion(h);
  ASSERT_TRUE(region);
  EXPECT_TRUE(EqualRgn(frame->RegionCopy(), region.Get()));
  EXPECT_TRUE(RegionContains(region.Get(), {skin_.Left, skin_.Title, 400 - skin_.Right, 300 - skin_.Bottom}));
  EXPECT_FALSE(PtInRegion(region.Get(), 399, 0));

  // Every size change replaces the frame's copy (the previous one is deleted) and gives the
  // window a region of its own, which stays valid while the frame goes on.
  for (int i = 0; i < 40; ++i) {
    const HRGN previous = frame->RegionCopy();
    SetWindowPos(h, nullptr, 0, 0, 300 + i, 250, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_EQ(GetObjectType(previous), 0u) << "size " << 300 + i;
    ASSERT_EQ(GetObjectType(frame->RegionCopy()), static_cast<DWORD>(OBJ_REGION));
    region = WindowRegion(h);
    ASSERT_TRUE(region);
    ASSERT_TRUE(EqualRgn(frame->RegionCopy(), region.Get()));
  }
  SetWindowPos(h, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  PumpFor(50);
  EXPECT_EQ(frame->RegionBuilds(), 43);
}

// The program's skin with its side and title pictures made opaque, then each corner of the
// window cut in a shape of its own with the key colour: the pixels (x, y) given from the
// outer corner inwards, in both frames of the side pictures.
struct TCornerCut {
  bool right, bottom;
  std::vector<POINT> pixels;
};
const TCornerCut kCornerCuts[] = {
    {false, false, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}, {1, 1}, {0, 2}}},  // a staircase
    {true, false, {{0, 0}, {0, 1}}},                                          // a notch
    {false, true, {{0, 0}, {1, 0}, {2, 0}, {0, 1}}},                          // a smaller step
    {true, true, {{0, 0}, {1, 0}, {0, 1}, {1, 1}}},                           // a square
};

skintest::Bytes CutCornerPackage() {
  const std::string own = DefaultSkinPackage();
  TSkinReader reader;
  EXPECT_TRUE(reader.Load(std::span(reinterpret_cast<const std::uint8_t*>(own.data()), own.size())));
  std::vector<skinpack::TEntry> entries;
  for (const std::string& name : reader.Names()) {
    skintest::Bytes entry;
    reader.ExtractEntry(name, entry);
    TPixelImage image;
    const bool side = name == "left.bmp" || name == "right.bmp";
    if ((side || name == "top.bmp") && DecodeBitmapFile(entry, image)) {
      for (std::uint32_t& p : image.Pixels) p = p == 0xFF00FF ? 0x204060 : p;
      const int frameWidth = image.Width / 2;
      for (const TCornerCut& cut : kCornerCuts) {
        if (!side || cut.right != (name == "right.bmp")) continue;
        for (int frame = 0; frame < 2; ++frame) {
          for (const POINT& p : cut.pixels) {
            const int x = frame * frameWidth + (cut.right ? frameWidth - 1 - p.x : p.x);
            const int y = cut.bottom ? image.Height - 1 - p.y : p.y;
            image.Pixels[static_cast<std::size_t>(y * image.Width + x)] = 0xFF00FF;
          }
        }
      }
      entry = skintest::MakeBmp24(image.Width, image.Height, [&](int x, int y) { return image.At(x, y); });
    }
    entries.push_back({name, std::move(entry)});
  }
  return skinpack::BuildPackage(entries);
}

TEST_F(FormFrameTest, TheRegionCutsEveryCornerExactlyWhereTheBorderPicturesHoldTheKeyColour) {
  holder_.reset();
  skin::DestroySkinManager();
  holder_ = std::make_unique<ui::TForm>(nullptr);
  data_ = LoadSkinData(holder_.get(), CutCornerPackage());
  ASSERT_TRUE(data_->SkinLoaded());
  ui::TForm& form = ShowForm(ui::bsSizeable);
  const HWND h = form.Handle();
  TWinSkinForm* frame = RunningFrame(h);
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(frame->LeftWidth(), 4);
  ASSERT_EQ(frame->RightWidth(), 4);
  // The whole window less the cut pixels, for a window w x h.
  auto expected = [](int w, int h) {
    ui::TRegionHandle region(CreateRectRgn(0, 0, w, h));
    for (const TCornerCut& cut : kCornerCuts) {
      for (const POINT& p : cut.pixels) {
        const int x = cut.right ? w - 1 - p.x : p.x, y = cut.bottom ? h - 1 - p.y : p.y;
        ui::TRegionHandle pixel(CreateRectRgn(x, y, x + 1, y + 1));
        CombineRgn(region.Get(), region.Get(), pixel.Get(), RGN_DIFF);
      }
    }
    return region;
  };
  ui::TRegionHandle region = WindowRegion(h);
  ASSERT_TRUE(region);
  EXPECT_TRUE(EqualRgn(region.Get(), expected(308, 230).Get()));
  // Built again for another size, the cuts follow the corners.
  SetWindowPos(h, nullptr, 0, 0, 345, 261, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  region = WindowRegion(h);
  ASSERT_TRUE(region);
  EXPECT_TRUE(EqualRgn(region.Get(), expected(345, 261).Get()));
}

TEST_F(FormFrameTest, FourOpaqueBordersGiveThePlainWindowRectangle) {
  holder_.reset();  // the default skin goes; a skin of opaque borders takes its place
  skin::DestroySkinManager();
  holder_ = std::make_unique<ui::TForm>(nullptr);
  const std::string ini =
      "[Personality]\nLeft=l.bmp\nLeftFrame=2\nLeftTrans=0\nRight=r.bmp\nRightFrame=2\n"
      "RightTrans=0\nTop=t.bmp\nTopFrame=2\nTopTrans=0\nBottom=b.bmp\nBottomFrame=2\n"
      "BottomTrans=0\n";
  data_ = LoadSkinData(holder_.get(), skintest::TCraftedSkin(ini)
                                          .Bitmap("l.bmp", 12, 40)
                                          .Bitmap("r.bmp", 10, 40)
                                          .Bitmap("t.bmp", 40, 44)
                                          .Bitmap("b.bmp", 40, 6)
                                          .Package());
  ASSERT_TRUE(data_->SkinLoaded());
  ASSERT_TRUE(M()->Active());
  ui::TForm& form = ShowForm(ui::bsSizeable);
  const HWND h = form.Handle();
  TWinSkinForm* frame = RunningFrame(h);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->BorderKind(), bkSizeable);
  EXPECT_EQ(frame->LeftWidth(), 6);
  EXPECT_EQ(frame->RightWidth(), 5);
  EXPECT_EQ(frame->TitleHeight(), 22);
  EXPECT_EQ(frame->BottomHeight(), 3);
  EXPECT_EQ(Width(WindowRect(h)), 311);
  EXPECT_EQ(Height(WindowRect(h)), 225);
  ui::TRegionHandle region = WindowRegion(h);
  ASSERT_TRUE(region);
  ui::TRegionHandle whole(CreateRectRgn(0, 0, 311, 225));
  EXPECT_TRUE(EqualRgn(region.Get(), whole.Get()));
}

TEST_F(FormFrameTest, AFormTaggedNinetyNineIsNeverSkinned) {
  data_->SetDisableTag(7);  // the fixed value counts, whatever the component says
  ui::TForm& form = ShowForm(ui::bsSingle, 99);
  const HWND h = form.Handle();
  PumpFor(100);
  EXPECT_EQ(M()->FindSkinForm(h), nullptr);
  EXPECT_FALSE(M()->AttachWindow(h));
  SetForegroundWindow(h);
  PumpFor(50);
  EXPECT_EQ(M()->FindSkinForm(h), nullptr);
  EXPECT_EQ(SendMessageW(h, SKM_QUERYSKINNED, 0, 0), 0);
  EXPECT_EQ(Width(ClientRect(h)), 300);
  EXPECT_FALSE(WindowRegion(h));
}

TEST_P(FormFrameSkinTest, ActivatingAWindowAgainMakesNoSecondFrame) {
  ui::TForm& first = ShowForm();
  ui::TForm& second = ShowForm();
  ASSERT_NE(RunningFrame(first.Handle()), nullptr);
  ASSERT_NE(RunningFrame(second.Handle()), nullptr);
  for (int i = 0; i < 3; ++i) {
    SetActiveWindow(first.Handle());
    SetActiveWindow(second.Handle());
    PumpFor(20);
  }
  EXPECT_FALSE(M()->AttachWindow(first.Handle()));
  EXPECT_EQ(M()->FormSkinners().size(), 2u);
  EXPECT_EQ(Width(WindowRect(first.Handle())), FramedWidth(300));
  EXPECT_EQ(Height(WindowRect(first.Handle())), FramedHeight(200));
}

TEST_F(FormFrameTest, AWindowWithoutCaptionGetsNoBordersAndNoRegion) {
  ui::TForm& form = ShowForm(ui::bsNone);
  const HWND h = form.Handle();
  const RECT before = WindowRect(h);
  TWinSkinForm* frame = RunningFrame(h);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->BorderKind(), bkNoCaption);
  EXPECT_EQ(frame->LeftWidth() + frame->RightWidth() + frame->TitleHeight() + frame->BottomHeight(), 0);
  EXPECT_EQ(frame->RegionCopy(), nullptr);
  EXPECT_FALSE(WindowRegion(h));
  EXPECT_EQ(Width(ClientRect(h)), 300);
  EXPECT_EQ(Height(ClientRect(h)), 200);
  const RECT after = WindowRect(h);
  EXPECT_TRUE(EqualRect(&before, &after));
  SetWindowPos(h, nullptr, 0, 0, 320, 210, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(Width(ClientRect(h)), 320);
  EXPECT_FALSE(WindowRegion(h));
}

TEST_P(FormFrameSkinTest, SwitchingTheSkinOffRestoresTheWindowAndOnAgainReskinsIt) {
  ui::TForm& form = ShowForm();
  const HWND h = form.Handle();
  ASSERT_NE(RunningFrame(h), nullptr);
  M()->SetManagerState(kManagerRunning);

  data_->SetActive(false);
  ASSERT_TRUE(PumpUntil([&] { return M()->FormSkinners().empty(); }));
  EXPECT_FALSE(M()->Active());
  EXPECT_EQ(GetWindowLongW(h, GWL_STYLE) & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
  EXPECT_EQ(Width(ClientRect(h)), 300);
  EXPECT_EQ(Height(ClientRect(h)), 200);
  const SIZE now = SystemWindowSize(h, 300, 200);
  EXPECT_EQ(Width(WindowRect(h)), now.cx);
  EXPECT_EQ(Height(WindowRect(h)), now.cy);
  EXPECT_FALSE(WindowRegion(h));
  EXPECT_EQ(SendMessageW(h, SKM_QUERYSKINNED, 0, 0), 0);
  EXPECT_EQ(SendMessageW(h, SKM_PROBEFRAME, 0, kSkinMagic), 0);
  EXPECT_EQ(form.Color(), ui::clBtnFace);

  data_->SetActive(true);
  TWinSkinForm* again = RunningFrame(h);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(Width(ClientRect(h)), 300);
  EXPECT_EQ(Height(ClientRect(h)), 200);
  EXPECT_EQ(Width(WindowRect(h)), FramedWidth(300));
  EXPECT_EQ(Height(WindowRect(h)), FramedHeight(200));
  EXPECT_TRUE(WindowRegion(h));
  EXPECT_EQ(SendMessageW(h, SKM_PROBEFRAME, 0, kSkinMagic), kSkinMagic);
}

TEST_F(FormFrameTest, AWindowDestroyedBeforeItsFrameStartedLeavesNoFrameBehind) {
  const HWND bare = BareWindow();
  ASSERT_NE(bare, nullptr);
  ASSERT_TRUE(M()->AttachWindow(bare));
  TWinSkinForm* frame = M()->FindSkinForm(bare);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->FrameState(), fsAttached);
  DestroyWindow(bare);
  EXPECT_EQ(frame->FrameState(), fsDestroyed);
  PumpFor(100);  // the start message has nowhere to go
  M()->PurgeClosedSkinners();
  EXPECT_TRUE(M()->FormSkinners().empty());

  // A form that goes before the start: its frame goes with it.
  auto form = std::make_unique<ui::TForm>(nullptr);
  form->SetBounds(40, 40, 200, 150);
  form->Show();
  const HWND h = form->Handle();
  ASSERT_NE(M()->FindSkinForm(h), nullptr);
  form.reset();
  EXPECT_EQ(M()->FindSkinForm(h), nullptr);
  PumpFor(100);
  EXPECT_TRUE(M()->FormSkinners().empty());

  // A frame freed before its start message arrives: the window simply stays as it is.
  const HWND other = BareWindow();
  const RECT before = WindowRect(other);
  ASSERT_TRUE(M()->AttachWindow(other));
  skin::DestroySkinManager();
  PumpFor(100);
  EXPECT_EQ(TWinSkinForm::FromWindow(other), nullptr);
  EXPECT_EQ(SendMessageW(other, SKM_QUERYSKINNED, 0, 0), 0);
  const RECT after = WindowRect(other);
  EXPECT_TRUE(EqualRect(&before, &after));
  DestroyWindow(other);
}

TEST_F(FormFrameTest, AFrameIsFreedOnTheNextPurgeAfterItsWindowWasDestroyed) {
  ui::TForm& form = ShowForm();
  const HWND h = form.Handle();
  TWinSkinForm* frame = RunningFrame(h);
  ASSERT_NE(frame, nullptr);
  form.DestroyHandle();
  ASSERT_EQ(M()->FindSkinForm(h), frame);
  EXPECT_EQ(frame->FrameState(), fsDestroyed);
  M()->PurgeClosedSkinners();
  EXPECT_TRUE(M()->FormSkinners().empty());
  // The form's own handling is back in place: a new window of the form works unskinned.
  form.HandleNeeded();
  EXPECT_EQ(SendMessageW(form.Handle(), SKM_PROBEFRAME, 0, kSkinMagic), 0);
}

TEST_F(FormFrameTest, AFrameGoesWithItsFormObjectWhicheverGoesFirst) {
  // The window destroyed first and the form freed before any purge: the frame goes at once.
  auto form = std::make_unique<ui::TForm>(nullptr);
  form->SetBounds(40, 40, 200, 150);
  form->Show();
  ASSERT_NE(RunningFrame(form->Handle()), nullptr);
  form->DestroyHandle();
  ASSERT_EQ(M()->FormSkinners().size(), 1u);
  EXPECT_EQ(M()->FormSkinners().front()->FrameState(), fsDestroyed);
  form.reset();
  EXPECT_TRUE(M()->FormSkinners().empty());

  // The manager closes first: its frames leave nothing behind with their forms, which let go
  // of the window as it is and go later on their own.
  ui::TForm& other = ShowForm();
  const HWND h = other.Handle();
  ASSERT_NE(RunningFrame(h), nullptr);
  skin::DestroySkinManager();
  EXPECT_EQ(other.ComponentCount(), 0);
  EXPECT_EQ(SendMessageW(h, SKM_QUERYSKINNED, 0, 0), 0);
  EXPECT_EQ(Width(ClientRect(h)), 300);
  EXPECT_EQ(Height(ClientRect(h)), 200);
}

TEST_F(FormFrameTest, AComponentThatGoesTakesItsFramesAlong) {
  ui::TForm& form = ShowForm();
  const HWND h = form.Handle();
  ASSERT_NE(RunningFrame(h), nullptr);
  holder_.reset();  // frees the skin data component
  EXPECT_TRUE(M()->FormSkinners().empty());
  EXPECT_EQ(Width(ClientRect(h)), 300);
  EXPECT_EQ(Height(ClientRect(h)), 200);
  EXPECT_FALSE(WindowRegion(h));
  EXPECT_EQ(SendMessageW(h, SKM_QUERYSKINNED, 0, 0), 0);
}

bool g_boxSkinned = false, g_boxPressed = false;
int g_boxTitle = 0;  // the title height the box's frame must have

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM out) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wstring(name) != L"#32770" || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(out) = window;
  return FALSE;
}

// Looks at the open message box once its frame runs, then answers it with "No".
void CALLBACK InspectMessageBox(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindVisibleDialog, reinterpret_cast<LPARAM>(&box));
  if (!box || g_boxPressed) return;
  TWinSkinForm* frame = M()->FindSkinForm(box);
  if (!frame || frame->FrameState() != fsRunning) return;
  g_boxSkinned = frame->IsDialog() && frame->BorderKind() == bkDialog &&
                 SendMessageW(box, SKM_QUERYSKINNED, 0, 0) == 1 && frame->TitleHeight() == g_boxTitle;
  g_boxPressed = true;
  PostMessageW(box, WM_COMMAND, IDNO, 0);
}

TEST_P(FormFrameSkinTest, AMessageBoxIsSkinnedAndStillAnswers) {
  ui::TForm& form = ShowForm();
  ASSERT_NE(RunningFrame(form.Handle()), nullptr);
  g_boxSkinned = g_boxPressed = false;
  g_boxTitle = skin_.Title;
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, InspectMessageBox);
  const int answer = MessageBoxW(form.Handle(), L"Skinned?", L"Frame test", MB_YESNO);
  KillTimer(nullptr, timer);
  EXPECT_TRUE(g_boxSkinned);
  EXPECT_EQ(answer, IDNO);
  PumpFor(50);
  M()->PurgeClosedSkinners();
  EXPECT_EQ(M()->FormSkinners().size(), 1u);
}

}  // namespace

namespace {

TEST_P(FormFrameSkinTest, ThePlainFrameIsPaintedFromTheSkinsBorderPictures) {
  ui::TForm& form = ShowForm();
  const HWND h = form.Handle();
  TWinSkinForm* frame = RunningFrame(h);
  ASSERT_NE(frame, nullptr);
  const int w = FramedWidth(300), ht = FramedHeight(200);
  ui::TBitmap target(w, ht);
  HDC dc = target.Canvas()->Handle();
  EXPECT_EQ(SendMessageW(h, SKM_PAINTFRAME, reinterpret_cast<WPARAM>(dc), kSkinMagic), kSkinMagic);
  const auto left = frame->ComposeBorder(bpLeft, skin_.Left, ht);
  const auto right = frame->ComposeBorder(bpRight, skin_.Right, ht);
  const auto top = frame->ComposeBorder(bpTop, 300, skin_.Title);
  const auto bottom = frame->ComposeBorder(bpBottom, 300, skin_.Bottom);
  ASSERT_TRUE(left && right && top && bottom);
  // Every pixel of the side and bottom borders, and of the title between the corners and
  // left of the first caption button, is the composed border picture's.
  int wrong = 0;
  for (int y = skin_.Title; y < ht; ++y) {
    for (int x = 0; x < skin_.Left; ++x) wrong += testsupport::PixelRGB(dc, x, y) != PixelAt(*left, x, y);
    for (int x = 0; x < skin_.Right; ++x) {
      wrong += testsupport::PixelRGB(dc, w - skin_.Right + x, y) != PixelAt(*right, x, y);
    }
  }
  for (int y = 0; y < skin_.Bottom; ++y) {
    for (int x = 0; x < 300; ++x) {
      wrong += testsupport::PixelRGB(dc, skin_.Left + x, ht - skin_.Bottom + y) != PixelAt(*bottom, x, y);
    }
  }
  EXPECT_EQ(wrong, 0);
  // Near the title's left end, below the caption buttons and clear of the caption text.
  EXPECT_EQ(testsupport::PixelRGB(dc, skin_.Left + 2, skin_.Title - 2), PixelAt(*top, 2, skin_.Title - 2));
  // Without the engine's mark nothing is painted.
  ui::TBitmap untouched(w, ht);
  HDC other = untouched.Canvas()->Handle();
  EXPECT_EQ(SendMessageW(h, SKM_PAINTFRAME, reinterpret_cast<WPARAM>(other), 0), 0);
  EXPECT_EQ(testsupport::PixelRGB(other, 1, 100), 0u);
}

}  // namespace

namespace {

TEST_P(FormFrameSkinTest, ReapplyingTheSkinRebuildsTheRegionAndTellsTheWindow) {
  ui::TForm& form = ShowForm();
  const HWND h = form.Handle();
  TWinSkinForm* frame = RunningFrame(h);
  ASSERT_NE(frame, nullptr);
  int updates = 0;
  const ui::TWndMethod own = form.WindowProc;
  form.WindowProc = [&](ui::TMessage& m) {
    if (m.Msg == SKM_SKINUPDATE && m.LParam == kSkinMagic) ++updates;
    own(m);
  };
  const int builds = frame->RegionBuilds();
  SendMessageW(h, SKM_REAPPLYSKIN, 0, 0);
  EXPECT_EQ(frame->FrameState(), fsRunning);
  EXPECT_GT(frame->RegionBuilds(), builds);  // not reused while re-applying
  EXPECT_EQ(updates, 1);
  EXPECT_EQ(Width(ClientRect(h)), 300);
  EXPECT_EQ(Height(ClientRect(h)), 200);
  EXPECT_EQ(Width(WindowRect(h)), FramedWidth(300));
  EXPECT_EQ(Height(WindowRect(h)), FramedHeight(200));
  form.WindowProc = own;
}

TEST_F(FormFrameTest, ANewSkinFileGivesTheFramesItsBordersAroundTheSameClientArea) {
  ui::TForm& form = ShowForm();
  const HWND h = form.Handle();
  ASSERT_NE(RunningFrame(h), nullptr);
  M()->SetManagerState(kManagerRunning);
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"vexlo-frame-newskin.skn";
  const std::string ini =
      "[Personality]\nLeft=l.bmp\nLeftFrame=2\nLeftTrans=0\nRight=r.bmp\nRightFrame=2\n"
      "RightTrans=0\nTop=t.bmp\nTopFrame=2\nTopTrans=0\nBottom=b.bmp\nBottomFrame=2\n"
      "BottomTrans=0\n";
  const skintest::Bytes package = skintest::TCraftedSkin(ini)
                                      .Bitmap("l.bmp", 12, 40)
                                      .Bitmap("r.bmp", 10, 40)
                                      .Bitmap("t.bmp", 40, 44)
                                      .Bitmap("b.bmp", 40, 6)
                                      .Package();
  ui::SaveBytesSafely(path, std::string(package.begin(), package.end()));
  int changed = 0;
  data_->OnSkinChanged = [&](ui::TObject*) { ++changed; };
  data_->SetSkinFile(path);
  DeleteFileW(path.c_str());
  TWinSkinForm* frame = M()->FindSkinForm(h);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->LeftWidth(), 6);  // the sizes follow at once
  EXPECT_EQ(frame->TitleHeight(), 22);
  ASSERT_TRUE(PumpUntil([&] { return changed == 1; }));
  EXPECT_EQ(Width(ClientRect(h)), 300);
  EXPECT_EQ(Height(ClientRect(h)), 200);
  EXPECT_EQ(Width(WindowRect(h)), 311);
  EXPECT_EQ(Height(WindowRect(h)), 225);
  ui::TRegionHandle region = WindowRegion(h);
  ASSERT_TRUE(region);
  ui::TRegionHandle whole(CreateRectRgn(0, 0, 311, 225));
  EXPECT_TRUE(EqualRgn(region.Get(), whole.Get()));
}

}  // namespace

namespace {

struct PopupSeen {
  bool skinned = false;
  bool answered = false;
  bool bound = false;
  int kind = -1;
  bool done = false;
} g_popup;
HMENU g_popupMenu = nullptr;

BOOL CALLBACK FindMenuWindow(HWND window, LPARAM out) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wstring(name) != L"#32768" || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(out) = window;
  return FALSE;
}

// Looks at the open menu window, then closes the menu.
void CALLBACK InspectPopup(HWND, UINT, UINT_PTR, DWORD) {
  HWND menu = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindMenuWindow, reinterpret_cast<LPARAM>(&menu));
  if (!menu || g_popup.done) return;
  g_popup.skinned = M()->IsPopupSkinned(menu);
  g_popup.answered = SendMessageW(menu, SKM_QUERYSKINNED, 0, 0) == 1;
  M()->BindPopupMenu(g_popupMenu);
  // The menu was painted from the skin: the picture covers the whole menu window.
  RECT r{};
  GetWindowRect(menu, &r);
  const ui::TBitmap* picture = M()->PopupBitmapFor(g_popupMenu);
  g_popup.bound = M()->PopupSkinners().size() == 1 && M()->PopupSkinnerFor(g_popupMenu) &&
                  picture && picture->Width() == r.right - r.left &&
                  picture->Height() == r.bottom - r.top;
  g_popup.kind = M()->PopupKind();
  g_popup.done = true;
  EndMenu();
}

TEST_F(FormFrameTest, AMenuWindowGetsAPopupSkinnerForAsLongAsItIsOpen) {
  ui::TForm& form = ShowForm();
  ASSERT_NE(RunningFrame(form.Handle()), nullptr);
  g_popup = {};
  g_popupMenu = CreatePopupMenu();
  AppendMenuW(g_popupMenu, MF_STRING, 1, L"First");
  AppendMenuW(g_popupMenu, MF_STRING, 2, L"Second");
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, InspectPopup);
  TrackPopupMenu(g_popupMenu, TPM_RETURNCMD, 100, 100, 0, form.Handle(), nullptr);
  KillTimer(nullptr, timer);
  EXPECT_TRUE(g_popup.done);
  EXPECT_TRUE(g_popup.skinned);
  EXPECT_TRUE(g_popup.answered);
  EXPECT_TRUE(g_popup.bound);
  EXPECT_EQ(g_popup.kind, 1);  // the window's WM_INITMENUPOPUP: not its system menu
  PumpFor(50);
  EXPECT_TRUE(M()->PopupSkinners().empty());
  EXPECT_EQ(M()->PopupKind(), 0);
  DestroyMenu(g_popupMenu);

  // Without popup menus among the kinds of control, menu windows stay as they are.
  data_->SetSkinControls(data_->SkinControls() & ~SetOf({xcPopupMenu, xcMainMenu, xcMenuItem}));
  g_popup = {};
  g_popupMenu = CreatePopupMenu();
  AppendMenuW(g_popupMenu, MF_STRING, 1, L"Only");
  const UINT_PTR again = SetTimer(nullptr, 0, 100, InspectPopup);
  TrackPopupMenu(g_popupMenu, TPM_RETURNCMD, 100, 100, 0, form.Handle(), nullptr);
  KillTimer(nullptr, again);
  EXPECT_TRUE(g_popup.done);
  EXPECT_FALSE(g_popup.skinned);
  EXPECT_FALSE(g_popup.answered);
  DestroyMenu(g_popupMenu);
}

}  // namespace

namespace {

TEST_F(FormFrameTest, SwitchingOffBeforeTheStartLeavesTheWindowAsItWas) {
  const HWND bare = BareWindow();
  ASSERT_NE(bare, nullptr);
  ShowWindow(bare, SW_SHOWNA);
  const RECT before = WindowRect(bare);
  const RECT clientBefore = ClientRect(bare);
  const LONG style = GetWindowLongW(bare, GWL_STYLE);
  ASSERT_TRUE(M()->AttachWindow(bare));
  M()->SetManagerState(kManagerRunning);
  M()->SetPendingSkinData(data_);
  M()->ScheduleAction(saDeactivate, 250);
  M()->RunPendingAction();  // before the start message is handled
  EXPECT_TRUE(M()->FormSkinners().empty());
  PumpFor(100);
  const RECT after = WindowRect(bare), clientAfter = ClientRect(bare);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_TRUE(EqualRect(&clientBefore, &clientAfter));
  EXPECT_EQ(GetWindowLongW(bare, GWL_STYLE), style);
  EXPECT_FALSE(WindowRegion(bare));
  DestroyWindow(bare);
}

}  // namespace

namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

// A modeless dialog of the caption, 60 x 30 dialog units, with one button at its left edge.
HWND SmallDialog(const std::wstring& caption) {
  std::vector<WORD> t(512, 0);
  auto* dlg = reinterpret_cast<DLGTEMPLATE*>(t.data());
  dlg->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
  dlg->cdit = 1;
  dlg->cx = 60;
  dlg->cy = 30;
  WORD* p = reinterpret_cast<WORD*>(dlg + 1);
  *p++ = 0;  // no menu
  *p++ = 0;  // the standard dialog class
  for (wchar_t c : caption) *p++ = c;
  *p++ = 0;
  p = reinterpret_cast<WORD*>((reinterpret_cast<ULONG_PTR>(p) + 3) & ~ULONG_PTR(3));
  auto* item = reinterpret_cast<DLGITEMTEMPLATE*>(p);
  item->style = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
  item->x = 0;
  item->y = 0;
  item->cx = 20;
  item->cy = 10;
  item->id = IDOK;
  p = reinterpret_cast<WORD*>(item + 1);
  *p++ = 0xFFFF;
  *p++ = 0x0080;  // button
  *p++ = L'O';
  *p++ = 0;
  *p++ = 0;  // no creation data
  return CreateDialogIndirectW(GetModuleHandleW(nullptr), dlg, nullptr, PlainDialogProc);
}

TEST_P(FormFrameSkinTest, ADialogIsMadeWideEnoughForItsCaption) {
  const std::wstring caption = L"A dialog whose caption is far wider than the dialog itself";
  const HWND dialog = SmallDialog(caption);
  ASSERT_NE(dialog, nullptr);
  const RECT clientBefore = ClientRect(dialog);
  HWND button = GetDlgItem(dialog, IDOK);
  RECT buttonBefore{};
  GetWindowRect(button, &buttonBefore);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&buttonBefore), 2);
  SetForegroundWindow(dialog);
  TWinSkinForm* frame = RunningFrame(dialog);
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(frame->IsDialog());
  EXPECT_EQ(frame->BorderKind(), bkDialog);

  HDC dc = GetDC(dialog);
  const HGDIOBJ old = SelectObject(dc, data_->CaptionFont());
  SIZE text{};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
  SelectObject(dc, old);
  ReleaseDC(dialog, dc);
  const TDataSkinTitle* title = data_->Definitions().Title();
  ASSERT_NE(title, nullptr);
  const int needed = title->LeftWidth + text.cx + title->RightWidth;
  const int fitted = FramedWidth(clientBefore.right);
  ASSERT_GT(needed, fitted);
  EXPECT_EQ(Width(WindowRect(dialog)), needed);
  EXPECT_EQ(Height(ClientRect(dialog)), clientBefore.bottom);
  RECT buttonAfter{};
  GetWindowRect(button, &buttonAfter);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&buttonAfter), 2);
  EXPECT_EQ(buttonAfter.left - buttonBefore.left, (needed - fitted) / 2);
  DestroyWindow(dialog);
}

}  // namespace

namespace {

TEST_P(FormFrameSkinTest, MinimizingMaximizingAndRestoringKeepTheSkinnedFrame) {
  ui::TForm& form = ShowForm(ui::bsSizeable);
  const HWND h = form.Handle();
  TWinSkinForm* frame = RunningFrame(h);
  ASSERT_NE(frame, nullptr);
  const RECT normal = WindowRect(h);

  ShowWindow(h, SW_MINIMIZE);
  PumpFor(50);
  EXPECT_EQ(frame->WindowState(), wsMinimized);
  EXPECT_NE(GetWindowLongW(h, GWL_STYLE) & WS_CAPTION, 0);  // the system shows the icon's caption
  ShowWindow(h, SW_RESTORE);
  PumpFor(50);
  EXPECT_EQ(frame->WindowState(), wsNormal);
  EXPECT_EQ(GetWindowLongW(h, GWL_STYLE) & WS_CAPTION, 0);
  RECT now = WindowRect(h);
  EXPECT_TRUE(EqualRect(&now, &normal));
  EXPECT_EQ(Width(ClientRect(h)), 300);
  EXPECT_EQ(Height(ClientRect(h)), 200);
  EXPECT_TRUE(WindowRegion(h));

  ShowWindow(h, SW_MAXIMIZE);
  PumpFor(50);
  EXPECT_EQ(frame->WindowState(), wsMaximized);
  now = WindowRect(h);
  EXPECT_EQ(Width(ClientRect(h)), Width(now) - skin_.Left - skin_.Right);
  EXPECT_EQ(Height(ClientRect(h)), Height(now) - skin_.Title - skin_.Bottom);
  ui::TRegionHandle region = WindowRegion(h);
  ASSERT_TRUE(region);
  EXPECT_TRUE(RegionContains(region.Get(), {skin_.Left, skin_.Title, Width(now) - skin_.Right,
                                            Height(now) - skin_.Bottom}));
  ShowWindow(h, SW_RESTORE);
  PumpFor(50);
  now = WindowRect(h);
  EXPECT_TRUE(EqualRect(&now, &normal));
  EXPECT_EQ(Width(ClientRect(h)), 300);
  EXPECT_EQ(Height(ClientRect(h)), 200);
}

}  // namespace

namespace {

// A minimized window shows only its title bar: the title strip over the whole width, drawn
// over the skin's background colour, and nothing of the side or bottom borders.
TEST_P(FormFrameSkinTest, AMinimizedWindowPaintsOnlyItsTitle) {
  ui::TForm& form = ShowForm(ui::bsSizeable);
  const HWND h = form.Handle();
  TWinSkinForm* frame = RunningFrame(h);
  ASSERT_NE(frame, nullptr);
  ShowWindow(h, SW_MINIMIZE);
  PumpFor(50);
  ASSERT_EQ(frame->WindowState(), wsMinimized);
  form.SetCaption(L"");
  const RECT r = WindowRect(h);
  const int w = Width(r), th = frame->TitleHeight();
  ASSERT_GT(w, 0);
  ui::TBitmap target(w, th + 20);
  HDC dc = target.Canvas()->Handle();
  const RECT all{0, 0, w, th + 20};
  ui::TBrushHandle marker(CreateSolidBrush(RGB(1, 2, 3)));
  FillRect(dc, &all, marker.Get());
  EXPECT_EQ(SendMessageW(h, SKM_PAINTFRAME, reinterpret_cast<WPARAM>(dc), kSkinMagic), kSkinMagic);
  const auto top = frame->ComposeBorder(bpTop, w, th);
  ASSERT_TRUE(top);
  int compared = 0, wrong = 0;
  for (int y = 0; y < th; ++y) {
    for (int x = 0; x < w; ++x) {
      const POINT p{x, y};
      bool underButton = false;
      for (const auto& b : frame->Buttons()) underButton |= b->Enabled && PtInRect(&b->Bounds, p);
      if (underButton) continue;
      ++compared;
      wrong += testsupport::PixelRGB(dc, x, y) != PixelAt(*top, x, y);
    }
  }
  EXPECT_GT(compared, w);
  EXPECT_EQ(wrong, 0);
  // Below the title nothing is painted.
  EXPECT_EQ(testsupport::PixelRGB(dc, 1, th + 5), 0x010203u);
  EXPECT_EQ(testsupport::PixelRGB(dc, w / 2, th + 10), 0x010203u);
  ShowWindow(h, SW_RESTORE);
  PumpFor(50);
}

}  // namespace
