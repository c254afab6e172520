// What a download row shows for a progress report, and the bookkeeping of one download run:
// which rows completed, and that each download moves the run on exactly once.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace download {

// The "进度" cell for a report: the percentage with two decimals, `decimalSeparator` between
// the whole part and the decimals, and "%" when progress is above 100; "%" alone otherwise
// (and when the maximum is 0); "100%" for a completion.
std::wstring ProgressCell(uint32_t progress, uint32_t maximum, std::wstring_view decimalSeparator);
// The same with the decimal separator of the locale in use (ProgressLocale.cpp: Windows only).
std::wstring ProgressCell(uint32_t progress, uint32_t maximum);
// A report whose progress equals its maximum completes the download.
inline bool IsCompletion(uint32_t progress, uint32_t maximum) { return progress == maximum; }
// The row caption: "完成" and the row for a completion, the row and "下载中..." otherwise.
std::wstring ProgressCaption(int row, bool complete);
// The caption of a row whose download ended without completing.
std::wstring FailedCaption(int row);
// The caption and "进度" cell of a row whose image is embedded in the sheet: nothing to download.
std::wstring SkippedCaption(int row);
inline constexpr const wchar_t* kEmbeddedImage = L"内嵌图片";
// The "进度" cell for a report while the download still runs: the percentage with two
// decimals (small ones too), "100%" for a completion, the bytes received when no length was
// announced, and nothing for 0 of 0 (the service's first reports, before any answer).
std::wstring RunningCell(uint32_t progress, uint32_t maximum, std::wstring_view decimalSeparator);
// The same with the decimal separator of the locale in use (ProgressLocale.cpp: Windows only).
std::wstring RunningCell(uint32_t progress, uint32_t maximum);
// The text of the list's last row while a run waits: for its own last `count` downloads to
// end before the sheet is saved, or for `count` downloads of the earlier run to stop.
std::wstring WaitingForLastDownloads(int count);
std::wstring WaitingForEarlierRun(int count);
// The line that sums a run up when it has ended: how many images completed, failed and were
// skipped, and where the sheet's backup went (empty: the sheet was not rewritten), or that the
// sheet was not rewritten because it changed on disk during the run.
std::wstring RunSummary(int completed, int failed, int skipped, std::wstring_view backup, bool sheetChanged = false);
inline constexpr const wchar_t* kSheetChanged = L"CSS文件在运行期间被改动，未改写，下载的图片已保留。";

// One run of the sequencer: its identity, and per row whether the download ended, whether
// it completed (or why it failed) and whether it has moved the run on.
class DownloadRun {
 public:
  // Starts a new run; reports of earlier runs no longer match it.
  void Restart();
  int Id() const { return id_; }
  bool Matches(int run, int row) const { return run == id_ && row >= 0 && row < static_cast<int>(rows_.size()); }
  // A row was made (its index is the row count before).
  int AddRow(std::wstring address = {});
  // The address row `row` asked for.
  const std::wstring& Address(int row) const { return rows_.at(static_cast<size_t>(row)).address; }
  int RowCount() const { return static_cast<int>(rows_.size()); }
  // A report whose progress equals its maximum: the run may step on (the download goes on
  // and completes only when it ended). Answers whether this is the row's first step on.
  bool Complete(int row);
  // The download ended, with its file in place or without it (then `reason` says why). Only
  // this decides whether the row completed. Answers whether the run must step on now (no
  // report moved it on yet).
  bool Returned(int row, bool succeeded, std::wstring reason = {});
  bool Ended(int row) const { return row >= 0 && row < RowCount() && rows_[static_cast<size_t>(row)].ended; }
  bool Completed(int row) const { return row >= 0 && row < RowCount() && rows_[static_cast<size_t>(row)].completed; }
  bool Failed(int row) const { return row >= 0 && row < RowCount() && rows_[static_cast<size_t>(row)].failed; }
  // The image is embedded in the sheet: the row ends at once, neither completed nor failed.
  void Skip(int row);
  bool Skipped(int row) const { return row >= 0 && row < RowCount() && rows_[static_cast<size_t>(row)].skipped; }
  // Why a failed row failed; empty for any other row.
  std::wstring Reason(int row) const { return Failed(row) ? rows_[static_cast<size_t>(row)].reason : L""; }
  // The rewrite runs once per run.
  bool TakeRewrite();

 private:
  struct Row {
    std::wstring address;
    bool ended = false;
    bool completed = false;
    bool failed = false;
    bool skipped = false;
    bool advanced = false;
    std::wstring reason;
  };
  int id_ = 0;
  std::vector<Row> rows_;
  bool rewritten_ = false;
};

}  // namespace download
