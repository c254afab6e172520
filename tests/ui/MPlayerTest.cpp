// The media player: its button glyphs from the program's resources, the bar of visible
// buttons, a click as a press and release over the same button, and the media control
// commands' errors reported rather than thrown away.
#include <gtest/gtest.h>

#include <windows.h>

#include <mmsystem.h>

#include <memory>
#include <vector>

#include "GuiTestSupport.h"
#include "ui/Forms.h"
#include "ui/MPlayer.h"

using namespace ui;

namespace {

constexpr unsigned kOlive = 0x808000;

struct MediaPlayerForm : testing::Test {
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  TMediaPlayer* player = nullptr;
  void SetUp() override {
    form->SetClientSize(400, 100);
    form->Show();
    player = new TMediaPlayer(form.get());
    player->SetParent(form.get());
    player->SetBounds(10, 10, 270, 30);
  }
  void Click(POINT down, POINT up) {
    SendMessageW(player->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
    SendMessageW(player->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(up.x, up.y));
    SendMessageW(player->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
  }
};

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

int CountColour(TBitmap& b, const RECT& r, unsigned rgb) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += (b.ScanLine(y)[x] & 0xFFFFFF) == rgb ? 1 : 0;
  return n;
}

}  // namespace

TEST_F(MediaPlayerForm, EveryButtonHasItsThreeGlyphsOnOlive) {
  for (int b = 0; b < kMPButtonCount; ++b) {
    const auto button = static_cast<TMPBtnType>(b);
    TBitmap* enabled = player->Glyph(button, 0);
    TBitmap* disabled = player->Glyph(button, 1);
    TBitmap* coloured = player->Glyph(button, 2);
    ASSERT_TRUE(enabled && disabled && coloured) << MPButtonResourceName(button);
    const RECT all{0, 0, enabled->Width(), enabled->Height()};
    EXPECT_EQ(enabled->ScanLine(0)[0] & 0xFFFFFF, kOlive);
    EXPECT_GT(CountColour(*enabled, all, 0x000000), 10) << "a black symbol";
    EXPECT_GT(CountColour(*disabled, all, 0x808080), 10) << "a grey symbol";
    EXPECT_GT(CountColour(*disabled, all, 0xFFFFFF), 3) << "with its white emboss";
    // The coloured symbol covers the same pixels as the black one, in a colour.
    const int symbol = enabled->Width() * enabled->Height() - CountColour(*enabled, all, kOlive);
    EXPECT_EQ(coloured->Width() * coloured->Height() - CountColour(*coloured, all, kOlive), symbol);
    EXPECT_EQ(CountColour(*coloured, all, 0x000000), 0);
  }
}

TEST_F(MediaPlayerForm, TheVisibleButtonsShareTheBarAndShowTheirLook) {
  player->SetVisibleButtons((1 << btPlay) | (1 << btStop) | (1 << btEject));
  const RECT pause = player->ButtonRect(btPause);
  EXPECT_TRUE(IsRectEmpty(&pause));
  const RECT play = player->ButtonRect(btPlay), stop = player->ButtonRect(btStop);
  EXPECT_EQ(play.left, 0);
  EXPECT_EQ(play.right - play.left, 90);
  EXPECT_EQ(stop.left, 90);
  EXPECT_EQ(player->ButtonAt({200, 10}), btEject);

  player->SetColoredButtons(1 << btPlay);
  player->SetEnabledButtons(kAllMPButtons & ~(1 << btStop));
  TBitmap target(270, 30);
  SendMessageW(player->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(target.Canvas()->Handle()), 0);
  // The coloured play symbol is green; the disabled stop button grey; eject black.
  EXPECT_GT(CountColour(target, play, 0x00A000), 20);
  EXPECT_EQ(CountColour(target, play, 0x000000) > 40, false) << "no black symbol on play";
  EXPECT_GT(CountColour(target, stop, 0x808080), 20);
  EXPECT_GT(CountColour(target, player->ButtonRect(btEject), 0x000000), 20);
  EXPECT_EQ(CountColour(target, {0, 0, 270, 30}, kOlive), 0) << "olive is transparent";
  EXPECT_EQ(GetEnumPropText(player, L"VisibleButtons").find(L"btPause"), std::wstring::npos);
  EXPECT_NE(GetEnumPropText(player, L"VisibleButtons").find(L"btEject"), std::wstring::npos);
}

TEST_F(MediaPlayerForm, AClickIsAPressAndReleaseOverTheSameButton) {
  std::vector<TMPBtnType> clicks;
  bool doDefault = true;
  player->OnClick = [&](TObject*, TMPBtnType button, bool& runIt) {
    clicks.push_back(button);
    runIt = doDefault;
  };
  const RECT play = player->ButtonRect(btPlay), stop = player->ButtonRect(btStop);
  Click(Centre(play), Centre(play));
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0], btPlay);
  // Nothing is open: the command is refused and the refusal kept, with the system's words.
  EXPECT_EQ(player->Error(), static_cast<unsigned>(MCIERR_INVALID_DEVICE_ID));
  EXPECT_FALSE(player->ErrorMessage().empty());

  Click(Centre(play), Centre(stop));
  EXPECT_EQ(clicks.size(), 1u) << "released over another button";
  Click(Centre(stop), {Centre(stop).x, 200});
  EXPECT_EQ(clicks.size(), 1u) << "released outside";

  // OnClick may keep the button from doing its work.
  EXPECT_TRUE(player->Open() == false);
  doDefault = false;
  const unsigned before = player->Error();
  Click(Centre(stop), Centre(stop));
  EXPECT_EQ(clicks.size(), 2u);
  EXPECT_EQ(player->Error(), before);
  // A disabled button takes no click.
  player->SetEnabledButtons(kAllMPButtons & ~(1 << btStop));
  Click(Centre(stop), Centre(stop));
  EXPECT_EQ(clicks.size(), 2u);
}

TEST_F(MediaPlayerForm, AFileThatCannotBeOpenedIsReportedAndLeavesThePlayerClosed) {
  player->SetFileName(L"C:\\no such folder\\no such sound.wav");
  EXPECT_FALSE(player->Open());
  EXPECT_FALSE(player->IsOpen());
  EXPECT_NE(player->Error(), 0u);
  EXPECT_FALSE(player->ErrorMessage().empty());
  EXPECT_EQ(player->Mode(), mpNotReady);
  EXPECT_FALSE(player->Play());
}
