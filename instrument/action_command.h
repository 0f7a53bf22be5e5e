#pragma once
// The command of the instrument's tree that does what an operator action did: a recorded session
// is the list of these, and replaying them gives the same words at the board in the same order.
// One function per action (in action_command.cpp), so that a new action without its command
// does not build.

#include <optional>
#include <string>

#include "catalogue.h"
#include "operator_action.h"

// "DAC9:X1A #H8000" for "X >>" on channel 9 with 8000 in the active box, "LDAC" for "Pulse LDAC";
// nothing for what no command repeats: the start-up connection, the hidden test buttons, a
// monitor list with nothing chosen, a reference text that is not a number.
std::optional<std::string> CommandOf(const AnyAction& action, const PartInfo* part);
std::optional<std::string> CommandOf(const OperatorAction& action, const PartInfo* part);
