// The main window's skinned frame with the program's own skin: its size around the unchanged
// client area, the engine's probes, hit-testing and the shape of its window region, checked
// against the skin's own border pictures, and its caption buttons drawn from the skin's own
// button pictures.
#include "FormFixture.h"

#include "skin/model/SkinBitmap.h"
#include "skin/data/SkinMessages.h"
#include "skin/frame/WinSkinForm.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using namespace skin;
using testsupport::PumpUntil;

namespace {

constexpr std::uint32_t kMagenta = 0xFF00FF;

TWinSkinForm* RunningFrame(HWND window) {
  TWinSkinForm* frame = nullptr;
  PumpUntil(
      [&] {
        frame = TSkinManage::Instance() ? TSkinManage::Instance()->FindSkinForm(window) : nullptr;
        return frame && frame->FrameState() == fsRunning;
      });
  return frame;
}

ui::TRegionHandle WindowRegion(HWND window) {
  ui::TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(window, region.Get()) == ERROR) return {};
  return region;
}

// Compares the unscaled end of a border picture (frame 1) with the region: each pixel lies
// outside it exactly when it is magenta. Answers how many magenta pixels there were.
int CheckPictureCorner(HRGN region, const TDataSkinObject& border, int pictureX, int pictureY,
                       int width, int height, int windowX, int windowY) {
  int magenta = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool key = PixelAt(*border.Bitmap, pictureX + x, pictureY + y) == kMagenta;
      magenta += key ? 1 : 0;
      EXPECT_EQ(PtInRegion(region, windowX + x, windowY + y) != FALSE, !key)
          << border.Name << " pixel " << pictureX + x << "," << pictureY + y;
    }
  }
  return magenta;
}

// The cases below run once with each skin of ours.
using MainWindowFrameTest = testsupport::OwnSkinsOf<MainWindowTest>;
INSTANTIATE_FOR_OWN_SKINS(MainWindowFrameTest);

TEST_P(MainWindowFrameTest, TheFrameTakesTheSkinsBordersAroundTheUnchangedClientArea) {
  const HWND h = form->Handle();
  TWinSkinForm* frame = RunningFrame(h);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->SkinData(), form->SkinData1);
  RECT client{}, window{};
  GetClientRect(h, &client);
  GetWindowRect(h, &window);
  const int clientWidth = testsupport::AtScreenDpi(918), clientHeight = testsupport::AtScreenDpi(644);
  EXPECT_EQ(client.right, clientWidth);
  EXPECT_EQ(client.bottom, clientHeight);
  EXPECT_EQ(window.right - window.left, FramedSize().cx);
  EXPECT_EQ(window.bottom - window.top, FramedSize().cy);
  POINT origin{0, 0};
  ClientToScreen(h, &origin);
  EXPECT_EQ(origin.x - window.left, Skin().Left);
  EXPECT_EQ(origin.y - window.top, Skin().Title);
  EXPECT_EQ(form->ClientWidth(), clientWidth);
  EXPECT_EQ(form->ClientHeight(), clientHeight);

  EXPECT_EQ(SendMessageW(h, SKM_PROBEFRAME, 0, 0x41A2), 0x41A2);
  EXPECT_EQ(SendMessageW(h, SKM_PROBEFRAME, 0, 0), 1);
  EXPECT_EQ(SendMessageW(h, SKM_PROBEFRAME, 0, 0x41A3), 1);
  EXPECT_EQ(SendMessageW(h, SKM_QUERYSKINNED, 0, 0), 1);

  const auto hit = [&](int x, int y) {
    return SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(window.left + x, window.top + y));
  };
  const int middle = FramedSize().cx / 2;
  EXPECT_EQ(hit(middle, 1), HTCAPTION);
  EXPECT_EQ(hit(middle, Skin().Title / 2), HTCAPTION);
  EXPECT_EQ(hit(middle, FramedSize().cy / 2), HTCLIENT);
  EXPECT_EQ(hit(Skin().Left, Skin().Title), HTCLIENT);
  EXPECT_EQ(hit(middle, Skin().Title - 1), HTCAPTION);
}

TEST_P(MainWindowFrameTest, TheWindowRegionFollowsTheMagentaOfTheTitleCorners) {
  const HWND h = form->Handle();
  TWinSkinForm* frame = RunningFrame(h);
  ASSERT_NE(frame, nullptr);
  ui::TRegionHandle region = WindowRegion(h);
  ASSERT_TRUE(region);
  const int w = FramedSize().cx, hgt = FramedSize().cy;
  const testsupport::TOwnSkinFrame f = Skin();

  // Every client pixel lies inside.
  ui::TRegionHandle rest(CreateRectRgn(f.Left, f.Title, w - f.Right, hgt - f.Bottom));
  EXPECT_EQ(CombineRgn(rest.Get(), rest.Get(), region.Get(), RGN_DIFF), NULLREGION);
  // The region is not the window rectangle.
  ui::TRegionHandle whole(CreateRectRgn(0, 0, w, hgt));
  EXPECT_FALSE(EqualRgn(whole.Get(), region.Get()));

  const TSkinData& data = *form->SkinData1;
  const TDataSkinObject* left = data.SkinObject("Left");
  const TDataSkinObject* right = data.SkinObject("Right");
  const TDataSkinObject* top = data.SkinObject("Top");
  ASSERT_TRUE(left && right && top);
  ASSERT_EQ(top->Trans, 1);
  // The side borders' unscaled top parts (the title's height) and the title's unscaled ends.
  int magenta = CheckPictureCorner(region.Get(), *left, 0, 0, f.Left, left->TopHeight, 0, 0);
  magenta += CheckPictureCorner(region.Get(), *right, 0, 0, f.Right, right->TopHeight, w - f.Right, 0);
  magenta += CheckPictureCorner(region.Get(), *top, 0, 0, top->LeftWidth, f.Title, f.Left, 0);
  const int topWidth = top->Bitmap->Width();
  magenta += CheckPictureCorner(region.Get(), *top, topWidth - top->RightWidth, 0, top->RightWidth,
                                f.Title, w - f.Right - top->RightWidth, 0);
  EXPECT_GT(magenta, 0);
  EXPECT_FALSE(PtInRegion(region.Get(), 0, 0));
  EXPECT_FALSE(PtInRegion(region.Get(), w - 1, 0));
  EXPECT_TRUE(PtInRegion(region.Get(), 0, hgt - 1));
  EXPECT_EQ(frame->RegionBuilds(), 1);
}

// The painted rectangle of a button equals frame `index` of the skin's picture wherever the
// picture is not magenta. Answers the pixels compared.
int CompareButton(HDC dc, const TWinSysButton& button, int index) {
  const TDataSkinSysButton& def = button.Definition();
  const int fw = def.Bitmap->Width() / def.Frame;
  int compared = 0, wrong = 0;
  for (int y = 0; y < def.Bitmap->Height(); ++y) {
    for (int x = 0; x < fw; ++x) {
      const std::uint32_t skin = PixelAt(*def.Bitmap, (index - 1) * fw + x, y);
      if (skin == kMagenta) continue;
      ++compared;
      wrong += testsupport::PixelRGB(dc, button.Bounds.left + x, button.Bounds.top + y) != skin;
    }
  }
  EXPECT_EQ(wrong, 0) << def.Name << " frame " << index;
  return compared;
}

TEST_P(MainWindowFrameTest, TheTitleShowsTheSkinsCloseMinimizeAndIconButtons) {
  const HWND h = form->Handle();
  TWinSkinForm* frame = RunningFrame(h);
  ASSERT_NE(frame, nullptr);
  // Each skin's buttons for a system menu and a minimize box, no maximize box, and where the
  // close and minimize buttons start: counted from the right in the built-in skin, from the
  // left in Daylight.
  const int w = FramedSize().cx;
  const bool daylight = GetParam() == testsupport::kDaylightSkin;
  const std::string minimizeName = daylight ? "BUTTON.MINIMIZE" : "BUTTON.MINIMIZEALONE";
  std::vector<std::string> shown;
  TWinSysButton* close = nullptr;
  TWinSysButton* minimize = nullptr;
  for (const auto& b : frame->Buttons()) {
    if (!b->Enabled) continue;
    shown.push_back(b->Definition().Name);
    if (b->Definition().Name == "BUTTON.CLOSE") close = b.get();
    if (b->Definition().Name == minimizeName) minimize = b.get();
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"BUTTON.CLOSE", minimizeName, "BUTTON.ICON"}));
  ASSERT_TRUE(close && minimize);
  const auto at = testsupport::AtScreenDpi;
  EXPECT_EQ(close->Bounds.left, daylight ? at(8) : w - at(28));
  EXPECT_EQ(minimize->Bounds.left, daylight ? at(32) : w - at(52));

  RECT window{};
  GetWindowRect(h, &window);
  const auto centre = [&](const RECT& r) {
    return MAKELPARAM(window.left + (r.left + r.right) / 2, window.top + (r.top + r.bottom) / 2);
  };
  EXPECT_EQ(SendMessageW(h, WM_NCHITTEST, 0, centre(close->Bounds)), HTCLOSE);
  EXPECT_EQ(SendMessageW(h, WM_NCHITTEST, 0, centre(minimize->Bounds)), HTMINBUTTON);

  SetForegroundWindow(h);
  PumpUntil([&] { return frame->Active(); });
  const auto paint = [&] {
    auto target = std::make_unique<ui::TBitmap>(w, FramedSize().cy);
    SendMessageW(h, SKM_PAINTFRAME, reinterpret_cast<WPARAM>(target->Canvas()->Handle()), 0x41A2);
    return target;
  };
  auto painted = paint();
  EXPECT_GT(CompareButton(painted->Canvas()->Handle(), *close, 1), 200);
  EXPECT_GT(CompareButton(painted->Canvas()->Handle(), *minimize, 1), 200);
  SendMessageW(h, WM_NCMOUSEMOVE, HTMINBUTTON, centre(minimize->Bounds));
  painted = paint();
  EXPECT_GT(CompareButton(painted->Canvas()->Handle(), *minimize, 3), 200);
  SendMessageW(h, WM_NCLBUTTONDOWN, HTMINBUTTON, centre(minimize->Bounds));
  painted = paint();
  EXPECT_GT(CompareButton(painted->Canvas()->Handle(), *minimize, 2), 200);
  EXPECT_GT(CompareButton(painted->Canvas()->Handle(), *close, 1), 200);
  // Released outside: the window stays as it is.
  SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(400, 300));
  testsupport::PumpFor(100);
  EXPECT_FALSE(IsIconic(h));
  EXPECT_EQ(minimize->State, ncsNormal);
}

}  // namespace

namespace {

bool InsideAnyButton(const TWinSkinForm& frame, int x, int y) {
  for (const auto& b : frame.Buttons()) {
    const POINT p{x, y};
    if (b->Enabled && PtInRect(&b->Bounds, p)) return true;
  }
  return false;
}

// Compares a block of the painted frame with frame `index` of a border picture (frames side
// by side when `sideBySide`, else stacked) wherever the picture is not magenta and no caption
// button covers it. Answers the pixels compared; counts the differing ones into `wrong`.
int CompareBorderBlock(HDC dc, const TWinSkinForm& frame, const TDataSkinObject& border,
                       bool sideBySide, int index, int pictureX, int pictureY, int width,
                       int height, int windowX, int windowY, int& wrong) {
  const int frames = std::max(border.Frame, 1);
  const int offsetX = sideBySide ? (index - 1) * (border.Bitmap->Width() / frames) : 0;
  const int offsetY = sideBySide ? 0 : (index - 1) * (border.Bitmap->Height() / frames);
  int compared = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t skin = PixelAt(*border.Bitmap, offsetX + pictureX + x, offsetY + pictureY + y);
      if (skin == kMagenta || InsideAnyButton(frame, windowX + x, windowY + y)) continue;
      ++compared;
      wrong += testsupport::PixelRGB(dc, windowX + x, windowY + y) != skin;
    }
  }
  return compared;
}

TEST(FramePainting, TheActiveLookIsFrameOneAndTheInactiveLookFrameTwo) {
  EXPECT_EQ(BorderFrameIndex(true, 2), 1);
  EXPECT_EQ(BorderFrameIndex(false, 2), 2);
  // A single-frame picture looks the same either way.
  EXPECT_EQ(BorderFrameIndex(false, 1), 1);
  EXPECT_EQ(BorderFrameIndex(false, 0), 1);
  EXPECT_EQ(BorderFrameIndex(true, 1), 1);
}

TEST_P(MainWindowFrameTest, ActiveAndInactiveFramesAreTheSkinsFramesOneAndTwo) {
  const HWND h = form->Handle();
  TWinSkinForm* frame = RunningFrame(h);
  ASSERT_NE(frame, nullptr);
  const TSkinData& data = *form->SkinData1;
  const TDataSkinObject* left = data.SkinObject("Left");
  const TDataSkinObject* right = data.SkinObject("Right");
  const TDataSkinObject* top = data.SkinObject("Top");
  const TDataSkinObject* bottom = data.SkinObject("Bottom");
  ASSERT_TRUE(left && right && top && bottom);
  ASSERT_GE(top->Frame, 2);
  ASSERT_GE(left->Frame, 2);
  // No caption text over the title's ends while the pictures are compared.
  const int length = GetWindowTextLengthW(h);
  std::wstring caption(static_cast<std::size_t>(length) + 1, L'\0');
  caption.resize(static_cast<std::size_t>(GetWindowTextW(h, caption.data(), length + 1)));
  SetWindowTextW(h, L"");
  const int w = FramedSize().cx, hgt = FramedSize().cy;
  const testsupport::TOwnSkinFrame f = Skin();
  const auto paint = [&] {
    auto target = std::make_unique<ui::TBitmap>(w, hgt);
    EXPECT_EQ(SendMessageW(h, SKM_PAINTFRAME, reinterpret_cast<WPARAM>(target->Canvas()->Handle()),
                           kSkinMagic),
              kSkinMagic);
    return target;
  };
  const auto check = [&](HDC dc, int index) {
    int wrong = 0, compared = 0;
    const int topWidth = top->Bitmap->Width();
    const int leftFrame = left->Bitmap->Width() / left->Frame;
    const int rightFrame = right->Bitmap->Width() / std::max(right->Frame, 1);
    compared += CompareBorderBlock(dc, *frame, *left, true, BorderFrameIndex(index == 1, left->Frame),
                                   0, 0, leftFrame, left->TopHeight, 0, 0, wrong);
    compared += CompareBorderBlock(dc, *frame, *right, true, BorderFrameIndex(index == 1, right->Frame),
                                   0, 0, rightFrame, right->TopHeight, w - rightFrame, 0, wrong);
    compared += CompareBorderBlock(dc, *frame, *top, false, index, 0, 0, top->LeftWidth, f.Title,
                                   f.Left, 0, wrong);
    compared += CompareBorderBlock(dc, *frame, *top, false, index, topWidth - top->RightWidth, 0,
                                   top->RightWidth, f.Title, w - f.Right - top->RightWidth, 0, wrong);
    compared += CompareBorderBlock(dc, *frame, *bottom, false,
                                   BorderFrameIndex(index == 1, bottom->Frame), 0, 0,
                                   bottom->LeftWidth, f.Bottom, f.Left, hgt - f.Bottom, wrong);
    EXPECT_EQ(wrong, 0) << "frame " << index;
    return compared;
  };

  SendMessageW(h, WM_NCACTIVATE, TRUE, 0);
  ASSERT_TRUE(frame->Active());
  const auto active = paint();
  EXPECT_GT(check(active->Canvas()->Handle(), 1), 200);

  SendMessageW(h, WM_NCACTIVATE, FALSE, 0);
  ASSERT_FALSE(frame->Active());
  const auto inactive = paint();
  EXPECT_GT(check(inactive->Canvas()->Handle(), 2), 200);
  // The two looks really differ in the title.
  int differing = 0;
  for (int x = f.Left; x < w - f.Right; x += 3) {
    differing += testsupport::PixelRGB(active->Canvas()->Handle(), x, 12) !=
                 testsupport::PixelRGB(inactive->Canvas()->Handle(), x, 12);
  }
  EXPECT_GT(differing, 0);

  SendMessageW(h, WM_NCACTIVATE, TRUE, 0);
  SetWindowTextW(h, caption.c_str());
}

}  // namespace
