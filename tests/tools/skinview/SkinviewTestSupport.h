// Shared by the gallery tests: a skin package with borders of its own sizes, and files in a
// temporary folder of the test's own.
#pragma once

#include <windows.h>

#include <string>

#include "CraftedSkin.h"
#include "GallerySkin.h"
#include "OwnSkins.h"
#include "ui/Classes.h"

namespace skinviewtest {

// Border sizes of the crafted skin: each border picture holds two frames.
inline constexpr int kCraftedLeft = 6, kCraftedRight = 5, kCraftedTitle = 22, kCraftedBottom = 3;

// A package whose four opaque borders have the sizes above.
inline skintest::Bytes CraftedFramePackage() {
  const std::string ini =
      "[TitlebarSkin]\nSkinName=Crafted frame\n"
      "[Personality]\nLeft=l.bmp\nLeftFrame=2\nLeftTrans=0\nRight=r.bmp\nRightFrame=2\n"
      "RightTrans=0\nTop=t.bmp\nTopFrame=2\nTopTrans=0\nBottom=b.bmp\nBottomFrame=2\n"
      "BottomTrans=0\n";
  return skintest::TCraftedSkin(ini)
      .Bitmap("l.bmp", 2 * kCraftedLeft, 40, 0x208040)
      .Bitmap("r.bmp", 2 * kCraftedRight, 40, 0x208040)
      .Bitmap("t.bmp", 40, 2 * kCraftedTitle, 0x206020)
      .Bitmap("b.bmp", 40, 2 * kCraftedBottom, 0x208040)
      .Package();
}

// The gallery's skin for one of our own skins (testsupport::OwnSkinNames()): the built-in
// skin, or the Daylight package's file as `skinview.exe FILE` takes it.
inline skinview::TSkinChoice OwnSkinChoice(const std::string& name) {
  if (name == testsupport::kBuiltInSkin) return skinview::BuiltInSkin();
  const std::string file = testsupport::DaylightSkinFile();
  return skinview::SkinFromFile(std::wstring(file.begin(), file.end()));
}

// A folder under the system's temporary folder, removed with the files in it.
class TTempFolder {
 public:
  TTempFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"vexlo-skinview-" + std::to_wstring(GetCurrentProcessId()) +
            L"-" + std::to_wstring(GetTickCount()) + L"\\";
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TTempFolder() {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path_ + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveDirectoryW((path_ + name).c_str());
        } else {
          DeleteFileW((path_ + name).c_str());
        }
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    RemoveDirectoryW(path_.c_str());
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  // The path of `name` in the folder, written with the bytes.
  std::wstring Write(const std::wstring& name, const std::string& bytes) const {
    ui::TFileStream file(path_ + name, ui::TFileStream::fmCreate);
    file.WriteBuffer(bytes);
    return path_ + name;
  }
  std::wstring Write(const std::wstring& name, const skintest::Bytes& bytes) const {
    return Write(name, std::string(bytes.begin(), bytes.end()));
  }
  const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_;
};

}  // namespace skinviewtest
