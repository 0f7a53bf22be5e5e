// Validation of firmware images in Intel HEX form.

#include <gtest/gtest.h>

#include <string>

#include "case_name.h"
#include "simulated_board.h"

namespace {

struct HexCase {
  const char* name;
  std::string text;
  bool valid;
};

class IntelHexValidation : public testing::TestWithParam<HexCase> {};

TEST_P(IntelHexValidation, AcceptsOnlyWellFormedImages) {
  EXPECT_EQ(IsValidIntelHex(GetParam().text), GetParam().valid);
}

const std::string kData = ":10010000214601360121470136007EFE09D2190140\n";
const std::string kEnd = ":00000001FF";

INSTANTIATE_TEST_SUITE_P(
    Images, IntelHexValidation,
    testing::Values(
        HexCase{"Good", kData + kEnd + "\n", true},
        HexCase{"GoodWithoutFinalLineEnd", kData + kEnd, true},
        HexCase{"GoodCrLf", ":10010000214601360121470136007EFE09D2190140\r\n:00000001FF\r\n", true},
        HexCase{"GoodLowerCaseDigits", ":10010000214601360121470136007efe09d2190140\n" + kEnd,
                true},
        HexCase{"GoodAllAddressRecords",
                ":020000021200EA\n:0400000300003800C1\n:020000040800F2\n:04000005000000CD2A\n" +
                    kData + kEnd,
                true},
        HexCase{"EndRecordOnly", kEnd + "\n", true}, HexCase{"Empty", "", false},
        HexCase{"BadChecksum", ":10010000214601360121470136007EFE09D2190141\n" + kEnd, false},
        HexCase{"MissingEndRecord", kData, false},
        HexCase{"OddDigitCount", ":10010000214601360121470136007EFE09D219014\n" + kEnd, false},
        HexCase{"DataAfterEndRecord", kEnd + "\n" + kData, false},
        HexCase{"TwoEndRecords", kEnd + "\n" + kEnd + "\n", false},
        HexCase{"TwoBlankTrailingLines", kData + kEnd + "\n\n", false},
        HexCase{"BlankLineInside", kData + "\n" + kEnd, false},
        HexCase{"MissingColon", "10010000214601360121470136007EFE09D2190140\n" + kEnd, false},
        HexCase{"NonHexDigit", ":10010000214601360121470136007EFG09D2190140\n" + kEnd, false},
        HexCase{"CountTooLarge", ":11010000214601360121470136007EFE09D219013F\n" + kEnd, false},
        HexCase{"TooShortRecord", ":00000001\n" + kEnd, false},
        HexCase{"RecordType06", ":00000006FA\n" + kEnd, false},
        HexCase{"EndRecordWithData", kData + ":01000001AA54", false},
        HexCase{"ShortExtendedAddress", ":0100000412E9\n" + kEnd, false},
        HexCase{"TrailingSpace", kData + kEnd + " \n", false}),
    CaseName());

}  // namespace
