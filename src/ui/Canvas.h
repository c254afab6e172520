// Canvases draw on a device context with the current font, brush and pen, and bitmaps are
// 32-bit DIB sections with a canvas of their own.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "ui/Graphics.h"

namespace ui {

class TBitmap;

class TCanvas : public TObject {
  UI_CLASS_INFO
 public:
  TCanvas();
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // The device context, made on demand by canvases that own one.
  HDC Handle();
  bool HandleAllocated() const { return dc_ != nullptr; }
  // Binds the canvas to a device context it does not own (nothing unbinds it); the tools
  // selected into the previous one are taken out first.
  void SetHandle(HDC dc);

  TFont* Font() const { return font_.get(); }
  TBrush* Brush() const { return brush_.get(); }
  TPen* Pen() const { return pen_.get(); }

  void FillRect(const RECT& r);
  void FrameRect(const RECT& r);
  void Rectangle(int left, int top, int right, int bottom);
  void Ellipse(int left, int top, int right, int bottom);
  void Polygon(const POINT* points, int count);
  // A rectangle whose corners are quarters of a cornerWidth x cornerHeight ellipse.
  void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void TextOut(int x, int y, const std::wstring& text);
  void TextRect(const RECT& r, int x, int y, const std::wstring& text);
  // DrawText with the canvas's font; answers the height of the text.
  int DrawText(const std::wstring& text, RECT& r, UINT format);
  SIZE TextExtent(const std::wstring& text);
  int TextWidth(const std::wstring& text) { return TextExtent(text).cx; }
  int TextHeight(const std::wstring& text) { return TextExtent(text).cy; }
  void Draw(int x, int y, TBitmap& bitmap);
  void StretchDraw(const RECT& r, TBitmap& bitmap);
  void CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect);
  TColor Pixel(int x, int y);
  void SetPixel(int x, int y, TColor color);

 protected:
  // Canvases that own a device context make it here.
  virtual void CreateHandle() {}
  // Takes the tools out of the device context (before it is released or replaced).
  void DeselectTools();

 private:
  void SelectTools();

  HDC dc_ = nullptr;
  HGDIOBJ oldFont_ = nullptr, oldBrush_ = nullptr, oldPen_ = nullptr;
  std::unique_ptr<TFont> font_;
  std::unique_ptr<TBrush> brush_;
  std::unique_ptr<TPen> pen_;
};

// A top-down 32-bit DIB section: pixel (x, y) is ScanLine(y)[x], blue in the lowest byte.
class TBitmap : public TGraphicsObject {
  UI_CLASS_INFO
 public:
  TBitmap();
  TBitmap(int width, int height);
  ~TBitmap() override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetWidth(int width) { SetSize(width, height_); }
  void SetHeight(int height) { SetSize(width_, height); }
  // Keeps the overlapping part of the old picture; new pixels are black.
  void SetSize(int width, int height);
  bool Empty() const { return width_ <= 0 || height_ <= 0; }

  HBITMAP Handle() const { return bitmap_.Get(); }
  TCanvas* Canvas();
  uint32_t* ScanLine(int y);
  const uint32_t* ScanLine(int y) const;
  void Assign(const TBitmap& other);
  // Copies pixels given as 0x00RRGGBB rows, top row first.
  void SetPixels(int width, int height, const uint32_t* rows);

  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value) { transparent_ = value; }
  TColor TransparentColor() const { return transparentColor_; }
  void SetTransparentColor(TColor color) { transparentColor_ = color; }

 private:
  class TBitmapCanvas;
  void Allocate(int width, int height);

  int width_ = 0, height_ = 0;
  uint32_t* bits_ = nullptr;
  TBitmapHandle bitmap_;
  std::unique_ptr<TBitmapCanvas> canvas_;
  bool transparent_ = false;
  TColor transparentColor_ = clFuchsia;
};

}  // namespace ui
