// Text lists keep bytes exactly; files load and save byte for byte; file errors carry the
// library's texts with the system's reason.
#include <gtest/gtest.h>

#include <windows.h>

#include "ui/Classes.h"
#include "ui/SysUtils.h"

using namespace ui;

namespace {
// The bytes of a literal, embedded NULs included.
template <size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

std::wstring TempPath(const wchar_t* name) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  return std::wstring(dir) + name;
}
}  // namespace

TEST(Strings, LineBreaksNormaliseAndBytesSurvive) {
  TStringList list;
  std::string raw = Bytes("a\r\nb\nc\rd\r\n\r\n\xD6\xD0\x00\xFF\x80z");
  list.SetText(raw);
  ASSERT_EQ(list.Count(), 6);
  EXPECT_EQ(list.Strings(3), "d");
  EXPECT_EQ(list.Strings(4), "");
  EXPECT_EQ(list.Strings(5), Bytes("\xD6\xD0\x00\xFF\x80z"));
  EXPECT_EQ(list.Strings(99), "");
  EXPECT_EQ(list.Text(), Bytes("a\r\nb\r\nc\r\nd\r\n\r\n\xD6\xD0\x00\xFF\x80z\r\n"));
  list.SetText("only\r\n");
  EXPECT_EQ(list.Count(), 1);
  list.SetText("");
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Text(), "");
}

TEST(Strings, FileRoundTripIsByteExactAndNamesMayBeChinese) {
  std::wstring path = TempPath(L"样式表-往返.css");
  std::string bytes = Bytes("body{background:url(/img/\xCD\xBC.gif)}\n\x00\xFE\r");
  {
    TFileStream f(path, TFileStream::fmCreate);
    f.WriteBuffer(bytes);
  }
  TStringList list;
  list.LoadFromFile(path);
  EXPECT_EQ(list.Count(), 2);
  list.SaveToFile(path);
  TFileStream back(path, TFileStream::fmOpenRead);
  EXPECT_EQ(back.ReadAll(), list.Text());
  EXPECT_EQ(list.Text(), Bytes("body{background:url(/img/\xCD\xBC.gif)}\r\n\x00\xFE\r\n"));
  DeleteFileW(path.c_str());
}

TEST(Strings, FileErrorsCarryTheLibraryTextAndTheSystemReason) {
  std::wstring missing = TempPath(L"不存在\\none.css");
  TStringList list;
  try {
    list.LoadFromFile(missing);
    FAIL() << "no error";
  } catch (const EFOpenError& e) {
    std::wstring expected = L"Cannot open file \"" + missing + L"\". " + SysErrorMessage(ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(e.Message(), expected);
  }
  try {
    list.SaveToFile(missing);
    FAIL() << "no error";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message().rfind(L"Cannot create file \"" + missing + L"\". ", 0), 0u);
    EXPECT_GT(e.Message().size(), missing.size() + 24);
  }
}

TEST(Strings, ALoadedTextEndsAsTheFileEnded) {
  TStringList list;
  EXPECT_TRUE(list.TrailingLineBreak());
  TMemoryStream noBreak(Bytes("a\nb{}\x00"));
  list.LoadFromStream(noBreak);
  EXPECT_FALSE(list.TrailingLineBreak());
  EXPECT_EQ(list.Text(), Bytes("a\r\nb{}\x00"));
  // Changing the lines keeps how the text ends; so does a copy.
  list.SetText("x\r\ny");
  list.Add("z");
  EXPECT_EQ(list.Text(), "x\r\ny\r\nz");
  TStringList copy;
  copy.Assign(list);
  EXPECT_EQ(copy.Text(), "x\r\ny\r\nz");
  for (const char* ending : {"\r\n", "\n", "\r"}) {
    TMemoryStream withBreak(std::string("a\rb") + ending);
    list.LoadFromStream(withBreak);
    EXPECT_TRUE(list.TrailingLineBreak());
    EXPECT_EQ(list.Text(), "a\r\nb\r\n");
  }
  TMemoryStream blankLast("a\n\n");  // an empty last line, then a break
  list.LoadFromStream(blankLast);
  EXPECT_EQ(list.Text(), "a\r\n\r\n");
  TMemoryStream empty;
  list.LoadFromStream(empty);
  EXPECT_EQ(list.Text(), "");
  list.Add("new");
  EXPECT_EQ(list.Text(), "new\r\n");
}

TEST(Streams, MemoryStreamReadsWritesAndSeeks) {
  TMemoryStream m;
  m.WriteBuffer("hello");
  m.SetPosition(1);
  m.WriteBuffer("EL");
  m.SetPosition(0);
  EXPECT_EQ(m.ReadAll(), "hELlo");
  char c;
  EXPECT_EQ(m.Read(&c, 1), 0u);
}

TEST(Files, SafeSaveReplacesWholeOrNotAtAll) {
  std::wstring path = TempPath(L"安全保存.css");
  SaveBytesSafely(path, Bytes("first\x00version"));
  SaveBytesSafely(path, Bytes("second"));
  {
    TFileStream f(path, TFileStream::fmOpenRead);
    EXPECT_EQ(f.ReadAll(), "second");
  }
  // Not replacing: the existing file stays and the error names it.
  try {
    SaveBytesSafely(path, "third", false);
    FAIL() << "no error";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message().rfind(L"Cannot create file \"" + path + L"\". ", 0), 0u);
  }
  {
    TFileStream f(path, TFileStream::fmOpenRead);
    EXPECT_EQ(f.ReadAll(), "second");
  }
  // A folder that does not exist: the library's error, nothing left behind.
  std::wstring missing = TempPath(L"no-such-folder\\x.css");
  EXPECT_THROW(SaveBytesSafely(missing, "x"), EFCreateError);
  // No temporary files stay in the folder.
  WIN32_FIND_DATAW found;
  std::wstring pattern = TempPath(L"vx*.tmp");
  HANDLE h = FindFirstFileW(pattern.c_str(), &found);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE);
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
  DeleteFileW(path.c_str());
}

namespace {

std::string ReadAllOf(const std::wstring& path) {
  TFileStream f(path, TFileStream::fmOpenRead);
  return f.ReadAll();
}

// Any temporary file of the safe save left in `folder` (with its trailing separator).
bool TemporaryFilesIn(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE h = FindFirstFileW((folder + L"vx*.tmp").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return false;
  FindClose(h);
  return true;
}

}  // namespace

// The file behind a path: the same number before and after means it was written in place.
uint64_t FileIndex(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return 0;
  BY_HANDLE_FILE_INFORMATION info{};
  GetFileInformationByHandle(h, &info);
  CloseHandle(h);
  return (uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
}

TEST(Files, SafeSaveCreatesAMissingTargetAndReplacesAnExistingOne) {
  std::wstring path = TempPath(L"替换.css");
  DeleteFileW(path.c_str());
  SaveBytesSafely(path, "created");
  EXPECT_EQ(ReadAllOf(path), "created");
  uint64_t first = FileIndex(path);
  SaveBytesSafely(path, "new");
  EXPECT_EQ(ReadAllOf(path), "new");
  EXPECT_NE(FileIndex(path), first);  // a whole new file took its place
  EXPECT_FALSE(TemporaryFilesIn(TempPath(L"")));
  DeleteFileW(path.c_str());
}

// A folder path so long that a temporary file name (vxXXXX.tmp) no longer fits beside the
// target, while the target's own short name does: the bytes are written into the target.
TEST(Files, SafeSaveWritesDirectlyWhereNoTemporaryFileFits) {
  std::wstring base = TempPath(L"vexlo-long-") + std::to_wstring(GetCurrentProcessId()) + L"-";
  const size_t folderLength = MAX_PATH - 10;  // with its separator; + "a.css" still fits
  std::wstring folder = base + std::wstring(folderLength - 1 - base.size(), L'd') + L"\\";
  ASSERT_EQ(folder.size(), folderLength);
  ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr)) << GetLastError();
  std::wstring path = folder + L"a.css";
  ASSERT_LT(path.size(), static_cast<size_t>(MAX_PATH));

  SaveBytesSafely(path, Bytes("first, longer version\x00"));
  EXPECT_EQ(ReadAllOf(path), Bytes("first, longer version\x00"));
  uint64_t file = FileIndex(path);
  SaveBytesSafely(path, "second");
  EXPECT_EQ(ReadAllOf(path), "second");  // written over, and cut to the new length
  EXPECT_EQ(FileIndex(path), file);      // in place: the same file
  // Not replacing: the existing file stays.
  EXPECT_THROW(SaveBytesSafely(path, "third", false), EFCreateError);
  EXPECT_EQ(ReadAllOf(path), "second");
  std::wstring fresh = folder + L"b.css";
  SaveBytesSafely(fresh, "fresh", false);
  EXPECT_EQ(ReadAllOf(fresh), "fresh");
  // The direct write fails too: the library's error with the system's reason.
  std::wstring blocked = folder + L"c.css";
  ASSERT_TRUE(CreateDirectoryW(blocked.c_str(), nullptr));
  try {
    SaveBytesSafely(blocked, "x");
    ADD_FAILURE() << "no error";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message().rfind(L"Cannot create file \"" + blocked + L"\". ", 0), 0u) << Utf8(e.Message());
    EXPECT_GT(e.Message().size(), blocked.size() + 24);
  }
  EXPECT_FALSE(TemporaryFilesIn(folder));
  RemoveDirectoryW(blocked.c_str());
  DeleteFileW(fresh.c_str());
  DeleteFileW(path.c_str());
  RemoveDirectoryW((L"\\\\?\\" + folder).c_str());
}
