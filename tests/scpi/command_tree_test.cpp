// Building the tree: malformed patterns and clashes are refused with a message, and a refused
// pattern leaves the tree as it was.

#include "command_tree.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "call.h"
#include "connection.h"
#include "standard_tree.h"

namespace {

void Nothing(scpi::Call&) {}

TEST(CommandTree, RefusesMalformedPatterns) {
  const char* patterns[] = {
      "",
      "?",
      ":",
      "DAC#:",
      "DAC::X1A",
      ":DAC:",
      "DAC#1",
      "X1#",
      "AB1cd#",
      "dac",
      "DAC-1",
      "1DAC",
      "SYSTem:ERRor[:NEXT",
      "A[:B:C]",
      "[A]",
      "A]B",
      "A[B]",
      "A[[:B]]",
      "[]:A",
      "*",
      "*ID1",
      "*IDN??",
      "SYSTem:ERRor?:X",
      "A:B:C:D:E:F:G:H:I:J:K:L:M",
      "A[:B][:C][:D][:E][:F]",
      "OUTPut1",
      "SYSTem:ERRoR",
  };
  for (const char* pattern : patterns) {
    scpi::CommandTree tree;
    EXPECT_THROW(tree.add(pattern, 0, 0, Nothing), std::invalid_argument) << pattern;
    EXPECT_EQ(tree.commandCount(), 0u) << pattern;
  }
}

TEST(CommandTree, RefusesClashesAndBadRanges) {
  struct Clash {
    const char* first;
    const char* second;
  };
  const Clash clashes[] = {
      {"SYSTem:ERRor[:NEXT]?", "SYST:ERR:NEXT?"},  // SYST would name both
      {"SYSTem:ERRor[:NEXT]?", "SYSTem:ERRor?"},   // already there without NEXT
      {"OUT1", "OUT#"},                            // OUT1 names both
      {"OUT#", "OUT"},
      {"VOLTage", "VOLT"},
      {"VOLTage", "VOLTAGE"},
      {"*IDN?", "*idn?"},
      {"LDAC", "LDAC"},
  };
  for (const Clash& c : clashes) {
    scpi::CommandTree tree;
    tree.add(c.first, 0, 0, Nothing);
    EXPECT_THROW(tree.add(c.second, 0, 0, Nothing), std::invalid_argument) << c.second;
  }
  scpi::CommandTree tree;
  EXPECT_THROW(tree.add("A", 1, 0, Nothing), std::invalid_argument);
  EXPECT_THROW(tree.add("A", -1, 0, Nothing), std::invalid_argument);
  EXPECT_THROW(tree.add("A", 0, 0, nullptr), std::invalid_argument);
  // Distinct commands that only look alike are fine.
  tree.add("OUTPut#:STATe", 0, 0, Nothing);
  tree.add("OUTPut#:STATe?", 0, 0, Nothing);
  tree.add("X1A", 0, 0, Nothing);
  tree.add("X1B", 0, 0, Nothing);
  tree.add("X#:A", 0, 0, Nothing);
  EXPECT_EQ(tree.commandCount(), 5u);
}

TEST(CommandTree, RefusedPatternChangesNothing) {
  scpi::CommandTree tree = scpi::StandardTree();
  int runs = 0;
  tree.add("A:QUEry", 0, 0, [&](scpi::Call&) { ++runs; });
  // Its form A:B:QUE would be new, but its form A:QUE clashes with A:QUEry.
  EXPECT_THROW(tree.add("A[:B]:QUE", 0, 0, [&](scpi::Call&) { runs += 100; }),
               std::invalid_argument);
  scpi::Connection connection(tree);
  connection.execute("A:B:QUE");
  connection.execute("A:QUE");
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(connection.execute("SYST:ERR?"), R"(-113,"Undefined header;'A:B:QUE'")");
}

TEST(CommandTree, SuffixesInPatternOrderWithBracketedNodes) {
  scpi::CommandTree tree;
  std::string seen;
  tree.add("[SOURce#]:DAC#:OFFSet#", 0, 0, [&](scpi::Call& call) {
    seen = std::to_string(call.suffix(0)) + "," + std::to_string(call.suffix(1)) + "," +
           std::to_string(call.suffix(2));
  });
  scpi::Connection connection(tree);
  const std::pair<const char*, const char*> cases[] = {
      {"SOUR4:DAC5:OFFS6", "4,5,6"},
      {"DAC5:OFFS6", "1,5,6"},
      {"SOURCE:DAC:OFFSET", "1,1,1"},
  };
  for (const auto& [line, suffixes] : cases) {
    seen.clear();
    connection.execute(line);
    EXPECT_EQ(seen, suffixes) << line;
  }
}

TEST(CommandTree, SuffixBeyondThePatternThrowsAndBecomesAnExecutionError) {
  scpi::CommandTree tree = scpi::StandardTree();
  tree.add("LDAC", 0, 0, [](scpi::Call& call) { call.suffix(0); });
  tree.add("DAC#", 0, 0, [](scpi::Call& call) { call.suffixIn(0, 0, 39); });
  scpi::Connection connection(tree);
  // An exception is an execution error, after which the line goes on; -114 is a command error.
  EXPECT_EQ(connection.execute("LDAC;DAC39;SYST:ERR?;:SYST:ERR?"),
            R"(-200,"Execution error;suffix 0 of LDAC, which has 0";0,"No error")");
  EXPECT_EQ(connection.execute("DAC40;SYST:ERR?"), std::nullopt);
  EXPECT_EQ(connection.execute("SYST:ERR?"),
            R"(-114,"Header suffix out of range;40 in DAC40 is outside 0 to 39")");
}

}  // namespace
