// Step four: the download sequencer. The start button makes row 0 and starts its worker;
// each tick of the one-shot timer makes the next row; the timer is armed when a download
// completes (or fails), so downloads run one after the other; past the last line the tick
// fires the rewrite. Workers report by message; rows and the timer are touched only here, on
// the window's thread.
#include <windows.h>

#include "app/Texts.h"
#include "app/Unit1.h"
#include "app/Workflow.h"
#include "app/download/BindStatusCallback.h"
#include "ui/SysUtils.h"

using namespace ui;

std::string TForm1::geturlfn(const std::string& address) const { return workflow::UrlFileName(address); }

// The name under which a line is saved: safe inside the sheet's folder, and never the name of
// a file that exists or that an earlier row of this run was given (names_ keeps the run's).
std::string TForm1::LocalFileName(int /*cursor*/, const std::string& address) {
  names_.ForRun(run_.Id());
  return names_.Take(workflow::SafeFileName(geturlfn(address), IsLeadByte), Hint());
}

void TForm1::btn5Click(TObject*) {
  SetTag(0);
  ListView1->Items()->Clear();
  run_.Restart();
  tmr1->SetEnabled(false);
  wb1->Navigate(kProductPage);
  wb1->SetAlign(alNone);
  wb1->SetBounds(-3, -3, 300, 350);
  pnl3->Show();
  if (mmo2->Lines()->Count() == 0) return;
  StartRow(0);
}

void TForm1::tmr1Timer(TObject*) {
  tmr1->SetEnabled(false);
  SetTag(Tag() + 1);
  if (Tag() > mmo2->Lines()->Count() - 1) {
    if (run_.TakeRewrite()) btn6->Click();
    return;
  }
  StartRow(Tag());
  ListView1->Scroll(0, 100000);
}

void TForm1::StartRow(int cursor) {
  std::string address = mmo2->Lines()->Strings(cursor);
  std::string name = LocalFileName(cursor, address);
  TListItem* item = ListView1->Items()->Add();
  item->SetCaption(std::to_wstring(cursor));
  item->SubItems().SetStrings(0, L"");
  item->SubItems().SetStrings(1, FromAnsi(name));
  item->SubItems().SetStrings(2, FromAnsi(mmo1->Lines()->Strings(cursor)));
  int row = run_.AddRow();
  download::TDownloadJob job{address, ToAnsi(Hint()) + name, row, run_.Id(), Handle()};
  if (name.empty() || !download::StartDownload(std::move(job))) {
    // Nothing to download into (or no worker): the row fails and the run goes on.
    TMessage ended{download::WM_DOWNLOADENDED, 0, 0, 0};
    auto* info = new download::TDownloadEnded{run_.Id(), row, E_FAIL};
    ended.LParam = reinterpret_cast<LPARAM>(info);
    DownloadEnded(ended);
  }
}

void TForm1::StepOn() { tmr1->SetEnabled(true); }

void TForm1::ProgressReported(TMessage& m) {
  std::unique_ptr<download::TProgressReport> report(reinterpret_cast<download::TProgressReport*>(m.LParam));
  if (!run_.Matches(report->Run, report->Row)) return;  // a row of an earlier run
  bool complete = download::IsCompletion(report->Progress, report->Maximum);
  TListItem* item = ListView1->Items()->Item(report->Row);
  item->SubItems().SetStrings(0, download::ProgressCell(report->Progress, report->Maximum));
  item->SetCaption(download::ProgressCaption(report->Row, complete));
  if (complete && run_.Complete(report->Row)) StepOn();
}

void TForm1::DownloadEnded(TMessage& m) {
  std::unique_ptr<download::TDownloadEnded> ended(reinterpret_cast<download::TDownloadEnded*>(m.LParam));
  if (!run_.Matches(ended->Run, ended->Row)) return;
  TListItem* item = ListView1->Items()->Item(ended->Row);
  bool succeeded = SUCCEEDED(ended->Result);
  if (succeeded) {
    item->SubItems().SetStrings(0, download::ProgressCell(0, 0));
    item->SetCaption(download::ProgressCaption(ended->Row, true));
  } else {
    item->SubItems().SetStrings(0, L"");
    item->SetCaption(download::FailedCaption(ended->Row));
  }
  if (run_.Returned(ended->Row, succeeded)) StepOn();
}

void TForm1::WndProc(TMessage& m) {
  switch (m.Msg) {
    case download::WM_DOWNLOADPROGRESS:
      ProgressReported(m);
      return;
    case download::WM_DOWNLOADENDED:
      DownloadEnded(m);
      return;
    default:
      TForm::WndProc(m);
  }
}
