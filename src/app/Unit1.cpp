#include "app/Unit1.h"

#include "app/Texts.h"
#include "ui/ShellApi.h"

using namespace ui;

TForm1* Form1 = nullptr;

const TClassInfo& TForm1::StaticClass() {
  static const TClassInfo info(L"TForm1", &TForm::StaticClass());
  return info;
}

TForm1::TForm1(TComponent* owner) : TForm(owner) {
  SetName(L"Form1");
  // The skin comes first, as the window's first component: it loads the program's own skin
  // and asks for skinning to be switched on shortly after the window exists.
  SkinData1 = skin::CreateDefaultSkinData(this);
  if (SkinData1) SkinData1->SetName(L"SkinData1");
  SetCaption(kAppTitle);
  SetBorderStyle(bsSingle);
  SetBorderIcons((1 << biSystemMenu) | (1 << biMinimize));
  SetPosition(poDesktopCenter);
  Font()->SetName(L"宋体");
  Font()->SetHeight(-12);
  Font()->SetCharset(GB2312_CHARSET);
  SetColor(clBtnFace);
  SetClientSize(918, 644);
  BuildHeader();
  BuildPages();
  BuildStep1();
  BuildStep2();
  BuildStep3();
  BuildStep4();
  BuildFeedback();
  BuildComponents();
  ConnectHandlers();
}

void TForm1::ConnectHandlers() {
  OnShow = [this](TObject* s) { FormShow(s); };
  OnClose = [this](TObject* s) { FormClose(s); };
  lbl4->OnClick = [this](TObject* s) { lbl4Click(s); };
  ts5->OnShow = [this](TObject* s) { ts5Show(s); };
  lbl6->OnClick = [this](TObject* s) { lbl6Click(s); };
  btn1->OnClick = [this](TObject* s) { btn1Click(s); };
  btn2->OnClick = [this](TObject* s) { btn2Click(s); };
  mmo1->OnChange = [this](TObject* s) { mmo1Change(s); };
  btn3->OnClick = [this](TObject* s) { btn3Click(s); };
  btn4->OnClick = [this](TObject* s) { btn4Click(s); };
  btn5->OnClick = [this](TObject* s) { btn5Click(s); };
  btn6->OnClick = [this](TObject* s) { btn6Click(s); };
  btn7->OnClick = [this](TObject* s) { btn7Click(s); };
  tmr1->OnTimer = [this](TObject* s) { tmr1Timer(s); };
  sequencer_->OnRunEnded = [this] { RunEnded(); };
}

void TForm1::FormShow(TObject*) { btn1->SetFocus(); }

void TForm1::lbl4Click(TObject*) {
  const int open = ScaleValue(140);
  pnl1->SetHeight(pnl1->Height() == open ? ScaleValue(17) : open);
}

void TForm1::ts5Show(TObject*) { wb2->Navigate(kGuestbookPage); }

void TForm1::lbl6Click(TObject*) { ShellOpen(Handle(), kForumPage); }
