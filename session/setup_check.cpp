// Whether a setup can be restored as it stands; a refusal names the key of the setup file.

#include <cmath>
#include <string>

#include "chip_model.h"
#include "reference_text.h"
#include "saved_setup.h"
#include "saved_setup_steps.h"
#include "transfer_function.h"

namespace {

constexpr int32_t kOffsetDacCodes = (1 << 14) - 1;  // 14 bits on every model

// Text from the file in a message: one line, and short.
std::string Shown(const std::string& text) {
  constexpr size_t kLongest = 40;
  std::string shown = text.substr(0, kLongest);
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return text.size() > kLongest ? shown + "..." : shown;
}

Refusal Bad(const std::string& key, const std::string& text) {
  return Refusal{Refusal::Kind::OutOfRange, key + ": " + text, ""};
}

Refused Within(const std::string& key, int64_t value, int64_t low, int64_t high,
               const std::string& what) {
  if (value >= low && value <= high) return std::nullopt;
  return Bad(key, std::to_string(value) + " is outside " + std::to_string(low) + " to " +
                      std::to_string(high) + ", " + what);
}

Refused CountIs(const std::string& key, size_t count, int wanted, const PartInfo& part,
                const std::string& items) {
  if (count == static_cast<size_t>(wanted)) return std::nullopt;
  return Bad(key, std::string(part.name) + " has " + std::to_string(wanted) + " " + items +
                      ", the setup lists " + std::to_string(count));
}

// An X2 that its X1, M and C do not give must be one that X1 gives with some gain and offset
// (the X2 was computed before the last gain or offset change).
Refused CheckCorrected(const std::string& key, const SavedChannel& ch, bool registerB,
                       int16_t bits) {
  const int32_t x1 = registerB ? ch.x1b : ch.x1a;
  const int32_t x2 = registerB ? ch.x2b : ch.x2a;
  if (CorrectedCode(x1, ch.m, ch.c, bits) == x2 || GainOffsetFor(x1, x2, bits)) return std::nullopt;
  return Bad(key + (registerB ? ".x2b" : ".x2a"),
             std::to_string(x2) + " cannot come from " + (registerB ? "X1B " : "X1A ") +
                 std::to_string(x1) + " with any gain and offset");
}

Refused CheckChannel(const std::string& key, const SavedChannel& ch, const PartInfo& part,
                     bool loaded) {
  const int32_t full = FullScaleGain(part.bits);
  const std::string codes = "the codes of " + std::to_string(part.bits) + " bits";
  for (const ChannelRegisterRow& row : kChannelRegisters) {
    const std::string name = key + "." + std::string(row.setupKey);
    if (Refused refused = Within(name, SavedRegister(ch, row.reg), 0, full, codes)) return refused;
  }
  const std::string corrected = "the corrected codes of " + std::to_string(part.bits) + " bits";
  const int32_t low = LowestCorrectedCode(part.bits);
  const int32_t high = HighestCorrectedCode(part.bits);
  for (const auto& [name, value] : {std::pair{".x2a", ch.x2a}, std::pair{".x2b", ch.x2b},
                                    std::pair{".dacRegister", ch.dacRegister}}) {
    if (Refused refused = Within(key + name, value, low, high, corrected)) return refused;
  }
  const bool freshA = CorrectedCode(ch.x1a, ch.m, ch.c, part.bits) == ch.x2a;
  const bool freshB = CorrectedCode(ch.x1b, ch.m, ch.c, part.bits) == ch.x2b;
  if (!freshA && !freshB) {
    return Bad(key,
               "x2a and x2b both differ from what x1a, x1b, m and c give; every gain or "
               "offset write recomputes one of them");
  }
  for (const bool registerB : {false, true}) {
    if (Refused refused = CheckCorrected(key, ch, registerB, part.bits)) return refused;
  }
  if (const std::string problem = ChannelNameProblem(ch.label.name); !problem.empty())
    return Bad(key + ".name", problem);
  for (const auto& [name, limit] :
       {std::pair{".low", ch.label.low}, std::pair{".high", ch.label.high}}) {
    if (limit && !std::isfinite(*limit)) return Bad(key + name, "a limit is a finite voltage");
  }
  if (ch.label.low && ch.label.high && *ch.label.low > *ch.label.high) {
    return Bad(key + ".low", LimitVolts(*ch.label.low) + " lies above the upper limit " +
                                 LimitVolts(*ch.label.high));
  }
  const int32_t selected = ch.fromX2B ? ch.x2b : ch.x2a;
  if (loaded && ch.dacRegister != selected) {
    return Bad(key + ".dacRegister", std::to_string(ch.dacRegister) + " is not the " +
                                         (ch.fromX2B ? "x2b" : "x2a") + " (" +
                                         std::to_string(selected) +
                                         ") that dacRegistersLoaded says the DAC register holds");
  }
  return std::nullopt;
}

Refused CheckMonitor(const SavedSetup& setup, const PartInfo& part) {
  const bool has = part.monitorEntries > 0;
  const std::string lacks = std::string(part.name) + " has no monitor or GPIO pin";
  const std::string needs = "missing: " + std::string(part.name) + " has a monitor and GPIO pin";
  if (setup.monitor.has_value() != has) return Bad("monitor", has ? needs : lacks);
  if (setup.gpio.has_value() != has) return Bad("gpio", has ? needs : lacks);
  if (!has) return std::nullopt;
  return Within("monitor.channel", setup.monitor->channel, 0, part.monitorEntries - 1,
                "the monitor's channels");
}

}  // namespace

Refused CheckSetup(const SavedSetup& setup) {
  const PartInfo* part = FindPart(setup.model);
  if (part == nullptr) return Bad("model", "unknown model \"" + Shown(setup.model) + "\"");
  if (Refused refused =
          CountIs("channels", setup.channels.size(), part->channels, *part, "channels")) {
    return refused;
  }
  for (size_t n = 0; n < setup.channels.size(); ++n) {
    const std::string key = "channels[" + std::to_string(n) + "]";
    if (Refused refused = CheckChannel(key, setup.channels[n], *part, setup.dacRegistersLoaded)) {
      return refused;
    }
  }
  if (Refused refused = CountIs("offsetDacs", setup.offsetDacs.size(), OffsetDacCount(*part), *part,
                                "offset DACs")) {
    return refused;
  }
  for (size_t k = 0; k < setup.offsetDacs.size(); ++k) {
    if (Refused refused = Within("offsetDacs[" + std::to_string(k) + "]", setup.offsetDacs[k], 0,
                                 kOffsetDacCodes, "the codes of 14 bits")) {
      return refused;
    }
  }
  if (Refused refused = CountIs("references", setup.references.size(), ReferenceCount(*part), *part,
                                "references")) {
    return refused;
  }
  for (size_t k = 0; k < setup.references.size(); ++k) {
    if (const std::string problem = ReferenceRangeProblem(setup.references[k]); !problem.empty())
      return Bad("references[" + std::to_string(k) + "]", problem);
  }
  return CheckMonitor(setup, *part);
}
