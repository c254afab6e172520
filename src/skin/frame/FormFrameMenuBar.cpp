// The frame's menu bar: made when the frame attaches to a window with a menu, opening an
// item's drop-down (by mouse, accelerator, F10 or Alt, or SKM_OPENMENUITEM) and the
// message-filter hook that moves between drop-downs with the arrow keys and the mouse as a
// native menu bar does. The form's menus get the skinned item painter here too.
#include <windowsx.h>

#include <algorithm>

#include "skin/data/SkinMessages.h"
#include "skin/frame/DropDownItems.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/frame/MenuItemPainter.h"
#include "skin/frame/WinSkinMenu.h"
#include "ui/Menus.h"

namespace skin {

namespace {

// The one drop-down of a menu bar that is open (tracking is modal on the GUI thread).
struct TMenuTracking {
  TWinSkinForm* Frame = nullptr;
  int Index = -1;        // the bar item whose drop-down is open
  int Next = -1;         // the bar item to open once the open drop-down has closed
  HMENU Selected = nullptr;  // the menu holding the item last selected
  bool SelectedHasChildren = false;
  POINT LastMouse{-1, -1};
  HHOOK Hook = nullptr;
  const TOwnerDrawnDropDown* OwnerDrawn = nullptr;  // the open drop-down's switched items
};
TMenuTracking g_tracking;

int Neighbour(int index, int step, int count) { return ((index + step) % count + count) % count; }

}  // namespace

RECT TWinSkinForm::BarStrip() const {
  RECT window{};
  GetWindowRect(handle_, &window);
  const int w = window.right - window.left;
  return {geometry_.LeftWidth(), geometry_.TitleHeight(), w - geometry_.RightWidth(), geometry_.TitleHeight() + geometry_.MenuBarHeight()};
}

// On an MDI frame whose active child is maximized the child's buttons sit on the bar; the
// first frame to see the child maximized tells the manager and lays its buttons out for it.
const TCaptionButtonStrip::TButtons* TWinSkinForm::MDIChildButtons() {
  if (formKind_ != fkMDIFrame || !mdiClient_) return nullptr;
  BOOL maximized = FALSE;
  const HWND active = reinterpret_cast<HWND>(
      SendMessageW(mdiClient_, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
  if (!active || !maximized) return nullptr;
  if (!manager_.MDIChildMaximized()) {
    manager_.SetMDIChildMaximized(true);
    LayoutCaptionButtons();
  }
  return &Buttons();
}

// Menus of the form object get the skinned look; a window with a menu gets the menu bar.
void TWinSkinForm::AttachMenus() {
  const HMENU menu = GetMenu(handle_);
  if (menu && formKind_ != fkMDIChild) {
    menuBar_ = std::make_unique<TWinSkinMenu>(static_cast<TMenuBarHost&>(*this), hot_, skinData_, form_);
    menuBar_->RebuildItems(menu);
  }
  // Owner-drawn menus are built anew; the bar hears of it as a menu change.
  if (form_) SkinFormMenus(false);
}

void TWinSkinForm::DetachMenus(bool restore) {
  if (menuBar_) {
    if (hot_.Get() && std::any_of(menuBar_->Items().begin(), menuBar_->Items().end(),
                                  [&](const auto& item) { return item.get() == hot_.Get(); })) {
      hot_.Clear();
    }
    // A window on its way out would destroy the menu with itself.
    if (restore) menuBar_->RestoreMenu();
    menuBar_.reset();
  }
  if (form_ && !form_->Destroying()) SkinFormMenus(true);
}

void TWinSkinForm::SkinFormMenus(bool off) {
  const TSkinControlTypes kinds = skinData_->SkinControls();
  for (int i = 0; i < form_->ComponentCount(); ++i) {
    auto* menu = dynamic_cast<ui::TMenu*>(form_->Components(i));
    if (!menu) continue;
    const bool popup = menu->InheritsFrom(ui::TPopupMenu::StaticClass());
    const bool wanted = popup ? InSet(kinds, xcPopupMenu) && menu->Tag() != skinData_->DisableTag()
                              : InSet(kinds, xcMainMenu) || InSet(kinds, xcMenuItem);
    if (wanted) SkinMenuItems(skinData_, manager_, *menu, off);
  }
}

// The class library reports a changed menu: painting waits while the form handles it, then
// the bar takes the window's new menu, which is taken away from the window again.
void TWinSkinForm::MenuChanged(ui::TMessage& m, const ui::TWndMethod& next) {
  skinData_->SetPaintingAllowed(false);
  try {
    if (next) next(m);
  } catch (...) {
    skinData_->SetPaintingAllowed(true);
    throw;
  }
  skinData_->SetPaintingAllowed(true);
  const HMENU menu = GetMenu(handle_);
  // A window that had no menu when the frame attached has no bar and keeps its menu.
  if (!menu || !menuBar_) return;
  if (skinData_->MenuUpdate()) {
    if (form_) SkinFormMenus(false);
    menuBar_->RebuildItems(menu);
    PaintFrame();
  }
  if (GetMenu(handle_)) SetMenu(handle_, nullptr);
}

// A character with Alt held that the form did not take opens the bar item with that
// accelerator.
bool TWinSkinForm::MenuDialogChar(WPARAM character) {
  if (!menuBar_ || GetKeyState(VK_MENU) >= 0) return false;
  TMenuBtn* item = menuBar_->ItemByAccelerator(static_cast<wchar_t>(character));
  if (!item) return false;
  POINT corner{item->Bounds.left, item->Bounds.top};
  RECT window{};
  GetWindowRect(handle_, &window);
  PostMessageW(handle_, WM_NCLBUTTONDOWN, HTMENU,
               MAKELPARAM(window.left + corner.x + 1, window.top + corner.y + 1));
  return true;
}

// A character with Alt held that neither this form nor its bar took is offered to the
// application's main form, whose menu bar may have the accelerator.
LRESULT TWinSkinForm::OfferDialogCharToMainForm(WPARAM character, LPARAM keyData) {
  ui::TCustomForm* main = ui::Application ? ui::Application->MainForm() : nullptr;
  if (!main || !form_ || main == form_ || !main->HandleAllocated()) return 0;
  return main->Perform(ui::CM_DIALOGCHAR, character, keyData);
}

// The menu-bar part of the window's messages; true when consumed.
bool TWinSkinForm::MenuBarMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (!menuBar_) return false;
  result = 0;
  switch (msg) {
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
      const POINT p = WindowPoint({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      TMenuBtn* item = menuBar_->ItemAt(p);
      if (!item) {
        if (msg == WM_NCMOUSEMOVE && dynamic_cast<TMenuBtn*>(hot_.Get())) hot_.Get()->MouseLeave();
        return wParam == HTMENU && msg != WM_NCMOUSEMOVE;
      }
      if (msg == WM_NCMOUSEMOVE) {
        if (active_) item->MouseEnter();
      } else {
        if (GetForegroundWindow() != handle_) SetForegroundWindow(handle_);
        OpenMenuItem(*item);
      }
      return true;
    }
    case WM_SYSCOMMAND: {
      // While a drop-down is open keyboard menu commands are passed on untouched.
      if ((wParam & 0xFFF0) != SC_KEYMENU || lParam == ' ' || inMenuLoop_) return false;
      TMenuBtn* item = nullptr;
      if (lParam == 0) {
        for (const auto& candidate : menuBar_->Items()) {
          if (candidate->Enabled && !candidate->Caption.empty()) {
            item = candidate.get();
            break;
          }
        }
      } else {
        item = menuBar_->ItemByAccelerator(static_cast<wchar_t>(lParam));
      }
      if (item) OpenMenuItem(*item);
      return item != nullptr;
    }
    case SKM_OPENMENUITEM: {
      if (TMenuBtn* item = menuBar_->ItemAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) {
        OpenMenuItem(*item);
      }
      return true;
    }
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (g_tracking.Frame != this || !g_tracking.OwnerDrawn || !measure ||
          measure->CtlType != ODT_MENU) {
        return false;
      }
      const TOwnerDrawnDropDown::TItem* item = g_tracking.OwnerDrawn->FindById(measure->itemID);
      if (!item) return false;
      const SIZE size = MeasureHandleItem(*skinData_, item->Text);
      measure->itemWidth = static_cast<UINT>(size.cx);
      measure->itemHeight = static_cast<UINT>(size.cy);
      result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (g_tracking.Frame != this || !g_tracking.OwnerDrawn || !draw || draw->CtlType != ODT_MENU) {
        return false;
      }
      const TOwnerDrawnDropDown::TItem* item =
          g_tracking.OwnerDrawn->Find(reinterpret_cast<HMENU>(draw->hwndItem), draw->itemID);
      if (!item) return false;
      DrawMenuItemOf(*skinData_, manager_, item->Menu, draw->hDC, draw->rcItem,
                     LookOfHandleItem(*item, (draw->itemState & ODS_SELECTED) != 0));
      result = TRUE;
      return true;
    }
    case WM_MENUSELECT:
      if (g_tracking.Frame == this) {
        if (HIWORD(wParam) == 0xFFFF && lParam == 0) {
          g_tracking.Selected = nullptr;
        } else {
          g_tracking.Selected = reinterpret_cast<HMENU>(lParam);
          g_tracking.SelectedHasChildren = (HIWORD(wParam) & MF_POPUP) != 0;
        }
      }
      return false;
    default:
      return false;
  }
}

namespace {

// The bar item to switch to, once the open drop-down has closed.
void ChooseBarItem(int index) {
  if (index == g_tracking.Index) return;
  g_tracking.Next = index;
  EndMenu();
}

LRESULT CALLBACK MenuFilterProc(int code, WPARAM wParam, LPARAM lParam) {
  auto* msg = reinterpret_cast<MSG*>(lParam);
  TWinSkinForm* frame = g_tracking.Frame;
  TWinSkinMenu* bar = frame ? frame->MenuBar() : nullptr;
  if (code != MSGF_MENU || !msg || !bar || bar->Items().empty()) {
    return CallNextHookEx(g_tracking.Hook, code, wParam, lParam);
  }
  const int count = static_cast<int>(bar->Items().size());
  if (msg->message == WM_KEYDOWN && bar->RightToLeft()) {
    // Right-to-left menus reverse the arrow keys.
    if (msg->wParam == VK_LEFT) msg->wParam = VK_RIGHT;
    else if (msg->wParam == VK_RIGHT) msg->wParam = VK_LEFT;
  }
  if (CallNextHookEx(g_tracking.Hook, code, wParam, lParam)) return 1;
  if ((msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) && msg->wParam == VK_MENU) {
    frame->LeaveMenuLoop();
    return 0;
  }
  switch (msg->message) {
    case WM_KEYDOWN: {
      const HMENU open = bar->Items()[static_cast<std::size_t>(g_tracking.Index)]->SubMenu;
      if (msg->wParam == VK_LEFT && (!g_tracking.Selected || g_tracking.Selected == open)) {
        ChooseBarItem(Neighbour(g_tracking.Index, -1, count));
        return 1;
      }
      if (msg->wParam == VK_RIGHT && (!g_tracking.Selected || !g_tracking.SelectedHasChildren)) {
        ChooseBarItem(Neighbour(g_tracking.Index, 1, count));
        return 1;
      }
      return 0;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN: {
      const bool move = msg->message == WM_MOUSEMOVE || msg->message == WM_NCMOUSEMOVE;
      if (move && msg->pt.x == g_tracking.LastMouse.x && msg->pt.y == g_tracking.LastMouse.y) {
        return 0;
      }
      if (move) g_tracking.LastMouse = msg->pt;
      TMenuBtn* item = bar->ItemAt(frame->WindowPoint(msg->pt));
      if (!item) return 0;
      if (item->Index != g_tracking.Index) {
        ChooseBarItem(item->Index);
        return move ? 0 : 1;
      }
      if (!move) {
        // A click on the open item's own bar button closes its drop-down.
        EndMenu();
        return 1;
      }
      return 0;
    }
    default:
      return 0;
  }
}

}  // namespace

TWinSkinMenu* TWinSkinForm::MenuBar() const { return menuBar_.get(); }

// Opens the item's drop-down and waits until it closes; a drop-down closed by the filter to
// switch to another bar item opens that one next.
void TWinSkinForm::OpenMenuItem(TMenuBtn& first) {
  if (!menuBar_ || g_tracking.Frame) return;
  const HWND window = handle_;
  int index = first.Index;
  while (index >= 0 && FromWindow(window) == this && menuBar_ &&
         index < static_cast<int>(menuBar_->Items().size())) {
    TMenuBtn& item = *menuBar_->Items()[static_cast<std::size_t>(index)];
    if (item.Command != 0) PostMessageW(window, WM_COMMAND, item.Command, 0);
    if (!item.SubMenu) break;
    g_tracking = {};
    g_tracking.Frame = this;
    g_tracking.Index = index;
    GetCursorPos(&g_tracking.LastMouse);
    inMenuLoop_ = true;
    item.MouseDown();
    // Items no menu component draws are owner-drawn while the drop-down is open.
    const TOwnerDrawnDropDown ownerDrawn(item.SubMenu, form_ ? form_->Menu() : nullptr);
    g_tracking.OwnerDrawn = &ownerDrawn;
    RECT bounds{};
    GetWindowRect(window, &bounds);
    // On the side the bar lays its items out from (right to left: under the item's right edge).
    const bool fromRight = menuBar_->RightToLeft();
    const int x = bounds.left + (fromRight ? item.Bounds.right : item.Bounds.left);
    const int y = bounds.top + item.Bounds.bottom + 1;
    manager_.SetPopupKind(1);
    g_tracking.Hook = SetWindowsHookExW(WH_MSGFILTER, MenuFilterProc, nullptr, GetCurrentThreadId());
    UINT command = 0;
    if (item.ItemEnabled) {
      // The first item of the drop-down is selected as it opens.
      PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
      const UINT align = fromRight ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
      command = static_cast<UINT>(TrackPopupMenu(item.SubMenu, TPM_RETURNCMD | TPM_RIGHTBUTTON | align,
                                                 x, y, 0, window, nullptr));
    }
    if (g_tracking.Hook) UnhookWindowsHookEx(g_tracking.Hook);
    const int next = g_tracking.Next;
    g_tracking = {};
    if (FromWindow(window) != this) return;
    inMenuLoop_ = false;
    // A menu changed while its drop-down was open has rebuilt the bar: the item is looked up
    // again.
    if (menuBar_ && index < static_cast<int>(menuBar_->Items().size())) {
      menuBar_->Items()[static_cast<std::size_t>(index)]->MouseLeave();
    }
    if (command != 0) PostMessageW(window, WM_COMMAND, command, 0);
    index = next;
  }
}

}  // namespace skin
