// The gallery's window: one of every kind of control, grouped and labelled on a few pages,
// skinned by the skin chosen on the command line; File > Load skin... and a package file
// dropped on the window switch it to another skin.
#pragma once

#include <vector>

#include "GallerySkin.h"
#include "skin/frame/SkinManage.h"
#include "ui/ComCtrls.h"
#include "ui/Dialogs.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"

namespace skinview {

inline constexpr const wchar_t kGalleryTitle[] = L"Vexlo 皮肤预览";

class TGalleryForm : public ui::TForm {
  UI_CLASS_INFO
 public:
  TGalleryForm(ui::TComponent* owner, const TSkinChoice& skin);

  // The skin data component, or none when there was no package to load.
  skin::TSkinData* SkinData() const { return skinData_; }
  // The groups' panels of every page, in the order they were added.
  const std::vector<ui::TPanel*>& Groups() const { return groups_; }
  // One page per set of families.
  ui::TPageControl* Pages() const { return pages_; }
  // The dialog of File > Load skin...
  ui::TOpenDialog* SkinDialog() const { return skinDialog_; }
  // What the caption names as the skin shown.
  const std::wstring& SkinSource() const { return source_; }

  // Switches the gallery to the skin package in the file, frames and controls alike. A file
  // that cannot be used is named in a message with the reason, and the skin shown stays.
  bool LoadSkinFile(const std::wstring& path);

 private:
  void BuildGallery();
  void ChooseSkinFile();
  void ShowSource();

  skin::TSkinData* skinData_ = nullptr;
  ui::TPageControl* pages_ = nullptr;
  ui::TOpenDialog* skinDialog_ = nullptr;
  std::wstring source_;
  std::vector<ui::TPanel*> groups_;
};

// Shows why the skin asked for is not shown, over the active window.
void ShowSkinProblem(const std::wstring& problem);

}  // namespace skinview
