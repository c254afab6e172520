// The gallery's window: one of every kind of control, grouped and labelled on a few pages,
// skinned by the skin chosen on the command line.
#pragma once

#include <vector>

#include "GallerySkin.h"
#include "skin/frame/WinSkinForm.h"
#include "ui/ComCtrls.h"
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

 private:
  void BuildGallery();

  skin::TSkinData* skinData_ = nullptr;
  ui::TPageControl* pages_ = nullptr;
  std::vector<ui::TPanel*> groups_;
};

// Shows why the skin asked for is not shown, over the active window.
void ShowSkinProblem(const std::wstring& problem);

}  // namespace skinview
