// A setup read from a session, and restored onto one.

#include "saved_setup.h"

#include <limits>

#include "monitor_state.h"
#include "reference_text.h"
#include "saved_setup_steps.h"

namespace {

SavedChannel ChannelOf(const DAC& record) {
  return {.x1a = record.X1A(),
          .x1b = record.X1B(),
          .m = record.M(),
          .c = record.C(),
          .fromX2B = record.ABsel() != 0,
          .x2a = record.X2A,
          .x2b = record.X2B,
          .dacRegister = record.DACregValue()};
}

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

}  // namespace

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
  for (const OperatorAction& step : RestoreSteps(setup, *part)) {
    if (Refused refused = RunStep(session, step)) return refused;
  }
  return std::nullopt;
}
