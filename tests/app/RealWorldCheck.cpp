// A real-world check of the whole workflow, run by scripts/realworld-check.sh:
//   realworld_check.exe SHEET SITE_ROOT SHEET_URL_FOLDER
// serves SITE_ROOT on 127.0.0.1, copies SHEET into a fresh folder, and drives the real window
// through every step with the default pattern; the relative prefix is the server's address
// followed by SHEET_URL_FOLDER (say "/css/"). It prints how many addresses were found,
// embedded (data:, never downloaded), downloaded and rewritten, whether every local reference
// of the rewritten sheet exists, and whether any temporary file was left in the folder.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <regex>

#include "GuiTestSupport.h"
#include "HttpServer.h"
#include "app/SheetAddress.h"
#include "app/Unit1.h"
#include "ui/ShellApi.h"
#include "ui/SysUtils.h"

using namespace ui;

namespace {

std::string ReadAll(const std::wstring& path) {
  TFileStream f(path, TFileStream::fmOpenRead);
  return f.ReadAll();
}

std::string Unquoted(const std::string& address) { return std::string(workflow::InnerAddress(address)); }

bool IsData(const std::string& address) { return workflow::IsEmbedded(address); }

std::wstring FreshFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"vexlo-realworld-" + std::to_wstring(GetTickCount()) + L"\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: realworld_check SHEET SITE_ROOT SHEET_URL_FOLDER\n");
    return 2;
  }
  Application->Initialize();
  ShellOpenHook() = [](HWND, const std::wstring&) {};
  testsupport::HttpServer server;
  server.ServeFolder(argv[2]);
  std::wstring folder = FreshFolder();
  std::wstring sheet = folder + L"style.css";
  CopyFileW(argv[1], sheet.c_str(), FALSE);

  TForm1 form(nullptr);
  form.Show();
  form.dlgOpen1->OnShow = [&](TObject*) { testsupport::ChooseInOpenDialog(form.dlgOpen1->Handle(), sheet); };
  form.btn1Click(&form);
  form.btn2Click(&form);
  int found = form.mmo1->Lines()->Count();
  form.lbledt1->SetText(Widen(server.Url("")));
  form.lbledt2->SetText(Widen(server.Url(Utf8(argv[3]))));
  form.btn3Click(&form);
  bool ended = false;
  auto rewrite = form.btn6->OnClick;
  form.btn6->OnClick = [&](TObject* s) {
    rewrite(s);
    ended = true;
  };
  DWORD start = GetTickCount();
  form.btn5Click(&form);
  if (!testsupport::PumpUntil([&] { return ended; }, 30 * 60 * 1000)) {
    std::fprintf(stderr, "the run did not end\n");
    return 1;
  }
  std::string before = ReadAll(sheet + L".bak"), after = ReadAll(sheet);
  int embedded = 0, downloaded = 0, rewritten = 0;
  for (int i = 0; i < found; ++i) {
    std::string address = form.mmo1->Lines()->Strings(i);
    if (IsData(Unquoted(address))) {
      ++embedded;
      continue;
    }
    if (!form.DownloadRun().Completed(i)) continue;
    ++downloaded;
    // Rewritten: the sheet no longer holds the address as written, quotes and all, or the
    // address already was the name of its file beside the sheet.
    std::string name = ToAnsi(form.ListView1->Items()->Item(i)->SubItems().Strings(1));
    rewritten += after.find("url(" + address + ")") == std::string::npos || Unquoted(address) == name;
  }
  // Every url() of the rewritten sheet that is a bare file name, inside its quotes or not,
  // must exist beside it; an embedded data: image is no file.
  int local = 0, missing = 0;
  std::regex url(R"(url\(([^)]*)\))");
  for (auto it = std::sregex_iterator(after.begin(), after.end(), url); it != std::sregex_iterator(); ++it) {
    std::string ref = Unquoted((*it)[1]);
    if (ref.empty() || IsData(ref) || ref.find_first_of("/:") != std::string::npos) continue;
    ++local;
    if (GetFileAttributesW((folder + FromAnsi(ref)).c_str()) == INVALID_FILE_ATTRIBUTES) {
      ++missing;
      std::printf("missing: %s\n", ref.c_str());
    }
  }
  // Nothing but the sheet, its backup and whole images: no temporary file stays behind.
  int temporary = 0;
  WIN32_FIND_DATAW f;
  HANDLE h = FindFirstFileW((folder + L"*.tmp").c_str(), &f);
  if (h != INVALID_HANDLE_VALUE) {
    do ++temporary;
    while (FindNextFileW(h, &f));
    FindClose(h);
  }
  std::printf("sheet: %s (%zu bytes)\n", Utf8(argv[1]).c_str(), before.size());
  std::printf("addresses found: %d\nembedded (data:): %d\ndownloaded: %d\nrewritten: %d\n", found, embedded, downloaded,
              rewritten);
  std::printf("local references in the rewritten sheet: %d, missing: %d\n", local, missing);
  std::printf("temporary files left: %d\n", temporary);
  std::printf("run time: %.1f s\nfolder: %s\n", (GetTickCount() - start) / 1000.0, Utf8(folder).c_str());
  return missing == 0 && downloaded == found - embedded && rewritten == downloaded && temporary == 0 ? 0 : 1;
}
