// The main window's controls: where each one sits, what it says and how it looks.
#include "app/Texts.h"
#include "app/Unit1.h"
#include "ui/SysUtils.h"

using namespace ui;

namespace {

template <class T>
T* Make(TForm1* form, TWinControl* parent, const wchar_t* name, int left, int top, int width, int height) {
  T* control = new T(form);
  control->SetName(name);
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  return control;
}

void SetFont(TControl* c, const wchar_t* name, int pixels, TColor color, bool bold) {
  c->Font()->SetName(name);
  c->Font()->SetHeight(-pixels);
  c->Font()->SetColor(color);
  c->Font()->SetStyle(bold ? 1 << fsBold : 0);
}

std::wstring JoinLines(const auto& lines) {
  std::wstring text;
  for (size_t i = 0; i < std::size(lines); ++i) {
    if (i > 0) text += L"\r\n";
    text += lines[i];
  }
  return text;
}

// A shape larger than its page, cross-hatched without a pen: the page's patterned background.
TShape* MakeHatch(TForm1* form, TTabSheet* page, const wchar_t* name) {
  auto* shape = Make<TShape>(form, page, name, -4, -4, 912, 540);
  shape->Brush()->SetColor(RGB(200, 210, 225));
  shape->Brush()->SetStyle(bsDiagCross);
  shape->Pen()->SetStyle(psClear);
  return shape;
}

TButton* MakeButton(TForm1* form, TWinControl* parent, const wchar_t* name, const wchar_t* caption, int left,
                    int top, int width, bool bold) {
  auto* b = Make<TButton>(form, parent, name, left, top, width, 25);
  b->SetCaption(caption);
  if (bold) b->Font()->SetStyle(1 << fsBold);
  return b;
}

TMemo* MakeList(TForm1* form, TWinControl* parent, const wchar_t* name, int left, int top, int width, int height) {
  auto* m = Make<TMemo>(form, parent, name, left, top, width, height);
  m->SetScrollBars(ssBoth);
  m->SetWordWrap(false);
  return m;
}

}  // namespace

void TForm1::BuildHeader() {
  pnl4 = Make<TPanel>(this, this, L"pnl4", 0, 0, 918, 74);
  pnl4->SetAlign(alTop);
  pnl4->SetBevelOuter(bvNone);
  pnl4->SetColor(RGB(0, 0, 64));
  pnl4->SetCaption(L"");

  lbl8 = Make<TLabel>(this, pnl4, L"lbl8", 16, 10, 248, 29);
  lbl8->SetAutoSize(false);
  lbl8->SetCaption(L"Vexlo");
  SetFont(lbl8, L"Tahoma", 24, clYellow, true);
  lbl8->SetTransparent(true);

  lbl7 = Make<TLabel>(this, pnl4, L"lbl7", 282, 23, 0, 0);
  lbl7->SetCaption(L"Free Build:110316");
  SetFont(lbl7, L"Tahoma", 12, clLime, false);
  lbl7->SetTransparent(true);

  lbl1 = Make<TLabel>(this, pnl4, L"lbl1", 18, 49, 0, 0);
  lbl1->SetCaption(L"CSS样式文件：");
  lbl1->SetHint(L"CSS样式文件：");
  SetFont(lbl1, L"Tahoma", 12, clAqua, false);
  lbl1->SetTransparent(true);

  lbl2 = Make<TLabel>(this, pnl4, L"lbl2", 808, 11, 0, 0);
  lbl2->SetCaption(L"CSS文件路径：");
  lbl2->SetHint(L"CSS文件路径：");
  SetFont(lbl2, L"Tahoma", 11, clWindowText, true);
  lbl2->SetVisible(false);
}

void TForm1::BuildPages() {
  pgc1 = Make<TPageControl>(this, this, L"pgc1", 8, 81, 903, 552);
  pgc1->SetStyle(tsFlatButtons);
  const wchar_t* names[] = {L"ts1", L"ts2", L"ts3", L"ts4", L"ts5"};
  const wchar_t* captions[] = {L"第一步", L"第二步", L"第三步", L"第四步", L"用户留言"};
  TTabSheet** sheets[] = {&ts1, &ts2, &ts3, &ts4, &ts5};
  for (int i = 0; i < 5; ++i) {
    auto* sheet = new TTabSheet(this);
    sheet->SetName(names[i]);
    sheet->SetCaption(captions[i]);
    sheet->SetPageControl(pgc1);
    *sheets[i] = sheet;
  }
  shp2 = MakeHatch(this, ts1, L"shp2");
  shp3 = MakeHatch(this, ts2, L"shp3");
  shp4 = MakeHatch(this, ts3, L"shp4");
  shp5 = MakeHatch(this, ts4, L"shp5");
  pgc1->SetActivePageIndex(0);
}

void TForm1::BuildStep1() {
  btn1 = MakeButton(this, ts1, L"btn1", L"打开CSS文件", 16, 12, 105, true);
  SetFont(btn1, L"宋体", 12, clWindowText, true);
  btn1->SetTabOrder(0);

  pnl2 = Make<TPanel>(this, ts1, L"pnl2", 200, 104, 497, 26);
  pnl2->SetColor(clWhite);
  pnl2->SetBevelOuter(bvLowered);
  pnl2->SetCaption(kMakerCredit);

  mmo4 = Make<TMemo>(this, ts1, L"mmo4", 200, 152, 497, 185);
  mmo4->SetReadOnly(true);
  mmo4->SetText(JoinLines(kDescription));

  Memo1 = Make<app::TTextHolder>(this, ts1, L"Memo1", 16, 400, 185, 89);
  Memo1->Lines()->SetText("Memo1");
}

void TForm1::BuildStep2() {
  btn2 = MakeButton(this, ts2, L"btn2", L"分析图片网址", 16, 12, 105, true);
  edt1 = Make<TEdit>(this, ts2, L"edt1", 131, 15, 185, 21);
  edt1->SetText(kDefaultPattern);
  lbl3 = Make<TLabel>(this, ts2, L"lbl3", 16, 48, 0, 0);
  lbl3->SetCaption(L"共 0 个图片");
  SetFont(lbl3, L"Tahoma", 11, clWindowText, true);
  lbl3->SetTransparent(true);
  mmo1 = MakeList(this, ts2, L"mmo1", 16, 72, 863, 430);
  mmo1->SetAnchors(AnchorsAll);
}

void TForm1::BuildStep3() {
  pnl1 = Make<TPanel>(this, ts3, L"pnl1", 36, 16, 441, 17);
  pnl1->SetBevelOuter(bvNone);
  pnl1->SetColor(RGB(255, 255, 206));
  pnl1->SetCaption(L"");
  lbl4 = Make<TLabel>(this, pnl1, L"lbl4", 6, 3, 419, 130);
  lbl4->SetAutoSize(false);
  lbl4->SetCaption(JoinLines(kPathHelp));
  SetFont(lbl4, L"Tahoma", 11, clGreen, false);
  lbl4->SetTransparent(true);
  lbl4->SetCursor(crHelp);

  shp1 = Make<TShape>(this, ts3, L"shp1", 17, 19, 13, 13);
  shp1->SetShape(stCircle);
  shp1->Brush()->SetColor(RGB(128, 255, 0));

  lbledt1 = Make<TLabeledEdit>(this, ts3, L"lbledt1", 141, 42, 734, 21);
  lbledt1->SetLabelPosition(lpLeft);
  lbledt1->EditLabel()->SetCaption(L"绝对路径加网址前缀：");
  lbledt1->SetText(L"");
  lbledt2 = Make<TLabeledEdit>(this, ts3, L"lbledt2", 141, 69, 734, 21);
  lbledt2->SetLabelPosition(lpLeft);
  lbledt2->EditLabel()->SetCaption(L"相对路径加网址前缀：");
  lbledt2->SetText(L"");

  btn3 = MakeButton(this, ts3, L"btn3", L"转换图片地址", 141, 97, 105, true);
  btn4 = MakeButton(this, ts3, L"btn4", kStep4Button, 256, 97, 385, false);
  mmo2 = MakeList(this, ts3, L"mmo2", 19, 128, 856, 371);

  mmo3 = Make<app::TTextHolder>(this, ts3, L"mmo3", 600, 400, 185, 89);
  mmo3->Lines()->SetText(ToAnsi(L"mmo3\r\n用来存放图片地址，测试转换效果的临时存储！"));
}

void TForm1::BuildStep4() {
  chk1 = Make<TCheckBox>(this, ts4, L"chk1", 16, 16, 329, 17);
  chk1->SetCaption(L"自动更改CSS文件中的图片路径，并备份原来的CSS文件！");
  chk1->SetChecked(true);
  btn5 = MakeButton(this, ts4, L"btn5", L"开始下载图片", 16, 40, 105, true);
  btn6 = MakeButton(this, ts4, L"btn6", L"保存新的CSS", 136, 44, 97, false);
  btn6->SetVisible(false);

  ListView1 = Make<TListView>(this, ts4, L"ListView1", 16, 78, 863, 415);
  ListView1->SetViewStyle(vsReport);
  ListView1->SetReadOnly(true);
  ListView1->SetRowSelect(true);
  const std::pair<const wchar_t*, int> columns[] = {{L"编号", 45}, {L"进度", 90}, {L"文件名", 139}, {L"CSS中文件地址", 334}};
  for (auto [caption, width] : columns) {
    TListColumn* column = ListView1->Columns()->Add();
    column->SetCaption(caption);
    column->SetWidth(width);
  }

  // Shown when a run has ended: its summary, and the copy of its failed images when any failed.
  lbl9 = Make<TLabel>(this, ts4, L"lbl9", 136, 46, 630, 12);
  lbl9->SetAutoSize(false);
  lbl9->SetTransparent(true);
  lbl9->SetShowHint(true);
  lbl9->SetVisible(false);
  btn7 = MakeButton(this, ts4, L"btn7", L"复制失败列表", 774, 40, 105, false);
  btn7->SetVisible(false);

  pnl3 = Make<TPanel>(this, ts4, L"pnl3", 577, 128, 270, 329);
  pnl3->SetVisible(false);
  pnl3->SetCaption(L"");
  wb1 = Make<TWebBrowser>(this, pnl3, L"wb1", 0, 0, 270, 329);
  wb1->SetAlign(alClient);
}

void TForm1::BuildFeedback() {
  wb2 = Make<TWebBrowser>(this, ts5, L"wb2", 0, 0, 895, 520);
  wb2->SetAlign(alClient);
  pnl5 = Make<TPanel>(this, ts5, L"pnl5", 321, 13, 352, 35);
  pnl5->SetColor(clYellow);
  pnl5->SetBevelOuter(bvNone);
  pnl5->SetCaption(L"");
  lbl6 = Make<TLabel>(this, pnl5, L"lbl6", 14, 5, 0, 0);
  lbl6->SetCaption(L"建议交流及BUG反馈请点这里！");
  SetFont(lbl6, L"黑体", 24, clBlack, true);
  lbl6->SetCursor(crHandPoint);
  lbl6->SetHint(L"点击访问");
  lbl6->SetShowHint(true);
  lbl6->SetTransparent(true);
}

void TForm1::BuildComponents() {
  RegExp1 = new app::TRegExp(this);
  RegExp1->SetName(L"RegExp1");
  dlgOpen1 = new TOpenDialog(this);
  dlgOpen1->SetName(L"dlgOpen1");
  dlgOpen1->SetFilter(L"*.css|*.css");
  tmr1 = new TTimer(this);
  tmr1->SetName(L"tmr1");
  tmr1->SetEnabled(false);
  tmr1->SetInterval(100);
  // Step four's run writes its rows to ListView1 and is paced by tmr1; its workers report to
  // this window, and the images go to the sheet's folder (the hint).
  rows_ = std::make_unique<app::TListViewRows>(*ListView1);
  sequencer_ = std::make_unique<download::TSequencer>(
      *rows_, *tmr1, [this] { return Handle(); }, [this] { return Hint(); });
}
