// The end of a run: keep a backup of the sheet and make it point at the downloaded files.
#include <windows.h>

#include "app/SheetAddress.h"
#include "app/Unit1.h"
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

// The backup is a copy of the sheet's bytes as they were loaded, and the rewrite changes only
// the addresses it replaces: every other byte, line ends included, stays as it was. A sheet
// that changed on disk since it was loaded (edited while the images downloaded) is left alone:
// its new content would be lost, and its addresses may be other ones now.
void TForm1::btn6Click(TObject*) {
  if (!chk1->Checked()) return;
  // The file the held text came from: a later open that failed changed nothing of it.
  std::wstring sheet = Memo1->FileName();
  if (sheet.empty()) return;  // no sheet opened since start-up: nothing to back up or rewrite
  if (!Memo1->FileUnchanged()) {
    sheetChanged_ = true;
    return;
  }
  std::wstring backup = BackupPath();
  SaveBytesSafely(backup, Memo1->Bytes(), false);
  backup_ = backup;
  // Every found address whose file arrived becomes that file's name, wherever the address
  // stands whole (inside the sheet's own quotes too); lines without a row, or whose download
  // did not complete, stay as written.
  std::vector<workflow::AddressReplacement> replacements;
  TStringList found;
  found.Assign(*mmo1->Lines());  // whole lines, however long
  for (int i = 0; i < found.Count() && i < ListView1->Items()->Count(); ++i) {
    if (!DownloadRun().Completed(i)) continue;
    std::string address(workflow::InnerAddress(found.Strings(i)));
    replacements.emplace_back(address, ToAnsi(ListView1->Items()->Item(i)->SubItems().Strings(1)));
  }
  std::string text = workflow::ReplaceWholeAddresses(Memo1->Bytes(), replacements, IsLeadByte);
  SaveBytesSafely(sheet, text);
  Memo1->Saved(std::move(text));
}
