// A small skinned program with the gallery's menus, driven with a real mouse and keyboard by
// scripts/menu-check.sh. It writes what happens to the file named by its first argument, one
// line per event: "open <item>" when a drop-down of the bar opens, "skinned <0|1>" with the
// answer of each menu window to SKM_QUERYSKINNED, "click <item>" when an item runs,
// "popup <menu>" when the context menu opens, "close" when a menu loop ends, and at start
// "sysmenu <command> <caption>" for each item of the window's system menu. Each menu window
// that opens is also printed (WM_PRINT, as the skinned menu paints itself) into
// "<second argument>-<n>.bmp", a picture of the menu as it is drawn. A third argument names a
// skin package file to use instead of the program's built-in skin ("no skin" is written when
// it gives none).
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <utility>
#include <string>

#include "GalleryMenus.h"
#include "skin/data/SkinMessages.h"
#include "skin/frame/SkinManage.h"
#include "ui/Forms.h"
#include "ui/Menus.h"

namespace {

FILE* g_log = nullptr;
std::wstring g_picturePrefix;

void Log(const std::wstring& line) {
  if (!g_log) return;
  const int n = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), utf8.data(), n, nullptr,
                      nullptr);
  std::fprintf(g_log, "%s\n", utf8.c_str());
  std::fflush(g_log);
}

// A top-down 32-bit Windows bitmap file of the picture.
void SavePicture(ui::TBitmap& picture, const std::wstring& path) {
  FILE* file = _wfopen(path.c_str(), L"wb");
  if (!file) return;
  const int w = picture.Width(), h = picture.Height();
  BITMAPINFOHEADER info{sizeof(info), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  const DWORD bits = static_cast<DWORD>(w) * static_cast<DWORD>(h) * 4;
  BITMAPFILEHEADER head{0x4D42, static_cast<DWORD>(sizeof(head) + sizeof(info) + bits), 0, 0,
                        static_cast<DWORD>(sizeof(head) + sizeof(info))};
  std::fwrite(&head, sizeof(head), 1, file);
  std::fwrite(&info, sizeof(info), 1, file);
  for (int y = 0; y < h; ++y) std::fwrite(picture.ScanLine(y), 4, static_cast<std::size_t>(w), file);
  std::fclose(file);
}

// The menus printed, by the menu a window shows (a menu window may be used again).
std::set<std::pair<HWND, LRESULT>> g_printed;
constexpr UINT kGetMenuOfWindow = 0x01E1;  // MN_GETHMENU
BOOL CALLBACK PrintMenuWindow(HWND window, LPARAM) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wstring(name) != L"#32768" || !IsWindowVisible(window)) return TRUE;
  const std::pair<HWND, LRESULT> key{window, SendMessageW(window, kGetMenuOfWindow, 0, 0)};
  if (g_printed.count(key)) return TRUE;
  g_printed.insert(key);
  RECT r{};
  GetWindowRect(window, &r);
  ui::TBitmap picture(r.right - r.left, r.bottom - r.top);
  SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(picture.Canvas()->Handle()),
               PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
  const std::wstring path = g_picturePrefix + L"-" + std::to_wstring(g_printed.size()) + L".bmp";
  SavePicture(picture, path);
  Log(L"printed " + std::to_wstring(g_printed.size()));
  return TRUE;
}

void CALLBACK PrintTick(HWND, UINT, UINT_PTR, DWORD) {
  if (!g_picturePrefix.empty()) EnumThreadWindows(GetCurrentThreadId(), PrintMenuWindow, 0);
}

void LogClicks(ui::TMenuItem& item) {
  if (item.Count() == 0 && !item.IsLine()) {
    ui::TNotifyEvent own = item.OnClick;
    item.OnClick = [own, &item](ui::TObject* sender) {
      Log(L"click " + item.Name());
      if (own) own(sender);
    };
  }
  for (int i = 0; i < item.Count(); ++i) LogClicks(*item.Items(i));
}

void LogSystemMenu(HWND window) {
  const HMENU system = GetSystemMenu(window, FALSE);
  for (int i = 0; system && i < GetMenuItemCount(system); ++i) {
    wchar_t text[128] = {};
    GetMenuStringW(system, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
    Log(L"sysmenu " + std::to_wstring(GetMenuItemID(system, i)) + L" " + text);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc > 1) g_log = _wfopen(argv[1], L"wb");
  if (argc > 2) g_picturePrefix = argv[2];
  // Menu windows are printed a little after they opened, when their items have been drawn.
  SetTimer(nullptr, 0, 400, PrintTick);
  ui::Application->Initialize();
  auto* form = ui::Application->CreateForm<ui::TForm>();
  form->SetCaption(L"Vexlo menu demo");
  form->SetBounds(80, 80, 420, 300);
  if (argc > 3) {
    std::ifstream file(std::filesystem::path(argv[3]), std::ios::binary);
    const std::string package{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (!skin::CreateSkinData(form, package, skin::kMainWindowSkinControls)) Log(L"no skin");
  } else {
    skin::CreateDefaultSkinData(form);
  }
  skinview::AddGalleryMenus(*form);
  LogClicks(*form->Menu()->Items());
  auto* context = static_cast<ui::TPopupMenu*>(form->FindComponent(L"PopupMenu1"));
  LogClicks(*context->Items());
  context->OnPopup = [](ui::TObject*) { Log(L"popup PopupMenu1"); };
  std::set<HWND> seen;
  const ui::TWndMethod own = form->WindowProc;
  form->WindowProc = [&](ui::TMessage& m) {
    switch (m.Msg) {
      case WM_INITMENUPOPUP: {
        ui::TMenuItem* root = form->Menu()->Items();
        for (int i = 0; i < root->Count(); ++i) {
          if (root->Items(i)->Handle() == reinterpret_cast<HMENU>(m.WParam)) Log(L"open " + root->Items(i)->Name());
        }
        break;
      }
      case WM_ENTERIDLE:
        if (m.WParam == MSGF_MENU && !seen.count(reinterpret_cast<HWND>(m.LParam))) {
          seen.insert(reinterpret_cast<HWND>(m.LParam));
          const LRESULT skinned = SendMessageW(reinterpret_cast<HWND>(m.LParam), skin::SKM_QUERYSKINNED, 0, 0);
          Log(L"skinned " + std::to_wstring(skinned));
        }
        break;
      case WM_EXITMENULOOP:
        Log(L"close");
        break;
      default:
        break;
    }
    own(m);
  };
  LogSystemMenu(form->Handle());
  ui::Application->Run();
  if (g_log) std::fclose(g_log);
  return 0;
}
