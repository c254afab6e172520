// The command line's choice of skin: `--skin FILE` puts the skin package in FILE on the main
// window in place of the built-in skin. A file that cannot be used is named in a message with
// the reason, and the built-in skin stays.
#pragma once

#include <string>
#include <vector>

class TForm1;

struct TSkinOption {
  bool given = false;    // the command line asks for a skin file
  std::wstring file;     // the file it names
  std::wstring problem;  // a command line that cannot be followed (the message), or empty
};

// Finds "--skin FILE" (or "--skin=FILE") among the arguments; other arguments are left to
// others.
TSkinOption ParseSkinOption(const std::vector<std::wstring>& arguments);

// The message shown when the skin asked for is not used.
std::wstring SkinNotUsedMessage(const std::wstring& problem);

// Applies the option to the main window's skin. Answers why the skin asked for was not used,
// else nothing.
std::wstring SkinOptionProblem(TForm1& form, const TSkinOption& option);

// Applies the option to the main window's skin. Answers the message shown (over the active
// window) when the skin asked for was not used, else nothing.
std::wstring ApplySkinOption(TForm1& form, const TSkinOption& option);
