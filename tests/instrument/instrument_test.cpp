// The program's command tree on a session over the simulated board: what each command answers,
// which errors it queues, and which words reach the board.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "case_name.h"
#include "connection.h"
#include "fake_driver.h"
#include "instrument_tree.h"
#include "session_bench.h"

namespace {

struct CommandCase {
  const char* name;
  const char* model;
  std::vector<std::string> lines;
  std::vector<std::string> replies;  // the reply of every line that has one, in order
  std::vector<int> errors;           // the error codes queued, oldest first
  std::vector<int32_t> words;        // the words the board received
};

void PrintTo(const CommandCase& c, std::ostream* out) {
  *out << c.name;
}

// The error codes queued, read the way a client reads them.
std::vector<int> DrainErrors(scpi::Connection& client) {
  std::vector<int> codes;
  for (int guard = 0; guard < 30; ++guard) {
    const std::string error = client.execute("SYST:ERR?").value_or("");
    const int code = std::stoi(error);
    if (code == 0) break;
    codes.push_back(code);
  }
  return codes;
}

class Command : public testing::TestWithParam<CommandCase> {};

TEST_P(Command, AnswersQueuesAndSends) {
  const CommandCase& c = GetParam();
  SessionBench bench(c.model);
  const scpi::CommandTree tree = InstrumentTree(bench.session);
  scpi::Connection client(tree);
  std::vector<std::string> replies;
  for (const std::string& line : c.lines) {
    if (auto reply = client.execute(line)) replies.push_back(*reply);
  }
  const std::vector<int32_t> words = bench.words();
  EXPECT_EQ(replies, c.replies);
  EXPECT_EQ(DrainErrors(client), c.errors);
  EXPECT_EQ(words, c.words);
}

INSTANTIATE_TEST_SUITE_P(
    Tree, Command,
    testing::Values(
        // Manufacturer, model, serial number (none on the simulated board), version.
        CommandCase{"Identity",
                    "ZR811",
                    {"*idn?;:BOAR:LINK?;*OPT?"},
                    {"dac-eval,ZR811,0,1.06;simulated;0"},
                    {},
                    {}},
        // The self-test reads back, changing nothing: the GPIO pin where the model has one,
        // the readback test elsewhere; the last word shown stays.
        CommandCase{"SelfTestWithGpio",
                    "ZR812",
                    {"WORD #HC00005;*TST?;:WORD?"},
                    {"0;12582917"},
                    {},
                    {0xC00005, 0x058580}},
        CommandCase{"SelfTestWithoutGpio", "ZR822", {"*TST?"}, {"0"}, {}, {0x050000}},
        CommandCase{"WriteAndReadBackOnOneLine",
                    "ZR810",
                    {"DAC9:X1A #H8001;X1A?;X2A?;:DAC9:REG?"},
                    {"32769;32769;32768"},
                    {},
                    {0xD18001}},
        CommandCase{"LongAndShortFormsAndHexBinary",
                    "ZR810",
                    {"dac1:m #b1111;:DAC1:C 16"},
                    {},
                    {},
                    {0x49000F, 0x890010}},
        // Channel 5 of an 8-channel model is record 9: address 11 hex.
        CommandCase{"EightChannelNumbering", "ZR812", {"DAC5:X1A 7"}, {}, {}, {0xD10007}},
        CommandCase{
            "ChannelTheModelLacks", "ZR812", {"DAC8:X1A 7", "DAC8:X1A?"}, {}, {-114, -114}, {}},
        CommandCase{"X1BRoutesAndRestores",
                    "ZR810",
                    {"DAC2:X1B 5"},
                    {},
                    {},
                    {0x010004, 0xCA0005, 0x010000}},
        CommandCase{"RefusedCodesSendNothing",
                    "ZR811",
                    {"DAC0:X1A #H4000", "DAC0:M 70000", "WORD #H1000000", "OFFS0 #H4000"},
                    {},
                    {-222, -222, -222, -222},
                    {}},
        CommandCase{
            "LdacLoadsEveryChannel",
            "ZR810",
            {"DAC3:X1A 100;:DAC5:X1A 200;:DAC5:ABS B;:LDAC", "DAC3:REG?;:DAC5:REG?;:DAC5:ABS?"},
            {"100;32768;B"},
            {},
            {0xCB0064, 0xCD00C8, 0x060020}},
        CommandCase{"VoltageWrittenAndReadAfterLdac",
                    "ZR810",
                    {"DAC0:VOLT 2.5;:LDAC;:DAC0:VOLT?", "DAC0:VOLT 1e3"},
                    {"2.5"},
                    {-222},
                    {0xC8A000}},
        CommandCase{"ThirdOffsetDacOnlyWhereShown",
                    "ZR820",
                    {"OFFS2 5", "REF2 2.5;REF2?", "OFFS3?"},
                    {"2.5"},
                    {-221, -114},
                    {}},
        CommandCase{"MonitorAndGpio",
                    "ZR812",
                    {"MON:SEL 5", "MON:STAT ON;SEL 5;SEL?", "MON:SEL IN1;SEL?;:MON:SEL 8",
                     "GPIO:MODE HIGH;READ?"},
                    {"5", "IN1", "1"},
                    {-221, -222},
                    {0x0C0020, 0x0C0025, 0x0C0035, 0x0D0003, 0x058580}},
        CommandCase{
            "MonitorOnAModelWithout", "ZR822", {"MON:STAT ON", "GPIO:READ?"}, {}, {-221, -221}, {}},
        CommandCase{"ControlLinesAndWord",
                    "ZR810",
                    {"CONT:CLR PULS;:CONT:LDAC LOW;:WORD #HC00000;:WORD?"},
                    {"12582912"},
                    {},
                    {0xC00000}},
        CommandCase{"ResetReturnsTheRegisters",
                    "ZR813",
                    {"DAC1:X1A 5;:DAC1:ABS B", "*RST;:DAC1:X1A?;ABS?"},
                    {"8192;A"},
                    {},
                    {0xC90014, 0x060002}},
        // The words of the simulated board, including those of the window's own earlier
        // actions, oldest first.
        CommandCase{"SimulatedBoardWords",
                    "ZR810",
                    {"BOAR:SIM:WORD?", "DAC1:X1A 5;:CONT:INP B", "BOARd:SIMulation:WORDs?"},
                    {"", "13172741,65540"},
                    {},
                    {0xC90005, 0x010004}},
        CommandCase{"SyntaxStopsTheLineExecutionErrorsDoNot",
                    "ZR810",
                    {"BOGUS;:DAC0:X1A 1", "DAC0:X1A 99999;:DAC0:X1A 2;X1A?"},
                    {"2"},
                    {-113, -222},
                    {0xC80002}}),
    CaseName());

// A request that fails at the board is an execution error for the client that sent it; the
// register model still follows, as the window's does.
TEST(CommandBoardFailure, AFailedRequestIsMinus200ForItsSender) {
  SessionBench bench;
  const scpi::CommandTree tree = InstrumentTree(bench.session);
  scpi::Connection sender(tree);
  scpi::Connection other(tree);
  bench.board.setBoardAttached(false);

  EXPECT_EQ(sender.execute("DAC4:X1A 9;X1A?"), "9");
  EXPECT_EQ(sender.execute("SYST:ERR?"),
            "-200,\"Execution error;request DD (word CC0009) failed: no board attached\"");
  EXPECT_EQ(other.execute("SYST:ERR?"), "0,\"No error\"");
  EXPECT_EQ(other.execute("*TST?"), "1");
  EXPECT_EQ(other.execute("SYST:ERR?"),
            "-330,\"Self-test failed;request DD (word 058580) failed: no board attached\"");

  sender.execute("BOAR:REL");
  std::vector<int> errors = DrainErrors(sender);
  EXPECT_FALSE(errors.empty());
  for (int code : errors) EXPECT_EQ(code, -200);
}

// The diagnostic queries of the simulated board refuse another link and send nothing.
TEST(CommandSimulation, AnotherLinkIsASettingsConflict) {
  FakeDriver driver;
  BoardLink link(driver);
  Session session(link, "/nonexistent");
  session.chooseModel(*FindPart("ZR810"));
  const scpi::CommandTree tree = InstrumentTree(session);
  scpi::Connection client(tree);
  for (const char* query : {"BOAR:SIM:WORD?", "BOAR:SIM:DAC0?", "BOAR:SIM:POW"}) {
    EXPECT_EQ(client.execute(query), std::nullopt) << query;
    EXPECT_EQ(DrainErrors(client), std::vector<int>{-221}) << query;
  }
  EXPECT_TRUE(driver.calls.empty());
}

}  // namespace

// After a direct word for channel 0's input register and an LDAC, the queries, the voltage and
// the saved setup read what the chip holds, as after the register's own write.
TEST(CommandWord, RegisterModelFollowsTheWordSent) {
  SessionBench bench("ZR810");
  const scpi::CommandTree tree = InstrumentTree(bench.session);
  scpi::Connection client(tree);
  SessionBench written("ZR810");
  const scpi::CommandTree writtenTree = InstrumentTree(written.session);
  scpi::Connection writer(writtenTree);

  client.execute("DAC0:X1A 4660");
  client.execute("WORD #HC85678;:LDAC");
  writer.execute("DAC0:X1A 22136;:LDAC");

  EXPECT_EQ(DrainErrors(client), std::vector<int>{});
  EXPECT_EQ(client.execute("DAC0:X1A?;X2A?;REG?"), "22136;22136;22136");
  EXPECT_EQ(client.execute("BOAR:SIM:DAC0?").value_or("").substr(0, 6), "22136,");
  EXPECT_EQ(client.execute("DAC0:VOLT?"), writer.execute("DAC0:VOLT?"));
  EXPECT_EQ(client.execute("*LRN?"), writer.execute("*LRN?"));
  EXPECT_EQ(bench.words().at(1), 0xC85678);
}

// A value out of range is -222 with the range it has to lie in for that model and register;
// nothing is sent and nothing changes.
TEST(CommandRange, OutOfRangeNamesTheRange) {
  struct Case {
    const char* model;
    const char* line;
    const char* error;
  };
  const Case cases[] = {
      {"ZR811", "DAC3:X1A 16384", "16384 is outside 0 to 16383 (14-bit model)"},
      {"ZR813", "DAC0:X1B 65536", "65536 is outside 0 to 16383 (14-bit model)"},
      {"ZR810", "DAC0:M -1", "-1 is outside 0 to 65535 (16-bit model)"},
      {"ZR822", "DAC31:C 65536", "65536 is outside 0 to 65535 (16-bit model)"},
      {"ZR810", "OFFS1 16384", "16384 is outside 0 to 16383 (14-bit offset DAC)"},
      {"ZR810", "WORD #H1000000", "16777216 is outside 0 to 16777215 (24-bit word)"},
      {"ZR810", "WORD -1", "-1 is outside 0 to 16777215 (24-bit word)"},
      {"ZR810", "REF0 -5", "VREF0: -5 V is outside the references: more than 0 V, at most 10 V"},
      {"ZR810", "REF1 0", "VREF1: 0 V is outside the references: more than 0 V, at most 10 V"},
      {"ZR820", "REF2 1.7976931348623157e308",
       "VREF2: 1.79769313486232E+308 V is outside the references: more than 0 V, at most 10 V"},
      {"ZR810", "REF0 10.001V",
       "VREF0: 10.001 V is outside the references: more than 0 V, at most 10 V"},
  };
  for (const Case& c : cases) {
    SessionBench bench(c.model);
    const scpi::CommandTree tree = InstrumentTree(bench.session);
    scpi::Connection client(tree);
    const std::string before = client.execute("*LRN?").value_or("");
    client.execute(c.line);
    EXPECT_EQ(client.execute("SYST:ERR?"),
              std::string("-222,\"Data out of range;") + c.error + "\"")
        << c.model << " " << c.line;
    EXPECT_EQ(client.execute("*LRN?"), before) << c.line;
    EXPECT_TRUE(bench.words().empty()) << c.line;
  }
}

TEST(CommandRange, ReferencesAtTheEndsOfTheirRangeAreTaken) {
  SessionBench bench("ZR810");
  const scpi::CommandTree tree = InstrumentTree(bench.session);
  scpi::Connection client(tree);
  EXPECT_EQ(client.execute("REF0 10;REF1 1e-6;REF0?;REF1?"), "10;1e-06");
  EXPECT_EQ(DrainErrors(client), std::vector<int>{});
}
