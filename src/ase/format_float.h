#pragma once
// The one text form of a floating value in the output: fixed notation with
// exactly four decimals. The magnitude is first taken to 17 significant
// digits and that decimal form is then rounded to four decimals, half away
// from zero; a negative value (negative zero included) keeps its minus sign
// even when it rounds to zero. A value that is not finite is written 0.0000.
#include <cstddef>
#include <string>

namespace zav {

// Enough room for the longest text: a sign, 309 integer digits, the point and
// four decimals.
inline constexpr size_t kFormatFloatCapacity = 320;

// Writes the text of `value` into `out` (at least kFormatFloatCapacity bytes)
// and returns its length.
size_t FormatFloatTo(double value, char* out);

std::string FormatFloat(double value);

}  // namespace zav
