// Which skin the gallery shows: the program's built-in skin, or a skin package file named on
// the command line.
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
// No argument: the built-in skin. One: the package in that file, when it can be read and the
// engine accepts it; otherwise the built-in skin with the problem said. More: the built-in
// skin with the usage as the problem.
TSkinChoice ChooseSkin(const std::vector<std::wstring>& arguments);
// The program's command-line arguments after its own name.
std::vector<std::wstring> CommandLineArguments();

}  // namespace skinview
