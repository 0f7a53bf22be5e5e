#pragma once
// The chip's register file as the simulated board holds it.

#include <array>
#include <cstdint>
#include <optional>

#include "catalogue.h"

// The chip's registers as the simulated board has received them. Registers that the chip
// powers up with a model-dependent value are empty until written after power-on or RESET.
// Channel registers are indexed by channel record (address - 8) and hold data bits 15..0 of the
// word as sent (on 14-bit models the code times 4).
//
// Once the board knows the chip model (its resolution and power-on code), the chip also computes
// what it applies: X2A and X2B from the input, gain and offset registers, and the DAC registers
// that LDAC loads from them. These hold codes (not shifted), like the program's register model.
struct SimulatedChip {
  std::array<std::optional<uint16_t>, 40> inputA{};
  std::array<std::optional<uint16_t>, 40> inputB{};
  std::array<std::optional<uint16_t>, 40> gain{};
  std::array<std::optional<uint16_t>, 40> offset{};
  std::array<std::optional<uint16_t>, 3> offsetDac{};
  std::array<uint8_t, 5> abSelect{};  // power-on 0: every channel takes X2A
  uint16_t control = 0;               // bit 2: X writes reach input register B
  uint16_t monitor = 0;
  uint16_t gpio = 0;  // bit 1 output enable, bit 0 level
  uint16_t readbackSelect = 0;
  int resetPulses = 0;
  int ldacPulses = 0;
  int clrPulses = 0;
  bool resetLineLow = false;
  bool clrLineLow = false;
  bool ldacLineLow = false;
  int bits = 0;           // resolution of the fitted model; 0: not known, nothing computed
  int32_t resetCode = 0;  // power-on code of the input, X2 and DAC registers
  // The fitted model: words for channels, groups or functions it lacks are ignored. nullptr:
  // not known, every address of the family is taken.
  const PartInfo* part = nullptr;
  std::array<int32_t, 40> x2a{};
  std::array<int32_t, 40> x2b{};
  std::array<int32_t, 40> dac{};
  bool operator==(const SimulatedChip&) const = default;
};
