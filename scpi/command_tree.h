#pragma once
// The command tree: every header pattern the program answers to, with its handler. Built once
// and shared, read-only, by all connections.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "header_pattern.h"
#include "program_text.h"

namespace scpi {

class Call;

// The suffix of each node of a header, by depth below the root.
using NodeSuffixes = std::array<int, kMaxHeaderNodes>;

// Where a header without a leading ':' is looked up: a node of the tree and the suffixes given
// to the nodes above it. Every line starts at the root.
struct HeaderPath {
  uint32_t node = 0;
  NodeSuffixes suffixes{};
};

class CommandTree {
 public:
  using Handler = std::function<void(Call&)>;

  struct Command {
    std::string pattern;
    int minParams = 0;
    int maxParams = 0;
    Handler handler;
  };

  // What a header found: its command and the suffixes of the pattern's '#' nodes, in pattern
  // order (1 where the header left the suffix or a bracketed node out).
  struct Match {
    const Command* command = nullptr;
    std::array<int, kMaxHeaderNodes> suffixes{};
    std::size_t suffixCount = 0;
  };

  enum class Lookup { Found, Undefined, SuffixOutOfRange };

  CommandTree();

  // Adds a command. `pattern` as in "DAC#:X1A", "DAC#:X1A?", "SYSTem:ERRor[:NEXT]?", "*IDN?",
  // "LDAC": mnemonics separated by ':', the short form in upper case and the rest of the long
  // form in lower case, '#' after a node that takes a numeric suffix, brackets around a node
  // that may be left out, '?' at the end of a query. Queries and settings are separate commands.
  // The handler runs only with minParams to maxParams parameters. Throws std::invalid_argument,
  // and changes nothing, for a malformed pattern, a bad parameter range, an empty handler, a
  // header already taken, or a node whose short or long form could be read as a sibling's.
  void add(std::string_view pattern, int minParams, int maxParams, Handler handler);

  // Looks `header` up from `path` (from the root when the header is absolute). When found, fills
  // `match` and, for a header that is not a common command, moves `path` to the node above the
  // header's last node. A suffix beyond 999999999 on a node that takes one is SuffixOutOfRange.
  Lookup find(const Header& header, HeaderPath& path, Match& match) const;

  std::size_t commandCount() const { return commands_.size(); }
  // Every command, in the order added.
  const std::vector<Command>& commands() const { return commands_; }

 private:
  struct Leaf {
    uint32_t command = 0;
    std::size_t slotCount = 0;
    // For each '#' of the pattern, the depth of its node in this form, or kOmitted.
    std::array<uint8_t, kMaxHeaderNodes> slotDepth{};
  };
  struct Node {
    std::string mnemonic;  // as in the pattern, "SYSTem"; the name of a common command
    std::size_t shortLength = 0;
    bool suffix = false;
    uint32_t parent = 0;
    uint32_t depth = 0;  // of the root: 0; of its children: 1
    std::vector<uint32_t> children;
    std::array<int32_t, 2> leaves{-1, -1};  // setting, query: indices into leaves_
  };
  struct Layout {  // everything add() changes, copied so that a refused pattern changes nothing
    std::vector<Node> nodes;
    std::vector<Node> common;
    std::vector<Leaf> leaves;
  };
  static constexpr uint8_t kOmitted = 0xFF;
  static constexpr uint32_t kNoNode = 0xFFFFFFFF;

  static void AddForm(Layout& layout, const HeaderPattern& parsed,
                      const std::vector<std::size_t>& form, uint32_t command,
                      std::string_view pattern);
  static void AddCommon(Layout& layout, const HeaderPattern& parsed, uint32_t command,
                        std::string_view pattern);
  // The child of `node` that `token` names, with its suffix; kNoNode when none.
  uint32_t findChild(const Node& node, std::string_view token, int& suffix,
                     bool& suffixOutOfRange) const;

  Layout layout_;
  std::vector<Command> commands_;
};

}  // namespace scpi
