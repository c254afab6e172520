// The gallery's choice of skin from its command line: the built-in skin, a package file, and
// every kind of file it cannot use, each with its reason and the built-in skin instead.
#include <gtest/gtest.h>

#include <string>

#include "GallerySkin.h"
#include "LzhEncoder.h"
#include "SkinPackage.h"
#include "SkinviewTestSupport.h"
#include "skin/frame/SkinManage.h"
#include "ui/SysUtils.h"

using namespace skinview;
using skinviewtest::TTempFolder;

namespace {

bool Contains(const std::wstring& text, const std::wstring& part) {
  return text.find(part) != std::wstring::npos;
}

// The choice is the built-in skin, and the problem says why.
void ExpectBuiltInBecause(const TSkinChoice& choice, const std::wstring& reason) {
  EXPECT_TRUE(choice.package == skin::DefaultSkinPackage()) << "not the built-in skin";
  EXPECT_EQ(choice.source, kBuiltInSkin);
  EXPECT_TRUE(Contains(choice.problem, reason)) << ui::Utf8(choice.problem);
  EXPECT_TRUE(Contains(choice.problem, L"built-in skin instead")) << ui::Utf8(choice.problem);
}

TEST(GallerySkinChoice, WithoutArgumentsTheBuiltInSkin) {
  const TSkinChoice choice = ChooseSkin({});
  ASSERT_FALSE(skin::DefaultSkinPackage().empty());
  EXPECT_TRUE(choice.package == skin::DefaultSkinPackage()) << "not the built-in skin";
  EXPECT_EQ(choice.source, kBuiltInSkin);
  EXPECT_TRUE(choice.problem.empty());
}

TEST(GallerySkinChoice, APackageFileIsTakenWholeAndNamedByItsFileName) {
  TTempFolder folder;
  const skintest::Bytes package = skinviewtest::CraftedFramePackage();
  const std::wstring path = folder.Write(L"我的皮肤.skn", package);
  const TSkinChoice choice = ChooseSkin({path});
  EXPECT_TRUE(choice.problem.empty()) << ui::Utf8(choice.problem);
  EXPECT_TRUE(choice.package == std::string(package.begin(), package.end())) << "not the file's bytes";
  EXPECT_EQ(choice.source, L"我的皮肤.skn");
  // A second file in the same run is read as well.
  const std::wstring other = folder.Write(L"other.skn", skin::DefaultSkinPackage());
  EXPECT_TRUE(ChooseSkin({other}).package == skin::DefaultSkinPackage()) << "not the second file's bytes";
}

TEST(GallerySkinChoice, FilesThatCannotBeOpenedGiveTheSystemsReason) {
  TTempFolder folder;
  const std::wstring missing = folder.Path() + L"missing.skn";
  const TSkinChoice gone = ChooseSkin({missing});
  ExpectBuiltInBecause(gone, L"Cannot open file \"" + missing + L"\"");
  EXPECT_TRUE(Contains(gone.problem, ui::SysErrorMessage(ERROR_FILE_NOT_FOUND)));

  const std::wstring directory = folder.Path() + L"a folder.skn";
  ASSERT_TRUE(CreateDirectoryW(directory.c_str(), nullptr));
  ExpectBuiltInBecause(ChooseSkin({directory}), L"Cannot open file \"" + directory + L"\"");
}

TEST(GallerySkinChoice, FilesTheEngineRefusesAreNotSkinPackages) {
  TTempFolder folder;
  const auto expectRefused = [&](const std::wstring& name, const std::string& bytes,
                                 const std::wstring& reason) {
    const std::wstring path = folder.Write(name, bytes);
    const TSkinChoice choice = ChooseSkin({path});
    ExpectBuiltInBecause(choice, L"The file \"" + path + L"\" is not a skin package");
    EXPECT_TRUE(Contains(choice.problem, reason)) << ui::Utf8(choice.problem);
  };
  expectRefused(L"empty.skn", "", L"compressed data");
  expectRefused(L"text.skn", "This is a text file, not a skin.\r\n", L"compressed data");
  // A block that declares more content than any skin holds.
  expectRefused(L"huge.skn", std::string("\xF0\xFF\xFF\x7F", 4) + std::string(64, '\x55'),
                L"impossible size");

  // A container of the older format, compressed as a package is.
  skintest::Bytes container = skinpack::BuildContainer({{"skin.ini", skintest::AsBytes("[x]\n")}});
  skintest::PokeLE32(container, 0, 10000);
  const skintest::Bytes old = skinpack::CompressBlock(container);
  expectRefused(L"old.skn", std::string(old.begin(), old.end()), L"older format");

  // A container whose names run past its end.
  container = skinpack::BuildContainer({{"skin.ini", skintest::AsBytes("[x]\n")}});
  skintest::PokeLE32(container, 4, 0x7FFFFFF0);
  const skintest::Bytes broken = skinpack::CompressBlock(container);
  expectRefused(L"broken.skn", std::string(broken.begin(), broken.end()), L"damaged");
}

TEST(GallerySkinChoice, MoreThanOneArgumentShowsTheUsage) {
  TTempFolder folder;
  const std::wstring path = folder.Write(L"a.skn", skinviewtest::CraftedFramePackage());
  ExpectBuiltInBecause(ChooseSkin({path, path}), L"at most one argument");
}

}  // namespace
