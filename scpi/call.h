#pragma once
// What a handler sees of one message unit: the suffixes of its header, its parameters, and the
// means to answer and to report errors.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string_view>

#include "command_tree.h"

namespace scpi {

class Connection;

class Call {
 public:
  Call(Connection& connection, const CommandTree::Match& match,
       std::span<const std::string_view> params, std::string_view header);

  // The suffix given to the pattern's '#' node number `node` (0 for the first '#' of the
  // pattern), 1 where the header left it out. Throws std::out_of_range past the pattern's '#'s.
  int suffix(std::size_t node) const;
  // The suffix when it lies in min..max; otherwise queues -114 and gives nothing.
  std::optional<int> suffixIn(std::size_t node, int min, int max);

  std::size_t paramCount() const { return params_.size(); }
  // Parameter `i` as written, white space trimmed, quotes kept; empty past the last one.
  std::string_view param(std::size_t i) const;

  // Each reader below gives the value of parameter `i`, or queues the error (with a detail
  // naming what was wrong) and gives nothing. A missing parameter is -109.

  // An integer (decimal, whole NRf, #H, #B, #Q) in min..max; outside it -222.
  std::optional<int64_t> code(std::size_t i, int64_t min, int64_t max);
  // A voltage in volts (NRf with an optional V, MV or UV).
  std::optional<double> real(std::size_t i);
  // ON, OFF, 1 or 0.
  std::optional<bool> boolean(std::size_t i);
  // The index in `mnemonics` (patterns like "INPut") of the one the parameter names.
  std::optional<int> choice(std::size_t i, std::initializer_list<std::string_view> mnemonics);

  // One answer of a query; the answers of one line are joined with ';' into its reply. An
  // answer that would make the line's reply too long is dropped with -223, and ends the line.
  void reply(std::string_view text);
  // Queues an error, with a detail shown after the standard text. A command error (-1xx) stops
  // the rest of the line; after an execution error (-2xx) the next message unit still runs.
  void error(int code, std::string_view detail = {});

  Connection& connection() { return connection_; }
  // The header as written, for error details.
  std::string_view header() const { return header_; }
  // Whether a command error (-1xx) was queued for this unit.
  bool commandErrorQueued() const { return commandError_; }
  // Whether the rest of the line is skipped: a command error, or a reply grown too long.
  bool endsLine() const { return commandError_ || tooMuchData_; }

 private:
  // Whether parameter `i` was given; queues -109 when not.
  bool given(std::size_t i);

  Connection& connection_;
  const CommandTree::Match& match_;
  std::span<const std::string_view> params_;
  std::string_view header_;
  bool commandError_ = false;
  bool tooMuchData_ = false;
};

}  // namespace scpi
