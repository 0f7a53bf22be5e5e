#pragma once
// The current chip model and the program's register model of the chip: the 40 channel records
// and the three offset DAC codes.

#include <array>
#include <cstdint>
#include <string>

#include "catalogue.h"
#include "dac.h"

struct ChipModel {
  std::string PartName;      // empty until a model is chosen
  int16_t PartBits = 0;      // 16 or 14
  int16_t PartChannels = 0;  // 8, 16, 32 or 40
  std::array<DAC, kChannelCount> DACs{};
  int32_t OffsetDAC0 = 0;    // last code written to offset DAC 0
  int32_t OffsetDAC1 = 0;
  int32_t OffsetDAC2 = 0;

  // The catalogue row of PartName, or nullptr when no model is chosen.
  const PartInfo* part() const { return FindPart(PartName); }

  // The data steps of a model's setup: PartBits and PartChannels, then PartName, then M and C
  // of all 40 records (full-scale gain, mid-scale offset). Touches nothing else.
  void ApplySetup(const PartInfo& row);

  // Every record to the model's power-on state: BITS, M, C, then the reset code into X1A, X1B,
  // X2A, X2B and DACreg (left alone when no model is chosen). ABsel is not touched.
  void ResetChannels();

  // The chip's A/B select registers return to A at a reset: every record's ABsel to 0.
  void ResetABsel();

  // OffsetDAC0..2 by number.
  int32_t& OffsetDAC(int k);
  int32_t OffsetDAC(int k) const;
};

// 2^n - 1 and 2^(n-1) computed in double precision and rounded half to even, as the setup and
// the reset do (n = 0 gives 0 and 0).
int32_t FullScaleGain(int16_t n);
int32_t MidScaleOffset(int16_t n);
