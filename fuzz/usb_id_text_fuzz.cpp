// The --usb-id option text: accepted texts are one or two VID:PID pairs of 1 to 4 hex digits
// each, and writing the IDs back gives a text that reads as the same IDs; refused texts always
// get words saying why. Input: the text, any bytes.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "usb_id_text.h"

namespace {

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The written form: pairs of 1..4 hex digits around ':', one or two of them joined by ','.
bool WellFormed(const std::string& text) {
  int pairs = 0;
  std::size_t at = 0;
  while (true) {
    for (int part = 0; part < 2; ++part) {
      std::size_t digits = 0;
      while (at < text.size() && IsHexDigit(text[at])) ++at, ++digits;
      if (digits < 1 || digits > 4) return false;
      if (part == 0 && (at >= text.size() || text[at++] != ':')) return false;
    }
    ++pairs;
    if (at == text.size()) return pairs <= 2;
    if (text[at++] != ',') return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const UsbIdTextResult result = ParseUsbIdText(text);

  FUZZ_CHECK(result.ids.has_value() == WellFormed(text));
  FUZZ_CHECK(result.ids.has_value() == result.error.empty());
  if (result.ids) {
    const std::string written =
        UsbIdText(result.ids->beforeLoad) + "," + UsbIdText(result.ids->afterLoad);
    FUZZ_CHECK(ParseUsbIdText(written).ids == result.ids);
  }
  return 0;
}
