#pragma once
// The unit normal of a triangle, scaled to 32767.
#include <array>
#include <cstdint>

namespace zav {

using IntPoint = std::array<int32_t, 3>;
using IntNormal = std::array<int32_t, 3>;

// The normal of triangle A, B, C: the cross product of B - A and C - A,
// divided by its length and scaled to 32767, each component truncated
// toward zero. The cross product is exact for any 32-bit corners; a
// triangle whose cross product is zero (two equal corners, three corners on
// one line) has the zero normal.
IntNormal FaceNormal(const IntPoint& a, const IntPoint& b, const IntPoint& c);

}  // namespace zav
