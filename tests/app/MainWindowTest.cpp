// The main window as built: every windowed control's parent, place, size, visibility and
// text read back from the real windows; the labels; and the window's own small handlers.
#include "FormFixture.h"

using namespace ui;
using testsupport::PumpUntil;

namespace {

struct Placed {
  const wchar_t* name;
  const wchar_t* parent;
  RECT bounds;  // left, top, right, bottom within the parent's client area
  bool visible;
  const wchar_t* text;  // nullptr: not checked
};

RECT WindowBoundsInParent(HWND h) {
  RECT r;
  GetWindowRect(h, &r);
  MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::wstring WindowText(HWND h) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(h, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

TEST_F(MainWindowTest, EveryWindowedControlSitsWhereItBelongs) {
  const Placed table[] = {
      {L"pnl4", L"Form1", {0, 0, 918, 74}, true, L""},
      {L"pgc1", L"Form1", {8, 81, 911, 633}, true, nullptr},
      {L"btn1", L"ts1", {16, 12, 121, 37}, true, L"打开CSS文件"},
      {L"pnl2", L"ts1", {200, 104, 697, 130}, true, nullptr},
      {L"mmo4", L"ts1", {200, 152, 697, 337}, true, nullptr},
      {L"btn2", L"ts2", {16, 12, 121, 37}, true, L"分析图片网址"},
      {L"mmo1", L"ts2", {16, 72, 879, 502}, true, L""},
      {L"pnl1", L"ts3", {36, 16, 477, 33}, true, nullptr},
      {L"btn3", L"ts3", {141, 97, 246, 122}, true, L"转换图片地址"},
      {L"btn4", L"ts3", {256, 97, 641, 122}, true, L"如果上一步中得到的图片地址都是以 http:// 开头的，则点击这里！"},
      {L"mmo2", L"ts3", {19, 128, 875, 499}, true, L""},
      {L"chk1", L"ts4", {16, 16, 345, 33}, true, L"自动更改CSS文件中的图片路径，并备份原来的CSS文件！"},
      {L"btn5", L"ts4", {16, 40, 121, 65}, true, L"开始下载图片"},
      {L"btn6", L"ts4", {136, 44, 233, 69}, false, L"保存新的CSS"},
      {L"ListView1", L"ts4", {16, 78, 879, 493}, true, nullptr},
      {L"pnl3", L"ts4", {577, 128, 847, 457}, false, nullptr},
      {L"wb1", L"pnl3", {0, 0, 270, 329}, true, nullptr},
      {L"pnl5", L"ts5", {321, 13, 673, 48}, true, nullptr},
  };
  for (const Placed& p : table) {
    SCOPED_TRACE(Utf8(p.name));
    auto* control = dynamic_cast<TWinControl*>(form->FindComponent(p.name));
    ASSERT_NE(control, nullptr);
    HWND h = control->Handle();
    auto* parent = p.parent == std::wstring(L"Form1") ? form.get() : dynamic_cast<TWinControl*>(form->FindComponent(p.parent));
    ASSERT_NE(parent, nullptr);
    EXPECT_EQ(GetParent(h), parent->Handle());
    RECT r = WindowBoundsInParent(h);
    EXPECT_EQ(r.left, p.bounds.left);
    EXPECT_EQ(r.top, p.bounds.top);
    EXPECT_EQ(r.right, p.bounds.right);
    EXPECT_EQ(r.bottom, p.bounds.bottom);
    EXPECT_EQ((GetWindowLongW(h, GWL_STYLE) & WS_VISIBLE) != 0, p.visible);
    if (p.text) {
      EXPECT_EQ(WindowText(h), p.text);
    }
  }
  // The edits: place, width and text.
  EXPECT_EQ(WindowBoundsInParent(form->edt1->Handle()).left, 131);
  EXPECT_EQ(form->edt1->Width(), 185);
  EXPECT_EQ(WindowText(form->edt1->Handle()), L"background(.*?)url\\((.*?)\\)");
  EXPECT_EQ(WindowBoundsInParent(form->lbledt1->Handle()).left, 141);
  EXPECT_EQ(form->lbledt1->Width(), 734);
  EXPECT_EQ(form->lbledt1->EditLabel()->Caption(), L"绝对路径加网址前缀：");
  EXPECT_EQ(form->lbledt2->EditLabel()->Caption(), L"相对路径加网址前缀：");
  EXPECT_EQ(form->lbledt1->Text(), L"");
  EXPECT_LT(form->lbledt1->EditLabel()->Left() + form->lbledt1->EditLabel()->Width(), 141);
  // The pages, in order, the first one active.
  const wchar_t* pages[] = {L"第一步", L"第二步", L"第三步", L"第四步", L"用户留言"};
  ASSERT_EQ(form->pgc1->PageCount(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(form->pgc1->Pages(i)->Caption(), pages[i]);
  EXPECT_EQ(form->pgc1->ActivePageIndex(), 0);
  EXPECT_EQ(GetEnumPropText(form->pgc1, L"Style"), L"tsFlatButtons");
  // The list view's columns.
  const std::pair<const wchar_t*, int> columns[] = {{L"编号", 45}, {L"进度", 90}, {L"文件名", 139}, {L"CSS中文件地址", 334}};
  HWND list = form->ListView1->Handle();
  for (int i = 0; i < 4; ++i) {
    wchar_t text[64] = {};
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.pszText = text;
    col.cchTextMax = 64;
    ASSERT_TRUE(SendMessageW(list, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&col)));
    EXPECT_STREQ(text, columns[i].first);
    EXPECT_EQ(col.cx, columns[i].second);
  }
  EXPECT_TRUE(form->chk1->Checked());
  EXPECT_FALSE(form->tmr1->Enabled());
  EXPECT_EQ(form->tmr1->Interval(), 100);
  EXPECT_EQ(form->dlgOpen1->Filter(), L"*.css|*.css");
}

TEST_F(MainWindowTest, HeaderLabelsHoldersAndFocus) {
  EXPECT_EQ(form->lbl8->Caption(), L"Vexlo");
  EXPECT_EQ(form->lbl8->Font()->Name(), L"Tahoma");
  EXPECT_EQ(form->lbl8->Font()->Color(), clYellow);
  EXPECT_EQ(form->lbl7->Caption(), L"Free Build:110316");
  EXPECT_EQ(form->lbl7->Font()->Color(), clLime);
  EXPECT_EQ(form->lbl1->Caption(), L"CSS样式文件：");
  EXPECT_EQ(form->lbl1->Hint(), L"CSS样式文件：");
  EXPECT_FALSE(form->lbl2->Visible());
  EXPECT_EQ(form->lbl3->Caption(), L"共 0 个图片");
  EXPECT_EQ(form->lbl6->Caption(), L"建议交流及BUG反馈请点这里！");
  EXPECT_EQ(form->lbl6->Font()->Name(), L"黑体");
  EXPECT_EQ(form->lbl6->Cursor(), crHandPoint);
  EXPECT_EQ(form->lbl4->Cursor(), crHelp);
  EXPECT_EQ(form->pnl4->Color(), static_cast<TColor>(RGB(0, 0, 64)));
  EXPECT_EQ(form->Memo1->Lines()->Text(), "Memo1\r\n");
  EXPECT_FALSE(form->Memo1->Visible());
  EXPECT_EQ(form->mmo3->Lines()->Count(), 2);
  EXPECT_EQ(FromAnsi(form->mmo3->Lines()->Strings(1)), L"用来存放图片地址，测试转换效果的临时存储！");
  EXPECT_EQ(form->mmo4->Lines()->Strings(0), ToAnsi(L"功能简介："));
  EXPECT_EQ(form->mmo4->Lines()->Strings(2), ToAnsi(L"    本程序主要用于仿站！"));
  // Focus on the first button after showing; it is first in the tab order.
  EXPECT_TRUE(PumpUntil([&] { return GetFocus() == form->btn1->Handle(); }));
  EXPECT_EQ(form->btn1->TabOrder(), 0);
  EXPECT_TRUE(form->btn1->TabStop());
}

TEST_F(MainWindowTest, PathHelpToggles) {
  EXPECT_EQ(form->pnl1->Height(), 17);
  form->lbl4->Click();
  EXPECT_EQ(form->pnl1->Height(), 140);
  form->lbl4->Click();
  EXPECT_EQ(form->pnl1->Height(), 17);
  form->pnl1->SetHeight(60);
  form->lbl4->Click();
  EXPECT_EQ(form->pnl1->Height(), 140);
  // A real click on the label, through its parent panel's window.
  form->pgc1->SetActivePageIndex(2);
  HWND panel = form->pnl1->Handle();
  SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 8));
  SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(20, 8));
  EXPECT_EQ(form->pnl1->Height(), 17);
}

TEST_F(MainWindowTest, FeedbackPageNavigatesEachTimeAndTheLinkOpensTheForum) {
  EXPECT_EQ(form->wb2->NavigationCount(), 0);
  form->pgc1->SetActivePageIndex(4);
  form->pgc1->SetActivePageIndex(0);
  form->pgc1->SetActivePageIndex(4);
  EXPECT_EQ(form->wb2->NavigationCount(), 2);
  EXPECT_EQ(form->wb2->LocationURL().find(L"/index.php?tid="), std::wstring(L"http://guestbook.vexlo.example").size());
  form->lbl6->Click();
  ASSERT_EQ(shellOpened.size(), 1u);
  EXPECT_EQ(shellOpened[0], L"http://bbs.vexlo.example/forumdisplay.php?fid=39");
  // Hovering the link shows its tooltip.
  HWND panel = form->pnl5->Handle();
  Application->SetHintPause(10);
  SendMessageW(panel, WM_MOUSEMOVE, 0, MAKELPARAM(form->lbl6->Left() + 5, form->lbl6->Top() + 5));
  EXPECT_TRUE(PumpUntil([] { return Application->CurrentHint() == L"点击访问"; }));
}

TEST_F(MainWindowTest, BrowserFallbackShowsTheAddressAndALink) {
  form->pgc1->SetActivePageIndex(4);
  if (form->wb2->BrowserHosted()) GTEST_SKIP() << "the platform browser is hosted here";
  UpdateWindow(form->wb2->Handle());
  RECT link = form->wb2->LinkRect();
  ASSERT_LT(link.left, link.right);
  HWND h = form->wb2->Handle();
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(link.left + 2, link.top + 2));
  SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(link.left + 2, link.top + 2));
  ASSERT_EQ(shellOpened.size(), 1u);
  EXPECT_EQ(shellOpened[0], form->wb2->LocationURL());
}

TEST_F(MainWindowTest, TheWindowHoldsTheProgramsOwnSkin) {
  ASSERT_NE(form->SkinData1, nullptr);
  EXPECT_EQ(form->FindComponent(L"SkinData1"), form->SkinData1);
  EXPECT_EQ(GetIntProp(form->SkinData1, L"DisableTag"), 99);
  EXPECT_EQ(GetEnumPropText(form->SkinData1, L"Active"), L"True");
}

TEST_F(MainWindowTest, CtrlTabTurnsThePages) {
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == form->btn1->Handle(); }));
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  PostMessageW(form->btn1->Handle(), WM_KEYDOWN, VK_TAB, 0);
  EXPECT_TRUE(PumpUntil([&] { return form->pgc1->ActivePageIndex() == 1; }));
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
  EXPECT_TRUE(PumpUntil([&] { return form->pgc1->ActivePageIndex() == 0; }));
  keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
}
