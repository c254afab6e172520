// The end of a run as the user sees it: one line that sums the run up, and the failed
// images with their reasons, ready to copy.
#include "app/LocaliseReport.h"
#include "app/Unit1.h"
#include "ui/Clipbrd.h"
#include "ui/SysUtils.h"

using namespace ui;

void TForm1::ShowRunSummary() {
  const download::DownloadRun& run = DownloadRun();
  int completed = 0, failed = 0, skipped = 0;
  for (int row = 0; row < run.RowCount(); ++row) {
    completed += run.Completed(row);
    failed += run.Failed(row);
    skipped += run.Skipped(row);
  }
  std::wstring summary = download::RunSummary(completed, failed, skipped, backup_, sheetChanged_);
  lbl9->SetCaption(summary);
  lbl9->SetHint(summary);  // the whole line, should a long backup path not fit
  lbl9->SetVisible(true);
  btn7->SetVisible(failed > 0);
}

void TForm1::HideRunSummary() {
  lbl9->SetVisible(false);
  btn7->SetVisible(false);
}

// One line per failed image: its row, the address as the sheet writes it, the address that
// was asked for, and why it failed, separated by tabs; each field escaped as the command
// line's report escapes it, so that a tab or a line break in an address keeps its columns.
std::wstring TForm1::FailedImages() const {
  const download::DownloadRun& run = DownloadRun();
  std::wstring text;
  for (int row = 0; row < run.RowCount() && row < ListView1->Items()->Count(); ++row) {
    if (!run.Failed(row)) continue;
    text += download::FailedCaption(row) + L"\t" + app::ReportField(ListView1->Items()->Item(row)->SubItems().Strings(2)) +
            L"\t" + app::ReportField(run.Address(row)) + L"\t" + app::ReportField(run.Reason(row)) + L"\r\n";
  }
  return text;
}

void TForm1::btn7Click(TObject*) {
  if (!SetClipboardText(Handle(), FailedImages())) RaiseLastOSError();
}
