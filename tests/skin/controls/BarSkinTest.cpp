// The progress-bar, track-bar, status-bar and size-grip skinners on real windows with the
// program's own skin: what each draws against the skin's own frames, pixel for pixel where
// the frames are not magenta.
#include <algorithm>

#include "SkinTestCapture.h"
#include "skin/controls/SkinBars.h"
#include "skin/data/GdiPicture.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/SkinDerivedImages.h"
#include "skin/data/SkinDraw.h"
#include "ui/RangeControls.h"
#include "ui/StatusBar.h"

using namespace ctltest;
using namespace skin;
using skintest::At;
using skintest::kMagenta;

namespace {

// ---------------------------------------------------------------------------------------------
// State to drawing

TEST(BarSteps, ProgressFillIsTheShareOfTheRange) {
  EXPECT_EQ(ProgressFillLength(200, 0, 0, 100), 0);
  EXPECT_EQ(ProgressFillLength(200, 50, 0, 100), 100);
  EXPECT_EQ(ProgressFillLength(200, 100, 0, 100), 200);
  EXPECT_EQ(ProgressFillLength(150, 1, 0, 3), 50);
  EXPECT_EQ(ProgressFillLength(200, 10, 0, 0), 0);   // no range: no fill
  EXPECT_EQ(ProgressFillLength(200, -5, 0, 100), 0);
  // A range that does not start at 0: halfway is half the bar.
  EXPECT_EQ(ProgressFillLength(200, 100, 50, 150), 100);
  EXPECT_EQ(ProgressFillLength(200, 50, 50, 150), 0);
  EXPECT_EQ(ProgressFillLength(200, -10, -20, 0), 100);
}

TEST(BarSteps, TrackBarNotificationsAreAnsweredPartByPart) {
  TTrackDrawStep s = TrackBarDrawStep(CDDS_PREPAINT, 0);
  EXPECT_EQ(s.Answer, CDRF_NOTIFYITEMDRAW);
  EXPECT_EQ(s.Draw, TTrackPart::None);
  s = TrackBarDrawStep(CDDS_ITEMPREPAINT, TBCD_TICS);
  EXPECT_EQ(s.Answer, CDRF_DODEFAULT);
  EXPECT_EQ(s.Draw, TTrackPart::None);
  s = TrackBarDrawStep(CDDS_ITEMPREPAINT, TBCD_THUMB);
  EXPECT_EQ(s.Answer, CDRF_SKIPDEFAULT);
  EXPECT_EQ(s.Draw, TTrackPart::Thumb);
  s = TrackBarDrawStep(CDDS_ITEMPREPAINT, TBCD_CHANNEL);
  EXPECT_EQ(s.Answer, CDRF_SKIPDEFAULT);
  EXPECT_EQ(s.Draw, TTrackPart::Channel);
  s = TrackBarDrawStep(CDDS_POSTPAINT, TBCD_THUMB);
  EXPECT_EQ(s.Answer, CDRF_DODEFAULT);
  EXPECT_EQ(s.Draw, TTrackPart::None);
}

TEST(BarSteps, StatusPartsTellAlignmentAndBevel) {
  EXPECT_EQ(StatusEdgeFrame(sbvLowered), 1);
  EXPECT_EQ(StatusEdgeFrame(sbvRaised), 2);
  EXPECT_EQ(StatusEdgeFrame(sbvNone), 3);
  TStatusPart p = ReadStatusPart(L"left", 0);
  EXPECT_EQ(p.Text, L"left");
  EXPECT_EQ(p.Alignment, UINT(DT_LEFT));
  EXPECT_EQ(p.Bevel, sbvLowered);
  p = ReadStatusPart(L"\tmiddle", SBT_POPOUT);
  EXPECT_EQ(p.Text, L"middle");
  EXPECT_EQ(p.Alignment, UINT(DT_CENTER));
  EXPECT_EQ(p.Bevel, sbvRaised);
  p = ReadStatusPart(L"\t\tright\tstays", SBT_NOBORDERS | SBT_RTLREADING);
  EXPECT_EQ(p.Text, L"right\tstays");
  EXPECT_EQ(p.Alignment, UINT(DT_RIGHT));
  EXPECT_EQ(p.Bevel, sbvNone);
  EXPECT_TRUE(p.RightToLeft);
}

// ---------------------------------------------------------------------------------------------
// Real controls

class BarSkinTest : public SkinnedFormTest {
 protected:
  template <class Control, class Skinner>
  Control* Make(int left, int top, int width, int height) {
    auto* c = new Control(form_.get());
    c->SetParent(form_.get());
    c->SetBounds(left, top, width, height);
    return c;
  }
  template <class Skinner>
  Skinner* Skin(ui::TControl* control) {
    form_->Show();
    auto* s = new Skinner(control);
    s->Attach(&host_, data_, nullptr, false);
    return s;
  }
  const TDataSkinObject& Element(const char* name) const {
    const TDataSkinObject* e = data_->SkinObject(name);
    EXPECT_TRUE(e && e->Bitmap && !e->Bitmap->Empty()) << name;
    return *e;
  }
  std::uint32_t Face() const { return skintest::Px(ResolveColour(data_->Colours().ButtonFace)); }

  // The trough (frame 1) over the face and the fill (frame 2) over its first `fill` pixels,
  // each composed by the element's margins with magenta left out.
  std::unique_ptr<ui::TBitmap> ExpectedProgress(int width, int height, int fill) const {
    const TDataSkinObject& bar = Element("Progress");
    auto picture = skintest::Filled(width, height, Face());
    const TMargins m{bar.LeftWidth, bar.TopHeight, bar.RightWidth, bar.BottomHeight};
    const TCentreMode centre = bar.Tile == 1 ? TCentreMode::Tile : TCentreMode::Stretch;
    const auto over = [&](int w, int frame) {
      if (w <= 0) return;
      auto f = ComposeNineRegion(w, height, *bar.Bitmap, m, TFrameLayout::SideBySide, centre, 2, frame);
      for (int y = 0; y < height; ++y) {
        for (int x = 0; x < w; ++x) {
          if (At(*f, x, y) != kMagenta) picture->ScanLine(y)[x] = At(*f, x, y);
        }
      }
    };
    over(width, 1);
    over(fill, 2);
    return picture;
  }
  static int Differences(const ui::TBitmap& a, const ui::TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
    int bad = 0;
    for (int y = 0; y < a.Height(); ++y) {
      for (int x = 0; x < a.Width(); ++x) bad += At(a, x, y) != At(b, x, y);
    }
    return bad;
  }
  // The corners (the margins) of frame `frame` of `count` at the rectangle.
  static int CornerMismatches(const ui::TBitmap& drawn, const RECT& r, const TDataSkinObject& e,
                              int count, int frame, int* compared) {
    const skin::TSkinBitmap& strip = *e.Bitmap;
    const int fw = strip.Width() / count, fh = strip.Height();
    const int L = e.LeftWidth, T = e.TopHeight, R = e.RightWidth, B = e.BottomHeight;
    return Mismatches(drawn, r.left, r.top, L, T, strip, count, frame, 0, 0, compared) +
           Mismatches(drawn, r.right - R, r.top, R, T, strip, count, frame, fw - R, 0, compared) +
           Mismatches(drawn, r.left, r.bottom - B, L, B, strip, count, frame, 0, fh - B, compared) +
           Mismatches(drawn, r.right - R, r.bottom - B, R, B, strip, count, frame, fw - R, fh - B,
                      compared);
  }
};

// The cases below run once with each skin of ours.
using BarSkinTestOnOwnSkins = testsupport::OwnSkinsOf<BarSkinTest>;
INSTANTIATE_FOR_OWN_SKINS(BarSkinTestOnOwnSkins);

TEST_P(BarSkinTestOnOwnSkins, AnEmptyProgressBarShowsOnlyTheTrough) {
  auto* bar = Make<ui::TProgressBar, TSkinProgress>(10, 10, 200, 18);
  bar->SetPosition(0);
  Skin<TSkinProgress>(bar);
  auto drawn = Capture(bar->Handle());
  EXPECT_EQ(Differences(*drawn, *ExpectedProgress(200, 18, 0)), 0);
  int compared = 0;
  EXPECT_EQ(CornerMismatches(*drawn, {0, 0, 200, 18}, Element("Progress"), 2, 1, &compared), 0);
  EXPECT_GT(compared, 0);
  compared = 0;
  EXPECT_GT(CornerMismatches(*drawn, {0, 0, 200, 18}, Element("Progress"), 2, 2, &compared), 0);
}

TEST_P(BarSkinTestOnOwnSkins, AFullProgressBarIsFilledOverItsWholeLength) {
  auto* bar = Make<ui::TProgressBar, TSkinProgress>(10, 10, 200, 18);
  bar->SetPosition(100);
  Skin<TSkinProgress>(bar);
  auto drawn = Capture(bar->Handle());
  EXPECT_EQ(Differences(*drawn, *ExpectedProgress(200, 18, 200)), 0);
  int compared = 0;
  EXPECT_EQ(CornerMismatches(*drawn, {0, 0, 200, 18}, Element("Progress"), 2, 2, &compared), 0);
  EXPECT_GT(compared, 0);
  // Halfway the fill ends in the middle, and a new position shows without anything else.
  bar->SetPosition(50);
  drawn = Capture(bar->Handle());
  EXPECT_EQ(Differences(*drawn, *ExpectedProgress(200, 18, 100)), 0);
  // A range that does not start at 0: 100 of 50..150 is halfway too.
  bar->SetRange(50, 150);
  bar->SetPosition(100);
  drawn = Capture(bar->Handle());
  EXPECT_EQ(Differences(*drawn, *ExpectedProgress(200, 18, 100)), 0);
}

TEST_P(BarSkinTestOnOwnSkins, AVerticalProgressBarFillsFromTheBottom) {
  auto* bar = Make<ui::TProgressBar, TSkinProgress>(10, 10, 18, 120);
  bar->SetOrientation(ui::pbVertical);
  bar->SetPosition(25);
  Skin<TSkinProgress>(bar);
  auto drawn = Capture(bar->Handle());
  auto expected = ExpectedProgress(120, 18, 30);
  RotateLeft(*expected);
  EXPECT_EQ(Differences(*drawn, *expected), 0);
  // Turned counter-clockwise, the lying bar's (x, y) lies at (y, 119 - x): the fill's left
  // cap (frame 2) is at the bottom, the trough's right cap (frame 1) at the top.
  const TDataSkinObject& e = Element("Progress");
  const skin::TSkinBitmap& strip = *e.Bitmap;
  const int fw = strip.Width() / 2, fh = strip.Height(), R = e.RightWidth;
  int compared = 0, bad = 0;
  for (int sy = 0; sy < fh; ++sy) {
    if (sy >= e.TopHeight && sy < fh - e.BottomHeight) continue;  // stretched rows
    const int x = sy < e.TopHeight ? sy : 18 - (fh - sy);          // the lying bar's row
    for (int sx = 0; sx < e.LeftWidth; ++sx) {
      const std::uint32_t fill = At(strip, fw + sx, sy);
      if (fill != kMagenta) ++compared, bad += At(*drawn, x, 119 - sx) != fill;
    }
    for (int rx = 0; rx < R; ++rx) {
      const std::uint32_t trough = At(strip, fw - R + rx, sy);
      if (trough != kMagenta) ++compared, bad += At(*drawn, x, R - 1 - rx) != trough;
    }
  }
  EXPECT_GT(compared, 0);
  EXPECT_EQ(bad, 0);
}

// A skin whose progress bar is drawn in chunks: the trough is frame 1 of 1, and the chunk
// image is repeated (tiled) or stretched up to the bar's end.
class ChunkProgressTest : public BarSkinTest {
 protected:
  void SetUp() override {
    BarSkinTest::SetUp();
    bar_ = data_->SkinObject("Progress");
    chunk_ = data_->SkinObject("Progress.Chunk");
    ASSERT_TRUE(bar_ && chunk_ && chunk_->Bitmap && !chunk_->Bitmap->Empty());
    bar_->Style = 1;
    bar_->Frame = 1;
    data_->DefinitionsChanged();
  }
  std::unique_ptr<ui::TBitmap> Drawn(int position) {
    auto* bar = Make<ui::TProgressBar, TSkinProgress>(10, 10, 200, 20);
    bar->SetPosition(position);
    Skin<TSkinProgress>(bar);
    return Capture(bar->Handle());
  }
  TDataSkinObject* bar_ = nullptr;
  TDataSkinObject* chunk_ = nullptr;
};

TEST_F(ChunkProgressTest, TiledChunksRepeatUpToTheBarsEnd) {
  chunk_->Tile = 1;
  auto drawn = Drawn(50);
  const skin::TSkinBitmap& image = *chunk_->Bitmap;
  const int w = image.Width(), h = image.Height(), x0 = chunk_->LeftWidth + 2, y0 = (20 - h) / 2;
  int compared = 0, bad = 0;
  for (int x = 0; x < 100 && x0 + x < 200; ++x) {
    for (int y = 0; y < h; ++y) {
      ++compared;
      bad += At(*drawn, x0 + x, y0 + y) != At(image, x % w, y);
    }
  }
  EXPECT_EQ(compared, 100 * h);
  EXPECT_EQ(bad, 0);
  // Past the end the trough shows: no chunk row repeats there.
  int chunkLike = 0;
  for (int x = x0 + 100 + w; x < 190; ++x) chunkLike += At(*drawn, x, y0) == At(image, (x - x0) % w, 0) &&
                                                     At(*drawn, x, y0 + h / 2) == At(image, (x - x0) % w, h / 2);
  EXPECT_LT(chunkLike, 20);
}

TEST_F(ChunkProgressTest, AStretchedChunkFillsTheInsideUpToTheBarsEnd) {
  chunk_->Tile = 0;
  auto drawn = Drawn(25);
  auto reference = skintest::Filled(50, 16, kMagenta);
  DrawThreePartStretched(reference->Canvas()->Handle(), {0, 0, 50, 16}, *chunk_->Bitmap, TFrameLayout::SideBySide,
                         1, 1, {chunk_->LeftWidth, chunk_->TopHeight, chunk_->RightWidth, chunk_->BottomHeight});
  int bad = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 50; ++x) bad += At(*drawn, 2 + x, 2 + y) != At(*reference, x, y);
  }
  EXPECT_EQ(bad, 0);
  // An empty bar shows no chunk at all.
  auto empty = Drawn(0);
  int same = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 50; ++x) same += At(*empty, 2 + x, 2 + y) == At(*reference, x, y);
  }
  EXPECT_LT(same, 50 * 16 / 2);
}

TEST_P(BarSkinTestOnOwnSkins, TrackBarChannelAndThumbComeFromTheSkinTicksStayNative) {
  auto* plain = Make<ui::TTrackBar, TSkinTrackBar>(10, 10, 220, 40);
  plain->SetTag(data_->DisableTag());  // the running frame leaves it as it is
  auto* skinned = Make<ui::TTrackBar, TSkinTrackBar>(10, 70, 220, 40);
  for (ui::TTrackBar* t : {plain, skinned}) {
    t->SetRange(0, 10);
    t->SetPosition(4);
  }
  form_->Show();
  Skin<TSkinTrackBar>(skinned);
  auto before = Capture(plain->Handle());
  auto after = Capture(skinned->Handle());
  RECT channel{}, thumb{};
  SendMessageW(skinned->Handle(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  SendMessageW(skinned->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  ASSERT_FALSE(IsRectEmpty(&channel));
  ASSERT_FALSE(IsRectEmpty(&thumb));

  // Ticks: everything the native control draws outside channel and thumb that is not its
  // background is there unchanged.
  const std::uint32_t background = At(*before, before->Width() - 1, before->Height() - 1);
  int ticks = 0, lost = 0;
  for (int y = 0; y < before->Height(); ++y) {
    for (int x = 0; x < before->Width(); ++x) {
      const POINT p{x, y};
      RECT around = channel;
      InflateRect(&around, 1, 1);
      if (PtInRect(&around, p) || PtInRect(&thumb, p) || At(*before, x, y) == background) continue;
      ++ticks;
      lost += At(*after, x, y) != At(*before, x, y);
    }
  }
  EXPECT_GE(ticks, 10);
  EXPECT_EQ(lost, 0);

  // The channel: the track image's caps unscaled along the channel, centred across it when
  // the image is lower, else fitted to its height by picking rows of the image (the column of
  // the cap's rows as the stretch picks them is the reference).
  const TDataSkinObject& track = Element("Track");
  const skin::TSkinBitmap& image = *track.Bitmap;
  const int h = std::min<int>(image.Height(), channel.bottom - channel.top);
  const int top = channel.top + (channel.bottom - channel.top - h) / 2;
  const int L = track.LeftWidth, R = track.RightWidth;
  auto caps = skintest::Filled(L + R, h, kMagenta);
  HDC capsDc = caps->Canvas()->Handle();
  SetStretchBltMode(capsDc, COLORONCOLOR);
  StretchBlt(capsDc, 0, 0, L, h, skin::GdiPicture(image).Source(), 0, 0, L, image.Height(), SRCCOPY);
  StretchBlt(capsDc, L, 0, R, h, skin::GdiPicture(image).Source(), image.Width() - R, 0, R, image.Height(), SRCCOPY);
  int compared = 0, bad = 0, foreign = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < L + R; ++x) {
      ++compared;
      const int dx = x < L ? channel.left + x : channel.right - R + (x - L);
      const int sx = x < L ? x : image.Width() - R + (x - L);
      bad += At(*after, dx, top + y) != At(*caps, x, y);
      // Whatever row was picked, the pixel is one of the image's in that column.
      bool found = false;
      for (int sy = 0; sy < image.Height(); ++sy) found = found || At(image, sx, sy) == At(*after, dx, top + y);
      foreign += !found;
    }
  }
  EXPECT_EQ(foreign, 0);
  EXPECT_GT(compared, 0);
  EXPECT_EQ(bad, 0) << "channel " << channel.left << "," << channel.top << " " << channel.right << ","
                    << channel.bottom << " image " << image.Width() << "x" << image.Height();

  // The thumb: frame 2 of the thumb strip, stretched over the control's thumb rectangle.
  const TDataSkinObject& strip = Element("Trackbar.ThumbHorz");
  auto reference = skintest::Filled(after->Width(), after->Height(), kMagenta);
  DrawFrameStretched(reference->Canvas()->Handle(), thumb, *strip.Bitmap, true, 5, 2);
  compared = bad = 0;
  for (int y = thumb.top; y < thumb.bottom; ++y) {
    for (int x = thumb.left; x < thumb.right; ++x) {
      if (At(*reference, x, y) == kMagenta) continue;
      ++compared;
      bad += At(*after, x, y) != At(*reference, x, y);
    }
  }
  EXPECT_GT(compared, (thumb.right - thumb.left) * (thumb.bottom - thumb.top) / 3);
  EXPECT_EQ(bad, 0);
  // The unskinned bar shows none of it.
  EXPECT_GT(Differences(*before, *after), compared / 2);
}

TEST_P(BarSkinTestOnOwnSkins, AVerticalTrackBarTakesTheUprightChannelAndThumb) {
  auto* bar = Make<ui::TTrackBar, TSkinTrackBar>(10, 10, 40, 180);
  bar->SetOrientation(ui::trVertical);
  bar->SetBounds(10, 10, 40, 180);
  bar->SetRange(0, 10);
  bar->SetPosition(6);
  Skin<TSkinTrackBar>(bar);
  auto drawn = Capture(bar->Handle());
  RECT channel{}, thumb{};
  SendMessageW(bar->Handle(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  SendMessageW(bar->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  // However the control reports the channel, it runs along the bar.
  if (channel.right - channel.left > channel.bottom - channel.top) {
    channel = {channel.top, channel.left, channel.bottom, channel.right};
  }
  // The upright image's top and bottom caps, unscaled along the bar, centred across it when
  // narrower, else fitted to its width by picking columns (as the reference stretch picks).
  const TDataSkinObject& track = Element("TRACKVERT");
  const skin::TSkinBitmap& image = *track.Bitmap;
  const int w = std::min<int>(image.Width(), channel.right - channel.left);
  const int left = channel.left + (channel.right - channel.left - w) / 2;
  const int T = track.TopHeight, B = track.BottomHeight;
  auto caps = skintest::Filled(w, T + B, kMagenta);
  HDC capsDc = caps->Canvas()->Handle();
  SetStretchBltMode(capsDc, COLORONCOLOR);
  StretchBlt(capsDc, 0, 0, w, T, skin::GdiPicture(image).Source(), 0, 0, image.Width(), T, SRCCOPY);
  StretchBlt(capsDc, 0, T, w, B, skin::GdiPicture(image).Source(), 0, image.Height() - B, image.Width(), B, SRCCOPY);
  int compared = 0, bad = 0;
  for (int y = 0; y < T + B; ++y) {
    const int dy = y < T ? channel.top + y : channel.bottom - B + (y - T);
    for (int x = 0; x < w; ++x) {
      ++compared;
      bad += At(*drawn, left + x, dy) != At(*caps, x, y);
    }
  }
  EXPECT_GT(compared, 0);
  EXPECT_EQ(bad, 0);
  // The thumb: frame 2 of the upright thumb strip.
  const TDataSkinObject& strip = Element("Trackbar.ThumbVert");
  auto reference = skintest::Filled(drawn->Width(), drawn->Height(), kMagenta);
  DrawFrameStretched(reference->Canvas()->Handle(), thumb, *strip.Bitmap, true, 5, 2);
  compared = bad = 0;
  for (int y = thumb.top; y < thumb.bottom; ++y) {
    for (int x = thumb.left; x < thumb.right; ++x) {
      if (At(*reference, x, y) == kMagenta) continue;
      ++compared;
      bad += At(*drawn, x, y) != At(*reference, x, y);
    }
  }
  EXPECT_GT(compared, (thumb.right - thumb.left) * (thumb.bottom - thumb.top) / 3);
  EXPECT_EQ(bad, 0);
}

class StatusSkinTest : public BarSkinTest {
 protected:
  ui::TStatusBar* Bar(bool grip) {
    auto* bar = Make<ui::TStatusBar, TSkinStatusBar>(0, 150, 340, 22);
    bar->SetSizeGrip(grip);
    return bar;
  }
  static RECT PartRect(ui::TStatusBar* bar, int i) {
    RECT r{};
    SendMessageW(bar->Handle(), SB_GETRECT, i, reinterpret_cast<LPARAM>(&r));
    return r;
  }
};

// The cases below run once with each skin of ours.
using StatusSkinTestOnOwnSkins = testsupport::OwnSkinsOf<StatusSkinTest>;
INSTANTIATE_FOR_OWN_SKINS(StatusSkinTestOnOwnSkins);

TEST_P(StatusSkinTestOnOwnSkins, AnEmptyPanelGetsItsEdgeAndTheLastPanelReachesTheRightEdge) {
  ui::TStatusBar* bar = Bar(true);
  const wchar_t* const texts[] = {L"First panel", L"", L"x"};
  const int widths[] = {120, 80, 40};
  const ui::TStatusPanelBevel bevels[] = {ui::pbNone, ui::pbRaised, ui::pbLowered};
  for (int i = 0; i < 3; ++i) {
    ui::TStatusPanel* p = bar->Panels()->Add();
    p->SetText(texts[i]);
    p->SetWidth(widths[i]);
    p->SetBevel(bevels[i]);
  }
  Skin<TSkinStatusBar>(bar);
  auto drawn = Capture(bar->Handle());
  const TDataSkinObject& edges = Element("StatusBarEdges");
  const TMargins m{edges.LeftWidth, edges.TopHeight, edges.RightWidth, edges.BottomHeight};

  // The empty panel (raised): the edge's frame 2 composed over its whole rectangle, widened
  // by 2 at the right, and nothing else.
  RECT empty = PartRect(bar, 1);
  empty.right += 2;
  auto composed = ComposeNineRegion(empty.right - empty.left, empty.bottom - empty.top, *edges.Bitmap, m,
                                    TFrameLayout::SideBySide, TCentreMode::Stretch, 3, 2);
  int bad = 0;
  for (int y = 0; y < composed->Height(); ++y) {
    for (int x = 0; x < composed->Width(); ++x) bad += At(*drawn, empty.left + x, empty.top + y) != At(*composed, x, y);
  }
  EXPECT_EQ(bad, 0);
  int compared = 0;
  EXPECT_EQ(CornerMismatches(*drawn, empty, edges, 3, 2, &compared), 0);
  EXPECT_GT(compared, 0);

  // The first panel has no bevel (frame 3) and shows its text.
  RECT first = PartRect(bar, 0);
  first.right += 2;
  composed = ComposeNineRegion(first.right - first.left, first.bottom - first.top, *edges.Bitmap, m,
                               TFrameLayout::SideBySide, TCentreMode::Stretch, 3, 3);
  int text = 0;
  for (int y = 0; y < composed->Height(); ++y) {
    for (int x = 0; x < composed->Width(); ++x) text += At(*drawn, first.left + x, first.top + y) != At(*composed, x, y);
  }
  EXPECT_GT(text, 20);

  // The last panel (lowered: frame 1) made narrower than what is left: its edge still runs
  // to the bar's right edge; the size grip sits in the bottom-right corner.
  const int edges3[] = {120, 200, 240};
  SendMessageW(bar->Handle(), SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges3));
  drawn = Capture(bar->Handle());
  RECT last = PartRect(bar, 2);
  const int width = drawn->Width();
  ASSERT_LT(last.right + 2, width - 50);
  last.right = width;
  const skin::TSkinBitmap& strip = *edges.Bitmap;
  const int fw = strip.Width() / 3;
  compared = 0;
  EXPECT_EQ(Mismatches(*drawn, width - edges.RightWidth, last.top, edges.RightWidth, edges.TopHeight, strip,
                       3, 1, fw - edges.RightWidth, 0, &compared),
            0);
  EXPECT_GT(compared, 0);
  compared = 0;
  EXPECT_EQ(Mismatches(*drawn, last.left, last.top, edges.LeftWidth, edges.TopHeight, strip, 3, 1, 0, 0, &compared),
            0);
  // Along its top row the edge runs unbroken from the panel's left to the bar's right edge.
  const std::uint32_t topRow = At(strip, edges.LeftWidth, 0);
  int gaps = 0;
  for (int x = last.left + edges.LeftWidth; x < width - edges.RightWidth; ++x) gaps += At(*drawn, x, last.top) != topRow;
  EXPECT_EQ(gaps, 0);

  const TDataSkinObject& extra = Element("ExtraImages");
  const int gw = extra.Bitmap->Width() / extra.Frame, gh = extra.Bitmap->Height();
  compared = 0;
  EXPECT_EQ(Mismatches(*drawn, width - 1 - gw, drawn->Height() - 1 - gh, gw, gh, *extra.Bitmap, extra.Frame, 5, 0,
                       0, &compared),
            0);
  EXPECT_GT(compared, 0);
}

// The skinned bar draws every edge itself and then hands each owner-drawn panel to the
// application, inside the panel's rectangle less 2 pixels on every side.
TEST_F(StatusSkinTest, AnOwnerDrawnPanelIsDrawnByTheApplicationInsideItsEdge) {
  ui::TStatusBar* bar = Bar(true);
  bar->Panels()->Add()->SetText(L"text");
  bar->Panels()->Items(0)->SetWidth(120);
  ui::TStatusPanel* owned = bar->Panels()->Add();
  owned->SetStyle(ui::psOwnerDraw);
  int calls = 0;
  bar->OnDrawPanel = [&](ui::TStatusBar* sender, ui::TStatusPanel* panel, const RECT& r) {
    ++calls;
    EXPECT_EQ(panel, owned);
    sender->Canvas()->Brush()->SetColor(ui::clRed);
    sender->Canvas()->FillRect(r);
  };
  Skin<TSkinStatusBar>(bar);
  calls = 0;
  auto drawn = Capture(bar->Handle());
  EXPECT_EQ(calls, 1);
  // The last panel stops short of the size grip, which stays the skin's.
  const TDataSkinObject& extra = Element("ExtraImages");
  const int gw = extra.Bitmap->Width() / extra.Frame, gh = extra.Bitmap->Height();
  RECT inner = PartRect(bar, 1);
  InflateRect(&inner, -2, -2);
  inner.right = std::min<int>(inner.right, drawn->Width() - 1 - gw);
  int compared = 0;
  EXPECT_EQ(Mismatches(*drawn, drawn->Width() - 1 - gw, drawn->Height() - 1 - gh, gw, gh, *extra.Bitmap,
                       extra.Frame, 5, 0, 0, &compared),
            0);
  EXPECT_GT(compared, 0);
  int red = 0;
  for (int y = 0; y < drawn->Height(); ++y) {
    for (int x = 0; x < drawn->Width(); ++x) {
      const bool in = x >= inner.left && x < inner.right && y >= inner.top && y < inner.bottom;
      red += (At(*drawn, x, y) == 0xFF0000u) == in;
    }
  }
  EXPECT_EQ(red, drawn->Width() * drawn->Height()) << "red exactly inside the panel's edge";
  // The skin's edge of the panel (lowered: frame 1) shows at its corner.
  const TDataSkinObject& edges = Element("StatusBarEdges");
  RECT part = PartRect(bar, 1);
  EXPECT_EQ(Mismatches(*drawn, part.left, part.top, 2, 2, *edges.Bitmap, 3, 1, 0, 0), 0);
}

TEST_P(StatusSkinTestOnOwnSkins, ASimpleBarIsOneLoweredEdgeWithItsText) {
  ui::TStatusBar* bar = Bar(false);
  bar->Panels()->Add()->SetText(L"not shown");
  bar->SetSimpleText(L"Simple text");
  bar->SetSimplePanel(true);
  Skin<TSkinStatusBar>(bar);
  auto drawn = Capture(bar->Handle());
  const TDataSkinObject& edges = Element("StatusBarEdges");
  const RECT whole{0, 0, drawn->Width(), drawn->Height()};
  int compared = 0;
  EXPECT_EQ(CornerMismatches(*drawn, whole, edges, 3, 1, &compared), 0);
  EXPECT_GT(compared, 0);
  const TMargins m{edges.LeftWidth, edges.TopHeight, edges.RightWidth, edges.BottomHeight};
  auto composed = ComposeNineRegion(whole.right, whole.bottom, *edges.Bitmap, m, TFrameLayout::SideBySide,
                                    TCentreMode::Stretch, 3, 1);
  // The text lies in the left part; the right part is the bare edge.
  int left = 0, right = 0;
  for (int y = 0; y < whole.bottom; ++y) {
    for (int x = 0; x < whole.right; ++x) {
      const bool differs = At(*drawn, x, y) != At(*composed, x, y);
      (x < whole.right / 2 ? left : right) += differs;
    }
  }
  EXPECT_GT(left, 20);
  EXPECT_EQ(right, 0);
  // Without a size grip nothing is drawn in the corner.
  const TDataSkinObject& extra = Element("ExtraImages");
  const int gw = extra.Bitmap->Width() / extra.Frame, gh = extra.Bitmap->Height();
  compared = 0;
  EXPECT_GT(Mismatches(*drawn, whole.right - 1 - gw, whole.bottom - 1 - gh, gw, gh, *extra.Bitmap, extra.Frame,
                       5, 0, 0, &compared),
            0);
}

TEST_F(StatusSkinTest, TwoBarsShareOnePictureAndEachPaintsItsOwnSize) {
  ui::TStatusBar* wide = Bar(false);
  wide->SetSimpleText(L"wide");
  wide->SetSimplePanel(true);
  auto* narrow = Make<ui::TStatusBar, TSkinStatusBar>(0, 100, 120, 30);
  narrow->SetSizeGrip(false);
  narrow->SetSimpleText(L"narrow");
  narrow->SetSimplePanel(true);
  Skin<TSkinStatusBar>(wide);
  Skin<TSkinStatusBar>(narrow);
  const TDataSkinObject& edges = Element("StatusBarEdges");
  for (int round = 0; round < 2; ++round) {
    for (ui::TStatusBar* bar : {wide, narrow}) {
      auto drawn = Capture(bar->Handle());
      int compared = 0;
      EXPECT_EQ(CornerMismatches(*drawn, {0, 0, drawn->Width(), drawn->Height()}, edges, 3, 1, &compared), 0)
          << "round " << round << " bar " << drawn->Width();
      EXPECT_GT(compared, 0);
    }
  }
}

TEST_P(BarSkinTestOnOwnSkins, ASizeGripIsFaceColoured) {
  HWND grip = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 300, 150, 18, 18,
                              form_->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(grip, nullptr);
  form_->Show();
  auto* sizer = new TSkinSizer(nullptr);
  sizer->AttachHandle(grip, data_, &host_, nullptr);
  auto drawn = skintest::Filled(18, 18, 0x123456);
  SendMessageW(grip, WM_PAINT, reinterpret_cast<WPARAM>(drawn->Canvas()->Handle()), 0);
  int bad = 0;
  for (int y = 0; y < 18; ++y) {
    for (int x = 0; x < 18; ++x) bad += At(*drawn, x, y) != Face();
  }
  EXPECT_EQ(bad, 0);
  DestroyWindow(grip);
  host_.list.Purge();
}

}  // namespace
