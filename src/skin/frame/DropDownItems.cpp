#include "skin/frame/DropDownItems.h"

#include <algorithm>

#include "skin/frame/WinSkinMenu.h"

namespace skin {

namespace {

// Sub-menus nest only so deep; a menu that holds itself must not loop for ever.
constexpr int kMaxDepth = 16;
constexpr UINT kTextLimit = 80;

bool ReadItem(HMENU menu, UINT position, MENUITEMINFOW& info, wchar_t (&text)[kTextLimit + 1]) {
  info = {};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
  text[0] = L'\0';
  info.dwTypeData = text;
  info.cch = kTextLimit;
  return GetMenuItemInfoW(menu, position, TRUE, &info) != FALSE;
}

void SetType(HMENU menu, UINT position, UINT type, const std::wstring* text) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE;
  info.fType = type;
  if (text) {
    info.fMask |= MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(text->c_str());
  }
  SetMenuItemInfoW(menu, position, TRUE, &info);
}

}  // namespace

TOwnerDrawnDropDown::TOwnerDrawnDropDown(HMENU menu, ui::TMenu* component) {
  Switch(menu, component, 0);
}

void TOwnerDrawnDropDown::Switch(HMENU menu, ui::TMenu* component, int depth) {
  if (!menu || depth > kMaxDepth) return;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info;
    wchar_t text[kTextLimit + 1];
    if (!ReadItem(menu, static_cast<UINT>(i), info, text)) continue;
    if (info.hSubMenu) Switch(info.hSubMenu, component, depth + 1);
    if (info.fType & (MFT_OWNERDRAW | MFT_BITMAP)) continue;
    const UINT id = info.hSubMenu ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(info.hSubMenu))
                                  : info.wID;
    ui::TMenuItem* source = component && !info.hSubMenu ? component->FindItem(info.wID) : nullptr;
    items_.push_back({menu, static_cast<UINT>(i), info.fType, id, text, source});
    SetType(menu, static_cast<UINT>(i), info.fType | MFT_OWNERDRAW, nullptr);
  }
}

TOwnerDrawnDropDown::~TOwnerDrawnDropDown() {
  for (const TItem& item : items_) {
    if (!IsMenu(item.Menu)) continue;
    const bool stringItem = (item.Type & (MFT_SEPARATOR | MFT_BITMAP)) == 0;
    SetType(item.Menu, item.Position, item.Type, stringItem ? &item.Text : nullptr);
  }
}

const TOwnerDrawnDropDown::TItem* TOwnerDrawnDropDown::Find(HMENU menu, UINT id) const {
  const auto it = std::find_if(items_.begin(), items_.end(),
                               [&](const TItem& item) { return item.Menu == menu && item.Id == id; });
  return it == items_.end() ? nullptr : &*it;
}

const TOwnerDrawnDropDown::TItem* TOwnerDrawnDropDown::FindById(UINT id) const {
  const auto it = std::find_if(items_.begin(), items_.end(),
                               [&](const TItem& item) { return item.Id == id; });
  return it == items_.end() ? nullptr : &*it;
}

TMenuItemLook LookOfHandleItem(const TOwnerDrawnDropDown::TItem& item, bool selected) {
  if (item.Source && ui::TMenuItem::FromItemData(reinterpret_cast<ULONG_PTR>(item.Source))) {
    TMenuItemLook look = LookOf(*item.Source, selected);
    look.HasSubMenu = false;
    return look;
  }
  TMenuItemLook look;
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STATE | MIIM_SUBMENU;
  GetMenuItemInfoW(item.Menu, item.Position, TRUE, &info);
  const std::wstring& text = item.Text;
  const std::size_t tab = text.find(L'\t');
  look.Caption = text.substr(0, tab);
  if (tab != std::wstring::npos) look.ShortCut = text.substr(tab + 1);
  if (text.empty() || (item.Type & MFT_SEPARATOR)) look.Caption = L"-";
  look.Enabled = (info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
  look.Checked = (info.fState & MFS_CHECKED) != 0;
  look.Default = (info.fState & MFS_DEFAULT) != 0;
  look.Radio = (item.Type & MFT_RADIOCHECK) != 0;
  look.RightToLeft = (item.Type & MFT_RIGHTORDER) != 0;
  look.HasSubMenu = info.hSubMenu != nullptr;
  look.Selected = selected && !look.IsLine();
  return look;
}

SIZE MeasureHandleItem(const TSkinData& data, const std::wstring& text) {
  const TDataSkinObject* def = data.SkinLoaded() ? data.Resolved().MenuItem : nullptr;
  const int margin = def && def->Bitmap && !def->Bitmap->Empty() ? def->LeftWidth : 0;
  if (text.empty()) return {26 + margin, 8};
  HDC dc = GetDC(nullptr);
  const ui::TFontHandle font = MenuFont();
  const HGDIOBJ old = SelectObject(dc, font.Get());
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
            DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return {r.right - r.left + 26 + margin, r.bottom - r.top + 4};
}

}  // namespace skin
