#include "SkinDerivedImages.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "skin/data/GdiPicture.h"
#include "skin/data/ImgUtil.h"

namespace skin {

namespace {

constexpr int kComboWidth = 50;
constexpr int kComboHeight = 21;
constexpr int kArrowSize = 17;

// Pixels of a DIB section are 0x00RRGGBB; colours have red in the lowest byte.
ui::TColor PixelToColour(std::uint32_t pixel) {
  return static_cast<ui::TColor>(((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF));
}

void FillKey(ui::TBitmap& bitmap, const RECT& rect) {
  ui::TCanvas* canvas = bitmap.Canvas();
  canvas->Brush()->SetStyle(ui::bsSolid);
  canvas->Brush()->SetColor(kKeyColour);
  canvas->FillRect(rect);
}

template <class Bitmap>
void PastePixels(const Bitmap& source, ui::TBitmap& target, int x) {
  for (int y = 0; y < std::min(source.Height(), target.Height()); ++y) {
    const std::uint32_t* from = source.ScanLine(y);
    std::uint32_t* to = target.ScanLine(y);
    const int w = std::min(source.Width(), target.Width() - x);
    if (w > 0) std::copy_n(from, w, to + x);
  }
}

TMargins MarginsOf(const TDataSkinObject& o) {
  return TMargins{o.LeftWidth, o.TopHeight, o.RightWidth, o.BottomHeight};
}

// One face of a combo box: frame k of the sunken edge over the whole, the button over the
// right `button` pixels, the arrow centred on it, and the text area left as key colour.
void DrawComboFace(ui::TBitmap& face, int k, int button, TDataSkinObject& edge,
                   TDataSkinObject& combo, TDataSkinObject* arrows) {
  FillKey(face, RECT{0, 0, kComboWidth, kComboHeight});
  HDC dc = face.Canvas()->Handle();
  DrawNineRegion(dc, RECT{0, 0, kComboWidth, kComboHeight}, *edge.Bitmap,
                 TFrameLayout::SideBySide, TCentreMode::Stretch, edge.Trans != 0, edge.Frame, k,
                 MarginsOf(edge));
  const RECT part{kComboWidth - button, 0, kComboWidth, kComboHeight};
  DrawNineRegion(dc, part, *combo.Bitmap, TFrameLayout::SideBySide, TCentreMode::Stretch, true,
                 combo.Frame, k, MarginsOf(combo));
  if (arrows) DrawFrameCentred(dc, part, *arrows->Bitmap, true, arrows->Frame, k);
  FillKey(face, RECT{2, 2, kComboWidth - 1 - button, kComboHeight - 3});
}

}  // namespace

ui::TColor ResolveColour(TColour colour) {
  return static_cast<ui::TColor>(ui::ColorToRGB(static_cast<ui::TColor>(colour)));
}

void MakeComboImages(TSkinDefinitions& defs) {
  TDataSkinObject* edge = defs.Find("SunkEdge");
  TDataSkinObject* combo = defs.Find("ComboButton");
  if (!edge || !combo) return;
  const int n = std::max(edge->Frame, 1);
  const int button = GetSystemMetrics(SM_CXHSCROLL) + 2;
  ui::TBitmap strip(kComboWidth * n, kComboHeight);
  FillKey(strip, RECT{0, 0, strip.Width(), kComboHeight});
  ui::TBitmap face(kComboWidth, kComboHeight);
  for (int k = 1; k <= n; ++k) {
    DrawComboFace(face, k, button, *edge, *combo, defs.Find("ExtraImages"));
    PastePixels(face, strip, kComboWidth * (k - 1));
  }
  combo->Style = 2;
  AssignPixels(*combo->Bitmap, strip);
  combo->LeftWidth = 2;
  combo->TopHeight = edge->TopHeight;
  combo->RightWidth = button + 2;
  combo->BottomHeight = edge->BottomHeight;
  AssignPixels(*edge->Bitmap, strip);
  CopyMirrored(*edge->Bitmap, *edge->Bitmap, n);  // the right-to-left faces, state by state
  edge->LeftWidth = button + 2;
  edge->RightWidth = 2;
}

void MakeComboArrow(TSkinDefinitions& defs) {
  TDataSkinObject* arrow = defs.Find("ComboxArrow");
  if (!arrow) arrow = defs.Put(std::make_unique<TDataSkinObject>("ComboxArrow"));
  arrow->Bitmap->SetSize(0, 0);
  TDataSkinObject* combo = defs.Find("ComboButton");
  if (!combo) return;
  if (!defs.Find("SunkEdge")) {
    arrow->Bitmap->Assign(*combo->Bitmap);
    ReplaceKeyColour(*arrow->Bitmap, ResolveColour(defs.Colours.ButtonFace));
    arrow->Frame = combo->Frame;
    return;
  }
  if (combo->Style != 2) return;
  const int n = std::max(defs.Find("SunkEdge")->Frame, 1);
  const int w = combo->Bitmap->Width() / n;
  ui::TBitmap strip(kArrowSize * n, kArrowSize);
  for (int i = 0; i < n; ++i) {
    TSkinBitmap part;
    CopyBitmapPart(*combo->Bitmap, (i + 1) * w - 19, 2, kArrowSize, kArrowSize, part);
    PastePixels(part, strip, kArrowSize * i);
  }
  AssignPixels(*arrow->Bitmap, strip);
  arrow->Frame = n;
}

ui::TColor ReadTitleColour(const TSkinDefinitions& defs) {
  const TDataSkinBorder* top = defs.Border("Top");
  if (!top || top->Bitmap->Empty()) return ResolveColour(defs.Colours.ButtonFace);
  const TSkinBitmap& b = *top->Bitmap;
  const int frameHeight = b.Height() / std::max(top->Frame, 1);
  return PixelToColour(PixelAt(b, b.Width() / 3, frameHeight / 3));
}

ui::TColor ToolbarGradientEnd(ui::TColor titleColour) {
  const int saturation = ColourSaturation(titleColour);
  if (saturation > 110) {
    return BlendColours(titleColour, ui::clWhite, (5625 - 25 * saturation) / 140 + 50);
  }
  return BlendColours(ui::clGray, titleColour, 150);
}

void MakeToolbarBackground(TSkinDefinitions& defs, ui::TColor titleColour) {
  TDataSkinObject* toolbar = defs.Find("Toolbar");
  if (!toolbar) toolbar = defs.Put(std::make_unique<TDataSkinObject>("Toolbar"));
  toolbar->Frame = 1;
  ui::TBitmap gradient(10, 40);
  const ui::TColor start = BlendColours(ResolveColour(defs.Colours.ButtonFace), ui::clWhite, 150);
  FillGradient(gradient.Canvas()->Handle(), RECT{0, 0, 10, 40}, start, true,
               ToolbarGradientEnd(titleColour));
  AssignPixels(*toolbar->Bitmap, gradient);
}

}  // namespace skin
