#include "GallerySkin.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <memory>
#include <span>

#include "skin/data/SkinReader.h"
#include "skin/frame/WinSkinForm.h"
#include "ui/Classes.h"
#include "ui/SysUtils.h"

namespace skinview {

namespace {

constexpr const wchar_t kInstead[] = L"\r\n\r\nThe gallery shows the built-in skin instead.";

std::wstring FileNameOf(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/:");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// Why the engine refuses the bytes as a skin package; empty when it accepts them.
std::wstring PackageProblem(const std::string& bytes) {
  skin::TSkinReader reader;
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  if (reader.Load(std::span(data, bytes.size()))) return {};
  switch (reader.Status()) {
    case skin::TSkinLoadStatus::OldFormat:
      return L"it is a skin package of an older format, which this engine does not read.";
    case skin::TSkinLoadStatus::BadPackage:
      return L"its contents point outside the package (the package is damaged).";
    default:
      return L"its compressed data is too short or declares an impossible size.";
  }
}

}  // namespace

TSkinChoice BuiltInSkin() { return {skin::DefaultSkinPackage(), kBuiltInSkin, {}}; }

TSkinChoice ChooseSkin(const std::vector<std::wstring>& arguments) {
  if (arguments.empty()) return BuiltInSkin();
  TSkinChoice choice = BuiltInSkin();
  if (arguments.size() > 1) {
    choice.problem = L"skinview.exe takes at most one argument: the skin package file to show." +
                     std::wstring(kInstead);
    return choice;
  }
  const std::wstring& path = arguments.front();
  std::string bytes;
  try {
    ui::TFileStream file(path, ui::TFileStream::fmOpenRead);
    bytes = file.ReadAll();
  } catch (const ui::Exception& error) {
    choice.problem = error.Message() + kInstead;
    return choice;
  }
  if (const std::wstring problem = PackageProblem(bytes); !problem.empty()) {
    choice.problem = L"The file \"" + path + L"\" is not a skin package this program can read: " +
                     problem + kInstead;
    return choice;
  }
  return {std::move(bytes), FileNameOf(path), {}};
}

std::vector<std::wstring> CommandLineArguments() {
  struct TLocalFree {
    void operator()(wchar_t** words) const { LocalFree(words); }
  };
  int count = 0;
  const std::unique_ptr<wchar_t*, TLocalFree> words(CommandLineToArgvW(GetCommandLineW(), &count));
  std::vector<std::wstring> arguments;
  if (!words) return arguments;
  for (int i = 1; i < count; ++i) arguments.emplace_back(words.get()[i]);
  return arguments;
}

}  // namespace skinview
