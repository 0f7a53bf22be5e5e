#include "usb_status_text.h"

#include "firmware_image.h"
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
    case kFirmwareNotRunning:
      return "the board came back without its firmware running";
    case kCpuHeld:
      return "the firmware load failed partway and the board's microcontroller is held in reset: "
             "unplug the board and plug it in again";
    case kBoardSilent:
      return "board not answering";
    case kFirmwareTooLarge:
      return FirmwareTooLargeText(std::nullopt);
    default:
      return "request failed (status " + std::to_string(status) + ")";
  }
}

std::string FirmwareTooLargeText(std::optional<std::uintmax_t> fileBytes) {
  std::string text = "firmware image holds more than the board's program RAM of " +
                     std::to_string(kProgramRamBytes) + " bytes";
  if (fileBytes) text += " (a file of " + std::to_string(*fileBytes) + " bytes, not read further)";
  return text;
}
