#include "hex_text.h"

#include <array>
#include <charconv>
#include <stdexcept>

namespace {

char UpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Value of one hexadecimal digit, or -1.
int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

constexpr size_t kMaxHexDigits = 8;

// Whether 0 <= value <= 2^bits - 1; every non-negative 32-bit value fits 31 bits or more.
bool FitsBitLength(int32_t value, int16_t bits) {
  if (value < 0 || bits < 0) return false;
  if (bits >= 31) return true;
  return static_cast<int64_t>(value) <= (int64_t{1} << bits) - 1;
}

}  // namespace

std::string FormatHex(std::string& textString) {
  if (textString.size() == kMaxHexDigits) textString.erase(0, 4);
  for (char& c : textString) c = UpperAscii(c);
  if (!textString.empty() && textString.size() < 4) {
    textString.insert(0, 4 - textString.size(), '0');
  }
  return textString;
}

std::string HexDigits(int32_t value) {
  std::array<char, kMaxHexDigits> buffer{};
  const auto [end, ec] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), static_cast<uint32_t>(value), 16);
  std::string digits(buffer.data(), end);
  for (char& c : digits) c = UpperAscii(c);
  return digits;
}

std::string RegisterText(int32_t value) {
  std::string digits = HexDigits(value);
  return FormatHex(digits);
}

std::optional<int32_t> HexTextToNumber(std::string_view text) {
  if (text.empty() || text.size() > kMaxHexDigits) return std::nullopt;
  uint32_t pattern = 0;
  for (char c : text) {
    const int digit = HexDigitValue(c);
    if (digit < 0) return std::nullopt;
    pattern = pattern * 16u + static_cast<uint32_t>(digit);
  }
  return static_cast<int32_t>(pattern);
}

std::string NumberToHex(int32_t Number, int16_t Length) {
  if (Length < 1 || Length > static_cast<int16_t>(kMaxHexDigits) || Number < 0 ||
      static_cast<int64_t>(Number) >= (int64_t{1} << (4 * Length))) {
    throw std::out_of_range("number does not fit the hexadecimal width");
  }
  std::string digits = HexDigits(Number);
  digits.insert(0, static_cast<size_t>(Length) - digits.size(), '0');
  return digits;
}

CheckVerdict CheckText(std::string_view CheckString, int16_t BitLength) {
  const std::optional<int32_t> value = HexTextToNumber(CheckString);
  if (!value) return {CheckVerdict::InvalidNumber, 0, "Invalid Number", "Invalid Number"};
  return CheckCode(*value, BitLength);
}

CheckVerdict CheckCode(int64_t value, int16_t BitLength) {
  if (value < INT32_MIN || value > INT32_MAX ||
      !FitsBitLength(static_cast<int32_t>(value), BitLength)) {
    return {CheckVerdict::ExceedsBitLength, 0,
            "Number exceeds the bit length (" + std::to_string(BitLength) + ")", "Invalid Text"};
  }
  return {CheckVerdict::Accepted, static_cast<int32_t>(value), {}, {}};
}
