#include "app/download/Progress.h"

#include <cstdio>
#include <utility>

namespace download {

namespace {

std::wstring Percentage(uint32_t progress, uint32_t maximum, std::wstring_view decimalSeparator) {
  wchar_t number[64];  // the C library's "." stands for the decimal separator
  std::swprintf(number, 64, L"%.2f", static_cast<double>(progress) / maximum * 100);
  std::wstring text = number;
  size_t point = text.find(L'.');
  if (point != std::wstring::npos) text.replace(point, 1, decimalSeparator);
  return text + L"%";
}

}  // namespace

std::wstring ProgressCell(uint32_t progress, uint32_t maximum, std::wstring_view decimalSeparator) {
  if (IsCompletion(progress, maximum)) return L"100%";
  if (progress <= 100 || maximum == 0) return L"%";
  return Percentage(progress, maximum, decimalSeparator);
}

std::wstring ProgressCaption(int row, bool complete) {
  return complete ? L"完成" + std::to_wstring(row) : std::to_wstring(row) + L"下载中...";
}

std::wstring FailedCaption(int row) { return L"失败" + std::to_wstring(row); }

std::wstring SkippedCaption(int row) { return L"跳过" + std::to_wstring(row); }

std::wstring RunningCell(uint32_t progress, uint32_t maximum, std::wstring_view decimalSeparator) {
  if (maximum == 0) return progress == 0 ? L"" : std::to_wstring(progress) + L" 字节";
  if (IsCompletion(progress, maximum)) return L"100%";
  return Percentage(progress, maximum, decimalSeparator);
}

std::wstring WaitingForLastDownloads(int count) {
  return L"等待最后 " + std::to_wstring(count) + L" 个图片下载结束...";
}

std::wstring WaitingForEarlierRun(int count) {
  return L"等待上一次的 " + std::to_wstring(count) + L" 个下载停止...";
}

std::wstring RunSummary(int completed, int failed, int skipped, std::wstring_view backup, bool sheetChanged) {
  std::wstring line = L"完成 " + std::to_wstring(completed) + L" 个，失败 " + std::to_wstring(failed) +
                      L" 个，跳过 " + std::to_wstring(skipped) + L" 个。";
  if (sheetChanged) return line + kSheetChanged;
  return line + (backup.empty() ? L"CSS文件未修改。" : L"原CSS文件已备份为 " + std::wstring(backup));
}

void DownloadRun::Restart() {
  ++id_;
  rows_.clear();
  rewritten_ = false;
}

int DownloadRun::AddRow(std::wstring address) {
  rows_.emplace_back();
  rows_.back().address = std::move(address);
  return RowCount() - 1;
}

bool DownloadRun::Complete(int row) {
  Row& r = rows_.at(static_cast<size_t>(row));
  bool first = !r.advanced;
  r.advanced = true;
  return first;
}

bool DownloadRun::Returned(int row, bool succeeded, std::wstring reason) {
  Row& r = rows_.at(static_cast<size_t>(row));
  r.ended = true;
  r.completed = succeeded;
  r.failed = !succeeded;
  r.reason = succeeded ? L"" : std::move(reason);
  bool first = !r.advanced;
  r.advanced = true;
  return first;
}

void DownloadRun::Skip(int row) {
  Row& r = rows_.at(static_cast<size_t>(row));
  r.ended = r.skipped = r.advanced = true;
}

bool DownloadRun::TakeRewrite() {
  if (rewritten_) return false;
  rewritten_ = true;
  return true;
}

}  // namespace download
