// The skinners that work through pictures: the glyph bitmaps handed to foreign check boxes
// and radio buttons (against the skin's strips, pixel for pixel), and the media player's
// overlay panel (the skin's button frames with the program's glyphs; presses and releases
// handed to the player underneath), on real windows with the program's own skin.
#include <algorithm>

#include "ForeignControls.h"
#include "SkinTestCapture.h"
#include "skin/controls/SkinMediaPlayer.h"
#include "skin/controls/SkinObjImage.h"
#include "skin/model/SkinBitmap.h"
#include "skin/data/SkinDerivedImages.h"
#include "ui/MPlayer.h"

using namespace ctltest;
using namespace skin;
using skintest::At;
using skintest::kMagenta;

namespace {

// ---------------------------------------------------------------------------------------------
// State to pictures

std::vector<std::pair<int, int>> Pairs(const TObjImageGlyphs& g) {
  std::vector<std::pair<int, int>> pairs;
  for (const TGlyphSource& s : g.Sources) pairs.emplace_back(s.Glyph, s.Frame);
  std::sort(pairs.begin(), pairs.end());
  return pairs;
}

TEST(GlyphSteps, EachVariantTakesItsFramesFromTheStrip) {
  TObjImageGlyphs g = ObjImageGlyphs(kObjImageCheckBox, 4);
  EXPECT_EQ(g.Count, 9);
  EXPECT_EQ(Pairs(g), (std::vector<std::pair<int, int>>{{1, 1}, {2, 2}, {4, 1}, {5, 2}, {7, 3}, {8, 4}}));
  g = ObjImageGlyphs(kObjImageCheckBox, 5);
  EXPECT_EQ(Pairs(g), (std::vector<std::pair<int, int>>{
                          {1, 1}, {2, 2}, {3, 5}, {4, 1}, {5, 2}, {6, 5}, {7, 3}, {8, 4}, {9, 5}}));
  g = ObjImageGlyphs(kObjImageRadio, 8);
  EXPECT_EQ(g.Count, 6);
  EXPECT_EQ(Pairs(g), (std::vector<std::pair<int, int>>{{1, 1}, {2, 2}, {3, 1}, {4, 2}, {5, 3}, {6, 4}}));
  g = ObjImageGlyphs(kObjImageProperties, 12);
  EXPECT_EQ(g.Count, 6);
  EXPECT_EQ(Pairs(g), (std::vector<std::pair<int, int>>{{1, 1}, {2, 2}, {4, 1}, {5, 2}}));
  g = ObjImageGlyphs(kObjImageProperties, 5);
  EXPECT_EQ(Pairs(g), (std::vector<std::pair<int, int>>{{1, 1}, {2, 2}, {3, 5}, {4, 1}, {5, 2}, {6, 5}}));
  EXPECT_EQ(ObjImageGlyphs(0, 5).Count, 0);
}

TEST(GlyphSteps, MediaPlayerButtonsFramesAndLooks) {
  EXPECT_EQ(ButtonsInSetText(L"[]"), 0);
  EXPECT_EQ(ButtonsInSetText(L"[btPlay,btStop]"), (1 << ui::btPlay) | (1 << ui::btStop));
  EXPECT_EQ(ButtonsInSetText(L"[BTEJECT, btprev]"), (1 << ui::btEject) | (1 << ui::btPrev));
  EXPECT_EQ(MPButtonFrame(false, true), 1);
  EXPECT_EQ(MPButtonFrame(true, true), 2);
  EXPECT_EQ(MPButtonFrame(false, false), 3);
  EXPECT_EQ(MPButtonFrame(true, false), 2);  // the pressed one shows pressed
  EXPECT_EQ(MPGlyphLook(true, false), 0);
  EXPECT_EQ(MPGlyphLook(false, true), 1);
  EXPECT_EQ(MPGlyphLook(true, true), 2);
}

// ---------------------------------------------------------------------------------------------
// Foreign check boxes and radio buttons

class ObjImageTest : public SkinnedFormTest {
 protected:
  template <class Control>
  Control* Make(int variant, TSkinObjImage** skinner = nullptr) {
    auto* c = new Control(form_.get());
    c->SetParent(form_.get());
    c->SetBounds(10, 10, 120, 20);
    c->SetColor(ui::clWindow);
    auto* s = new TSkinObjImage(c);
    s->SetVariant(variant);
    s->Attach(&host_, data_, nullptr, true);
    if (skinner) *skinner = s;
    return c;
  }
  // Gives the skin a check strip of the first `frames` frames of its own.
  void CutCheckStrip(int frames) {
    const int w = buttons_->CheckBitmap->Width() / buttons_->CheckButtonFrame;
    auto cut = std::make_unique<TSkinBitmap>();
    CopyBitmapPart(*buttons_->CheckBitmap, 0, 0, w * frames, buttons_->CheckBitmap->Height(), *cut);
    buttons_->CheckBitmap = std::move(cut);
    buttons_->CheckButtonFrame = frames;
  }
  // Differences of glyph `glyph` of the bitmap from frame `frame` of the strip.
  static int GlyphDifferences(const ui::TBitmap& glyphs, int glyph, const TSkinBitmap& strip, int frames,
                              int frame) {
    const int w = strip.Width() / frames;
    int bad = 0;
    for (int y = 0; y < strip.Height(); ++y) {
      for (int x = 0; x < w; ++x) bad += At(glyphs, (glyph - 1) * w + x, y) != At(strip, (frame - 1) * w + x, y);
    }
    return bad;
  }
  static bool GlyphEmpty(const ui::TBitmap& glyphs, int glyph, int w) {
    for (int y = 0; y < glyphs.Height(); ++y) {
      for (int x = 0; x < w; ++x) {
        if (At(glyphs, (glyph - 1) * w + x, y) != kMagenta) return false;
      }
    }
    return true;
  }
};

TEST_F(ObjImageTest, AFourFrameCheckStripGivesNineGlyphsWithThreeSixAndNineEmpty) {
  CutCheckStrip(4);
  const skin::TSkinBitmap& strip = *buttons_->CheckBitmap;
  const int w = strip.Width() / 4;
  auto* box = Make<TRzCheckBox>(kObjImageCheckBox);
  const ui::TBitmap& glyphs = *box->CustomGlyphs();
  ASSERT_EQ(glyphs.Width(), 9 * w);
  ASSERT_EQ(glyphs.Height(), strip.Height());
  const std::pair<int, int> filled[] = {{1, 1}, {4, 1}, {2, 2}, {5, 2}, {7, 3}, {8, 4}};
  for (const auto& [glyph, frame] : filled) EXPECT_EQ(GlyphDifferences(glyphs, glyph, strip, 4, frame), 0) << glyph;
  for (int glyph : {3, 6, 9}) EXPECT_TRUE(GlyphEmpty(glyphs, glyph, w)) << glyph;
  for (int glyph : {1, 2, 7, 8}) EXPECT_FALSE(GlyphEmpty(glyphs, glyph, w)) << glyph;
  // The key colour is transparent, and the control was switched off and on to reload.
  EXPECT_EQ(box->TransparentColor(), 0xFF00FF);
  EXPECT_EQ(box->Switches(), (std::vector<bool>{false, true}));
  EXPECT_TRUE(box->UseCustomGlyphs());
}

TEST_F(ObjImageTest, AFiveFrameStripFillsTheEmptyGlyphsWithItsLastFrame) {
  CutCheckStrip(5);
  const skin::TSkinBitmap& strip = *buttons_->CheckBitmap;
  auto* box = Make<TRzCheckBox>(kObjImageCheckBox);
  for (int glyph : {3, 6, 9}) EXPECT_EQ(GlyphDifferences(*box->CustomGlyphs(), glyph, strip, 5, 5), 0) << glyph;
  EXPECT_EQ(GlyphDifferences(*box->CustomGlyphs(), 8, strip, 5, 4), 0);
}

TEST_F(ObjImageTest, ARadioButtonGetsSixGlyphsFromTheRadioStripAndDetachingSwitchesThemOff) {
  const skin::TSkinBitmap& strip = *buttons_->RadioBitmap;
  const int frames = buttons_->RadioButtonFrame;
  TSkinObjImage* skinner = nullptr;
  auto* radio = Make<TRzRadioButton>(kObjImageRadio, &skinner);
  ASSERT_EQ(radio->CustomGlyphs()->Width(), 6 * (strip.Width() / frames));
  const std::pair<int, int> filled[] = {{1, 1}, {3, 1}, {2, 2}, {4, 2}, {5, 3}, {6, 4}};
  for (const auto& [glyph, frame] : filled) {
    EXPECT_EQ(GlyphDifferences(*radio->CustomGlyphs(), glyph, strip, frames, frame), 0) << glyph;
  }
  // It shows the skin's face colour while skinned and its own again afterwards.
  EXPECT_EQ(radio->Color(), ResolveColour(data_->Colours().ButtonFace));
  skinner->Detach();
  EXPECT_EQ(radio->Color(), ui::clWindow);
  EXPECT_FALSE(radio->UseCustomGlyphs());
  EXPECT_EQ(radio->Switches(), (std::vector<bool>{false, true, false}));
}

TEST_F(ObjImageTest, APropertiesCheckBoxGetsItsGlyphOpaqueWithMagentaAsItsColour) {
  const skin::TSkinBitmap& strip = *buttons_->CheckBitmap;
  const int frames = buttons_->CheckButtonFrame;
  const int w = strip.Width() / frames;
  TSkinObjImage* skinner = nullptr;
  auto* box = Make<TcxCheckBox>(kObjImageProperties, &skinner);
  const ui::TBitmap& glyph = *box->Properties()->Glyph();
  ASSERT_EQ(glyph.Width(), 6 * w);
  EXPECT_EQ(GlyphDifferences(glyph, 1, strip, frames, 1), 0);
  EXPECT_EQ(GlyphDifferences(glyph, 5, strip, frames, 2), 0);
  EXPECT_TRUE(GlyphEmpty(glyph, 3, w));  // a strip of 12 frames has no fifth for it
  EXPECT_EQ(glyph.TransparentColor(), ui::TColor(0xFF00FF));
  EXPECT_FALSE(glyph.Transparent());
  skinner->Detach();
  EXPECT_TRUE(box->Properties()->Glyph()->Empty());
}

// ---------------------------------------------------------------------------------------------
// The media player's overlay

class MediaPlayerSkinTest : public SkinnedFormTest {
 protected:
  ui::TMediaPlayer* Player(ui::TButtonSet visible) {
    auto* p = new ui::TMediaPlayer(form_.get());
    p->SetParent(form_.get());
    p->SetBounds(20, 30, 270, 30);
    p->SetVisibleButtons(visible);
    p->OnClick = [this](ui::TObject*, ui::TMPBtnType button, bool& doDefault) {
      clicks_.push_back(button);
      doDefault = false;  // no media device is opened
    };
    form_->Show();
    skinner_ = new TSkinMP(p);
    skinner_->Attach(&host_, data_, nullptr, false);
    return p;
  }
  std::unique_ptr<ui::TBitmap> Picture() {
    TWMediaPlayer* overlay = skinner_->Overlay();
    auto b = skintest::Filled(overlay->Width(), overlay->Height(), 0x123456);
    overlay->PaintTo(b->Canvas()->Handle());
    return b;
  }
  std::uint32_t Face() const { return skintest::Px(ResolveColour(data_->Colours().ButtonFace)); }
  // The Buttons frame whose corners the slot shows; 0 for none.
  int SlotFrame(const ui::TBitmap& drawn, int slot, int width) const {
    const skin::TSkinBitmap& strip = *buttons_->Bitmap;
    const int L = buttons_->LeftWidth, T = buttons_->TopHeight, R = buttons_->RightWidth, B = buttons_->BottomHeight;
    const int fw = strip.Width() / buttons_->Frame, fh = strip.Height(), H = drawn.Height();
    const int x0 = slot * width;
    for (int f = 1; f <= buttons_->Frame; ++f) {
      int compared = 0;
      const int bad = Mismatches(drawn, x0, 0, L, T, strip, buttons_->Frame, f, 0, 0, &compared) +
                      Mismatches(drawn, x0 + width - R, 0, R, T, strip, buttons_->Frame, f, fw - R, 0, &compared) +
                      Mismatches(drawn, x0, H - B, L, B, strip, buttons_->Frame, f, 0, fh - B, &compared) +
                      Mismatches(drawn, x0 + width - R, H - B, R, B, strip, buttons_->Frame, f, fw - R, fh - B,
                                 &compared);
      if (bad == 0 && compared > 0) return f;
    }
    return 0;
  }
  // Differences of the glyph centred in the slot (shifted by `shift`) from the glyph's
  // pixels that are not olive.
  static int GlyphDifferences(const ui::TBitmap& drawn, int slot, int width, const ui::TBitmap& glyph, int shift,
                              int* compared) {
    const int x0 = slot * width + (width - glyph.Width()) / 2 + shift;
    const int y0 = (drawn.Height() - glyph.Height()) / 2 + shift;
    int bad = 0;
    for (int y = 0; y < glyph.Height(); ++y) {
      for (int x = 0; x < glyph.Width(); ++x) {
        if (At(glyph, x, y) == 0x808000) continue;
        ++*compared;
        bad += At(drawn, x0 + x, y0 + y) != At(glyph, x, y);
      }
    }
    return bad;
  }
  POINT SlotCentre(int slot, int width) const { return {slot * width + width / 2, 15}; }

  TSkinMP* skinner_ = nullptr;
  std::vector<ui::TMPBtnType> clicks_;
};

TEST_F(MediaPlayerSkinTest, AnOverlayWithoutVisibleButtonsIsAPlainFacePanel) {
  ui::TMediaPlayer* player = Player(0);
  TWMediaPlayer* overlay = skinner_->Overlay();
  ASSERT_NE(overlay, nullptr);
  EXPECT_EQ(overlay->VisibleCount(), 0);
  // It covers the player exactly, from the same parent, above it, and is never skinned.
  EXPECT_EQ(overlay->Parent(), player->Parent());
  const RECT a = overlay->BoundsRect(), b = player->BoundsRect();
  EXPECT_TRUE(EqualRect(&a, &b));
  EXPECT_EQ(GetWindow(player->Handle(), GW_HWNDPREV), overlay->Handle());
  EXPECT_EQ(overlay->Tag(), data_->DisableTag());
  auto drawn = Picture();
  int other = 0;
  for (int y = 0; y < drawn->Height(); ++y) {
    for (int x = 0; x < drawn->Width(); ++x) other += At(*drawn, x, y) != Face();
  }
  EXPECT_EQ(other, 0);
  // Painted through its window too.
  auto shown = Capture(overlay->Handle());
  other = 0;
  for (int y = 0; y < shown->Height(); ++y) {
    for (int x = 0; x < shown->Width(); ++x) other += At(*shown, x, y) != Face();
  }
  EXPECT_EQ(other, 0);
}

// The cases below run once with each skin of ours.
using MediaPlayerSkinTestOnOwnSkins = testsupport::OwnSkinsOf<MediaPlayerSkinTest>;
INSTANTIATE_FOR_OWN_SKINS(MediaPlayerSkinTestOnOwnSkins);

TEST_P(MediaPlayerSkinTestOnOwnSkins, ButtonsShowTheSkinsFramesAndTheProgramsGlyphs) {
  ui::TMediaPlayer* player = Player((1 << ui::btPlay) | (1 << ui::btStop) | (1 << ui::btEject));
  player->SetEnabledButtons((1 << ui::btPlay) | (1 << ui::btEject));
  player->SetColoredButtons(1 << ui::btEject);
  TWMediaPlayer* overlay = skinner_->Overlay();
  auto drawn = Picture();
  ASSERT_EQ(overlay->VisibleCount(), 3);
  const int width = overlay->ButtonWidth();
  EXPECT_EQ(width, 90);
  EXPECT_EQ(SlotFrame(*drawn, 0, width), 1);
  EXPECT_EQ(SlotFrame(*drawn, 1, width), 3);  // stop is disabled
  EXPECT_EQ(SlotFrame(*drawn, 2, width), 1);
  const struct {
    int slot;
    ui::TMPBtnType button;
    int look;
  } glyphs[] = {{0, ui::btPlay, 0}, {1, ui::btStop, 1}, {2, ui::btEject, 2}};
  for (const auto& g : glyphs) {
    ui::TBitmap* glyph = overlay->Glyph(g.button, g.look);
    ASSERT_NE(glyph, nullptr);
    int compared = 0;
    EXPECT_EQ(GlyphDifferences(*drawn, g.slot, width, *glyph, 0, &compared), 0) << g.slot;
    EXPECT_GT(compared, 10);
  }
}

TEST_F(MediaPlayerSkinTest, AClickOnAButtonReachesThePlayerOnce) {
  ui::TMediaPlayer* player = Player(ui::kAllMPButtons);
  TWMediaPlayer* overlay = skinner_->Overlay();
  auto drawn = Picture();
  const int width = overlay->ButtonWidth();
  const POINT play = SlotCentre(ui::btPlay, width), stop = SlotCentre(ui::btStop, width);
  const HWND window = overlay->Handle();
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(play.x, play.y));
  EXPECT_TRUE(overlay->Pressed());
  EXPECT_EQ(overlay->PressedIndex(), ui::btPlay);
  EXPECT_NE(GetCapture(), player->Handle());
  drawn = Picture();
  EXPECT_EQ(SlotFrame(*drawn, 0, width), 2);
  int compared = 0;
  EXPECT_EQ(GlyphDifferences(*drawn, 0, width, *overlay->Glyph(ui::btPlay, 2), 1, &compared), 0);
  EXPECT_TRUE(clicks_.empty());
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(play.x, play.y));
  EXPECT_EQ(clicks_, std::vector<ui::TMPBtnType>{ui::btPlay});
  EXPECT_FALSE(overlay->Pressed());
  EXPECT_EQ(SlotFrame(*Picture(), 0, width), 1);
  // A press on one button released over another reaches nothing.
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(play.x, play.y));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(stop.x, stop.y));
  EXPECT_EQ(clicks_, std::vector<ui::TMPBtnType>{ui::btPlay});
  // A second click on stop does.
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(stop.x, stop.y));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(stop.x, stop.y));
  EXPECT_EQ(clicks_, (std::vector<ui::TMPBtnType>{ui::btPlay, ui::btStop}));
}

TEST_F(MediaPlayerSkinTest, TheOverlayFollowsThePlayerAndGoesWithIt) {
  ui::TMediaPlayer* player = Player(ui::kAllMPButtons);
  TWMediaPlayer* overlay = skinner_->Overlay();
  player->SetBounds(40, 80, 180, 26);
  RECT a = overlay->BoundsRect();
  EXPECT_EQ(a.left, 40);
  EXPECT_EQ(a.top, 80);
  EXPECT_EQ(a.right - a.left, 180);
  EXPECT_EQ(a.bottom - a.top, 26);
  player->SetVisible(false);
  EXPECT_FALSE(overlay->Visible());
  player->SetVisible(true);
  EXPECT_TRUE(overlay->Visible());
  const HWND window = overlay->Handle();
  delete player;  // its skinner and the overlay go with it
  EXPECT_FALSE(IsWindow(window));
}

}  // namespace
