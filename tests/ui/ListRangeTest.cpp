// Combo boxes, list boxes, scroll bars, progress bars, track bars, up-down arrows, status bars
// and date pickers over real windows: what the window holds, and the user's input through the
// messages the system turns it into.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "GuiTestSupport.h"
#include "ui/ListControls.h"
#include "ui/RangeControls.h"
#include "ui/StatusBar.h"

using namespace ui;

namespace {

struct ListRangeForm : testing::Test {
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  void SetUp() override {
    form->SetClientSize(500, 400);
    form->Show();
  }

  template <class T>
  T* Make(int left, int top, int width, int height) {
    auto* c = new T(form.get());
    c->SetParent(form.get());
    c->SetBounds(left, top, width, height);
    return c;
  }
};

DWORD StyleOf(TWinControl* c) { return static_cast<DWORD>(GetWindowLongW(c->Handle(), GWL_STYLE)); }

std::wstring WindowText(HWND h) {
  wchar_t text[256] = {};
  GetWindowTextW(h, text, 256);
  return text;
}

void Key(HWND h, WPARAM key) {
  SendMessageW(h, WM_KEYDOWN, key, 1);
  SendMessageW(h, WM_KEYUP, key, 0xC0000001);
}

}  // namespace

TEST_F(ListRangeForm, ComboBoxesHoldTheItemsInEachStyleAndReportAChoiceOnce) {
  auto* combo = Make<TComboBox>(10, 10, 150, 21);
  for (const char* item : {"red", "green", "blue", "cyan", "magenta"}) combo->Items()->Add(item);
  EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0), 5);
  EXPECT_EQ(StyleOf(combo) & 3, static_cast<DWORD>(CBS_DROPDOWN));
  RECT closed{};
  GetWindowRect(combo->Handle(), &closed);
  EXPECT_LT(closed.bottom - closed.top, 30) << "the closed box keeps the height of one line";

  // The dropped list has room for several lines.
  combo->SetDroppedDown(true);
  EXPECT_TRUE(combo->DroppedDown());
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
  RECT list{};
  GetWindowRect(info.hwndList, &list);
  const LRESULT line = SendMessageW(combo->Handle(), CB_GETITEMHEIGHT, 0, 0);
  EXPECT_GE(list.bottom - list.top, 4 * line);
  combo->SetDroppedDown(false);

  int changes = 0;
  combo->OnChange = [&](TObject*) { ++changes; };
  combo->SetStyle(csDropDownList);
  EXPECT_EQ(StyleOf(combo) & 3, static_cast<DWORD>(CBS_DROPDOWNLIST));
  EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0), 5) << "items survive a new window";
  combo->SetItemIndex(1);
  EXPECT_EQ(changes, 0) << "the program's choice is no change by the user";
  Key(combo->Handle(), VK_DOWN);
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(combo->Text(), L"blue");
  combo->SetStyle(csSimple);
  EXPECT_EQ(StyleOf(combo) & 3, static_cast<DWORD>(CBS_SIMPLE));
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(GetEnumPropText(combo, L"Style"), L"csSimple");
  EXPECT_EQ(GetIntProp(combo, L"ItemIndex"), 2);
}

TEST_F(ListRangeForm, ListBoxChoosesByMouseAndScrolls) {
  auto* list = Make<TListBox>(10, 10, 150, 100);
  for (int i = 0; i < 40; ++i) list->Items()->Add("line " + std::to_string(i));
  int clicks = 0;
  list->OnClick = [&](TObject*) { ++clicks; };
  const auto itemHeight = static_cast<int>(SendMessageW(list->Handle(), LB_GETITEMHEIGHT, 0, 0));
  const LPARAM third = MAKELPARAM(20, itemHeight * 2 + itemHeight / 2);
  SendMessageW(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, third);
  SendMessageW(list->Handle(), WM_LBUTTONUP, 0, third);
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_EQ(clicks, 1);
  EXPECT_NE(StyleOf(list) & WS_VSCROLL, 0u);
  list->SetTopIndex(30);
  EXPECT_EQ(list->TopIndex(), 30);
  list->Items()->Delete(0);
  EXPECT_EQ(SendMessageW(list->Handle(), LB_GETCOUNT, 0, 0), 39);
  EXPECT_EQ(list->ItemIndex(), 2) << "the choice stays on its place";
}

TEST_F(ListRangeForm, ScrollBarMovesByLinesPagesAndTheThumbWithinItsRange) {
  auto* bar = Make<TScrollBar>(10, 10, 200, 17);
  bar->SetRange(0, 50);
  bar->SetLargeChange(20);
  int changes = 0;
  bar->OnChange = [&](TObject*) { ++changes; };
  const HWND h = bar->Handle();
  const auto scroll = [&](int code) {
    SendMessageW(form->Handle(), WM_HSCROLL, static_cast<WPARAM>(code), reinterpret_cast<LPARAM>(h));
  };
  scroll(SB_LINEDOWN);
  EXPECT_EQ(bar->Position(), 1);
  scroll(SB_PAGEDOWN);
  EXPECT_EQ(bar->Position(), 21);
  scroll(SB_PAGEDOWN);
  scroll(SB_PAGEDOWN);
  EXPECT_EQ(bar->Position(), 50) << "never past Max";
  EXPECT_EQ(changes, 4);
  scroll(SB_PAGEDOWN);
  EXPECT_EQ(changes, 4) << "no change, no event";
  scroll(SB_TOP);
  EXPECT_EQ(bar->Position(), 0);
  EXPECT_EQ(GetScrollPos(h, SB_CTL), 0);
  bar->SetKind(sbVertical);
  EXPECT_NE(StyleOf(bar) & SBS_VERT, 0u);
  EXPECT_EQ(bar->Height(), 200);
}

TEST_F(ListRangeForm, ProgressAndTrackBarsKeepTheirPositionsInTheWindow) {
  auto* progress = Make<TProgressBar>(10, 10, 200, 16);
  progress->SetRange(0, 40);
  progress->SetPosition(35);
  EXPECT_EQ(SendMessageW(progress->Handle(), PBM_GETPOS, 0, 0), 35);
  progress->StepIt();
  EXPECT_EQ(progress->Position(), 4) << "past Max the bar starts again";
  progress->SetOrientation(pbVertical);
  EXPECT_NE(StyleOf(progress) & PBS_VERTICAL, 0u);
  EXPECT_EQ(progress->Position(), 4);

  auto* track = Make<TTrackBar>(10, 40, 200, 45);
  int changes = 0;
  track->OnChange = [&](TObject*) { ++changes; };
  track->SetPosition(3);
  EXPECT_EQ(changes, 0);
  Key(track->Handle(), VK_RIGHT);
  EXPECT_EQ(track->Position(), 4);
  EXPECT_EQ(changes, 1);
  Key(track->Handle(), VK_END);
  EXPECT_EQ(track->Position(), 10);
  EXPECT_EQ(changes, 2);
  track->SetOrientation(trVertical);
  EXPECT_NE(StyleOf(track) & TBS_VERT, 0u);
  EXPECT_EQ(track->Position(), 10);
}

TEST_F(ListRangeForm, UpDownShowsItsPositionInTheEditAndStepsByArrowAndKey) {
  auto* edit = Make<TEdit>(10, 10, 80, 21);
  auto* updown = Make<TUpDown>(90, 10, 17, 21);
  updown->SetRange(0, 9);
  updown->SetAssociate(edit);
  updown->SetPosition(5);
  EXPECT_EQ(WindowText(edit->Handle()), L"5");
  int changes = 0;
  updown->OnChange = [&](TObject*) { ++changes; };

  // A click on the upper arrow.
  RECT r{};
  GetClientRect(updown->Handle(), &r);
  const LPARAM upper = MAKELPARAM(r.right / 2, r.bottom / 4);
  SendMessageW(updown->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, upper);
  SendMessageW(updown->Handle(), WM_LBUTTONUP, 0, upper);
  EXPECT_EQ(updown->Position(), 6);
  EXPECT_EQ(WindowText(edit->Handle()), L"6");
  EXPECT_EQ(changes, 1);
  // The down arrow key in the edit.
  Key(edit->Handle(), VK_DOWN);
  EXPECT_EQ(updown->Position(), 5);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(GetObjectProp<TWinControl>(updown, L"Associate"), edit);
  delete edit;
  EXPECT_EQ(updown->Associate(), nullptr);
}

TEST_F(ListRangeForm, StatusBarGivesThePanelsToTheWindowTheLastToTheRightEdge) {
  auto* bar = Make<TStatusBar>(0, 0, 500, 19);
  EXPECT_EQ(bar->Align(), alBottom);
  EXPECT_NE(StyleOf(bar) & SBARS_SIZEGRIP, 0u);
  bar->Panels()->Add()->SetWidth(120);
  TStatusPanel* middle = bar->Panels()->Add();
  middle->SetWidth(80);
  middle->SetText(L"状态 ready");
  bar->Panels()->Add()->SetText(L"last");
  int edges[8] = {};
  ASSERT_EQ(SendMessageW(bar->Handle(), SB_GETPARTS, 8, reinterpret_cast<LPARAM>(edges)), 3);
  EXPECT_EQ(edges[0], 120);
  EXPECT_EQ(edges[1], 200);
  EXPECT_EQ(edges[2], -1);
  wchar_t text[64] = {};
  SendMessageW(bar->Handle(), SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"状态 ready");

  bar->SetSimpleText(L"one text");
  bar->SetSimplePanel(true);
  EXPECT_TRUE(SendMessageW(bar->Handle(), SB_ISSIMPLE, 0, 0));
  bar->SetSizeGrip(false);
  EXPECT_EQ(StyleOf(bar) & SBARS_SIZEGRIP, 0u);
  EXPECT_EQ(GetEnumPropText(bar, L"SimplePanel"), L"True");
}

// An owner-drawn panel keeps no text in the window and is drawn by OnDrawPanel on the bar's
// canvas, in the rectangle the system gives it; text panels never reach the handler.
TEST_F(ListRangeForm, StatusBarOwnerDrawnPanelIsDrawnByItsEvent) {
  auto* bar = Make<TStatusBar>(0, 0, 300, 22);
  bar->Panels()->Add()->SetText(L"text");
  bar->Panels()->Items(0)->SetWidth(100);
  TStatusPanel* drawn = bar->Panels()->Add();
  drawn->SetText(L"never shown");
  drawn->SetStyle(psOwnerDraw);
  EXPECT_EQ(GetEnumPropText(drawn, L"Style"), L"psOwnerDraw");
  EXPECT_NE(HIWORD(SendMessageW(bar->Handle(), SB_GETTEXTLENGTHW, 1, 0)) & SBT_OWNERDRAW, 0);
  std::vector<std::pair<TStatusPanel*, RECT>> calls;
  bar->OnDrawPanel = [&](TStatusBar* sender, TStatusPanel* panel, const RECT& r) {
    EXPECT_EQ(sender, bar);
    calls.emplace_back(panel, r);
    sender->Canvas()->Brush()->SetColor(clRed);
    sender->Canvas()->FillRect(r);
  };
  RECT client{};
  GetClientRect(bar->Handle(), &client);
  TBitmap picture(client.right, client.bottom);
  SendMessageW(bar->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(picture.Canvas()->Handle()), 0);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].first, drawn);
  const RECT r = calls[0].second;
  EXPECT_GE(r.left, 100);
  EXPECT_GT(r.right, r.left + 100);
  EXPECT_EQ(picture.ScanLine((r.top + r.bottom) / 2)[(r.left + r.right) / 2] & 0xFFFFFF, 0xFF0000u)
      << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  EXPECT_NE(picture.ScanLine((r.top + r.bottom) / 2)[50] & 0xFFFFFF, 0xFF0000u);
}

TEST_F(ListRangeForm, DatePickerHoldsItsDateAndReportsTheUsersChange) {
  auto* picker = Make<TDateTimePicker>(10, 10, 186, 21);
  SYSTEMTIME day{};
  day.wYear = 2026;
  day.wMonth = 12;
  day.wDay = 7;
  picker->SetDateTime(day);
  SYSTEMTIME held = picker->DateTime();
  EXPECT_EQ(held.wYear, 2026);
  EXPECT_EQ(held.wMonth, 12);
  EXPECT_EQ(held.wDay, 7);
  int changes = 0;
  picker->OnChange = [&](TObject*) { ++changes; };
  SetFocus(picker->Handle());
  // The second field of the date (which one depends on the locale's format) one step up.
  Key(picker->Handle(), VK_RIGHT);
  Key(picker->Handle(), VK_UP);
  held = picker->DateTime();
  EXPECT_GE(changes, 1);
  EXPECT_NE(held.wYear * 10000 + held.wMonth * 100 + held.wDay, 20261207);
  picker->SetKind(dtkTime);
  EXPECT_NE(StyleOf(picker) & DTS_TIMEFORMAT, 0u);
  EXPECT_EQ(picker->DateTime().wYear, held.wYear) << "the value survives a new window";
}
