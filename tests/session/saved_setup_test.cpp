// Setups captured from sessions in random states and restored onto fresh and busy sessions of
// the same model: the register model, the simulated chip and the requests sent. (The setups that
// are refused are in tests/setups, as the files that hold them.)

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "chip_agreement.h"
#include "session_bench.h"
#include "setup_scenes.h"

namespace {

SavedSetup Capture(const Session& session) {
  SavedSetup setup;
  const Refused refused = CaptureSetup(session, setup);
  EXPECT_FALSE(refused) << refused->text;
  return setup;
}

int Count(const std::vector<int>& codes, Request code) {
  return static_cast<int>(std::count(codes.begin(), codes.end(), static_cast<int>(code)));
}

class RoundTrip : public testing::TestWithParam<std::tuple<const char*, unsigned>> {};

TEST_P(RoundTrip, RestoresTheSavedRegisterModelWhateverTheSessionHeld) {
  const auto [model, seed] = GetParam();
  SessionBench saved(model);
  ScrambleSession(saved.session, seed);
  const SavedSetup setup = Capture(saved.session);
  const Refused check = CheckSetup(setup);
  ASSERT_FALSE(check) << check->text;

  SessionBench fresh(model);
  SessionBench busy(model);
  ScrambleSession(busy.session, seed + 7919);
  busy.board.clearRequests();
  ASSERT_FALSE(RestoreSetup(fresh.session, setup));
  ASSERT_FALSE(RestoreSetup(busy.session, setup));

  ASSERT_EQ(ChipDisagreement(saved.board.chip(), saved.session), "");
  for (SessionBench* restored : {&fresh, &busy}) {
    // The same register model, and a chip that holds what it says: the chip holds the same
    // words as the one the setup was saved from.
    EXPECT_EQ(ModelDifference(saved.session, restored->session), "");
    EXPECT_EQ(ChipDisagreement(restored->board.chip(), restored->session), "");
    EXPECT_EQ(restored->board.chip().monitor, saved.board.chip().monitor);
    EXPECT_EQ(restored->board.chip().gpio, saved.board.chip().gpio);
    EXPECT_EQ(Capture(restored->session), setup);
    // One LDAC: last of all when the DAC registers hold the selected X2, before the channel
    // writes when they do not.
    const std::vector<int> codes = restored->codes();
    EXPECT_EQ(Count(codes, Request::LdacPulse), 1);
    EXPECT_EQ(codes.back() == static_cast<int>(Request::LdacPulse), setup.dacRegistersLoaded);
  }
}

INSTANTIATE_TEST_SUITE_P(Models, RoundTrip,
                         testing::Combine(testing::Values("ZR810", "ZR811", "ZR812", "ZR813",
                                                          "ZR820", "ZR821", "ZR822", "ZR823"),
                                          testing::Values(1u, 2u, 3u, 4u)));

// The scenes above reach what makes a restore hard: X2s left behind under both routes, and DAC
// registers that do not hold their selected X2.
TEST(SetupScenes, LeaveCorrectedCodesAndDacRegistersBehind) {
  int staleA = 0;
  int staleB = 0;
  int unloaded = 0;
  for (unsigned seed = 1; seed <= 4; ++seed) {
    SessionBench bench("ZR810");
    ScrambleSession(bench.session, seed);
    const SavedSetup setup = Capture(bench.session);
    unloaded += setup.dacRegistersLoaded ? 0 : 1;
    for (const SavedChannel& ch : setup.channels) {
      staleA += CorrectedCode(ch.x1a, ch.m, ch.c, 16) != ch.x2a ? 1 : 0;
      staleB += CorrectedCode(ch.x1b, ch.m, ch.c, 16) != ch.x2b ? 1 : 0;
    }
  }
  EXPECT_GT(staleA, 0);
  EXPECT_GT(staleB, 0);
  EXPECT_GT(unloaded, 0);
}

TEST(RestoreSetup, RefusedWhileLdacIsHeldLow) {
  SessionBench bench("ZR810");
  const SavedSetup setup = Capture(bench.session);
  bench.session.lineRequest(Request::LdacLow);
  bench.board.clearRequests();
  const Refused refused = RestoreSetup(bench.session, setup);
  ASSERT_TRUE(refused);
  EXPECT_NE(refused->text.find("LDAC is held low"), std::string::npos);
  EXPECT_TRUE(bench.codes().empty());
}

// Whether some gain and offset give `x2` from `x1`: for each gain the offsets give a run of
// consecutive corrected codes.
bool ReachableByBruteForce(int32_t x1, int32_t x2, int16_t bits) {
  const int32_t full = FullScaleGain(bits);
  for (int32_t m = 0; m <= full; ++m) {
    if (*CorrectedCode(x1, m, 0, bits) <= x2 && x2 <= *CorrectedCode(x1, m, full, bits)) {
      return true;
    }
  }
  return false;
}

TEST(GainOffsetFor, FindsAGainAndOffsetExactlyWhenOneExists) {
  std::mt19937 rng(5);
  constexpr int16_t kBits = 14;
  const int32_t full = FullScaleGain(kBits);
  const auto draw = [&rng](int32_t low, int32_t high) {
    return std::uniform_int_distribution<int32_t>(low, high)(rng);
  };
  for (int i = 0; i < 300; ++i) {
    // Small and large inputs, and mostly X2 below what full-scale gain reaches.
    const int32_t x1 = i % 3 == 0 ? draw(0, 40) : draw(0, full);
    const int32_t x2 = i % 4 == 0 ? draw(LowestCorrectedCode(kBits), HighestCorrectedCode(kBits))
                                  : draw(LowestCorrectedCode(kBits), x1 - MidScaleOffset(kBits));
    const std::optional<GainOffset> found = GainOffsetFor(x1, x2, kBits);
    ASSERT_EQ(found.has_value(), ReachableByBruteForce(x1, x2, kBits)) << x1 << " -> " << x2;
    if (!found) continue;
    EXPECT_TRUE(found->m >= 0 && found->m <= full && found->c >= 0 && found->c <= full);
    EXPECT_EQ(CorrectedCode(x1, found->m, found->c, kBits), x2) << x1 << " -> " << x2;
  }
}

}  // namespace
