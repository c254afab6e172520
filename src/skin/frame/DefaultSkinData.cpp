#include <string>

#include "skin/frame/WinSkinForm.h"

namespace skin {

namespace {

// The program's "DEFAULTSKIN" resource as it is stored in a form: a 4-byte little-endian
// length, then the compressed package. Empty when there is no such resource.
std::string DefaultSkinStream() {
  HRSRC resource = FindResourceW(nullptr, L"DEFAULTSKIN", reinterpret_cast<LPCWSTR>(RT_RCDATA));
  if (!resource) return {};
  HGLOBAL loaded = LoadResource(nullptr, resource);
  const DWORD size = SizeofResource(nullptr, resource);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes || size == 0) return {};
  std::string stream(4, '\0');
  for (int i = 0; i < 4; ++i) stream[static_cast<std::size_t>(i)] = static_cast<char>(size >> (8 * i));
  stream.append(static_cast<const char*>(bytes), size);
  return stream;
}

}  // namespace

TSkinData* CreateDefaultSkinData(ui::TComponent* owner) {
  const std::string stored = DefaultSkinStream();
  if (stored.empty()) return nullptr;
  UseSkinManager();
  auto* data = new TSkinData(owner);
  data->BeginReading();
  data->SetActive(true);
  data->SetDisableTag(99);
  data->SetSkinControls(kMainWindowSkinControls);
  data->SetOptions(SetOf({xoPreview, xoToolbarBK}));
  data->SetSkinFormtype(sfMainform);
  data->SetMenuUpdate(true);
  data->SetMenuMerge(false);
  ui::TMemoryStream stream(stored);
  data->ReadSkinStream(stream);
  data->Loaded();
  return data;
}

}  // namespace skin
