#include <gtest/gtest.h>

#include <random>

#include "TestFiles.h"
#include "skin/data/LZH.h"

using namespace skin;
using skintest::Bytes;

namespace {

class LzhTestData : public testing::TestWithParam<const char*> {};

// The blocks come from an independent LZHUF encoder; decoding them byte for byte is the
// compatibility contract. css-cut ends after 3,000 bytes: the decoder reads zero bits from
// there on, still stops, and copies its final match whole, past the size field.
TEST_P(LzhTestData, DecodesToTheExactBytes) {
  const std::string name = GetParam();
  const Bytes block = skintest::ReadFile(skintest::TestDataPath("lzhuf/" + name + ".lzh"));
  const Bytes expected = skintest::ReadFile(skintest::TestDataPath("lzhuf/" + name + ".bin"));
  const Bytes decoded = DecompressBlock(block);
  EXPECT_EQ(decoded.size(), expected.size());
  EXPECT_TRUE(decoded == expected) << name << " differs from its expected bytes";
}

INSTANTIATE_TEST_SUITE_P(Blocks, LzhTestData,
                         testing::Values("empty", "hello", "css", "spaces", "css-cut"),
                         [](const auto& info) {
                           std::string n = info.param;
                           for (char& c : n)
                             if (c == '-') c = '_';
                           return n;
                         });

class CountingReader : public TByteReader {
 public:
  explicit CountingReader(const Bytes& data) : inner_(data) {}
  int ReadByte() override {
    ++reads_;
    return inner_.ReadByte();
  }
  int reads_ = 0;

 private:
  TMemoryReader inner_;
};

TEST(Lzh, SizeZeroWritesNothingAndReadsNothing) {
  const Bytes stream = {0xFF, 0x12, 0x34};
  CountingReader reader(stream);
  Bytes out;
  TMemoryWriter writer(out);
  TLZH(reader, writer).Decode(0);
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(reader.reads_, 0);
}

// Random bytes are a damaged stream: the decoder must stop after the declared size (plus at
// most the rest of one match), however much input it runs past.
TEST(Lzh, DamagedStreamsEndAfterTheDeclaredSize) {
  std::mt19937 random(7);
  for (std::uint32_t size : {1u, 100u, 5000u, 70000u}) {
    for (std::size_t inputLength : {0u, 3u, 200u}) {
      Bytes block;
      skintest::PutLE(block, size, 4);
      for (std::size_t i = 0; i < inputLength; ++i)
        block.push_back(static_cast<std::uint8_t>(random()));
      const Bytes out = DecompressBlock(block);
      EXPECT_GE(out.size(), size);
      EXPECT_LT(out.size(), size + 60) << "size " << size << ", input " << inputLength;
    }
  }
}

TEST(Lzh, RefusesUntrustedSizesAndShortBlocks) {
  Bytes huge;
  skintest::PutLE(huge, kMaxUncompressedSize + 1, 4);
  EXPECT_THROW(DecompressBlock(huge), ElzhException);
  Bytes atLimit;
  skintest::PutLE(atLimit, 1000, 4);
  EXPECT_THROW(DecompressBlock(atLimit, 999), ElzhException);
  EXPECT_GE(DecompressBlock(atLimit, 1000).size(), 1000u);
  EXPECT_THROW(DecompressBlock(Bytes{0, 0, 0}), ElzhException);
}

TEST(Lzh, WriteErrorsPassThroughUnchanged) {
  struct FailingWriter : TByteWriter {
    int left = 10;
    void WriteByte(std::uint8_t) override {
      if (--left < 0) throw std::ios_base::failure("disk full");
    }
  } writer;
  const Bytes block = skintest::ReadFile(skintest::TestDataPath("lzhuf/hello.lzh"));
  TMemoryReader reader(std::span<const std::uint8_t>(block).subspan(4));
  EXPECT_THROW(TLZH(reader, writer).Decode(93), std::ios_base::failure);
}

}  // namespace
