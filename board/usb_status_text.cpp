#include "usb_status_text.h"

#include "usb_ids.h"
#include "usb_statuses.h"

std::string RequestStatusText(int16_t status) {
  using namespace usb_status;
  switch (status) {
    case 0:
      return {};
    case kNoDevice:
      return "board unplugged";
    case kTimeout:
      return "no answer within 1 s";
    case kAccess:
      return std::string("no permission to open the board: see the README (udev rule ") +
             UdevRuleFileName() + ")";
    case kNotFound:
      return "no board attached";
    case kPipe:
      return "the board refused the request";
    case kBusy:
      return "the board is in use by another program";
    case kIo:
      return "USB transfer error";
    case kFirmwareMissing:
      return "firmware image not found";
    case kFirmwareUnreadable:
      return "firmware image cannot be read";
    case kFirmwareMalformed:
      return "firmware image is not valid Intel HEX";
    case kFirmwareOutOfRange:
      return "firmware image does not fit the board's memory";
    case kBoardNotBack:
      return "the board did not come back after the firmware load";
    default:
      return "request failed (status " + std::to_string(status) + ")";
  }
}
