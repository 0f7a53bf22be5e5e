#pragma once
// The board maker's USB driver library, seen through its four functions. Every call blocks
// until it returns and gives a 16-bit signed status.

#include <cstdint>
#include <string>

class SimulationDiagnostics;

// Our evaluation board's USB identifiers.
inline constexpr int32_t BoardVendorId = 0xFFF0;
inline constexpr int32_t BoardProductId = 0x0821;

class VendorDriver {
 public:
  virtual ~VendorDriver() = default;

  // Fills `list` (128 bytes); byte 0 is the number of the first board found.
  virtual int16_t Search_For_Boards(int32_t vendorId, int32_t productId, int32_t* count,
                                    uint8_t* list) = 0;
  virtual int16_t Connect(int32_t vendorId, int32_t productId, uint8_t boardNumber,
                          int32_t* handle) = 0;
  // `path`: the firmware file's path, single-byte characters ending in a 0 byte. 0 = loaded.
  virtual int16_t Download_Firmware(int32_t handle, uint8_t* path) = 0;
  // direction 0 = to the board, 1 = from the board; a read fills the first `length` bytes.
  virtual int16_t Vendor_Request(int32_t handle, uint8_t request, int32_t value, int32_t index,
                                 uint8_t direction, int32_t length, uint8_t* data) = 0;

  // What this driver is, for the window's status line: "Simulated board", or the library path.
  virtual std::string description() const = 0;
  // Which kind of link this is, as remote control names it: "simulated", "library" or "usb".
  virtual std::string linkName() const = 0;

  // The serial-number string of the board open, as its USB descriptor gives it; empty where the
  // link has none (the simulated board, the library route) or no board is open.
  virtual std::string serialNumber() const { return {}; }
  // Whether the board is marked as not answering: every request fails at once until a probe
  // finds it answering again or the board is connected anew.
  virtual bool boardSilent() const { return false; }
  // Looks, with a request that changes nothing on the chip, whether a board marked as not
  // answering answers again, and clears the mark when it does. True when the board answers.
  virtual bool probeBoard() { return true; }

  // The simulated board's own view of the chip and its requests; nullptr on a real board's link.
  virtual SimulationDiagnostics* simulation() { return nullptr; }
  virtual const SimulationDiagnostics* simulation() const { return nullptr; }

  // A status other than 0 in words, for the operator: why a request failed.
  virtual std::string statusText(int16_t status) const {
    return "status " + std::to_string(status);
  }
};
