#include "ase/format_float.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "ase/decimal.h"

namespace zav {

namespace {

// Writes "<integer>.<four decimals>" for a value already scaled by 10^4 and
// rounded; returns the number of characters written.
size_t WriteScaled(uint64_t scaled, char* out) {
  // Built backwards from the middle of the buffer, then copied with a fixed
  // size: at most 25 characters, and `out` has room for far more.
  char text[64];
  char* end = text + 32;
  const unsigned decimals = static_cast<unsigned>(scaled % 10000);
  WriteTwoDigits(end - 4, decimals / 100);
  WriteTwoDigits(end - 2, decimals % 100);
  end[-5] = '.';
  const char* start = WriteDigitsBackward(end - 5, scaled / 10000);
  std::memcpy(out, start, 32);
  return static_cast<size_t>(end - start);
}

// The exact path for magnitudes below 10^10: the magnitude is N / 2^k, so
// magnitude * 10^4 splits exactly into an integer part and a remainder. When
// that remainder is not close to one half, taking the value to 17
// significant digits first (which moves it by far less than 0.002 of the
// fourth decimal at this size) cannot change the rounding. Returns false when
// the value is too close to a tie or too large; the general path decides.
bool TryFormatExact(double magnitude, char* out, size_t& length) {
  if (!(magnitude < 1e10)) return false;
  uint64_t bits;
  std::memcpy(&bits, &magnitude, sizeof bits);
  const int biased = static_cast<int>(bits >> 52);  // the sign bit is clear
  if (biased == 0) {
    if (bits != 0) return false;  // subnormal: the general path writes it
    length = WriteScaled(0, out);
    return true;
  }
  uint64_t n = (bits & ((uint64_t{1} << 52) - 1)) | (uint64_t{1} << 52);
  int k = 1075 - biased;  // magnitude = n / 2^k, and k > 0 below 2^52
  const int zeros = __builtin_ctzll(n);
  if (zeros >= k) {
    length = WriteScaled((n >> k) * 10000, out);
    return true;
  }
  n >>= zeros;
  k -= zeros;
  if (k > 100) return false;  // below 2^-47: the general path handles it
  uint64_t integer;
  bool up;
  if (n < (uint64_t{1} << 50) && k < 64) {
    // Values read from single-precision and fixed-point fields land here:
    // n * 10^4 fits in 64 bits.
    const uint64_t scaled = n * 10000u;
    const uint64_t half = uint64_t{1} << (k - 1);
    const uint64_t remainder = scaled & ((half << 1) - 1);
    const uint64_t distance = remainder > half ? remainder - half : half - remainder;
    if (distance <= (half >> 8)) return false;
    integer = scaled >> k;
    up = remainder > half;
  } else {
    const unsigned __int128 scaled = static_cast<unsigned __int128>(n) * 10000u;
    const unsigned __int128 one = static_cast<unsigned __int128>(1) << k;
    const unsigned __int128 half = one >> 1;
    const unsigned __int128 remainder = scaled & (one - 1);
    const unsigned __int128 distance = remainder > half ? remainder - half : half - remainder;
    if (distance <= (one >> 9)) return false;
    integer = static_cast<uint64_t>(scaled >> k);
    up = remainder > half;
  }
  length = WriteScaled(integer + (up ? 1 : 0), out);
  return true;
}

// The general path: the 17 significant digits of the magnitude, then
// rounding of that decimal form to four decimals, half away from zero.
size_t FormatGeneral(double magnitude, char* out) {
  char sci[40];
  const auto result = std::to_chars(sci, sci + sizeof sci, magnitude, std::chars_format::scientific, 16);
  // sci holds d.dddddddddddddddde[+-]XX
  char digits[17];
  digits[0] = sci[0];
  std::memcpy(digits + 1, sci + 2, 16);
  const char* exponentText = sci + 19;  // after the 'e'
  int exponent = 0;
  std::from_chars(exponentText + (exponentText[0] == '+' ? 1 : 0), result.ptr, exponent);

  // Fixed digits: position p holds the digit of 10^(exponent - p).
  // The integer part has max(exponent + 1, 1) digits; four decimals follow,
  // and one more digit decides the rounding.
  const int integerDigits = exponent >= 0 ? exponent + 1 : 1;
  const int total = integerDigits + 5;
  char fixed[kFormatFloatCapacity];
  for (int i = 0; i < total; ++i) {
    const int power = integerDigits - 1 - i;  // 10^power for this position
    const int index = exponent - power;       // index into the 17 digits
    fixed[i] = (index >= 0 && index < 17) ? digits[index] : '0';
  }
  const bool roundUp = fixed[total - 1] >= '5';
  int used = total - 1;  // drop the deciding digit
  if (roundUp) {
    int i = used - 1;
    while (i >= 0 && fixed[i] == '9') {
      fixed[i] = '0';
      --i;
    }
    if (i >= 0) {
      ++fixed[i];
    } else {
      std::memmove(fixed + 1, fixed, static_cast<size_t>(used));
      fixed[0] = '1';
      ++used;
    }
  }
  const int integerLength = used - 4;
  std::memcpy(out, fixed, static_cast<size_t>(integerLength));
  out[integerLength] = '.';
  std::memcpy(out + integerLength + 1, fixed + integerLength, 4);
  return static_cast<size_t>(used + 1);
}

}  // namespace

size_t FormatFloatTo(double value, char* out) {
  if (!std::isfinite(value)) {
    std::memcpy(out, "0.0000", 6);
    return 6;
  }
  size_t length = 0;
  char* text = out;
  *text = '-';  // kept only for a negative value; no branch on the sign
  text += std::signbit(value) ? 1 : 0;
  const double magnitude = std::fabs(value);
  if (!TryFormatExact(magnitude, text, length)) length = FormatGeneral(magnitude, text);
  return static_cast<size_t>(text - out) + length;
}

std::string FormatFloat(double value) {
  char buffer[kFormatFloatCapacity];
  return std::string(buffer, FormatFloatTo(value, buffer));
}

}  // namespace zav
