// Colours and the GDI drawing tools: fonts, brushes and pens.
//
// Each tool describes itself in plain values and makes its GDI object on first use, keeping
// it until a value changes; the object is deleted with the tool. Canvases select the tools'
// objects into their device context as they draw.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/TypInfo.h"

namespace ui {

// Red in the lowest byte, then green, then blue; a top byte of 0xFF marks a system colour
// whose index is the lowest byte.
using TColor = int;

constexpr TColor clSystemColor = static_cast<int>(0xFF000000u);
constexpr TColor SystemColor(int index) { return clSystemColor | index; }
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = SystemColor(COLOR_BTNSHADOW);
constexpr TColor clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr TColor clHighlight = SystemColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clGrayText = SystemColor(COLOR_GRAYTEXT);
constexpr TColor clInfoBk = SystemColor(COLOR_INFOBK);
constexpr TColor clInfoText = SystemColor(COLOR_INFOTEXT);
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// A system colour resolved to its current RGB value; other colours unchanged.
COLORREF ColorToRGB(TColor color);

// Base of the drawing tools: tells its owner when a value changes.
class TGraphicsObject : public TObject {
  UI_CLASS_INFO
 public:
  TGraphicsObject() = default;
  TGraphicsObject(const TGraphicsObject&) = delete;
  TGraphicsObject& operator=(const TGraphicsObject&) = delete;
  std::function<void(TGraphicsObject*)> OnChange;

 protected:
  void Changed();
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = int;  // bit 1 << TFontStyle
const TEnumInfo& FontStyleInfo();

class TFont : public TGraphicsObject {
  UI_CLASS_INFO
 public:
  TFont();
  ~TFont() override;

  std::wstring Name() const { return name_; }
  void SetName(const std::wstring& name);
  // Negative: the character height in pixels; positive: the cell height.
  int Height() const { return height_; }
  void SetHeight(int height);
  // Points at 96 pixels per inch.
  int Size() const;
  void SetSize(int points);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  int Charset() const { return charset_; }
  void SetCharset(int charset);

  void Assign(const TFont& other);
  HFONT Handle() const;

 private:
  void Reset();
  std::wstring name_ = L"Tahoma";
  int height_ = -11;
  TColor color_ = clWindowText;
  TFontStyles style_ = 0;
  int charset_ = DEFAULT_CHARSET;
  mutable HFONT handle_ = nullptr;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
const TEnumInfo& BrushStyleInfo();

class TBrush : public TGraphicsObject {
  UI_CLASS_INFO
 public:
  ~TBrush() override;
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style);
  void Assign(const TBrush& other);
  // Nothing for a clear brush.
  HBRUSH Handle() const;

 private:
  void Reset();
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  mutable HBRUSH handle_ = nullptr;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
const TEnumInfo& PenStyleInfo();

class TPen : public TGraphicsObject {
  UI_CLASS_INFO
 public:
  ~TPen() override;
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int Width() const { return width_; }
  void SetWidth(int width);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style);
  void Assign(const TPen& other);
  HPEN Handle() const;

 private:
  void Reset();
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
  mutable HPEN handle_ = nullptr;
};

// Owns one GDI object and deletes it at the end of its scope.
template <class H>
class TGdiHandle {
 public:
  TGdiHandle() = default;
  explicit TGdiHandle(H h) : h_(h) {}
  ~TGdiHandle() { Reset(); }
  TGdiHandle(TGdiHandle&& o) noexcept : h_(o.Release()) {}
  TGdiHandle& operator=(TGdiHandle&& o) noexcept {
    if (this != &o) Reset(o.Release());
    return *this;
  }
  TGdiHandle(const TGdiHandle&) = delete;
  TGdiHandle& operator=(const TGdiHandle&) = delete;
  H Get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  H Release() {
    H h = h_;
    h_ = nullptr;
    return h;
  }
  void Reset(H h = nullptr) {
    if (h_) DeleteObject(h_);
    h_ = h;
  }

 private:
  H h_ = nullptr;
};
using TRegionHandle = TGdiHandle<HRGN>;
using TBrushHandle = TGdiHandle<HBRUSH>;
using TFontHandle = TGdiHandle<HFONT>;
using TPenHandle = TGdiHandle<HPEN>;
using TBitmapHandle = TGdiHandle<HBITMAP>;

}  // namespace ui
