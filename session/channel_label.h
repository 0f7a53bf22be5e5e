#pragma once
// What the operator says about a channel: its name (after what is wired to it) and the range its
// output may take, a low and a high limit in volts. A channel without limits may take any output.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

struct ChannelLabel {
  std::string name{};
  std::optional<double> low{};
  std::optional<double> high{};

  bool limited() const { return low.has_value() || high.has_value(); }
  // Whether `volts` lies within the range (the limits included).
  bool allows(double volts) const { return (!low || volts >= *low) && (!high || volts <= *high); }
  bool operator==(const ChannelLabel&) const = default;
};

inline constexpr std::size_t kLongestChannelName = 32;

// Why `name` cannot be a channel's name (longer than 32 characters, or a character that is not
// printable ASCII); empty when it can.
std::string ChannelNameProblem(std::string_view name);

// "channel 3 (bias A)", or "channel 3" without a name.
std::string ChannelTitle(int channel, const ChannelLabel& label);

// The range as the messages give it: "-1 V to 5 V", "at most 5 V", "at least -1 V".
std::string RangeText(const ChannelLabel& label);

// A voltage in a message: the shortest decimal that reads back as the value, with " V".
std::string LimitVolts(double volts);
