#include "app/LocaliseReport.h"

#include <algorithm>

#include "app/download/Progress.h"

namespace app {
namespace {

using Result = TImageResult::Kind;

std::wstring ResultText(const TImageResult& image) {
  switch (image.Result) {
    case Result::Completed: return L"完成";
    case Result::Failed: return L"失败：" + image.Reason;
    case Result::Skipped: return L"跳过：" + image.Reason;
    case Result::Unfinished: break;
  }
  return L"未完成";
}

}  // namespace

int TSheetResult::Count(Result result) const {
  return static_cast<int>(
      std::count_if(Images.begin(), Images.end(), [&](const TImageResult& i) { return i.Result == result; }));
}

std::wstring SheetReport(const TSheetResult& sheet) {
  std::wstring text;
  for (const TImageResult& image : sheet.Images)
    text += sheet.Sheet + L"\t" + std::to_wstring(image.Row) + L"\t" + image.Found + L"\t" + image.Full + L"\t" +
            ResultText(image) + L"\t" + image.File + L"\r\n";
  text += sheet.Sheet + L"\t";
  if (!sheet.Opened) return text + L"无法打开：" + sheet.Problem + L"\r\n";
  text += download::RunSummary(sheet.Count(Result::Completed), sheet.Count(Result::Failed) + sheet.Count(Result::Unfinished),
                               sheet.Count(Result::Skipped), sheet.Backup);
  return text + (sheet.Problem.empty() ? L"" : L" " + sheet.Problem) + L"\r\n";
}

std::wstring RunReportLine(const std::vector<TSheetResult>& sheets) {
  int completed = 0, failed = 0, skipped = 0, troubled = 0;
  for (const TSheetResult& sheet : sheets) {
    completed += sheet.Count(Result::Completed);
    failed += sheet.Count(Result::Failed) + sheet.Count(Result::Unfinished);
    skipped += sheet.Count(Result::Skipped);
    troubled += !sheet.Problem.empty();
  }
  return L"共 " + std::to_wstring(sheets.size()) + L" 个CSS文件：完成 " + std::to_wstring(completed) + L" 个，失败 " +
         std::to_wstring(failed) + L" 个，跳过 " + std::to_wstring(skipped) + L" 个；无法处理的CSS文件 " +
         std::to_wstring(troubled) + L" 个。\r\n";
}

int ExitStatus(const std::vector<TSheetResult>& sheets) {
  int status = 0;
  for (const TSheetResult& sheet : sheets) {
    if (!sheet.Problem.empty()) return 2;
    if (sheet.Count(Result::Failed) + sheet.Count(Result::Unfinished) > 0) status = 1;
  }
  return status;
}

}  // namespace app
