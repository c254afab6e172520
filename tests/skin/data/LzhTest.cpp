#include <gtest/gtest.h>

#include <random>

#include "ClassicLzhuf.h"
#include "LzhEncoder.h"
#include "TestFiles.h"
#include "skin/model/LZH.h"
#include "skin/model/LzhTree.h"

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
  EXPECT_TRUE(lzhuf_classic::DecodeBlock(block) == expected) << name;
}

INSTANTIATE_TEST_SUITE_P(Blocks, LzhTestData,
                         testing::Values("empty", "hello", "css", "spaces", "css-cut"),
                         [](const auto& info) {
                           std::string n = info.param;
                           for (char& c : n)
                             if (c == '-') c = '_';
                           return n;
                         });

// Whole blocks use their bit stream to the last byte; a cut block uses all it has.
TEST(Lzh, UsesTheBitStreamExactly) {
  for (const char* name : {"hello", "css", "spaces", "css-cut"}) {
    const Bytes block =
        skintest::ReadFile(skintest::TestDataPath(std::string("lzhuf/") + name + ".lzh"));
    TLZH lzh(std::span<const std::uint8_t>(block).subspan(4));
    lzh.Decode(ReadLE32(block.data()));
    EXPECT_EQ(lzh.InputUsed(), block.size() - 4) << name;
  }
}

TEST(Lzh, SizeZeroWritesNothingAndReadsNothing) {
  const Bytes stream = {0xFF, 0x12, 0x34};
  TLZH lzh(stream);
  EXPECT_TRUE(lzh.Decode(0).empty());
  EXPECT_EQ(lzh.InputUsed(), 0u);
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

// Writes a bit stream symbol by symbol, evolving the tree as the decoder will.
class StreamWriter {
 public:
  explicit StreamWriter(std::uint32_t size) {
    skintest::PutLE(block_, size, 4);
    tree_.Start();
  }
  void Literal(std::uint8_t c) { Symbol(c); }
  // A match of 3..60 bytes starting distance 1..4096 bytes back.
  void Match(int length, int distance) {
    Symbol(length + 253);
    const int position = distance - 1;
    int lead = 0;
    while (lzh::PosHigh[lead] != position >> 6) ++lead;
    const int prefix = lzh::PosLen[lead];
    Put(static_cast<std::uint32_t>(lead >> (8 - prefix)), prefix);
    Put(static_cast<std::uint32_t>(position & 0x3F), 6);
  }
  Bytes Finish() {
    if (used_ > 0) Put(0, 8 - used_);
    return block_;
  }

 private:
  void Symbol(int c) {
    std::uint32_t code = 0;
    int length = 0;
    for (int k = tree_.Parent[c + lzh::T]; k != lzh::R; k = tree_.Parent[k])
      code |= std::uint32_t(k & 1) << length++;
    Put(code, length);
    tree_.Update(c);
  }
  void Put(std::uint32_t bits, int count) {
    while (count-- > 0) {
      acc_ = static_cast<std::uint8_t>(acc_ << 1 | ((bits >> count) & 1));
      if (++used_ == 8) {
        block_.push_back(acc_);
        acc_ = 0;
        used_ = 0;
      }
    }
  }
  Bytes block_;
  lzh::THuffTree tree_;
  std::uint8_t acc_ = 0;
  int used_ = 0;
};

// Before anything is written, the window holds 4,036 spaces, and the 60 positions above them
// hold zeros: a match that reaches back that far yields zero bytes, as in the classic decoder.
TEST(Lzh, TheUnwrittenWindowReadsAsZerosBeforeTheSpaces) {
  StreamWriter w(8);
  w.Match(4, 4038);  // two unwritten positions, then two spaces
  w.Match(4, 4096);  // the full window back: from the position now being written
  const Bytes block = w.Finish();
  const Bytes expected = {0, 0, ' ', ' ', 0, 0, 0, 0};
  EXPECT_TRUE(DecompressBlock(block) == expected);
  EXPECT_TRUE(lzhuf_classic::DecodeBlock(block) == expected);
}

TEST(Lzh, CopiesTheFinalMatchWholePastTheSize) {
  StreamWriter w(2);
  w.Literal('a');
  w.Match(60, 1);
  const Bytes out = DecompressBlock(w.Finish());
  EXPECT_EQ(out, Bytes(61, 'a'));
}

// Matches of every length at short distances overlap their own output; far ones do not.
TEST(Lzh, OverlappingAndFarMatchesMatchTheClassicDecoder) {
  std::mt19937 random(5);
  StreamWriter w(0);
  std::uint32_t size = 0;
  for (int i = 0; i < 5000; ++i) {
    w.Literal(static_cast<std::uint8_t>(random()));
    const int length = 3 + static_cast<int>(random() % 58);
    const int distance = i % 3 == 0 ? 1 + static_cast<int>(random() % 8)
                                    : 1 + static_cast<int>(random() % 4096);
    w.Match(length, distance);
    size += 1 + static_cast<std::uint32_t>(length);
  }
  Bytes block = w.Finish();
  skintest::PokeLE32(block, 0, size);
  const Bytes ours = DecompressBlock(block);
  EXPECT_EQ(ours.size(), size);
  EXPECT_TRUE(ours == lzhuf_classic::DecodeBlock(block));
}

// Arbitrary bit streams reach every path of the decoder: long and short matches, positions
// into the initial window, tree rebuilds, and zero bits past the end.
TEST(Lzh, RandomStreamsMatchTheClassicDecoder) {
  std::mt19937 random(3);
  for (int round = 0; round < 60; ++round) {
    const std::uint32_t size = random() % (round < 30 ? 5000 : 200000);
    Bytes block;
    skintest::PutLE(block, size, 4);
    const std::size_t inputLength = random() % (size / 2 + 10);
    for (std::size_t i = 0; i < inputLength; ++i)
      block.push_back(static_cast<std::uint8_t>(random()));
    EXPECT_TRUE(DecompressBlock(block) == lzhuf_classic::DecodeBlock(block))
        << "round " << round << ", size " << size << ", input " << inputLength;
  }
}

// Blocks made by the encoder from data with long runs, short repeats and uneven symbol
// counts (which drive many tree rebuilds) decode to their input in both decoders.
TEST(Lzh, EncodedBlocksMatchTheClassicDecoder) {
  std::mt19937 random(9);
  std::vector<Bytes> inputs;
  Bytes runs;
  while (runs.size() < 300000) runs.insert(runs.end(), 1 + random() % 5000, std::uint8_t(random()));
  inputs.push_back(runs);
  Bytes pattern;
  for (int i = 0; i < 100000; ++i) pattern.push_back(static_cast<std::uint8_t>("abcabd"[i % 6]));
  inputs.push_back(pattern);
  Bytes skewed;
  for (int i = 0; i < 200000; ++i)
    skewed.push_back(static_cast<std::uint8_t>(random() % 97 == 0 ? random() : 'a' + random() % 3));
  inputs.push_back(skewed);
  inputs.push_back(Bytes(5000, ' '));
  for (const Bytes& input : inputs) {
    const Bytes block = skinpack::CompressBlock(input);
    EXPECT_TRUE(DecompressBlock(block) == input);
    EXPECT_TRUE(lzhuf_classic::DecodeBlock(block) == input);
  }
}

}  // namespace
