#pragma once
// How the simulated board's chip answers the words and line requests it receives.

#include <array>
#include <cstdint>

#include "simulated_board.h"

// Decodes one 24-bit word into the chip's registers; words the chip does not know are ignored.
void ApplyWord(SimulatedChip& chip, int32_t word);

// Sets or pulses a control line (request codes DA..E3; the start request E0 leaves every line
// high); other codes change nothing.
void ApplyLineRequest(SimulatedChip& chip, uint8_t code);

// Every register back to its power-on state; pulse counts and line levels stay.
void PowerOnRegisters(SimulatedChip& chip);

// The chip of model `part` fitted: its registers at that model's power-on state.
void FitChipModel(SimulatedChip& chip, const PartInfo& part);

// The three bytes a readback returns: the register the readback select register names
// (readback_select.h), low byte first.
std::array<uint8_t, 3> ReadbackBytes(const SimulatedChip& chip, bool gpioInputHigh);
