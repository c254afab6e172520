#include "skin/data/WinSkinData.h"

#include <cwctype>

#include "skin/data/Skin3rdMap.h"
#include "skin/data/SkinManagerLink.h"
#include "skin/data/SkinPackageFile.h"
#include "skin/data/SkinSystem.h"
#include "ui/Forms.h"

namespace skin {

const ui::TEnumInfo& SkinControlTypeInfo() {
  static const ui::TEnumInfo info(
      L"TSkinControlType",
      {L"xcMainMenu", L"xcPopupMenu", L"xcMenuItem", L"xcToolbar", L"xcControlbar", L"xcCombo",
       L"xcCheckBox", L"xcRadioButton", L"xcProgress", L"xcScrollbar", L"xcEdit", L"xcButton",
       L"xcBitBtn", L"xcSpeedButton", L"xcSpin", L"xcPanel", L"xcGroupBox", L"xcStatusBar",
       L"xcTab", L"xcTrackBar", L"xcSystemMenu", L"xcFastReport"});
  return info;
}

const ui::TEnumInfo& SkinOptionInfo() {
  static const ui::TEnumInfo info(
      L"TSkinOption", {L"xoMDIScrollbar", L"xoMenuMerge", L"xoTransparent", L"xoPreview",
                       L"xoParentBackGround", L"xoNoFocusRect", L"xoToolbarBK",
                       L"xoMDIChildBorder", L"xoMenuBG"});
  return info;
}

const ui::TEnumInfo& SkinFormTypeInfo() {
  static const ui::TEnumInfo info(L"TSkinFormType",
                                  {L"sfMainform", L"sfOnlyThisForm", L"sfDialog", L"sfDLL"});
  return info;
}

const ui::TClassInfo& TSkinData::StaticClass() {
  static const ui::TClassInfo info = [] {
    ui::TClassInfo c(L"TSkinData", &ui::TComponent::StaticClass());
    c.Bool(L"Active", &TSkinData::Active, &TSkinData::SetActive);
    c.Int(L"DisableTag", &TSkinData::DisableTag, &TSkinData::SetDisableTag);
    c.Set(L"SkinControls", SkinControlTypeInfo(), &TSkinData::SkinControls,
          &TSkinData::SetSkinControls);
    c.Set(L"Options", SkinOptionInfo(), &TSkinData::Options, &TSkinData::SetOptions);
    c.Obj(L"Skin3rd", &TSkinData::Skin3rd);
    c.Str(L"SkinFile", &TSkinData::SkinFile, &TSkinData::SetSkinFile);
    c.Str(L"SkinStore", &TSkinData::SkinStore, &TSkinData::SetSkinStore);
    c.Enum(L"SkinFormtype", SkinFormTypeInfo(), &TSkinData::SkinFormtype,
           &TSkinData::SetSkinFormtype);
    c.Str(L"Version", &TSkinData::Version, &TSkinData::SetVersion);
    c.Bool(L"MenuUpdate", &TSkinData::MenuUpdate, &TSkinData::SetMenuUpdate);
    c.Bool(L"MenuMerge", &TSkinData::MenuMerge, &TSkinData::SetMenuMerge);
    return c;
  }();
  return info;
}

TSkinData::TSkinData(ui::TComponent* owner)
    : ui::TComponent(owner), skin3rd_(std::make_unique<ui::TStringList>()) {
  UseDpi(ui::SystemDpi());
  for (const std::string& line : DefaultSkin3rdLines()) skin3rd_->Add(line);
  menuGlyphs_.reset(ImageList_LoadImageW(GetModuleHandleW(nullptr), L"ZELMARMENU", 16, 0,
                                         RGB(255, 255, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION));
  maxWidth_ = GetSystemMetrics(SM_CXMAXIMIZED);
  maxHeight_ = GetSystemMetrics(SM_CYMAXIMIZED);
}

TSkinData::~TSkinData() {
  BeginDestruction();
  if (TSkinManagerLink* manager = SkinManager()) manager->RemoveSkinData(this);
}

void TSkinData::SetActive(bool value) {
  if (value == active_) return;
  active_ = value;
  TSkinManagerLink* manager = SkinManager();
  // While the owner is read, or before any manager exists, Loaded acts on the stored value.
  if (reading_ || !manager) return;
  if (formType_ == sfMainform || formType_ == sfOnlyThisForm) manager->SkinSwitched(this, value);
}

void TSkinData::Loaded() {
  reading_ = false;
  if (!SystemFunctions().GetScrollBarInfo) skinControls_ &= ~SetOf({xcScrollbar});
  TSkinManagerLink* manager = EnsureSkinManager();
  if (manager && !registered_) {
    manager->AddSkinData(this);
    registered_ = true;
  }
  MakeCaptionFont();
  if (formType_ != sfMainform) {
    if (manager) StartOtherFormType(*manager);
    return;
  }
  if (manager) StartMainForm(*manager);
  // Menu items are skinned as part of the main menu, or the system menu not at all.
  if (InSet(skinControls_, xcMainMenu)) {
    skinControls_ &= ~SetOf({xcMenuItem});
  } else {
    skinControls_ &= ~SetOf({xcSystemMenu});
  }
  MakeAppIconBitmap();
}

void TSkinData::StartOtherFormType(TSkinManagerLink& manager) { manager.ComponentLoaded(this); }

void TSkinData::StartMainForm(TSkinManagerLink& manager) {
  manager.InstallHook();
  if (!active_) return;
  if (noSkinLoaded_) {
    active_ = false;  // nothing to skin with
  } else {
    manager.ComponentLoaded(this);
  }
}

void TSkinData::ReadSkinStream(ui::TStream& stream) {
  std::uint8_t size[4] = {};
  if (stream.Read(size, 4) != 4) return;
  const std::int32_t length = static_cast<std::int32_t>(
      std::uint32_t(size[0]) | std::uint32_t(size[1]) << 8 | std::uint32_t(size[2]) << 16 |
      std::uint32_t(size[3]) << 24);
  if (length <= 0) return;
  std::string block(static_cast<std::size_t>(length), '\0');
  // A stream that ends early holds a damaged package: keep what is there; the decoder
  // refuses it and the previous skin stays.
  block.resize(stream.Read(block.data(), block.size()));
  store_ = std::move(block);
  LoadFromStore();
}

void TSkinData::WriteSkinStream(ui::TStream& stream) const {
  const auto length = static_cast<std::uint32_t>(store_.size());
  const char size[4] = {static_cast<char>(length), static_cast<char>(length >> 8),
                        static_cast<char>(length >> 16), static_cast<char>(length >> 24)};
  stream.WriteBuffer(std::string_view(size, 4));
  if (!store_.empty()) stream.WriteBuffer(store_);
}

void TSkinData::SetSkinFile(const std::wstring& fileName) {
  skinFile_ = fileName;
  const DWORD attributes = GetFileAttributesW(fileName.c_str());
  if (fileName.empty() || attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return;  // a file that is not there changes nothing
  }
  TSkinPackageFile file = ReadSkinPackageFile(fileName);
  if (!file.problem.empty()) {
    // A file that cannot be used leaves the skin as it is; only the older format has a
    // message of the engine's own.
    if (file.status == TSkinLoadStatus::OldFormat) ShowOlderSkinMessage();
    return;
  }
  ApplySkinPackage(std::move(file.package));
}

bool TSkinData::ApplySkinPackage(std::string package) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(package.data());
  if (!SkinPackageProblem(std::span(bytes, package.size())).empty()) return false;
  store_ = std::move(package);
  if (!LoadFromStore()) return false;  // not reached: the package was checked above
  if (formType_ == sfMainform) ApplyNewSkin();
  return true;
}

void TSkinData::ApplyNewSkin() {
  if (reading_) return;
  TSkinManagerLink* manager = SkinManager();
  if (!manager) {
    Loaded();
    manager = SkinManager();
  }
  if (!manager) return;
  manager->SkinChanged(this);
}

bool TSkinData::QueryFormSkin(HWND window, const std::wstring& className, bool doSkin) {
  decidingWindow_ = window;
  if (OnFormSkin) {
    OnFormSkin(this, className, doSkin);
    return doSkin;
  }
  if (className == L"SysMonthCal32") return false;
  if (InSet(skinControls_, xcFastReport) && className.starts_with(L"Tfr")) return false;
  return doSkin;
}

void TSkinData::FireSkinChanged() {
  if (OnSkinChanged) OnSkinChanged(this);
}

}  // namespace skin
