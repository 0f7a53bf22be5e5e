#pragma once
// The board's USB IDs as an engineer types them: "VID:PID" or "VID:PID,VID:PID", each number
// one to four hexadecimal digits; the second pair is the IDs after the firmware load.

#include <optional>
#include <string>
#include <string_view>

#include "usb_ids.h"

struct UsbIdTextResult {
  std::optional<BoardUsbIds> ids;  // empty when the text was refused
  std::string error;               // why, in words, when refused
};

// One pair alone stands for both: the board keeps its IDs through the firmware load.
UsbIdTextResult ParseUsbIdText(std::string_view text);

// "vvvv:pppp" in lower-case hex, as lsusb shows it.
std::string UsbIdText(UsbId id);
