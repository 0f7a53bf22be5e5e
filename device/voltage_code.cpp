#include "voltage_code.h"

#include <algorithm>
#include <cmath>

#include "catalogue.h"
#include "chip_model.h"
#include "reference_text.h"

namespace {

// The set-dependent numbers of the transfer function for one channel.
struct ChannelScale {
  int16_t bits = 0;
  double fullScale = 0.0;  // 2^n
  double gain = 0.0;       // 4 * VREF
  int64_t offset = 0;      // F * offset DAC
};

double VoltsOf(const ChannelScale& s, int32_t x2) {
  return (static_cast<double>(x2 - s.offset) * s.gain) / s.fullScale;
}

std::optional<ChannelScale> ScaleOf(const ChipModel& chip, int16_t dac, const ReferenceTexts& vref,
                                    VoltageMiss& miss) {
  const PartInfo* part = chip.part();
  const int k = part == nullptr ? -1 : ReferenceSetOf(part->name, dac);
  if (k < 0) {
    miss.reason = "the channel has no reference set on this model";
    return std::nullopt;
  }
  const std::optional<double> reference = ParseReferenceVoltage(vref[static_cast<size_t>(k)]);
  const std::string name = "VREF" + std::to_string(k);
  if (!reference) {
    miss.reason = name + " is not a number";
    return std::nullopt;
  }
  if (*reference == 0.0) {
    miss.reason = name + " is 0: every code gives 0 V";
    return std::nullopt;
  }
  return ChannelScale{part->bits, std::ldexp(1.0, part->bits), 4.0 * *reference,
                      int64_t{part->offsetFactor} * chip.OffsetDAC(k)};
}

}  // namespace

VoltageSolution CodeForVoltage(const ChipModel& chip, int16_t dac, const ReferenceTexts& vref,
                               double volts) {
  VoltageSolution solution;
  const auto scale = ScaleOf(chip, dac, vref, solution.miss);
  if (!scale) return solution;
  const DAC& record = chip.DACs.at(static_cast<size_t>(dac));
  const double largest = scale->fullScale - 1.0;
  // The real-valued X2 and X1 that give the voltage exactly; the codes around it are tried with
  // the program's own corrected-code arithmetic, so rounding inside it is taken into account.
  const double x2 = volts * scale->fullScale / scale->gain + static_cast<double>(scale->offset);
  const double mid = scale->fullScale / 2.0;
  const double x1 = (x2 - (record.C() - mid)) * scale->fullScale / (record.M() + 1.0);
  std::optional<VoltageCode> best;
  if (std::isfinite(x1)) {
    const double around = std::clamp(std::floor(x1), 0.0, largest);
    for (double candidate = std::max(0.0, around - 1); candidate <= std::min(largest, around + 2);
         ++candidate) {
      const auto code = static_cast<int32_t>(candidate);
      const auto corrected = CorrectedCode(code, record.M(), record.C(), scale->bits);
      if (!corrected) continue;
      const double out = VoltsOf(*scale, *corrected);
      if (!best || std::abs(out - volts) < std::abs(best->volts - volts)) {
        best = VoltageCode{code, *corrected, out};
      }
    }
  }
  // Half a step of the DAC register, with room for the rounding of the arithmetic above.
  const double halfStep = std::abs(scale->gain / scale->fullScale) / 2.0 * (1.0 + 1e-9);
  if (best && std::abs(best->volts - volts) <= halfStep) {
    solution.found = best;
  } else {
    solution.miss.reason = "no code of the channel gives that voltage within half a step";
  }
  return solution;
}
