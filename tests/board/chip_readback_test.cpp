// The simulated chip answers a readback from the register its readback select names, in the bit
// positions of the write, with the power-on codes of registers never written; a power cycle takes
// it back to them.

#include <gtest/gtest.h>

#include <vector>

#include "board_link.h"
#include "case_name.h"
#include "catalogue.h"
#include "command_word.h"
#include "readback_select.h"
#include "simulated_board.h"
#include "stale_reply.h"

namespace {

struct ReadCase {
  const char* name;
  const char* model;
  std::vector<int32_t> words;  // sent before the select
  ReadbackItem item;
  int dac;
  int32_t returned;  // the 16 bits, byte 1 * 256 + byte 0 of the reply
};

// ZR820: 16 bits, 40 channels, power-on code 5554, offset DACs 1555; ZR821 the same with 14 bits
// and power-on code 1555; ZR810 has the GPIO pin.
class ChipReadback : public testing::TestWithParam<ReadCase> {};

TEST_P(ChipReadback, ReturnsTheSelectedRegister) {
  const ReadCase& c = GetParam();
  SimulatedBoard board;
  board.setChipModel(*FindPart(c.model));
  BoardLink link{board};
  LeaveStaleReply(link, board, {0x55, 0x55, 0x55});
  for (const int32_t word : c.words) link.SPIwrite(word);
  link.SPIwrite(ReadbackSelectWord(ReadbackSelectData(c.item, c.dac)));
  EXPECT_EQ(link.SPIread(), c.returned);
  EXPECT_EQ(link.readBuffer()[2], 0);
}

INSTANTIATE_TEST_SUITE_P(
    Registers, ChipReadback,
    testing::Values(
        ReadCase{"X1AWritten", "ZR820", {0xC91234}, ReadbackItem::X1A, 1, 0x1234},
        ReadCase{"X1APowerOn", "ZR820", {}, ReadbackItem::X1A, 5, 0x5554},
        ReadCase{"X1BThroughRouteB", "ZR820", {0x010004, 0xCA4321}, ReadbackItem::X1B, 2, 0x4321},
        ReadCase{"X1BNotX1A", "ZR820", {0xCA4321}, ReadbackItem::X1B, 2, 0x5554},
        ReadCase{"GainPowerOn", "ZR820", {}, ReadbackItem::M, 39, 0xFFFF},
        ReadCase{"GainWritten", "ZR820", {0x6F00FF}, ReadbackItem::M, 39, 0x00FF},
        ReadCase{"OffsetPowerOn", "ZR820", {}, ReadbackItem::C, 0, 0x8000},
        ReadCase{"OtherChannelUntouched", "ZR820", {0x880001}, ReadbackItem::C, 1, 0x8000},
        ReadCase{"FourteenBitInBits15To2", "ZR821", {0xC8FFFC}, ReadbackItem::X1A, 0, 0xFFFC},
        ReadCase{"FourteenBitGainPowerOn", "ZR821", {}, ReadbackItem::M, 3, 0xFFFC},
        ReadCase{"FourteenBitOffsetPowerOn", "ZR821", {}, ReadbackItem::C, 3, 0x8000},
        ReadCase{"Control", "ZR820", {0x010004}, ReadbackItem::Control, 0, 0x0004},
        ReadCase{"OffsetDacPowerOnZR810", "ZR810", {}, ReadbackItem::OffsetDac1, 0, 0x2000},
        ReadCase{"OffsetDacPowerOnZR821", "ZR821", {}, ReadbackItem::OffsetDac2, 0, 0x1555},
        ReadCase{"OffsetDacWritten", "ZR820", {0x040ABC}, ReadbackItem::OffsetDac2, 0, 0x0ABC},
        ReadCase{"ABSelectGroup3", "ZR820", {0x0900A5}, ReadbackItem::ABSelect3, 0, 0x00A5},
        ReadCase{"ABSelectOtherGroup", "ZR820", {0x0900A5}, ReadbackItem::ABSelect2, 0, 0x0000},
        ReadCase{"GpioOutputHigh", "ZR810", {0x0D0003}, ReadbackItem::Gpio, 0, 0x0001}),
    CaseName());

TEST(ChipPowerCycle, LosesEveryRegisterButKeepsTheLines) {
  SimulatedBoard board;
  board.setChipModel(*FindPart("ZR820"));
  BoardLink link{board};
  for (const int32_t word : {0xC91234, 0x6F00FF, 0x010004, 0x040ABC, 0x0900A5}) link.SPIwrite(word);
  link.LineRequest(Request::LdacLow);
  link.LineRequest(Request::LdacPulse);
  SimulatedBoard fresh;
  fresh.setChipModel(*FindPart("ZR820"));

  board.powerCycle();

  SimulatedChip expected = fresh.chip();
  expected.ldacLineLow = true;
  expected.ldacPulses = 1;
  EXPECT_EQ(board.chip(), expected);
  link.SPIwrite(ReadbackSelectWord(ReadbackSelectData(ReadbackItem::X1A, 1)));
  EXPECT_EQ(link.SPIread(), 0x5554);
}

}  // namespace
