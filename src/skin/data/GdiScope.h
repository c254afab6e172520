// Scoped GDI helpers for the image primitives: each undoes what it changed when it ends.
#pragma once

#include <windows.h>

namespace skin {

// A memory device context with one bitmap selected into it. A bitmap can be selected into
// one device context at a time: for ui::TBitmap use its canvas instead.
class TMemoryDC {
 public:
  explicit TMemoryDC(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr)) {
    if (dc_) old_ = SelectObject(dc_, bitmap);
  }
  ~TMemoryDC() {
    if (!dc_) return;
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ old_ = nullptr;
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

// Saves the whole state of a device context and restores it.
class TSavedDC {
 public:
  explicit TSavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~TSavedDC() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;

 private:
  HDC dc_;
  int saved_;
};

}  // namespace skin
