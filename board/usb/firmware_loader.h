#pragma once
// The microcontroller's own load protocol: vendor request A0 hex writes RAM at the address given
// as the value. The CPU is held in reset while its RAM is written, then released to run the
// image.

#include <vector>

#include "firmware_image.h"

struct libusb_device_handle;

// The vendor request that writes the microcontroller's RAM.
inline constexpr uint8_t kRamWriteRequest = 0xA0;

struct RamLoad {
  int status = 0;        // 0, or libusb's error for the first write that failed
  bool cpuHeld = false;  // the CPU may still be held in reset
};

// Holds the CPU in reset, writes every chunk, releases the CPU. An I/O error, a stall or a
// vanished device on the release write is no failure: the CPU may already be restarting. When a
// write fails partway, the CPU is released all the same; `cpuHeld` when that release failed too.
RamLoad LoadIntoRam(libusb_device_handle* device, const std::vector<LoadChunk>& chunks,
                    unsigned timeoutMs);
