// The offset DACs and references of the reference sets, the monitor multiplexer and the GPIO pin.

#include <limits>

#include "call.h"
#include "command_support.h"
#include "error_queue.h"
#include "instrument_commands.h"
#include "number_format.h"
#include "reference_text.h"

namespace {

// Offset DAC k or reference k: 0..2 at all, -114 beyond; the third where the model does not show
// it, -221.
std::optional<int> SetNumber(scpi::Call& call, bool shown3rd, const char* control) {
  const std::optional<int> k = call.suffixIn(0, 0, 2);
  if (k && *k == 2 && !shown3rd) {
    call.error(scpi::errc::kSettingsConflict, std::string("this model has no ") + control + "2");
    return std::nullopt;
  }
  return k;
}

const PartInfo* PartOf(const Session& session) {
  return session.chip().part();
}

// The monitor and GPIO queries of a model without them: -221, as their settings are.
bool HasMonitor(scpi::Call& call, const Session& session) {
  if (PartOf(session) != nullptr && PartOf(session)->monitorEntries > 0) return true;
  call.error(scpi::errc::kSettingsConflict, "this model has no monitor or GPIO pin");
  return false;
}

bool ShowsOffsetDac2(const Session& session) {
  return PartOf(session) != nullptr && PartOf(session)->showOffsetDac2;
}

bool ShowsVref2(const Session& session) {
  return PartOf(session) != nullptr && PartOf(session)->showVref2;
}

void AddOffsetsAndReferences(scpi::CommandTree& tree, Session& session) {
  tree.add("OFFSet#", 1, 1, OnBoard(session, [&session](scpi::Call& call) {
             const std::optional<int> k = SetNumber(call, ShowsOffsetDac2(session), "offset DAC ");
             if (!k) return;
             if (const auto code = call.code(0, INT32_MIN, INT32_MAX)) {
               ReportRefusal(call, session.writeOffsetDac(*k, *code));
             }
           }));
  tree.add("OFFSet#?", 0, 0, [&session](scpi::Call& call) {
    if (const auto k = SetNumber(call, ShowsOffsetDac2(session), "offset DAC ")) {
      call.reply(scpi::FormatInteger(session.chip().OffsetDAC(*k)));
    }
  });
  tree.add("REFerence#", 1, 1, [&session](scpi::Call& call) {
    const std::optional<int> k = SetNumber(call, ShowsVref2(session), "VREF");
    if (!k) return;
    const auto volts = call.real(0);
    if (!volts) return;
    if (const std::string problem = ReferenceRangeProblem(*volts); !problem.empty()) {
      call.error(scpi::errc::kDataOutOfRange, "VREF" + std::to_string(*k) + ": " + problem);
      return;
    }
    ReportRefusal(call, session.setReference(*k, ShortestDecimal(*volts)));
  });
  tree.add("REFerence#?", 0, 0, [&session](scpi::Call& call) {
    const std::optional<int> k = SetNumber(call, ShowsVref2(session), "VREF");
    if (!k) return;
    const auto volts = ParseReferenceVoltage(session.references().at(static_cast<size_t>(*k)));
    call.reply(scpi::FormatReal(volts.value_or(std::numeric_limits<double>::quiet_NaN())));
    if (!volts) {
      call.error(scpi::errc::kSettingsConflict, "VREF" + std::to_string(*k) + " is not a number");
    }
  });
}

// MONitor:SELect IN0|IN1|<n>: items 0 and 1 of the monitored-channel list, or channel n.
std::optional<int> MonitorItem(scpi::Call& call) {
  const std::string_view text = call.param(0);
  if (text.size() == 3 && (text[0] == 'I' || text[0] == 'i') &&
      (text[1] == 'N' || text[1] == 'n') && (text[2] == '0' || text[2] == '1')) {
    return text[2] - '0';
  }
  if (const auto n = call.code(0, 0, 15)) return 2 + static_cast<int>(*n);
  return std::nullopt;
}

std::string MonitorItemText(int32_t state) {
  if ((state & 0x10) != 0) return (state & 1) != 0 ? "IN1" : "IN0";
  return scpi::FormatInteger(state & 0xF);
}

void AddMonitor(scpi::CommandTree& tree, Session& session) {
  tree.add("MONitor:STATe", 1, 1, OnBoard(session, [&session](scpi::Call& call) {
             if (const auto on = call.boolean(0))
               ReportRefusal(call, session.setMonitorEnabled(*on));
           }));
  tree.add("MONitor:STATe?", 0, 0, [&session](scpi::Call& call) {
    if (HasMonitor(call, session)) call.reply(session.monitorEnabled() ? "1" : "0");
  });
  tree.add("MONitor:SELect", 1, 1, OnBoard(session, [&session](scpi::Call& call) {
             if (const auto item = MonitorItem(call)) {
               ReportRefusal(call, session.chooseMonitorItem(*item));
             }
           }));
  tree.add("MONitor:SELect?", 0, 0, [&session](scpi::Call& call) {
    if (HasMonitor(call, session)) call.reply(MonitorItemText(session.monitorState()));
  });
}

void AddGpio(scpi::CommandTree& tree, Session& session) {
  tree.add("GPIO:MODE", 1, 1, OnBoard(session, [&session](scpi::Call& call) {
             if (const auto mode = call.choice(0, {"INPut", "LOW", "HIGH"})) {
               ReportRefusal(call, session.setGpioMode(static_cast<GpioMode>(*mode)));
             }
           }));
  tree.add("GPIO:MODE?", 0, 0, [&session](scpi::Call& call) {
    constexpr const char* kModes[] = {"INP", "LOW", "HIGH"};
    if (HasMonitor(call, session)) call.reply(kModes[static_cast<int>(session.gpioMode())]);
  });
  tree.add("GPIO:READ?", 0, 0, OnBoard(session, [&session](scpi::Call& call) {
             const std::optional<bool> high = session.readGpio();
             if (!high) {
               call.error(scpi::errc::kSettingsConflict, "this model has no GPIO pin");
               return;
             }
             call.reply(*high ? "1" : "0");
           }));
}

}  // namespace

void AddSettingCommands(scpi::CommandTree& tree, Session& session) {
  AddOffsetsAndReferences(tree, session);
  AddMonitor(tree, session);
  AddGpio(tree, session);
}
