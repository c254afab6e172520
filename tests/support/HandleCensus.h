// Counts the drawing objects and window-manager objects this process holds, for leak tests.
//
// Wine answers GetGuiResources with 0 and keeps no shared GDI handle table in the PEB, so the
// census keeps its own books: it replaces the entries of this executable's import table for
// the functions that make and free such objects (gdi32, user32, comctl32) with counting
// wrappers. The program and the skin engine are linked statically into the executable, so
// every object they make goes through the wrappers; objects the system makes for itself do
// not, and are left out. Windows are not booked but counted as they are: every window of
// this process, children and message-only windows included, but not the system's
// input-method windows (they come and go with a thread's first and last top-level window).
//
// An object stays on the books until it is freed through its function or stops being valid
// (a menu destroyed with its window, a region the system freed after SetWindowRgn took it);
// a region given to SetWindowRgn belongs to the system from then on and leaves the books.
#pragma once

#include <array>
#include <ostream>
#include <string>

namespace testsupport {

enum class THandleKind {
  Bitmap,
  CreatedDC,  // memory and device DCs made by CreateCompatibleDC and CreateDC
  WindowDC,   // DCs taken by GetDC, GetWindowDC and GetDCEx and not released
  PaintDC,    // BeginPaint without its EndPaint
  Region,
  Font,
  Brush,
  Pen,
  OtherGdi,   // palettes and other GDI objects
  Window,
  Menu,
  Hook,
  Icon,       // icons and cursors
  ImageList,
  Count
};
inline constexpr int kHandleKinds = static_cast<int>(THandleKind::Count);

const char* HandleKindName(THandleKind kind);

struct THandleCounts {
  std::array<int, kHandleKinds> Of{};

  int operator[](THandleKind kind) const { return Of[static_cast<int>(kind)]; }
  int Total() const;
  bool operator==(const THandleCounts&) const = default;
  // "bitmaps 12, regions 3, ..." for every kind not zero.
  std::string Describe() const;
  // The kinds whose counts differ from `before`, e.g. "regions 3 -> 4"; empty when none do.
  std::string ChangesSince(const THandleCounts& before) const;
};

// For GoogleTest's messages.
inline void PrintTo(const THandleCounts& counts, std::ostream* out) { *out << counts.Describe(); }

// Puts the counting wrappers in place (once per process; later calls do nothing). Objects made
// before the first call are not on the books.
void StartHandleCensus();
// The objects on the books that are still valid, and the windows of the process.
THandleCounts CountHandles();
// The number of the process's windows.
int CountWindows();

}  // namespace testsupport
