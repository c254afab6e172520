// Step one: open a style sheet into the hidden holder and remember where it came from.
#include "app/Unit1.h"
#include "app/Workflow.h"
#include "ui/SysUtils.h"

using namespace ui;

void TForm1::btn1Click(TObject*) {
  if (!dlgOpen1->Execute()) return;
  std::wstring path = dlgOpen1->FileName();
  if (path.empty()) return;
  OpenSheet(path);
}

void TForm1::OpenSheet(const std::wstring& path) {
  // Read first: a sheet that cannot be read leaves the holder, its file name, the labels and
  // the download folder as they were, so that they all still describe the sheet held.
  Memo1->LoadFromFile(path);
  lbl1->SetCaption(lbl1->Hint() + path);
  SetHint(workflow::FolderOf(path));
  lbl2->SetCaption(lbl2->Hint() + Hint());
}
