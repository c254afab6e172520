// The executable's resources: linking vexlo_default_skin embeds the package and the three
// bitmaps the skin engine loads by name.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "DefaultSkin.h"

namespace skintest {
namespace {

std::vector<std::uint8_t> ResourceBytes(const wchar_t* name, LPCWSTR type) {
  HRSRC found = FindResourceW(nullptr, name, type);
  if (found == nullptr) return {};
  HGLOBAL loaded = LoadResource(nullptr, found);
  const auto* data = static_cast<const std::uint8_t*>(LockResource(loaded));
  return {data, data + SizeofResource(nullptr, found)};
}

TEST(EmbeddedSkin, DefaultSkinResourceHoldsThePackage) {
  const std::vector<std::uint8_t> embedded = ResourceBytes(L"DEFAULTSKIN", MAKEINTRESOURCEW(10));
  ASSERT_FALSE(embedded.empty());
  EXPECT_EQ(embedded, ReadFileBytes(VEXLO_DEFAULT_SKIN_PACKAGE));
  skin::TSkinReader reader;
  EXPECT_TRUE(reader.Load(embedded));
  EXPECT_EQ(reader.Count(), 41);
}

void ExpectBitmap(const wchar_t* name, int width, int height, int bits) {
  HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0,
                                                   LR_CREATEDIBSECTION));
  ASSERT_NE(bitmap, nullptr);
  DIBSECTION dib{};
  ASSERT_EQ(GetObjectW(bitmap, sizeof dib, &dib), static_cast<int>(sizeof dib));
  EXPECT_EQ(dib.dsBm.bmWidth, width);
  EXPECT_EQ(dib.dsBm.bmHeight, height);
  EXPECT_EQ(dib.dsBmih.biBitCount, bits);
  DeleteObject(bitmap);
}

TEST(EmbeddedSkin, TrackBitmapsAreResources) {
  ExpectBitmap(L"TRACK", 16, 4, 4);
  ExpectBitmap(L"TRACKVERT", 4, 16, 4);
}

TEST(EmbeddedSkin, MenuGlyphsAreAResource) {
  ExpectBitmap(L"ZELMARMENU", 64, 16, 1);
  // The skin engine builds its glyph list with LoadBitmap; that must work too.
  HBITMAP plain = LoadBitmapW(GetModuleHandleW(nullptr), L"ZELMARMENU");
  EXPECT_NE(plain, nullptr);
  DeleteObject(plain);
}

}  // namespace
}  // namespace skintest
