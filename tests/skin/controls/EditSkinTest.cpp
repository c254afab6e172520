// The skinners of text-entry controls on real windows with the program's own skin: edit
// borders and rendering an edit's text into a given device context, combo boxes opening their
// list and taking a choice by mouse and by keyboard, up-down buttons changing their buddy by
// click and by held press, and date-time pickers opening their calendar from the skinned arrow.
#include <functional>
#include <string>

#include "ControlTestSupport.h"
#include "FrameTestSupport.h"
#include "skin/controls/SkinEdits.h"
#include "skin/data/SkinDerivedImages.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/SkinMessages.h"
#include "skin/model/SkinObjects.h"
#include "ui/ListControls.h"
#include "ui/RangeControls.h"
#include "ui/StatusBar.h"
#include "ui/StdCtrls.h"

using namespace frametest;
using namespace skin;
using testsupport::PumpFor;
using testsupport::PumpUntil;

namespace {

template <class Bitmap>
std::uint32_t PixelOf(const Bitmap& b, int x, int y) { return b.ScanLine(y)[x] & 0xFFFFFF; }
std::uint32_t Rgb(ui::TColor c) {
  const COLORREF r = ui::ColorToRGB(c);
  return (GetRValue(r) << 16) | (GetGValue(r) << 8) | GetBValue(r);
}

TEST(EditSkinFrames, ComboAndUpDownStates) {
  EXPECT_EQ(ComboFrame({true, false, false, false}), 1);
  EXPECT_EQ(ComboFrame({true, false, true, false}), 2);
  EXPECT_EQ(ComboFrame({true, true, false, false}), 4);
  EXPECT_EQ(ComboFrame({true, false, false, true}), 4);
  EXPECT_EQ(ComboFrame({false, true, true, true}), 3);
  EXPECT_EQ(UpDownHalfFrame(true, true, true, true), 2);
  EXPECT_EQ(UpDownHalfFrame(true, true, false, true), 4);
  EXPECT_EQ(UpDownHalfFrame(true, false, true, true), 1);  // the other half
  EXPECT_EQ(UpDownHalfFrame(false, true, true, true), 3);
  EXPECT_EQ(UpDownHalfFrame(false, false, false, false), 3);
}

class EditSkinTest : public FrameTest {
 protected:
  TWinSkinForm* Start(const std::function<void(ui::TForm&)>& build) {
    auto form = std::make_unique<ui::TForm>(nullptr);
    form->SetBounds(40, 40, 420, 320);
    form->SetCaption(L"Edits");
    build(*form);
    form->Show();
    form_ = form.get();
    forms_.push_back(std::move(form));
    return RunningFrame(form_->Handle());
  }
  template <class T>
  T* Add(ui::TForm& f, int left, int top, int width, int height) {
    auto* c = new T(&f);
    c->SetParent(&f);
    c->SetBounds(left, top, width, height);
    return c;
  }
  template <class S>
  S* SkinnerOf(TWinSkinForm* frame, const ui::TControl* control) {
    return dynamic_cast<S*>(frame->ControlSkinners().FindControl(control));
  }
  ui::TForm* form_ = nullptr;
};

// The cases below run once with each skin of ours.
using EditSkinTestOnOwnSkins = testsupport::OwnSkinsOf<EditSkinTest>;
INSTANTIATE_FOR_OWN_SKINS(EditSkinTestOnOwnSkins);

TEST_P(EditSkinTestOnOwnSkins, AnEditGetsTheSkinsBorder) {
  ui::TEdit* edit = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) { edit = Add<ui::TEdit>(f, 10, 10, 150, 24); });
  ASSERT_NE(frame, nullptr);
  auto* skinner = SkinnerOf<TSkinEdit>(frame, edit);
  ASSERT_NE(skinner, nullptr);
  ui::TBitmap picture(150, 24);
  FillColour(picture.Canvas()->Handle(), {0, 0, 150, 24}, 0x123456);
  skinner->Draw(picture.Canvas()->Handle(), {0, 0, 150, 24});
  const std::uint32_t shadow = Rgb(ResolveColour(data_->Colours().ButtonShadow));
  EXPECT_EQ(PixelOf(picture, 0, 0), shadow);
  EXPECT_EQ(PixelOf(picture, 149, 23), shadow);
  EXPECT_EQ(PixelOf(picture, 75, 0), shadow);
  EXPECT_EQ(PixelOf(picture, 1, 1), 0xFFFFFFu);
  EXPECT_EQ(PixelOf(picture, 2, 12), 0xFFFFFFu);
  EXPECT_EQ(PixelOf(picture, 147, 12), 0xFFFFFFu);
  EXPECT_EQ(PixelOf(picture, 3, 12), 0x563412u);  // the text area is the edit's own
  // Typing still reaches the edit.
  SetFocus(edit->Handle());
  SendMessageW(edit->Handle(), WM_CHAR, L'a', 0);
  SendMessageW(edit->Handle(), WM_CHAR, L'b', 0);
  EXPECT_EQ(edit->Text(), L"ab");
}

TEST_F(EditSkinTest, AnEditWithoutBorderIsNotFramed) {
  ui::TEdit* edit = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) { edit = Add<ui::TEdit>(f, 10, 10, 150, 24); });
  ASSERT_NE(frame, nullptr);
  auto* skinner = SkinnerOf<TSkinEdit>(frame, edit);
  ASSERT_NE(skinner, nullptr);
  SetWindowLongW(edit->Handle(), GWL_EXSTYLE, GetWindowLongW(edit->Handle(), GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
  SetWindowLongW(edit->Handle(), GWL_STYLE, GetWindowLongW(edit->Handle(), GWL_STYLE) & ~WS_BORDER);
  SetWindowPos(edit->Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  ui::TBitmap picture(150, 24);
  FillColour(picture.Canvas()->Handle(), {0, 0, 150, 24}, 0x123456);
  skinner->Draw(picture.Canvas()->Handle(), {0, 0, 150, 24});
  EXPECT_EQ(PixelOf(picture, 0, 0), 0x563412u);
  EXPECT_EQ(PixelOf(picture, 1, 1), 0x563412u);
}

TEST_F(EditSkinTest, PaintContentRendersTheTextIntoTheGivenDC) {
  ui::TEdit* edit = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) {
    edit = Add<ui::TEdit>(f, 10, 10, 200, 24);
    edit->SetText(L"WWWWWWWW");
  });
  ASSERT_NE(frame, nullptr);
  ASSERT_NE(SkinnerOf<TSkinEdit>(frame, edit), nullptr);
  RECT client{};
  GetClientRect(edit->Handle(), &client);
  auto dark = [&](ui::TBitmap& b) {
    int n = 0;
    for (int y = 0; y < client.bottom; ++y) {
      for (int x = 0; x < client.right; ++x) {
        const std::uint32_t p = PixelOf(b, x, y);
        if (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 200) ++n;
      }
    }
    return n;
  };
  ui::TBitmap picture(client.right, client.bottom);
  FillColour(picture.Canvas()->Handle(), client, 0xFFFFFF);
  const LRESULT answer = SendMessageW(edit->Handle(), SKM_PAINTCONTENT,
                                      reinterpret_cast<WPARAM>(picture.Canvas()->Handle()), 0x41A2);
  EXPECT_EQ(answer, 0x41A2);
  const int withText = dark(picture);
  EXPECT_GT(withText, 20);
  // An empty edit renders no text.
  edit->SetText(L"");
  FillColour(picture.Canvas()->Handle(), client, 0xFFFFFF);
  SendMessageW(edit->Handle(), SKM_PAINTCONTENT, reinterpret_cast<WPARAM>(picture.Canvas()->Handle()), 0x41A2);
  EXPECT_LT(dark(picture), withText / 4);
  // Another key is not the skin's message.
  EXPECT_NE(SendMessageW(edit->Handle(), SKM_PAINTCONTENT, 0, 1), 0x41A2);
}

ui::TComboBox* MakeCombo(ui::TForm& f, ui::TComboBoxStyle style) {
  auto* combo = new ui::TComboBox(&f);
  combo->SetParent(&f);
  combo->SetStyle(style);
  combo->SetBounds(10, 10, 160, 24);
  for (int i = 0; i < 12; ++i) combo->Items()->Add("item " + std::to_string(i));
  return combo;
}

TEST_F(EditSkinTest, AComboOpensItsListAndTakesAChoiceByMouse) {
  ui::TComboBox* combo = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) { combo = MakeCombo(f, ui::csDropDownList); });
  ASSERT_NE(frame, nullptr);
  auto* skinner = SkinnerOf<TSkinComBox>(frame, combo);
  ASSERT_NE(skinner, nullptr);
  PumpFor(50);
  const RECT button = skinner->ButtonRect();
  ASSERT_GT(button.right - button.left, 4);
  const LPARAM at = MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2);
  SendMessageW(combo->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  ASSERT_TRUE(PumpUntil([&] { return SendMessageW(combo->Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0; }));
  EXPECT_TRUE(skinner->DroppedDown());
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
  RECT item{};
  SendMessageW(info.hwndList, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&item));
  const LPARAM itemAt = MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
  SendMessageW(info.hwndList, WM_MOUSEMOVE, 0, itemAt);
  SendMessageW(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, itemAt);
  SendMessageW(info.hwndList, WM_LBUTTONUP, 0, itemAt);
  ASSERT_TRUE(PumpUntil([&] { return SendMessageW(combo->Handle(), CB_GETDROPPEDSTATE, 0, 0) == 0; }));
  EXPECT_EQ(combo->ItemIndex(), 3);
  EXPECT_FALSE(skinner->DroppedDown());
}

TEST_F(EditSkinTest, AComboTakesAChoiceByKeyboard) {
  ui::TComboBox* combo = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) { combo = MakeCombo(f, ui::csDropDownList); });
  ASSERT_NE(frame, nullptr);
  auto* skinner = SkinnerOf<TSkinComBox>(frame, combo);
  ASSERT_NE(skinner, nullptr);
  combo->SetItemIndex(0);
  SetFocus(combo->Handle());
  SendMessageW(combo->Handle(), WM_KEYDOWN, VK_F4, 0);
  ASSERT_TRUE(PumpUntil([&] { return SendMessageW(combo->Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0; }));
  EXPECT_TRUE(skinner->DroppedDown());
  SendMessageW(combo->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  SendMessageW(combo->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  SendMessageW(combo->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_TRUE(PumpUntil([&] { return SendMessageW(combo->Handle(), CB_GETDROPPEDSTATE, 0, 0) == 0; }));
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_FALSE(skinner->DroppedDown());
}

TEST_P(EditSkinTestOnOwnSkins, EveryComboStyleIsDrawnFromTheSkin) {
  ui::TComboBox* lists[3] = {};
  TWinSkinForm* frame = Start([&](ui::TForm& f) {
    lists[0] = MakeCombo(f, ui::csDropDown);
    lists[1] = MakeCombo(f, ui::csDropDownList);
    lists[1]->SetTop(50);
    lists[2] = MakeCombo(f, ui::csSimple);
    lists[2]->SetBounds(10, 90, 160, 120);
  });
  ASSERT_NE(frame, nullptr);
  const TDataSkinObject* button = data_->SkinObject("ComboButton");
  ASSERT_NE(button, nullptr);
  for (ui::TComboBox* combo : lists) {
    auto* skinner = SkinnerOf<TSkinComBox>(frame, combo);
    ASSERT_NE(skinner, nullptr);
    RECT r{};
    GetWindowRect(combo->Handle(), &r);
    OffsetRect(&r, -r.left, -r.top);
    ui::TBitmap picture(r.right, r.bottom);
    FillColour(picture.Canvas()->Handle(), r, 0x123456);
    skinner->Draw(picture.Canvas()->Handle(), r);
    if (combo->Style() == ui::csSimple) {
      EXPECT_NE(skinner->ListWindow(), nullptr);
      EXPECT_NE(skinner->ListScrollSkinner(), nullptr);
      continue;
    }
    EXPECT_EQ(skinner->ListWindow(), nullptr);
    // The whole combo face: the edge's corner pixel from frame 1 of the composed strip, and the
    // text area left alone (key colour).
    const int frames = button->Frame > 0 ? button->Frame : 4;
    const int fw = button->Bitmap->Width() / frames;
    const std::uint32_t corner = PixelOf(*button->Bitmap, 1, 1);
    if (corner != 0xFF00FF) {
      EXPECT_EQ(PixelOf(picture, 1, 1), corner) << combo->Style();
    }
    EXPECT_EQ(PixelOf(picture, 20, r.bottom / 2), 0x563412u) << combo->Style();
    // The button's middle pixel from the strip's button.
    const std::uint32_t middle = PixelOf(*button->Bitmap, fw - 4, button->Bitmap->Height() - 4);
    if (middle != 0xFF00FF) {
      EXPECT_EQ(PixelOf(picture, r.right - 4, r.bottom - 4), middle) << combo->Style();
    }
  }
}

// A right-to-left combo's skinned button lies over the combo's own button: at the left, with
// the same state's picture mirrored, where the system puts it there; at the right, as for a
// left-to-right combo, where the system keeps it there. The text area is left to the combo.
TEST_F(EditSkinTest, ARightToLeftCombosButtonIsDrawnOverItsOwnButtonMirroredAtTheLeft) {
  ui::TComboBox* combos[2] = {};
  TWinSkinForm* frame = Start([&](ui::TForm& f) {
    combos[0] = MakeCombo(f, ui::csDropDownList);
    combos[1] = MakeCombo(f, ui::csDropDownList);
    combos[1]->SetTop(50);
    combos[1]->SetBiDiMode(ui::bdRightToLeft);
  });
  ASSERT_NE(frame, nullptr);
  EXPECT_NE(GetWindowLongW(combos[1]->Handle(), GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR, 0);
  SetCursorPos(0, 0);
  std::unique_ptr<ui::TBitmap> pictures[2];
  RECT r{};
  for (int i = 0; i < 2; ++i) {
    auto* skinner = SkinnerOf<TSkinComBox>(frame, combos[i]);
    ASSERT_NE(skinner, nullptr);
    GetWindowRect(combos[i]->Handle(), &r);
    OffsetRect(&r, -r.left, -r.top);
    pictures[i] = std::make_unique<ui::TBitmap>(r.right, r.bottom);
    FillColour(pictures[i]->Canvas()->Handle(), r, 0x123456);
    skinner->Draw(pictures[i]->Canvas()->Handle(), r);
  }
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(combos[1]->Handle(), &info));
  const bool left = info.rcButton.left < r.right / 2;
  const int b = GetSystemMetrics(SM_CXHSCROLL);
  int bad = 0, compared = 0;
  for (int y = 3; y < r.bottom - 3; ++y) {
    for (int x = 2; x < b; ++x) {
      ++compared;
      if (left) bad += PixelOf(*pictures[1], x, y) != PixelOf(*pictures[0], r.right - 1 - x, y);
      else bad += PixelOf(*pictures[1], r.right - 1 - x, y) != PixelOf(*pictures[0], r.right - 1 - x, y);
    }
  }
  EXPECT_GT(compared, 100);
  EXPECT_EQ(bad, 0) << (left ? "mirrored at the left" : "as left to right");
  // The key colour shows in the text area, on the side away from the button.
  const int textX = left ? r.right - b / 2 - 4 : b / 2 + 4;
  EXPECT_EQ(PixelOf(*pictures[1], textX, r.bottom / 2), 0x563412u);
  const int buttonX = left ? b / 2 + 2 : r.right - b / 2 - 2;
  EXPECT_NE(PixelOf(*pictures[1], buttonX, r.bottom / 2), 0x563412u);
}

TEST_F(EditSkinTest, AnUpDownChangesItsBuddyByClickAndByHeldPress) {
  ui::TEdit* edit = nullptr;
  ui::TUpDown* upDown = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) {
    edit = Add<ui::TEdit>(f, 10, 10, 80, 24);
    upDown = Add<ui::TUpDown>(f, 90, 10, 17, 24);
    upDown->SetMax(1000);
    upDown->SetPosition(50);
    upDown->SetAssociate(edit);
  });
  ASSERT_NE(frame, nullptr);
  auto* skinner = SkinnerOf<TSkinUpDown>(frame, upDown);
  ASSERT_NE(skinner, nullptr);
  PumpFor(50);
  RECT r{};
  GetClientRect(upDown->Handle(), &r);
  const LPARAM upper = MAKELPARAM(r.right / 2, r.bottom / 4);
  EXPECT_EQ(edit->Text(), L"50");
  SendMessageW(upDown->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, upper);
  EXPECT_TRUE(skinner->Pressed());
  SendMessageW(upDown->Handle(), WM_LBUTTONUP, 0, upper);
  EXPECT_FALSE(skinner->Pressed());
  PumpFor(50);
  EXPECT_EQ(edit->Text(), L"51");
  // Held: the control repeats on its own timer.
  SendMessageW(upDown->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, upper);
  PumpFor(1500);
  SendMessageW(upDown->Handle(), WM_LBUTTONUP, 0, upper);
  PumpFor(50);
  EXPECT_GT(std::stoi(edit->Text()), 53);
}

// Arrows that are a child window of an edit get an up-down skinner from the edit's skinner:
// drawn from the skin, white where they would cover the edit's border (the drawn buttons keep
// 3 pixels inside the edit's window), and still stepping the number.
TEST_F(EditSkinTest, AnUpDownInsideAnEditIsSkinnedWithinTheEditsBorder) {
  ui::TSpinEdit* spin = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) {
    spin = Add<ui::TSpinEdit>(f, 10, 10, 90, 24);
    spin->SetRange(0, 99);
    spin->SetValue(5);
  });
  ASSERT_NE(frame, nullptr);
  auto* edit = SkinnerOf<TSkinEdit>(frame, spin);
  ASSERT_NE(edit, nullptr);
  RedrawWindow(spin->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  PumpFor(50);
  TSkinUpDown* arrows = edit->UpDown();
  ASSERT_NE(arrows, nullptr);
  EXPECT_TRUE(arrows->Embedded());
  const HWND window = spin->ArrowsWindow();
  EXPECT_EQ(arrows->Handle(), window);
  RECT c{};
  GetClientRect(window, &c);
  ui::TBitmap picture(c.right, c.bottom);
  FillColour(picture.Canvas()->Handle(), c, 0x123456);
  SetCursorPos(0, 0);
  arrows->Draw(picture.Canvas()->Handle(), c);
  // Rows and columns of the arrows' own picture: white where the edit's border lies.
  const auto whiteRow = [&](int y) {
    for (int x = 0; x < c.right; ++x) if (PixelOf(picture, x, y) != 0xFFFFFFu) return false;
    return true;
  };
  int top = 0, bottom = c.bottom - 1, right = c.right - 1;
  while (top < c.bottom && whiteRow(top)) ++top;
  while (bottom >= 0 && whiteRow(bottom)) --bottom;
  while (right >= 0 && PixelOf(picture, right, c.bottom / 2) == 0xFFFFFFu) --right;
  const RECT own = frametest::WindowRect(window), parent = frametest::WindowRect(spin->Handle());
  EXPECT_EQ(own.top + top - parent.top, 3);
  EXPECT_EQ(parent.bottom - (own.top + bottom + 1), 3);
  EXPECT_EQ(parent.right - (own.left + right + 1), 3);
  EXPECT_EQ(PixelOf(picture, 0, c.bottom / 2) == 0x563412u, false) << "the whole client area is drawn";
  // The up arrow steps the number shown in the edit.
  const LPARAM upper = MAKELPARAM(c.right / 2, c.bottom / 4);
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, upper);
  SendMessageW(window, WM_LBUTTONUP, 0, upper);
  PumpFor(50);
  EXPECT_EQ(spin->Value(), 6);
  EXPECT_EQ(spin->Text(), L"6");
}

TEST_P(EditSkinTestOnOwnSkins, AnUpDownsHalvesShowTheirStates) {
  ui::TUpDown* upDown = nullptr;
  const auto* vert = dynamic_cast<const TDataSkinBorder*>(data_->SkinObject("UpDown.Vert"));
  ASSERT_NE(vert, nullptr);
  const int frameWidth = vert->Bitmap->Width() / 8;
  TWinSkinForm* frame = Start([&](ui::TForm& f) { upDown = Add<ui::TUpDown>(f, 90, 10, frameWidth, 40); });
  ASSERT_NE(frame, nullptr);
  auto* skinner = SkinnerOf<TSkinUpDown>(frame, upDown);
  ASSERT_NE(skinner, nullptr);
  const auto* element = dynamic_cast<const TDataSkinBorder*>(data_->SkinObject("UpDown.Vert"));
  ASSERT_NE(element, nullptr);
  const skin::TSkinBitmap& strip = *element->Bitmap;
  const int fw = strip.Width() / 8;
  RECT r{};
  GetClientRect(upDown->Handle(), &r);
  auto draw = [&] {
    auto b = std::make_unique<ui::TBitmap>(r.right, r.bottom);
    skinner->Draw(b->Canvas()->Handle(), r);
    return b;
  };
  // Row 0 of each half is row 0 of its frame, whatever the stretch; the up-down is one frame wide.
  auto face = [&](int frame) { return PixelOf(strip, fw * (frame - 1) + fw / 2, 0); };
  auto transparentOr = [&](std::uint32_t p) {
    return p == 0xFF00FF ? Rgb(ResolveColour(data_->Colours().ButtonFace)) : p;
  };
  SetCursorPos(0, 0);  // the cursor is not over the control
  auto picture = draw();
  EXPECT_EQ(PixelOf(*picture, r.right / 2, 0), transparentOr(face(1)));
  EXPECT_EQ(PixelOf(*picture, r.right / 2, r.bottom / 2), transparentOr(face(5)));
  EnableWindow(upDown->Handle(), FALSE);
  picture = draw();
  EXPECT_EQ(PixelOf(*picture, r.right / 2, 0), transparentOr(face(3)));
  EXPECT_EQ(PixelOf(*picture, r.right / 2, r.bottom / 2), transparentOr(face(7)));
  EnableWindow(upDown->Handle(), TRUE);
}

TEST_F(EditSkinTest, ADatePickerOpensItsCalendarFromTheSkinnedArrow) {
  ui::TDateTimePicker* picker = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) { picker = Add<ui::TDateTimePicker>(f, 10, 10, 160, 24); });
  ASSERT_NE(frame, nullptr);
  auto* skinner = SkinnerOf<TSkinDateTime>(frame, picker);
  ASSERT_NE(skinner, nullptr);
  ASSERT_NE(skinner->Arrow(), nullptr);
  const HWND arrow = skinner->Arrow()->Handle();
  ASSERT_NE(arrow, nullptr);
  EXPECT_EQ(GetParent(arrow), picker->Handle());
  EXPECT_TRUE(GetWindowLongW(picker->Handle(), GWL_STYLE) & WS_CLIPCHILDREN);
  RECT a{};
  GetWindowRect(arrow, &a);
  const RECT p = frametest::WindowRect(picker->Handle());
  const int size = GetSystemMetrics(SM_CXHSCROLL);
  EXPECT_EQ(a.right - a.left, size);
  EXPECT_EQ(a.bottom - a.top, size + 1);
  EXPECT_GT(a.left, p.left + (p.right - p.left) / 2);  // at the picker's right end
  EXPECT_LE(a.right, p.right);
  // The arrow shows the skin's combo arrow.
  const TDataSkinObject* comboArrow = data_->SkinObject("ComboxArrow");
  ASSERT_TRUE(comboArrow && comboArrow->Bitmap && !comboArrow->Bitmap->Empty());
  // The calendar is the picker's month-calendar window, shown only while dropped down.
  auto calendarShown = [&] {
    const auto calendar = reinterpret_cast<HWND>(SendMessageW(picker->Handle(), DTM_GETMONTHCAL, 0, 0));
    return calendar && IsWindowVisible(calendar);
  };
  ASSERT_FALSE(calendarShown());
  SendMessageW(arrow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  SendMessageW(arrow, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  EXPECT_TRUE(PumpUntil(calendarShown));
}

}  // namespace
