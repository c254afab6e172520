// The main window: a header band, the page control with the four step pages and the
// feedback page, the hidden text holders and the non-visual components. The handlers of the
// workflow live beside it (one file per step).
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "app/DownloadRows.h"
#include "app/RegExp.h"
#include "app/TextHolder.h"
#include "app/download/Sequencer.h"
#include "skin/frame/SkinManage.h"
#include "ui/ComCtrls.h"
#include "ui/Dialogs.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/OleCtrls.h"
#include "ui/StdCtrls.h"
#include "ui/Timer.h"

class TForm1 : public ui::TForm {
  UI_CLASS_INFO
 public:
  explicit TForm1(ui::TComponent* owner);

  // Header band.
  ui::TPanel* pnl4;
  ui::TLabel* lbl8;
  ui::TLabel* lbl7;
  ui::TLabel* lbl1;
  ui::TLabel* lbl2;
  // Pages.
  ui::TPageControl* pgc1;
  ui::TTabSheet* ts1;
  ui::TTabSheet* ts2;
  ui::TTabSheet* ts3;
  ui::TTabSheet* ts4;
  ui::TTabSheet* ts5;
  ui::TShape* shp2;
  ui::TShape* shp3;
  ui::TShape* shp4;
  ui::TShape* shp5;
  // Step one.
  ui::TButton* btn1;
  ui::TPanel* pnl2;
  ui::TMemo* mmo4;
  app::TTextHolder* Memo1;
  // Step two.
  ui::TButton* btn2;
  ui::TEdit* edt1;
  ui::TLabel* lbl3;
  ui::TMemo* mmo1;
  // Step three.
  ui::TPanel* pnl1;
  ui::TLabel* lbl4;
  ui::TShape* shp1;
  ui::TLabeledEdit* lbledt1;
  ui::TLabeledEdit* lbledt2;
  ui::TButton* btn3;
  ui::TButton* btn4;
  ui::TMemo* mmo2;
  app::TTextHolder* mmo3;
  // Step four.
  ui::TCheckBox* chk1;
  ui::TButton* btn5;
  ui::TButton* btn6;
  ui::TListView* ListView1;
  ui::TPanel* pnl3;
  ui::TWebBrowser* wb1;
  ui::TLabel* lbl9;   // the summary of the run that ended
  ui::TButton* btn7;  // copies the run's failed images with their reasons
  // Feedback.
  ui::TWebBrowser* wb2;
  ui::TPanel* pnl5;
  ui::TLabel* lbl6;
  // Non-visual.
  skin::TSkinData* SkinData1 = nullptr;
  app::TRegExp* RegExp1;
  ui::TOpenDialog* dlgOpen1;
  ui::TTimer* tmr1;

  // Handlers that belong to the window itself.
  void FormShow(ui::TObject* sender);
  void FormClose(ui::TObject* sender);
  void lbl4Click(ui::TObject* sender);
  void ts5Show(ui::TObject* sender);
  void lbl6Click(ui::TObject* sender);
  // Steps one to three.
  void btn1Click(ui::TObject* sender);
  void btn2Click(ui::TObject* sender);
  void mmo1Change(ui::TObject* sender);
  void btn3Click(ui::TObject* sender);
  void btn4Click(ui::TObject* sender);

  // Step four and the end of a run.
  void btn5Click(ui::TObject* sender);
  void tmr1Timer(ui::TObject* sender);
  void btn6Click(ui::TObject* sender);
  void btn7Click(ui::TObject* sender);
  // Step one without its dialog: the sheet at `path` into Memo1, its folder into Hint.
  // Raises when the file cannot be read, and nothing changes.
  void OpenSheet(const std::wstring& path);
  // Step three without the test page: the full addresses into mmo2, the page into mmo3.
  void ConvertAddresses();
  // Step four without the product page: a new run over the converted list. Answers false
  // when the list is empty (no run starts, and none ends).
  bool StartRun();
  // Raised when a run has ended, after its rewrite and summary, also when the rewrite failed
  // (its error goes on to the application afterwards).
  std::function<void()> OnRunFinished;
  // Up to `jobs` downloads at once without the pacing; 0: the pacing of tmr1.
  void SetJobs(int jobs) { sequencer_->SetJobs(jobs); }
  // Where the last run's rewrite put the sheet's backup; empty when it wrote none.
  const std::wstring& Backup() const { return backup_; }
  // The last run's rewrite found the sheet changed on disk since it was loaded, and wrote
  // nothing.
  bool SheetChanged() const { return sheetChanged_; }

  // The file name an address names (after its last "/", before its first "?").
  std::string geturlfn(const std::string& address) const;

  // Where step three writes the test page: beside the executable.
  static std::wstring TestPagePath();
  // Step four's run: its rows, its downloads and where it is.
  const download::TSequencer& Sequencer() const { return *sequencer_; }
  // The download run in progress: which rows completed (the rewrite needs it).
  const download::DownloadRun& DownloadRun() const { return sequencer_->Run(); }
  // Downloads that make no progress for this long are aborted (download::kStallLimitMs).
  void SetStallLimit(DWORD ms) { sequencer_->SetStallLimit(ms); }
  // Downloads that run this long are aborted (download::kTotalLimitMs).
  void SetTotalLimit(DWORD ms) { sequencer_->SetTotalLimit(ms); }
  // Downloads of any run that have not ended yet.
  int RunningDownloads() const { return sequencer_->RunningDownloads(); }

  void WndProc(ui::TMessage& message) override;

 private:
  void BuildHeader();
  void BuildPages();
  void BuildStep1();
  void BuildStep2();
  void BuildStep3();
  void BuildStep4();
  void BuildFeedback();
  void BuildComponents();
  void ConnectHandlers();
  std::vector<download::TJobLine> JobLines() const;
  void RunEnded();
  std::wstring BackupPath() const;
  void ShowRunSummary();
  void HideRunSummary();
  std::wstring FailedImages() const;

  std::wstring backup_;  // where this run's rewrite put the sheet's backup; empty: not written
  bool sheetChanged_ = false;  // this run's rewrite found the sheet changed and wrote nothing
  std::unique_ptr<app::TListViewRows> rows_;            // ListView1 as the sequencer's rows
  std::unique_ptr<download::TSequencer> sequencer_;    // step four's run
};

extern TForm1* Form1;
