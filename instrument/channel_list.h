#pragma once
// SCPI's channel list: "(@3)", "(@1,4,7)", "(@0:15)" or any mix ("(@0:3,8,12:10)"), each number a
// channel as the window labels it; a range runs from its first to its last number, downwards
// when the first is the larger.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ChannelList {
  std::vector<int> channels;  // in the order listed
  std::string problem;        // why the text is not a channel list; empty when it is
};

// At most `most` channels are taken; a longer list is a problem.
ChannelList ParseChannelList(std::string_view text, std::size_t most);
