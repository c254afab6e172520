// Step one: open a style sheet into the hidden holder and remember where it came from.
#include <algorithm>

#include "app/Unit1.h"
#include "app/Workflow.h"
#include "ui/SysUtils.h"

using namespace ui;

namespace {

// Whether the bytes cannot be read as text in a narrow code page: UTF-16 or UTF-32 (by their
// byte-order mark, or by the zero bytes every ASCII character brings along without one), or
// not text at all. A pattern would find nothing in them, and a rewrite would corrupt them.
bool IsNarrowText(std::string_view bytes) {
  if (bytes.starts_with("\xff\xfe") || bytes.starts_with("\xfe\xff")) return false;
  std::string_view start = bytes.substr(0, 4096);
  return static_cast<size_t>(std::count(start.begin(), start.end(), '\0')) * 8 <= start.size();
}

}  // namespace

void TForm1::btn1Click(TObject*) {
  if (!dlgOpen1->Execute()) return;
  std::wstring path = dlgOpen1->FileName();
  if (path.empty()) return;
  OpenSheet(path);
}

void TForm1::OpenSheet(const std::wstring& path) {
  // Read first: a sheet that cannot be read leaves the holder, its file name, the labels and
  // the download folder as they were, so that they all still describe the sheet held.
  std::string bytes = app::ReadFileBytes(path);
  if (!IsNarrowText(bytes))
    throw Exception(L"无法把 \"" + path + L"\" 作为文本读取：它是 UTF-16 等本程序不能读取的编码，或不是文本文件。" +
                    L"请另存为 UTF-8 或 ANSI 编码后再打开。");
  Memo1->Loaded(path, std::move(bytes));
  lbl1->SetCaption(lbl1->Hint() + path);
  SetHint(workflow::FolderOf(path));
  lbl2->SetCaption(lbl2->Hint() + Hint());
}
