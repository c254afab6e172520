#include "ui/Canvas.h"

#include <algorithm>
#include <cstring>

#include "ui/SysUtils.h"

namespace ui {

const TClassInfo& TCanvas::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TCanvas", &TObject::StaticClass());
    c.Obj(L"Brush", &TCanvas::Brush);
    c.Obj(L"Font", &TCanvas::Font);
    c.Obj(L"Pen", &TCanvas::Pen);
    return c;
  }();
  return info;
}

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()), brush_(std::make_unique<TBrush>()), pen_(std::make_unique<TPen>()) {}

TCanvas::~TCanvas() { DeselectTools(); }

HDC TCanvas::Handle() {
  if (!dc_) CreateHandle();
  if (!dc_) throw Exception(L"Canvas does not allow drawing");
  return dc_;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == dc_) return;
  DeselectTools();
  dc_ = dc;
}

void TCanvas::SelectTools() {
  HDC dc = Handle();
  HGDIOBJ f = SelectObject(dc, font_->Handle());
  HGDIOBJ p = SelectObject(dc, pen_->Handle());
  HGDIOBJ b = SelectObject(dc, brush_->Handle() ? static_cast<HGDIOBJ>(brush_->Handle())
                                                : GetStockObject(NULL_BRUSH));
  if (!oldFont_) oldFont_ = f;
  if (!oldPen_) oldPen_ = p;
  if (!oldBrush_) oldBrush_ = b;
  SetTextColor(dc, ColorToRGB(font_->Color()));
  if (brush_->Style() == bsSolid) {
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ColorToRGB(brush_->Color()));
  } else {
    // Hatches draw their lines only; what lies between them shows through.
    SetBkMode(dc, TRANSPARENT);
    SetBkColor(dc, ~ColorToRGB(brush_->Color()) & 0xFFFFFF);
  }
}

void TCanvas::DeselectTools() {
  if (!dc_) return;
  if (oldFont_) SelectObject(dc_, oldFont_);
  if (oldPen_) SelectObject(dc_, oldPen_);
  if (oldBrush_) SelectObject(dc_, oldBrush_);
  oldFont_ = oldPen_ = oldBrush_ = nullptr;
}

void TCanvas::FillRect(const RECT& r) {
  SelectTools();
  if (HBRUSH b = brush_->Handle()) ::FillRect(dc_, &r, b);
}

void TCanvas::FrameRect(const RECT& r) {
  SelectTools();
  if (HBRUSH b = brush_->Handle()) ::FrameRect(dc_, &r, b);
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  SelectTools();
  ::Rectangle(dc_, left, top, right, bottom);
}

void TCanvas::Polygon(const POINT* points, int count) {
  SelectTools();
  ::Polygon(dc_, points, count);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
  SelectTools();
  ::Ellipse(dc_, left, top, right, bottom);
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
  SelectTools();
  ::RoundRect(dc_, left, top, right, bottom, cornerWidth, cornerHeight);
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(Handle(), x, y, nullptr); }

void TCanvas::LineTo(int x, int y) {
  SelectTools();
  ::LineTo(dc_, x, y);
}

void TCanvas::TextOut(int x, int y, const std::wstring& text) {
  SelectTools();
  ExtTextOutW(dc_, x, y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

void TCanvas::TextRect(const RECT& r, int x, int y, const std::wstring& text) {
  SelectTools();
  UINT options = ETO_CLIPPED | (brush_->Style() == bsClear ? 0 : ETO_OPAQUE);
  ExtTextOutW(dc_, x, y, options, &r, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

int TCanvas::DrawText(const std::wstring& text, RECT& r, UINT format) {
  SelectTools();
  return ::DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &r, format);
}

SIZE TCanvas::TextExtent(const std::wstring& text) {
  SelectTools();
  SIZE size{};
  GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  RECT r{x, y, x + bitmap.Width(), y + bitmap.Height()};
  StretchDraw(r, bitmap);
}

void TCanvas::StretchDraw(const RECT& r, TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  HDC dc = Handle();
  HDC src = bitmap.Canvas()->Handle();
  int w = r.right - r.left, h = r.bottom - r.top;
  if (bitmap.Transparent()) {
    TransparentBlt(dc, r.left, r.top, w, h, src, 0, 0, bitmap.Width(), bitmap.Height(),
                   ColorToRGB(bitmap.TransparentColor()));
  } else if (w == bitmap.Width() && h == bitmap.Height()) {
    BitBlt(dc, r.left, r.top, w, h, src, 0, 0, SRCCOPY);
  } else {
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, r.left, r.top, w, h, src, 0, 0, bitmap.Width(), bitmap.Height(), SRCCOPY);
  }
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect) {
  HDC dc = Handle();
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source.Handle(),
             sourceRect.left, sourceRect.top, sourceRect.right - sourceRect.left,
             sourceRect.bottom - sourceRect.top, SRCCOPY);
}

TColor TCanvas::Pixel(int x, int y) { return static_cast<TColor>(GetPixel(Handle(), x, y)); }
void TCanvas::SetPixel(int x, int y, TColor color) { ::SetPixel(Handle(), x, y, ColorToRGB(color)); }

// The bitmap's canvas: a memory device context with the bitmap selected into it.
class TBitmap::TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap& owner) : owner_(owner) {}
  ~TBitmapCanvas() override { Release(); }
  void Release() {
    if (!HandleAllocated()) return;
    HDC dc = Handle();
    DeselectTools();
    SelectObject(dc, oldBitmap_);
    SetHandle(nullptr);
    DeleteDC(dc);
  }

 protected:
  void CreateHandle() override {
    HDC dc = CreateCompatibleDC(nullptr);
    oldBitmap_ = owner_.Handle() ? SelectObject(dc, owner_.Handle()) : nullptr;
    SetHandle(dc);
  }

 private:
  TBitmap& owner_;
  HGDIOBJ oldBitmap_ = nullptr;
};

const TClassInfo& TBitmap::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TBitmap", &TGraphicsObject::StaticClass());
    c.Int(L"Height", &TBitmap::Height, &TBitmap::SetHeight);
    c.Bool(L"Transparent", &TBitmap::Transparent, &TBitmap::SetTransparent);
    c.Int(L"TransparentColor", &TBitmap::TransparentColor, &TBitmap::SetTransparentColor);
    c.Int(L"Width", &TBitmap::Width, &TBitmap::SetWidth);
    return c;
  }();
  return info;
}

TBitmap::TBitmap() = default;
TBitmap::TBitmap(int width, int height) { SetSize(width, height); }

TBitmap::~TBitmap() {
  canvas_.reset();
}

void TBitmap::Allocate(int width, int height) {
  if (canvas_) canvas_->Release();
  bitmap_.Reset();
  bits_ = nullptr;
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  if (Empty()) return;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = width_;
  bi.bmiHeader.biHeight = -height_;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_.Reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap_) {
    width_ = height_ = 0;
    throw Exception(L"Out of system resources");
  }
  bits_ = static_cast<uint32_t*>(bits);
}

void TBitmap::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  TBitmap old;
  old.width_ = width_;
  old.height_ = height_;
  old.bits_ = bits_;
  old.bitmap_ = std::move(bitmap_);
  Allocate(width, height);
  if (bits_ && old.bits_) {
    GdiFlush();
    int w = std::min(width_, old.width_), h = std::min(height_, old.height_);
    for (int y = 0; y < h; ++y) std::memcpy(ScanLine(y), old.ScanLine(y), sizeof(uint32_t) * w);
  }
  Changed();
}

TCanvas* TBitmap::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TBitmapCanvas>(*this);
  return canvas_.get();
}

uint32_t* TBitmap::ScanLine(int y) {
  GdiFlush();
  return bits_ + static_cast<size_t>(y) * static_cast<size_t>(width_);
}

const uint32_t* TBitmap::ScanLine(int y) const {
  GdiFlush();
  return bits_ + static_cast<size_t>(y) * static_cast<size_t>(width_);
}

void TBitmap::Assign(const TBitmap& other) {
  SetPixels(other.width_, other.height_, other.bits_);
  transparent_ = other.transparent_;
  transparentColor_ = other.transparentColor_;
}

void TBitmap::SetPixels(int width, int height, const uint32_t* rows) {
  if (width != width_ || height != height_) Allocate(width, height);
  if (bits_ && rows) {
    GdiFlush();
    std::memcpy(bits_, rows, sizeof(uint32_t) * static_cast<size_t>(width_) * static_cast<size_t>(height_));
  }
  Changed();
}

}  // namespace ui
