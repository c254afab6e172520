// Local file names of a download run, against a real folder: free names are kept, taken ones
// get a number, and ten thousand rows of one name are named with a bounded number of looks.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>

#include "app/download/LocalNames.h"
#include "ui/SysUtils.h"

using download::LocalNames;
using ui::FromAnsi;
using ui::ToAnsi;

namespace {

struct LocalNamesTest : testing::Test {
  std::wstring folder;  // with its trailing separator
  std::vector<std::wstring> files;

  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder = std::wstring(temp) + L"vexlo-names-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(folder.c_str(), nullptr);
  }
  void TearDown() override {
    for (const std::wstring& f : files) DeleteFileW(f.c_str());
    RemoveDirectoryW(folder.c_str());
  }
  void Existing(const std::wstring& name) {
    files.push_back(folder + name);
    HANDLE h = CreateFileW(files.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
  }
};

// The number before "_" + name, or -1 when `chosen` is not of that form.
long NumberOf(const std::string& chosen, const std::string& name) {
  size_t underscore = chosen.find('_');
  if (underscore == std::string::npos || underscore == 0 || chosen.substr(underscore + 1) != name) return -1;
  std::string digits = chosen.substr(0, underscore);
  if (digits.find_first_not_of("0123456789") != std::string::npos) return -1;
  return std::stol(digits);
}

}  // namespace

TEST_F(LocalNamesTest, FreeNamesStayTakenOnesGetANumber) {
  Existing(L"top.gif");
  LocalNames names;
  names.ForRun(1);
  EXPECT_EQ(names.Take("a.gif", folder), "a.gif");
  EXPECT_EQ(names.Take("", folder), "");
  // Given out before in this run, whatever the letter case; or already on disk.
  for (const std::string& name : {std::string("A.GIF"), std::string("top.gif"), std::string("TOP.GIF")}) {
    std::string chosen = names.Take(name, folder);
    long n = NumberOf(chosen, name);
    EXPECT_GE(n, 0) << chosen;
    EXPECT_LE(n, LocalNames::kRandomLimit) << chosen;
  }
  // Names in the code page, tested on disk as wide names.
  std::string background = ToAnsi(L"背景.gif");
  Existing(FromAnsi(background));
  EXPECT_GE(NumberOf(names.Take(background, folder), background), 0);
  // The same run keeps its names; a new run starts from what is on disk alone.
  EXPECT_NE(names.Take("a.gif", folder), "a.gif");
  names.ForRun(1);
  EXPECT_NE(names.Take("a.gif", folder), "a.gif");
  names.ForRun(2);
  EXPECT_EQ(names.Take("a.gif", folder), "a.gif");
}

TEST_F(LocalNamesTest, TenThousandRowsOfOneNameAreNamedInBoundedLooks) {
  // A sheet whose images are all thumb.php?id=N; the folder already holds a few of them.
  Existing(L"thumb.php");
  Existing(L"0_thumb.php");
  Existing(L"1_THUMB.PHP");
  const int rows = 10000;
  LocalNames names;
  names.ForRun(7);
  std::set<long> numbers;
  std::set<std::wstring> given;
  for (int row = 0; row < rows; ++row) {
    std::string chosen = names.Take("thumb.php", folder);
    long n = NumberOf(chosen, "thumb.php");
    ASSERT_GE(n, 0) << "row " << row << ": " << chosen;
    ASSERT_TRUE(numbers.insert(n).second) << "row " << row << " repeats " << chosen;
    given.insert(FromAnsi(chosen));
  }
  // Random numbers up to 9998 first; once those are all used, the lowest free ones after.
  EXPECT_EQ(*numbers.begin(), 2);
  EXPECT_EQ(*numbers.rbegin(), 2 + rows - 1);
  EXPECT_EQ(given.size(), static_cast<size_t>(rows));
  // Each row: its own name, a few random tries, and its share of one count through the
  // numbers (each number is passed once, and each existing file once).
  EXPECT_LE(names.Looks(), static_cast<size_t>(rows) * (1 + LocalNames::kRandomTries + 2) + 3);
  // Another name is not slowed down by the first one's numbers.
  size_t before = names.Looks();
  EXPECT_EQ(names.Take("other.php", folder), "other.php");
  EXPECT_EQ(names.Looks() - before, 1u);
}
