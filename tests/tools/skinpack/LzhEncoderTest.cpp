#include <gtest/gtest.h>

#include <random>

#include "LzhEncoder.h"
#include "TestFiles.h"
#include "skin/model/LZH.h"

using skintest::Bytes;

namespace {

Bytes RoundTrip(const Bytes& data) { return skin::DecompressBlock(skinpack::CompressBlock(data)); }

// The test blocks come from the reference encoder: ours must expand to the same bytes and
// be no larger.
TEST(LzhEncoder, NoLargerThanTheReferenceBlocks) {
  for (const char* name : {"empty", "hello", "css", "spaces"}) {
    const std::string base = skintest::TestDataPath(std::string("lzhuf/") + name);
    const Bytes input = skintest::ReadFile(base + ".bin");
    const Bytes reference = skintest::ReadFile(base + ".lzh");
    const Bytes ours = skinpack::CompressBlock(input);
    EXPECT_LE(ours.size(), reference.size()) << name;
    EXPECT_TRUE(skin::DecompressBlock(ours) == input) << name;
    EXPECT_EQ(skin::ReadLE32(ours.data()), input.size()) << name;
  }
}

TEST(LzhEncoder, RoundTripsAwkwardInputs) {
  std::mt19937 random(11);
  std::vector<std::pair<std::string, Bytes>> inputs;
  Bytes noise(100000);
  for (auto& b : noise) b = static_cast<std::uint8_t>(random());
  inputs.emplace_back("noise", noise);
  inputs.emplace_back("zeros", Bytes(300000, 0));    // long matches and many tree rebuilds
  inputs.emplace_back("spaces", Bytes(10000, ' '));  // matches into the initial spaces
  for (std::size_t n : {1u, 2u, 3u, 59u, 60u, 61u, 4095u, 4096u, 4097u}) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>("abcab"[i % 5]);
    inputs.emplace_back("cycle" + std::to_string(n), b);
  }
  Bytes farRepeat(4096 + 500);  // a repeat exactly one window back
  for (std::size_t i = 0; i < 4096; ++i) farRepeat[i] = static_cast<std::uint8_t>(random());
  std::copy(farRepeat.begin(), farRepeat.begin() + 500, farRepeat.begin() + 4096);
  inputs.emplace_back("far repeat", farRepeat);
  Bytes skewed;  // very uneven symbol counts drive the tree deep
  for (int i = 0; i < 200000; ++i)
    skewed.push_back(static_cast<std::uint8_t>(random() % 97 == 0 ? random() : 'a' + random() % 2));
  inputs.emplace_back("skewed", skewed);

  for (const auto& [what, data] : inputs) {
    EXPECT_TRUE(RoundTrip(data) == data) << what;
  }
}

TEST(LzhEncoder, CompressesRepetitiveData) {
  EXPECT_LT(skinpack::CompressBlock(Bytes(300000, 0)).size(), 300000u / 20);
}

}  // namespace
