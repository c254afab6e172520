// Shared by the tests that switch a running window to another skin: a second skin made from
// the program's own by changing the colours of every picture, captures of a window's frame and
// of its controls, the comparison of two captures under that colour change, and a record of
// the windows that were painted while a switch ran.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <cstdio>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "CraftedSkin.h"
#include "skin/model/BitmapFile.h"
#include "skin/data/SkinMessages.h"
#include "skin/model/SkinReader.h"
#include "GuiTestSupport.h"
#include "skin/data/WinSkinData.h"
#include "ui/Canvas.h"
#include "ui/SysUtils.h"

namespace skinswitch {

inline constexpr std::uint32_t kMagenta = 0xFF00FF;
// What a capture holds where nothing was painted.
inline constexpr std::uint32_t kUnpainted = 0x010203;

// The second skin's colour of a pixel: every channel changed, the key colour kept (so the
// same pixels stay transparent), and no other colour made the key colour.
inline std::uint32_t Recolour(std::uint32_t rgb) {
  rgb &= 0xFFFFFF;
  if (rgb == kMagenta) return kMagenta;
  const std::uint32_t changed = rgb ^ 0x3C5A78;
  return changed == kMagenta ? 0xFE00FF : changed;
}

// The description with every colour of its [Colours] table recoloured; every other line as
// it was.
inline std::string RecolouredDescription(const std::string& ini) {
  std::istringstream in(ini);
  std::string out, line, section;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with("[")) section = line;
    const std::size_t equals = line.find('=');
    int r = 0, g = 0, b = 0;
    char rest = 0;
    if (section == "[Colours]" && equals != std::string::npos &&
        std::sscanf(line.c_str() + equals + 1, "%d %d %d %c", &r, &g, &b, &rest) == 3) {
      const std::uint32_t c = Recolour(std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | std::uint32_t(b));
      line = line.substr(0, equals + 1) + std::to_string(c >> 16) + " " +
             std::to_string(c >> 8 & 0xFF) + " " + std::to_string(c & 0xFF);
    }
    out += line + "\r\n";
  }
  return out;
}

// The package with every bitmap entry recoloured pixel by pixel, and the colours of its
// colour table; the sizes of every picture stay, so the second skin has the same geometry as
// the first.
inline skintest::Bytes RecolouredPackage(const std::string& package) {
  skin::TSkinReader reader;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(package.data());
  EXPECT_TRUE(reader.Load(std::span(bytes, package.size())));
  std::vector<skinpack::TEntry> entries;
  int recoloured = 0;
  for (const std::string& name : reader.Names()) {
    skintest::Bytes entry;
    reader.ExtractEntry(name, entry);
    skin::TPixelImage image;
    if (name.ends_with(".bmp") && skin::DecodeBitmapFile(entry, image)) {
      entry = skintest::MakeBmp24(image.Width, image.Height,
                                  [&](int x, int y) { return Recolour(image.At(x, y)); });
      ++recoloured;
    } else if (name.find(".ini") != std::string::npos) {
      entry = skintest::AsBytes(RecolouredDescription(std::string(entry.begin(), entry.end())));
    }
    entries.push_back({name, std::move(entry)});
  }
  EXPECT_GT(recoloured, 30) << "the program's skin has fewer pictures than expected";
  return skinpack::BuildPackage(entries);
}

// A 32-bit picture of the window's size (`copies` times its height), every pixel kUnpainted.
inline std::unique_ptr<ui::TBitmap> Blank(HWND window, int copies = 1) {
  RECT r{};
  GetWindowRect(window, &r);
  auto bitmap = std::make_unique<ui::TBitmap>(r.right - r.left, (r.bottom - r.top) * copies);
  for (int y = 0; y < bitmap->Height(); ++y) {
    std::uint32_t* row = bitmap->ScanLine(y);
    for (int x = 0; x < bitmap->Width(); ++x) row[x] = kUnpainted;
  }
  return bitmap;
}

// The skinned frame of a window, painted by its frame skinner.
inline std::unique_ptr<ui::TBitmap> CaptureFrame(HWND window) {
  auto bitmap = Blank(window);
  EXPECT_EQ(SendMessageW(window, skin::SKM_PAINTFRAME,
                         reinterpret_cast<WPARAM>(bitmap->Canvas()->Handle()), skin::kSkinMagic),
            skin::kSkinMagic);
  return bitmap;
}

// A control painted through its WM_PAINT into the upper half of a picture, and its skinned
// border (for the controls whose skinner draws one) into the lower half.
inline std::unique_ptr<ui::TBitmap> CaptureControl(HWND window) {
  auto bitmap = Blank(window, 2);
  HDC dc = bitmap->Canvas()->Handle();
  SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  POINT old{};
  SetViewportOrgEx(dc, 0, bitmap->Height() / 2, &old);
  SendMessageW(window, skin::SKM_PAINTFRAME, reinterpret_cast<WPARAM>(dc), skin::kSkinMagic);
  SetViewportOrgEx(dc, old.x, old.y, nullptr);
  return bitmap;
}

inline std::uint32_t Pixel(const ui::TBitmap& b, int x, int y) { return b.ScanLine(y)[x] & 0xFFFFFF; }

// How the part (x, y, w, h) of `after` relates to the same part of `before`: pixels that took
// the second skin's colour, painted pixels that stayed, pixels left blank in both (not painted,
// or the key colour), and pixels that are none of these.
struct TChange {
  int recoloured = 0, same = 0, blank = 0, other = 0;
};

inline TChange Compare(const ui::TBitmap& before, const ui::TBitmap& after, int x0, int y0, int w,
                       int h) {
  TChange c;
  for (int y = y0; y < y0 + h; ++y) {
    for (int x = x0; x < x0 + w; ++x) {
      const std::uint32_t b = Pixel(before, x, y), a = Pixel(after, x, y);
      if (a == b && (b == kUnpainted || b == kMagenta)) {
        ++c.blank;
      } else if (a == b) {
        ++c.same;
      } else if (a == Recolour(b)) {
        ++c.recoloured;
      } else {
        ++c.other;
      }
    }
  }
  return c;
}

inline bool Identical(const ui::TBitmap& a, const ui::TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      if (Pixel(a, x, y) != Pixel(b, x, y)) return false;
    }
  }
  return true;
}

// The left border of a skinned window (from its outer edge to the client area, full height):
// drawn from the skin's pictures only, without text.
inline TChange CompareLeftBorder(HWND window, const ui::TBitmap& before, const ui::TBitmap& after) {
  RECT outer{};
  GetWindowRect(window, &outer);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  const int left = origin.x - outer.left;
  EXPECT_GT(left, 0);
  return Compare(before, after, 0, 0, left, before.Height());
}

inline BOOL CALLBACK CollectSkinned(HWND h, LPARAM found) {
  if (IsWindowVisible(h) && SendMessageW(h, skin::SKM_QUERYSKINNED, 0, 0) == 1) {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(h);
  }
  return TRUE;
}

// The visible windows below `parent` that a control skinner serves.
inline std::vector<HWND> SkinnedChildren(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(parent, &CollectSkinned, reinterpret_cast<LPARAM>(&found));
  return found;
}

inline std::wstring ClassOf(HWND window) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, 128);
  return name;
}

// What a window shows at one moment: its frame and each visible skinned control.
struct TShot {
  std::unique_ptr<ui::TBitmap> frame;
  std::map<HWND, std::unique_ptr<ui::TBitmap>> controls;
  HWND focused = nullptr;  // the control that had the focus while the shot was taken
};

// The frame is drawn by whether the window is active: it is told it is, so that every shot
// shows the active look. The activation itself is not taken (tests running side by side on
// one desktop rely on theirs); the control that has the focus is recorded instead.
inline TShot Shoot(HWND window) {
  TShot shot;
  SendMessageW(window, WM_NCACTIVATE, TRUE, 0);
  shot.frame = CaptureFrame(window);
  for (HWND control : SkinnedChildren(window)) shot.controls[control] = CaptureControl(control);
  shot.focused = GetFocus();
  return shot;
}

// How many pixels differ, and where the first few are with their two colours.
inline std::string Differences(const ui::TBitmap& a, const ui::TBitmap& b) {
  int count = 0;
  std::string where;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      if (Pixel(a, x, y) == Pixel(b, x, y)) continue;
      if (count++ >= 4) continue;
      char colours[32];
      std::snprintf(colours, sizeof colours, " %06x>%06x", Pixel(a, x, y), Pixel(b, x, y));
      where += " (" + std::to_string(x) + "," + std::to_string(y) + ")" + colours;
    }
  }
  return std::to_string(count) + " pixels, at" + where;
}

// Two shots alike to the pixel. A control that had the focus in one shot and not in the
// other (the activation was taken away for longer than the shot could wait) draws its focus
// differently and is left out.
inline void ExpectSamePictures(const TShot& a, const TShot& b) {
  EXPECT_TRUE(Identical(*a.frame, *b.frame)) << "the frame differs: " << Differences(*a.frame, *b.frame);
  ASSERT_EQ(a.controls.size(), b.controls.size());
  for (const auto& [window, picture] : a.controls) {
    if ((a.focused == window) != (b.focused == window)) continue;
    const ui::TBitmap& other = *b.controls.at(window);
    EXPECT_TRUE(Identical(*picture, other))
        << ui::Utf8(ClassOf(window)) << " differs: " << Differences(*picture, other);
  }
}


// Records, while it lives, every window of this thread that was sent or handed a paint
// message (client or frame).
class TPaintRecorder {
 public:
  TPaintRecorder() {
    instance_ = this;
    sent_ = SetWindowsHookExW(WH_CALLWNDPROC, &Sent, nullptr, GetCurrentThreadId());
    got_ = SetWindowsHookExW(WH_GETMESSAGE, &Got, nullptr, GetCurrentThreadId());
  }
  ~TPaintRecorder() {
    UnhookWindowsHookEx(sent_);
    UnhookWindowsHookEx(got_);
    instance_ = nullptr;
  }
  TPaintRecorder(const TPaintRecorder&) = delete;
  TPaintRecorder& operator=(const TPaintRecorder&) = delete;

  bool Painted(HWND window) const { return painted_.count(window) != 0; }

 private:
  static void Note(HWND window, UINT message) {
    if (instance_ && (message == WM_PAINT || message == WM_NCPAINT || message == skin::SKM_REDRAWFRAME)) {
      instance_->painted_.insert(window);
    }
  }
  static LRESULT CALLBACK Sent(int code, WPARAM wParam, LPARAM lParam) {
    if (code >= 0) {
      const auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
      Note(m->hwnd, m->message);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static LRESULT CALLBACK Got(int code, WPARAM wParam, LPARAM lParam) {
    if (code >= 0 && wParam == PM_REMOVE) {
      const auto* m = reinterpret_cast<const MSG*>(lParam);
      Note(m->hwnd, m->message);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static inline TPaintRecorder* instance_ = nullptr;
  HHOOK sent_ = nullptr, got_ = nullptr;
  std::set<HWND> painted_;
};

}  // namespace skinswitch
