#include "app/Startup.h"

#include "app/SkinOption.h"
#include "app/Texts.h"
#include "ui/SysUtils.h"

TForm1* StartUp() {
  ui::Application->Initialize();
  ui::Application->SetTitle(kAppTitle);
  Form1 = ui::Application->CreateForm<TForm1>();
  ApplySkinOption(*Form1, ParseSkinOption(ui::ParamStrings()));
  return Form1;
}
