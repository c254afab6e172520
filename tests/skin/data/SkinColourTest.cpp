#include <gtest/gtest.h>

#include "skin/model/SkinColour.h"

using skin::ReadColourValue;
using skin::RGBColour;

namespace {

constexpr skin::TColour kDefault = 0x00ABCDEF;

TEST(SkinColour, ReadsRedGreenBlue) {
  EXPECT_EQ(ReadColourValue("59 97 131", kDefault), RGBColour(59, 97, 131));
  EXPECT_EQ(ReadColourValue("  1,2;3  ", kDefault), RGBColour(1, 2, 3));
  EXPECT_EQ(ReadColourValue("255 255 255", kDefault), 0x00FFFFFFu);
  EXPECT_EQ(ReadColourValue("", kDefault), kDefault);
}

TEST(SkinColour, OddNumbersOfComponents) {
  EXPECT_EQ(ReadColourValue("10 20", kDefault), RGBColour(10, 0, 0));  // the last only as blue
  EXPECT_EQ(ReadColourValue("10", kDefault), RGBColour(0, 0, 0));
  EXPECT_EQ(ReadColourValue("10 ", kDefault), RGBColour(0, 0, 0));  // trimmed first
  EXPECT_EQ(ReadColourValue("1 2 3 4 5", kDefault), RGBColour(1, 2, 3));
  EXPECT_EQ(ReadColourValue("1 2 3 4", kDefault), RGBColour(1, 2, 3));
  EXPECT_EQ(ReadColourValue("none", kDefault), RGBColour(0, 0, 0));
  EXPECT_EQ(ReadColourValue("-5 x7", kDefault), RGBColour(5, 0, 0));
}

TEST(SkinColour, ComponentsWrapAtTwoHundredFiftySix) {
  EXPECT_EQ(ReadColourValue("256 257 511", kDefault), RGBColour(0, 1, 255));
  EXPECT_EQ(ReadColourValue("2147483647 0 0", kDefault), RGBColour(255, 0, 0));
}

// A number that does not fit 32 bits is not stored and swallows the digits that follow.
TEST(SkinColour, TooLargeNumbersSwallowTheRest) {
  EXPECT_EQ(ReadColourValue("2147483648 5 6", kDefault), RGBColour(0, 0, 0));
  EXPECT_EQ(ReadColourValue("7 99999999999 6 5", kDefault), RGBColour(7, 0, 0));
  EXPECT_EQ(ReadColourValue("7 8 99999999999", kDefault), RGBColour(7, 8, 0));
}

}  // namespace
