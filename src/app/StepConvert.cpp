// Step three: make full addresses from the found ones and write a test page that shows them.
#include <windows.h>

#include "app/SheetAddress.h"
#include "app/Unit1.h"
#include "ui/ShellApi.h"
#include "ui/SysUtils.h"

using namespace ui;

namespace {

const wchar_t kTestPageHeader[] =
    L"<body style=\"background-color:#B5D7D2;\">以下是测试代码，如果图片能正常显示则说明路径正确，"
    L"可以下载，否则请返回修改路径！<br><br>";

std::wstring ExecutableFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

}  // namespace

std::wstring TForm1::TestPagePath() { return ExecutableFolder() + L"testimg.htm"; }

void TForm1::btn3Click(TObject*) {
  ConvertAddresses();
  std::wstring path = TestPagePath();
  mmo3->Lines()->SaveToFile(path);
  ShellOpen(Handle(), path);
}

void TForm1::ConvertAddresses() {
  mmo2->Lines()->Clear();
  mmo3->Lines()->Clear();
  TStringList converted, page;
  page.Add(ToAnsi(kTestPageHeader));
  std::string absolutePrefix = ToAnsi(lbledt1->Text()), relativePrefix = ToAnsi(lbledt2->Text());
  TStringList found;
  found.Assign(*mmo1->Lines());
  for (int i = 0; i < found.Count(); ++i) {
    const std::string& address = found.Lines()[static_cast<size_t>(i)];
    std::string full = workflow::FullAddress(address, absolutePrefix, relativePrefix);
    converted.Add(full);
    page.Add(workflow::TestPageLine(i, full, IsLeadByte));
  }
  mmo2->Lines()->Assign(converted);
  mmo3->Lines()->Assign(page);
}

void TForm1::btn4Click(TObject*) { mmo2->Lines()->SetText(mmo1->Lines()->Text()); }
