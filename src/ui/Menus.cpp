#include "ui/Menus.h"

#include <algorithm>
#include <set>

#include "ui/DrawingScopes.h"
#include "ui/Forms.h"
#include "ui/SysUtils.h"

namespace ui {

namespace {

// Items alive in the process, so that an item data value that arrives late is checked.
std::set<const TMenuItem*>& LiveItems() {
  // Never destroyed: menu items of forms that live until the application object goes at the
  // program's end still take themselves out of it then.
  static auto* items = new std::set<const TMenuItem*>;
  return *items;
}

// Command identifiers start above the dialog identifiers a form might use and stay below the
// system commands.
UINT NextCommand() {
  static UINT next = 0x100;
  if (++next >= 0xF000) next = 0x101;
  return next;
}

}  // namespace

wchar_t AcceleratorOf(const std::wstring& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] == L'&') {
      ++i;
      continue;
    }
    return static_cast<wchar_t>(reinterpret_cast<ULONG_PTR>(
        CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(caption[i + 1])))));
  }
  return 0;
}

std::wstring StripHotkey(const std::wstring& caption) {
  std::wstring out;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'&') {
      if (i + 1 < caption.size() && caption[i + 1] == L'&') out += L'&', ++i;
      continue;
    }
    out += caption[i];
  }
  return out;
}

// ---------------------------------------------------------------------------------------------
// TMenuItem

const TClassInfo& TMenuItem::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TMenuItem", &TComponent::StaticClass());
    c.Str(L"Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
    c.Bool(L"Checked", &TMenuItem::Checked, &TMenuItem::SetChecked);
    c.Bool(L"Default", &TMenuItem::Default, &TMenuItem::SetDefault);
    c.Bool(L"Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled);
    c.Int(L"ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex);
    c.Bool(L"RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem);
    c.Str(L"ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut);
    c.Bool(L"Visible", &TMenuItem::Visible, &TMenuItem::SetVisible);
    c.Obj(L"Bitmap", &TMenuItem::Bitmap);
    return c;
  }();
  return info;
}

TMenuItem::TMenuItem(TComponent* owner)
    : TComponent(owner), bitmap_(std::make_unique<TBitmap>()), command_(NextCommand()) {
  LiveItems().insert(this);
  bitmap_->OnChange = [this](TGraphicsObject*) { Changed(); };
}

TMenuItem::~TMenuItem() {
  BeginDestruction();
  LiveItems().erase(this);
  // A child's handle lives inside its parent's menu, which destroys it with itself.
  if (parent_) ForgetHandles();
  else DestroyHandles();
  if (parent_) parent_->Remove(this);
  for (TMenuItem* child : std::vector<TMenuItem*>(items_)) {
    child->parent_ = nullptr;
    delete child;
  }
  items_.clear();
}

TMenuItem* TMenuItem::FromItemData(ULONG_PTR data) {
  auto* item = reinterpret_cast<const TMenuItem*>(data);
  return LiveItems().count(item) ? const_cast<TMenuItem*>(item) : nullptr;
}

void TMenuItem::SetCaption(const std::wstring& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Changed();
}
void TMenuItem::SetShortCut(const std::wstring& text) {
  if (text == shortCut_) return;
  shortCut_ = text;
  Changed();
}
void TMenuItem::SetChecked(bool value) {
  if (value == checked_) return;
  checked_ = value;
  // A checked radio item unchecks the other radio items of its group (its siblings).
  if (value && radioItem_ && parent_) {
    for (TMenuItem* sibling : parent_->items_) {
      if (sibling != this && sibling->radioItem_) sibling->checked_ = false;
    }
  }
  Changed();
}
void TMenuItem::SetRadioItem(bool value) {
  if (value == radioItem_) return;
  radioItem_ = value;
  Changed();
}
void TMenuItem::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  Changed();
}
void TMenuItem::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  Changed();
}
void TMenuItem::SetDefault(bool value) {
  if (value == default_) return;
  default_ = value;
  Changed();
}
void TMenuItem::SetImageIndex(int index) {
  if (index == imageIndex_) return;
  imageIndex_ = index;
  Changed();
}

wchar_t TMenuItem::Accelerator() const { return AcceleratorOf(caption_); }

int TMenuItem::MenuIndex() const {
  if (!parent_) return -1;
  const auto& list = parent_->items_;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item || item->parent_ == this) return;
  if (item->parent_) item->parent_->Remove(item);
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
  if (!Destroying()) Changed();
}

void TMenuItem::Clear() {
  for (TMenuItem* child : std::vector<TMenuItem*>(items_)) delete child;
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->parent_) item = item->parent_;
  return item->menu_;
}

TMenuItem* TMenuItem::Find(UINT command) const {
  if (command_ == command && parent_) return const_cast<TMenuItem*>(this);
  for (TMenuItem* child : items_) {
    if (TMenuItem* found = child->Find(command)) return found;
  }
  return nullptr;
}

TMenuItem* TMenuItem::FindByHandle(HMENU handle) const {
  if (!handle) return nullptr;
  if (handle_ == handle) return const_cast<TMenuItem*>(this);
  for (TMenuItem* child : items_) {
    if (TMenuItem* found = child->FindByHandle(handle)) return found;
  }
  return nullptr;
}

void TMenuItem::Click() {
  if (enabled_ && OnClick) OnClick(this);
}

void TMenuItem::Changed() {
  if (Destroying()) return;
  if (TMenu* menu = GetParentMenu(); menu && menu->HandleAllocated()) menu->Rebuild();
}

// Destroying a menu destroys its submenus with it.
void TMenuItem::DestroyHandles() {
  if (handle_) DestroyMenu(handle_);
  ForgetHandles();
}

void TMenuItem::ForgetHandles() {
  handle_ = nullptr;
  for (TMenuItem* child : items_) child->ForgetHandles();
}

// Inserts the visible children into `menu`. Separators are tidied as they go in: none leads
// or ends a menu, and of several in a row only one is shown.
void TMenuItem::BuildInto(HMENU menu, bool ownerDraw, bool topLevel) {
  std::vector<TMenuItem*> shown;
  for (TMenuItem* child : items_) {
    if (!child->visible_) continue;
    if (child->IsLine() && !topLevel && (shown.empty() || shown.back()->IsLine())) continue;
    shown.push_back(child);
  }
  while (!topLevel && !shown.empty() && shown.back()->IsLine()) shown.pop_back();
  UINT position = 0;
  for (TMenuItem* child : shown) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_DATA | MIIM_STRING;
    info.wID = child->command_;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(child);
    std::wstring text = child->caption_;
    if (!child->shortCut_.empty()) text += L"\t" + child->shortCut_;
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
    if (child->IsLine()) info.fType |= MFT_SEPARATOR;
    if (ownerDraw && !topLevel) info.fType |= MFT_OWNERDRAW;
    if (child->radioItem_) info.fType |= MFT_RADIOCHECK;
    if (child->checked_) info.fState |= MFS_CHECKED;
    if (!child->enabled_) info.fState |= MFS_DISABLED | MFS_GRAYED;
    if (child->default_) info.fState |= MFS_DEFAULT;
    if (!child->items_.empty()) {
      child->handle_ = CreatePopupMenu();
      child->BuildInto(child->handle_, ownerDraw, false);
      info.fMask |= MIIM_SUBMENU;
      info.hSubMenu = child->handle_;
    }
    InsertMenuItemW(menu, position++, TRUE, &info);
  }
}

void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height) {
  if (OnMeasureItem) {
    OnMeasureItem(this, &canvas, width, height);
    return;
  }
  if (IsLine()) {
    height = 8;
    return;
  }
  std::wstring text = StripHotkey(caption_);
  if (!shortCut_.empty()) text += L"    " + shortCut_;
  const SIZE extent = canvas.TextExtent(text.empty() ? L" " : text);
  width = extent.cx + 16 + 12;
  height = std::max<int>(extent.cy + 4, GetSystemMetrics(SM_CYMENU));
}

// The plain look of an owner-drawn item without a draw event: the system's menu colours.
void TMenuItem::DrawItem(TCanvas& canvas, const RECT& rect, bool selected) {
  if (OnDrawItem) {
    OnDrawItem(this, &canvas, rect, selected);
    return;
  }
  HDC dc = canvas.Handle();
  FillRect(dc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  if (IsLine()) {
    RECT line{rect.left, rect.top + (rect.bottom - rect.top) / 2 - 1, rect.right, rect.bottom};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(!enabled_ ? COLOR_GRAYTEXT
                                         : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
  RECT text{rect.left + 20, rect.top, rect.right - 8, rect.bottom};
  DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  if (!shortCut_.empty()) {
    DrawTextW(dc, shortCut_.c_str(), static_cast<int>(shortCut_.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  }
}

// ---------------------------------------------------------------------------------------------
// TMenu

const TClassInfo& TMenu::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TMenu", &TComponent::StaticClass());
    c.Obj(L"Items", &TMenu::Items);
    c.Bool(L"OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw);
    return c;
  }();
  return info;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(std::make_unique<TMenuItem>(nullptr)) {
  items_->menu_ = this;
}

TMenu::~TMenu() {
  BeginDestruction();
  items_.reset();
}

HMENU TMenu::Handle() {
  if (!items_->handle_) Rebuild();
  return items_->handle_;
}

void TMenu::SetOwnerDraw(bool value) {
  if (value == ownerDraw_) return;
  ownerDraw_ = value;
  if (HandleAllocated()) Rebuild();
}

void TMenu::SetImages(HIMAGELIST images) {
  images_ = images;
  if (HandleAllocated()) Rebuild();
}

void TMenu::EndUpdate() {
  if (updating_ > 0 && --updating_ == 0 && pending_) Rebuild();
}

void TMenu::Rebuild() {
  if (Destroying()) return;
  if (updating_ > 0) {
    pending_ = true;
    return;
  }
  pending_ = false;
  items_->DestroyHandles();
  items_->handle_ = IsPopup() ? CreatePopupMenu() : CreateMenu();
  items_->BuildInto(items_->handle_, ownerDraw_, !IsPopup());
  MenuChanged();
}

bool TMenu::DispatchCommand(UINT command) {
  TMenuItem* item = FindItem(command);
  if (!item) return false;
  item->Click();
  return true;
}

// ---------------------------------------------------------------------------------------------
// TMainMenu, TPopupMenu

const TClassInfo& TMainMenu::StaticClass() {
  static const TClassInfo info(L"TMainMenu", &TMenu::StaticClass());
  return info;
}

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

// The window lets go of the menu before its handle goes.
TMainMenu::~TMainMenu() {
  auto* form = dynamic_cast<TCustomForm*>(Owner());
  if (!form || form->Menu() != this) return;
  if (HWND h = form->HandleIfAllocated(); h && GetMenu(h) == HandleIfBuilt()) ::SetMenu(h, nullptr);
}

void TMainMenu::MenuChanged() {
  if (auto* form = dynamic_cast<TCustomForm*>(Owner()); form && form->Menu() == this) {
    form->MenuChanged();
  }
}

const TClassInfo& TPopupMenu::StaticClass() {
  static const TClassInfo info(L"TPopupMenu", &TMenu::StaticClass());
  return info;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  const HMENU menu = Handle();
  UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_TOPALIGN;
  flags |= RightToLeft() ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
  const auto command =
      static_cast<UINT>(TrackPopupMenu(menu, flags, x, y, 0, PopupListWindow(), nullptr));
  if (command != 0) DispatchCommand(command);
}

// ---------------------------------------------------------------------------------------------
// Messages

bool DispatchMenuMessage(TMessage& m, TMenu* menu) {
  switch (m.Msg) {
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
      if (!measure || measure->CtlType != ODT_MENU) return false;
      TMenuItem* item = TMenuItem::FromItemData(measure->itemData);
      if (!item) return false;
      NONCLIENTMETRICSW metrics{};
      metrics.cbSize = sizeof(metrics);
      SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
      TFontHandle font(CreateFontIndirectW(&metrics.lfMenuFont));
      int width = static_cast<int>(measure->itemWidth), height = static_cast<int>(measure->itemHeight);
      {
        TClientDC screen(nullptr);
        TSelectObject selected(screen.Get(), font.Get());
        TCanvas canvas;
        canvas.SetHandle(screen.Get());
        item->MeasureItem(canvas, width, height);
        canvas.SetHandle(nullptr);
      }
      measure->itemWidth = static_cast<UINT>(std::max(width, 0));
      measure->itemHeight = static_cast<UINT>(std::max(height, 0));
      m.Result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
      if (!draw || draw->CtlType != ODT_MENU) return false;
      TMenuItem* item = TMenuItem::FromItemData(draw->itemData);
      if (!item) return false;
      const int saved = SaveDC(draw->hDC);
      TCanvas canvas;
      canvas.SetHandle(draw->hDC);
      item->DrawItem(canvas, draw->rcItem, (draw->itemState & ODS_SELECTED) != 0);
      canvas.SetHandle(nullptr);
      // Everything the item changed in the device context is undone except its clipping: an
      // item that draws its own sub-menu arrow keeps the system's arrow out that way.
      TRegionHandle clip(CreateRectRgn(0, 0, 0, 0));
      const bool clipped = GetClipRgn(draw->hDC, clip.Get()) == 1;
      RestoreDC(draw->hDC, saved);
      if (clipped) SelectClipRgn(draw->hDC, clip.Get());
      m.Result = TRUE;
      return true;
    }
    case WM_MENUCHAR: {
      // Owner-drawn items show no text to the system: their accelerators are found here.
      const auto handle = reinterpret_cast<HMENU>(m.LParam);
      const wchar_t wanted = AcceleratorOf(std::wstring(L"&") + static_cast<wchar_t>(LOWORD(m.WParam)));
      const int count = handle ? GetMenuItemCount(handle) : 0;
      for (int i = 0; i < count && wanted != 0; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_DATA;
        if (!GetMenuItemInfoW(handle, static_cast<UINT>(i), TRUE, &info)) continue;
        const TMenuItem* item = TMenuItem::FromItemData(info.dwItemData);
        if (item && item->Accelerator() == wanted) {
          m.Result = MAKELRESULT(i, MNC_EXECUTE);
          return true;
        }
      }
      return false;
    }
    case WM_COMMAND:
      if (!menu || HIWORD(m.WParam) != 0 || m.LParam != 0) return false;
      if (!menu->DispatchCommand(LOWORD(m.WParam))) return false;
      m.Result = 0;
      return true;
    default:
      return false;
  }
}

namespace {

LRESULT CALLBACK PopupListProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  if (DispatchMenuMessage(m, nullptr)) return m.Result;
  return DefWindowProcW(window, msg, wParam, lParam);
}

}  // namespace

HWND PopupListWindow() {
  static HWND window = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = PopupListProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VexloPopupList";
    RegisterClassW(&wc);
    return CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                           nullptr, wc.hInstance, nullptr);
  }();
  return window;
}

}  // namespace ui
