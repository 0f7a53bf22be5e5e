#pragma once
// Hexadecimal text as the window shows and reads it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Display form of a register value: an eight-character text keeps its last four characters,
// upper case, left-filled with zeros to four characters; five to seven characters stay as they
// are. The result is also stored back into textString.
std::string FormatHex(std::string& textString);

// Upper-case hexadecimal digits of a 32-bit value with no zeros in front ("0" for zero); a
// negative value gives its eight-digit two's-complement pattern.
std::string HexDigits(int32_t value);

// The register display of a value: FormatHex(HexDigits(value)).
std::string RegisterText(int32_t value);

// The hex conversion rule for entered text: one to eight digits 0-9, A-F, a-f, read as a 32-bit
// two's-complement pattern. Anything else (empty, other characters, nine or more digits) is not
// a number.
std::optional<int32_t> HexTextToNumber(std::string_view text);

// Exactly `Length` upper-case digits, zeros in front. Throws std::out_of_range unless
// 0 <= Number < 16^Length (and 1 <= Length <= 8): a wrong word must never be shown.
std::string NumberToHex(int32_t Number, int16_t Length);

// The verdict of CheckText on an entered code for a register of BitLength bits.
struct CheckVerdict {
  enum Kind { Accepted, InvalidNumber, ExceedsBitLength };
  Kind kind = InvalidNumber;
  int32_t value = 0;  // the code, when accepted
  std::string text;   // message text of a refusal
  std::string title;  // message title of a refusal
  bool refused() const { return kind != Accepted; }
};

// "Invalid Number" (title "Invalid Number") for text that is not a number; "Number exceeds the
// bit length (N)" (title "Invalid Text") for a negative value or one above 2^N - 1.
CheckVerdict CheckText(std::string_view CheckString, int16_t BitLength);

// The same verdict for a code that arrived as a number (remote control): accepted, or "Number
// exceeds the bit length (N)" when it is negative or above 2^N - 1.
CheckVerdict CheckCode(int64_t value, int16_t BitLength);
