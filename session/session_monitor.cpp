// The monitor multiplexer and the general-purpose pin of the models that have them.

#include <utility>

#include "command_word.h"
#include "monitor_state.h"
#include "session.h"

Refused Session::needsMonitor() const {
  const PartInfo* part = chip_.part();
  if (part != nullptr && part->monitorEntries > 0) return std::nullopt;
  return Refusal{Refusal::Kind::Conflict, "this model has no monitor or GPIO pin", ""};
}

Refused Session::setMonitorEnabled(bool enabled) {
  const ActionScope action(*this, actions::SetMonitorEnabled{.enabled = enabled});
  if (Refused refused = needsMonitor()) return action.outcome(std::move(refused));
  MonitorState_ = MonitorAfterEnable(MonitorState_, enabled);
  notify([](SessionListener& l) { l.monitorChanged(); });
  SPIout(MonitorWord(MonitorState_));
  return std::nullopt;
}

Refused Session::chooseMonitorItem(int item) {
  const ActionScope action(*this, actions::ChooseMonitorItem{.item = item});
  if (Refused refused = needsMonitor()) return action.outcome(std::move(refused));
  if (!monitorEnabled()) {
    return action.outcome(
        Refusal{Refusal::Kind::Conflict, "the monitor is disabled: enable it first", ""});
  }
  const int items = 2 + chip_.part()->monitorEntries;
  if (item < -1 || item >= items) {
    return action.outcome(Refusal{Refusal::Kind::OutOfRange,
                                  "the monitor has channels 0 to " + std::to_string(items - 3),
                                  ""});
  }
  MonitorState_ = MonitorAfterChoice(MonitorState_, item);
  notify([](SessionListener& l) { l.monitorChanged(); });
  SPIout(MonitorWord(MonitorState_));
  return std::nullopt;
}

Refused Session::setGpioMode(GpioMode mode) {
  const ActionScope action(*this, actions::SetGpioMode{.mode = mode});
  if (Refused refused = needsMonitor()) return action.outcome(std::move(refused));
  gpioMode_ = mode;
  notify([](SessionListener& l) { l.gpioModeChanged(); });
  SPIout(GpioWord(static_cast<int>(mode)));
  return std::nullopt;
}

std::optional<bool> Session::readGpio() {
  const ActionScope action(*this, actions::ReadGpio{});
  if (Refused refused = needsMonitor()) {
    (void)action.outcome(std::move(refused));
    return std::nullopt;
  }
  SPIout(ReadbackSelectWord(kGpioReadbackData));
  gpioLevel_ = (link_.SPIread() & 1) != 0;
  notify([](SessionListener& l) { l.gpioLevelRead(); });
  return gpioLevel_;
}
