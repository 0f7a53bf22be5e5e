#include "number_format.h"

#include <charconv>
#include <cmath>

namespace scpi {

std::string FormatInteger(int64_t value) {
  char text[24];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

std::string FormatReal(double value) {
  if (std::isnan(value)) return "9.91E+37";
  if (std::isinf(value)) return value > 0 ? "9.9E+37" : "-9.9E+37";
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

}  // namespace scpi
