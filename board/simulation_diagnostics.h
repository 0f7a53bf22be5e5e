#pragma once
// What a simulated board lets the program see and do beyond the four driver functions: the
// requests it received, the chip it emulates, the chip model fitted and a power glitch. A driver
// offers it through VendorDriver::simulation(); a real board has none.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "catalogue.h"
#include "simulated_chip.h"

class SimulationDiagnostics {
 public:
  struct RecordedRequest {
    uint8_t code;
    int32_t value;
    int32_t index;
    uint8_t direction;
    int32_t length;
    std::vector<uint8_t> data;  // the bytes passed in, or the bytes returned on a read
    bool operator==(const RecordedRequest&) const = default;
  };

  // What the board has seen: the latest requests, at least kKeptRequests of them (older ones are
  // dropped so that a long session keeps its memory bounded).
  static constexpr std::size_t kKeptRequests = 100000;
  virtual const std::vector<RecordedRequest>& requests() const = 0;
  virtual const SimulatedChip& chip() const = 0;

  // The chip model fitted to the board: its resolution, power-on code, channels and functions.
  // The chip's registers go to that model's power-on state.
  virtual void setChipModel(const PartInfo& part) = 0;
  // A power glitch: the chip loses its registers and comes back in the model's power-on state,
  // with nothing sent and nothing told to the program. Line levels and pulse counts stay.
  virtual void powerCycle() = 0;

 protected:
  SimulationDiagnostics() = default;
  SimulationDiagnostics(const SimulationDiagnostics&) = default;
  SimulationDiagnostics& operator=(const SimulationDiagnostics&) = default;
  ~SimulationDiagnostics() = default;
};
