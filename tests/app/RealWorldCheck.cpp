// A real-world check of the whole workflow, run by scripts/realworld-check.sh:
//   realworld_check.exe [--command] SHEET SITE_ROOT SHEET_URL_FOLDER
// serves SITE_ROOT on 127.0.0.1, copies SHEET into a fresh folder, and drives the real window
// through every step with the default pattern; the relative prefix is the server's address
// followed by SHEET_URL_FOLDER (say "/css/"). With --command the same run goes through the
// command line instead (vexlo.exe --localise, its report read back). It prints how many
// addresses were found, embedded (data:, never downloaded), downloaded and rewritten, whether
// every local reference of the rewritten sheet exists, and whether any temporary file was
// left in the folder.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <regex>
#include <sstream>
#include <vector>

#include "GuiTestSupport.h"
#include "HttpServer.h"
#include "QuietProcess.h"
#include "app/SheetAddress.h"
#include "app/Unit1.h"
#include "app/Workflow.h"
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

// One found address: whether its image completed, and the local file it went to.
struct Image {
  std::string found;  // as the sheet writes it
  bool completed = false;
  std::string name;
};

// The workflow through the window's steps, driven as a user would.
bool RunWindow(testsupport::HttpServer& server, const std::wstring& sheet, const std::wstring& urlFolder,
               std::vector<Image>& images) {
  TForm1 form(nullptr);
  form.Show();
  form.dlgOpen1->OnShow = [&](TObject*) { testsupport::ChooseInOpenDialog(form.dlgOpen1->Handle(), sheet); };
  form.btn1Click(&form);
  form.btn2Click(&form);
  form.lbledt1->SetText(Widen(server.Url("")));
  form.lbledt2->SetText(Widen(server.Url(Utf8(urlFolder))));
  form.btn3Click(&form);
  bool ended = false;
  form.OnRunFinished = [&] { ended = true; };
  form.btn5Click(&form);
  if (!testsupport::PumpUntil([&] { return ended; }, 30 * 60 * 1000)) return false;
  for (int i = 0; i < form.mmo1->Lines()->Count(); ++i)
    images.push_back({form.mmo1->Lines()->Strings(i), form.DownloadRun().Completed(i),
                      ToAnsi(form.ListView1->Items()->Item(i)->SubItems().Strings(1))});
  return true;
}

// The same through the command line: vexlo.exe --localise, quiet, with its report read back.
bool RunCommand(testsupport::HttpServer& server, const std::wstring& folder, const std::wstring& urlFolder,
                std::vector<Image>& images) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring program = workflow::FolderOf(self) + L"..\\..\\src\\app\\vexlo.exe";
  std::wstring arguments = L"--localise style.css --quiet --report report.txt --site " + Widen(server.Url("")) +
                          L" --folder " + Widen(server.Url(Utf8(urlFolder)));
  // Its console report is read back from its file; the console copy is not shown.
  DWORD status = 0;
  double seconds = 0;
  if (!testsupport::RunQuietly(program, arguments, folder, status, seconds)) return false;
  std::printf("command line exit status: %lu\n", static_cast<unsigned long>(status));
  // Image lines: sheet, row, found, full address, result, file.
  std::istringstream report(ReadAll(folder + L"report.txt"));
  for (std::string line; std::getline(report, line);) {
    std::vector<std::string> fields;
    std::istringstream in(line.substr(0, line.find('\r')));
    for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
    if (fields.size() < 5 || fields[0] != "style.css") continue;
    std::string name = fields.size() > 5 ? fields[5] : "";
    images.push_back({ToAnsi(Widen(fields[2])), fields[4] == "完成", ToAnsi(Widen(name))});
  }
  return true;
}

// Prints the figures of a run; answers whether every image arrived and is named by the sheet.
bool Figures(const std::wstring& source, const std::wstring& folder, const std::vector<Image>& images, double seconds) {
  std::wstring sheet = folder + L"style.css";
  std::string before = ReadAll(sheet + L".bak"), after = ReadAll(sheet);
  int found = static_cast<int>(images.size()), embedded = 0, downloaded = 0, rewritten = 0;
  for (const Image& image : images) {
    if (IsData(Unquoted(image.found))) {
      ++embedded;
      continue;
    }
    if (!image.completed) continue;
    ++downloaded;
    // Rewritten: the sheet no longer holds the address as written, quotes and all, or the
    // address already was the name of its file beside the sheet.
    rewritten += after.find("url(" + image.found + ")") == std::string::npos || Unquoted(image.found) == image.name;
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
  std::printf("sheet: %s (%zu bytes)\n", Utf8(source).c_str(), before.size());
  std::printf("addresses found: %d\nembedded (data:): %d\ndownloaded: %d\nrewritten: %d\n", found, embedded, downloaded,
              rewritten);
  std::printf("local references in the rewritten sheet: %d, missing: %d\n", local, missing);
  std::printf("temporary files left: %d\n", temporary);
  std::printf("run time: %.1f s\nfolder: %s\n", seconds, Utf8(folder).c_str());
  return missing == 0 && downloaded == found - embedded && rewritten == downloaded && temporary == 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  bool command = argc == 5 && std::wstring(argv[1]) == L"--command";
  if (argc != 4 && !command) {
    std::fprintf(stderr, "usage: realworld_check [--command] SHEET SITE_ROOT SHEET_URL_FOLDER\n");
    return 2;
  }
  wchar_t** args = argv + (command ? 1 : 0);
  Application->Initialize();
  ShellOpenHook() = [](HWND, const std::wstring&) {};
  testsupport::HttpServer server;
  server.ServeFolder(args[2]);
  std::wstring folder = FreshFolder();
  CopyFileW(args[1], (folder + L"style.css").c_str(), FALSE);
  std::vector<Image> images;
  DWORD start = GetTickCount();
  bool ran = command ? RunCommand(server, folder, args[3], images)
                     : RunWindow(server, folder + L"style.css", args[3], images);
  if (!ran) {
    std::fprintf(stderr, "the run did not end\n");
    return 1;
  }
  std::printf("through the %s\n", command ? "command line" : "window");
  return Figures(args[1], folder, images, (GetTickCount() - start) / 1000.0) ? 0 : 1;
}
