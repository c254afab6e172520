#include "app/SkinOption.h"

#include "app/Unit1.h"
#include "skin/data/SkinPackageFile.h"
#include "ui/Forms.h"

namespace {

constexpr std::wstring_view kSkinSwitch = L"--skin";

}  // namespace

TSkinOption ParseSkinOption(const std::vector<std::wstring>& arguments) {
  TSkinOption option;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::wstring& word = arguments[i];
    if (word == kSkinSwitch) {
      option.given = true;
      if (i + 1 < arguments.size()) {
        option.file = arguments[++i];
      } else {
        option.problem = L"The option --skin needs the name of a skin package file after it.";
      }
    } else if (word.starts_with(std::wstring(kSkinSwitch) + L"=")) {
      option.given = true;
      option.file = word.substr(kSkinSwitch.size() + 1);
    }
  }
  if (option.given && option.problem.empty() && option.file.empty()) {
    option.problem = L"The option --skin needs the name of a skin package file after it.";
  }
  return option;
}

std::wstring SkinNotUsedMessage(const std::wstring& problem) {
  return problem + L"\r\n\r\nVexlo keeps its built-in skin.";
}

std::wstring SkinOptionProblem(TForm1& form, const TSkinOption& option) {
  if (!option.given || !option.problem.empty()) return option.problem;
  skin::TSkinPackageFile file = skin::ReadSkinPackageFile(option.file);
  if (!file.problem.empty()) return file.problem;
  if (!(form.SkinData1 && form.SkinData1->ApplySkinPackage(std::move(file.package))))
    return L"The file \"" + option.file + L"\" could not be applied as a skin.";
  return {};
}

std::wstring ApplySkinOption(TForm1& form, const TSkinOption& option) {
  std::wstring problem = SkinOptionProblem(form, option);
  if (problem.empty()) return {};
  const std::wstring message = SkinNotUsedMessage(problem);
  const std::wstring title = ui::Application ? ui::Application->Title() : std::wstring();
  MessageBoxW(GetActiveWindow(), message.c_str(), title.c_str(), MB_OK | MB_ICONWARNING);
  return message;
}
