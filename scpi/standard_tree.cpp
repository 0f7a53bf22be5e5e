#include "standard_tree.h"

#include "call.h"
#include "connection.h"
#include "number_format.h"

namespace scpi {

namespace {

void AddStatusCommands(CommandTree& tree) {
  tree.add("*CLS", 0, 0, [](Call& call) {
    call.connection().errors().clear();
    call.connection().status().clearEsr();
  });
  tree.add("*ESE", 1, 1, [](Call& call) {
    if (auto mask = call.code(0, 0, 255)) {
      call.connection().status().setEse(static_cast<uint8_t>(*mask));
    }
  });
  tree.add("*ESE?", 0, 0,
           [](Call& call) { call.reply(FormatInteger(call.connection().status().ese())); });
  tree.add("*ESR?", 0, 0, [](Call& call) {
    call.reply(FormatInteger(call.connection().status().readAndClearEsr()));
  });
  tree.add("*SRE", 1, 1, [](Call& call) {
    if (auto mask = call.code(0, 0, 255)) {
      call.connection().status().setSre(static_cast<uint8_t>(*mask));
    }
  });
  tree.add("*SRE?", 0, 0,
           [](Call& call) { call.reply(FormatInteger(call.connection().status().sre())); });
  tree.add("*STB?", 0, 0,
           [](Call& call) { call.reply(FormatInteger(call.connection().statusByte())); });
  // Every command has completed by the time the next one is read.
  tree.add("*OPC", 0, 0,
           [](Call& call) { call.connection().status().setEvents(esr::kOperationComplete); });
  tree.add("*OPC?", 0, 0, [](Call& call) { call.reply("1"); });
  tree.add("*WAI", 0, 0, [](Call&) {});
  // No options to report.
  tree.add("*OPT?", 0, 0, [](Call& call) { call.reply("0"); });
}

// SYSTem:ERRor:ALL?: every queued error, oldest first, joined by ','; the queue is then empty.
void ReplyAllErrors(Call& call) {
  ErrorQueue& errors = call.connection().errors();
  std::string text = errors.empty() ? FormatError(Error{}) : std::string();
  while (const std::optional<Error> oldest = errors.pop()) {
    if (!text.empty()) text += ',';
    text += FormatError(*oldest);
  }
  call.reply(text);
}

// SYSTem:HELP:HEADers?: every header of the tree, one per line, as a definite-length block.
void ReplyHeaders(Call& call) {
  std::string headers;
  for (const CommandTree::Command& command : call.connection().tree().commands()) {
    headers += command.pattern;
    headers += '\n';
  }
  const std::string length = std::to_string(headers.size());
  call.reply("#" + std::to_string(length.size()) + length + headers);
}

void AddSystemCommands(CommandTree& tree) {
  tree.add("SYSTem:ERRor[:NEXT]?", 0, 0, [](Call& call) {
    const std::optional<Error> oldest = call.connection().errors().pop();
    call.reply(FormatError(oldest.value_or(Error{})));
  });
  tree.add("SYSTem:ERRor:COUNt?", 0, 0, [](Call& call) {
    call.reply(FormatInteger(static_cast<int64_t>(call.connection().errors().size())));
  });
  tree.add("SYSTem:ERRor:ALL?", 0, 0, ReplyAllErrors);
  tree.add("SYSTem:VERSion?", 0, 0, [](Call& call) { call.reply("1999.0"); });
  tree.add("SYSTem:HELP:HEADers?", 0, 0, ReplyHeaders);
}

}  // namespace

CommandTree StandardTree() {
  CommandTree tree;
  AddStatusCommands(tree);
  AddSystemCommands(tree);
  return tree;
}

}  // namespace scpi
