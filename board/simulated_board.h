#pragma once
// A built-in stand-in for the evaluation board: it answers the four driver functions, records
// every vendor request and emulates the chip's register file from the words it receives.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "intel_hex.h"
#include "vendor_driver.h"

// The chip's registers as the simulated board has received them. Registers that the chip
// powers up with a model-dependent value are empty until written after power-on or RESET.
// Channel registers are indexed by channel record (address - 8) and hold data bits 15..0 of the
// word as sent (on 14-bit models the code times 4).
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

  // Test controls.
  void setBoardAttached(bool attached);
  bool boardAttached() const;
  void setGpioInputLevel(bool high);  // the level read while the pin is an input

  // What the board has seen.
  const std::vector<RecordedRequest>& requests() const;
  void clearRequests();
  const SimulatedChip& chip() const;
  // Paths (as passed, without the 0 byte) of every firmware download attempt.
  const std::vector<std::string>& downloads() const;

 private:
  void applyWord(int32_t word);
  void readBack(int32_t length, uint8_t* data);

  bool attached_ = true;
  bool gpioInputHigh_ = false;
  std::vector<RecordedRequest> requests_;
  std::vector<std::string> downloads_;
  SimulatedChip chip_;
};
