#include "app/Unit1.h"

#include "app/Texts.h"

using namespace ui;

TForm1* Form1 = nullptr;

const TClassInfo& TForm1::StaticClass() {
  static const TClassInfo info(L"TForm1", &TForm::StaticClass());
  return info;
}

TForm1::TForm1(TComponent* owner) : TForm(owner) {
  SetName(L"Form1");
  SetCaption(kAppTitle);
  SetBorderStyle(bsSingle);
  SetBorderIcons((1 << biSystemMenu) | (1 << biMinimize));
  SetPosition(poDesktopCenter);
  Font()->SetName(L"宋体");
  Font()->SetHeight(-12);
  Font()->SetCharset(GB2312_CHARSET);
  SetColor(clBtnFace);
  SetClientSize(918, 644);
}
