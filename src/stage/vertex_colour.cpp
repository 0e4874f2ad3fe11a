#include "stage/vertex_colour.h"

#include <cmath>

namespace zav {

int64_t ShadeLevel(const std::array<int64_t, 3>& normalSum, int64_t cornerCount, const ShadeParameters& shade) {
  // A vertex used by no face keeps the zero normal.
  std::array<int64_t, 3> normal{};
  if (cornerCount > 0) {
    for (size_t k = 0; k < 3; ++k) normal[k] = normalSum[k] / cornerCount;
  }
  // Each averaged component is at most 32767 in size, so s needs 48 bits.
  int64_t s = 0;
  for (size_t k = 0; k < 3; ++k) s += normal[k] * shade.vector[k];
  const int64_t quotient = shade.divisor != 0 ? (s >> 8) / shade.divisor : 0;
  return quotient + shade.base - 1;
}

double ColourLevel(int64_t shadeLevel, uint16_t storedLevel) {
  if (shadeLevel <= storedLevel) return 1.0;
  const double part = static_cast<double>(storedLevel) / static_cast<double>(shadeLevel);
  return std::floor(65536 * part + 0.5) / 65536;
}

double CorrectColourLevel(double level, int64_t cornerCount) {
  const double m = static_cast<double>(cornerCount) + 1;
  return std::fabs(level * m - 1) / (m - 1);
}

}  // namespace zav
