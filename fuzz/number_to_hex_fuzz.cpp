// NumberToHex over its whole input range. Input: four bytes of Number, two bytes of Length
// (little-endian; missing bytes are 0, further bytes are ignored).

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "fuzz_check.h"
#include "hex_text.h"

namespace {

bool InContract(int32_t number, int16_t length) {
  if (length < 1 || length > 8 || number < 0) return false;
  return static_cast<int64_t>(number) < (int64_t{1} << (4 * length));
}

void CheckInContract(int32_t number, int16_t length) {
  const std::string text = NumberToHex(number, length);
  FUZZ_CHECK(text.size() == static_cast<std::size_t>(length));
  for (char c : text) FUZZ_CHECK((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'));
  FUZZ_CHECK(HexTextToNumber(text) == number);
  char expected[16];
  std::snprintf(expected, sizeof expected, "%0*X", static_cast<int>(length),
                static_cast<unsigned>(number));
  FUZZ_CHECK(text == expected);
}

void CheckRefused(int32_t number, int16_t length) {
  bool threw = false;
  try {
    NumberToHex(number, length);
  } catch (const std::out_of_range&) {
    threw = true;
  }
  FUZZ_CHECK(threw);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::array<uint8_t, 6> bytes{};
  std::copy_n(data, std::min(size, bytes.size()), bytes.begin());
  const auto number = static_cast<int32_t>(
      static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
      static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24);
  const auto length = static_cast<int16_t>(bytes[4] | bytes[5] << 8);
  if (InContract(number, length)) {
    CheckInContract(number, length);
  } else {
    CheckRefused(number, length);
  }
  // The upper-case digits of any value read back as that value.
  const std::string digits = HexDigits(number);
  FUZZ_CHECK(HexTextToNumber(digits) == number);
  return 0;
}
