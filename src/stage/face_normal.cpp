#include "stage/face_normal.h"

#include <cmath>

namespace zav {

IntNormal FaceNormal(const IntPoint& a, const IntPoint& b, const IntPoint& c) {
  // Differences of 32-bit values need 33 bits and their products 66, so the
  // edges are taken in 64 bits, and the cross product in double only where
  // 64-bit products would not hold it. Corners taken from 24.8 positions
  // (24 bits once shifted) keep every step exact.
  std::array<int64_t, 3> u{}, w{};
  for (size_t k = 0; k < 3; ++k) {
    u[k] = static_cast<int64_t>(b[k]) - a[k];
    w[k] = static_cast<int64_t>(c[k]) - a[k];
  }
  constexpr int64_t kExactEdge = int64_t{1} << 31;  // |edge| below this: products fit in 63 bits
  bool exact = true;
  for (size_t k = 0; k < 3; ++k) exact = exact && u[k] > -kExactEdge && u[k] < kExactEdge && w[k] > -kExactEdge &&
                                         w[k] < kExactEdge;
  std::array<double, 3> n{};
  if (exact) {
    n[0] = static_cast<double>(u[1] * w[2] - u[2] * w[1]);
    n[1] = static_cast<double>(u[2] * w[0] - u[0] * w[2]);
    n[2] = static_cast<double>(u[0] * w[1] - u[1] * w[0]);
  } else {
    auto d = [](int64_t v) { return static_cast<double>(v); };
    n[0] = d(u[1]) * d(w[2]) - d(u[2]) * d(w[1]);
    n[1] = d(u[2]) * d(w[0]) - d(u[0]) * d(w[2]);
    n[2] = d(u[0]) * d(w[1]) - d(u[1]) * d(w[0]);
  }
  // The squares are exact in double while each component stays below 2^26,
  // which covers every cross product whose squared length fits in 31 bits.
  const double q = n[0] * n[0] + n[1] * n[1] + n[2] * n[2];
  if (!(q > 0) || !std::isfinite(q)) return IntNormal{};
  const double r = 1.0 / std::sqrt(q);
  IntNormal normal{};
  for (size_t k = 0; k < 3; ++k) {
    // |n.k| <= sqrt(q), so the scaled value stays within 32767 (up to rounding).
    normal[k] = static_cast<int32_t>(n[k] * r * 32767);
  }
  return normal;
}

}  // namespace zav
