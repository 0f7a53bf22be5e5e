#pragma once
// Mnemonics as patterns write them: the upper-case part is the short form, the whole the long
// form ("SYSTem": SYST or SYSTEM, in any case, nothing in between).

#include <cstddef>
#include <string_view>

namespace scpi {

inline char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c;
}
inline bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
inline bool IsAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}
// IEEE 488.2 white space: every byte from 0 to 32 but LF, which ends a line before it gets here.
inline bool IsWhiteSpace(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

std::string_view TrimWhiteSpace(std::string_view text);

// Whether `a` and `b` are equal, ASCII letters compared without case.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// The length of the short form of `pattern`: its part before the first lower-case letter.
std::size_t ShortFormLength(std::string_view pattern);

// Whether `token` is the short or the long form of `pattern`, in any case.
bool MatchesMnemonic(std::string_view pattern, std::size_t shortLength, std::string_view token);
inline bool MatchesMnemonic(std::string_view pattern, std::string_view token) {
  return MatchesMnemonic(pattern, ShortFormLength(pattern), token);
}

}  // namespace scpi
