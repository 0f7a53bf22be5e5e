#include "reference_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <system_error>

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string WithoutBlanks(std::string_view text) {
  std::string kept;
  std::copy_if(text.begin(), text.end(), std::back_inserter(kept),
               [](char c) { return !IsBlank(c); });
  return kept;
}

// Value of a digit in base 16 or 8, or -1.
int DigitValue(char c, int base) {
  int value = -1;
  if (IsDigit(c)) value = c - '0';
  if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value < base ? value : -1;
}

// The digits after &H or &O as an integer. A value up to FFFF hex is a 16-bit pattern (&HFFFF
// reads -1), a larger one a 32-bit pattern; a digit that would take the value past 32 bits ends
// the number.
double ReadPrefixedInteger(std::string_view digits, int base) {
  constexpr uint64_t k32BitLimit = 0xFFFFFFFFu;
  uint64_t value = 0;
  for (char c : digits) {
    const int digit = DigitValue(c, base);
    if (digit < 0) break;
    const uint64_t next = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    if (next > k32BitLimit) break;
    value = next;
  }
  if (value <= 0xFFFFu) return static_cast<int16_t>(static_cast<uint16_t>(value));
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

// A decimal number as read from the start of a text: sign, digits around the point, exponent.
struct DecimalText {
  bool negative = false;
  std::string integerDigits;
  std::string fractionDigits;
  int64_t exponent = 0;
};

// Reads digits from text[pos] on, appending them to `digits`; returns the position after them.
size_t TakeDigits(std::string_view text, size_t pos, std::string& digits) {
  while (pos < text.size() && IsDigit(text[pos])) digits += text[pos++];
  return pos;
}

// An optional exponent at text[pos]: E or D (either case), optional sign, digits. A letter not
// followed by digits is not part of the number and gives 0. Huge exponents are capped; they
// only need to stay far beyond the double range.
int64_t TakeExponent(std::string_view text, size_t pos) {
  constexpr int64_t kExponentCap = 1'000'000'000'000;
  if (pos >= text.size() || std::string_view("EeDd").find(text[pos]) == std::string_view::npos) {
    return 0;
  }
  ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  int64_t exponent = 0;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
    exponent = std::min(exponent * 10 + (text[pos] - '0'), kExponentCap);
  }
  return negative ? -exponent : exponent;
}

DecimalText SplitDecimal(std::string_view text) {
  DecimalText number;
  size_t pos = 0;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
    number.negative = text[pos++] == '-';
  pos = TakeDigits(text, pos, number.integerDigits);
  if (pos < text.size() && text[pos] == '.') pos = TakeDigits(text, pos + 1, number.fractionDigits);
  if (!number.integerDigits.empty() || !number.fractionDigits.empty()) {
    number.exponent = TakeExponent(text, pos);
  }
  return number;
}

// The magnitude of a decimal number, kept finite: a value beyond the double range gives the
// largest finite double, one below the smallest denormal gives 0.
double DecimalMagnitude(const DecimalText& number) {
  const std::string all = number.integerDigits + number.fractionDigits;
  const size_t first = all.find_first_not_of('0');
  if (first == std::string::npos) return 0.0;
  const size_t last = all.find_last_not_of('0');
  const std::string significant = all.substr(first, last - first + 1);
  // The value is 0.<significant> x 10^scale.
  const int64_t scale = static_cast<int64_t>(number.integerDigits.size()) -
                        static_cast<int64_t>(first) + number.exponent;
  constexpr int64_t kBeyondDoubleRange = 400;
  if (scale > kBeyondDoubleRange) return std::numeric_limits<double>::max();
  if (scale < -kBeyondDoubleRange) return 0.0;
  const std::string canonical = "0." + significant + "e" + std::to_string(scale);
  double value = 0.0;
  const auto [end, ec] = std::from_chars(canonical.data(), canonical.data() + canonical.size(),
                                         value, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    return scale > 0 ? std::numeric_limits<double>::max() : 0.0;
  }
  return value;
}

// Digits and decimal exponent of a finite, non-zero value rounded to 15 significant digits,
// trailing zeros dropped: 1234.5 gives "12345" and 3.
struct RoundedDigits {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

RoundedDigits RoundTo15Digits(double value) {
  char buffer[32];
  const auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
  const std::string_view text(buffer, static_cast<size_t>(end - buffer));
  RoundedDigits rounded;
  rounded.negative = text.front() == '-';
  const size_t e = text.find('e');
  for (char c : text.substr(0, e)) {
    if (IsDigit(c)) rounded.digits += c;
  }
  rounded.digits.erase(rounded.digits.find_last_not_of('0') + 1);
  size_t pos = e + 1;
  if (text[pos] == '+') ++pos;
  std::from_chars(text.data() + pos, text.data() + text.size(), rounded.exponent);
  return rounded;
}

std::string PlainNotation(const std::string& digits, int exponent) {
  if (exponent < 0) return "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
  const auto integerLength = static_cast<size_t>(exponent) + 1;
  if (digits.size() <= integerLength)
    return digits + std::string(integerLength - digits.size(), '0');
  return digits.substr(0, integerLength) + "." + digits.substr(integerLength);
}

std::string ScientificNotation(const std::string& digits, int exponent) {
  std::string text = digits.substr(0, 1);
  if (digits.size() > 1) text += "." + digits.substr(1);
  text += exponent < 0 ? "E-" : "E+";
  const std::string power = std::to_string(exponent < 0 ? -exponent : exponent);
  if (power.size() < 2) text += '0';
  return text + power;
}

}  // namespace

double ReadReferenceNumber(std::string_view text) {
  const std::string kept = WithoutBlanks(text);
  if (kept.size() >= 2 && kept[0] == '&') {
    if (kept[1] == 'H' || kept[1] == 'h')
      return ReadPrefixedInteger(std::string_view(kept).substr(2), 16);
    if (kept[1] == 'O' || kept[1] == 'o')
      return ReadPrefixedInteger(std::string_view(kept).substr(2), 8);
  }
  const DecimalText number = SplitDecimal(kept);
  const double magnitude = DecimalMagnitude(number);
  return number.negative ? -magnitude : magnitude;
}

std::string ShortestDecimal(double value) {
  if (!std::isfinite(value)) {
    char buffer[16];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, end);
  }
  if (value == 0.0) return "0";
  const RoundedDigits rounded = RoundTo15Digits(value);
  constexpr int kLowestPlain = -5;
  constexpr int kHighestPlain = 14;
  const bool plain = rounded.exponent >= kLowestPlain && rounded.exponent <= kHighestPlain;
  const std::string text = plain ? PlainNotation(rounded.digits, rounded.exponent)
                                 : ScientificNotation(rounded.digits, rounded.exponent);
  return rounded.negative ? "-" + text : text;
}

std::string NormalizeReferenceText(std::string_view text) {
  return ShortestDecimal(ReadReferenceNumber(text));
}

std::optional<double> ParseReferenceVoltage(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return std::nullopt;
  const size_t last = text.find_last_not_of(" \t\r\n");
  std::string_view number = text.substr(first, last - first + 1);
  // A leading "+" is as good as none; from_chars itself takes only "-".
  if (number.front() == '+') {
    number.remove_prefix(1);
    if (number.empty() || number.front() == '-' || number.front() == '+') return std::nullopt;
  }
  double value = 0.0;
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value,
                                         std::chars_format::general);
  if (ec != std::errc{} || end != number.data() + number.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

bool ReferenceInRange(double volts) {
  return std::isfinite(volts) && volts > 0.0 && volts <= kLargestReference;
}

std::string ReferenceRangeProblem(double volts) {
  if (ReferenceInRange(volts)) return {};
  const std::string shown = std::isfinite(volts) ? ShortestDecimal(volts) + " V" : "not a voltage";
  return shown + " is outside the references: more than 0 V, at most " +
         ShortestDecimal(kLargestReference) + " V";
}
