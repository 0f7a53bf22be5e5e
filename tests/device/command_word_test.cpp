// The 24-bit command words: channel addresses, channel-register words with the 14-bit shift, the
// A/B select words built from a group's records, and the special-function words.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "chip_model.h"
#include "command_word.h"

namespace {

TEST(AddrBits, ChannelIndexPlusEightInTheAddressField) {
  struct Case {
    int16_t index;
    int32_t field;
  };
  const Case cases[] = {
      {0, 0x080000}, {3, 0x0B0000}, {8, 0x100000}, {15, 0x170000}, {39, 0x2F0000}};
  for (const Case& c : cases) {
    const int16_t index = c.index;
    EXPECT_EQ(AddrBits(index), c.field) << c.index;
    EXPECT_EQ(index, c.index) << "the argument is left unchanged";
  }
}

struct ChannelWordCase {
  const char* name;
  int32_t mode;
  int32_t value;
  int16_t dac;
  int16_t bits;
  int32_t word;
};

class ChannelRegisterWordTest : public testing::TestWithParam<ChannelWordCase> {};

TEST_P(ChannelRegisterWordTest, WorkedWord) {
  const ChannelWordCase& c = GetParam();
  EXPECT_EQ(ChannelRegisterWord(c.mode, c.value, c.dac, c.bits), c.word);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedWords, ChannelRegisterWordTest,
    testing::Values(ChannelWordCase{"X1234ToIndex15", Mode::X, 0x1234, 15, 16, 0xD71234},
                    ChannelWordCase{"X3FFFToIndex0On14Bit", Mode::X, 0x3FFF, 0, 14, 0xC8FFFC},
                    ChannelWordCase{"X8000ToIndex9", Mode::X, 0x8000, 9, 16, 0xD18000},
                    ChannelWordCase{"X0ToIndex0On14Bit", Mode::X, 0, 0, 14, 0xC80000},
                    ChannelWordCase{"C8000ToIndex0", Mode::C, 0x8000, 0, 16, 0x888000},
                    ChannelWordCase{"C2000ToIndex8On14Bit", Mode::C, 0x2000, 8, 14, 0x908000},
                    ChannelWordCase{"MFFFFToIndex39", Mode::M, 0xFFFF, 39, 16, 0x6FFFFF},
                    ChannelWordCase{"M3FFFToIndex39On14Bit", Mode::M, 0x3FFF, 39, 14, 0x6FFFFC},
                    ChannelWordCase{"XToIndex3Of8Channels", Mode::X, 0x0001, 3, 16, 0xCB0001}),
    [](const testing::TestParamInfo<ChannelWordCase>& row) { return row.param.name; });

struct ABSelectCase {
  const char* name;
  const char* model;
  std::vector<int> onB;  // records whose ABsel is 1
  int16_t selected;
  int32_t word;
};

class ABSelectWordTest : public testing::TestWithParam<ABSelectCase> {};

TEST_P(ABSelectWordTest, WorkedWord) {
  const ABSelectCase& c = GetParam();
  ChipModel chip;
  chip.ApplySetup(*FindPart(c.model));
  for (int record : c.onB) chip.DACs[static_cast<size_t>(record)].setABsel(1);
  EXPECT_EQ(ABSelectWord(chip, c.selected), c.word);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedWords, ABSelectWordTest,
    testing::Values(
        ABSelectCase{"Group4AllOnB", "ZR820", {32, 33, 34, 35, 36, 37, 38, 39}, 36, 0x0A00FF},
        ABSelectCase{"Channel9OnB", "ZR810", {9}, 9, 0x070002},
        ABSelectCase{"Channels32And33OnB", "ZR820", {32, 33}, 33, 0x0A0003},
        ABSelectCase{"EightChannelIndex11OnB", "ZR812", {11}, 11, 0x070008},
        ABSelectCase{"EightChannelIndex10OnB", "ZR812", {10}, 10, 0x070004},
        // Records 4..7 and 12..15 are no members of the four-channel groups.
        ABSelectCase{"EightChannelOnlyFourMembers", "ZR813", {4, 7, 12, 15, 8}, 8, 0x070001},
        ABSelectCase{"EightChannelGroup0", "ZR812", {0, 3, 4}, 2, 0x060009},
        ABSelectCase{"OtherGroupsDoNotCount", "ZR822", {7, 16, 31}, 24, 0x090080},
        ABSelectCase{"AllOnA", "ZR821", {}, 17, 0x080000}),
    [](const testing::TestParamInfo<ABSelectCase>& row) { return row.param.name; });

TEST(ABSelectWord, OnlyAnABselOfOneCounts) {
  ChipModel chip;
  chip.ApplySetup(*FindPart("ZR810"));
  chip.DACs[8].setABsel(2);
  chip.DACs[9].setABsel(-1);
  chip.DACs[10].setABsel(1);
  EXPECT_EQ(ABSelectWord(chip, 8), 0x070004);
}

TEST(GroupOf, MembersOfTheSelectedChannelsGroup) {
  struct Case {
    const char* model;
    int16_t dac;
    int group;
    int first;
    int count;
  };
  const Case cases[] = {
      {"ZR812", 0, 0, 0, 4},   {"ZR812", 3, 0, 0, 4},   {"ZR813", 8, 1, 8, 4},
      {"ZR812", 11, 1, 8, 4},  {"ZR810", 7, 0, 0, 8},   {"ZR810", 8, 1, 8, 8},
      {"ZR820", 39, 4, 32, 8}, {"ZR823", 24, 3, 24, 8}, {"", 17, 2, 16, 8},
  };
  for (const Case& c : cases) {
    const ChannelGroup group = GroupOf(c.model, c.dac);
    EXPECT_EQ(group.group, c.group) << c.model << " " << c.dac;
    EXPECT_EQ(group.first, c.first) << c.model << " " << c.dac;
    EXPECT_EQ(group.count, c.count) << c.model << " " << c.dac;
  }
}

TEST(SpecialFunctionWords, FixedWords) {
  struct Case {
    const char* what;
    int32_t built;
    int32_t word;
  };
  const Case cases[] = {
      {"control, X to A", ControlRegisterWord(false), 0x010000},
      {"control, X to B", ControlRegisterWord(true), 0x010004},
      {"control, power-down test", ControlRegisterWord(false, true), 0x010001},
      {"offset DAC 0", OffsetDacWord(0, 0x3FFF), 0x023FFF},
      {"offset DAC 0 default", OffsetDacWord(0, 0x2000), 0x022000},
      {"offset DAC 1", OffsetDacWord(1, 0x1555), 0x031555},
      {"offset DAC 2", OffsetDacWord(2, 0), 0x040000},
      {"GPIO readback select", ReadbackSelectWord(kGpioReadbackData), 0x058580},
      {"readback test", ReadbackSelectWord(0), 0x050000},
      {"monitor", MonitorWord(0x25), 0x0C0025},
      {"GPIO input", GpioWord(0), 0x0D0000},
      {"GPIO output low", GpioWord(1), 0x0D0002},
      {"GPIO output high", GpioWord(2), 0x0D0003},
  };
  for (const Case& c : cases) EXPECT_EQ(c.built, c.word) << c.what;
}

TEST(SpecialFunctionWords, RefusesUnknownNumbers) {
  EXPECT_THROW(GpioWord(3), std::out_of_range);
  EXPECT_THROW(GpioWord(-1), std::out_of_range);
  EXPECT_THROW(OffsetDacWord(3, 0), std::out_of_range);
  EXPECT_THROW(OffsetDacWord(-1, 0), std::out_of_range);
}

}  // namespace
