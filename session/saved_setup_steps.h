#pragma once
// The restore of a setup as operator actions: the same writes the operator would make, in this
// order, so that the register model (and the chip) end exactly as saved:
//
//  1. The references (nothing is sent) and the offset DACs.
//  2. Only when the DAC registers do not all hold the X2 their A/B select names: for every
//     channel M at full scale, then C and the X1 of the register its A/B select names, so that
//     this X2 (X1 * (M + 1) / 2^n + C - 2^(n-1), exactly X1 + C - 2^(n-1) at full scale) is the
//     saved DAC register; every A/B select; one LDAC pulse. The DAC registers now hold their
//     saved values, and the writes below do not touch them.
//  3. The channel registers, with the input register route on A and then on B. A gain or offset
//     write recomputes only the X2 of the route, so a channel whose X2A is not what X1A, M and C
//     give (written before its last gain or offset change, under route B) has X1A written first
//     with a gain and offset that give its saved X2A, and its final M and C under route B. Every
//     channel: M, C, then the X1 of the route (its X2 now follows from the final values), then
//     the other X1 unless its X2 was left as saved.
//  4. When the DAC registers hold the selected X2: every A/B select.
//  5. The input register route as saved.
//  6. The monitor (on, the channel, the input, off again if saved off) and the GPIO mode.
//  7. When the DAC registers hold the selected X2: one LDAC pulse.
//
// A setup with channel names or limits starts with every channel's name and no limits, and ends
// with the limits of the limited channels.

#include <cstdint>
#include <optional>
#include <vector>

#include "catalogue.h"
#include "operator_action.h"
#include "saved_setup.h"

// The steps that restore `setup` (checked by CheckSetup) on a session of its model. A reference
// that is not a finite number is left out.
// Each step runs on the session with RunStep (operator_action.h).
std::vector<AnyAction> RestoreSteps(const SavedSetup& setup, const PartInfo& part);

// A channel's limits replaced by `low` and `high` (either may be absent).
Refused SetLimits(Session& session, int dac, std::optional<double> low, std::optional<double> high);

// The channel records of the model, in the order of the channel numbers the window shows.
std::vector<int> ChannelRecords(const PartInfo& part);

// A gain and offset code of `bits` with which input code `x1` gives the corrected code `x2`, or
// nothing when none does.
struct GainOffset {
  int32_t m = 0;
  int32_t c = 0;
};
std::optional<GainOffset> GainOffsetFor(int32_t x1, int32_t x2, int16_t bits);

// The corrected codes any X1, M and C of `bits` can give: -2^(n-1) to 2^n + 2^(n-1) - 2.
int32_t LowestCorrectedCode(int16_t bits);
int32_t HighestCorrectedCode(int16_t bits);
