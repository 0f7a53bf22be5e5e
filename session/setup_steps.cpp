// The operator actions that restore a setup, in the order saved_setup_steps.h gives.

#include <algorithm>
#include <charconv>
#include <cmath>

#include "chip_model.h"
#include "saved_setup_steps.h"
#include "transfer_function.h"

namespace {

// A channel's X2 that its X1, M and C do not give: it was left as saved by later gain or offset
// writes under the other route.
enum class Stale { None, A, B };

Stale StaleRegister(const SavedChannel& ch, int16_t bits) {
  if (CorrectedCode(ch.x1a, ch.m, ch.c, bits) != ch.x2a) return Stale::A;
  if (CorrectedCode(ch.x1b, ch.m, ch.c, bits) != ch.x2b) return Stale::B;
  return Stale::None;
}

// The shortest text that reads back as exactly `volts`.
std::string VoltsText(double volts) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, volts);
  return std::string(text, result.ptr);
}

class StepList {
 public:
  explicit StepList(std::vector<AnyAction>& steps) : steps_(steps) {}

  void write(int dac, ChannelRegister reg, int32_t code) {
    steps_.push_back(actions::WriteRegister{.dac = dac, .reg = reg, .code = code});
  }
  void source(int dac, bool fromX2B) {
    steps_.push_back(actions::ChooseDacSource{.dac = dac, .fromX2B = fromX2B});
  }
  void route(bool registerB) {
    if (route_ == registerB) return;
    route_ = registerB;
    steps_.push_back(actions::ChooseInputRegister{.registerB = registerB});
  }
  void ldac() { steps_.push_back(actions::PulseLdac{}); }
  void add(AnyAction step) { steps_.push_back(std::move(step)); }

 private:
  std::vector<AnyAction>& steps_;
  std::optional<bool> route_;  // unknown until the steps set it
};

void AddSettings(StepList& steps, const SavedSetup& setup) {
  for (size_t k = 0; k < setup.references.size(); ++k) {
    if (!std::isfinite(setup.references[k])) continue;
    steps.add(
        actions::SetReference{.k = static_cast<int>(k), .text = VoltsText(setup.references[k])});
  }
  for (size_t k = 0; k < setup.offsetDacs.size(); ++k) {
    steps.add(actions::WriteOffsetDac{.k = static_cast<int>(k), .code = setup.offsetDacs[k]});
  }
}

// Every channel's selected X2 made equal to its saved DAC register at full-scale gain, then LDAC.
void AddDacRegisters(StepList& steps, const SavedSetup& setup, const std::vector<int>& records,
                     int16_t bits) {
  const int32_t full = FullScaleGain(bits);
  const int32_t mid = MidScaleOffset(bits);
  // The route decides which words an X1B write takes: set, so that the words are the same
  // whatever the session held.
  steps.route(false);
  for (size_t n = 0; n < records.size(); ++n) {
    const SavedChannel& ch = setup.channels[n];
    // X1 + C - mid = DACreg, with both codes in range: C at mid-scale where X1 can do it alone.
    const int32_t x1 = std::clamp(ch.dacRegister, 0, full);
    const int32_t c = ch.dacRegister - x1 + mid;
    steps.write(records[n], ChannelRegister::M, full);
    steps.write(records[n], ChannelRegister::C, c);
    steps.write(records[n], ch.fromX2B ? ChannelRegister::X1B : ChannelRegister::X1A, x1);
  }
  for (size_t n = 0; n < records.size(); ++n) steps.source(records[n], setup.channels[n].fromX2B);
  steps.ldac();
}

// The channel's registers under route `routeB`; the X2 of the other route keeps its saved value
// when `keepOther`.
void AddChannel(StepList& steps, int dac, const SavedChannel& ch, bool routeB, bool keepOther,
                int16_t bits) {
  const ChannelRegister own = routeB ? ChannelRegister::X1B : ChannelRegister::X1A;
  const ChannelRegister other = routeB ? ChannelRegister::X1A : ChannelRegister::X1B;
  const int32_t otherX1 = routeB ? ch.x1a : ch.x1b;
  if (keepOther) {
    // Checked: a gain and offset exist that give the saved X2 from the saved X1.
    const GainOffset before = GainOffsetFor(otherX1, routeB ? ch.x2a : ch.x2b, bits).value();
    steps.write(dac, ChannelRegister::M, before.m);
    steps.write(dac, ChannelRegister::C, before.c);
    steps.write(dac, other, otherX1);
  }
  steps.write(dac, ChannelRegister::M, ch.m);
  steps.write(dac, ChannelRegister::C, ch.c);
  steps.write(dac, own, routeB ? ch.x1b : ch.x1a);
  if (!keepOther) steps.write(dac, other, otherX1);
}

void AddChannels(StepList& steps, const SavedSetup& setup, const std::vector<int>& records,
                 int16_t bits) {
  for (const bool routeB : {false, true}) {
    for (size_t n = 0; n < records.size(); ++n) {
      const SavedChannel& ch = setup.channels[n];
      const Stale stale = StaleRegister(ch, bits);
      // Route B only for the channels whose X2A stays as saved.
      if ((stale == Stale::A) != routeB) continue;
      steps.route(routeB);
      AddChannel(steps, records[n], ch, routeB, stale != Stale::None, bits);
    }
  }
}

void AddMonitorAndGpio(StepList& steps, const SavedSetup& setup) {
  if (setup.monitor) {
    const SavedMonitor& monitor = *setup.monitor;
    steps.add(actions::SetMonitorEnabled{.enabled = true});
    steps.add(actions::ChooseMonitorItem{.item = 2 + monitor.channel});
    if (monitor.source != MonitorSource::Channel) {
      steps.add(
          actions::ChooseMonitorItem{.item = monitor.source == MonitorSource::Input1 ? 1 : 0});
    }
    if (!monitor.enabled) steps.add(actions::SetMonitorEnabled{.enabled = false});
  }
  if (setup.gpio) steps.add(actions::SetGpioMode{.mode = *setup.gpio});
}

// A setup with names or limits: every channel's name and no limits first, so that the writes
// are judged by none of the limits the session had; the setup's limits once the writes are done.
void AddNamesAndNoLimits(StepList& steps, const SavedSetup& setup,
                         const std::vector<int>& records) {
  for (size_t n = 0; n < records.size(); ++n) {
    steps.add(actions::SetChannelName{.dac = records[n], .name = setup.channels[n].label.name});
    steps.add(actions::SetChannelLimits{.dac = records[n]});
  }
}

void AddLimits(StepList& steps, const SavedSetup& setup, const std::vector<int>& records) {
  for (size_t n = 0; n < records.size(); ++n) {
    const ChannelLabel& label = setup.channels[n].label;
    if (!label.limited()) continue;
    steps.add(actions::SetChannelLimits{.dac = records[n], .low = label.low, .high = label.high});
  }
}

}  // namespace

Refused SetLimits(Session& session, int dac, std::optional<double> low,
                  std::optional<double> high) {
  if (Refused refused = session.clearChannelLimits(dac)) return refused;
  if (low) {
    if (Refused refused = session.setChannelLimit(dac, Session::LimitSide::Lower, low))
      return refused;
  }
  if (high) return session.setChannelLimit(dac, Session::LimitSide::Upper, high);
  return std::nullopt;
}

std::vector<int> ChannelRecords(const PartInfo& part) {
  std::vector<int> records;
  for (int dac = 0; dac < kChannelCount; ++dac) {
    if (ChannelUsed(part, dac)) records.push_back(dac);
  }
  return records;
}

std::vector<AnyAction> RestoreSteps(const SavedSetup& setup, const PartInfo& part) {
  std::vector<AnyAction> list;
  StepList steps(list);
  const std::vector<int> records = ChannelRecords(part);
  const bool labelled = HasLabels(setup);
  if (labelled) AddNamesAndNoLimits(steps, setup, records);
  AddSettings(steps, setup);
  if (!setup.dacRegistersLoaded) AddDacRegisters(steps, setup, records, part.bits);
  AddChannels(steps, setup, records, part.bits);
  if (setup.dacRegistersLoaded) {
    for (size_t n = 0; n < records.size(); ++n) steps.source(records[n], setup.channels[n].fromX2B);
  }
  steps.route(setup.inputRegisterB);
  AddMonitorAndGpio(steps, setup);
  if (setup.dacRegistersLoaded) steps.ldac();
  if (labelled) AddLimits(steps, setup, records);
  return list;
}

int32_t LowestCorrectedCode(int16_t bits) {
  return -MidScaleOffset(bits);
}

int32_t HighestCorrectedCode(int16_t bits) {
  return FullScaleGain(bits) + MidScaleOffset(bits) - 1;
}

// With M at full scale X2 = X1 + C - 2^(n-1) exactly, which reaches every X2 from X1 - 2^(n-1) to
// X1 + 2^(n-1) - 1. Below that a smaller gain is needed: with C = 0 the product X1 * (M + 1) / 2^n
// rises in steps smaller than one as M rises, so its rounding takes every whole value down to
// round(X1 / 2^n). M follows from the wanted product; rounding ties can move the result by one,
// which the neighbours of M and C make up.
std::optional<GainOffset> GainOffsetFor(int32_t x1, int32_t x2, int16_t bits) {
  const int32_t full = FullScaleGain(bits);
  const int32_t mid = MidScaleOffset(bits);
  if (x1 < 0 || x1 > full || (bits != 16 && bits != 14)) return std::nullopt;
  const int64_t c = int64_t{x2} - x1 + mid;
  if (c > full) return std::nullopt;
  if (c >= 0) return GainOffset{full, static_cast<int32_t>(c)};
  if (x1 == 0) return std::nullopt;
  const int64_t wanted = int64_t{x2} + mid;  // the product, with C = 0
  const int64_t estimate = wanted * (int64_t{full} + 1) / x1 - 1;
  for (int64_t m = estimate - 2; m <= estimate + 2; ++m) {
    if (m < 0 || m > full) continue;
    for (int32_t offset = 0; offset <= 2; ++offset) {
      if (CorrectedCode(x1, static_cast<int32_t>(m), offset, bits) == x2) {
        return GainOffset{static_cast<int32_t>(m), offset};
      }
    }
  }
  return std::nullopt;
}
