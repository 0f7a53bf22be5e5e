#pragma once
// The evaluation board as its USB microcontroller answers control transfers: it boots with no
// program, takes one into its RAM through vendor request A0 hex while its CPU is held in reset,
// and once released runs the board firmware, which carries the board's vendor requests (DA..E3
// hex) to the chip. The chip is the simulated board's chip emulation.

#include <array>
#include <cstdint>
#include <vector>

#include "chip_emulation.h"
#include "simulated_board.h"

// The eight bytes that open a control transfer.
struct ControlSetup {
  uint8_t requestType = 0;
  uint8_t request = 0;
  uint16_t value = 0;
  uint16_t index = 0;
  uint16_t length = 0;
  bool isIn() const { return (requestType & 0x80) != 0; }
};

struct ControlReply {
  bool stall = false;          // the request is refused (a STALL on endpoint 0)
  bool transferError = false;  // the transfer fails on the wire (a protocol error)
  std::vector<uint8_t> data;   // for an IN transfer: the bytes returned
  bool releasedCpu = false;    // this transfer started the loaded program: re-enumerate next
};

// What the loader did, for tests to check.
struct LoadRecord {
  int cpuHolds = 0;               // writes of 01 to the CPU control register
  int cpuReleases = 0;            // writes of 00 there
  int ramWritesWhileRunning = 0;  // RAM writes with the CPU not held in reset
  int ramWrites = 0;
};

class EmulatedMicrocontroller {
 public:
  static constexpr std::size_t kAddressSpace = 0x10000;
  static constexpr uint16_t kCpuControl = 0xE600;
  static constexpr uint8_t kRamRequest = 0xA0;

  explicit EmulatedMicrocontroller(bool firmwareRunning);

  // One control transfer; `data` holds the OUT data stage.
  ControlReply transfer(const ControlSetup& setup, const std::vector<uint8_t>& data);

  bool firmwareRunning() const { return firmwareRunning_; }
  // The loaded program did not start: the boot loader answers as before the load.
  void stopFirmware() { firmwareRunning_ = false; }
  // The chip model fitted to the board (resolution, power-on code, channels), as the simulated
  // board learns it: the chip then computes X2 and its DAC registers.
  void setChipModel(const PartInfo& part) { FitChipModel(chip_, part); }
  const std::vector<uint8_t>& memory() const { return memory_; }
  const SimulatedChip& chip() const { return chip_; }
  const LoadRecord& loads() const { return loads_; }

 private:
  ControlReply ramRequest(const ControlSetup& setup, const std::vector<uint8_t>& data);
  ControlReply boardRequest(const ControlSetup& setup);

  bool firmwareRunning_;
  bool cpuHeld_ = false;
  bool ramWrittenSinceHold_ = false;
  std::vector<uint8_t> memory_;
  SimulatedChip chip_;
  LoadRecord loads_;
};
