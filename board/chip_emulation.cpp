#include "chip_emulation.h"

#include "request_codes.h"

namespace {

constexpr int kFirstChannelAddress = 8;
constexpr int kLastChannelAddress = 47;
constexpr uint16_t kInputRegisterB = 0x0004;  // control bit 2
constexpr uint16_t kGpioReadback = 0x8580;
constexpr uint16_t kGpioOutputEnable = 0x0002;
constexpr uint16_t kGpioLevel = 0x0001;

enum Function : int {
  kControl = 1,
  kOffsetDac0 = 2,
  kOffsetDac2 = 4,
  kReadbackSelect = 5,
  kABSelectGroup0 = 6,
  kABSelectGroup4 = 10,
  kMonitor = 12,
  kGpio = 13,
};

void ApplyChannelWord(SimulatedChip& chip, int mode, int address, uint16_t data) {
  if (address < kFirstChannelAddress || address > kLastChannelAddress) return;
  const auto record = static_cast<std::size_t>(address - kFirstChannelAddress);
  switch (mode) {
    case 3:
      ((chip.control & kInputRegisterB) != 0 ? chip.inputB : chip.inputA)[record] = data;
      break;
    case 2:
      chip.offset[record] = data;
      break;
    case 1:
      chip.gain[record] = data;
      break;
    default:
      break;
  }
}

void ApplySpecialWord(SimulatedChip& chip, int code, uint16_t data) {
  if (code >= kOffsetDac0 && code <= kOffsetDac2) {
    chip.offsetDac[static_cast<std::size_t>(code - kOffsetDac0)] = data;
  } else if (code >= kABSelectGroup0 && code <= kABSelectGroup4) {
    chip.abSelect[static_cast<std::size_t>(code - kABSelectGroup0)] =
        static_cast<uint8_t>(data & 0xFF);
  } else if (code == kControl) {
    chip.control = data;
  } else if (code == kReadbackSelect) {
    chip.readbackSelect = data;
  } else if (code == kMonitor) {
    chip.monitor = data;
  } else if (code == kGpio) {
    chip.gpio = data;
  }
}

// Drives a line to a level and tells whether that was a rising edge after the line was low.
bool SetLine(bool& lineLow, bool low) {
  const bool rising = lineLow && !low;
  lineLow = low;
  return rising;
}

}  // namespace

void ApplyWord(SimulatedChip& chip, int32_t word) {
  const int mode = (word >> 22) & 0x3;
  const int address = (word >> 16) & 0x3F;
  const auto data = static_cast<uint16_t>(word & 0xFFFF);
  if (mode == 0) {
    ApplySpecialWord(chip, address, data);
  } else {
    ApplyChannelWord(chip, mode, address, data);
  }
}

void ApplyLineRequest(SimulatedChip& chip, uint8_t code) {
  switch (static_cast<Request>(code)) {
    case Request::ResetLow:
      SetLine(chip.resetLineLow, true);
      break;
    case Request::ResetHigh:
      if (SetLine(chip.resetLineLow, false)) {
        PowerOnRegisters(chip);
        ++chip.resetPulses;
      }
      break;
    case Request::ClrLow:
      SetLine(chip.clrLineLow, true);
      break;
    case Request::ClrHigh:
      if (SetLine(chip.clrLineLow, false)) ++chip.clrPulses;
      break;
    case Request::LdacPulse:
      ++chip.ldacPulses;
      break;
    case Request::LdacLow:
      SetLine(chip.ldacLineLow, true);
      break;
    case Request::LdacHigh:
      SetLine(chip.ldacLineLow, false);
      break;
    default:
      break;
  }
}

void PowerOnRegisters(SimulatedChip& chip) {
  SimulatedChip powerOn;
  powerOn.resetPulses = chip.resetPulses;
  powerOn.ldacPulses = chip.ldacPulses;
  powerOn.clrPulses = chip.clrPulses;
  powerOn.resetLineLow = chip.resetLineLow;
  powerOn.clrLineLow = chip.clrLineLow;
  powerOn.ldacLineLow = chip.ldacLineLow;
  chip = powerOn;
}

std::array<uint8_t, 3> ReadbackBytes(const SimulatedChip& chip, bool gpioInputHigh) {
  if (chip.readbackSelect == kGpioReadback) {
    const bool output = (chip.gpio & kGpioOutputEnable) != 0;
    const bool high = output ? (chip.gpio & kGpioLevel) != 0 : gpioInputHigh;
    return {static_cast<uint8_t>(high ? 1 : 0), 0, 0};
  }
  if (chip.readbackSelect == 0) {
    return {static_cast<uint8_t>(chip.control & 0xFF), static_cast<uint8_t>(chip.control >> 8), 0};
  }
  return {0, 0, 0};
}
