#include "intel_hex_writer.h"

#include <algorithm>
#include <cstdio>
#include <random>

namespace {

std::string Line(uint8_t type, uint16_t offset, const uint8_t* data, std::size_t count) {
  std::string line = ":";
  char digits[3];
  unsigned sum = 0;
  auto put = [&](uint8_t byte) {
    std::snprintf(digits, sizeof digits, "%02X", byte);
    line += digits;
    sum += byte;
  };
  put(static_cast<uint8_t>(count));
  put(static_cast<uint8_t>(offset >> 8));
  put(static_cast<uint8_t>(offset & 0xFF));
  put(type);
  for (std::size_t i = 0; i < count; ++i) put(data[i]);
  put(static_cast<uint8_t>(-sum & 0xFF));
  return line + "\n";
}

}  // namespace

std::string IntelHexText(const std::vector<HexRecord>& records) {
  std::string text;
  for (const HexRecord& record : records) {
    for (std::size_t done = 0; done < record.bytes.size(); done += 16) {
      const std::size_t count = std::min<std::size_t>(16, record.bytes.size() - done);
      text += Line(0x00, static_cast<uint16_t>(record.address + done), record.bytes.data() + done,
                   count);
    }
  }
  return text + Line(0x01, 0, nullptr, 0);
}

std::vector<HexRecord> PatternImage(uint16_t start, std::size_t size, unsigned seed,
                                    std::size_t recordBytes) {
  std::mt19937 random(seed);
  std::vector<HexRecord> records;
  for (std::size_t done = 0; done < size; done += recordBytes) {
    HexRecord record{static_cast<uint32_t>(start + done), {}};
    const std::size_t count = std::min(recordBytes, size - done);
    for (std::size_t i = 0; i < count; ++i) record.bytes.push_back(static_cast<uint8_t>(random()));
    records.push_back(std::move(record));
  }
  return records;
}
