// HexTextToNumber and the CheckText verdict against a plain reference of the hex conversion
// rule. Input: two bytes of bit length, then the entered text.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "hex_text.h"

namespace {

// One to eight hex digits read as an unsigned pattern, or nothing.
std::optional<uint64_t> ReferencePattern(std::string_view text) {
  if (text.empty() || text.size() > 8) return std::nullopt;
  const std::string_view digits = "0123456789abcdef";
  uint64_t pattern = 0;
  for (char c : text) {
    const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
    const std::size_t digit = digits.find(lower);
    if (digit == std::string_view::npos) return std::nullopt;
    pattern = pattern * 16 + digit;
  }
  return pattern;
}

// The pattern as a 32-bit two's-complement number.
int64_t Signed32(uint64_t pattern) {
  return pattern >= (uint64_t{1} << 31) ? static_cast<int64_t>(pattern) - (int64_t{1} << 32)
                                        : static_cast<int64_t>(pattern);
}

// Whether 0 <= value <= 2^bits - 1 (a negative bit length admits nothing).
bool ReferenceFits(int64_t value, int bits) {
  if (value < 0 || bits < 0) return false;
  if (bits >= 40) return true;
  return value <= (int64_t{1} << bits) - 1;
}

void CheckConversion(std::string_view text, const std::optional<uint64_t>& pattern) {
  const std::optional<int32_t> number = HexTextToNumber(text);
  FUZZ_CHECK(number.has_value() == pattern.has_value());
  if (number) FUZZ_CHECK(*number == Signed32(*pattern));
}

void CheckVerdictOf(std::string_view text, int16_t bits, const std::optional<uint64_t>& pattern) {
  const CheckVerdict verdict = CheckText(text, bits);
  if (!pattern) {
    FUZZ_CHECK(verdict.kind == CheckVerdict::InvalidNumber && verdict.refused());
    FUZZ_CHECK(verdict.text == "Invalid Number" && verdict.title == "Invalid Number");
    return;
  }
  const int64_t value = Signed32(*pattern);
  if (!ReferenceFits(value, bits)) {
    FUZZ_CHECK(verdict.kind == CheckVerdict::ExceedsBitLength && verdict.refused());
    FUZZ_CHECK(verdict.text == "Number exceeds the bit length (" + std::to_string(bits) + ")");
    FUZZ_CHECK(verdict.title == "Invalid Text");
    return;
  }
  FUZZ_CHECK(verdict.kind == CheckVerdict::Accepted && !verdict.refused());
  FUZZ_CHECK(verdict.value == value && verdict.value == HexTextToNumber(text));
  FUZZ_CHECK(verdict.value >= 0);
  if (bits < 31) FUZZ_CHECK(verdict.value < (int64_t{1} << bits));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const auto bits = static_cast<int16_t>(data[0] | data[1] << 8);
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
  const std::optional<uint64_t> pattern = ReferencePattern(text);
  CheckConversion(text, pattern);
  CheckVerdictOf(text, bits, pattern);
  return 0;
}
