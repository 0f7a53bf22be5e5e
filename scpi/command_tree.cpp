#include "command_tree.h"

#include <stdexcept>
#include <utility>

#include "mnemonic.h"

namespace scpi {

namespace {

constexpr std::size_t kMaxSuffixDigits = 9;

[[noreturn]] void Refuse(std::string_view pattern, std::string_view why) {
  throw std::invalid_argument("command pattern \"" + std::string(pattern) +
                              "\": " + std::string(why));
}

std::string_view WithoutTrailingDigits(std::string_view text) {
  while (!text.empty() && IsAsciiDigit(text.back())) text.remove_suffix(1);
  return text;
}

// Whether `token` names `node`: one of its forms, followed by digits when it takes a suffix.
template <typename N>
bool Names(const N& node, std::string_view token) {
  return MatchesMnemonic(node.mnemonic, node.shortLength,
                         node.suffix ? WithoutTrailingDigits(token) : token);
}

// Whether some header token could name both nodes ("OUT1" names both OUT1 and OUT#). Forms
// never end with a digit where a suffix follows, so a token naming both is caught by trying
// each node's forms on the other.
template <typename A, typename B>
bool Overlap(const A& a, const B& b) {
  const std::string_view aForms[] = {std::string_view(a.mnemonic).substr(0, a.shortLength),
                                     a.mnemonic};
  const std::string_view bForms[] = {std::string_view(b.mnemonic).substr(0, b.shortLength),
                                     b.mnemonic};
  for (std::string_view form : aForms) {
    if (Names(b, form)) return true;
  }
  for (std::string_view form : bForms) {
    if (Names(a, form)) return true;
  }
  return false;
}

// The pattern's forms: for every choice of bracketed nodes to leave out, the indices of the
// nodes kept.
std::vector<std::vector<std::size_t>> Forms(const HeaderPattern& parsed) {
  std::vector<std::size_t> optional;
  for (std::size_t i = 0; i < parsed.nodes.size(); ++i) {
    if (parsed.nodes[i].optional) optional.push_back(i);
  }
  std::vector<std::vector<std::size_t>> forms;
  for (unsigned mask = 0; mask < (1u << optional.size()); ++mask) {
    std::vector<std::size_t> form;
    for (std::size_t i = 0, o = 0; i < parsed.nodes.size(); ++i) {
      const bool left = parsed.nodes[i].optional && (mask >> o++ & 1u) != 0;
      if (!left) form.push_back(i);
    }
    forms.push_back(std::move(form));
  }
  return forms;
}

}  // namespace

CommandTree::CommandTree() {
  layout_.nodes.emplace_back();  // the root
}

void CommandTree::add(std::string_view pattern, int minParams, int maxParams, Handler handler) {
  const HeaderPattern parsed = ParsePattern(pattern);
  if (minParams < 0 || maxParams < minParams) {
    Refuse(pattern, "parameter counts must satisfy 0 <= min <= max");
  }
  if (!handler) Refuse(pattern, "no handler");
  const auto command = static_cast<uint32_t>(commands_.size());
  Layout layout = layout_;
  if (parsed.common) {
    AddCommon(layout, parsed, command, pattern);
  } else {
    for (const std::vector<std::size_t>& form : Forms(parsed)) {
      AddForm(layout, parsed, form, command, pattern);
    }
  }
  commands_.push_back(Command{std::string(pattern), minParams, maxParams, std::move(handler)});
  layout_ = std::move(layout);
}

void CommandTree::AddCommon(Layout& layout, const HeaderPattern& parsed, uint32_t command,
                            std::string_view pattern) {
  const PatternNode& name = parsed.nodes.front();
  Node* entry = nullptr;
  for (Node& common : layout.common) {
    if (EqualsIgnoringCase(common.mnemonic, name.mnemonic)) entry = &common;
  }
  if (entry == nullptr) {
    entry = &layout.common.emplace_back();
    entry->mnemonic = name.mnemonic;
    entry->shortLength = name.mnemonic.size();
  }
  int32_t& leaf = entry->leaves[parsed.query ? 1 : 0];
  if (leaf >= 0) Refuse(pattern, "already registered");
  leaf = static_cast<int32_t>(layout.leaves.size());
  layout.leaves.push_back(Leaf{command, 0, {}});
}

void CommandTree::AddForm(Layout& layout, const HeaderPattern& parsed,
                          const std::vector<std::size_t>& form, uint32_t command,
                          std::string_view pattern) {
  std::array<uint8_t, kMaxHeaderNodes> depthOf{};
  depthOf.fill(kOmitted);
  uint32_t at = 0;
  for (std::size_t index : form) {
    const PatternNode& wanted = parsed.nodes[index];
    uint32_t next = kNoNode;
    for (uint32_t child : layout.nodes[at].children) {
      const Node& sibling = layout.nodes[child];
      if (sibling.mnemonic == wanted.mnemonic && sibling.suffix == wanted.suffix) {
        next = child;
        break;
      }
      if (Overlap(sibling, wanted)) {
        Refuse(pattern, "node " + wanted.mnemonic + " could be read as " + sibling.mnemonic);
      }
    }
    if (next == kNoNode) {
      next = static_cast<uint32_t>(layout.nodes.size());
      Node node;
      node.mnemonic = wanted.mnemonic;
      node.shortLength = wanted.shortLength;
      node.suffix = wanted.suffix;
      node.parent = at;
      node.depth = layout.nodes[at].depth + 1;
      layout.nodes.push_back(std::move(node));
      layout.nodes[at].children.push_back(next);
    }
    depthOf[index] = static_cast<uint8_t>(layout.nodes[next].depth - 1);
    at = next;
  }
  int32_t& leaf = layout.nodes[at].leaves[parsed.query ? 1 : 0];
  if (leaf >= 0) Refuse(pattern, "already registered");
  Leaf entry{command, 0, {}};
  for (std::size_t i = 0; i < parsed.nodes.size(); ++i) {
    if (parsed.nodes[i].suffix) entry.slotDepth[entry.slotCount++] = depthOf[i];
  }
  leaf = static_cast<int32_t>(layout.leaves.size());
  layout.leaves.push_back(entry);
}

uint32_t CommandTree::findChild(const Node& node, std::string_view token, int& suffix,
                                bool& suffixOutOfRange) const {
  const std::string_view name = WithoutTrailingDigits(token);
  for (uint32_t index : node.children) {
    const Node& child = layout_.nodes[index];
    if (!child.suffix) {
      if (MatchesMnemonic(child.mnemonic, child.shortLength, token)) {
        suffix = 1;
        return index;
      }
      continue;
    }
    if (!MatchesMnemonic(child.mnemonic, child.shortLength, name)) continue;
    std::string_view digits = token.substr(name.size());
    while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
    if (digits.size() > kMaxSuffixDigits) {
      suffixOutOfRange = true;
      return kNoNode;
    }
    suffix = digits.empty() ? 1 : 0;
    for (char c : digits) suffix = suffix * 10 + (c - '0');
    return index;
  }
  return kNoNode;
}

CommandTree::Lookup CommandTree::find(const Header& header, HeaderPath& path, Match& match) const {
  const std::size_t form = header.query ? 1 : 0;
  if (header.common) {
    for (const Node& common : layout_.common) {
      if (!EqualsIgnoringCase(common.mnemonic, header.nodes)) continue;
      if (common.leaves[form] < 0) return Lookup::Undefined;
      match.command = &commands_[layout_.leaves[common.leaves[form]].command];
      match.suffixCount = 0;
      return Lookup::Found;
    }
    return Lookup::Undefined;
  }

  uint32_t at = header.absolute ? 0 : path.node;
  NodeSuffixes suffixes = path.suffixes;
  std::string_view rest = header.nodes;
  while (!rest.empty()) {
    const std::size_t colon = rest.find(':');
    const std::string_view token = rest.substr(0, colon);
    rest.remove_prefix(colon == std::string_view::npos ? rest.size() : colon + 1);
    const Node& node = layout_.nodes[at];
    if (node.depth >= kMaxHeaderNodes) return Lookup::Undefined;
    bool outOfRange = false;
    int suffix = 1;
    const uint32_t child = findChild(node, token, suffix, outOfRange);
    if (outOfRange) return Lookup::SuffixOutOfRange;
    if (child == kNoNode) return Lookup::Undefined;
    suffixes[node.depth] = suffix;
    at = child;
  }
  const Node& last = layout_.nodes[at];
  if (last.leaves[form] < 0) return Lookup::Undefined;
  const Leaf& leaf = layout_.leaves[last.leaves[form]];
  match.command = &commands_[leaf.command];
  match.suffixCount = leaf.slotCount;
  for (std::size_t i = 0; i < leaf.slotCount; ++i) {
    match.suffixes[i] = leaf.slotDepth[i] == kOmitted ? 1 : suffixes[leaf.slotDepth[i]];
  }
  path.node = last.parent;
  path.suffixes = suffixes;
  return Lookup::Found;
}

}  // namespace scpi
