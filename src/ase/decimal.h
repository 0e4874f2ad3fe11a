#pragma once
// Decimal digits of unsigned integers, two at a time: the one routine that
// turns an integer into text for the text sink and for FormatFloat.
#include <cstdint>
#include <cstring>

namespace zav {

// "00" to "99": the two digits of n at 2n.
inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the two digits of `value` (below 100) at `at`.
inline void WriteTwoDigits(char* at, unsigned value) { std::memcpy(at, kDigitPairs + 2 * value, 2); }

// Writes the digits of `value` so that they end just before `end`; returns
// where they start. Room for 20 digits must lie before `end`.
inline char* WriteDigitsBackward(char* end, uint64_t value) {
  while (value >= 100) {
    const unsigned pair = static_cast<unsigned>(value % 100) * 2;
    value /= 100;
    end -= 2;
    std::memcpy(end, kDigitPairs + pair, 2);
  }
  if (value >= 10) {
    end -= 2;
    WriteTwoDigits(end, static_cast<unsigned>(value));
  } else {
    *--end = static_cast<char>('0' + value);
  }
  return end;
}

}  // namespace zav
