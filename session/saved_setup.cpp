// A setup read from a session, and restored onto one.

#include "saved_setup.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "monitor_state.h"
#include "reference_text.h"
#include "saved_setup_steps.h"

namespace {

// SavedChannel's field of each channel register, in the order of the registers.
constexpr std::array<int32_t SavedChannel::*, kChannelRegisters.size()> kSavedRegisters{
    &SavedChannel::x1a, &SavedChannel::x1b, &SavedChannel::m, &SavedChannel::c};

SavedChannel ChannelOf(const DAC& record) {
  SavedChannel ch{.fromX2B = record.ABsel() != 0,
                  .x2a = record.X2A,
                  .x2b = record.X2B,
                  .dacRegister = record.DACregValue()};
  for (const ChannelRegisterRow& row : kChannelRegisters) {
    SavedRegister(ch, row.reg) = RegisterValue(record, row.reg);
  }
  return ch;
}

}  // namespace

int32_t& SavedRegister(SavedChannel& ch, ChannelRegister reg) {
  return ch.*kSavedRegisters.at(static_cast<size_t>(reg));
}

int32_t SavedRegister(const SavedChannel& ch, ChannelRegister reg) {
  return ch.*kSavedRegisters.at(static_cast<size_t>(reg));
}

namespace {

SavedMonitor MonitorOf(int32_t state) {
  SavedMonitor monitor{.enabled = (state & kMonitorEnabled) != 0};
  if ((state & kMonitorInput) != 0) {
    monitor.source = (state & 1) != 0 ? MonitorSource::Input1 : MonitorSource::Input0;
    monitor.channel = state & 0xE;
  } else {
    monitor.channel = state & 0xF;
  }
  return monitor;
}

// The register model and references the setup ends with, and the limits then in force: the
// setup's own when it has names or limits, the session's otherwise.
Refused CheckSetupLimits(const Session& session, const SavedSetup& setup, const PartInfo& part) {
  ChipModel chip = session.chip();
  std::array<ChannelLabel, kChannelCount> labels = session.channelLabels();
  const bool labelled = HasLabels(setup);
  const std::vector<int> records = ChannelRecords(part);
  for (size_t n = 0; n < records.size(); ++n) {
    const SavedChannel& ch = setup.channels[n];
    DAC& record = chip.DACs.at(static_cast<size_t>(records[n]));
    record.X2A = ch.x2a;
    record.X2B = ch.x2b;
    record.setABsel(ch.fromX2B ? 1 : 0);
    record.DACreg = ch.dacRegister;
    if (labelled) labels.at(static_cast<size_t>(records[n])) = ch.label;
  }
  for (size_t k = 0; k < setup.offsetDacs.size(); ++k)
    chip.OffsetDAC(static_cast<int>(k)) = setup.offsetDacs[k];
  ReferenceTexts references = session.references();
  for (size_t k = 0; k < setup.references.size(); ++k) {
    if (std::isfinite(setup.references[k])) references.at(k) = ShortestDecimal(setup.references[k]);
  }
  return session.checkLimitsOf(chip, references, &labels);
}

}  // namespace

bool HasLabels(const SavedSetup& setup) {
  return std::any_of(setup.channels.begin(), setup.channels.end(),
                     [](const SavedChannel& ch) { return ch.label != ChannelLabel{}; });
}

int OffsetDacCount(const PartInfo& part) {
  return part.showOffsetDac2 ? 3 : 2;
}

int ReferenceCount(const PartInfo& part) {
  return part.showVref2 ? 3 : 2;
}

Refused CaptureSetup(const Session& session, SavedSetup& setup) {
  const ChipModel& chip = session.chip();
  const PartInfo* part = chip.part();
  setup = SavedSetup{.model = chip.PartName};
  if (part == nullptr) {
    return Refusal{Refusal::Kind::Conflict, "no chip model is chosen: there is no setup", ""};
  }
  bool loaded = true;
  for (const int dac : ChannelRecords(*part)) {
    const DAC& record = chip.DACs.at(static_cast<size_t>(dac));
    setup.channels.push_back(ChannelOf(record));
    setup.channels.back().label = session.channelLabel(dac);
    loaded = loaded && record.DACregValue() == (record.ABsel() != 0 ? record.X2B : record.X2A);
  }
  setup.dacRegistersLoaded = loaded;
  for (int k = 0; k < OffsetDacCount(*part); ++k) setup.offsetDacs.push_back(chip.OffsetDAC(k));
  setup.inputRegisterB = session.inputRegisterB();
  if (part->monitorEntries > 0) {
    setup.monitor = MonitorOf(session.monitorState());
    setup.gpio = session.gpioMode();
  }
  Refused refused;
  for (int k = 0; k < ReferenceCount(*part); ++k) {
    const std::string& text = session.references().at(static_cast<size_t>(k));
    const std::optional<double> volts = ParseReferenceVoltage(text);
    setup.references.push_back(volts.value_or(std::numeric_limits<double>::quiet_NaN()));
    if (!volts && !refused) {
      refused = Refusal{Refusal::Kind::Conflict,
                        "VREF" + std::to_string(k) + " is \"" + text + "\", not a voltage", ""};
    }
  }
  return refused;
}

Refused RestoreSetup(Session& session, const SavedSetup& setup) {
  // Another model first: its setup would fail the checks below for reasons of its own.
  const PartInfo* part = session.chip().part();
  if (FindPart(setup.model) != nullptr && (part == nullptr || part->name != setup.model)) {
    return Refusal{
        Refusal::Kind::Conflict,
        "the setup is for " + setup.model + ", not for " +
            (part == nullptr ? std::string("a program without a model") : session.chip().PartName),
        ""};
  }
  if (Refused refused = CheckSetup(setup)) return refused;
  if (session.ldacHeldLow()) {
    return Refusal{Refusal::Kind::Conflict,
                   "LDAC is held low, so the DAC registers would follow every write of the "
                   "setup: release LDAC first",
                   ""};
  }
  if (Refused refused = CheckSetupLimits(session, setup, *part)) return refused;
  // Checked as a whole: the writes on the way may pass through outputs the end does not have.
  const LimitsSuspended suspended(session);
  for (const AnyAction& step : RestoreSteps(setup, *part)) {
    if (Refused refused = RunStep(session, step)) return refused;
  }
  return std::nullopt;
}
