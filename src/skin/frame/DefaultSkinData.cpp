#include <string>

#include "skin/frame/SkinManage.h"

namespace skin {

std::string DefaultSkinPackage() {
  HRSRC resource = FindResourceW(nullptr, L"DEFAULTSKIN", reinterpret_cast<LPCWSTR>(RT_RCDATA));
  if (!resource) return {};
  HGLOBAL loaded = LoadResource(nullptr, resource);
  const DWORD size = SizeofResource(nullptr, resource);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes || size == 0) return {};
  return std::string(static_cast<const char*>(bytes), size);
}

TSkinData* CreateSkinData(ui::TComponent* owner, std::string_view package,
                          TSkinControlTypes kinds) {
  if (package.empty()) return nullptr;
  UseSkinManager();
  auto* data = new TSkinData(owner);
  data->BeginReading();
  data->SetActive(true);
  data->SetDisableTag(99);
  data->SetSkinControls(kinds);
  data->SetOptions(SetOf({xoPreview, xoToolbarBK}));
  data->SetSkinFormtype(sfMainform);
  data->SetMenuUpdate(true);
  data->SetMenuMerge(false);
  // The stored form of a package: a 4-byte little-endian length, then the package.
  const auto size = static_cast<std::uint32_t>(package.size());
  std::string stored(4, '\0');
  for (int i = 0; i < 4; ++i) stored[static_cast<std::size_t>(i)] = static_cast<char>(size >> (8 * i));
  stored.append(package);
  ui::TMemoryStream stream(stored);
  data->ReadSkinStream(stream);
  data->Loaded();
  return data;
}

TSkinData* CreateDefaultSkinData(ui::TComponent* owner) {
  return CreateSkinData(owner, DefaultSkinPackage(), kMainWindowSkinControls);
}

}  // namespace skin
