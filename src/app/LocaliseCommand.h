// The command line's run: every sheet named goes through the window's own steps (open,
// analyse, convert, download, rewrite) one after the other, in the main window shown with its
// download list, or in the window never shown (--quiet); a report goes to the console and to
// the report's file. Answers the program's exit status.
#pragma once

#include <string>
#include <vector>

int RunLocaliseCommand(const std::vector<std::wstring>& arguments);
