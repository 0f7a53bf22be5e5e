#include "header_pattern.h"

#include <stdexcept>
#include <vector>

#include "mnemonic.h"

namespace scpi {

namespace {

[[noreturn]] void Refuse(std::string_view pattern, std::string_view why) {
  throw std::invalid_argument("command pattern \"" + std::string(pattern) +
                              "\": " + std::string(why));
}

bool IsMnemonicChar(char c) {
  return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '_';
}

// One mnemonic with its optional '#': a letter first, then letters, digits and '_'; upper case
// (and digits) first, lower case after.
PatternNode ReadNode(std::string_view pattern, std::string_view text, bool optional) {
  PatternNode node;
  node.optional = optional;
  if (!text.empty() && text.back() == '#') {
    node.suffix = true;
    text.remove_suffix(1);
  }
  if (text.empty() || !IsAsciiLetter(text.front()))
    Refuse(pattern, "a node must start with a letter");
  for (char c : text) {
    if (!IsMnemonicChar(c)) Refuse(pattern, "a node holds letters, digits and '_' only");
  }
  node.shortLength = ShortFormLength(text);
  if (node.shortLength == 0) Refuse(pattern, "a node must start with its upper-case short form");
  for (std::size_t i = node.shortLength; i < text.size(); ++i) {
    if (!(text[i] >= 'a' && text[i] <= 'z')) {
      Refuse(pattern, "a node's long-form tail must be lower-case letters only");
    }
  }
  if (node.suffix && (IsAsciiDigit(text.back()) || IsAsciiDigit(text[node.shortLength - 1]))) {
    Refuse(pattern, "a node with a '#' suffix must not end with a digit in either form");
  }
  node.mnemonic = std::string(text);
  return node;
}

HeaderPattern ParseCommon(std::string_view pattern, std::string_view name, bool query) {
  if (name.empty()) Refuse(pattern, "a common command needs a name after '*'");
  for (char c : name) {
    if (!IsAsciiLetter(c)) Refuse(pattern, "a common command's name holds letters only");
  }
  HeaderPattern result;
  result.common = true;
  result.query = query;
  PatternNode node;
  node.mnemonic = std::string(name);
  node.shortLength = name.size();
  result.nodes.push_back(std::move(node));
  return result;
}

// Nodes separated by ':', a single node in brackets where it may be left out, the colon inside
// or outside them: "A[:B]:C", "[A:]B", "[A]:B". The brackets are taken out first, each character
// keeping the number of the bracket pair it was in (0 outside); then every node must lie wholly
// inside or wholly outside one pair, and every pair must hold one node.
void ParseNodes(std::string_view pattern, std::string_view body, HeaderPattern& result) {
  std::string plain;
  std::vector<int> pairOf;
  int pairs = 0;
  bool open = false;
  for (char c : body) {
    if (c == '[' || c == ']') {
      if (open == (c == '[')) Refuse(pattern, "unbalanced or nested brackets");
      open = !open;
      if (open) ++pairs;
      continue;
    }
    plain += c;
    pairOf.push_back(open ? pairs : 0);
  }
  if (open) Refuse(pattern, "unbalanced or nested brackets");

  std::vector<int> nodesInPair(static_cast<std::size_t>(pairs) + 1, 0);
  std::size_t start = !plain.empty() && plain.front() == ':' ? 1 : 0;
  while (true) {
    const std::size_t colon = plain.find(':', start);
    const std::size_t end = colon == std::string::npos ? plain.size() : colon;
    if (end == start) Refuse(pattern, "empty node");
    int pair = pairOf[start];
    for (std::size_t i = start; i < end; ++i) {
      if (pairOf[i] != pair) Refuse(pattern, "a bracket must hold a whole node");
    }
    ++nodesInPair[static_cast<std::size_t>(pair)];
    result.nodes.push_back(
        ReadNode(pattern, std::string_view(plain).substr(start, end - start), pair != 0));
    if (colon == std::string::npos) break;
    start = colon + 1;
  }
  for (int pair = 1; pair <= pairs; ++pair) {
    if (nodesInPair[static_cast<std::size_t>(pair)] != 1) {
      Refuse(pattern, "a bracket must hold one node");
    }
  }
}

}  // namespace

HeaderPattern ParsePattern(std::string_view pattern) {
  std::string_view body = pattern;
  const bool query = !body.empty() && body.back() == '?';
  if (query) body.remove_suffix(1);
  if (!body.empty() && body.front() == '*') return ParseCommon(pattern, body.substr(1), query);

  HeaderPattern result;
  result.query = query;
  ParseNodes(pattern, body, result);
  if (result.nodes.size() > kMaxHeaderNodes) Refuse(pattern, "too many nodes");
  std::size_t optional = 0;
  for (const PatternNode& node : result.nodes) optional += node.optional ? 1 : 0;
  if (optional > kMaxOptionalNodes) Refuse(pattern, "too many bracketed nodes");
  if (optional == result.nodes.size()) Refuse(pattern, "every node is bracketed");
  return result;
}

}  // namespace scpi
