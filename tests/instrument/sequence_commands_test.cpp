// SEQuence:... over the command tree, with a timer the test fires: frames appended and counted,
// the repeat count, start refused as a whole naming the frame's row, the state while it runs,
// every setting held off with -221 until it ends, and its timing.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "connection.h"
#include "instrument_tree.h"
#include "session_bench.h"

namespace {

struct FiredTimer : FrameTimer {
  void callAt(Clock::time_point, std::function<void()> fire) override { waiting = std::move(fire); }
  void cancel() override { waiting = nullptr; }
  bool fire() {
    if (!waiting) return false;
    std::exchange(waiting, nullptr)();
    return true;
  }
  std::function<void()> waiting;
};

struct SequenceClient {
  SequenceClient() { bench.session.sequencer().setTimer(&timer); }
  // The replies of the line, then every error it queued.
  std::vector<std::string> run(const std::string& line) {
    std::vector<std::string> out;
    if (auto reply = client.execute(line)) out.push_back(*reply);
    for (std::string e = *client.execute("SYST:ERR?"); e.rfind("0,", 0) != 0;
         e = *client.execute("SYST:ERR?")) {
      out.push_back(e);
    }
    return out;
  }
  SessionBench bench{"ZR810"};
  FiredTimer timer;
  const scpi::CommandTree tree = InstrumentTree(bench.session);
  scpi::Connection client{tree};
};

using Lines = std::vector<std::string>;

TEST(SequenceCommands, BuildCountAndRefuseWhatCannotBe) {
  SequenceClient c;
  EXPECT_EQ(c.run("SEQ:COUN?;REP?;STAT?"), Lines{"0;1;IDLE"});
  EXPECT_EQ(c.run("SEQ:STAR"), Lines{"-221,\"Settings conflict;the sequence has no frames\""});
  EXPECT_EQ(c.run("SEQ:FRAM 0.01,(@0:2),1,2,3;FRAM 0.02,(@5),-1;:SEQ:COUN?"), Lines{"2"});
  EXPECT_EQ(c.run("SEQ:FRAM 0.0005,(@0),1"),
            Lines{"-222,\"Data out of range;a frame's dwell time is at least 1 ms\""});
  EXPECT_EQ(c.run("SEQ:FRAM 0.01,(@0,99),1,1"),
            Lines{"-114,\"Header suffix out of range;this model has no channel 99\""});
  EXPECT_EQ(c.run("SEQ:FRAM 0.01,(@0,1),1"),
            Lines{"-109,\"Missing parameter;1 values for 2 channels\""});
  EXPECT_EQ(c.run("SEQ:REP INF;REP?"), Lines{"INF"});
  EXPECT_EQ(c.run("SEQ:REP 0"), Lines{"-222,\"Data out of range;0 is outside 1 to 1000000000\""});
  EXPECT_EQ(c.run("SEQ:COUN?"), Lines{"2"});
  EXPECT_EQ(c.run("SEQ:CLE;COUN?"), Lines{"0"});
  // Checked whole before it starts: the row is named and nothing is sent.
  c.bench.board.clearRequests();
  EXPECT_EQ(c.run("DAC7:LIM:UPP 1;:SEQ:FRAM 0.01,(@7),0.5;FRAM 0.01,(@7),1.25;:SEQ:STAR"),
            Lines{"-222,\"Data out of range;frame 2: channel 7 would reach 1.25 V, outside its "
                  "range at most 1 V\""});
  EXPECT_TRUE(c.bench.board.requests().empty());
}

TEST(SequenceCommands, RunsHoldingOffEverySettingUntilItEnds) {
  SequenceClient c;
  EXPECT_EQ(c.run("SEQ:FRAM 0.01,(@0,1),1.25,-1.25;FRAM 0.01,(@0),0;:SEQ:REP 2;STAR"), Lines{});
  ASSERT_TRUE(c.timer.fire());
  EXPECT_EQ(c.run("SEQ:STAT?;:DAC0:VOLT?;:DAC1:VOLT?"), Lines{"RUNNING,1,1;1.25;-1.25"});
  EXPECT_EQ(c.run("DAC0:X1A 5;:LDAC;*RST;:FRAM:CODE (@0),5;:DAC3:LIM:UPP 1;:SEQ:CLE;:SEQ:STAR"),
            Lines(7, "-221,\"Settings conflict;a sequence is running\""));
  ASSERT_TRUE(c.timer.fire());
  ASSERT_TRUE(c.timer.fire());
  EXPECT_EQ(c.run("SEQ:STAT?"), Lines{"RUNNING,1,2"});
  ASSERT_TRUE(c.timer.fire());
  ASSERT_TRUE(c.timer.fire());  // the last frame's dwell
  EXPECT_EQ(c.run("SEQ:STAT?;:DAC0:VOLT?"), Lines{"IDLE;0"});
  EXPECT_EQ(c.bench.board.chip().ldacPulses, 4);
  const std::string timing = c.run("SEQ:TIM?").at(0);
  EXPECT_EQ(timing.substr(0, 2), "4,");
  EXPECT_EQ(c.run("DAC0:X1A 5;X1A?"), Lines{"5"});
  // Stop from any client ends a sequence played for ever.
  EXPECT_EQ(c.run("SEQ:REP INF;STAR"), Lines{});
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(c.timer.fire());
  EXPECT_EQ(c.run("SEQ:STAT?;STOP;STAT?"), Lines{"RUNNING,1,3;IDLE"});
  EXPECT_FALSE(c.timer.fire());
}

}  // namespace
