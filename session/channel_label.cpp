#include "channel_label.h"

#include "reference_text.h"

std::string ChannelNameProblem(std::string_view name) {
  if (name.size() > kLongestChannelName) {
    return "a channel name has at most " + std::to_string(kLongestChannelName) +
           " characters, not " + std::to_string(name.size());
  }
  for (const char c : name) {
    if (c < 0x20 || c > 0x7E) return "a channel name holds printable characters only";
  }
  return {};
}

std::string ChannelTitle(int channel, const ChannelLabel& label) {
  std::string title = "channel " + std::to_string(channel);
  if (!label.name.empty()) title += " (" + label.name + ")";
  return title;
}

std::string LimitVolts(double volts) {
  return ShortestDecimal(volts) + " V";
}

std::string RangeText(const ChannelLabel& label) {
  if (label.low && label.high) return LimitVolts(*label.low) + " to " + LimitVolts(*label.high);
  if (label.high) return "at most " + LimitVolts(*label.high);
  if (label.low) return "at least " + LimitVolts(*label.low);
  return "any voltage";
}
