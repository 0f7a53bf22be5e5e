#pragma once
// The boards attached right now, found by their IDs (before or after the firmware load) and put
// in a stable order: bus, then port path.

#include <cstdint>
#include <string>
#include <vector>

#include "usb_ids.h"

struct libusb_context;
struct libusb_device;

// Where a device is plugged in: its bus and the ports from the root hub down.
struct UsbPlace {
  uint8_t bus = 0;
  std::vector<uint8_t> ports;
  bool operator==(const UsbPlace&) const = default;
  auto operator<=>(const UsbPlace&) const = default;
};

// "bus 1, port 1.4".
std::string UsbPlaceText(const UsbPlace& place);

struct FoundBoard {
  libusb_device* device = nullptr;  // one reference held by the list
  UsbPlace place;
  uint8_t address = 0;  // the bus address, new at every enumeration
  UsbId id;
};

class UsbBoardList {
 public:
  UsbBoardList(libusb_context* context, const BoardUsbIds& ids);
  ~UsbBoardList();
  UsbBoardList(const UsbBoardList&) = delete;
  UsbBoardList& operator=(const UsbBoardList&) = delete;

  // The libusb error when the devices could not be listed, otherwise 0.
  int status() const { return status_; }
  const std::vector<FoundBoard>& boards() const { return boards_; }
  // The board at `place`, or nullptr; one at another address than `notAddress` first (a board
  // that has just left may still be listed beside the one that came back there).
  const FoundBoard* at(const UsbPlace& place, int notAddress = -1) const;

 private:
  int status_ = 0;
  std::vector<FoundBoard> boards_;
};
