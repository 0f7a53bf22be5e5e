// The session's actions without any window: the words each sends, the refusals with their texts,
// and that a refused action changes nothing.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "case_name.h"
#include "session_bench.h"

namespace {

using Action = std::function<Refused(Session&)>;

struct ActionCase {
  const char* name;
  const char* model;
  Action action;
  std::vector<int32_t> words;  // sent, in order; empty with a refusal
  std::string refusal;         // the refusal's text, or empty
};

class SessionAction : public testing::TestWithParam<ActionCase> {};

TEST_P(SessionAction, SendsItsWordsOrRefusesAndChangesNothing) {
  const ActionCase& c = GetParam();
  SessionBench bench(c.model);
  const ChipModel modelBefore = bench.session.chip();
  const SimulatedChip chipBefore = bench.board.chip();

  const Refused refused = c.action(bench.session);

  EXPECT_EQ(bench.words(), c.words);
  if (c.refusal.empty()) {
    EXPECT_FALSE(refused) << refused->text;
    return;
  }
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->text, c.refusal);
  EXPECT_TRUE(bench.board.requests().empty());
  EXPECT_EQ(bench.board.chip(), chipBefore);
  for (int dac = 0; dac < kChannelCount; ++dac) {
    const DAC& before = modelBefore.DACs.at(static_cast<size_t>(dac));
    const DAC& after = bench.record(dac);
    EXPECT_EQ(after.X1A(), before.X1A());
    EXPECT_EQ(after.X1B(), before.X1B());
    EXPECT_EQ(after.M(), before.M());
    EXPECT_EQ(after.C(), before.C());
    EXPECT_EQ(after.X2A, before.X2A);
  }
  for (int k = 0; k < 3; ++k)
    EXPECT_EQ(bench.session.chip().OffsetDAC(k), modelBefore.OffsetDAC(k));
}

Action Write(int dac, ChannelRegister reg, int64_t code) {
  return [=](Session& s) { return s.writeRegister(dac, reg, code); };
}

const char* const kLarger = "The selected value is larger than\rthe number of bits allows";

INSTANTIATE_TEST_SUITE_P(
    Words, SessionAction,
    testing::Values(
        ActionCase{"X1A16Bit", "ZR810", Write(9, ChannelRegister::X1A, 0x8000), {0xD18000}, ""},
        ActionCase{
            "X1A14BitShifted", "ZR811", Write(0, ChannelRegister::X1A, 0x3FFF), {0xC8FFFC}, ""},
        ActionCase{"C14Bit", "ZR813", Write(8, ChannelRegister::C, 0x2000), {0x908000}, ""},
        ActionCase{"M40Channels", "ZR820", Write(39, ChannelRegister::M, 0xFFFF), {0x6FFFFF}, ""},
        // X1B while X writes reach A: routed there and back, the route unchanged.
        ActionCase{"X1BRoutedAndRestored",
                   "ZR810",
                   Write(3, ChannelRegister::X1B, 0x1234),
                   {0x010004, 0xCB1234, 0x010000},
                   ""},
        ActionCase{"X1AWhileRoutedToB",
                   "ZR810",
                   [](Session& s) {
                     s.chooseInputRegister(true);
                     return s.writeRegister(0, ChannelRegister::X1A, 5);
                   },
                   {0x010004, 0x010000, 0xC80005, 0x010004},
                   ""},
        ActionCase{"OffsetDac",
                   "ZR821",
                   [](Session& s) { return s.writeOffsetDac(2, 0x1555); },
                   {0x041555},
                   ""},
        ActionCase{"DirectLoad",
                   "ZR810",
                   [](Session& s) { return s.directLoad(0xC00000); },
                   {0xC00000},
                   ""},
        ActionCase{"MonitorChannel5",
                   "ZR812",
                   [](Session& s) {
                     (void)s.setMonitorEnabled(true);
                     return s.chooseMonitorItem(2 + 5);
                   },
                   {0x0C0020, 0x0C0025},
                   ""},
        ActionCase{"GpioHigh",
                   "ZR810",
                   [](Session& s) { return s.setGpioMode(GpioMode::OutputHigh); },
                   {0x0D0003},
                   ""}),
    CaseName());

INSTANTIATE_TEST_SUITE_P(
    Refusals, SessionAction,
    testing::Values(
        ActionCase{"WiderThan16Bits",
                   "ZR810",
                   Write(0, ChannelRegister::X1A, 0x10000),
                   {},
                   "Number exceeds the bit length (16)"},
        ActionCase{"Negative",
                   "ZR810",
                   Write(0, ChannelRegister::M, -1),
                   {},
                   "Number exceeds the bit length (16)"},
        ActionCase{
            "WiderThan14BitModel", "ZR811", Write(0, ChannelRegister::X1A, 0x4000), {}, kLarger},
        ActionCase{"OffsetDacWiderThan14",
                   "ZR810",
                   [](Session& s) { return s.writeOffsetDac(0, 0x4000); },
                   {},
                   "Number exceeds the bit length (14)"},
        ActionCase{"DirectLoadWiderThan24",
                   "ZR810",
                   [](Session& s) { return s.directLoad(0x1000000); },
                   {},
                   "Number exceeds the bit length (24)"},
        ActionCase{"MonitorOnAModelWithout",
                   "ZR820",
                   [](Session& s) { return s.setMonitorEnabled(true); },
                   {},
                   "this model has no monitor or GPIO pin"},
        ActionCase{"MonitorItemWhileDisabled",
                   "ZR810",
                   [](Session& s) { return s.chooseMonitorItem(3); },
                   {},
                   "the monitor is disabled: enable it first"},
        ActionCase{"VoltageBeyondFullScale",
                   "ZR810",
                   [](Session& s) { return s.writeVoltage(0, 10.5); },
                   {},
                   "no code of the channel gives that voltage within half a step"},
        ActionCase{"VoltageWithoutReference",
                   "ZR810",
                   [](Session& s) {
                     s.setReference(0, "five");
                     return s.writeVoltage(0, 1.0);
                   },
                   {},
                   "VREF0 is not a number"}),
    CaseName());

// A window write yields once before its word goes out ("C >>" twice); remote writes never do.
TEST(SessionYield, WritesYieldBeforeTheirWordAndOnlyWhenGivenAHook) {
  struct Row {
    ChannelRegister reg;
    int yields;
  };
  for (const Row row :
       {Row{ChannelRegister::X1A, 1}, Row{ChannelRegister::M, 1}, Row{ChannelRegister::C, 2}}) {
    SessionBench bench;
    int yields = 0;
    std::vector<std::size_t> wordsAtYield;
    (void)bench.session.writeRegister(2, row.reg, 0x1000, [&] {
      ++yields;
      wordsAtYield.push_back(bench.words().size());
    });
    EXPECT_EQ(yields, row.yields);
    EXPECT_EQ(wordsAtYield, std::vector<std::size_t>(static_cast<size_t>(row.yields), 0u));
    EXPECT_EQ(bench.words().size(), 1u);
  }
}

// What a handler that runs inside the yield changes does not garble the word: it carries what the
// written register holds when it goes out.
TEST(SessionYield, AWriteInsideTheYieldIsSentByBoth) {
  SessionBench bench;
  (void)bench.session.writeRegister(4, ChannelRegister::M, 0x1111, [&] {
    (void)bench.session.writeRegister(4, ChannelRegister::M, 0x2222);
  });
  EXPECT_EQ(bench.words(), (std::vector<int32_t>{0x4C2222, 0x4C2222}));
  EXPECT_EQ(bench.board.chip().gain[4], 0x2222);
}

TEST(SessionVoltage, WritesTheFeedingRegisterWithTheNearestCode) {
  SessionBench bench;  // ZR810: VREF 5, offset DAC 2000 hex: 0 V at code 8000 hex
  bench.session.chooseDacSource(3, true);
  bench.board.clearRequests();
  ASSERT_FALSE(bench.session.writeVoltage(3, 2.5));
  // 4 * 5 * (X2 - 32768) / 65536 = 2.5 at X2 = 40960 (A000 hex); gain and offset at reset.
  EXPECT_EQ(bench.record(3).X1B(), 0xA000);
  EXPECT_EQ(bench.record(3).X1A(), 0x8000);
  EXPECT_EQ(bench.words(), (std::vector<int32_t>{0x010004, 0xCBA000, 0x010000}));
}

TEST(ActionGate, OpensOnlyWhenTheOutermostActionEnds) {
  ActionGate gate;
  int opened = 0;
  gate.whenOpened([&] { ++opened; });
  {
    const GateClosed outer(&gate);
    {
      const GateClosed inner(&gate);
      EXPECT_FALSE(gate.open());
    }
    EXPECT_FALSE(gate.open());
    EXPECT_EQ(opened, 0);
  }
  EXPECT_TRUE(gate.open());
  EXPECT_EQ(opened, 1);
}

}  // namespace
