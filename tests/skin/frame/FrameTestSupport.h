// Shared set-up of the frame skinner tests: the program's default skin held by a form that is
// never shown, skinning on, and test forms that get their frames when they are activated.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "CraftedSkin.h"
#include "GuiTestSupport.h"
#include "OwnSkins.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/frame/SkinManage.h"
#include "ui/Classes.h"
#include "ui/Forms.h"

namespace frametest {

inline skin::TSkinManage* M() { return skin::TSkinManage::Instance(); }

// The stored form of a package: a 4-byte little-endian length, then the package.
inline std::string SkinStreamOf(const skintest::Bytes& block) {
  const auto n = static_cast<std::uint32_t>(block.size());
  std::string s = {char(n), char(n >> 8), char(n >> 16), char(n >> 24)};
  return s + std::string(block.begin(), block.end());
}

// A main-form skin data component holding `package`, loaded and active.
inline skin::TSkinData* LoadSkinData(ui::TComponent* owner, const skintest::Bytes& package) {
  auto* data = new skin::TSkinData(owner);
  data->BeginReading();
  data->SetActive(true);
  ui::TMemoryStream stream(SkinStreamOf(package));
  data->ReadSkinStream(stream);
  data->Loaded();
  return data;
}

// The frame of the window once it runs, or none after a while.
inline skin::TWinSkinForm* RunningFrame(HWND window, int timeoutMs = 10000) {
  skin::TWinSkinForm* frame = nullptr;
  testsupport::PumpUntil(
      [&] {
        frame = M() ? M()->FindSkinForm(window) : nullptr;
        return frame && frame->FrameState() == skin::fsRunning;
      },
      timeoutMs);
  return frame && frame->FrameState() == skin::fsRunning ? frame : nullptr;
}

inline RECT WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}
inline RECT ClientRect(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return r;
}
inline int Width(const RECT& r) { return r.right - r.left; }
inline int Height(const RECT& r) { return r.bottom - r.top; }

// The window's region (in window coordinates), or none when it has none.
inline ui::TRegionHandle WindowRegion(HWND window) {
  ui::TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(window, region.Get()) == ERROR) return {};
  return region;
}

// Whether `inner` lies wholly inside `outer`.
inline bool RegionContains(HRGN outer, const RECT& inner) {
  ui::TRegionHandle rest(CreateRectRgn(inner.left, inner.top, inner.right, inner.bottom));
  return CombineRgn(rest.Get(), rest.Get(), outer, RGN_DIFF) == NULLREGION;
}

inline LRESULT HitTest(HWND window, int x, int y) {
  const RECT r = WindowRect(window);
  return SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(r.left + x, r.top + y));
}

// A window registered by this module, without an object of the class library or an icon,
// owned by `owner` when one is given.
inline HWND BareWindow(HWND owner = nullptr, DWORD style = WS_OVERLAPPEDWINDOW) {
  static const wchar_t* const name = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VexloBareTestWindow";
    RegisterClassW(&wc);
    return L"VexloBareTestWindow";
  }();
  return CreateWindowExW(0, name, L"bare", style, 30, 30, 200, 150, owner, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

// A form with the component of one of our skins (the built-in one unless a subclass says
// otherwise) on a holder that is never shown.
class FrameTest : public testing::Test {
 protected:
  virtual std::string SkinName() const { return testsupport::kBuiltInSkin; }
  void SetUp() override {
    holder_ = std::make_unique<ui::TForm>(nullptr);
    skin_ = testsupport::OwnSkinFrame(SkinName());
    data_ = testsupport::CreateOwnSkinData(holder_.get(), SkinName());
    ASSERT_NE(data_, nullptr);
    ASSERT_TRUE(M()->Active());
  }
  void TearDown() override {
    forms_.clear();
    holder_.reset();
    skin::DestroySkinManager();
  }
  // A shown form of the border style with the client size, placed at (40, 40).
  ui::TForm& ShowForm(ui::TFormBorderStyle style = ui::bsSingle, int tag = 0, int width = 300,
                      int height = 200) {
    auto form = std::make_unique<ui::TForm>(nullptr);
    form->SetTag(tag);
    form->SetBorderStyle(style);
    form->SetBounds(40, 40, 100, 100);
    form->SetClientSize(width, height);
    form->SetCaption(L"Frame test");
    form->Show();
    forms_.push_back(std::move(form));
    return *forms_.back();
  }

  // The window's size around a client area of the given size, from the skin's borders.
  int FramedWidth(int clientWidth) const { return clientWidth + skin_.Left + skin_.Right; }
  int FramedHeight(int clientHeight) const { return clientHeight + skin_.Title + skin_.Bottom; }

  std::unique_ptr<ui::TForm> holder_;
  skin::TSkinData* data_ = nullptr;
  testsupport::TOwnSkinFrame skin_{};
  std::vector<std::unique_ptr<ui::TForm>> forms_;
};

// FrameTest once with each skin of our own.
using OwnSkinFrameTest = testsupport::OwnSkinsOf<FrameTest>;

}  // namespace frametest
