#include "parameters.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <system_error>
#include <utility>

#include "error_queue.h"
#include "mnemonic.h"

namespace scpi {

namespace {

enum class Kind { String, Number, Character, Other };

Kind KindOf(std::string_view text) {
  const char c = text.empty() ? '\0' : text.front();
  if (c == '"' || c == '\'') return Kind::String;
  if (IsAsciiDigit(c) || c == '+' || c == '-' || c == '.' || c == '#') return Kind::Number;
  if (IsAsciiLetter(c)) return Kind::Character;
  return Kind::Other;
}

template <typename T>
Reading<T> Failed(int code, std::string detail) {
  Reading<T> reading;
  reading.error = code;
  reading.detail = std::move(detail);
  return reading;
}

template <typename T>
Reading<T> Malformed(std::string_view text) {
  return Failed<T>(errc::kSyntaxError, "malformed parameter " + QuoteForDetail(text));
}

template <typename T>
Reading<T> Read(T value) {
  Reading<T> reading;
  reading.value = value;
  return reading;
}

// The parts of a decimal number in NRf form at the start of a text.
struct Nrf {
  bool negative = false;
  std::string_view integerDigits;
  std::string_view fractionDigits;
  int64_t exponent = 0;  // kept within +-kExponentLimit
  std::size_t end = 0;   // the index after the number
};

constexpr int64_t kExponentLimit = 1'000'000;

std::size_t DigitsFrom(std::string_view text, std::size_t i) {
  while (i < text.size() && IsAsciiDigit(text[i])) ++i;
  return i;
}

// Reads [sign] (digits [. [digits]] | . digits) [E [sign] digits]; an E without digits after it
// is not part of the number. False when the text does not start with a mantissa.
bool ScanNrf(std::string_view text, Nrf& nrf) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) nrf.negative = text[i++] == '-';
  std::size_t end = DigitsFrom(text, i);
  nrf.integerDigits = text.substr(i, end - i);
  i = end;
  if (i < text.size() && text[i] == '.') {
    end = DigitsFrom(text, i + 1);
    nrf.fractionDigits = text.substr(i + 1, end - i - 1);
    i = end;
  }
  if (nrf.integerDigits.empty() && nrf.fractionDigits.empty()) return false;
  nrf.end = i;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    bool negativeExponent = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) negativeExponent = text[j++] == '-';
    const std::size_t digitsEnd = DigitsFrom(text, j);
    if (digitsEnd == j) return true;
    int64_t exponent = 0;
    for (std::size_t k = j; k < digitsEnd; ++k) {
      exponent = std::min(exponent * 10 + (text[k] - '0'), kExponentLimit);
    }
    nrf.exponent = negativeExponent ? -exponent : exponent;
    nrf.end = digitsEnd;
  }
  return true;
}

constexpr uint64_t kInt64Max = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());

// The signed value of a magnitude, or nothing beyond int64_t.
std::optional<int64_t> Signed(uint64_t magnitude, bool negative) {
  if (!negative) {
    if (magnitude > kInt64Max) return std::nullopt;
    return static_cast<int64_t>(magnitude);
  }
  if (magnitude > kInt64Max + 1) return std::nullopt;
  if (magnitude == kInt64Max + 1) return std::numeric_limits<int64_t>::min();
  return -static_cast<int64_t>(magnitude);
}

// magnitude * 10 + digit, or nothing past uint64_t.
std::optional<uint64_t> AppendDigit(uint64_t magnitude, unsigned digit, unsigned base) {
  if (magnitude > (std::numeric_limits<uint64_t>::max() - digit) / base) return std::nullopt;
  return magnitude * base + digit;
}

Reading<int64_t> WholeNumber(std::string_view text, const Nrf& nrf) {
  // The digits as one sequence, their value scaled by 10^shift.
  const std::size_t count = nrf.integerDigits.size() + nrf.fractionDigits.size();
  auto digit = [&](std::size_t k) {
    return k < nrf.integerDigits.size() ? nrf.integerDigits[k]
                                        : nrf.fractionDigits[k - nrf.integerDigits.size()];
  };
  std::size_t first = 0;
  while (first < count && digit(first) == '0') ++first;
  if (first == count) return Read<int64_t>(0);
  std::size_t last = count - 1;
  while (digit(last) == '0') --last;
  const int64_t shift = nrf.exponent - static_cast<int64_t>(nrf.fractionDigits.size()) +
                        static_cast<int64_t>(count - 1 - last);
  if (shift < 0) {
    return Failed<int64_t>(errc::kDataOutOfRange, "not a whole number: " + QuoteForDetail(text));
  }
  const auto length = static_cast<int64_t>(last - first + 1) + shift;
  std::optional<uint64_t> magnitude = 0;
  if (length <= 20) {
    for (std::size_t k = first; k <= last && magnitude; ++k) {
      magnitude = AppendDigit(*magnitude, static_cast<unsigned>(digit(k) - '0'), 10);
    }
    for (int64_t k = 0; k < shift && magnitude; ++k) magnitude = AppendDigit(*magnitude, 0, 10);
  }
  const std::optional<int64_t> value =
      length <= 20 && magnitude ? Signed(*magnitude, nrf.negative) : std::nullopt;
  if (!value) {
    return Failed<int64_t>(errc::kDataOutOfRange, QuoteForDetail(text) + " is beyond 64 bits");
  }
  return Read(*value);
}

// "#H1F", "#B101", "#Q17".
Reading<int64_t> NonDecimal(std::string_view text) {
  if (text.size() < 3) return Malformed<int64_t>(text);
  const char radix = AsciiUpper(text[1]);
  const unsigned base = radix == 'H' ? 16 : radix == 'B' ? 2 : radix == 'Q' ? 8 : 0;
  if (base == 0) return Malformed<int64_t>(text);
  std::optional<uint64_t> magnitude = 0;
  for (char c : text.substr(2)) {
    const char upper = AsciiUpper(c);
    const unsigned value = IsAsciiDigit(c) ? static_cast<unsigned>(c - '0')
                           : (upper >= 'A' && upper <= 'F')
                               ? static_cast<unsigned>(upper - 'A' + 10)
                               : 99;
    if (value >= base) return Malformed<int64_t>(text);
    if (magnitude) magnitude = AppendDigit(*magnitude, value, base);
  }
  const std::optional<int64_t> value = magnitude ? Signed(*magnitude, false) : std::nullopt;
  if (!value)
    return Failed<int64_t>(errc::kDataOutOfRange, QuoteForDetail(text) + " is beyond 64 bits");
  return Read(*value);
}

// The scale of a voltage unit, or 0.
double VoltsPerUnit(std::string_view unit) {
  if (EqualsIgnoringCase(unit, "V")) return 1.0;
  if (EqualsIgnoringCase(unit, "MV")) return 1e3;
  if (EqualsIgnoringCase(unit, "UV")) return 1e6;
  return 0.0;
}

}  // namespace

Reading<int64_t> ReadInteger(std::string_view text) {
  switch (KindOf(text)) {
    case Kind::String:
    case Kind::Character:
      return Failed<int64_t>(errc::kDataTypeError,
                             "expected a number, not " + QuoteForDetail(text));
    case Kind::Other:
      return Malformed<int64_t>(text);
    case Kind::Number:
      break;
  }
  if (text.front() == '#') return NonDecimal(text);
  Nrf nrf;
  if (!ScanNrf(text, nrf) || nrf.end != text.size()) return Malformed<int64_t>(text);
  return WholeNumber(text, nrf);
}

Reading<double> ReadVolts(std::string_view text) {
  switch (KindOf(text)) {
    case Kind::String:
    case Kind::Character:
      return Failed<double>(errc::kDataTypeError,
                            "expected a voltage, not " + QuoteForDetail(text));
    case Kind::Other:
      return Malformed<double>(text);
    case Kind::Number:
      break;
  }
  if (text.front() == '#') {
    return Failed<double>(errc::kDataTypeError,
                          "expected a decimal voltage, not " + QuoteForDetail(text));
  }
  Nrf nrf;
  if (!ScanNrf(text, nrf)) return Malformed<double>(text);
  const std::string_view unit = TrimWhiteSpace(text.substr(nrf.end));
  double divisor = 1.0;
  if (!unit.empty()) {
    if (!IsAsciiLetter(unit.front())) return Malformed<double>(text);
    divisor = VoltsPerUnit(unit);
    if (divisor == 0.0) {
      return Failed<double>(errc::kInvalidSuffix,
                            "unit " + QuoteForDetail(unit) + " (V, MV or UV)");
    }
  }
  // from_chars takes a '-' but no '+'.
  const std::size_t from = text.front() == '+' ? 1 : 0;
  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(text.data() + from, text.data() + nrf.end, value);
  if (ec == std::errc::result_out_of_range) {
    return Failed<double>(errc::kDataOutOfRange, QuoteForDetail(text) + " is beyond a double");
  }
  if (ec != std::errc{} || ptr != text.data() + nrf.end) return Malformed<double>(text);
  return Read(value / divisor);
}

Reading<bool> ReadBoolean(std::string_view text) {
  auto refuse = [text](int code) {
    return Failed<bool>(code, "expected ON, OFF, 1 or 0, not " + QuoteForDetail(text));
  };
  switch (KindOf(text)) {
    case Kind::String:
      return refuse(errc::kDataTypeError);
    case Kind::Other:
      return Malformed<bool>(text);
    case Kind::Character:
      if (EqualsIgnoringCase(text, "ON")) return Read(true);
      if (EqualsIgnoringCase(text, "OFF")) return Read(false);
      return refuse(errc::kIllegalParameterValue);
    case Kind::Number:
      break;
  }
  const Reading<int64_t> number = ReadInteger(text);
  if (number.error == errc::kSyntaxError) return Failed<bool>(number.error, number.detail);
  if (number.value == 0 || number.value == 1) return Read(*number.value == 1);
  return refuse(errc::kIllegalParameterValue);
}

Reading<int> ReadChoice(std::string_view text, std::initializer_list<std::string_view> mnemonics) {
  auto refuse = [&](int code) {
    std::string expected = "expected ";
    std::size_t n = 0;
    for (std::string_view mnemonic : mnemonics) {
      if (n > 0) expected += n + 1 == mnemonics.size() ? " or " : ", ";
      expected += mnemonic;
      ++n;
    }
    return Failed<int>(code, expected + ", not " + QuoteForDetail(text));
  };
  switch (KindOf(text)) {
    case Kind::String:
    case Kind::Number:
      return refuse(errc::kDataTypeError);
    case Kind::Other:
      return Malformed<int>(text);
    case Kind::Character:
      break;
  }
  int index = 0;
  for (std::string_view mnemonic : mnemonics) {
    if (MatchesMnemonic(mnemonic, text)) return Read(index);
    ++index;
  }
  return refuse(errc::kIllegalParameterValue);
}

}  // namespace scpi
