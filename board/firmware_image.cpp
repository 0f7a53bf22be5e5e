#include "firmware_image.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "usb_statuses.h"

namespace {

constexpr uint64_t kAddressSpace = 0x10000;

bool Touches(const HexRecord& record, uint64_t address) {
  return record.address <= address && address < record.address + record.bytes.size();
}

}  // namespace

std::optional<std::vector<LoadChunk>> LoadChunks(const std::vector<HexRecord>& records,
                                                 std::size_t maxChunk) {
  std::vector<LoadChunk> chunks;
  for (const HexRecord& record : records) {
    if (record.address + uint64_t{record.bytes.size()} > kAddressSpace) return std::nullopt;
    if (Touches(record, kCpuControlAddress)) return std::nullopt;
    std::size_t taken = 0;
    while (taken < record.bytes.size()) {
      const auto address = static_cast<uint16_t>(record.address + taken);
      if (chunks.empty() || chunks.back().address + chunks.back().bytes.size() != address ||
          chunks.back().bytes.size() >= maxChunk)
        chunks.push_back({address, {}});
      std::vector<uint8_t>& bytes = chunks.back().bytes;
      const std::size_t room = maxChunk - bytes.size();
      const std::size_t count = std::min(room, record.bytes.size() - taken);
      const auto from = record.bytes.begin() + static_cast<std::ptrdiff_t>(taken);
      bytes.insert(bytes.end(), from, from + static_cast<std::ptrdiff_t>(count));
      taken += count;
    }
  }
  return chunks;
}

std::string NativeFirmwarePath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path asWritten(std::u8string(path.begin(), path.end()));
  if (path.find('\\') == std::string::npos || std::filesystem::exists(asWritten, error))
    return path;
  std::string slashed = path;
  std::replace(slashed.begin(), slashed.end(), '\\', '/');
  return slashed;
}

FirmwareImage ReadFirmwareImage(const std::string& path) {
  const std::filesystem::path file(std::u8string(path.begin(), path.end()));
  std::error_code error;
  if (!std::filesystem::exists(file, error)) return {usb_status::kFirmwareMissing, {}};
  if (!std::filesystem::is_regular_file(file, error)) return {usb_status::kFirmwareUnreadable, {}};
  std::ifstream in(file, std::ios::binary);
  if (!in) return {usb_status::kFirmwareUnreadable, {}};
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return {usb_status::kFirmwareUnreadable, {}};
  const auto records = ReadIntelHex(text);
  if (!records) return {usb_status::kFirmwareMalformed, {}};
  auto chunks = LoadChunks(*records);
  if (!chunks) return {usb_status::kFirmwareOutOfRange, {}};
  return {0, std::move(*chunks)};
}
