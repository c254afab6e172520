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

// One run of the sequencer: its identity, and per row whether the download completed and
// whether it has moved the run on.
class DownloadRun {
 public:
  // Starts a new run; reports of earlier runs no longer match it.
  void Restart();
  int Id() const { return id_; }
  bool Matches(int run, int row) const { return run == id_ && row >= 0 && row < static_cast<int>(rows_.size()); }
  // A row was made (its index is the row count before).
  int AddRow();
  int RowCount() const { return static_cast<int>(rows_.size()); }
  // A completion report: answers whether this is the row's first step on (arm the timer).
  bool Complete(int row);
  // The download call returned, with the file or without it. Its outcome decides whether the
  // row completed, whatever reports said before. Answers whether the run must step on now
  // (no completion report moved it on yet).
  bool Returned(int row, bool succeeded);
  bool Completed(int row) const { return row >= 0 && row < RowCount() && rows_[static_cast<size_t>(row)].completed; }
  bool Failed(int row) const { return row >= 0 && row < RowCount() && rows_[static_cast<size_t>(row)].failed; }
  // The rewrite runs once per run.
  bool TakeRewrite();

 private:
  struct Row {
    bool completed = false;
    bool failed = false;
    bool advanced = false;
  };
  int id_ = 0;
  std::vector<Row> rows_;
  bool rewritten_ = false;
};

}  // namespace download
