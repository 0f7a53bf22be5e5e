#pragma once
// Which of the simulated chip's registers the program has written since the chip's last reset,
// so that each can be held against the program's register model.
//
// A register is at power-on (not written since the chip's reset: the chip must hold its power-on
// value), written by the program (the chip must hold what the program's model says), or unknown
// (the chip legitimately holds something else: an X word reached the other input register
// because the chip's control register no longer followed the A/B choice).
// An unknown register becomes comparable again when the program next writes it.
//
// What the chip computes from its registers (X2A, X2B and the DAC registers) is compared for
// every channel whose registers have never left the program's hands since the last reset of both
// the chip and the model.

#include <QString>
#include <array>
#include <cstdint>

#include "simulated_board.h"

class Session;

namespace session {

enum class Known { PowerOn, Written, Unknown };

class RegisterShadow {
 public:
  RegisterShadow() { powerOn(); }

  // The chip's registers went back to power-on (a RESET rising edge); `modelFollows` when the
  // program's register model went back too (a RESET pulse, a reload), not for RESET held low and
  // released with the hold buttons.
  void powerOn(bool modelFollows = true);

  // The X word for record `dac` went out while the program's model stored it in input register
  // B (`modelRegisterB`) or A. It lands where the chip's control register points; when that is
  // the other register, neither input register of the record is comparable any more.
  void inputWritten(int dac, bool modelRegisterB);
  void gainWritten(int dac) { gain_.at(static_cast<size_t>(dac)) = Known::Written; }
  void offsetWritten(int dac) { offset_.at(static_cast<size_t>(dac)) = Known::Written; }
  void offsetDacWritten(int k) { offsetDac_.at(static_cast<size_t>(k)) = Known::Written; }
  void abSelectWritten(int group) { abSelect_.at(static_cast<size_t>(group)) = Known::Written; }
  void monitorWritten() { monitor_ = Known::Written; }
  void gpioWritten() { gpio_ = Known::Written; }
  // The control word of the A/B choice for "X >>".
  void controlChosen(bool inputB);
  // A control word that does not follow the A/B choice (the power-down test).
  void controlSet(uint16_t data);
  // A word the program sent, decoded as a chip of model `part` takes it: what it addresses is
  // written; an X word as inputWritten.
  void followWord(int32_t word, bool modelRegisterB, const PartInfo* part);

  // Whether the chip's control register sends X words to input register B.
  bool routesToB() const { return (control_ & 0x4) != 0; }
  uint16_t control() const { return control_; }
  Known gpio() const { return gpio_; }

  // The first difference between the chip and the program's model, or an empty text.
  // `gpioOption` is the checked GPIO option (0..2).
  QString disagreement(const SimulatedChip& chip, const Session& session, int gpioOption) const;

 private:
  QString channelDisagreement(const SimulatedChip& chip, const Session& session, int dac) const;
  QString functionRegisterDisagreement(const SimulatedChip& chip, const Session& session,
                                       int gpioOption) const;
  QString computedDisagreement(const SimulatedChip& chip, const Session& session, int dac) const;
  void loseComputed(int dac) { computed_.at(static_cast<size_t>(dac)) = false; }

  std::array<Known, 40> inputA_{};
  std::array<Known, 40> inputB_{};
  std::array<Known, 40> gain_{};
  std::array<Known, 40> offset_{};
  std::array<bool, 40> computed_{};  // X2A, X2B and the DAC register comparable
  std::array<Known, 3> offsetDac_{};
  std::array<Known, 5> abSelect_{};
  Known monitor_ = Known::PowerOn;
  Known gpio_ = Known::PowerOn;
  Known controlState_ = Known::PowerOn;  // Written: last set by the A/B choice
  uint16_t control_ = 0;                 // the chip's control register as last sent
};

// The A/B select mask that the program's records give group `group`: bit p set when the group's
// member at position p takes X2B. On the 8-channel models the groups are records 0..3 and 8..11.
int GroupMask(const Session& session, int group);

}  // namespace session
