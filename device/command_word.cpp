#include "command_word.h"

#include <stdexcept>

#include "catalogue.h"
#include "chip_model.h"

namespace {

constexpr int32_t kFieldStep = 0x10000;  // one step of the address or function field
constexpr int16_t kAddressBase = 8;      // group 0 is addressed as group code 1

}  // namespace

int32_t AddrBits(const int16_t& DacSelect) {
  const auto address = static_cast<int16_t>(DacSelect + kAddressBase);
  return static_cast<int32_t>(address) * kFieldStep;
}

int32_t ChannelRegisterWord(int32_t mode, int32_t value, int16_t DacSelect, int16_t PartBits) {
  // 14-bit codes travel in data bits 15..2.
  const int32_t data =
      PartBits == 14 ? static_cast<int32_t>(static_cast<uint32_t>(value) * 4u) : value;
  return data | AddrBits(DacSelect) | mode;
}

int32_t ControlRegisterWord(bool inputRegisterB, bool powerDown) {
  return Function::Control | (inputRegisterB ? kControlInputB : 0) |
         (powerDown ? kControlPowerDown : 0);
}

int32_t OffsetDacWord(int k, int32_t code) {
  if (k < 0 || k > 2) throw std::out_of_range("offset DAC number out of range");
  return (Function::OffsetDac0 + k * kFieldStep) | code;
}

int32_t ReadbackSelectWord(int32_t data) {
  return Function::ReadbackSelect | data;
}

ChannelGroup GroupOf(std::string_view PartName, int16_t dac) {
  const PartInfo* part = FindPart(PartName);
  const int group = dac / kGroupSize;
  const int count = (part != nullptr && part->fourChannelGroups) ? 4 : kGroupSize;
  return {group, group * kGroupSize, count};
}

int32_t ABSelectWord(const ChipModel& chip, int16_t dac) {
  const ChannelGroup group = GroupOf(chip.PartName, dac);
  int32_t mask = 0;
  for (int position = 0; position < group.count; ++position) {
    if (chip.DACs.at(static_cast<size_t>(group.first + position)).ABsel() == 1) {
      mask |= 1 << position;
    }
  }
  return (Function::ABSelectGroup0 + group.group * kFieldStep) | mask;
}

int32_t MonitorWord(int32_t MonitorState) {
  return Function::Monitor | MonitorState;
}

int32_t GpioWord(int option) {
  switch (option) {
    case 0:
      return Function::Gpio;  // pin is input
    case 1:
      return Function::Gpio | 0x2;  // output enabled, low
    case 2:
      return Function::Gpio | 0x3;  // output enabled, high
    default:
      throw std::out_of_range("GPIO option out of range");
  }
}
