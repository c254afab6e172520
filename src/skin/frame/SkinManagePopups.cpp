// The skin manager's list of popup menu skinners.
#include <algorithm>

#include "skin/data/SkinMessages.h"
#include "skin/frame/SkinManage.h"
#include "skin/frame/WinSkinPopMenu.h"

namespace skin {

namespace {

// Whether the skin data skins menus of the kind: 0 context menus, 1 drop-downs of a menu
// bar, 2 the system menu.
bool SkinsMenuKind(const TSkinData& data, int kind) {
  const TSkinControlTypes controls = data.SkinControls();
  switch (kind) {
    case 0: return InSet(controls, xcPopupMenu);
    case 1: return InSet(controls, xcMainMenu) || InSet(controls, xcMenuItem);
    case 2: return InSet(controls, xcSystemMenu);
    default: return false;
  }
}

}  // namespace

void TSkinManage::AttachPopupMenu(HWND window) {
  // A menu window that went without being heard of (its creation was refused further down
  // the hook chain) leaves no entry behind.
  std::erase_if(popupSkinners_, [](const auto& popup) { return !IsWindow(popup->Handle()); });
  if (!active_ || SendMessageW(window, SKM_QUERYSKINNED, 0, 0) == 1 || IsPopupSkinned(window)) return;
  TSkinData* data = SelectSkinData(window);
  if (!data || !data->SkinLoaded() || !SkinsMenuKind(*data, popupKind_)) return;
  popupSkinners_.push_back(std::make_unique<TWinSkinPopMenu>(*this, window, data));
}

bool TSkinManage::DetachPopupMenu(HWND window) {
  bool freed = false;
  const auto it = std::find_if(popupSkinners_.begin(), popupSkinners_.end(),
                               [&](const auto& p) { return p->Handle() == window; });
  if (it != popupSkinners_.end()) {
    // Freeing the skinner gives the window back first.
    std::unique_ptr<TWinSkinPopMenu> popup = std::move(*it);
    popupSkinners_.erase(it);
    popup.reset();
    freed = true;
  }
  if (popupSkinners_.empty()) popupKind_ = 0;
  return freed;
}

bool TSkinManage::IsPopupSkinned(HWND window) const {
  return std::any_of(popupSkinners_.begin(), popupSkinners_.end(),
                     [&](const auto& p) { return p->Handle() == window; });
}

void TSkinManage::BindPopupMenu(HMENU menu) {
  for (auto it = popupSkinners_.rbegin(); it != popupSkinners_.rend(); ++it) {
    if (!(*it)->Menu()) {
      (*it)->SetMenu(menu);
      return;
    }
  }
}

ui::TBitmap* TSkinManage::PopupBitmapFor(HMENU menu) const {
  TWinSkinPopMenu* popup = PopupSkinnerFor(menu);
  return popup ? popup->Picture() : nullptr;
}

TWinSkinPopMenu* TSkinManage::PopupSkinnerFor(HMENU menu) const {
  for (const auto& p : popupSkinners_) {
    if (p->Menu() == menu) return p.get();
  }
  return nullptr;
}

}  // namespace skin
