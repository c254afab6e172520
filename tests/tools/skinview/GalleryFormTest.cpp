// The gallery's window built in this process: one of every kind of control the class library
// has, in the states a skin draws differently, each inside a group with a heading, nothing
// overlapping anything.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Gallery.h"
#include "GalleryForm.h"
#include "GuiTestSupport.h"
#include "OwnSkins.h"
#include "SkinviewTestSupport.h"
#include "skin/controls/SkinTabs.h"
#include "skin/data/SkinManagerLink.h"
#include "ui/Buttons.h"
#include "ui/ComCtrls.h"
#include "ui/ListControls.h"
#include "ui/MPlayer.h"
#include "ui/RangeControls.h"
#include "ui/StatusBar.h"
#include "ui/TabSet.h"
#include "ui/OleCtrls.h"
#include "ui/SysUtils.h"

using namespace skinview;
using testsupport::PumpUntil;

namespace {

// The gallery with each skin of ours: the built-in skin, or the Daylight package's file as
// `skinview.exe FILE` takes it.
struct GalleryFormTest : testing::TestWithParam<std::string> {
  testsupport::MessageBoxWatcher boxes;
  std::unique_ptr<TGalleryForm> form;

  void SetUp() override {
    const TSkinChoice choice = skinviewtest::OwnSkinChoice(GetParam());
    ASSERT_EQ(choice.problem, L"");
    form = std::make_unique<TGalleryForm>(nullptr, choice);
    form->Show();
  }
  std::wstring SkinSourceName() const {
    return GetParam() == testsupport::kBuiltInSkin ? kBuiltInSkin : L"vexlo-daylight.skn";
  }
  void TearDown() override {
    for (const auto& box : boxes.Boxes()) ADD_FAILURE() << "message box: " << ui::Utf8(box.text);
    form.reset();
    skin::DestroySkinManager();
  }

  // The form's components of the class (or derived from it).
  template <class T>
  std::vector<T*> All() const {
    std::vector<T*> found;
    for (int i = 0; i < form->ComponentCount(); ++i) {
      if (auto* c = dynamic_cast<T*>(form->Components(i))) found.push_back(c);
    }
    return found;
  }
  template <class T, class Pred>
  int Count(Pred pred) const {
    int n = 0;
    for (T* c : All<T>()) n += pred(*c) ? 1 : 0;
    return n;
  }
};

std::wstring Describe(const ui::TControl& c) {
  const RECT r = c.BoundsRect();
  return c.ClassName() + L" \"" + c.Caption() + L"\" at " + std::to_wstring(r.left) + L"," +
         std::to_wstring(r.top) + L" " + std::to_wstring(r.right - r.left) + L"x" +
         std::to_wstring(r.bottom - r.top);
}

RECT WindowRectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

bool Overlap(const RECT& a, const RECT& b) {
  RECT common;
  return IntersectRect(&common, &a, &b) != FALSE;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// Whether a scroll bar of the window has more to show than its page.
bool Scrolls(HWND window, int bar) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE;
  if (!GetScrollInfo(window, bar, &info)) return false;
  return info.nPage > 0 && info.nMax - info.nMin + 1 > static_cast<int>(info.nPage);
}

INSTANTIATE_FOR_OWN_SKINS(GalleryFormTest);

TEST_P(GalleryFormTest, OneOfEveryKindOfControlInTheStatesASkinDraws) {
  using namespace ui;
  EXPECT_EQ(form->Caption(), std::wstring(kGalleryTitle) + L" - " + SkinSourceName());
  ASSERT_NE(form->SkinData(), nullptr);
  EXPECT_TRUE(form->SkinData()->SkinLoaded());

  EXPECT_GE(Count<TButton>([](TButton& b) { return b.Enabled() && !b.Default(); }), 1);
  EXPECT_GE(Count<TButton>([](TButton& b) { return b.Default(); }), 1);
  EXPECT_GE(Count<TButton>([](TButton& b) { return !b.Enabled(); }), 1);
  EXPECT_GE(Count<TCheckBox>([](TCheckBox& b) { return b.Enabled() && b.Checked(); }), 1);
  EXPECT_GE(Count<TCheckBox>([](TCheckBox& b) { return b.Enabled() && b.State() == cbUnchecked; }), 1);
  EXPECT_GE(Count<TCheckBox>([](TCheckBox& b) { return b.Enabled() && b.State() == cbGrayed; }), 1);
  EXPECT_GE(Count<TCheckBox>([](TCheckBox& b) { return !b.Enabled() && b.Checked(); }), 1);
  EXPECT_GE(Count<TCheckBox>([](TCheckBox& b) { return !b.Enabled() && !b.Checked(); }), 1);
  EXPECT_GE(Count<TEdit>([](TEdit& e) { return e.Enabled() && !e.ReadOnly(); }), 1);
  EXPECT_GE(Count<TEdit>([](TEdit& e) { return e.ReadOnly(); }), 1);
  EXPECT_GE(Count<TEdit>([](TEdit& e) { return !e.Enabled(); }), 1);
  EXPECT_GE(Count<TLabeledEdit>([](TLabeledEdit& e) {
              return e.LabelPosition() == lpLeft && !e.EditLabel()->Caption().empty();
            }),
            1);
  EXPECT_GE(Count<TLabeledEdit>([](TLabeledEdit& e) { return e.LabelPosition() == lpAbove; }), 1);
  EXPECT_GE(Count<TLabeledEdit>([](TLabeledEdit& e) { return !e.Enabled(); }), 1);
  // A memo with more lines and longer lines than it shows: both scroll bars scroll.
  EXPECT_GE(Count<TMemo>([](TMemo& m) {
              return m.Enabled() && Scrolls(m.Handle(), SB_VERT) && Scrolls(m.Handle(), SB_HORZ);
            }),
            1);
  EXPECT_GE(Count<TMemo>([](TMemo& m) { return !m.Enabled(); }), 1);
  EXPECT_GE(Count<TLabel>([](TLabel& l) { return l.Enabled(); }), 1);
  EXPECT_GE(Count<TLabel>([](TLabel& l) { return !l.Enabled(); }), 1);
  EXPECT_GE(Count<TLabel>([](TLabel& l) { return !l.Transparent(); }), 1);
  EXPECT_GE(Count<TShape>([](TShape&) { return true; }), 1);
  // Panels beside the groups' own.
  EXPECT_GT(All<TPanel>().size(), form->Groups().size());
  // A list view in report style with more rows than it shows and columns wider than it is.
  EXPECT_GE(Count<TListView>([](TListView& v) {
              const int perPage = static_cast<int>(SendMessageW(v.Handle(), LVM_GETCOUNTPERPAGE, 0, 0));
              return v.ViewStyle() == vsReport && v.Columns()->Count() >= 2 && perPage > 0 &&
                     v.Items()->Count() > perPage && Scrolls(v.Handle(), SB_HORZ);
            }),
            1);
  EXPECT_GE(Count<TPageControl>([](TPageControl& p) { return p.PageCount() >= 2; }), 1);
  EXPECT_GE(All<TTabSheet>().size(), 2u);
  EXPECT_GE(All<TWebBrowser>().size(), 1u);

  // Glyph and speed buttons: a glyph, a glyph above the caption, disabled, one down, a flat one.
  EXPECT_GE(Count<TBitBtn>([](TBitBtn& b) { return !b.Glyph()->Empty() && b.Layout() == blGlyphTop; }), 1);
  EXPECT_GE(Count<TBitBtn>([](TBitBtn& b) { return !b.Enabled() && b.NumGlyphs() == 2; }), 1);
  EXPECT_GE(Count<TSpeedButton>([](TSpeedButton& b) { return b.Down(); }), 1);
  EXPECT_GE(Count<TSpeedButton>([](TSpeedButton& b) { return b.Flat(); }), 1);
  EXPECT_GE(Count<TRadioButton>([](TRadioButton& b) { return b.Enabled() && b.Checked(); }), 1);
  EXPECT_GE(Count<TRadioButton>([](TRadioButton& b) { return b.Enabled() && !b.Checked(); }), 1);
  EXPECT_GE(Count<TRadioButton>([](TRadioButton& b) { return !b.Enabled() && b.Checked(); }), 1);
  EXPECT_GE(Count<TRadioButton>([](TRadioButton& b) { return !b.Enabled() && !b.Checked(); }), 1);
  EXPECT_GE(Count<TGroupBox>([](TGroupBox& g) { return g.ControlCount() > 0; }), 1);
  EXPECT_GE(Count<TRadioGroup>([](TRadioGroup& g) { return g.Columns() > 1 && g.ItemIndex() >= 0; }), 1);
  // Combo boxes of each style and a list box, with more lines than they show.
  for (TComboBoxStyle style : {csDropDown, csDropDownList, csSimple}) {
    EXPECT_GE(Count<TComboBox>([style](TComboBox& c) { return c.Style() == style && c.Items()->Count() > 8; }), 1);
  }
  EXPECT_GE(Count<TComboBox>([](TComboBox& c) { return !c.Enabled(); }), 1);
  EXPECT_GE(Count<TListBox>([](TListBox& l) { return Scrolls(l.Handle(), SB_VERT); }), 1);
  EXPECT_GE(Count<TScrollBar>([](TScrollBar& b) { return b.Kind() == sbHorizontal; }), 1);
  EXPECT_GE(Count<TScrollBar>([](TScrollBar& b) { return b.Kind() == sbVertical; }), 1);
  EXPECT_GE(Count<TUpDown>([](TUpDown& u) { return u.Associate() != nullptr; }), 1);
  EXPECT_GE(Count<TDateTimePicker>([](TDateTimePicker& d) { return d.Kind() == dtkDate; }), 1);
  EXPECT_GE(Count<TDateTimePicker>([](TDateTimePicker& d) { return d.Kind() == dtkTime; }), 1);
  // Progress bars empty, part full, full and upright; track bars lying and upright.
  EXPECT_GE(Count<TProgressBar>([](TProgressBar& p) { return p.Position() == p.Min(); }), 1);
  EXPECT_GE(Count<TProgressBar>([](TProgressBar& p) { return p.Position() == p.Max(); }), 1);
  EXPECT_GE(Count<TProgressBar>([](TProgressBar& p) { return p.Orientation() == pbVertical; }), 1);
  EXPECT_GE(Count<TTrackBar>([](TTrackBar& t) { return t.Orientation() == trHorizontal; }), 1);
  EXPECT_GE(Count<TTrackBar>([](TTrackBar& t) { return t.Orientation() == trVertical; }), 1);
  EXPECT_GE(Count<TMediaPlayer>([](TMediaPlayer& m) {
              return m.VisibleButtons() == kAllMPButtons && m.ColoredButtons() != 0 &&
                     m.EnabledButtons() != kAllMPButtons;
            }),
            1);
  EXPECT_GE(Count<TStatusBar>([](TStatusBar& b) { return b.Panels()->Count() >= 2 && b.SizeGrip(); }), 1);
  EXPECT_GE(Count<TStatusBar>([](TStatusBar& b) {
              const TStatusPanel* last = b.Panels()->Items(b.Panels()->Count() - 1);
              return last && last->Style() == psOwnerDraw && b.OnDrawPanel;
            }), 1);
  EXPECT_GE(Count<TBitBtn>([](TBitBtn& b) { return b.Images() && b.ImageIndex() >= 0 && b.Enabled(); }), 1);
  EXPECT_GE(Count<TMenuButton>([](TMenuButton& b) { return b.DropDownMenu() != nullptr; }), 1);
  EXPECT_GE(Count<TComboBox>([](TComboBox& c) { return c.BiDiMode() == bdRightToLeft; }), 1);
  EXPECT_GE(Count<TSpinEdit>([](TSpinEdit& e) { return e.ArrowsWindow() != nullptr; }), 1);
  EXPECT_GE(Count<TCheckBox>([](TCheckBox& b) { return b.Tag() == 5555; }), 1);
  EXPECT_GE(Count<TRadioButton>([](TRadioButton& b) { return b.Tag() == 5555 && b.Checked(); }), 1);
  EXPECT_GE(Count<TBitBtn>([](TBitBtn& b) { return b.Images() && b.DisabledIndex() >= 0 && !b.Enabled(); }), 1);
  // Tab controls with their tabs on every side, one in several rows, and a tab set.
  for (TTabPosition side : {tpTop, tpBottom, tpLeft, tpRight}) {
    EXPECT_GE(Count<TTabControl>([side](TTabControl& t) { return t.TabPosition() == side; }), 1);
  }
  EXPECT_GE(Count<TTabControl>([](TTabControl& t) {
              return t.MultiLine() && SendMessageW(t.Handle(), TCM_GETROWCOUNT, 0, 0) > 1;
            }),
            1);
  EXPECT_GE(Count<TTabSet>([](TTabSet& t) { return t.Tabs()->Count() >= 2; }), 1);
  // A page control with a close button on every tab, once the frame has skinned its controls:
  // its skinner (a component of the control) handles them.
  const auto closable = [&] {
    return Count<TPageControl>([](TPageControl& p) {
      for (int i = 0; i < p.ComponentCount(); ++i) {
        const auto* tabs = dynamic_cast<const skin::TSkinTab*>(p.Components(i));
        if (tabs && tabs->Closable() && tabs->Active()) return true;
      }
      return false;
    });
  };
  EXPECT_TRUE(PumpUntil([&] { return closable() >= 1; }));

  // The button captioned "Focused" has the keyboard focus once the window shows.
  TButton* focused = nullptr;
  for (TButton* b : All<TButton>()) {
    if (b->Caption() == L"Focused") focused = b;
  }
  ASSERT_NE(focused, nullptr);
  EXPECT_TRUE(PumpUntil([&] { return GetFocus() == focused->Handle(); }));
}

// Every control owned by the component or by the components it owns.
void CollectControls(const ui::TComponent& owner, std::vector<const ui::TControl*>& controls) {
  for (int i = 0; i < owner.ComponentCount(); ++i) {
    const ui::TComponent* c = owner.Components(i);
    if (auto* control = dynamic_cast<const ui::TControl*>(c)) controls.push_back(control);
    CollectControls(*c, controls);
  }
}

bool OnWindow(const ui::TControl& c, const ui::TForm& form) {
  const ui::TControl* up = &c;
  while (up->Parent() && up->Parent() != &form) up = up->Parent();
  return up->Parent() == &form;
}

// Visible, on a visible parent, on the page shown if on a page, up to the form.
bool OnView(const ui::TControl& c) {
  for (const ui::TControl* up = &c; up->Parent(); up = up->Parent()) {
    if (!up->Visible()) return false;
    if (auto* sheet = dynamic_cast<const ui::TTabSheet*>(up)) {
      if (sheet->PageControl()->ActivePage() != sheet) return false;
    }
  }
  return true;
}

// Checks the visible children of `parent`: each inside its client area, no two overlapping;
// then theirs. Answers how many controls were checked.
int CheckChildren(const ui::TWinControl& parent) {
  int checked = 0;
  const RECT area = parent.ClientRect();
  std::vector<const ui::TControl*> shown;
  for (int i = 0; i < parent.ControlCount(); ++i) {
    const ui::TControl* c = parent.Controls(i);
    if (!OnView(*c)) continue;  // hidden, or a page not shown (pages share one place)
    EXPECT_TRUE(Inside(c->BoundsRect(), area))
        << ui::Utf8(Describe(*c)) << " outside " << ui::Utf8(Describe(parent));
    for (const ui::TControl* other : shown) {
      EXPECT_FALSE(Overlap(c->BoundsRect(), other->BoundsRect()))
          << ui::Utf8(Describe(*c)) << " overlaps " << ui::Utf8(Describe(*other));
    }
    shown.push_back(c);
    ++checked;
    if (auto* w = dynamic_cast<const ui::TWinControl*>(c)) checked += CheckChildren(*w);
  }
  return checked;
}

TEST_P(GalleryFormTest, EveryControlSitsInAGroupUnderItsHeadingWithoutOverlapping) {
  const std::vector<ui::TPanel*>& groups = form->Groups();
  ASSERT_GE(groups.size(), 8u);
  // The form holds the pages and, along its bottom edge below them, the status bar.
  ui::TPageControl* pages = form->Pages();
  ASSERT_NE(pages, nullptr);
  ASSERT_EQ(form->ControlCount(), 2);
  EXPECT_EQ(form->Controls(0), pages);
  const ui::TControl* bar = form->Controls(1);
  ASSERT_NE(dynamic_cast<const ui::TStatusBar*>(bar), nullptr);
  EXPECT_EQ(bar->BoundsRect().bottom, form->ClientHeight());
  EXPECT_EQ(pages->BoundsRect().bottom, bar->Top());
  EXPECT_EQ(pages->Width(), form->ClientWidth());
  // The whole window fits the smallest screen the tests run on.
  const RECT window = WindowRectOf(form->Handle());
  EXPECT_LE(window.right - window.left, 1024);
  EXPECT_LE(window.bottom - window.top, 768);

  std::vector<std::wstring> headings;
  for (ui::TPanel* group : groups) {
    auto* sheet = dynamic_cast<ui::TTabSheet*>(group->Parent());
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->PageControl(), pages);
    // Inside the page's display area.
    EXPECT_LE(group->BoundsRect().bottom + kGap, sheet->Height()) << ui::Utf8(Describe(*group));
    EXPECT_LE(group->BoundsRect().right + kGap, sheet->Width()) << ui::Utf8(Describe(*group));
    ASSERT_GE(group->ControlCount(), 2) << ui::Utf8(Describe(*group));
    auto* heading = dynamic_cast<ui::TLabel*>(group->Controls(0));
    ASSERT_NE(heading, nullptr);
    EXPECT_FALSE(heading->Caption().empty());
    EXPECT_LE(heading->Top() + heading->Height(), kBodyTop) << ui::Utf8(heading->Caption());
    for (const std::wstring& other : headings) EXPECT_NE(heading->Caption(), other);
    headings.push_back(heading->Caption());
    // Below the heading only the group's controls.
    for (int i = 1; i < group->ControlCount(); ++i) {
      const ui::TControl* c = group->Controls(i);
      EXPECT_GE(c->Top(), kBodyTop) << ui::Utf8(Describe(*c)) << " in " << ui::Utf8(heading->Caption());
    }
  }
  // Page by page, every control on view, windowless ones and the labels of labelled edits
  // included; together the pages show every control of the window.
  std::vector<const ui::TControl*> controls;
  CollectControls(*form, controls);
  for (const ui::TControl* c : controls) {
    EXPECT_TRUE(OnWindow(*c, *form)) << ui::Utf8(Describe(*c)) << " is not on the window";
  }
  int seen = 0;
  for (int i = 0; i < pages->PageCount(); ++i) {
    pages->SetActivePageIndex(i);
    const int checked = CheckChildren(*form);
    int onView = 0;
    for (const ui::TControl* c : controls) onView += OnView(*c) ? 1 : 0;
    EXPECT_GT(onView, 25) << "page " << i;
    EXPECT_EQ(checked, onView) << "page " << i;
    seen += onView - 3 - pages->PageCount();  // less the page control, its pages and the bar
  }
  EXPECT_GE(seen + 3 + pages->PageCount(), static_cast<int>(controls.size()) - 30);
}

}  // namespace
