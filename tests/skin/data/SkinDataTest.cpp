// The skin data component: its published properties, its stored package, loading a skin and
// the pictures it derives, and the old-format message.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "CraftedSkin.h"
#include "GuiTestSupport.h"
#include "LzhEncoder.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/SkinDerivedImages.h"
#include "skin/data/SkinManagerLink.h"
#include "skin/data/WinSkinData.h"
#include "ui/Classes.h"
#include "ui/Forms.h"

using namespace skin;

namespace {

std::string AsString(const skintest::Bytes& b) { return std::string(b.begin(), b.end()); }

std::string StoredForm(const skintest::Bytes& block) {
  ui::TMemoryStream stream;
  const auto n = static_cast<std::uint32_t>(block.size());
  const char size[4] = {char(n), char(n >> 8), char(n >> 16), char(n >> 24)};
  stream.WriteBuffer(std::string_view(size, 4));
  stream.WriteBuffer(AsString(block));
  return stream.Bytes();
}

skintest::Bytes DefaultPackage() {
  HRSRC r = FindResourceW(nullptr, L"DEFAULTSKIN", reinterpret_cast<LPCWSTR>(RT_RCDATA));
  const auto* p = static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, r)));
  return skintest::Bytes(p, p + SizeofResource(nullptr, r));
}

template <class Bitmap>
std::uint32_t Pixel(const Bitmap& b, int x, int y) { return b.ScanLine(y)[x]; }
std::uint32_t AsPixel(ui::TColor c) {
  const auto v = static_cast<std::uint32_t>(c);
  return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

class SkinDataTest : public testing::Test {
 protected:
  void TearDown() override { DestroySkinManager(); }
};

TEST_F(SkinDataTest, PublishesItsPropertiesInOrderWithTheirDefaults) {
  TSkinData data(nullptr);
  std::vector<std::wstring> names;
  for (const ui::TPropInfo& p : TSkinData::StaticClass().OwnProps()) names.push_back(p.Name);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"Active", L"DisableTag", L"SkinControls",
                                              L"Options", L"Skin3rd", L"SkinFile", L"SkinStore",
                                              L"SkinFormtype", L"Version", L"MenuUpdate",
                                              L"MenuMerge"}));
  EXPECT_EQ(ui::GetEnumPropText(&data, L"Active"), L"False");
  EXPECT_EQ(ui::GetIntProp(&data, L"DisableTag"), 99);
  EXPECT_EQ(ui::GetEnumPropText(&data, L"Options"), L"xoPreview,xoToolbarBK");
  const std::wstring controls = ui::GetEnumPropText(&data, L"SkinControls");
  EXPECT_EQ(controls.find(L"xcMenuItem"), std::wstring::npos);
  EXPECT_EQ(controls.find(L"xcFastReport"), std::wstring::npos);
  EXPECT_NE(controls.find(L"xcSystemMenu"), std::wstring::npos);
  EXPECT_EQ(SkinControlTypeInfo().Count(), 22);
  EXPECT_EQ(SkinOptionInfo().Count(), 9);
  EXPECT_EQ(SkinFormTypeInfo().Identifier(3), L"sfDLL");
  EXPECT_EQ(ui::GetEnumPropText(&data, L"SkinFormtype"), L"sfMainform");
  EXPECT_EQ(ui::GetTextProp(&data, L"SkinFile"), L"");
  EXPECT_EQ(ui::GetEnumPropText(&data, L"MenuUpdate"), L"True");
  EXPECT_EQ(ui::GetEnumPropText(&data, L"MenuMerge"), L"False");
  EXPECT_EQ(ui::GetObjectProp<ui::TStringList>(&data, L"Skin3rd"), data.Skin3rd());
}

TEST_F(SkinDataTest, VersionAndSkinStoreIgnoreAssignment) {
  TSkinData data(nullptr);
  EXPECT_TRUE(ui::SetPropText(&data, L"Version", L"9.9"));
  EXPECT_EQ(ui::GetTextProp(&data, L"Version"), L"4.04.04.11");
  EXPECT_TRUE(ui::SetPropText(&data, L"SkinStore", L"(Good)"));
  EXPECT_EQ(ui::GetTextProp(&data, L"SkinStore"), L"(none)");
  EXPECT_TRUE(ui::SetPropText(&data, L"SkinFormtype", L"sfDialog"));
  EXPECT_EQ(data.SkinFormtype(), sfDialog);
}

TEST_F(SkinDataTest, StartsWithTheClassMapAndAssignmentReplacesItWithACopy) {
  TSkinData data(nullptr);
  const ui::TStringList& map = *data.Skin3rd();
  ASSERT_EQ(map.Count(), 117);
  EXPECT_EQ(map.Strings(0), "TCategoryButtons=scrollbar");
  EXPECT_EQ(map.Strings(6), "TComboboxex=combobox");
  EXPECT_EQ(map.Strings(33), "TRzMenuButton=menubtn");
  EXPECT_EQ(map.Strings(49), "TLMDCHECKBOX=Checkbox");
  EXPECT_EQ(map.Strings(107), "TcxGroupbox=groupbox");
  EXPECT_EQ(map.Strings(116), "TOVCDBNUMERICFIELD=edit");
  EXPECT_EQ(map.Strings(47), map.Strings(48));  // TDBCheckboxEh twice
  EXPECT_EQ(map.Strings(68), map.Strings(69));  // TLMDFontSizeCombobox twice
  EXPECT_EQ(map.Strings(96), map.Strings(97));  // TWWDBCombobox twice
  ui::TStringList mine;
  mine.Add("TMyGrid=scrollbar");
  data.SetSkin3rd(mine);
  mine.Add("TOther=edit");
  ASSERT_EQ(data.Skin3rd()->Count(), 1);
  EXPECT_EQ(data.Skin3rd()->Strings(0), "TMyGrid=scrollbar");
}

TEST_F(SkinDataTest, SkinStreamIsALengthAndTheBlock) {
  TSkinData data(nullptr);
  ui::TMemoryStream empty;
  data.WriteSkinStream(empty);
  EXPECT_EQ(empty.Bytes(), std::string(4, '\0'));

  const skintest::Bytes block =
      skintest::TCraftedSkin("[TitlebarSkin]\nSkinName=Stored\n").Package();
  ui::TMemoryStream in(StoredForm(block));
  data.ReadSkinStream(in);
  EXPECT_TRUE(data.SkinLoaded());
  EXPECT_EQ(data.SkinName(), "Stored");
  ui::TMemoryStream out;
  data.WriteSkinStream(out);
  EXPECT_EQ(out.Bytes(), StoredForm(block));

  // A length of 0 (or less) stores nothing and loads nothing.
  TSkinData other(nullptr);
  ui::TMemoryStream zero(std::string("\xFF\xFF\xFF\xFFjunk", 8));
  other.ReadSkinStream(zero);
  EXPECT_FALSE(other.SkinLoaded());
  EXPECT_TRUE(other.StoreBytes().empty());
}

TEST_F(SkinDataTest, TheDefaultSkinLoadsWithEveryDerivedPicture) {
  TSkinData data(nullptr);
  data.SetStoreBytes(AsString(DefaultPackage()));
  ASSERT_TRUE(data.LoadFromStore());
  EXPECT_EQ(data.SkinName(), "Vexlo Midnight");

  const int button = GetSystemMetrics(SM_CXHSCROLL) + 2;
  const TDataSkinObject* combo = data.SkinObject("ComboButton");
  const TDataSkinObject* edge = data.SkinObject("SunkEdge");
  ASSERT_TRUE(combo && edge);
  EXPECT_EQ(combo->Style, 2);
  EXPECT_EQ(combo->Bitmap->Width(), 200);
  EXPECT_EQ(combo->Bitmap->Height(), 21);
  EXPECT_EQ(combo->LeftWidth, 2);
  EXPECT_EQ(combo->RightWidth, button + 2);
  EXPECT_EQ(combo->TopHeight, edge->TopHeight);
  EXPECT_EQ(edge->LeftWidth, button + 2);
  EXPECT_EQ(edge->RightWidth, 2);
  // The text area of every face is key colour; the sunken edge holds the strip with each face
  // mirrored in its place, so that face k is the same state's face.
  for (int k = 0; k < 4; ++k) EXPECT_EQ(Pixel(*combo->Bitmap, 50 * k + 10, 10), 0xFF00FFu);
  for (int x : {0, 3, 45, 120, 199}) {
    EXPECT_EQ(Pixel(*edge->Bitmap, x, 1), Pixel(*combo->Bitmap, x / 50 * 50 + 49 - x % 50, 1)) << x;
  }
  EXPECT_NE(Pixel(*combo->Bitmap, 0, 0), 0xFF00FFu);  // the edge's corner is drawn

  const TDataSkinObject* arrow = data.SkinObject("ComboxArrow");
  ASSERT_NE(arrow, nullptr);
  EXPECT_EQ(arrow->Bitmap->Width(), 68);
  EXPECT_EQ(arrow->Bitmap->Height(), 17);
  EXPECT_EQ(arrow->Frame, 4);
  EXPECT_EQ(Pixel(*arrow->Bitmap, 17 + 5, 6), Pixel(*combo->Bitmap, 50 * 2 - 19 + 5, 8));

  // Title colour: a third into the first frame of the Top border.
  const TDataSkinBorder* top = data.Definitions().Border("Top");
  const std::uint32_t titlePixel =
      Pixel(*top->Bitmap, top->Bitmap->Width() / 3, top->Bitmap->Height() / 2 / 3);
  EXPECT_EQ(AsPixel(data.TitleColour()), titlePixel);

  const TDataSkinObject* toolbar = data.SkinObject("Toolbar");
  ASSERT_NE(toolbar, nullptr);
  EXPECT_EQ(toolbar->Frame, 1);
  ASSERT_EQ(toolbar->Bitmap->Width(), 10);
  ASSERT_EQ(toolbar->Bitmap->Height(), 40);
  const ui::TColor face = ui::TColor(RGBColour(236, 239, 245));
  // One band per row, from the button face mixed with 85 % white (252, 253, 254) down to the
  // title colour (36, 56, 139) lightened with white: its strongest channel stays below 160,
  // which counts as saturation 200, so 46 % white: (137, 148, 192). Each row moves by
  // (row * delta + 19) div 39, truncated toward zero, so the last row stops one short.
  ASSERT_EQ(titlePixel, 0x24388Bu);
  const std::vector<std::pair<int, std::uint32_t>> rows = {
      {0, 0xFCFDFE}, {1, 0xFAFBFD}, {20, 0xC2C8DF}, {39, 0x8A95C1}};
  for (const auto& [y, expected] : rows) {
    EXPECT_EQ(Pixel(*toolbar->Bitmap, 0, y), expected) << y;
    EXPECT_EQ(Pixel(*toolbar->Bitmap, 9, y), expected) << y;
  }
  for (int y = 1; y < 40; ++y) {
    EXPECT_EQ(Pixel(*toolbar->Bitmap, 5, y), Pixel(*toolbar->Bitmap, 0, y)) << y;
    EXPECT_LE(Pixel(*toolbar->Bitmap, 0, y) & 0xFF, Pixel(*toolbar->Bitmap, 0, y - 1) & 0xFF) << y;
  }

  EXPECT_NE(data.ButtonFaceBrush(), nullptr);
  LOGBRUSH brush{};
  GetObjectW(data.ButtonFaceBrush(), sizeof(brush), &brush);
  EXPECT_EQ(brush.lbColor, static_cast<COLORREF>(face));
  // The default skin gives both track channels itself.
  EXPECT_EQ(data.SkinObject("Track")->LeftWidth, 3);
  EXPECT_EQ(data.SkinObject("Track")->TopHeight, 0);
}

TEST_F(SkinDataTest, ToolbarGradientEndFollowsTheTitleSaturation) {
  // Saturation is (max - min) * 255 / max, or 200 when no channel reaches 160. Up to 110 the
  // end is the title colour with 15 % grey; above, the title colour with
  // (5625 - 25 * saturation) div 140 + 50 per cent of itself, the rest white.
  const auto end = [](int r, int g, int b) {
    return ToolbarGradientEnd(ui::TColor(RGBColour(r, g, b)));
  };
  EXPECT_EQ(end(170, 170, 180), ui::TColor(RGBColour(164, 164, 172)));  // saturation 14
  EXPECT_EQ(end(255, 145, 145), ui::TColor(RGBColour(236, 142, 142)));  // 110: still grey
  EXPECT_EQ(end(255, 144, 144), ui::TColor(RGBColour(255, 177, 177)));  // 111: 70 % itself
  EXPECT_EQ(end(0, 0, 255), ui::TColor(RGBColour(140, 140, 255)));      // 255: 45 % itself
  EXPECT_EQ(end(36, 56, 139), ui::TColor(RGBColour(137, 148, 192)));    // dark: 200, 54 %
}

TEST_F(SkinDataTest, ComboArrowWithoutSunkenEdgeTakesTheButtonOnTheButtonFace) {
  const auto rgb = [](int x, int) { return x < 3 ? 0xFF00FFu : 0x102030u; };
  TSkinData data(nullptr);
  data.SetStoreBytes(AsString(skintest::TCraftedSkin("[Colours]\nButtonFace=1 2 3\n"
                                                     "[ComboButton]\nImage=c.bmp\n")
                                  .Bitmap("c.bmp", skintest::MakeBmp24(64, 21, rgb))
                                  .Package()));
  ASSERT_TRUE(data.LoadFromStore());
  const TDataSkinObject* arrow = data.SkinObject("ComboxArrow");
  ASSERT_NE(arrow, nullptr);
  EXPECT_EQ(arrow->Frame, 4);
  EXPECT_EQ(Pixel(*arrow->Bitmap, 0, 0), 0x010203u);
  EXPECT_EQ(Pixel(*arrow->Bitmap, 10, 0), 0x102030u);
  EXPECT_EQ(data.SkinObject("ComboButton")->Style, 0);  // no combo images without an edge

  // A later skin without a combo button leaves no stale arrow behind.
  data.SetStoreBytes(AsString(skintest::TCraftedSkin("").Package()));
  ASSERT_TRUE(data.LoadFromStore());
  EXPECT_TRUE(data.SkinObject("ComboxArrow")->Bitmap->Empty());
  // Without a Top border picture the title colour is the button face.
  EXPECT_EQ(data.TitleColour(), static_cast<ui::TColor>(ui::ColorToRGB(ui::clBtnFace)));
}

TEST_F(SkinDataTest, AnOldPackageShowsItsMessageAndKeepsThePreviousSkin) {
  TSkinData data(nullptr);
  data.SetStoreBytes(AsString(DefaultPackage()));
  ASSERT_TRUE(data.LoadFromStore());
  skintest::Bytes container = skinpack::BuildContainer({{"skin.ini", skintest::AsBytes("x")}});
  skintest::PokeLE32(container, 0, 10000);
  data.SetStoreBytes(AsString(skinpack::CompressBlock(container)));
  testsupport::MessageBoxWatcher watcher;
  EXPECT_FALSE(data.LoadFromStore());
  ASSERT_EQ(watcher.Boxes().size(), 1u);
  EXPECT_EQ(watcher.Boxes()[0].text, L"This is Older Skin File\rPlease update to new version !");
  EXPECT_EQ(data.SkinName(), "Vexlo Midnight");
  EXPECT_NE(data.SkinObject("MenuItem"), nullptr);
  EXPECT_FALSE(data.SkinLoaded());  // activation is refused until a load succeeds
  // A damaged block is refused without a message.
  data.SetStoreBytes("damaged");
  EXPECT_FALSE(data.LoadFromStore());
  EXPECT_EQ(watcher.Boxes().size(), 1u);
}

TEST_F(SkinDataTest, MenuGlyphsAndApplicationIcon) {
  TSkinData data(nullptr);
  ASSERT_NE(data.MenuGlyphs(), nullptr);
  EXPECT_EQ(ImageList_GetImageCount(data.MenuGlyphs()), 4);
  int cx = 0, cy = 0;
  ImageList_GetIconSize(data.MenuGlyphs(), &cx, &cy);
  EXPECT_EQ(cx, 16);
  EXPECT_EQ(cy, 16);
  EXPECT_EQ(data.MaxWidth(), GetSystemMetrics(SM_CXMAXIMIZED));
  data.SetStoreBytes(AsString(DefaultPackage()));
  data.LoadFromStore();
  data.Loaded();
  ui::TBitmap* icon = data.AppIconBitmap();
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->Width(), GetSystemMetrics(SM_CXSMICON));
  EXPECT_TRUE(icon->Transparent());
  EXPECT_EQ(icon->TransparentColor(), 0xFF00FF);
  EXPECT_NE(data.CaptionFont(), nullptr);
}

TEST_F(SkinDataTest, TrackBitmapResourcesMatchTheBuiltInPictures) {
  for (const wchar_t* name : {L"TRACK", L"TRACKVERT"}) {
    TSkinBitmap resource;
    ASSERT_TRUE(LoadResourceBitmap(GetModuleHandleW(nullptr), name, resource));
    TSkinBitmap builtin;
    const std::wstring w(name);
    ASSERT_TRUE(BuiltinTrackBitmap(std::string(w.begin(), w.end()), builtin));
    ASSERT_EQ(resource.Width(), builtin.Width());
    ASSERT_EQ(resource.Height(), builtin.Height());
    for (int y = 0; y < resource.Height(); ++y) {
      for (int x = 0; x < resource.Width(); ++x) {
        EXPECT_EQ(Pixel(resource, x, y), Pixel(builtin, x, y));
      }
    }
  }
  TSkinBitmap none;
  EXPECT_FALSE(LoadResourceBitmap(GetModuleHandleW(nullptr), L"NOSUCHBITMAP", none));
}

}  // namespace
