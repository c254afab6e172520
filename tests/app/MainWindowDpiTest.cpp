// The main window at the screen's DPI: its controls where they were built, scaled; no pixel
// of its frame mixing the skins' key colour; its caption on the title's plate, clear of the
// caption buttons; a move to a screen of another DPI and back. This program is started again
// at 120, 144 and 192 DPI to run these and the frame, caption and leak tests there.
#include "FormFixture.h"
#include "SkinnedFormLeaks.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "skin/data/SkinMessages.h"
#include "skin/frame/WinSkinForm.h"
#include "ui/ComCtrls.h"
#include "ui/ListControls.h"
#include "ui/StdCtrls.h"

using namespace skin;
using testsupport::AtScreenDpi;
using testsupport::PixelRGB;

namespace {

constexpr unsigned kKey = 0xFF00FF;

// Every named control's place as the main window builds it at 96 DPI: a window that is never
// scaled (and never shown) gives them.
std::map<std::wstring, RECT> BuiltPlaces() {
  TForm1 built(nullptr);
  built.SetScaled(false);
  std::map<std::wstring, RECT> places;
  if (built.PixelsPerInch() != ui::kDesignDpi) return places;  // scaled while being built
  for (int i = 0; i < built.ComponentCount(); ++i) {
    auto* control = dynamic_cast<ui::TControl*>(built.Components(i));
    if (control && !control->Name().empty()) places[control->Name()] = control->BoundsRect();
  }
  return places;
}

struct DpiBase : MainWindowTest {
  void SetUp() override {
    // Started again by AtOtherDpis: the program must really run at the DPI it was meant for.
    if (const char* expected = std::getenv("VEXLO_EXPECTED_DPI")) {
      ASSERT_EQ(ui::SystemDpi(), std::atoi(expected));
    }
    built = BuiltPlaces();
    MainWindowTest::SetUp();
    h = form->Handle();
    frame = testsupport::RunningFrameOf(*form);
    ASSERT_NE(frame, nullptr);
  }
  std::unique_ptr<ui::TBitmap> PaintFrame() const {
    RECT r{};
    GetWindowRect(h, &r);
    auto target = std::make_unique<ui::TBitmap>(r.right - r.left, r.bottom - r.top);
    SendMessageW(h, SKM_PAINTFRAME, reinterpret_cast<WPARAM>(target->Canvas()->Handle()), kSkinMagic);
    return target;
  }
  // Where the client area starts in the window.
  POINT ClientOffset() const {
    RECT r{};
    GetWindowRect(h, &r);
    POINT origin{0, 0};
    ClientToScreen(h, &origin);
    return {origin.x - r.left, origin.y - r.top};
  }
  std::map<std::wstring, RECT> built;
  HWND h = nullptr;
  TWinSkinForm* frame = nullptr;
};

using MainWindowDpiTest = testsupport::OwnSkinsOf<DpiBase>;
INSTANTIATE_FOR_OWN_SKINS(MainWindowDpiTest);

// Controls sized by their text or font (labels that fit their text, boxes as tall as their
// font) follow the font's own metrics, not the factor: only their places are compared.
bool SizedByItsText(const ui::TControl& control) {
  if (auto* label = dynamic_cast<const ui::TLabel*>(&control)) return label->AutoSize();
  return dynamic_cast<const ui::TCustomComboBox*>(&control) != nullptr;
}

// A tab sheet is placed in its page control's display area by the page control's window, and
// what fills a sheet follows the sheet: a window that was never made gives no place for them.
bool PlacedByAPageControl(const ui::TControl& control) {
  if (dynamic_cast<const ui::TTabSheet*>(&control)) return true;
  return control.Align() == ui::alClient && dynamic_cast<const ui::TTabSheet*>(control.Parent());
}

TEST_P(MainWindowDpiTest, EveryControlSitsWhereItWasBuiltScaledToTheScreen) {
  ASSERT_GT(built.size(), 40u) << "the window was scaled while it was being built";
  for (const auto& [name, place] : built) {
    auto* control = dynamic_cast<ui::TControl*>(form->FindComponent(name));
    ASSERT_NE(control, nullptr) << ui::Utf8(name);
    if (PlacedByAPageControl(*control)) continue;
    const RECT now = control->BoundsRect();
    const RECT want{AtScreenDpi(place.left), AtScreenDpi(place.top), AtScreenDpi(place.right),
                    AtScreenDpi(place.bottom)};
    const int slack = SizedByItsText(*control) ? AtScreenDpi(8) : 1;
    EXPECT_NEAR(now.left, want.left, 1) << ui::Utf8(name);
    EXPECT_NEAR(now.top, want.top, 1) << ui::Utf8(name);
    EXPECT_NEAR(now.right - now.left, want.right - want.left, slack) << ui::Utf8(name);
    EXPECT_NEAR(now.bottom - now.top, want.bottom - want.top, slack) << ui::Utf8(name);
  }
}

// A pixel between the key colour and another: red and blue both well above green, as no
// colour of our skins is.
bool MixesTheKey(unsigned rgb) {
  const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  return rgb != kKey && r > g + 64 && b > g + 64;
}

TEST_P(MainWindowDpiTest, NoPixelOfTheFrameMixesTheKeyColourAndTheRegionLeavesOutTheKey) {
  ui::TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(h, region.Get()), ERROR);
  const POINT client = ClientOffset();
  const int clientRight = client.x + AtScreenDpi(918), clientBottom = client.y + AtScreenDpi(644);
  for (BOOL active : {TRUE, FALSE}) {
    SendMessageW(h, WM_NCACTIVATE, active, 0);
    const auto painted = PaintFrame();
    const HDC dc = painted->Canvas()->Handle();
    int keyed = 0, mixed = 0, keyInside = 0;
    for (int y = 0; y < painted->Height(); ++y) {
      for (int x = 0; x < painted->Width(); ++x) {
        if (x >= client.x && x < clientRight && y >= client.y && y < clientBottom) continue;
        const unsigned rgb = PixelRGB(dc, x, y);
        const bool inside = PtInRegion(region.Get(), x, y) != FALSE;
        keyed += rgb == kKey;
        keyInside += rgb == kKey && inside;
        mixed += inside && MixesTheKey(rgb);
      }
    }
    EXPECT_GT(keyed, 0) << "the frame's corners show no key colour to leave out";
    EXPECT_EQ(keyInside, 0) << (active ? "active" : "inactive");
    EXPECT_EQ(mixed, 0) << (active ? "active" : "inactive");
  }
  SendMessageW(h, WM_NCACTIVATE, TRUE, 0);
}

TEST_P(MainWindowDpiTest, TheCaptionLiesOnTheTitlePlateClearOfTheIconAndButtons) {
  SendMessageW(h, WM_NCACTIVATE, TRUE, 0);
  const int titleHeight = frame->TitleHeight();
  ASSERT_EQ(titleHeight, Skin().Title);
  SetWindowTextW(h, L"");
  const auto blank = PaintFrame();
  SetWindowTextW(h, L"Vexlo 1.0 免费版");
  const auto shown = PaintFrame();
  const TDataSkinTitle* title = form->SkinData1->Definitions().Title();
  ASSERT_NE(title, nullptr);
  const unsigned ink = testsupport::ColourRGB(static_cast<int>(title->ActiveText));
  // What the caption adds to the title bar (its plate and its letters), and its letters.
  RECT added{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN}, letters = added;
  const auto grow = [](RECT& r, int x, int y) {
    r = {std::min<LONG>(r.left, x), std::min<LONG>(r.top, y), std::max<LONG>(r.right, x + 1),
         std::max<LONG>(r.bottom, y + 1)};
  };
  const HDC a = blank->Canvas()->Handle(), b = shown->Canvas()->Handle();
  for (int y = 0; y < shown->Height(); ++y) {
    for (int x = 0; x < shown->Width(); ++x) {
      const unsigned rgb = PixelRGB(b, x, y);
      if (rgb == PixelRGB(a, x, y)) continue;
      grow(added, x, y);
      if (rgb == ink) grow(letters, x, y);
    }
  }
  ASSERT_LT(letters.left, letters.right) << "no letters in the caption's colour";
  EXPECT_GE(added.top, 0);
  EXPECT_LE(added.bottom, titleHeight);
  // The letters lie on the plate, not at or past its ends.
  EXPECT_GT(letters.left, added.left);
  EXPECT_LT(letters.right, added.right);
  // Letters as tall as the screen's caption font, not the 96-DPI one.
  EXPECT_GE(letters.bottom - letters.top, AtScreenDpi(8));
  for (const auto& button : frame->Buttons()) {
    if (!button->Enabled) continue;
    RECT overlap{};
    EXPECT_FALSE(IntersectRect(&overlap, &added, &button->Bounds)) << button->Definition().Name;
  }
}

// As the system tells a window that moved to a screen of `dpi`: its place scaled about its
// top-left corner. Waits past the skin's re-application, which follows a change of skin a
// quarter of a second later.
void MoveToScreenOf(HWND window, int dpi, int from) {
  RECT r{};
  GetWindowRect(window, &r);
  RECT suggested{r.left, r.top, r.left + MulDiv(r.right - r.left, dpi, from),
                 r.top + MulDiv(r.bottom - r.top, dpi, from)};
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  testsupport::PumpFor(600);
}

// A border's thickness as the skin package gives it (at 96 DPI): one frame of its picture,
// the side borders' frames lying side by side, the top border's stacked.
int PackageThickness(const TSkinData& data, const char* name, bool sideBySide) {
  const TDataSkinObject* border = data.BaseDefinitions().Find(name);
  if (!border || border->Bitmap->Empty()) return 0;
  return (sideBySide ? border->Bitmap->Width() : border->Bitmap->Height()) / std::max(border->Frame, 1);
}

TEST_P(MainWindowDpiTest, AMoveToAScreenOfAnotherDpiScalesTheWindowAndTheWayBackRestoresEveryPixel) {
  const int here = ui::SystemDpi(), there = here == 144 ? 192 : 144;
  const auto before = PaintFrame();
  const RECT button = form->btn1->BoundsRect();
  const POINT offset = ClientOffset();
  const int clientWidth = form->ClientWidth(), clientHeight = form->ClientHeight();
  const TSkinScale toThere = ScaleForDpi(there);

  MoveToScreenOf(h, there, here);
  EXPECT_EQ(form->PixelsPerInch(), there);
  EXPECT_EQ(form->SkinData1->Dpi(), there);
  EXPECT_EQ(form->ClientWidth(), MulDiv(clientWidth, there, here));
  EXPECT_EQ(form->ClientHeight(), MulDiv(clientHeight, there, here));
  // The frame is the skin's at the new DPI, scaled from the package, not from this screen's.
  const POINT scaledOffset = ClientOffset();
  EXPECT_EQ(scaledOffset.x, toThere.Of(PackageThickness(*form->SkinData1, "Left", true)));
  EXPECT_EQ(scaledOffset.y, toThere.Of(PackageThickness(*form->SkinData1, "Top", false)));
  EXPECT_EQ(frame->TitleHeight(), scaledOffset.y);
  const RECT moved = form->btn1->BoundsRect();
  EXPECT_NEAR(moved.left, MulDiv(button.left, there, here), 1);
  EXPECT_NEAR(moved.right, MulDiv(button.right, there, here), 1);
  EXPECT_NEAR(moved.bottom, MulDiv(button.bottom, there, here), 1);
  RECT hitRect{};
  GetWindowRect(h, &hitRect);
  EXPECT_EQ(SendMessageW(h, WM_NCHITTEST, 0,
                         MAKELPARAM(hitRect.left + scaledOffset.x + 2, hitRect.top + scaledOffset.y / 2)),
            HTCAPTION);

  MoveToScreenOf(h, here, there);
  EXPECT_EQ(form->PixelsPerInch(), here);
  EXPECT_EQ(ClientOffset().x, offset.x);
  EXPECT_EQ(ClientOffset().y, offset.y);
  EXPECT_NEAR(form->ClientWidth(), clientWidth, 1);
  EXPECT_NEAR(form->ClientHeight(), clientHeight, 1);
  const RECT back = form->btn1->BoundsRect();
  EXPECT_NEAR(back.left, button.left, 1);
  EXPECT_NEAR(back.bottom, button.bottom, 1);
  const auto after = PaintFrame();
  ASSERT_EQ(after->Width(), before->Width());
  ASSERT_EQ(after->Height(), before->Height());
  int differing = 0;
  for (int y = 0; y < after->Height(); ++y) {
    for (int x = 0; x < after->Width(); ++x) {
      differing += PixelRGB(after->Canvas()->Handle(), x, y) != PixelRGB(before->Canvas()->Handle(), x, y);
    }
  }
  EXPECT_EQ(differing, 0);
}

// Sets the DPI that programs started from now on read (the screen's pixels per inch in the
// user's desktop settings) and puts the old value back.
class TScreenDpiSetting {
 public:
  explicit TScreenDpiSetting(DWORD dpi) {
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_READ | KEY_WRITE,
                    nullptr, &key_, nullptr);
    DWORD size = sizeof(old_);
    had_ = RegQueryValueExW(key_, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old_), &size) ==
           ERROR_SUCCESS;
    Set(dpi);
  }
  ~TScreenDpiSetting() {
    if (had_) Set(old_);
    else RegDeleteValueW(key_, L"LogPixels");
    RegCloseKey(key_);
  }
  TScreenDpiSetting(const TScreenDpiSetting&) = delete;
  TScreenDpiSetting& operator=(const TScreenDpiSetting&) = delete;

 private:
  void Set(DWORD dpi) {
    RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof(dpi));
  }
  HKEY key_ = nullptr;
  DWORD old_ = 0;
  bool had_ = false;
};

// A file for a started program's output, handed to it as its standard output and error;
// deleted when closed.
class TOutputFile {
 public:
  TOutputFile() {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"dpi", 0, path_);
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    handle_ = CreateFileW(path_, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          &inherit, CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  }
  ~TOutputFile() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  TOutputFile(const TOutputFile&) = delete;
  TOutputFile& operator=(const TOutputFile&) = delete;
  HANDLE Handle() const { return handle_; }
  // Everything written to the file so far.
  std::string Text() const {
    std::string text;
    SetFilePointer(handle_, 0, nullptr, FILE_BEGIN);
    char block[4096];
    DWORD read = 0;
    while (ReadFile(handle_, block, sizeof(block), &read, nullptr) && read > 0) text.append(block, read);
    return text;
  }

 private:
  wchar_t path_[MAX_PATH]{};
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

struct TCaseRun {
  DWORD Code = 0;
  std::string Output;  // what the program printed
  std::string Report;  // GoogleTest's XML report of the run
};

// Runs one case of this test program in a program of its own.
TCaseRun RunCase(const std::string& name, DWORD timeoutMs) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const TOutputFile output;
  wchar_t folder[MAX_PATH], report[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  GetTempFileNameW(folder, L"dpi", 0, report);
  std::wstring command = L"\"" + std::wstring(self) + L"\" --gtest_filter=" +
                         std::wstring(name.begin(), name.end()) + L" --gtest_output=xml:" + report;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = output.Handle();
  startup.hStdError = output.Handle();
  PROCESS_INFORMATION process{};
  TCaseRun run;
  if (!CreateProcessW(self, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    run.Code = GetLastError() | 0x80000000u;
    DeleteFileW(report);
    return run;
  }
  if (WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 3);
    WaitForSingleObject(process.hProcess, 5000);
  }
  GetExitCodeProcess(process.hProcess, &run.Code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  run.Output = output.Text();
  run.Report = MainWindowTest::ReadFile(report);
  DeleteFileW(report);
  return run;
}

// The cases of this program in the suites named, each as "Suite.Case".
std::vector<std::string> CasesOf(const std::vector<std::string>& suites, const std::string& only = "") {
  std::vector<std::string> cases;
  const testing::UnitTest& all = *testing::UnitTest::GetInstance();
  for (int i = 0; i < all.total_test_suite_count(); ++i) {
    const testing::TestSuite& suite = *all.GetTestSuite(i);
    if (std::find(suites.begin(), suites.end(), suite.name()) == suites.end()) continue;
    for (int j = 0; j < suite.total_test_count(); ++j) {
      const std::string name = std::string(suite.name()) + "." + suite.GetTestInfo(j)->name();
      if (only.empty() || name.find(only) != std::string::npos) cases.push_back(name);
    }
  }
  return cases;
}

struct AtOtherDpis : testing::TestWithParam<int> {};
INSTANTIATE_TEST_SUITE_P(MainWindow, AtOtherDpis, testing::Values(120, 144, 192),
                         [](const testing::TestParamInfo<int>& info) { return std::to_string(info.param) + "Dpi"; });

// The window's frame, caption and DPI tests, with both skins, each in this program started at
// the DPI (as every case runs, in a program of its own); at 144 DPI the leak checks of
// repainting and skin switching as well.
TEST_P(AtOtherDpis, TheFrameCaptionAndDpiTestsPassInProgramsStartedThere) {
  ASSERT_EQ(ui::SystemDpi(), ui::kDesignDpi) << "this program must start at 96 DPI";
  std::vector<std::string> cases =
      CasesOf({"OwnSkins/MainWindowFrameTest", "OwnSkins/CaptionSkinTest", "OwnSkins/MainWindowDpiTest"});
  if (GetParam() == 144) {
    for (const char* leaks : {".Repaints/", ".SkinSwitches/"}) {
      const std::vector<std::string> more = CasesOf({"OwnSkins/MainWindowLeakTest"}, leaks);
      cases.insert(cases.end(), more.begin(), more.end());
    }
  }
  ASSERT_GT(cases.size(), 20u);
  const TScreenDpiSetting dpi(static_cast<DWORD>(GetParam()));
  SetEnvironmentVariableW(L"VEXLO_EXPECTED_DPI", std::to_wstring(GetParam()).c_str());
  for (const std::string& name : cases) {
    const TCaseRun run = RunCase(name, 60000);
    // The case really ran there (a filter that matched nothing would pass too).
    const bool passed = run.Code == 0 && run.Report.find("<testsuites tests=\"1\" failures=\"0\"") != std::string::npos;
    EXPECT_TRUE(passed) << name << " exited with " << run.Code << ":\n" << run.Output;
    // The leak checks' lines, shown every time as those of this program are.
    std::istringstream lines(run.Output);
    for (std::string line; std::getline(lines, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.starts_with("leak check ")) std::printf("%s\n", line.c_str());
    }
  }
  SetEnvironmentVariableW(L"VEXLO_EXPECTED_DPI", nullptr);
}

}  // namespace
