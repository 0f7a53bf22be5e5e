// Reading the chip back: a verification after a random session agrees on every model; a chip
// changed behind the program's back, or power-cycled, is found with both values, mended by the
// write-back or taken into the model, and then agrees; a board failing mid-way ends it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "channel_number.h"
#include "command_word.h"
#include "random_actions.h"
#include "request_failure.h"
#include "saved_setup.h"
#include "saved_setup_steps.h"
#include "session_bench.h"

namespace {

std::string Describe(const ChipVerification& v) {
  std::string text = v.failure;
  for (const RegisterDifference& d : v.differences) {
    text += " " + std::string(ReadbackRow(d.item).name) + "@" + std::to_string(d.dac) + ":" +
            std::to_string(d.model) + "/" + std::to_string(d.chip);
  }
  return text;
}

class Verification : public testing::TestWithParam<PartInfo> {};

TEST_P(Verification, AgreesAfterARandomSession) {
  SessionBench bench(GetParam().name);
  RandomActions random(bench.session, EnvOr("DAC_EVAL_SESSION_SEED", 19u));
  const unsigned actions = EnvOr("DAC_EVAL_VERIFY_ACTIONS", 600u);
  for (unsigned n = 1; n <= actions; ++n) {
    (void)random.act();
    if (n % 100 != 0) continue;
    const ChipVerification& v = bench.session.verifyChip();
    ASSERT_TRUE(v.agrees()) << "after action " << n << ":" << Describe(v);
  }
  const ChipVerification& v = bench.session.verifyChip();
  const PartInfo& part = GetParam();
  const int groups = part.fourChannelGroups ? 2 : (part.channels + kGroupSize - 1) / kGroupSize;
  EXPECT_EQ(v.total, 4 * part.channels + 1 + OffsetDacCount(part) + groups);
  EXPECT_EQ(v.read, v.total);
}

TEST_P(Verification, FindsAPowerCycleAndTheWriteBackMendsIt) {
  SessionBench bench(GetParam().name);
  Session& s = bench.session;
  const int last = ChannelRecords(GetParam()).back();
  ASSERT_FALSE(s.writeRegister(0, ChannelRegister::X1A, 0x1234 & ((1 << GetParam().bits) - 1)));
  ASSERT_FALSE(s.writeRegister(last, ChannelRegister::M, 0x100));
  ASSERT_FALSE(s.writeRegister(last, ChannelRegister::C, 0x300));
  ASSERT_FALSE(s.writeOffsetDac(1, 0x0777));
  s.chooseDacSource(last, true);
  s.chooseInputRegister(true);
  ASSERT_FALSE(s.writeRegister(1, ChannelRegister::X1B, 0x0042));
  s.pulseLdac();
  ASSERT_TRUE(s.verifyChip().agrees()) << Describe(s.lastVerification());

  bench.board.powerCycle();
  const ChipVerification found = s.verifyChip();
  ASSERT_TRUE(found.complete()) << found.failure;
  const int16_t bits = GetParam().bits;
  const int32_t reset = GetParam().resetCode;
  const int lastChannel = ChannelOfRecord(&GetParam(), last);
  const std::vector<RegisterDifference> expected{
      {ReadbackItem::X1A, 0, 0, 0x1234 & ((1 << bits) - 1), reset},
      {ReadbackItem::X1B, 1, 1, 0x0042, reset},
      {ReadbackItem::M, last, lastChannel, 0x100, FullScaleGain(bits)},
      {ReadbackItem::C, last, lastChannel, 0x300, MidScaleOffset(bits)},
      {ReadbackItem::Control, -1, -1, kControlInputB, 0},
      {ReadbackItem::OffsetDac1, -1, -1, 0x0777, OffsetDefaultsFor(GetParam().name)->offsetCode},
      {ABSelectItem(last / kGroupSize), -1, -1, 1 << (last % kGroupSize), 0},
  };
  EXPECT_EQ(found.differences, expected) << Describe(found);

  s.setReference(0, "not a number");  // never sent: no reason to refuse the write-back
  const Refused refused = WriteModelToChip(s);
  ASSERT_FALSE(refused) << refused->text;
  EXPECT_EQ(s.references()[0], "not a number");
  EXPECT_TRUE(s.verifyChip().agrees()) << Describe(s.lastVerification());
}

TEST(ChipVerification, NoWriteBackWhileLdacIsHeldLow) {
  SessionBench bench("ZR810");
  bench.session.lineRequest(Request::LdacLow);
  bench.board.clearRequests();
  const Refused refused = WriteModelToChip(bench.session);
  ASSERT_TRUE(refused);
  EXPECT_NE(refused->text.find("LDAC is held low"), std::string::npos);
  EXPECT_TRUE(bench.board.requests().empty());
}

INSTANTIATE_TEST_SUITE_P(EveryModel, Verification, testing::ValuesIn(PartCatalogue()),
                         [](const testing::TestParamInfo<PartInfo>& row) {
                           return std::string(row.param.name);
                         });

TEST(ChipVerification, TakingTheChipsValuesMakesTheModelAgree) {
  SessionBench bench("ZR821");  // 14 bits, 40 channels
  Session& s = bench.session;
  ASSERT_FALSE(s.writeRegister(5, ChannelRegister::X1A, 0x0100));
  s.chooseInputRegister(true);
  s.chooseDacSource(9, true);
  // Another tool writes the chip: a gain, an offset DAC, an A/B select group, the route.
  bench.link.SPIwrite(ChannelRegisterWord(Mode::M, 0x2000, 5, 14));
  bench.link.SPIwrite(OffsetDacWord(0, 0x0123));
  bench.link.SPIwrite(Function::ABSelectGroup0 + 0x10000 + 0x81);
  bench.link.SPIwrite(ControlRegisterWord(false));

  const ChipVerification found = s.verifyChip();
  ASSERT_EQ(found.differences.size(), size_t{4}) << Describe(found);
  s.takeChipValues(found.differences);

  EXPECT_TRUE(s.verifyChip().agrees()) << Describe(s.lastVerification());
  EXPECT_EQ(bench.record(5).M(), 0x2000);
  EXPECT_EQ(bench.record(5).X2A, *CorrectedCode(0x0100, 0x2000, MidScaleOffset(14), 14));
  EXPECT_EQ(bench.record(8).ABsel(), 1);
  EXPECT_EQ(bench.record(9).ABsel(), 0);
  EXPECT_EQ(bench.record(15).ABsel(), 1);
  EXPECT_EQ(s.chip().OffsetDAC0, 0x0123);
  EXPECT_FALSE(s.inputRegisterB());
}

TEST(ChipVerification, AFailingBoardEndsItWithTheReason) {
  SessionBench bench("ZR810");
  Session& s = bench.session;
  const std::size_t before = bench.board.requests().size();
  const ChipVerification& v = s.verifyChip([&](int done, int) {
    if (done == 10) bench.board.setBoardAttached(false);
  });
  EXPECT_EQ(v.read, 10);
  EXPECT_FALSE(v.complete());
  EXPECT_FALSE(v.agrees());
  // The eleventh register is M of channel 2: its select word is the request that failed.
  EXPECT_EQ(v.failure, "request DD (word 056500) failed: no board attached");
  EXPECT_EQ(bench.board.requests().size() - before, size_t{2 * 10 + 1});
}

TEST(ChipVerification, AReadbackThatFailsEndsItToo) {
  SessionBench bench("ZR810");
  // A driver that takes the select word and fails the readback: the board is detached between.
  struct DetachOnWord : SessionListener {
    SimulatedBoard& board;
    explicit DetachOnWord(SimulatedBoard& b) : board(b) {}
    void wordShown(int32_t) override { board.setBoardAttached(true); }
    void requestDone(const RequestRecord& r) override {
      if (r.direction == kDirectionOut) board.setBoardAttached(false);
    }
  } detach(bench.board);
  bench.session.addListener(detach);
  const ChipVerification& v = bench.session.verifyChip();
  bench.session.removeListener(detach);
  EXPECT_EQ(v.read, 0);
  EXPECT_EQ(v.failure, "request DD failed: no board attached");
}

TEST(ReadRegister, ReadsOneRegisterOrSaysWhyNot) {
  SessionBench bench("ZR811");  // 14 bits
  Session& s = bench.session;
  ASSERT_FALSE(s.writeRegister(3, ChannelRegister::C, 0x2ABC));
  EXPECT_EQ(s.readRegister(ReadbackItem::C, 3).code, 0x2ABC);
  EXPECT_EQ(bench.words().back(), ReadbackSelectWord(ReadbackSelectData(ReadbackItem::C, 3)));
  EXPECT_EQ(s.readRegister(ReadbackItem::X1A, 39).failure, "the model has no channel record 39");
  bench.board.setBoardAttached(false);
  const ReadbackResult failed = s.readRegister(ReadbackItem::OffsetDac0);
  EXPECT_FALSE(failed.code);
  EXPECT_EQ(failed.failure, "request DD (word 058100) failed: no board attached");
}

}  // namespace
