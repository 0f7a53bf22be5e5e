// Frames: every listed channel's input register that feeds it written, then one LDAC, so that the
// outputs change together; the whole frame checked first, refused as a whole with nothing sent.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "case_name.h"
#include "command_word.h"
#include "session_bench.h"

namespace {

struct FrameCase {
  const char* name;
  const char* model;
  Session::FrameCodes frame;
  std::vector<int32_t> words;  // the words sent before the one LDAC; empty with a refusal
  std::string refusal;
};

class Frame : public testing::TestWithParam<FrameCase> {};

int32_t X(int dac, int32_t code, int16_t bits = 16) {
  return ChannelRegisterWord(Mode::X, code, static_cast<int16_t>(dac), bits);
}

TEST_P(Frame, WritesEveryChannelThenOneLdacOrNothing) {
  const FrameCase& c = GetParam();
  SessionBench bench(c.model);
  // Channel record 5 takes input register B: its word is routed there and back.
  ASSERT_FALSE(bench.session.chooseDacSource(5, true));
  ASSERT_FALSE(bench.session.setChannelLimit(7, Session::LimitSide::Upper, 1.0));
  bench.board.clearRequests();
  const ChipModel before = bench.session.chip();

  const Refused refused = bench.session.writeFrame(c.frame);

  EXPECT_EQ(bench.words(), c.words);
  if (!c.refusal.empty()) {
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->text, c.refusal);
    EXPECT_TRUE(bench.board.requests().empty());
    for (int dac = 0; dac < kChannelCount; ++dac) {
      EXPECT_EQ(bench.record(dac).X1A(), before.DACs.at(static_cast<size_t>(dac)).X1A());
      EXPECT_EQ(bench.record(dac).X1B(), before.DACs.at(static_cast<size_t>(dac)).X1B());
    }
    return;
  }
  ASSERT_FALSE(refused) << refused->text;
  const std::vector<int> codes = bench.codes();
  EXPECT_EQ(std::count(codes.begin(), codes.end(), static_cast<int>(Request::LdacPulse)), 1);
  EXPECT_EQ(codes.back(), static_cast<int>(Request::LdacPulse));
  EXPECT_EQ(bench.board.chip().ldacPulses, 1);
  for (const auto& [dac, code] : c.frame) {
    const DAC& record = bench.record(dac);
    EXPECT_EQ(record.ABsel() != 0 ? record.X1B() : record.X1A(), code);
    EXPECT_EQ(record.DACregValue(), record.ABsel() != 0 ? record.X2B : record.X2A);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Frames, Frame,
    testing::Values(FrameCase{"OneChannel", "ZR810", {{3, 0x9000}}, {X(3, 0x9000)}, ""},
                    FrameCase{"ThreeChannelsOneOnB",
                              "ZR810",
                              {{0, 0x1000}, {5, 0x2000}, {9, 0xFFFF}},
                              {X(0, 0x1000), 0x010004, X(5, 0x2000), 0x010000, X(9, 0xFFFF)},
                              ""},
                    FrameCase{"FourteenBits", "ZR811", {{2, 0x3FFF}}, {X(2, 0x3FFF, 14)}, ""},
                    FrameCase{
                        "CodeOutOfRange",
                        "ZR811",
                        {{2, 0x100}, {3, 0x4000}},
                        {},
                        "channel 3: The selected value is larger than\rthe number of bits allows"},
                    FrameCase{"ListedTwice",
                              "ZR810",
                              {{2, 0x100}, {2, 0x200}},
                              {},
                              "channel 2 is listed twice in the frame"},
                    FrameCase{"LimitBroken",
                              "ZR810",
                              {{3, 0x9000}, {7, 0x9000}},
                              {},
                              "channel 7 would reach 1.25 V, outside its range at most 1 V"}),
    CaseName());

TEST(Frame, VoltagesBecomeTheCodesDacVoltageWrites) {
  SessionBench bench("ZR812");
  ASSERT_FALSE(bench.session.writeFrameVolts({{0, 2.5}, {9, -1.25}}));
  EXPECT_EQ(bench.words(), (std::vector<int32_t>{X(0, 0xA000), X(9, 0x7000)}));
  EXPECT_DOUBLE_EQ(OutputVoltage(bench.session.chip(), 9, bench.session.references()).value(),
                   -1.25);
  bench.board.clearRequests();
  const Refused refused = bench.session.writeFrameVolts({{0, 1.0}, {9, 30.0}});
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->text,
            "channel 5: no code of the channel gives that voltage within half a step");
  EXPECT_TRUE(bench.board.requests().empty());
}

}  // namespace
