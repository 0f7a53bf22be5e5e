#pragma once
// Texts that an operator may type into the hexadecimal boxes of the window, valid and invalid,
// and the test's own reading of them.

#include <QString>
#include <optional>
#include <random>

namespace session {

// One to eight ASCII hex digits, either case, read as a 32-bit two's-complement pattern; anything
// else (empty, other characters, nine or more digits) is not a number.
std::optional<int32_t> ParseHexEntry(const QString& text);

// Whether a code box for a register of `bits` bits takes `text`: a number from 0 to 2^bits - 1.
bool FitsBits(const QString& text, int bits);

// A random entry for a box whose register is `bits` wide (14, 16 or 24): valid codes of random
// widths and case, zeros in front, codes just over the range, more than 16 bits, eight digits
// with the top bit set, too many digits, empty text and text with other characters.
QString RandomHexEntry(std::mt19937& rng, int bits);

// A random reference text: decimal numbers, exponents, a unit, letters, empty.
QString RandomReferenceText(std::mt19937& rng);

// Whether every character can be typed with QTest::keyClicks (printable ASCII).
bool TypableAscii(const QString& text);

}  // namespace session
