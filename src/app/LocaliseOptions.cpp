#include "app/LocaliseOptions.h"

#include "app/download/HttpResponse.h"

namespace workflow {
namespace {

constexpr std::wstring_view kLocalise = L"--localise";

enum class Kind { Flag, Value };

struct Option {
  std::wstring_view name;
  Kind kind;
};

constexpr Option kOptions[] = {
    {L"--localise", Kind::Flag}, {L"--site", Kind::Value},     {L"--root", Kind::Value},
    {L"--folder", Kind::Value},  {L"--pattern", Kind::Value},  {L"--jobs", Kind::Value},
    {L"--timeout", Kind::Value}, {L"--no-rewrite", Kind::Flag}, {L"--report", Kind::Value},
    {L"--quiet", Kind::Flag},    {L"--skin", Kind::Value},
};

const Option* Find(std::wstring_view name) {
  for (const Option& option : kOptions)
    if (option.name == name) return &option;
  return nullptr;
}

// Whether a web address names a host: its authority (after "//", up to the first "/", "?"
// or "#"), past any "user@", holds something before its ":port".
bool NamesHost(std::wstring_view url) {
  std::wstring_view authority = url.substr(url.find(L"//") + 2);
  authority = authority.substr(0, authority.find_first_of(L"/?#"));
  authority = authority.substr(authority.find_last_of(L'@') + 1);  // npos + 1 is 0
  return !authority.empty() && authority.front() != L':';
}

// The problem with the web address `value` given as `what` ("site", "folder"), if any.
std::wstring AddressProblem(std::wstring_view what, const std::wstring& value) {
  if (!download::IsWebAddress(value))
    return L"The " + std::wstring(what) + L" \"" + value + L"\" must begin with http:// or https://.";
  if (!NamesHost(value)) return L"The " + std::wstring(what) + L" \"" + value + L"\" names no host after its scheme.";
  return {};
}

// A whole number from `low` to `high`, or -1.
int WholeNumber(std::wstring_view text, int low, int high) {
  if (text.empty() || text.size() > 6) return -1;
  int n = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return -1;
    n = n * 10 + (c - L'0');
  }
  return n >= low && n <= high ? n : -1;
}

// Each option with its value, in the order given, and the other words (the sheets).
struct Words {
  std::vector<std::pair<std::wstring, std::wstring>> options;
  std::vector<std::wstring> sheets;
  std::wstring problem;
};

Words Split(const std::vector<std::wstring>& arguments) {
  Words words;
  for (size_t i = 0; i < arguments.size() && words.problem.empty(); ++i) {
    const std::wstring& word = arguments[i];
    // A word starting with "-" is an option, known or not, never a sheet: a sheet of such a
    // name is written with its folder (".\\-x.css").
    if (!word.starts_with(L"-")) {
      words.sheets.push_back(word);
      continue;
    }
    size_t equals = word.find(L'=');
    std::wstring name = word.substr(0, equals);
    const Option* option = Find(name);
    if (!option) {
      words.problem = L"Unknown option \"" + name + L"\".";
    } else if (option->kind == Kind::Flag) {
      if (equals != std::wstring::npos) words.problem = L"The option " + name + L" takes no value.";
      words.options.emplace_back(name, L"");
    } else if (equals != std::wstring::npos) {
      words.options.emplace_back(name, word.substr(equals + 1));
    } else if (i + 1 < arguments.size() && !arguments[i + 1].starts_with(L"--")) {
      words.options.emplace_back(name, arguments[++i]);
    } else {
      words.options.emplace_back(name, L"");
    }
    if (words.problem.empty() && option->kind == Kind::Value && words.options.back().second.empty())
      words.problem = L"The option " + name + L" needs a value after it.";
  }
  return words;
}

// Puts one option's value into the options; answers the problem with it, if any.
std::wstring Take(TLocaliseOptions& o, const std::wstring& name, const std::wstring& value) {
  if (name == L"--site") {
    if (std::wstring problem = AddressProblem(L"site", value); !problem.empty()) return problem;
    o.Site = value;
    while (o.Site.ends_with(L'/')) o.Site.pop_back();
  } else if (name == L"--root") {
    o.Root = value;
  } else if (name == L"--folder") {
    if (std::wstring problem = AddressProblem(L"folder", value); !problem.empty()) return problem;
    o.Folder = value.ends_with(L'/') ? value : value + L"/";
  } else if (name == L"--pattern") {
    o.Pattern = value;
  } else if (name == L"--jobs") {
    o.Jobs = WholeNumber(value, 1, kMaxJobs);
    if (o.Jobs < 0) return L"The option --jobs needs a whole number from 1 to " + std::to_wstring(kMaxJobs) + L", not \"" + value + L"\".";
  } else if (name == L"--timeout") {
    o.TimeoutSeconds = WholeNumber(value, 1, 3600);
    if (o.TimeoutSeconds < 0) return L"The option --timeout needs a whole number of seconds from 1 to 3600, not \"" + value + L"\".";
  } else if (name == L"--no-rewrite") {
    o.Rewrite = false;
  } else if (name == L"--report") {
    o.Report = value;
  } else if (name == L"--quiet") {
    o.Quiet = true;
  }  // --localise is the command itself; --skin is read by the skin option
  return {};
}

}  // namespace

bool IsLocaliseCommand(const std::vector<std::wstring>& arguments) {
  for (const std::wstring& word : arguments)
    if (word == kLocalise || word.starts_with(std::wstring(kLocalise) + L"=")) return true;
  return false;
}

TLocaliseCommand ParseLocaliseCommand(const std::vector<std::wstring>& arguments, std::wstring_view defaultPattern) {
  TLocaliseCommand command;
  TLocaliseOptions& o = command.Options;
  o.Pattern = defaultPattern;
  Words words = Split(arguments);
  command.Problem = words.problem;
  for (size_t i = 0; i < words.options.size() && command.Problem.empty(); ++i) {
    const auto& [name, value] = words.options[i];
    for (size_t j = 0; j < i; ++j)
      if (words.options[j].first == name) command.Problem = L"The option " + name + L" is given twice.";
    if (command.Problem.empty()) command.Problem = Take(o, name, value);
  }
  o.Sheets = std::move(words.sheets);
  if (!command.Problem.empty()) return command;
  if (o.Sheets.empty()) {
    command.Problem = L"Name at least one style sheet after --localise.";
  } else if (o.Site.empty()) {
    command.Problem = L"The option --site is needed: the address of the site the sheets come from.";
  } else if (!o.Root.empty() && !o.Folder.empty()) {
    command.Problem = L"Give either --root or --folder, not both.";
  }
  return command;
}

std::wstring LocaliseUsage() {
  return L"Usage: vexlo.exe --localise SHEET [SHEET...] --site URL [--root DIR | --folder URL] [--pattern REGEX] "
         L"[--jobs N] [--timeout SECONDS] [--no-rewrite] [--report FILE] [--quiet] [--skin FILE]";
}

}  // namespace workflow
