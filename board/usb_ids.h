#pragma once
// The USB identifiers of the evaluation board on the native USB link: the pair its
// microcontroller shows before the firmware load, and the pair the firmware shows after it.

#include <cstdint>

struct UsbId {
  uint16_t vendor = 0;
  uint16_t product = 0;
  bool operator==(const UsbId&) const = default;
};

struct BoardUsbIds {
  UsbId beforeLoad;
  UsbId afterLoad;
  bool operator==(const BoardUsbIds&) const = default;
  // Whether a device with `id` is the board, before or after its firmware load.
  bool matches(UsbId id) const { return id == beforeLoad || id == afterLoad; }
};

// The IDs this program was configured with (CMake cache variables DAC_EVAL_USB_ID and
// DAC_EVAL_USB_FIRMWARE_ID); the udev rule is written from the same values.
BoardUsbIds ConfiguredUsbIds();

// The file name of the udev rule that gives the desktop's user access to the board.
const char* UdevRuleFileName();
