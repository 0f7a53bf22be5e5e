#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "intel_hex.h"

namespace {

enum RecordType : uint8_t {
  kData = 0x00,
  kEndOfFile = 0x01,
  kExtendedSegmentAddress = 0x02,
  kStartSegmentAddress = 0x03,
  kExtendedLinearAddress = 0x04,
  kStartLinearAddress = 0x05,
};

// Byte count, two address bytes, type and checksum.
constexpr std::size_t kRecordOverhead = 5;

std::optional<uint8_t> HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<uint8_t>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<uint8_t>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<uint8_t>(c - 'a' + 10);
  return std::nullopt;
}

// The bytes of one record line (without the ':'), or nothing when the digits are not pairs.
std::optional<std::vector<uint8_t>> DecodeBytes(std::string_view digits) {
  if (digits.size() % 2 != 0) return std::nullopt;
  std::vector<uint8_t> bytes;
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    const auto high = HexDigit(digits[i]);
    const auto low = HexDigit(digits[i + 1]);
    if (!high || !low) return std::nullopt;
    bytes.push_back(static_cast<uint8_t>(*high << 4 | *low));
  }
  return bytes;
}

// The data length a record type requires, or nothing when any length is allowed.
std::optional<std::size_t> RequiredLength(uint8_t type) {
  switch (type) {
    case kEndOfFile:
      return 0;
    case kExtendedSegmentAddress:
    case kExtendedLinearAddress:
      return 2;
    case kStartSegmentAddress:
    case kStartLinearAddress:
      return 4;
    default:
      return std::nullopt;
  }
}

// One decoded record line.
struct Record {
  uint8_t type = 0;
  uint16_t offset = 0;
  std::vector<uint8_t> data;
};

// The record of a well-formed line, or nothing.
std::optional<Record> RecordOf(std::string_view line) {
  if (line.empty() || line.front() != ':') return std::nullopt;
  const auto bytes = DecodeBytes(line.substr(1));
  if (!bytes || bytes->size() < kRecordOverhead) return std::nullopt;
  const std::size_t dataLength = bytes->size() - kRecordOverhead;
  if (static_cast<std::size_t>((*bytes)[0]) != dataLength) return std::nullopt;
  const uint8_t type = (*bytes)[3];
  if (type > kStartLinearAddress) return std::nullopt;
  const auto required = RequiredLength(type);
  if (required && *required != dataLength) return std::nullopt;
  unsigned sum = 0;
  for (const uint8_t byte : *bytes) sum += byte;
  if ((sum & 0xFF) != 0) return std::nullopt;
  const auto dataBegin = bytes->begin() + 4;
  return Record{
      type, static_cast<uint16_t>((*bytes)[1] << 8 | (*bytes)[2]),
      std::vector<uint8_t>(dataBegin, dataBegin + static_cast<std::ptrdiff_t>(dataLength))};
}

// The base address an extended address record sets (its two data bytes, big-endian).
uint32_t BaseAddressOf(const Record& record) {
  const uint32_t value = static_cast<uint32_t>(record.data[0] << 8 | record.data[1]);
  return record.type == kExtendedSegmentAddress ? value << 4 : value << 16;
}

// The text's lines without their CR LF or LF ends; a final line end adds no empty line.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

}  // namespace

std::optional<std::vector<HexRecord>> ReadIntelHex(std::string_view text) {
  const std::vector<std::string_view> lines = SplitLines(text);
  if (lines.empty()) return std::nullopt;
  std::vector<HexRecord> records;
  uint32_t base = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    auto record = RecordOf(lines[i]);
    if (!record) return std::nullopt;
    const bool last = i + 1 == lines.size();
    if ((record->type == kEndOfFile) != last) return std::nullopt;
    if (record->type == kExtendedSegmentAddress || record->type == kExtendedLinearAddress)
      base = BaseAddressOf(*record);
    if (record->type == kData && !record->data.empty())
      records.push_back({base + record->offset, std::move(record->data)});
  }
  return records;
}

bool IsValidIntelHex(const std::string& text) {
  return ReadIntelHex(text).has_value();
}
