#pragma once
// Firmware images for tests and benchmarks: bytes at addresses, written as Intel HEX text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "intel_hex.h"

// Data records of at most 16 bytes each, then the end-of-file record, each line ending in LF.
std::string IntelHexText(const std::vector<HexRecord>& records);

// `size` pseudo-random bytes from address `start` on, in records of `recordBytes` (the same
// bytes for the same seed).
std::vector<HexRecord> PatternImage(uint16_t start, std::size_t size, unsigned seed,
                                    std::size_t recordBytes = 16);
