// The frame painted plainly from the skin: the four border strips, the caption text and the
// menu-bar strip. Caption buttons and the icon are not drawn here.
#include <algorithm>
#include <string>

#include "skin/data/SkinDerivedImages.h"
#include "skin/frame/FormFrame.h"
#include "skin/frame/WinSkinForm.h"

namespace skin {

namespace {

void Blit(HDC dc, const RECT& r, ui::TBitmap* strip) {
  if (!strip) return;
  BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, strip->Canvas()->Handle(), 0, 0,
         SRCCOPY);
}

// A window DC taken for the frame and given back at the end of the scope.
class TWindowDC {
 public:
  TWindowDC(HWND window, HDC given) : window_(window), dc_(given) {
    if (!dc_) {
      dc_ = GetWindowDC(window);
      owned_ = true;
    }
  }
  ~TWindowDC() {
    if (owned_ && dc_) ReleaseDC(window_, dc_);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
  bool owned_ = false;
};

}  // namespace

void TWinSkinForm::PaintFrame(HDC given) {
  if (frameState_ != fsRunning && frameState_ != fsReapplying) return;
  if (borderKind_ == bkNoCaption || !HasSkin()) return;
  if (formKind_ == fkMDIChild && windowState_ == wsMaximized) return;
  GetWindowRect(handle_, &windowRect_);
  const int w = windowRect_.right - windowRect_.left, h = windowRect_.bottom - windowRect_.top;
  TWindowDC dc(handle_, given);
  if (!dc.Get()) return;
  const RECT title = windowState_ == wsMinimized ? RECT{0, 0, w, titleHeight_}
                                                 : RECT{leftWidth_, 0, w - rightWidth_, titleHeight_};
  if (windowState_ != wsMinimized) {
    const RECT left{0, 0, leftWidth_, h}, right{w - rightWidth_, 0, w, h};
    const RECT bottom{leftWidth_, h - bottomHeight_, w - rightWidth_, h};
    Blit(dc.Get(), left, ComposeBorder(bpLeft, leftWidth_, h).get());
    Blit(dc.Get(), right, ComposeBorder(bpRight, rightWidth_, h).get());
    Blit(dc.Get(), bottom, ComposeBorder(bpBottom, bottom.right - bottom.left, bottomHeight_).get());
  }
  Blit(dc.Get(), title, ComposeBorder(bpTop, title.right - title.left, titleHeight_).get());

  // The caption text, from the title's text shift up to its right clip.
  const TDataSkinTitle* def = skinData_->Definitions().Title();
  const TColour given_colour = def ? (active_ ? def->ActiveText : def->InActiveText) : kColourNotGiven;
  const TColour colour = given_colour != kColourNotGiven
                             ? given_colour
                             : (active_ ? skinData_->Colours().TitleTextActive
                                        : skinData_->Colours().TitleTextNoActive);
  const int shift = def ? def->LeftWidth : 6, clip = def ? def->RightWidth : 0;
  RECT text{shift, (def ? def->TopHeight : 0), w - clip, titleHeight_};
  if (text.right > text.left) {
    const int length = GetWindowTextLengthW(handle_);
    std::wstring caption(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
    caption.resize(static_cast<std::size_t>(GetWindowTextW(handle_, caption.data(), length + 1)));
    const int savedState = SaveDC(dc.Get());
    SelectObject(dc.Get(), skinData_->CaptionFont());
    SetBkMode(dc.Get(), TRANSPARENT);
    SetTextColor(dc.Get(), ui::ColorToRGB(ResolveColour(colour)));
    DrawTextW(dc.Get(), caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    RestoreDC(dc.Get(), savedState);
  }

  if (menuBarHeight_ > 0 && windowState_ != wsMinimized) {
    const RECT band{leftWidth_, titleHeight_, w - rightWidth_, titleHeight_ + menuBarHeight_};
    FillRect(dc.Get(), &band, skinData_->ButtonFaceBrush());
  }
}

}  // namespace skin
