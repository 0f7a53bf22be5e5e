#pragma once
// A small command tree of the program's shape for the engine's tests. Its handlers log what
// they ran with: "<pattern>[<suffixes>](<parameters>)", e.g. "DAC#:X1A[3](12345)".

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "command_tree.h"
#include "connection.h"

// The standard tree plus:
//   DAC#:X1A (1), DAC#:X1A? (0, answers the suffix), DAC#:X1B (1), DAC#:OFFSet#:VOLTage (1),
//   [SOURce]:MODE (1), [SOURce]:MODE? (0, answers "LOW"), LDAC (0), MEASure:VOLTage[:DC]? (0..1,
//   answers "2.5"), RANGe (2..3), VALue (1, an integer 0..65535), LEVel (1, volts), ENABle (1,
//   boolean), *IDN? (answers "TEST,ENGINE,0,1"), *RST, FAIL:EXECution (queues -221),
//   FAIL:COMMand (queues -100), FAIL:THRow (throws "boom").
scpi::CommandTree TestTree(std::vector<std::string>& log);

// The numbers of the errors queued on `connection`, oldest first; the queue is left empty.
std::vector<int> TakeErrors(scpi::Connection& connection);

// The errors as SYSTem:ERRor? would answer them, oldest first; the queue is left empty.
std::vector<std::string> TakeErrorTexts(scpi::Connection& connection);

// A connection over the test tree with its log.
struct TestBench {
  TestBench() = default;
  TestBench(const TestBench&) = delete;  // the tree's handlers hold on to `log`
  TestBench& operator=(const TestBench&) = delete;

  std::vector<std::string> log;
  scpi::CommandTree tree = TestTree(log);
  scpi::Connection connection{tree};

  std::optional<std::string> run(std::string_view line) { return connection.execute(line); }
};
