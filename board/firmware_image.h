#pragma once
// A firmware image for the board's USB microcontroller, read from its Intel HEX file and cut
// into the RAM writes that load it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "intel_hex.h"

// The microcontroller's CPU control and status register: bit 0 holds the CPU in reset.
inline constexpr uint16_t kCpuControlAddress = 0xE600;
// The microcontroller's program RAM: no image may hold more bytes.
inline constexpr std::size_t kProgramRamBytes = 16384;
// The most bytes one RAM write carries.
inline constexpr std::size_t kMaxLoadChunk = 4096;

// Bytes for consecutive RAM addresses, written with one request.
struct LoadChunk {
  uint16_t address = 0;
  std::vector<uint8_t> bytes;
  bool operator==(const LoadChunk&) const = default;
};

struct FirmwareImage {
  int16_t status = 0;  // 0, or one of usb_status::kFirmware*
  std::vector<LoadChunk> chunks;
  std::uintmax_t fileBytes = 0;  // the file's size
};

// The image in the file at `path` (UTF-8). A missing, unreadable or malformed file, or one with
// bytes outside the 16-bit address space or on the CPU control register, gives its own status
// and no chunks. The file is read line by line: reading stops at the first line longer than an
// Intel HEX record can be, and once the data records hold more than kProgramRamBytes (status
// usb_status::kFirmwareTooLarge).
FirmwareImage ReadFirmwareImage(const std::string& path);

// The firmware path as the program forms it (the program folder, a backslash, the file name) on a
// system whose separator is '/': when the path as written names nothing, the backslashes are
// read as separators.
std::string NativeFirmwarePath(const std::string& path);

// The records in file order, each run of contiguous records joined, runs cut at `maxChunk`
// bytes. Nothing when a byte lies outside 0..FFFF hex or on the CPU control register.
std::optional<std::vector<LoadChunk>> LoadChunks(const std::vector<HexRecord>& records,
                                                 std::size_t maxChunk = kMaxLoadChunk);
