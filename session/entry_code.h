#pragma once
// The codes typed into the window's entry boxes: the text read as hexadecimal and checked for the
// width of what it is written into. The code, or the refusal the window shows in its message box;
// the session checks a code that arrives as a number with the same widths and words.

#include <cstdint>
#include <string_view>

#include "refusal.h"

// A channel register's code (X, M, C) is entered as 16 bits whatever the model; the session then
// checks it against the model's resolution.
inline constexpr int16_t kChannelCodeBits = 16;
// An offset DAC's code: 14 bits on every model.
inline constexpr int16_t kOffsetDacBits = 14;
// A direct-load word: the chip's whole 24-bit word.
inline constexpr int16_t kWordBits = 24;

struct EntryCode {
  int32_t code = 0;  // the code typed, when not refused
  Refused refused;   // "Invalid Number" or "Number exceeds the bit length (N)"
};

EntryCode ChannelCodeOfText(std::string_view text);
EntryCode OffsetCodeOfText(std::string_view text);
EntryCode WordOfText(std::string_view text);
