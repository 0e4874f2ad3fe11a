#include "stage/face_normal.h"

#include <gtest/gtest.h>

#include <climits>

namespace zav {
namespace {

struct NormalCase {
  IntPoint a, b, c;
  IntNormal normal;
};

TEST(FaceNormal, UnitNormalScaledTo32767) {
  const NormalCase cases[] = {
      {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 32767}},
      {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, {0, 0, -32767}},
      // n = (0, -1, 1), r = 1 / sqrt(2): 32767 / sqrt(2) = 23169.77, truncated.
      {{0, 0, 0}, {1, 0, 0}, {0, 1, 1}, {0, -23169, 23169}},
      // n = (2, -2, 1), |n| = 3.
      {{10, 20, 30}, {11, 21, 30}, {10, 21, 32}, {21844, -21844, 10922}},
      // The largest corners 24.8 positions give: exact in 64 bits.
      {{-(1 << 23), -(1 << 23), 0}, {(1 << 23) - 1, -(1 << 23), 0}, {-(1 << 23), (1 << 23) - 1, 0}, {0, 0, 32767}},
      // Corners spanning the whole 32-bit range stay sane.
      {{INT32_MIN, INT32_MIN, 5}, {INT32_MAX, INT32_MIN, 5}, {INT32_MIN, INT32_MAX, 5}, {0, 0, 32767}},
      {{INT32_MIN, 0, INT32_MAX}, {INT32_MAX, 0, INT32_MIN}, {0, INT32_MAX, 0}, {23169, 0, 23169}},
  };
  for (const NormalCase& c : cases) {
    EXPECT_EQ(FaceNormal(c.a, c.b, c.c), c.normal) << c.a[0] << " " << c.b[0] << " " << c.c[0];
  }
}

// Two equal corners or three corners on one line: the zero normal.
TEST(FaceNormal, DegenerateTriangleHasTheZeroNormal) {
  EXPECT_EQ(FaceNormal({1, 2, 3}, {1, 2, 3}, {4, 5, 6}), (IntNormal{0, 0, 0}));
  EXPECT_EQ(FaceNormal({0, 0, 0}, {1, 1, 1}, {2, 2, 2}), (IntNormal{0, 0, 0}));
  EXPECT_EQ(FaceNormal({INT32_MIN, 0, 0}, {INT32_MAX, 0, 0}, {0, 0, 0}), (IntNormal{0, 0, 0}));
}

}  // namespace
}  // namespace zav
