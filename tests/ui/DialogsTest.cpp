// The open dialog, driven through its real window: a file name is typed into it and its
// buttons are pressed with window messages.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>

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
  TempFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    path = std::wstring(base) + L"vexlo-dialog-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(path.c_str(), nullptr);
  }
  ~TempFolder() {
    DeleteFileW((path + L"\\样式.css").c_str());
    RemoveDirectoryW(path.c_str());
  }
};

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
