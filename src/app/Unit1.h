// The main window.
#pragma once

#include "ui/Forms.h"

class TForm1 : public ui::TForm {
  UI_CLASS_INFO
 public:
  explicit TForm1(ui::TComponent* owner);
};

extern TForm1* Form1;
