// The request log on a session over the simulated board: what it keeps, and which action each
// request is put down to.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "log_columns.h"
#include "logged_bench.h"
#include "script_export.h"

namespace {

std::vector<uint32_t> LoggedWords(const RequestLog& log) {
  std::vector<uint32_t> words;
  for (uint64_t n = log.entries().begin(); n < log.entries().end(); ++n) {
    if (CarriesWord(log.entries().at(n).request))
      words.push_back(WordOf(log.entries().at(n).request));
  }
  return words;
}

std::string Column(const RequestLog& log, uint64_t n, LogColumn column) {
  return ColumnText(log, log.entries().at(n), column);
}

TEST(RequestLog, KeepsTheLastEntriesAndActionsOnly) {
  LoggedBench b("ZR810", 5);
  for (int n = 0; n < 8; ++n) (void)b.session.directLoad(0xC00000 + n);

  const Ring<LogEntry>& entries = b.log.entries();
  EXPECT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries.begin(), 3u);
  EXPECT_EQ(LoggedWords(b.log),
            (std::vector<uint32_t>{0xC00003, 0xC00004, 0xC00005, 0xC00006, 0xC00007}));
  for (uint64_t n = entries.begin(); n < entries.end(); ++n) {
    EXPECT_EQ(Column(b.log, n, LogColumn::Command), "WORD #HC0000" + std::to_string(n));
  }
  EXPECT_EQ(b.log.endedActions().size(), 5u);
  EXPECT_EQ(b.log.action(0), nullptr);
  // The script owns up to the missing beginning and replays what is kept.
  const std::string script = SessionAsScript(b.log);
  EXPECT_NE(script.find("the session began before these"), std::string::npos);
  EXPECT_EQ(LoggedBench::ScriptCommands(script).size(), 5u);
}

// A write yields before its word goes out; the actions run in that yield are the innermost ones
// while they run, and end first.
TEST(RequestLog, ARequestBelongsToTheInnermostAction) {
  LoggedBench b("ZR810");
  Session& s = b.session;
  {
    const Session::Origin outer(s, "X >>");
    (void)s.writeRegister(9, ChannelRegister::X1A, 0x8000, [&s] {
      const Session::Origin inner(s, "Pulse LDAC");
      s.pulseLdac();
      const Session::Origin remote(s, "remote 127.0.0.1:40112");
      s.chooseDacSource(9, true);
    });
  }
  const Ring<LogEntry>& e = b.log.entries();
  ASSERT_EQ(e.size(), 3u);
  const std::vector<std::vector<std::string>> expected{
      {"DE", "Pulse LDAC", "LDAC"},
      {"DD", "remote 127.0.0.1:40112", "DAC9:ABS B"},
      {"DD", "X >>", "DAC9:X1A #H8000"}};
  for (std::size_t row = 0; row < expected.size(); ++row) {
    const uint64_t n = e.begin() + row;
    EXPECT_EQ((std::vector<std::string>{Column(b.log, n, LogColumn::Request),
                                        Column(b.log, n, LogColumn::Origin),
                                        Column(b.log, n, LogColumn::Command)}),
              expected[row]);
  }
  const std::vector<int32_t> words = b.words();
  ASSERT_EQ(words.size(), 2u);
  EXPECT_EQ(words[1], 0xD18000);
  EXPECT_EQ(LoggedWords(b.log), std::vector<uint32_t>(words.begin(), words.end()));
  EXPECT_EQ(LoggedBench::ScriptCommands(SessionAsScript(b.log)),
            (std::vector<std::string>{"LDAC", "DAC9:ABS B", "DAC9:X1A #H8000"}));
}

TEST(RequestLog, StatusesInTheBoardLinksWords) {
  LoggedBench b("ZR810");
  (void)b.session.directLoad(0xC00001);
  b.board.setBoardAttached(false);
  (void)b.session.directLoad(0xC00002);
  (void)b.session.readGpio();
  b.board.setBoardAttached(true);
  b.session.pulseClr();

  const Ring<LogEntry>& e = b.log.entries();
  std::vector<std::string> statuses;
  for (uint64_t n = e.begin(); n < e.end(); ++n)
    statuses.push_back(Column(b.log, n, LogColumn::Status));
  const std::string failed = b.board.statusText(SimulatedBoard::kNoBoardStatus);
  EXPECT_EQ(failed, "no board attached");
  EXPECT_EQ(statuses, (std::vector<std::string>{"OK", failed, failed, failed, "OK", "OK"}));
  // The readback's row: direction in, three bytes, no word sent.
  const uint64_t read = e.begin() + 3;
  EXPECT_EQ(Column(b.log, read, LogColumn::Direction), "in");
  EXPECT_EQ(Column(b.log, read, LogColumn::Length), "3");
  EXPECT_EQ(Column(b.log, read, LogColumn::Command), "GPIO:READ?");
}

struct RefusalCase {
  const char* model;
  std::function<std::optional<std::string>(Session&)> act;  // the refusal's text, if any
};

// Every action the session refuses is marked refused in the log, with the session's own text,
// sends nothing, and stands in the script as a comment only.
TEST(RequestLog, RefusedActionsAreMarked) {
  const auto text = [](const Refused& refused) -> std::optional<std::string> {
    if (!refused) return std::nullopt;
    return refused->text;
  };
  const std::vector<RefusalCase> cases{
      {"ZR811", [&](Session& s) { return text(s.writeRegister(3, ChannelRegister::C, 0x4000)); }},
      {"ZR810", [&](Session& s) { return text(s.writeVoltage(3, 1000.0)); }},
      {"ZR810", [&](Session& s) { return text(s.writeOffsetDac(0, 0x4000)); }},
      {"ZR810", [&](Session& s) { return text(s.directLoad(0x1000000)); }},
      {"ZR822", [&](Session& s) { return text(s.setMonitorEnabled(true)); }},
      {"ZR810", [&](Session& s) { return text(s.chooseMonitorItem(3)); }},
      {"ZR822", [&](Session& s) { return text(s.setGpioMode(GpioMode::OutputHigh)); }},
      {"ZR822",
       [&](Session& s) -> std::optional<std::string> {
         if (s.readGpio()) return std::nullopt;
         return "this model has no monitor or GPIO pin";
       }},
  };
  for (const RefusalCase& c : cases) {
    LoggedBench b(c.model);
    const std::optional<std::string> refusal = c.act(b.session);
    ASSERT_TRUE(refusal) << c.model;
    ASSERT_EQ(b.log.endedActions().size(), 1u);
    const LoggedAction* action = b.log.action(b.log.endedActions().at(0));
    ASSERT_NE(action, nullptr);
    EXPECT_TRUE(action->refused) << *refusal;
    std::string oneLine = *refusal;
    std::replace(oneLine.begin(), oneLine.end(), '\r', ' ');
    EXPECT_EQ(action->refusal, oneLine);
    EXPECT_EQ(b.log.entries().size(), 0u) << *refusal;
    EXPECT_TRUE(LoggedBench::ScriptCommands(SessionAsScript(b.log)).empty()) << *refusal;
  }
}

TEST(RequestLog, TimeToTheMicrosecond) {
  const LogClock::time_point t =
      LogClock::time_point(std::chrono::seconds(1700000000)) + std::chrono::microseconds(4321);
  const std::string text = DateTimeText(t);
  EXPECT_TRUE(std::regex_match(text, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.004321)")))
      << text;
}

}  // namespace
