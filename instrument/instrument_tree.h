#pragma once
// The program's SCPI command tree: the standard commands and every operator action of the
// session as a command, with the same refusals (as errors) and the same words.

#include "command_tree.h"
#include "session.h"

// `session` must outlive the tree.
scpi::CommandTree InstrumentTree(Session& session);
