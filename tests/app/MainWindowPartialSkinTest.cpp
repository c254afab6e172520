// The main window switched live (as --skin does) to skins that each lack one section of the
// program's own skin: on every step page each control stays drawn, by the skin or in its own
// look, never blank or one flat colour; each caption button stays at its place (in the system's
// look where the skin lacks it) and works; the system menu opens drawn and its minimize item
// can be chosen by the keyboard; a click on the open button fires it and a click on a
// step tab turns to its page; every window answers; and the whole skin afterwards paints
// exactly as before.
#include "FormFixture.h"

#include "CaptionFallbackChecks.h"
#include "HostileSkins.h"
#include "MenuChoice.h"
#include "PartialSkins.h"
#include "SkinSwitchSupport.h"
#include "app/SkinOption.h"

using testsupport::PumpFor;
using testsupport::PumpUntil;

namespace {


struct MainWindowPartialSkinTest : MainWindowTest {
  int changed = 0;

  void TearDown() override {
    MainWindowTest::TearDown();
    skin::DestroySkinManager();
  }

  void SwitchTo(const std::wstring& path) {
    const int changes = changed;
    ASSERT_EQ(ApplySkinOption(*form, ParseSkinOption({L"--skin", path})), L"");
    ASSERT_TRUE(PumpUntil([&] { return changed == changes + 1; })) << "no skin change";
    PumpFor(50);
  }

  // Every visible skinned control of every step page.
  std::map<std::wstring, std::unique_ptr<ui::TBitmap>> ShootPages() {
    std::map<std::wstring, std::unique_ptr<ui::TBitmap>> shots;
    for (int page = 0; page < form->pgc1->PageCount(); ++page) {
      form->pgc1->SetActivePageIndex(page);
      PumpFor(30);
        for (HWND control : skinswitch::SkinnedChildren(form->Handle())) {
        shots[std::to_wstring(page) + L"/" + partialskin::Place(control) + L" " + skinswitch::ClassOf(control)] =
            partialskin::CaptureAsShown(control);
      }
    }
    form->pgc1->SetActivePageIndex(0);
    PumpFor(20);
    return shots;
  }

  // A press and release of the left button at the middle of the rectangle, as the mouse sends them.
  static void ClickAt(HWND window, const RECT& r) {
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(window, WM_LBUTTONUP, 0, at);
    PumpFor(20);
  }

  void ExpectStepTabsTurnByClicks() {
    const HWND tabs = form->pgc1->Handle();
    for (int page = form->pgc1->PageCount() - 1; page >= 0; --page) {
      RECT item{};
      ASSERT_TRUE(SendMessageW(tabs, TCM_GETITEMRECT, page, reinterpret_cast<LPARAM>(&item)));
      ClickAt(tabs, item);
      EXPECT_EQ(form->pgc1->ActivePageIndex(), page) << "a click on step tab " << page + 1 << " did not turn to it";
    }
  }

  // Alt+Space opens the system menu; its minimize item, chosen by the keyboard, minimizes the
  // window (restored after).
  void ExpectSystemMenuDrawnAndChosen() {
    const HWND h = form->Handle();
    // The skin's system menu lists the window's own system menu's items in their order.
    const HMENU system = GetSystemMenu(h, FALSE);
    int minimize = -1;
    for (int i = 0; i < GetMenuItemCount(system); ++i) {
      if (GetMenuItemID(system, i) == SC_MINIMIZE) minimize = i;
    }
    ASSERT_GE(minimize, 0);
    const menuchoice::TChoice choice = menuchoice::OpenAndChoose(h, L' ', minimize);
    ASSERT_TRUE(choice.seen && choice.picture) << "the system menu did not open";
    EXPECT_EQ(choice.skinned, 1);
    EXPECT_TRUE(menuchoice::ShowsItems(*choice.picture)) << "the system menu is blank or one flat colour";
    EXPECT_TRUE(choice.chose);
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(h) != FALSE; })) << "minimize was not chosen";
    SendMessageW(h, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsIconic(h); }));
    PumpFor(50);
  }

  void ExpectOpenButtonFires() {
    int clicks = 0;
    const auto own = form->btn1->OnClick;
    form->btn1->OnClick = [&](ui::TObject*) { ++clicks; };
    RECT r{};
    GetClientRect(form->btn1->Handle(), &r);
    ClickAt(form->btn1->Handle(), r);
    form->btn1->OnClick = own;
    EXPECT_EQ(clicks, 1) << "a click on the open button did not reach it";
  }
};

TEST_F(MainWindowPartialSkinTest, EverySectionLeftOutKeepsEveryControlDrawnAndWorking) {
  const HWND h = form->Handle();
  ASSERT_TRUE(PumpUntil([&] { return !skinswitch::SkinnedChildren(h).empty(); }));
  PumpFor(100);
  form->SkinData1->OnSkinChanged = [&](ui::TObject*) { ++changed; };
  const std::string own = skin::DefaultSkinPackage();
  const skinswitch::TShot before = skinswitch::Shoot(h);
  const auto whole = ShootPages();
  const captionfallback::TPlaces buttons = captionfallback::PlacesOf(h);
  ASSERT_TRUE(buttons.contains(HTCLOSE) && buttons.contains(HTMINBUTTON));
  captionfallback::ExpectMinimizeAndCloseWork(h, buttons);
  ExpectSystemMenuDrawnAndChosen();
  const std::wstring builtIn = folder + L"built-in.skn";
  WriteFile(builtIn, own);
  const std::wstring partial = folder + L"partial.skn";
  const std::vector<std::string> sections = partialskin::SectionsOf(partialskin::DescriptionOf(own));
  ASSERT_GT(sections.size(), 30u);
  for (const std::string& section : sections) {
    SCOPED_TRACE("without [" + section + "]");
    const skintest::Bytes package = partialskin::PackageWithout(own, section);
    WriteFile(partial, std::string(package.begin(), package.end()));
    SwitchTo(partial);
    const auto shots = ShootPages();
    for (const auto& [control, picture] : shots) {
      // A control the whole skin draws with more than one colour is never a flat area.
      const auto before = whole.find(control);
      if (before == whole.end() || !partialskin::ShowsTwoColours(*before->second)) continue;
      EXPECT_TRUE(partialskin::ShowsTwoColours(*picture)) << ui::Utf8(control) << " is one flat colour or blank";
    }
    ExpectStepTabsTurnByClicks();
    ExpectOpenButtonFires();
    ExpectSystemMenuDrawnAndChosen();
    if (section.starts_with("Button.")) {
      captionfallback::ExpectCommandsAnswered(h, buttons);
      const int systemLook = captionfallback::ExpectSystemLookButtons(h, buttons);
      if (section == "Button.Close" || section == "Button.MinimizeAlone") EXPECT_EQ(systemLook, 1);
      captionfallback::ExpectMinimizeAndCloseWork(h, buttons);
    }
    EXPECT_EQ(hostile::Unanswered(hostile::WindowsOf(h)), 0);
  }
  form->pgc1->SetActivePageIndex(0);
  SwitchTo(builtIn);
  PumpFor(100);
  skinswitch::ExpectSamePictures(before, skinswitch::Shoot(h));
  SendMessageW(h, WM_CLOSE, 0, 0);
  PumpFor(50);
}

}  // namespace
