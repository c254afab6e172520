#include "app/DownloadRows.h"

namespace app {

void TListViewRows::Fill(ui::TListItem& item, const download::TRowCells& cells) {
  item.SetCaption(cells.Caption);
  item.SubItems().SetStrings(0, cells.Progress);
  item.SubItems().SetStrings(1, cells.Name);
  item.SubItems().SetStrings(2, cells.Address);
}

void TListViewRows::AddRow(const download::TRowCells& cells) { Fill(*list_.Items()->Add(), cells); }

void TListViewRows::SetRow(int row, const std::wstring& caption, const std::wstring& progress) {
  ui::TListItem* item = list_.Items()->Item(row);
  item->SubItems().SetStrings(0, progress);
  item->SetCaption(caption);
}

void TListViewRows::SetLastRow(const download::TRowCells& cells) {
  Fill(*list_.Items()->Item(list_.Items()->Count() - 1), cells);
}

void TListViewRows::DeleteLastRow() { list_.Items()->Delete(list_.Items()->Count() - 1); }

void TListViewRows::ScrollToEnd() { list_.Scroll(0, 100000); }

void TListViewRows::Clear() { list_.Items()->Clear(); }

}  // namespace app
