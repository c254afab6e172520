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

std::string ReadFileBytes(const std::wstring& fileName) {
  ui::TFileStream stream(fileName, ui::TFileStream::fmOpenRead);
  return stream.ReadAll();
}

void TTextHolder::LoadFromFile(const std::wstring& fileName) { Loaded(fileName, ReadFileBytes(fileName)); }

void TTextHolder::Loaded(const std::wstring& fileName, std::string bytes) {
  Saved(std::move(bytes));
  fileName_ = fileName;
}

void TTextHolder::Saved(std::string bytes) {
  ui::TStringList text;
  text.SetTrailingLineBreak(bytes.empty() || bytes.back() == '\r' || bytes.back() == '\n');
  text.SetText(bytes);
  lines_->Assign(text);
  bytes_ = std::move(bytes);
}

bool TTextHolder::FileUnchanged() const {
  try {
    return !fileName_.empty() && ReadFileBytes(fileName_) == bytes_;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace app
