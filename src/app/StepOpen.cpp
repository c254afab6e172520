// Step one: open a style sheet into the hidden holder and remember where it came from.
#include "app/Unit1.h"
#include "app/Workflow.h"
#include "ui/SysUtils.h"

using namespace ui;

void TForm1::btn1Click(TObject*) {
  if (!dlgOpen1->Execute()) return;
  std::wstring path = dlgOpen1->FileName();
  if (path.empty()) return;
  lbl1->SetCaption(lbl1->Hint() + path);
  SetHint(workflow::FolderOf(path));
  lbl2->SetCaption(lbl2->Hint() + Hint());
  // Read first: a sheet that cannot be read leaves the holder as it was.
  TStringList sheet;
  sheet.LoadFromFile(path);
  Memo1->Lines()->Assign(sheet);
}
