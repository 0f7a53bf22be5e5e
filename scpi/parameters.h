#pragma once
// Readers of parameter text, as Call's helpers use them: each gives a value, or the error
// number and detail text to queue.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace scpi {

template <typename T>
struct Reading {
  std::optional<T> value;
  int error = 0;       // an error number when there is no value
  std::string detail;  // what was wrong, for the error queue
};

// An integer: decimal with an optional sign, also written as a whole NRf ("3.2768E4"); or
// "#H" hex, "#B" binary, "#Q" octal digits without a sign (letters in any case). A non-whole
// number or one outside int64_t is -222; a string or character data is -104; malformed
// numbers are -102.
Reading<int64_t> ReadInteger(std::string_view text);

// A voltage: an NRf ("2.5", "-1e-3", ".5", "+3.") with an optional unit after optional white
// space, V, MV or UV in any case (M is milli, as SCPI has it); the value is in volts. A value
// beyond a double is -222; an unknown unit is -131; NaN, INF and other character data or
// strings are -104; malformed numbers are -102.
Reading<double> ReadVolts(std::string_view text);

// ON, OFF (any case), 1 or 0. Other character data and other numbers are -224, strings -104.
Reading<bool> ReadBoolean(std::string_view text);

// The index of the mnemonic among `mnemonics` (patterns such as "INPut") whose short or long
// form `text` is, in any case. Other character data is -224, numbers and strings -104.
Reading<int> ReadChoice(std::string_view text, std::initializer_list<std::string_view> mnemonics);

}  // namespace scpi
