#include "GalleryMenus.h"

#include <cstdint>
#include <tuple>

#include "ui/Menus.h"

namespace skinview {

namespace {

ui::TMenuItem* Item(ui::TForm& form, ui::TMenuItem* parent, const wchar_t* name,
                    const wchar_t* caption, const wchar_t* shortCut = L"") {
  auto* item = new ui::TMenuItem(&form);
  item->SetName(name);
  item->SetCaption(caption);
  item->SetShortCut(shortCut);
  parent->Add(item);
  return item;
}

ui::TMenuItem* Line(ui::TForm& form, ui::TMenuItem* parent) {
  auto* item = new ui::TMenuItem(&form);
  item->SetCaption(L"-");
  parent->Add(item);
  return item;
}

// A 16 x 16 folder on a magenta ground (the lower-left pixel's colour is transparent).
void DrawFolderGlyph(ui::TBitmap& glyph) {
  glyph.SetSize(16, 16);
  for (int y = 0; y < 16; ++y) {
    std::uint32_t* row = glyph.ScanLine(y);
    for (int x = 0; x < 16; ++x) {
      const bool tab = y >= 2 && y < 4 && x >= 1 && x < 7;
      const bool body = y >= 4 && y < 14 && x >= 1 && x < 15;
      const bool edge = body && (y == 4 || y == 13 || x == 1 || x == 14);
      row[x] = edge ? 0x8A6A10 : (body || tab) ? 0xF0C850 : 0xFF00FF;
    }
  }
}

// A checked item that turns its check mark on and off.
void Toggle(ui::TMenuItem* item) {
  item->OnClick = [item](ui::TObject*) { item->SetChecked(!item->Checked()); };
}

}  // namespace

void AddGalleryMenus(ui::TForm& form) {
  auto* menu = new ui::TMainMenu(&form);
  menu->SetName(L"MainMenu1");
  menu->BeginUpdate();
  ui::TMenuItem* root = menu->Items();
  ui::TMenuItem* file = Item(form, root, L"miFile", L"&File");
  DrawFolderGlyph(*Item(form, file, L"miOpen", L"&Open...", L"Ctrl+O")->Bitmap());
  Item(form, file, L"miSave", L"&Save", L"Ctrl+S")->SetEnabled(false);
  Line(form, file);
  Item(form, file, L"miLoadSkin", L"Load s&kin...", L"Ctrl+K");
  Line(form, file);
  Item(form, file, L"miExit", L"E&xit", L"Alt+F4")->OnClick = [&form](ui::TObject*) {
    form.Close();
  };
  ui::TMenuItem* view = Item(form, root, L"miView", L"&View");
  ui::TMenuItem* toolbar = Item(form, view, L"miToolbar", L"&Toolbar");
  toolbar->SetChecked(true);
  Toggle(toolbar);
  Line(form, view);
  for (auto [name, caption, checked] : {std::tuple{L"miSmall", L"&Small icons", false},
                                        std::tuple{L"miLarge", L"&Large icons", true}}) {
    ui::TMenuItem* radio = Item(form, view, name, caption);
    radio->SetRadioItem(true);
    radio->SetChecked(checked);
    radio->OnClick = [radio](ui::TObject*) { radio->SetChecked(true); };
  }
  Line(form, view);
  ui::TMenuItem* more = Item(form, view, L"miMore", L"&More");
  Item(form, more, L"miFirst", L"&First page");
  Item(form, more, L"miLast", L"&Last page")->SetDefault(true);
  ui::TMenuItem* help = Item(form, root, L"miHelp", L"&Help");
  Item(form, help, L"miAbout", L"&About...");
  menu->EndUpdate();
  form.SetMenu(menu);

  auto* context = new ui::TPopupMenu(&form);
  context->SetName(L"PopupMenu1");
  context->BeginUpdate();
  Item(form, context->Items(), L"miCut", L"Cu&t", L"Ctrl+X");
  Item(form, context->Items(), L"miCopy", L"&Copy", L"Ctrl+C");
  Item(form, context->Items(), L"miPaste", L"&Paste", L"Ctrl+V")->SetEnabled(false);
  Line(form, context->Items());
  Toggle(Item(form, context->Items(), L"miWrap", L"&Word wrap"));
  context->EndUpdate();
  form.SetPopupMenu(context);
}

}  // namespace skinview
