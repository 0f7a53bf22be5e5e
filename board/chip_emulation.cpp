#include "chip_emulation.h"

#include <optional>

#include "chip_word.h"
#include "readback_select.h"
#include "request_codes.h"
#include "transfer_function.h"

namespace {

constexpr uint16_t kInputRegisterB = 0x0004;  // control bit 2
constexpr uint16_t kGpioOutputEnable = 0x0002;
constexpr uint16_t kGpioLevel = 0x0001;

// A register's code: the data bits as sent, moved down on the 14-bit models; an empty register
// holds its power-on code.
int32_t CodeOf(const SimulatedChip& chip, const std::optional<uint16_t>& data, int32_t powerOn) {
  if (!data) return powerOn;
  return ChannelCode(*data, chip.bits);
}

// (C - 2^(n-1)) + X1 * (M + 1) / 2^n, rounded to the nearest integer with ties to even, in exact
// integer arithmetic. Not limited to the code range.
int32_t CorrectedX2(int bits, int32_t x1, int32_t m, int32_t c) {
  const int64_t scale = int64_t{1} << bits;
  const int64_t half = scale / 2;
  const int64_t numerator = (int64_t{c} - half) * scale + int64_t{x1} * (int64_t{m} + 1);
  int64_t quotient = numerator >= 0 ? numerator / scale : -((-numerator + scale - 1) / scale);
  const int64_t remainder = numerator - quotient * scale;  // 0 <= remainder < scale
  if (remainder > half || (remainder == half && (quotient & 1) != 0)) ++quotient;
  return static_cast<int32_t>(quotient);
}

void LoadDac(SimulatedChip& chip, std::size_t record) {
  const bool fromB = (chip.abSelect[record / 8] >> (record % 8) & 1) != 0;
  chip.dac[record] = fromB ? chip.x2b[record] : chip.x2a[record];
}

void LoadAllDacs(SimulatedChip& chip) {
  for (std::size_t record = 0; record < chip.dac.size(); ++record) LoadDac(chip, record);
}

// The chip recomputes the X2 of the input register that the control register selects whenever
// that input, the gain or the offset of the channel is written; while LDAC is held low the DAC
// register follows at once.
void UpdateX2(SimulatedChip& chip, std::size_t record) {
  if (chip.bits != 16 && chip.bits != 14) return;
  const bool registerB = (chip.control & kInputRegisterB) != 0;
  const int32_t fullScale = (1 << chip.bits) - 1;
  const int32_t x1 = CodeOf(chip, (registerB ? chip.inputB : chip.inputA)[record], chip.resetCode);
  const int32_t m = CodeOf(chip, chip.gain[record], fullScale);
  const int32_t c = CodeOf(chip, chip.offset[record], 1 << (chip.bits - 1));
  (registerB ? chip.x2b : chip.x2a)[record] = CorrectedX2(chip.bits, x1, m, c);
  if (chip.ldacLineLow) LoadDac(chip, record);
}

void ApplyChannelWord(SimulatedChip& chip, const ChipWord& word) {
  const auto record = static_cast<std::size_t>(word.index);
  switch (word.target) {
    case ChipWord::Target::InputRegister:
      ((chip.control & kInputRegisterB) != 0 ? chip.inputB : chip.inputA)[record] = word.data;
      break;
    case ChipWord::Target::Offset:
      chip.offset[record] = word.data;
      break;
    default:
      chip.gain[record] = word.data;
      break;
  }
  UpdateX2(chip, record);
}

void ApplySpecialWord(SimulatedChip& chip, const ChipWord& word) {
  switch (word.target) {
    case ChipWord::Target::OffsetDac:
      chip.offsetDac[static_cast<std::size_t>(word.index)] = word.data;
      break;
    case ChipWord::Target::ABSelect: {
      const auto group = static_cast<std::size_t>(word.index);
      chip.abSelect[group] = static_cast<uint8_t>(word.data);
      if (chip.ldacLineLow) {
        for (std::size_t p = 0; p < 8; ++p) LoadDac(chip, group * 8 + p);
      }
      break;
    }
    case ChipWord::Target::Control:
      chip.control = word.data;
      break;
    case ChipWord::Target::ReadbackSelect:
      chip.readbackSelect = word.data;
      break;
    case ChipWord::Target::Monitor:
      chip.monitor = word.data;
      break;
    case ChipWord::Target::Gpio:
      chip.gpio = word.data;
      break;
    default:
      break;
  }
}

// Drives a line to a level and tells whether that was a rising edge after the line was low.
bool SetLine(bool& lineLow, bool low) {
  const bool rising = lineLow && !low;
  lineLow = low;
  return rising;
}

// The 16 bits a register holds, as a readback returns them; an empty register holds the bits of
// its power-on code.
uint16_t HeldBits(const SimulatedChip& chip, ReadbackItem item, const std::optional<uint16_t>& data,
                  int32_t powerOn) {
  if (data) return *data;
  return ReadbackBits(item, static_cast<int16_t>(chip.bits), powerOn);
}

// The offset DACs power up with the model's default code.
int32_t OffsetDacPowerOn(const SimulatedChip& chip) {
  if (chip.part == nullptr) return 0;
  const std::optional<OffsetDefaults> defaults = OffsetDefaultsFor(chip.part->name);
  return defaults ? defaults->offsetCode : 0;
}

uint16_t RegisterBits(const SimulatedChip& chip, const ReadbackTarget& target, bool gpioInputHigh) {
  const auto record = static_cast<std::size_t>(target.dac);
  const int32_t fullScale = chip.bits > 0 ? (1 << chip.bits) - 1 : 0;
  const int32_t midScale = chip.bits > 0 ? 1 << (chip.bits - 1) : 0;
  switch (target.item) {
    case ReadbackItem::X1A:
      return HeldBits(chip, target.item, chip.inputA[record], chip.resetCode);
    case ReadbackItem::X1B:
      return HeldBits(chip, target.item, chip.inputB[record], chip.resetCode);
    case ReadbackItem::C:
      return HeldBits(chip, target.item, chip.offset[record], midScale);
    case ReadbackItem::M:
      return HeldBits(chip, target.item, chip.gain[record], fullScale);
    case ReadbackItem::Control:
      return chip.control;
    case ReadbackItem::OffsetDac0:
    case ReadbackItem::OffsetDac1:
    case ReadbackItem::OffsetDac2: {
      const auto k = static_cast<std::size_t>(target.item) -
                     static_cast<std::size_t>(ReadbackItem::OffsetDac0);
      return HeldBits(chip, target.item, chip.offsetDac[k], OffsetDacPowerOn(chip));
    }
    case ReadbackItem::ABSelect0:
    case ReadbackItem::ABSelect1:
    case ReadbackItem::ABSelect2:
    case ReadbackItem::ABSelect3:
    case ReadbackItem::ABSelect4:
      return chip.abSelect[static_cast<std::size_t>(target.item) -
                           static_cast<std::size_t>(ReadbackItem::ABSelect0)];
    case ReadbackItem::Gpio:
      break;
  }
  const bool output = (chip.gpio & kGpioOutputEnable) != 0;
  const bool high = output ? (chip.gpio & kGpioLevel) != 0 : gpioInputHigh;
  return high ? 1 : 0;
}

}  // namespace

void ApplyWord(SimulatedChip& chip, int32_t word) {
  const ChipWord decoded = DecodeChipWord(word, chip.part);
  switch (decoded.target) {
    case ChipWord::Target::None:
      return;
    case ChipWord::Target::InputRegister:
    case ChipWord::Target::Gain:
    case ChipWord::Target::Offset:
      return ApplyChannelWord(chip, decoded);
    default:
      return ApplySpecialWord(chip, decoded);
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
      LoadAllDacs(chip);
      ++chip.ldacPulses;
      break;
    case Request::LdacLow:
      SetLine(chip.ldacLineLow, true);
      LoadAllDacs(chip);
      break;
    case Request::LdacHigh:
      SetLine(chip.ldacLineLow, false);
      break;
    case Request::Start:
      // The firmware starts with every control line high.
      chip.resetLineLow = chip.clrLineLow = chip.ldacLineLow = false;
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
  powerOn.bits = chip.bits;
  powerOn.resetCode = chip.resetCode;
  powerOn.part = chip.part;
  powerOn.x2a.fill(chip.resetCode);
  powerOn.x2b.fill(chip.resetCode);
  powerOn.dac.fill(chip.resetCode);
  chip = powerOn;
}

void FitChipModel(SimulatedChip& chip, const PartInfo& part) {
  chip.bits = part.bits;
  chip.resetCode = part.resetCode;
  chip.part = &part;
  PowerOnRegisters(chip);
}

std::array<uint8_t, 3> ReadbackBytes(const SimulatedChip& chip, bool gpioInputHigh) {
  const std::optional<ReadbackTarget> target = DecodeReadbackSelect(chip.readbackSelect);
  // A select that names no register (the readback test's 050000) returns the control register.
  const uint16_t bits = target ? RegisterBits(chip, *target, gpioInputHigh) : chip.control;
  return {static_cast<uint8_t>(bits & 0xFF), static_cast<uint8_t>(bits >> 8), 0};
}
