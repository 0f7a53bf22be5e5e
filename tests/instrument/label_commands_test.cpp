// DAC<n>:NAME and DAC<n>:LIMit: the names and limits remote clients set and read, the -222 of a
// write a limit refuses (with the window's words), and *LRN? carrying them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "case_name.h"
#include "connection.h"
#include "instrument_tree.h"
#include "session_bench.h"
#include "setup_scenes.h"

namespace {

struct LabelCase {
  const char* name;
  std::vector<std::string> lines;
  std::vector<std::string> replies;  // every reply, then every error queued, in order
};

class LabelCommand : public testing::TestWithParam<LabelCase> {};

TEST_P(LabelCommand, AnswersAndQueues) {
  const LabelCase& c = GetParam();
  SessionBench bench("ZR810");
  const scpi::CommandTree tree = InstrumentTree(bench.session);
  scpi::Connection client(tree);
  std::vector<std::string> replies;
  for (const std::string& line : c.lines) {
    if (auto reply = client.execute(line)) replies.push_back(*reply);
  }
  for (std::string e = *client.execute("SYST:ERR?"); e.rfind("0,", 0) != 0;
       e = *client.execute("SYST:ERR?")) {
    replies.push_back(e);
  }
  EXPECT_EQ(replies, c.replies);
}

INSTANTIATE_TEST_SUITE_P(
    Tree, LabelCommand,
    testing::Values(
        LabelCase{
            "UnsetAnswersTheInfinities", {"DAC3:NAME?;LIM:LOW?;UPP?"}, {"\"\";-9.9E37;9.9E37"}},
        LabelCase{"SetAndRead",
                  {"DAC3:NAME \"trap \"\"rf\"\"\";LIM:LOW -1;UPP 1.5", "DAC3:NAME?;LIM:LOW?;UPP?"},
                  {"\"trap \"\"rf\"\"\";-1;1.5"}},
        LabelCase{"SingleQuotes", {"DAC3:NAME 'bias'", "DAC3:NAME?"}, {"\"bias\""}},
        LabelCase{"ClearTakesBothLimits",
                  {"DAC3:LIM:LOW -1;UPP 1;CLE", "DAC3:LIM:LOW?;UPP?"},
                  {"-9.9E37;9.9E37"}},
        LabelCase{"TheInfinitiesTakeALimitAway",
                  {"DAC3:LIM:LOW -1;UPP 1", "DAC3:LIM:UPP 9.9E37", "DAC3:LIM:LOW?;UPP?"},
                  {"-1;9.9E37"}},
        LabelCase{
            "AWriteOutOfRangeIsRefusedWithTheChannelAndRange",
            {"DAC3:NAME \"trap rf\";LIM:LOW -1;UPP 1", "DAC3:X1A #HC000;VOLT 1.25", "DAC3:X1A?"},
            {"32768",
             "-222,\"Data out of range;channel 3 (trap rf) would reach 5 V, outside its "
             "range -1 V to 1 V\"",
             "-222,\"Data out of range;channel 3 (trap rf) would reach 1.25 V, outside its "
             "range -1 V to 1 V\""}},
        LabelCase{"ALimitThePresentOutputBreaksQueuesNothing",
                  {"DAC3:VOLT 2;:LDAC", "DAC3:LIM:UPP 1", "DAC3:LIM:UPP?"},
                  {"1"}},
        LabelCase{"BadNamesAndLimits",
                  {"DAC3:NAME trap", "DAC3:NAME \"" + std::string(33, 'x') + "\"",
                   "DAC3:LIM:UPP 1;LOW 2", "DAC99:NAME?"},
                  {"-104,\"Data type error;a name is a quoted string\"",
                   "-222,\"Data out of range;a channel name has at most 32 characters, not 33\"",
                   "-222,\"Data out of range;the lower limit 2 V would lie above the upper limit "
                   "1 V\"",
                   "-114,\"Header suffix out of range;this model has no channel 99\""}}),
    CaseName());

// *LRN? of a session with names and limits restores them on a fresh program, whose own limits
// do not stand in the way of the writes.
TEST(LabelCommands, LearnCarriesNamesAndLimits) {
  SessionBench saved("ZR820");
  ScrambleSession(saved.session, 7);
  const scpi::CommandTree savedTree = InstrumentTree(saved.session);
  scpi::Connection savedClient(savedTree);
  const std::string volts = *savedClient.execute("DAC5:VOLT?");
  ASSERT_EQ(savedClient.execute("DAC5:NAME \"mirror x\";LIM:LOW " + volts + ";UPP " + volts +
                                ";:DAC6:LIM:UPP 12"),
            std::nullopt);
  const std::string line = savedClient.execute("*LRN?").value_or("");
  EXPECT_NE(line.find(":DAC5:NAME \"mirror x\""), std::string::npos) << line;

  SessionBench fresh("ZR820");
  const scpi::CommandTree freshTree = InstrumentTree(fresh.session);
  scpi::Connection freshClient(freshTree);
  ASSERT_EQ(freshClient.execute("DAC5:LIM:UPP -9;:DAC6:NAME \"old\""), std::nullopt);
  EXPECT_EQ(freshClient.execute(line), std::nullopt);
  EXPECT_EQ(freshClient.execute("SYST:ERR?"), "0,\"No error\"");
  EXPECT_EQ(ModelDifference(saved.session, fresh.session), "");
  EXPECT_EQ(fresh.session.channelLabels(), saved.session.channelLabels());
}

}  // namespace
