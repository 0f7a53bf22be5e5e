#include "usb_id_text.h"

#include <cstdio>

namespace {

constexpr const char* kExpected = "expected VID:PID or VID:PID,VID:PID in hexadecimal";

// The value of one to four hex digits, or nothing.
std::optional<uint16_t> HexNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 4) return std::nullopt;
  unsigned value = 0;
  for (const char c : digits) {
    unsigned digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else {
      return std::nullopt;
    }
    value = value * 16 + digit;
  }
  return static_cast<uint16_t>(value);
}

// One "VID:PID" pair; `error` says what is wrong with it otherwise.
std::optional<UsbId> ParsePair(std::string_view pair, std::string& error) {
  const std::size_t colon = pair.find(':');
  if (colon == std::string_view::npos) {
    error = "\"" + std::string(pair) + "\" has no ':' between vendor and product ID; " + kExpected;
    return std::nullopt;
  }
  const auto vendor = HexNumber(pair.substr(0, colon));
  const auto product = HexNumber(pair.substr(colon + 1));
  if (!vendor || !product) {
    error = "\"" + std::string(pair) +
            "\": each ID must be 1 to 4 hexadecimal digits (0-9, a-f); " + kExpected;
    return std::nullopt;
  }
  return UsbId{*vendor, *product};
}

}  // namespace

UsbIdTextResult ParseUsbIdText(std::string_view text) {
  if (text.empty()) return {std::nullopt, std::string("no USB ID given; ") + kExpected};
  const std::size_t comma = text.find(',');
  std::string error;
  const auto before = ParsePair(text.substr(0, comma), error);
  if (!before) return {std::nullopt, error};
  if (comma == std::string_view::npos) return {BoardUsbIds{*before, *before}, {}};
  const std::string_view rest = text.substr(comma + 1);
  if (rest.find(',') != std::string_view::npos)
    return {std::nullopt, std::string("more than two ID pairs; ") + kExpected};
  const auto after = ParsePair(rest, error);
  if (!after) return {std::nullopt, error};
  return {BoardUsbIds{*before, *after}, {}};
}

std::string UsbIdText(UsbId id) {
  char text[10];
  std::snprintf(text, sizeof text, "%04x:%04x", id.vendor, id.product);
  return text;
}
