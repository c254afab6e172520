// The program's own skins for tests that run once per skin: the built-in skin (the program's
// "DEFAULTSKIN" resource) and the Daylight package built beside it (its path is compiled in by
// vexlo_use_own_skins). Value-parameterised suites take OwnSkinNames() as their values, so
// both skins run in one start of the test program.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "skin/frame/SkinManage.h"

namespace testsupport {

inline const std::string kBuiltInSkin = "BuiltIn";
inline const std::string kDaylightSkin = "Daylight";

inline std::vector<std::string> OwnSkinNames() { return {kBuiltInSkin, kDaylightSkin}; }

// The package bytes of the named skin; empty when the package cannot be read.
inline std::string OwnSkinPackage(const std::string& name) {
  if (name == kBuiltInSkin) return skin::DefaultSkinPackage();
#ifdef VEXLO_DAYLIGHT_SKIN_PACKAGE
  std::ifstream in(VEXLO_DAYLIGHT_SKIN_PACKAGE, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
#else
  return {};
#endif
}

// The Daylight package's file name as the program under test can open it.
inline std::string DaylightSkinFile() {
#ifdef VEXLO_DAYLIGHT_SKIN_PACKAGE
  return VEXLO_DAYLIGHT_SKIN_PACKAGE;
#else
  return {};
#endif
}

// What a skin's description gives its window frame: the border sizes (left, right, title and
// bottom, in pixels) and the ButtonFace colour that forms take as their background.
struct TOwnSkinFrame {
  int Left, Right, Title, Bottom;
  COLORREF Face;
};

// The skin's borders at the DPI the test program runs at.
inline TOwnSkinFrame OwnSkinFrame(const std::string& name) {
  const auto at = AtScreenDpi;
  if (name == kDaylightSkin) return {at(6), at(6), at(30), at(6), RGB(246, 247, 249)};
  return {at(4), at(4), at(26), at(4), RGB(236, 239, 245)};
}

// A skin data component of the main window's kinds holding the named skin, owned by `owner`.
inline skin::TSkinData* CreateOwnSkinData(ui::TComponent* owner, const std::string& name) {
  return skin::CreateSkinData(owner, OwnSkinPackage(name), skin::kMainWindowSkinControls);
}

inline std::string OwnSkinTestName(const testing::TestParamInfo<std::string>& info) {
  return info.param;
}

// A check's name for printed lines (leak checks, say) with the skin it ran with, so that the
// lines of the two runs tell the skins apart: "main window repaint (Daylight skin)".
inline std::string WithSkinName(const std::string& what, const std::string& skinName) {
  return what + " (" + skinName + " skin)";
}

// A fixture with a virtual SkinName() run once per skin of ours: the parameter names the skin.
template <class Fixture>
class OwnSkinsOf : public Fixture, public testing::WithParamInterface<std::string> {
 protected:
  std::string SkinName() const override { return this->GetParam(); }
};

}  // namespace testsupport

// Runs the value-parameterised suite `suite` once with each of the program's own skins.
#define INSTANTIATE_FOR_OWN_SKINS(suite)                                                 \
  INSTANTIATE_TEST_SUITE_P(OwnSkins, suite, testing::ValuesIn(testsupport::OwnSkinNames()), \
                           testsupport::OwnSkinTestName)
