// Running lines: parameter counts, what runs after a command error and after an execution error,
// and the joining of the answers of one line into one reply.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "call.h"
#include "connection.h"
#include "standard_tree.h"
#include "test_tree.h"

namespace {

struct LineCase {
  const char* line;
  std::vector<std::string> log;
  std::vector<int> errors;
  std::optional<std::string> reply;
};

void Check(const LineCase& c) {
  TestBench bench;
  const std::optional<std::string> reply = bench.run(c.line);
  EXPECT_EQ(bench.log, c.log) << c.line;
  EXPECT_EQ(TakeErrors(bench.connection), c.errors) << c.line;
  EXPECT_EQ(reply, c.reply) << c.line;
}

TEST(Parameters, CountsAndSeparators) {
  const LineCase cases[] = {
      {"LDAC 1", {}, {-108}, {}},
      {"LDAC 1,,", {}, {-108}, {}},  // too many is known before the empty parameter
      {"DAC0:X1A", {}, {-109}, {}},
      {"DAC0:X1A 1,2", {}, {-108}, {}},
      {"DAC0:X1A?  5", {}, {-108}, {}},
      {"RANGe 1", {}, {-109}, {}},
      {"RANGe 1,2", {"RANGe[](1,2)"}, {}, {}},
      {"RANGe  1 ,\t2 , 3 ", {"RANGe[](1,2,3)"}, {}, {}},
      {"RANGe 1,2,3,4", {}, {-108}, {}},
      {"RANGe 1,,3", {}, {-102}, {}},
      {"RANGe 1,2,", {}, {-102}, {}},
      {"RANGe ,1", {}, {-102}, {}},
      {"RANGe \"a,b\",'c;d'", {"RANGe[](\"a,b\",'c;d')"}, {}, {}},
      {"RANGe \"a\"\"b\",2", {"RANGe[](\"a\"\"b\",2)"}, {}, {}},
      {"RANGe \"a,2", {}, {-102}, {}},
      {"LDAC \t ", {"LDAC[]()"}, {}, {}},
      {"MEAS:VOLT? 1;:MEAS:VOLT? 1,2", {"MEASure:VOLTage[:DC]?[](1)"}, {-108}, {"2.5"}},
  };
  for (const LineCase& c : cases) Check(c);
}

TEST(LineExecution, CommandErrorEndsTheLineExecutionErrorDoesNot) {
  const LineCase cases[] = {
      {"FOO;LDAC", {}, {-113}, {}},
      // Without the leading ':' LDAC would be looked up under FAIL.
      {"FAIL:EXEC;LDAC", {"FAIL:EXECution[]()"}, {-221, -113}, {}},
      {"LDAC 1;LDAC", {}, {-108}, {}},
      {"LDAC;FOO;LDAC", {"LDAC[]()"}, {-113}, {}},
      {"FAIL:EXEC;:LDAC", {"FAIL:EXECution[]()", "LDAC[]()"}, {-221}, {}},
      {"FAIL:THR;:LDAC", {"FAIL:THRow[]()", "LDAC[]()"}, {-200}, {}},
      {"FAIL:COMM;:LDAC", {"FAIL:COMMand[]()"}, {-100}, {}},
      // Errors from the parameter readers: out of range is an execution error, a wrong kind of
      // data a command error.
      {"VAL 65536;LDAC", {"VALue[](65536)", "LDAC[]()"}, {-222}, {}},
      {"VAL ABC;LDAC", {"VALue[](ABC)"}, {-104}, {}},
      {"ENAB 2;LDAC", {"ENABle[](2)", "LDAC[]()"}, {-224}, {}},
      {"LEV 1x;LDAC", {"LEVel[](1x)"}, {-131}, {}},
      // Answers given before a command error are still sent.
      {"*IDN?;FOO;*IDN?", {"*IDN?[]()"}, {-113}, {"TEST,ENGINE,0,1"}},
      {"FAIL:EXEC;*IDN?", {"FAIL:EXECution[]()", "*IDN?[]()"}, {-221}, {"TEST,ENGINE,0,1"}},
  };
  for (const LineCase& c : cases) Check(c);
}

TEST(Replies, AnswersOfOneLineJoinedWithSemicolons) {
  const LineCase cases[] = {
      {"*IDN?", {"*IDN?[]()"}, {}, {"TEST,ENGINE,0,1"}},
      {"*IDN?;*OPC?", {"*IDN?[]()"}, {}, {"TEST,ENGINE,0,1;1"}},
      {"DAC1:X1A?;X1A?;:DAC2:X1A?",
       {"DAC#:X1A?[1]()", "DAC#:X1A?[1]()", "DAC#:X1A?[2]()"},
       {},
       {"1;1;2"}},
      {"LDAC;MODE?;LDAC", {"LDAC[]()", "[SOURce]:MODE?[]()", "LDAC[]()"}, {}, {"LOW"}},
      {"LDAC", {"LDAC[]()"}, {}, {}},
      {"", {}, {}, {}},
      {" ;; \t; ", {}, {}, {}},
      {"  *OPC?  ", {}, {}, {"1"}},
      {"FOO?", {}, {-113}, {}},
      {"RANGe \"x;*IDN?\",1", {"RANGe[](\"x;*IDN?\",1)"}, {}, {}},
  };
  for (const LineCase& c : cases) Check(c);
}

// A line whose reply would pass the limit: the answer that would pass it is dropped with -223,
// the rest of the line is skipped, and what came before is kept. Run a unit at a time, the line
// gives the same reply in pieces.
TEST(Replies, ALineReplyHasALimit) {
  scpi::CommandTree tree = scpi::StandardTree();
  tree.add("DATA?", 1, 1, [](scpi::Call& call) {
    if (auto bytes = call.code(0, 0, 1 << 24)) call.reply(std::string(*bytes, 'x'));
  });
  scpi::Connection connection(tree);
  constexpr std::size_t kMiB = 1024 * 1024;
  const std::string quarter = "DATA? " + std::to_string(kMiB) + ";";
  const std::string line = quarter + quarter + quarter + quarter + "*OPC?";
  const std::optional<std::string> reply = connection.execute(line);
  ASSERT_TRUE(reply.has_value());
  EXPECT_EQ(reply->size(), 3 * kMiB + 2);
  EXPECT_EQ(
      TakeErrorTexts(connection),
      std::vector<std::string>{
          R"x(-223,"Too much data;the reply to this line would pass 4194304 bytes (4 MiB)")x"});
  EXPECT_EQ(connection.execute("DATA? 4194304"), std::string(4 * kMiB, 'x'));
  EXPECT_EQ(connection.execute("DATA? 4194305;*OPC?"), std::nullopt);

  std::string pieces;
  int units = 0;
  connection.begin("DATA? 3;*OPC?;FOO;*OPC?");
  while (connection.step()) {
    ++units;
    pieces += connection.takeReply() + "|";
  }
  pieces += connection.takeReply();
  EXPECT_EQ(units, 2);  // FOO ends the line
  EXPECT_EQ(pieces, "xxx|;1|");
  EXPECT_TRUE(connection.answered());
  EXPECT_FALSE(connection.inLine());
}

}  // namespace
