#include "app/TextHolder.h"

namespace app {

const ui::TClassInfo& TTextHolder::StaticClass() {
  static const ui::TClassInfo info = [] {
    ui::TClassInfo c(L"TTextHolder", &ui::TControl::StaticClass());
    c.Obj(L"Lines", &TTextHolder::Lines);
    return c;
  }();
  return info;
}

TTextHolder::TTextHolder(ui::TComponent* owner)
    : TControl(owner), lines_(std::make_unique<ui::TStringList>()) {
  ui::TControl::SetVisible(false);
}

void TTextHolder::LoadFromFile(const std::wstring& fileName) {
  ui::TStringList text;
  text.LoadFromFile(fileName);
  lines_->Assign(text);
  fileName_ = fileName;
}

}  // namespace app
