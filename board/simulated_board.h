#pragma once
// A built-in stand-in for the evaluation board: it answers the four driver functions, records
// every vendor request and emulates the chip's register file from the words it receives.

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue.h"
#include "intel_hex.h"
#include "simulated_chip.h"
#include "simulation_diagnostics.h"
#include "vendor_driver.h"

class SimulatedBoard : public VendorDriver, public SimulationDiagnostics {
 public:
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
  SimulationDiagnostics* simulation() override { return this; }
  const SimulationDiagnostics* simulation() const override { return this; }

  void setChipModel(const PartInfo& part) override;
  void powerCycle() override;

  // Test controls.
  void setBoardAttached(bool attached);
  bool boardAttached() const;
  void setGpioInputLevel(bool high);  // the level read while the pin is an input

  const std::vector<RecordedRequest>& requests() const override;
  void clearRequests();
  const SimulatedChip& chip() const override;
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
