#include "ase/format_float.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace zav {
namespace {

struct FloatCase {
  double value;
  const char* text;
};

class FormatFloatTable : public ::testing::TestWithParam<FloatCase> {};

TEST_P(FormatFloatTable, WritesFourDecimals) {
  EXPECT_EQ(FormatFloat(GetParam().value), GetParam().text) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FormatFloatTable,
    ::testing::Values(FloatCase{0.0, "0.0000"}, FloatCase{1.0, "1.0000"}, FloatCase{-0.5, "-0.5000"},
                      FloatCase{static_cast<float>(123.456), "123.4560"}, FloatCase{0.1, "0.1000"},
                      FloatCase{0.00001, "0.0000"}, FloatCase{-0.00001, "-0.0000"}, FloatCase{25.0, "25.0000"},
                      FloatCase{0.03125, "0.0313"}, FloatCase{-0.03125, "-0.0313"}, FloatCase{0.28125, "0.2813"},
                      // 17 significant digits first, then the four decimals.
                      FloatCase{0.00035, "0.0004"}, FloatCase{0.00015, "0.0001"}, FloatCase{2.00005, "2.0000"},
                      FloatCase{-0.0, "-0.0000"}, FloatCase{0.99995, "1.0000"}, FloatCase{9.99995, "10.0000"},
                      FloatCase{-9999.99995, "-9999.9999"}, FloatCase{1.5708f, "1.5708"},
                      FloatCase{static_cast<float>(0.7071068), "0.7071"}, FloatCase{1e10, "10000000000.0000"},
                      FloatCase{123456789012345678.0, "123456789012345680.0000"},
                      FloatCase{1e35, "99999999999999997000000000000000000.0000"},
                      FloatCase{4.9e-324, "0.0000"}, FloatCase{-13.0 / 256, "-0.0508"},
                      // Not finite: written as zero (the export reports how many).
                      FloatCase{std::numeric_limits<double>::infinity(), "0.0000"},
                      FloatCase{-std::numeric_limits<double>::infinity(), "0.0000"},
                      FloatCase{std::numeric_limits<double>::quiet_NaN(), "0.0000"}));

// The rule spelled out on decimal text, independent of the fast paths.
std::string Reference(double value) {
  char sci[64];
  auto end = std::to_chars(sci, sci + sizeof sci, std::fabs(value), std::chars_format::scientific, 16).ptr;
  std::string text(sci, end);
  const size_t e = text.find('e');
  const int exponent = std::stoi(text.substr(e + 1));
  std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
  // digits[i] is the digit of 10^(exponent - i); build the integer of value * 10^5.
  std::string scaled;
  for (int power = std::max(exponent, 0); power >= -5; --power) {
    const int index = exponent - power;
    scaled.push_back(index >= 0 && index < 17 ? digits[static_cast<size_t>(index)] : '0');
  }
  const bool up = scaled.back() >= '5';
  scaled.pop_back();
  if (up) {
    int i = static_cast<int>(scaled.size()) - 1;
    while (i >= 0 && scaled[static_cast<size_t>(i)] == '9') scaled[static_cast<size_t>(i--)] = '0';
    if (i < 0) scaled.insert(scaled.begin(), '1');
    else ++scaled[static_cast<size_t>(i)];
  }
  scaled.erase(0, std::min(scaled.find_first_not_of('0'), scaled.size() - 5));
  return std::string(std::signbit(value) ? "-" : "") + scaled.substr(0, scaled.size() - 4) + "." +
         scaled.substr(scaled.size() - 4);
}

TEST(FormatFloat, AgreesWithTheDecimalRuleOnManyValues) {
  std::mt19937_64 random(12345);
  std::uniform_int_distribution<int32_t> fixed(-(1 << 30), 1 << 30);
  std::uniform_real_distribution<float> unit(-2.0f, 2.0f);
  std::uniform_int_distribution<int> tie(0, 99999);
  for (int i = 0; i < 200000; ++i) {
    const double fixedPoint = static_cast<float>(fixed(random) * 0.00390625);
    const double single = unit(random);
    const double nearTie = (tie(random) + 0.5) / 10000.0;  // just off or on a tie
    for (double value : {fixedPoint, single, nearTie, -nearTie, single * 1000}) {
      ASSERT_EQ(FormatFloat(value), Reference(value)) << value;
    }
  }
}

}  // namespace
}  // namespace zav
