#pragma once
// Conversion of a computed value to a 32-bit register value: nearest integer, ties to even, and
// clamped to the 32-bit range so that no result is left undefined.

#include <cmath>
#include <cstdint>
#include <limits>

// Rounds with std::nearbyint under the default rounding mode (to nearest, ties to even). Values
// beyond the 32-bit range give INT32_MIN or INT32_MAX; NaN gives 0.
inline int32_t RoundToInt32(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = std::nearbyint(value);
  if (rounded <= static_cast<double>(std::numeric_limits<int32_t>::min())) {
    return std::numeric_limits<int32_t>::min();
  }
  if (rounded >= static_cast<double>(std::numeric_limits<int32_t>::max())) {
    return std::numeric_limits<int32_t>::max();
  }
  return static_cast<int32_t>(rounded);
}
