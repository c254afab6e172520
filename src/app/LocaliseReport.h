// The report of the command line's run: one line per image (sheet, row, the address as the
// sheet writes it, the full address asked for, the result, the local file), a summary line
// after each sheet's images and one for the whole run; and the run's exit status. Fields are
// separated by tabs, lines end with CR LF. No field holds either: in every field a tab, a
// carriage return and a line feed are written as the two characters "\t", "\r" and "\n",
// and any other control character (below U+0020, and U+007F) as "\x" and two hex digits.
// Other characters, backslashes among them, stand for themselves, so the sheets' and files'
// Windows paths read as given (Windows names hold no control characters).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace app {

struct TImageResult {
  int Row = 0;
  std::wstring Found;   // as the sheet writes it
  std::wstring Full;    // the address asked for
  enum class Kind { Completed, Failed, Skipped, Unfinished };
  Kind Result = Kind::Unfinished;
  std::wstring Reason;  // why it failed or was skipped
  std::wstring File;    // the local file's name, for a completed image
};

struct TSheetResult {
  std::wstring Sheet;    // as given on the command line
  bool Opened = false;   // its text was read
  std::wstring Problem;  // why it could not be opened, analysed or rewritten; empty: none
  std::wstring Backup;   // where its backup went; empty: the sheet was not rewritten
  std::vector<TImageResult> Images;
  int Count(TImageResult::Kind result) const;
};

// `text` as a field of the report: its control characters escaped as described above.
std::wstring ReportField(std::wstring_view text);
// The sheet's image lines and its summary line.
std::wstring SheetReport(const TSheetResult& sheet);
// The line that sums the run up.
std::wstring RunReportLine(const std::vector<TSheetResult>& sheets);
// 2 when a sheet could not be opened, analysed or rewritten; 1 when an image failed (or did
// not finish); 0 when every image completed or was skipped.
int ExitStatus(const std::vector<TSheetResult>& sheets);

}  // namespace app
