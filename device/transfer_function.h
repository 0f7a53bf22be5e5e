#pragma once
// The channel's gain and offset correction, and the output voltage of the transfer function.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct ChipModel;

// The arithmetic of updateX2: q = (M + 1) / 2^n, p = q * X1, s = (C - 2^(n-1)) + p, in double
// precision, rounded half to even, not clamped. nullopt when n is neither 16 nor 14.
std::optional<int32_t> CorrectedCode(int32_t X1, int32_t M, int32_t C, int16_t n);

// The reference set (0..2) of channel record `dac` on the model, or -1 when it uses none.
int ReferenceSetOf(std::string_view PartName, int dac);

// A voltage with the pattern "0.0000", "." as decimal point whatever the locale; a value that
// rounds to zero never shows a minus sign.
std::string FormatVoltage(double volts);

// The reference texts txtVREF(0..2) as the window holds them.
using ReferenceTexts = std::array<std::string, 3>;

// Output voltage of channel record DACNumber in volts, at full precision: 4 * VREF * (DACreg -
// F * offset DAC) / 2^n for the channel's reference set, 0 for a channel in none. nullopt when the
// set's reference text is not a number.
std::optional<double> OutputVoltage(const ChipModel& chip, int16_t DACNumber,
                                    const ReferenceTexts& vref);

// Output voltage of channel record DACNumber as "0.0000" text. nullopt when the channel uses a
// reference set whose text is not a number (the window shows that instead of a wrong voltage).
std::optional<std::string> TransferFunction(const ChipModel& chip, int16_t DACNumber,
                                            const ReferenceTexts& vref);

// The model defaults that UpdateOffset puts in place; nullopt for no model.
struct OffsetDefaults {
  std::string offsetText;  // text of txtOffsetValue(0..2)
  int32_t offsetCode;      // OffsetDAC0..2
  std::string vrefText;    // text of txtVREF(0..2)
};
std::optional<OffsetDefaults> OffsetDefaultsFor(std::string_view PartName);
