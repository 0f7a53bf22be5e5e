// The direct load: the word goes to the board exactly as given, and the register model takes it
// as the chip decodes it, ending where the action that sends that word would have left it. Words
// the chip ignores leave the model alone.

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "chip_agreement.h"
#include "session_bench.h"

namespace {

using Steps = std::function<void(Session&)>;

struct DirectCase {
  const char* name;
  const char* model;
  Steps before;    // run on both sessions first
  int32_t word;    // the direct load on the first
  Steps matching;  // the actions on the second that the word stands for
};

// Everything of the register model a display or a saved setup reads.
std::string ModelText(const Session& s) {
  std::ostringstream out;
  for (const DAC& r : s.chip().DACs) {
    out << r.X1A() << ',' << r.X1B() << ',' << r.M() << ',' << r.C() << ',' << r.X2A << ',' << r.X2B
        << ',' << r.DACregValue() << ',' << r.ABsel() << ';';
  }
  for (int k = 0; k < 3; ++k) out << " offset " << s.chip().OffsetDAC(k);
  out << " route " << s.inputRegisterB() << " monitor " << s.monitorState() << " gpio "
      << static_cast<int>(s.gpioMode());
  return out.str();
}

class DirectLoad : public testing::TestWithParam<DirectCase> {};

TEST_P(DirectLoad, ModelEndsAsAfterTheMatchingActionAndTheWordGoesOutAsGiven) {
  const DirectCase& c = GetParam();
  SessionBench direct(c.model);
  SessionBench acted(c.model);
  if (c.before) {
    c.before(direct.session);
    c.before(acted.session);
  }
  direct.board.clearRequests();

  EXPECT_FALSE(direct.session.directLoad(c.word).has_value());
  if (c.matching) c.matching(acted.session);

  EXPECT_EQ(direct.words(), std::vector<int32_t>{c.word});
  EXPECT_EQ(direct.session.lastWord(), c.word);
  EXPECT_EQ(ModelText(direct.session), ModelText(acted.session));
  EXPECT_EQ(ChipDisagreement(direct.board.chip(), direct.session), "");
}

INSTANTIATE_TEST_SUITE_P(
    Words, DirectLoad,
    testing::Values(
        DirectCase{"InputOfRouteA",
                   "ZR810",
                   {},
                   0xC81234,
                   [](Session& s) { (void)s.writeRegister(0, ChannelRegister::X1A, 0x1234); }},
        DirectCase{"InputOfRouteB", "ZR810", [](Session& s) { s.chooseInputRegister(true); },
                   0xD7FFFF,
                   [](Session& s) { (void)s.writeRegister(15, ChannelRegister::X1B, 0xFFFF); }},
        DirectCase{"FourteenBitInput",
                   "ZR811",
                   {},
                   0xC90000 | (0x1ABC << 2),
                   [](Session& s) { (void)s.writeRegister(1, ChannelRegister::X1A, 0x1ABC); }},
        DirectCase{"FourteenBitLowBitsDropped",
                   "ZR813",
                   {},
                   0xD30000 | (0x0123 << 2) | 3,
                   [](Session& s) { (void)s.writeRegister(11, ChannelRegister::X1A, 0x0123); }},
        DirectCase{"GainRecomputesX2OfTheRoute", "ZR820",
                   [](Session& s) { s.chooseInputRegister(true); }, 0x6F8000,
                   [](Session& s) { (void)s.writeRegister(39, ChannelRegister::M, 0x8000); }},
        DirectCase{"Offset",
                   "ZR822",
                   {},
                   0x8B1234,
                   [](Session& s) { (void)s.writeRegister(3, ChannelRegister::C, 0x1234); }},
        DirectCase{"InputWhileLdacHeldLow", "ZR810",
                   [](Session& s) { s.lineRequest(Request::LdacLow); }, 0xCA4000,
                   [](Session& s) { (void)s.writeRegister(2, ChannelRegister::X1A, 0x4000); }},
        DirectCase{"ControlRouteB",
                   "ZR812",
                   {},
                   0x010004,
                   [](Session& s) { s.chooseInputRegister(true); }},
        DirectCase{"ControlWithPowerDownBitRoutesToA", "ZR812",
                   [](Session& s) { s.chooseInputRegister(true); }, 0x010001,
                   [](Session& s) { s.chooseInputRegister(false); }},
        DirectCase{"OffsetDac",
                   "ZR821",
                   {},
                   0x041555,
                   [](Session& s) { (void)s.writeOffsetDac(2, 0x1555); }},
        DirectCase{"ABSelectGroup",
                   "ZR810",
                   {},
                   0x060005,
                   [](Session& s) {
                     s.chooseDacSource(0, true);
                     s.chooseDacSource(2, true);
                   }},
        DirectCase{"ABSelectGroupOfFourWhileLdacHeldLow", "ZR812",
                   [](Session& s) {
                     (void)s.writeRegister(9, ChannelRegister::X1B, 0x1234);
                     s.lineRequest(Request::LdacLow);
                   },
                   0x0700F2, [](Session& s) { s.chooseDacSource(9, true); }},
        DirectCase{"Monitor",
                   "ZR810",
                   {},
                   0x0C0023,
                   [](Session& s) {
                     (void)s.setMonitorEnabled(true);
                     (void)s.chooseMonitorItem(2 + 3);
                   }},
        DirectCase{"GpioHigh",
                   "ZR813",
                   {},
                   0x0D0003,
                   [](Session& s) { (void)s.setGpioMode(GpioMode::OutputHigh); }},
        DirectCase{"GpioInputWithLevelBit", "ZR813",
                   [](Session& s) { (void)s.setGpioMode(GpioMode::OutputLow); }, 0x0D0001,
                   [](Session& s) { (void)s.setGpioMode(GpioMode::Input); }},
        // Words the chip ignores.
        DirectCase{"ChannelTheModelLacks", "ZR812", {}, 0xCC1234, {}},
        DirectCase{"ChannelBeyondTheLastRecord", "ZR820", {}, 0xF01234, {}},
        DirectCase{"MonitorOnAModelWithout", "ZR820", {}, 0x0C0023, {}},
        DirectCase{"GroupTheModelLacks", "ZR822", {}, 0x0A00FF, {}},
        DirectCase{"ReadbackSelect", "ZR810", {}, 0x058580, {}},
        DirectCase{"UnknownCode", "ZR810", {}, 0x0E1234, {}}),
    [](const testing::TestParamInfo<DirectCase>& row) { return std::string(row.param.name); });

}  // namespace
