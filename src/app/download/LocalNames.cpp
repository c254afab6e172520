#include "app/download/LocalNames.h"

#include <windows.h>

#include "ui/SysUtils.h"

namespace download {

namespace {

// The form in which the file system compares names: upper case.
std::wstring Folded(const std::string& name) {
  std::wstring wide = ui::FromAnsi(name);
  if (!wide.empty()) CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  return wide;
}

std::string Numbered(unsigned n, const std::string& name) { return std::to_string(n) + "_" + name; }

}  // namespace

LocalNames::LocalNames() : random_(std::random_device{}()) {}

void LocalNames::ForRun(int run) {
  if (run == run_) return;
  run_ = run;
  taken_.clear();
  lowest_.clear();
}

bool LocalNames::Free(const std::string& candidate, const std::wstring& folder) {
  ++looks_;
  std::wstring key = Folded(candidate);
  if (taken_.count(key)) return false;
  if (GetFileAttributesW((folder + ui::FromAnsi(candidate)).c_str()) == INVALID_FILE_ATTRIBUTES) return true;
  taken_.insert(std::move(key));  // found on disk: no need to ask again
  return false;
}

std::string LocalNames::Take(const std::string& name, const std::wstring& folder) {
  if (name.empty()) return name;
  std::string chosen = name;
  if (!Free(chosen, folder)) {
    std::uniform_int_distribution<unsigned> pick(0, kRandomLimit);
    bool found = false;
    for (int i = 0; i < kRandomTries && !found; ++i) found = Free(chosen = Numbered(pick(random_), name), folder);
    if (!found) {
      unsigned& n = lowest_[Folded(name)];
      while (!Free(Numbered(n, name), folder)) ++n;
      chosen = Numbered(n++, name);
    }
  }
  taken_.insert(Folded(chosen));
  return chosen;
}

}  // namespace download
