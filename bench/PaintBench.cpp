// What the skin costs: repaints of the main window and of the skin gallery, skinned and
// unskinned side by side in one run (ratio = skinned / unskinned; the aim is below 2), and the
// share of start-up spent loading the skin (decode, parse, bitmaps; the aim is below 10 %).
//
// Each comparison switches the same window's skin off and on between blocks of repaints and
// keeps the fastest block of each side: the blocks alternate, so both sides meet the same
// machine load, and the fastest is the one least disturbed by other work on the machine.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "GalleryForm.h"
#include "app/Unit1.h"
#include "skin/model/LZH.h"
#include "skin/data/SkinManagerLink.h"
#include "skin/data/SkinMessages.h"
#include "skin/model/SkinReport.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/frame/SkinManage.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void HandleWaitingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs = 10000) {
  const auto start = Clock::now();
  while (!done()) {
    if (MsSince(start) > timeoutMs) return false;
    HandleWaitingMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

bool Skinned(HWND window) {
  skin::TSkinManage* manager = skin::TSkinManage::Instance();
  skin::TWinSkinForm* frame = manager ? manager->FindSkinForm(window) : nullptr;
  return frame && frame->FrameState() == skin::fsRunning;
}

// Switches the window's skin on or off and waits until its frame follows; the manager's
// delayed action is run at once.
bool SetSkinned(skin::TSkinData& data, HWND window, bool on) {
  data.SetActive(on);
  if (skin::TSkinManage* manager = skin::TSkinManage::Instance()) manager->RunPendingAction();
  if (!WaitFor([&] { return Skinned(window) == on; })) return false;
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  HandleWaitingMessages();
  return true;
}

// Milliseconds per repaint of `count` repaints in a row.
double Repaints(HWND window, UINT flags, int count) {
  const auto start = Clock::now();
  for (int i = 0; i < count; ++i) RedrawWindow(window, nullptr, nullptr, flags);
  return MsSince(start) / count;
}

constexpr UINT kFull = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;
constexpr UINT kFrameAndClient = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW;

// Skinned and unskinned blocks taken in turn; prints the fastest of each and their ratio.
void Compare(const char* what, skin::TSkinData& data, HWND window, UINT flags, int perBlock,
             int blocks = 9) {
  std::vector<double> skinned, plain;
  for (int b = 0; b < blocks; ++b) {
    if (!SetSkinned(data, window, false)) {
      std::printf("%-44s could not switch the skin off\n", what);
      return;
    }
    plain.push_back(Repaints(window, flags, perBlock));
    if (!SetSkinned(data, window, true)) {
      std::printf("%-44s could not switch the skin on\n", what);
      return;
    }
    skinned.push_back(Repaints(window, flags, perBlock));
  }
  const double s = *std::min_element(skinned.begin(), skinned.end());
  const double u = *std::min_element(plain.begin(), plain.end());
  std::printf("%-44s skinned %8.3f ms  unskinned %8.3f ms  ratio %.2f\n", what, s, u, s / u);
}

void CompareMainWindow() {
  TForm1 form(nullptr);
  form.Show();
  if (!WaitFor([&] { return Skinned(form.Handle()); })) {
    std::printf("main window: never skinned\n");
    return;
  }
  Compare("main window, full repaint", *form.SkinData1, form.Handle(), kFull, 20);
  Compare("main window, frame and client repaint", *form.SkinData1, form.Handle(), kFrameAndClient, 100);
}

void CompareGallery() {
  auto form = std::make_unique<skinview::TGalleryForm>(nullptr, skinview::BuiltInSkin());
  form->Show();
  if (!form->SkinData() || !WaitFor([&] { return Skinned(form->Handle()); })) {
    std::printf("gallery: never skinned\n");
    return;
  }
  ui::TPageControl& pages = *form->Pages();
  for (int page = 0; page < pages.PageCount(); ++page) {
    pages.SetActivePageIndex(page);
    const std::string what = "gallery page " + std::to_string(page + 1) + ", full repaint";
    Compare(what.c_str(), *form->SkinData(), form->Handle(), kFull, 3);
  }
  pages.SetActivePageIndex(0);
  Compare("gallery, frame and client repaint", *form->SkinData(), form->Handle(), kFrameAndClient, 100);
  form.reset();
  skin::DestroySkinManager();
}

// The skin loaded as the main window loads it (decode, parse, bitmaps and the pictures derived
// from them), on a skin data component of its own.
double SkinLoad(const std::string& package) {
  skin::TSkinData data(nullptr);
  data.SetStoreBytes(package);
  const auto start = Clock::now();
  const bool loaded = data.LoadFromStore();
  const double ms = MsSince(start);
  if (!loaded) std::printf("the skin did not load\n");
  return ms;
}

// The whole skin component as the main window makes it: the skin loaded, the skin manager
// started, the caption font and icon made.
double SkinComponent(const std::string& package) {
  double ms = 0;
  {
    ui::TForm holder(nullptr);
    const auto start = Clock::now();
    skin::CreateSkinData(&holder, package, skin::kMainWindowSkinControls);
    ms = MsSince(start);
  }
  skin::DestroySkinManager();
  return ms;
}

// Start-up in this process: the main window made (its skin loaded with it), shown, skinned and
// painted.
double StartUpInProcess() {
  const auto start = Clock::now();
  double ms = 0;
  {
    TForm1 form(nullptr);
    form.Show();
    WaitFor([&] { return Skinned(form.Handle()); });
    UpdateWindow(form.Handle());
    HandleWaitingMessages();
    ms = MsSince(start);
  }
  skin::DestroySkinManager();
  return ms;
}

struct TFindSkinned {
  DWORD process;
  HWND found = nullptr;
};
BOOL CALLBACK FindSkinnedWindow(HWND window, LPARAM param) {
  auto* find = reinterpret_cast<TFindSkinned*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != find->process || !IsWindowVisible(window)) return TRUE;
  DWORD_PTR answer = 0;
  if (SendMessageTimeoutW(window, skin::SKM_PROBEFRAME, 0, skin::kSkinMagic, SMTO_ABORTIFHUNG, 200, &answer) &&
      static_cast<LPARAM>(answer) == skin::kSkinMagic) {
    find->found = window;
    return FALSE;
  }
  return TRUE;
}

// Start-up of the real program: launched until its main window shows and answers as
// skinned; the program is closed again. Negative when it could not be measured.
double StartUpOfTheProgram() {
  std::wstring command = L"\"" VEXLO_EXE L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  const auto start = Clock::now();
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return -1;
  }
  TFindSkinned find{process.dwProcessId};
  const bool shown = WaitFor([&] {
    EnumWindows(FindSkinnedWindow, reinterpret_cast<LPARAM>(&find));
    return find.found != nullptr;
  }, 30000);
  const double ms = MsSince(start);
  if (find.found) PostMessageW(find.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return shown ? ms : -1;
}

void StartUpShare() {
  const std::string package = skin::DefaultSkinPackage();
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(package.data());
  const std::span block(bytes, package.size());
  std::vector<double> decode, read, load, component, inProcess, program;
  for (int round = 0; round < 7; ++round) {
    auto start = Clock::now();
    const std::vector<std::uint8_t> container = skin::DecompressBlock(block);
    decode.push_back(MsSince(start));
    start = Clock::now();
    skin::TSkinDefinitions defs;
    skin::LoadSkinDefinitions(block, defs);
    read.push_back(MsSince(start));
    load.push_back(SkinLoad(package));
    component.push_back(SkinComponent(package));
    inProcess.push_back(StartUpInProcess());
  }
  for (int round = 0; round < 3; ++round) program.push_back(StartUpOfTheProgram());
  const double l = Median(load), c = Median(component), s = Median(inProcess);
  std::printf("skin loading %.2f ms: decode %.2f ms, with parse and bitmaps %.2f ms, with the "
              "derived pictures %.2f ms\n", l, Median(decode), Median(read), l);
  std::printf("the whole skin component (loading, manager, caption font, icon) %.2f ms\n", c);
  const auto share = [&](const char* what, double startUp) {
    std::printf("%-44s %8.2f ms  skin loading share %.1f %%  whole component share %.1f %%\n",
                what, startUp, 100.0 * l / startUp, 100.0 * c / startUp);
  };
  share("start-up in process (window made to painted)", s);
  const double p = Median(program);
  if (p > 0) share("start-up of vexlo.exe (launch to skinned)", p);
  else std::printf("start-up of vexlo.exe: could not be measured\n");
}

}  // namespace

int main() {
  ui::Application->Initialize();
  std::printf("Repaints: milliseconds per repaint, fastest of 9 alternating blocks each way\n");
  CompareMainWindow();
  skin::DestroySkinManager();
  CompareGallery();
  std::printf("\nStart-up: median of 7 rounds (the program: of 3 launches)\n");
  StartUpShare();
  return 0;
}
