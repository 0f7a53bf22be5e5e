// Channel names and output limits: the check every action that moves an output goes through,
// and the warnings of the actions that are never refused.

#include <algorithm>
#include <cmath>
#include <utility>

#include "channel_number.h"
#include "session.h"

namespace {

// The outputs of the limited channels: what each DAC register gives now, and what it would give
// after the next LDAC (the X2 its A/B select names). Empty where the model lacks the channel or
// its reference is not a number.
struct LimitedOutputs {
  std::array<std::optional<double>, kChannelCount> now{};
  std::array<std::optional<double>, kChannelCount> next{};
};

LimitedOutputs OutputsOf(const ChipModel& chip, const ReferenceTexts& references,
                         const std::array<ChannelLabel, kChannelCount>& labels) {
  LimitedOutputs outputs;
  ChipModel loaded = chip;
  const PartInfo* part = chip.part();
  for (int dac = 0; dac < kChannelCount; ++dac) {
    const auto at = static_cast<size_t>(dac);
    if (!labels[at].limited() || ChannelOfRecord(part, dac) < 0) continue;
    DAC& record = loaded.DACs[at];
    record.DACreg = record.ABsel() != 0 ? record.X2B : record.X2A;
    outputs.now[at] = OutputVoltage(chip, static_cast<int16_t>(dac), references);
    outputs.next[at] = OutputVoltage(loaded, static_cast<int16_t>(dac), references);
  }
  return outputs;
}

// An output that leaves its range: outside it and not where it was.
bool Leaves(const ChannelLabel& label, const std::optional<double>& before,
            const std::optional<double>& after) {
  return after && !label.allows(*after) && after != before;
}

}  // namespace

Refused Session::checkLimitsOf(const ChipModel& chip, const ReferenceTexts& references,
                               const std::array<ChannelLabel, kChannelCount>* labels) const {
  const auto& limits = labels != nullptr ? *labels : labels_;
  const LimitedOutputs before = OutputsOf(chip_, references_, limits);
  const LimitedOutputs after = OutputsOf(chip, references, limits);
  for (int dac = 0; dac < kChannelCount; ++dac) {
    const auto at = static_cast<size_t>(dac);
    const ChannelLabel& label = limits[at];
    std::optional<double> reached;
    if (Leaves(label, before.now[at], after.now[at])) reached = after.now[at];
    if (!reached && Leaves(label, before.next[at], after.next[at])) reached = after.next[at];
    if (!reached) continue;
    return Refusal{Refusal::Kind::OutOfRange,
                   ChannelTitle(ChannelOfRecord(chip_.part(), dac), label) + " would reach " +
                       LimitVolts(*reached) + ", outside its range " + RangeText(label),
                   ""};
  }
  return std::nullopt;
}

class Session::Trial {
 public:
  explicit Trial(Session& session)
      : session_(session),
        chip_(session.chip_),
        references_(session.references_),
        routeB_(session.XRegisterB_),
        ldacLow_(session.ldacLow_),
        monitor_(session.MonitorState_),
        gpio_(session.gpioMode_),
        listeners_(std::exchange(session.listeners_, {})) {}
  ~Trial() {
    session_.chip_ = chip_;
    session_.references_ = references_;
    session_.XRegisterB_ = routeB_;
    session_.ldacLow_ = ldacLow_;
    session_.MonitorState_ = monitor_;
    session_.gpioMode_ = gpio_;
    session_.listeners_ = std::move(listeners_);
  }
  Trial(const Trial&) = delete;
  Trial& operator=(const Trial&) = delete;

 private:
  Session& session_;
  ChipModel chip_;
  ReferenceTexts references_;
  bool routeB_;
  bool ldacLow_;
  int32_t monitor_;
  GpioMode gpio_;
  std::vector<SessionListener*> listeners_;
};

Refused Session::checkLimits(const std::function<void()>& change) {
  if (limitsSuspended_ > 0) return std::nullopt;
  if (std::none_of(labels_.begin(), labels_.end(),
                   [](const ChannelLabel& label) { return label.limited(); })) {
    return std::nullopt;
  }
  ChipModel tried;
  ReferenceTexts triedReferences;
  {
    const Trial trial(*this);
    change();
    tried = chip_;
    triedReferences = references_;
  }
  return checkLimitsOf(tried, triedReferences);
}

Refused Session::checkFrames(const std::vector<FrameCodes>& frames, int passes) {
  const Trial trial(*this);
  for (int pass = 0; pass < passes; ++pass) {
    for (std::size_t row = 0; row < frames.size(); ++row) {
      if (Refused refused = checkFrame(frames[row])) {
        refused->text = "frame " + std::to_string(row + 1) + ": " + refused->text;
        if (!refused->range.empty())
          refused->range = "frame " + std::to_string(row + 1) + ": " + refused->range;
        return refused;
      }
      for (const auto& [dac, code] : frames[row]) {
        const DAC& record = chip_.DACs.at(static_cast<size_t>(dac));
        storeRegister(dac, record.ABsel() != 0 ? ChannelRegister::X1B : ChannelRegister::X1A,
                      static_cast<int32_t>(code));
      }
      loadAllDacRegisters();
    }
  }
  return std::nullopt;
}

std::string Session::limitBreaches() const {
  const LimitedOutputs outputs = OutputsOf(chip_, references_, labels_);
  std::string text;
  for (int dac = 0; dac < kChannelCount; ++dac) {
    const auto at = static_cast<size_t>(dac);
    const ChannelLabel& label = labels_[at];
    const std::string title = ChannelTitle(ChannelOfRecord(chip_.part(), dac), label);
    const std::string outside = ", outside " + RangeText(label);
    auto add = [&text](const std::string& breach) { text += (text.empty() ? "" : "; ") + breach; };
    const auto& now = outputs.now[at];
    const auto& next = outputs.next[at];
    if (now && !label.allows(*now)) add(title + " at " + LimitVolts(*now) + outside);
    if (next && !label.allows(*next) && next != now)
      add(title + " at " + LimitVolts(*next) + " after the next LDAC" + outside);
  }
  return text;
}

void Session::warnLimits(const std::string& what, bool outputsCleared) {
  std::string text;
  if (outputsCleared) {
    // CLR (and the power-down test around it) puts every output at its signal ground until the
    // next LDAC, whatever the DAC registers hold.
    for (int dac = 0; dac < kChannelCount; ++dac) {
      const ChannelLabel& label = labels_[static_cast<size_t>(dac)];
      const int channel = ChannelOfRecord(chip_.part(), dac);
      if (channel < 0 || !label.limited() || label.allows(0.0)) continue;
      text += (text.empty() ? "" : "; ") + ChannelTitle(channel, label) + " is limited to " +
              RangeText(label);
    }
    if (!text.empty()) text = what + " puts the outputs at 0 V until the next LDAC: " + text;
  } else if (const std::string breaches = limitBreaches(); !breaches.empty()) {
    text = what + " leaves " + breaches;
  }
  if (!text.empty()) notify([&text](SessionListener& l) { l.limitWarning(text); });
}

Refused Session::setChannelName(int dac, std::string name) {
  if (sequencer_.running()) return Refusal{Refusal::Kind::Conflict, "a sequence is running", ""};
  if (const std::string problem = ChannelNameProblem(name); !problem.empty())
    return Refusal{Refusal::Kind::OutOfRange, problem, ""};
  labels_.at(static_cast<size_t>(dac)).name = std::move(name);
  notify([dac](SessionListener& l) { l.channelLabelChanged(dac); });
  return std::nullopt;
}

Refused Session::setChannelLimit(int dac, LimitSide side, std::optional<double> volts) {
  if (sequencer_.running()) return Refusal{Refusal::Kind::Conflict, "a sequence is running", ""};
  if (volts && !std::isfinite(*volts))
    return Refusal{Refusal::Kind::OutOfRange, "a limit is a finite voltage", ""};
  ChannelLabel label = labels_.at(static_cast<size_t>(dac));
  (side == LimitSide::Lower ? label.low : label.high) = volts;
  if (label.low && label.high && *label.low > *label.high) {
    return Refusal{Refusal::Kind::OutOfRange,
                   "the lower limit " + LimitVolts(*label.low) +
                       " would lie above the upper limit " + LimitVolts(*label.high),
                   ""};
  }
  labels_.at(static_cast<size_t>(dac)) = label;
  notify([dac](SessionListener& l) { l.channelLabelChanged(dac); });
  // Limits may be set before the outputs are: say so, and accept.
  ChannelLabel only = label;
  std::array<ChannelLabel, kChannelCount> all = std::exchange(labels_, {});
  labels_.at(static_cast<size_t>(dac)) = only;
  const std::string breach = limitBreaches();
  labels_ = std::move(all);
  if (!breach.empty()) {
    const std::string text = "New limit: " + breach;
    notify([&text](SessionListener& l) { l.limitWarning(text); });
  }
  return std::nullopt;
}

Refused Session::clearChannelLimits(int dac) {
  if (sequencer_.running()) return Refusal{Refusal::Kind::Conflict, "a sequence is running", ""};
  ChannelLabel& label = labels_.at(static_cast<size_t>(dac));
  if (!label.limited()) return std::nullopt;
  label.low.reset();
  label.high.reset();
  notify([dac](SessionListener& l) { l.channelLabelChanged(dac); });
  return std::nullopt;
}

void Session::setChannelLabels(const std::array<ChannelLabel, kChannelCount>& labels) {
  for (int dac = 0; dac < kChannelCount; ++dac) {
    ChannelLabel& label = labels_.at(static_cast<size_t>(dac));
    if (label == labels.at(static_cast<size_t>(dac))) continue;
    label = labels.at(static_cast<size_t>(dac));
    notify([dac](SessionListener& l) { l.channelLabelChanged(dac); });
  }
}
