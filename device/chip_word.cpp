#include "chip_word.h"

#include "catalogue.h"

namespace {

constexpr int kFirstChannelAddress = 8;
constexpr int kAddressShift = 16;  // bits 21..16
constexpr uint16_t kAllMembers = 0xFF;
constexpr uint16_t kFourMembers = 0x0F;
constexpr uint16_t kOffsetDacData = 0x3FFF;  // the offset DACs take 14 bits
constexpr uint16_t kMonitorData = 0x3F;      // enable, input flag and channel
constexpr uint16_t kGpioData = 0x3;          // output enable and level
constexpr uint16_t kGpioOutput = 0x2;

enum Code : int {
  kControl = 1,
  kOffsetDac0 = 2,
  kOffsetDac2 = 4,
  kReadbackSelect = 5,
  kABSelectGroup0 = 6,
  kABSelectGroup4 = 10,
  kMonitor = 12,
  kGpio = 13,
};

ChipWord ChannelWord(int mode, int address, uint16_t data, const PartInfo* part) {
  const int record = address - kFirstChannelAddress;
  if (record < 0 || record >= kChannelCount) return {};
  if (part != nullptr && !ChannelUsed(*part, record)) return {};
  static constexpr ChipWord::Target kByMode[] = {ChipWord::Target::None, ChipWord::Target::Gain,
                                                 ChipWord::Target::Offset,
                                                 ChipWord::Target::InputRegister};
  return {kByMode[mode], record, data};
}

ChipWord ABSelectWord(int group, uint16_t data, const PartInfo* part) {
  if (part != nullptr && !ChannelUsed(*part, group * kGroupSize)) return {};
  const bool four = part != nullptr && part->fourChannelGroups;
  return {ChipWord::Target::ABSelect, group,
          static_cast<uint16_t>(data & (four ? kFourMembers : kAllMembers))};
}

ChipWord SpecialWord(int code, uint16_t data, const PartInfo* part) {
  using Target = ChipWord::Target;
  const bool hasMonitor = part == nullptr || part->monitorEntries > 0;
  if (code >= kOffsetDac0 && code <= kOffsetDac2)
    return {Target::OffsetDac, code - kOffsetDac0, static_cast<uint16_t>(data & kOffsetDacData)};
  if (code >= kABSelectGroup0 && code <= kABSelectGroup4)
    return ABSelectWord(code - kABSelectGroup0, data, part);
  switch (code) {
    case kControl:
      return {Target::Control, 0, data};
    case kReadbackSelect:
      return {Target::ReadbackSelect, 0, data};
    case kMonitor:
      if (hasMonitor) return {Target::Monitor, 0, static_cast<uint16_t>(data & kMonitorData)};
      return {};
    case kGpio:
      if (!hasMonitor) return {};
      // The level bit means nothing while the pin is an input.
      return {Target::Gpio, 0,
              static_cast<uint16_t>((data & kGpioOutput) != 0 ? data & kGpioData : 0)};
    default:
      return {};
  }
}

}  // namespace

ChipWord DecodeChipWord(int32_t word, const PartInfo* part) {
  const int mode = (word >> 22) & 0x3;
  const int address = (word >> kAddressShift) & 0x3F;
  const auto data = static_cast<uint16_t>(word & 0xFFFF);
  return mode == 0 ? SpecialWord(address, data, part) : ChannelWord(mode, address, data, part);
}

int32_t ChannelCode(uint16_t data, int bits) {
  return bits == 14 ? data >> 2 : data;
}
