#include "program_text.h"

#include "mnemonic.h"

namespace scpi {

namespace {

// The index of the first `stop` in `text` from `from` that is outside a quoted string, or
// text.size(); false in `closed` when a quote is left open.
// With `inParentheses`, a `stop` inside an expression's parentheses ("(@1,4,7)", a channel list)
// does not count either.
std::size_t FindOutsideQuotes(std::string_view text, std::size_t from, char stop, bool& closed,
                              bool inParentheses = false) {
  char quote = 0;
  int depth = 0;
  for (std::size_t i = from; i < text.size(); ++i) {
    const char c = text[i];
    if (quote != 0) {
      if (c == quote) quote = 0;  // a doubled quote closes and reopens: same result
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (inParentheses && c == '(') {
      ++depth;
    } else if (inParentheses && c == ')' && depth > 0) {
      --depth;
    } else if (c == stop && depth == 0) {
      closed = true;
      return i;
    }
  }
  closed = quote == 0;
  return text.size();
}

bool IsMnemonicChar(char c) {
  return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '_';
}

// "*" letters, or mnemonics (a letter, then letters, digits, '_') separated by single ':'.
bool ValidNodes(std::string_view nodes, bool common) {
  if (nodes.empty()) return false;
  if (common) {
    for (char c : nodes) {
      if (!IsAsciiLetter(c)) return false;
    }
    return true;
  }
  bool nodeStart = true;
  for (char c : nodes) {
    if (c == ':') {
      if (nodeStart) return false;
      nodeStart = true;
    } else if (nodeStart) {
      if (!IsAsciiLetter(c)) return false;
      nodeStart = false;
    } else if (!IsMnemonicChar(c)) {
      return false;
    }
  }
  return !nodeStart;
}

}  // namespace

std::string_view NextUnit(std::string_view line, std::size_t& pos) {
  if (pos >= line.size()) {
    pos = line.size() + 1;
    return {};
  }
  bool closed = true;
  const std::size_t end = FindOutsideQuotes(line, pos, ';', closed);
  const std::string_view unit = line.substr(pos, end - pos);
  pos = end + 1;
  return TrimWhiteSpace(unit);
}

bool ReadHeader(std::string_view unit, Header& header, std::string_view& parameters) {
  std::size_t end = 0;
  while (end < unit.size() && !IsWhiteSpace(unit[end])) ++end;
  header = Header{};
  header.text = unit.substr(0, end);
  parameters = TrimWhiteSpace(unit.substr(end));
  std::string_view nodes = header.text;
  if (!nodes.empty() && nodes.back() == '?') {
    header.query = true;
    nodes.remove_suffix(1);
  }
  if (!nodes.empty() && nodes.front() == '*') {
    header.common = true;
    nodes.remove_prefix(1);
  } else if (!nodes.empty() && nodes.front() == ':') {
    header.absolute = true;
    nodes.remove_prefix(1);
  }
  header.nodes = nodes;
  return ValidNodes(nodes, header.common);
}

Split SplitParameters(std::string_view text, std::size_t most, std::vector<std::string_view>& out) {
  if (text.empty()) return Split::Ok;
  std::size_t pos = 0;
  for (std::size_t count = 1;; ++count) {
    if (count > most) return Split::TooMany;
    bool closed = true;
    const std::size_t comma = FindOutsideQuotes(text, pos, ',', closed, true);
    if (!closed) return Split::Malformed;
    const std::string_view parameter = TrimWhiteSpace(text.substr(pos, comma - pos));
    if (parameter.empty()) return Split::Malformed;
    out.push_back(parameter);
    if (comma == text.size()) return Split::Ok;
    pos = comma + 1;
  }
}

}  // namespace scpi
