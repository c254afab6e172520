#include "skin/data/SkinPackageFile.h"

#include <windows.h>

#include "skin/model/SkinReader.h"
#include "ui/Classes.h"
#include "ui/Forms.h"
#include "ui/SysUtils.h"

namespace skin {

namespace {

std::wstring ProblemOf(TSkinLoadStatus status) {
  switch (status) {
    case TSkinLoadStatus::Ok:
      return {};
    case TSkinLoadStatus::OldFormat:
      return L"it is a skin package of an older format, which this engine does not read.";
    case TSkinLoadStatus::CutShort:
      return L"its compressed data ends before the package does (the file is cut short).";
    case TSkinLoadStatus::BadPackage:
      return L"its contents point outside the package (the package is damaged or cut short).";
    default:
      return L"its compressed data is too short or declares an impossible size.";
  }
}

TSkinLoadStatus Verdict(std::span<const std::uint8_t> package) {
  TSkinReader reader;
  reader.Load(package);
  return reader.Status();
}

}  // namespace

void ShowOlderSkinMessage() {
  const std::string text = kOlderSkinMessage;
  const std::wstring wide(text.begin(), text.end());
  const std::wstring title = ui::Application ? ui::Application->Title() : std::wstring();
  MessageBoxW(GetActiveWindow(), wide.c_str(), title.c_str(), MB_OK | MB_ICONWARNING);
}

std::wstring SkinPackageProblem(std::span<const std::uint8_t> package) {
  return ProblemOf(Verdict(package));
}

TSkinPackageFile ReadSkinPackageFile(const std::wstring& path) {
  TSkinPackageFile result;
  try {
    ui::TFileStream file(path, ui::TFileStream::fmOpenRead);
    result.package = file.ReadAll();
  } catch (const std::exception& error) {
    result.package.clear();
    result.problem = ui::ExceptionMessage(error);
    result.status = TSkinLoadStatus::BadBlock;
    return result;
  }
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(result.package.data());
  result.status = Verdict(std::span(bytes, result.package.size()));
  if (result.status != TSkinLoadStatus::Ok) {
    result.package.clear();
    result.problem = L"The file \"" + path +
                     L"\" is not a skin package this program can read: " + ProblemOf(result.status);
  }
  return result;
}

}  // namespace skin
