#pragma once
// What every command of the instrument's tree shares: a session's refusal as the client's
// error, a failed board request as -200, and the replies' number forms.

#include <optional>
#include <string>

#include "call.h"
#include "command_tree.h"
#include "session.h"

// -222 for a value out of range, -221 for a control the model lacks or the settings lock.
void ReportRefusal(scpi::Call& call, const Refused& refused);

// The handler, with -200 queued when a board request it made failed; a setting while a sequence
// runs does not run and gets -221 "a sequence is running".
scpi::CommandTree::Handler OnBoard(Session& session, scpi::CommandTree::Handler handler);

// The channel record of the header's first suffix (DAC<n>: n as the window labels the channels),
// or nothing with -114 queued when the model has no channel n.
std::optional<int> ChannelRecord(scpi::Call& call, const Session& session);

// Which link the session's board is on: "simulated", "library" or "usb".
std::string LinkName(const Session& session);
