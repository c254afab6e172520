// Control attachment by the frame skinner on real forms and dialogs with the program's own
// skin: which controls get a skinner when the frame starts, the rules that leave controls
// alone, the application's own choice, re-made windows, detaching when skinning is switched
// off, the children of a dialog without form object and a size grip made later.
#include <algorithm>
#include <functional>
#include <vector>

#include "ControlTestSupport.h"
#include "ForeignControls.h"
#include "FrameTestSupport.h"
#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinOthers.h"
#include "skin/data/SkinDerivedImages.h"
#include "skin/frame/ControlChoice.h"
#include "ui/Buttons.h"
#include "ui/ComCtrls.h"
#include "ui/MPlayer.h"
#include "ui/RangeControls.h"
#include "ui/StatusBar.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"
#include "ui/SysUtils.h"

using namespace ctltest;
using namespace frametest;
using namespace skin;
using testsupport::PumpFor;
using testsupport::PumpUntil;

namespace {

LRESULT AskSkinned(ui::TWinControl* control) {
  return SendMessageW(control->Handle(), SKM_QUERYSKINNED, 0, 0);
}

class ControlAttachTest : public FrameTest {
 protected:
  // A form with its controls, made by `build`, shown; the frame once it runs.
  TWinSkinForm* Start(const std::function<void(ui::TForm&)>& build) {
    auto form = std::make_unique<ui::TForm>(nullptr);
    form->SetBounds(40, 40, 420, 320);
    form->SetCaption(L"Controls");
    build(*form);
    form->Show();
    form_ = form.get();
    forms_.push_back(std::move(form));
    return RunningFrame(form_->Handle());
  }
  template <class T>
  T* Add(ui::TComponent* owner, ui::TWinControl* parent, int top) {
    auto* c = new T(owner);
    c->SetParent(parent);
    c->SetBounds(10, top, 150, 24);
    return c;
  }
  // The skinners of the frame that serve the control.
  int SkinnersOf(const TWinSkinForm& frame, const ui::TControl* control) const {
    int n = 0;
    for (int i = 0; i < frame.ControlSkinners().Count(); ++i) {
      const TSkinControl* s = frame.ControlSkinners().Items(i);
      if (s->Control() == control || s->GraphicControl() == control) ++n;
    }
    return n;
  }
  std::wstring SkinnerClassOf(const TWinSkinForm& frame, const ui::TControl* control) const {
    const TSkinControl* s = frame.ControlSkinners().FindControl(control);
    return s ? s->ClassName() : std::wstring();
  }
  void Switch(TSkinControlType type, bool on) {
    const int bit = 1 << type;
    data_->SetSkinControls(on ? data_->SkinControls() | bit : data_->SkinControls() & ~bit);
  }

  ui::TForm* form_ = nullptr;
};

TEST_F(ControlAttachTest, EveryControlTheTableChoosesGetsOneSkinnerWhenTheFrameStarts) {
  ui::TButton* button = nullptr;
  ui::TEdit* edit = nullptr;
  ui::TMemo* memo = nullptr;
  ui::TCheckBox* check = nullptr;
  ui::TPanel* panel = nullptr;
  ui::TButton* nested = nullptr;
  ui::TLabel* label = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) {
    button = Add<ui::TButton>(&f, &f, 10);
    edit = Add<ui::TEdit>(&f, &f, 40);
    memo = Add<ui::TMemo>(&f, &f, 70);
    check = Add<ui::TCheckBox>(&f, &f, 100);
    panel = Add<ui::TPanel>(&f, &f, 130);
    panel->SetHeight(60);
    nested = Add<ui::TButton>(panel, panel, 5);  // owned by the panel: reached by tab order
    label = Add<ui::TLabel>(&f, &f, 200);
  });
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(SkinnerClassOf(*frame, button), L"TSkinButton");
  EXPECT_EQ(SkinnerClassOf(*frame, edit), L"TSkinEdit");
  EXPECT_EQ(SkinnerClassOf(*frame, memo), L"TSkinScrollbar");
  EXPECT_EQ(SkinnerClassOf(*frame, check), L"TSkinCheckBox");
  EXPECT_EQ(SkinnerClassOf(*frame, nested), L"TSkinButton");
  EXPECT_EQ(SkinnerClassOf(*frame, panel), L"");  // no panel switch in the program's set
  EXPECT_EQ(SkinnerClassOf(*frame, label), L"");
  for (ui::TWinControl* c : std::vector<ui::TWinControl*>{button, edit, memo, check, nested}) {
    EXPECT_EQ(SkinnersOf(*frame, c), 1) << ui::Utf8(c->ClassName());
    EXPECT_EQ(AskSkinned(c), 1) << ui::Utf8(c->ClassName());
  }
  EXPECT_EQ(AskSkinned(panel), 0);
  EXPECT_EQ(frame->ControlSkinners().Count(), 5);
  // Skinners belong to their controls.
  EXPECT_EQ(frame->ControlSkinners().FindControl(button)->Owner(), button);
}

TEST_F(ControlAttachTest, TheSameControlReachedAgainKeepsOneSkinner) {
  ui::TButton* button = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) { button = Add<ui::TButton>(&f, &f, 10); });
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(frame->ControlSkinners().Count(), 1);
  frame->Controls().AttachControls(form_);
  frame->Controls().AttachControl(button, form_);
  EXPECT_EQ(frame->ControlSkinners().Count(), 1);
  EXPECT_EQ(SkinnersOf(*frame, button), 1);
}

TEST_F(ControlAttachTest, DestroyingAControlFreesItsSkinner) {
  ui::TButton* button = nullptr;
  ui::TEdit* edit = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) {
    button = Add<ui::TButton>(&f, &f, 10);
    edit = Add<ui::TEdit>(&f, &f, 40);
  });
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(frame->ControlSkinners().Count(), 2);
  delete button;
  EXPECT_EQ(frame->ControlSkinners().Count(), 1);
  EXPECT_EQ(AskSkinned(edit), 1);
}

TEST_F(ControlAttachTest, TheDisableTagKeepsAControlAndARadioGroupsButtonsUnskinned) {
  ui::TButton* tagged = nullptr;
  ui::TCheckBox* inGroup[2] = {};
  ui::TCheckBox* inOther = nullptr;
  TVxRadioGroup* group = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) {
    tagged = Add<ui::TButton>(&f, &f, 10);
    tagged->SetTag(99);
    group = Add<TVxRadioGroup>(&f, &f, 40);
    group->SetHeight(70);
    group->SetTag(99);
    inGroup[0] = Add<ui::TCheckBox>(&f, group, 5);
    inGroup[1] = Add<ui::TCheckBox>(&f, group, 35);
    auto* other = Add<TVxRadioGroup>(&f, &f, 120);
    inOther = Add<ui::TCheckBox>(&f, other, 5);
  });
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(AskSkinned(tagged), 0);
  for (ui::TCheckBox* c : inGroup) {
    EXPECT_EQ(c->Tag(), 99);
    EXPECT_EQ(AskSkinned(c), 0);
  }
  EXPECT_EQ(AskSkinned(inOther), 1);
  EXPECT_EQ(inOther->Tag(), 0);
}

TEST_F(ControlAttachTest, AMapLineOfNilOrAnUnknownKindSkinsNothing) {
  data_->Skin3rd()->Insert(0, "TVxGrid=nil");
  data_->Skin3rd()->Insert(0, "TButton=wibble");
  TVxGrid* grid = nullptr;
  ui::TButton* button = nullptr;
  ui::TEdit* edit = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) {
    grid = Add<TVxGrid>(&f, &f, 10);
    button = Add<ui::TButton>(&f, &f, 40);
    edit = Add<ui::TEdit>(&f, &f, 70);
  });
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(AskSkinned(grid), 0);
  EXPECT_EQ(AskSkinned(button), 0);
  EXPECT_EQ(AskSkinned(edit), 1);
  EXPECT_EQ(frame->ControlSkinners().Count(), 1);
}

TEST_F(ControlAttachTest, TheTrackBarKindOnlyWithTheButtonSwitch) {
  data_->Skin3rd()->Insert(0, "TVxTrackBar=trackbar");
  Switch(xcButton, false);
  TVxTrackBar* off = nullptr;
  ASSERT_NE(Start([&](ui::TForm& f) { off = Add<TVxTrackBar>(&f, &f, 10); }), nullptr);
  EXPECT_EQ(AskSkinned(off), 0);
  EXPECT_FALSE(off->Transparent());
  Switch(xcButton, true);
  TVxTrackBar* on = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) { on = Add<TVxTrackBar>(&f, &f, 10); });
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(SkinnerClassOf(*frame, on), L"TSkinTrackBar");
  EXPECT_TRUE(on->Transparent());
}

TEST_F(ControlAttachTest, BarsPlayersAndGlyphCheckBoxesGetTheirSkinnersWhenTheFrameStarts) {
  ui::TProgressBar* progress = nullptr;
  ui::TTrackBar* track = nullptr;
  ui::TStatusBar* status = nullptr;
  ui::TMediaPlayer* player = nullptr;
  TRzCheckBox* glyphs = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) {
    progress = Add<ui::TProgressBar>(&f, &f, 10);
    track = Add<ui::TTrackBar>(&f, &f, 40);
    player = Add<ui::TMediaPlayer>(&f, &f, 80);
    glyphs = Add<TRzCheckBox>(&f, &f, 120);
    status = new ui::TStatusBar(&f);
    status->SetParent(&f);
    status->Panels()->Add()->SetText(L"ready");
  });
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(SkinnerClassOf(*frame, progress), L"TSkinProgress");
  EXPECT_EQ(SkinnerClassOf(*frame, track), L"TSkinTrackBar");
  EXPECT_EQ(SkinnerClassOf(*frame, status), L"TSkinStatusBar");
  EXPECT_EQ(AskSkinned(status), 1);
  EXPECT_EQ(SkinnerClassOf(*frame, glyphs), L"TSkinObjImage");
  EXPECT_TRUE(glyphs->UseCustomGlyphs());
  EXPECT_FALSE(glyphs->CustomGlyphs()->Empty());
  const auto* mp = dynamic_cast<const TSkinMP*>(frame->ControlSkinners().FindControl(player));
  ASSERT_NE(mp, nullptr);
  ASSERT_NE(mp->Overlay(), nullptr);
  // The overlay is a control of the form's like any other, yet never skinned itself.
  EXPECT_EQ(SkinnersOf(*frame, mp->Overlay()), 0);
  EXPECT_EQ(AskSkinned(mp->Overlay()), 0);
}

TEST_F(ControlAttachTest, ACheckBoxOnlyWithTheCheckBoxSwitch) {
  Switch(xcCheckBox, false);
  ui::TCheckBox* check = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) { check = Add<ui::TCheckBox>(&f, &f, 10); });
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(AskSkinned(check), 0);
  EXPECT_EQ(frame->ControlSkinners().Count(), 0);
}

TEST_F(ControlAttachTest, PanelsTakeTheSkinsColourAndGiveItBackWhenSkinningIsSwitchedOff) {
  Switch(xcPanel, true);
  ui::TPanel* panel = nullptr;
  ui::TPanel* keeps = nullptr;
  ui::TButton* inside = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) {
    panel = Add<ui::TPanel>(&f, &f, 10);
    panel->SetHeight(80);
    panel->SetColor(ui::clRed);
    panel->SetParentBackground(true);
    inside = Add<ui::TButton>(&f, panel, 10);
    keeps = Add<ui::TPanel>(&f, &f, 120);
    keeps->SetColor(ui::clBlue);
  });
  ASSERT_NE(frame, nullptr);
  const ui::TColor face = ResolveColour(data_->Colours().ButtonFace);
  EXPECT_EQ(SkinnerClassOf(*frame, panel), L"TSkinBox");
  EXPECT_EQ(panel->Color(), face);
  EXPECT_FALSE(panel->ParentBackground());
  EXPECT_EQ(frame->ControlSkinners().FindControl(panel)->Kind(), 1);
  EXPECT_EQ(AskSkinned(inside), 1);
  // The children came first.
  EXPECT_EQ(frame->ControlSkinners().Items(0)->Control(), inside);
  EXPECT_EQ(keeps->Color(), face);

  data_->SetActive(false);
  ASSERT_TRUE(PumpUntil([&] { return M()->FormSkinners().empty(); }));
  EXPECT_EQ(panel->Color(), ui::clRed);
  EXPECT_TRUE(panel->ParentBackground());
  EXPECT_EQ(keeps->Color(), ui::clBlue);
  EXPECT_EQ(AskSkinned(inside), 0);
  EXPECT_EQ(AskSkinned(panel), 0);
}

TEST_F(ControlAttachTest, TheParentBackgroundIsLeftAloneWithTheOption) {
  Switch(xcPanel, true);
  data_->SetOptions(data_->Options() | (1 << xoParentBackGround));
  ui::TPanel* panel = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) {
    panel = Add<ui::TPanel>(&f, &f, 10);
    panel->SetParentBackground(true);
  });
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(panel->ParentBackground());
  EXPECT_EQ(frame->ControlSkinners().FindControl(panel)->Kind(), 0);
}

TEST_F(ControlAttachTest, TheApplicationMaySupplyTheSkinner) {
  std::vector<std::wstring> asked;
  ui::TComponent* sender = nullptr;
  ui::TControl* parentSeen = nullptr;
  data_->OnSkinControl = [&](ui::TComponent* s, TSkinData*, ui::TControl* parent, ui::TControl* control,
                             const std::wstring& cls, ui::TComponent*& skinned) {
    asked.push_back(cls);
    sender = s;
    parentSeen = parent;
    if (cls == L"TCUSTOMCONTROL") skinned = new TSkinButton(control);
  };
  ui::TCustomControl* plain = nullptr;
  ui::TEdit* edit = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) {
    plain = Add<ui::TCustomControl>(&f, &f, 10);
    edit = Add<ui::TEdit>(&f, &f, 40);
  });
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(sender, frame);
  EXPECT_EQ(parentSeen, form_);
  EXPECT_NE(std::find(asked.begin(), asked.end(), L"TEDIT"), asked.end());
  EXPECT_EQ(SkinnerClassOf(*frame, plain), L"TSkinButton");
  EXPECT_EQ(AskSkinned(plain), 1);
  EXPECT_EQ(SkinnerClassOf(*frame, edit), L"TSkinEdit");  // the rules went on
}

TEST_F(ControlAttachTest, AControlWithSkinnedScrollBarsThatGetsANewWindowGetsAFreshSkinner) {
  ui::TMemo* memo = nullptr;
  ui::TListView* list = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) {
    memo = Add<ui::TMemo>(&f, &f, 10);
    list = Add<ui::TListView>(&f, &f, 60);
    list->SetHeight(80);
  });
  ASSERT_NE(frame, nullptr);
  const HWND oldMemo = memo->Handle(), oldList = list->Handle();
  memo->SetScrollBars(ui::ssBoth);  // makes the window anew
  list->SetViewStyle(ui::vsReport);
  ASSERT_NE(memo->Handle(), oldMemo);
  ASSERT_TRUE(PumpUntil([&] {
    const TSkinControl* m = frame->ControlSkinners().FindControl(memo);
    const TSkinControl* l = frame->ControlSkinners().FindControl(list);
    return m && m->Handle() == memo->Handle() && l && l->Handle() == list->Handle();
  }, 2000));
  EXPECT_EQ(SkinnerClassOf(*frame, memo), L"TSkinScrollbar");
  EXPECT_EQ(SkinnerClassOf(*frame, list), L"TSkinListView");
  EXPECT_EQ(frame->ControlSkinners().Find(oldMemo), nullptr);
  EXPECT_EQ(frame->ControlSkinners().Find(oldList), nullptr);
  EXPECT_EQ(AskSkinned(memo), 1);
  EXPECT_EQ(AskSkinned(list), 1);
  EXPECT_EQ(SkinnersOf(*frame, memo), 1);
  // Nothing to replace for a window no skinner has.
  frame->Controls().ReplaceScrollSkinner(oldMemo);
  EXPECT_EQ(SkinnersOf(*frame, memo), 1);
}

TEST_F(ControlAttachTest, ReapplyingTheSkinLetsEverySkinnerReadItAgain) {
  Switch(xcPanel, true);
  ui::TPanel* panel = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) { panel = Add<ui::TPanel>(&f, &f, 10); });
  ASSERT_NE(frame, nullptr);
  panel->SetColor(ui::clGreen);
  frame->ReapplySkin();
  EXPECT_EQ(panel->Color(), ResolveColour(data_->Colours().ButtonFace));
}

TEST_F(ControlAttachTest, GroupsServeTheirButtonsFirstAndForeignEditsAreSubclassedAsWindows) {
  Switch(xcGroupBox, true);
  Switch(xcRadioButton, true);
  data_->Skin3rd()->Insert(0, "TVxRadioGroup=embedscrollbar");
  TRzRadioGroup* group = nullptr;
  ui::TCustomControl* buttons[2] = {};
  TVxRadioGroup* embedding = nullptr;
  TVxGrid* embeddedGrid = nullptr;
  ui::TCustomControl* embeddedPlain = nullptr;
  TDCEdit* edit = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) {
    group = Add<TRzRadioGroup>(&f, &f, 10);
    group->SetHeight(70);
    buttons[0] = Add<ui::TCustomControl>(&f, group, 5);
    buttons[1] = Add<ui::TCustomControl>(&f, group, 35);
    embedding = Add<TVxRadioGroup>(&f, &f, 90);
    embedding->SetHeight(90);
    embeddedGrid = Add<TVxGrid>(&f, embedding, 5);
    embeddedPlain = Add<ui::TCustomControl>(&f, embedding, 40);
    edit = Add<TDCEdit>(&f, &f, 190);
  });
  ASSERT_NE(frame, nullptr);
  // "TRzRadioGroup=radiogroup": the foreign group's buttons take glyph images, then the
  // group its box.
  for (ui::TCustomControl* b : buttons) {
    const auto* image = dynamic_cast<const TSkinObjImage*>(frame->ControlSkinners().FindControl(b));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Variant(), kObjImageRadio);
    EXPECT_TRUE(image->ChangeColor());
  }
  EXPECT_EQ(SkinnerClassOf(*frame, group), L"TSkinGroupBox");
  EXPECT_EQ(frame->ControlSkinners().Items(0)->Control(), buttons[0]);
  // "embedscrollbar": no skinner for the container, scroll-bar skinners for its children
  // with window scroll bars.
  EXPECT_EQ(SkinnerClassOf(*frame, embedding), L"");
  EXPECT_EQ(SkinnerClassOf(*frame, embeddedGrid), L"TSkinScrollbar");
  EXPECT_EQ(SkinnerClassOf(*frame, embeddedPlain), L"");
  // A foreign edit without buttons: its window is subclassed, and it answers through it.
  const TSkinControl* bare = frame->ControlSkinners().Find(edit->Handle());
  ASSERT_NE(bare, nullptr);
  EXPECT_EQ(bare->ClassName(), L"TSkinEdit");
  EXPECT_TRUE(bare->ThunkAttached());
  EXPECT_EQ(AskSkinned(edit), 1);
  EXPECT_EQ(edit->Perform(SKM_QUERYSKINNED), 0);  // the class library's own path is not hooked
}

// ---------------------------------------------------------------------------------------------
// A dialog without form object.

struct DialogItem {
  WORD classAtom;  // 0x80 button, 0x81 edit, 0x82 static
  const wchar_t* className;
  DWORD style;
  WORD id;
};

INT_PTR CALLBACK PlainDialogProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

void PutText(std::vector<WORD>& t, const wchar_t* text) {
  for (const wchar_t* c = text;; ++c) {
    t.push_back(static_cast<WORD>(*c));
    if (!*c) break;
  }
}

HWND CreateDialogWith(const std::vector<DialogItem>& items) {
  std::vector<WORD> t(sizeof(DLGTEMPLATE) / 2, 0);
  auto* dlg = reinterpret_cast<DLGTEMPLATE*>(t.data());
  dlg->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME;
  dlg->cdit = static_cast<WORD>(items.size());
  dlg->x = 10;
  dlg->y = 10;
  dlg->cx = 200;
  dlg->cy = 20 + 16 * static_cast<short>(items.size());
  t.push_back(0);  // no menu
  t.push_back(0);  // the dialog class
  PutText(t, L"Foreign dialog");
  short y = 4;
  for (const DialogItem& item : items) {
    if (t.size() % 2) t.push_back(0);  // items are DWORD-aligned
    DLGITEMTEMPLATE it{};
    it.style = WS_CHILD | WS_VISIBLE | item.style;
    it.x = 4;
    it.y = y;
    it.cx = 150;
    it.cy = 12;
    it.id = item.id;
    y += 16;
    const auto* words = reinterpret_cast<const WORD*>(&it);
    t.insert(t.end(), words, words + sizeof(it) / 2);
    if (item.className) {
      PutText(t, item.className);
    } else {
      t.push_back(0xFFFF);
      t.push_back(item.classAtom);
    }
    PutText(t, L"Item");
    t.push_back(0);  // no creation data
  }
  return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<DLGTEMPLATE*>(t.data()),
                                    nullptr, PlainDialogProc, 0);
}

TEST_F(ControlAttachTest, TheChildrenOfADialogWithoutFormObjectByWindowClass) {
  const HWND h = CreateDialogWith({
      {0x80, nullptr, BS_PUSHBUTTON, 1},
      {0x80, nullptr, BS_AUTOCHECKBOX, 2},
      {0x80, nullptr, BS_AUTORADIOBUTTON, 3},
      {0x80, nullptr, BS_OWNERDRAW, 4},
      {0x80, nullptr, BS_GROUPBOX, 5},
      {0x81, nullptr, ES_AUTOHSCROLL, 6},
      {0x82, nullptr, SS_LEFT, 7},
      {0, L"SysTreeView32", 0, 8},
  });
  ASSERT_NE(h, nullptr);
  if (!M()->FindSkinForm(h)) M()->AttachWindow(h);
  TWinSkinForm* frame = RunningFrame(h);
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(frame->FormObject(), nullptr);
  const auto skinned = [&](int id) { return SendMessageW(GetDlgItem(h, id), SKM_QUERYSKINNED, 0, 0); };
  const auto cls = [&](int id) {
    const TSkinControl* s = frame->ControlSkinners().Find(GetDlgItem(h, id));
    return s ? s->ClassName() : std::wstring();
  };
  ASSERT_NE(GetDlgItem(h, 8), nullptr);
  EXPECT_EQ(skinned(1), 1);
  EXPECT_EQ(cls(1), L"TSkinButton");
  EXPECT_EQ(cls(2), L"TSkinCheckBox");
  EXPECT_EQ(cls(3), L"TSkinRadioButton");
  EXPECT_EQ(cls(6), L"TSkinEdit");
  EXPECT_EQ(skinned(6), 1);
  for (int id : {4, 5, 7, 8}) {
    EXPECT_EQ(skinned(id), 0) << id;
    EXPECT_EQ(cls(id), L"") << id;
  }
  EXPECT_EQ(frame->ControlSkinners().Count(), 4);
  // The bare-window skinners keep the children's own behaviour: text and clicks.
  SetDlgItemTextW(h, 6, L"输入");
  wchar_t text[16] = {};
  GetDlgItemTextW(h, 6, text, 16);
  EXPECT_STREQ(text, L"输入");
  SendDlgItemMessageW(h, 2, BM_CLICK, 0, 0);
  EXPECT_EQ(IsDlgButtonChecked(h, 2), BST_CHECKED);
  const LONG_PTR buttonThunk = GetWindowLongPtrW(GetDlgItem(h, 1), GWLP_WNDPROC);
  EXPECT_NE(buttonThunk, GetClassLongPtrW(GetDlgItem(h, 1), GCLP_WNDPROC));
  DestroyWindow(h);
  PumpFor(20);
}

TEST_F(ControlAttachTest, ASizeGripMadeOnASkinnedWindowIsSkinned) {
  TWinSkinForm* frame = Start([](ui::TForm&) {});
  ASSERT_NE(frame, nullptr);
  const HWND grip = CreateWindowW(L"ScrollBar", L"", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 0, 0, 16, 16,
                                  form_->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(grip, nullptr);
  EXPECT_EQ(SendMessageW(grip, SKM_QUERYSKINNED, 0, 0), 1);
  ASSERT_NE(frame->ControlSkinners().Find(grip), nullptr);
  EXPECT_EQ(frame->ControlSkinners().Find(grip)->ClassName(), L"TSkinSizer");
  const HWND bar = CreateWindowW(L"ScrollBar", L"", WS_CHILD | WS_VISIBLE | SBS_VERT, 20, 0, 16, 60,
                                 form_->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  EXPECT_EQ(SendMessageW(bar, SKM_QUERYSKINNED, 0, 0), 0);
  DestroyWindow(grip);
  DestroyWindow(bar);
}

}  // namespace

namespace {

TEST_F(ControlAttachTest, ASpeedButtonGetsItsSkinnerWithoutAWindow) {
  Switch(xcSpeedButton, true);
  ui::TSpeedButton* speed = nullptr;
  TWinSkinForm* frame = Start([&](ui::TForm& f) { speed = Add<ui::TSpeedButton>(&f, &f, 10); });
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(SkinnerClassOf(*frame, speed), L"TSkinSpeedButton");
  const TSkinControl* skinner = frame->ControlSkinners().FindControl(speed);
  ASSERT_NE(skinner, nullptr);
  EXPECT_EQ(skinner->GraphicControl(), speed);
  EXPECT_EQ(skinner->Handle(), nullptr);
  EXPECT_EQ(skinner->Status(), kSkinnerAttached);
  EXPECT_EQ(SkinnersOf(*frame, speed), 1);
  EXPECT_EQ(speed->Perform(SKM_QUERYSKINNED), 1);
}

}  // namespace
