// The skinned menus on real windows: the item painter pixel for pixel against the skin, the
// skinned system menu's items, the menu bar in the frame's strip, keyboard tracking of the
// drop-downs and the menu-changed notification.
#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "FrameTestSupport.h"
#include "GalleryMenus.h"
#include "skin/data/SkinDerivedImages.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/SkinMessages.h"
#include "skin/frame/MenuItemPainter.h"
#include "ui/Menus.h"

namespace {

using namespace skin;
using frametest::FrameTest;
using frametest::M;
using testsupport::PumpFor;
using testsupport::PumpUntil;

constexpr std::uint32_t kMagentaPixel = 0xFF00FF;
constexpr int kItemWidth = 120, kItemHeight = 20;

template <class Bitmap>
std::uint32_t Pixel(const Bitmap& b, int x, int y) { return b.ScanLine(y)[x] & 0xFFFFFF; }
std::uint32_t Rgb(TColour colour) { return testsupport::ColourRGB(ResolveColour(colour)); }

int CountColour(const ui::TBitmap& b, const RECT& area, std::uint32_t colour) {
  int n = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) n += Pixel(b, x, y) == colour;
  return n;
}

class MenuSkinBase : public FrameTest {
 protected:
  const TDataSkinObject& MenuItemDef() const { return *data_->SkinObject("MenuItem"); }
  // The glyph box (16 pixels) starts one pixel after the MenuItem's left margin; the caption
  // three pixels after it.
  int GlyphEnd() const { return 1 + MenuItemDef().LeftWidth + 16; }
  RECT TextArea() const { return {GlyphEnd(), 0, GlyphEnd() + 50, kItemHeight}; }
  RECT GlyphColumn() const { return {0, 0, GlyphEnd(), kItemHeight}; }

  // The item drawn on a plain background of `ground` colour.
  std::unique_ptr<ui::TBitmap> DrawItem(const TMenuItemLook& look, int h = kItemHeight) {
    ui::TBitmap ground(kItemWidth, h);
    for (int y = 0; y < h; ++y) std::fill_n(ground.ScanLine(y), kItemWidth, kGround);
    auto out = std::make_unique<ui::TBitmap>(kItemWidth, h);
    DrawMenuItem(*data_, out->Canvas()->Handle(), {0, 0, kItemWidth, h}, look, &ground, {0, 0});
    return out;
  }

  // Outside the text, every pixel is the MenuItem frame composed to the item's size where the
  // frame is not magenta, else the ground.
  void ExpectFrameOutsideText(const ui::TBitmap& item, int frame) {
    const TDataSkinObject& def = MenuItemDef();
    auto expected = ComposeNineRegion(kItemWidth, kItemHeight, *def.Bitmap,
                                      TMargins{def.LeftWidth, def.TopHeight, def.RightWidth, def.BottomHeight},
                                      TFrameLayout::SideBySide, TCentreMode::Stretch, 5, frame);
    int compared = 0;
    for (int y = 0; y < kItemHeight; ++y) {
      for (int x = 0; x < kItemWidth; ++x) {
        if (x >= GlyphEnd() && x < GlyphEnd() + 50) continue;  // the caption
        const std::uint32_t want = Pixel(*expected, x, y) == kMagentaPixel ? kGround : Pixel(*expected, x, y);
        ASSERT_EQ(Pixel(item, x, y), want) << "at " << x << "," << y << " frame " << frame;
        ++compared;
      }
    }
    EXPECT_GT(compared, 1000);
  }

  static constexpr std::uint32_t kGround = 0x30A050;
};

// Each case once with each skin of ours.
using MenuSkinTest = testsupport::OwnSkinsOf<MenuSkinBase>;
INSTANTIATE_FOR_OWN_SKINS(MenuSkinTest);

TEST(MenuItemFrameTest, SeparatorSelectedAndNormalFrames) {
  EXPECT_EQ(MenuItemFrame(true, false), 2);
  EXPECT_EQ(MenuItemFrame(true, true), 2);
  EXPECT_EQ(MenuItemFrame(false, true), 4);
  EXPECT_EQ(MenuItemFrame(false, false), 1);
}

TEST_P(MenuSkinTest, ANormalItemIsTheSkinsFirstFrameWithItsCaptionInTheMenuTextColour) {
  TMenuItemLook look;
  look.Caption = L"&Ab";
  auto item = DrawItem(look);
  ExpectFrameOutsideText(*item, 1);
  EXPECT_GT(CountColour(*item, TextArea(), Rgb(data_->Colours().MenuText)), 3);
  EXPECT_EQ(CountColour(*item, TextArea(), Rgb(data_->Colours().HilightText)), 0);
}

TEST_P(MenuSkinTest, ASelectedItemIsTheFourthFrameWithItsCaptionInTheHighlightTextColour) {
  TMenuItemLook look;
  look.Caption = L"&Ab";
  look.Selected = true;
  auto item = DrawItem(look);
  ExpectFrameOutsideText(*item, 4);
  EXPECT_GT(CountColour(*item, TextArea(), Rgb(data_->Colours().HilightText)), 3);
}

TEST_P(MenuSkinTest, ADisabledItemWritesItsCaptionInTheButtonShadowColour) {
  TMenuItemLook look;
  look.Caption = L"&Ab";
  look.Enabled = false;
  auto item = DrawItem(look);
  ExpectFrameOutsideText(*item, 1);
  EXPECT_GT(CountColour(*item, TextArea(), Rgb(data_->Colours().ButtonShadow)), 3);
  EXPECT_EQ(CountColour(*item, TextArea(), Rgb(data_->Colours().MenuText)), 0);
}

TEST_P(MenuSkinTest, CheckedAndRadioItemsShowTheirMarkInTheGlyphColumn) {
  TMenuItemLook look;
  look.Caption = L"Ab";
  auto plain = DrawItem(look);
  look.Checked = true;
  auto checked = DrawItem(look);
  look.Selected = true;
  auto selected = DrawItem(look);
  look.Selected = false;
  look.Radio = true;
  auto radio = DrawItem(look);
  // The mark has the caption's colour: the menu text, or the highlight text when selected, so
  // that it stays visible on the selected frame.
  const std::uint32_t mark = Rgb(data_->Colours().MenuText);
  const std::uint32_t selectedMark = Rgb(data_->Colours().HilightText);
  ASSERT_NE(mark, selectedMark);
  EXPECT_GT(CountColour(*selected, GlyphColumn(), selectedMark), 4);
  EXPECT_EQ(CountColour(*plain, GlyphColumn(), mark), 0);
  const int checkPixels = CountColour(*checked, GlyphColumn(), mark);
  const int radioPixels = CountColour(*radio, GlyphColumn(), mark);
  EXPECT_GT(checkPixels, 4);
  EXPECT_GT(radioPixels, 4);
  // The marks lie inside the 16-pixel glyph box after the MenuItem's left margin.
  const int left = 1 + MenuItemDef().LeftWidth;
  EXPECT_EQ(CountColour(*checked, {0, 0, left, kItemHeight}, mark), 0);
  int differ = 0;
  for (int y = 0; y < kItemHeight; ++y)
    for (int x = 0; x < GlyphEnd(); ++x) differ += Pixel(*checked, x, y) != Pixel(*radio, x, y);
  EXPECT_GT(differ, 0) << "the radio bullet is not the check mark";
  // Outside the glyph column the checked item is the plain one.
  for (int y = 0; y < kItemHeight; ++y)
    for (int x = GlyphEnd(); x < kItemWidth; ++x) ASSERT_EQ(Pixel(*checked, x, y), Pixel(*plain, x, y));
}

TEST_P(MenuSkinTest, ASeparatorIsTheLowestRowsOfTheSecondFrame) {
  TMenuItemLook look;
  look.Caption = L"-";
  constexpr int h = 8;
  auto item = DrawItem(look, h);
  const TDataSkinObject& def = MenuItemDef();
  const RECT frame = FrameRect(*def.Bitmap, TFrameLayout::SideBySide, 5, 2);
  // The separator picture's rows are of one colour across (its middle is stretched).
  for (int y = 0; y < h; ++y) {
    const int sourceRow = frame.bottom - h + y;
    for (int x = 0; x < kItemWidth; ++x) {
      const int sourceColumn = x < def.LeftWidth ? frame.left + x
                               : x >= kItemWidth - def.RightWidth ? frame.right - (kItemWidth - x)
                                                                  : frame.left + def.LeftWidth;
      const std::uint32_t source = def.Bitmap->ScanLine(sourceRow)[sourceColumn] & 0xFFFFFF;
      ASSERT_EQ(Pixel(*item, x, y), source == kMagentaPixel ? kGround : source) << x << "," << y;
    }
  }
  EXPECT_GT(CountColour(*item, {0, 0, kItemWidth, h}, kGround), 0);
  EXPECT_LT(CountColour(*item, {0, 0, kItemWidth, h}, kGround), kItemWidth * h);
}

TEST_P(MenuSkinTest, AnItemWithASubMenuAndAShortcutIsDrawnOnTheSameFrames) {
  TMenuItemLook look;
  look.Caption = L"&More";
  look.ShortCut = L"F9";
  auto item = DrawItem(look);
  // The shortcut ends 10 pixels before the right edge.
  EXPECT_GT(CountColour(*item, {GlyphEnd() + 50, 0, kItemWidth - 10, kItemHeight}, Rgb(data_->Colours().MenuText)), 3);
  EXPECT_EQ(CountColour(*item, {kItemWidth - 9, 0, kItemWidth, kItemHeight}, Rgb(data_->Colours().MenuText)), 0);
}

TEST_P(MenuSkinTest, AnItemWithASubMenuDrawsItsOwnArrowAndKeepsTheSystemsArrowOut) {
  TMenuItemLook look;
  look.Caption = L"&More";
  look.HasSubMenu = true;
  auto item = DrawItem(look);
  const RECT arrowEnd{kItemWidth - 9, 0, kItemWidth, kItemHeight};
  EXPECT_GT(CountColour(*item, arrowEnd, Rgb(data_->Colours().MenuText)), 3);
  look.Selected = true;
  auto selected = DrawItem(look);
  EXPECT_GT(CountColour(*selected, arrowEnd, Rgb(data_->Colours().HilightText)), 3);
  // What is drawn into the device context after the item (the system's own arrow) does not
  // reach the item's place; an item without sub-menu leaves the clipping alone.
  for (const bool sub : {true, false}) {
    look.HasSubMenu = sub;
    ui::TBitmap out(kItemWidth, kItemHeight);
    HDC dc = out.Canvas()->Handle();
    const int saved = SaveDC(dc);
    DrawMenuItem(*data_, dc, {0, 0, kItemWidth, kItemHeight}, look, nullptr, {0, 0});
    const std::uint32_t before = Pixel(out, kItemWidth - 5, kItemHeight / 2);
    ASSERT_NE(before, 0xFFFFFFu);
    const RECT all{0, 0, kItemWidth, kItemHeight};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    RestoreDC(dc, saved);
    EXPECT_EQ(Pixel(out, kItemWidth - 5, kItemHeight / 2), sub ? before : 0xFFFFFFu) << sub;
  }
}

// ---------------------------------------------------------------------------------------------
// The skinned system menu

ui::TMenuItem* ItemWithTag(ui::TPopupMenu& menu, int tag) {
  for (int i = 0; i < menu.Items()->Count(); ++i) {
    if ((menu.Items()->Items(i)->Tag() & 0xFFF0) == tag) return menu.Items()->Items(i);
  }
  return nullptr;
}

TEST_P(MenuSkinTest, TheSystemMenuCopyOfAWindowWithoutMaximizeBox) {
  // The boxes are chosen before the window shows: changing them makes a new window.
  auto owned = std::make_unique<ui::TForm>(nullptr);
  ui::TForm& form = *owned;
  forms_.push_back(std::move(owned));
  form.SetBorderStyle(ui::bsSingle);
  form.SetBorderIcons((1 << ui::biSystemMenu) | (1 << ui::biMinimize));
  form.SetBounds(40, 40, 320, 240);
  form.SetCaption(L"System menu");
  form.Show();
  TWinSkinForm* frame = frametest::RunningFrame(form.Handle());
  ASSERT_NE(frame, nullptr);
  std::unique_ptr<ui::TPopupMenu> menu = frame->BuildSystemMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->Tag(), kSystemMenuTag);
  EXPECT_TRUE(menu->OwnerDraw());
  EXPECT_EQ(menu->Images(), data_->MenuGlyphs());
  const HMENU system = GetSystemMenu(form.Handle(), FALSE);
  ASSERT_EQ(menu->Items()->Count(), GetMenuItemCount(system));
  for (int i = 0; i < menu->Items()->Count(); ++i) {
    EXPECT_EQ(static_cast<UINT>(menu->Items()->Items(i)->Tag()), GetMenuItemID(system, i));
  }
  ui::TMenuItem* maximize = ItemWithTag(*menu, SC_MAXIMIZE);
  ui::TMenuItem* minimize = ItemWithTag(*menu, SC_MINIMIZE);
  ui::TMenuItem* restore = ItemWithTag(*menu, SC_RESTORE);
  ui::TMenuItem* close = ItemWithTag(*menu, SC_CLOSE);
  ui::TMenuItem* move = ItemWithTag(*menu, SC_MOVE);
  ASSERT_TRUE(minimize && close && move);
  if (maximize) {
    EXPECT_FALSE(maximize->Enabled());
    EXPECT_EQ(maximize->ImageIndex(), 1);
  }
  if (restore) {
    EXPECT_FALSE(restore->Enabled());  // the window is normal
    EXPECT_EQ(restore->ImageIndex(), 0);
  }
  EXPECT_TRUE(minimize->Enabled());
  EXPECT_EQ(minimize->ImageIndex(), 2);
  EXPECT_TRUE(close->Enabled());
  EXPECT_EQ(close->ImageIndex(), 3);
  EXPECT_TRUE(move->Enabled());
  EXPECT_EQ(move->ImageIndex(), -1);
  EXPECT_FALSE(close->ShortCut().empty());  // "Alt+F4" after the tab of the system's text

  // Items are measured wider by the MenuItem's left margin and 12 pixels.
  ui::TCanvas canvas;
  HDC screen = GetDC(nullptr);
  canvas.SetHandle(screen);
  int plainWidth = 0, plainHeight = 0, skinnedWidth = 0, skinnedHeight = 0;
  ui::TMenuMeasureItemEvent skinned = close->OnMeasureItem;
  ASSERT_TRUE(skinned);
  close->OnMeasureItem = nullptr;
  close->MeasureItem(canvas, plainWidth, plainHeight);
  close->OnMeasureItem = skinned;
  close->MeasureItem(canvas, skinnedWidth, skinnedHeight);
  canvas.SetHandle(nullptr);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(skinnedWidth, plainWidth + data_->SkinObject("MenuItem")->LeftWidth + 12);

  // Choosing minimize does what the system's would.
  minimize->Click();
  EXPECT_TRUE(PumpUntil([&] { return IsIconic(form.Handle()) != FALSE; }));
  std::unique_ptr<ui::TPopupMenu> again = frame->BuildSystemMenu();
  EXPECT_FALSE(ItemWithTag(*again, SC_MINIMIZE)->Enabled());
  EXPECT_TRUE(ItemWithTag(*again, SC_RESTORE)->Enabled());
  // Made anew each time it opens (its items may take the places of the last ones): every
  // item is drawn and measured by the skin.
  for (int round = 0; round < 3; ++round) {
    menu.reset();
    menu = frame->BuildSystemMenu();
    for (int i = 0; i < menu->Items()->Count(); ++i) {
      EXPECT_TRUE(menu->Items()->Items(i)->OnDrawItem) << round << " " << i;
      EXPECT_TRUE(menu->Items()->Items(i)->OnMeasureItem) << round << " " << i;
    }
  }
}

TEST_P(MenuSkinTest, ChoosingTheSystemMenusCloseItemClosesTheWindow) {
  ui::TForm& form = ShowForm(ui::bsSingle);
  int closes = 0;
  form.OnClose = [&](ui::TObject*) { ++closes; };
  TWinSkinForm* frame = frametest::RunningFrame(form.Handle());
  ASSERT_NE(frame, nullptr);
  std::unique_ptr<ui::TPopupMenu> menu = frame->BuildSystemMenu();
  ItemWithTag(*menu, SC_CLOSE)->Click();
  EXPECT_TRUE(PumpUntil([&] { return closes > 0; }));
  EXPECT_EQ(closes, 1);
}

// ---------------------------------------------------------------------------------------------
// The menu bar

class MenuBarBase : public MenuSkinBase {
 protected:
  ui::TForm& ShowGallery() {
    auto form = std::make_unique<ui::TForm>(nullptr);
    form->SetBorderStyle(ui::bsSizeable);
    form->SetBounds(40, 40, 400, 300);
    form->SetCaption(L"Menu test");
    skinview::AddGalleryMenus(*form);
    own_ = form->WindowProc;
    ui::TForm* self = form.get();
    form->WindowProc = [this, self](ui::TMessage& m) {
      if (m.Msg == ui::CM_MENUCHANGED) paintingDuringChange_.push_back(data_->PaintingAllowed());
      if (m.Msg == WM_INITMENUPOPUP) opened_.push_back(reinterpret_cast<HMENU>(m.WParam));
      own_(m);
      (void)self;
    };
    form->Show();
    forms_.push_back(std::move(form));
    return *forms_.back();
  }
  ui::TMenuItem* Named(ui::TForm& form, const wchar_t* name) {
    return static_cast<ui::TMenuItem*>(form.FindComponent(name));
  }

  ui::TWndMethod own_;
  std::vector<bool> paintingDuringChange_;
  std::vector<HMENU> opened_;
};

using MenuBarTest = testsupport::OwnSkinsOf<MenuBarBase>;
INSTANTIATE_FOR_OWN_SKINS(MenuBarTest);

TEST_P(MenuBarTest, TheBarTakesTheWindowsMenuAndPaintsItInTheStrip) {
  ui::TForm& form = ShowGallery();
  TWinSkinForm* frame = frametest::RunningFrame(form.Handle());
  ASSERT_NE(frame, nullptr);
  TWinSkinMenu* bar = frame->MenuBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(GetMenu(form.Handle()), nullptr);  // the system draws no bar
  EXPECT_EQ(frame->MenuBarHeight(), GetSystemMetrics(SM_CYMENU));
  ASSERT_EQ(bar->Items().size(), 3u);
  EXPECT_EQ(bar->Items()[0]->Caption, L"&File");
  EXPECT_EQ(bar->Items()[1]->Caption, L"&View");
  EXPECT_EQ(bar->Items()[0]->SourceItem, Named(form, L"miFile"));
  EXPECT_EQ(bar->Items()[0]->SubMenu, Named(form, L"miFile")->Handle());
  EXPECT_EQ(bar->ItemByAccelerator(L'v'), bar->Items()[1].get());
  EXPECT_EQ(bar->ItemByAccelerator(L'q'), nullptr);
  // Items follow one another from 6 + ... the left margin of the bar picture.
  const TDataSkinObject* def = data_->Definitions().MenuBar();
  ASSERT_NE(def, nullptr);
  const RECT first = bar->Items()[0]->Bounds;
  EXPECT_EQ(first.left, frame->LeftWidth() + def->LeftWidth + 4);
  EXPECT_EQ(first.top, frame->TitleHeight());
  EXPECT_EQ(bar->Items()[1]->Bounds.left, first.right);
  EXPECT_EQ(bar->ItemAt({first.left + 2, first.top + 2}), bar->Items()[0].get());

  // The strip painted through SKM_PAINTFRAME: the bar picture's active frame where no caption
  // lies, the captions in the menu-bar text colour.
  const RECT window = frametest::WindowRect(form.Handle());
  const int w = frametest::Width(window), h = frametest::Height(window);
  ui::TBitmap shot(w, h);
  ASSERT_EQ(SendMessageW(form.Handle(), SKM_PAINTFRAME,
                         reinterpret_cast<WPARAM>(shot.Canvas()->Handle()), kSkinMagic),
            kSkinMagic);
  const RECT strip{frame->LeftWidth(), frame->TitleHeight(), w - frame->RightWidth(),
                   frame->TitleHeight() + frame->MenuBarHeight()};
  ui::TBitmap expected(strip.right - strip.left, strip.bottom - strip.top);
  DrawNineRegion(expected.Canvas()->Handle(), {0, 0, expected.Width(), expected.Height()}, *def->Bitmap,
                 TFrameLayout::SideBySide, TCentreMode::Stretch, false, 2, 1,
                 TMargins{def->LeftWidth, 0, def->RightWidth, 0});
  const int afterItems = bar->Items()[2]->Bounds.right;
  for (int y = strip.top; y < strip.bottom; ++y) {
    for (int x = afterItems; x < strip.right; ++x) {
      ASSERT_EQ(Pixel(shot, x, y), Pixel(expected, x - strip.left, y - strip.top)) << x << "," << y;
    }
  }
  EXPECT_GT(CountColour(shot, first, Rgb(data_->Colours().MenuBarText)), 3);
  // A disabled... every bar item is enabled here; the hot item gets its frame.
  bar->Items()[1]->MouseEnter();
  EXPECT_EQ(frame->HotObject(), bar->Items()[1].get());
  bar->Items()[1]->MouseLeave();
}

// Drives an open drop-down from a timer (the menu's own loop runs the timer).
struct TDropDownScript {
  std::vector<UINT> keys;  // pressed one per opened drop-down
  std::size_t next = 0;
  int skinnedAnswers = 0;
  HWND target = nullptr;
} g_script;

BOOL CALLBACK FindVisibleMenu(HWND window, LPARAM out) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wstring(name) != L"#32768" || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(out) = window;
  return FALSE;
}

HWND g_lastMenuWindow = nullptr;
int g_ticks = 0;
void CALLBACK ScriptTick(HWND, UINT, UINT_PTR, DWORD) {
  // A script that went wrong leaves no menu open for ever.
  if (++g_ticks > 150) EndMenu();
  HWND menu = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindVisibleMenu, reinterpret_cast<LPARAM>(&menu));
  if (!menu || menu == g_lastMenuWindow || g_script.next >= g_script.keys.size()) return;
  g_lastMenuWindow = menu;
  if (SendMessageW(menu, SKM_QUERYSKINNED, 0, 0) == 1) ++g_script.skinnedAnswers;
  PostMessageW(g_script.target, WM_KEYDOWN, g_script.keys[g_script.next++], 0);
}

TEST_P(MenuBarTest, EnterOnTheFirstItemOfTheDropDownRunsItsClickOnce) {
  ui::TForm& form = ShowGallery();
  TWinSkinForm* frame = frametest::RunningFrame(form.Handle());
  ASSERT_NE(frame, nullptr);
  int clicks = 0;
  Named(form, L"miOpen")->OnClick = [&](ui::TObject*) { ++clicks; };
  g_script = {};
  g_script.keys = {VK_RETURN};
  g_script.target = form.Handle();
  g_lastMenuWindow = nullptr;
  g_ticks = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 40, ScriptTick);
  // Alt+F: the accelerator of "&File".
  SendMessageW(form.Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'f');
  KillTimer(nullptr, timer);
  PumpFor(100);
  EXPECT_EQ(g_script.next, 1u);
  EXPECT_EQ(g_script.skinnedAnswers, 1);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(frame->InMenuLoop());
  ASSERT_FALSE(opened_.empty());
  EXPECT_EQ(opened_.front(), Named(form, L"miFile")->Handle());
}

TEST_P(MenuBarTest, TheArrowKeysMoveBetweenDropDownsAndEscapeCloses) {
  ui::TForm& form = ShowGallery();
  TWinSkinForm* frame = frametest::RunningFrame(form.Handle());
  ASSERT_NE(frame, nullptr);
  g_script = {};
  // File: right to View (its first item has no children); View: left back to File; File:
  // left wraps to Help, the last; Help: Escape.
  g_script.keys = {VK_RIGHT, VK_LEFT, VK_LEFT, VK_ESCAPE};
  g_script.target = form.Handle();
  g_lastMenuWindow = nullptr;
  g_ticks = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 40, ScriptTick);
  SendMessageW(form.Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);  // F10 or Alt alone: the first
  KillTimer(nullptr, timer);
  PumpFor(50);
  const std::vector<HMENU> expected{Named(form, L"miFile")->Handle(), Named(form, L"miView")->Handle(),
                                    Named(form, L"miFile")->Handle(), Named(form, L"miHelp")->Handle()};
  EXPECT_EQ(opened_, expected);
  EXPECT_EQ(g_script.next, 4u);
  EXPECT_FALSE(frame->InMenuLoop());
}

TEST_P(MenuBarTest, PaintingWaitsWhileTheFormHandlesAChangedMenuAndTheBarFollows) {
  ui::TForm& form = ShowGallery();
  TWinSkinForm* frame = frametest::RunningFrame(form.Handle());
  ASSERT_NE(frame, nullptr);
  paintingDuringChange_.clear();
  Named(form, L"miHelp")->SetCaption(L"&Support");
  ASSERT_EQ(paintingDuringChange_.size(), 1u);
  EXPECT_FALSE(paintingDuringChange_[0]);
  EXPECT_TRUE(data_->PaintingAllowed());
  EXPECT_EQ(frame->MenuBar()->Items()[2]->Caption, L"&Support");
  EXPECT_EQ(GetMenu(form.Handle()), nullptr);
  // A hidden item leaves a gap-free bar.
  Named(form, L"miView")->SetVisible(false);
  EXPECT_EQ(frame->MenuBar()->Items().size(), 2u);
}

TEST_P(MenuBarTest, ACharacterTypedWithAltThatTheFormLeavesOpensTheBarItemOfThatAccelerator) {
  ui::TForm& form = ShowGallery();
  TWinSkinForm* frame = frametest::RunningFrame(form.Handle());
  ASSERT_NE(frame, nullptr);
  BYTE keys[256] = {}, saved[256] = {};
  GetKeyboardState(saved);
  std::copy(std::begin(saved), std::end(saved), std::begin(keys));
  keys[VK_MENU] = 0x80;  // Alt held
  SetKeyboardState(keys);
  const LRESULT taken = form.Perform(ui::CM_DIALOGCHAR, 'v', 0);
  const LRESULT unknown = form.Perform(ui::CM_DIALOGCHAR, 'q', 0);
  SetKeyboardState(saved);
  const LRESULT withoutAlt = form.Perform(ui::CM_DIALOGCHAR, 'v', 0);
  EXPECT_EQ(taken, 1);
  EXPECT_EQ(unknown, 0);
  EXPECT_EQ(withoutAlt, 0);
  // A non-client press at the View item's corner was posted (it would open the drop-down).
  MSG posted{};
  ASSERT_TRUE(PeekMessageW(&posted, form.Handle(), WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
  EXPECT_EQ(posted.wParam, static_cast<WPARAM>(HTMENU));
  const POINT at = frame->WindowPoint({GET_X_LPARAM(posted.lParam), GET_Y_LPARAM(posted.lParam)});
  EXPECT_EQ(frame->MenuBar()->ItemAt(at), frame->MenuBar()->Items()[1].get());
  EXPECT_FALSE(PeekMessageW(&posted, form.Handle(), WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
}

// A form whose menu has an item without drop-down ("&Go") and one with ("&More").
struct TSmallMenuForm {
  std::unique_ptr<ui::TForm> form;
  ui::TMenuItem* go = nullptr;
  int clicks = 0;
};

TSmallMenuForm MakeSmallMenuForm(bool rightToLeft) {
  TSmallMenuForm f;
  f.form = std::make_unique<ui::TForm>(nullptr);
  f.form->SetBounds(60, 60, 360, 240);
  auto* menu = new ui::TMainMenu(f.form.get());
  menu->SetRightToLeft(rightToLeft);
  f.go = new ui::TMenuItem(f.form.get());
  f.go->SetCaption(L"&Go");
  menu->Items()->Add(f.go);
  auto* more = new ui::TMenuItem(f.form.get());
  more->SetCaption(L"&More");
  menu->Items()->Add(more);
  auto* inner = new ui::TMenuItem(f.form.get());
  inner->SetCaption(L"&Inner");
  more->Add(inner);
  f.form->SetMenu(menu);
  return f;
}

TEST_P(MenuBarTest, AnAcceleratorTypedInAnotherFormOpensTheMainFormsBarItem) {
  ui::TForm* main = ui::Application->CreateForm<ui::TForm>();
  ASSERT_EQ(ui::Application->MainForm(), main);
  std::unique_ptr<ui::TForm> owned(main);
  main->SetBounds(40, 40, 400, 300);
  skinview::AddGalleryMenus(*main);
  main->Show();
  TWinSkinForm* mainFrame = frametest::RunningFrame(main->Handle());
  ASSERT_NE(mainFrame, nullptr);
  ui::TForm& other = ShowForm();
  ASSERT_NE(frametest::RunningFrame(other.Handle()), nullptr);
  BYTE keys[256] = {}, saved[256] = {};
  GetKeyboardState(saved);
  std::copy(std::begin(saved), std::end(saved), std::begin(keys));
  keys[VK_MENU] = 0x80;  // Alt held
  SetKeyboardState(keys);
  const LRESULT taken = other.Perform(ui::CM_DIALOGCHAR, 'v', 0);
  const LRESULT unknown = other.Perform(ui::CM_DIALOGCHAR, 'q', 0);
  SetKeyboardState(saved);
  EXPECT_EQ(taken, 1);
  EXPECT_EQ(unknown, 0);
  MSG posted{};
  ASSERT_TRUE(PeekMessageW(&posted, main->Handle(), WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
  const POINT at = mainFrame->WindowPoint({GET_X_LPARAM(posted.lParam), GET_Y_LPARAM(posted.lParam)});
  EXPECT_EQ(mainFrame->MenuBar()->ItemAt(at), mainFrame->MenuBar()->Items()[1].get());
  EXPECT_FALSE(PeekMessageW(&posted, other.Handle(), WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
}

TEST_P(MenuBarTest, AnItemWithoutDropDownRunsItsClickWhenPressedAndOpensNothing) {
  TSmallMenuForm f = MakeSmallMenuForm(false);
  f.go->OnClick = [&](ui::TObject*) { ++f.clicks; };
  f.form->Show();
  TWinSkinForm* frame = frametest::RunningFrame(f.form->Handle());
  ASSERT_NE(frame, nullptr);
  TMenuBtn& go = *frame->MenuBar()->Items()[0];
  EXPECT_EQ(go.SubMenu, nullptr);
  const RECT window = frametest::WindowRect(f.form->Handle());
  const LPARAM at = MAKELPARAM(window.left + go.Bounds.left + 3, window.top + go.Bounds.top + 3);
  // Hot tracking: the mouse over the item makes it the frame's hot item.
  SendMessageW(f.form->Handle(), WM_NCMOUSEMOVE, HTMENU, at);
  EXPECT_EQ(frame->HotObject(), &go);
  EXPECT_EQ(go.State, ncsHot);
  EXPECT_EQ(frametest::HitTest(f.form->Handle(), go.Bounds.left + 3, go.Bounds.top + 3), HTMENU);
  SendMessageW(f.form->Handle(), WM_NCLBUTTONDOWN, HTMENU, at);  // returns at once: no drop-down
  EXPECT_TRUE(PumpUntil([&] { return f.clicks > 0; }));
  PumpFor(50);
  EXPECT_EQ(f.clicks, 1);
  EXPECT_FALSE(frame->InMenuLoop());
  f.form.reset();
}

TEST_P(MenuBarTest, ARightToLeftMenuLaysItsItemsOutFromTheRight) {
  TSmallMenuForm f = MakeSmallMenuForm(true);
  f.form->Show();
  TWinSkinForm* frame = frametest::RunningFrame(f.form->Handle());
  ASSERT_NE(frame, nullptr);
  const TDataSkinObject* def = data_->Definitions().MenuBar();
  ASSERT_NE(def, nullptr);
  const RECT window = frametest::WindowRect(f.form->Handle());
  const int stripRight = frametest::Width(window) - frame->RightWidth();
  const auto& items = frame->MenuBar()->Items();
  EXPECT_EQ(items[0]->Bounds.right, stripRight - (def->RightWidth + 8));
  EXPECT_EQ(items[1]->Bounds.right, items[0]->Bounds.left);
  EXPECT_LT(items[1]->Bounds.left, items[0]->Bounds.left);
  f.form.reset();
}

// Records where the drop-down window opened, then closes it.
RECT g_dropDown{};
void CALLBACK RecordDropDown(HWND, UINT, UINT_PTR, DWORD) {
  HWND menu = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindVisibleMenu, reinterpret_cast<LPARAM>(&menu));
  if (++g_ticks > 100 || menu) EndMenu();
  if (menu && IsRectEmpty(&g_dropDown)) GetWindowRect(menu, &g_dropDown);
}

// A drop-down opens below its item on the side the bar lays the items out from: under the
// item's left edge for a left-to-right menu, even in a window whose scroll bar is on the left,
// and under its right edge, extending to the left, for a right-to-left menu.
TEST_P(MenuBarTest, ADropDownOpensOnTheSideTheMenusDirectionLaysTheItemsOutFrom) {
  for (const bool rightToLeft : {false, true}) {
    TSmallMenuForm f = MakeSmallMenuForm(rightToLeft);
    const HWND h = f.form->Handle();
    if (!rightToLeft) SetWindowLongW(h, GWL_EXSTYLE, GetWindowLongW(h, GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
    f.form->Show();
    TWinSkinForm* frame = frametest::RunningFrame(h);
    ASSERT_NE(frame, nullptr);
    const RECT more = frame->MenuBar()->Items()[1]->Bounds;
    ASSERT_NE(frame->MenuBar()->Items()[1]->SubMenu, nullptr);
    g_dropDown = {};
    g_ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 40, RecordDropDown);
    SendMessageW(h, WM_SYSCOMMAND, SC_KEYMENU, 'm');  // Alt+M: "&More"
    KillTimer(nullptr, timer);
    PumpFor(50);
    ASSERT_FALSE(IsRectEmpty(&g_dropDown)) << "no drop-down, right to left: " << rightToLeft;
    const RECT window = frametest::WindowRect(h);
    EXPECT_EQ(g_dropDown.top, window.top + more.bottom + 1) << "right to left: " << rightToLeft;
    if (rightToLeft) {
      EXPECT_EQ(g_dropDown.right, window.left + more.right);
    } else {
      EXPECT_EQ(g_dropDown.left, window.left + more.left);
    }
    f.form.reset();
  }
}

TEST_P(MenuBarTest, AMainMenuThatGoesLeavesTheBarWithoutItsItems) {
  ui::TForm& form = ShowGallery();
  TWinSkinForm* frame = frametest::RunningFrame(form.Handle());
  ASSERT_NE(frame, nullptr);
  delete form.Menu();
  EXPECT_EQ(form.Menu(), nullptr);
  // The frame paints on: the bar shows none of the items that went.
  SendMessageW(form.Handle(), SKM_REDRAWFRAME, 0, 0);
  for (const auto& item : frame->MenuBar()->Items()) {
    EXPECT_EQ(item->SourceItem, nullptr);
    EXPECT_EQ(frame->MenuBar()->ItemAt({item->Bounds.left + 1, item->Bounds.top + 1}), nullptr);
  }
  EXPECT_EQ(frame->MenuBar()->MenuComponent(), nullptr);
}

TEST_P(MenuBarTest, SwitchingTheSkinOffGivesTheWindowItsMenuBack) {
  ui::TForm& form = ShowGallery();
  ASSERT_NE(frametest::RunningFrame(form.Handle()), nullptr);
  ui::TMainMenu* menu = form.Menu();
  data_->SetActive(false);
  EXPECT_TRUE(PumpUntil([&] { return GetMenu(form.Handle()) == menu->Handle(); }));
  EXPECT_FALSE(menu->Items()->Items(0)->Items(0)->OnDrawItem);
}

}  // namespace
