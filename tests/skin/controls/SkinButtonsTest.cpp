// The push-button skinners on real windows with the program's own skin: the frame each state
// shows (the four corners against the skin's strip, pixel for pixel), the caption in the
// button's font and colours, and the clicks that real mouse and key messages produce.
#include <algorithm>
#include <set>

#include "SkinTestCapture.h"
#include "skin/controls/SkinButtons.h"
#include "skin/data/SkinDerivedImages.h"
#include "skin/data/SkinManagerLink.h"
#include "ui/Buttons.h"
#include "ui/StdCtrls.h"

using namespace ctltest;
using namespace skin;
using skintest::At;

namespace {

TEST(ButtonFrames, EachKindOfButtonMapsItsStateToAFrame) {
  const TSkinState normal{}, hot{true, true}, pressed{true, true, true}, focused{true, false, false, true};
  const TSkinState disabled{false, true, true, true};
  const TSkinState focusedHot{true, true, false, true};
  EXPECT_EQ(ButtonFrame(normal), sfNormal);
  EXPECT_EQ(ButtonFrame(hot), sfHot);
  EXPECT_EQ(ButtonFrame(pressed), sfPressed);
  EXPECT_EQ(ButtonFrame(focused), sfFocused);
  EXPECT_EQ(ButtonFrame(focusedHot), sfHot);
  EXPECT_EQ(ButtonFrame(disabled), sfDisabled);
  EXPECT_EQ(BitButtonFrame(focusedHot), sfHot);
  EXPECT_EQ(BitButtonFrame(focused), sfFocused);
  EXPECT_EQ(BitButtonFrame(disabled), sfDisabled);
  EXPECT_EQ(MenuButtonFrame(focused), sfHot);
  EXPECT_EQ(MenuButtonFrame(pressed), sfPressed);
  EXPECT_EQ(MenuButtonFrame(disabled), sfDisabled);
  EXPECT_EQ(SpeedButtonFrame(normal, false), sfNormal);
  EXPECT_EQ(SpeedButtonFrame(hot, false), sfHot);
  EXPECT_EQ(SpeedButtonFrame(disabled, false), sfDisabled);
  EXPECT_EQ(SpeedButtonFrame(disabled, true), sfPressed);
  EXPECT_EQ(GlyphForFrame(sfPressed, false), 3);
  EXPECT_EQ(GlyphForFrame(sfDisabled, false), 2);
  EXPECT_EQ(GlyphForFrame(sfHot, false), 1);
  EXPECT_EQ(GlyphForFrame(sfNormal, true), 4);
}

TEST(ButtonFrames, OnlyTheFirstDoubleBarBreaksTheLine) {
  EXPECT_EQ(BreakCaption(L"One||Two"), L"One\r\nTwo");
  EXPECT_EQ(BreakCaption(L"A||B||C"), L"A\r\nB||C");
  EXPECT_EQ(BreakCaption(L"Plain"), L"Plain");
}

TEST(ButtonFrames, SpeedButtonsCentreAGivenSpacingOnePixelFurther) {
  const SIZE client{60, 40}, glyph{16, 16}, text{20, 13};
  const auto push = ui::LayoutGlyphButton(client, glyph, text, ui::blGlyphLeft, -1, 4, false);
  const auto speed = ui::LayoutGlyphButton(client, glyph, text, ui::blGlyphLeft, -1, 4, false,
                                           ui::glSpeedButton);
  EXPECT_EQ(push.Glyph.x, (60 - (16 + 4 + 20)) / 2);
  EXPECT_EQ(speed.Glyph.x, push.Glyph.x + 1);
  // Speed buttons ignore a centred alignment: their margin stands.
  const auto margin = ui::LayoutGlyphButton(client, glyph, text, ui::blGlyphLeft, 3, 4, true,
                                            ui::glSpeedButton);
  EXPECT_EQ(margin.Glyph.x, 3);
  // Top layout, no margin, no spacing: three equal gaps.
  const auto top = ui::LayoutGlyphButton({40, 70}, glyph, text, ui::blGlyphTop, -1, -1, false);
  EXPECT_EQ(top.Glyph.y, (70 - 16 - 13) / 3);
  EXPECT_EQ(top.Text.top - (top.Glyph.y + 16), (70 - 16 - 13) / 3);
}

class SkinButtonTest : public SkinnedFormTest {
 protected:
  void SetUp() override {
    SkinnedFormTest::SetUp();
    other_ = new ui::TEdit(form_.get());
    other_->SetParent(form_.get());
    other_->SetBounds(10, 150, 100, 24);
    button_ = new ui::TButton(form_.get());
    button_->SetParent(form_.get());
    button_->SetBounds(10, 10, 120, 40);
    button_->SetCaption(L"Go");
    button_->OnClick = [this](ui::TObject*) { ++clicks_; };
    form_->Show();
    skinner_ = new TSkinButton(button_);
    skinner_->Attach(&host_, data_, nullptr, false);
    SetFocus(other_->Handle());
  }
  HWND Button() const { return button_->Handle(); }
  void Send(UINT msg, WPARAM wParam, int x, int y) {
    SendMessageW(Button(), msg, wParam, MAKELPARAM(x, y));
  }
  // The rows of the caption's ink: the pixels that differ from the button with no caption.
  struct Ink {
    RECT box{10000, 10000, -1, -1};
    int bands = 0;
    bool has(std::uint32_t colour) const { return colours.count(colour) > 0; }
    std::set<std::uint32_t> colours;
  };
  Ink InkOf(const std::wstring& caption) {
    button_->SetCaption(L"");
    const auto empty = Capture(Button());
    button_->SetCaption(caption);
    const auto drawn = Capture(Button());
    Ink ink;
    bool inBand = false;
    for (int y = 0; y < drawn->Height(); ++y) {
      bool any = false;
      for (int x = 0; x < drawn->Width(); ++x) {
        if (At(*drawn, x, y) == At(*empty, x, y)) continue;
        any = true;
        ink.colours.insert(At(*drawn, x, y));
        ink.box.left = std::min<LONG>(ink.box.left, x);
        ink.box.right = std::max<LONG>(ink.box.right, x + 1);
        ink.box.top = std::min<LONG>(ink.box.top, y);
        ink.box.bottom = std::max<LONG>(ink.box.bottom, y + 1);
      }
      if (any && !inBand) ++ink.bands;
      inBand = any;
    }
    return ink;
  }
  // Where the caption goes: measured in the button's font, centred one pixel above the middle.
  RECT ExpectedTextRect(const std::wstring& text) const {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, button_->Font()->Handle());
    RECT r{2, 2, button_->Width() - 2, button_->Height() - 2};
    DrawTextW(dc, text.c_str(), -1, &r, DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS | DT_CALCRECT);
    SelectObject(dc, old);
    DeleteDC(dc);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int left = (button_->Width() - w) / 2, top = (button_->Height() - h) / 2 - 1;
    return {left, top, left + w, top + h};
  }
  static std::uint32_t Pixel(COLORREF c) {
    return std::uint32_t(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c);
  }

  ui::TEdit* other_ = nullptr;
  ui::TButton* button_ = nullptr;
  TSkinButton* skinner_ = nullptr;
  int clicks_ = 0;
};

// The cases below run once with each skin of ours.
using SkinButtonTestOnOwnSkins = testsupport::OwnSkinsOf<SkinButtonTest>;
INSTANTIATE_FOR_OWN_SKINS(SkinButtonTestOnOwnSkins);

TEST_P(SkinButtonTestOnOwnSkins, EachStateShowsItsFrameOfTheSkinInTheFourCorners) {
  // The corners tell the five frames apart, so a wrong frame cannot pass.
  const auto normal = Capture(Button());
  EXPECT_EQ(FramesShown(*normal), std::vector<int>{sfNormal});
  Send(WM_MOUSEMOVE, 0, 5, 5);
  EXPECT_TRUE(skinner_->Hot());
  EXPECT_EQ(FramesShown(*Capture(Button())), std::vector<int>{sfHot});
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  EXPECT_EQ(FramesShown(*Capture(Button())), std::vector<int>{sfPressed});
  EXPECT_EQ(GetFocus(), Button()) << "a press focuses the button";
  Send(WM_LBUTTONUP, 0, 5, 5);
  SendMessageW(Button(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(FramesShown(*Capture(Button())), std::vector<int>{sfFocused});
  button_->SetEnabled(false);
  EXPECT_EQ(FramesShown(*Capture(Button())), std::vector<int>{sfDisabled});
}

TEST_P(SkinButtonTestOnOwnSkins, TheCaptionIsCentredInTheButtonsFontAndTheDoubleBarGivesTwoLines) {
  button_->Font()->SetHeight(-16);
  const RECT single = ExpectedTextRect(L"Ab Cd");
  const Ink one = InkOf(L"Ab Cd");
  EXPECT_EQ(one.bands, 1);
  const RECT twoLines = ExpectedTextRect(L"Ab\r\nCd");
  const Ink two = InkOf(L"Ab||Cd");
  EXPECT_EQ(two.bands, 2);
  for (const auto& [ink, rect] : {std::pair{one, single}, std::pair{two, twoLines}}) {
    EXPECT_GE(ink.box.left, rect.left);
    EXPECT_LE(ink.box.right, rect.right);
    EXPECT_GE(ink.box.top, rect.top);
    EXPECT_LE(ink.box.bottom, rect.bottom);
    // The text fills its measured width: a smaller font than the button's would not.
    EXPECT_GE(ink.box.right - ink.box.left, rect.right - rect.left - 4);
    EXPECT_LE(std::abs((ink.box.left + ink.box.right) - (rect.left + rect.right)), 3);
  }
  EXPECT_GT(two.box.bottom - two.box.top, (one.box.bottom - one.box.top) * 3 / 2);
  // Only the first pair breaks: "A", then "B||C" on the second line.
  EXPECT_EQ(InkOf(L"A||B||C").bands, 2);
}

TEST_P(SkinButtonTestOnOwnSkins, TheCaptionTakesTheSkinsColourAndTheShadowColourWhenDisabled) {
  ASSERT_TRUE(buttons_->HasNormalColour2);
  const std::uint32_t normal = skintest::Px(ResolveColour(buttons_->NormalColour2));
  const std::uint32_t shadow = Pixel(GetSysColor(COLOR_BTNSHADOW));
  ASSERT_NE(normal, shadow);
  const Ink enabled = InkOf(L"Caption");
  EXPECT_TRUE(enabled.has(normal));
  EXPECT_FALSE(enabled.has(shadow));
  button_->SetEnabled(false);
  const Ink disabled = InkOf(L"Caption");
  EXPECT_TRUE(disabled.has(shadow));
  EXPECT_FALSE(disabled.has(normal));
}

TEST_F(SkinButtonTest, APressAndReleaseInsideClicksExactlyOnce) {
  Send(WM_MOUSEMOVE, 0, 20, 20);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 20, 20);
  EXPECT_NE(GetCapture(), Button()) << "the native button never saw the press";
  EXPECT_TRUE(skinner_->Pressed());
  EXPECT_EQ(clicks_, 0);
  Send(WM_LBUTTONUP, 0, 20, 20);
  testsupport::PumpFor(50);  // anything the native button might have posted
  EXPECT_EQ(clicks_, 1);
  EXPECT_FALSE(skinner_->Pressed());
  // A double click is two presses: two clicks, never more.
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 20, 20);
  Send(WM_LBUTTONUP, 0, 20, 20);
  testsupport::PumpFor(50);
  EXPECT_EQ(clicks_, 2);
}

TEST_F(SkinButtonTest, NoClickForAReleaseOutsideOrWithoutAPress) {
  Send(WM_LBUTTONUP, 0, 20, 20);  // pressed elsewhere, released here
  EXPECT_EQ(clicks_, 0);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 20, 20);
  Send(WM_LBUTTONUP, 0, 300, 20);  // released beyond the right edge
  EXPECT_EQ(clicks_, 0);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 20, 20);
  SendMessageW(Button(), WM_MOUSELEAVE, 0, 0);  // the mouse left while held down
  EXPECT_FALSE(skinner_->Pressed());
  Send(WM_LBUTTONUP, 0, 20, 20);
  testsupport::PumpFor(50);
  EXPECT_EQ(clicks_, 0);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 20, 20);
  Send(WM_LBUTTONUP, 0, 20, 20);
  EXPECT_EQ(clicks_, 1);
}

TEST_F(SkinButtonTest, SpaceOnTheFocusedButtonClicksOnceAndShowsItPressed) {
  SetFocus(Button());
  SendMessageW(Button(), WM_KEYDOWN, VK_SPACE, 0x00390001);
  EXPECT_TRUE(skinner_->Pressed());
  EXPECT_EQ(FramesShown(*Capture(Button())), std::vector<int>{sfPressed});
  SendMessageW(Button(), WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001u));
  testsupport::PumpFor(50);
  EXPECT_EQ(clicks_, 1);
  EXPECT_FALSE(skinner_->Pressed());
}

TEST_F(SkinButtonTest, ABareButtonWindowTellsItsParentOfTheClick) {
  // A button without class-library object: the skinner posts the parent its notice.
  HWND bare = CreateWindowExW(0, L"BUTTON", L"Bare", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 150,
                              10, 80, 30, form_->Handle(), reinterpret_cast<HMENU>(77), nullptr, nullptr);
  ASSERT_NE(bare, nullptr);
  auto* skinner = new TSkinButton(nullptr);
  skinner->AttachHandle(bare, data_, &host_, nullptr);
  int notices = 0;
  form_->WindowProc = [&, own = form_->WindowProc](ui::TMessage& m) {
    if (m.Msg == WM_COMMAND && LOWORD(m.WParam) == 77 && HIWORD(m.WParam) == BN_CLICKED) ++notices;
    own(m);
  };
  SendMessageW(bare, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(bare, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  testsupport::PumpUntil([&] { return notices > 0; });
  testsupport::PumpFor(50);
  EXPECT_EQ(notices, 1);
  DestroyWindow(bare);
}

TEST_F(SkinButtonTest, WithoutFocusRectangleOptionNoDottedFrameIsDrawn) {
  SetFocus(Button());
  const auto withRect = Capture(Button());
  data_->SetOptions(data_->Options() | (1 << xoNoFocusRect));
  const auto without = Capture(Button());
  int differ = 0;
  for (int y = 0; y < withRect->Height(); ++y) {
    for (int x = 0; x < withRect->Width(); ++x) differ += At(*withRect, x, y) != At(*without, x, y);
  }
  EXPECT_GT(differ, 10);
  EXPECT_EQ(FramesShown(*without), std::vector<int>{sfFocused});
}

// Speed buttons: windowless, painted on the parent, their own click kept.
class SkinSpeedButtonTest : public SkinnedFormTest {
 protected:
  void SetUp() override {
    SkinnedFormTest::SetUp();
    speed_ = new ui::TSpeedButton(form_.get());
    speed_->SetParent(form_.get());
    speed_->SetBounds(20, 20, 60, 30);
    speed_->SetCaption(L"S");
    speed_->OnClick = [this](ui::TObject*) { ++clicks_; };
    form_->Show();
    skinner_ = new TSkinSpeedButton(speed_);
    skinner_->AttachGraphic(&host_, data_, nullptr);
  }
  std::unique_ptr<ui::TBitmap> Paint() {
    auto b = skintest::Filled(speed_->Width(), speed_->Height(), 0x123456);
    speed_->Perform(WM_PAINT, reinterpret_cast<WPARAM>(b->Canvas()->Handle()));
    return b;
  }
  void Mouse(UINT msg, WPARAM keys, int x, int y) {
    SendMessageW(form_->Handle(), msg, keys, MAKELPARAM(speed_->Left() + x, speed_->Top() + y));
  }
  ui::TSpeedButton* speed_ = nullptr;
  TSkinSpeedButton* skinner_ = nullptr;
  int clicks_ = 0;
};

TEST_F(SkinSpeedButtonTest, AttachesWithoutAWindowAndClicksOncePerPressAndRelease) {
  EXPECT_EQ(skinner_->Handle(), nullptr);
  EXPECT_EQ(skinner_->GraphicControl(), speed_);
  EXPECT_EQ(skinner_->Status(), kSkinnerAttached);
  EXPECT_EQ(host_.list.FindControl(speed_), skinner_);
  EXPECT_EQ(speed_->Perform(SKM_QUERYSKINNED), 1);
  Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  EXPECT_TRUE(skinner_->Pressed());
  EXPECT_EQ(FramesShown(*Paint()), std::vector<int>{sfPressed});
  Mouse(WM_LBUTTONUP, 0, 5, 5);
  EXPECT_EQ(clicks_, 1);
  EXPECT_FALSE(skinner_->Pressed());
  Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  Mouse(WM_LBUTTONUP, 0, 300, 200);  // released outside
  EXPECT_EQ(clicks_, 1);
}

// The cases below run once with each skin of ours.
using SkinSpeedButtonTestOnOwnSkins = testsupport::OwnSkinsOf<SkinSpeedButtonTest>;
INSTANTIATE_FOR_OWN_SKINS(SkinSpeedButtonTestOnOwnSkins);

TEST_P(SkinSpeedButtonTestOnOwnSkins, FramesForStatesFlatAndDown) {
  EXPECT_EQ(FramesShown(*Paint()), std::vector<int>{sfNormal});
  speed_->Perform(ui::CM_MOUSEENTER);
  EXPECT_EQ(FramesShown(*Paint()), std::vector<int>{sfHot});
  speed_->Perform(ui::CM_MOUSELEAVE);
  speed_->SetFlat(true);
  const auto flat = Paint();
  EXPECT_TRUE(FramesShown(*flat).empty()) << "a flat button shows no frame until hot";
  EXPECT_EQ(At(*flat, 0, 0), skintest::Px(ResolveColour(data_->Colours().ButtonFace)));
  speed_->Perform(ui::CM_MOUSEENTER);
  EXPECT_EQ(FramesShown(*Paint()), std::vector<int>{sfHot});
  speed_->Perform(ui::CM_MOUSELEAVE);
  speed_->SetGroupIndex(1);
  speed_->SetDown(true);
  speed_->SetEnabled(false);
  EXPECT_EQ(FramesShown(*Paint()), std::vector<int>{sfPressed}) << "down wins over flat and disabled";
  speed_->SetDown(false);
  EXPECT_TRUE(FramesShown(*Paint()).empty()) << "flat and disabled: no frame";
  speed_->SetFlat(false);
  EXPECT_EQ(FramesShown(*Paint()), std::vector<int>{sfDisabled});
}

TEST_F(SkinSpeedButtonTest, DestroyingTheSkinnerGivesTheButtonItsOwnPaintingBack) {
  delete skinner_;
  EXPECT_EQ(host_.list.Count(), 0);
  EXPECT_NE(speed_->Perform(SKM_QUERYSKINNED), 1);
  Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  Mouse(WM_LBUTTONUP, 0, 5, 5);
  EXPECT_EQ(clicks_, 1);
}

// The cases below run once with each skin of ours.
using SkinnedFormTestOnOwnSkins = testsupport::OwnSkinsOf<SkinnedFormTest>;
INSTANTIATE_FOR_OWN_SKINS(SkinnedFormTestOnOwnSkins);

// A glyph button draws its glyph where the shared layout arithmetic puts it.
TEST_P(SkinnedFormTestOnOwnSkins, AGlyphButtonDrawsItsGlyphWhereTheLayoutPutsIt) {
  auto* button = new ui::TBitBtn(form_.get());
  button->SetParent(form_.get());
  button->SetBounds(10, 10, 80, 70);
  button->SetCaption(L"");
  button->Glyph()->SetSize(16, 16);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) button->Glyph()->ScanLine(y)[x] = (x == 0 && y == 15) ? 0xFF00FF : 0x30A030;
  }
  button->SetLayout(ui::blGlyphTop);
  button->SetMargin(-1);
  button->SetSpacing(-1);
  form_->Show();
  auto* skinner = new TSkinBitButton(button);
  skinner->Attach(&host_, data_, nullptr, false);
  SetFocus(nullptr);
  const auto drawn = Capture(button->Handle());
  // No caption: the pair is the glyph alone, centred both ways.
  const int gx = (80 - 16 + 1) / 2, gy = (70 - 16) / 2;
  EXPECT_EQ(At(*drawn, gx + 1, gy), 0x30A030u);
  EXPECT_EQ(At(*drawn, gx + 15, gy + 14), 0x30A030u);
  EXPECT_NE(At(*drawn, gx + 1, gy - 1), 0x30A030u);
  EXPECT_NE(At(*drawn, gx + 16, gy + 5), 0x30A030u);
  EXPECT_NE(At(*drawn, gx, gy + 15), 0x30A030u) << "the key colour is left out";
  EXPECT_EQ(FramesShown(*drawn), std::vector<int>{sfNormal});
}

// Without a glyph the skinned button shows its image list's picture for its state at the
// place the layout gives a glyph of the list's size; no index, no picture.
TEST_F(SkinnedFormTest, AGlyphButtonDrawsItsImageListsPictureForItsState) {
  constexpr std::uint32_t kUp = 0x30A030, kOff = 0xA03030;
  auto* list = new ui::TCustomImageList(form_.get(), 16, 16);
  ui::TBitmap pictures(32, 16);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 32; ++x) pictures.ScanLine(y)[x] = x < 16 ? kUp : kOff;
  }
  pictures.ScanLine(15)[0] = 0xFF00FF;
  ASSERT_EQ(list->AddMasked(pictures, ui::clFuchsia), 0);
  auto* button = new ui::TBitBtn(form_.get());
  button->SetParent(form_.get());
  button->SetBounds(10, 10, 80, 70);
  button->SetCaption(L"");
  button->SetLayout(ui::blGlyphTop);
  button->SetImages(list);
  button->SetImageIndex(0);
  button->SetDisabledIndex(1);
  form_->Show();
  auto* skinner = new TSkinBitButton(button);
  skinner->Attach(&host_, data_, nullptr, false);
  SetFocus(nullptr);
  const int gx = (80 - 16 + 1) / 2, gy = (70 - 16) / 2;
  const auto count = [&](const ui::TBitmap& drawn, std::uint32_t colour, const RECT& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) n += At(drawn, x, y) == colour;
    }
    return n;
  };
  const RECT box{gx, gy, gx + 16, gy + 16}, whole{0, 0, 80, 70};
  auto drawn = Capture(button->Handle());
  EXPECT_EQ(count(*drawn, kUp, box), 16 * 16 - 1) << "the key colour is left out";
  EXPECT_EQ(count(*drawn, kUp, whole), 16 * 16 - 1);
  EXPECT_EQ(FramesShown(*drawn), std::vector<int>{sfNormal});
  button->SetEnabled(false);
  drawn = Capture(button->Handle());
  EXPECT_EQ(count(*drawn, kOff, box), 16 * 16);
  EXPECT_EQ(count(*drawn, kUp, whole), 0);
  EXPECT_EQ(FramesShown(*drawn), std::vector<int>{sfDisabled});
  button->SetImageIndex(-1);
  drawn = Capture(button->Handle());
  EXPECT_EQ(count(*drawn, kOff, whole) + count(*drawn, kUp, whole), 0);
}

// A drop-down button: the caption centred in the part left of the 17-pixel arrow area, and
// the arrow a filled triangle pointing down, in the window-text colour, shadow when disabled.
TEST_F(SkinnedFormTest, AMenuButtonCentresItsCaptionLeftOfItsArrow) {
  auto* button = new ui::TMenuButton(form_.get());
  button->SetParent(form_.get());
  button->SetBounds(10, 10, 120, 30);
  button->SetCaption(L"Menu");
  form_->Show();
  auto* skinner = new TSkinMenuButton(button);
  skinner->Attach(&host_, data_, nullptr, false);
  SetFocus(nullptr);
  const int W = 120, H = 30;
  // The caption's extent in the button's font.
  ui::TBitmap probe(1, 1);
  HDC pdc = probe.Canvas()->Handle();
  HGDIOBJ old = SelectObject(pdc, button->Font()->Handle());
  SIZE t{};
  GetTextExtentPoint32W(pdc, L"Menu", 4, &t);
  SelectObject(pdc, old);
  const int tx = (W - 17 - t.cx) / 2 + 2, ty = (H - t.cy + 1) / 2;
  // Every pixel of the triangle, row by row from its wide top: 7, 5, 3 and 1 pixels.
  const auto checkArrow = [&](const ui::TBitmap& drawn, std::uint32_t colour) {
    int bad = 0;
    for (int row = 0; row < 4; ++row) {
      for (int x = W - 15 + row; x <= W - 9 - row; ++x) bad += At(drawn, x, H / 2 - 1 + row) != colour;
    }
    return bad;
  };
  // A system colour as the captured pixels hold it (0xRRGGBB).
  const auto sys = [](int index) {
    const COLORREF c = GetSysColor(index);
    return std::uint32_t{GetRValue(c)} << 16 | std::uint32_t{GetGValue(c)} << 8 | GetBValue(c);
  };
  auto drawn = Capture(button->Handle());
  EXPECT_EQ(checkArrow(*drawn, sys(COLOR_WINDOWTEXT)), 0);
  // The caption's pixels: where the face differs from the same button without caption.
  button->SetCaption(L"");
  const auto bare = Capture(button->Handle());
  button->SetCaption(L"Menu");
  int inside = 0, outside = 0;
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      if (At(*drawn, x, y) == At(*bare, x, y)) continue;
      const bool in = x >= tx && x < tx + t.cx && y >= ty && y < ty + t.cy;
      (in ? inside : outside)++;
    }
  }
  EXPECT_GT(inside, 20);
  EXPECT_EQ(outside, 0);
  EXPECT_EQ(FramesShown(*drawn), std::vector<int>{sfNormal});
  button->SetEnabled(false);
  drawn = Capture(button->Handle());
  EXPECT_EQ(checkArrow(*drawn, sys(COLOR_BTNSHADOW)), 0);
  EXPECT_EQ(FramesShown(*drawn), std::vector<int>{sfDisabled});
}

// Tag 5555: the parent's image shows where the skin's frame is transparent.
TEST_P(SkinnedFormTestOnOwnSkins, AButtonTaggedForTheParentsImageShowsItAroundTheFrame) {
  form_->SetColor(ui::clYellow);
  const auto make = [&](int top, int tag) {
    auto* b = new ui::TButton(form_.get());
    b->SetParent(form_.get());
    b->SetBounds(10, top, 100, 30);
    b->SetTag(tag);
    return b;
  };
  ui::TButton* plain = make(10, 0);
  ui::TButton* tagged = make(50, 5555);
  form_->Show();
  auto* plainSkinner = new TSkinButton(plain);
  plainSkinner->Attach(&host_, data_, nullptr, false);
  auto* taggedSkinner = new TSkinButton(tagged);
  taggedSkinner->Attach(&host_, data_, nullptr, false);
  EXPECT_FALSE(plainSkinner->Transparent());
  EXPECT_TRUE(taggedSkinner->Transparent());
  SetFocus(nullptr);
  // A key-coloured pixel of the normal frame's top-left corner.
  const skin::TSkinBitmap& strip = *buttons_->Bitmap;
  POINT key{-1, -1};
  for (int y = 0; y < buttons_->TopHeight && key.x < 0; ++y) {
    for (int x = 0; x < buttons_->LeftWidth; ++x) {
      if (At(strip, x, y) == skintest::kMagenta) {
        key = {x, y};
        break;
      }
    }
  }
  ASSERT_GE(key.x, 0) << "the skin's button corners are rounded with the key colour";
  // The form's own colour (the skin engine may have given the shown form its face colour).
  form_->SetColor(ui::clYellow);
  const auto plainDrawn = Capture(plain->Handle());
  const auto taggedDrawn = Capture(tagged->Handle());
  EXPECT_EQ(At(*plainDrawn, key.x, key.y), skintest::Px(ResolveColour(data_->Colours().ButtonFace)));
  EXPECT_EQ(At(*taggedDrawn, key.x, key.y), skintest::Px(ui::clYellow));
  EXPECT_EQ(FramesShown(*taggedDrawn), std::vector<int>{sfNormal});
}

}  // namespace
