#pragma once
// Header patterns as CommandTree::add takes them, read into their nodes.
//
//   "DAC#:X1A"              two nodes; DAC takes a numeric suffix
//   "SYSTem:ERRor[:NEXT]?"  a query whose last node may be left out
//   "[SOURce]:VOLTage"      a first node that may be left out
//   "*IDN?"                 a common command

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace scpi {

inline constexpr std::size_t kMaxHeaderNodes = 12;   // nodes of one pattern
inline constexpr std::size_t kMaxOptionalNodes = 4;  // bracketed nodes of one pattern

struct PatternNode {
  std::string mnemonic;  // as written, without '#' and brackets: "SYSTem"
  std::size_t shortLength = 0;
  bool suffix = false;    // written with '#'
  bool optional = false;  // written in brackets
};

struct HeaderPattern {
  bool common = false;  // "*XXX": one node, its name without the '*'
  bool query = false;
  std::vector<PatternNode> nodes;
};

// Reads `pattern`; throws std::invalid_argument naming the pattern and what is wrong with it.
HeaderPattern ParsePattern(std::string_view pattern);

}  // namespace scpi
