// FormatHex against its written steps: an eight-character text keeps its last four
// characters, letters become upper case, one to three characters get zeros in front.
// Input: the text, any bytes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "hex_text.h"

namespace {

std::string ReferenceFormat(std::string text) {
  if (text.size() == 8) text = text.substr(4);
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; });
  if (text.size() == 1) text = "000" + text;
  if (text.size() == 2) text = "00" + text;
  if (text.size() == 3) text = "0" + text;
  return text;
}

bool HasLowerCase(const std::string& text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::string textString = input;
  const std::string shown = FormatHex(textString);

  FUZZ_CHECK(shown == ReferenceFormat(input));
  FUZZ_CHECK(textString == shown);  // stored back into the argument
  FUZZ_CHECK(!HasLowerCase(shown));
  // Only an empty text stays shorter than four characters.
  FUZZ_CHECK(shown.size() >= 4 || input.empty());
  if (input.size() >= 4 && input.size() <= 7) FUZZ_CHECK(shown.size() == input.size());

  // The display form is a fixed point: showing it again changes nothing.
  std::string again = shown;
  FUZZ_CHECK(FormatHex(again) == shown);
  return 0;
}
