#pragma once
// 24.8 fixed point as a number: the integer in units of 1/256, converted to
// floating point, multiplied by 1/256 and held in single precision.
#include <cstdint>

namespace zav {

inline constexpr float kFixedUnit = 0.00390625f;  // 1/256

// The integer is rounded once to single precision; the scaling by a power of
// two is exact, so the result is raw / 256 correctly rounded.
inline float FixedToFloat(int64_t raw) { return static_cast<float>(raw) * kFixedUnit; }

}  // namespace zav
