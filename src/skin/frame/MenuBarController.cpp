// The frame's menu bar: made when the frame attaches to a window with a menu, opening an
// item's drop-down (by mouse, accelerator, F10 or Alt, or SKM_OPENMENUITEM) and the
// message-filter hook that moves between drop-downs with the arrow keys and the mouse as a
// native menu bar does. The form's menus get the skinned item painter here too.
#include "skin/frame/MenuBarController.h"

#include <windowsx.h>

#include <algorithm>

#include "skin/data/SkinMessages.h"
#include "skin/frame/DropDownItems.h"
#include "skin/frame/MenuItemPainter.h"
#include "ui/Menus.h"

namespace skin {

namespace {

// The one drop-down of a menu bar that is open (tracking is modal on the GUI thread).
struct TMenuTracking {
  TMenuBarController* Controller = nullptr;
  bool Gone = false;     // the controller let go of its bar while the drop-down was open
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

// The controller whose drop-down is open, while it still has its bar.
TMenuBarController* TrackingController() {
  return g_tracking.Gone ? nullptr : g_tracking.Controller;
}

}  // namespace

TMenuBarController::~TMenuBarController() {
  if (g_tracking.Controller == this) g_tracking.Gone = true;
}

void TMenuBarController::Attach(bool withBar) {
  const HMENU menu = GetMenu(frame_.BarWindow());
  if (menu && withBar) {
    bar_ = std::make_unique<TWinSkinMenu>(frame_, hot_, frame_.BarSkin(), frame_.BarForm());
    bar_->RebuildItems(menu);
  }
  // Owner-drawn menus are built anew; the bar hears of it as a menu change.
  if (frame_.BarForm()) SkinFormMenus(false);
}

void TMenuBarController::Detach(bool restore) {
  if (bar_) {
    if (g_tracking.Controller == this) g_tracking.Gone = true;
    if (hot_.Get() && std::any_of(bar_->Items().begin(), bar_->Items().end(),
                                  [&](const auto& item) { return item.get() == hot_.Get(); })) {
      hot_.Clear();
    }
    // A window on its way out would destroy the menu with itself.
    if (restore) bar_->RestoreMenu();
    bar_.reset();
  }
  ui::TCustomForm* form = frame_.BarForm();
  if (form && !form->Destroying()) SkinFormMenus(true);
}

void TMenuBarController::SkinFormMenus(bool off) {
  TSkinData* data = frame_.BarSkin();
  ui::TCustomForm* form = frame_.BarForm();
  const TSkinControlTypes kinds = data->SkinControls();
  for (int i = 0; i < form->ComponentCount(); ++i) {
    auto* menu = dynamic_cast<ui::TMenu*>(form->Components(i));
    if (!menu) continue;
    const bool popup = menu->InheritsFrom(ui::TPopupMenu::StaticClass());
    const bool wanted = popup ? InSet(kinds, xcPopupMenu) && menu->Tag() != data->DisableTag()
                              : InSet(kinds, xcMainMenu) || InSet(kinds, xcMenuItem);
    if (wanted) SkinMenuItems(data, frame_.BarPopups(), *menu, off);
  }
}

// Painting waits while the form handles the change, then the bar takes the window's new menu,
// which is taken away from the window again.
void TMenuBarController::MenuChanged(ui::TMessage& m, const ui::TWndMethod& next) {
  TSkinData* data = frame_.BarSkin();
  data->SetPaintingAllowed(false);
  try {
    if (next) next(m);
  } catch (...) {
    data->SetPaintingAllowed(true);
    throw;
  }
  data->SetPaintingAllowed(true);
  const HWND window = frame_.BarWindow();
  const HMENU menu = GetMenu(window);
  // A window that had no menu when the frame attached has no bar and keeps its menu.
  if (!menu || !bar_) return;
  if (data->MenuUpdate()) {
    if (frame_.BarForm()) SkinFormMenus(false);
    bar_->RebuildItems(menu);
    frame_.RepaintFrame();
  }
  if (GetMenu(window)) SetMenu(window, nullptr);
}

void TMenuBarController::DialogChar(ui::TMessage& m, const ui::TWndMethod& next) {
  if (next) next(m);
  if (m.Result == 0 && OpenByAccelerator(m.WParam)) m.Result = 1;
  if (m.Result == 0) m.Result = OfferDialogCharToMainForm(m.WParam, m.LParam);
}

bool TMenuBarController::TakeMergedMenu(HMENU menu) {
  if (!bar_) return false;
  bar_->MergeItems(menu);
  const HWND window = frame_.BarWindow();
  if (GetMenu(window)) SetMenu(window, nullptr);
  return true;
}

// A character with Alt held that the form did not take opens the bar item with that
// accelerator.
bool TMenuBarController::OpenByAccelerator(WPARAM character) {
  if (!bar_ || GetKeyState(VK_MENU) >= 0) return false;
  TMenuBtn* item = bar_->ItemByAccelerator(static_cast<wchar_t>(character));
  if (!item) return false;
  POINT corner{item->Bounds.left, item->Bounds.top};
  const HWND window = frame_.BarWindow();
  RECT bounds{};
  GetWindowRect(window, &bounds);
  PostMessageW(window, WM_NCLBUTTONDOWN, HTMENU,
               MAKELPARAM(bounds.left + corner.x + 1, bounds.top + corner.y + 1));
  return true;
}

// A character with Alt held that neither this form nor its bar took is offered to the
// application's main form, whose menu bar may have the accelerator.
LRESULT TMenuBarController::OfferDialogCharToMainForm(WPARAM character, LPARAM keyData) {
  ui::TCustomForm* main = ui::Application ? ui::Application->MainForm() : nullptr;
  ui::TCustomForm* form = frame_.BarForm();
  if (!main || !form || main == form || !main->HandleAllocated()) return 0;
  return main->Perform(ui::CM_DIALOGCHAR, character, keyData);
}

bool TMenuBarController::Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (!bar_) return false;
  result = 0;
  switch (msg) {
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      return MouseMessage(msg, wParam, lParam);
    case WM_SYSCOMMAND:
      return KeyMenuCommand(wParam, lParam);
    case SKM_OPENMENUITEM: {
      if (TMenuBtn* item = bar_->ItemAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) {
        OpenItem(*item);
      }
      return true;
    }
    case WM_MEASUREITEM:
      return MeasureDropDownItem(lParam, result);
    case WM_DRAWITEM:
      return DrawDropDownItem(lParam, result);
    case WM_MENUSELECT:
      if (g_tracking.Controller == this) {
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

bool TMenuBarController::MouseMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  const POINT p = frame_.BarPoint({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  TMenuBtn* item = bar_->ItemAt(p);
  if (!item) {
    if (msg == WM_NCMOUSEMOVE && dynamic_cast<TMenuBtn*>(hot_.Get())) hot_.Get()->MouseLeave();
    return wParam == HTMENU && msg != WM_NCMOUSEMOVE;
  }
  if (msg == WM_NCMOUSEMOVE) {
    if (frame_.BarActive()) item->MouseEnter();
  } else {
    const HWND window = frame_.BarWindow();
    if (GetForegroundWindow() != window) SetForegroundWindow(window);
    OpenItem(*item);
  }
  return true;
}

// F10 or Alt (the first enabled item with a caption) and Alt with a letter (the item with that
// accelerator). While a drop-down is open keyboard menu commands are passed on untouched.
bool TMenuBarController::KeyMenuCommand(WPARAM wParam, LPARAM lParam) {
  if ((wParam & 0xFFF0) != SC_KEYMENU || lParam == ' ' || inMenuLoop_) return false;
  TMenuBtn* item = nullptr;
  if (lParam == 0) {
    for (const auto& candidate : bar_->Items()) {
      if (candidate->Enabled && !candidate->Caption.empty()) {
        item = candidate.get();
        break;
      }
    }
  } else {
    item = bar_->ItemByAccelerator(static_cast<wchar_t>(lParam));
  }
  if (item) OpenItem(*item);
  return item != nullptr;
}

bool TMenuBarController::MeasureDropDownItem(LPARAM lParam, LRESULT& result) {
  auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
  if (g_tracking.Controller != this || !g_tracking.OwnerDrawn || !measure ||
      measure->CtlType != ODT_MENU) {
    return false;
  }
  const TOwnerDrawnDropDown::TItem* item = g_tracking.OwnerDrawn->FindById(measure->itemID);
  if (!item) return false;
  const SIZE size = MeasureHandleItem(*frame_.BarSkin(), item->Text);
  measure->itemWidth = static_cast<UINT>(size.cx);
  measure->itemHeight = static_cast<UINT>(size.cy);
  result = TRUE;
  return true;
}

bool TMenuBarController::DrawDropDownItem(LPARAM lParam, LRESULT& result) {
  auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
  if (g_tracking.Controller != this || !g_tracking.OwnerDrawn || !draw ||
      draw->CtlType != ODT_MENU) {
    return false;
  }
  const TOwnerDrawnDropDown::TItem* item =
      g_tracking.OwnerDrawn->Find(reinterpret_cast<HMENU>(draw->hwndItem), draw->itemID);
  if (!item) return false;
  DrawMenuItemOf(*frame_.BarSkin(), frame_.BarPopups(), item->Menu, draw->hDC, draw->rcItem,
                 LookOfHandleItem(*item, (draw->itemState & ODS_SELECTED) != 0));
  result = TRUE;
  return true;
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
  TMenuBarController* controller = TrackingController();
  TWinSkinMenu* bar = controller ? controller->Bar() : nullptr;
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
    controller->LeaveMenuLoop();
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
      TMenuBtn* item = bar->ItemAt(controller->WindowPoint(msg->pt));
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

// Opens the item's drop-down and waits until it closes; a drop-down closed by the filter to
// switch to another bar item opens that one next.
void TMenuBarController::OpenItem(TMenuBtn& first) {
  if (!bar_ || g_tracking.Controller) return;
  const HWND window = frame_.BarWindow();
  int index = first.Index;
  while (index >= 0 && bar_ && index < static_cast<int>(bar_->Items().size())) {
    TMenuBtn& item = *bar_->Items()[static_cast<std::size_t>(index)];
    if (item.Command != 0) PostMessageW(window, WM_COMMAND, item.Command, 0);
    if (!item.SubMenu) break;
    bool gone = false;
    UINT command = 0;
    const int next = TrackDropDown(index, command, gone);
    // The frame let go of the window (or is gone) while the drop-down was open.
    if (gone) return;
    inMenuLoop_ = false;
    // A menu changed while its drop-down was open has rebuilt the bar: the item is looked up
    // again.
    if (bar_ && index < static_cast<int>(bar_->Items().size())) {
      bar_->Items()[static_cast<std::size_t>(index)]->MouseLeave();
    }
    if (command != 0) PostMessageW(window, WM_COMMAND, command, 0);
    index = next;
  }
}

int TMenuBarController::TrackDropDown(int index, UINT& command, bool& gone) {
  const HWND window = frame_.BarWindow();
  TMenuBtn& item = *bar_->Items()[static_cast<std::size_t>(index)];
  g_tracking = {};
  g_tracking.Controller = this;
  g_tracking.Index = index;
  GetCursorPos(&g_tracking.LastMouse);
  inMenuLoop_ = true;
  item.MouseDown();
  // Items no menu component draws are owner-drawn while the drop-down is open.
  ui::TCustomForm* form = frame_.BarForm();
  const TOwnerDrawnDropDown ownerDrawn(item.SubMenu, form ? form->Menu() : nullptr);
  g_tracking.OwnerDrawn = &ownerDrawn;
  RECT bounds{};
  GetWindowRect(window, &bounds);
  // On the side the bar lays its items out from (right to left: under the item's right edge).
  const bool fromRight = bar_->RightToLeft();
  const int x = bounds.left + (fromRight ? item.Bounds.right : item.Bounds.left);
  const int y = bounds.top + item.Bounds.bottom + 1;
  frame_.DropDownOpening();
  g_tracking.Hook = SetWindowsHookExW(WH_MSGFILTER, MenuFilterProc, nullptr, GetCurrentThreadId());
  if (item.ItemEnabled) {
    // The first item of the drop-down is selected as it opens.
    PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
    const UINT align = fromRight ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
    command = static_cast<UINT>(TrackPopupMenu(item.SubMenu, TPM_RETURNCMD | TPM_RIGHTBUTTON | align,
                                               x, y, 0, window, nullptr));
  }
  if (g_tracking.Hook) UnhookWindowsHookEx(g_tracking.Hook);
  const int next = g_tracking.Next;
  gone = g_tracking.Gone;
  g_tracking = {};
  return next;
}

}  // namespace skin
