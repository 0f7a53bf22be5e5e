// Channel names and output limits: every action that would move a limited output out of its
// range is refused before anything is sent, with the channel, the voltage and the range; RESET,
// CLR and the power-down test are never refused but warned of; a limit the present output breaks
// is accepted with a warning; setups carry names and limits and are checked as a whole.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "case_name.h"
#include "command_word.h"
#include "saved_setup.h"
#include "session_bench.h"

namespace {

// ZR810: 16 bits, offset DAC 0x2000 and VREF 5 V: 0x8000 gives 0 V, every code 20/65536 V.
constexpr int kChannel = 3;  // record 3 on ZR810

struct Warnings : SessionListener {
  void limitWarning(const std::string& text) override { texts.push_back(text); }
  std::vector<std::string> texts;
};

// A ZR810 whose channel 3 is named "trap rf" and limited to -1 V to 1 V, its output at 0 V.
struct LimitedBench : SessionBench {
  LimitedBench() {
    EXPECT_FALSE(session.setChannelName(kChannel, "trap rf"));
    EXPECT_FALSE(session.setChannelLimit(kChannel, Session::LimitSide::Lower, -1.0));
    EXPECT_FALSE(session.setChannelLimit(kChannel, Session::LimitSide::Upper, 1.0));
    session.addListener(warnings);
    board.clearRequests();
  }
  double output(int dac = kChannel) const {
    return OutputVoltage(session.chip(), static_cast<int16_t>(dac), session.references()).value();
  }
  Warnings warnings;
};

using Action = std::function<Refused(Session&)>;

struct LimitCase {
  const char* name;
  Action arrange;  // run before the limits count (limits cleared around it); may be empty
  Action action;
  std::string refusal;  // empty: accepted
};

class LimitedAction : public testing::TestWithParam<LimitCase> {};

TEST_P(LimitedAction, IsRefusedBeforeAnythingIsSentOrAccepted) {
  const LimitCase& c = GetParam();
  LimitedBench bench;
  if (c.arrange) {
    const ChannelLabel label = bench.session.channelLabel(kChannel);
    ASSERT_FALSE(bench.session.clearChannelLimits(kChannel));
    ASSERT_FALSE(c.arrange(bench.session));
    ASSERT_FALSE(bench.session.setChannelLimit(kChannel, Session::LimitSide::Lower, label.low));
    ASSERT_FALSE(bench.session.setChannelLimit(kChannel, Session::LimitSide::Upper, label.high));
    bench.board.clearRequests();
  }
  const ChipModel before = bench.session.chip();
  const ReferenceTexts referencesBefore = bench.session.references();

  const Refused refused = c.action(bench.session);

  if (c.refusal.empty()) {
    EXPECT_FALSE(refused) << refused->text;
    EXPECT_FALSE(bench.board.requests().empty());
    return;
  }
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->text, c.refusal);
  EXPECT_EQ(refused->kind, Refusal::Kind::OutOfRange);
  EXPECT_TRUE(bench.board.requests().empty());
  for (int dac = 0; dac < kChannelCount; ++dac) {
    const DAC& was = before.DACs.at(static_cast<size_t>(dac));
    const DAC& is = bench.record(dac);
    EXPECT_EQ(std::tuple(is.X1A(), is.X1B(), is.M(), is.C(), is.X2A, is.X2B, is.ABsel(),
                         is.DACregValue()),
              std::tuple(was.X1A(), was.X1B(), was.M(), was.C(), was.X2A, was.X2B, was.ABsel(),
                         was.DACregValue()))
        << "record " << dac;
  }
  for (int k = 0; k < 3; ++k) EXPECT_EQ(bench.session.chip().OffsetDAC(k), before.OffsetDAC(k));
  EXPECT_EQ(bench.session.references(), referencesBefore);
}

Action Write(int dac, ChannelRegister reg, int64_t code) {
  return [=](Session& s) { return s.writeRegister(dac, reg, code); };
}

const std::string kOut5 = "channel 3 (trap rf) would reach 5 V, outside its range -1 V to 1 V";
const std::string kOut125 = "channel 3 (trap rf) would reach 1.25 V, outside its range -1 V to 1 V";

INSTANTIATE_TEST_SUITE_P(
    Actions, LimitedAction,
    testing::Values(
        LimitCase{"XWithinRange", {}, Write(kChannel, ChannelRegister::X1A, 0x8800), ""},
        LimitCase{"XOutOfRange", {}, Write(kChannel, ChannelRegister::X1A, 0xC000), kOut5},
        LimitCase{"XJustInside", {}, Write(kChannel, ChannelRegister::X1A, 0x8CCC), ""},
        LimitCase{"XOfAnotherChannel", {}, Write(kChannel + 1, ChannelRegister::X1A, 0xC000), ""},
        LimitCase{
            "X1BWhileTheChannelTakesA", {}, Write(kChannel, ChannelRegister::X1B, 0xC000), ""},
        LimitCase{"GainOutOfRange", Write(kChannel, ChannelRegister::X1A, 0x8800),
                  Write(kChannel, ChannelRegister::M, 0x7FFF),
                  "channel 3 (trap rf) would reach -4.6875 V, outside its range -1 V to 1 V"},
        LimitCase{"OffsetOutOfRange", {}, Write(kChannel, ChannelRegister::C, 0x9000), kOut125},
        LimitCase{"VoltageOutOfRange",
                  {},
                  [](Session& s) { return s.writeVoltage(kChannel, 1.25); },
                  kOut125},
        LimitCase{"VoltageWithinRange",
                  {},
                  [](Session& s) { return s.writeVoltage(kChannel, -0.5); },
                  ""},
        LimitCase{"SourceBOutOfRange", Write(kChannel, ChannelRegister::X1B, 0x9000),
                  [](Session& s) { return s.chooseDacSource(kChannel, true); }, kOut125},
        LimitCase{"OffsetDacMovesEveryChannelOfItsSet",
                  {},
                  [](Session& s) { return s.writeOffsetDac(0, 0x1800); },
                  "channel 3 (trap rf) would reach 2.5 V, outside its range -1 V to 1 V"},
        LimitCase{"OffsetDacOfAnotherSet",
                  {},
                  [](Session& s) { return s.writeOffsetDac(1, 0x1800); },
                  ""},
        LimitCase{"DirectLoadOfTheChannel",
                  {},
                  [](Session& s) {
                    return s.directLoad(ChannelRegisterWord(Mode::X, 0x9000, kChannel, 16));
                  },
                  kOut125},
        LimitCase{"LdacOfAnOutputSetBeforeTheLimit", Write(kChannel, ChannelRegister::X1A, 0x9000),
                  [](Session& s) { return s.pulseLdac(); }, kOut125},
        LimitCase{"LdacHeldLowLoadsAtOnce", Write(kChannel, ChannelRegister::X1A, 0x9000),
                  [](Session& s) { return s.lineRequest(Request::LdacLow); }, kOut125}),
    CaseName());

// A reference change moves every output of its set; with the outputs at 0 V nothing moves, so
// the channel is put at 0.625 V first.
TEST(ChannelLimits, AReferenceChangeIsRefusedWhenItMovesALimitedOutputOut) {
  LimitedBench bench;
  ASSERT_FALSE(bench.session.writeRegister(kChannel, ChannelRegister::X1A, 0x8800));
  ASSERT_FALSE(bench.session.pulseLdac());
  const Refused refused = bench.session.setReference(0, "10");
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->text, "channel 3 (trap rf) would reach 1.25 V, outside its range -1 V to 1 V");
  EXPECT_EQ(bench.session.references()[0], "5");
  EXPECT_FALSE(bench.session.setReference(0, "6"));
}

TEST(ChannelLimits, ALimitThePresentOutputBreaksIsAcceptedWithAWarningAndHoldsFromThen) {
  SessionBench bench;
  Warnings warnings;
  bench.session.addListener(warnings);
  ASSERT_FALSE(bench.session.writeRegister(kChannel, ChannelRegister::X1A, 0xC000));
  ASSERT_FALSE(bench.session.pulseLdac());
  ASSERT_FALSE(bench.session.setChannelLimit(kChannel, Session::LimitSide::Upper, 1.0));
  EXPECT_EQ(warnings.texts,
            std::vector<std::string>{"New limit: channel 3 at 5 V, outside at most 1 V"});
  // What leaves it where it is goes on; what moves it elsewhere outside is refused; what brings
  // it back inside is taken.
  EXPECT_FALSE(bench.session.writeRegister(kChannel + 1, ChannelRegister::X1A, 0xD000));
  EXPECT_FALSE(bench.session.pulseLdac());
  EXPECT_FALSE(bench.session.writeRegister(kChannel, ChannelRegister::X1B, 0xD000));
  const Refused further = bench.session.writeRegister(kChannel, ChannelRegister::X1A, 0xD000);
  ASSERT_TRUE(further);
  EXPECT_EQ(further->text, "channel 3 would reach 6.25 V, outside its range at most 1 V");
  EXPECT_FALSE(bench.session.writeRegister(kChannel, ChannelRegister::X1A, 0x8800));
  EXPECT_FALSE(bench.session.pulseLdac());
  EXPECT_DOUBLE_EQ(
      OutputVoltage(bench.session.chip(), kChannel, bench.session.references()).value(), 0.625);
}

TEST(ChannelLimits, ResetClrAndPowerDownAreNeverRefusedButWarned) {
  LimitedBench bench;
  ASSERT_FALSE(bench.session.setChannelLimit(kChannel, Session::LimitSide::Lower, 0.5));
  bench.warnings.texts.clear();
  bench.session.pulseReset();
  bench.session.pulseClr();
  bench.session.powerDownTest();
  EXPECT_EQ(bench.warnings.texts,
            (std::vector<std::string>{
                "RESET leaves channel 3 (trap rf) at 0 V, outside 0.5 V to 1 V",
                "CLR puts the outputs at 0 V until the next LDAC: channel 3 (trap rf) is limited "
                "to 0.5 V to 1 V",
                "The power-down test puts the outputs at 0 V until the next LDAC: channel 3 (trap "
                "rf) is limited to 0.5 V to 1 V"}));
  EXPECT_EQ(bench.board.chip().resetPulses, 1);
}

TEST(ChannelLimits, NamesAndLimitsRefuseWhatTheyCannotBe) {
  SessionBench bench;
  const struct {
    Refused refused;
    const char* text;
  } cases[] = {
      {bench.session.setChannelName(1, std::string(33, 'x')),
       "a channel name has at most 32 characters, not 33"},
      {bench.session.setChannelName(1, "tab\there"),
       "a channel name holds printable characters only"},
      {bench.session.setChannelLimit(1, Session::LimitSide::Upper, std::nan("")),
       "a limit is a finite voltage"},
      {(void(bench.session.setChannelLimit(1, Session::LimitSide::Upper, 2.0)),
        bench.session.setChannelLimit(1, Session::LimitSide::Lower, 3.0)),
       "the lower limit 3 V would lie above the upper limit 2 V"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(c.refused) << c.text;
    EXPECT_EQ(c.refused->text, c.text);
  }
  EXPECT_EQ(bench.session.channelLabel(1), (ChannelLabel{.high = 2.0}));
  EXPECT_FALSE(bench.session.setChannelName(1, std::string(32, '~')));
}

// A setup whose outputs would break a limit is refused as a whole, and nothing is sent; one that
// brings names and limits of its own is judged by them and restores them.
TEST(ChannelLimits, SetupsAreCheckedAsAWholeAndCarryNamesAndLimits) {
  SessionBench source;
  ASSERT_FALSE(source.session.writeRegister(kChannel, ChannelRegister::X1A, 0x9000));
  ASSERT_FALSE(source.session.pulseLdac());
  SavedSetup plain;
  ASSERT_FALSE(CaptureSetup(source.session, plain));
  EXPECT_FALSE(HasLabels(plain));

  LimitedBench target;
  const Refused refused = RestoreSetup(target.session, plain);
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->text, "channel 3 (trap rf) would reach 1.25 V, outside its range -1 V to 1 V");
  EXPECT_TRUE(target.board.requests().empty());

  ASSERT_FALSE(source.session.setChannelName(kChannel, "bias"));
  ASSERT_FALSE(source.session.setChannelLimit(kChannel, Session::LimitSide::Upper, 2.0));
  SavedSetup labelled;
  ASSERT_FALSE(CaptureSetup(source.session, labelled));
  ASSERT_TRUE(HasLabels(labelled));
  ASSERT_FALSE(RestoreSetup(target.session, labelled));
  EXPECT_EQ(target.session.channelLabel(kChannel), (ChannelLabel{.name = "bias", .high = 2.0}));
  SavedSetup restored;
  ASSERT_FALSE(CaptureSetup(target.session, restored));
  EXPECT_EQ(restored, labelled);
}

}  // namespace
