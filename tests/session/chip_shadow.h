#pragma once
// What a test knows of the simulated chip's registers, so that each can be held against the
// program's register model (chip_agreement.h).
//
// A register follows the model (the chip holds the model's value; a register not written since
// power-on holds its power-on code), is at power-on (not written since the reset of the chip and
// the model: the chip must hold nothing, the model the power-on code), at the chip's power-on
// alone (RESET held low and released: the chip holds nothing, the model keeps its value),
// written by the program (the chip must hold what the model says), or unknown
// (the chip legitimately holds something else: an X word reached the other input register
// because the chip's control register no longer followed the A/B choice). An unknown register
// becomes comparable again when the program next writes it.
//
// A shadow made and left alone has every register following the model (but for the monitor and
// GPIO registers): a test that sends only what the session sends, and never resets the chip
// behind the model's back. A test that does
// starts from powerOn() and tells the shadow every word sent (followWord), or what it expects
// each action to write.
//
// What the chip computes from its registers (X2A, X2B and the DAC registers) is compared for
// every channel whose registers have never left the program's hands since the last reset of both
// the chip and the model.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "chip_word.h"

class ChipShadow {
 public:
  enum class Known { Model, PowerOn, ChipPowerOn, Written, Unknown };
  static constexpr int kChannels = 40;
  static constexpr int kOffsetDacs = 3;
  static constexpr int kGroups = 5;

  ChipShadow() {
    for (auto* registers : {&inputA_, &inputB_, &gain_, &offset_}) registers->fill(Known::Model);
    offsetDac_.fill(Known::Model);
    abSelect_.fill(Known::Model);
    computed_.fill(true);
    // The model keeps its monitor and GPIO choices through a RESET that clears the chip's: only a
    // test that follows the resets compares them.
    monitor_ = Known::Unknown;
    gpio_ = Known::Unknown;
  }

  // The chip's registers went back to power-on (a RESET rising edge); `modelFollows` when the
  // program's register model went back too (a RESET pulse, a reload), not for RESET held low and
  // released with the hold buttons.
  void powerOn(bool modelFollows = true) {
    computed_.fill(modelFollows);
    const Known held = modelFollows ? Known::PowerOn : Known::ChipPowerOn;
    for (auto* registers : {&inputA_, &inputB_, &gain_, &offset_}) registers->fill(held);
    offsetDac_.fill(held);
    // The registers below are held whole: at power-on the chip's hold 0, whatever the model says.
    abSelect_.fill(Known::PowerOn);
    monitor_ = Known::PowerOn;
    gpio_ = Known::PowerOn;
    controlRoute_ = Known::PowerOn;
    controlSent_ = 0;
  }

  // For a shadow that follows the model: the monitor and GPIO registers compared from now on
  // (the chip's and the model's agree); a RESET puts them back to power-on (monitorAndGpioPowerOn)
  // until their next word.
  void followMonitorAndGpio() { monitor_ = gpio_ = Known::Model; }
  void monitorAndGpioPowerOn() { monitor_ = gpio_ = Known::PowerOn; }

  // The X word for record `dac` went out while the program's model stored it in input register
  // B (`modelRegisterB`) or A. It lands where the chip's control register points; when that is
  // the other register, neither input register of the record is comparable any more.
  void inputWritten(int dac, bool modelRegisterB) {
    const auto at = static_cast<std::size_t>(dac);
    const bool landsInB = routesToB(modelRegisterB);
    if (landsInB == modelRegisterB) {
      (landsInB ? inputB_ : inputA_).at(at) = Known::Written;
      return;
    }
    // The chip's register took a code that the model keeps in the other one, and the model's
    // register changed without the chip's.
    inputA_.at(at) = Known::Unknown;
    inputB_.at(at) = Known::Unknown;
    computed_.at(at) = false;
  }
  void gainWritten(int dac) { gain_.at(static_cast<std::size_t>(dac)) = Known::Written; }
  void offsetWritten(int dac) { offset_.at(static_cast<std::size_t>(dac)) = Known::Written; }
  void offsetDacWritten(int k) { offsetDac_.at(static_cast<std::size_t>(k)) = Known::Written; }
  void abSelectWritten(int group) {
    abSelect_.at(static_cast<std::size_t>(group)) = Known::Written;
  }
  void monitorWritten() { monitor_ = Known::Written; }
  void gpioWritten() { gpio_ = Known::Written; }
  // The control word of the A/B choice for "X >>".
  void controlChosen(bool inputB) {
    controlRoute_ = Known::Written;
    controlSent_ = inputB ? kRouteB : 0;
  }
  // A control word that does not follow the A/B choice (the power-down test): X2 follows the
  // control register's route on the chip and the A/B choice in the model.
  void controlSet(uint16_t data) {
    computed_.fill(false);
    controlRoute_ = Known::Unknown;
    controlSent_ = data;
  }

  // A word the program sent, decoded as a chip of model `part` takes it: what it addresses is
  // written; an X word as inputWritten.
  void followWord(int32_t word, bool modelRegisterB, const PartInfo* part) {
    using Target = ChipWord::Target;
    const ChipWord decoded = DecodeChipWord(word, part);
    switch (decoded.target) {
      case Target::InputRegister:
        return inputWritten(decoded.index, modelRegisterB);
      case Target::Gain:
        return gainWritten(decoded.index);
      case Target::Offset:
        return offsetWritten(decoded.index);
      case Target::Control:
        if (decoded.data == 0 || decoded.data == kRouteB)
          return controlChosen(decoded.data == kRouteB);
        return controlSet(decoded.data);
      case Target::OffsetDac:
        return offsetDacWritten(decoded.index);
      case Target::ABSelect:
        return abSelectWritten(decoded.index);
      case Target::Monitor:
        return monitorWritten();
      case Target::Gpio:
        return gpioWritten();
      case Target::ReadbackSelect:
      case Target::None:
        return;
    }
  }

  // Whether the chip's control register sends X words to input register B; while the shadow
  // follows the model, the model's route `modelRegisterB`.
  bool routesToB(bool modelRegisterB) const {
    return controlSent_ ? (*controlSent_ & kRouteB) != 0 : modelRegisterB;
  }
  // The control register as last sent; nullopt while the shadow follows the model.
  std::optional<uint16_t> controlSent() const { return controlSent_; }
  Known controlRoute() const { return controlRoute_; }

  Known inputA(int dac) const { return inputA_.at(static_cast<std::size_t>(dac)); }
  Known inputB(int dac) const { return inputB_.at(static_cast<std::size_t>(dac)); }
  Known gain(int dac) const { return gain_.at(static_cast<std::size_t>(dac)); }
  Known offset(int dac) const { return offset_.at(static_cast<std::size_t>(dac)); }
  // Whether X2A, X2B and the DAC register of `dac` are comparable.
  bool computed(int dac) const { return computed_.at(static_cast<std::size_t>(dac)); }
  Known offsetDac(int k) const { return offsetDac_.at(static_cast<std::size_t>(k)); }
  Known abSelect(int group) const { return abSelect_.at(static_cast<std::size_t>(group)); }
  Known monitor() const { return monitor_; }
  Known gpio() const { return gpio_; }

 private:
  static constexpr uint16_t kRouteB = 0x4;  // control bit 2

  std::array<Known, kChannels> inputA_{};
  std::array<Known, kChannels> inputB_{};
  std::array<Known, kChannels> gain_{};
  std::array<Known, kChannels> offset_{};
  std::array<bool, kChannels> computed_{};
  std::array<Known, kOffsetDacs> offsetDac_{};
  std::array<Known, kGroups> abSelect_{};
  Known monitor_ = Known::Model;
  Known gpio_ = Known::Model;
  Known controlRoute_ = Known::Model;  // Written: last set by the A/B choice
  std::optional<uint16_t> controlSent_;
};
