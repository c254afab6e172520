// The open dialog, driven through its real window: a file name is typed into it and its
// buttons are pressed with window messages.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "ui/Dialogs.h"
#include "ui/SysUtils.h"

#include <dlgs.h>  // after windows.h, which it needs

using namespace ui;

namespace {

// Types `name` into the name field key by key, then posts a click on `button` for the
// dialog's own message loop. Answers what the field holds after typing.
std::wstring TypeAndPress(HWND dialog, const std::wstring& name, int button) {
  HWND edit = testsupport::OpenDialogNameField(dialog);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  for (wchar_t ch : name) SendMessageW(edit, WM_CHAR, ch, 1);
  wchar_t typed[MAX_PATH] = {};
  GetWindowTextW(edit, typed, MAX_PATH);
  PostMessageW(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
  return typed;
}

struct TempFolder {
  std::wstring path;
  std::vector<std::wstring> made;  // files and folders inside, removed in reverse order
  TempFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    path = std::wstring(base) + L"vexlo-dialog-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(path.c_str(), nullptr);
  }
  ~TempFolder() {
    DeleteFileW((path + L"\\样式.css").c_str());
    for (auto it = made.rbegin(); it != made.rend(); ++it)
      if (!DeleteFileW(it->c_str())) RemoveDirectoryW(it->c_str());
    RemoveDirectoryW(path.c_str());
  }
  // An empty file at `relative` (folders separated by "\\"), its folders made as needed.
  std::wstring File(const std::wstring& relative) {
    for (size_t sep = relative.find(L'\\'); sep != std::wstring::npos; sep = relative.find(L'\\', sep + 1)) {
      std::wstring dir = path + L"\\" + relative.substr(0, sep);
      if (CreateDirectoryW(dir.c_str(), nullptr)) made.push_back(dir);
    }
    std::wstring file = path + L"\\" + relative;
    HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    made.push_back(file);
    return file;
  }
};

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// Shows `dialog`, types `typed` into its name field and presses Open; answers whether a file
// was chosen.
bool Choose(TOpenDialog& dialog, const std::wstring& typed) {
  dialog.OnShow = [&](TObject*) { testsupport::ChooseInOpenDialog(dialog.Handle(), typed); };
  bool chosen = dialog.Execute();
  dialog.OnShow = nullptr;
  return chosen;
}

}  // namespace

TEST(OpenDialog, FilterTurnsIntoTheSystemForm) {
  using namespace std::string_literals;
  EXPECT_EQ(TOpenDialog::SystemFilter(L"*.css|*.css"), L"*.css\0*.css\0\0"s);
  EXPECT_EQ(TOpenDialog::SystemFilter(L"样式表|*.css;*.htm|全部|*.*"), L"样式表\0*.css;*.htm\0全部\0*.*\0\0"s);
  EXPECT_EQ(TOpenDialog::SystemFilter(L"*.txt"), L"*.txt\0*.txt\0\0"s);
  EXPECT_EQ(TOpenDialog::SystemFilter(L""), L"");
}

TEST(OpenDialog, TypedNameAndOpenChooseTheFile) {
  TempFolder folder;
  std::wstring file = folder.path + L"\\样式.css";
  HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);

  TOpenDialog dialog(nullptr);
  dialog.SetFilter(L"*.css|*.css");
  dialog.SetInitialDir(folder.path);
  dialog.SetTitle(L"打开CSS文件");
  dialog.SetOptions(dialog.Options() | (1 << ofFileMustExist));
  std::wstring title, firstFilter, typed;
  int shows = 0, closes = 0;
  dialog.OnShow = [&](TObject*) {
    ++shows;
    HWND window = dialog.Handle();
    wchar_t text[128] = {};
    GetWindowTextW(window, text, 128);
    title = text;
    HWND types = GetDlgItem(window, cmb1);
    if (types && SendMessageW(types, CB_GETLBTEXTLEN, 0, 0) < 127) {
      SendMessageW(types, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
      firstFilter = text;
    }
    typed = TypeAndPress(window, L"样式.css", IDOK);
  };
  dialog.OnClose = [&](TObject*) { ++closes; };
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(shows, 1);
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(typed, L"样式.css");
  EXPECT_EQ(title, L"打开CSS文件");
  EXPECT_EQ(firstFilter, L"*.css");
  EXPECT_EQ(CompareStringOrdinal(dialog.FileName().c_str(), -1, file.c_str(), -1, TRUE), CSTR_EQUAL)
      << Utf8(dialog.FileName());
  EXPECT_EQ(dialog.Files().size(), 1u);
  EXPECT_EQ(dialog.FilterIndex(), 1);
  EXPECT_EQ(dialog.Handle(), nullptr);
  EXPECT_EQ(GetTextProp(&dialog, L"FileName"), dialog.FileName());
  EXPECT_EQ(GetEnumPropText(&dialog, L"Options"), L"ofHideReadOnly,ofFileMustExist,ofEnableSizing");
}

TEST(OpenDialog, CancelChoosesNothingAndKeepsTheName) {
  TOpenDialog dialog(nullptr);
  dialog.SetFilter(L"*.css|*.css");
  dialog.SetFileName(L"C:\\old.css");
  std::wstring typed;
  dialog.OnShow = [&](TObject*) { typed = TypeAndPress(dialog.Handle(), L"new.css", IDCANCEL); };
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(typed, L"new.css");
  EXPECT_EQ(dialog.FileName(), L"C:\\old.css");
}

// The dialog starts from the name chosen before, so its buffer holds that path when it
// writes the next one; a shorter path must not pick up the rest of the longer one.
TEST(OpenDialog, LongThenShortThenLongPathEachComeBackWhole) {
  TempFolder folder;
  std::wstring longPath = folder.File(L"jquery-ui-themes-1.13\\smoothness\\样式表.css");
  std::wstring shortPath = folder.File(L"s\\a.css");
  std::wstring longerPath = folder.File(L"leaflet-1.9.4-distribution\\images-and-styles\\style.css");
  TOpenDialog dialog(nullptr);
  dialog.SetFilter(L"*.css|*.css");
  for (const std::wstring& path : {longPath, shortPath, longerPath, shortPath}) {
    ASSERT_TRUE(Choose(dialog, path));
    EXPECT_TRUE(SamePath(dialog.FileName(), path)) << Utf8(dialog.FileName()) << " for " << Utf8(path);
    ASSERT_EQ(dialog.Files().size(), 1u);
    EXPECT_EQ(dialog.Files()[0], dialog.FileName());
  }
}

TEST(OpenDialog, MultipleSelectionListsEveryFileOrOneFullPath) {
  TempFolder folder;
  std::wstring first = folder.File(L"多\\first-with-a-long-name.css");
  std::wstring second = folder.File(L"多\\b.css");
  TOpenDialog dialog(nullptr);
  dialog.SetFilter(L"*.css|*.css");
  dialog.SetOptions(dialog.Options() | (1 << ofAllowMultiSelect));
  dialog.SetInitialDir(first.substr(0, first.rfind(L'\\')));
  ASSERT_TRUE(Choose(dialog, L"\"first-with-a-long-name.css\" \"b.css\""));
  ASSERT_EQ(dialog.Files().size(), 2u);
  EXPECT_TRUE(SamePath(dialog.Files()[0], first)) << Utf8(dialog.Files()[0]);
  EXPECT_TRUE(SamePath(dialog.Files()[1], second)) << Utf8(dialog.Files()[1]);
  EXPECT_EQ(dialog.FileName(), dialog.Files()[0]);
  // One file chosen with multiple selection on: its full path, whatever the buffer held.
  ASSERT_TRUE(Choose(dialog, second));
  ASSERT_EQ(dialog.Files().size(), 1u);
  EXPECT_TRUE(SamePath(dialog.FileName(), second)) << Utf8(dialog.FileName());
}
