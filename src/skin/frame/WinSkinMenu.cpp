#include "skin/frame/WinSkinMenu.h"

#include <algorithm>

#include "skin/data/SkinDerivedImages.h"
#include "skin/data/SkinDraw.h"

namespace skin {

namespace {

constexpr int kBarFrames = 2;
constexpr UINT kCaptionFormat = DT_SINGLELINE | DT_CENTER | DT_VCENTER;

const TDataSkinObject* MenuBarDefinition(const TSkinData* data) {
  const TDataSkinObject* def = data && data->SkinLoaded() ? data->Resolved().MenuBar : nullptr;
  return def && def->Bitmap && !def->Bitmap->Empty() ? def : nullptr;
}

int CaptionWidth(HDC dc, const std::wstring& caption) {
  if (caption.empty()) return 0;
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_SINGLELINE | DT_CALCRECT);
  return r.right - r.left;
}

}  // namespace

ui::TFontHandle MenuFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  return ui::TFontHandle(CreateFontIndirectW(&metrics.lfMenuFont));
}

void TMenuBtn::Paint() { bar_.PaintItem(*this); }

TWinSkinMenu::TWinSkinMenu(TMenuBarHost& host, TNCHotItem& hot, TSkinData* data,
                           ui::TCustomForm* form)
    : host_(host), hot_(hot), data_(data), form_(form) {}

void TWinSkinMenu::RebuildItems(HMENU menu) { ReadItems(menu, false); }

void TWinSkinMenu::MergeItems(HMENU menu) { ReadItems(menu, true); }

// One bar item per position of the menu. The menu component's item with the same identifier
// gives caption, enabled state and drop-down; after an MDI merge only positions without text
// are looked up (the merged-in items of a child's menu keep what the menu says).
void TWinSkinMenu::ReadItems(HMENU menu, bool merged) {
  if (!menu) return;
  menuHandle_ = menu;
  if (hot_.Get() && std::any_of(items_.begin(), items_.end(), [&](const auto& item) {
        return item.get() == hot_.Get();
      })) {
    hot_.Clear();
  }
  items_.clear();
  ui::TMainMenu* component = MenuComponent();
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[81] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 80;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    auto item = std::make_unique<TMenuBtn>(hot_, *this, i);
    item->Enabled = true;  // shown
    item->ItemEnabled = (info.fState & (MFS_DISABLED | MFS_GRAYED)) == 0;
    item->SubMenu = info.hSubMenu;
    item->Command = info.wID;
    // Separators and pictures (the maximized MDI child's system-menu and button items among
    // them) have no caption: they take no room on the bar.
    item->Caption = (info.fType & (MFT_SEPARATOR | MFT_BITMAP)) ? L"" : text;
    const bool lookUp = !merged || item->Caption.empty();
    if (ui::TMenuItem* source = component && lookUp ? component->FindItem(info.wID) : nullptr) {
      item->SourceItem = source;
      item->Caption = source->Caption();
      item->ItemEnabled = source->Enabled();
      if (merged) {
        item->Command = source->Command();
      } else {
        item->SubMenu = source->Count() > 0 ? source->Handle() : nullptr;
      }
    }
    items_.push_back(std::move(item));
  }
  // The system draws no bar any more; the menu stays ours until it is given back.
  if (GetMenu(host_.BarWindow()) == menu) SetMenu(host_.BarWindow(), nullptr);
  LayoutItems();
}

void TWinSkinMenu::RestoreMenu() {
  if (menuHandle_ && IsWindow(host_.BarWindow()) && IsMenu(menuHandle_)) {
    SetMenu(host_.BarWindow(), menuHandle_);
  }
}

void TWinSkinMenu::LayoutItems() {
  const RECT strip = host_.BarStrip();
  const int stripWidth = strip.right - strip.left, stripHeight = strip.bottom - strip.top;
  const TDataSkinObject* def = MenuBarDefinition(data_);
  const bool rtl = RightToLeft();
  int a = 6;
  if (def) a = rtl ? def->RightWidth + 8 : def->LeftWidth + 4;
  if (stripWidth < a) a = 12;
  HDC dc = GetDC(nullptr);
  const ui::TFontHandle font = MenuFont();
  const HGDIOBJ old = SelectObject(dc, font.Get());
  for (const auto& item : items_) {
    // An item whose menu component has gone is no longer shown.
    if (item->SourceItem && !ui::TMenuItem::FromItemData(reinterpret_cast<ULONG_PTR>(item->SourceItem))) {
      item->SourceItem = nullptr;
      item->Caption.clear();
    }
    const bool visible = !item->SourceItem || item->SourceItem->Visible();
    item->Enabled = visible;
    if (!visible) {
      item->Bounds = {0, 0, 0, 0};
      continue;
    }
    const int width = item->Caption.empty() ? 0 : CaptionWidth(dc, item->Caption) + 10;
    RECT r = rtl ? RECT{stripWidth - a - width, 0, stripWidth - a, stripHeight - 1}
                 : RECT{a, 0, a + width, stripHeight - 1};
    OffsetRect(&r, strip.left, strip.top);
    item->Bounds = r;
    a += width;
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
}

void TWinSkinMenu::DrawCaption(HDC dc, const TMenuBtn& item, const RECT& bounds) const {
  if (item.Caption.empty()) return;
  const TSkinColourTable& c = data_->Colours();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ui::ColorToRGB(ResolveColour(item.ItemEnabled ? c.MenuBarText : c.ButtonShadow)));
  RECT r = bounds;
  DrawTextW(dc, item.Caption.c_str(), static_cast<int>(item.Caption.size()), &r, kCaptionFormat);
}

// The bar's picture without its items, composed again only when the size, the look or the
// skin changed.
void TWinSkinMenu::ComposeBackground(int w, int h, int frame) {
  const TBackgroundKey key{w, h, frame, data_->Revision(), data_->SkinLoaded()};
  if (barBackground_ && key == backgroundKey_) return;
  barBackground_ = std::make_unique<ui::TBitmap>(w, h);
  ui::TCanvas& canvas = *barBackground_->Canvas();
  const RECT all{0, 0, w, h};
  if (const TDataSkinObject* def = MenuBarDefinition(data_)) {
    const TMargins margins{def->LeftWidth, 0, def->RightWidth, 0};
    if (def->Tile == 1) {
      DrawNineRegion(canvas.Handle(), all, *def->Bitmap, TFrameLayout::SideBySide,
                     TCentreMode::Stretch, false, kBarFrames, frame, margins);
    } else {
      DrawThreePartTiled(canvas, all, *def->Bitmap, TFrameLayout::SideBySide, false, kBarFrames,
                         frame, margins);
    }
  } else {
    ui::TBrushHandle fill(CreateSolidBrush(ui::ColorToRGB(ResolveColour(data_->Colours().Menubar))));
    FillRect(canvas.Handle(), &all, fill.Get());
  }
  backgroundKey_ = key;
}

void TWinSkinMenu::PaintBar(HDC dc, const RECT& strip) {
  const int w = strip.right - strip.left, h = strip.bottom - strip.top;
  if (w <= 0 || h <= 0 || !data_) return;
  ComposeBackground(w, h, host_.BarActive() ? 1 : 2);
  HDC target = buffer_.Begin(w, h);
  BitBlt(target, 0, 0, w, h, barBackground_->Canvas()->Handle(), 0, 0, SRCCOPY);
  barRect_ = strip;
  LayoutItems();
  const ui::TFontHandle font = MenuFont();
  const HGDIOBJ old = SelectObject(target, font.Get());
  for (const auto& item : items_) {
    if (!item->Enabled) continue;
    RECT r = item->Bounds;
    OffsetRect(&r, -strip.left, -strip.top);
    DrawCaption(target, *item, r);
  }
  SelectObject(target, old);
  DrawMDIChildButtons(target, strip);
  buffer_.CopyTo(dc, strip.left, strip.top);
  // An item shown hot or pressed keeps its look.
  if (auto* hot = dynamic_cast<TMenuBtn*>(hot_.Get()); hot && hot->State != ncsNormal) {
    PaintItem(*hot);
  }
}

// On an MDI frame whose active child is maximized, the child's minimize, restore and close
// buttons sit on the bar: drawn into the bar's picture `dc` (its origin at the strip's corner).
void TWinSkinMenu::DrawMDIChildButtons(HDC dc, const RECT& strip) {
  const TCaptionButtonStrip::TButtons* buttons = host_.MDIChildButtons();
  if (!buttons) return;
  for (const auto& button : *buttons) {
    const TDataSkinSysButton& def = button->Definition();
    if (!button->Enabled || def.Visibility != kMDIButtonVisibility || !def.Bitmap ||
        def.Bitmap->Empty()) {
      continue;
    }
    RECT r = button->Bounds;
    OffsetRect(&r, -strip.left, -strip.top);
    DrawFrameStretched(dc, r, *def.Bitmap, true, std::max(def.Frame, 1), 1);
  }
}

void TWinSkinMenu::PaintItem(const TMenuBtn& item) {
  if (!barBackground_ || !item.Enabled || IsRectEmpty(&item.Bounds)) return;
  HDC dc = GetWindowDC(host_.BarWindow());
  if (!dc) return;
  const RECT column{item.Bounds.left, barRect_.top, item.Bounds.right, barRect_.bottom};
  BitBlt(dc, column.left, column.top, column.right - column.left, column.bottom - column.top,
         barBackground_->Canvas()->Handle(), column.left - barRect_.left, 0, SRCCOPY);
  if (item.State == ncsHot || item.State == ncsPressed) {
    ui::TBrushHandle frame(
        CreateSolidBrush(ui::ColorToRGB(ResolveColour(data_->Colours().ButtonHilight))));
    FrameRect(dc, &item.Bounds, frame.Get());
  }
  const ui::TFontHandle font = MenuFont();
  const HGDIOBJ old = SelectObject(dc, font.Get());
  DrawCaption(dc, item, item.Bounds);
  SelectObject(dc, old);
  ReleaseDC(host_.BarWindow(), dc);
}

TMenuBtn* TWinSkinMenu::ItemAt(POINT windowPoint) const {
  for (const auto& item : items_) {
    if (item->Enabled && !item->Caption.empty() && PtInRect(&item->Bounds, windowPoint)) {
      return item.get();
    }
  }
  return nullptr;
}

TMenuBtn* TWinSkinMenu::ItemByAccelerator(wchar_t c) const {
  const wchar_t wanted = ui::AcceleratorOf(std::wstring(L"&") + c);
  for (const auto& item : items_) {
    if (item->Enabled && item->ItemEnabled && wanted != 0 && ui::AcceleratorOf(item->Caption) == wanted) {
      return item.get();
    }
  }
  return nullptr;
}

}  // namespace skin
