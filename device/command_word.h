#pragma once
// The 24-bit serial command word: mode in bits 23..22, address or function code in 21..16,
// data in 15..0, held in a 32-bit integer with bits 31..24 clear.

#include <cstdint>
#include <string_view>

struct ChipModel;

namespace Mode {
inline constexpr int32_t X = 0xC00000;        // input data register
inline constexpr int32_t C = 0x800000;        // offset register
inline constexpr int32_t M = 0x400000;        // gain register
inline constexpr int32_t Special = 0x000000;  // special function
}  // namespace Mode

// Special-function codes, already in place (bits 21..16).
namespace Function {
inline constexpr int32_t Control = 0x010000;
inline constexpr int32_t OffsetDac0 = 0x020000;  // offset DAC k: 0x020000 + k * 0x10000
inline constexpr int32_t ReadbackSelect = 0x050000;
inline constexpr int32_t ABSelectGroup0 = 0x060000;  // group g: 0x060000 + g * 0x10000
inline constexpr int32_t Monitor = 0x0C0000;
inline constexpr int32_t Gpio = 0x0D0000;
}  // namespace Function

inline constexpr int32_t kGpioReadbackData = 0x8580;  // readback select data for the GPIO pin
inline constexpr int32_t kControlPowerDown = 0x0001;  // control bit 0
inline constexpr int32_t kControlInputB = 0x0004;     // control bit 2: X writes reach X1B

// Address field of a channel: (DacSelect + 8) * 0x10000.
int32_t AddrBits(const int16_t& DacSelect);

// A channel-register word: value (times 4 on 14-bit models) OR AddrBits OR mode.
int32_t ChannelRegisterWord(int32_t mode, int32_t value, int16_t DacSelect, int16_t PartBits);

// The control register word: bit 2 from the input-register choice, bit 0 for the power-down test.
int32_t ControlRegisterWord(bool inputRegisterB, bool powerDown = false);

// Offset DAC k (0..2) with a 14-bit code: 0x020000, 0x030000, 0x040000 OR code.
int32_t OffsetDacWord(int k, int32_t code);

// The readback select word with its data.
int32_t ReadbackSelectWord(int32_t data);

// The A/B select group of a channel record: group number and member record indexes.
struct ChannelGroup {
  int group = 0;
  int first = 0;  // first member record
  int count = 0;  // 8, or 4 on the 8-channel models
};
ChannelGroup GroupOf(std::string_view PartName, int16_t dac);

// The A/B select word of the group of `dac`, from the ABsel of all of the group's records.
int32_t ABSelectWord(const ChipModel& chip, int16_t dac);

// Monitor word: 0x0C0000 OR MonitorState.
int32_t MonitorWord(int32_t MonitorState);

// GPIO word of option 0 (input), 1 (output low), 2 (output high).
int32_t GpioWord(int option);
