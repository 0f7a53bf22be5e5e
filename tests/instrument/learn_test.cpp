// *LRN?: the setup of a session in a random state as one line; sent to a fresh program of the
// same model, or back to the same one, every register query answers as before.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "connection.h"
#include "instrument_tree.h"
#include "line_assembler.h"
#include "session_bench.h"
#include "setup_scenes.h"

namespace {

// Every register query of the model, each on a line of its own, with its answer or error.
std::vector<std::string> Answers(scpi::Connection& client, const PartInfo& part) {
  std::vector<std::string> lines;
  for (int n = 0; n < part.channels; ++n) {
    lines.push_back("DAC" + std::to_string(n) +
                    ":X1A?;X1B?;M?;C?;X2A?;X2B?;REGister?;ABSel?;VOLTage?");
  }
  for (int k = 0; k < OffsetDacCount(part); ++k) lines.push_back("OFFS" + std::to_string(k) + "?");
  for (int k = 0; k < ReferenceCount(part); ++k) lines.push_back("REF" + std::to_string(k) + "?");
  lines.push_back("CONTrol:INPut?");
  if (part.monitorEntries > 0) {
    lines.insert(lines.end(), {"MONitor:STATe?", "MONitor:SELect?", "GPIO:MODE?"});
  }
  std::vector<std::string> answers;
  for (const std::string& line : lines) {
    answers.push_back(line + " -> " + client.execute(line).value_or("") + " " +
                      client.execute("SYST:ERR?").value_or(""));
  }
  return answers;
}

std::string ErrorsOf(scpi::Connection& client) {
  std::string errors;
  for (std::string e = *client.execute("SYST:ERR?"); e.rfind("0,", 0) != 0;
       e = *client.execute("SYST:ERR?")) {
    errors += e + "\n";
  }
  return errors;
}

class Learn : public testing::TestWithParam<const char*> {};

TEST_P(Learn, OneLineRestoresAFreshProgramAndTheSameOne) {
  SessionBench saved(GetParam());
  ScrambleSession(saved.session, 21);
  const PartInfo& part = *saved.session.chip().part();
  const scpi::CommandTree savedTree = InstrumentTree(saved.session);
  scpi::Connection savedClient(savedTree);
  const std::vector<std::string> before = Answers(savedClient, part);
  const std::string line = savedClient.execute("*LRN?").value_or("");
  ASSERT_EQ(ErrorsOf(savedClient), "");
  EXPECT_LE(line.size(), scpi::LineAssembler::kMaxLine);

  SessionBench fresh(GetParam());
  const scpi::CommandTree freshTree = InstrumentTree(fresh.session);
  scpi::Connection freshClient(freshTree);
  EXPECT_EQ(freshClient.execute(line), std::nullopt);
  EXPECT_EQ(ErrorsOf(freshClient), "");
  EXPECT_EQ(Answers(freshClient, part), before);
  EXPECT_EQ(ModelDifference(saved.session, fresh.session), "");

  EXPECT_EQ(savedClient.execute(line), std::nullopt);
  EXPECT_EQ(ErrorsOf(savedClient), "");
  EXPECT_EQ(Answers(savedClient, part), before);
}

INSTANTIATE_TEST_SUITE_P(Models, Learn,
                         testing::Values("ZR810", "ZR811", "ZR812", "ZR813", "ZR820", "ZR821",
                                         "ZR822", "ZR823"));

TEST(Learn, AReferenceThatIsNotANumberIsLeftOutAndNamed) {
  SessionBench bench("ZR810");
  bench.session.setReference(0, "2.5 V");
  const scpi::CommandTree tree = InstrumentTree(bench.session);
  scpi::Connection client(tree);
  const std::string line = client.execute("*LRN?").value_or("");
  EXPECT_EQ(line.find(":REF0 "), std::string::npos);
  EXPECT_NE(line.find(":REF1 5;"), std::string::npos) << line;
  EXPECT_EQ(ErrorsOf(client),
            "-221,\"Settings conflict;VREF0 is \"\"2.5 V\"\", not a voltage: left out\"\n");
}

}  // namespace
