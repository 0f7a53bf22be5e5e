// *LRN?: the setup of the session as one line of commands.

#include "setup_line.h"

#include "action_command.h"
#include "call.h"
#include "error_queue.h"
#include "instrument_commands.h"
#include "saved_setup_steps.h"

std::string SetupLine(const SavedSetup& setup, const PartInfo& part) {
  std::string line;
  for (const AnyAction& step : RestoreSteps(setup, part)) {
    const std::optional<std::string> command = CommandOf(step, &part);
    if (!command) continue;
    if (!line.empty()) line += ';';
    line += ':';
    line += *command;
  }
  return line;
}

void AddLearnCommand(scpi::CommandTree& tree, Session& session) {
  tree.add("*LRN?", 0, 0, [&session](scpi::Call& call) {
    SavedSetup setup;
    const Refused refused = CaptureSetup(session, setup);
    const PartInfo* part = session.chip().part();
    if (part == nullptr) {
      call.error(scpi::errc::kSettingsConflict, refused->text);
      return;
    }
    call.reply(SetupLine(setup, *part));
    // The client still gets every other value; the reference is named as missing.
    if (refused) call.error(scpi::errc::kSettingsConflict, refused->text + ": left out");
  });
}
