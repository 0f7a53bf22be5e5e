// The gain and offset correction of updateX2.
#include <gtest/gtest.h>

#include <limits>

#include "hex_text.h"
#include "transfer_function.h"

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

struct CorrectionCase {
  const char* name;
  int32_t x1;
  int32_t m;
  int32_t c;
  int16_t n;
  int32_t x2;
  const char* shown;  // register display of X2
};

class CorrectedCodeTest : public testing::TestWithParam<CorrectionCase> {};

TEST_P(CorrectedCodeTest, ValueAndDisplay) {
  const CorrectionCase& c = GetParam();
  const std::optional<int32_t> x2 = CorrectedCode(c.x1, c.m, c.c, c.n);
  ASSERT_TRUE(x2.has_value());
  EXPECT_EQ(*x2, c.x2);
  EXPECT_EQ(RegisterText(*x2), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Corrections, CorrectedCodeTest,
    testing::Values(
        // M = 7FFF halves X1: 0.5 and 2.5 round down to even, 1.5 up to even.
        CorrectionCase{"HalfRoundsToEvenZero", 1, 0x7FFF, 0x8000, 16, 0, "0000"},
        CorrectionCase{"OneAndAHalfRoundsToTwo", 3, 0x7FFF, 0x8000, 16, 2, "0002"},
        CorrectionCase{"TwoAndAHalfRoundsToTwo", 5, 0x7FFF, 0x8000, 16, 2, "0002"},
        CorrectionCase{"MinusHalfRoundsToZero", -1, 0x7FFF, 0x8000, 16, 0, "0000"},
        CorrectionCase{"MinusOneAndAHalfRoundsToMinusTwo", -3, 0x7FFF, 0x8000, 16, -2, "FFFE"},
        CorrectionCase{"AllFullScaleExceedsTheRange", 0xFFFF, 0xFFFF, 0xFFFF, 16, 0x17FFE, "17FFE"},
        CorrectionCase{"AllZero16Bit", 0, 0, 0, 16, -32768, "8000"},
        CorrectionCase{"AllZero14Bit", 0, 0, 0, 14, -8192, "E000"},
        CorrectionCase{"IdentityAtReset16Bit", 0x1234, 0xFFFF, 0x8000, 16, 0x1234, "1234"},
        CorrectionCase{"IdentityAtReset14Bit", 0x3FFF, 0x3FFF, 0x2000, 14, 0x3FFF, "3FFF"},
        CorrectionCase{"OffsetShifts14Bit", 0x1000, 0x3FFF, 0x2100, 14, 0x1100, "1100"},
        CorrectionCase{"HalfGain14Bit", 0x1001, 0x1FFF, 0x2000, 14, 0x800, "0800"},
        // M + 1 must not wrap to INT32_MIN: (2^31 / 2^16) x 1 = 32768.
        CorrectionCase{"LargestGainDoesNotWrap", 1, kMax, 0x8000, 16, 32768, "8000"},
        CorrectionCase{"AboveTheRangeClamps", kMax, kMax, 0x8000, 16, kMax, "FFFF"},
        CorrectionCase{"BelowTheRangeClamps", kMin, kMax, 0x8000, 16, kMin, "0000"}),
    [](const testing::TestParamInfo<CorrectionCase>& row) { return row.param.name; });

TEST(CorrectedCode, OnlySixteenAndFourteenBits) {
  for (int16_t n : {int16_t{0}, int16_t{8}, int16_t{12}, int16_t{15}, int16_t{24}}) {
    EXPECT_EQ(CorrectedCode(0x1234, 0xFFFF, 0x8000, n), std::nullopt) << n;
  }
}

}  // namespace
