// Which skin the gallery shows: the program's built-in skin, or a skin package file named on
// the command line, chosen from the menu or dropped on the window.
#pragma once

#include <string>
#include <vector>

namespace skinview {

struct TSkinChoice {
  std::string package;   // the compressed skin package; empty: the program has no skin
  std::wstring source;   // what the window's caption names: the file's name or the built-in skin
  std::wstring problem;  // why the skin asked for is not shown (the message to the user), or empty
};

inline constexpr const wchar_t kBuiltInSkin[] = L"内置皮肤 built-in skin";

// The built-in skin.
TSkinChoice BuiltInSkin();
// The package in the file, named by the file's name; when the file cannot be read or the
// engine refuses it, no package and the problem (naming the file and the reason).
TSkinChoice SkinFromFile(const std::wstring& path);
// No argument: the built-in skin. One: the package in that file, when it can be read and the
// engine accepts it; otherwise the built-in skin with the problem said. More: the built-in
// skin with the usage as the problem.
TSkinChoice ChooseSkin(const std::vector<std::wstring>& arguments);

}  // namespace skinview
