// The simulated chip: how it decodes the words, control lines and readbacks it receives.

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "board_link.h"
#include "case_name.h"
#include "simulated_board.h"
#include "stale_reply.h"

namespace {

// The simulated board behind the program's own transport.
struct ChipBench {
  SimulatedBoard board;
  BoardLink link{board};

  void send(std::initializer_list<int32_t> words) {
    for (const int32_t word : words) link.SPIwrite(word);
  }
  const SimulatedChip& chip() const { return board.chip(); }
};

// A register of the chip as an int; -1 for an empty one.
using Register = std::function<int(const SimulatedChip&)>;

int Value(const std::optional<uint16_t>& reg) {
  return reg ? *reg : -1;
}

struct WordCase {
  const char* name;
  std::vector<int32_t> words;
  Register read;
  int expected;
};

class ChipWordDecoding : public testing::TestWithParam<WordCase> {};

TEST_P(ChipWordDecoding, StoresDataInTheAddressedRegister) {
  const WordCase& c = GetParam();
  ChipBench bench;
  for (const int32_t word : c.words) bench.link.SPIwrite(word);
  EXPECT_EQ(c.read(bench.chip()), c.expected);
}

Register InputA(std::size_t i) {
  return [i](const SimulatedChip& chip) { return Value(chip.inputA[i]); };
}
Register InputB(std::size_t i) {
  return [i](const SimulatedChip& chip) { return Value(chip.inputB[i]); };
}
Register Gain(std::size_t i) {
  return [i](const SimulatedChip& chip) { return Value(chip.gain[i]); };
}
Register Offset(std::size_t i) {
  return [i](const SimulatedChip& chip) { return Value(chip.offset[i]); };
}
Register OffsetDac(std::size_t k) {
  return [k](const SimulatedChip& chip) { return Value(chip.offsetDac[k]); };
}
Register ABSelect(std::size_t g) {
  return [g](const SimulatedChip& chip) { return int{chip.abSelect[g]}; };
}
const Register kControl = [](const SimulatedChip& chip) { return int{chip.control}; };
const Register kMonitor = [](const SimulatedChip& chip) { return int{chip.monitor}; };
const Register kGpio = [](const SimulatedChip& chip) { return int{chip.gpio}; };
const Register kReadbackSelect = [](const SimulatedChip& chip) { return int{chip.readbackSelect}; };

INSTANTIATE_TEST_SUITE_P(
    Words, ChipWordDecoding,
    testing::Values(
        WordCase{"InputA16Bit", {0xD71234}, InputA(15), 0x1234},
        WordCase{"InputA14BitShifted", {0xC8FFFC}, InputA(0), 0xFFFC},
        WordCase{"InputALastChannel", {0xEFABCD}, InputA(39), 0xABCD},
        WordCase{"InputBByControlBit2", {0x010004, 0xD71234}, InputB(15), 0x1234},
        WordCase{"InputBLeavesA", {0x010004, 0xD71234}, InputA(15), -1},
        WordCase{"InputABackAfterControl0", {0x010004, 0x010000, 0xD71234}, InputA(15), 0x1234},
        WordCase{"Offset14BitShifted", {0x908000}, Offset(8), 0x8000},
        WordCase{"GainLastChannel", {0x6FFFFF}, Gain(39), 0xFFFF},
        WordCase{"GainNotInput", {0x6FFFFF}, InputA(39), -1},
        WordCase{"ControlInputB", {0x010004}, kControl, 0x0004},
        WordCase{"ControlPowerDown", {0x010001}, kControl, 0x0001},
        WordCase{"OffsetDac0", {0x022000}, OffsetDac(0), 0x2000},
        WordCase{"OffsetDac1", {0x031FFF}, OffsetDac(1), 0x1FFF},
        WordCase{"OffsetDac2", {0x040001}, OffsetDac(2), 0x0001},
        WordCase{"ReadbackSelectGpio", {0x058580}, kReadbackSelect, 0x8580},
        WordCase{"ABSelectGroup0", {0x060003}, ABSelect(0), 0x03},
        WordCase{"ABSelectGroup1EightChannel", {0x070008}, ABSelect(1), 0x08},
        WordCase{"ABSelectGroup4LowByte", {0x0A12FF}, ABSelect(4), 0xFF},
        WordCase{"Monitor", {0x0C0031}, kMonitor, 0x31},
        WordCase{"GpioOutputHigh", {0x0D0003}, kGpio, 0x0003},
        WordCase{"LaterWordReplaces", {0xD71234, 0xD75678}, InputA(15), 0x5678}),
    CaseName());

class ChipIgnoredWord : public testing::TestWithParam<int32_t> {};

TEST_P(ChipIgnoredWord, ChangesNoRegister) {
  ChipBench bench;
  bench.send({GetParam()});
  EXPECT_EQ(bench.chip(), SimulatedChip{});
}

// Function codes 0, 11, 14 and 63, and channel words outside addresses 08..2F hex.
INSTANTIATE_TEST_SUITE_P(Words, ChipIgnoredWord,
                         testing::Values(0x001234, 0x0B1234, 0x0E1234, 0x3F1234, 0xC71234, 0xF01234,
                                         0x871234, 0x7F1234));

TEST(ChipResetLine, LowAloneKeepsRegistersAndThePulseRestoresPowerOn) {
  ChipBench bench;
  bench.send(
      {0x010004, 0xD71234, 0x6FFFFF, 0x908000, 0x022000, 0x0A00FF, 0x0C0031, 0x0D0003, 0x058580});
  bench.link.LineRequest(Request::LdacPulse);
  const SimulatedChip written = bench.chip();

  bench.link.LineRequest(Request::ResetLow);
  SimulatedChip lowOnly = written;
  lowOnly.resetLineLow = true;
  EXPECT_EQ(bench.chip(), lowOnly);

  bench.link.LineRequest(Request::ResetHigh);
  SimulatedChip powerOn;
  powerOn.resetPulses = 1;
  powerOn.ldacPulses = 1;
  EXPECT_EQ(bench.chip(), powerOn);
}

TEST(ChipResetLine, HighWithoutLowIsNoPulse) {
  ChipBench bench;
  bench.send({0xD71234});
  bench.link.LineRequest(Request::ResetHigh);
  EXPECT_EQ(bench.chip().resetPulses, 0);
  EXPECT_EQ(bench.chip().inputA[15], 0x1234);
}

struct LineCase {
  const char* name;
  std::vector<Request> requests;
  SimulatedChip expected;
};

SimulatedChip With(const std::function<void(SimulatedChip&)>& change) {
  SimulatedChip chip;
  change(chip);
  return chip;
}

class ChipLines : public testing::TestWithParam<LineCase> {};

TEST_P(ChipLines, FollowTheRequests) {
  ChipBench bench;
  for (const Request request : GetParam().requests) bench.link.LineRequest(request);
  EXPECT_EQ(bench.chip(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, ChipLines,
    testing::Values(
        LineCase{"ClrLow", {Request::ClrLow}, With([](auto& c) { c.clrLineLow = true; })},
        LineCase{"ClrPulse", {Request::ClrLow, Request::ClrHigh}, With([](auto& c) {
                   c.clrPulses = 1;
                 })},
        LineCase{"ClrHighAlone", {Request::ClrHigh}, SimulatedChip{}},
        LineCase{"TwoResetPulses",
                 {Request::ResetLow, Request::ResetHigh, Request::ResetLow, Request::ResetHigh},
                 With([](auto& c) { c.resetPulses = 2; })},
        LineCase{"LdacPulses", {Request::LdacPulse, Request::LdacPulse}, With([](auto& c) {
                   c.ldacPulses = 2;
                 })},
        LineCase{"LdacLow", {Request::LdacLow}, With([](auto& c) { c.ldacLineLow = true; })},
        LineCase{"LdacLowThenHigh", {Request::LdacLow, Request::LdacHigh}, SimulatedChip{}},
        LineCase{"StartChangesNothing", {Request::Start}, SimulatedChip{}}),
    CaseName());

TEST(ChipLines, ClrPulseKeepsRegisters) {
  ChipBench bench;
  bench.send({0xD71234});
  bench.link.LineRequest(Request::ClrLow);
  bench.link.LineRequest(Request::ClrHigh);
  EXPECT_EQ(bench.chip().inputA[15], 0x1234);
}

struct GpioCase {
  const char* name;
  int32_t gpioWord;
  bool inputHigh;
  int32_t expected;
};

class ChipGpioReadback : public testing::TestWithParam<GpioCase> {};

TEST_P(ChipGpioReadback, ReturnsThePinLevel) {
  const GpioCase& c = GetParam();
  ChipBench bench;
  bench.board.setGpioInputLevel(c.inputHigh);
  bench.send({c.gpioWord, 0x058580});
  EXPECT_EQ(bench.link.SPIread(), c.expected);
  EXPECT_EQ(bench.link.readBuffer()[2], 0);
}

INSTANTIATE_TEST_SUITE_P(Pin, ChipGpioReadback,
                         testing::Values(GpioCase{"InputHigh", 0x0D0000, true, 1},
                                         GpioCase{"InputLow", 0x0D0000, false, 0},
                                         GpioCase{"OutputLowIgnoresInput", 0x0D0002, true, 0},
                                         GpioCase{"OutputHighIgnoresInput", 0x0D0003, false, 1}),
                         CaseName());

struct ReadbackCase {
  const char* name;
  std::vector<int32_t> words;
  int32_t expected;
};

class ChipReadbackSelect : public testing::TestWithParam<ReadbackCase> {};

TEST_P(ChipReadbackSelect, ChoosesWhatIsReturned) {
  ChipBench bench;
  LeaveStaleReply(bench.link, bench.board, {0x55, 0x55, 0x55});
  for (const int32_t word : GetParam().words) bench.link.SPIwrite(word);
  EXPECT_EQ(bench.link.SPIread(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Select, ChipReadbackSelect,
    testing::Values(ReadbackCase{"ControlAfterPowerOn", {}, 0x0000},
                    ReadbackCase{"ControlInputB", {0x010004, 0x050000}, 0x0004},
                    ReadbackCase{"ControlHighByte", {0x010304, 0x050000}, 0x0304},
                    ReadbackCase{"SelectNamingNothing", {0x010004, 0x058600}, 0x0004},
                    ReadbackCase{"ChannelSelectNotControl", {0x010004, 0x050400}, 0x0000},
                    ReadbackCase{"GpioSelectNotControl", {0x010004, 0x0D0003, 0x058580}, 0x0001}),
    CaseName());

}  // namespace
