// Thousands of random actions on the session, on every model, with the simulated chip checked
// against the register model after each: every input, gain and offset register, X2A, X2B, every
// DAC register, the offset DACs, the A/B selects and the control register's route. Direct loads
// of any word are among the actions: the model follows them as the chip does.
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

class RandomSession : public testing::TestWithParam<PartInfo> {};

TEST_P(RandomSession, ChipAndRegisterModelAgreeAfterEveryAction) {
  const unsigned seed =
      EnvOr("DAC_EVAL_SESSION_SEED", 810u + static_cast<unsigned>(GetParam().bits));
  const unsigned actions = EnvOr("DAC_EVAL_SESSION_ACTIONS", 4000u);
  SessionBench bench(GetParam().name);
  RandomActions random(bench.session, seed);
  for (unsigned n = 1; n <= actions; ++n) {
    const std::string action = random.act();
    const std::string difference = ChipDisagreement(bench.board.chip(), bench.session);
    ASSERT_EQ(difference, "") << "seed " << seed << ", action " << n << ": " << action;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryModel, RandomSession, testing::ValuesIn(PartCatalogue()),
                         [](const testing::TestParamInfo<PartInfo>& row) {
                           return std::string(row.param.name);
                         });

}  // namespace
