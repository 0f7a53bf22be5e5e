// The program's SCPI command tree.

#include "instrument_tree.h"

#include "call.h"
#include "command_support.h"
#include "instrument_commands.h"
#include "number_format.h"
#include "standard_tree.h"

namespace {

void AddIdentity(scpi::CommandTree& tree, Session& session) {
  tree.add("*IDN?", 0, 0, [&session](scpi::Call& call) {
    call.reply("dac-eval," + session.chip().PartName + "," + LinkName(session) + "," +
               DAC_EVAL_VERSION);
  });
  tree.add("*RST", 0, 0, OnBoard(session, [&session](scpi::Call&) { session.pulseReset(); }));
}

}  // namespace

scpi::CommandTree InstrumentTree(Session& session) {
  scpi::CommandTree tree = scpi::StandardTree();
  AddIdentity(tree, session);
  AddChannelCommands(tree, session);
  AddControlCommands(tree, session);
  AddSettingCommands(tree, session);
  AddLearnCommand(tree, session);
  return tree;
}
