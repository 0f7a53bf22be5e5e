#pragma once
// One client's side of the engine: its error queue, its status registers and its header path,
// and the execution of its lines.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "command_tree.h"
#include "error_queue.h"
#include "status_registers.h"

namespace scpi {

class Call;

class Connection {
 public:
  // `tree` must outlive the connection.
  explicit Connection(const CommandTree& tree);

  // Runs one line (without its LF): its message units in order, each header looked up from the
  // path the previous unit of the line left (a line starts at the root). A command error
  // (-1xx) ends the line; an execution error lets the next unit run. Gives the answers of the
  // line's queries joined with ';' (the server adds the LF), or nothing when no query answered.
  std::optional<std::string> execute(std::string_view line);

  // Queues -363 "Input buffer overrun", for a line the LineAssembler had to discard.
  void inputOverrun() { queueError(errc::kInputBufferOverrun); }

  // Queues an error and sets its class's bit in the event status register.
  void queueError(int code, std::string_view detail = {});

  ErrorQueue& errors() { return errors_; }
  const ErrorQueue& errors() const { return errors_; }
  StatusRegisters& status() { return status_; }
  const StatusRegisters& status() const { return status_; }
  // The status byte as *STB? reads it.
  uint8_t statusByte() const { return status_.statusByte(!errors_.empty()); }
  const CommandTree& tree() const { return *tree_; }

 private:
  friend class Call;

  // Runs one trimmed, non-empty message unit; false when it ends the line.
  bool run(std::string_view unit);
  bool commandError(int code, std::string_view detail);
  void addAnswer(std::string_view text);

  const CommandTree* tree_;
  ErrorQueue errors_;
  StatusRegisters status_;
  HeaderPath path_;
  std::vector<std::string_view> params_;  // of the unit running, kept for its memory
  std::string reply_;
  bool answered_ = false;
};

}  // namespace scpi
