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
#include "skin/data/SkinManagerLink.h"
#include "ui/ComCtrls.h"
#include "ui/OleCtrls.h"
#include "ui/SysUtils.h"

using namespace skinview;
using testsupport::PumpUntil;

namespace {

struct GalleryFormTest : testing::Test {
  testsupport::MessageBoxWatcher boxes;
  std::unique_ptr<TGalleryForm> form;

  void SetUp() override {
    form = std::make_unique<TGalleryForm>(nullptr, BuiltInSkin());
    form->Show();
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

TEST_F(GalleryFormTest, OneOfEveryKindOfControlInTheStatesASkinDraws) {
  using namespace ui;
  EXPECT_EQ(form->Caption(), std::wstring(kGalleryTitle) + L" - " + kBuiltInSkin);
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

  // The button captioned "Focused" has the keyboard focus once the window shows.
  TButton* focused = nullptr;
  for (TButton* b : All<TButton>()) {
    if (b->Caption() == L"Focused") focused = b;
  }
  ASSERT_NE(focused, nullptr);
  EXPECT_TRUE(PumpUntil([&] { return GetFocus() == focused->Handle(); }, 2000));
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

TEST_F(GalleryFormTest, EveryControlSitsInAGroupUnderItsHeadingWithoutOverlapping) {
  const std::vector<ui::TPanel*>& groups = form->Groups();
  ASSERT_GE(groups.size(), 8u);
  // The form holds the groups and nothing else.
  ASSERT_EQ(form->ControlCount(), static_cast<int>(groups.size()));
  std::vector<std::wstring> headings;
  int bottom = 0;
  for (ui::TPanel* group : groups) {
    EXPECT_EQ(group->Parent(), form.get());
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
    bottom = std::max(bottom, static_cast<int>(group->BoundsRect().bottom));
  }
  // Every control on view, windowless ones and the labels of labelled edits included.
  const int checked = CheckChildren(*form);
  std::vector<const ui::TControl*> controls;
  CollectControls(*form, controls);
  int onView = 0;
  for (const ui::TControl* c : controls) {
    EXPECT_TRUE(OnWindow(*c, *form)) << ui::Utf8(Describe(*c)) << " is not on the window";
    onView += OnView(*c) ? 1 : 0;
  }
  EXPECT_GT(onView, 50);
  EXPECT_EQ(checked, onView);
  // The client area ends one gap below the lowest group.
  EXPECT_EQ(form->ClientHeight(), bottom + kGap);
  EXPECT_EQ(form->ClientWidth(), kColumns * (kColumnWidth + kGap) + kGap);
}

}  // namespace
