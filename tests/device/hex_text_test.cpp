// Hexadecimal texts: the register display form, the fixed-width word form, the reading of an
// entered code and the entry check with its messages.
#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

#include "dac.h"
#include "hex_text.h"

namespace {

TEST(FormatHex, DisplayFormOfRegisterTexts) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"7", "0007"},          {"ab", "00AB"},     {"abc", "0ABC"},    {"1234", "1234"},
      {"1234ABCD", "ABCD"},   {"12345", "12345"}, {"0FFFF", "0FFFF"}, {"FFFFE000", "E000"},
      {"1234567", "1234567"}, {"", ""},
  };
  for (const Case& c : cases) {
    std::string text = c.in;
    EXPECT_EQ(FormatHex(text), c.out) << c.in;
    EXPECT_EQ(text, c.out) << "stored back for " << c.in;
  }
}

TEST(RegisterText, DisplayFormOfValues) {
  struct Case {
    int32_t value;
    const char* text;
  };
  const Case cases[] = {
      {0, "0000"},      {7, "0007"},        {0xABC, "0ABC"},
      {0xFFFF, "FFFF"}, {0x17FFE, "17FFE"}, {-8192, "E000"},
      {-32768, "8000"}, {-1, "FFFF"},       {0x1234567, "1234567"},
  };
  for (const Case& c : cases) EXPECT_EQ(RegisterText(c.value), c.text) << c.value;
  EXPECT_EQ(HexDigits(-8192), "FFFFE000");
  EXPECT_EQ(HexDigits(0xabc), "ABC");
  EXPECT_EQ(RegisterText(DAC{}.DACregValue()), "0000") << "an empty DACreg";
}

TEST(NumberToHex, FixedWidthUpperCase) {
  struct Case {
    int32_t number;
    int16_t length;
    const char* text;
  };
  const Case cases[] = {
      {4096, 6, "001000"},     {0, 6, "000000"},
      {0xFFFFFF, 6, "FFFFFF"}, {0x0D0002, 6, "0D0002"},
      {0xF, 1, "F"},           {std::numeric_limits<int32_t>::max(), 8, "7FFFFFFF"},
  };
  for (const Case& c : cases) EXPECT_EQ(NumberToHex(c.number, c.length), c.text) << c.text;
}

TEST(NumberToHex, RefusesNumbersOutsideTheWidth) {
  struct Case {
    int32_t number;
    int16_t length;
  };
  const Case cases[] = {{-1, 6}, {0x1000000, 6}, {16, 1}, {0, 0}, {1, 0}, {1, 9}, {1, -1}};
  for (const Case& c : cases) {
    EXPECT_THROW(NumberToHex(c.number, c.length), std::out_of_range)
        << c.number << " in " << c.length;
  }
}

TEST(HexTextToNumber, HexConversionRule) {
  struct Case {
    const char* text;
    std::optional<int32_t> value;
  };
  const Case cases[] = {
      {"", std::nullopt},
      {"123456789", std::nullopt},
      {"000000000", std::nullopt},
      {"g", std::nullopt},
      {" 1", std::nullopt},
      {"1 ", std::nullopt},
      {"-1", std::nullopt},
      {"&H1", std::nullopt},
      {"0", 0},
      {"abc", 0xABC},
      {"3fFf", 0x3FFF},
      {"0000FFFF", 0xFFFF},
      {"7FFFFFFF", std::numeric_limits<int32_t>::max()},
      {"FFFF1234", static_cast<int32_t>(0xFFFF1234u)},
      {"80000000", std::numeric_limits<int32_t>::min()},
  };
  for (const Case& c : cases) EXPECT_EQ(HexTextToNumber(c.text), c.value) << '"' << c.text << '"';
  EXPECT_LT(*HexTextToNumber("FFFF1234"), 0);
}

struct CheckCase {
  const char* text;
  int16_t bits;
  CheckVerdict::Kind kind;
  int32_t value;
  const char* message;
  const char* title;
};

class CheckTextTest : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckTextTest, VerdictAndMessage) {
  const CheckCase& c = GetParam();
  const CheckVerdict verdict = CheckText(c.text, c.bits);
  EXPECT_EQ(verdict.kind, c.kind);
  EXPECT_EQ(verdict.refused(), c.kind != CheckVerdict::Accepted);
  EXPECT_EQ(verdict.text, c.message);
  EXPECT_EQ(verdict.title, c.title);
  if (!verdict.refused()) {
    EXPECT_EQ(verdict.value, c.value);
  }
}

constexpr auto kOk = CheckVerdict::Accepted;
constexpr auto kNaN = CheckVerdict::InvalidNumber;
constexpr auto kBig = CheckVerdict::ExceedsBitLength;

INSTANTIATE_TEST_SUITE_P(
    Entries, CheckTextTest,
    testing::Values(
        CheckCase{"", 16, kNaN, 0, "Invalid Number", "Invalid Number"},
        CheckCase{"xyz", 16, kNaN, 0, "Invalid Number", "Invalid Number"},
        CheckCase{"123456789", 24, kNaN, 0, "Invalid Number", "Invalid Number"},
        CheckCase{"FFFF", 16, kOk, 0xFFFF, "", ""}, CheckCase{"0000FFFF", 16, kOk, 0xFFFF, "", ""},
        CheckCase{"0FFFF", 16, kOk, 0xFFFF, "", ""}, CheckCase{"0", 16, kOk, 0, "", ""},
        CheckCase{"10000", 16, kBig, 0, "Number exceeds the bit length (16)", "Invalid Text"},
        CheckCase{"12345", 16, kBig, 0, "Number exceeds the bit length (16)", "Invalid Text"},
        CheckCase{"FFFF1234", 16, kBig, 0, "Number exceeds the bit length (16)", "Invalid Text"},
        CheckCase{"3fff", 14, kOk, 0x3FFF, "", ""},
        CheckCase{"4000", 14, kBig, 0, "Number exceeds the bit length (14)", "Invalid Text"},
        CheckCase{"FFFFFF", 24, kOk, 0xFFFFFF, "", ""},
        CheckCase{"1000000", 24, kBig, 0, "Number exceeds the bit length (24)", "Invalid Text"},
        CheckCase{"7FFFFFFF", 31, kOk, 0x7FFFFFFF, "", ""},
        CheckCase{"80000000", 31, kBig, 0, "Number exceeds the bit length (31)", "Invalid Text"}));

}  // namespace
