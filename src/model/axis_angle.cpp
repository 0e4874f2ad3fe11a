#include "model/axis_angle.h"

#include <cmath>

namespace zav {

AxisAngle QuaternionToAxisAngle(float x, float y, float z, float w) {
  double clamped = static_cast<double>(w);
  if (clamped > 1.0) clamped = 1.0;
  if (clamped < -1.0) clamped = -1.0;
  const float h = static_cast<float>(std::acos(clamped));
  const float s = static_cast<float>(std::sin(static_cast<double>(h)));
  AxisAngle result{{0.0f, 0.0f, 0.0f}, h + h};
  if (s != 0.0f) result.axis = {x / s, y / s, z / s};
  return result;
}

}  // namespace zav
