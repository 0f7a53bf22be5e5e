// Every operator action's command does the same thing again: run through the command tree on a
// fresh session, it starts the very same action (kind and values) and sends the same words; and
// so does the recorded action run on a fresh session by itself.

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

// What `act` does on a fresh session of `model`, as the recorded action, its command (expected to
// be `expected`) replayed on another, and the action run on a third.
void ExpectReplays(const char* model, const std::function<void(Session&)>& act,
                   const std::string& expected) {
  SessionBench original(model);
  ActionRecorder done;
  original.session.addListener(done);
  act(original.session);
  ASSERT_EQ(done.actions.size(), 1u);
  const std::optional<std::string> command =
      CommandOf(done.actions[0], original.session.chip().part());
  ASSERT_TRUE(command);
  EXPECT_EQ(*command, expected);

  SessionBench replay(model);
  ActionRecorder replayed;
  replay.session.addListener(replayed);
  const scpi::CommandTree tree = InstrumentTree(replay.session);
  scpi::Connection client(tree);
  client.execute(*command);
  EXPECT_EQ(client.execute("SYST:ERR?"), "0,\"No error\"");
  ASSERT_EQ(replayed.actions.size(), 1u);
  EXPECT_TRUE(replayed.actions[0].what == done.actions[0].what) << *command;
  EXPECT_EQ(replay.codes(), original.codes());
  EXPECT_EQ(replay.words(), original.words());

  SessionBench rerun(model);
  ActionRecorder ran;
  rerun.session.addListener(ran);
  EXPECT_FALSE(RunStep(rerun.session, done.actions[0].what));
  ASSERT_EQ(ran.actions.size(), 1u);
  EXPECT_TRUE(ran.actions[0].what == done.actions[0].what) << *command;
  EXPECT_EQ(rerun.words(), original.words()) << *command;
}

TEST_P(ActionCommand, ReplaysTheSameActionAndWords) {
  const ReplayCase& c = GetParam();
  ExpectReplays(c.model, c.act, c.command);
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
        ReplayCase{"VerifyChip", "ZR811", [](Session& s) { (void)s.verifyChip(); }, "BOAR:VER?"},
        ReplayCase{"Frame", "ZR810",
                   [](Session& s) {
                     (void)s.writeFrame({{3, 0x8000}, {7, 0x1000}});
                   },
                   "FRAM:CODE (@3,7),#H8000,#H1000"}),
    [](const testing::TestParamInfo<ReplayCase>& row) { return std::string(row.param.name); });

// Every channel register of the table, written and read back on channel 5 of an 8-channel model
// (record 9), under the input register route that the register's own word needs.
TEST(ActionCommand, EveryChannelRegisterReplays) {
  for (const ChannelRegisterRow& row : kChannelRegisters) {
    SCOPED_TRACE(std::string(row.mnemonic));
    const auto routed = [&row](Session& s) {
      if (row.recomputes == RecomputedInput::B) s.chooseInputRegister(true);
    };
    const std::string name = "DAC5:" + std::string(row.mnemonic);
    ExpectReplays(
        "ZR812", [&](Session& s) { (void)s.writeRegister(9, row.reg, 0x1234); }, name + " #H1234");
    ExpectReplays(
        "ZR812", [&](Session& s) { (void)s.readRegister(row.readback, 9); }, name + ":READ?");
    // The word the register's write sends, loaded as it stands, lands in that register.
    SessionBench written("ZR812");
    SessionBench loaded("ZR812");
    routed(written.session);
    routed(loaded.session);
    ASSERT_FALSE(written.session.writeRegister(9, row.reg, 0x1234));
    ASSERT_FALSE(loaded.session.directLoad(written.session.lastWord()));
    EXPECT_EQ(RegisterValue(loaded.record(9), row.reg), 0x1234);
    EXPECT_EQ(loaded.record(9).X2A, written.record(9).X2A);
    EXPECT_EQ(loaded.record(9).X2B, written.record(9).X2B);
  }
}

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
