#include "ui/Graphics.h"

namespace ui {

COLORREF ColorToRGB(TColor color) {
  if ((static_cast<unsigned>(color) & 0xFF000000u) == 0xFF000000u)
    return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color) & 0x00FFFFFFu;
}

const TClassInfo& TGraphicsObject::StaticClass() {
  static const TClassInfo info(L"TGraphicsObject", &TObject::StaticClass());
  return info;
}

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

const TEnumInfo& FontStyleInfo() {
  static const TEnumInfo info(L"TFontStyle", {L"fsBold", L"fsItalic", L"fsUnderline", L"fsStrikeOut"});
  return info;
}

const TClassInfo& TFont::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TFont", &TGraphicsObject::StaticClass());
    c.Int(L"Charset", &TFont::Charset, &TFont::SetCharset);
    c.Int(L"Color", &TFont::Color, &TFont::SetColor);
    c.Int(L"Height", &TFont::Height, &TFont::SetHeight);
    c.Str(L"Name", &TFont::Name, &TFont::SetName);
    c.Int(L"Size", &TFont::Size, &TFont::SetSize);
    c.Set(L"Style", FontStyleInfo(), &TFont::Style, &TFont::SetStyle);
    return c;
  }();
  return info;
}

TFont::TFont() = default;
TFont::~TFont() { Reset(); }

void TFont::Reset() {
  if (handle_) DeleteObject(handle_);
  handle_ = nullptr;
}

void TFont::SetName(const std::wstring& name) {
  if (name == name_) return;
  name_ = name;
  Reset();
  Changed();
}

void TFont::SetHeight(int height) {
  if (height == height_) return;
  height_ = height;
  Reset();
  Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, 96); }
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, 96, 72)); }

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TFont::SetStyle(TFontStyles style) {
  if (style == style_) return;
  style_ = style;
  Reset();
  Changed();
}

void TFont::SetCharset(int charset) {
  if (charset == charset_) return;
  charset_ = charset;
  Reset();
  Changed();
}

void TFont::Assign(const TFont& other) {
  name_ = other.name_;
  height_ = other.height_;
  color_ = other.color_;
  style_ = other.style_;
  charset_ = other.charset_;
  Reset();
  Changed();
}

HFONT TFont::Handle() const {
  if (!handle_) {
    LOGFONTW lf{};
    lf.lfHeight = height_;
    lf.lfWeight = (style_ & (1 << fsBold)) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style_ & (1 << fsItalic)) != 0;
    lf.lfUnderline = (style_ & (1 << fsUnderline)) != 0;
    lf.lfStrikeOut = (style_ & (1 << fsStrikeOut)) != 0;
    lf.lfCharSet = static_cast<BYTE>(charset_);
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(lf.lfFaceName, name_.c_str(), LF_FACESIZE);
    handle_ = CreateFontIndirectW(&lf);
  }
  return handle_;
}

const TEnumInfo& BrushStyleInfo() {
  static const TEnumInfo info(L"TBrushStyle", {L"bsSolid", L"bsClear", L"bsHorizontal", L"bsVertical",
                                               L"bsFDiagonal", L"bsBDiagonal", L"bsCross", L"bsDiagCross"});
  return info;
}

const TClassInfo& TBrush::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TBrush", &TGraphicsObject::StaticClass());
    c.Int(L"Color", &TBrush::Color, &TBrush::SetColor);
    c.Enum(L"Style", BrushStyleInfo(), &TBrush::Style, &TBrush::SetStyle);
    return c;
  }();
  return info;
}

TBrush::~TBrush() { Reset(); }

void TBrush::Reset() {
  if (handle_) DeleteObject(handle_);
  handle_ = nullptr;
}

void TBrush::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  if (style_ == bsClear) style_ = bsSolid;
  Reset();
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (style == style_) return;
  style_ = style;
  Reset();
  Changed();
}

void TBrush::Assign(const TBrush& other) {
  color_ = other.color_;
  style_ = other.style_;
  Reset();
  Changed();
}

HBRUSH TBrush::Handle() const {
  if (!handle_ && style_ != bsClear) {
    COLORREF rgb = ColorToRGB(color_);
    switch (style_) {
      case bsSolid: handle_ = CreateSolidBrush(rgb); break;
      case bsHorizontal: handle_ = CreateHatchBrush(HS_HORIZONTAL, rgb); break;
      case bsVertical: handle_ = CreateHatchBrush(HS_VERTICAL, rgb); break;
      case bsFDiagonal: handle_ = CreateHatchBrush(HS_FDIAGONAL, rgb); break;
      case bsBDiagonal: handle_ = CreateHatchBrush(HS_BDIAGONAL, rgb); break;
      case bsCross: handle_ = CreateHatchBrush(HS_CROSS, rgb); break;
      case bsDiagCross: handle_ = CreateHatchBrush(HS_DIAGCROSS, rgb); break;
      case bsClear: break;
    }
  }
  return handle_;
}

const TEnumInfo& PenStyleInfo() {
  static const TEnumInfo info(L"TPenStyle", {L"psSolid", L"psDash", L"psDot", L"psDashDot",
                                             L"psDashDotDot", L"psClear", L"psInsideFrame"});
  return info;
}

const TClassInfo& TPen::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TPen", &TGraphicsObject::StaticClass());
    c.Int(L"Color", &TPen::Color, &TPen::SetColor);
    c.Enum(L"Style", PenStyleInfo(), &TPen::Style, &TPen::SetStyle);
    c.Int(L"Width", &TPen::Width, &TPen::SetWidth);
    return c;
  }();
  return info;
}

TPen::~TPen() { Reset(); }

void TPen::Reset() {
  if (handle_) DeleteObject(handle_);
  handle_ = nullptr;
}

void TPen::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Reset();
  Changed();
}

void TPen::SetWidth(int width) {
  if (width == width_) return;
  width_ = width;
  Reset();
  Changed();
}

void TPen::SetStyle(TPenStyle style) {
  if (style == style_) return;
  style_ = style;
  Reset();
  Changed();
}

void TPen::Assign(const TPen& other) {
  color_ = other.color_;
  width_ = other.width_;
  style_ = other.style_;
  Reset();
  Changed();
}

HPEN TPen::Handle() const {
  if (!handle_) {
    static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    handle_ = CreatePen(styles[style_], width_, ColorToRGB(color_));
  }
  return handle_;
}

}  // namespace ui
