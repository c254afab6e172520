// Buttons, check boxes, edits, memos and labels over real windows and real messages.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "GuiTestSupport.h"
#include "ui/StdCtrls.h"
#include "ui/SysUtils.h"

using namespace ui;

namespace {

struct StdForm : testing::Test {
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  void SetUp() override { form->SetClientSize(400, 300); }

  template <class T>
  T* Make(int left, int top, int width, int height) {
    auto* c = new T(form.get());
    c->SetParent(form.get());
    c->SetBounds(left, top, width, height);
    return c;
  }
};

DWORD StyleOf(TWinControl* c) { return static_cast<DWORD>(GetWindowLongW(c->Handle(), GWL_STYLE)); }

void Type(HWND h, const std::wstring& text) {
  for (wchar_t ch : text) SendMessageW(h, WM_CHAR, ch, 1);
}

// Pixels of a colour inside a rectangle of a bitmap.
int CountPixels(TBitmap& b, const RECT& r, uint32_t rgb) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if ((b.ScanLine(y)[x] & 0xFFFFFF) == rgb) ++n;
  return n;
}

uint32_t Rgb(TColor c) { return testsupport::ColourRGB(c); }

}  // namespace

TEST_F(StdForm, ButtonClicksThroughTheReflectedCommandOnly) {
  auto* button = Make<TButton>(10, 10, 105, 25);
  button->SetCaption(L"打开CSS文件");
  int clicks = 0;
  button->OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, button);
    ++clicks;
  };
  HWND h = button->Handle();
  wchar_t text[64];
  GetWindowTextW(h, text, 64);
  EXPECT_STREQ(text, L"打开CSS文件");
  SendMessageW(h, BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  // A press and release of the mouse is one click, not two.
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(clicks, 2);
  // Published by name.
  EXPECT_EQ(GetTextProp(button, L"Caption"), L"打开CSS文件");
  EXPECT_TRUE(SetPropText(button, L"Caption", L"分析图片网址"));
  GetWindowTextW(h, text, 64);
  EXPECT_STREQ(text, L"分析图片网址");
  EXPECT_TRUE(button->InheritsFrom(TButtonControl::StaticClass()));
  EXPECT_EQ(GetEnumPropText(button, L"Default"), L"False");
  button->SetDefault(true);
  EXPECT_EQ(StyleOf(button) & 0xF, static_cast<DWORD>(BS_DEFPUSHBUTTON));
  EXPECT_EQ(GetIntProp(button, L"Checked"), -1);  // buttons have no such property
}

TEST_F(StdForm, CheckBoxFollowsClicksAndKeepsItsStateAcrossWindows) {
  auto* box = Make<TCheckBox>(10, 10, 329, 17);
  box->SetCaption(L"自动更改CSS文件中的图片路径，并备份原来的CSS文件！");
  box->SetChecked(true);  // before the window exists
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  HWND h = box->Handle();
  EXPECT_EQ(SendMessageW(h, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(GetEnumPropText(box, L"Checked"), L"True");
  EXPECT_EQ(GetEnumPropText(box, L"State"), L"cbChecked");

  SendMessageW(h, BM_CLICK, 0, 0);  // the user unticks it
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(GetEnumPropText(box, L"State"), L"cbUnchecked");

  EXPECT_TRUE(SetPropText(box, L"State", L"cbGrayed"));
  EXPECT_EQ(SendMessageW(h, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  EXPECT_EQ(clicks, 1);  // set from code: no click
  SendMessageW(h, BM_CLICK, 0, 0);  // clicks never lead to grayed unless allowed
  EXPECT_EQ(box->State(), cbUnchecked);
  SendMessageW(h, BM_CLICK, 0, 0);
  EXPECT_EQ(box->State(), cbChecked);
  SendMessageW(h, BM_CLICK, 0, 0);
  EXPECT_EQ(box->State(), cbUnchecked);
  EXPECT_TRUE(SetPropText(box, L"AllowGrayed", L"True"));
  for (TCheckBoxState next : {cbChecked, cbGrayed, cbUnchecked}) {
    SendMessageW(h, BM_CLICK, 0, 0);
    EXPECT_EQ(box->State(), next);
  }
  EXPECT_EQ(clicks, 7);

  // Moving the caption to the left makes a new window that keeps the state.
  box->SetChecked(true);
  box->SetAlignment(taLeftJustify);
  EXPECT_NE(box->Handle(), h);
  EXPECT_TRUE(StyleOf(box) & BS_LEFTTEXT);
  EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(box->InheritsFrom(TCustomCheckBox::StaticClass()));
}

TEST_F(StdForm, EditReportsChangesAndHonoursReadOnlyAndMaxLength) {
  auto* edit = Make<TEdit>(10, 10, 185, 21);
  edit->SetText(L"background(.*?)url\\((.*?)\\)");
  std::vector<std::wstring> changes;
  edit->OnChange = [&](TObject*) { changes.push_back(edit->Text()); };
  HWND h = edit->Handle();
  wchar_t text[128];
  GetWindowTextW(h, text, 128);
  EXPECT_STREQ(text, L"background(.*?)url\\((.*?)\\)");
  EXPECT_TRUE(GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

  edit->SetText(L"");
  Type(h, L"ab");
  EXPECT_EQ(changes, (std::vector<std::wstring>{L"", L"a", L"ab"}));
  EXPECT_EQ(GetTextProp(edit, L"Text"), L"ab");

  edit->SetMaxLength(3);
  Type(h, L"cde");
  EXPECT_EQ(edit->Text(), L"abc");
  EXPECT_EQ(GetIntProp(edit, L"MaxLength"), 3);

  EXPECT_TRUE(SetPropText(edit, L"ReadOnly", L"True"));
  EXPECT_TRUE(GetWindowLongW(h, GWL_STYLE) & ES_READONLY);
  SendMessageW(h, WM_CHAR, VK_BACK, 1);
  EXPECT_EQ(edit->Text(), L"abc");
  EXPECT_EQ(GetEnumPropText(edit, L"BorderStyle"), L"bsSingle");
  EXPECT_TRUE(SetPropText(edit, L"BorderStyle", L"bsNone"));
  EXPECT_FALSE(GetWindowLongW(edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_EQ(edit->Text(), L"abc");  // kept across the new window
}

TEST_F(StdForm, MemoLinesCountReadAndCutAsTheWindowHoldsThem) {
  auto* memo = Make<TMemo>(10, 10, 300, 200);
  memo->SetScrollBars(ssBoth);
  TStrings* lines = memo->Lines();
  HWND h = memo->Handle();
  EXPECT_EQ(lines->Count(), 0);

  lines->Add("mmo3");
  std::string chinese = ToAnsi(L"用来存放图片地址，测试转换效果的临时存储！");
  lines->Add(chinese);
  EXPECT_EQ(memo->Text(), L"mmo3\r\n用来存放图片地址，测试转换效果的临时存储！\r\n");
  EXPECT_EQ(SendMessageW(h, EM_GETLINECOUNT, 0, 0), 3);  // the window counts the empty last line
  EXPECT_EQ(lines->Count(), 2);                          // the list does not
  EXPECT_EQ(lines->Strings(0), "mmo3");
  EXPECT_EQ(lines->Strings(1), chinese);
  EXPECT_EQ(lines->Strings(2), "");   // past the last line
  EXPECT_EQ(lines->Strings(-1), "");

  // Without a final line break the last line counts; a lone empty line between counts too.
  memo->SetText(L"a\r\n\r\nb");
  EXPECT_EQ(lines->Count(), 3);
  EXPECT_EQ(lines->Strings(1), "");
  lines->Add("c");  // the last line gets its break first
  EXPECT_EQ(memo->Text(), L"a\r\n\r\nb\r\nc\r\n");

  // A line is read up to 4096 characters; the text keeps all of it.
  std::string longLine(5000, 'x');
  longLine[4095] = 'y';
  lines->SetText("first\n" + longLine + "\rlast");
  EXPECT_EQ(lines->Count(), 3);
  EXPECT_EQ(lines->Strings(1), std::string(4095, 'x') + "y");
  EXPECT_EQ(lines->Strings(2), "last");
  EXPECT_EQ(lines->Text(), "first\r\n" + longLine + "\r\nlast\r\n");
  EXPECT_EQ(GetWindowTextLengthW(h), 5 + 2 + 5000 + 2 + 4 + 2);
}

TEST_F(StdForm, MemoLinesEditInPlaceAndRaiseOutsideTheList) {
  auto* memo = Make<TMemo>(10, 10, 300, 200);
  memo->SetScrollBars(ssBoth);
  memo->SetReadOnly(true);  // the user cannot type, the program still can
  HWND h = memo->Handle();
  EXPECT_TRUE(GetWindowLongW(h, GWL_STYLE) & ES_READONLY);
  int changes = 0;
  memo->OnChange = [&](TObject*) { ++changes; };
  TStrings* lines = memo->Lines();
  lines->SetText("one\r\ntwo\r\nthree\r\n");
  EXPECT_EQ(changes, 1);  // one change for the whole text
  lines->Insert(1, ToAnsi(L"一点五"));
  lines->SetStrings(0, "ONE");
  lines->Delete(2);  // "two"
  EXPECT_EQ(memo->Text(), L"ONE\r\n一点五\r\nthree\r\n");
  EXPECT_EQ(changes, 4);  // one each
  EXPECT_THROW(lines->Delete(3), Exception);
  EXPECT_THROW(lines->SetStrings(3, "x"), Exception);
  EXPECT_THROW(lines->Insert(5, "x"), Exception);
  lines->Insert(3, "four");  // at the end
  EXPECT_EQ(lines->Count(), 4);
  EXPECT_EQ(lines->Strings(3), "four");

  // More than the system's default limit of 32767 characters goes in through the lines.
  std::string block(1000, 'z');
  for (int i = 0; i < 40; ++i) lines->Add(block);
  EXPECT_EQ(lines->Count(), 44);
  EXPECT_EQ(lines->Strings(43), block);
  lines->Clear();
  EXPECT_EQ(lines->Count(), 0);
  EXPECT_EQ(GetObjectProp<TStrings>(memo, L"Lines"), lines);
}

TEST(Memo, LinesFollowTheSameRulesBeforeThereIsAWindow) {
  TMemo memo(nullptr);  // no parent: no window can be made
  int changes = 0;
  memo.OnChange = [&](TObject*) { ++changes; };
  TStrings* lines = memo.Lines();
  lines->Add("Memo1");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(lines->Count(), 1);
  EXPECT_EQ(memo.Text(), L"Memo1\r\n");
  memo.SetText(L"Memo2\r\n");  // another text of the same length
  EXPECT_EQ(lines->Strings(0), "Memo2");
  lines->Add(std::string(5000, 'q'));
  EXPECT_EQ(lines->Strings(1).size(), 4096u);
  EXPECT_EQ(lines->Strings(2), "");
  lines->Delete(0);
  lines->SetStrings(0, "x");
  EXPECT_EQ(lines->Text(), "x\r\n");
  EXPECT_FALSE(memo.HandleAllocated());
}

TEST_F(StdForm, MemoScrollBarsDecideWrapping) {
  auto* memo = Make<TMemo>(10, 10, 120, 100);
  memo->Lines()->Add(std::string(200, 'w') + " " + std::string(200, 'w'));
  EXPECT_EQ(GetEnumPropText(memo, L"ScrollBars"), L"ssNone");
  EXPECT_GT(SendMessageW(memo->Handle(), EM_GETLINECOUNT, 0, 0), 2);  // wrapped
  EXPECT_TRUE(SetPropText(memo, L"ScrollBars", L"ssBoth"));
  DWORD style = StyleOf(memo);
  EXPECT_TRUE((style & WS_HSCROLL) && (style & WS_VSCROLL) && (style & ES_AUTOHSCROLL));
  EXPECT_EQ(SendMessageW(memo->Handle(), EM_GETLINECOUNT, 0, 0), 2);  // no wrapping any more
  EXPECT_EQ(memo->Lines()->Count(), 1);
  memo->SetScrollBars(ssVertical);
  EXPECT_FALSE(StyleOf(memo) & ES_AUTOHSCROLL);
  memo->SetWordWrap(false);
  EXPECT_TRUE(StyleOf(memo) & ES_AUTOHSCROLL);
  EXPECT_EQ(memo->Lines()->Count(), 1);
}

TEST_F(StdForm, LabelSizesItselfToItsCaptionAndPaintsIt) {
  auto* label = Make<TLabel>(20, 30, 10, 10);
  label->Font()->SetName(L"Tahoma");
  label->Font()->SetHeight(-12);
  label->Font()->SetColor(clRed);
  label->SetCaption(L"CSS样式文件：");
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, label->Font()->Handle());
  SIZE size{};
  GetTextExtentPoint32W(screen, L"CSS样式文件：", 8, &size);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(label->Width(), size.cx);
  EXPECT_EQ(label->Height(), size.cy);
  EXPECT_EQ(label->Left(), 20);
  EXPECT_EQ(GetEnumPropText(label, L"AutoSize"), L"True");

  // Right-justified labels keep their right edge.
  int right = label->Left() + label->Width();
  label->SetAlignment(taRightJustify);
  label->SetCaption(L"CSS");
  EXPECT_EQ(label->Left() + label->Width(), right);
  EXPECT_LT(label->Width(), size.cx);
  label->SetAutoSize(false);
  label->SetBounds(20, 30, 150, 40);
  label->SetCaption(L"CSS样式文件：更长的文字");
  EXPECT_EQ(label->Width(), 150);

  // Painted by the form: its colour behind, its text in its font colour.
  label->SetAlignment(taLeftJustify);
  label->SetColor(clYellow);
  TBitmap target(400, 300);
  target.Canvas()->Brush()->SetColor(clWhite);
  target.Canvas()->FillRect({0, 0, 400, 300});
  SendMessageW(form->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(target.Canvas()->Handle()), 0);
  RECT inside{20, 30, 170, 70};
  EXPECT_GT(CountPixels(target, inside, 0xFF0000), 10);
  EXPECT_GT(CountPixels(target, inside, 0xFFFF00), 1000);
  EXPECT_EQ(CountPixels(target, {0, 0, 19, 300}, 0xFFFF00), 0);

  // Transparent: what lay behind stays; disabled: no text in the font colour.
  label->SetTransparent(true);
  label->SetEnabled(false);
  target.Canvas()->FillRect({0, 0, 400, 300});
  SendMessageW(form->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(target.Canvas()->Handle()), 0);
  EXPECT_EQ(CountPixels(target, inside, 0xFFFF00), 0);
  EXPECT_EQ(CountPixels(target, inside, 0xFF0000), 0);
  EXPECT_GT(CountPixels(target, inside, Rgb(clBtnShadow)), 10);
}

TEST_F(StdForm, LabelClicksAndFocusesItsControl) {
  auto* label = Make<TLabel>(10, 10, 10, 10);
  label->SetCaption(L"&Pattern");
  auto* edit = Make<TEdit>(10, 40, 100, 21);
  label->SetFocusControl(edit);
  EXPECT_EQ(GetObjectProp<TWinControl>(label, L"FocusControl"), edit);
  int clicks = 0;
  label->OnClick = [&](TObject*) { ++clicks; };
  HWND h = form->Handle();
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 12));
  SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(12, 12));
  EXPECT_EQ(clicks, 1);
  form->Show();
  EXPECT_EQ(label->Perform(CM_DIALOGCHAR, L'x'), 0);
  EXPECT_EQ(label->Perform(CM_DIALOGCHAR, L'p'), 1);
  EXPECT_TRUE(edit->Focused());
  delete edit;  // the reference goes with the control
  EXPECT_EQ(label->FocusControl(), nullptr);
  EXPECT_EQ(label->Perform(CM_DIALOGCHAR, L'p'), 0);
}
