// Reading a skin package file for a skin switch at run time: the file's bytes when the engine
// accepts them as a package, otherwise a message for the user that names the file and says
// why it cannot be used. Checking before switching means a refused file never disturbs the
// skin that is shown.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "skin/model/SkinReader.h"

namespace skin {

struct TSkinPackageFile {
  std::string package;   // the compressed package, when accepted
  std::wstring problem;  // why the file cannot be used; empty when it can
  TSkinLoadStatus status = TSkinLoadStatus::Ok;  // the engine's verdict on the bytes read
};

// The engine's own message for a package of the older format, over the active window.
void ShowOlderSkinMessage();

// Why the engine refuses the bytes as a skin package; empty when it accepts them.
std::wstring SkinPackageProblem(std::span<const std::uint8_t> package);

// Reads the whole file and checks it. A file that cannot be opened gives the system's reason
// ("Cannot open file "…". …"); one the engine refuses gives "The file "…" is not a skin
// package this program can read: " and the reason.
TSkinPackageFile ReadSkinPackageFile(const std::wstring& path);

}  // namespace skin
