#include "monitor_state.h"

namespace {

constexpr int32_t kInputNumber = 0x01;  // bit 0: Mon_In1 rather than Mon_In0
constexpr int32_t kChoiceBits = 0x1F;   // bits 4..0: input flag and channel
constexpr int kFirstChannelItem = 2;    // items 0 and 1 are the monitor inputs

}  // namespace

int32_t MonitorAfterEnable(int32_t MonitorState, bool enabled) {
  return enabled ? (MonitorState | kMonitorEnabled) : (MonitorState & ~kMonitorEnabled);
}

int32_t MonitorAfterChoice(int32_t MonitorState, int item) {
  if (item < 0) return MonitorState;
  if (item == 0) return (MonitorState & ~kInputNumber) | kMonitorInput;
  if (item == 1) return MonitorState | kInputNumber | kMonitorInput;
  return (MonitorState & ~kChoiceBits) | (item - kFirstChannelItem);
}
