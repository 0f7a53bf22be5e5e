// Setups captured from sessions in random states and restored onto fresh and busy sessions of
// the same model: the register model, the simulated chip and the requests sent; setups that cannot
// be restored, refused with nothing sent.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>

#include "case_name.h"
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

struct BadSetup {
  const char* name;
  const char* model;
  std::function<void(SavedSetup&)> spoil;
  const char* message;
};

void PrintTo(const BadSetup& c, std::ostream* out) {
  *out << c.name;
}

class Refuses : public testing::TestWithParam<BadSetup> {};

TEST_P(Refuses, NamesTheKeyAndSendsAndChangesNothing) {
  const BadSetup& c = GetParam();
  SessionBench bench(c.model);
  ScrambleSession(bench.session, 11);
  SavedSetup setup = Capture(bench.session);
  setup.dacRegistersLoaded = true;
  for (SavedChannel& ch : setup.channels) {
    ch.x2a = *CorrectedCode(ch.x1a, ch.m, ch.c, bench.session.chip().PartBits);
    ch.x2b = *CorrectedCode(ch.x1b, ch.m, ch.c, bench.session.chip().PartBits);
    ch.dacRegister = ch.fromX2B ? ch.x2b : ch.x2a;
  }
  ASSERT_FALSE(CheckSetup(setup));
  c.spoil(setup);
  ScrambleSession(bench.session, 12);
  const SavedSetup before = Capture(bench.session);
  bench.board.clearRequests();

  const Refused refused = RestoreSetup(bench.session, setup);
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->text.rfind(c.message, 0), 0u) << refused->text;
  EXPECT_TRUE(bench.codes().empty());
  EXPECT_EQ(Capture(bench.session), before);
}

INSTANTIATE_TEST_SUITE_P(
    Setups, Refuses,
    testing::Values(
        BadSetup{"UnknownModel", "ZR810", [](SavedSetup& s) { s.model = "ZR999"; },
                 "model: unknown model \"ZR999\""},
        BadSetup{"AnotherModel", "ZR811", [](SavedSetup& s) { s.model = "ZR810"; },
                 "the setup is for ZR810, not for ZR811"},
        BadSetup{"ChannelMissing", "ZR812", [](SavedSetup& s) { s.channels.pop_back(); },
                 "channels: ZR812 has 8 channels, the setup lists 7"},
        BadSetup{"CodeWiderThanTheModel", "ZR813", [](SavedSetup& s) { s.channels[7].x1b = 16384; },
                 "channels[7].x1b: 16384 is outside 0 to 16383"},
        BadSetup{"NegativeGain", "ZR810", [](SavedSetup& s) { s.channels[2].m = -1; },
                 "channels[2].m: -1 is outside 0 to 65535"},
        BadSetup{"CorrectedCodeOutOfReach", "ZR810",
                 [](SavedSetup& s) { s.channels[1].x2b = 98303; },
                 "channels[1].x2b: 98303 is outside -32768 to 98302"},
        BadSetup{"BothCorrectedCodesLeftBehind", "ZR822",
                 [](SavedSetup& s) {
                   s.dacRegistersLoaded = false;
                   s.channels[30].x2a = s.channels[30].x2a == 0 ? 1 : 0;
                   s.channels[30].x2b = s.channels[30].x2b == 0 ? 1 : 0;
                 },
                 "channels[30]: x2a and x2b both differ"},
        BadSetup{"CorrectedCodeNoGainGives", "ZR810",
                 [](SavedSetup& s) {
                   s.dacRegistersLoaded = false;
                   s.channels[0] = {
                       .x1a = 65535, .x1b = 0, .m = 65535, .c = 32768, .x2a = -32768, .x2b = 0};
                 },
                 "channels[0].x2a: -32768 cannot come from X1A 65535"},
        BadSetup{"DacRegisterNotLoaded", "ZR821",
                 [](SavedSetup& s) {
                   s.channels[39].dacRegister += s.channels[39].dacRegister > 0 ? -1 : 1;
                 },
                 "channels[39].dacRegister:"},
        BadSetup{"OffsetDacWiderThan14Bits", "ZR820",
                 [](SavedSetup& s) { s.offsetDacs[1] = 16384; },
                 "offsetDacs[1]: 16384 is outside 0 to 16383"},
        BadSetup{"ThirdOffsetDacOfAModelWithout", "ZR820",
                 [](SavedSetup& s) { s.offsetDacs.push_back(0); },
                 "offsetDacs: ZR820 has 2 offset DACs, the setup lists 3"},
        BadSetup{"ReferenceNotANumber", "ZR821",
                 [](SavedSetup& s) { s.references[2] = std::nan(""); },
                 "references[2]: not a voltage"},
        BadSetup{"MonitorChannelBeyondTheList", "ZR812",
                 [](SavedSetup& s) { s.monitor->channel = 8; },
                 "monitor.channel: 8 is outside 0 to 7"},
        BadSetup{"MonitorMissing", "ZR810", [](SavedSetup& s) { s.monitor.reset(); },
                 "monitor: missing"},
        BadSetup{"GpioOfAModelWithout", "ZR823", [](SavedSetup& s) { s.gpio = GpioMode::Input; },
                 "gpio: ZR823 has no monitor or GPIO pin"}),
    CaseName());

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

TEST(CaptureSetup, NamesAReferenceThatIsNotAVoltage) {
  SessionBench bench("ZR812");
  bench.session.setReference(1, "2.5 V");
  SavedSetup setup;
  const Refused refused = CaptureSetup(bench.session, setup);
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->text, "VREF1 is \"2.5 V\", not a voltage");
  EXPECT_TRUE(std::isnan(setup.references[1]));
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
