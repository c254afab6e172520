// Loading a skin into the skin data component, and the pictures and fonts it makes.
#include <vector>

#include "skin/data/SkinDerivedImages.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/SkinPackageFile.h"
#include "skin/model/SkinReport.h"
#include "skin/data/WinSkinData.h"
#include "ui/Forms.h"

namespace skin {

namespace {

// The track channel pictures: the program's resource of that name, else the same picture
// built into the engine.
bool ProgramTrackBitmap(std::string_view name, TSkinBitmap& bitmap) {
  const std::wstring wide(name.begin(), name.end());
  if (LoadResourceBitmap(GetModuleHandleW(nullptr), wide.c_str(), bitmap)) return true;
  return BuiltinTrackBitmap(name, bitmap);
}

// Releases an icon that was loaded (not a shared system one) when it goes.
class TIconHandle {
 public:
  TIconHandle(HICON icon, bool owned) : icon_(icon), owned_(owned) {}
  ~TIconHandle() {
    if (icon_ && owned_) DestroyIcon(icon_);
  }
  TIconHandle(const TIconHandle&) = delete;
  TIconHandle& operator=(const TIconHandle&) = delete;
  HICON Get() const { return icon_; }

 private:
  HICON icon_;
  bool owned_;
};

BOOL CALLBACK FirstIconGroup(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
  auto* result = reinterpret_cast<std::wstring*>(found);
  if (IS_INTRESOURCE(name)) {
    *result = L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name));
  } else {
    *result = name;
  }
  return FALSE;
}

// The application's icon at the given size: the program's first icon group, drawn from its
// nearest image; none when the program has no icon.
TIconHandle ApplicationIcon(int cx, int cy) {
  HMODULE module = GetModuleHandleW(nullptr);
  std::wstring group;
  EnumResourceNamesW(module, RT_GROUP_ICON, FirstIconGroup, reinterpret_cast<LONG_PTR>(&group));
  if (!group.empty()) {
    const wchar_t* name = group[0] == L'#'
                              ? MAKEINTRESOURCEW(std::stoi(group.substr(1)))
                              : group.c_str();
    if (HANDLE icon = LoadImageW(module, name, IMAGE_ICON, cx, cy, 0)) {
      return TIconHandle(static_cast<HICON>(icon), true);
    }
  }
  return TIconHandle(LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION)), false);
}

}  // namespace

bool LoadResourceBitmap(HINSTANCE module, const wchar_t* name, TSkinBitmap& bitmap) {
  ui::TBitmapHandle handle(static_cast<HBITMAP>(
      LoadImageW(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!handle) return false;
  BITMAP info{};
  if (!GetObjectW(handle.Get(), sizeof(info), &info) || info.bmWidth <= 0 ||
      info.bmHeight == 0) {
    return false;
  }
  const int width = info.bmWidth, height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  BITMAPINFO header{};
  header.bmiHeader.biSize = sizeof(header.bmiHeader);
  header.bmiHeader.biWidth = width;
  header.bmiHeader.biHeight = -height;
  header.bmiHeader.biPlanes = 1;
  header.bmiHeader.biBitCount = 32;
  header.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> rows(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  HDC screen = GetDC(nullptr);
  const int copied = GetDIBits(screen, handle.Get(), 0, static_cast<UINT>(height), rows.data(),
                               &header, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (copied != height) return false;
  for (std::uint32_t& pixel : rows) pixel &= 0xFFFFFF;
  bitmap.SetPixels(width, height, rows.data());
  return true;
}

void TSkinData::UseDpi(int dpi) {
  dpi_ = dpi;
  scale_ = ScaleForDpi(dpi);
  if (scale_.Identity()) {
    inUse_ = &defs_;
    return;
  }
  std::unique_ptr<TSkinDefinitions>& scaled = scaled_[dpi];
  if (!scaled) {
    scaled = std::make_unique<TSkinDefinitions>();
    ScaleDefinitions(defs_, scale_, *scaled);
  }
  inUse_ = scaled.get();
}

void TSkinData::SetDpi(int dpi) {
  if (dpi <= 0 || dpi == dpi_) return;
  UseDpi(dpi);
  Resolve();
  MakeCaptionFont();
  if (SkinLoaded()) ApplyNewSkin();
}

bool TSkinData::LoadFromStore() {
  noSkinLoaded_ = true;
  // The copies scaled from the skin held until now go with it.
  inUse_ = &defs_;
  scaled_.clear();
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(store_.data());
  const TSkinLoadStatus status =
      LoadSkinDefinitions(std::span(bytes, store_.size()), defs_, ProgramTrackBitmap);
  if (status != TSkinLoadStatus::Ok) {
    // Nothing may keep pointing into definitions the failed read has replaced.
    Resolve();
    if (status == TSkinLoadStatus::OldFormat) ShowOlderSkinMessage();
    return false;
  }
  ReadDerivedPictures();
  UseDpi(dpi_);
  Resolve();
  noSkinLoaded_ = false;
  return true;
}

void TSkinData::ReadDerivedPictures() {
  MakeComboImages(defs_);
  MakeComboArrow(defs_);
  // The title colour comes first: the tool bar background is blended from this skin's title.
  titleColour_ = ReadTitleColour(defs_);
  MakeToolbarBackground(defs_, titleColour_);
  faceBrush_.Reset(CreateSolidBrush(static_cast<COLORREF>(ResolveColour(defs_.Colours.ButtonFace))));
}

void TSkinData::MakeCaptionFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return;
  // The system gives the font at its own DPI; a window on a screen of another DPI gets it
  // scaled to that screen.
  metrics.lfCaptionFont.lfHeight = MulDiv(metrics.lfCaptionFont.lfHeight, dpi_, ui::SystemDpi());
  captionFont_.Reset(CreateFontIndirectW(&metrics.lfCaptionFont));
}

void TSkinData::MakeAppIconBitmap() {
  const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
  auto bitmap = std::make_unique<ui::TBitmap>(cx, cy);
  ui::TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetColor(kKeyColour);
  canvas->FillRect(RECT{0, 0, cx, cy});
  const TIconHandle icon = ApplicationIcon(cx, cy);
  if (icon.Get()) DrawIconEx(canvas->Handle(), 0, 0, icon.Get(), cx, cy, 0, nullptr, DI_NORMAL);
  bitmap->SetTransparentColor(kKeyColour);
  bitmap->SetTransparent(true);
  appIcon_ = std::move(bitmap);
}

}  // namespace skin
