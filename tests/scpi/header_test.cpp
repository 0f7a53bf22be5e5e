// Header lookup: short and long forms in any case, numeric suffixes, bracketed nodes, undefined
// and malformed headers, and the header path across the message units of one line.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_tree.h"

namespace {

struct HeaderCase {
  const char* line;
  std::vector<std::string> log;  // what the handlers ran with
  std::vector<int> errors;
};

void Check(const HeaderCase& c) {
  TestBench bench;
  bench.run(c.line);
  EXPECT_EQ(bench.log, c.log) << c.line;
  EXPECT_EQ(TakeErrors(bench.connection), c.errors) << c.line;
}

TEST(HeaderForms, ShortLongCaseSuffixesAndBrackets) {
  const HeaderCase cases[] = {
      {"DAC0:X1A 5", {"DAC#:X1A[0](5)"}, {}},
      {"dac12:x1a 5", {"DAC#:X1A[12](5)"}, {}},
      {"Dac7:X1a 5", {"DAC#:X1A[7](5)"}, {}},
      {"DAC:X1A 5", {"DAC#:X1A[1](5)"}, {}},
      {"DAC007:X1A 5", {"DAC#:X1A[7](5)"}, {}},
      {"DAC999999999:X1A 5", {"DAC#:X1A[999999999](5)"}, {}},
      {"DAC1000000000:X1A 5", {}, {-114}},
      {"DAC0:OFFS2:VOLT 1", {"DAC#:OFFSet#:VOLTage[0,2](1)"}, {}},
      {"DAC:OFFSET:VOLTAGE 1", {"DAC#:OFFSet#:VOLTage[1,1](1)"}, {}},
      {"DAC3:OFFSE:VOLT 1", {}, {-113}},
      {"DAC3:OFF:VOLT 1", {}, {-113}},
      {"SOURce:MODE LOW", {"[SOURce]:MODE[](LOW)"}, {}},
      {"sour:mode LOW", {"[SOURce]:MODE[](LOW)"}, {}},
      {"MODE LOW", {"[SOURce]:MODE[](LOW)"}, {}},
      {"SOURC:MODE LOW", {}, {-113}},
      {"MEAS:VOLT?", {"MEASure:VOLTage[:DC]?[]()"}, {}},
      {"MEASURE:VOLTAGE:DC?", {"MEASure:VOLTage[:DC]?[]()"}, {}},
      {"MEAS:VOLT:D?", {}, {-113}},
      {":DAC4:X1B 5", {"DAC#:X1B[4](5)"}, {}},
      {"DA0:X1A 5", {}, {-113}},
      {"DAC0:X1A5 5", {}, {-113}},
      {"DACX:X1A 5", {}, {-113}},
      {"LDAC2", {}, {-113}},
      {"LDAC?", {}, {-113}},  // no query form registered
      {"*RST?", {}, {-113}},  // nor here
      {"*IDN", {}, {-113}},   // nor a setting form here
      {"*rst", {"*RST[]()"}, {}},
      {"DAC0::X1A 5", {}, {-102}},
      {"DAC0:X1A: 5", {}, {-102}},
      {"DAC0:X1A?X", {}, {-102}},
      {"DAC0:X1A,5", {}, {-102}},
      {"DAC0:X1A\"5\"", {}, {-102}},
      {"1DAC:X1A 5", {}, {-102}},
      {":*RST", {}, {-102}},
      {"*", {}, {-102}},
      {"?", {}, {-102}},
      {":", {}, {-102}},
      {"DAC_0:X1A 5", {}, {-113}},
  };
  for (const HeaderCase& c : cases) Check(c);
}

TEST(HeaderPath, RelativeUnitsFollowThePreviousHeader) {
  const HeaderCase cases[] = {
      // Suffixes of the path's nodes are kept for the units after.
      {"DAC2:X1A 1;X1B 2", {"DAC#:X1A[2](1)", "DAC#:X1B[2](2)"}, {}},
      {"DAC2:OFFS3:VOLT 1;VOLT 2",
       {"DAC#:OFFSet#:VOLTage[2,3](1)", "DAC#:OFFSet#:VOLTage[2,3](2)"},
       {}},
      // The path is DAC2:OFFSet3, not DAC2.
      {"DAC2:OFFS3:VOLT 1;OFFS4:VOLT 2", {"DAC#:OFFSet#:VOLTage[2,3](1)"}, {-113}},
      {"DAC2:X1A 1;:DAC3:X1B 2", {"DAC#:X1A[2](1)", "DAC#:X1B[3](2)"}, {}},
      // Relative to DAC2: there is no DAC2:DAC3.
      {"DAC2:X1A 1;DAC3:X1B 2", {"DAC#:X1A[2](1)"}, {-113}},
      // Common commands are found anywhere and leave the path alone.
      {"DAC2:X1A 1;*RST;X1B 2", {"DAC#:X1A[2](1)", "*RST[]()", "DAC#:X1B[2](2)"}, {}},
      // A one-node header leaves the path at the root.
      {"LDAC;LDAC;:LDAC", {"LDAC[]()", "LDAC[]()", "LDAC[]()"}, {}},
      {"SOUR:MODE LOW;MODE?", {"[SOURce]:MODE[](LOW)", "[SOURce]:MODE?[]()"}, {}},
      // A bracketed node left out: the path ends above the last node as written.
      {"MEAS:VOLT?;VOLT:DC?", {"MEASure:VOLTage[:DC]?[]()", "MEASure:VOLTage[:DC]?[]()"}, {}},
      {"MEAS:VOLT:DC?;DC?", {"MEASure:VOLTage[:DC]?[]()", "MEASure:VOLTage[:DC]?[]()"}, {}},
  };
  for (const HeaderCase& c : cases) Check(c);
}

TEST(HeaderPath, EveryLineStartsAtTheRoot) {
  TestBench bench;
  bench.run("DAC2:X1A 1");
  bench.run("X1B 2");
  EXPECT_EQ(bench.log, std::vector<std::string>{"DAC#:X1A[2](1)"});
  EXPECT_EQ(TakeErrors(bench.connection), std::vector<int>{-113});
}

TEST(HeaderErrors, DetailNamesTheHeader) {
  TestBench bench;
  bench.run("DAC0:X1C 5");
  bench.run("DAC0:X1A\"");
  EXPECT_EQ(TakeErrorTexts(bench.connection),
            (std::vector<std::string>{R"(-113,"Undefined header;'DAC0:X1C'")",
                                      R"(-102,"Syntax error;malformed header 'DAC0:X1A""'")"}));
}

}  // namespace
