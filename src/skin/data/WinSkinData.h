// TSkinData: the component that an application puts on its main form to skin itself. It holds
// the skin package, loads it into skin definition objects and a colour table, makes the
// pictures derived from them, and switches skinning on and off through the skin manager.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "skin/model/ResolvedSkin.h"
#include "skin/model/SkinDefinitions.h"
#include "skin/model/SkinScale.h"
#include "ui/Canvas.h"
#include "ui/Classes.h"
#include "ui/Controls.h"

namespace skin {

enum TSkinControlType {
  xcMainMenu, xcPopupMenu, xcMenuItem, xcToolbar, xcControlbar, xcCombo, xcCheckBox,
  xcRadioButton, xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcSpin,
  xcPanel, xcGroupBox, xcStatusBar, xcTab, xcTrackBar, xcSystemMenu, xcFastReport
};
using TSkinControlTypes = int;  // bit 1 << TSkinControlType

enum TSkinOption {
  xoMDIScrollbar, xoMenuMerge, xoTransparent, xoPreview, xoParentBackGround, xoNoFocusRect,
  xoToolbarBK, xoMDIChildBorder, xoMenuBG
};
using TSkinOptions = int;  // bit 1 << TSkinOption

enum TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

const ui::TEnumInfo& SkinControlTypeInfo();
const ui::TEnumInfo& SkinOptionInfo();
const ui::TEnumInfo& SkinFormTypeInfo();

constexpr int SetOf(std::initializer_list<int> members) {
  int bits = 0;
  for (int m : members) bits |= 1 << m;
  return bits;
}
constexpr bool InSet(int set, int member) { return (set & (1 << member)) != 0; }

// Every kind of control but menu items and report-designer windows.
constexpr TSkinControlTypes kDefaultSkinControls =
    ((1 << (xcFastReport + 1)) - 1) & ~SetOf({xcMenuItem, xcFastReport});
constexpr TSkinOptions kDefaultSkinOptions = SetOf({xoPreview, xoToolbarBK});

inline constexpr const wchar_t kSkinDataVersion[] = L"4.04.04.11";

class TSkinData;
class TSkinManagerLink;

// Lets the application veto skinning of a top-level window of class aName.
using TOnFormSkin =
    std::function<void(ui::TObject* sender, const std::wstring& aName, bool& doSkin)>;
// Lets the application supply the skinner object for a control (none: the engine chooses).
using TOnSkinControl = std::function<void(
    ui::TComponent* sender, TSkinData* skinData, ui::TControl* form, ui::TControl* control,
    const std::wstring& controlClass, ui::TComponent*& skinnedControl)>;

class TSkinData : public ui::TComponent {
  UI_CLASS_INFO
 public:
  explicit TSkinData(ui::TComponent* owner);
  ~TSkinData() override;

  // Published properties.
  bool Active() const { return active_; }
  void SetActive(bool value);
  int DisableTag() const { return disableTag_; }
  void SetDisableTag(int value) { disableTag_ = value; }
  TSkinControlTypes SkinControls() const { return skinControls_; }
  void SetSkinControls(TSkinControlTypes value) { skinControls_ = value; }
  TSkinOptions Options() const { return options_; }
  void SetOptions(TSkinOptions value) { options_ = value; }
  ui::TStringList* Skin3rd() const { return skin3rd_.get(); }
  void SetSkin3rd(const ui::TStrings& lines) { skin3rd_->Assign(lines); }
  std::wstring SkinFile() const { return skinFile_; }
  void SetSkinFile(const std::wstring& fileName);
  std::wstring SkinStore() const { return L"(none)"; }  // a designer's indicator only
  void SetSkinStore(const std::wstring&) {}
  TSkinFormType SkinFormtype() const { return formType_; }
  void SetSkinFormtype(TSkinFormType value) { formType_ = value; }
  std::wstring Version() const { return kSkinDataVersion; }
  void SetVersion(const std::wstring&) {}  // the version is the engine's, not settable
  bool MenuUpdate() const { return menuUpdate_; }
  void SetMenuUpdate(bool value) { menuUpdate_ = value; }
  bool MenuMerge() const { return menuMerge_; }
  void SetMenuMerge(bool value) { menuMerge_ = value; }
  // Frames paint only while this is set (it is cleared while a form handles a menu change).
  bool PaintingAllowed() const { return paintingAllowed_; }
  void SetPaintingAllowed(bool value) { paintingAllowed_ = value; }

  TOnFormSkin OnFormSkin;
  ui::TNotifyEvent OnSkinChanged;
  TOnSkinControl OnSkinControl;

  // Reading the owner's stored properties: between BeginReading and Loaded the setters only
  // store their values (SkinStream still loads the skin at once).
  void BeginReading() { reading_ = true; }
  bool Reading() const { return reading_; }
  // The owner has been read: register with the skin manager and ask for skinning.
  void Loaded();

  // The stored package: a 4-byte little-endian length, then the compressed block.
  void ReadSkinStream(ui::TStream& stream);
  void WriteSkinStream(ui::TStream& stream) const;
  // The compressed block held in the store.
  const std::string& StoreBytes() const { return store_; }
  void SetStoreBytes(std::string block) { store_ = std::move(block); }

  // Unpacks and reads the skin held in the store; false (previous skin kept) when the store
  // holds no package the engine accepts. A package of the older format shows its message.
  bool LoadFromStore();
  // Switches to another skin at run time: the package (a compressed block) replaces the
  // store, is loaded and applied to every frame and control this component skins. A package
  // the engine refuses changes nothing (the current skin stays, loaded and shown); the answer
  // is false then.
  bool ApplySkinPackage(std::string package);
  // A skin has been loaded completely (the no-skin-loaded flag is clear).
  bool SkinLoaded() const { return !noSkinLoaded_; }

  // Whether a top-level window of class `className` about to be skinned should be.
  bool QueryFormSkin(HWND window, const std::wstring& className, bool doSkin);
  HWND DecidingWindow() const { return decidingWindow_; }
  void FireSkinChanged();

  // The DPI the skin is drawn at: the screen's when the component is made. The loaded skin
  // is scaled to it once and the scaled copy kept, one per DPI that was asked for.
  int Dpi() const { return dpi_; }
  const TSkinScale& Scale() const { return scale_; }
  // Draws at another DPI from now on (the window moved to another screen): the skin scaled
  // to it is resolved and applied to every frame and control this component skins.
  void SetDpi(int dpi);
  // The loaded skin as drawn: scaled to Dpi().
  const TSkinDefinitions& Definitions() const { return *inUse_; }
  // The loaded skin as the package gives it, at 96 DPI.
  const TSkinDefinitions& BaseDefinitions() const { return defs_; }
  // An element by name, for the reports and the foreign classes that need names; painting
  // takes its elements from Resolved().
  TDataSkinObject* SkinObject(std::string_view name) const { return inUse_->Find(name); }
  // The loaded skin's elements at Dpi(), resolved when it was loaded or the DPI changed.
  const TResolvedSkin& Resolved() const { return resolved_; }
  // Resolves the definitions again after they were changed in place (a crafted element).
  void DefinitionsChanged() { Resolve(); }
  // Changes whenever the definitions do (a skin read, or changed in place): pictures made
  // from them and kept between paints are made again when it differs from theirs.
  unsigned Revision() const { return revision_; }
  const std::vector<std::unique_ptr<TDataSkinSysButton>>& CaptionButtons() const {
    return inUse_->CaptionButtons();
  }
  const TSkinColourTable& Colours() const { return defs_.Colours; }
  const std::string& SkinName() const { return defs_.SkinName; }
  ui::TColor TitleColour() const { return titleColour_; }
  HBRUSH ButtonFaceBrush() const { return faceBrush_.Get(); }
  HFONT CaptionFont() const { return captionFont_.Get(); }
  ui::TBitmap* AppIconBitmap() const { return appIcon_.get(); }
  HIMAGELIST MenuGlyphs() const { return menuGlyphs_.get(); }
  int MaxWidth() const { return maxWidth_; }
  int MaxHeight() const { return maxHeight_; }

 private:
  struct TImageListDeleter {
    void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
  };

  void StartOtherFormType(TSkinManagerLink& manager);
  void StartMainForm(TSkinManagerLink& manager);
  void ApplyNewSkin();
  void ReadDerivedPictures();
  // Resolves the definitions in use as they are now and counts a new revision.
  void Resolve() {
    resolved_ = ResolveSkin(*inUse_);
    ++revision_;
  }
  // Makes the loaded skin scaled to `dpi` (once per DPI) the one in use.
  void UseDpi(int dpi);
  void MakeCaptionFont();
  void MakeAppIconBitmap();

  bool active_ = false;
  int disableTag_ = 99;
  TSkinControlTypes skinControls_ = kDefaultSkinControls;
  TSkinOptions options_ = kDefaultSkinOptions;
  std::unique_ptr<ui::TStringList> skin3rd_;
  std::wstring skinFile_;
  TSkinFormType formType_ = sfMainform;
  bool menuUpdate_ = true;
  bool menuMerge_ = false;
  bool paintingAllowed_ = true;

  bool reading_ = false;
  bool noSkinLoaded_ = true;
  bool registered_ = false;
  std::string store_;
  TSkinDefinitions defs_;   // the skin as loaded
  int dpi_ = 96;
  TSkinScale scale_;
  std::map<int, std::unique_ptr<TSkinDefinitions>> scaled_;  // defs_ scaled, by DPI
  TSkinDefinitions* inUse_ = &defs_;  // defs_, or its copy scaled to dpi_
  TResolvedSkin resolved_;  // always resolved from *inUse_ as it is now
  unsigned revision_ = 0;
  HWND decidingWindow_ = nullptr;
  ui::TColor titleColour_ = ui::clBtnFace;
  ui::TBrushHandle faceBrush_;
  ui::TFontHandle captionFont_;
  std::unique_ptr<ui::TBitmap> appIcon_;
  std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, TImageListDeleter> menuGlyphs_;
  int maxWidth_ = 0, maxHeight_ = 0;
};

// Loads a program bitmap resource (BITMAP type) into a skin bitmap; false when the module has
// no such resource.
bool LoadResourceBitmap(HINSTANCE module, const wchar_t* name, TSkinBitmap& bitmap);

}  // namespace skin
