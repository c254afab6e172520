// Menus of the class library on real windows: the menu handles built from the items, commands
// and owner-draw requests reaching their items, a form's menu bar and a control's context menu.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "ui/Forms.h"
#include "ui/Menus.h"

namespace {

using ui::TMenuItem;

TMenuItem* AddItem(ui::TComponent* owner, TMenuItem* parent, const std::wstring& caption,
                   const std::wstring& shortCut = L"") {
  auto* item = new TMenuItem(owner);
  item->SetCaption(caption);
  item->SetShortCut(shortCut);
  parent->Add(item);
  return item;
}

std::wstring ItemText(HMENU menu, int position) {
  wchar_t text[128] = {};
  GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
  return text;
}

UINT ItemState(HMENU menu, int position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STATE | MIIM_FTYPE;
  GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
  return info.fState | info.fType;
}

class MenusTest : public testing::Test {
 protected:
  void SetUp() override {
    form_ = std::make_unique<ui::TForm>(nullptr);
    form_->SetBounds(50, 50, 300, 200);
  }
  std::unique_ptr<ui::TForm> form_;
};

TEST_F(MenusTest, TheMenuHandleHoldsTheVisibleItemsWithTheirStatesAndTidiedSeparators) {
  auto* menu = new ui::TPopupMenu(form_.get());
  TMenuItem* root = menu->Items();
  AddItem(form_.get(), root, L"-");  // a leading separator is not shown
  AddItem(form_.get(), root, L"&Open", L"Ctrl+O");
  AddItem(form_.get(), root, L"-");
  AddItem(form_.get(), root, L"-");  // of two in a row one is shown
  TMenuItem* checked = AddItem(form_.get(), root, L"&Checked");
  checked->SetChecked(true);
  AddItem(form_.get(), root, L"&Disabled")->SetEnabled(false);
  AddItem(form_.get(), root, L"Hidden")->SetVisible(false);
  TMenuItem* sub = AddItem(form_.get(), root, L"&More");
  AddItem(form_.get(), sub, L"&Inner");
  AddItem(form_.get(), root, L"-");  // a trailing separator is not shown

  const HMENU handle = menu->Handle();
  ASSERT_EQ(GetMenuItemCount(handle), 5);
  EXPECT_EQ(ItemText(handle, 0), L"&Open\tCtrl+O");
  EXPECT_TRUE(ItemState(handle, 1) & MFT_SEPARATOR);
  EXPECT_EQ(ItemText(handle, 2), L"&Checked");
  EXPECT_TRUE(ItemState(handle, 2) & MFS_CHECKED);
  EXPECT_EQ(ItemState(handle, 3) & MFS_GRAYED, static_cast<UINT>(MFS_GRAYED));
  const HMENU inner = GetSubMenu(handle, 4);
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(inner, sub->Handle());
  EXPECT_EQ(ItemText(inner, 0), L"&Inner");
  EXPECT_EQ(GetMenuItemID(handle, 0), root->Items(1)->Command());

  // A change rebuilds the handles.
  checked->SetChecked(false);
  EXPECT_FALSE(ItemState(menu->Handle(), 2) & MFS_CHECKED);
}

TEST_F(MenusTest, AcceleratorsAndHotkeyMarks) {
  EXPECT_EQ(ui::AcceleratorOf(L"&File"), L'F');
  EXPECT_EQ(ui::AcceleratorOf(L"Sa&ve"), L'V');
  EXPECT_EQ(ui::AcceleratorOf(L"Fish && &Chips"), L'C');
  EXPECT_EQ(ui::AcceleratorOf(L"None"), 0);
  EXPECT_EQ(ui::StripHotkey(L"Fish && &Chips"), L"Fish & Chips");
}

TEST_F(MenusTest, ACheckedRadioItemUnchecksItsSiblingRadioItems) {
  auto* menu = new ui::TPopupMenu(form_.get());
  TMenuItem* a = AddItem(form_.get(), menu->Items(), L"A");
  TMenuItem* b = AddItem(form_.get(), menu->Items(), L"B");
  a->SetRadioItem(true);
  b->SetRadioItem(true);
  a->SetChecked(true);
  b->SetChecked(true);
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(b->Checked());
  EXPECT_TRUE(ItemState(menu->Handle(), 1) & MFT_RADIOCHECK);
}

TEST_F(MenusTest, TheFormShowsItsMenuAndACommandRunsTheItemsClickOnce) {
  auto* menu = new ui::TMainMenu(form_.get());
  TMenuItem* file = AddItem(form_.get(), menu->Items(), L"&File");
  TMenuItem* open = AddItem(form_.get(), file, L"&Open");
  int clicks = 0;
  open->OnClick = [&](ui::TObject* sender) {
    EXPECT_EQ(sender, open);
    ++clicks;
  };
  form_->SetMenu(menu);
  const HWND window = form_->Handle();
  EXPECT_EQ(GetMenu(window), menu->Handle());
  EXPECT_EQ(ui::GetObjectProp<ui::TMainMenu>(form_.get(), L"Menu"), menu);
  SendMessageW(window, WM_COMMAND, open->Command(), 0);
  EXPECT_EQ(clicks, 1);
  // A disabled item does not run.
  open->SetEnabled(false);
  SendMessageW(window, WM_COMMAND, open->Command(), 0);
  EXPECT_EQ(clicks, 1);
}

TEST_F(MenusTest, ARecreatedFormWindowGetsTheSameMenuAgain) {
  auto* menu = new ui::TMainMenu(form_.get());
  AddItem(form_.get(), menu->Items(), L"&File");
  form_->SetMenu(menu);
  const HMENU handle = GetMenu(form_->Handle());
  ASSERT_NE(handle, nullptr);
  form_->SetBorderStyle(ui::bsSingle);  // a new window
  EXPECT_TRUE(IsMenu(handle));  // not destroyed with the old window
  EXPECT_EQ(GetMenu(form_->Handle()), handle);
  EXPECT_EQ(ItemText(handle, 0), L"&File");
}

TEST_F(MenusTest, AChangedMainMenuGivesTheWindowTheNewMenuAndTellsTheForm) {
  auto* menu = new ui::TMainMenu(form_.get());
  TMenuItem* file = AddItem(form_.get(), menu->Items(), L"&File");
  form_->SetMenu(menu);
  const HWND window = form_->Handle();
  int changes = 0;
  HMENU seen = nullptr;
  const ui::TWndMethod own = form_->WindowProc;
  form_->WindowProc = [&](ui::TMessage& m) {
    if (m.Msg == ui::CM_MENUCHANGED) {
      ++changes;
      seen = GetMenu(window);
    }
    own(m);
  };
  file->SetCaption(L"&Document");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(seen, menu->Handle());
  EXPECT_EQ(ItemText(GetMenu(window), 0), L"&Document");
  form_->WindowProc = own;
}

TEST_F(MenusTest, OwnerDrawRequestsReachTheItemsEvents) {
  auto* menu = new ui::TPopupMenu(form_.get());
  menu->SetOwnerDraw(true);
  TMenuItem* item = AddItem(form_.get(), menu->Items(), L"Drawn");
  int measured = 0, drawn = 0;
  bool selectedSeen = false;
  item->OnMeasureItem = [&](ui::TObject*, ui::TCanvas* canvas, int& w, int& h) {
    ++measured;
    EXPECT_NE(canvas->Handle(), nullptr);
    w = 77;
    h = 19;
  };
  item->OnDrawItem = [&](ui::TObject*, ui::TCanvas* canvas, const RECT& r, bool selected) {
    ++drawn;
    selectedSeen = selected;
    EXPECT_EQ(r.right, 40);
    canvas->Brush()->SetColor(ui::clRed);
    canvas->FillRect(r);
    SetTextColor(canvas->Handle(), RGB(1, 2, 3));
    ExcludeClipRect(canvas->Handle(), 20, 0, 40, 19);  // keeps later drawing out of its right half
  };
  const HMENU handle = menu->Handle();
  EXPECT_TRUE(ItemState(handle, 0) & MFT_OWNERDRAW);
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_DATA;
  GetMenuItemInfoW(handle, 0, TRUE, &info);

  MEASUREITEMSTRUCT measure{ODT_MENU, 0, item->Command(), 0, 0, info.dwItemData};
  ui::TMessage m{WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure), 0};
  ASSERT_TRUE(ui::DispatchMenuMessage(m, nullptr));
  EXPECT_EQ(measured, 1);
  EXPECT_EQ(measure.itemWidth, 77u);
  EXPECT_EQ(measure.itemHeight, 19u);

  ui::TBitmap target(40, 19);
  DRAWITEMSTRUCT draw{ODT_MENU, 0, item->Command(), ODA_DRAWENTIRE, ODS_SELECTED,
                      reinterpret_cast<HWND>(handle), target.Canvas()->Handle(), {0, 0, 40, 19},
                      info.dwItemData};
  ASSERT_TRUE(SendMessageW(form_->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)));
  EXPECT_EQ(drawn, 1);
  EXPECT_TRUE(selectedSeen);
  EXPECT_EQ(target.ScanLine(5)[5] & 0xFFFFFF, 0xFF0000u);  // red, 0x00RRGGBB
  // What the handler changed in the device context is undone, except its clipping.
  EXPECT_NE(GetTextColor(target.Canvas()->Handle()), RGB(1, 2, 3));
  const RECT all{0, 0, 40, 19};
  FillRect(target.Canvas()->Handle(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  EXPECT_EQ(target.ScanLine(5)[5] & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(target.ScanLine(5)[30] & 0xFFFFFF, 0xFF0000u);
  SelectClipRgn(target.Canvas()->Handle(), nullptr);

  // The data of an item that is gone is not taken for an item.
  const ULONG_PTR data = info.dwItemData;
  delete item;
  EXPECT_EQ(TMenuItem::FromItemData(data), nullptr);
}

TEST_F(MenusTest, AnOwnerDrawnMenuFindsItsItemsByAccelerator) {
  auto* menu = new ui::TPopupMenu(form_.get());
  menu->SetOwnerDraw(true);
  AddItem(form_.get(), menu->Items(), L"&Open");
  AddItem(form_.get(), menu->Items(), L"-");
  AddItem(form_.get(), menu->Items(), L"Clo&se");
  const HMENU handle = menu->Handle();
  ui::TMessage m{WM_MENUCHAR, MAKEWPARAM(L's', MF_POPUP), reinterpret_cast<LPARAM>(handle), 0};
  ASSERT_TRUE(ui::DispatchMenuMessage(m, nullptr));
  EXPECT_EQ(m.Result, MAKELRESULT(2, MNC_EXECUTE));
  m = {WM_MENUCHAR, MAKEWPARAM(L'O', MF_POPUP), reinterpret_cast<LPARAM>(handle), 0};
  ASSERT_TRUE(ui::DispatchMenuMessage(m, nullptr));
  EXPECT_EQ(m.Result, MAKELRESULT(0, MNC_EXECUTE));
  m = {WM_MENUCHAR, MAKEWPARAM(L'z', MF_POPUP), reinterpret_cast<LPARAM>(handle), 0};
  EXPECT_FALSE(ui::DispatchMenuMessage(m, nullptr));
}

// Ends the open menu once its window has been seen.
bool g_menuSeen = false;
void CALLBACK EndMenuTick(HWND, UINT, UINT_PTR id, DWORD) {
  if (FindWindowW(L"#32768", nullptr)) {
    g_menuSeen = true;
    EndMenu();
    KillTimer(nullptr, id);
  }
}

TEST_F(MenusTest, TheContextMenuKeyOpensTheControlsPopupMenu) {
  auto* menu = new ui::TPopupMenu(form_.get());
  AddItem(form_.get(), menu->Items(), L"&Copy");
  int popups = 0;
  menu->OnPopup = [&](ui::TObject*) { ++popups; };
  form_->SetPopupMenu(menu);
  form_->Show();
  g_menuSeen = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, 30, EndMenuTick);
  // Shift+F10 and the context-menu key arrive as WM_CONTEXTMENU at (-1, -1).
  SendMessageW(form_->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form_->Handle()),
               MAKELPARAM(-1, -1));
  KillTimer(nullptr, timer);
  EXPECT_EQ(popups, 1);
  EXPECT_TRUE(g_menuSeen);
  EXPECT_EQ(menu->PopupComponent(), form_.get());
  // The menu going away leaves no reference behind.
  delete menu;
  EXPECT_EQ(form_->PopupMenu(), nullptr);
}

}  // namespace
