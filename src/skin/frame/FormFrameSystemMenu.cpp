// The skinned system menu: a context menu made anew each time it opens from the items of the
// window's own system menu, drawn by the skin's menu item painter with the skin's menu glyphs.
#include <string>

#include "skin/frame/WinSkinForm.h"
#include "skin/frame/MenuItemPainter.h"
#include "ui/Menus.h"

namespace skin {

namespace {

// The glyphs of the skin's menu glyph list.
constexpr int kGlyphRestore = 0, kGlyphMaximize = 1, kGlyphMinimize = 2, kGlyphClose = 3;

struct TCopiedItem {
  std::wstring Caption;
  std::wstring ShortCut;
  UINT Command = 0;
  UINT State = 0;
};

TCopiedItem ReadItem(HMENU menu, int position) {
  TCopiedItem item;
  wchar_t text[81] = {};
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
  info.dwTypeData = text;
  info.cch = 80;
  if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) return item;
  item.Command = info.wID;
  item.State = info.fState;
  std::wstring caption = (info.fType & MFT_SEPARATOR) ? L"" : text;
  if (const auto tab = caption.find(L'\t'); tab != std::wstring::npos) {
    item.ShortCut = caption.substr(tab + 1);
    caption.resize(tab);
  }
  item.Caption = caption.empty() ? L"-" : caption;
  return item;
}

}  // namespace

std::unique_ptr<ui::TPopupMenu> TWinSkinForm::BuildSystemMenu() {
  const HMENU system = GetSystemMenu(handle_, FALSE);
  if (!system) return nullptr;
  auto popup = std::make_unique<ui::TPopupMenu>(nullptr);
  popup->SetTag(kSystemMenuTag);
  popup->BeginUpdate();
  popup->SetImages(skinData_ ? skinData_->MenuGlyphs() : nullptr);
  const HWND window = handle_;
  const int count = GetMenuItemCount(system);
  for (int i = 0; i < count; ++i) {
    const TCopiedItem copied = ReadItem(system, i);
    auto* item = new ui::TMenuItem(popup.get());
    item->SetCaption(copied.Caption);
    item->SetShortCut(copied.ShortCut);
    item->SetTag(static_cast<int>(copied.Command));
    item->SetEnabled((copied.State & (MFS_DISABLED | MFS_GRAYED)) != (MFS_DISABLED | MFS_GRAYED));
    item->SetChecked((copied.State & MFS_CHECKED) != 0);
    switch (copied.Command & 0xFFF0) {
      case SC_SIZE:
      case SC_MOVE:
        item->SetEnabled(windowState_ != wsMaximized);
        break;
      case SC_MINIMIZE:
        item->SetImageIndex(kGlyphMinimize);
        item->SetEnabled(windowState_ != wsMinimized && (borderIcons_ & kBiMinimize));
        break;
      case SC_MAXIMIZE:
        item->SetImageIndex(kGlyphMaximize);
        item->SetEnabled(windowState_ != wsMaximized && (borderIcons_ & kBiMaximize));
        break;
      case SC_RESTORE:
        item->SetImageIndex(kGlyphRestore);
        item->SetEnabled(windowState_ != wsNormal);
        break;
      case SC_CLOSE:
        item->SetImageIndex(kGlyphClose);
        break;
      default:
        break;
    }
    item->OnClick = [window](ui::TObject* sender) {
      const int command = static_cast<ui::TMenuItem*>(sender)->Tag();
      PostMessageW(window, WM_SYSCOMMAND, static_cast<WPARAM>(command), 0);
    };
    popup->Items()->Add(item);
  }
  if (skinData_) SkinMenuItems(skinData_, manager_, *popup, false);
  popup->EndUpdate();
  return popup;
}

}  // namespace skin
