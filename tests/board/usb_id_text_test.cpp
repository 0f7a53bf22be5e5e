// The board's USB IDs as typed on the command line, and the IDs configured through CMake.

#include "usb_id_text.h"

#include <gtest/gtest.h>

#include "case_name.h"

namespace {

struct IdTextCase {
  const char* name;
  const char* text;
  std::optional<BoardUsbIds> ids;
  const char* errorPart;  // a piece of the error text when refused
};

class UsbIdTextParse : public testing::TestWithParam<IdTextCase> {};

TEST_P(UsbIdTextParse, GivesBothPairsOrSaysWhatIsWrong) {
  const IdTextCase& c = GetParam();
  const UsbIdTextResult result = ParseUsbIdText(c.text);
  EXPECT_EQ(result.ids, c.ids);
  if (c.ids) {
    EXPECT_EQ(result.error, "");
  } else {
    EXPECT_NE(result.error.find(c.errorPart), std::string::npos) << result.error;
    EXPECT_NE(result.error.find("VID:PID"), std::string::npos) << result.error;
  }
}

constexpr UsbId kA{0xfff0, 0x0820};
constexpr UsbId kB{0xfff0, 0x0821};

INSTANTIATE_TEST_SUITE_P(
    Texts, UsbIdTextParse,
    testing::Values(IdTextCase{"OnePairStandsForBoth", "fff0:0820", BoardUsbIds{kA, kA}, ""},
                    IdTextCase{"TwoPairs", "FFF0:0820,fff0:821", BoardUsbIds{kA, kB}, ""},
                    IdTextCase{"ShortNumbers", "1:2", BoardUsbIds{{1, 2}, {1, 2}}, ""},
                    IdTextCase{"Empty", "", std::nullopt, "no USB ID"},
                    IdTextCase{"NoColon", "fff00820", std::nullopt, "no ':'"},
                    IdTextCase{"EmptyProduct", "fff0:", std::nullopt, "1 to 4 hexadecimal"},
                    IdTextCase{"FiveDigits", "fff00:0820", std::nullopt, "1 to 4 hexadecimal"},
                    IdTextCase{"NotHex", "fff0:08g0", std::nullopt, "1 to 4 hexadecimal"},
                    IdTextCase{"HexPrefix", "0xff:0820", std::nullopt, "1 to 4 hexadecimal"},
                    IdTextCase{"Blank", "fff0: 0820", std::nullopt, "1 to 4 hexadecimal"},
                    IdTextCase{"SecondPairBad", "fff0:0820,fff0", std::nullopt, "\"fff0\""},
                    IdTextCase{"TrailingComma", "fff0:0820,", std::nullopt, "no ':'"},
                    IdTextCase{"ThreePairs", "1:2,3:4,5:6", std::nullopt, "more than two"}),
    CaseName());

TEST(UsbIdText, IsLowerCaseHexAsLsusbShowsIt) {
  EXPECT_EQ(UsbIdText({0xABCD, 0x12}), "abcd:0012");
}

// The generated header and the udev rule come from the same CMake cache variables as this
// test's definitions.
TEST(ConfiguredUsbIds, AreTheCMakeCacheValues) {
  const UsbIdTextResult before = ParseUsbIdText(DAC_EVAL_USB_ID);
  const UsbIdTextResult after = ParseUsbIdText(DAC_EVAL_USB_FIRMWARE_ID);
  ASSERT_TRUE(before.ids && after.ids);
  EXPECT_EQ(ConfiguredUsbIds(), (BoardUsbIds{before.ids->beforeLoad, after.ids->beforeLoad}));
  EXPECT_STREQ(UdevRuleFileName(), "60-dac-eval.rules");
}

}  // namespace
