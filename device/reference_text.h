#pragma once
// Reading reference-voltage texts. "." is the decimal point whatever the locale.

#include <optional>
#include <string>
#include <string_view>

// The Enter reading of a reference text: blanks, tabs and line feeds anywhere are ignored; an
// optional sign, digits with "." and an optional exponent are read up to the first character
// that cannot continue the number; &H and &O start a hexadecimal or octal integer; no number at
// the start reads 0.
double ReadReferenceNumber(std::string_view text);

// The shortest general decimal form of a value with at most 15 significant digits.
std::string ShortestDecimal(double value);

// The Enter normalisation: ShortestDecimal(ReadReferenceNumber(text)). 2.50 -> 2.5, 5V -> 5,
// 1e3 -> 1000, abc -> 0.
std::string NormalizeReferenceText(std::string_view text);

// The references the board's outputs can take: more than 0 V and at most kLargestReference.
inline constexpr double kLargestReference = 10.0;
// Whether `volts` is a finite voltage in that range.
bool ReferenceInRange(double volts);
// "-5 is outside the references: more than 0 V, at most 10 V"; empty when in range.
std::string ReferenceRangeProblem(double volts);

// The whole text as a decimal number (blanks around it allowed), as the output voltages read it;
// nullopt when the text is not wholly a number.
std::optional<double> ParseReferenceVoltage(std::string_view text);
