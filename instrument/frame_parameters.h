#pragma once
// The parameters a frame is given in: a channel list and one value per listed channel.

#include <cstddef>
#include <optional>
#include <vector>

#include "call.h"
#include "session.h"

// The most channels a frame lists (the largest model has 40; a list may name one twice, which the
// session refuses with its own words).
inline constexpr std::size_t kMostFrameChannels = 64;

// The channel records of the list in parameter `param`: -104 for a text that is not a channel
// list, -114 for a channel the model lacks.
std::optional<std::vector<int>> ListedRecords(scpi::Call& call, std::size_t param,
                                              const Session& session);
// Whether one value follows for every listed channel from parameter `first`: -109 for fewer,
// -108 for more.
bool ValuesMatch(scpi::Call& call, std::size_t first, std::size_t listed);
// The list in parameter `listParam` and a voltage for every channel after it.
std::optional<Session::FrameVolts> VoltsFrame(scpi::Call& call, std::size_t listParam,
                                              const Session& session);
