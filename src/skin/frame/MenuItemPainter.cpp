#include "skin/frame/MenuItemPainter.h"

#include <algorithm>

#include "skin/data/GdiPicture.h"
#include "skin/data/SkinDerivedImages.h"
#include "skin/data/SkinDraw.h"
#include "ui/DrawingScopes.h"

namespace skin {

namespace {

constexpr int kMenuItemFrames = 5;
constexpr int kGlyphSize = 16;

int WidthOf(const RECT& r) { return r.right - r.left; }
int HeightOf(const RECT& r) { return r.bottom - r.top; }

const TDataSkinObject* MenuItemDefinition(const TSkinData& data) {
  const TDataSkinObject* def = data.SkinLoaded() ? data.Resolved().MenuItem : nullptr;
  return def && def->Bitmap && !def->Bitmap->Empty() ? def : nullptr;
}

RECT MirrorIn(const RECT& r, const RECT& outer) {
  return {outer.left + outer.right - r.right, r.top, outer.left + outer.right - r.left, r.bottom};
}

// A monochrome picture of one of the system's menu marks (check mark, radio bullet, sub-menu
// arrow: a DFCS_MENU* kind), drawn in `colour` where the mark is and leaving the rest of the
// box as it was.
void DrawMenuMark(HDC dc, const RECT& box, UINT kind, COLORREF colour) {
  const int w = WidthOf(box), h = HeightOf(box);
  ui::TBitmapHandle mono(CreateBitmap(w, h, 1, 1, nullptr));
  ui::TMemoryDC monoDC(mono.Get());
  RECT all{0, 0, w, h};
  FillRect(monoDC.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawFrameControl(monoDC.Get(), &all, DFC_MENU, kind);
  ui::TBrushHandle brush(CreateSolidBrush(colour));
  const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  const HGDIOBJ oldBrush = SelectObject(dc, brush.Get());
  // Where the mark's picture is white the destination stays, where it is black the brush.
  constexpr DWORD kKeepWhereWhite = 0x00B8074A;
  BitBlt(dc, box.left, box.top, w, h, monoDC.Get(), 0, 0, kKeepWhereWhite);
  SelectObject(dc, oldBrush);
  SetBkColor(dc, oldBack);
  SetTextColor(dc, oldText);
}

// The glyph column: the item's picture (sunken on a checked pattern when checked), else the
// check mark or radio bullet of a checked item.
void DrawGlyph(HDC dc, const RECT& rect, const RECT& box, const TMenuItemLook& look,
               COLORREF markColour) {
  const bool hasImage = look.Images && look.ImageIndex >= 0 &&
                        look.ImageIndex < ImageList_GetImageCount(look.Images);
  const bool hasGlyph = look.Glyph && !look.Glyph->Empty();
  if (hasImage || hasGlyph) {
    if (look.Checked) {
      WORD pattern[8];
      for (int i = 0; i < 8; ++i) pattern[i] = static_cast<WORD>((i % 2) ? 0x55 : 0xAA);
      ui::TBitmapHandle bits(CreateBitmap(8, 8, 1, 1, pattern));
      ui::TBrushHandle brush(CreatePatternBrush(bits.Get()));
      const COLORREF oldText = SetTextColor(dc, GetSysColor(COLOR_BTNFACE));
      const COLORREF oldBack = SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
      FillRect(dc, &box, brush.Get());
      SetTextColor(dc, oldText);
      SetBkColor(dc, oldBack);
      RECT edge = box;
      DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
    }
    if (hasImage) {
      ImageList_DrawEx(look.Images, look.ImageIndex, dc, box.left, box.top, 0, 0, CLR_NONE,
                       CLR_NONE, look.Enabled ? ILD_TRANSPARENT : ILD_TRANSPARENT | ILD_BLEND50);
    } else {
      const int gw = std::min(look.Glyph->Width(), WidthOf(box));
      const int gh = std::min(look.Glyph->Height(), HeightOf(box));
      const RECT at{box.left, box.top, box.left + gw, box.top + gh};
      const ui::TColor key =
          static_cast<ui::TColor>(look.Glyph->ScanLine(look.Glyph->Height() - 1)[0] & 0xFFFFFF);
      // ScanLine holds blue in the lowest byte; the key colour is given red first.
      const ui::TColor keyRGB = ((key & 0xFF) << 16) | (key & 0xFF00) | ((key >> 16) & 0xFF);
      DrawTransparent(dc, at, *look.Glyph, keyRGB);
    }
    return;
  }
  if (!look.Checked) return;
  const int g = WidthOf(box);
  const int top = rect.top + (HeightOf(rect) - g) / 2;
  DrawMenuMark(dc, {box.left, top, box.left + g, top + g},
               look.Radio ? DFCS_MENUBULLET : DFCS_MENUCHECK, markColour);
}

// The sub-menu arrow at the item's far end, in the caption's colour.
void DrawSubMenuArrow(HDC dc, const RECT& rect, const TMenuItemLook& look, COLORREF colour) {
  const int size = std::min(GetSystemMetrics(SM_CXMENUCHECK), HeightOf(rect));
  const int top = rect.top + (HeightOf(rect) - size) / 2;
  RECT box{rect.right - 1 - size, top, rect.right - 1, top + size};
  if (look.RightToLeft) box = MirrorIn(box, rect);
  DrawMenuMark(dc, box, look.RightToLeft ? DFCS_MENUARROWRIGHT : DFCS_MENUARROW, colour);
}

COLORREF TextColour(const TSkinData& data, const TMenuItemLook& look) {
  const TSkinColourTable& c = data.Colours();
  if (look.Enabled) return ui::ColorToRGB(ResolveColour(look.Selected ? c.HilightText : c.MenuText));
  if (c.ButtonShadow == c.MenuText) return GetSysColor(COLOR_BTNSHADOW);
  return ui::ColorToRGB(ResolveColour(c.ButtonShadow));
}

// The glyph, the caption and the shortcut, left to right (mirrored in right-to-left menus).
void DrawContent(const TSkinData& data, HDC dc, const RECT& rect, const TMenuItemLook& look,
                 const TDataSkinObject* def) {
  if (look.IsLine()) {
    if (!def) {
      RECT line{rect.left, rect.top + 4, rect.right, rect.bottom};
      DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    }
    return;
  }
  int g = kGlyphSize;
  if (look.Images) {
    int cx = 0, cy = 0;
    if (ImageList_GetIconSize(look.Images, &cx, &cy)) g = cx;
  }
  if (look.Checked) g = std::max(g, kGlyphSize);
  const int margin = def ? def->LeftWidth : 0;
  RECT box{rect.left + 1 + margin, rect.top + 1, rect.left + 1 + margin + g, rect.top + 1 + g};
  if (look.RightToLeft) box = MirrorIn(box, rect);
  // Marks take the caption's colour, so that they stay visible on the selected look.
  const COLORREF colour = TextColour(data, look);
  DrawGlyph(dc, rect, box, look, colour);
  if (look.HasSubMenu) DrawSubMenuArrow(dc, rect, look, colour);

  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  LOGFONTW font = metrics.lfMenuFont;
  if (look.Default) font.lfWeight = FW_BOLD;
  ui::TFontHandle handle(CreateFontIndirectW(&font));
  const HGDIOBJ oldFont = SelectObject(dc, handle.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  std::wstring caption = look.Caption;
  if (caption.empty() || caption == L"&") caption += L' ';
  RECT text{rect.left + 1 + margin + g + 3, rect.top, rect.right - 1, rect.bottom};
  RECT measured = text;
  const UINT flags = DT_SINGLELINE | DT_EXPANDTABS;
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &measured, flags | DT_CALCRECT);
  text.top = rect.top + (HeightOf(rect) - HeightOf(measured)) / 2;
  text.bottom = text.top + HeightOf(measured);
  RECT captionRect = look.RightToLeft ? MirrorIn(text, rect) : text;
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &captionRect,
            flags | (look.RightToLeft ? DT_RIGHT | DT_RTLREADING : DT_LEFT));
  if (!look.ShortCut.empty()) {
    RECT shortcut{text.left + WidthOf(measured), text.top, rect.right - 10, text.bottom};
    if (look.RightToLeft) shortcut = MirrorIn(shortcut, rect);
    DrawTextW(dc, look.ShortCut.c_str(), static_cast<int>(look.ShortCut.size()), &shortcut,
              DT_SINGLELINE | (look.RightToLeft ? DT_LEFT : DT_RIGHT));
  }
  SelectObject(dc, oldFont);
}

// The separator picture: the lowest rows of frame 2, the caps unscaled, the middle stretched.
void DrawSeparator(HDC dc, const RECT& r, const TDataSkinObject& def) {
  const TSkinBitmap& strip = *def.Bitmap;
  const RECT frame = FrameRect(strip, TFrameLayout::SideBySide, kMenuItemFrames, 2);
  const int rows = std::min(HeightOf(r), HeightOf(frame));
  ui::TBitmap piece(WidthOf(frame), rows);
  BitBlt(piece.Canvas()->Handle(), 0, 0, WidthOf(frame), rows, GdiPicture(strip).Source(),
         frame.left, frame.bottom - rows, SRCCOPY);
  const RECT target{r.left, r.bottom - rows, r.right, r.bottom};
  const int left = std::min<int>(def.LeftWidth, WidthOf(target));
  const int right = std::min<int>(def.RightWidth, WidthOf(target) - left);
  ui::TBitmap composed(WidthOf(target), rows);
  HDC out = composed.Canvas()->Handle();
  HDC in = piece.Canvas()->Handle();
  BitBlt(out, 0, 0, left, rows, in, 0, 0, SRCCOPY);
  BitBlt(out, WidthOf(target) - right, 0, right, rows, in, piece.Width() - right, 0, SRCCOPY);
  const int middle = piece.Width() - def.LeftWidth - def.RightWidth;
  if (middle > 0 && WidthOf(target) - left - right > 0) {
    StretchBlt(out, left, 0, WidthOf(target) - left - right, rows, in, def.LeftWidth, 0, middle,
               rows, SRCCOPY);
  }
  DrawTransparent(dc, target, composed, kKeyColour);
}

}  // namespace

int MenuItemFrame(bool separator, bool selected) {
  if (separator) return 2;
  return selected ? 4 : 1;
}

int GlyphColumnWidth(const TSkinData& data, bool hasImageList, bool mainMenu) {
  const TDataSkinObject* def = MenuItemDefinition(data);
  const int margin = def ? def->LeftWidth : 0;
  // Without a picture list the item's own measure has no room for the glyph box.
  if (mainMenu) return margin + 10 + (hasImageList ? 0 : 25);
  return margin + (hasImageList ? 12 : 35);
}

TMenuItemLook LookOf(const ui::TMenuItem& item, bool selected) {
  TMenuItemLook look;
  look.Caption = item.Caption();
  look.ShortCut = item.ShortCut();
  look.Checked = item.Checked();
  look.Radio = item.RadioItem();
  look.Enabled = item.Enabled();
  look.Default = item.Default();
  look.Selected = selected && !look.IsLine();
  if (const ui::TMenu* menu = item.GetParentMenu()) {
    look.Images = menu->Images();
    look.RightToLeft = menu->RightToLeft();
  }
  look.HasSubMenu = item.Count() > 0;
  look.ImageIndex = item.ImageIndex();
  if (item.HasBitmap()) look.Glyph = item.Bitmap();
  return look;
}

void DrawMenuItem(const TSkinData& data, HDC dc, const RECT& rect, const TMenuItemLook& look,
                  ui::TBitmap* background, POINT offset) {
  const int w = WidthOf(rect), h = HeightOf(rect);
  if (w <= 0 || h <= 0) return;
  const TDataSkinObject* def = MenuItemDefinition(data);
  ui::TBitmap buffer(w, h);
  HDC target = buffer.Canvas()->Handle();
  const RECT all{0, 0, w, h};
  const TSkinColourTable& c = data.Colours();
  if (!def) {
    ui::TBrushHandle fill(CreateSolidBrush(
        ui::ColorToRGB(ResolveColour(look.Selected ? c.Hilight : c.Menu))));
    FillRect(target, &all, fill.Get());
  } else if (background && !background->Empty()) {
    BitBlt(target, 0, 0, w, h, background->Canvas()->Handle(), offset.x, offset.y, SRCCOPY);
  } else {
    ui::TBrushHandle fill(CreateSolidBrush(ui::ColorToRGB(ResolveColour(c.Menu))));
    FillRect(target, &all, fill.Get());
  }
  if (def && look.IsLine()) {
    DrawSeparator(target, all, *def);
  } else if (def) {
    DrawNineRegion(target, all, *def->Bitmap, TFrameLayout::SideBySide,
                   def->Tile == 1 ? TCentreMode::Tile : TCentreMode::Stretch, def->Trans != 0,
                   kMenuItemFrames, MenuItemFrame(false, look.Selected),
                   TMargins{def->LeftWidth, def->TopHeight, def->RightWidth, def->BottomHeight});
  }
  DrawContent(data, target, all, look, def);
  BitBlt(dc, rect.left, rect.top, w, h, target, 0, 0, SRCCOPY);
  // The system draws its own sub-menu arrow (a white box on the skinned look) after an
  // owner-drawn item unless the item's place is taken out of the device context's clipping.
  if (look.HasSubMenu) ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
}

void DrawMenuItemOf(TSkinData& data, const TPopupSkinners& popups, HMENU menu, HDC dc,
                    const RECT& rect, const TMenuItemLook& look) {
  ui::TBitmap* background = nullptr;
  POINT offset{rect.left, rect.top};
  if (const TWinSkinPopMenu* popup = menu ? popups.PopupSkinnerFor(menu) : nullptr) {
    background = popup->Picture();
    const POINT shift = popup->ClientOffset();
    offset = {rect.left + shift.x, rect.top + shift.y};
  }
  DrawMenuItem(data, dc, rect, look, background, offset);
}

namespace {

void DrawSkinned(TSkinData* data, const TPopupSkinners& popups, ui::TMenuItem& item,
                 ui::TCanvas& canvas, const RECT& rect, bool selected) {
  DrawMenuItemOf(*data, popups, item.Parent() ? item.Parent()->Handle() : nullptr,
                 canvas.Handle(), rect, LookOf(item, selected));
}

void MeasureSkinned(TSkinData* data, ui::TMenuItem& item, ui::TCanvas& canvas, int& width,
                    int& height) {
  // The item measures itself with its own handler switched off, then makes room for the
  // glyph column.
  ui::TMenuMeasureItemEvent own = std::move(item.OnMeasureItem);
  item.OnMeasureItem = nullptr;
  item.MeasureItem(canvas, width, height);
  item.OnMeasureItem = std::move(own);
  const ui::TMenu* menu = item.GetParentMenu();
  width += GlyphColumnWidth(*data, menu && menu->Images(),
                            menu && menu->InheritsFrom(ui::TMainMenu::StaticClass()));
}

// The skinned handlers; their type tells them apart from an item's own handlers.
struct TSkinnedDraw {
  TSkinData* Data;
  const TPopupSkinners* Popups;
  ui::TMenuItem* Item;
  void operator()(ui::TObject*, ui::TCanvas* canvas, const RECT& r, bool selected) const {
    DrawSkinned(Data, *Popups, *Item, *canvas, r, selected);
  }
};
struct TSkinnedMeasure {
  TSkinData* Data;
  ui::TMenuItem* Item;
  void operator()(ui::TObject*, ui::TCanvas* canvas, int& w, int& h) const {
    MeasureSkinned(Data, *Item, *canvas, w, h);
  }
};

void SkinItem(TSkinData* data, const TPopupSkinners& popups, ui::TMenuItem& item, bool withItself,
              bool off) {
  if (withItself) {
    const bool skinnedDraw = item.OnDrawItem.target<TSkinnedDraw>() != nullptr;
    const bool skinnedMeasure = item.OnMeasureItem.target<TSkinnedMeasure>() != nullptr;
    if (off) {
      if (skinnedDraw) item.OnDrawItem = nullptr;
      if (skinnedMeasure) item.OnMeasureItem = nullptr;
    } else if (!item.OnDrawItem || skinnedDraw) {
      // An item that draws itself keeps its own handlers; a skinned one takes this skin.
      item.OnDrawItem = TSkinnedDraw{data, &popups, &item};
      if (!item.OnMeasureItem || skinnedMeasure) item.OnMeasureItem = TSkinnedMeasure{data, &item};
    }
  }
  for (int i = 0; i < item.Count(); ++i) SkinItem(data, popups, *item.Items(i), true, off);
}

}  // namespace

void SkinMenuItems(TSkinData* data, const TPopupSkinners& popups, ui::TMenu& menu, bool off) {
  menu.BeginUpdate();
  if (!off) menu.SetOwnerDraw(true);
  ui::TMenuItem& root = *menu.Items();
  const bool mainMenu = menu.InheritsFrom(ui::TMainMenu::StaticClass());
  for (int i = 0; i < root.Count(); ++i) {
    // The top level of a main menu is the menu bar, drawn by the bar itself.
    SkinItem(data, popups, *root.Items(i), !mainMenu, off);
  }
  if (off) menu.SetOwnerDraw(false);
  menu.EndUpdate();
}

}  // namespace skin
