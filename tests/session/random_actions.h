#pragma once
// Random operator actions on a session: writes of every kind (some refused), A/B and route
// choices, LDAC, the control lines, RESET, offset DACs, voltages, monitor and GPIO, direct loads
// of any word, sometimes a reload, references.

#include <cstdlib>
#include <random>
#include <string>

#include "session.h"

// The number in environment variable `name`, or `fallback`.
inline unsigned EnvOr(const char* name, unsigned fallback) {
  const char* text = std::getenv(name);
  return text != nullptr ? static_cast<unsigned>(std::strtoul(text, nullptr, 10)) : fallback;
}

class RandomActions {
 public:
  RandomActions(Session& session, unsigned seed) : s_(session), rng_(seed) {}

  std::string act() {
    Session& s = s_;
    const int dac = channel();
    switch (pick(13)) {
      case 0: {
        const auto reg = static_cast<ChannelRegister>(pick(4));
        const int64_t value = code();
        (void)s.writeRegister(dac, reg, value);
        return "write register " + std::to_string(static_cast<int>(reg)) + " of " +
               std::to_string(dac) + " = " + std::to_string(value);
      }
      case 1:
        (void)s.writeInput(dac, code());
        return "X write to " + std::to_string(dac);
      case 2:
        s.chooseDacSource(dac, pick(2) == 1);
        return "A/B select of " + std::to_string(dac);
      case 3:
        s.chooseInputRegister(pick(2) == 1);
        return "input register route";
      case 4:
        s.pulseLdac();
        return "LDAC pulse";
      case 5: {
        constexpr Request kLines[] = {Request::LdacLow, Request::LdacHigh, Request::ClrLow,
                                      Request::ClrHigh};
        s.lineRequest(kLines[pick(4)]);
        return "line request";
      }
      case 6:
        s.pulseReset();
        return "RESET pulse";
      case 7:
        (void)s.writeOffsetDac(pick(3), pick(0x4100));
        return "offset DAC";
      case 8:
        (void)s.writeVoltage(dac, std::uniform_real_distribution<double>(-12.0, 12.0)(rng_));
        return "voltage of " + std::to_string(dac);
      case 9:
        (void)s.setMonitorEnabled(pick(2) == 1);
        (void)s.chooseMonitorItem(pick(20) - 1);
        (void)s.setGpioMode(static_cast<GpioMode>(pick(3)));
        return "monitor and GPIO";
      case 10:
        if (pick(20) == 0) s.reload({});
        return "reload (sometimes)";
      case 11: {
        const int64_t word = directWord();
        (void)s.directLoad(word);
        return "direct load of " + std::to_string(word);
      }
      default:
        s.setReference(pick(3), std::to_string(pick(11)));
        return "reference";
    }
  }

 private:
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  int channel() {
    const PartInfo& part = *s_.chip().part();
    int dac = pick(kChannelCount);
    while (!ChannelUsed(part, dac)) dac = pick(kChannelCount);
    return dac;
  }
  // Mostly codes in range, sometimes beyond the model's or 16 bits, or negative.
  int64_t code() {
    switch (pick(10)) {
      case 0:
        return pick(0x20000) - 0x100;
      default:
        return pick(1 << s_.chip().PartBits);
    }
  }

  // Any 24-bit word, a special-function word half the time (functions the model has and ones it
  // lacks), now and then one wider than 24 bits or negative.
  int64_t directWord() {
    switch (pick(10)) {
      case 0:
        return pick(2) == 0 ? -1 - pick(100) : 0x1000000 + pick(0x1000);
      case 1:
      case 2:
      case 3:
      case 4:
        return (int64_t{pick(16)} << 16) | pick(0x10000);
      default:
        return pick(0x1000000);
    }
  }

  Session& s_;
  std::mt19937 rng_;
};
