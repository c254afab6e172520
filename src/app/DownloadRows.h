// The download list of step four as the sequencer writes it: one list-view item per row, its
// caption in the first column and the progress, file name and address in the sub-items.
#pragma once

#include "app/download/Sequencer.h"
#include "ui/ComCtrls.h"

namespace app {

class TListViewRows : public download::TRowView {
 public:
  explicit TListViewRows(ui::TListView& list) : list_(list) {}

  void AddRow(const download::TRowCells& cells) override;
  void SetRow(int row, const std::wstring& caption, const std::wstring& progress) override;
  void SetLastRow(const download::TRowCells& cells) override;
  void DeleteLastRow() override;
  void ScrollToEnd() override;
  void Clear() override;

 private:
  static void Fill(ui::TListItem& item, const download::TRowCells& cells);

  ui::TListView& list_;
};

}  // namespace app
