#include "app/LocaliseCommand.h"

#include <windows.h>

#include <algorithm>

#include "app/ConsoleText.h"
#include "app/LocaliseOptions.h"
#include "app/LocaliseReport.h"
#include "app/SheetAddress.h"
#include "app/SkinOption.h"
#include "app/Startup.h"
#include "app/Texts.h"
#include "ui/SysUtils.h"

using namespace ui;
using app::TConsoleText;
using app::TImageResult;
using app::TSheetResult;
using workflow::TLocaliseOptions;

namespace {

// One sheet of the command: as given, its full path, and the prefix of its relative addresses.
struct TSheetJob {
  std::wstring Given;
  std::wstring Path;
  std::wstring RelativePrefix;
};

std::wstring FullPath(const std::wstring& path) {
  DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  full.resize(GetFullPathNameW(path.c_str(), size, full.data(), nullptr));
  return full;
}

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
  return text.size() >= prefix.size() &&
         CompareStringOrdinal(text.data(), static_cast<int>(prefix.size()), prefix.data(),
                              static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL;
}

// Each sheet's full path and relative prefix: the folder URL given, or the site, a slash and
// the sheet's folder below the root with its closing slash. Answers what is wrong, if anything.
std::wstring PlanSheets(const TLocaliseOptions& o, std::vector<TSheetJob>& jobs) {
  std::wstring root = FullPath(o.Root.empty() ? L"." : o.Root);
  if (!root.ends_with(L'\\')) root += L'\\';
  DWORD attributes = GetFileAttributesW(root.c_str());
  if (o.Folder.empty() && (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)))
    return L"The root folder \"" + root + L"\" does not exist.";
  for (const std::wstring& given : o.Sheets) {
    TSheetJob job{given, FullPath(given), o.Folder};
    if (job.RelativePrefix.empty()) {
      std::wstring folder = workflow::FolderOf(job.Path);
      if (!StartsWithNoCase(folder, root))
        return L"The sheet \"" + given + L"\" is not inside the root folder \"" + root + L"\".";
      std::wstring below = folder.substr(root.size());
      std::replace(below.begin(), below.end(), L'\\', L'/');
      job.RelativePrefix = o.Site + L"/" + below;
    }
    jobs.push_back(std::move(job));
  }
  return {};
}

// Whether the report's file can be written: it is opened for writing once (and removed again
// when it did not exist), so that a run never ends with a report it cannot keep.
std::wstring ReportProblem(const std::wstring& path) {
  if (path.empty()) return {};
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return EFCreateError(path, GetLastError()).Message();
  bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
  CloseHandle(h);
  if (!existed) DeleteFileW(path.c_str());
  return {};
}

// The sheets' run through the main window's steps.
class TLocaliseRun {
 public:
  TLocaliseRun(const TLocaliseOptions& options, TConsoleText& console) : o_(options), console_(console) {}

  // Makes the window, with the skin asked for and the pattern; answers what is wrong.
  std::wstring Prepare(const TSkinOption& skin);
  int Run(const std::vector<TSheetJob>& jobs);

 private:
  std::wstring PatternProblem();
  TSheetResult Localise(const TSheetJob& job);
  bool WaitForRun();
  void Collect(TSheetResult& result) const;

  const TLocaliseOptions& o_;
  TConsoleText& console_;
  TForm1* form_ = nullptr;
  std::wstring raised_;  // what the application reported while a run went on (a failed rewrite)
};

std::wstring TLocaliseRun::Prepare(const TSkinOption& skin) {
  form_ = CreateMainWindow();
  if (std::wstring problem = SkinOptionProblem(*form_, skin); !problem.empty()) return problem;
  // Errors raised in the window's handlers go into the report, never into a box.
  Application->OnException = [this](TObject*, const std::exception& e) { raised_ += ExceptionMessage(e); };
  form_->edt1->SetText(o_.Pattern);
  form_->lbledt1->SetText(o_.Site);
  form_->chk1->SetChecked(o_.Rewrite);
  form_->SetJobs(o_.Jobs);
  form_->SetStallLimit(static_cast<DWORD>(o_.TimeoutSeconds) * 1000);
  return PatternProblem();
}

// The engine reads the pattern when it first runs it: once over no text, before any sheet.
std::wstring TLocaliseRun::PatternProblem() {
  try {
    form_->RegExp1->SetGlobal(true);
    form_->RegExp1->SetPattern(o_.Pattern);
    form_->RegExp1->SetIgnoreCase(true);
    form_->RegExp1->Execute(L"");
  } catch (const std::exception& e) {
    return L"The pattern \"" + o_.Pattern + L"\" cannot be used: " + ExceptionMessage(e);
  }
  return {};
}

int TLocaliseRun::Run(const std::vector<TSheetJob>& jobs) {
  if (!o_.Quiet) {
    form_->pgc1->SetActivePage(form_->ts4);
    form_->Show();
  } else {
    // Nobody sees the rows: the list keeps them without redrawing itself after each change.
    form_->ListView1->Items()->BeginUpdate();
  }
  std::vector<TSheetResult> results;
  std::wstring report;
  for (const TSheetJob& job : jobs) {
    results.push_back(Localise(job));
    std::wstring lines = app::SheetReport(results.back());
    console_.Out(lines);
    report += lines;
    if (Application->Terminated()) break;  // the user closed the window
  }
  std::wstring last = app::RunReportLine(results);
  console_.Out(last);
  report += last;
  int status = app::ExitStatus(results);
  if (!o_.Report.empty()) {
    try {
      SaveBytesSafely(o_.Report, Utf8(report));
    } catch (const std::exception& e) {
      console_.Err(ExceptionMessage(e) + L"\r\n");
      status = 2;
    }
  }
  if (o_.Quiet) form_->ListView1->Items()->EndUpdate();
  if (!o_.Quiet && !Application->Terminated()) form_->Close();
  return status;
}

// Steps one to four on one sheet, as the window's buttons run them (without the test page
// and the product page); the rows the run made are the sheet's image lines.
TSheetResult TLocaliseRun::Localise(const TSheetJob& job) {
  TSheetResult result;
  result.Sheet = job.Given;
  raised_.clear();
  try {
    form_->OpenSheet(job.Path);
    result.Opened = true;
    form_->btn2Click(form_);
    form_->lbledt2->SetText(job.RelativePrefix);
    form_->ConvertAddresses();
  } catch (const std::exception& e) {
    result.Problem = ExceptionMessage(e);
    return result;
  }
  if (form_->StartRun() && !WaitForRun()) raised_ += L"窗口已关闭，运行中止。";
  Collect(result);
  result.Problem = raised_;
  return result;
}

// Handles the window's messages until the run has ended; false when the window closed first.
bool TLocaliseRun::WaitForRun() {
  bool finished = false;
  form_->OnRunFinished = [&finished] { finished = true; };
  while (!finished && !Application->Terminated() && Application->HandleMessage()) {
  }
  form_->OnRunFinished = nullptr;
  return finished;
}

void TLocaliseRun::Collect(TSheetResult& result) const {
  const download::DownloadRun& run = form_->DownloadRun();
  result.Backup = form_->Backup();
  for (int row = 0; row < run.RowCount() && row < form_->ListView1->Items()->Count(); ++row) {
    TListItem* item = form_->ListView1->Items()->Item(row);
    TImageResult image;
    image.Row = row;
    image.Found = item->SubItems().Strings(2);
    image.Full = FromAnsi(workflow::InnerAddress(form_->mmo2->Lines()->Strings(row)));
    if (run.Completed(row)) {
      image.Result = TImageResult::Kind::Completed;
      image.File = item->SubItems().Strings(1);
    } else if (run.Failed(row)) {
      image.Result = TImageResult::Kind::Failed;
      image.Reason = run.Reason(row);
    } else if (run.Skipped(row)) {
      image.Result = TImageResult::Kind::Skipped;
      image.Reason = download::kEmbeddedImage;
    }
    result.Images.push_back(std::move(image));
  }
}

// A message about the command itself: to the error output, or in a box when there is none
// and a window may be shown.
int Refuse(TConsoleText& console, const std::wstring& problem, bool quiet) {
  std::wstring text = problem + L"\r\n" + workflow::LocaliseUsage() + L"\r\n";
  if (!console.Err(text) && !quiet) MessageBoxW(nullptr, text.c_str(), kAppTitle, MB_OK | MB_ICONSTOP);
  return 2;
}

}  // namespace

int RunLocaliseCommand(const std::vector<std::wstring>& arguments) {
  TConsoleText console;
  workflow::TLocaliseCommand command = workflow::ParseLocaliseCommand(arguments, kDefaultPattern);
  const TLocaliseOptions& o = command.Options;
  if (!command.Problem.empty()) return Refuse(console, command.Problem, o.Quiet);
  std::vector<TSheetJob> jobs;
  std::wstring problem = PlanSheets(o, jobs);
  if (problem.empty()) problem = ReportProblem(o.Report);
  if (!problem.empty()) return Refuse(console, problem, o.Quiet);
  TLocaliseRun run(o, console);
  problem = run.Prepare(ParseSkinOption(arguments));
  if (!problem.empty()) return Refuse(console, problem, o.Quiet);
  return run.Run(jobs);
}
