#pragma once
// Sessions in the states a bench notebook has to save: random operator writes of every kind, so
// that X2s are left behind by gain or offset writes under the other route and DAC registers hold
// values from before the last writes; and the comparison of two register models.

#include <random>
#include <sstream>
#include <string>

#include "chip_model.h"
#include "reference_text.h"
#include "saved_setup.h"
#include "saved_setup_steps.h"
#include "session.h"

// `actions` random operator actions on the session's model, LDAC released at the end.
inline void ScrambleSession(Session& session, unsigned seed, int actions = 300) {
  std::mt19937 rng(seed);
  const auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  const PartInfo& part = *session.chip().part();
  const std::vector<int> records = ChannelRecords(part);
  const int full = FullScaleGain(part.bits);
  for (int i = 0; i < actions; ++i) {
    const int dac = records[static_cast<size_t>(pick(static_cast<int>(records.size())))];
    switch (pick(12)) {
      case 0:
      case 1:
      case 2:
        (void)session.writeRegister(dac, static_cast<ChannelRegister>(pick(4)), pick(full + 1));
        break;
      case 3:
        session.chooseInputRegister(pick(2) == 1);
        break;
      case 4:
        session.chooseDacSource(dac, pick(2) == 1);
        break;
      case 5:
        if (pick(3) == 0) session.pulseLdac();
        break;
      case 6:
        (void)session.writeOffsetDac(pick(OffsetDacCount(part)), pick(1 << 14));
        break;
      case 7:
        session.setReference(pick(ReferenceCount(part)), std::to_string(pick(9000)) + ".25e-3");
        break;
      case 8:
        (void)session.setMonitorEnabled(pick(3) != 0);
        (void)session.chooseMonitorItem(pick(part.monitorEntries + 3) - 1);
        break;
      case 9:
        (void)session.setGpioMode(static_cast<GpioMode>(pick(3)));
        break;
      case 10:
        session.lineRequest(pick(2) == 0 ? Request::LdacLow : Request::LdacHigh);
        break;
      default:
        if (pick(20) == 0) session.pulseReset();
        break;
    }
  }
  session.lineRequest(Request::LdacHigh);
}

// The first difference between the register models of two sessions (every record, the offset
// DACs, the references as numbers, the route, the monitor and GPIO), or "".
inline std::string ModelDifference(const Session& a, const Session& b) {
  std::ostringstream out;
  const ChipModel& x = a.chip();
  const ChipModel& y = b.chip();
  for (size_t i = 0; i < kChannelCount; ++i) {
    const DAC& r = x.DACs[i];
    const DAC& s = y.DACs[i];
    const auto differs = [&](const char* name, int32_t u, int32_t v) {
      if (u != v) out << "record " << i << " " << name << ": " << u << " vs " << v;
      return u != v;
    };
    if (differs("X1A", r.X1A(), s.X1A()) || differs("X1B", r.X1B(), s.X1B()) ||
        differs("M", r.M(), s.M()) || differs("C", r.C(), s.C()) ||
        differs("ABsel", r.ABsel(), s.ABsel()) || differs("X2A", r.X2A, s.X2A) ||
        differs("X2B", r.X2B, s.X2B) || differs("DACreg", r.DACregValue(), s.DACregValue())) {
      return out.str();
    }
  }
  for (int k = 0; k < 3; ++k) {
    if (x.OffsetDAC(k) != y.OffsetDAC(k)) return "offset DAC " + std::to_string(k);
    const auto at = static_cast<size_t>(k);
    if (ParseReferenceVoltage(a.references()[at]) != ParseReferenceVoltage(b.references()[at]))
      return "VREF" + std::to_string(k);
  }
  if (a.inputRegisterB() != b.inputRegisterB()) return "input register route";
  if (a.monitorState() != b.monitorState()) return "monitor state";
  if (a.gpioMode() != b.gpioMode()) return "GPIO mode";
  return "";
}
