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

std::wstring ReportField(std::wstring_view text) {
  static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
  std::wstring field;
  field.reserve(text.size());
  for (wchar_t c : text) {
    if (c == L'\t') {
      field += L"\\t";
    } else if (c == L'\r') {
      field += L"\\r";
    } else if (c == L'\n') {
      field += L"\\n";
    } else if (c < 0x20 || c == 0x7F) {
      field += {L'\\', L'x', kHex[c >> 4], kHex[c & 15]};
    } else {
      field += c;
    }
  }
  return field;
}

int TSheetResult::Count(Result result) const {
  return static_cast<int>(
      std::count_if(Images.begin(), Images.end(), [&](const TImageResult& i) { return i.Result == result; }));
}

std::wstring SheetReport(const TSheetResult& sheet) {
  std::wstring text;
  const std::wstring name = ReportField(sheet.Sheet);
  for (const TImageResult& image : sheet.Images)
    text += name + L"\t" + std::to_wstring(image.Row) + L"\t" + ReportField(image.Found) + L"\t" + ReportField(image.Full) +
            L"\t" + ReportField(ResultText(image)) + L"\t" + ReportField(image.File) + L"\r\n";
  text += name + L"\t";
  if (!sheet.Opened) return text + ReportField(L"无法打开：" + sheet.Problem) + L"\r\n";
  std::wstring summary =
      download::RunSummary(sheet.Count(Result::Completed), sheet.Count(Result::Failed) + sheet.Count(Result::Unfinished),
                           sheet.Count(Result::Skipped), sheet.Backup);
  return text + ReportField(summary + (sheet.Problem.empty() ? L"" : L" " + sheet.Problem)) + L"\r\n";
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
