#include <gtest/gtest.h>

#include <optional>

#include "LzhEncoder.h"
#include "SkinPackage.h"
#include "TestFiles.h"
#include "skin/model/SkinReader.h"

using namespace skin;
using skintest::AsBytes;
using skintest::Bytes;

namespace {

// A container written field by field, so that tests can state malformed ones.
Bytes RawContainer(std::int32_t marker, const std::string& names,
                   const std::vector<std::int32_t>& sizes, const std::string& bodies,
                   std::optional<std::int32_t> textLength = std::nullopt) {
  Bytes out;
  skintest::PutLE(out, static_cast<std::uint32_t>(marker), 4);
  skintest::PutLE(out, static_cast<std::uint32_t>(textLength.value_or(std::int32_t(names.size()))),
                  4);
  skintest::PutLE(out, 0xDEADBEEF, 4);  // reserved fields hold anything
  skintest::PutLE(out, 0x12345678, 4);
  out.insert(out.end(), names.begin(), names.end());
  for (std::int32_t s : sizes) skintest::PutLE(out, static_cast<std::uint32_t>(s), 4);
  out.insert(out.end(), bodies.begin(), bodies.end());
  return out;
}

std::string Text(const Bytes& b) { return std::string(b.begin(), b.end()); }

TEST(SkinReader, LoadsAPackageAndHandsOutEntriesByName) {
  const std::vector<skinpack::TEntry> entries = {{"FrameTop.bmp", AsBytes("BMtop")},
                                                 {"Empty.bmp", {}},
                                                 {"Skin.INI", AsBytes("[Form]\r\nx=1\r\n")},
                                                 {"second.ini", AsBytes("other")},
                                                 {"Button.bmp", AsBytes("BMbutton")}};
  TSkinReader reader;
  ASSERT_TRUE(reader.Load(skinpack::BuildPackage(entries)));
  EXPECT_EQ(reader.Status(), TSkinLoadStatus::Ok);
  EXPECT_EQ(reader.Count(), 5);
  EXPECT_EQ(reader.Names(), (std::vector<std::string>{"frametop.bmp", "empty.bmp", "skin.ini",
                                                      "second.ini", "button.bmp"}));
  Bytes out = AsBytes("old content");
  EXPECT_TRUE(reader.ExtractEntry("FRAMETOP.BMP", out));
  EXPECT_EQ(Text(out), "BMtop");
  EXPECT_TRUE(reader.ExtractEntry("button.bmp", out));
  EXPECT_EQ(Text(out), "BMbutton");
  EXPECT_TRUE(reader.ExtractEntry("empty.bmp", out));
  EXPECT_TRUE(out.empty());
  EXPECT_FALSE(reader.ExtractEntry("missing.bmp", out));
  EXPECT_TRUE(out.empty());

  // The description is the first entry whose name contains ".ini"; the fragment is taken
  // as given, while the names are held in lower case.
  std::string name;
  EXPECT_TRUE(reader.ExtractEntryContaining(".ini", out, name));
  EXPECT_EQ(name, "skin.ini");
  EXPECT_EQ(Text(out), "[Form]\r\nx=1\r\n");
  EXPECT_FALSE(reader.ExtractEntryContaining(".INI", out, name));
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(name, "");
}

TEST(SkinReader, SplitsNameTextAtCrLfCrAndLf) {
  TSkinReader reader;
  ASSERT_TRUE(reader.LoadContainer(RawContainer(20000, "A\rB\nC\r\nD\r\n", {1, 1, 1, 1}, "abcd")));
  EXPECT_EQ(reader.Names(), (std::vector<std::string>{"a", "b", "c", "d"}));
  Bytes out;
  reader.ExtractEntry("d", out);
  EXPECT_EQ(Text(out), "d");

  ASSERT_TRUE(reader.LoadContainer(RawContainer(20000, "x\r\n\r\ny", {1, 0, 1}, "xy")));
  EXPECT_EQ(reader.Names(), (std::vector<std::string>{"x", "", "y"}));
  ASSERT_TRUE(reader.LoadContainer(RawContainer(20000, "", {}, "")));
  EXPECT_EQ(reader.Count(), 0);
}

TEST(SkinReader, RefusesAnOlderFormat) {
  TSkinReader reader;
  EXPECT_FALSE(reader.LoadContainer(RawContainer(10000, "a\r\n", {1}, "a")));
  EXPECT_EQ(reader.Status(), TSkinLoadStatus::OldFormat);
  EXPECT_EQ(reader.ErrorText(), "This is Older Skin File\rPlease update to new version !");
  EXPECT_EQ(reader.Count(), 0);
}

// Every field that points into the container is checked before use.
TEST(SkinReader, RefusesContainersWhoseFieldsRunOutside) {
  const std::vector<Bytes> bad = {
      Bytes{0x20, 0x4E, 0, 0},                            // shorter than the header
      RawContainer(20000, "a\r\n", {1}, "a", -5),         // negative name-text length
      RawContainer(20000, "a\r\n", {1}, "a", 1000),       // name text past the end
      RawContainer(20000, "a\r\nb\r\n", {1}, ""),         // size table cut short
      RawContainer(20000, "a\r\nb\r\n", {1, 2}, "ab"),    // sizes past the body store
      RawContainer(20000, "a\r\nb\r\n", {3, -1}, "abc"),  // a negative size
      RawContainer(20000, "a\r\n", {INT32_MAX}, "a"),     // an enormous size
  };
  for (std::size_t i = 0; i < bad.size(); ++i) {
    TSkinReader reader;
    EXPECT_FALSE(reader.LoadContainer(bad[i])) << "case " << i;
    EXPECT_EQ(reader.Status(), TSkinLoadStatus::BadPackage) << "case " << i;
  }
}

// The reader's size table has room for 1,001 entries; a container with more is refused.
TEST(SkinReader, HoldsAtMost1001Entries) {
  for (int count : {1001, 1002}) {
    std::string names;
    for (int i = 0; i < count; ++i) {
      names += 'e';
      names += std::to_string(i);
      names += "\r\n";
    }
    TSkinReader reader;
    const bool loaded = reader.LoadContainer(
        RawContainer(20000, names, std::vector<std::int32_t>(std::size_t(count), 0), ""));
    EXPECT_EQ(loaded, count == 1001);
  }
}

TEST(SkinReader, RefusesOversizedAndShortBlocks) {
  TSkinReader reader;
  Bytes block;
  skintest::PutLE(block, kMaxUncompressedSize + 1, 4);
  EXPECT_FALSE(reader.Load(block));
  EXPECT_EQ(reader.Status(), TSkinLoadStatus::BadBlock);
  EXPECT_FALSE(reader.Load(Bytes{1, 0}));
  EXPECT_EQ(reader.Status(), TSkinLoadStatus::BadBlock);
  // Garbage decodes to garbage, which the container check rejects.
  Bytes garbage;
  skintest::PutLE(garbage, 5000, 4);
  for (int i = 0; i < 100; ++i) garbage.push_back(static_cast<std::uint8_t>(i * 37));
  EXPECT_FALSE(reader.Load(garbage));
  EXPECT_NE(reader.Status(), TSkinLoadStatus::Ok);
}

TEST(SkinReader, BitmapEntryNameTakesTheFileNamePartOfBmpValues) {
  EXPECT_EQ(BitmapEntryName("FrameTop.bmp"), "FrameTop.bmp");
  EXPECT_EQ(BitmapEntryName("MySkin\\FrameTop.bmp"), "FrameTop.bmp");
  EXPECT_EQ(BitmapEntryName("C:\\skins\\a\\btn.bmp"), "btn.bmp");
  EXPECT_EQ(BitmapEntryName("D:btn.bmp"), "btn.bmp");
  EXPECT_EQ(BitmapEntryName("a.b.bmp"), "a.b.bmp");
  EXPECT_EQ(BitmapEntryName("btn.BMP"), "");  // the extension is compared case-sensitively
  EXPECT_EQ(BitmapEntryName("title.tga"), "");
  EXPECT_EQ(BitmapEntryName("bmp"), "");
  EXPECT_EQ(BitmapEntryName("folder\\"), "");
  EXPECT_EQ(BitmapEntryName(""), "");
  EXPECT_EQ(BitmapEntryName("x.bmp\\y"), "");
}

TEST(SkinReader, ExtractsTheBitmapThatAnIniValueNames) {
  TSkinReader reader;
  ASSERT_TRUE(reader.LoadContainer(
      skinpack::BuildContainer({{"frametop.bmp", AsBytes("BMx")}, {"title.tga", AsBytes("TGA")}})));
  EXPECT_EQ(Text(ExtractBitmapEntry(reader, "Skin\\FrameTop.bmp")), "BMx");
  EXPECT_TRUE(ExtractBitmapEntry(reader, "title.tga").empty());
  EXPECT_TRUE(ExtractBitmapEntry(reader, "FrameTop.BMP").empty());
  EXPECT_TRUE(ExtractBitmapEntry(reader, "other.bmp").empty());
}

}  // namespace
