// The choice of a skinner, asked directly: by class rule and switch, through the Skin3rd map,
// for foreign classes (test doubles that publish the same class names and properties), and
// for bare windows by window class and style.
#include "ControlTestSupport.h"
#include "ForeignControls.h"
#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinScrollbars.h"
#include "skin/frame/ControlChoice.h"
#include "skin/frame/SkinManage.h"
#include "ui/Buttons.h"
#include "ui/ComCtrls.h"
#include "ui/ListControls.h"
#include "ui/RangeControls.h"
#include "ui/StatusBar.h"
#include "ui/TabSet.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

using namespace ctltest;
using namespace skin;

namespace {

class ControlChoiceTest : public testing::Test {
 protected:
  void SetUp() override {
    holder_ = std::make_unique<ui::TForm>(nullptr);
    data_ = CreateDefaultSkinData(holder_.get());
    ASSERT_NE(data_, nullptr);
    ASSERT_NE(data_->SkinObject("Tabs"), nullptr);
    form_ = std::make_unique<ui::TForm>(nullptr);  // never shown
    form_->SetBounds(0, 0, 400, 300);
  }
  void TearDown() override {
    form_.reset();
    holder_.reset();
    DestroySkinManager();
  }
  template <class T>
  T* Add(ui::TWinControl* parent = nullptr) {
    auto* c = new T(form_.get());
    c->SetParent(parent ? parent : form_.get());
    c->SetBounds(10, 10, 120, 40);
    return c;
  }
  TControlChoice Choose(ui::TControl* c) {
    if (auto* w = dynamic_cast<ui::TWinControl*>(c)) w->HandleNeeded();
    return ChooseControlSkinner(*c, *data_);
  }
  void Switch(TSkinControlType type, bool on) {
    const int bit = 1 << type;
    data_->SetSkinControls(on ? data_->SkinControls() | bit : data_->SkinControls() & ~bit);
  }

  std::unique_ptr<ui::TForm> holder_;
  TSkinData* data_ = nullptr;
  std::unique_ptr<ui::TForm> form_;
};

TEST_F(ControlChoiceTest, TheProgramsControlClasses) {
  EXPECT_EQ(Choose(Add<ui::TButton>()).Skinner, scButton);
  EXPECT_EQ(Choose(Add<TVxButton>()).Skinner, scButton);  // any TButton
  EXPECT_EQ(Choose(Add<ui::TEdit>()).Skinner, scEdit);
  EXPECT_EQ(Choose(Add<ui::TLabeledEdit>()).Skinner, scEdit);
  EXPECT_EQ(Choose(Add<ui::TCheckBox>()).Skinner, scCheckBox);
  const TControlChoice memo = Choose(Add<ui::TMemo>());
  EXPECT_EQ(memo.Skinner, scScrollbar);
  EXPECT_EQ(memo.Via, TAttachVia::AttachScrollBars);
  const TControlChoice list = Choose(Add<ui::TListView>());
  EXPECT_EQ(list.Skinner, scListView);
  EXPECT_EQ(list.Via, TAttachVia::AttachScrollBars);
  EXPECT_FALSE(list.ChangeColor);
  EXPECT_EQ(Choose(Add<ui::TLabel>()).Skinner, scNone);
  EXPECT_EQ(Choose(Add<ui::TShape>()).Skinner, scNone);
  EXPECT_EQ(Choose(Add<ui::TCustomControl>()).Skinner, scNone);
}

TEST_F(ControlChoiceTest, TheLibrarysOtherKindsEachUnderItsSwitch) {
  EXPECT_EQ(Choose(Add<ui::TRadioButton>()).Skinner, scRadioButton);
  const TControlChoice box = Choose(Add<ui::TGroupBox>());
  EXPECT_EQ(box.Skinner, scGroupBox);
  EXPECT_TRUE(box.ChangeColor);
  const TControlChoice group = Choose(Add<ui::TRadioGroup>());
  EXPECT_EQ(group.Skinner, scGroupBox);
  EXPECT_EQ(group.Children, TChildRule::RadioGroup);
  EXPECT_EQ(Choose(Add<ui::TComboBox>()).Skinner, scComBox);
  EXPECT_EQ(Choose(Add<ui::TDateTimePicker>()).Skinner, scDateTime);
  EXPECT_EQ(Choose(Add<ui::TProgressBar>()).Skinner, scProgress);
  EXPECT_EQ(Choose(Add<ui::TTrackBar>()).Skinner, scTrackBar);
  EXPECT_EQ(Choose(Add<ui::TStatusBar>()).Skinner, scStatusBar);
  EXPECT_EQ(SkinnerClassName(scStatusBar), L"TSkinStatusBar");
  EXPECT_EQ(Choose(Add<ui::TBitBtn>()).Skinner, scBitButton);
  EXPECT_EQ(Choose(Add<ui::TMenuButton>()).Skinner, scMenuButton);
  EXPECT_EQ(Choose(Add<ui::TUpDown>()).Skinner, scUpDown);
  const TControlChoice tabs = Choose(Add<ui::TTabControl>());
  EXPECT_EQ(tabs.Skinner, scTab);
  EXPECT_EQ(tabs.Kind, 2);
  EXPECT_EQ(Choose(Add<ui::TTabSet>()).Skinner, scTab31);
  // A list box, empty and so without a scroll bar yet, gets the scroll-bar skinner.
  EXPECT_EQ(Choose(Add<ui::TListBox>()).Skinner, scScrollbar);

  // Each only with its switch; a glyph button without its own falls back to a push button.
  Switch(xcRadioButton, false);
  Switch(xcGroupBox, false);
  Switch(xcCombo, false);
  Switch(xcProgress, false);
  Switch(xcTrackBar, false);
  Switch(xcStatusBar, false);
  Switch(xcBitBtn, false);
  Switch(xcScrollbar, false);
  EXPECT_EQ(Choose(Add<ui::TListBox>()).Skinner, scNone);
  EXPECT_EQ(Choose(Add<ui::TRadioButton>()).Skinner, scNone);
  EXPECT_EQ(Choose(Add<ui::TGroupBox>()).Skinner, scNone);
  EXPECT_EQ(Choose(Add<ui::TRadioGroup>()).Skinner, scNone);
  EXPECT_EQ(Choose(Add<ui::TComboBox>()).Skinner, scNone);
  EXPECT_EQ(Choose(Add<ui::TDateTimePicker>()).Skinner, scNone);
  EXPECT_EQ(Choose(Add<ui::TProgressBar>()).Skinner, scNone);
  EXPECT_EQ(Choose(Add<ui::TTrackBar>()).Skinner, scNone);
  EXPECT_EQ(Choose(Add<ui::TStatusBar>()).Skinner, scNone);
  EXPECT_EQ(Choose(Add<ui::TBitBtn>()).Skinner, scButton);
}

TEST_F(ControlChoiceTest, PageControlsTheirTabStyleAndSheets) {
  auto* pages = Add<ui::TPageControl>();
  pages->SetStyle(ui::tsFlatButtons);
  auto* sheet = new ui::TTabSheet(form_.get());
  sheet->SetPageControl(pages);
  EXPECT_EQ(Choose(pages).Skinner, scTabBtn);
  pages->SetStyle(ui::tsButtons);
  EXPECT_EQ(Choose(pages).Skinner, scTabBtn);
  pages->SetStyle(ui::tsTabs);
  EXPECT_EQ(Choose(pages).Skinner, scTab);
  EXPECT_EQ(Choose(pages).Kind, 0);
  EXPECT_EQ(Choose(sheet).Skinner, scTabSheet);
  const TControlChoice plain = Choose(Add<ui::TCustomTabControl>());
  EXPECT_EQ(plain.Skinner, scTab);
  EXPECT_EQ(plain.Kind, 2);
  Switch(xcTab, false);
  EXPECT_EQ(Choose(pages).Skinner, scNone);
  EXPECT_EQ(Choose(sheet).Skinner, scNone);
}

TEST_F(ControlChoiceTest, PanelsOnlyWithThePanelSwitchAndTheirChildrenFirst) {
  auto* panel = Add<ui::TPanel>();
  EXPECT_FALSE(InSet(data_->SkinControls(), xcPanel));
  EXPECT_EQ(Choose(panel).Skinner, scNone);
  Switch(xcPanel, true);
  const TControlChoice c = Choose(panel);
  EXPECT_EQ(c.Skinner, scBox);
  EXPECT_TRUE(c.ChangeColor);
  EXPECT_EQ(c.Children, TChildRule::AttachControls);
  EXPECT_TRUE(c.ChildrenFirst);
}

TEST_F(ControlChoiceTest, ACheckBoxNeedsTheCheckBoxSwitchAndOtherwiseStaysUnskinned) {
  auto* check = Add<ui::TCheckBox>();
  Switch(xcCheckBox, false);
  EXPECT_EQ(Choose(check).Skinner, scNone);
  EXPECT_EQ(Choose(check).Children, TChildRule::None);
}

TEST_F(ControlChoiceTest, SwitchesOffPassTheControlOn) {
  Switch(xcButton, false);
  EXPECT_EQ(Choose(Add<ui::TButton>()).Skinner, scNone);
  Switch(xcEdit, false);
  EXPECT_EQ(Choose(Add<ui::TEdit>()).Skinner, scNone);
  Switch(xcScrollbar, false);
  EXPECT_EQ(Choose(Add<ui::TMemo>()).Skinner, scNone);
  EXPECT_EQ(Choose(Add<ui::TListView>()).Skinner, scNone);
  // A memo without the scroll-bar switch is still an edit.
  Switch(xcEdit, true);
  EXPECT_EQ(Choose(Add<ui::TMemo>()).Skinner, scEdit);
}

TEST_F(ControlChoiceTest, WindowScrollBarsGiveAScrollBarSkinner) {
  const TControlChoice grid = Choose(Add<TVxGrid>());
  EXPECT_EQ(grid.Skinner, scScrollbar);
  EXPECT_EQ(grid.Via, TAttachVia::AttachScrollBars);
}

TEST_F(ControlChoiceTest, ForeignClassesByName) {
  Switch(xcPanel, true);
  const TControlChoice rz = Choose(Add<TRzCheckBox>());
  EXPECT_EQ(rz.Skinner, scObjImage);
  EXPECT_EQ(rz.Variant, 1);
  EXPECT_TRUE(rz.ChangeColor);
  const TControlChoice radio = Choose(Add<TRzRadioButton>());
  EXPECT_EQ(radio.Skinner, scObjImage);
  EXPECT_EQ(radio.Variant, 2);
  EXPECT_EQ(Choose(Add<TcxCheckBox>()).Variant, 3);
  EXPECT_EQ(Choose(Add<TMediaPlayer>()).Skinner, scMP);
  EXPECT_EQ(Choose(Add<TTntComboBox>()).Skinner, scComBox);
  EXPECT_EQ(Choose(Add<TRichEdit>()).Skinner, scScrollbar);
  EXPECT_EQ(Choose(Add<TUpDown>()).Skinner, scUpDown);
  EXPECT_EQ(Choose(Add<TTabSet>()).Skinner, scTab31);
  const TControlChoice navigator = Choose(Add<TDBNavigator>());
  EXPECT_EQ(navigator.Skinner, scBox);
  EXPECT_EQ(navigator.Children, TChildRule::AttachControls);
  EXPECT_FALSE(navigator.ChildrenFirst);
  const TControlChoice mvc = Choose(Add<TMVCPanel>());
  EXPECT_EQ(mvc.Skinner, scNone);
  EXPECT_EQ(mvc.Children, TChildRule::AttachControls);
  EXPECT_EQ(Choose(Add<TDBComboBoxEh>()).Skinner, scNone);
  Switch(xcRadioButton, false);
  EXPECT_EQ(Choose(Add<TRzRadioButton>()).Skinner, scNone);
  Switch(xcSpin, false);
  EXPECT_EQ(Choose(Add<TUpDown>()).Skinner, scNone);
}

TEST_F(ControlChoiceTest, AForeignEditByItsNumberOfButtons) {
  auto* edit = Add<TDCEdit>();
  edit->SetNumButtons(1);
  EXPECT_EQ(Choose(edit).Skinner, scComBox);
  edit->SetNumButtons(0);
  const TControlChoice bare = Choose(edit);
  EXPECT_EQ(bare.Skinner, scEdit);
  EXPECT_EQ(bare.Via, TAttachVia::AttachHandle);
  edit->SetNumButtons(2);
  EXPECT_EQ(Choose(edit).Skinner, scNone);
  edit->SetNumButtons(1);
  Switch(xcCombo, false);
  EXPECT_EQ(Choose(edit).Skinner, scNone);
}

TEST_F(ControlChoiceTest, AnEmbeddedFormIsABoxWhoseControlsFollow) {
  auto* inner = new ui::TForm(form_.get());
  inner->SetParent(form_.get());
  const TControlChoice c = Choose(inner);
  EXPECT_EQ(c.Skinner, scBox);
  EXPECT_TRUE(c.ChangeColor);
  EXPECT_EQ(c.Children, TChildRule::FormControls);
}

TEST_F(ControlChoiceTest, TheMapDecidesBeforeTheClassRules) {
  // The default lines map TRzButton to "button".
  EXPECT_EQ(Choose(Add<TRzButton>()).Skinner, scButton);
  data_->Skin3rd()->Insert(0, "TVxGrid=nil");
  data_->Skin3rd()->Insert(0, "TButton=wibble");
  data_->Skin3rd()->Insert(0, "TEdit=");
  TControlChoice decided;
  EXPECT_TRUE(LookupSkin3rd(L"TVXGRID", *Add<TVxGrid>(), *data_, decided));
  EXPECT_EQ(decided.Skinner, scNone);
  EXPECT_EQ(Choose(Add<TVxGrid>()).Skinner, scNone);     // scroll bars, but "nil"
  EXPECT_EQ(Choose(Add<ui::TButton>()).Skinner, scNone);  // unknown kind: nothing
  EXPECT_EQ(Choose(Add<ui::TButton>()).Children, TChildRule::None);
  EXPECT_FALSE(LookupSkin3rd(L"TEDIT", *Add<ui::TEdit>(), *data_, decided));  // empty kind
  EXPECT_EQ(Choose(Add<ui::TEdit>()).Skinner, scEdit);
  EXPECT_FALSE(LookupSkin3rd(L"TMEMO", *Add<ui::TMemo>(), *data_, decided));  // no line
}

TEST_F(ControlChoiceTest, TheMapsKeyIsTheWholeClassNameAndLetterCaseDoesNotCount) {
  data_->Skin3rd()->Insert(0, "TVXGRID=PROGRESS");
  data_->Skin3rd()->Insert(0, "tvxgridx=nil");  // another class: not this one's line
  const TControlChoice c = Choose(Add<TVxGrid>());
  EXPECT_EQ(c.Skinner, scProgress);
}

TEST_F(ControlChoiceTest, TrackBarKindOnlyWithTheButtonSwitch) {
  data_->Skin3rd()->Insert(0, "TVxTrackBar=trackbar");
  auto* track = Add<TVxTrackBar>();
  Switch(xcTrackBar, true);
  Switch(xcButton, false);
  EXPECT_EQ(Choose(track).Skinner, scNone);
  Switch(xcButton, true);
  Switch(xcTrackBar, false);
  const TControlChoice c = Choose(track);
  EXPECT_EQ(c.Skinner, scTrackBar);
  EXPECT_TRUE(c.SetTransparent);
}

TEST_F(ControlChoiceTest, TheKindsOfTheMap) {
  struct Row {
    const char* kind;
    TSkinnerClass skinner;
    bool colour;
  };
  const Row rows[] = {
      {"combobox", scComBox, false},     {"radiobutton", scRadioButton, false},
      {"button", scButton, false},        {"datetimepicker", scDateTime, false},
      {"mediaplayer", scMP, false},       {"bitbtn", scBitButton, false},
      {"pngbitbtn", scBitButton, false},  {"menubtn", scMenuButton, false},
      {"speedbutton", scSpeedButton, false}, {"tab", scTab, false},
      {"progress", scProgress, false},    {"scrollbar", scScrollbar, false},
      {"singlescrollbar", scScrollbar, false}, {"groupbox", scGroupBox, true},
      {"advpagecontrol", scAdvPage, true}, {"radiogroup", scGroupBox, true},
      {"checkbox", scCheckBox, false},    {"panel", scBox, true},
  };
  Switch(xcPanel, true);
  auto* control = Add<TVxGrid>();
  for (const Row& row : rows) {
    data_->Skin3rd()->Insert(0, std::string("TVxGrid=") + row.kind);
    const TControlChoice c = Choose(control);
    EXPECT_EQ(c.Skinner, row.skinner) << row.kind;
    EXPECT_EQ(c.ChangeColor, row.colour) << row.kind;
    data_->Skin3rd()->Delete(0);
  }
  data_->Skin3rd()->Insert(0, "TVxGrid=pngbitbtn");
  EXPECT_EQ(Choose(control).GlyphProperty, L"PngImage");
  data_->Skin3rd()->Insert(0, "TVxGrid=singlescrollbar");
  EXPECT_TRUE(Choose(control).SingleBar);
  data_->Skin3rd()->Insert(0, "TVxGrid=advpagecontrol");
  EXPECT_EQ(Choose(control).Variant, 4);
  data_->Skin3rd()->Insert(0, "TVxGrid=embedscrollbar");
  EXPECT_EQ(Choose(control).Skinner, scNone);
  EXPECT_EQ(Choose(control).Children, TChildRule::EmbedScrollbars);
  data_->Skin3rd()->Insert(0, "TVxGrid=container");
  EXPECT_EQ(Choose(control).Children, TChildRule::AttachControls);
  // A kind whose switch is off also ends the choice without a skinner.
  Switch(xcProgress, false);
  data_->Skin3rd()->Insert(0, "TVxGrid=progress");
  EXPECT_EQ(Choose(control).Skinner, scNone);
}

TEST_F(ControlChoiceTest, EditKindOnlyForAControlWithABorder) {
  data_->Skin3rd()->Insert(0, "TVxGrid=edit");
  auto* grid = Add<TVxGrid>();  // its scroll bars make the client area smaller
  EXPECT_EQ(Choose(grid).Skinner, scEdit);
  data_->Skin3rd()->Insert(0, "TCustomControl=edit");
  EXPECT_EQ(Choose(Add<ui::TCustomControl>()).Skinner, scNone);
}

TEST_F(ControlChoiceTest, AForeignDropDownButton) {
  data_->Skin3rd()->Insert(0, "TcxButton=bitbtn");
  auto* button = Add<TcxButton>();
  EXPECT_EQ(Choose(button).Skinner, scBitButton);
  button->SetKind(cxbkDropDownButton);
  EXPECT_EQ(Choose(button).Skinner, scMenuButton);
  button->SetKind(cxbkDropDown);
  EXPECT_EQ(Choose(button).Skinner, scBitButton);
}

TEST_F(ControlChoiceTest, RadioAndCheckGroups) {
  Switch(xcGroupBox, true);
  Switch(xcRadioButton, true);
  const TControlChoice rz = Choose(Add<TRzRadioGroup>());  // "TRzRadioGroup=radiogroup"
  EXPECT_EQ(rz.Skinner, scGroupBox);
  EXPECT_EQ(rz.Children, TChildRule::RadioGroup);
  EXPECT_TRUE(rz.ChildrenFirst);
  EXPECT_TRUE(rz.ForeignChildren);
  data_->Skin3rd()->Insert(0, "TVxRadioGroup=checkgroup");
  Switch(xcPanel, true);
  const TControlChoice check = Choose(Add<TVxRadioGroup>());
  EXPECT_EQ(check.Skinner, scGroupBox);
  EXPECT_EQ(check.Children, TChildRule::CheckGroup);
  EXPECT_FALSE(check.ForeignChildren);
  Switch(xcGroupBox, false);
  EXPECT_EQ(Choose(Add<TVxRadioGroup>()).Skinner, scNone);
  EXPECT_EQ(Choose(Add<TVxRadioGroup>()).Children, TChildRule::CheckGroup);
  EXPECT_EQ(Choose(Add<TRzRadioGroup>()).Skinner, scNone);  // radiogroup needs xcGroupBox
}

TEST(WindowChoiceTest, ButtonsByStyle) {
  EXPECT_EQ(ChooseWindowSkinner(L"Button", BS_PUSHBUTTON).Skinner, scButton);
  EXPECT_EQ(ChooseWindowSkinner(L"button", BS_DEFPUSHBUTTON).Skinner, scButton);
  EXPECT_EQ(ChooseWindowSkinner(L"Button", BS_OWNERDRAW).Skinner, scNone);
  EXPECT_EQ(ChooseWindowSkinner(L"Button", BS_GROUPBOX).Skinner, scNone);
  EXPECT_EQ(ChooseWindowSkinner(L"Button", BS_PUSHBUTTON | BS_BITMAP).Skinner, scNone);
  EXPECT_EQ(ChooseWindowSkinner(L"Button", BS_CHECKBOX).Skinner, scCheckBox);
  EXPECT_EQ(ChooseWindowSkinner(L"Button", BS_AUTOCHECKBOX).Skinner, scCheckBox);
  EXPECT_EQ(ChooseWindowSkinner(L"Button", BS_3STATE).Skinner, scCheckBox);
  EXPECT_EQ(ChooseWindowSkinner(L"Button", BS_AUTO3STATE).Skinner, scCheckBox);
  EXPECT_EQ(ChooseWindowSkinner(L"Button", BS_RADIOBUTTON).Skinner, scRadioButton);
  EXPECT_EQ(ChooseWindowSkinner(L"Button", BS_AUTORADIOBUTTON).Skinner, scRadioButton);
}

TEST(WindowChoiceTest, OtherWindowClasses) {
  EXPECT_EQ(ChooseWindowSkinner(L"ComboBox", CBS_DROPDOWN).Skinner, scComBox);
  EXPECT_EQ(ChooseWindowSkinner(L"ComboBox", CBS_DROPDOWNLIST).Skinner, scComBox);
  EXPECT_EQ(ChooseWindowSkinner(L"ComboBox", CBS_SIMPLE).Skinner, scNone);
  const TWindowChoice ex = ChooseWindowSkinner(L"ComboBoxEx32", 0);
  EXPECT_EQ(ex.Skinner, scComBox);
  EXPECT_TRUE(ex.OnFirstChild);
  EXPECT_EQ(ChooseWindowSkinner(L"ScrollBar", SBS_SIZEGRIP).Skinner, scSizer);
  EXPECT_EQ(ChooseWindowSkinner(L"ScrollBar", SBS_VERT | WS_TABSTOP).Skinner, scNone);
  EXPECT_EQ(ChooseWindowSkinner(L"SysTreeView32", 0).Skinner, scNone);
  const TWindowChoice dialog = ChooseWindowSkinner(L"#32770", WS_CHILD);
  EXPECT_EQ(dialog.Skinner, scBoxH);
  EXPECT_TRUE(dialog.ChildrenFirst);
  EXPECT_EQ(ChooseWindowSkinner(L"#32770", WS_CHILD | WS_TABSTOP).Skinner, scNone);
  for (const wchar_t* panel : {L"TPanel", L"TTntPanel.UnicodeClass", L"TTntSilentPaintPanel.UnicodeClass"}) {
    const TWindowChoice p = ChooseWindowSkinner(panel, 0);
    EXPECT_EQ(p.Skinner, scNone);
    EXPECT_TRUE(p.ChildrenFirst);
    EXPECT_TRUE(p.BackgroundColour);
  }
  EXPECT_TRUE(ChooseWindowSkinner(L"TSilentPaintPanel", 0).BackgroundColour);
  EXPECT_EQ(ChooseWindowSkinner(L"TCheckBox", 0).Skinner, scCheckBox);
  EXPECT_EQ(ChooseWindowSkinner(L"TComboBox", 0).Skinner, scComBox);
  EXPECT_EQ(ChooseWindowSkinner(L"TButton", 0).Skinner, scButton);
  EXPECT_EQ(ChooseWindowSkinner(L"TProgressBar", 0).Skinner, scProgress);
  EXPECT_EQ(ChooseWindowSkinner(L"SysTabControl32", 0).Skinner, scTab);
  EXPECT_EQ(ChooseWindowSkinner(L"SysTabControl32", TCS_OWNERDRAWFIXED).Skinner, scNone);
  EXPECT_EQ(ChooseWindowSkinner(L"ToolbarWindow32", 0).Skinner, scNone);
  EXPECT_EQ(ChooseWindowSkinner(L"Edit", ES_MULTILINE).Skinner, scEdit);
  EXPECT_EQ(ChooseWindowSkinner(L"Static", 0).Skinner, scNone);
}

TEST(SkinnerFactoryTest, EveryClassIsMadeUnderItsName) {
  for (int i = scButton; i <= scMP; ++i) {
    const auto cls = static_cast<TSkinnerClass>(i);
    std::unique_ptr<TSkinControl> skinner(CreateSkinner(cls, nullptr));
    ASSERT_NE(skinner, nullptr) << i;
    EXPECT_EQ(skinner->ClassName(), SkinnerClassName(cls));
    EXPECT_TRUE(skinner->InheritsFrom(TSkinControl::StaticClass()));
    EXPECT_TRUE(skinner->IsSkinnable());
    EXPECT_EQ(skinner->Status(), kSkinnerCreated);
    EXPECT_TRUE(skinner->Active());
  }
  EXPECT_EQ(CreateSkinner(scNone, nullptr), nullptr);
  EXPECT_EQ(SkinnerClassName(scListView), L"TSkinListView");
  std::unique_ptr<TSkinControl> list(CreateSkinner(scListView, nullptr));
  EXPECT_TRUE(list->InheritsFrom(TSkinScrollbar::StaticClass()));
  std::unique_ptr<TSkinControl> speed(CreateSkinner(scSpeedButton, nullptr));
  EXPECT_TRUE(speed->InheritsFrom(TSkinBitButton::StaticClass()));
  EXPECT_TRUE(speed->InheritsFrom(TSkinButton::StaticClass()));
  std::unique_ptr<TSkinControl> menu(CreateSkinner(scMenuButton, nullptr));
  EXPECT_TRUE(menu->InheritsFrom(TSkinButton::StaticClass()));
  EXPECT_FALSE(menu->InheritsFrom(TSkinBitButton::StaticClass()));
}

}  // namespace

namespace {

TEST_F(ControlChoiceTest, SpeedButtonsGetTheWindowlessAttachmentUnderTheirSwitch) {
  Switch(xcSpeedButton, true);
  auto* speed = Add<ui::TSpeedButton>();
  const TControlChoice c = Choose(speed);
  EXPECT_EQ(c.Skinner, scSpeedButton);
  EXPECT_EQ(c.Via, TAttachVia::AttachGraphic);
  EXPECT_FALSE(c.ChangeColor);
  Switch(xcSpeedButton, false);
  EXPECT_EQ(Choose(speed).Skinner, scNone);
  // The map's kind takes the same attachment.
  Switch(xcSpeedButton, true);
  data_->Skin3rd()->Insert(0, "TSpeedButton=speedbutton");
  EXPECT_EQ(Choose(speed).Via, TAttachVia::AttachGraphic);
}

}  // namespace
