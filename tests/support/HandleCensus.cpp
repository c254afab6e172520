// The counting wrappers and the import-table patching behind HandleCensus.h.
#include "HandleCensus.h"

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <set>
#include <unordered_map>

namespace testsupport {
namespace {

// The books. The wrappers call the real function first and book its result after, outside
// the lock: a real function may send messages whose handlers make objects of their own.
struct TBooks {
  SRWLOCK lock = SRWLOCK_INIT;
  std::unordered_map<HANDLE, THandleKind> gdi;  // GDI objects and created DCs
  std::map<HDC, int> windowDCs;                 // per DC: taken and not yet released
  std::map<HDC, int> paintDCs;
  std::set<HMENU> menus;
  std::set<HHOOK> hooks;
  std::set<HANDLE> icons;
  std::set<HIMAGELIST> imageLists;
};
// Never freed: wrappers still run while the process ends.
TBooks& Books() {
  static TBooks* const books = new TBooks;
  return *books;
}

class TLock {
 public:
  TLock() { AcquireSRWLockExclusive(&Books().lock); }
  ~TLock() { ReleaseSRWLockExclusive(&Books().lock); }
  TLock(const TLock&) = delete;
  TLock& operator=(const TLock&) = delete;
};

THandleKind GdiKind(DWORD type) {
  switch (type) {
    case OBJ_BITMAP: return THandleKind::Bitmap;
    case OBJ_REGION: return THandleKind::Region;
    case OBJ_FONT: return THandleKind::Font;
    case OBJ_BRUSH: return THandleKind::Brush;
    case OBJ_PEN:
    case OBJ_EXTPEN: return THandleKind::Pen;
    case OBJ_DC:
    case OBJ_MEMDC: return THandleKind::CreatedDC;
    default: return THandleKind::OtherGdi;
  }
}

void BookGdi(HGDIOBJ object) {
  if (!object) return;
  const DWORD type = GetObjectType(object);
  if (type == 0) return;
  TLock lock;
  Books().gdi[object] = GdiKind(type);
}
void StrikeGdi(HGDIOBJ object) {
  TLock lock;
  Books().gdi.erase(object);
}
template <class Set, class H>
void Book(Set& set, H handle) {
  if (!handle) return;
  TLock lock;
  set.insert(handle);
}
template <class Set, class H>
void Strike(Set& set, H handle) {
  TLock lock;
  set.erase(handle);
}
void Take(std::map<HDC, int>& held, HDC dc) {
  if (!dc) return;
  TLock lock;
  ++held[dc];
}
void Give(std::map<HDC, int>& held, HDC dc) {
  TLock lock;
  const auto found = held.find(dc);
  if (found != held.end() && --found->second <= 0) held.erase(found);
}

// An image loaded or copied as its own object (not shared with the system) goes on the books
// of its kind.
void BookImage(HANDLE image, UINT type, UINT flags) {
  if (!image || (flags & LR_SHARED)) return;
  if (type == IMAGE_BITMAP) BookGdi(image);
  else Book(Books().icons, image);
}

// One wrapper per function: `real_NAME` holds the function the import table pointed at.
#define VEXLO_GDI_MAKER(R, name, params, args) \
  decltype(&::name) real_##name = nullptr;     \
  R WINAPI hook_##name params {                \
    R made = real_##name args;                 \
    BookGdi(made);                             \
    return made;                               \
  }

VEXLO_GDI_MAKER(HBITMAP, CreateBitmap, (int w, int h, UINT planes, UINT bits, const void* data),
                (w, h, planes, bits, data))
VEXLO_GDI_MAKER(HBITMAP, CreateBitmapIndirect, (const BITMAP* bm), (bm))
VEXLO_GDI_MAKER(HBITMAP, CreateCompatibleBitmap, (HDC dc, int w, int h), (dc, w, h))
VEXLO_GDI_MAKER(HBITMAP, CreateDIBSection,
                (HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset),
                (dc, info, usage, bits, section, offset))
VEXLO_GDI_MAKER(HBITMAP, CreateDIBitmap,
                (HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                 const BITMAPINFO* info, UINT usage),
                (dc, header, init, bits, info, usage))
VEXLO_GDI_MAKER(HDC, CreateCompatibleDC, (HDC dc), (dc))
VEXLO_GDI_MAKER(HDC, CreateDCW, (LPCWSTR driver, LPCWSTR device, LPCWSTR port, const DEVMODEW* mode),
                (driver, device, port, mode))
VEXLO_GDI_MAKER(HRGN, CreateRectRgn, (int l, int t, int r, int b), (l, t, r, b))
VEXLO_GDI_MAKER(HRGN, CreateRectRgnIndirect, (const RECT* r), (r))
VEXLO_GDI_MAKER(HRGN, CreateRoundRectRgn, (int l, int t, int r, int b, int w, int h), (l, t, r, b, w, h))
VEXLO_GDI_MAKER(HRGN, CreateEllipticRgn, (int l, int t, int r, int b), (l, t, r, b))
VEXLO_GDI_MAKER(HRGN, CreatePolygonRgn, (const POINT* points, int count, int mode), (points, count, mode))
VEXLO_GDI_MAKER(HRGN, ExtCreateRegion, (const XFORM* xform, DWORD size, const RGNDATA* data),
                (xform, size, data))
VEXLO_GDI_MAKER(HFONT, CreateFontIndirectW, (const LOGFONTW* font), (font))
VEXLO_GDI_MAKER(HFONT, CreateFontW,
                (int h, int w, int esc, int orient, int weight, DWORD italic, DWORD underline,
                 DWORD strike, DWORD charset, DWORD precision, DWORD clip, DWORD quality,
                 DWORD pitch, LPCWSTR face),
                (h, w, esc, orient, weight, italic, underline, strike, charset, precision, clip,
                 quality, pitch, face))
VEXLO_GDI_MAKER(HBRUSH, CreateSolidBrush, (COLORREF colour), (colour))
VEXLO_GDI_MAKER(HBRUSH, CreateHatchBrush, (int hatch, COLORREF colour), (hatch, colour))
VEXLO_GDI_MAKER(HBRUSH, CreatePatternBrush, (HBITMAP bitmap), (bitmap))
VEXLO_GDI_MAKER(HBRUSH, CreateBrushIndirect, (const LOGBRUSH* brush), (brush))
VEXLO_GDI_MAKER(HPEN, CreatePen, (int style, int width, COLORREF colour), (style, width, colour))
VEXLO_GDI_MAKER(HPEN, CreatePenIndirect, (const LOGPEN* pen), (pen))
VEXLO_GDI_MAKER(HPEN, ExtCreatePen,
                (DWORD style, DWORD width, const LOGBRUSH* brush, DWORD count, const DWORD* styles),
                (style, width, brush, count, styles))
VEXLO_GDI_MAKER(HPALETTE, CreatePalette, (const LOGPALETTE* palette), (palette))
VEXLO_GDI_MAKER(HBITMAP, LoadBitmapW, (HINSTANCE module, LPCWSTR name), (module, name))
#undef VEXLO_GDI_MAKER

decltype(&::DeleteObject) real_DeleteObject = nullptr;
BOOL WINAPI hook_DeleteObject(HGDIOBJ object) {
  const BOOL done = real_DeleteObject(object);
  if (done) StrikeGdi(object);
  return done;
}
decltype(&::DeleteDC) real_DeleteDC = nullptr;
BOOL WINAPI hook_DeleteDC(HDC dc) {
  const BOOL done = real_DeleteDC(dc);
  if (done) StrikeGdi(dc);
  return done;
}

decltype(&::GetDC) real_GetDC = nullptr;
HDC WINAPI hook_GetDC(HWND window) {
  const HDC dc = real_GetDC(window);
  Take(Books().windowDCs, dc);
  return dc;
}
decltype(&::GetWindowDC) real_GetWindowDC = nullptr;
HDC WINAPI hook_GetWindowDC(HWND window) {
  const HDC dc = real_GetWindowDC(window);
  Take(Books().windowDCs, dc);
  return dc;
}
decltype(&::GetDCEx) real_GetDCEx = nullptr;
HDC WINAPI hook_GetDCEx(HWND window, HRGN clip, DWORD flags) {
  const HDC dc = real_GetDCEx(window, clip, flags);
  Take(Books().windowDCs, dc);
  return dc;
}
// The caller has done its part whatever the answer (a window's own DC is never released).
decltype(&::ReleaseDC) real_ReleaseDC = nullptr;
int WINAPI hook_ReleaseDC(HWND window, HDC dc) {
  const int released = real_ReleaseDC(window, dc);
  Give(Books().windowDCs, dc);
  return released;
}
decltype(&::BeginPaint) real_BeginPaint = nullptr;
HDC WINAPI hook_BeginPaint(HWND window, PAINTSTRUCT* paint) {
  const HDC dc = real_BeginPaint(window, paint);
  Take(Books().paintDCs, dc);
  return dc;
}
decltype(&::EndPaint) real_EndPaint = nullptr;
BOOL WINAPI hook_EndPaint(HWND window, const PAINTSTRUCT* paint) {
  const BOOL done = real_EndPaint(window, paint);
  if (paint) Give(Books().paintDCs, paint->hdc);
  return done;
}

// A region the window took belongs to the system.
decltype(&::SetWindowRgn) real_SetWindowRgn = nullptr;
int WINAPI hook_SetWindowRgn(HWND window, HRGN region, BOOL redraw) {
  const int done = real_SetWindowRgn(window, region, redraw);
  if (done && region) StrikeGdi(region);
  return done;
}

decltype(&::CreateMenu) real_CreateMenu = nullptr;
HMENU WINAPI hook_CreateMenu() {
  const HMENU menu = real_CreateMenu();
  Book(Books().menus, menu);
  return menu;
}
decltype(&::CreatePopupMenu) real_CreatePopupMenu = nullptr;
HMENU WINAPI hook_CreatePopupMenu() {
  const HMENU menu = real_CreatePopupMenu();
  Book(Books().menus, menu);
  return menu;
}
decltype(&::LoadMenuW) real_LoadMenuW = nullptr;
HMENU WINAPI hook_LoadMenuW(HINSTANCE module, LPCWSTR name) {
  const HMENU menu = real_LoadMenuW(module, name);
  Book(Books().menus, menu);
  return menu;
}
decltype(&::DestroyMenu) real_DestroyMenu = nullptr;
BOOL WINAPI hook_DestroyMenu(HMENU menu) {
  const BOOL done = real_DestroyMenu(menu);
  if (done) Strike(Books().menus, menu);
  return done;
}

decltype(&::SetWindowsHookExW) real_SetWindowsHookExW = nullptr;
HHOOK WINAPI hook_SetWindowsHookExW(int id, HOOKPROC proc, HINSTANCE module, DWORD thread) {
  const HHOOK hook = real_SetWindowsHookExW(id, proc, module, thread);
  Book(Books().hooks, hook);
  return hook;
}
decltype(&::SetWindowsHookExA) real_SetWindowsHookExA = nullptr;
HHOOK WINAPI hook_SetWindowsHookExA(int id, HOOKPROC proc, HINSTANCE module, DWORD thread) {
  const HHOOK hook = real_SetWindowsHookExA(id, proc, module, thread);
  Book(Books().hooks, hook);
  return hook;
}
decltype(&::UnhookWindowsHookEx) real_UnhookWindowsHookEx = nullptr;
BOOL WINAPI hook_UnhookWindowsHookEx(HHOOK hook) {
  const BOOL done = real_UnhookWindowsHookEx(hook);
  if (done) Strike(Books().hooks, hook);
  return done;
}

decltype(&::LoadImageW) real_LoadImageW = nullptr;
HANDLE WINAPI hook_LoadImageW(HINSTANCE module, LPCWSTR name, UINT type, int cx, int cy, UINT flags) {
  const HANDLE image = real_LoadImageW(module, name, type, cx, cy, flags);
  BookImage(image, type, flags);
  return image;
}
decltype(&::CopyImage) real_CopyImage = nullptr;
HANDLE WINAPI hook_CopyImage(HANDLE original, UINT type, int cx, int cy, UINT flags) {
  const HANDLE image = real_CopyImage(original, type, cx, cy, flags);
  BookImage(image, type, flags & ~LR_SHARED);
  if (image && (flags & LR_COPYDELETEORG) && image != original) {
    if (type == IMAGE_BITMAP) StrikeGdi(original);
    else Strike(Books().icons, original);
  }
  return image;
}
decltype(&::CreateIconIndirect) real_CreateIconIndirect = nullptr;
HICON WINAPI hook_CreateIconIndirect(ICONINFO* info) {
  const HICON icon = real_CreateIconIndirect(info);
  Book(Books().icons, icon);
  return icon;
}
decltype(&::CopyIcon) real_CopyIcon = nullptr;
HICON WINAPI hook_CopyIcon(HICON original) {
  const HICON icon = real_CopyIcon(original);
  Book(Books().icons, icon);
  return icon;
}
decltype(&::DestroyIcon) real_DestroyIcon = nullptr;
BOOL WINAPI hook_DestroyIcon(HICON icon) {
  const BOOL done = real_DestroyIcon(icon);
  if (done) Strike(Books().icons, icon);
  return done;
}
decltype(&::DestroyCursor) real_DestroyCursor = nullptr;
BOOL WINAPI hook_DestroyCursor(HCURSOR cursor) {
  const BOOL done = real_DestroyCursor(cursor);
  if (done) Strike(Books().icons, cursor);
  return done;
}

decltype(&::ImageList_Create) real_ImageList_Create = nullptr;
HIMAGELIST WINAPI hook_ImageList_Create(int cx, int cy, UINT flags, int initial, int grow) {
  const HIMAGELIST list = real_ImageList_Create(cx, cy, flags, initial, grow);
  Book(Books().imageLists, list);
  return list;
}
decltype(&::ImageList_LoadImageW) real_ImageList_LoadImageW = nullptr;
HIMAGELIST WINAPI hook_ImageList_LoadImageW(HINSTANCE module, LPCWSTR name, int cx, int grow,
                                            COLORREF mask, UINT type, UINT flags) {
  const HIMAGELIST list = real_ImageList_LoadImageW(module, name, cx, grow, mask, type, flags);
  Book(Books().imageLists, list);
  return list;
}
decltype(&::ImageList_Duplicate) real_ImageList_Duplicate = nullptr;
HIMAGELIST WINAPI hook_ImageList_Duplicate(HIMAGELIST original) {
  const HIMAGELIST list = real_ImageList_Duplicate(original);
  Book(Books().imageLists, list);
  return list;
}
decltype(&::ImageList_Destroy) real_ImageList_Destroy = nullptr;
BOOL WINAPI hook_ImageList_Destroy(HIMAGELIST list) {
  const BOOL done = real_ImageList_Destroy(list);
  if (done) Strike(Books().imageLists, list);
  return done;
}

struct TWrapper {
  const char* dll;
  const char* name;
  void* hook;
  void** real;
};

#define VEXLO_WRAP(dll, name) \
  { dll, #name, reinterpret_cast<void*>(&hook_##name), reinterpret_cast<void**>(&real_##name) }
const TWrapper kWrappers[] = {
    VEXLO_WRAP("gdi32.dll", CreateBitmap),
    VEXLO_WRAP("gdi32.dll", CreateBitmapIndirect),
    VEXLO_WRAP("gdi32.dll", CreateCompatibleBitmap),
    VEXLO_WRAP("gdi32.dll", CreateDIBSection),
    VEXLO_WRAP("gdi32.dll", CreateDIBitmap),
    VEXLO_WRAP("gdi32.dll", CreateCompatibleDC),
    VEXLO_WRAP("gdi32.dll", CreateDCW),
    VEXLO_WRAP("gdi32.dll", CreateRectRgn),
    VEXLO_WRAP("gdi32.dll", CreateRectRgnIndirect),
    VEXLO_WRAP("gdi32.dll", CreateRoundRectRgn),
    VEXLO_WRAP("gdi32.dll", CreateEllipticRgn),
    VEXLO_WRAP("gdi32.dll", CreatePolygonRgn),
    VEXLO_WRAP("gdi32.dll", ExtCreateRegion),
    VEXLO_WRAP("gdi32.dll", CreateFontIndirectW),
    VEXLO_WRAP("gdi32.dll", CreateFontW),
    VEXLO_WRAP("gdi32.dll", CreateSolidBrush),
    VEXLO_WRAP("gdi32.dll", CreateHatchBrush),
    VEXLO_WRAP("gdi32.dll", CreatePatternBrush),
    VEXLO_WRAP("gdi32.dll", CreateBrushIndirect),
    VEXLO_WRAP("gdi32.dll", CreatePen),
    VEXLO_WRAP("gdi32.dll", CreatePenIndirect),
    VEXLO_WRAP("gdi32.dll", ExtCreatePen),
    VEXLO_WRAP("gdi32.dll", CreatePalette),
    VEXLO_WRAP("gdi32.dll", DeleteObject),
    VEXLO_WRAP("gdi32.dll", DeleteDC),
    VEXLO_WRAP("user32.dll", LoadBitmapW),
    VEXLO_WRAP("user32.dll", GetDC),
    VEXLO_WRAP("user32.dll", GetWindowDC),
    VEXLO_WRAP("user32.dll", GetDCEx),
    VEXLO_WRAP("user32.dll", ReleaseDC),
    VEXLO_WRAP("user32.dll", BeginPaint),
    VEXLO_WRAP("user32.dll", EndPaint),
    VEXLO_WRAP("user32.dll", SetWindowRgn),
    VEXLO_WRAP("user32.dll", CreateMenu),
    VEXLO_WRAP("user32.dll", CreatePopupMenu),
    VEXLO_WRAP("user32.dll", LoadMenuW),
    VEXLO_WRAP("user32.dll", DestroyMenu),
    VEXLO_WRAP("user32.dll", SetWindowsHookExW),
    VEXLO_WRAP("user32.dll", SetWindowsHookExA),
    VEXLO_WRAP("user32.dll", UnhookWindowsHookEx),
    VEXLO_WRAP("user32.dll", LoadImageW),
    VEXLO_WRAP("user32.dll", CopyImage),
    VEXLO_WRAP("user32.dll", CreateIconIndirect),
    VEXLO_WRAP("user32.dll", CopyIcon),
    VEXLO_WRAP("user32.dll", DestroyIcon),
    VEXLO_WRAP("user32.dll", DestroyCursor),
    VEXLO_WRAP("comctl32.dll", ImageList_Create),
    VEXLO_WRAP("comctl32.dll", ImageList_LoadImageW),
    VEXLO_WRAP("comctl32.dll", ImageList_Duplicate),
    VEXLO_WRAP("comctl32.dll", ImageList_Destroy),
};
#undef VEXLO_WRAP

const TWrapper* FindWrapper(const char* dll, const char* name) {
  for (const TWrapper& w : kWrappers) {
    if (lstrcmpiA(w.dll, dll) == 0 && lstrcmpA(w.name, name) == 0) return &w;
  }
  return nullptr;
}

void Patch(ULONG_PTR* slot, void* hook) {
  DWORD old = 0;
  VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &old);
  *slot = reinterpret_cast<ULONG_PTR>(hook);
  VirtualProtect(slot, sizeof(*slot), old, &old);
}

// Points every import of the executable that has a wrapper at the wrapper.
void PatchImports() {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return;
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d) {
    const char* dll = reinterpret_cast<const char*>(base + d->Name);
    if (d->OriginalFirstThunk == 0) continue;  // no names left to match
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      const TWrapper* wrapper = FindWrapper(dll, reinterpret_cast<const char*>(byName->Name));
      if (!wrapper) continue;
      if (!*wrapper->real) *wrapper->real = reinterpret_cast<void*>(slots->u1.Function);
      Patch(reinterpret_cast<ULONG_PTR*>(&slots->u1.Function), wrapper->hook);
    }
  }
}

BOOL CALLBACK CountOne(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}
// The process's windows, less the input-method windows the system makes and destroys along
// with a thread's first and last top-level window.
bool Ours(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return false;
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  return lstrcmpW(name, L"IME") != 0 && lstrcmpW(name, L"MSCTFIME UI") != 0;
}
BOOL CALLBACK CountTree(HWND window, LPARAM count) {
  if (!Ours(window)) return TRUE;
  ++*reinterpret_cast<int*>(count);
  EnumChildWindows(window, CountOne, count);
  return TRUE;
}

}  // namespace

const char* HandleKindName(THandleKind kind) {
  static const char* const names[kHandleKinds] = {
      "bitmaps", "created DCs", "window DCs", "paint DCs", "regions", "fonts", "brushes",
      "pens", "other GDI objects", "windows", "menus", "hooks", "icons", "image lists"};
  return names[static_cast<int>(kind)];
}

int THandleCounts::Total() const {
  int total = 0;
  for (int n : Of) total += n;
  return total;
}

std::string THandleCounts::Describe() const {
  std::string text;
  for (int k = 0; k < kHandleKinds; ++k) {
    if (Of[k] == 0) continue;
    if (!text.empty()) text += ", ";
    text += std::string(HandleKindName(static_cast<THandleKind>(k))) + " " + std::to_string(Of[k]);
  }
  return text.empty() ? "none" : text;
}

std::string THandleCounts::ChangesSince(const THandleCounts& before) const {
  std::string text;
  for (int k = 0; k < kHandleKinds; ++k) {
    if (Of[k] == before.Of[k]) continue;
    if (!text.empty()) text += ", ";
    text += std::string(HandleKindName(static_cast<THandleKind>(k))) + " " +
            std::to_string(before.Of[k]) + " -> " + std::to_string(Of[k]);
  }
  return text;
}

void StartHandleCensus() {
  static const bool started = [] {
    PatchImports();
    return true;
  }();
  (void)started;
}

int CountWindows() {
  int count = 0;
  EnumWindows(CountTree, reinterpret_cast<LPARAM>(&count));
  for (HWND w = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
       w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr)) {
    CountTree(w, reinterpret_cast<LPARAM>(&count));
  }
  return count;
}

THandleCounts CountHandles() {
  THandleCounts counts;
  const auto add = [&counts](THandleKind kind, int n) { counts.Of[static_cast<int>(kind)] += n; };
  {
    TLock lock;
    TBooks& books = Books();
    // Objects the system freed on its own (a window's region with its window) are gone.
    std::erase_if(books.gdi, [](const auto& entry) { return GetObjectType(entry.first) == 0; });
    for (const auto& [object, kind] : books.gdi) add(kind, 1);
    for (const auto& [dc, held] : books.windowDCs) add(THandleKind::WindowDC, held);
    for (const auto& [dc, held] : books.paintDCs) add(THandleKind::PaintDC, held);
    // A menu given to a window or put into another menu goes with it.
    std::erase_if(books.menus, [](HMENU menu) { return !IsMenu(menu); });
    add(THandleKind::Menu, static_cast<int>(books.menus.size()));
    add(THandleKind::Hook, static_cast<int>(books.hooks.size()));
    add(THandleKind::Icon, static_cast<int>(books.icons.size()));
    add(THandleKind::ImageList, static_cast<int>(books.imageLists.size()));
  }
  add(THandleKind::Window, CountWindows());
  return counts;
}

}  // namespace testsupport
