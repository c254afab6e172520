// Step four as the window sees it: the start button hands the converted and found lists to
// the sequencer, the pacing timer's ticks and the workers' messages go on to it, and the end
// of its run is answered with the rewrite and the run's summary.
#include "app/SheetAddress.h"
#include "app/Texts.h"
#include "app/Unit1.h"

using namespace ui;

std::string TForm1::geturlfn(const std::string& address) const { return workflow::UrlFileName(address); }

// One job per converted line (mmo2), with the found line of the same index (mmo1). The lists
// are read whole: a memo hands out only the start of a long line.
std::vector<download::TJobLine> TForm1::JobLines() const {
  TStringList converted, found;
  converted.Assign(*mmo2->Lines());
  found.Assign(*mmo1->Lines());
  std::vector<download::TJobLine> lines;
  for (int i = 0; i < converted.Count(); ++i) lines.push_back({converted.Strings(i), found.Strings(i)});
  return lines;
}

void TForm1::btn5Click(TObject*) {
  wb1->Navigate(kProductPage);
  wb1->SetAlign(alNone);
  wb1->SetBounds(ScaleValue(-3), ScaleValue(-3), ScaleValue(300), ScaleValue(350));
  pnl3->Show();
  StartRun();
}

bool TForm1::StartRun() {
  sequencer_->Restart();
  HideRunSummary();
  backup_.clear();
  sheetChanged_ = false;
  std::vector<download::TJobLine> lines = JobLines();
  if (lines.empty()) return false;
  sequencer_->Start(std::move(lines));
  return true;
}

void TForm1::tmr1Timer(TObject*) { sequencer_->Tick(); }

// The summary shows whether or not the rewrite could write its files; whoever waits for the
// run hears of its end before a failed rewrite's error goes on to the application.
void TForm1::RunEnded() {
  try {
    btn6->Click();
  } catch (...) {
    ShowRunSummary();
    if (OnRunFinished) OnRunFinished();
    throw;
  }
  ShowRunSummary();
  if (OnRunFinished) OnRunFinished();
}

// Closing the window ends the run without a rewrite; no worker outlives the window.
void TForm1::FormClose(TObject*) { sequencer_->Stop(); }

void TForm1::WndProc(TMessage& m) {
  if (sequencer_ && sequencer_->HandleMessage(m.Msg, m.WParam, m.LParam)) return;
  TForm::WndProc(m);
}
