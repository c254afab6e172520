// The command line that localises many sheets in one call:
//   vexlo.exe --localise SHEET [SHEET...] --site URL [--root DIR | --folder URL]
//             [--pattern REGEX] [--jobs N] [--timeout SECONDS] [--no-rewrite] [--report FILE]
//             [--quiet] [--skin FILE]
// Reading the words only: no file is looked at here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace workflow {

struct TLocaliseOptions {
  std::vector<std::wstring> Sheets;  // as given
  std::wstring Site;                 // the site-absolute prefix, without a closing slash
  std::wstring Root;                 // the folder of the site's root; empty: the current folder
  std::wstring Folder;               // one relative prefix for every sheet (ends with "/"); empty: from Root
  std::wstring Pattern;              // the pattern of step two
  int Jobs = 0;                      // downloads at once without the pacing; 0: the window's pacing
  int TimeoutSeconds = 30;           // a download without progress for this long is aborted
  bool Rewrite = true;               // back the sheet up and point it at the downloaded files
  std::wstring Report;               // the report's file; empty: the console only
  bool Quiet = false;                // no window
};

struct TLocaliseCommand {
  TLocaliseOptions Options;
  std::wstring Problem;  // why the words cannot be followed (one sentence naming the word), or empty
};

inline constexpr int kMaxJobs = 64;

// Whether the words ask for the command line's run at all ("--localise" among them).
bool IsLocaliseCommand(const std::vector<std::wstring>& arguments);

// Reads the words (the program's name not among them). `defaultPattern` stands for a pattern
// not given. "--name VALUE" and "--name=VALUE" are the same; a value may not be missing, be
// empty or be the next option; no option may be given twice. Any other word starting with "-"
// is an unknown option. The site and the folder are http:// or https:// addresses with a host.
TLocaliseCommand ParseLocaliseCommand(const std::vector<std::wstring>& arguments, std::wstring_view defaultPattern);

// How the command is written, for messages about wrong words.
std::wstring LocaliseUsage();

}  // namespace workflow
