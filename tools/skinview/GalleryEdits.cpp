// Edits, edits with a label of their own, and memos.
#include <string>

#include "Gallery.h"

namespace skinview {

namespace {

void AddEdits(TGallery& gallery) {
  TGalleryGroup group = gallery.AddGroup(L"编辑框 Edits", 1, 160);
  const int width = group.BodyWidth();
  group.Add<ui::TEdit>(0, 0, width, 21)->SetText(L"Normal edit: type here");
  auto* readOnly = group.Add<ui::TEdit>(0, 28, width, 21);
  readOnly->SetText(L"Read-only edit");
  readOnly->SetReadOnly(true);
  auto* disabled = group.Add<ui::TEdit>(0, 56, width, 21);
  disabled->SetText(L"Disabled edit");
  disabled->SetEnabled(false);

  // Labelled edits: the label beside the edit, then above it, then a disabled one.
  const int labelRoom = 76;
  auto* left = group.Add<ui::TLabeledEdit>(labelRoom, 84, width - labelRoom, 21);
  left->SetLabelPosition(ui::lpLeft);
  left->EditLabel()->SetCaption(L"Label left:");
  left->SetText(L"Labelled edit");
  auto* above = group.Add<ui::TLabeledEdit>(0, 139, (width - kGap) / 2, 21);
  above->EditLabel()->SetCaption(L"Label above:");
  above->SetText(L"Labelled edit");
  auto* off = group.Add<ui::TLabeledEdit>((width + kGap) / 2, 139, (width - kGap) / 2, 21);
  off->EditLabel()->SetCaption(L"Disabled:");
  off->SetText(L"Labelled edit");
  off->SetEnabled(false);
}

// Enough lines, long enough, that both scroll bars have something to scroll.
std::wstring MemoLines() {
  std::wstring text;
  for (int i = 1; i <= 40; ++i) {
    if (i > 1) text += L"\r\n";
    text += L"Line " + std::to_wstring(i) +
            L": a memo with more lines than it shows, and lines longer than it is wide.";
  }
  return text;
}

void AddMemos(TGallery& gallery) {
  TGalleryGroup group = gallery.AddGroup(L"多行编辑框 Memos", 1, 178);
  const int width = group.BodyWidth();
  auto* memo = group.Add<ui::TMemo>(0, 0, width, 120);
  memo->SetScrollBars(ui::ssBoth);
  memo->SetWordWrap(false);
  memo->SetText(MemoLines());
  auto* disabled = group.Add<ui::TMemo>(0, 128, width, 50);
  disabled->SetText(L"Disabled memo\r\nwith two lines");
  disabled->SetEnabled(false);
}

}  // namespace

void AddEditGroups(TGallery& gallery) {
  AddEdits(gallery);
  AddMemos(gallery);
}

}  // namespace skinview
