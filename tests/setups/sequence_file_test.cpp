// The sequence file: channels by number or name, frames of volts with their dwell times, and
// every problem refused naming its line.

#include <gtest/gtest.h>

#include <string>

#include "sequence_file.h"
#include "session_bench.h"

namespace {

TEST(SequenceFile, ReadsChannelsByNumberOrNameAndEveryFrame) {
  SessionBench bench("ZR812");  // channels 4 to 7 in records 8 to 11
  ASSERT_FALSE(bench.session.setChannelName(9, "mirror x"));
  const SequenceRead read =
      ReadSequence("dwell_s, 0 ,mirror x\r\n0.5,1.25,-2\n\n0.001,0,3e-1\n", bench.session);
  ASSERT_TRUE(read.error.isEmpty()) << read.error.toStdString();
  EXPECT_EQ(read.channels, (std::vector<int>{0, 5}));
  ASSERT_EQ(read.frames.size(), 2u);
  EXPECT_EQ(read.frames[0].dwell, std::chrono::milliseconds(500));
  EXPECT_EQ(read.frames[0].volts, (std::vector<std::pair<int, double>>{{0, 1.25}, {9, -2.0}}));
  EXPECT_EQ(read.frames[1].dwell, std::chrono::milliseconds(1));
  EXPECT_EQ(read.frames[1].volts, (std::vector<std::pair<int, double>>{{0, 0.0}, {9, 0.3}}));
}

TEST(SequenceFile, RefusesNamingTheLine) {
  SessionBench bench("ZR812");
  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"", "no frames: a header and one row per frame"},
      {"dwell_s,1\n", "no frames: a header and one row per frame"},
      {"time,1\n1,1\n", "line 1: the header is dwell_s and the channels, by number or name"},
      {"dwell_s,8\n1,1\n", "line 1: no channel \"8\""},
      {"dwell_s,bias\n1,1\n", "line 1: no channel \"bias\""},
      {"dwell_s,1,2\n1,1,2\n1,1\n", "line 3: 2 values for 3 columns"},
      {"dwell_s,1\n0.0005,1\n", "line 2: dwell \"0.0005\" is not 0.001 to 86400 s"},
      {"dwell_s,1\n1,2,5\n", "line 2: 3 values for 2 columns"},
      {"dwell_s,1\n1,2V\n", "line 2: \"2V\" is not volts"},
  };
  for (const auto& c : cases) {
    const SequenceRead read = ReadSequence(c.text, bench.session);
    EXPECT_EQ(read.error.toStdString(), c.error) << c.text;
    EXPECT_TRUE(read.frames.empty());
  }
}

}  // namespace
