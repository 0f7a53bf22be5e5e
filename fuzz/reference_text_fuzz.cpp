// The reference-voltage texts: the Enter reading and normalisation of any text, and the output
// voltages' reading of a normalised value. Input: the text; its first eight bytes are also
// taken as a double.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "reference_text.h"

namespace {

constexpr double kLargest = std::numeric_limits<double>::max();

// The value rounded to 15 significant digits, through the C library's own conversions.
double RoundTo15Digits(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.14e", value);
  return std::strtod(text, nullptr);
}

// Significant digits of a decimal text (digits before the exponent, zeros around them dropped).
std::size_t SignificantDigits(std::string_view text) {
  const std::string_view mantissa = text.substr(0, text.find('E'));
  std::string digits;
  for (char c : mantissa) {
    if (c >= '0' && c <= '9') digits += c;
  }
  const std::size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos) return 0;
  return digits.find_last_not_of('0') - first + 1;
}

void CheckEnterReading(std::string_view text) {
  const double value = ReadReferenceNumber(text);
  FUZZ_CHECK(std::isfinite(value));
  const std::string normalised = NormalizeReferenceText(text);
  FUZZ_CHECK(normalised == ShortestDecimal(value));
  FUZZ_CHECK(SignificantDigits(normalised) <= 15);
  // Fifteen digits of a value within 5e292 of the largest double round past it ("1e999" reads
  // as that largest double, shown as 1.79769313486232E+308); reading such a text back keeps to
  // the largest double, as every reading beyond the range does.
  const double rounded = RoundTo15Digits(value);
  const double expected = std::isinf(rounded) ? std::copysign(kLargest, rounded) : rounded;
  FUZZ_CHECK(ReadReferenceNumber(normalised) == expected);
  FUZZ_CHECK(NormalizeReferenceText(normalised) == normalised);
}

void CheckOutputReading(double x) {
  if (!std::isfinite(x)) return;
  const std::optional<double> read = ParseReferenceVoltage(ShortestDecimal(x));
  const double rounded = RoundTo15Digits(x);
  // The output voltages take no text beyond the double range as a number.
  if (std::isinf(rounded)) {
    FUZZ_CHECK(!read.has_value());
    return;
  }
  FUZZ_CHECK(read.has_value());
  FUZZ_CHECK(*read == rounded);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckEnterReading(text);
  const std::optional<double> voltage = ParseReferenceVoltage(text);
  if (voltage) FUZZ_CHECK(std::isfinite(*voltage));
  if (size >= sizeof(double)) {
    double x = 0.0;
    std::memcpy(&x, data, sizeof x);
    CheckOutputReading(x);
  }
  return 0;
}
