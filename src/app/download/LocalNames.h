// The local file names of one download run. Every name handed out is free in the download
// folder: no earlier row of the run was given it and no file of that name exists there. Names
// compare as the file system compares them, without regard to letter case.
#pragma once

#include <cstddef>
#include <random>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace download {

class LocalNames {
 public:
  LocalNames();
  // The names handed out belong to run `run`; a different run starts with none.
  void ForRun(int run);
  // A free name for `name` (bytes in the system's narrow code page) in `folder` (with its
  // trailing separator), now taken: `name` itself when free, else n + "_" + `name`, with a
  // few random n from 0 to 9998 tried first and then the lowest free n (past 9998 when those
  // are all taken). An empty name stays empty. The lowest free number is remembered per name,
  // so each name's numbers are counted through once per run, and a name costs a bounded
  // number of looks however many rows share it.
  std::string Take(const std::string& name, const std::wstring& folder);
  // How many candidate names have been looked at (each needs at most one file-system test).
  size_t Looks() const { return looks_; }

  static constexpr int kRandomTries = 8;
  static constexpr int kRandomLimit = 9998;

 private:
  bool Free(const std::string& candidate, const std::wstring& folder);

  int run_ = -1;
  std::unordered_set<std::wstring> taken_;              // folded names given out or found on disk
  std::unordered_map<std::wstring, unsigned> lowest_;   // folded name -> every lower n is taken
  std::mt19937 random_;
  size_t looks_ = 0;
};

}  // namespace download
