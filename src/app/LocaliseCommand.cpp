#include "app/LocaliseCommand.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "app/ConsoleText.h"
#include "app/LocaliseOptions.h"
#include "app/LocaliseReport.h"
#include "app/PatternSyntax.h"
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

bool SamePath(std::wstring_view a, std::wstring_view b) {
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

// What tells a file from every other: its volume's serial number and its index there.
struct TFileId {
  DWORD Volume, High, Low;
  bool operator==(const TFileId&) const = default;
};

std::optional<TFileId> FileId(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  bool known = GetFileInformationByHandle(h, &info) && (info.nFileIndexHigh | info.nFileIndexLow) != 0;
  CloseHandle(h);
  if (!known) return std::nullopt;
  return TFileId{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

// Whether two full paths, with the identities of their files, name one file: by the files'
// identity where both exist (whatever the spelling, links and short names too), else by the
// paths without regard to letter case.
bool SameFile(const std::wstring& a, const std::optional<TFileId>& ia, const std::wstring& b,
              const std::optional<TFileId>& ib) {
  if (ia && ib) return *ia == *ib;
  return SamePath(a, b);
}

// One sheet of the command: as given, its full path, the prefix of its relative addresses, and
// its file's identity when it exists.
struct TSheetJob {
  std::wstring Given;
  std::wstring Path;
  std::wstring RelativePrefix;
  std::optional<TFileId> Id;
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
// the sheet's folder below the root with its closing slash. A sheet named again (in any
// spelling) is localised once, at its first place: `notes` says which were left out. Answers
// what is wrong, if anything.
std::wstring PlanSheets(const TLocaliseOptions& o, std::vector<TSheetJob>& jobs, std::wstring& notes) {
  std::wstring root = FullPath(o.Root.empty() ? L"." : o.Root);
  if (!root.ends_with(L'\\')) root += L'\\';
  DWORD attributes = GetFileAttributesW(root.c_str());
  if (o.Folder.empty() && (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)))
    return L"The root folder \"" + root + L"\" does not exist.";
  for (const std::wstring& given : o.Sheets) {
    TSheetJob job{given, FullPath(given), o.Folder, std::nullopt};
    job.Id = FileId(job.Path);
    auto earlier = std::find_if(jobs.begin(), jobs.end(),
                                [&](const TSheetJob& j) { return SameFile(j.Path, j.Id, job.Path, job.Id); });
    if (earlier != jobs.end()) {
      notes += L"The sheet \"" + given + L"\" is \"" + earlier->Given + L"\" again: it is localised once.\r\n";
      continue;
    }
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

// Whether `path` is a name the rewrite may give a sheet's backup: the sheet's path followed by
// ".bak", or by ".bak." and a number.
bool IsBackupName(const std::wstring& path, const std::wstring& sheet) {
  std::wstring base = sheet + L".bak";
  if (!StartsWithNoCase(path, base)) return false;
  std::wstring_view rest = std::wstring_view(path).substr(base.size());
  if (rest.empty()) return true;
  return rest.size() > 1 && rest[0] == L'.' &&
         rest.find_first_not_of(L"0123456789", 1) == std::wstring_view::npos;
}

// A report (its full path) that would take the place of a sheet or of a sheet's backup.
std::wstring ReportClash(const std::wstring& report, const std::vector<TSheetJob>& jobs) {
  const std::optional<TFileId> id = FileId(report);
  for (const TSheetJob& job : jobs) {
    if (SameFile(report, id, job.Path, job.Id))
      return L"The report \"" + report + L"\" is the sheet \"" + job.Given + L"\" itself.";
    if (IsBackupName(report, job.Path) || SameFile(report, id, job.Path + L".bak", FileId(job.Path + L".bak")))
      return L"The report \"" + report + L"\" would take the name of a backup of the sheet \"" + job.Given + L"\".";
  }
  return {};
}

// Makes sure the report (its full path) can be written before any download: its folder exists,
// it is no folder and not read-only (which opening it for writing does not always tell), and it
// opens for writing. From then on the file exists, empty when it is new, until the report
// replaces it: no downloaded image is given its name. `created` tells whether it was made here.
std::wstring PrepareReport(const std::wstring& path, bool& created) {
  created = false;
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    std::wstring folder = workflow::FolderOf(path);
    DWORD folderAttributes = GetFileAttributesW(folder.c_str());
    if (folderAttributes == INVALID_FILE_ATTRIBUTES || !(folderAttributes & FILE_ATTRIBUTE_DIRECTORY))
      return L"The report's folder \"" + folder + L"\" does not exist.";
  } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    return L"The report \"" + path + L"\" is a folder.";
  } else if (attributes & FILE_ATTRIBUTE_READONLY) {
    return L"The report \"" + path + L"\" is read-only.";
  }
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return EFCreateError(path, GetLastError()).Message();
  created = GetLastError() != ERROR_ALREADY_EXISTS;
  CloseHandle(h);
  return {};
}

// The sheets' run through the main window's steps.
class TLocaliseRun {
 public:
  // `report`: the report's full path, or empty.
  TLocaliseRun(const TLocaliseOptions& options, std::wstring report, TConsoleText& console)
      : o_(options), report_(std::move(report)), console_(console) {}

  // Makes the window, with the skin asked for and the pattern; answers what is wrong.
  std::wstring Prepare(const TSkinOption& skin);
  int Run(const std::vector<TSheetJob>& jobs);

 private:
  std::wstring PatternProblem();
  TSheetResult Localise(const TSheetJob& job);
  bool WaitForRun();
  void Collect(TSheetResult& result) const;

  const TLocaliseOptions& o_;
  const std::wstring report_;
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
// Step two lists the second capture of each match: a pattern with fewer groups is refused too.
std::wstring TLocaliseRun::PatternProblem() {
  const std::wstring cannot = L"The pattern \"" + o_.Pattern + L"\" cannot be used: ";
  try {
    form_->RegExp1->SetGlobal(true);
    form_->RegExp1->SetPattern(o_.Pattern);
    form_->RegExp1->SetIgnoreCase(true);
    form_->RegExp1->Execute(L"");
  } catch (const app::ERegExpError& e) {
    return cannot + e.Reason();
  } catch (const std::exception& e) {
    return cannot + ExceptionMessage(e);
  }
  int groups = workflow::CapturingGroups(o_.Pattern);
  if (groups < workflow::kImageGroup)
    return cannot + L"it has " + std::to_wstring(groups) + L" capturing group" + (groups == 1 ? L"" : L"s") +
           L", and the image is the second group's capture.";
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
  if (!report_.empty()) {
    try {
      SaveBytesSafely(report_, Utf8(report));
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
  if (form_->SheetChanged()) raised_ += download::kSheetChanged;
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
  TStringList converted;
  converted.Assign(*form_->mmo2->Lines());  // whole lines, however long
  for (int row = 0; row < run.RowCount() && row < form_->ListView1->Items()->Count(); ++row) {
    TListItem* item = form_->ListView1->Items()->Item(row);
    TImageResult image;
    image.Row = row;
    image.Found = item->SubItems().Strings(2);
    image.Full = FromAnsi(workflow::InnerAddress(converted.Strings(row)));
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
  std::wstring notes;
  std::wstring problem = PlanSheets(o, jobs, notes);
  // Every output path is whole and checked before any download.
  const std::wstring report = o.Report.empty() ? std::wstring() : FullPath(o.Report);
  bool reportCreated = false;
  if (problem.empty() && !report.empty()) problem = ReportClash(report, jobs);
  if (problem.empty() && !report.empty()) problem = PrepareReport(report, reportCreated);
  TLocaliseRun run(o, report, console);
  if (problem.empty()) problem = run.Prepare(ParseSkinOption(arguments));
  if (!problem.empty()) {
    if (reportCreated) DeleteFileW(report.c_str());  // nothing is left of a refused command
    return Refuse(console, problem, o.Quiet);
  }
  if (!notes.empty()) console.Err(notes);
  return run.Run(jobs);
}
