#pragma once
// Numbers in console lines: decimals as in the output, offsets as eight
// upper-case hexadecimal digits.
#include <cstdint>
#include <string>

namespace zav {

// Eight upper-case hexadecimal digits with leading zeros, no prefix (more
// digits only when the value needs them).
inline std::string Hex8(uint64_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  do {
    text.insert(text.begin(), kDigits[value & 15]);
    value >>= 4;
  } while (value != 0);
  if (text.size() < 8) text.insert(0, 8 - text.size(), '0');
  return text;
}

}  // namespace zav
