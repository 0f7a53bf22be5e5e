#pragma once
// A built-in stand-in for the evaluation board: it answers the four driver functions, records
// every vendor request and emulates the chip's register file from the words it receives.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalogue.h"
#include "intel_hex.h"
#include "vendor_driver.h"

// The chip's registers as the simulated board has received them. Registers that the chip
// powers up with a model-dependent value are empty until written after power-on or RESET.
// Channel registers are indexed by channel record (address - 8) and hold data bits 15..0 of the
// word as sent (on 14-bit models the code times 4).
//
// Once the board knows the chip model (its resolution and power-on code), the chip also computes
// what it applies: X2A and X2B from the input, gain and offset registers, and the DAC registers
// that LDAC loads from them. These hold codes (not shifted), like the program's register model.
struct SimulatedChip {
  std::array<std::optional<uint16_t>, 40> inputA{};
  std::array<std::optional<uint16_t>, 40> inputB{};
  std::array<std::optional<uint16_t>, 40> gain{};
  std::array<std::optional<uint16_t>, 40> offset{};
  std::array<std::optional<uint16_t>, 3> offsetDac{};
  std::array<uint8_t, 5> abSelect{};  // power-on 0: every channel takes X2A
  uint16_t control = 0;               // bit 2: X writes reach input register B
  uint16_t monitor = 0;
  uint16_t gpio = 0;  // bit 1 output enable, bit 0 level
  uint16_t readbackSelect = 0;
  int resetPulses = 0;
  int ldacPulses = 0;
  int clrPulses = 0;
  bool resetLineLow = false;
  bool clrLineLow = false;
  bool ldacLineLow = false;
  int bits = 0;           // resolution of the fitted model; 0: not known, nothing computed
  int32_t resetCode = 0;  // power-on code of the input, X2 and DAC registers
  // The fitted model: words for channels, groups or functions it lacks are ignored. nullptr:
  // not known, every address of the family is taken.
  const PartInfo* part = nullptr;
  std::array<int32_t, 40> x2a{};
  std::array<int32_t, 40> x2b{};
  std::array<int32_t, 40> dac{};
  bool operator==(const SimulatedChip&) const = default;
};

class SimulatedBoard : public VendorDriver {
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

  // Statuses other than 0.
  static constexpr int16_t kNoBoardStatus = -4;
  static constexpr int16_t kBadImageStatus = -5;

  SimulatedBoard();

  int16_t Search_For_Boards(int32_t vendorId, int32_t productId, int32_t* count,
                            uint8_t* list) override;
  int16_t Connect(int32_t vendorId, int32_t productId, uint8_t boardNumber,
                  int32_t* handle) override;
  int16_t Download_Firmware(int32_t handle, uint8_t* path) override;
  int16_t Vendor_Request(int32_t handle, uint8_t request, int32_t value, int32_t index,
                         uint8_t direction, int32_t length, uint8_t* data) override;
  std::string description() const override;
  std::string linkName() const override { return "simulated"; }
  std::string statusText(int16_t status) const override;

  // The chip model fitted to the board: its resolution, power-on code, channels and functions.
  // The chip's registers go to that model's power-on state.
  void setChipModel(const PartInfo& part);
  // A power glitch: the chip loses its registers and comes back in the model's power-on state,
  // with nothing sent and nothing told to the program. Line levels and pulse counts stay.
  void powerCycle();

  // Test controls.
  void setBoardAttached(bool attached);
  bool boardAttached() const;
  void setGpioInputLevel(bool high);  // the level read while the pin is an input

  // What the board has seen: the latest requests, at least kKeptRequests of them (older ones are
  // dropped so that a long session keeps its memory bounded).
  static constexpr std::size_t kKeptRequests = 100000;
  const std::vector<RecordedRequest>& requests() const;
  void clearRequests();
  const SimulatedChip& chip() const;
  // Paths (as passed, without the 0 byte) of every firmware download attempt.
  const std::vector<std::string>& downloads() const;

 private:
  void applyWord(int32_t word);
  void keep(RecordedRequest record);
  void readBack(int32_t length, uint8_t* data);

  bool attached_ = true;
  bool gpioInputHigh_ = false;
  std::vector<RecordedRequest> requests_;
  std::vector<std::string> downloads_;
  SimulatedChip chip_;
};
