#pragma once
// The colour of a stage vertex: its stored colour levels weighed against the
// shade level of its smoothed normal, and the correction by the number of
// face corners that use it.
#include <array>
#include <cstdint>

namespace zav {

struct ShadeParameters {
  int32_t divisor = 0;                 // shadeDivisor
  int32_t base = 0;                    // shadeBase
  std::array<int32_t, 3> vector{};     // shadeVector
};

// The shade level b of a vertex whose normal sum over `cornerCount` face
// corners is `normalSum`: the averaged normal N weighed against the shade
// vector, s = N . vector, then b = (s >> 8) / divisor + base - 1. Exact in 64
// bits; a divisor of 0 contributes no quotient term.
int64_t ShadeLevel(const std::array<int64_t, 3>& normalSum, int64_t cornerCount, const ShadeParameters& shade);

// One colour level of a vertex: 1.0 when the shade level does not exceed the
// stored level, otherwise the stored level as a part of the shade level,
// rounded to 1/65536.
double ColourLevel(int64_t shadeLevel, uint16_t storedLevel);

// A colour level of a vertex used by `cornerCount` (at least 1) face corners:
// |c * m - 1| / (m - 1) with m = cornerCount + 1.
double CorrectColourLevel(double level, int64_t cornerCount);

}  // namespace zav
