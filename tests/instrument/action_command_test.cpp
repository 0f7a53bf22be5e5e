// Every operator action's command does the same thing again: run through the command tree on a
// fresh session, it starts the very same action (kind and values) and sends the same words.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "action_command.h"
#include "connection.h"
#include "instrument_tree.h"
#include "session_bench.h"

namespace {

// The top-level actions a session starts.
struct ActionRecorder : SessionListener {
  void actionStarted(const OperatorAction& action) override {
    if (depth++ == 0) actions.push_back(action);
  }
  void actionEnded() override { --depth; }
  std::vector<OperatorAction> actions;
  int depth = 0;
};

bool Same(const OperatorAction& a, const OperatorAction& b) {
  return a.kind == b.kind && a.dac == b.dac && a.reg == b.reg && a.code == b.code &&
         a.number == b.number && a.flag == b.flag && a.volts == b.volts && a.line == b.line;
}

struct ReplayCase {
  const char* name;
  const char* model;
  std::function<void(Session&)> act;
  std::string command;
};

void PrintTo(const ReplayCase& c, std::ostream* out) {
  *out << c.name;
}

class ActionCommand : public testing::TestWithParam<ReplayCase> {};

TEST_P(ActionCommand, ReplaysTheSameActionAndWords) {
  const ReplayCase& c = GetParam();
  SessionBench original(c.model);
  ActionRecorder done;
  original.session.addListener(done);
  c.act(original.session);
  ASSERT_EQ(done.actions.size(), 1u);
  const std::optional<std::string> command =
      CommandOf(done.actions[0], original.session.chip().part());
  ASSERT_TRUE(command);
  EXPECT_EQ(*command, c.command);

  SessionBench replay(c.model);
  ActionRecorder replayed;
  replay.session.addListener(replayed);
  const scpi::CommandTree tree = InstrumentTree(replay.session);
  scpi::Connection client(tree);
  client.execute(*command);
  EXPECT_EQ(client.execute("SYST:ERR?"), "0,\"No error\"");
  ASSERT_EQ(replayed.actions.size(), 1u);
  EXPECT_TRUE(Same(replayed.actions[0], done.actions[0]));
  EXPECT_EQ(replay.codes(), original.codes());
  EXPECT_EQ(replay.words(), original.words());
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, ActionCommand,
    testing::Values(
        ReplayCase{"X1AOnChannel9", "ZR810",
                   [](Session& s) { (void)s.writeRegister(9, ChannelRegister::X1A, 0x8000); },
                   "DAC9:X1A #H8000"},
        ReplayCase{"GainOnTheSecondGroupOfFour", "ZR813",
                   [](Session& s) { (void)s.writeRegister(9, ChannelRegister::M, 0x123); },
                   "DAC5:M #H0123"},
        ReplayCase{"Source", "ZR820", [](Session& s) { s.chooseDacSource(33, true); },
                   "DAC33:ABS B"},
        ReplayCase{"InputRoute", "ZR810", [](Session& s) { s.chooseInputRegister(true); },
                   "CONT:INP B"},
        ReplayCase{"Voltage", "ZR810", [](Session& s) { (void)s.writeVoltage(2, -1.25); },
                   "DAC2:VOLT -1.25"},
        ReplayCase{"OffsetDac", "ZR821", [](Session& s) { (void)s.writeOffsetDac(2, 0x2AB); },
                   "OFFS2 #H02AB"},
        ReplayCase{"Monitor", "ZR811", [](Session& s) { (void)s.setMonitorEnabled(true); },
                   "MON:STAT ON"},
        ReplayCase{"Gpio", "ZR812", [](Session& s) { (void)s.setGpioMode(GpioMode::OutputLow); },
                   "GPIO:MODE LOW"},
        ReplayCase{"GpioRead", "ZR810", [](Session& s) { (void)s.readGpio(); }, "GPIO:READ?"},
        ReplayCase{"LdacHeldLow", "ZR810", [](Session& s) { s.lineRequest(Request::LdacLow); },
                   "CONT:LDAC LOW"},
        ReplayCase{"LdacPulse", "ZR810", [](Session& s) { s.pulseLdac(); }, "LDAC"},
        ReplayCase{"Reset", "ZR822", [](Session& s) { s.pulseReset(); }, "*RST"},
        ReplayCase{"Clr", "ZR810", [](Session& s) { s.pulseClr(); }, "CONT:CLR PULS"},
        ReplayCase{"DirectLoad", "ZR810", [](Session& s) { (void)s.directLoad(0xC00001); },
                   "WORD #HC00001"},
        ReplayCase{"Reload", "ZR810", [](Session& s) { s.reload({}); }, "BOAR:REL"},
        // Channel 5 of an 8-channel model is record 9.
        ReplayCase{"ReadRegister", "ZR812",
                   [](Session& s) { (void)s.readRegister(ReadbackItem::M, 9); }, "DAC5:M:READ?"},
        ReplayCase{"VerifyChip", "ZR811", [](Session& s) { (void)s.verifyChip(); }, "BOAR:VER?"}),
    [](const testing::TestParamInfo<ReplayCase>& row) { return std::string(row.param.name); });

TEST(ActionCommand, WhatNoCommandRepeatsHasNone) {
  SessionBench bench;
  ActionRecorder done;
  bench.session.addListener(done);
  bench.session.powerDownTest();
  (void)bench.session.readbackTest();
  bench.session.setReference(0, "five volts");
  (void)bench.session.readRegister(ReadbackItem::OffsetDac1);
  bench.session.takeChipValues({});
  ASSERT_EQ(done.actions.size(), 5u);
  for (const OperatorAction& action : done.actions) {
    EXPECT_FALSE(CommandOf(action, bench.session.chip().part()));
  }
}

}  // namespace
