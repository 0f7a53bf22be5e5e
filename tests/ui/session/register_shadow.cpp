#include "register_shadow.h"

#include <optional>
#include <tuple>

#include "chip_word.h"
#include "session.h"
#include "session_text.h"

namespace session {

namespace {

constexpr int kChannels = 40;

QString Shown(const std::optional<uint16_t>& value) {
  return value ? Hex(*value) : QStringLiteral("empty");
}

QString CompareRegister(const char* name, int index, Known known,
                        const std::optional<uint16_t>& chip, int32_t modelValue, int bits) {
  if (known == Known::Unknown) return {};
  if (known == Known::PowerOn) {
    if (!chip) return {};
    return QStringLiteral("chip %1[%2] holds %3 though not written since reset")
        .arg(QLatin1String(name))
        .arg(index)
        .arg(Hex(*chip));
  }
  // A register holds the data as sent; the chip takes the code from it as ChannelCode does.
  if (chip && ChannelCode(*chip, bits) == modelValue) return {};
  return QStringLiteral("chip %1[%2] holds %3, the program's model %4")
      .arg(QLatin1String(name))
      .arg(index)
      .arg(Shown(chip))
      .arg(Hex(modelValue));
}

QString CompareWhole(const char* name, Known known, uint16_t chip, uint16_t modelValue) {
  const uint16_t expected = known == Known::PowerOn ? 0 : modelValue;
  if (known == Known::Unknown || chip == expected) return {};
  return QStringLiteral("chip %1 holds %2, expected %3%4")
      .arg(QLatin1String(name))
      .arg(Hex(chip))
      .arg(Hex(expected))
      .arg(known == Known::PowerOn ? QStringLiteral(" (power-on)") : QString());
}

}  // namespace

void RegisterShadow::powerOn(bool modelFollows) {
  computed_.fill(modelFollows);
  for (auto* registers : {&inputA_, &inputB_, &gain_, &offset_}) registers->fill(Known::PowerOn);
  offsetDac_.fill(Known::PowerOn);
  abSelect_.fill(Known::PowerOn);
  monitor_ = Known::PowerOn;
  gpio_ = Known::PowerOn;
  controlState_ = Known::PowerOn;
  control_ = 0;
}

void RegisterShadow::inputWritten(int dac, bool modelRegisterB) {
  const auto at = static_cast<size_t>(dac);
  const bool landsInB = routesToB();
  if (landsInB == modelRegisterB) {
    (landsInB ? inputB_ : inputA_)[at] = Known::Written;
    return;
  }
  // The chip's register took a code that the model keeps in the other one, and the model's
  // register changed without the chip's.
  inputA_[at] = Known::Unknown;
  inputB_[at] = Known::Unknown;
  loseComputed(dac);
}

void RegisterShadow::controlChosen(bool inputB) {
  controlState_ = Known::Written;
  control_ = inputB ? 0x4 : 0x0;
}

void RegisterShadow::controlSet(uint16_t data) {
  // X2 follows the control register's route on the chip and the A/B choice in the model.
  computed_.fill(false);
  controlState_ = Known::Unknown;
  control_ = data;
}

void RegisterShadow::followWord(int32_t word, bool modelRegisterB, const PartInfo* part) {
  using Target = ChipWord::Target;
  const ChipWord decoded = DecodeChipWord(word, part);
  const auto at = static_cast<size_t>(decoded.index);
  switch (decoded.target) {
    case Target::InputRegister:
      return inputWritten(decoded.index, modelRegisterB);
    case Target::Gain:
      return gainWritten(decoded.index);
    case Target::Offset:
      return offsetWritten(decoded.index);
    case Target::Control:
      if (decoded.data == 0x0 || decoded.data == 0x4) return controlChosen(decoded.data == 0x4);
      return controlSet(decoded.data);
    case Target::OffsetDac:
      return offsetDacWritten(decoded.index);
    case Target::ABSelect:
      abSelect_.at(at) = Known::Written;
      return;
    case Target::Monitor:
      return monitorWritten();
    case Target::Gpio:
      return gpioWritten();
    case Target::ReadbackSelect:
    case Target::None:
      return;
  }
}

QString RegisterShadow::disagreement(const SimulatedChip& chip, const Session& session,
                                     int gpioOption) const {
  for (int dac = 0; dac < kChannels; ++dac) {
    const QString difference = channelDisagreement(chip, session, dac);
    if (!difference.isEmpty()) return difference;
  }
  return functionRegisterDisagreement(chip, session, gpioOption);
}

QString RegisterShadow::channelDisagreement(const SimulatedChip& chip, const Session& session,
                                            int dac) const {
  const auto at = static_cast<size_t>(dac);
  const DAC& record = session.chip().DACs.at(at);
  const int bits = session.chip().PartBits;
  for (const QString& difference :
       {CompareRegister("inputA", dac, inputA_[at], chip.inputA[at], record.X1A(), bits),
        CompareRegister("inputB", dac, inputB_[at], chip.inputB[at], record.X1B(), bits),
        CompareRegister("gain", dac, gain_[at], chip.gain[at], record.M(), bits),
        CompareRegister("offset", dac, offset_[at], chip.offset[at], record.C(), bits),
        computedDisagreement(chip, session, dac)}) {
    if (!difference.isEmpty()) return difference;
  }
  return {};
}

QString RegisterShadow::computedDisagreement(const SimulatedChip& chip, const Session& session,
                                             int dac) const {
  const auto at = static_cast<size_t>(dac);
  if (!computed_[at]) return {};
  const DAC& record = session.chip().DACs.at(at);
  const std::array<std::tuple<const char*, int32_t, int32_t>, 3> pairs{
      {{"X2A", chip.x2a[at], record.X2A},
       {"X2B", chip.x2b[at], record.X2B},
       {"DAC register", chip.dac[at], record.DACregValue()}}};
  for (const auto& [name, onChip, inModel] : pairs) {
    if (onChip != inModel)
      return QStringLiteral("chip %1[%2] holds %3, the program's model %4")
          .arg(QLatin1String(name))
          .arg(dac)
          .arg(Hex(onChip))
          .arg(Hex(inModel));
  }
  return {};
}

QString RegisterShadow::functionRegisterDisagreement(const SimulatedChip& chip,
                                                     const Session& session, int gpioOption) const {
  for (int k = 0; k < 3; ++k) {
    const auto at = static_cast<size_t>(k);
    const QString difference = CompareRegister("offsetDac", k, offsetDac_[at], chip.offsetDac[at],
                                               session.chip().OffsetDAC(k), 16);
    if (!difference.isEmpty()) return difference;
  }
  for (int g = 0; g < 5; ++g) {
    const auto at = static_cast<size_t>(g);
    const QString difference = CompareWhole("abSelect", abSelect_[at], chip.abSelect[at],
                                            static_cast<uint16_t>(GroupMask(session, g)));
    if (!difference.isEmpty()) return QStringLiteral("%1 of group %2").arg(difference).arg(g);
  }
  // The control register always holds what was last sent; while that came from the A/B choice,
  // its bit 2 is the choice.
  if (chip.control != control_)
    return QStringLiteral("chip control holds %1, last sent %2")
        .arg(Hex(chip.control))
        .arg(Hex(control_));
  if (controlState_ == Known::Written && ((chip.control & 0x4) != 0) != session.inputRegisterB())
    return QStringLiteral("chip control bit 2 disagrees with XRegisterB");
  static constexpr std::array<uint16_t, 3> kGpioData = {0x0, 0x2, 0x3};
  for (const QString& difference :
       {CompareWhole("monitor", monitor_, chip.monitor,
                     static_cast<uint16_t>(session.monitorState() & 0xFFFF)),
        CompareWhole("gpio", gpio_, chip.gpio, kGpioData.at(static_cast<size_t>(gpioOption)))}) {
    if (!difference.isEmpty()) return difference;
  }
  return {};
}

int GroupMask(const Session& session, int group) {
  const bool fourChannelGroups =
      session.chip().PartName == "ZR812" || session.chip().PartName == "ZR813";
  const int size = fourChannelGroups ? 4 : 8;
  if (fourChannelGroups && group > 1) return 0;
  int mask = 0;
  for (int p = 0; p < size; ++p) {
    const auto record = static_cast<size_t>(group * 8 + p);
    if (session.chip().DACs.at(record).ABsel() == 1) mask |= 1 << p;
  }
  return mask;
}

}  // namespace session
