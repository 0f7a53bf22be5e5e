// The program's SCPI command tree.

#include "instrument_tree.h"

#include "instrument_commands.h"
#include "standard_tree.h"

scpi::CommandTree InstrumentTree(Session& session) {
  scpi::CommandTree tree = scpi::StandardTree();
  AddIdentityCommands(tree, session);
  AddChannelCommands(tree, session);
  AddLabelCommands(tree, session);
  AddFrameCommands(tree, session);
  AddSequenceCommands(tree, session);
  AddControlCommands(tree, session);
  AddSettingCommands(tree, session);
  AddLearnCommand(tree, session);
  AddVerifyCommands(tree, session);
  return tree;
}
