// A real main window for tests, shown, with a fresh temporary folder for its files.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "GuiTestSupport.h"
#include "OwnSkins.h"
#include "app/SkinOption.h"
#include "app/Unit1.h"
#include "ui/Classes.h"
#include "ui/ShellApi.h"
#include "ui/SysUtils.h"

// The bytes of a literal, embedded NULs included.
template <size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

struct MainWindowTest : testing::Test {
  // Any message box is recorded and closed, so that a test never waits on one; a test that
  // expects boxes says so, any other box fails the test.
  testsupport::MessageBoxWatcher boxes;
  bool boxesExpected = false;
  std::unique_ptr<TForm1> form;
  std::wstring folder;  // with its trailing separator
  std::vector<std::wstring> shellOpened;

  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder = std::wstring(temp) + L"vexlo-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
             std::to_wstring(GetTickCount()) + L"-测试\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    ui::ShellOpenHook() = [this](HWND, const std::wstring& target) { shellOpened.push_back(target); };
    form = std::make_unique<TForm1>(nullptr);
    if (SkinName() != testsupport::kBuiltInSkin) {
      // As `vexlo.exe --skin FILE` does, before the window first shows.
      const std::string file = testsupport::DaylightSkinFile();
      TSkinOption option{true, std::wstring(file.begin(), file.end()), {}};
      ASSERT_EQ(ApplySkinOption(*form, option), L"") << file;
    }
    form->Show();
  }

  // The skin the window runs with: the built-in one unless a subclass (such as
  // testsupport::OwnSkinsOf) names another.
  virtual std::string SkinName() const { return testsupport::kBuiltInSkin; }
  testsupport::TOwnSkinFrame Skin() const { return testsupport::OwnSkinFrame(SkinName()); }
  // The main window's size around its client area of 918 x 644 (at 96 DPI), with the skin's
  // borders.
  SIZE FramedSize() const {
    const testsupport::TOwnSkinFrame f = Skin();
    return {testsupport::AtScreenDpi(918) + f.Left + f.Right,
            testsupport::AtScreenDpi(644) + f.Title + f.Bottom};
  }

  void TearDown() override {
    if (!boxesExpected) {
      for (const auto& box : boxes.Boxes()) ADD_FAILURE() << "message box: " << ui::Utf8(box.text);
    }
    form.reset();
    ui::ShellOpenHook() = nullptr;
    RemoveTree(folder);
  }

  static void RemoveTree(const std::wstring& dir) {
    WIN32_FIND_DATAW f;
    HANDLE h = FindFirstFileW((dir + L"*").c_str(), &f);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        std::wstring name = f.cFileName;
        if (name == L"." || name == L"..") continue;
        if (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(dir + name + L"\\");
        else DeleteFileW((dir + name).c_str());
      } while (FindNextFileW(h, &f));
      FindClose(h);
    }
    RemoveDirectoryW(dir.c_str());
  }

  static std::string ReadFile(const std::wstring& path) {
    ui::TFileStream f(path, ui::TFileStream::fmOpenRead);
    return f.ReadAll();
  }
  static void WriteFile(const std::wstring& path, const std::string& bytes) {
    ui::TFileStream f(path, ui::TFileStream::fmCreate);
    f.WriteBuffer(bytes);
  }
  static bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

  // Step one as a user takes it: a click on the button, the full path typed into the real
  // open dialog (which starts in the folder of the sheet chosen before). The click goes
  // through the message loop, so an error shows in the error box.
  void OpenThroughDialog(const std::wstring& path) {
    int shown = 0;
    form->dlgOpen1->OnShow = [&](ui::TObject*) {
      ++shown;
      testsupport::ChooseInOpenDialog(form->dlgOpen1->Handle(), path);
    };
    form->dlgOpen1->OnClose = [&](ui::TObject*) { ++shown; };
    PostMessageW(form->btn1->Handle(), BM_CLICK, 0, 0);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return shown == 2; }));
    testsupport::PumpFor(20);  // the rest of the click handler
    form->dlgOpen1->OnShow = nullptr;
    form->dlgOpen1->OnClose = nullptr;
  }
};
