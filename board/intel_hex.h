#pragma once
// The strict Intel HEX reader: firmware images as the board's microcontroller takes them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One data record: its bytes and the absolute address of the first one (extended segment and
// linear address records applied).
struct HexRecord {
  uint32_t address = 0;
  std::vector<uint8_t> bytes;
  bool operator==(const HexRecord&) const = default;
};

// The data records of a well-formed image, in file order, or nothing when the text is not one:
// every line ':' + byte count + address + type + data + checksum in hex, checksums right, and an
// end-of-file record last (CR LF or LF line ends, one final line end allowed).
std::optional<std::vector<HexRecord>> ReadIntelHex(std::string_view text);

// Whether `text` is a well-formed Intel HEX image (ReadIntelHex gives records).
bool IsValidIntelHex(const std::string& text);
