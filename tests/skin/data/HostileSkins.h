// Skins that say absurd things, made from the program's own skin: frame counts of zero and of
// the largest integer, margins far larger than the pictures (and negative ones), pictures of
// one pixel, pictures of no size and pictures that are missing, most sections missing, and
// colours and fonts no screen has. Each is a well-formed package, so the engine takes it and
// every skinner has to live with it.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "CraftedSkin.h"
#include "skin/data/SkinMessages.h"
#include "skin/model/SkinReader.h"
#include "ui/Canvas.h"

namespace hostile {

struct THostileSkin {
  std::string name;
  skintest::Bytes package;
};

inline std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Each description line "key=value" (sections and comments as they are) through `change`,
// which answers the new value; `keepSection` decides which sections stay.
inline std::string EditDescription(
    const std::string& ini, const std::function<std::string(const std::string& key, const std::string& value)>& change,
    const std::function<bool(int index)>& keepSection = {}) {
  std::istringstream in(ini);
  std::string out, line;
  int section = -1;
  bool keep = true;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with("[")) {
      ++section;
      keep = !keepSection || keepSection(section);
    }
    if (!keep) continue;
    const std::size_t equals = line.find('=');
    if (!line.starts_with(";") && !line.starts_with("[") && equals != std::string::npos) {
      line = line.substr(0, equals + 1) + change(Lower(line.substr(0, equals)), line.substr(equals + 1));
    }
    out += line + "\r\n";
  }
  return out;
}

inline bool Has(const std::string& key, const char* part) { return key.find(part) != std::string::npos; }

// A margin, frame-count or position key of the readers.
inline bool IsMargin(const std::string& key) {
  return Has(key, "width") || Has(key, "height") || Has(key, "textshift") || Has(key, "clip") ||
         Has(key, "coord") || Has(key, "shift");
}

// Every entry of the package through `bitmap` (a picture entry: new bytes, or none to leave it
// out) and the description through `description`.
inline skintest::Bytes EditPackage(const std::string& package,
                                   const std::function<std::string(const std::string&)>& description,
                                   const std::function<bool(skintest::Bytes&)>& bitmap) {
  skin::TSkinReader reader;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(package.data());
  if (!reader.Load(std::span(bytes, package.size()))) return {};
  std::vector<skinpack::TEntry> entries;
  for (const std::string& name : reader.Names()) {
    skintest::Bytes entry;
    reader.ExtractEntry(name, entry);
    if (name.find(".ini") != std::string::npos) {
      entry = skintest::AsBytes(description(std::string(entry.begin(), entry.end())));
    } else if (!bitmap(entry)) {
      continue;
    }
    entries.push_back({name, std::move(entry)});
  }
  return skinpack::BuildPackage(entries);
}

inline std::vector<THostileSkin> HostileSkins(const std::string& builtIn) {
  const auto same = [](skintest::Bytes&) { return true; };
  const auto numbers = [](std::function<std::string(const std::string&, const std::string&)> f) {
    return [f](const std::string& ini) { return EditDescription(ini, f); };
  };
  std::vector<THostileSkin> skins;
  skins.push_back({"zero frames", EditPackage(builtIn, numbers([](const std::string& k, const std::string& v) {
                                                return Has(k, "frame") ? std::string("0") : v;
                                              }), same)});
  skins.push_back({"huge frames", EditPackage(builtIn, numbers([](const std::string& k, const std::string& v) {
                                                return Has(k, "frame") ? std::string("2147483647") : v;
                                              }), same)});
  skins.push_back({"huge margins", EditPackage(builtIn, numbers([](const std::string& k, const std::string& v) {
                                                 return IsMargin(k) ? std::string("2147483647") : v;
                                               }), same)});
  skins.push_back({"negative margins", EditPackage(builtIn, numbers([](const std::string& k, const std::string& v) {
                                                     return IsMargin(k) ? std::string("-2147483648") : v;
                                                   }), same)});
  skins.push_back({"margins larger than the pictures",
                   EditPackage(builtIn, numbers([](const std::string& k, const std::string& v) {
                                 return IsMargin(k) ? std::string("500") : v;
                               }), same)});
  skins.push_back({"one-pixel pictures", EditPackage(builtIn, [](const std::string& ini) { return ini; },
                                                     [](skintest::Bytes& b) {
                                                       b = skintest::SolidBmp(1, 1, 0x4080C0);
                                                       return true;
                                                     })});
  skins.push_back({"pictures of no size", EditPackage(builtIn, [](const std::string& ini) { return ini; },
                                                      [](skintest::Bytes& b) {
                                                        b = skintest::SolidBmp(0, 0);
                                                        return true;
                                                      })});
  skins.push_back({"missing pictures", EditPackage(builtIn, [](const std::string& ini) { return ini; },
                                                   [](skintest::Bytes&) { return false; })});
  skins.push_back({"missing sections",
                   EditPackage(builtIn,
                               [](const std::string& ini) {
                                 return EditDescription(
                                     ini, [](const std::string&, const std::string& v) { return v; },
                                     [](int section) { return section % 3 == 1; });
                               },
                               same)});
  skins.push_back({"absurd colours and fonts",
                   EditPackage(builtIn, numbers([](const std::string& k, const std::string& v) {
                                 if (Has(k, "fontheight")) return std::string("2147483647");
                                 if (std::count(v.begin(), v.end(), ' ') == 2) return std::string("99999999999 -7 70000");
                                 if (Has(k, "colour") || Has(k, "color") || Has(k, "text")) return std::string("-2147483648");
                                 return v;
                               }), same)});
  skins.push_back({"an empty description",
                   EditPackage(builtIn, [](const std::string&) { return std::string(); }, same)});
  return skins;
}

// The hostile skins a program is started with, one process each. Loading at startup differs
// from a live switch only where the frame is first fitted and first attached, so these are the
// ones that reach that code differently: absurd title and border sizes both ways, a frame with
// no pictures at all (it must leave the window its own frame from the start), and a
// description with no sections (nothing to attach). Every hostile skin is also switched to
// live, in the tests that do that.
inline std::vector<THostileSkin> HostileStartSkins(const std::string& builtIn) {
  std::vector<THostileSkin> skins = HostileSkins(builtIn);
  std::erase_if(skins, [](const THostileSkin& s) {
    return s.name != "huge margins" && s.name != "negative margins" && s.name != "missing pictures" &&
           s.name != "an empty description";
  });
  return skins;
}

// Every window of the thread or process below `top` (and `top` itself).
inline BOOL CALLBACK CollectWindow(HWND window, LPARAM found) {
  reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}
inline std::vector<HWND> WindowsOf(HWND top) {
  std::vector<HWND> windows{top};
  EnumChildWindows(top, &CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// How many of the windows did not answer a message within five seconds.
inline int Unanswered(const std::vector<HWND>& windows) {
  int silent = 0;
  for (HWND w : windows) {
    DWORD_PTR result = 0;
    if (IsWindow(w) && !SendMessageTimeoutW(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result)) ++silent;
  }
  return silent;
}

// Everything a skinner paints, painted now: every window invalidated (frames included) and
// updated, then each painted into a picture through its own paint message and its skinned
// border, and the top window's frame active and inactive; hit-tests over the frame.
inline void PaintEverything(HWND top) {
  RedrawWindow(top, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  for (HWND w : WindowsOf(top)) {
    RECT r{};
    GetWindowRect(w, &r);
    ui::TBitmap picture(std::max<int>(r.right - r.left, 1), std::max<int>(r.bottom - r.top, 1));
    SendMessageW(w, WM_PAINT, reinterpret_cast<WPARAM>(picture.Canvas()->Handle()), 0);
    SendMessageW(w, skin::SKM_PAINTFRAME, reinterpret_cast<WPARAM>(picture.Canvas()->Handle()),
                 skin::kSkinMagic);
  }
  SendMessageW(top, WM_NCACTIVATE, FALSE, 0);
  SendMessageW(top, WM_NCACTIVATE, TRUE, 0);
  RECT r{};
  GetWindowRect(top, &r);
  for (int y = r.top; y < r.bottom; y += 7) {
    for (int x : {r.left + 1, r.left + 5, (r.left + r.right) / 2, r.right - 5, r.right - 1}) {
      SendMessageW(top, WM_NCHITTEST, 0, MAKELPARAM(x, y));
    }
  }
}

}  // namespace hostile
