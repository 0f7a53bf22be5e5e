// Sequences: checked whole before they start, then every frame's words and one LDAC each time the
// event loop's timer comes due, passes repeated, Stop between frames; nothing may change the
// sequence while it runs.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "command_word.h"
#include "session_bench.h"

namespace {

using std::chrono::milliseconds;

// A timer the test fires itself, recording each due time asked for.
struct ManualTimer : FrameTimer {
  void callAt(Clock::time_point due, std::function<void()> fire) override {
    dues.push_back(due);
    waiting = std::move(fire);
  }
  void cancel() override { waiting = nullptr; }
  // Makes the waiting call, as the loop would at its due time; false when none waits.
  bool fire() {
    if (!waiting) return false;
    std::function<void()> call = std::exchange(waiting, nullptr);
    call();
    return true;
  }
  std::vector<Clock::time_point> dues;
  std::function<void()> waiting;
};

struct SequenceBench : SessionBench {
  SequenceBench() : SessionBench("ZR810") { session.sequencer().setTimer(&timer); }
  Sequencer& sequencer() { return session.sequencer(); }
  int ldacs() const { return board.chip().ldacPulses; }
  ManualTimer timer;
};

SequenceFrame Frame(int dwellMs, std::vector<std::pair<int, double>> volts) {
  return {.dwell = milliseconds(dwellMs), .volts = std::move(volts)};
}

int32_t X(int dac, int32_t code) {
  return ChannelRegisterWord(Mode::X, code, static_cast<int16_t>(dac), 16);
}

TEST(Sequencer, PlaysEveryFrameAtItsDueTimePassAfterPass) {
  SequenceBench bench;
  ASSERT_FALSE(bench.sequencer().append(Frame(5, {{0, 2.5}, {1, -2.5}})));
  ASSERT_FALSE(bench.sequencer().append(Frame(10, {{0, 0.0}})));
  ASSERT_FALSE(bench.sequencer().setRepeat(2));
  ASSERT_FALSE(bench.sequencer().start());
  EXPECT_TRUE(bench.board.requests().empty());  // the first frame comes at the timer's call
  std::vector<std::vector<int32_t>> words;
  std::vector<std::pair<std::size_t, int>> states;
  while (bench.sequencer().running() && bench.timer.fire()) {
    words.push_back(bench.words());
    bench.board.clearRequests();
    states.emplace_back(bench.sequencer().frameIndex(), bench.sequencer().pass());
  }
  EXPECT_FALSE(bench.sequencer().running());
  const std::vector<int32_t> first{X(0, 0xA000), X(1, 0x6000)};
  const std::vector<int32_t> second{X(0, 0x8000)};
  EXPECT_EQ(words, (std::vector<std::vector<int32_t>>{first, second, first, second, {}}));
  EXPECT_EQ(states,
            (std::vector<std::pair<std::size_t, int>>{{0, 1}, {1, 1}, {0, 2}, {1, 2}, {1, 2}}));
  EXPECT_EQ(bench.ldacs(), 4);
  // Due times: the start, then the dwell times added up, the last held for its own dwell.
  ASSERT_EQ(bench.timer.dues.size(), 5u);
  const auto start = bench.timer.dues[0];
  std::vector<long> offsets;
  for (const auto due : bench.timer.dues)
    offsets.push_back(std::chrono::duration_cast<milliseconds>(due - start).count());
  EXPECT_EQ(offsets, (std::vector<long>{0, 5, 15, 20, 30}));
  EXPECT_EQ(bench.sequencer().timing().played, 4u);
}

TEST(Sequencer, RefusesAsAWholeBeforeStartingNamingTheRow) {
  const struct {
    const char* name;
    std::function<void(SequenceBench&)> arrange;
    std::string refusal;
  } cases[] = {
      {"empty", [](SequenceBench&) {}, "the sequence has no frames"},
      {"no code",
       [](SequenceBench& b) {
         (void)b.sequencer().append(Frame(1, {{0, 1.0}}));
         (void)b.sequencer().append(Frame(1, {{0, 1.0}, {9, 99.0}}));
       },
       "frame 2: channel 9: no code of the channel gives that voltage within half a step"},
      {"limit",
       [](SequenceBench& b) {
         (void)b.session.setChannelLimit(7, Session::LimitSide::Upper, 1.0);
         (void)b.sequencer().append(Frame(1, {{7, 0.625}}));
         (void)b.sequencer().append(Frame(1, {{6, 3.0}}));
         (void)b.sequencer().append(Frame(1, {{7, 1.25}}));
       },
       "frame 3: channel 7 would reach 1.25 V, outside its range at most 1 V"},
      {"twice",
       [](SequenceBench& b) {
         (void)b.sequencer().append(Frame(1, {{2, 1.0}, {2, 1.0}}));
       },
       "frame 1: channel 2 is listed twice in the frame"},
      {"ldac low",
       [](SequenceBench& b) {
         (void)b.sequencer().append(Frame(1, {{2, 1.0}}));
         (void)b.session.lineRequest(Request::LdacLow);
         b.board.clearRequests();
       },
       "LDAC is held low, so the outputs would follow every word of the sequence: release LDAC "
       "first"},
  };
  for (const auto& c : cases) {
    SequenceBench bench;
    c.arrange(bench);
    const ChipModel before = bench.session.chip();
    const Refused refused = bench.sequencer().start();
    ASSERT_TRUE(refused) << c.name;
    EXPECT_EQ(refused->text, c.refusal) << c.name;
    EXPECT_FALSE(bench.sequencer().running());
    EXPECT_FALSE(bench.timer.waiting) << c.name;
    EXPECT_TRUE(bench.board.requests().empty()) << c.name;
    EXPECT_EQ(bench.session.chip().DACs[7].X1A(), before.DACs[7].X1A());
  }
}

// The second pass starts from what the last frame left: checked too.
TEST(Sequencer, ARepeatedSequenceIsCheckedFromWhereItsLastFrameLeavesIt) {
  SequenceBench bench;
  ASSERT_FALSE(bench.session.writeVoltage(3, 2.5));
  ASSERT_FALSE(bench.session.pulseLdac());
  ASSERT_FALSE(bench.session.setChannelLimit(3, Session::LimitSide::Upper, 1.0));
  // Frame 1 leaves channel 3 where it is (2.5 V, outside); frame 2 brings it to 0.625 V. Played
  // again, frame 1 would put 2.5 V back on it.
  ASSERT_FALSE(bench.sequencer().append(Frame(1, {{0, 1.0}, {3, 2.5}})));
  ASSERT_FALSE(bench.sequencer().append(Frame(1, {{3, 0.625}})));
  ASSERT_FALSE(bench.sequencer().setRepeat(3));
  const Refused refused = bench.sequencer().start();
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->text, "frame 1: channel 3 would reach 2.5 V, outside its range at most 1 V");
  ASSERT_FALSE(bench.sequencer().setRepeat(1));
  EXPECT_FALSE(bench.sequencer().start());
}

TEST(Sequencer, StopEndsItBetweenFramesAndNothingChangesItWhileItRuns) {
  SequenceBench bench;
  ASSERT_FALSE(bench.sequencer().append(Frame(1, {{0, 0.625}})));
  ASSERT_FALSE(bench.sequencer().append(Frame(1, {{0, 1.25}})));
  ASSERT_FALSE(bench.sequencer().setRepeat(std::nullopt));
  ASSERT_FALSE(bench.sequencer().start());
  for (int i = 0; i < 7; ++i) ASSERT_TRUE(bench.timer.fire());
  EXPECT_EQ(bench.sequencer().pass(), 4);
  const std::string running = "a sequence is running";
  EXPECT_EQ(bench.sequencer().clear()->text, running);
  EXPECT_EQ(bench.sequencer().append(Frame(1, {{0, 1.0}}))->text, running);
  EXPECT_EQ(bench.sequencer().setRepeat(1)->text, running);
  EXPECT_EQ(bench.sequencer().start()->text, running);
  // Nor the limits it was checked against.
  EXPECT_EQ(bench.session.setChannelLimit(0, Session::LimitSide::Upper, 5.0)->text, running);
  EXPECT_EQ(bench.session.setChannelName(0, "x")->text, running);
  bench.sequencer().stop();
  EXPECT_FALSE(bench.sequencer().running());
  EXPECT_FALSE(bench.timer.fire());
  EXPECT_EQ(bench.ldacs(), 7);
  // The register model is exact: the seventh frame (the first of the fourth pass) is loaded.
  EXPECT_DOUBLE_EQ(OutputVoltage(bench.session.chip(), 0, bench.session.references()).value(),
                   0.625);
  EXPECT_EQ(bench.sequencer().frames().size(), 2u);
}

TEST(Sequencer, AFrameNeedsADwellOfAtLeastOneMillisecond) {
  SequenceBench bench;
  const Refused refused =
      bench.sequencer().append({.dwell = std::chrono::microseconds(999), .volts = {{0, 1.0}}});
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->text, "a frame's dwell time is at least 1 ms");
  EXPECT_EQ(bench.sequencer().setRepeat(0)->text, "a sequence is played at least once");
}

}  // namespace
