// The caption text of the main window's skinned title bar, painted through the engine's
// paint-frame message into bitmaps: where its pixels lie, its colours when active and
// inactive, the cut before the caption buttons and the Chinese caption.
#include "FormFixture.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "skin/model/SkinBitmap.h"
#include "skin/data/SkinMessages.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/frame/FrameCaption.h"

using namespace skin;
using testsupport::PumpUntil;

namespace {

class CaptionTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    kWidth = FramedSize().cx;
    kHeight = FramedSize().cy;
    h = form->Handle();
    PumpUntil(
        [&] {
          frame = TSkinManage::Instance() ? TSkinManage::Instance()->FindSkinForm(h) : nullptr;
          return frame && frame->FrameState() == fsRunning;
        });
    ASSERT_TRUE(frame && frame->FrameState() == fsRunning);
    title = form->SkinData1->Definitions().Title();
    ASSERT_NE(title, nullptr);
  }

  // The frame painted with `caption` in the given look.
  std::unique_ptr<ui::TBitmap> Paint(const std::wstring& caption, bool active) {
    SetWindowTextW(h, caption.c_str());
    SendMessageW(h, WM_NCACTIVATE, active ? TRUE : FALSE, 0);
    auto target = std::make_unique<ui::TBitmap>(kWidth, kHeight);
    SendMessageW(h, SKM_PAINTFRAME, reinterpret_cast<WPARAM>(target->Canvas()->Handle()), kSkinMagic);
    return target;
  }

  // The caption's layout as the frame computes it for `caption`.
  TCaptionLayout Layout(const std::wstring& caption) {
    ui::TBitmap scratch(10, 10);
    HDC dc = scratch.Canvas()->Handle();
    SelectObject(dc, form->SkinData1->CaptionFont());
    SIZE extent{0, 0};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    std::vector<RECT> shown;
    for (const auto& b : frame->Buttons()) {
      if (b->Enabled) shown.push_back(b->Bounds);
    }
    return LayoutCaption(title, kWidth, frame->TitleHeight(), extent.cx, shown);
  }

  // The title-bar pixels in which two paintings differ.
  std::vector<POINT> Differences(HDC a, HDC b, int titleHeight) const {
    std::vector<POINT> points;
    for (int y = 0; y < titleHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        if (testsupport::PixelRGB(a, x, y) != testsupport::PixelRGB(b, x, y)) points.push_back({x, y});
      }
    }
    return points;
  }

  static int CountColour(HDC dc, const RECT& r, std::uint32_t rgb) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) n += testsupport::PixelRGB(dc, x, y) == rgb;
    }
    return n;
  }

  // Caption buttons (the icon) are drawn over the title after the caption.
  bool UnderButton(int x, int y) const {
    for (const auto& b : frame->Buttons()) {
      if (b->Enabled && PtInRect(&b->Bounds, POINT{x, y})) return true;
    }
    return false;
  }

  void TearDown() override {
    if (h) SetWindowTextW(h, L"Vexlo 1.0 免费版");
    MainWindowTest::TearDown();
  }

  HWND h = nullptr;
  TWinSkinForm* frame = nullptr;
  const TDataSkinTitle* title = nullptr;
  int kWidth = 0, kHeight = 0;  // the window's size with the skin's borders
};

// The cases run once with each skin of ours.
using CaptionSkinTest = testsupport::OwnSkinsOf<CaptionTest>;
INSTANTIATE_FOR_OWN_SKINS(CaptionSkinTest);

std::uint32_t Rgb(TColour c) {
  // TColour is red + green * 256 + blue * 65536; PixelRGB answers 0xRRGGBB.
  const auto v = static_cast<std::uint32_t>(c);
  return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

TEST_P(CaptionSkinTest, TheCaptionIsDrawnInsideItsClipInTheActiveAndInactiveTextColours) {
  ASSERT_NE(title->ActiveText, kColourNotGiven);
  ASSERT_NE(title->InActiveText, kColourNotGiven);
  ASSERT_NE(title->ActiveText, title->InActiveText);
  const std::wstring caption = L"Vexlo frame caption";
  const TCaptionLayout layout = Layout(caption);
  ASSERT_FALSE(IsRectEmpty(&layout.Text));
  for (bool active : {true, false}) {
    const auto blank = Paint(L"", active);
    const auto painted = Paint(caption, active);
    const HDC dc = painted->Canvas()->Handle();
    const auto changed = Differences(blank->Canvas()->Handle(), dc, frame->TitleHeight());
    ASSERT_FALSE(changed.empty());
    RECT allowed{};
    UnionRect(&allowed, &layout.Clip, &layout.Plate);
    for (const POINT& p : changed) {
      ASSERT_TRUE(PtInRect(&allowed, p)) << "caption pixel " << p.x << "," << p.y << " outside";
    }
    const std::uint32_t own = Rgb(active ? title->ActiveText : title->InActiveText);
    const std::uint32_t other = Rgb(active ? title->InActiveText : title->ActiveText);
    EXPECT_GT(CountColour(dc, layout.Text, own), 20) << (active ? "active" : "inactive");
    EXPECT_EQ(CountColour(dc, layout.Text, other), 0) << (active ? "active" : "inactive");
  }
}

// The text lies exactly where the layout puts it: its line centred in the clip's height from
// the left of the text rectangle. The pixels in the full text colour are compared with the
// same text written at that place on a bare picture.
TEST_P(CaptionSkinTest, TheCaptionTextLiesExactlyWhereTheLayoutPlacesIt) {
  const std::wstring caption = L"Vexlo HIJ gyq";
  const TCaptionLayout layout = Layout(caption);
  ASSERT_FALSE(IsRectEmpty(&layout.Text));
  const std::uint32_t ink = Rgb(title->ActiveText);
  const auto painted = Paint(caption, true);
  const auto blank = Paint(L"", true);
  ui::TBitmap expected(kWidth, frame->TitleHeight());
  const HDC dc = expected.Canvas()->Handle();
  SelectObject(dc, form->SkinData1->CaptionFont());
  SIZE extent{0, 0};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
  const int top = layout.Clip.top + (layout.Clip.bottom - layout.Clip.top - extent.cy) / 2;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, static_cast<COLORREF>(title->ActiveText));  // red in the lowest byte, as COLORREF
  TextOutW(dc, layout.Text.left, top, caption.c_str(), static_cast<int>(caption.size()));
  int compared = 0;
  for (int y = 0; y < frame->TitleHeight(); ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (testsupport::PixelRGB(blank->Canvas()->Handle(), x, y) == ink || UnderButton(x, y)) continue;
      const bool drawn = testsupport::PixelRGB(painted->Canvas()->Handle(), x, y) == ink;
      const bool wanted = testsupport::PixelRGB(dc, x, y) == ink;
      compared += wanted;
      ASSERT_EQ(drawn, wanted) << "caption pixel " << x << "," << y;
    }
  }
  EXPECT_GT(compared, 40);
}

TEST_P(CaptionSkinTest, TheCaptionSitsOnTheSkinsPlateInTheLookOfTheWindow) {
  ASSERT_TRUE(HasCaptionPlate(title));
  const TCaptionLayout layout = Layout(L"Plate");
  ASSERT_FALSE(IsRectEmpty(&layout.Plate));
  const int frameWidth = title->Bitmap->Width() / 2;
  for (int index : {1, 2}) {
    const auto painted = Paint(L"Plate", index == 1);
    const HDC dc = painted->Canvas()->Handle();
    // The plate's fixed left end, left of the text, is the picture's own.
    int compared = 0, wrong = 0;
    for (int y = 0; y < frame->TitleHeight() && y < title->Bitmap->Height(); ++y) {
      for (int x = 0; x < title->TXTBackleft && layout.Plate.left + x < layout.Text.left; ++x) {
        const std::uint32_t skin = PixelAt(*title->Bitmap, (index - 1) * frameWidth + x, y);
        if (skin == 0xFF00FF || UnderButton(layout.Plate.left + x, y)) continue;
        ++compared;
        wrong += testsupport::PixelRGB(dc, layout.Plate.left + x, y) != skin;
      }
    }
    EXPECT_GT(compared, 20);
    EXPECT_EQ(wrong, 0) << "plate frame " << index;
  }
}

TEST_P(CaptionSkinTest, ALongCaptionEndsBeforeTheFirstButton) {
  LONG firstButton = kWidth;
  for (const auto& b : frame->Buttons()) {
    if (b->Enabled && b->Bounds.left > title->LeftWidth) firstButton = std::min(firstButton, b->Bounds.left);
  }
  ASSERT_LT(firstButton, kWidth);
  const std::wstring caption(300, L'W');
  const auto blank = Paint(L"", true);
  const auto painted = Paint(caption, true);
  const HDC dc = painted->Canvas()->Handle();
  const auto changed = Differences(blank->Canvas()->Handle(), dc, frame->TitleHeight());
  ASSERT_FALSE(changed.empty());
  LONG rightmost = 0;
  for (const POINT& p : changed) rightmost = std::max(rightmost, p.x);
  EXPECT_LT(rightmost, firstButton);
  // The text reaches close to the button: it was cut there, not earlier.
  EXPECT_GT(rightmost, firstButton - testsupport::AtScreenDpi(40));
}

TEST_P(CaptionSkinTest, TheChineseCaptionIsDrawnWithItsOwnGlyphs) {
  const std::wstring latin = L"Vexlo 1.0 ";
  const auto base = Paint(latin, true);
  std::vector<std::vector<std::uint32_t>> glyphs;
  for (const wchar_t* c : {L"免", L"费", L"版"}) {
    const auto painted = Paint(latin + c, true);
    // The character is the text's last: its width is what it adds to the text, whether the
    // skin aligns the caption left or centres it.
    const TCaptionLayout layout = Layout(latin + c);
    const TCaptionLayout before = Layout(latin);
    const LONG added = (layout.Text.right - layout.Text.left) - (before.Text.right - before.Text.left);
    RECT glyph{layout.Text.right - added, layout.Text.top, layout.Text.right, layout.Text.bottom};
    ASSERT_GT(glyph.right, glyph.left);
    std::vector<std::uint32_t> pixels;
    int ink = 0;
    for (int y = glyph.top; y < glyph.bottom; ++y) {
      for (int x = glyph.left; x < glyph.right; ++x) {
        const std::uint32_t p = testsupport::PixelRGB(painted->Canvas()->Handle(), x, y);
        ink += p != testsupport::PixelRGB(base->Canvas()->Handle(), x, y);
        pixels.push_back(p);
      }
    }
    EXPECT_GT(ink, 10) << "no ink for a Chinese character";
    glyphs.push_back(std::move(pixels));
  }
  // Three different characters, three different pictures (a missing glyph draws one box
  // for all).
  EXPECT_NE(glyphs[0], glyphs[1]);
  EXPECT_NE(glyphs[1], glyphs[2]);
  EXPECT_NE(glyphs[0], glyphs[2]);
}

}  // namespace
