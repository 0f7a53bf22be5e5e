#pragma once
// The statuses of the native USB link. Requests return libusb's own error numbers (mirrored
// here so that the words for them need no libusb); the firmware download adds its own for an
// image refused before anything reaches the board and for a board that did not come back.

#include <cstdint>

namespace usb_status {

inline constexpr int16_t kIo = -1;
inline constexpr int16_t kInvalidParam = -2;
inline constexpr int16_t kAccess = -3;
inline constexpr int16_t kNoDevice = -4;
inline constexpr int16_t kNotFound = -5;
inline constexpr int16_t kBusy = -6;
inline constexpr int16_t kTimeout = -7;
inline constexpr int16_t kOverflow = -8;
inline constexpr int16_t kPipe = -9;
inline constexpr int16_t kInterrupted = -10;
inline constexpr int16_t kNoMemory = -11;
inline constexpr int16_t kNotSupported = -12;
inline constexpr int16_t kOther = -99;

inline constexpr int16_t kFirmwareMissing = -20;
inline constexpr int16_t kFirmwareUnreadable = -21;
inline constexpr int16_t kFirmwareMalformed = -22;
inline constexpr int16_t kFirmwareOutOfRange = -23;  // bytes outside the microcontroller's RAM
inline constexpr int16_t kBoardNotBack = -24;        // no re-enumeration within the bound
inline constexpr int16_t kFirmwareNotRunning = -25;  // back under the IDs before the load
inline constexpr int16_t kCpuHeld = -26;             // a load failed partway, the CPU not released
inline constexpr int16_t kFirmwareTooLarge = -27;    // more bytes than the program RAM holds
inline constexpr int16_t kBoardSilent = -28;  // not sent: the board is marked as not answering

}  // namespace usb_status
