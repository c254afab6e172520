#include "app/Startup.h"

#include "app/SkinOption.h"
#include "app/Texts.h"
#include "ui/SysUtils.h"

TForm1* CreateMainWindow() {
  ui::Application->Initialize();
  ui::Application->SetTitle(kAppTitle);
  Form1 = ui::Application->CreateForm<TForm1>();
  return Form1;
}

TForm1* StartUp() {
  CreateMainWindow();
  ApplySkinOption(*Form1, ParseSkinOption(ui::ParamStrings()));
  return Form1;
}
