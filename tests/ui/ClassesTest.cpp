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
