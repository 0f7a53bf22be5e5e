// The error queue (order, overflow, SYSTem:ERRor answers) and the status registers (*ESR?,
// *ESE, *SRE, *STB?, *CLS, *OPC) as a client sees them through its lines.

#include <gtest/gtest.h>

#include <algorithm>

#include <optional>
#include <string>
#include <vector>

#include "call.h"
#include "error_queue.h"
#include "standard_tree.h"
#include "test_tree.h"

namespace {

TEST(ErrorQueue, OldestFirstAndOverflowReplacesTheNewest) {
  scpi::ErrorQueue queue;
  for (int i = 1; i <= 25; ++i) queue.push(-200 - i, std::to_string(i));
  EXPECT_EQ(queue.size(), scpi::ErrorQueue::kCapacity);
  EXPECT_EQ(queue.pushedCount(), 25u);
  std::vector<int> codes;
  while (auto error = queue.pop()) codes.push_back(error->code);
  std::vector<int> expected;
  for (int i = 1; i < 20; ++i) expected.push_back(-200 - i);
  expected.push_back(-350);
  EXPECT_EQ(codes, expected);

  // After reading, the queue takes errors again, in order.
  queue.push(-113);
  queue.push(-222, "x");
  EXPECT_EQ(queue.pop()->code, -113);
  EXPECT_EQ(queue.pop()->detail, "x");
  EXPECT_FALSE(queue.pop().has_value());
}

TEST(ErrorQueue, AnswerTexts) {
  const std::pair<scpi::Error, std::string> cases[] = {
      {{0, ""}, R"(0,"No error")"},
      {{-113, ""}, R"(-113,"Undefined header")"},
      {{-222, "70000 is outside 0 to 65535"},
       R"(-222,"Data out of range;70000 is outside 0 to 65535")"},
      {{-200, "say \"hi\""}, R"(-200,"Execution error;say ""hi""")"},
      {{-200, "a\nb\x01\xC3"}, R"(-200,"Execution error;a?b??")"},
      {{-150, ""}, R"(-150,"Command error")"},
      {{-299, ""}, R"(-299,"Execution error")"},
      {{-399, ""}, R"(-399,"Device-specific error")"},
      {{-410, ""}, R"(-410,"Query error")"},
      {{42, ""}, R"(42,"Device-specific error")"},
  };
  for (const auto& [error, text] : cases) EXPECT_EQ(scpi::FormatError(error), text);

  // The message (text and detail) is cut to 255 characters, before quotes are doubled.
  const std::string answer = scpi::FormatError({-200, std::string(400, '"')});
  const std::string message = std::string("Execution error;") + std::string(255 - 16, '"');
  std::string doubled;
  for (char c : message) doubled += c == '"' ? std::string("\"\"") : std::string(1, c);
  EXPECT_EQ(answer, "-200,\"" + doubled + "\"");
}

struct StatusCase {
  std::vector<const char*> lines;
  std::optional<std::string> lastReply;
};

// Runs the lines on a new connection; the reply of the last one.
std::optional<std::string> RunLines(const std::vector<const char*>& lines) {
  TestBench bench;
  std::optional<std::string> reply;
  for (const char* line : lines) reply = bench.run(line);
  return reply;
}

TEST(StatusRegisters, EventStatusEnableAndStatusByte) {
  const StatusCase cases[] = {
      // A new connection is not a power-on: everything reads 0.
      {{"*ESR?;*STB?;*ESE?;*SRE?"}, "0;0;0;0"},
      // Each error class sets its bit: command 32, execution 16, device 8, query 4.
      {{"FOO", "*ESR?"}, "32"},
      {{"FAIL:EXEC;*ESR?"}, "16"},
      {{"VAL 70000;*ESR?"}, "16"},
      {{"FOO", "FAIL:EXEC;*ESR?"}, "48"},
      // *ESR? clears it.
      {{"FOO", "*ESR?", "*ESR?"}, "0"},
      {{"*OPC;*ESR?"}, "1"},
      {{"*OPC?"}, "1"},
      {{"*WAI;*ESR?;SYST:ERR:COUN?"}, "0;0"},
      // Status byte: bit 2 error queue not empty, bit 5 ESR & ESE, bit 6 summary under SRE.
      {{"FOO", "*STB?"}, "4"},
      {{"*ESE 32", "FOO", "*STB?"}, "36"},
      {{"*ESE 16", "FOO", "*STB?"}, "4"},
      {{"*ESE 32;*SRE 32", "FOO", "*STB?"}, "100"},
      {{"*SRE 4", "FOO", "*STB?"}, "68"},
      {{"*SRE 32", "FOO", "*STB?"}, "4"},
      // Reading the error empties the queue and so clears bit 2.
      {{"*SRE 4", "FOO", "SYST:ERR?", "*STB?"}, "0"},
      // *STB? does not clear; *ESR? clears bit 5 through ESR.
      {{"*ESE 32", "FOO", "*STB?", "*ESR?", "*STB?"}, "4"},
      {{"*ESE 255;*ESE?"}, "255"},
      {{"*ESE #H20;*ESE?"}, "32"},
      // SRE's bit 6 cannot be enabled.
      {{"*SRE 255;*SRE?"}, "191"},
      // Out-of-range masks are refused and change nothing.
      {{"*ESE 8", "*ESE 256", "*ESE?"}, "8"},
      {{"*ESE 8", "*ESE -1", "*ESE?;SYST:ERR?"},
       R"(8;-222,"Data out of range;-1 is outside 0 to 255")"},
      {{"*ESE ON", "SYST:ERR?"}, R"(-104,"Data type error;expected a number, not 'ON'")"},
      // *CLS clears the queue and ESR, not the masks.
      {{"*ESE 32;*SRE 36", "FOO", "*CLS;*STB?;*ESR?;SYST:ERR:COUN?;*ESE?;*SRE?"}, "0;0;0;32;36"},
  };
  for (const StatusCase& c : cases) EXPECT_EQ(RunLines(c.lines), c.lastReply) << c.lines.back();
}

TEST(StatusRegisters, InputOverrunIsADeviceError) {
  TestBench bench;
  bench.connection.inputOverrun();
  EXPECT_EQ(bench.run("*ESR?;SYST:ERR?"), R"(8;-363,"Input buffer overrun")");
}

TEST(StatusRegisters, QueryErrorFromAHandler) {
  scpi::CommandTree tree = scpi::StandardTree();
  tree.add("DATA?", 0, 0, [](scpi::Call& call) { call.error(-410); });
  scpi::Connection connection(tree);
  EXPECT_EQ(connection.execute("DATA?;*ESR?"), "4");
}

TEST(SystemError, NextCountAndVersion) {
  TestBench bench;
  bench.run("FOO");
  bench.run("FAIL:EXEC");
  bench.run("DAC0:X1A 1,2");
  EXPECT_EQ(bench.run("SYST:ERR:COUN?"), "3");
  EXPECT_EQ(bench.run("SYSTem:ERRor:NEXT?;:SYST:ERR?;ERR:NEXT?;NEXT?;COUNT?"),
            R"(-113,"Undefined header;'FOO'";-221,"Settings conflict;test";)"
            R"(-108,"Parameter not allowed;'DAC0:X1A' takes at most 1 parameter";)"
            R"(0,"No error";0)");
  EXPECT_EQ(bench.run("syst:vers?"), "1999.0");
}

// ERR:ALL? empties the queue in one answer; HELP:HEAD? lists every header in a definite-length
// block whose length counts exactly the text after it.
TEST(SystemError, AllErrorsOptionsAndHeaders) {
  TestBench bench;
  EXPECT_EQ(bench.run("SYST:ERR:ALL?;*OPT?"), R"(0,"No error";0)");
  bench.run("FOO");
  bench.run("FAIL:EXEC");
  EXPECT_EQ(bench.run("SYSTem:ERRor:ALL?;:SYST:ERR:COUN?"),
            R"(-113,"Undefined header;'FOO'",-221,"Settings conflict;test";0)");
  const std::string block = bench.run("SYST:HELP:HEAD?").value_or("");
  ASSERT_GE(block.size(), 2u);
  ASSERT_EQ(block[0], '#');
  const std::size_t digits = static_cast<std::size_t>(block[1] - '0');
  const std::string headers = block.substr(2 + digits);
  EXPECT_EQ(std::stoul(block.substr(2, digits)), headers.size());
  for (const char* header : {"*IDN?\n", "DAC#:X1A\n", "SYSTem:HELP:HEADers?\n", "*OPT?\n"}) {
    EXPECT_NE(headers.find(header), std::string::npos) << header;
  }
  EXPECT_EQ(std::count(headers.begin(), headers.end(), '\n'),
            static_cast<long>(bench.tree.commandCount()));
}

TEST(SystemError, OverflowThroughLines) {
  TestBench bench;
  for (int i = 0; i < 30; ++i) bench.run("FOO" + std::to_string(i));
  EXPECT_EQ(bench.run("SYST:ERR:COUN?"), "20");
  const std::vector<std::string> texts = TakeErrorTexts(bench.connection);
  ASSERT_EQ(texts.size(), 20u);
  EXPECT_EQ(texts.front(), R"(-113,"Undefined header;'FOO0'")");
  EXPECT_EQ(texts[18], R"(-113,"Undefined header;'FOO18'")");
  EXPECT_EQ(texts.back(), R"(-350,"Queue overflow")");
}

}  // namespace
