#include "app/Startup.h"

#include "app/Texts.h"

TForm1* StartUp() {
  ui::Application->Initialize();
  ui::Application->SetTitle(kAppTitle);
  Form1 = ui::Application->CreateForm<TForm1>();
  return Form1;
}
