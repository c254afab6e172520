// The skin gallery: one window with every kind of control, skinned by the program's own skin
// or by the skin package file named on the command line. Closing the window ends it.
#include "GalleryForm.h"
#include "GallerySkin.h"
#include "ui/SysUtils.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  ui::Application->Initialize();
  ui::Application->SetTitle(skinview::kGalleryTitle);
  const skinview::TSkinChoice skin = skinview::ChooseSkin(ui::ParamStrings());
  if (!skin.problem.empty()) skinview::ShowSkinProblem(skin.problem);
  ui::Application->CreateForm<skinview::TGalleryForm>(skin);
  ui::Application->Run();
  return 0;
}
