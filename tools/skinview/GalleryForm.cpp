#include "GalleryForm.h"

#include "Gallery.h"

namespace skinview {

const ui::TClassInfo& TGalleryForm::StaticClass() {
  static const ui::TClassInfo info(L"TGalleryForm", &ui::TForm::StaticClass());
  return info;
}

TGalleryForm::TGalleryForm(ui::TComponent* owner, const TSkinChoice& skin) : ui::TForm(owner) {
  SetName(L"GalleryForm");
  // The skin comes first, as with the program's main window. The gallery skins every kind of
  // control the engine knows, so that a skin's every element can be seen.
  skinData_ = skin::CreateSkinData(this, skin.package, skin::kDefaultSkinControls);
  if (skinData_) skinData_->SetName(L"SkinData1");
  SetCaption(std::wstring(kGalleryTitle) + L" - " + skin.source);
  SetBorderStyle(ui::bsSingle);
  SetBorderIcons((1 << ui::biSystemMenu) | (1 << ui::biMinimize));
  SetPosition(ui::poDesktopCenter);
  Font()->SetName(L"宋体");
  Font()->SetHeight(-12);
  Font()->SetCharset(GB2312_CHARSET);
  SetColor(ui::clBtnFace);
  BuildGallery();
}

// Every family adds its groups here, in the order they are laid out.
void TGalleryForm::BuildGallery() {
  // Menus belong first, before the groups: the client area is fitted last, below any menu bar.
  TGallery gallery(*this);
  AddButtonGroups(gallery);
  AddStaticGroups(gallery);
  AddEditGroups(gallery);
  AddViewGroups(gallery);
  groups_ = gallery.Groups();
  // Last: the client area is fitted to the groups.
  gallery.FitForm();
}

void ShowSkinProblem(const std::wstring& problem) {
  const std::wstring title = ui::Application ? ui::Application->Title() : std::wstring(kGalleryTitle);
  MessageBoxW(GetActiveWindow(), problem.c_str(), title.c_str(), MB_OK | MB_ICONWARNING);
}

}  // namespace skinview
