#include "transfer_function.h"

#include <charconv>

#include "catalogue.h"
#include "chip_model.h"
#include "reference_text.h"
#include "rounding.h"

namespace {

// 2^n for the two resolutions the chip family has.
double FullScale(int16_t n) {
  return n == 16 ? 65536.0 : 16384.0;
}

// Whether a "0.0000" text holds only zeros after its minus sign.
bool IsNegativeZero(const std::string& text) {
  return text.size() > 1 && text.front() == '-' &&
         text.find_first_not_of("0.", 1) == std::string::npos;
}

}  // namespace

std::optional<int32_t> CorrectedCode(int32_t X1, int32_t M, int32_t C, int16_t n) {
  if (n != 16 && n != 14) return std::nullopt;
  const double scale = FullScale(n);
  const double mid = scale / 2.0;
  // M + 1 as the chip's 32-bit sum; formed in 64 bits so that M = INT32_MAX does not overflow.
  const double q = static_cast<double>(int64_t{M} + 1) / scale;
  const double p = q * X1;
  const double s = (C - mid) + p;
  return RoundToInt32(s);
}

int ReferenceSetOf(std::string_view PartName, int dac) {
  const PartInfo* part = FindPart(PartName);
  if (part == nullptr) return -1;
  for (int k = 0; k < static_cast<int>(part->referenceSets.size()); ++k) {
    if (part->referenceSets[static_cast<size_t>(k)].contains(dac)) return k;
  }
  return -1;
}

std::string FormatVoltage(double volts) {
  // to_chars is locale-independent and rounds the exact binary value correctly.
  char buffer[400];
  const auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, volts, std::chars_format::fixed, 4);
  std::string text(buffer, end);
  if (IsNegativeZero(text)) text.erase(0, 1);
  return text;
}

std::optional<double> OutputVoltage(const ChipModel& chip, int16_t DACNumber,
                                    const ReferenceTexts& vref) {
  const PartInfo* part = chip.part();
  const int k = part == nullptr ? -1 : ReferenceSetOf(part->name, DACNumber);
  if (k < 0) return 0.0;
  const std::optional<double> reference = ParseReferenceVoltage(vref[static_cast<size_t>(k)]);
  if (!reference) return std::nullopt;
  const int64_t offset = int64_t{part->offsetFactor} * chip.OffsetDAC(k);
  const int64_t d = chip.DACs[static_cast<size_t>(DACNumber)].DACregValue() - offset;
  const double gain = 4.0 * *reference;
  return (static_cast<double>(d) * gain) / FullScale(part->bits);
}

std::optional<std::string> TransferFunction(const ChipModel& chip, int16_t DACNumber,
                                            const ReferenceTexts& vref) {
  const std::optional<double> volts = OutputVoltage(chip, DACNumber, vref);
  if (!volts) return std::nullopt;
  return FormatVoltage(*volts);
}

std::optional<OffsetDefaults> OffsetDefaultsFor(std::string_view PartName) {
  for (std::string_view name : {"ZR820", "ZR821", "ZR822", "ZR823"}) {
    if (PartName == name) return OffsetDefaults{"1555", 0x1555, "3"};
  }
  for (std::string_view name : {"ZR810", "ZR811", "ZR812", "ZR813"}) {
    if (PartName == name) return OffsetDefaults{"2000", 0x2000, "5"};
  }
  return std::nullopt;
}
