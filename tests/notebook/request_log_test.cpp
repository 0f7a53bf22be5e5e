// The request log on a session over the simulated board: what it keeps, which action each
// request is put down to, statuses in words, and refusals.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "logged_bench.h"
#include "script_export.h"

namespace {

std::vector<std::string> Row(const RequestLog& log, uint64_t n, std::vector<LogColumn> columns) {
  std::vector<std::string> texts;
  for (LogColumn column : columns) texts.push_back(ColumnText(log, log.entries().at(n), column));
  return texts;
}

TEST(RequestLog, KeepsTheLastEntriesAndActionsOnly) {
  LoggedBench b("ZR810", 5);
  for (int n = 0; n < 8; ++n) (void)b.session.directLoad(0xC00000 + n);
  EXPECT_EQ(b.log.entries().begin(), 3u);
  EXPECT_EQ(LoggedWords(b.log),
            (std::vector<int32_t>{0xC00003, 0xC00004, 0xC00005, 0xC00006, 0xC00007}));
  EXPECT_EQ(Row(b.log, 3, {LogColumn::Command}), std::vector<std::string>{"WORD #HC00003"});
  EXPECT_EQ(b.log.endedActions().size(), 5u);
  EXPECT_EQ(b.log.action(2), nullptr);
  // The script owns up to the missing beginning and replays what is kept.
  const std::string script = SessionAsScript(b.log);
  EXPECT_NE(script.find("the session began before these"), std::string::npos);
  EXPECT_EQ(ScriptCommands(script).size(), 5u);
}

// A write yields before its word goes out; the actions run in that yield are the innermost ones
// while they run, and end (and are replayed) first.
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
  const std::vector<LogColumn> columns{LogColumn::Request, LogColumn::Origin, LogColumn::Command};
  const uint64_t first = b.log.entries().begin();
  ASSERT_EQ(b.log.entries().size(), 3u);
  EXPECT_EQ(Row(b.log, first, columns), (std::vector<std::string>{"DE", "Pulse LDAC", "LDAC"}));
  EXPECT_EQ(Row(b.log, first + 1, columns),
            (std::vector<std::string>{"DD", "remote 127.0.0.1:40112", "DAC9:ABS B"}));
  EXPECT_EQ(Row(b.log, first + 2, columns),
            (std::vector<std::string>{"DD", "X >>", "DAC9:X1A #H8000"}));
  EXPECT_EQ(LoggedWords(b.log), b.words());
  EXPECT_EQ(ScriptCommands(SessionAsScript(b.log)),
            (std::vector<std::string>{"LDAC", "DAC9:ABS B", "DAC9:X1A #H8000"}));
}

TEST(RequestLog, StatusesInTheBoardLinksWords) {
  LoggedBench b("ZR810");
  (void)b.session.directLoad(0xC00001);
  b.board.setBoardAttached(false);
  (void)b.session.readGpio();  // a word, then a readback
  b.board.setBoardAttached(true);
  b.session.pulseClr();
  std::vector<std::string> statuses;
  for (uint64_t n = b.log.entries().begin(); n < b.log.entries().end(); ++n) {
    statuses.push_back(Row(b.log, n, {LogColumn::Status})[0]);
  }
  const std::string failed = b.board.statusText(SimulatedBoard::kNoBoardStatus);
  EXPECT_EQ(statuses, (std::vector<std::string>{"OK", failed, failed, "OK", "OK"}));
  EXPECT_EQ(Row(b.log, 2, {LogColumn::Direction, LogColumn::Length, LogColumn::Command}),
            (std::vector<std::string>{"in", "3", "GPIO:READ?"}));
}

// A register read back: the select word out, then the readback in with the three bytes the chip
// returned, both under the command that repeats it.
TEST(RequestLog, ReadbacksShowTheBytesReturned) {
  LoggedBench b("ZR811");  // 14 bits: the code comes in bits 15..2
  ASSERT_FALSE(b.session.writeRegister(3, ChannelRegister::X1B, 0x2ABC));
  const uint64_t first = b.log.entries().end();
  ASSERT_EQ(b.session.readRegister(ReadbackItem::X1B, 3).code, 0x2ABC);
  ASSERT_EQ(b.log.entries().end(), first + 2);
  const std::vector<LogColumn> columns{LogColumn::Direction, LogColumn::Length, LogColumn::Word,
                                       LogColumn::Command};
  EXPECT_EQ(Row(b.log, first, columns),
            (std::vector<std::string>{"out", "0", "052580", "DAC3:X1B:READ?"}));
  EXPECT_EQ(Row(b.log, first + 1, columns),
            (std::vector<std::string>{"in", "3", "00AAF0", "DAC3:X1B:READ?"}));
}

// Every refusal of the session marks its action, with the session's own text, sends nothing,
// and stands in the script as a comment only.
TEST(RequestLog, RefusedActionsAreMarked) {
  using Act = std::function<Refused(Session&)>;
  const std::vector<std::pair<const char*, Act>> cases{
      {"ZR811", [](Session& s) { return s.writeRegister(3, ChannelRegister::C, 0x4000); }},
      {"ZR810", [](Session& s) { return s.writeVoltage(3, 1000.0); }},
      {"ZR810", [](Session& s) { return s.writeOffsetDac(0, 0x4000); }},
      {"ZR810", [](Session& s) { return s.directLoad(0x1000000); }},
      {"ZR822", [](Session& s) { return s.setMonitorEnabled(true); }},
      {"ZR810", [](Session& s) { return s.chooseMonitorItem(3); }},
      {"ZR822", [](Session& s) { return s.setGpioMode(GpioMode::OutputHigh); }},
      {"ZR822", [](Session& s) -> Refused {
         if (s.readGpio()) return std::nullopt;
         return Refusal{Refusal::Kind::Conflict, "this model has no monitor or GPIO pin", ""};
       }}};
  for (const auto& [model, act] : cases) {
    LoggedBench b(model);
    const Refused refused = act(b.session);
    ASSERT_TRUE(refused) << model;
    std::string text = refused->text;
    std::replace(text.begin(), text.end(), '\r', ' ');
    const LoggedAction* action = b.log.action(b.log.endedActions().at(0));
    ASSERT_NE(action, nullptr);
    EXPECT_TRUE(action->refused) << text;
    EXPECT_EQ(action->refusal, text);
    EXPECT_EQ(b.log.entries().size(), 0u) << text;
    EXPECT_TRUE(ScriptCommands(SessionAsScript(b.log)).empty()) << text;
  }
}

}  // namespace
