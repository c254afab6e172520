// Shared pieces of the push-button and check-box skinner tests: a form with the program's own
// skin, captures of a skinned control painted into a device-independent bitmap, and the
// comparison of drawn pixels with a frame of a skin strip.
#pragma once

#include <memory>

#include "ControlTestSupport.h"
#include "ImageTestSupport.h"
#include "OwnSkins.h"
#include "skin/model/SkinObjects.h"
#include "skin/frame/SkinManage.h"
#include "ui/Forms.h"

namespace ctltest {

// A form with the component of one of our skins: the built-in one unless a subclass (such as
// testsupport::OwnSkinsOf) names another.
class SkinnedFormTest : public testing::Test {
 protected:
  virtual std::string SkinName() const { return testsupport::kBuiltInSkin; }
  void SetUp() override {
    holder_ = std::make_unique<ui::TForm>(nullptr);
    data_ = testsupport::CreateOwnSkinData(holder_.get(), SkinName());
    ASSERT_NE(data_, nullptr);
    buttons_ = dynamic_cast<skin::TDataSkinButton*>(data_->SkinObject("Buttons"));
    ASSERT_NE(buttons_, nullptr);
    ASSERT_TRUE(buttons_->Bitmap && !buttons_->Bitmap->Empty());
    form_ = std::make_unique<ui::TForm>(nullptr);
    form_->SetBounds(40, 40, 360, 240);
  }
  void TearDown() override {
    form_.reset();
    holder_.reset();
    skin::DestroySkinManager();
  }

  // The window painted through its WM_PAINT into a bitmap of the window's size.
  static std::unique_ptr<ui::TBitmap> Capture(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    auto bitmap = skintest::Filled(r.right - r.left, r.bottom - r.top, 0x123456);
    SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(bitmap->Canvas()->Handle()), 0);
    return bitmap;
  }

  // Pixels of `drawn` in the part (x, y, w, h) that differ from the same part of frame `frame`
  // of `count` side-by-side frames of `strip` at (sx, sy) within the frame, magenta left out;
  // `compared` counts the pixels that were not magenta.
  template <class Strip>
  static int Mismatches(const ui::TBitmap& drawn, int x, int y, int w, int h, const Strip& strip,
                        int count, int frame, int sx, int sy, int* compared = nullptr) {
    const int fw = strip.Width() / count;
    int bad = 0;
    for (int dy = 0; dy < h; ++dy) {
      for (int dx = 0; dx < w; ++dx) {
        const std::uint32_t s = skintest::At(strip, fw * (frame - 1) + sx + dx, sy + dy);
        if (s == skintest::kMagenta) continue;
        if (compared) ++*compared;
        if (skintest::At(drawn, x + dx, y + dy) != s) ++bad;
      }
    }
    return bad;
  }

  // The four corners of a button (the element's unscaled margins) against frame `frame`.
  int CornerMismatches(const ui::TBitmap& drawn, int frame, int* compared = nullptr) const {
    const skin::TSkinBitmap& strip = *buttons_->Bitmap;
    const int count = buttons_->Frame, fw = strip.Width() / count, fh = strip.Height();
    const int L = buttons_->LeftWidth, T = buttons_->TopHeight;
    const int R = buttons_->RightWidth, B = buttons_->BottomHeight;
    const int W = drawn.Width(), H = drawn.Height();
    return Mismatches(drawn, 0, 0, L, T, strip, count, frame, 0, 0, compared) +
           Mismatches(drawn, W - R, 0, R, T, strip, count, frame, fw - R, 0, compared) +
           Mismatches(drawn, 0, H - B, L, B, strip, count, frame, 0, fh - B, compared) +
           Mismatches(drawn, W - R, H - B, R, B, strip, count, frame, fw - R, fh - B, compared);
  }

  // The frames of the Buttons strip whose corners the drawing shows exactly.
  std::vector<int> FramesShown(const ui::TBitmap& drawn) const {
    std::vector<int> frames;
    for (int f = 1; f <= buttons_->Frame; ++f) {
      int compared = 0;
      if (CornerMismatches(drawn, f, &compared) == 0 && compared > 0) frames.push_back(f);
    }
    return frames;
  }

  std::unique_ptr<ui::TForm> holder_;
  skin::TSkinData* data_ = nullptr;
  skin::TDataSkinButton* buttons_ = nullptr;
  std::unique_ptr<ui::TForm> form_;
  TestHost host_;
};

}  // namespace ctltest
