// FRAMe:VOLTage and FRAMe:CODE over the command tree: channel lists in every form, one value per
// listed channel, the whole frame refused with the right error and nothing sent.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "case_name.h"
#include "channel_list.h"
#include "command_word.h"
#include "connection.h"
#include "instrument_tree.h"
#include "session_bench.h"

namespace {

struct ListCase {
  const char* name;
  const char* text;
  std::vector<int> channels;
  std::string problem;
};

class ChannelListText : public testing::TestWithParam<ListCase> {};

TEST_P(ChannelListText, ReadsEveryFormOrSaysWhyNot) {
  const ListCase& c = GetParam();
  const ChannelList list = ParseChannelList(c.text, 8);
  EXPECT_EQ(list.problem, c.problem);
  if (c.problem.empty()) {
    EXPECT_EQ(list.channels, c.channels);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ChannelListText,
    testing::Values(
        ListCase{"One", "(@3)", {3}, ""}, ListCase{"Several", "(@1,4,7)", {1, 4, 7}, ""},
        ListCase{"Range", "(@0:3)", {0, 1, 2, 3}, ""},
        ListCase{
            "SpaceInsideTheOpening", "( @9)", {}, "a channel list as (@1,4,7) or (@0:15) expected"},
        ListCase{"MixedDownwards", "(@9, 5:3 ,0)", {9, 5, 4, 3, 0}, ""},
        ListCase{"NoAt", "(3)", {}, "a channel list as (@1,4,7) or (@0:15) expected"},
        ListCase{"NotANumber", "(@1,x)", {}, "\"x\" is not a channel or range"},
        ListCase{"Negative", "(@-1)", {}, "\"-1\" is not a channel or range"},
        ListCase{"EmptyItem", "(@1,,2)", {}, "\"\" is not a channel or range"},
        ListCase{"TooMany", "(@0:39)", {}, "more than 8 channels listed"}),
    CaseName());

struct FrameCommandCase {
  const char* name;
  std::string line;
  std::vector<std::string> errors;  // queued, oldest first
  std::vector<int32_t> words;       // before the LDAC pulse
};

class FrameCommand : public testing::TestWithParam<FrameCommandCase> {};

int32_t X(int dac, int32_t code) {
  return ChannelRegisterWord(Mode::X, code, static_cast<int16_t>(dac), 16);
}

TEST_P(FrameCommand, WritesTheFrameOrRefusesItWhole) {
  const FrameCommandCase& c = GetParam();
  SessionBench bench("ZR812");  // channels 4 to 7 in records 8 to 11
  const scpi::CommandTree tree = InstrumentTree(bench.session);
  scpi::Connection client(tree);
  ASSERT_EQ(client.execute("DAC6:LIM:UPP 1"), std::nullopt);
  bench.board.clearRequests();
  EXPECT_EQ(client.execute(c.line), std::nullopt);
  std::vector<std::string> errors;
  for (std::string e = *client.execute("SYST:ERR?"); e.rfind("0,", 0) != 0;
       e = *client.execute("SYST:ERR?")) {
    errors.push_back(e);
  }
  EXPECT_EQ(errors, c.errors);
  EXPECT_EQ(bench.words(), c.words);
  EXPECT_EQ(bench.board.chip().ldacPulses, c.words.empty() ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, FrameCommand,
    testing::Values(
        FrameCommandCase{"Codes", "FRAM:CODE (@0,5),#H9000,4096", {}, {X(0, 0x9000), X(9, 0x1000)}},
        FrameCommandCase{"VoltsOverARange",
                         "FRAMe:VOLTage (@0:2),2.5,-2.5,0",
                         {},
                         {X(0, 0xA000), X(1, 0x6000), X(2, 0x8000)}},
        FrameCommandCase{"ChannelTheModelLacks",
                         "FRAM:VOLT (@1,8),0,0",
                         {"-114,\"Header suffix out of range;this model has no channel 8\""},
                         {}},
        FrameCommandCase{"FewerValues",
                         "FRAM:VOLT (@1:3),0,0",
                         {"-109,\"Missing parameter;2 values for 3 channels\""},
                         {}},
        FrameCommandCase{"MoreValues",
                         "FRAM:CODE (@1),0,0",
                         {"-108,\"Parameter not allowed;2 values for 1 channels\""},
                         {}},
        FrameCommandCase{
            "NotAList",
            "FRAM:CODE 1,0",
            {"-104,\"Data type error;a channel list as (@1,4,7) or (@0:15) expected\""},
            {}},
        FrameCommandCase{"CodeOutOfRange",
                         "FRAM:CODE (@0,1),1,65536",
                         {"-222,\"Data out of range;channel 1: 65536 is outside 0 to 65535 "
                          "(16-bit model)\""},
                         {}},
        FrameCommandCase{"LimitBroken",
                         "FRAM:VOLT (@0,6),1,1.25",
                         {"-222,\"Data out of range;channel 6 would reach 1.25 V, outside its "
                          "range at most 1 V\""},
                         {}}),
    CaseName());

}  // namespace
