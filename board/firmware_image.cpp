#include "firmware_image.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "usb_statuses.h"

namespace {

constexpr uint64_t kAddressSpace = 0x10000;
// ":" count(2) address(4) type(2) 255 data bytes checksum(2), and a CR.
constexpr std::size_t kLongestLine = 1 + 2 + 4 + 2 + 2 * 255 + 2 + 1;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The data bytes a data record says it holds; 0 for any other line (the reader judges it).
std::size_t DataBytesOf(const std::string& line) {
  if (line.size() < 9 || line[0] != ':' || line[7] != '0' || line[8] != '0') return 0;
  const int high = HexValue(line[1]);
  const int low = HexValue(line[2]);
  return high < 0 || low < 0 ? 0 : static_cast<std::size_t>(high * 16 + low);
}

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
  const std::uintmax_t fileBytes = std::filesystem::file_size(file, error);
  std::ifstream in(file, std::ios::binary);
  if (!in || error) return {usb_status::kFirmwareUnreadable, {}};
  std::string text;
  std::size_t dataBytes = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.size() > kLongestLine) return {usb_status::kFirmwareMalformed, {}, fileBytes};
    dataBytes += DataBytesOf(line);
    if (dataBytes > kProgramRamBytes) return {usb_status::kFirmwareTooLarge, {}, fileBytes};
    text += line;
    text += '\n';
  }
  if (in.bad()) return {usb_status::kFirmwareUnreadable, {}, fileBytes};
  const auto records = ReadIntelHex(text);
  if (!records) return {usb_status::kFirmwareMalformed, {}, fileBytes};
  auto chunks = LoadChunks(*records);
  if (!chunks) return {usb_status::kFirmwareOutOfRange, {}, fileBytes};
  return {0, std::move(*chunks), fileBytes};
}
