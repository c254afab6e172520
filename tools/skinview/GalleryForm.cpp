#include "GalleryForm.h"

#include "Gallery.h"
#include "GalleryMenus.h"

#include <algorithm>

#include "ui/ComCtrls.h"
#include "ui/Menus.h"

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
  source_ = skin.source;
  ShowSource();
  SetBorderStyle(ui::bsSingle);
  SetBorderIcons((1 << ui::biSystemMenu) | (1 << ui::biMinimize));
  SetPosition(ui::poDesktopCenter);
  Font()->SetName(L"宋体");
  Font()->SetHeight(-12);
  Font()->SetCharset(GB2312_CHARSET);
  SetColor(ui::clBtnFace);
  BuildGallery();
}

// Every family adds its groups here, on the page it belongs to, in the order they are laid out.
void TGalleryForm::BuildGallery() {
  // Menus belong first, before the pages: the client area is fitted last, below the menu bar.
  AddGalleryMenus(*this);
  pages_ = new ui::TPageControl(this);
  pages_->SetParent(this);
  const auto page = [this](const wchar_t* caption, auto... families) {
    auto* sheet = new ui::TTabSheet(this);
    sheet->SetCaption(caption);
    sheet->SetPageControl(pages_);
    TGallery gallery(*this, *sheet);
    (families(gallery), ...);
    groups_.insert(groups_.end(), gallery.Groups().begin(), gallery.Groups().end());
    return gallery.Extent();
  };
  const SIZE extents[] = {
      page(L"按钮与框 Buttons and boxes", AddButtonGroups, AddStaticGroups),
      page(L"编辑与列表 Edits and lists", AddEditGroups, AddListGroups),
      page(L"条、选项卡与视图 Bars, tabs and views", AddBarGroups, AddViewGroups),
  };
  // Last: the pages are made as large as the largest grid, the client area fitted to them,
  // and the status bar added below.
  SIZE largest{0, 0};
  for (const SIZE& e : extents) largest = {std::max(largest.cx, e.cx), std::max(largest.cy, e.cy)};
  pages_->SetActivePageIndex(0);
  pages_->SetBounds(0, 0, 400, 300);
  // Measuring makes the window, and with it the form is scaled to the screen: the grids'
  // extents, measured at 96 DPI, are scaled to match.
  const RECT display = pages_->DisplayRect();
  const int extraWidth = pages_->Width() - (display.right - display.left);
  const int extraHeight = pages_->Height() - (display.bottom - display.top);
  pages_->SetBounds(0, 0, ScaleValue(largest.cx) + extraWidth, ScaleValue(largest.cy) + extraHeight);
  SetClientSize(pages_->Width(), pages_->Height());
  AddStatusBar(*this);

  skinDialog_ = new ui::TOpenDialog(this);
  skinDialog_->SetName(L"dlgSkin");
  skinDialog_->SetTitle(L"Load skin");
  skinDialog_->SetFilter(L"Skin packages (*.skn)|*.skn|All files (*.*)|*.*");
  skinDialog_->SetOptions(skinDialog_->Options() | (1 << ui::ofFileMustExist));
  if (auto* item = dynamic_cast<ui::TMenuItem*>(FindComponent(L"miLoadSkin"))) {
    item->OnClick = [this](ui::TObject*) { ChooseSkinFile(); };
  }
  SetOnDropFiles([this](ui::TObject*, const std::vector<std::wstring>& files) {
    // One skin at a time: the first file dropped.
    LoadSkinFile(files.front());
  });
}

void TGalleryForm::ShowSource() { SetCaption(std::wstring(kGalleryTitle) + L" - " + source_); }

void TGalleryForm::ChooseSkinFile() {
  if (skinDialog_->Execute()) LoadSkinFile(skinDialog_->FileName());
}

bool TGalleryForm::LoadSkinFile(const std::wstring& path) {
  TSkinChoice choice = SkinFromFile(path);
  bool applied = false;
  if (choice.problem.empty()) {
    if (skinData_) {
      applied = skinData_->ApplySkinPackage(choice.package);
    } else {
      skinData_ = skin::CreateSkinData(this, choice.package, skin::kDefaultSkinControls);
      if (skinData_) skinData_->SetName(L"SkinData1");
      applied = skinData_ && skinData_->SkinLoaded();
    }
  }
  if (!applied) {
    const std::wstring problem = !choice.problem.empty()
        ? choice.problem
        : L"The file \"" + path + L"\" could not be applied as a skin.";
    ShowSkinProblem(problem + L"\r\n\r\nThe gallery keeps the skin it shows (" + source_ + L").");
    return false;
  }
  source_ = choice.source;
  ShowSource();
  return true;
}

void ShowSkinProblem(const std::wstring& problem) {
  const std::wstring title = ui::Application ? ui::Application->Title() : std::wstring(kGalleryTitle);
  MessageBoxW(GetActiveWindow(), problem.c_str(), title.c_str(), MB_OK | MB_ICONWARNING);
}

}  // namespace skinview
