#pragma once
// A 24-bit word as the chip's serial interface decodes it: which register it reaches and the data
// that register keeps. The simulated chip applies it to its registers and the session to its
// register model, so that the two read every word alike.

#include <cstdint>

struct PartInfo;

struct ChipWord {
  enum class Target {
    None,           // a word the chip ignores
    InputRegister,  // the input register of the control register's route (X1A or X1B)
    Gain,
    Offset,
    Control,
    OffsetDac,
    ReadbackSelect,
    ABSelect,
    Monitor,
    Gpio,
  };
  Target target = Target::None;
  int index = 0;      // channel record, offset DAC number or A/B select group
  uint16_t data = 0;  // what the register keeps
  bool operator==(const ChipWord&) const = default;
};

// The register `word` reaches on a chip of model `part`: a channel the model has (its channel
// records), or a special function it has (the monitor and GPIO pin only where the model shows
// them, the A/B select groups of its channels, their bits as far as the group has members).
// nullptr decodes for the family's largest chip: every channel, group and function.
ChipWord DecodeChipWord(int32_t word, const PartInfo* part);

// The code a channel register's data stands for: the data moved down two bits on 14-bit models.
int32_t ChannelCode(uint16_t data, int bits);
