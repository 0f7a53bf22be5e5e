#include "mnemonic.h"

namespace scpi {

std::string_view TrimWhiteSpace(std::string_view text) {
  while (!text.empty() && IsWhiteSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsWhiteSpace(text.back())) text.remove_suffix(1);
  return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

std::size_t ShortFormLength(std::string_view pattern) {
  std::size_t n = 0;
  while (n < pattern.size() && !(pattern[n] >= 'a' && pattern[n] <= 'z')) ++n;
  return n;
}

bool MatchesMnemonic(std::string_view pattern, std::size_t shortLength, std::string_view token) {
  if (token.size() == shortLength) return EqualsIgnoringCase(pattern.substr(0, shortLength), token);
  return token.size() == pattern.size() && EqualsIgnoringCase(pattern, token);
}

}  // namespace scpi
