#include "SkinSystem.h"

namespace skin {

namespace {

// The user-interface library, loaded once and released when the process ends.
class TUserLibrary {
 public:
  TUserLibrary() : module_(LoadLibraryW(L"user32.dll")) {
    if (!module_) return;
    functions.GetScrollBarInfo = Find<TGetScrollBarInfo>("GetScrollBarInfo");
    functions.TrackMouseEvent = Find<TTrackMouseEvent>("TrackMouseEvent");
    functions.GetComboBoxInfo = Find<TGetComboBoxInfo>("GetComboBoxInfo");
    functions.DisableProcessWindowsGhosting =
        Find<TDisableProcessWindowsGhosting>("DisableProcessWindowsGhosting");
  }
  ~TUserLibrary() {
    if (module_) FreeLibrary(module_);
  }
  TUserLibrary(const TUserLibrary&) = delete;
  TUserLibrary& operator=(const TUserLibrary&) = delete;

  TSystemFunctions functions;

 private:
  template <class F>
  F Find(const char* name) const {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }
  HMODULE module_;
};

TUserLibrary& Library() {
  static TUserLibrary library;
  return library;
}

}  // namespace

const TSystemFunctions& SystemFunctions() { return Library().functions; }

bool SkinGetScrollBarInfo(HWND window, LONG bar, SCROLLBARINFO& info) {
  const TGetScrollBarInfo get = SystemFunctions().GetScrollBarInfo;
  if (!get) return false;
  info.cbSize = sizeof(info);
  return get(window, bar, &info) != FALSE;
}

void SkinTrackMouseLeave(HWND window) {
  const TTrackMouseEvent track = SystemFunctions().TrackMouseEvent;
  if (!track) return;
  TRACKMOUSEEVENT request{};
  request.cbSize = sizeof(request);
  request.dwFlags = TME_LEAVE;
  request.hwndTrack = window;
  track(&request);
}

TSystemFunctionsOverride::TSystemFunctionsOverride(const TSystemFunctions& replacement)
    : saved_(Library().functions) {
  Library().functions = replacement;
}

TSystemFunctionsOverride::~TSystemFunctionsOverride() { Library().functions = saved_; }

}  // namespace skin
