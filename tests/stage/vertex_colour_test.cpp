#include "stage/vertex_colour.h"

#include <gtest/gtest.h>

#include <climits>

namespace zav {
namespace {

TEST(ShadeLevel, AveragedNormalAgainstTheShadeVector) {
  // N = (300, -600, 9) / 3 = (100, -200, 3); s = 100*512 + -200*256 + 3*0 = 0.
  EXPECT_EQ(ShadeLevel({300, -600, 9}, 3, {1, 10, {512, 256, 0}}), 9);
  // N = (10, 0, 0) (truncated from 31 / 3); s = 10 * 2560 = 25600; s >> 8 = 100;
  // 100 / -3 = -33 (toward zero); b = -33 + 5 - 1.
  EXPECT_EQ(ShadeLevel({31, 0, 0}, 3, {-3, 5, {2560, 0, 0}}), -29);
  // s = -1: s >> 8 is -1 (toward minus infinity), -1 / 2 = 0.
  EXPECT_EQ(ShadeLevel({-1, 0, 0}, 1, {2, 0, {1, 0, 0}}), -1);
  // s = -257: s >> 8 = -2, / 1 = -2.
  EXPECT_EQ(ShadeLevel({-257, 0, 0}, 1, {1, 0, {1, 0, 0}}), -3);
}

TEST(ShadeLevel, VertexWithoutCornersHasTheZeroNormal) {
  EXPECT_EQ(ShadeLevel({0, 0, 0}, 0, {7, 42, {1 << 20, 1 << 20, 1 << 20}}), 41);
}

TEST(ShadeLevel, DivisorZeroLeavesOutTheQuotient) {
  EXPECT_EQ(ShadeLevel({32767, 32767, 32767}, 1, {0, 10, {1 << 20, 0, 0}}), 9);
}

// Products beyond 32 bits are exact, and a quotient by -1 does not trap.
TEST(ShadeLevel, ExactBeyondThirtyTwoBits) {
  const int64_t s = int64_t{32767} * INT32_MIN + int64_t{-32767} * INT32_MAX;
  EXPECT_EQ(ShadeLevel({32767, -32767, 0}, 1, {-1, INT32_MAX, {INT32_MIN, INT32_MAX, 0}}),
            -(s >> 8) + INT32_MAX - 1);
  EXPECT_EQ(ShadeLevel({0, 0, 0}, 1, {1, INT32_MIN, {}}), int64_t{INT32_MIN} - 1);
}

TEST(ColourLevel, FullWhenTheShadeLevelDoesNotExceedIt) {
  EXPECT_EQ(ColourLevel(300, 300), 1.0);
  EXPECT_EQ(ColourLevel(0, 0), 1.0);
  EXPECT_EQ(ColourLevel(-5, 0), 1.0);
  EXPECT_EQ(ColourLevel(65535, 65535), 1.0);
}

TEST(ColourLevel, PartRoundedToA65536th) {
  EXPECT_EQ(ColourLevel(400, 300), 0.75);
  EXPECT_EQ(ColourLevel(400, 100), 0.25);
  EXPECT_EQ(ColourLevel(1, 0), 0.0);
  // 65536 / 3 = 21845.33 rounds down, 2 * 65536 / 3 = 43690.67 rounds up.
  EXPECT_EQ(ColourLevel(3, 1), 21845.0 / 65536);
  EXPECT_EQ(ColourLevel(3, 2), 43691.0 / 65536);
  EXPECT_EQ(ColourLevel(int64_t{1} << 40, 65535), 0.0);
}

TEST(CorrectColourLevel, ByTheNumberOfCorners) {
  EXPECT_EQ(CorrectColourLevel(0.75, 1), 0.5);
  EXPECT_EQ(CorrectColourLevel(0.5, 1), 0.0);
  EXPECT_EQ(CorrectColourLevel(0.25, 1), 0.5);
  EXPECT_EQ(CorrectColourLevel(1.0, 1), 1.0);
  EXPECT_EQ(CorrectColourLevel(1.0, 7), 1.0);
  EXPECT_EQ(CorrectColourLevel(0.0, 3), 1.0 / 3);  // m = 4: |0 * 4 - 1| / 3
}

}  // namespace
}  // namespace zav
