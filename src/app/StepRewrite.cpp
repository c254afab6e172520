// The end of a run: keep a backup of the sheet and make it point at the downloaded files.
#include <windows.h>

#include "app/Unit1.h"
#include "app/Workflow.h"
#include "ui/SysUtils.h"

using namespace ui;

// The sheet's path followed by ".bak", or the first free ".bak.1", ".bak.2", ...: an earlier
// backup is never overwritten.
std::wstring TForm1::BackupPath() const {
  std::wstring base = Memo1->FileName() + L".bak";
  std::wstring path = base;
  for (int n = 1; GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; ++n)
    path = base + L"." + std::to_wstring(n);
  return path;
}

void TForm1::btn6Click(TObject*) {
  if (!chk1->Checked()) return;
  // The file the held text came from: a later open that failed changed nothing of it.
  std::wstring sheet = Memo1->FileName();
  if (sheet.empty()) return;  // no sheet opened since start-up: nothing to back up or rewrite
  std::string text = Memo1->Lines()->Text();
  SaveBytesSafely(BackupPath(), text, false);
  int found = mmo1->Lines()->Count();
  for (int i = 0; i < found; ++i) {
    // Only addresses whose file arrived point somewhere real; lines without a row stay.
    if (i >= ListView1->Items()->Count() || !run_.Completed(i)) continue;
    std::string search = mmo1->Lines()->Strings(i);
    std::string local = ToAnsi(ListView1->Items()->Item(i)->SubItems().Strings(1));
    text = workflow::ReplaceAll(text, search, local, IsLeadByte);
  }
  Memo1->Lines()->SetText(text);
  SaveBytesSafely(sheet, text);
}
