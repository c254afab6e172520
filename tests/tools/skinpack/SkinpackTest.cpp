#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>
#include <sstream>

#include "FileIo.h"
#include "LzhEncoder.h"
#include "SkinPackage.h"
#include "Skinpack.h"
#include "TestFiles.h"
#include "skin/model/SkinReader.h"

namespace fs = std::filesystem;
using skintest::AsBytes;
using skintest::Bytes;

namespace {

class Skinpack : public testing::Test {
 protected:
  void SetUp() override {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    root_ = fs::temp_directory_path() / (std::string("skinpack-") + info->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "skin");
  }
  void TearDown() override { fs::remove_all(root_); }

  int Run(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    return skinpack::RunSkinpack(args, out_, err_);
  }
  std::string P(const std::string& relative) const { return (root_ / relative).string(); }
  void Write(const std::string& relative, const Bytes& bytes) {
    skinpack::WriteWholeFile(root_ / relative, bytes);
  }

  fs::path root_;
  std::ostringstream out_, err_;
};

Bytes SampleBitmap(int seed) {
  return skintest::MakeBmp24(17 + seed, 9, [seed](int x, int y) {
    return std::uint32_t((x * 40 + seed) << 16 | (y * 25) << 8 | ((x + y) & 1 ? 0xFF : 0));
  });
}

TEST_F(Skinpack, PackThenUnpackReproducesEveryFile) {
  const std::map<std::string, Bytes> files = {
      {"FrameTop.bmp", SampleBitmap(0)},
      {"button.bmp", SampleBitmap(3)},
      {"Skin.ini", AsBytes("[Form]\r\nFrameTop=FrameTop.bmp\r\n")},
      {"empty.bmp", {}},
      {"Title.tga", AsBytes("not a bitmap")}};
  for (const auto& [name, bytes] : files) Write("skin/" + name, bytes);
  // The list puts the description third.
  Write("skin/entries.lst", AsBytes("# order of the package\r\nFrameTop.bmp\r\nbutton.bmp\r\n"
                                    "Skin.ini\r\n\r\nempty.bmp\r\nTitle.tga\r\n"));
  ASSERT_EQ(Run({"pack", P("skin"), P("skin.pkg")}), 0) << err_.str();
  ASSERT_EQ(Run({"unpack", P("skin.pkg"), P("out")}), 0) << err_.str();
  for (const auto& [name, bytes] : files) {
    EXPECT_TRUE(skinpack::ReadWholeFile(root_ / "out" / name) == bytes) << name;
  }
  EXPECT_EQ(skinpack::ReadWholeFile(root_ / "out" / "entries.lst"),
            AsBytes("FrameTop.bmp\r\nbutton.bmp\r\nSkin.ini\r\nempty.bmp\r\nTitle.tga\r\n"));

  // The engine's reader sees the same package: lower-case names, the description third.
  skin::TSkinReader reader;
  ASSERT_TRUE(reader.Load(skinpack::ReadWholeFile(root_ / "skin.pkg")));
  Bytes entry;
  std::string name;
  ASSERT_TRUE(reader.ExtractEntryContaining(".ini", entry, name));
  EXPECT_EQ(name, "skin.ini");
  EXPECT_EQ(reader.Names()[2], "skin.ini");

  ASSERT_EQ(Run({"list", P("skin.pkg")}), 0) << err_.str();
  const std::string listing = out_.str();
  EXPECT_NE(listing.find("marker 20000"), std::string::npos) << listing;
  EXPECT_NE(listing.find("5 entries"), std::string::npos) << listing;
  EXPECT_NE(listing.find("3\t" + std::to_string(files.at("Skin.ini").size()) + "\tSkin.ini\n"),
            std::string::npos)
      << listing;
  EXPECT_NE(listing.find("4\t0\tempty.bmp\n"), std::string::npos) << listing;
  EXPECT_NE(listing.find("description: entry 3 (Skin.ini)"), std::string::npos) << listing;
}

TEST_F(Skinpack, WithoutAListFilesArePackedInNameOrder) {
  Write("skin/b.bmp", AsBytes("B"));
  Write("skin/a.ini", AsBytes("A"));
  Write("skin/c.bmp", AsBytes("C"));
  ASSERT_EQ(Run({"pack", P("skin"), P("skin.pkg")}), 0) << err_.str();
  skin::TSkinReader reader;
  ASSERT_TRUE(reader.Load(skinpack::ReadWholeFile(root_ / "skin.pkg")));
  EXPECT_EQ(reader.Names(), (std::vector<std::string>{"a.ini", "b.bmp", "c.bmp"}));
}

TEST_F(Skinpack, CompressThenExpandGivesTheInputBack) {
  std::mt19937 random(3);
  Bytes data;
  for (int i = 0; i < 50000; ++i)
    data.push_back(static_cast<std::uint8_t>(random() % 7 ? 'x' : random()));
  Write("data.bin", data);
  ASSERT_EQ(Run({"compress", P("data.bin"), P("data.lzh")}), 0) << err_.str();
  ASSERT_EQ(Run({"expand", P("data.lzh"), P("data.out")}), 0) << err_.str();
  EXPECT_TRUE(skinpack::ReadWholeFile(root_ / "data.out") == data);
  EXPECT_LT(fs::file_size(root_ / "data.lzh"), data.size());
}

// A block cut short still expands; the file gets exactly the declared size.
TEST_F(Skinpack, ExpandWritesTheDeclaredSize) {
  ASSERT_EQ(Run({"expand", skintest::TestDataPath("lzhuf/css-cut.lzh"), P("cut.out")}), 0);
  const Bytes expected = skintest::ReadFile(skintest::TestDataPath("lzhuf/css-cut.bin"));
  EXPECT_TRUE(skinpack::ReadWholeFile(root_ / "cut.out") ==
              Bytes(expected.begin(), expected.begin() + 38220));
}

// check reads the package as the engine does: first section and first key, bitmaps named
// by ".bmp" values, entries compared in lower case.
TEST_F(Skinpack, CheckReportsWhatTheEngineReads) {
  const std::string ini =
      "[Form]\r\nFrameTop=Skin\\Top.BMP.bmp\r\nIcon=title.tga\r\nColor=59 97 131\r\n"
      "FrameTop=ignored.bmp\r\n[Button]\r\nBitmap=missing.bmp\r\nGlyph=broken.bmp\r\n"
      "Empty=empty.bmp\r\n[form]\r\nLate=never.bmp\r\n";
  const Bytes package = skinpack::BuildPackage({{"top.bmp.bmp", SampleBitmap(1)},
                                                {"skin.ini", AsBytes(ini)},
                                                {"broken.bmp", AsBytes("BM but nothing else")},
                                                {"empty.bmp", {}},
                                                {"spare.bmp", SampleBitmap(2)}});
  Write("skin.pkg", package);
  EXPECT_EQ(Run({"check", P("skin.pkg")}), 1) << err_.str();
  const std::string report = out_.str();
  for (const char* line :
       {"description: skin.ini, 3 sections\n", "[Form] FrameTop = Skin\\Top.BMP.bmp: 18 x 9\n",
        "note: [Form] Icon = title.tga: not a .bmp, drawn as empty\n",
        "problem: [Button] Bitmap = missing.bmp: no entry missing.bmp\n",
        "problem: [Button] Glyph = broken.bmp: broken.bmp is not a valid bitmap",
        "problem: [Button] Empty = empty.bmp: entry empty.bmp is empty\n",
        "note: section [form] appears again; only the first is read\n",
        "note: spare.bmp is not named by the description\n", "3 problems\n"}) {
    EXPECT_NE(report.find(line), std::string::npos) << line << "\n" << report;
  }
  EXPECT_EQ(report.find("ignored.bmp"), std::string::npos) << report;
  EXPECT_EQ(report.find("never.bmp"), std::string::npos) << report;

  Write("good.pkg", skinpack::BuildPackage(
                        {{"a.ini", AsBytes("[A]\r\nB=b.bmp\r\n")}, {"b.bmp", SampleBitmap(0)}}));
  EXPECT_EQ(Run({"check", P("good.pkg")}), 0) << out_.str();
  EXPECT_NE(out_.str().find("0 problems"), std::string::npos);
}

TEST_F(Skinpack, BadInputGivesAClearErrorAndANonZeroExit) {
  Write("short.lzh", Bytes{1, 2});
  Bytes huge;
  skintest::PutLE(huge, 0x7FFFFFFF, 4);
  Write("huge.lzh", huge);
  Write("old.pkg",
        skinpack::CompressBlock(AsBytes(std::string("\x10\x27\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 16))));
  Write("evil.pkg", skinpack::BuildPackage({{"../evil.bmp", AsBytes("x")}}));
  Write("skin/a.bmp", AsBytes("1"));
  Write("skin/entries.lst", AsBytes("a.bmp\r\nmissing.bmp\r\n"));

  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"expand", P("short.lzh"), P("x")}, "not a compressed block"},
      {{"expand", P("huge.lzh"), P("x")}, "too large"},
      {{"expand", P("nothing.lzh"), P("x")}, "cannot open"},
      {{"list", P("old.pkg")}, "older format"},
      {{"list", P("short.lzh")}, "not a skin package"},
      {{"check", P("old.pkg")}, "older format"},
      {{"unpack", P("evil.pkg"), P("out")}, "not a plain file name"},
      {{"pack", P("skin"), P("x.pkg")}, "missing.bmp"},
      {{"pack", P("no-such-folder"), P("x.pkg")}, "not a folder"},
  };
  for (const auto& [args, message] : cases) {
    EXPECT_EQ(Run(args), 1) << args[0] << " " << args[1];
    EXPECT_NE(err_.str().find(message), std::string::npos) << err_.str();
  }
  EXPECT_FALSE(fs::exists(root_ / "evil.bmp"));

  Write("skin/entries.lst", AsBytes("a.bmp\r\nA.bmp\r\n"));
  EXPECT_EQ(Run({"pack", P("skin"), P("x.pkg")}), 1);
  EXPECT_NE(err_.str().find("two entries"), std::string::npos) << err_.str();

  EXPECT_EQ(Run({}), 2);
  EXPECT_EQ(Run({"squash", "a", "b"}), 2);
  EXPECT_NE(err_.str().find("usage: skinpack"), std::string::npos);
  EXPECT_EQ(Run({"pack", "only-one"}), 2);
}

}  // namespace
