#include "GallerySkin.h"

#include "skin/data/SkinPackageFile.h"
#include "skin/frame/SkinManage.h"
#include "ui/Classes.h"
#include "ui/SysUtils.h"

namespace skinview {

namespace {

constexpr const wchar_t kInstead[] = L"\r\n\r\nThe gallery shows the built-in skin instead.";

std::wstring FileNameOf(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/:");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

TSkinChoice BuiltInSkin() { return {skin::DefaultSkinPackage(), kBuiltInSkin, {}}; }

TSkinChoice SkinFromFile(const std::wstring& path) {
  skin::TSkinPackageFile file = skin::ReadSkinPackageFile(path);
  return {std::move(file.package), FileNameOf(path), std::move(file.problem)};
}

TSkinChoice ChooseSkin(const std::vector<std::wstring>& arguments) {
  if (arguments.empty()) return BuiltInSkin();
  TSkinChoice choice = BuiltInSkin();
  if (arguments.size() > 1) {
    choice.problem = L"skinview.exe takes at most one argument: the skin package file to show." +
                     std::wstring(kInstead);
    return choice;
  }
  TSkinChoice file = SkinFromFile(arguments.front());
  if (!file.problem.empty()) {
    choice.problem = file.problem + kInstead;
    return choice;
  }
  return file;
}


}  // namespace skinview
