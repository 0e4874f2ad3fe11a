#pragma once
// The axis and angle form of a rotation quaternion, as the node transform and
// the rotation samples write it.
#include <array>

namespace zav {

struct AxisAngle {
  std::array<float, 3> axis;
  float angle;  // radians
};

// h = arccos(w) and s = sin(h), each held in single precision; the axis is
// (x, y, z) / s, or zero when s is exactly 0; the angle is h + h. A w outside
// [-1, 1] is clamped to it (no rotation, or a half turn); a w that is not a
// number stays so.
AxisAngle QuaternionToAxisAngle(float x, float y, float z, float w);

}  // namespace zav
