// The register model after a word of the direct load: decoded as the chip decodes it, and taken
// as the action that sends that word would take it.

#include "command_word.h"
#include "session.h"

namespace {

GpioMode ModeOfGpioData(uint16_t data) {
  if ((data & 0x2) == 0) return GpioMode::Input;
  return (data & 0x1) != 0 ? GpioMode::OutputHigh : GpioMode::OutputLow;
}

}  // namespace

void Session::followWord(int32_t word) {
  const ChipWord decoded = DecodeChipWord(word, chip_.part());
  switch (decoded.target) {
    case ChipWord::Target::InputRegister:
    case ChipWord::Target::Gain:
    case ChipWord::Target::Offset:
      return followChannelWord(decoded);
    case ChipWord::Target::Control:
      XRegisterB_ = (decoded.data & kControlInputB) != 0;
      return notify([](SessionListener& l) { l.inputRegisterChanged(); });
    case ChipWord::Target::OffsetDac:
      chip_.OffsetDAC(decoded.index) = decoded.data;
      return notify([k = decoded.index](SessionListener& l) { l.offsetDacWritten(k); });
    case ChipWord::Target::ABSelect:
      return followABSelect(decoded);
    case ChipWord::Target::Monitor:
      MonitorState_ = decoded.data;
      return notify([](SessionListener& l) { l.monitorChanged(); });
    case ChipWord::Target::Gpio:
      gpioMode_ = ModeOfGpioData(decoded.data);
      return notify([](SessionListener& l) { l.gpioModeChanged(); });
    case ChipWord::Target::ReadbackSelect:
    case ChipWord::Target::None:
      return;
  }
}

// An input word reaches the input register of the present route; every channel word recomputes
// the X2 of that route.
void Session::followChannelWord(const ChipWord& word) {
  const int dac = word.index;
  const int32_t code = ChannelCode(word.data, chip_.PartBits);
  DAC& record = chip_.DACs.at(static_cast<size_t>(dac));
  const std::optional<ChannelRegister> found = RegisterOfWord(word.target, XRegisterB_);
  if (!found) return;
  const ChannelRegister reg = *found;
  StoreRegister(record, reg, code);
  notify([&](SessionListener& l) { l.registerStored(dac, reg); });
  updateX2(dac, XRegisterB_);
}

void Session::followABSelect(const ChipWord& word) {
  const ChannelGroup group = GroupOf(chip_.PartName, static_cast<int16_t>(word.index * kGroupSize));
  for (int position = 0; position < group.count; ++position) {
    const int dac = group.first + position;
    chip_.DACs.at(static_cast<size_t>(dac)).setABsel((word.data >> position) & 1);
    notify([dac](SessionListener& l) { l.dacSourceChanged(dac); });
    if (ldacLow_) loadDacRegister(dac);
  }
}
