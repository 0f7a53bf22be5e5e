#pragma once
// The keys and word values of the setup file, shared by its reader and writer.

#include <QLatin1StringView>
#include <array>

#include "channel_register.h"

namespace setup_keys {

inline constexpr QLatin1StringView kFormat{"format"};
inline constexpr QLatin1StringView kFormatName{"dac-eval setup"};
inline constexpr QLatin1StringView kVersion{"version"};
inline constexpr int kVersionNumber = 1;
inline constexpr QLatin1StringView kModel{"model"};
inline constexpr QLatin1StringView kChannels{"channels"};
inline constexpr QLatin1StringView kDacRegistersLoaded{"dacRegistersLoaded"};
inline constexpr QLatin1StringView kOffsetDacs{"offsetDacs"};
inline constexpr QLatin1StringView kReferences{"references"};
inline constexpr QLatin1StringView kInputRegister{"inputRegister"};
inline constexpr QLatin1StringView kMonitor{"monitor"};
inline constexpr QLatin1StringView kGpio{"gpio"};

// Keys of a channel: its registers' keys stand in the table of channel registers.
inline QLatin1StringView RegisterKey(const ChannelRegisterRow& row) {
  return QLatin1StringView(row.setupKey.data(), static_cast<qsizetype>(row.setupKey.size()));
}
inline constexpr QLatin1StringView kAbSelect{"abSelect"};
inline constexpr QLatin1StringView kX2A{"x2a"};
inline constexpr QLatin1StringView kX2B{"x2b"};
inline constexpr QLatin1StringView kDacRegister{"dacRegister"};
// Optional keys of a channel: its name and output limits in volts.
inline constexpr QLatin1StringView kName{"name"};
inline constexpr QLatin1StringView kLow{"low"};
inline constexpr QLatin1StringView kHigh{"high"};

// Keys of the monitor.
inline constexpr QLatin1StringView kEnabled{"enabled"};
inline constexpr QLatin1StringView kSource{"source"};
inline constexpr QLatin1StringView kChannel{"channel"};

// Word values, in the order of the enumerations they stand for.
inline constexpr std::array<QLatin1StringView, 2> kRegisterNames{QLatin1StringView("A"),
                                                                 QLatin1StringView("B")};
inline constexpr std::array<QLatin1StringView, 3> kSourceNames{
    QLatin1StringView("channel"), QLatin1StringView("IN0"), QLatin1StringView("IN1")};
inline constexpr std::array<QLatin1StringView, 3> kGpioNames{
    QLatin1StringView("input"), QLatin1StringView("low"), QLatin1StringView("high")};

}  // namespace setup_keys
