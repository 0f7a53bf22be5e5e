// Reference-voltage texts: the Enter normalisation and its two halves, and the whole-text
// reading that the output voltages use.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "reference_text.h"

namespace {

TEST(NormalizeReferenceText, EnterExamples) {
  struct Case {
    const char* typed;
    const char* shown;
  };
  const Case cases[] = {
      {"2.50", "2.5"},
      {"5V", "5"},
      {"1e3", "1000"},
      {"abc", "0"},
      {"", "0"},
      {" - 2 . 5", "-2.5"},
      {"\t3\r\n.3", "3.3"},
      {"&H10", "16"},
      {"&h1f", "31"},
      {"&O17", "15"},
      {"&o8", "0"},
      {"1.23456789012345678", "1.23456789012346"},
      {"+4.", "4"},
      {".5", "0.5"},
      {"-.25", "-0.25"},
      {"-0", "0"},
      {"-", "0"},
      {"2.5.3", "2.5"},
      {"1e", "1"},
      {"1e+", "1"},
      {"1E-2", "0.01"},
      {"1.5d2", "150"},
      {"1.5D-2x", "0.015"},
      {"e5", "0"},
      {"000123.4500", "123.45"},
  };
  for (const Case& c : cases) EXPECT_EQ(NormalizeReferenceText(c.typed), c.shown) << c.typed;
}

TEST(ReadReferenceNumber, HexAndOctalAreSixteenOrThirtyTwoBitPatterns) {
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {
      {"&HFFFF", -1.0},
      {"&H0FFFF", -1.0},
      {"&H8000", -32768.0},
      {"&H7FFF", 32767.0},
      {"&H10000", 65536.0},
      {"&HFFFFFFFF", -1.0},
      {"&H80000000", -2147483648.0},
      {"&H7FFFFFFF", 2147483647.0},
      {"&H123456789", 305419896.0},  // a ninth significant digit cannot continue the number
      {"&O177777", -1.0},
      {"&O200000", 65536.0},
      {"&H", 0.0},
      {"&Hxyz", 0.0},
      {"& H10", 16.0},
      {"&17", 0.0},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadReferenceNumber(c.text), c.value) << c.text;
}

TEST(ReadReferenceNumber, StaysFiniteBeyondTheDoubleRange) {
  constexpr double kLargest = std::numeric_limits<double>::max();
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {
      {"1e309", kLargest},
      {"-1e309", -kLargest},
      {"1e99999999999999999999", kLargest},
      {"0.01e311", kLargest},
      {"1e-400", 0.0},
      {"-1e-99999999999999999999", 0.0},
      {"1000e-310", 1e-307},
      {"1.7976931348623157e308", kLargest},
      {"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
      {"0e999999", 0.0},
  };
  for (const Case& c : cases) {
    const double value = ReadReferenceNumber(c.text);
    EXPECT_TRUE(std::isfinite(value)) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
  }
}

TEST(ShortestDecimal, FifteenSignificantDigitsPlainOrScientific) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {0.0, "0"},
      {-0.0, "0"},
      {2.5, "2.5"},
      {-2.5, "-2.5"},
      {1000.0, "1000"},
      {0.1, "0.1"},
      {1.0 / 3.0, "0.333333333333333"},
      {2.0 / 3.0, "0.666666666666667"},
      {123456789012345.0, "123456789012345"},
      {999999999999999.0, "999999999999999"},
      {9999999999999999.0, "1E+16"},
      {1e15, "1E+15"},
      {1.5e15, "1.5E+15"},
      {0.00001, "0.00001"},
      {0.0000123, "0.0000123"},
      {0.000001, "1E-06"},
      {1.5e-7, "1.5E-07"},
      {-1.5e-7, "-1.5E-07"},
      {1e100, "1E+100"},
      {std::numeric_limits<double>::max(), "1.79769313486232E+308"},
      {0.1 + 0.2, "0.3"},
      {99999.99999999999, "100000"},
  };
  for (const Case& c : cases) EXPECT_EQ(ShortestDecimal(c.value), c.text) << c.value;
}

TEST(ParseReferenceVoltage, WholeTextAsDecimalNumber) {
  struct Case {
    const char* text;
    std::optional<double> value;
  };
  const Case cases[] = {
      {"3", 3.0},
      {"2.50", 2.5},
      {" 5 ", 5.0},
      {"\t-1.25\n", -1.25},
      {"25e-1", 2.5},
      {".5", 0.5},
      {"4.", 4.0},
      {"+5", 5.0},
      {"+-5", std::nullopt},
      {"+", std::nullopt},
      {"++5", std::nullopt},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"abc", std::nullopt},
      {"5V", std::nullopt},
      {"2,5", std::nullopt},
      {"2 .5", std::nullopt},
      {"&H10", std::nullopt},
      {"1e999", std::nullopt},
      {"inf", std::nullopt},
      {"nan", std::nullopt},
      {"0x10", std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ParseReferenceVoltage(c.text), c.value) << '"' << c.text << '"';
}

}  // namespace
