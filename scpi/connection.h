#pragma once
// One client's side of the engine: its error queue, its status registers and its header path,
// and the execution of its lines.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "command_tree.h"
#include "error_queue.h"
#include "status_registers.h"

namespace scpi {

class Call;

class Connection {
 public:
  // The most a line's reply may hold (its answers joined, without the LF): a query whose answer
  // would pass it answers nothing, queues -223 and ends the line, so that no line can make the
  // program hold more than this for one client whatever it asks.
  static constexpr std::size_t kMaxReply = 4 * 1024 * 1024;

  // `tree` must outlive the connection.
  explicit Connection(const CommandTree& tree);

  // Runs one line (without its LF): its message units in order, each header looked up from the
  // path the previous unit of the line left (a line starts at the root). A command error
  // (-1xx) ends the line; an execution error lets the next unit run. Gives the answers of the
  // line's queries joined with ';' (the server adds the LF), or nothing when no query answered.
  std::optional<std::string> execute(std::string_view line);

  // The same, one message unit at a time, for a server that lets other work run between units:
  //   connection.begin(line); while (connection.step()) { /* take reply pieces, yield */ }
  // begin() keeps its own copy of the line.
  void begin(std::string_view line);
  // Runs the next message unit of the line begun; false once the line has ended (no unit left,
  // or a unit ended it).
  bool step();
  // Whether a line is begun and not yet ended.
  bool inLine() const { return inLine_; }
  // Whether any query of the line has answered: its reply then ends with a LF.
  bool answered() const { return answered_; }
  // The reply text of the line made since the last take (answers and the ';' between them).
  std::string takeReply() { return std::exchange(reply_, {}); }
  std::size_t replyPending() const { return reply_.size(); }

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
  // Adds one answer to the reply; false, adding nothing, when the reply would pass kMaxReply.
  bool addAnswer(std::string_view text);

  const CommandTree* tree_;
  ErrorQueue errors_;
  StatusRegisters status_;
  HeaderPath path_;
  std::vector<std::string_view> params_;  // of the unit running, kept for its memory
  std::string line_;                      // the line begun
  std::size_t pos_ = 0;                   // where its next unit starts
  bool inLine_ = false;
  std::string reply_;
  std::size_t replyBytes_ = 0;  // of the whole line, taken pieces included
  bool answered_ = false;
};

}  // namespace scpi
