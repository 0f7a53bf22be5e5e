#include "refusal.h"

std::string OutsideRange(int64_t value, int64_t low, int64_t high, const std::string& what) {
  return std::to_string(value) + " is outside " + std::to_string(low) + " to " +
         std::to_string(high) + " (" + what + ")";
}
