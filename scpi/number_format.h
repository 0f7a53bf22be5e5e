#pragma once
// Numbers in replies.

#include <cstdint>
#include <string>

namespace scpi {

// Decimal, with a '-' when negative: "-12", "65535".
std::string FormatInteger(int64_t value);

// The shortest text that reads back as exactly `value` ("0.1", "2.5e-06", "12345"). Not-a-number
// and the infinities answer as SCPI writes them: 9.91E+37, 9.9E+37 and -9.9E+37.
std::string FormatReal(double value);

}  // namespace scpi
