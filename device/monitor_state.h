#pragma once
// MonitorState: the data byte of the monitor word. Bit 5 enabled, bit 4 a monitor input chosen,
// bits 3..0 the channel (or bit 0 the input, bits 3..1 kept).

#include <cstdint>

inline constexpr int32_t kMonitorEnabled = 0x20;
inline constexpr int32_t kMonitorInput = 0x10;

// After "Monitor Disabled" (enabled = false) or "Monitor Enabled".
int32_t MonitorAfterEnable(int32_t MonitorState, bool enabled);

// After choosing item `item` of the monitored-channel list: 0 "Mon_In0", 1 "Mon_In1",
// k >= 2 the channel k - 2; a negative item (nothing selected) changes nothing.
int32_t MonitorAfterChoice(int32_t MonitorState, int item);
