#pragma once
// Whether the simulated chip holds what the session's register model says: every input, gain and
// offset register, X2A, X2B, every DAC register, the offset DACs, the A/B selects, the control
// register, the monitor and GPIO registers and the LDAC line. What a register may hold depends on
// what the test knows of it (chip_shadow.h); by default every register follows the model, and a
// register not written since power-on holds its power-on code.
//
// The one checker of chip against model for every test: the randomized sessions on the session
// and at the window, the setup and direct load tests, the fuzz targets.

#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "chip_shadow.h"
#include "command_word.h"
#include "session.h"
#include "simulated_board.h"
#include "transfer_function.h"

namespace chip_agreement {

using Known = ChipShadow::Known;

inline std::string Hex(int64_t value) {
  std::ostringstream out;
  out << (value < 0 ? "-" : "") << std::uppercase << std::hex << (value < 0 ? -value : value);
  return out.str();
}

inline std::string Shown(const std::optional<uint16_t>& value) {
  return value ? Hex(*value) : "nothing";
}

// One register that holds data as sent, empty until written after power-on.
struct HeldRegister {
  std::string name;
  Known known;
  std::optional<uint16_t> chip;
  int32_t model;
  int32_t powerOn;  // the code an empty register stands for
  int bits;         // 14: the data is the code times 4
};

inline void Compare(const HeldRegister& r, std::vector<std::string>& out) {
  switch (r.known) {
    case Known::Unknown:
      return;
    case Known::PowerOn:
    case Known::ChipPowerOn:
      if (r.chip)
        out.push_back(r.name + ": chip holds " + Hex(*r.chip) + " though not written since reset");
      else if (r.known == Known::PowerOn && r.model != r.powerOn)
        out.push_back(r.name + ": the model holds " + Hex(r.model) + " since reset, power-on " +
                      Hex(r.powerOn));
      return;
    case Known::Written:
      if (r.chip && ChannelCode(*r.chip, r.bits) == r.model) return;
      break;
    case Known::Model:
      if ((r.chip ? ChannelCode(*r.chip, r.bits) : r.powerOn) == r.model) return;
      break;
  }
  out.push_back(r.name + ": chip holds " + Shown(r.chip) + ", the model " + Hex(r.model));
}

// A register the chip always holds (zero at power-on).
inline void CompareWhole(const std::string& name, Known known, uint16_t chip, int32_t model,
                         std::vector<std::string>& out) {
  if (known == Known::Unknown) return;
  const bool powerOn = known == Known::PowerOn || known == Known::ChipPowerOn;
  const int32_t expected = powerOn ? 0 : model;
  if (chip != expected)
    out.push_back(name + ": chip holds " + Hex(chip) + ", expected " + Hex(expected) +
                  (powerOn ? " (power-on)" : ""));
}

inline void CompareChannel(const SimulatedChip& chip, const ChipModel& model,
                           const ChipShadow& shadow, int dac, std::vector<std::string>& out) {
  const auto at = static_cast<size_t>(dac);
  const DAC& r = model.DACs[at];
  const int bits = model.PartBits;
  const std::string of = " of record " + std::to_string(dac);
  Compare({"X1A" + of, shadow.inputA(dac), chip.inputA[at], r.X1A(), chip.resetCode, bits}, out);
  Compare({"X1B" + of, shadow.inputB(dac), chip.inputB[at], r.X1B(), chip.resetCode, bits}, out);
  Compare({"M" + of, shadow.gain(dac), chip.gain[at], r.M(), FullScaleGain(model.PartBits), bits},
          out);
  Compare(
      {"C" + of, shadow.offset(dac), chip.offset[at], r.C(), MidScaleOffset(model.PartBits), bits},
      out);
  if (!shadow.computed(dac)) return;
  const struct {
    const char* name;
    int32_t chip;
    int32_t model;
  } computed[] = {{"X2A", chip.x2a[at], r.X2A},
                  {"X2B", chip.x2b[at], r.X2B},
                  {"DAC register", chip.dac[at], r.DACregValue()}};
  for (const auto& c : computed) {
    if (c.chip != c.model)
      out.push_back(c.name + of + ": chip holds " + Hex(c.chip) + ", the model " + Hex(c.model));
  }
}

// The A/B select mask the model's records give group `group`: bit p set when record 8 g + p takes
// X2B.
inline int32_t GroupMask(const ChipModel& model, int group) {
  int32_t mask = 0;
  for (int p = 0; p < kGroupSize; ++p) {
    if (model.DACs.at(static_cast<size_t>(group * kGroupSize + p)).ABsel() != 0) mask |= 1 << p;
  }
  return mask;
}

// The data of the GPIO word for `mode`: output enable and level.
inline int32_t GpioData(GpioMode mode) {
  constexpr int32_t kData[] = {0x0, 0x2, 0x3};
  return kData[static_cast<int>(mode)];
}

inline void CompareFunctions(const SimulatedChip& chip, const Session& session,
                             const ChipShadow& shadow, std::vector<std::string>& out) {
  const ChipModel& model = session.chip();
  const std::optional<OffsetDefaults> defaults = OffsetDefaultsFor(model.PartName);
  for (int k = 0; k < ChipShadow::kOffsetDacs; ++k) {
    Compare({"offset DAC " + std::to_string(k), shadow.offsetDac(k),
             chip.offsetDac[static_cast<size_t>(k)], model.OffsetDAC(k),
             defaults ? defaults->offsetCode : 0, 16},
            out);
  }
  for (int g = 0; g < ChipShadow::kGroups; ++g) {
    CompareWhole("A/B select of group " + std::to_string(g), shadow.abSelect(g),
                 chip.abSelect[static_cast<size_t>(g)], GroupMask(model, g), out);
  }
  // The control register holds what was last sent; while that came from the A/B choice (or the
  // shadow follows the model), its bit 2 is the model's route. The model does not keep the
  // power-down bit.
  if (shadow.controlSent() && chip.control != *shadow.controlSent())
    out.push_back("control register: chip holds " + Hex(chip.control) + ", last sent " +
                  Hex(*shadow.controlSent()));
  const Known route = shadow.controlRoute();
  if ((route == Known::Model || route == Known::Written) &&
      ((chip.control & kControlInputB) != 0) != session.inputRegisterB())
    out.push_back("control register: chip holds " + Hex(chip.control) + ", the model's route " +
                  (session.inputRegisterB() ? "B" : "A"));
  // A model without the monitor and GPIO pin has the chip ignore their words.
  const bool hasMonitor = model.part() != nullptr && model.part()->monitorEntries > 0;
  CompareWhole("monitor register", hasMonitor ? shadow.monitor() : Known::PowerOn, chip.monitor,
               session.monitorState() & 0xFFFF, out);
  CompareWhole("GPIO register", hasMonitor ? shadow.gpio() : Known::PowerOn, chip.gpio,
               GpioData(session.gpioMode()), out);
  if (chip.ldacLineLow != session.ldacHeldLow())
    out.push_back(std::string("LDAC line: chip's is ") + (chip.ldacLineLow ? "low" : "high") +
                  ", the model's " + (session.ldacHeldLow() ? "low" : "high"));
}

}  // namespace chip_agreement

// Every difference between the simulated chip and the session's model, as far as `shadow` knows
// the chip's registers; empty when they agree.
inline std::vector<std::string> ChipDisagreements(const SimulatedChip& chip, const Session& session,
                                                  const ChipShadow& shadow = {}) {
  std::vector<std::string> out;
  for (int dac = 0; dac < ChipShadow::kChannels; ++dac)
    chip_agreement::CompareChannel(chip, session.chip(), shadow, dac, out);
  chip_agreement::CompareFunctions(chip, session, shadow, out);
  return out;
}

// The same in one line ("; " between differences), or "".
inline std::string ChipDisagreement(const SimulatedChip& chip, const Session& session,
                                    const ChipShadow& shadow = {}) {
  std::string line;
  for (const std::string& difference : ChipDisagreements(chip, session, shadow))
    line += (line.empty() ? "" : "; ") + difference;
  return line;
}
