#pragma once
// Whether the simulated chip holds what the session's register model says: every input, gain and
// offset register, X2A, X2B, every DAC register, the offset DACs, the A/B selects, the control
// register and the LDAC line. Registers not written since power-on hold their power-on codes.

#include <sstream>
#include <string>

#include "command_word.h"
#include "session.h"
#include "simulated_board.h"

// The first difference between the simulated chip and the register model, or "".
inline std::string ChipDisagreement(const SimulatedChip& chip, const Session& session) {
  const ChipModel& model = session.chip();
  const int shift = model.PartBits == 14 ? 2 : 0;
  const auto data = [&](const std::optional<uint16_t>& reg, int32_t powerOn) {
    return reg ? *reg >> shift : powerOn;
  };
  std::ostringstream out;
  for (size_t i = 0; i < kChannelCount; ++i) {
    const DAC& r = model.DACs[i];
    const int32_t reset = chip.resetCode;
    if (data(chip.inputA[i], reset) != r.X1A())
      out << "X1A";
    else if (data(chip.inputB[i], reset) != r.X1B())
      out << "X1B";
    else if (data(chip.gain[i], FullScaleGain(model.PartBits)) != r.M())
      out << "M";
    else if (data(chip.offset[i], MidScaleOffset(model.PartBits)) != r.C())
      out << "C";
    else if (chip.x2a[i] != r.X2A)
      out << "X2A";
    else if (chip.x2b[i] != r.X2B)
      out << "X2B";
    else if (chip.dac[i] != r.DACregValue())
      out << "DAC register";
    else if (((chip.abSelect[i / 8] >> (i % 8)) & 1) != r.ABsel())
      out << "A/B select";
    else
      continue;
    return out.str() + " of channel record " + std::to_string(i);
  }
  for (int k = 0; k < 3; ++k) {
    if (chip.offsetDac[static_cast<size_t>(k)].value_or(
            static_cast<uint16_t>(model.OffsetDAC(k))) != model.OffsetDAC(k))
      return "offset DAC " + std::to_string(k);
  }
  // The model keeps the route of the control register, not its power-down bit.
  if (((chip.control & kControlInputB) != 0) != session.inputRegisterB()) return "control register";
  if (chip.ldacLineLow != session.ldacHeldLow()) return "LDAC line";
  return "";
}
