#pragma once
// The input code that puts a wanted voltage on a channel's output: the inverse of the gain and
// offset correction and of the transfer function, for the channel's present M, C, offset DAC and
// reference.

#include <cstdint>
#include <optional>
#include <string>

#include "transfer_function.h"

struct ChipModel;

struct VoltageCode {
  int32_t code = 0;    // the input register code (X1)
  int32_t x2 = 0;      // its corrected code, which the DAC register takes at the next LDAC
  double volts = 0.0;  // the output voltage that code gives
};

// Why no code gives the voltage: a text for the operator.
struct VoltageMiss {
  std::string reason;
};

struct VoltageSolution {
  std::optional<VoltageCode> found;
  VoltageMiss miss;  // set when nothing is found
};

// The code of channel record `dac` whose output after the next LDAC lies nearest to `volts` (the
// lower code on a tie). Found only when it lies within half a step of one DAC code; otherwise,
// or when the channel has no reference set or its reference is not a usable number, `miss` says
// why.
VoltageSolution CodeForVoltage(const ChipModel& chip, int16_t dac, const ReferenceTexts& vref,
                               double volts);
