// Thousands of random actions on the session, on every model, with the simulated chip checked
// against the register model after each: every input, gain and offset register, X2A, X2B, every
// DAC register, the offset DACs, the A/B selects, the control register's route, the monitor and
// GPIO registers and the LDAC line (chip_agreement.h). Direct loads of any word are among the
// actions: the model follows them as the chip does.
//
// DAC_EVAL_SESSION_SEED and DAC_EVAL_SESSION_ACTIONS override the seed and the number of actions.

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <sstream>
#include <string>

#include "chip_agreement.h"
#include "random_actions.h"
#include "session_bench.h"

namespace {

// The session keeps its monitor and GPIO choices through a RESET that clears the chip's
// registers: the chip holds its power-on values there until the program writes them again.
void FollowMonitorAndGpio(const SessionBench& bench, ChipShadow& shadow) {
  for (const auto& r : bench.board.requests()) {
    if (r.code == static_cast<uint8_t>(Request::ResetHigh)) shadow.monitorAndGpioPowerOn();
    if (r.code != static_cast<uint8_t>(Request::Spi) || r.direction != kDirectionOut) continue;
    const ChipWord word = DecodeChipWord((r.index << 16) | r.value, bench.session.chip().part());
    if (word.target == ChipWord::Target::Monitor) shadow.monitorWritten();
    if (word.target == ChipWord::Target::Gpio) shadow.gpioWritten();
  }
}

class RandomSession : public testing::TestWithParam<PartInfo> {};

TEST_P(RandomSession, ChipAndRegisterModelAgreeAfterEveryAction) {
  const unsigned seed =
      EnvOr("DAC_EVAL_SESSION_SEED", 810u + static_cast<unsigned>(GetParam().bits));
  const unsigned actions = EnvOr("DAC_EVAL_SESSION_ACTIONS", 4000u);
  SessionBench bench(GetParam().name);
  RandomActions random(bench.session, seed);
  ChipShadow shadow;
  shadow.followMonitorAndGpio();
  for (unsigned n = 1; n <= actions; ++n) {
    bench.board.clearRequests();
    const std::string action = random.act();
    FollowMonitorAndGpio(bench, shadow);
    const std::string difference = ChipDisagreement(bench.board.chip(), bench.session, shadow);
    ASSERT_EQ(difference, "") << "seed " << seed << ", action " << n << ": " << action;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryModel, RandomSession, testing::ValuesIn(PartCatalogue()),
                         [](const testing::TestParamInfo<PartInfo>& row) {
                           return std::string(row.param.name);
                         });

}  // namespace
