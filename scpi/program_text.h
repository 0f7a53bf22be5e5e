#pragma once
// The text of one program message (one line): its message units, each unit's header and its
// parameters. Nothing here knows the command tree.

#include <cstddef>
#include <string_view>
#include <vector>

namespace scpi {

// A message unit's header as written.
struct Header {
  std::string_view text;   // the whole header: ":SYST:ERR?", "*ESE"
  std::string_view nodes;  // the mnemonics: "SYST:ERR" (no leading ':', '*' or trailing '?')
  bool common = false;     // "*XXX"
  bool absolute = false;   // starts with ':' and so at the root
  bool query = false;      // ends with '?'
};

// The next message unit of `line` from `pos`, white space trimmed: the text up to the next ';'
// that is outside a quoted string ("..." or '...'), or to the end. `pos` moves past the ';'.
// Call while pos <= line.size(); after the last unit, pos is line.size() + 1.
std::string_view NextUnit(std::string_view line, std::size_t& pos);

// Reads the header at the start of a trimmed, non-empty unit and gives the text after it,
// trimmed, in `parameters`. False when the header is malformed or not followed by white space.
bool ReadHeader(std::string_view unit, Header& header, std::string_view& parameters);

enum class Split { Ok, Malformed, TooMany };

// Splits the parameter text at ',' outside quoted strings and outside parentheses (an expression
// such as the channel list "(@1,4,7)" is one parameter) into trimmed parameters, appended to
// `out`. Empty text is no parameter. Malformed for an empty parameter ("1,,2", "1,") or an
// unclosed quote; TooMany, without reading further, when there are more than `most`.
Split SplitParameters(std::string_view text, std::size_t most, std::vector<std::string_view>& out);

}  // namespace scpi
