// Scopes for device contexts and what is selected into them. Each undoes what it did when it
// ends, in the order GDI needs: the old object selected back before the context is given
// back or deleted, the context deleted before the bitmap it held.
//
// Owned contexts (made here, deleted here): TMemoryDC. Borrowed contexts (the window's or the
// screen's, given back here): TWindowDC, TClientDC. A context handed in by the system (a paint
// message's) is neither: use TSelectObject and TSavedDC on it.
#pragma once

#include <windows.h>

#include <memory>

#include "ui/Canvas.h"

namespace ui {

// A window's or the screen's device context, borrowed with GetDC and given back with ReleaseDC.
// A context handed in (`given`) is used as it is and not given back.
class TClientDC {
 public:
  explicit TClientDC(HWND window, HDC given = nullptr)
      : window_(window), dc_(given ? given : GetDC(window)), owned_(!given) {}
  ~TClientDC() {
    if (owned_ && dc_) ReleaseDC(window_, dc_);
  }
  TClientDC(const TClientDC&) = delete;
  TClientDC& operator=(const TClientDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
  bool owned_;
};

// The whole window's device context (frame included), borrowed with GetWindowDC.
class TWindowDC {
 public:
  explicit TWindowDC(HWND window, HDC given = nullptr)
      : window_(window), dc_(given ? given : GetWindowDC(window)), owned_(!given) {}
  ~TWindowDC() {
    if (owned_ && dc_) ReleaseDC(window_, dc_);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
  bool owned_;
};

// An object selected into a context for the scope; the old one is selected back at its end.
class TSelectObject {
 public:
  TSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(dc && object ? SelectObject(dc, object) : nullptr) {}
  ~TSelectObject() {
    if (old_) SelectObject(dc_, old_);
  }
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// The whole state of a context saved and restored.
class TSavedDC {
 public:
  explicit TSavedDC(HDC dc) : dc_(dc), saved_(dc ? SaveDC(dc) : 0) {}
  ~TSavedDC() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// Stretching without smoothing: each destination pixel is one source pixel.
class TStretchModeScope {
 public:
  explicit TStretchModeScope(HDC dc) : dc_(dc), old_(SetStretchBltMode(dc, COLORONCOLOR)) {}
  ~TStretchModeScope() {
    if (old_) SetStretchBltMode(dc_, old_);
  }
  TStretchModeScope(const TStretchModeScope&) = delete;
  TStretchModeScope& operator=(const TStretchModeScope&) = delete;

 private:
  HDC dc_;
  int old_;
};

// A memory context of its own with one bitmap selected into it, for reading or drawing a bare
// bitmap handle. A bitmap can be selected into one context at a time: for a TBitmap use its
// canvas instead.
class TMemoryDC {
 public:
  explicit TMemoryDC(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr)) {
    if (dc_) old_ = SelectObject(dc_, bitmap);
  }
  ~TMemoryDC() {
    if (!dc_) return;
    if (old_) SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ old_ = nullptr;
};

// An off-screen picture to compose into and copy to the screen in one piece, so that what is
// composed never flickers. It keeps its bitmap between uses of the same size and makes it
// anew for another size, so that it never holds more than the last picture needs.
class TOffscreenBuffer {
 public:
  // The buffer's context, ready for a picture of `width` x `height`; none for an empty size.
  // It holds what was composed last: the caller draws the whole area.
  HDC Begin(int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    if (!bitmap_ || bitmap_->Width() != width || bitmap_->Height() != height) {
      bitmap_ = std::make_unique<TBitmap>(width, height);
    }
    width_ = width;
    height_ = height;
    return bitmap_->Canvas()->Handle();
  }
  // Copies what was composed since Begin to (x, y) of `target`.
  void CopyTo(HDC target, int x = 0, int y = 0) const {
    if (bitmap_ && width_ > 0) BitBlt(target, x, y, width_, height_, bitmap_->Canvas()->Handle(), 0, 0, SRCCOPY);
  }

 private:
  std::unique_ptr<TBitmap> bitmap_;
  int width_ = 0, height_ = 0;
};

}  // namespace ui
